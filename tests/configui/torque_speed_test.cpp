// The torque/speed page: the rows and labels each torque and speed setting
// shows and the item row 6 stands for, what a change of either list leads
// to on any notification, the gear ratio shown and taken in each family,
// whole numbers in row 6, and the writes on the wire.
#include "configui/pages/torque_speed.h"

#include "config/instrument_config.h"
#include "configui/config_pages.h"
#include "configui/pages/page_kinds.h"
#include "frame/auto_configs.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum : int { R_REFERENCE, R_GEAR, R_TORQUE_SPEED, R_OFFSET_1, R_TORQUE_SCALE, R_OFFSET_2, R_SPEED_SCALE };

constexpr uint32_t kWqt45 = 4;
constexpr uint32_t kWqt55 = 5;

const std::string kReference = "Frequency Reference";
const std::string kGear = "Gear Ratio";
const std::string kTorqueSpeed = "Torque Speed";
const std::string kNmPerVolt = "Scale Factor Nm/V";
const std::string kNmPerHertz = "Scale Factor Nm/Hz";
const std::string kRpmPerVolt = "Scale Factor rpm/V";
const std::string kPulsesPerRev = "Scale Factor pulses/rev";
const std::string kOffset1 = "Offset 1";
const std::string kOffset2 = "Offset 2";

using labels = std::vector<std::string>;

class TorqueSpeed : public PageTest {
protected:
    // The instrument with its items (the speed scale factors told apart:
    // item 86 "1.5", item 87 250) and the page shown.
    void show(uint32_t model, std::vector<item_set> items)
    {
        attach(model, 3);
        get_current_config()->set_value_text(86, "1.5");
        get_current_config()->set_value_int(87, 250);
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(PAGE_TORQUE_SPEED), config_window());
    }
    static HWND control(int row) { return row_control(page(PAGE_TORQUE_SPEED), row); }
    static HWND label(int row) { return row_label(page(PAGE_TORQUE_SPEED), row); }
    static std::string text(int row) { return window_text(control(row)); }
    static int item(int number)
    {
        int value = 0;
        return get_current_config()->get_value_int(number, value);
    }
    static std::string item_text(int number)
    {
        std::string value;
        return get_current_config()->get_value_string(number, value);
    }
    // A list's notification of any kind, as the list sends it.
    void notify(int row, int code) const
    {
        SendMessageA(config_window(), WM_COMMAND, MAKEWPARAM(kPageIdBase[PAGE_TORQUE_SPEED] + row, code),
                     reinterpret_cast<LPARAM>(control(row)));
    }
};

} // namespace

// Only the WQT45 and WQT55 families have the page.
TEST_F(TorqueSpeed, OnlyTheWqt45AndWqt55FamiliesHaveThePage)
{
    for (int family = 0; family < 5; ++family) {
        const bool has = family == static_cast<int>(config_family::wqt45xx) ||
                         family == static_cast<int>(config_family::wqt55xx);
        EXPECT_EQ(find_page_def(PAGE_TORQUE_SPEED, static_cast<config_family>(family)) != nullptr, has) << family;
    }
}

// Each torque and speed setting places its scale factors, each above its
// offset for an analogue input; the gear ratio only for the speed input
// reference; row 6 shows item 87 for a pulsed speed input, else item 86,
// whatever its label says.
TEST_F(TorqueSpeed, RowsLabelsAndSpeedItemFollowTheSetting)
{
    const struct {
        uint32_t model;
        int reference;
        int torque_speed;
        labels placed;
        const char* speed_scale;
    } cases[] = {
        {kWqt55, 0, 0, {kReference, kTorqueSpeed}, "1.5"},
        {kWqt45, 2, 0, {kReference, kGear, kTorqueSpeed}, "1.5"},
        {kWqt55, 2, 1, {kReference, kGear, kTorqueSpeed, kNmPerVolt, kOffset1, kRpmPerVolt, kOffset2}, "1.5"},
        {kWqt45, 0, 2, {kReference, kTorqueSpeed, kNmPerVolt, kOffset1, kPulsesPerRev}, "250"},
        {kWqt55, 3, 3, {kReference, kTorqueSpeed, kNmPerHertz, kRpmPerVolt, kOffset2}, "1.5"},
        {kWqt45, 1, 4, {kReference, kTorqueSpeed, kNmPerHertz, kPulsesPerRev}, "250"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", item 38 " << c.reference << ", item 84 "
                                        << c.torque_speed);
        show(c.model, {{38, c.reference}, {84, c.torque_speed}});
        EXPECT_EQ(grid_labels(), c.placed);
        EXPECT_EQ(text(R_SPEED_SCALE), c.speed_scale);
        EXPECT_EQ(config_current_page, 9);
    }
    // Item 84 = 0 shows neither scale factor, but their labels still follow it.
    show(kWqt55, {{84, 0}});
    EXPECT_EQ(window_text(label(R_TORQUE_SCALE)), kNmPerVolt);
    EXPECT_EQ(window_text(label(R_SPEED_SCALE)), kPulsesPerRev);
}

