// The configuration pages' services with real controls: a typed value
// checked and stored or put back, the range and ratio combo boxes, and the
// ranging page's phase step.
#include "configui/engine/config_choices_ui.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "frame/auto_configs.h"
#include "link/transport.h"
#include "slots/instrument_slots.h"
#include "tests/configui/config_window_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Bytes that end where a no-access page begins: a read or write past them
// faults.
class guarded_bytes {
public:
    explicit guarded_bytes(size_t size)
        : base_(static_cast<BYTE*>(
              VirtualAlloc(nullptr, 2 * kPage, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)))
    {
        DWORD before = 0;
        VirtualProtect(base_ + kPage, kPage, PAGE_NOACCESS, &before);
        data_ = base_ + kPage - size;
    }
    ~guarded_bytes() { VirtualFree(base_, 0, MEM_RELEASE); }
    guarded_bytes(const guarded_bytes&) = delete;
    guarded_bytes& operator=(const guarded_bytes&) = delete;

    void* data() const { return data_; }

private:
    static constexpr size_t kPage = 4096;
    BYTE* base_;
    BYTE* data_;
};

// The WM_COMMAND ids a page window got.
std::vector<int> g_page_commands;

LRESULT CALLBACK page_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_COMMAND)
        g_page_commands.push_back(LOWORD(wparam));
    return DefWindowProcA(window, message, wparam, lparam);
}

class ConfigChoicesUi : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        AutoConfigs = 0;
        ranging_phase = 1;
        page = make_test_window("ConfigChoicesPage", page_proc);
        ASSERT_NE(page, nullptr);
        edit = CreateWindowA("EDIT", "", WS_CHILD, 0, 0, 50, 20, page, nullptr, nullptr, nullptr);
        voltage = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 200, page,
                                nullptr, nullptr, nullptr);
        current = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 50, 200, page,
                                nullptr, nullptr, nullptr);
        labels.assign(kItemLabelCount, "");
        labels[69] = "Minimum Frequency";
        labels[58] = "Datalog";
    }
    void TearDown() override { DestroyWindow(page); }

    // Moves the link (a cleared one when none is given) into slot 0 as the
    // current instrument with the model, phases and option.
    instrument_config& attach(uint32_t model, uint32_t phases, uint32_t option = 0,
                              link_record* link = nullptr)
    {
        attach_current_instrument(model, phases, option, link);
        return *get_current_config();
    }

    bool validate(instrument_config& cfg, int item, const char* typed)
    {
        std::snprintf(buffer, sizeof buffer, "%s", typed);
        SetWindowTextA(edit, typed);
        return validate_config_entry(page, edit, buffer, sizeof buffer, &cfg, item, labels.data());
    }

    HWND page = nullptr;
    HWND edit = nullptr;
    HWND voltage = nullptr;
    HWND current = nullptr;
    std::vector<const char*> labels;
    char buffer[128];
};

} // namespace

TEST_F(ConfigChoicesUi, TypedValuesStoredOrPutBack)
{
    instrument_config& cfg = attach(5, 3);
    const struct {
        const char* what;
        int item;
        const char* typed;
        bool stored;
        const char* value;   // the item's value afterwards
        const char* message; // nullptr: no message
        const char* edit;    // the edit's text afterwards
        bool pages_rebuilt; // every page marked, the current one shown again
    } cases[] = {
        {"text item in range", 69, "50m", true, "5.0000E-2", nullptr, "50m", false},
        {"SI suffix", 69, "0.2k", true, "2.0000E2", nullptr, "0.2k", false},
        {"above the maximum", 69, "1k", false, "2.0000E2",
         "Minimum Frequency must be set between 0.010000 and 500.000000, the value has been "
         "reverted",
         "2.0000E2", false},
        {"letters only", 69, "abc", false, "2.0000E2",
         "You have entered an invalid number for Minimum Frequency, the value has been reverted",
         "abc", true},
        {"list item takes the whole part", 58, "2.9", true, "2", nullptr, "2.9", false},
        {"list item beyond an int", 58, "5G", false, "2",
         "You have entered an invalid number for Datalog, the value has been reverted", "5G", true},
    };
    const config_window_fixture config(PAGE_SYSTEM_OPTIONS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        msgbox::reset();
        config_window_fixture::set_page_flags(0);
        EXPECT_EQ(validate(cfg, c.item, c.typed), c.stored);
        std::string value;
        EXPECT_EQ(cfg.get_value_string(c.item, value), c.value);
        EXPECT_EQ(window_text(edit), c.edit);
        EXPECT_EQ(config_window_fixture::page_flags(),
                  c.pages_rebuilt ? config.page_flags_with(1, 0) : config.page_flags_with(0, 0));
        const auto boxes = msgbox::shown();
        if (c.message == nullptr) {
            EXPECT_TRUE(boxes.empty());
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, "Incorrect Value");
        EXPECT_EQ(boxes[0].type, UINT(MB_OK));
    }
}

TEST_F(ConfigChoicesUi, LoneMinimumAndAutoSend)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    instrument_config& cfg = attach(5, 3, 0, &sim.link);
    const double none = kNoBound;
    cfg.set_value_int(58, 1);
    cfg.set_maximum(58, none);
    EXPECT_FALSE(validate(cfg, 58, "-1"));
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(msgbox::shown()[0].text,
              "Datalog must be set to 0.000000 or above, the value has been reverted");
    EXPECT_EQ(window_text(edit), "1");
    EXPECT_STREQ(buffer, "1");

    // With "AutoConfigs" on the value goes to the instrument at once.
    AutoConfigs = 1;
    EXPECT_TRUE(validate(cfg, 69, "20"));
    const std::vector<std::string> commands = sim.inst.commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "config,69,2.0000E1"), commands.end());
    EXPECT_EQ(cfg.item_at(69)->changed, 0);
    EXPECT_EQ(get_current_instrument().link_open, 0);
}

