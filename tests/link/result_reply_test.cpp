// Result replies: decoding ASCII, tagged and binary records, reading them
// over a link, their comms-log line and each thread's own reply.
#include "link/result_reply.h"

#include "link/comms_log.h"
#include "link/transport.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr double kUntouched = -777.0;
using values = std::vector<double>;

// Binary records (4 bytes each) from the edge cases of the format.
const std::string kFour("\x83\x20\x80\x80", 4);         // 4.0
const std::string kFourEighth("\x83\x21\x80\x80", 4);   // 4.125
const std::string kMinusFour("\x83\x60\x80\x80", 4);    // -4.0

values untouched(size_t n)
{
    return values(n, kUntouched);
}

// ---- Decoding and parsing -------------------------------------------------------

TEST(ResultReplyDecode, RecordsOfTheFormat)
{
    struct row {
        std::string record;
        double value;
        const char* text;
    };
    const row rows[] = {
        {kFour, 4.0, "4.00000E0"},
        {kFourEighth, 4.125, "4.12500E0"},
        {kMinusFour, -4.0, "-4.00000E0"},
        {std::string("\x83\xA0\x00\x00", 4), 4.0, "4.00000E0"}, // bit 7 of bytes 1-3 ignored
        {std::string("\xC0\x20\x80\x80", 4), std::ldexp(1.0, -65), "2.71051E-20"}, // e = -64
        {std::string("\xBF\x7F\xFF\xFF", 4), -std::ldexp(1048575.0, 43), "-9.22336E18"},
        // Present bit clear: 0 whatever the other bits (the sign included).
        {std::string("\xFF\x5F\xFF\xFF", 4), 0.0, "0.00000E0"},
    };
    for (const row& r : rows) {
        char text[kBinaryValueTextSize];
        double v = decode_binary_value(r.record.data(), text);
        EXPECT_EQ(v, r.value) << r.text;
        EXPECT_EQ(std::signbit(v), std::signbit(r.value)) << r.text;
        EXPECT_STREQ(text, r.text);
        EXPECT_EQ(decode_binary_value(r.record.data()), r.value);
    }
}

// Parses text with capacity max into a fresh array; returns the result and
// the array (untouched places keep kUntouched).
std::pair<int, values> parsed(int (*parse)(const char*, double*, int, size_t),
                              const std::string& text, int max = 6)
{
    values out = untouched(8);
    int n = parse(text.c_str(), out.data(), max, text.size());
    return {n, out};
}

std::pair<int, values> parsed(int (*parse)(const char*, double*, int), const std::string& text,
                              int max = 6)
{
    values out = untouched(8);
    int n = parse(text.c_str(), out.data(), max);
    return {n, out};
}

TEST(ResultReplyParse, AsciiReplies)
{
    auto head = [](const std::pair<int, values>& p, size_t n) {
        return values(p.second.begin(), p.second.begin() + n);
    };
    auto p = parsed(parse_result_values, "1,,3");
    EXPECT_EQ(p.first, 3);
    EXPECT_EQ(head(p, 4), (values{1, 0, 3, kUntouched}));
    p = parsed(parse_result_values, "1.5,-2e3,abc,4\n");
    EXPECT_EQ(head(p, 5), (values{1.5, -2000, 0, 4, kUntouched}));
    p = parsed(parse_result_values, "1,2,3", 2);
    EXPECT_EQ(head(p, 3), (values{1, 2, kUntouched}));
    EXPECT_EQ(parsed(parse_result_values, "1,2", 0).first, 0);
    EXPECT_EQ(parsed(parse_result_values, "1,2", -5).second[0], kUntouched);
    // Nothing but separators: every empty field is a 0.
    p = parsed(parse_result_values, ",,,");
    EXPECT_EQ(p.first, 4);
    EXPECT_EQ(head(p, 5), (values{0, 0, 0, 0, kUntouched}));

    p = parsed(parse_result_values_strict, "1.234567,-12.34567,1234.567890");
    EXPECT_EQ(head(p, 4), (values{1.234567, -12.34567, 1234.56789, kUntouched}));
    EXPECT_EQ(parsed(parse_result_values_strict, "1.234567,bad", 1).first, 1); // not checked
    const char* malformed[] = {"1.2345", "12345678", "1.23.4567", "1.2345678901",
                               "1.234567,,2.345678", ",,,", ""};
    for (const char* text : malformed)
        EXPECT_EQ(parsed(parse_result_values_strict, text).first, -1) << text;
}

