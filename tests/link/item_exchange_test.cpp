// Single configuration items against the simulated instrument, over a TCP
// stream and a COM pty pair: the bytes on the wire, retries, and every code
// a failed exchange throws.
#include "link/item_exchange.h"
#include "link/transport.h"
#include "tests/support/comms_log_capture.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using wqt_sim::action;

const std::string kDc4 = "\x14";
constexpr int kReadTimeoutMs = 300;
constexpr int kDrainMs = 100;  // after every DC4
constexpr DWORD kTryAtLeastMs = kReadTimeoutMs + kDrainMs;

class ItemExchange : public SimLinkTest {
protected:
    void SetUp() override
    {
        SimLinkTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
        set_read_timeout(kReadTimeoutMs, link);
        wait_received(*inst, 1);
        inst->clear_received();
    }
    void TearDown() override
    {
        if (link && link->link_open)
            set_read_timeout(kDefaultReadTimeoutMs, link);
        SimLinkTest::TearDown();
    }
    // The code thrown by f, or a marker when nothing was thrown.
    template <class F>
    int64_t thrown_by(F f)
    {
        try {
            f();
        } catch (item_error_code code) {
            return code;
        }
        return INT64_MIN;
    }

};

TEST_P(ItemExchange, ReadSendsOneQueryAndCutsTheReplyToTheBuffer)
{
    inst->set_item(5, "12345");
    char text[4] = "xyz";
    read_config_item(5, text, sizeof text, link);
    EXPECT_STREQ("123", text);
    EXPECT_EQ(wire({"config,5?\n"}), inst->received());

    inst->set_item(5, "12abc");
    EXPECT_EQ(12, read_config_int(5, link));
    EXPECT_EQ(12, read_config_int_range(5, 12, 12, link));
}

TEST_P(ItemExchange, ReadIsRetriedAfterDc4)
{
    inst->set_item(5, "42");
    inst->add_rule({"config,5?", action::silence, "", 0, 2});
    const DWORD start = GetTickCount();
    EXPECT_EQ(42, read_config_int(5, link));
    // Each unanswered try waits out the time-out, then drains for 100 ms.
    EXPECT_GE(GetTickCount() - start, 2 * kTryAtLeastMs);
    const std::string q = "config,5?\n";
    EXPECT_EQ(wire({q, kDc4, q, kDc4, q}), inst->received());
}

TEST_P(ItemExchange, LateReplyIsDrainedAway)
{
    // The first answer comes after the read time-out, while the link is
    // drained after DC4: it is thrown away. The retry gets its own answer and
    // the next item's read is not one answer behind.
    inst->set_item(5, "42");
    inst->set_item(6, "7");
    inst->add_rule({"config,5?", action::reply, "99", kReadTimeoutMs + kDrainMs / 2, 1});
    EXPECT_EQ(42, read_config_int(5, link));
    EXPECT_EQ(7, read_config_int(6, link));
    const std::string q = "config,5?\n";
    EXPECT_EQ(wire({q, kDc4, q, "config,6?\n"}), inst->received());
}

TEST_P(ItemExchange, ThreeUnansweredReadsThrowTheId)
{
    inst->add_rule({"config,5?", action::silence, "", 0, 3});
    char text[16];
    const DWORD start = GetTickCount();
    EXPECT_EQ(5, thrown_by([&] { read_config_item(5, text, sizeof text, link); }));
    EXPECT_GE(GetTickCount() - start, 3 * kTryAtLeastMs);
    const std::string q = "config,5?\n";
    EXPECT_EQ(wire({q, kDc4, q, kDc4, q, kDc4}), wait_received(*inst, wire({q, kDc4}).size() * 3));
    EXPECT_STREQ("", text);
}

