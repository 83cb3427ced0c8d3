// The torque/speed page: rows, labels and speed item per setting, what the
// lists' notifications do, entries shown and taken, writes on the wire.
#include "configui/pages/torque_speed.h"

#include "config/instrument_config.h"
#include "configui/engine/config_pages.h"
#include "slots/instrument_slots.h"
#include "tests/configui/page_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum : int { R_REFERENCE, R_GEAR, R_TORQUE_SPEED, R_OFFSET_1, R_TORQUE_SCALE, R_OFFSET_2, R_SPEED_SCALE };

const std::string kRef = "Frequency Reference", kGear = "Gear Ratio", kTs = "Torque Speed", kOff1 = "Offset 1";
const std::string kNmV = "Scale Factor Nm/V", kNmHz = "Scale Factor Nm/Hz", kOff2 = "Offset 2";
const std::string kRpmV = "Scale Factor rpm/V", kPulses = "Scale Factor pulses/rev";

using labels = std::vector<std::string>;

class TorqueSpeed : public PageTest {
protected:
    // The page shown with the items, speed scales 86 "1.5" and 87 250 and
    // gear ratio 130 "1500".
    void show(uint32_t model, std::vector<item_set> items)
    {
        attach(model, 3);
        get_current_config()->set_value_text(86, "1.5");
        get_current_config()->set_value_int(87, 250);
        get_current_config()->set_value_text(130, "1500");
        for (const item_set& set : items)
            get_current_config()->set_value_int(set.item, set.value);
        show_page(page(PAGE_TORQUE_SPEED), config_window());
    }
    static HWND control(int row) { return row_control(page(PAGE_TORQUE_SPEED), row); }
    static std::string text(int row) { return window_text(control(row)); }
};

} // namespace

// Each setting places its scale factors (offsets for analogue inputs), the
// gear ratio for the speed input reference; row 6 shows item 87 for a pulsed
// speed input, else 86.
TEST_F(TorqueSpeed, RowsLabelsAndSpeedItemFollowTheSetting)
{
    const struct {
        uint32_t model;
        int reference;
        int torque_speed;
        labels placed;
        const char* speed_scale;
    } cases[] = {
        {5, 0, 0, {kRef, kTs}, "1.5"}, {4, 2, 0, {kRef, kGear, kTs}, "1.5"},
        {5, 2, 1, {kRef, kGear, kTs, kNmV, kOff1, kRpmV, kOff2}, "1.5"},
        {4, 0, 2, {kRef, kTs, kNmV, kOff1, kPulses}, "250"}, {5, 3, 3, {kRef, kTs, kNmHz, kRpmV, kOff2}, "1.5"},
        {4, 1, 4, {kRef, kTs, kNmHz, kPulses}, "250"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", 38/84 = " << c.reference << c.torque_speed);
        expect_seen_labels(PAGE_TORQUE_SPEED, c.placed,
                           [&] { show(c.model, {{38, c.reference}, {84, c.torque_speed}}); });
        EXPECT_EQ(text(R_SPEED_SCALE), c.speed_scale);
        EXPECT_EQ(config_current_page, 9);
    }
}

// Either list takes a change on any notification: a new setting re-shows
// the page (labels rewritten, an entry not yet left reloaded), a new
// reference only lays it out; the focus goes back to the list.
TEST_F(TorqueSpeed, ChangeOnAnyNotification)
{
    const struct {
        int row;
        int code;
        int index;
        labels placed;
        bool reloaded;
    } cases[] = {
        {R_REFERENCE, CBN_SELCHANGE, 2, {kRef, kGear, kTs, kNmV, kOff1, "stale", kOff2}, false},
        {R_REFERENCE, CBN_KILLFOCUS, 3, {kRef, kTs, kNmV, kOff1, "stale", kOff2}, false},
        {R_TORQUE_SPEED, CBN_DROPDOWN, 4, {kRef, kTs, kNmHz, kPulses}, true},
        {R_TORQUE_SPEED, CBN_SETFOCUS, 0, {kRef, kTs}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << c.row << ", code " << c.code);
        show(5, {{38, 0}, {84, 1}});
        SetWindowTextA(control(R_OFFSET_1), "typed");
        SetWindowTextA(row_label(page(PAGE_TORQUE_SPEED), R_SPEED_SCALE), "stale");
        SetFocus(control(c.row == R_REFERENCE ? R_TORQUE_SPEED : R_REFERENCE));
        choose(PAGE_TORQUE_SPEED, c.row, c.index, false);
        notify_row(PAGE_TORQUE_SPEED, c.row, c.code);
        EXPECT_EQ(group_value(0, c.row == R_REFERENCE ? 38 : 84), c.index);
        EXPECT_EQ(grid_labels(), c.placed);
        EXPECT_EQ(text(R_OFFSET_1) != "typed", c.reloaded);
        EXPECT_EQ(GetFocus(), control(c.row));
    }
}

