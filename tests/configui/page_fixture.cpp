#include "tests/configui/page_fixture.h"

#include "config/instrument_config.h"
#include "config/item_tables.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/page_kinds.h"
#include "configui/engine/two_group.h"
#include "configui/pages/dispatch.h"
#include "configui/pages/modes.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "link/link_record.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/config_screen.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <algorithm>
#include <cstdio>

grid_rows rows_from_top(const std::vector<int>& rows)
{
    grid_rows map;
    for (size_t g = 0; g < rows.size(); ++g)
        map.emplace_back(static_cast<int>(g), rows[g]);
    return map;
}

void PageTest::SetUp()
{
    AutoConfigs = 0;
    fixture_ = std::make_unique<config_window_fixture>(PAGE_SYSTEM_OPTIONS,
                                                       config_window_fixture::contents::with_controls);
    main_window = fixture_->parent();
    std::fill(std::begin(last_mode_shown), std::end(last_mode_shown), -1);
}

void PageTest::TearDown()
{
    fixture_.reset();
    main_window = nullptr;
    AutoConfigs = 0;
}

void PageTest::attach(uint32_t model, uint32_t phases, link_record* link)
{
    attach_current_instrument(model, phases, 0, link);
}

const page_def& PageTest::page(page_kind kind)
{
    return *find_page_def(kind, current_page_family());
}

std::vector<int> PageTest::placed_rows(const page_def& page)
{
    std::vector<int> rows;
    for (int r = 0; r < CONFIG_GRID_ROWS; ++r)
        for (int row = 0; row < page.row_count; ++row)
            if (config_grid[r].window != nullptr && config_grid[r].window == row_label(page, row))
                rows.push_back(row);
    return rows;
}

std::vector<std::string> PageTest::grid_labels()
{
    std::vector<std::string> labels;
    for (int r = 0; r < CONFIG_GRID_ROWS; ++r)
        if (config_grid[r].window)
            labels.push_back(window_text(config_grid[r].window));
    return labels;
}

grid_rows PageTest::grid_map(const page_def& page)
{
    grid_rows map;
    for (int g = 0; g < CONFIG_GRID_ROWS; ++g)
        for (int row = 0; row < page.row_count; ++row)
            if (config_grid[g].window != nullptr && config_grid[g].window == row_label(page, row))
                map.emplace_back(g, row);
    return map;
}

namespace {

const char* const kKindNames[] = {"list", "text", "edit", "edit", "read-only"};

// The label a row's item has in its family, as the item tables name it; the
// WQT15 family calls its item 112 "Trigger Phase". Items of the second
// table have no label. A row that stands for another item in some states
// keeps its own item's label.
std::string item_label(config_family family, int item)
{
    if (family == config_family::wqt15xx && item == 112)
        return "Trigger Phase";
    return item >= 0 && item < 256 ? config_item_names(family)[item] : "";
}

std::string expected_label(const page_def& page, int row, const std::vector<relabel>& relabels)
{
    for (const relabel& r : relabels)
        if (r.row == row)
            return r.label;
    return item_label(page.family, page.rows[row].item);
}

std::string seen_line(int grid_row, const std::string& label, const std::string& kind, bool enabled)
{
    return (grid_row >= 0 ? std::to_string(grid_row) + ": " : "") + label + " | " + kind +
           (enabled ? "" : " | greyed");
}

std::vector<std::string> seen_lines(bool with_grid_rows)
{
    std::vector<std::string> lines;
    for (const shown_row& row : read_config_screen(get_config_window()).rows)
        lines.push_back(seen_line(with_grid_rows ? row.grid_row : -1, row.label, row.kind, row.enabled));
    return lines;
}

// The rows not greyed with the pane, as the frame greys it (the pane is lit
// again after).
std::vector<std::string> lit_while_greyed()
{
    EnableWindow(get_config_window(), FALSE);
    enable_config_controls_like_parent();
    std::vector<std::string> lit;
    for (const shown_row& row : read_config_screen(get_config_window()).rows)
        if (row.enabled)
            lit.push_back(row.label);
    EnableWindow(get_config_window(), TRUE);
    enable_config_controls_like_parent();
    return lit;
}

// Picks the entry after the shown one in the i-th list shown and returns
// it; -1 when the list has no other.
int pick_another(size_t shown_index)
{
    const std::vector<shown_row> rows = read_config_screen(get_config_window()).rows;
    if (shown_index >= rows.size())
        return -1;
    HWND list = rows[shown_index].control;
    const LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    if (count < 2)
        return -1;
    const int next = static_cast<int>((SendMessageA(list, CB_GETCURSEL, 0, 0) + 1) % count);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(next), 0);
    SendMessageA(get_config_window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
    deliver_posted_messages();
    return next;
}

} // namespace