TEST(ResultReplyParse, BinaryReplies)
{
    std::string three = kFour + "," + kFourEighth + "," + kMinusFour;
    auto p = parsed(parse_result_values, three);
    EXPECT_EQ(p.first, 3);
    EXPECT_EQ(p.second[2], -4.0);
    EXPECT_EQ(p.second[3], kUntouched);
    EXPECT_EQ(parsed(parse_result_values_strict, three + ",\n").first, 3);
    EXPECT_EQ(parsed(parse_result_values, three, 2).second[2], kUntouched);

    // A record holding a separator byte is malformed to the strict parse only.
    std::string comma = kFour + "," + std::string("\x83\x20,\x80", 4);
    EXPECT_EQ(parsed(parse_result_values_strict, comma).first, -1);
    EXPECT_EQ(parsed(parse_result_values, comma).first, 2);

    // Records cut short by the end of the reply are not values.
    std::string cut = kFour + "," + kFourEighth + "," + kFour.substr(0, 2);
    p = parsed(parse_result_values, cut);
    EXPECT_EQ(p.first, 2);
    EXPECT_EQ(p.second[2], kUntouched);
    EXPECT_EQ(parsed(parse_result_values_strict, cut).first, -1);
    EXPECT_EQ(parsed(parse_result_values, kFour + "," + kFourEighth + ",\n").first, 2);
    EXPECT_EQ(parsed(parse_result_values, "\x83").first, 0);
    EXPECT_EQ(parsed(parse_result_values_strict, "\x83").first, -1);
}

TEST(ResultReplyParse, NulBytesInsideRecordsAreData)
{
    // A value of 0 may come with NUL bytes in its record; the parse goes on
    // to the reply's length. ASCII text still ends at its first NUL.
    const std::string zero("\x80\x00\x00\x80", 4);
    const std::string last_nul("\x83\x20\x80\x00", 4); // 4.0, last byte NUL
    const std::string reply = kFour + "," + zero + "," + kMinusFour + "," + last_nul;
    const values expected{4, 0, -4, 4, kUntouched};
    for (auto parse : {parse_result_values, parse_result_values_strict}) {
        auto p = parsed(parse, reply);
        EXPECT_EQ(p.first, 4);
        EXPECT_EQ(values(p.second.begin(), p.second.begin() + 5), expected);
        EXPECT_EQ(parsed(parse, zero + "," + kFour).first, 2);
    }
    EXPECT_EQ(parsed(parse_result_values, std::string("1,2\0,3", 6)).first, 2);
}

