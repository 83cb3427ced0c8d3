// The configuration pages as data: a row table written by name holds each
// row at its name, every page definition fits its id block and its family,
// the System Options page shows each family's rows in its order, the change
// rule sends exactly the changed items, on both links, to the group of a
// two-group instrument they belong to, what did not reach the instrument is
// told once, and every edit of every page takes a typed 0 where its item's
// limits allow it.
#include "configui/engine/engine.h"
#include "configui/pages/dispatch.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/model_profiles.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/page_kinds.h"
#include "configui/pages/system_options.h"
#include "frame/app_globals.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "link/item_exchange.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/config_screen.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr config_family kFamilies[] = {config_family::wqt15xx, config_family::wqt25xx, config_family::wqt35xx,
                                       config_family::wqt45xx, config_family::wqt55xx};

std::shared_ptr<instrument_config> family_config(config_family family)
{
    for (const model_profile& profile : model_profile_rows())
        if (profile.family == family)
            return profile.make_primary();
    return nullptr;
}

// A row table written by name holds each row at its name's place, in
// whatever order the names are written.
enum : int { T_FIRST, T_SECOND, T_THIRD };
constexpr std::array<row_def, 3> kRowsByName =
    rows_by_name({{T_THIRD, list_row(3)}, {T_FIRST, edit_row(1)}, {T_SECOND, kEmptyRow}});
static_assert(kRowsByName[T_FIRST].item == 1 && kRowsByName[T_FIRST].kind == ROW_EDIT &&
                  kRowsByName[T_SECOND].item == -1 && kRowsByName[T_THIRD].item == 3 &&
                  kRowsByName[T_THIRD].kind == ROW_LIST,
              "each row stands at its name");

} // namespace

// Every page that exists: its rows fit its window table and its id block,
// its walk takes lists only, each once, its edits and lists are items the family
// defines, its lists have options, and it has a layout. The test grows with
// the pages.
TEST(PageDefinitions, EveryPageFitsItsBlockAndItsFamily)
{
    int pages = 0;
    for (int kind = 0; kind < PAGE_KINDS; ++kind) {
        for (config_family family : kFamilies) {
            const page_def* page = find_page_def(kind, family);
            if (page == nullptr)
                continue;
            ++pages;
            SCOPED_TRACE("kind " + std::to_string(kind) + ", family " + std::to_string(static_cast<int>(family)));
            EXPECT_EQ(page->kind, kind);
            EXPECT_EQ(page->family, family);
            EXPECT_NE(page->layout, nullptr);
            EXPECT_TRUE(page->first_control == 20 || page->first_control == 50);
            EXPECT_LE(page->row_count, page->first_control);
            EXPECT_LE(page->first_control + page->row_count, kPageWindows);
            EXPECT_LE(page->row_count, kPageIdBlockSize);
            const std::shared_ptr<instrument_config> config = family_config(family);
            ASSERT_TRUE(config);
            for (int row = 0; row < page->row_count; ++row) {
                const row_def& r = page->rows[row];
                if (r.item < 0)
                    continue;
                const config_item* item = config->item_at(r.item);
                ASSERT_NE(item, nullptr) << "row " << row;
                EXPECT_NE(item->kind, ITEM_UNSET) << "row " << row << ", item " << r.item;
                if (r.kind == ROW_LIST) {
                    EXPECT_FALSE(item->options.empty()) << "row " << row << ", item " << r.item;
                }
            }
            // A walk shared by the families passes over a family's empty rows,
            // and takes each row once.
            std::set<int> walked;
            for (int s = 0; s < page->walk_count; ++s) {
                const row_def& r = page->rows[page->walk[s].row];
                ASSERT_TRUE(page->walk[s].row >= 0 && page->walk[s].row < page->row_count) << "step " << s;
                EXPECT_TRUE(r.kind == ROW_LIST || r.item == -1) << "step " << s;
                EXPECT_TRUE(walked.insert(page->walk[s].row).second) << "step " << s << " walks its row again";
            }
        }
    }
    EXPECT_GE(pages, 5);
    for (const page_kind_facts& facts : kPageKindFacts) {
        EXPECT_TRUE(facts.page >= 0 && facts.page <= 9);
        EXPECT_TRUE(facts.page_button >= IDC_CFG_PAGE_FIRST && facts.page_button <= IDC_CFG_PAGE_LAST);
    }
}