TEST_P(ItemExchange, IntegerReadCodes)
{
    // A leading minus sign is not a number.
    inst->add_rule({"config,5?", action::reply, "-3", 0, 3});
    const int64_t not_number = thrown_by([&] { read_config_int(5, link); });
    EXPECT_EQ(5 - 0x20000, not_number);
    EXPECT_EQ(65534u, item_error_result(static_cast<item_error_code>(not_number)));
    EXPECT_EQ(5, item_error_id(static_cast<item_error_code>(not_number)));
    const std::string q = "config,5?\n";
    EXPECT_EQ(wire({q, kDc4, q, kDc4, q, kDc4}), wait_received(*inst, wire({q, kDc4}).size() * 3));

    // An empty text: a lone byte of a cut-short binary record. The last of
    // the three replies decides between empty and not a number.
    inst->add_rule({"config,6?", action::reply, "abc", 0, 2});
    inst->add_rule({"config,6?", action::raw, "\x80\r\n", 0, 1});
    const int64_t empty = thrown_by([&] { read_config_int_range(6, 0, 9, link); });
    EXPECT_EQ(6 - 0x10000, empty);
    EXPECT_EQ(65535u, item_error_result(static_cast<item_error_code>(empty)));

    inst->add_rule({"config,6?", action::raw, "\x80\r\n", 0, 2});
    inst->add_rule({"config,6?", action::reply, "x", 0, 1});
    EXPECT_EQ(6 - 0x20000, thrown_by([&] { read_config_int(6, link); }));

    // One bad reply, then a good one.
    inst->set_item(6, "7");
    inst->add_rule({"config,6?", action::reply, "?", 0, 1});
    EXPECT_EQ(7, read_config_int(6, link));
}

TEST_P(ItemExchange, OutOfRangeThrowsTheValueAtOnce)
{
    inst->set_item(30, "7");
    EXPECT_EQ(458782, thrown_by([&] { read_config_int_range(30, 0, 3, link); }));
    EXPECT_EQ(wire({"config,30?\n", kDc4}), wait_received(*inst, wire({"config,30?\n", kDc4}).size()));

    // The bounds are signed and inclusive.
    inst->set_item(30, "3");
    EXPECT_EQ(3, read_config_int_range(30, -5, 3, link));
    inst->set_item(30, "0");
    EXPECT_EQ(make_item_error_code(30, 0), thrown_by([&] { read_config_int_range(30, 1, 3, link); }));
    // A value beyond 0x7FFF wraps into the high half.
    inst->set_item(30, "70000");
    EXPECT_EQ(static_cast<int32_t>(30u + (70000u << 16)),
              thrown_by([&] { read_config_int_range(30, 0, 3, link); }));
}

TEST_P(ItemExchange, WriteSendsTheItemAndOneStatusQuery)
{
    const DWORD start = GetTickCount();
    write_config_int(12, -5, link);
    EXPECT_GE(GetTickCount() - start, 200u);
    EXPECT_EQ(wire({"config,12,-5\n", "*esr?\n"}), inst->received());
    EXPECT_EQ("-5", inst->item(12));

    inst->clear_received();
    write_config_item(3, "1.5E3", link);
    EXPECT_EQ(wire({"config,3,1.5E3\n", "*esr?\n"}), inst->received());
}

TEST_P(ItemExchange, RefusedWriteIsRetriedAfterDc4)
{
    inst->add_rule({"config,12,", action::refuse, "", 0, 1});
    write_config_int(12, 5, link);
    const std::string c = "config,12,5\n";
    EXPECT_EQ(wire({c, "*esr?\n", kDc4, c, "*esr?\n"}), inst->received());
    EXPECT_EQ("5", inst->item(12));
}

TEST_P(ItemExchange, StatusValues)
{
    // 36 (QYE and CME) and 160 (AND 127 = 32) fail; 4 (QYE) is taken.
    inst->add_rule({"*esr?", action::reply, "36", 0, 1});
    inst->add_rule({"*esr?", action::reply, "160", 0, 1});
    inst->add_rule({"*esr?", action::reply, "4", 0, 1});
    write_config_int(12, 1, link);
    const std::string c = "config,12,1\n";
    EXPECT_EQ(wire({c, "*esr?\n", kDc4, c, "*esr?\n", kDc4, c, "*esr?\n"}), inst->received());

    // A status line that begins with a letter reads as 0: taken.
    inst->clear_received();
    inst->add_rule({"*esr?", action::reply, "OK", 0, 1});
    write_config_int(12, 2, link);
    EXPECT_EQ(wire({"config,12,2\n", "*esr?\n"}), inst->received());
}