void PageTest::expect_seen(page_kind kind, const grid_rows& rows, const std::function<void()>& show,
                           const std::vector<relabel>& relabels) const
{
    show();
    const page_def& shown = page(kind);
    const bool with_grid_rows = !rows.empty() && rows.front().first >= 0;
    std::vector<std::string> expected;
    for (const auto& [grid_row, row] : rows)
        expected.push_back(seen_line(with_grid_rows ? grid_row : -1, expected_label(shown, row, relabels),
                                     kKindNames[shown.rows[row].kind], true));
    EXPECT_EQ(seen_lines(with_grid_rows), expected);
    EXPECT_EQ(read_config_screen(config_window()).strays, std::vector<std::string>{});
    EXPECT_EQ(lit_while_greyed(), std::vector<std::string>{});

    // The page is put on the screen again only where a choice changed what
    // it shows.
    const std::vector<std::string> first_seen = seen_lines(true);
    const int first_page = config_current_page;
    void (*wait)(DWORD) = config_wait_ms;
    config_wait_ms = [](DWORD) {};
    std::vector<std::pair<int, int>> set_items; // item, group
    for (size_t i = 0; i < rows.size(); ++i) {
        const row_def& def = shown.rows[rows[i].second];
        if (def.kind != ROW_LIST)
            continue;
        if (config_current_page != first_page || seen_lines(true) != first_seen)
            show();
        instrument_config* config = row_config(def, *get_current_config());
        const int item = row_item(def, *config);
        msgbox::reset();
        const int chosen = pick_another(i);
        // A rule that asks the instrument (the two-group rules) tells that
        // none answered: what it stores is then its own test's business.
        if (chosen < 0 || !msgbox::shown().empty())
            continue;
        SCOPED_TRACE("the list of \"" + expected_label(shown, rows[i].second, relabels) + "\"");
        EXPECT_EQ(value_in(*config, item), chosen) << "item " << item;
        const std::pair<int, int> key{item, def.group != nullptr ? def.group() : get_current_active_group()};
        EXPECT_EQ(std::count(set_items.begin(), set_items.end(), key), 0) << "item " << item << " set twice";
        set_items.push_back(key);
    }
    config_wait_ms = wait;
    show();
}

void PageTest::expect_seen(page_kind kind, const std::vector<int>& rows, const std::function<void()>& show,
                           const std::vector<relabel>& relabels) const
{
    grid_rows unplaced;
    for (int row : rows)
        unplaced.emplace_back(-1, row);
    expect_seen(kind, unplaced, show, relabels);
}

void PageTest::expect_seen_labels(page_kind kind, const std::vector<std::string>& labels,
                                  const std::function<void()>& show) const
{
    show();
    const std::vector<int> rows = placed_rows(page(kind));
    ASSERT_EQ(shown_labels(read_config_screen(config_window())), labels);
    std::vector<relabel> relabels;
    for (size_t i = 0; i < rows.size(); ++i)
        relabels.push_back({rows[i], labels[i]});
    expect_seen(kind, rows, show, relabels);
}

void PageTest::choose(page_kind kind, int row, int index, bool notify) const
{
    HWND list = row_control(page(kind), row);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (notify)
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(list));
}

void PageTest::type(page_kind kind, int row, const char* text) const
{
    HWND edit = row_control(page(kind), row);
    SetWindowTextA(edit, text);
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(edit));
}

void PageTest::choose_shown(const std::string& label, int index) const
{
    HWND list = shown_control(config_window(), label);
    ASSERT_NE(list, nullptr) << "no row \"" << label << "\" shown";
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(list));
}

void PageTest::type_shown(const std::string& label, const char* text) const
{
    HWND edit = shown_control(config_window(), label);
    ASSERT_NE(edit, nullptr) << "no row \"" << label << "\" shown";
    SetWindowTextA(edit, text);
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(edit));
}