// A new torque and speed setting shows the page again: the labels follow
// it, row 6 shows the other item, an entry not yet left is reloaded, the
// focus goes back to the list, and row 6 then sets the item it shows.
TEST_F(TorqueSpeed, NewSettingShowsThePageAgain)
{
    show(kWqt55, {{84, 1}});
    SetWindowTextA(control(R_OFFSET_1), "typed");
    SetFocus(control(R_REFERENCE));
    choose(PAGE_TORQUE_SPEED, R_TORQUE_SPEED, 2);
    EXPECT_EQ(item(84), 2);
    EXPECT_EQ(GetFocus(), control(R_TORQUE_SPEED));
    EXPECT_EQ(window_text(label(R_SPEED_SCALE)), kPulsesPerRev);
    EXPECT_EQ(text(R_SPEED_SCALE), "250");
    EXPECT_NE(text(R_OFFSET_1), "typed");
    EXPECT_EQ(grid_labels(), (labels{kReference, kTorqueSpeed, kNmPerVolt, kOffset1, kPulsesPerRev}));
    type(PAGE_TORQUE_SPEED, R_SPEED_SCALE, "300");
    EXPECT_EQ(item(87), 300);
    EXPECT_EQ(item_text(86), "1.5");
}

// A new frequency reference lays the page out only: the gear ratio comes,
// nothing is reloaded or relabelled, the focus goes back to the list.
TEST_F(TorqueSpeed, NewReferenceLaysThePageOutOnly)
{
    show(kWqt45, {{38, 0}, {84, 4}});
    SetWindowTextA(control(R_TORQUE_SCALE), "typed");
    SetWindowTextA(label(R_SPEED_SCALE), "stale");
    SetFocus(control(R_TORQUE_SPEED));
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2);
    EXPECT_EQ(item(38), 2);
    EXPECT_EQ(GetFocus(), control(R_REFERENCE));
    EXPECT_EQ(text(R_TORQUE_SCALE), "typed");
    EXPECT_EQ(grid_labels(), (labels{kReference, kGear, kTorqueSpeed, kNmPerHertz, "stale"}));
}

// Either list takes a change on whatever notification it sends, not only
// at the end of a selection.
TEST_F(TorqueSpeed, AnyNotificationTakesAChange)
{
    const struct {
        int row;
        int code;
        int index;
        labels placed;
    } cases[] = {
        {R_REFERENCE, CBN_SELCHANGE, 2, {kReference, kGear, kTorqueSpeed, kNmPerVolt, kOffset1, kRpmPerVolt, kOffset2}},
        {R_REFERENCE, CBN_KILLFOCUS, 2, {kReference, kGear, kTorqueSpeed, kNmPerVolt, kOffset1, kRpmPerVolt, kOffset2}},
        {R_TORQUE_SPEED, CBN_DROPDOWN, 4, {kReference, kTorqueSpeed, kNmPerHertz, kPulsesPerRev}},
        {R_TORQUE_SPEED, CBN_SETFOCUS, 0, {kReference, kTorqueSpeed}},
        {R_TORQUE_SPEED, CBN_CLOSEUP, 3, {kReference, kTorqueSpeed, kNmPerHertz, kRpmPerVolt, kOffset2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", code " << c.code);
        show(kWqt55, {{38, 0}, {84, 1}});
        choose(PAGE_TORQUE_SPEED, c.row, c.index, false);
        notify(c.row, c.code);
        EXPECT_EQ(item(c.row == R_REFERENCE ? 38 : 84), c.index);
        EXPECT_EQ(grid_labels(), c.placed);
    }
}

// A notification that changes nothing (opening the list, the focus coming
// or going) stores nothing and neither shows the page again nor lays it
// out, here while the page's layout is behind item 38.
TEST_F(TorqueSpeed, NotificationWithoutAChangeDoesNothing)
{
    const int codes[] = {CBN_SETFOCUS, CBN_KILLFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELCHANGE, CBN_SELENDOK,
                         CBN_SELENDCANCEL};
    for (int row : {R_REFERENCE, R_TORQUE_SPEED}) {
        for (int code : codes) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", code " << code);
            show(kWqt45, {{38, 0}, {84, 1}});
            choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2, false);
            get_current_config()->set_value_int(38, 2);
            SetWindowTextA(label(R_TORQUE_SCALE), "stale");
            notify(row, code);
            EXPECT_EQ(item(84), 1);
            EXPECT_EQ(grid_labels(), (labels{kReference, kTorqueSpeed, "stale", kOffset1, kRpmPerVolt, kOffset2}));
        }
    }
}