TEST(ResultReplyParse, ExponentTextsReadBack)
{
    auto p = parsed(parse_result_values_exp, "1.23450E3,1.23450E-5,-4.00000E2,2.5");
    EXPECT_EQ(p.first, 4);
    EXPECT_DOUBLE_EQ(p.second[0], 1234.5);
    EXPECT_DOUBLE_EQ(p.second[1], 0.000012345);
    EXPECT_DOUBLE_EQ(p.second[2], -400.0);
    EXPECT_DOUBLE_EQ(p.second[3], 2.5); // no E: exponent 0

    // Mantissas rounded to five decimals, half away from zero; at most 15
    // characters read; too big for a 32-bit rounding, still kept.
    p = parsed(parse_result_values_exp, "-1.234567E0,1.000004E1,1.2345678901234567E2,123456789.5E0");
    EXPECT_EQ(p.first, 4);
    EXPECT_DOUBLE_EQ(p.second[0], -1.23457);
    EXPECT_DOUBLE_EQ(p.second[1], 10.0);
    EXPECT_DOUBLE_EQ(p.second[2], 123.457);
    EXPECT_DOUBLE_EQ(p.second[3], 123456789.5);

    // Huge exponents: overflow to infinity; zero stays zero.
    p = parsed(parse_result_values_exp, "1.0E99999,0.00000E99999,1.0E-99999");
    EXPECT_TRUE(std::isinf(p.second[0]));
    EXPECT_EQ(p.second[1], 0.0);
    EXPECT_EQ(p.second[2], 0.0);
    EXPECT_EQ(parsed(parse_result_values_exp, "1E0,2E0,3E0", 2).first, 2);
    EXPECT_EQ(parsed(parse_result_values_exp, "1E0", 0).first, 0);
}

TEST(ResultReplyParse, BinaryReplyToText)
{
    char buffer[32] = {};
    memcpy(buffer, (kFourEighth + "," + kFour).c_str(), 10);
    binary_reply_to_text(buffer, sizeof buffer, 9);
    EXPECT_STREQ(buffer, "4.12500E0");

    memset(buffer, 0, sizeof buffer);
    memcpy(buffer, kMinusFour.data(), 4);
    binary_reply_to_text(buffer, sizeof buffer, -1); // timed out: up to the NUL
    EXPECT_STREQ(buffer, "-4.00000E0");

    memset(buffer, 0, sizeof buffer);
    memcpy(buffer, kFour.data(), 2);
    binary_reply_to_text(buffer, sizeof buffer, 2); // cut short: no value
    EXPECT_STREQ(buffer, "");

    strcpy(buffer, "1.5,2.5");
    binary_reply_to_text(buffer, sizeof buffer, 7);
    EXPECT_STREQ(buffer, "1.5,2.5");

    memset(buffer, '#', sizeof buffer);
    memcpy(buffer, kFour.data(), 4);
    binary_reply_to_text(buffer, 6, 5); // as much as fits, nothing beyond
    EXPECT_STREQ(buffer, "4.000");
    EXPECT_EQ(buffer[6], '#');
}

// ---- Over the links ------------------------------------------------------------

// Runs each exchange over TCP and over a COM pty pair.
class ResultReplyLink : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (GetParam()) {
            serial_ = std::make_unique<serial_sim>();
            if (!serial_->ok())
                GTEST_SKIP() << "no COM port pair for this test";
            inst_ = &serial_->inst;
            link_ = &serial_->link;
        } else {
            lan_ = std::make_unique<lan_sim>();
            ASSERT_TRUE(lan_->ok());
            inst_ = &lan_->inst;
            link_ = &lan_->link;
        }
        ASSERT_EQ(open_close_link(LINK_OPEN, link_), 0);
        set_read_timeout(2000, link_);
    }
    void TearDown() override
    {
        if (link_ && link_->link_open)
            open_close_link(LINK_CLOSE, link_);
    }

    // Scripts the reply to "MEAS?" (bytes exactly as given), asks, receives
    // with capacity max; returns the result and the first max + 1 places.
    std::pair<int, values> ask(const std::string& bytes, int max = 6, bool strict = false)
    {
        inst_->clear_rules();
        inst_->add_rule({"MEAS?", wqt_sim::action::raw, bytes});
        send_command("MEAS?\n", link_);
        values out = untouched(static_cast<size_t>(max) + 1);
        int n = receive_values(out.data(), max, link_, strict);
        return {n, out};
    }

    std::unique_ptr<lan_sim> lan_;
    std::unique_ptr<serial_sim> serial_;
    wqt_sim::instrument* inst_ = nullptr;
    link_record* link_ = nullptr;
};

