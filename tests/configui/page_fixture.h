// The Config window with its head and an instrument in slot 0 (on a
// simulated link in the wire tests), for tests of the pages: what a page
// placed on the grid, and a user's choices and entries in its rows.
#pragma once
#include "configui/engine/engine.h"
#include "tests/configui/config_window_fixture.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

struct link_record;

// An item and the value a test gives it.
struct item_set {
    int item;
    int value;
};

// (grid row, page row) of every row placed.
using grid_rows = std::vector<std::pair<int, int>>;

// A row whose label a page sets itself, as a case expects it shown.
struct relabel {
    int row;
    std::string label;
};

// One row of a layout table: the instrument, the items a test gives it, the
// group shown, where the page places its rows, and the rows the page
// labels itself.
struct layout_case {
    const char* what;
    uint32_t model;
    uint32_t phases;
    std::vector<item_set> items;
    int group;
    grid_rows rows;
    std::vector<relabel> relabels = {};
};

// The page rows given placed on the grid's rows from the top, in order.
grid_rows rows_from_top(const std::vector<int>& rows);


class PageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void attach(uint32_t model, uint32_t phases, link_record* link = nullptr);
    HWND config_window() const { return fixture_->window(); }
    // The current family's page of the kind.
    static const page_def& page(page_kind kind);

    // The rows on the grid, in grid-row order, found by their labels.
    static std::vector<int> placed_rows(const page_def& page);
    // The labels on the grid, in grid-row order.
    static std::vector<std::string> grid_labels();
    // Where each placed row of the page stands.
    static grid_rows grid_map(const page_def& page);

    // The page as a user sees it once show() has put it on the screen: in
    // grid order the rows given (at their grid rows, with grid_rows), each
    // labelled with its item's name in the family (or as relabelled), with
    // the control of its kind, enabled, and greyed while the pane is; nothing
    // else of the Config window shown. Then for each list shown, on the page
    // as show() puts it again, a choice of another entry sets the row's item
    // to it, and no two lists set one item.
    void expect_seen(page_kind kind, const grid_rows& rows, const std::function<void()>& show,
                     const std::vector<relabel>& relabels = {}) const;
    void expect_seen(page_kind kind, const std::vector<int>& rows, const std::function<void()>& show,
                     const std::vector<relabel>& relabels = {}) const;
    // The same for a table that gives the labels shown, in grid order.
    void expect_seen_labels(page_kind kind, const std::vector<std::string>& labels,
                            const std::function<void()>& show) const;

    // Selects the entry in a row's list and tells the Config window, as the
    // list does when the user picks an entry.
    void choose(page_kind kind, int row, int index, bool notify = true) const;
    // Types the text into a row's edit and leaves it.
    void type(page_kind kind, int row, const char* text) const;
    // The same on the row shown with the label, found as a user finds it.
    void choose_shown(const std::string& label, int index) const;
    void type_shown(const std::string& label, const char* text) const;
    // An entry of the row's list other than the one it shows.
    static int other_entry(page_kind kind, int row);
    static int shown_entry(page_kind kind, int row);
    // The Config window told of a notification in a row's id, as the row's
    // control sends it (none on a family without the page).
    void notify_row(page_kind kind, int row, int code) const;

    // The instrument (answering the identification, when given) with its
    // items set in the group made active, and the page shown.
    void show_with(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items,
                   int group = 0, const char* idn = nullptr) const;
    static int group_value(int group, int item);
    static std::string group_text(int group, int item);

    std::unique_ptr<config_window_fixture> fixture_;
};

enum class link_kind { lan, serial };

// The same on the simulated instrument over each link.
class PageTestOnTheWire : public PageTest, public testing::WithParamInterface<link_kind> {
protected:
    void SetUp() override;
    void TearDown() override;
    // The instrument on the simulated link with its items, auto-send on, the
    // page shown and what the instrument received so far forgotten.
    void show_on_wire(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items);
    // The same without a page shown or auto-send changed; the link answers
    // the identification, when given.
    void connect_sim(uint32_t model, uint32_t phases, const std::vector<item_set>& items, const char* idn = nullptr);
    wqt_sim::instrument& inst() { return lan_ ? lan_->inst : serial_->inst; }
    link_record& link() { return lan_ ? lan_->link : serial_->link; }

    std::unique_ptr<lan_sim> lan_;
    std::unique_ptr<serial_sim> serial_;
};

std::string link_kind_name(const testing::TestParamInfo<link_kind>& info);

// The message boxes shown so far, each as "[caption] text".
std::vector<std::string> told_texts();

// The item writes and reads the instrument received, in order.
std::vector<std::string> item_writes(const wqt_sim::instrument& inst);
std::vector<std::string> item_reads(const wqt_sim::instrument& inst);
std::string write_of(int item, int value);

// The writes of one item the instrument received, in order.
std::vector<std::string> item_writes(const wqt_sim::instrument& inst, int item);

// A wire suite run over the LAN and the serial link.
#define INSTANTIATE_ON_BOTH_LINKS(suite) \
    INSTANTIATE_TEST_SUITE_P(Both, suite, testing::Values(link_kind::lan, link_kind::serial), link_kind_name)

// One row of a table of the page rows placed, in grid-row order, and the
// rows the page labels itself.
struct rows_case {
    const char* what;
    uint32_t model;
    uint32_t phases;
    std::vector<item_set> items;
    std::vector<int> rows;
    std::vector<relabel> relabels = {};
};

// The instrument (with the current option, on the link when given) in slot 0,
// the group made active and its items set; no page shown.
void attach_with(uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group = 0,
                 uint32_t option = 0, link_record* link = nullptr);
