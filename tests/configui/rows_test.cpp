// The rows of the configuration pages: a combo box filled with an item's
// options, the rows' windows made from a page's lists, their places on the
// grid with an up-down where asked, enabling and collecting what the grid
// holds; and typed numbers read with their prefix.
#include "config/typed_values.h"
#include "configui/engine/rows.h"

#include "configui/engine/change_rule.h"
#include "configui/engine/config_pages.h"

#include "config/instrument_config.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

LRESULT CALLBACK parent_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

TEST(FillItemCombobox, OptionsInOrderAndTheValueSelected)
{
    instrument_config config;
    config.define_list_item(*config.item_at(10), 10, 0, 2, 1, {"Off", "On", "Auto"});
    config.set_value_int(10, 2);
    config.define_list_item(*config.item_at(11), 11, 0, 1, 0, {"Low", "High"});
    config.define_text_item(*config.item_at(12), 12, 0.0, 100.0, "42");
    config.define_text_item(*config.item_at(13), 13, 0.0, 100.0, "7");
    config.set_option_list(13, {"Seven", "Eight"});

    HWND parent = make_test_window("KestrovaComboParent", parent_proc);
    HWND combo = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 0, 100, 200, parent,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    struct row {
        int item;
        std::vector<std::string> texts;
        int selected;
    };
    const row rows[] = {
        {10, {"Off", "On", "Auto"}, 2},
        {11, {"Low", "High"}, 0},
        {12, {}, -1},  // a text item without options: nothing to choose
        {13, {"Seven", "Eight"}, 0}, // a text item with options: the first
        {400, {}, -1}, // no such item
        {10, {"Off", "On", "Auto"}, 2},
    };
    // Whatever the list held before goes.
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("stale"));
    for (const row& r : rows) {
        SCOPED_TRACE("item " + std::to_string(r.item));
        fill_item_combobox(config, combo, r.item);
        EXPECT_EQ(combo_texts(combo), r.texts);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), r.selected);
    }
    DestroyWindow(parent);
}

TEST(NumericTextValue, ReadsTypedNumbersWithTheirPrefix)
{
    struct row {
        const char* text;
        int digits;
        double value;
        bool valid;
    };
    const row rows[] = {
        {"1.5k", 4, 1500.0, true}, {"250m", 3, 0.25, true}, {"-3.3", 2, -3.3, true}, {"2E3", 5, 2000.0, true},
        {"12 volts", 4, 0.0, false}, {"", 4, 0.0, false}, {"1.2.3", 4, 0.0, false},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.text);
        const numeric_text_value number(r.text, r.digits);
        EXPECT_EQ(number.ok, r.valid);
        EXPECT_DOUBLE_EQ(number.value, r.value);
        EXPECT_EQ(number.precision, r.digits);
        EXPECT_EQ(number.text, r.text);
    }
}

TEST(NumericTextValue, TextFormHasThePrecisionsDecimals)
{
    const struct {
        const char* typed;
        int precision;
        const char* text;
    } cases[] = {{"0.05", 4, "5.0000E-2"}, {"20", 4, "2.0000E1"}, {"0", 4, "0.0000"}, {"-1.5k", 2, "-1.50E3"}};
    for (const auto& c : cases)
        EXPECT_EQ(numeric_text_value(c.typed, c.precision).to_text(), c.text) << c.typed;
}

namespace {

// A parent window with the rows of a page made under it, and the grid put
// back empty afterwards.
class PageRows : public testing::Test {
protected:
    void SetUp() override
    {
        parent_ = make_test_window("KestrovaRowsParent", parent_proc);
        config_.define_list_item(*config_.item_at(58), 58, 0, 2, 1, {"A", "B", "C"});
        config_.define_text_item(*config_.item_at(59), 59, 0.0, 10.0, "1");
        config_.define_list_item(*config_.item_at(60), 60, 0, 1, 0, {"X", "Y"});
    }
    void TearDown() override
    {
        config_layout_place_row(-1, nullptr, nullptr);
        DestroyWindow(parent_);
    }