namespace {

// The System Options page's tests, on the window alone or on the wire.
template <class Base> class SystemOptions : public Base {
protected:
    static const page_def& system_options() { return PageTest::page(PAGE_SYSTEM_OPTIONS); }
    void choose(int row, int index, bool notify = true) const
    {
        PageTest::choose(PAGE_SYSTEM_OPTIONS, row, index, notify);
    }
    static int other_entry(int row) { return PageTest::other_entry(PAGE_SYSTEM_OPTIONS, row); }
};
using Pages = SystemOptions<PageTest>;
using PagesOnTheWire = SystemOptions<PageTestOnTheWire>;

} // namespace

// Each family's rows in its order; Independent Input only with a second
// phase where the family says so; nothing on a WQT35 instrument's group 2
// while it measures the same three phases as group 1.
TEST_F(Pages, SystemOptionsShowEachFamilysRows)
{
    const std::vector<std::string> wqt15 = {"Phase Convention", "Low Blanking", "Keyboard Beep",
                                            "Auto Zero", "Phase Angle Reference", "Prog 1-4 Direct Download",
                                            "Zoom 2 High Res", "Independent Input"};
    const std::vector<std::string> wqt25 = {"Phase Convention", "Low Blanking", "Keyboard Beep", "Auto Zero",
                                            "Prog 1-6 Direct Download", "Zoom 2 High Res", "Independent Input"};
    const std::vector<std::string> wqt35 = {"Phase Convention", "Phase Angle Reference", "Keyboard Beep",
                                            "Auto Zero", "Prog 1-4 Direct Download", "Zoom 2 High Res",
                                            "Low Blanking"};
    std::vector<std::string> wqt45 = wqt15;
    wqt45[5] = "Prog 1-6 Direct Download";
    const std::vector<std::string> wqt55_one_phase(wqt45.begin(), wqt45.end() - 1);
    const struct {
        uint32_t model;
        uint32_t phases;
        int group;
        int grouping; // item 23 of the shown group
        std::vector<std::string> rows;
    } cases[] = {
        {1, 3, 0, 0, wqt15},  {2, 3, 0, 0, wqt25},  {16, 4, 0, 4, wqt35}, {16, 4, 1, 4, {}},
        {16, 3, 1, 2, {}},    {16, 4, 1, 0, wqt35}, {16, 3, 1, 1, wqt35}, {4, 3, 0, 0, wqt45},
        {4, 1, 0, 0, wqt55_one_phase}, {5, 2, 0, 0, wqt45}, {5, 1, 0, 0, wqt55_one_phase},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + ", " + std::to_string(c.phases) + " phases, group " +
                     std::to_string(c.group));
        expect_seen_labels(PAGE_SYSTEM_OPTIONS, c.rows, [&] {
            attach(c.model, c.phases);
            set_current_active_group(c.group);
            get_current_config()->set_value_int(23, c.grouping);
            invalidate_all_config_pages();
        });
        EXPECT_EQ(config_current_page, 7);
        EXPECT_EQ(window_text(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL)), "Configuration: System Options");
        EXPECT_FALSE(has_visible_style(get_control_by_id(IDC_CFG_ADVANCED_OPTIONS)));
    }
}