TEST_P(ResultReplyLink, AsciiAndTaggedReplies)
{
    uint64_t before = get_transfer_counter();
    EXPECT_EQ(ask("1.5,-2.25,3e3\r\n", 3), std::make_pair(3, values{1.5, -2.25, 3000, kUntouched}));
    EXPECT_EQ(get_transfer_counter(), before + 2); // the command and the reply
    EXPECT_EQ(ask("VOLTAGE:00012:1.5,2.5\r\n", 3),
              std::make_pair(3, values{12, 1.5, 2.5, kUntouched}));
    // Capacity 10: the tag value and at most 9 values.
    auto p = ask("VOLTAGE:00003:1,2,3,4,5,6,7,8,9,10,11,12\r\n", 10);
    EXPECT_EQ(p.first, 10);
    EXPECT_EQ(p.second[9], 9.0);
    EXPECT_EQ(p.second[10], kUntouched);
    // The values follow the second ":" whatever the width of the number.
    EXPECT_EQ(ask("CURRENT:7:4.5,5.5\r\n", 3), std::make_pair(3, values{7, 4.5, 5.5, kUntouched}));

    EXPECT_EQ(ask("1.234567,22.345678\r\n", 2, true).first, 2);
    EXPECT_EQ(ask("1.2345,2.000000\r\n", 2, true).first, -1);
    // A malformed tagged reply: the tag is stored and -1 + 1 comes back.
    EXPECT_EQ(ask("VOLTAGE:00012:1.5\r\n", 2, true), std::make_pair(0, values{12, kUntouched, kUntouched}));
}

TEST_P(ResultReplyLink, BinaryReplies)
{
    std::string records = kFour + "," + kFourEighth + "," + kMinusFour;
    EXPECT_EQ(ask(records + "\r\n", 4), std::make_pair(3, values{4, 4.125, -4, kUntouched, kUntouched}));
    EXPECT_EQ(ask(records + ",\n", 4, true), std::make_pair(3, values{4, 4.125, -4, kUntouched, kUntouched}));
    // The last record cut short by the line end.
    std::string cut = kFour + "," + kFour.substr(0, 2) + "\r\n";
    EXPECT_EQ(ask(cut, 2), std::make_pair(1, values{4, kUntouched, kUntouched}));
    EXPECT_EQ(ask(cut, 2, true).first, -1);

    // A value of 0 may be sent with a NUL byte inside its record; the serial
    // reader's text stops there, but the records go on.
    const std::string zero("\x80\x00\x80\x80", 4);
    std::string with_zero = kFour + "," + zero + "," + kMinusFour;
    EXPECT_EQ(ask(with_zero + "\r\n", 4), std::make_pair(3, values{4, 0, -4, kUntouched, kUntouched}));
    EXPECT_EQ(ask(with_zero + "\n", 4, true), std::make_pair(3, values{4, 0, -4, kUntouched, kUntouched}));
    // A last record that ends in a NUL byte before a bare "\n" keeps it.
    const std::string ends_in_nul("\x83\x20\x80\x00", 4);
    EXPECT_EQ(ask(kFour + "," + ends_in_nul + "\n", 3, true),
              std::make_pair(2, values{4, 4, kUntouched, kUntouched}));
    EXPECT_EQ(ask(kFour + "," + ends_in_nul + "\r\n", 3), std::make_pair(2, values{4, 4, kUntouched, kUntouched}));

    // receive_reply gives the text of the first value, with the received length.
    char buffer[64];
    inst_->add_rule({"VAL?", wqt_sim::action::raw, kFourEighth + "," + kFour + "\r\n"});
    send_command("VAL?\n", link_);
    EXPECT_EQ(receive_reply(buffer, sizeof buffer, link_), 9);
    EXPECT_STREQ(buffer, "4.12500E0");
    inst_->clear_rules();
    inst_->add_rule({"VAL?", wqt_sim::action::raw, kFourEighth.substr(0, 2) + "\r\n"});
    send_command("VAL?\n", link_);
    EXPECT_EQ(receive_reply(buffer, sizeof buffer, link_), 2);
    EXPECT_STREQ(buffer, "");
    inst_->clear_rules();
    inst_->add_rule({"VAL?", wqt_sim::action::raw, zero + "," + kFour + "\r\n"});
    send_command("VAL?\n", link_);
    receive_reply(buffer, sizeof buffer, link_);
    EXPECT_STREQ(buffer, "0.00000E0");
}