// A status reply and how the write judges it: bit 7 is masked off, a text
// that is no number counts as 0, an empty line as no reply (and is logged
// as one).
struct status_case {
    const char* reply;
    const char* logged;  // the "ESR : " line of the attempt
    bool taken;          // at the first attempt; else the second one takes it
};

const status_case kStatusCases[] = {
    {"132", "ESR : 4 QYE \n", true},
    {"4", "ESR : 4 QYE \n", true},
    {"160", "ESR : 32 CME \n", false},
    {"-4", "ESR : 124 QYE DDE EXE CME \n", false},
    {"OK", "ESR : 0 \n", true},
    {"", "ESR : no reply\n", false},
};

TEST_P(ItemExchange, StatusIsMaskedAndReadAsANumber)
{
    const std::string c = "config,12,3\n";
    const std::string e = "*esr?\n";
    for (const status_case& row : kStatusCases) {
        SCOPED_TRACE(std::string("status reply \"") + row.reply + "\"");
        comms_log_capture log("esr");
        inst->clear_received();
        inst->set_item(12, "0");
        inst->add_rule({"*esr?", action::reply, row.reply, 0, 1});
        write_config_int(12, 3, link);
        EXPECT_EQ("3", inst->item(12));
        std::vector<std::string> expected{row.logged};
        if (row.taken) {
            EXPECT_EQ(wire({c, e}), inst->received());
        } else {
            EXPECT_EQ(wire({c, e, kDc4, c, e}), inst->received());
            expected.push_back("ESR : 0 \n");
        }
        EXPECT_EQ(expected, log.lines_starting("ESR : "));
    }
}

TEST_P(ItemExchange, FourRefusalsThrowTheStatus)
{
    inst->add_rule({"config,12,", action::refuse, "", 0, 4});
    inst->set_item(12, "old");
    const int64_t code = thrown_by([&] { write_config_int(12, 9, link); });
    EXPECT_EQ(12 + (32 << 16), code);
    EXPECT_EQ(32u, item_error_result(static_cast<item_error_code>(code)));
    const std::string c = "config,12,9\n";
    const std::string e = "*esr?\n";
    EXPECT_EQ(wire({c, e, kDc4, c, e, kDc4, c, e, kDc4, c, e}), inst->received());
    EXPECT_EQ("old", inst->item(12));
}

TEST_P(ItemExchange, UnansweredStatusIsNoReplyOnBothLinks)
{
    // No status line means the instrument never confirmed the write: four
    // attempts, then the id alone (status 0, no reply).
    inst->add_rule({"*esr?", action::silence, "", 0, 4});
    EXPECT_EQ(12, thrown_by([&] { write_config_int(12, 1, link); }));
    const std::string c = "config,12,1\n";
    const std::string e = "*esr?\n";
    EXPECT_EQ(wire({c, e, kDc4, c, e, kDc4, c, e, kDc4, c, e}), inst->received());
}

INSTANTIATE_OVER_BOTH_LINKS(ItemExchange);

TEST(ItemExchangeLog, StatusLinesNameTheSetBits)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    comms_log_capture log("esr");

    ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
    sim.inst.add_rule({"*esr?", action::reply, "109", 0, 1}); // 1 + 4 + 8 + 32 + 64
    sim.inst.add_rule({"*esr?", action::reply, "16", 0, 1});
    write_config_int(2, 1, &sim.link);
    open_close_link(LINK_CLOSE, &sim.link);

    // 16 (EXE) is below 32: the second attempt was taken, there is no third.
    const std::vector<std::string> expected{"ESR : 109 OPC QYE DDE CME \n", "ESR : 16 EXE \n"};
    EXPECT_EQ(expected, log.lines_starting("ESR : ")) << log.text();
}

} // namespace