// A notification that changes nothing neither re-shows nor lays out the
// page, here while the layout is behind item 38.
TEST_F(TorqueSpeed, NotificationWithoutAChangeDoesNothing)
{
    for (int row : {R_REFERENCE, R_TORQUE_SPEED}) {
        for (int code : {CBN_SETFOCUS, CBN_KILLFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_SELENDOK, CBN_SELENDCANCEL}) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", code " << code);
            show(4, {{38, 0}, {84, 1}});
            choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2, false);
            get_current_config()->set_value_int(38, 2);
            SetWindowTextA(row_label(page(PAGE_TORQUE_SPEED), R_TORQUE_SCALE), "stale");
            notify_row(PAGE_TORQUE_SPEED, row, code);
            EXPECT_EQ(group_value(0, 84), 1);
            EXPECT_EQ(grid_labels(), (labels{kRef, kTs, "stale", kOff1, kRpmV, kOff2}));
        }
    }
}

// The WQT55 gear ratio shows with its prefix and ":1" and takes an entry
// ending ":1" without it (never ":1" alone); WQT45 shows and takes the text.
// Row 6 on item 87 takes whole numbers, truncated. No number or one beyond
// the limits is refused once, the item kept.
TEST_F(TorqueSpeed, EntriesShownAndTaken)
{
    const struct {
        uint32_t model;
        int row;
        const char* typed;
        const char* stored; // null: refused
    } cases[] = {
        {5, R_GEAR, "2.5:1", "2.5000E0"}, {5, R_GEAR, "1.5000k:1", "1.5000E3"}, {5, R_GEAR, "4", "4.0000E0"},
        {5, R_GEAR, "10:25", nullptr},    {5, R_GEAR, "10:15", nullptr},        {5, R_GEAR, ":1", nullptr},
        {4, R_GEAR, "2.5", "2.5000E0"},   {4, R_GEAR, "2.5:1", nullptr},        {5, R_SPEED_SCALE, "12.7", "12"},
        {5, R_SPEED_SCALE, "-3.9", nullptr}, {5, R_SPEED_SCALE, "9999.5", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "model " << c.model << ", typed " << c.typed);
        show(c.model, {{38, 2}, {84, 2}});
        const bool gear = c.row == R_GEAR;
        EXPECT_EQ(text(R_GEAR), c.model == 5 ? "1.5000k:1" : "1500");
        msgbox::reset();
        type(PAGE_TORQUE_SPEED, c.row, c.typed);
        const char* kept = gear ? "1500" : "250";
        EXPECT_EQ(group_text(0, gear ? 130 : 87), c.stored != nullptr ? c.stored : kept);
        EXPECT_EQ(msgbox::shown().size(), c.stored != nullptr ? 0u : 1u);
        show_page(page(PAGE_TORQUE_SPEED), config_window());
        if (!gear) {
            EXPECT_EQ(text(R_SPEED_SCALE), c.stored != nullptr ? c.stored : kept);
        }
        EXPECT_EQ(config_current_page, 9);
    }
}

using TorqueSpeedOnTheWire = PageTestOnTheWire;

// With auto-send on each change writes its own item: the reference before
// the setting; row 6 the item it shows; the WQT55 gear ratio without ":1".
TEST_P(TorqueSpeedOnTheWire, ChangesWriteTheirOwnItems)
{
    show_on_wire(PAGE_TORQUE_SPEED, 5, 3, {{38, 0}, {84, 1}});
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 1, false);
    choose(PAGE_TORQUE_SPEED, R_TORQUE_SPEED, 2);
    type(PAGE_TORQUE_SPEED, R_SPEED_SCALE, "360");
    choose(PAGE_TORQUE_SPEED, R_REFERENCE, 2);
    type(PAGE_TORQUE_SPEED, R_GEAR, "2.5:1");
    EXPECT_EQ(item_writes(inst()), (std::vector<std::string>{write_of(38, 1), write_of(84, 2), write_of(87, 360),
                                                             write_of(38, 2), "config,130,2.5000E0"}));
}

INSTANTIATE_ON_BOTH_LINKS(TorqueSpeedOnTheWire);