TEST_P(ResultReplyLink, NoReplyLeavesTheOutputAlone)
{
    set_read_timeout(300, link_);
    // Serial time-out: 0; LAN time-out: -1.
    EXPECT_EQ(ask(""), std::make_pair(GetParam() ? 0 : -1, untouched(7)));
}

INSTANTIATE_TEST_SUITE_P(ResultReply, ResultReplyLink, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "serial" : "lan";
                         });

TEST(ResultReplyLog, ValuesLineHasNoBlankBeforeTheArrows)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    std::string folder = std::string(temp) + "kestrova_values_" + std::to_string(GetCurrentProcessId());
    std::string path = folder + "\\KESTROVA_COMMS.log";
    set_comms_log_path(path.c_str());
    ASSERT_FALSE(is_comms_log_enabled());
    toggle_comms_log();

    ASSERT_EQ(open_close_link(LINK_OPEN, &sim.link), 0);
    set_read_timeout(2000, &sim.link);
    sim.inst.add_rule({"MEAS?", wqt_sim::action::reply, "1.5,2.5"});
    double out[4];
    std::vector<std::string> expected;
    for (const char* idn : {"", "TROSVALDEN,WQT5530,A00042,V2.15"}) {
        snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "%s", idn);
        send_command("MEAS?\n", &sim.link);
        EXPECT_EQ(receive_values(out, 4, &sim.link, false), 2);
        char line[96];
        snprintf(line, sizeof line, "(%05llu) [serial:%s]<<\t1.5,2.5",
                 static_cast<unsigned long long>(get_transfer_counter()), *idn ? "A00042" : "unknown");
        expected.push_back(line);
    }
    open_close_link(LINK_CLOSE, &sim.link);
    toggle_comms_log();

    std::stringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    for (const std::string& line : expected)
        EXPECT_NE(content.str().find(line), std::string::npos) << line << "\n" << content.str();
}

// Several threads read their own instruments at once; each must get its own
// reply, never a mix with another thread's.
TEST(ResultReplyThreads, EachThreadKeepsItsOwnReply)
{
    constexpr int kThreads = 3, kValues = 150, kRounds = 15;
    std::vector<std::unique_ptr<lan_sim>> sims;
    for (int t = 0; t < kThreads; ++t) {
        sims.push_back(std::make_unique<lan_sim>());
        ASSERT_TRUE(sims.back()->ok());
        std::string reply;
        for (int i = 0; i < kValues; ++i)
            reply += (i ? "," : "") + std::to_string(t * 1000 + i);
        sims.back()->inst.add_rule({"MEAS?", wqt_sim::action::reply, reply});
        ASSERT_EQ(open_close_link(LINK_OPEN, &sims.back()->link), 0);
    }
    set_read_timeout(5000, &sims[0]->link);

    std::atomic<int> good{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            values out(kValues + 1);
            for (int round = 0; round < kRounds; ++round) {
                send_command("MEAS?\n", &sims[t]->link);
                bool same = receive_values(out.data(), kValues + 1, &sims[t]->link, false) == kValues;
                for (int i = 0; same && i < kValues; ++i)
                    same = out[i] == t * 1000 + i;
                good += same;
            }
        });
    }
    for (auto& th : threads)
        th.join();
    for (auto& sim : sims)
        open_close_link(LINK_CLOSE, &sim->link);
    EXPECT_EQ(good.load(), kThreads * kRounds);
}

} // namespace
