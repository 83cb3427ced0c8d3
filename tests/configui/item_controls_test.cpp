// The item controls: a combo box filled with an item's options, and typed
// numbers read with their prefix.
#include "configui/item_controls.h"

#include "config/instrument_config.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

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
        {12, {}, -1},  // a text item: nothing to choose
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
        EXPECT_EQ(number.valid, r.valid);
        EXPECT_DOUBLE_EQ(number.value, r.value);
        EXPECT_EQ(number.digit_count, r.digits);
        EXPECT_EQ(number.text, r.text);
    }
}