// An item of the second table (500 and up) is beyond the labels, and a
// buffer shorter than the pages' 128 bytes holds a text without its NUL:
// neither is read or written past its end; the edit gets the whole stored
// value back.
TEST_F(ConfigChoicesUi, NothingIsTouchedBeyondTheLabelsOrTheBuffer)
{
    instrument_config& cfg = attach(5, 3);
    cfg.define_text_item(*cfg.item_at(600), 600, 1.0, 2.0, "1.5000E0");
    guarded_bytes label_rows(kItemLabelCount * sizeof(const char*));
    const auto rows = static_cast<const char**>(label_rows.data());
    std::fill_n(rows, kItemLabelCount, "Row");
    guarded_bytes small(4);
    const auto typed = static_cast<char*>(small.data());
    std::memcpy(typed, "1234", 4);
    SetWindowTextA(edit, "1234");

    EXPECT_FALSE(validate_config_entry(page, edit, typed, 4, &cfg, 600, rows));
    EXPECT_STREQ(typed, "1.5");
    EXPECT_EQ(window_text(edit), "1.5000E0");
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(msgbox::shown()[0].text,
              " must be set between 1.000000 and 2.000000, the value has been reverted");
}

TEST_F(ConfigChoicesUi, RangeBoxesKeepTheirPositions)
{
    instrument_config& cfg = attach(16, 3, 2);
    cfg.set_value_int(178, 4);
    cfg.set_value_int(179, 6);
    fill_range_choices(voltage, current, 1, 0, 0);
    EXPECT_EQ(combo_texts(voltage).front(), "100mV");
    EXPECT_EQ(combo_texts(current).front(), "1mA") << "a low-current instrument";
    EXPECT_EQ(combo_texts(current).back(), "30A");
    EXPECT_EQ(SendMessageA(voltage, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(SendMessageA(current, CB_GETCURSEL, 0, 0), 6);

    // The user picked other positions; new lists keep them.
    SendMessageA(voltage, CB_SETCURSEL, 2, 0);
    SendMessageA(current, CB_SETCURSEL, 1, 0);
    fill_range_choices(voltage, current, 1, 1, 1);
    EXPECT_EQ(combo_texts(voltage).front(), "[1mV]");
    EXPECT_EQ(combo_texts(current).back(), "[3V]");
    EXPECT_EQ(SendMessageA(voltage, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageA(current, CB_GETCURSEL, 0, 0), 1);
    // All three voltage items got the list, whatever the selector.
    EXPECT_EQ(std::string(cfg.item_at(26)->options.front()), "[1mV]");
    EXPECT_EQ(std::string(cfg.item_at(202)->options.front()), "[1mV]");
    EXPECT_EQ(std::string(cfg.item_at(27)->options.front()), "[1mV]");
}

// The ratio box asks the two-group rules about the active group as 0 or 1:
// the first group's phase pairs start at its wiring's first phase, the
// second group's at phase 4; a three-phase instrument's first group is
// never offered a phase it does not have.
TEST_F(ConfigChoicesUi, RatioBoxForEachGroup)
{
    const struct {
        uint32_t phases;
        int group;
        const char* pair;
    } cases[] = {{3, 0, "Phase 1 / Phase 2"}, {6, 1, "Phase 4 / Phase 5"}, {6, 0, "Phase 1 / Phase 2"}};
    for (const auto& c : cases) {
        attach(16, c.phases);
        set_current_active_group(c.group);
        fill_ratio_choices(voltage, 0, static_cast<int>(c.phases), 1);
        const std::vector<std::string> texts = combo_texts(voltage);
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts[1], c.pair) << c.phases << " phases, group " << c.group;
    }
    attach(16, 3);
    for (int grouping = 0; grouping <= 2; ++grouping) {
        for (int wiring = 0; wiring <= 6; ++wiring) {
            fill_ratio_choices(voltage, grouping, 3, wiring);
            for (const std::string& text : combo_texts(voltage))
                EXPECT_EQ(text.find_first_of("456"), std::string::npos)
                    << text << " (grouping " << grouping << ", wiring " << wiring << ")";
        }
    }
}

TEST_F(ConfigChoicesUi, RangingPhaseStepsOrLeavesTheView)
{
    instrument_config& cfg = attach(16, 6);
    cfg.set_value_int(82, 6);
    cfg.set_value_int(22, 0);
    cfg.set_value_int(23, 3); // all six phases
    ranging_phase = 1;
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        advance_ranging_phase(page, &cfg);
        seen.push_back(ranging_phase);
    }
    EXPECT_EQ(seen, (std::vector<int>{3, 4, 6, 1}));

    // A grouping that measures no phase: the page is told to leave.
    attach(16, 5);
    get_current_config()->set_value_int(23, 5);
    g_page_commands.clear();
    advance_ranging_phase(page, get_current_config().get());
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(g_page_commands, std::vector<int>{CMD_LEAVE_RANGING_VIEW});
    EXPECT_EQ(ranging_phase, 1);
}