// The gear ratio: the WQT55 family shows it with its prefix and ":1" and
// takes an entry without a ":1" in its last three characters as typed, else
// without its last two; the WQT45 family shows and takes the text as it is.
// What is no number is refused once and the item keeps its value.
TEST_F(TorqueSpeed, GearRatioShownAndTaken)
{
    const struct {
        uint32_t model;
        const char* stored;
        const char* shown;
    } shown[] = {{kWqt55, "2.5", "2.5000:1"}, {kWqt55, "1500", "1.5000k:1"}, {kWqt45, "2.5", "2.5"}};
    for (const auto& s : shown) {
        show(s.model, {{38, 2}});
        get_current_config()->set_value_text(130, s.stored);
        show_page(page(PAGE_TORQUE_SPEED), config_window());
        EXPECT_EQ(text(R_GEAR), s.shown) << s.model << " " << s.stored;
    }

    const char* const kRefused = nullptr;
    const struct {
        uint32_t model;
        const char* typed;
        const char* stored; // null: refused
    } taken[] = {
        {kWqt55, "2.5:1", "2.5000E0"},     {kWqt55, "3:1", "3.0000E0"},  {kWqt55, "1.5000k:1", "1.5000E3"},
        {kWqt55, "4", "4.0000E0"},         {kWqt55, "10:25", kRefused},  {kWqt55, "10:15", kRefused},
        {kWqt55, ":1", kRefused},          {kWqt55, "x", kRefused},      {kWqt45, "2.5", "2.5000E0"},
        {kWqt45, "2.5:1", kRefused},
    };
    for (const auto& t : taken) {
        SCOPED_TRACE(testing::Message() << "model " << t.model << ", typed " << t.typed);
        show(t.model, {{38, 2}});
        get_current_config()->set_value_text(130, "7");
        msgbox::reset();
        type(PAGE_TORQUE_SPEED, R_GEAR, t.typed);
        EXPECT_EQ(item_text(130), t.stored != kRefused ? t.stored : "7");
        EXPECT_EQ(msgbox::shown().size(), t.stored != kRefused ? 0u : 1u);
        EXPECT_EQ(config_current_page, 9);
    }
}

// Row 6 on item 87 takes whole numbers: a fraction is cut towards zero; a
// value beyond the item's limits is refused and the row shows the stored
// value again.
TEST_F(TorqueSpeed, PulsesPerRevolutionAreWholeNumbers)
{
    const struct {
        const char* typed;
        int stored;
        const char* shown;
        size_t messages;
    } cases[] = {
        {"12.7", 12, "12", 0}, {"1.9", 1, "1", 0}, {"-3.9", 250, "250", 1}, {"9999.5", 250, "250", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        show(kWqt55, {{84, 2}});
        msgbox::reset();
        type(PAGE_TORQUE_SPEED, R_SPEED_SCALE, c.typed);
        EXPECT_EQ(item(87), c.stored);
        EXPECT_EQ(msgbox::shown().size(), c.messages);
        show_page(page(PAGE_TORQUE_SPEED), config_window());
        EXPECT_EQ(text(R_SPEED_SCALE), c.shown);
    }
}

class TorqueSpeedOnTheWire : public PageTestOnTheWire {
protected:
    static HWND control(int row) { return row_control(page(PAGE_TORQUE_SPEED), row); }
};

// With auto-send on, each change writes its own item: the reference before
// the setting when both lists changed; row 6 the item it shows; the WQT55
// gear ratio without its ":1".
TEST_P(TorqueSpeedOnTheWire, ChangesWriteTheirOwnItems)
{
    show_on_wire(PAGE_TORQUE_SPEED, kWqt55, 3, {{38, 0}, {84, 1}});
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2);
    EXPECT_EQ(item_writes(inst()), std::vector<std::string>{write_of(38, 2)});

    inst().clear_received();
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 1, false);
    choose(PAGE_TORQUE_SPEED, R_TORQUE_SPEED, 2);
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(38, 1), write_of(84, 2)}));

    inst().clear_received();
    type(PAGE_TORQUE_SPEED, R_SPEED_SCALE, "360");
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2);
    type(PAGE_TORQUE_SPEED, R_GEAR, "2.5:1");
    EXPECT_EQ(item_writes(inst()),
              (std::vector<std::string>{write_of(87, 360), write_of(38, 2), "config,130,2.5000E0"}));
}

INSTANTIATE_TEST_SUITE_P(Both, TorqueSpeedOnTheWire, testing::Values(link_kind::lan, link_kind::serial),
                         link_kind_name);