// Every list shows its item's value when the page is shown, and again after
// the item changed behind the page; no choice where the value has no entry.
TEST_F(Pages, ListsShowTheirItemsValues)
{
    attach(4, 3);
    get_current_config()->set_value_int(4, 1);
    get_current_config()->set_value_int(117, 1);
    show_config_page(config_window());
    EXPECT_EQ(SendMessageA(row_control(system_options(), 3), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(row_control(system_options(), 7), CB_GETCURSEL, 0, 0), 1);
    get_current_config()->set_value_int(4, 0);
    show_config_page(config_window());
    EXPECT_EQ(SendMessageA(row_control(system_options(), 3), CB_GETCURSEL, 0, 0), 0);
    // A value the list has no entry for (as a read may bring) shows no choice.
    for (const int outside : {-2, 5}) {
        get_current_config()->set_value_int(4, outside);
        show_config_page(config_window());
        EXPECT_EQ(SendMessageA(row_control(system_options(), 3), CB_GETCURSEL, 0, 0), CB_ERR) << outside;
    }
}

// Without auto-send a change is stored and marked, and nothing is sent; a
// list without a selection keeps its item.
TEST_F(Pages, WithoutAutoSendChangesAreStoredOnly)
{
    attach(5, 3);
    show_config_page(config_window());
    instrument_config& config = *get_current_config();
    const int beep = config.item_at(9)->value.integer;
    const int zero = other_entry(3);
    choose(2, -1, false);
    choose(3, zero);
    EXPECT_EQ(config.item_at(4)->value.integer, zero);
    EXPECT_EQ(config.item_at(4)->changed, 1);
    EXPECT_EQ(config.item_at(9)->value.integer, beep);
}

// With auto-send, one selection sends exactly the items whose lists differ
// from their values, in the walk's order, whichever list was touched; the
// same choice again sends nothing; a list without a selection is skipped.
TEST_P(PagesOnTheWire, OnlyChangedItemsAreSentInWalkOrder)
{
    attach(5, 3, &link());
    AutoConfigs = 1;
    show_config_page(config_window());
    const int blanking = other_entry(1);
    const int zero = other_entry(3);
    choose(1, blanking, false);
    choose(3, zero);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(5, blanking), write_of(4, zero)}));

    inst().clear_received();
    choose(3, zero);
    EXPECT_TRUE(item_writes(inst()).empty());

    const int convention = other_entry(0);
    choose(2, -1, false);
    choose(0, convention);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(6, convention)}));
    EXPECT_EQ(get_current_config()->item_at(4)->changed, 0);
}

// The two-group instrument takes a change in both groups, group 1 first,
// without switching groups on the instrument.
TEST_P(PagesOnTheWire, TwoGroupChangesGoToBothGroups)
{
    attach(16, 3, &link());
    AutoConfigs = 1;
    show_config_page(config_window());
    const int zero = other_entry(3);
    choose(3, zero);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(4, zero), write_of(4, zero)}));
    for (const std::string& command : settled_commands(inst()))
        EXPECT_EQ(command.rfind("GROUP", 0), std::string::npos) << command;
    EXPECT_EQ(get_current_config_ptr(0)->item_at(4)->value.integer, zero);
    EXPECT_EQ(get_current_config_ptr(1)->item_at(4)->value.integer, zero);
}