    HWND parent_ = nullptr;
    instrument_config config_;
    HWND handles_[40] = {};
};

const char* const* test_labels()
{
    static const char* labels[256];
    for (const char*& label : labels)
        label = "Unused";
    labels[58] = "Fifty-eight";
    labels[59] = "Fifty-nine";
    labels[60] = "Sixty";
    return labels;
}

RECT placed_at(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

// Row r's control has the first id + r, an empty row uses its id up and
// gets no window, a kind without a control gets a label alone; everything
// starts hidden, a list holds its item's options with nothing chosen.
TEST_F(PageRows, RowsGetTheirIdsLabelsAndKinds)
{
    const int items[] = {58, 59, -1, 60, 59};
    const int kinds[] = {ROW_LIST, ROW_READ_ONLY, ROW_LIST, ROW_EDIT, ROW_NO_CONTROL};
    create_static_labels(parent_, GetModuleHandleA(nullptr), handles_, 5, test_labels(), items, nullptr);
    create_config_item_controls(config_, parent_, GetModuleHandleA(nullptr), handles_, 5, 25400, kinds,
                                items, 20, nullptr);
    const struct {
        int row;
        const char* label;
        const char* cls; // null: no control
        int id;
    } rows[] = {{0, "Fifty-eight", "ComboBox", 25400}, {1, "Fifty-nine", "Edit", 25401},
                {2, nullptr, nullptr, 0},              {3, "Sixty", "Edit", 25403},
                {4, "Fifty-nine", nullptr, 0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.row);
        HWND label = handles_[r.row];
        HWND control = handles_[20 + r.row];
        EXPECT_EQ(label != nullptr, r.label != nullptr);
        if (label) {
            EXPECT_EQ(window_text(label), r.label);
            EXPECT_FALSE(has_visible_style(label));
            EXPECT_NE(GetWindowLongA(label, GWL_STYLE) & SS_RIGHT, 0);
        }
        ASSERT_EQ(control != nullptr, r.cls != nullptr);
        if (!control)
            continue;
        char cls[32] = "";
        GetClassNameA(control, cls, sizeof cls);
        EXPECT_STREQ(cls, r.cls);
        EXPECT_EQ(GetDlgCtrlID(control), r.id);
        EXPECT_FALSE(has_visible_style(control));
    }
    EXPECT_EQ(combo_texts(handles_[20]), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(SendMessageA(handles_[20], CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_NE(GetWindowLongA(handles_[21], GWL_STYLE) & ES_READONLY, 0);
}

// Grid row r: column r / 5, line r % 5, the label at its point and the
// control three pixels higher beside it, both 115 x 21 and shown; a row
// beyond the grid places nothing; a clear hides what was placed.
TEST_F(PageRows, GridRowsStandInThreeColumnsOfFive)
{
    const struct {
        int grid_row;
        POINT label;
        POINT control;
    } cells[] = {{0, {263, 32}, {386, 29}}, {7, {505, 82}, {629, 79}}, {14, {755, 132}, {874, 129}}};
    for (const auto& c : cells) {
        SCOPED_TRACE(c.grid_row);
        HWND label = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
        HWND control = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
        config_layout_place_row(c.grid_row, label, control);
        EXPECT_EQ(config_grid[c.grid_row].window, label);
        EXPECT_EQ(config_grid[CONFIG_GRID_ROWS + c.grid_row].window, control);
        const RECT l = placed_at(label);
        const RECT k = placed_at(control);
        EXPECT_EQ(l.left, c.label.x);
        EXPECT_EQ(l.top, c.label.y);
        EXPECT_EQ(k.left, c.control.x);
        EXPECT_EQ(k.top, c.control.y);
        EXPECT_EQ(k.right - k.left, 115);
        EXPECT_EQ(k.bottom - k.top, 21);
        EXPECT_TRUE(has_visible_style(control));
    }
    HWND beyond = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
    EXPECT_EQ(place_control_pair(15, beyond, beyond, config_layout_points.data(), config_grid, config_cell_size,
                                 CONFIG_GRID_SLOTS, false, 2, 100),
              15);
    EXPECT_FALSE(has_visible_style(beyond));
    HWND shown = config_grid[7].window;
    config_layout_place_row(-1, nullptr, nullptr);
    config_layout_place_row(-1, nullptr, nullptr); // a second clear finds nothing
    EXPECT_FALSE(has_visible_style(shown));
    for (const grid_slot& slot : config_grid)
        EXPECT_EQ(slot.window, nullptr);
}

// An up-down is made beside a control that asks for one, with its range and
// the control as its buddy, and goes with the next clear; the control stays.
TEST_F(PageRows, UpDownComesWithItsRowAndGoesWithTheClear)
{
    HWND control = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
    place_control_pair(2, nullptr, control, config_layout_points.data(), config_grid, config_cell_size,
                       CONFIG_GRID_SLOTS, true, 1, 99);
    HWND updown = config_grid[CONFIG_GRID_ROWS + 2].updown;
    ASSERT_NE(updown, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(updown, UDM_GETBUDDY, 0, 0)), control);
    const LRESULT range = SendMessageA(updown, UDM_GETRANGE, 0, 0);
    EXPECT_EQ(LOWORD(range), 99);
    EXPECT_EQ(HIWORD(range), 1);
    config_layout_place_row(-1, nullptr, nullptr);
    EXPECT_FALSE(IsWindow(updown));
    EXPECT_TRUE(IsWindow(control));
}

// Enabling follows the parent only once grid row 0 is placed; collecting
// takes the placed controls in grid-row order, never a label alone.
TEST_F(PageRows, EnablingAndCollectingWorkOnWhatTheGridHolds)
{
    auto child = [this] {
        return CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, nullptr, nullptr);
    };
    config_grid[CONFIG_GRID_ROWS + 3].window = child();
    EnableWindow(parent_, FALSE);
    enable_config_controls_like_parent();
    EXPECT_TRUE(IsWindowEnabled(config_grid[CONFIG_GRID_ROWS + 3].window));

    config_layout_place_row(0, child(), child());
    config_layout_place_row(14, child(), child());
    config_grid[7].window = child(); // a label alone is collected as nothing
    enable_config_controls_like_parent();
    for (const grid_slot& slot : config_grid) {
        if (slot.window) {
            EXPECT_FALSE(IsWindowEnabled(slot.window));
        }
    }
    HWND handles[8] = {parent_, parent_};
    int count = 2;
    config_collect_control_handles(handles, &count);
    ASSERT_EQ(count, 5);
    EXPECT_EQ(handles[1], parent_);
    EXPECT_EQ(handles[2], config_grid[CONFIG_GRID_ROWS + 0].window);
    EXPECT_EQ(handles[3], config_grid[CONFIG_GRID_ROWS + 3].window);
    EXPECT_EQ(handles[4], config_grid[CONFIG_GRID_ROWS + 14].window);
    EnableWindow(parent_, TRUE);
}

// The run-time edit's two numbers, and whether the text is taken: no
// letters or other characters, no number above 255.
TEST(RunTime, HoursAndMinutesEachWithinTheirRange)
{
    const struct {
        const char* text;
        int hours;
        int minutes;
        bool accepted;
    } cases[] = {{"12:30", 12, 30, true},  {"3:75", 3, 75, true},       {"7", 7, 0, true},
                 {"300:5", 0, 5, false},   {"-1:10", 0, 10, false},     {"", 0, 0, true},
                 {"abc", 0, 0, false},     {"255:255", 255, 255, true}, {"256:0", 0, 0, false},
                 {"12:xx", 12, 0, false},  {"05:07", 5, 7, true},       {"1:2:3", 1, 2, false},
                 {"0005:07", 5, 7, true},  {" 7: 5 ", 7, 5, true},      {"7:", 7, 0, true},
                 {"7:300", 7, 0, false},   {":30", 0, 0, false},        {"99999999999:1", 0, 1, false},
                 {" \t ", 0, 0, true}};
    for (const auto& c : cases) {
        const run_time t = parse_run_time(c.text);
        EXPECT_EQ(t.hours, c.hours) << c.text;
        EXPECT_EQ(t.minutes, c.minutes) << c.text;
        EXPECT_EQ(t.accepted, c.accepted) << c.text;
    }
}