int PageTest::shown_entry(page_kind kind, int row)
{
    return static_cast<int>(SendMessageA(row_control(page(kind), row), CB_GETCURSEL, 0, 0));
}

int PageTest::other_entry(page_kind kind, int row)
{
    const LRESULT count = SendMessageA(row_control(page(kind), row), CB_GETCOUNT, 0, 0);
    return static_cast<int>((shown_entry(kind, row) + 1) % count);
}

void PageTest::notify_row(page_kind kind, int row, int code) const
{
    const page_def* def = find_page_def(kind, current_page_family());
    HWND control = def != nullptr ? row_control(*def, row) : nullptr;
    SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[kind] + row, code),
                 reinterpret_cast<LPARAM>(control));
}

void PageTest::show_with(page_kind kind, uint32_t model, uint32_t phases, const std::vector<item_set>& items,
                         int group, const char* idn) const
{
    link_record link;
    clear_link_record(&link);
    if (idn != nullptr)
        std::snprintf(link.idn_reply, sizeof link.idn_reply, "%s", idn);
    attach(model, phases, &link);
    set_current_active_group(group);
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
    show_page(page(kind), config_window());
}

int PageTest::group_value(int group, int item)
{
    int value = 0;
    return get_current_config_ptr(group)->get_value_int(item, value);
}

std::string PageTest::group_text(int group, int item)
{
    std::string text;
    return get_current_config_ptr(group)->get_value_string(item, text);
}

void PageTestOnTheWire::SetUp()
{
    PageTest::SetUp();
    if (GetParam() == link_kind::lan) {
        lan_ = std::make_unique<lan_sim>();
        ASSERT_TRUE(lan_->ok()) << "no free loopback address";
    } else {
        serial_ = std::make_unique<serial_sim>();
        if (!serial_->ok())
            GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    }
}

void PageTestOnTheWire::show_on_wire(page_kind kind, uint32_t model, uint32_t phases,
                                     const std::vector<item_set>& items)
{
    connect_sim(model, phases, items);
    AutoConfigs = 1;
    show_page(page(kind), config_window());
    inst().clear_received();
}

void PageTestOnTheWire::connect_sim(uint32_t model, uint32_t phases, const std::vector<item_set>& items,
                                    const char* idn)
{
    if (idn != nullptr)
        std::snprintf(link().idn_reply, sizeof link().idn_reply, "%s", idn);
    attach(model, phases, &link());
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
    inst().clear_received();
}

void PageTestOnTheWire::TearDown()
{
    PageTest::TearDown();
    serial_.reset();
    lan_.reset();
}

std::string link_kind_name(const testing::TestParamInfo<link_kind>& info)
{
    return info.param == link_kind::lan ? "Lan" : "Serial";
}

namespace {

std::vector<std::string> item_commands(const wqt_sim::instrument& inst, bool reads)
{
    std::vector<std::string> found;
    for (const std::string& command : settled_commands(inst))
        if (command.rfind("config,", 0) == 0 && (command.find('?') != std::string::npos) == reads)
            found.push_back(command);
    return found;
}

} // namespace

std::vector<std::string> told_texts()
{
    std::vector<std::string> told;
    for (const auto& box : msgbox::shown())
        told.push_back("[" + box.caption + "] " + box.text);
    return told;
}

std::vector<std::string> item_writes(const wqt_sim::instrument& inst)
{
    return item_commands(inst, false);
}

std::vector<std::string> item_reads(const wqt_sim::instrument& inst)
{
    return item_commands(inst, true);
}

std::string write_of(int item, int value)
{
    return "config," + std::to_string(item) + "," + std::to_string(value);
}

std::vector<std::string> item_writes(const wqt_sim::instrument& inst, int item)
{
    const std::string prefix = "config," + std::to_string(item) + ",";
    std::vector<std::string> found;
    for (const std::string& write : item_writes(inst))
        if (write.rfind(prefix, 0) == 0)
            found.push_back(write);
    return found;
}

void attach_with(uint32_t model, uint32_t phases, const std::vector<item_set>& items, int group, uint32_t option,
                 link_record* link)
{
    attach_current_instrument(model, phases, option, link);
    set_current_active_group(group);
    for (const item_set& set : items)
        get_current_config()->set_value_int(set.item, set.value);
}