// With auto-send on, changes that do not reach the instrument (refused, the
// instrument gone, a value outside the item's limits) are told once for the
// user's action, naming the first; the lists and the items keep the values,
// marked changed for the next whole send. Without auto-send nothing is told.
TEST_P(PagesOnTheWire, UnsentChangesAreToldOncePerAction)
{
    enum class fault { refused, gone, beyond_limits };
    const std::string not_written =
        "[Write Instrument Setup] An error occurred writing the config to the instrument \n(Id:5 [Low Blanking] ret:";
    const struct {
        const char* what;
        fault f;
        int auto_send;
        std::string told; // the box's caption and text, "" for none
    } cases[] = {
        {"refused", fault::refused, 1, not_written + "32)"},
        {"beyond limits", fault::beyond_limits, 1,
         "[Write Instrument Setup] Low Blanking (id:5 val:1) can only be set between 0 and 0"},
        {"refused, auto-send off", fault::refused, 0, ""},
        {"gone", fault::gone, 1, not_written + "0)"}, // last: the instrument stays gone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.f == fault::gone && !lan_)
            continue; // a serial instrument that is gone is one that is silent: the time-outs of every try
        attach(5, 3, &link());
        get_current_config()->set_value_int(5, 0);
        get_current_config()->set_value_int(9, 0);
        AutoConfigs = c.auto_send;
        show_config_page(config_window());
        if (c.f == fault::refused)
            inst().add_rule({"config,", wqt_sim::action::refuse, "", 0, -1});
        if (c.f == fault::gone)
            lan_->server.stop();
        for (int item : {5, 9})
            if (c.f == fault::beyond_limits)
                get_current_config()->set_maximum(item, 0);
        msgbox::reset();
        choose(1, 1, false); // Low Blanking, then Keyboard Beep: one walk
        choose(2, 1);
        EXPECT_EQ(told_texts(), c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
        for (const auto& [row, item] : {std::pair{1, 5}, {2, 9}}) {
            EXPECT_EQ(get_current_config()->item_at(item)->value.integer, 1) << item;
            EXPECT_EQ(get_current_config()->item_at(item)->changed, 1) << item;
            EXPECT_EQ(shown_entry(PAGE_SYSTEM_OPTIONS, row), 1) << item;
        }
        inst().clear_rules();
    }
}

// A Config-window command that runs while a box is up (a modal box
// delivers what was posted) tells its own failure once, at its own end,
// whatever showed the box: a failure noted outside any action (told at
// once), the box at another action's end, or the grouping's own box for a
// group switch the instrument did not confirm.
TEST_P(PagesOnTheWire, ACommandRunWhileAFailureIsToldTellsItsOwn)
{
    const std::string not_written =
        "[Write Instrument Setup] An error occurred writing the config to the instrument \n(Id:";
    const struct {
        const char* what;
        std::function<void()> first; // shows the first box
        std::string told_first;
    } cases[] = {
        {"a failure outside any action", [] { note_failed_read(make_item_error_code(kItemWiring, 0)); },
         "[Read Instrument Setup] An error occurred reading the config from the instrument \n(Id:82 [Wiring] ret:0)"},
        {"the box at an action's end", [this] { choose_shown("Smoothing", 1); },
         not_written + "14 [Smoothing] ret:32)"},
        {"the grouping's box", [this] { choose_shown("Grouping", 2); },
         "[Connection Failed] Unable to send commands to instrument, check connection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_on_wire(PAGE_ACQUISITION, kTwoGroupModel, 4,
                     {{kItemGrouping, 0}, {kItemSpeed, 5}, {kItemSmoothing, 0}}); // Window shown
        inst().add_rule({"config,", wqt_sim::action::refuse, "", 0, -1});
        inst().add_rule({"GROUP?", wqt_sim::action::reply, "2"}); // group 1 never confirmed
        HWND window = shown_control(config_window(), "Window");
        SetWindowTextA(window, "0.5");
        PostMessageA(config_window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(window));
        msgbox::reset();
        msgbox::deliver_posted_while_shown(true);
        c.first();
        EXPECT_EQ(told_texts(), (std::vector<std::string>{c.told_first, not_written + "12 [Window] ret:32)"}));
        EXPECT_EQ(group_text(0, kItemWindow), "5.0000E-1");
        EXPECT_EQ(get_current_config_ptr(0)->item_at(kItemWindow)->changed, 1);
        inst().clear_rules();
    }
}

// An edit changed and left for the next one, its write refused: the box
// takes the focus from the next edit, which shows its item's value as
// stored, and nothing is stored or sent for that item; the one box names
// the item changed. The user's own leaving of an edit sends it again.
TEST_P(PagesOnTheWire, ABoxSendsNothingForTheEditItTakesTheFocusFrom)
{
    show_on_wire(PAGE_HARMONIC, 5, 3,
                 {{kItemHarmonicComputation, 1}, {kItemHarmonic, 3}, {kItemHarmonicSeries, 40}}); // series shown
    inst().add_rule({"config,", wqt_sim::action::refuse, "", 0, -1});
    HWND harmonic = shown_control(config_window(), "Harmonic");
    HWND series = shown_control(config_window(), "Harmonic series up to");
    SetFocus(harmonic);
    SetWindowTextA(harmonic, "7");
    msgbox::reset();
    msgbox::take_focus_while_shown(true);
    SetFocus(series);
    EXPECT_EQ(told_texts(), std::vector<std::string>{"[Write Instrument Setup] An error occurred writing the config "
                                                     "to the instrument \n(Id:100 [Harmonic] ret:32)"});
    EXPECT_EQ(item_writes(inst(), kItemHarmonicSeries), std::vector<std::string>{});

    inst().clear_rules();
    SetFocus(series);
    inst().clear_received();
    SetFocus(harmonic);
    EXPECT_EQ(item_writes(inst(), kItemHarmonicSeries), (std::vector<std::string>{write_of(101, 40)}));
}

// One user action tells one failure: the focus losses that the program's
// own layout or rebuild raises inside it are part of it. An entry that is
// no number, the page rebuilt behind its box: the next edit, which the user
// went on to, is hidden showing its stored value, and stores and sends
// nothing; the Mode written by the rebuild is the action's one failure. A
// list whose change hides the edit the user typed into: the entry is stored
// and sent, and the list's failure alone is told. No edit is destroyed
// while it handles its own focus loss.
TEST_P(PagesOnTheWire, OneUserActionTellsOneFailure)
{
    const std::string not_written =
        "[Write Instrument Setup] An error occurred writing the config to the instrument \n(Id:";
    const struct {
        const char* what;
        page_kind kind;
        uint32_t model;
        std::vector<item_set> items;
        const char* edit;
        const char* typed;
        std::function<void()> act;
        std::vector<std::string> told;
        int item; // written or not, as sent says
        bool sent;
    } cases[] = {
        {"no number, then Tab", PAGE_HARMONIC, 2,
         {{kItemMode, 5}, {kItemHarmonicComputation, 1}, {kItemHarmonic, 3}, {kItemHarmonicSeries, 40}}, "Harmonic",
         "abc", [this] { SetFocus(shown_control(config_window(), "Harmonic series up to")); },
         {"[Incorrect Value] You have entered an invalid number for Harmonic, the value has been reverted",
          not_written + "1 [Mode] ret:32)"},
         kItemHarmonicSeries, false},
        {"a list hides the edit typed into", PAGE_ACQUISITION, 5, {{kItemSpeed, 5}}, "Window", "0.5",
         [this] { choose_shown("Speed", 0); }, {not_written + "13 [Speed] ret:32)"}, kItemWindow, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show_on_wire(c.kind, c.model, 3, c.items);
        inst().add_rule({"config,", wqt_sim::action::refuse, "", 0, -1});
        HWND edit = shown_control(config_window(), c.edit);
        ASSERT_NE(edit, nullptr);
        SetFocus(edit);
        SetWindowTextA(edit, c.typed);
        msgbox::reset();
        msgbox::take_focus_while_shown(true);
        msgbox::deliver_posted_while_shown(true);
        c.act(); // all of it inside the focus loss of the edit typed into
        EXPECT_TRUE(IsWindow(edit)) << "destroyed while it handled its own focus loss";
        deliver_posted_messages();
        EXPECT_EQ(told_texts(), c.told);
        EXPECT_EQ(item_writes(inst(), c.item).empty(), !c.sent);
        inst().clear_rules();
    }
}

namespace {

// What one group's configuration, or the instrument's, holds of every item.
using item_values = std::vector<std::string>;

template <class Value>
item_values values_of(Value value)
{
    item_values values;
    for (int item = 0; item < 256; ++item)
        values.push_back(value(item));
    return values;
}

item_values config_values(int group)
{
    return values_of([group](int item) {
        return config_value_to_string(get_current_config_ptr(group)->get_value_record_copy(item));
    });
}

// The items whose values differ, each with its value after.
std::map<int, std::string> changed_items(const item_values& before, const item_values& after)
{
    std::map<int, std::string> changed;
    for (size_t item = 0; item < before.size(); ++item)
        if (before[item] != after[item])
            changed.emplace(static_cast<int>(item), after[item]);
    return changed;
}

} // namespace

// On the two-group instrument with the second group active (and selected on
// the instrument), a change on its pages, with whatever the page's rules
// change beside it, lands in its configuration alone and is written once, to
// the second group; a setting of both groups lands in both configurations
// and is written for each; the first group's own row (the Auxiliary page
// shows each group's scaling) is stored in the first group only, for its
// next whole send.
TEST_P(PagesOnTheWire, TwoGroupChangesReachTheirGroups)
{
    enum class reach { second_group, both_groups, first_group_stored };
    struct entry {
        std::string label;
        const char* typed; // null: the list's second entry picked (the first shown)
    };
    const struct {
        const char* what;
        page_kind kind;
        uint32_t phases;
        std::vector<item_set> items; // in both groups
        std::vector<entry> entries;
        reach to;
    } cases[] = {
        {"a mode with its dependent items", PAGE_APP_OPTIONS, 3, {{23, 0}, {70, 0}}, {{"Mode", nullptr}},
         reach::second_group},
        {"an edit of the group's own", PAGE_ACQUISITION, 3, {{23, 0}, {13, 5}}, {{"Window", "0.5"}},
         reach::second_group},
        {"torque and speed on Application Options", PAGE_APP_OPTIONS, 3, {{23, 0}, {70, 1}, {84, 1}},
         {{"Scale Factor Nm/V", "2.5"}, {"Offset 1", "0.25"}, {"Scale Factor rpm/V", "3.5"}, {"Offset 2", "0.75"}},
         reach::both_groups},
        {"the first group's scaling", PAGE_AUXILIARY, 4, {{23, 3}, {228, 0}}, {{"Extern. System Scaling", nullptr}},
         reach::first_group_stored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        connect_sim(kTwoGroupModel, c.phases, {});
        for (const item_set& set : c.items)
            for (int group : {0, 1})
                get_current_config_ptr(group)->set_value_int(set.item, set.value);
        ASSERT_TRUE(set_active_group_and_switch(1, false));
        AutoConfigs = 1;
        show_page(page(c.kind), config_window());
        inst().clear_received();
        const item_values first = config_values(0), second = config_values(1);
        const item_values held_first = values_of([this](int item) { return inst().item(item, 0); });
        for (const entry& e : c.entries)
            e.typed != nullptr ? type_shown(e.label, e.typed) : choose_shown(e.label, 1);
        const std::map<int, std::string> in_first = changed_items(first, config_values(0));
        const std::map<int, std::string> in_second = changed_items(second, config_values(1));
        const std::map<int, std::string>& changed = c.to == reach::first_group_stored ? in_first : in_second;
        EXPECT_GE(changed.size(), c.entries.size());
        EXPECT_EQ(in_first.empty(), c.to == reach::second_group);
        EXPECT_EQ(in_second.empty(), c.to == reach::first_group_stored);
        if (c.to == reach::both_groups) {
            EXPECT_EQ(in_first, in_second);
        }
        const size_t writes = c.to == reach::both_groups ? 2 : c.to == reach::second_group ? 1 : 0;
        for (const auto& [item, value] : changed)
            EXPECT_EQ(item_writes(inst(), item).size(), writes) << "item " << item << " = " << value;
        EXPECT_EQ(values_of([this](int item) { return inst().item(item, 0); }), held_first) << "the first group";
    }
}

namespace {

// A family's instrument on the simulated LAN link (the entry check is no
// link's business).
class EntriesOnTheWire : public PageTest, public testing::WithParamInterface<config_family> {
protected:
    lan_sim lan_;
};

std::string family_name(const testing::TestParamInfo<config_family>& info)
{
    const char* const names[] = {"Wqt15", "Wqt25", "Wqt35", "Wqt45", "Wqt55"};
    return names[static_cast<int>(info.param)];
}

} // namespace

// Every edit of the family's pages takes a typed 0 where its item's limits
// allow 0: stored, written at once with auto-send (to each group where the
// row sets both), and nothing told; where they do not (a minimum above 0)
// it is refused in an "Incorrect Value" box and the item keeps its value.
// Rows that set one item alike are tried once; the run time has its own.
TEST_P(EntriesOnTheWire, TypedZeroIsTakenWhereTheLimitsAllowIt)
{
    ASSERT_TRUE(lan_.ok()) << "no free loopback address";
    const config_family family = GetParam();
    attach(std::find_if(model_profile_rows().begin(), model_profile_rows().end(),
                        [family](const model_profile& p) { return p.family == family; })
               ->model_code,
           3, &lan_.link);
    AutoConfigs = 1;
    instrument_config& config = *get_current_config();
    auto number = [](const std::string& text) { return item_text_number(text.c_str(), text.size()); };
    std::set<std::pair<int, bool>> tried; // item, both groups
    size_t refused = 0;
    for (int kind = 0; kind < PAGE_KINDS; ++kind) {
        const page_def* def = find_page_def(kind, family);
        for (int row = 0; def != nullptr && row < def->row_count; ++row) {
            const row_def& r = def->rows[row];
            if ((r.kind != ROW_EDIT && r.kind != ROW_EDIT_ALT) || r.item < 0 || r.show == SHOW_RUN_TIME)
                continue;
            show_page(*def, config_window()); // again after a refusal rebuilt the pages
            const int item = row_item(r, config);
            if (!tried.insert({item, r.both}).second)
                continue;
            const config_item& limits = *config.item_at(item);
            SCOPED_TRACE(testing::Message() << "kind " << kind << ", row " << row << ", item " << item);
            const bool allowed = (limits.minimum == kNoBound || limits.minimum <= 0) &&
                                 (limits.maximum == kNoBound || limits.maximum >= 0);
            config.set_value_text(item, limits.kind == ITEM_LIST ? "1" : "1.0000E0");
            const std::string before = config_value_to_string(config.get_value_record_copy(item));
            msgbox::reset();
            lan_.inst.clear_received();
            type(static_cast<page_kind>(kind), row, "0");
            const std::string after = config_value_to_string(config.get_value_record_copy(item));
            const std::vector<std::string> writes = item_writes(lan_.inst, limits.wire_id);
            EXPECT_EQ(msgbox::shown().size(), allowed ? 0u : 1u);
            for (const recorded_box& box : msgbox::shown())
                EXPECT_EQ(box.caption, "Incorrect Value") << box.text;
            if (!allowed) {
                EXPECT_EQ(after, before);
                EXPECT_TRUE(writes.empty());
                ++refused;
                continue;
            }
            EXPECT_EQ(number(after), 0.0) << after;
            EXPECT_EQ(writes.size(), r.both ? 2u : 1u);
            for (const std::string& write : writes)
                EXPECT_EQ(number(write.substr(write.rfind(',') + 1)), 0.0) << write;
        }
    }
    EXPECT_GT(tried.size(), refused) << "some edits take 0";
}

INSTANTIATE_TEST_SUITE_P(Families, EntriesOnTheWire, testing::ValuesIn(kFamilies), family_name);

INSTANTIATE_TEST_SUITE_P(Both, PagesOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);

namespace {

// A page of the tests' own, under a kind whose pages are not built yet: an
// edit of item 69, two lists of item 4 and a list of item 5.
constexpr row_def kTestRows[] = {edit_row(69), list_row(4), list_row(4), list_row(5)};

void layout_test_page();

constexpr page_def kTestPage = {PAGE_RMS_VOLTMETER, config_family::wqt55xx, 50, false, false, 20, 4,
                                kTestRows, nullptr, 0, 0, nullptr, layout_test_page};

void layout_test_page()
{
    grid_cursor grid(kTestPage);
    for (int row = 0; row < kTestPage.row_count; ++row)
        grid.place(row);
}

// The page's notification as the Config window hands it on.
void notify(HWND config_window, int row, int code)
{
    on_page_control(kTestPage, config_window, kPageIdBase[PAGE_RMS_VOLTMETER] + row, code,
                    row_control(kTestPage, row));
}

} // namespace

// One notification sets an item once: a later list of the same item in the
// walk leaves what an earlier one set.
TEST_F(Pages, AnItemSetInANotificationIsNotSetAgainByItsSecondList)
{
    attach(5, 3);
    get_current_config()->set_value_int(4, 0);
    show_page(kTestPage, config_window());
    SendMessageA(row_control(kTestPage, 1), CB_SETCURSEL, 1, 0);
    notify(config_window(), 1, CBN_SELENDOK);
    EXPECT_EQ(get_current_config()->item_at(4)->value.integer, 1);
}

// An edit's text is checked and stored when it loses the focus; a list
// acts on a selection only, an edit on the loss of focus only.
TEST_F(Pages, EditsAreTakenWhenTheyLoseTheFocus)
{
    attach(5, 3);
    show_page(kTestPage, config_window());
    instrument_config& config = *get_current_config();
    HWND edit = row_control(kTestPage, 0);
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"0.05", "5.0000E-2"}, {"20", "2.0000E1"}, {"2k", "2.0000E1"}};
    for (const auto& c : cases) {
        SetWindowTextA(edit, c.typed);
        msgbox::reset();
        notify(config_window(), 0, EN_KILLFOCUS);
        std::string value;
        EXPECT_EQ(config.get_value_string(69, value), c.stored) << c.typed;
    }
    EXPECT_EQ(msgbox::shown().size(), 1u) << "2k is above the item's maximum";

    SetWindowTextA(edit, "0.1");
    notify(config_window(), 0, CBN_SELENDOK);
    SendMessageA(row_control(kTestPage, 3), CB_SETCURSEL, 1, 0);
    const int blanking = config.item_at(5)->value.integer;
    notify(config_window(), 3, EN_KILLFOCUS);
    std::string value;
    EXPECT_EQ(config.get_value_string(69, value), "2.0000E1");
    EXPECT_EQ(config.item_at(5)->value.integer, blanking);
}

// A page shown without a window creates nothing and keeps its flag, but
// its number becomes current; the dispatch shows nothing for a page beyond
// 9, and page 9 of a family without a torque and speed page is its mode
// page.
TEST_F(Pages, DispatchKeepsToItsPages)
{
    attach(1, 3);
    show_system_options_page_wqt15xx(nullptr);
    EXPECT_EQ(config_page_dirty[PAGE_SYSTEM_OPTIONS], 1);
    EXPECT_EQ(config_current_page, 7);
    EXPECT_EQ(row_control(system_options(), 0), nullptr);

    config_current_page = 12;
    show_config_page(config_window());
    EXPECT_EQ(config_current_page, 12);

    config_current_page = 9;
    show_config_page(config_window());
    EXPECT_EQ(config_current_page, 8);
    attach(4, 3);
    config_current_page = 9;
    show_config_page(config_window());
    EXPECT_EQ(config_current_page, 9);
}

// A value as text, and the device setting's unit offset.
TEST(PageValues, ValuesAsTextAndOffsetsOfADevice)
{
    config_item_value list{};
    list.is_list = 1;
    list.value.integer = -5;
    EXPECT_EQ(config_value_to_string(list), "-5");
    config_item_value text{};
    std::snprintf(text.value.text, sizeof text.value.text, "%s", "1.5000E2");
    EXPECT_EQ(config_value_to_string(text), "1.5000E2");
    const int offsets[] = {0, 0, 4, 8, 12, 16, 0, 0}; // n = 0..7
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(phase_count_to_offset(n), offsets[n]) << n;
}
