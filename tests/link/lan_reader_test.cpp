// The LAN line reader against the simulated instrument: replies that come in
// many pieces or several to a chunk, bursts larger than the receive ring, a
// connection that ends while a read waits (which fails the read at once),
// and the bounds of the per-byte time-out.
#include "link/transport.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

using wqt_sim::action;

class LanReader : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.ok());
        ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
    }
    void TearDown() override
    {
        open_close_link(LINK_CLOSE, &sim.link);
        lan_set_timeout(kDefaultReadTimeoutMs);
    }
    // One line through the reader; its result goes to `result`.
    std::string read_line(int size, int& result)
    {
        std::vector<char> buffer(static_cast<size_t>(size), 'X');
        result = lan_read_line(&sim.link, buffer.data(), size);
        return buffer.data();
    }
    lan_sim sim;
};

// CPU time this thread has used, in ms.
double thread_cpu_ms()
{
    FILETIME created, ended, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

TEST_F(LanReader, ReplyInManyPieces)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<char>('a' + i % 26);
    lan_set_timeout(1000);
    std::thread peer([&] {
        // Pieces of one to seven bytes, and the line end's two bytes apart.
        for (size_t at = 0, n = 1; at < text.size(); at += n, n = n % 7 + 1) {
            sim.inst.push_unsolicited(text.substr(at, n));
            Sleep(1);
        }
        sim.inst.push_unsolicited("\r");
        Sleep(20);
        sim.inst.push_unsolicited("\n");
    });
    int result = 0;
    std::string got = read_line(512, result);
    peer.join();
    EXPECT_EQ(300, result);
    EXPECT_EQ(text, got);
}

TEST_F(LanReader, SeveralLinesInOneChunk)
{
    // Each row: the line as read through a buffer of `size`, and its result.
    struct row {
        int size;
        const char* text;
        int result;
    };
    const row rows[] = {
        {64, "one", 3},
        {64, "", 0},               // a bare line end
        {5, "0123", 4},            // the rest of a long line is dropped ...
        {64, "two", 3},            // ... and the next line is intact
        {64, "three", 5},          // "\r" inside a line is dropped
        {64, "four", 4},           // a bare "\n" ends a line
    };
    sim.inst.push_unsolicited("one\r\n\r\n0123456789\r\ntwo\r\nthr\ree\r\nfour\n");
    Sleep(100);
    lan_set_timeout(200);
    for (const row& r : rows) {
        int result = 0;
        EXPECT_EQ(r.text, read_line(r.size, result)) << r.text;
        EXPECT_EQ(r.result, result) << r.text;
    }
    // Nothing is left over.
    int result = 0;
    EXPECT_EQ("", read_line(64, result));
    EXPECT_EQ(-1, result);
}

TEST_F(LanReader, BurstLargerThanTheRingLosesNoLine)
{
    // The reader empties the ring before it takes more from the socket, so
    // a burst beyond the ring's size reaches it whole and in order.
    const int lines = 1200;
    std::string burst;
    char line[64];
    for (int i = 0; i < lines; ++i) {
        snprintf(line, sizeof line, "%05d,%s\r\n", i, std::string(40, 'a' + i % 26).c_str());
        burst += line;
    }
    ASSERT_GT(burst.size(), 1.5 * kLanRingSize);
    sim.inst.push_unsolicited(burst);
    lan_set_timeout(1000);
    for (int i = 0; i < lines; ++i) {
        int result = 0;
        snprintf(line, sizeof line, "%05d,%s", i, std::string(40, 'a' + i % 26).c_str());
        ASSERT_EQ(line, read_line(64, result));
        ASSERT_EQ(46, result);
    }
    EXPECT_EQ(-2, lan_poll_byte(&sim.link));
}

TEST_F(LanReader, ConnectionEndingWhileAReadWaits)
{
    // Part of a line comes, then the instrument hangs up. The connection can
    // bring nothing more: the read fails as soon as it ends, long before its
    // time-out, keeps what came, and does not spin on the socket meanwhile.
    // A send asks the socket nothing first: on the closed connection it
    // still goes out, and the read after it fails at once.
    sim.inst.add_rule({"P?", action::raw, "par", 0, 1});
    sim.inst.add_rule({"Q?", action::drop, "", 150, 1});
    send_command("P?\n", &sim.link);
    send_command("Q?\n", &sim.link);
    lan_set_timeout(3000);
    DWORD start = GetTickCount();
    double cpu = thread_cpu_ms();
    int result = 0;
    EXPECT_EQ("par", read_line(64, result));
    DWORD took = GetTickCount() - start;
    EXPECT_EQ(-1, result);
    EXPECT_GE(took, 100u);
    EXPECT_LT(took, 1000u);
    EXPECT_LT(thread_cpu_ms() - cpu, 60.0);

    EXPECT_EQ(0, send_command("P?\n", &sim.link));
    start = GetTickCount();
    EXPECT_EQ("", read_line(64, result));
    EXPECT_EQ(-1, result);
    EXPECT_LT(GetTickCount() - start, 100u);
}

TEST_F(LanReader, ReplyAfterATimedOutReadIsReadWhole)
{
    // The read gives up while the reply is still on its way; the next one,
    // on another thread, gets all of it.
    sim.inst.add_rule({"*IDN?", action::late, "", 300, 1});
    send_command("*IDN?\n", &sim.link);
    lan_set_timeout(100);
    int result = 0;
    EXPECT_EQ("", read_line(128, result));
    EXPECT_EQ(-1, result);

    lan_set_timeout(1000);
    std::string got;
    std::thread reader([&] { got = read_line(128, result); });
    reader.join();
    EXPECT_EQ(sim.inst.idn_reply(), got);
    EXPECT_EQ(static_cast<int>(got.size()), result);
}

TEST_F(LanReader, TimeOutBounds)
{
    struct row {
        int timeout_ms;
        bool reply_waiting;
    };
    const row rows[] = {{0, false}, {0, true}, {40, false}, {300, false}, {1000, false}};
    for (const row& r : rows) {
        if (r.reply_waiting) {
            send_command("GROUP?\n", &sim.link);
            Sleep(200);
        }
        lan_set_timeout(r.timeout_ms);
        DWORD start = GetTickCount();
        int result = 0;
        std::string got = read_line(64, result);
        DWORD took = GetTickCount() - start;
        SCOPED_TRACE(r.timeout_ms);
        if (r.reply_waiting) {
            // A time-out of 0 still takes what is already there.
            EXPECT_EQ("1", got);
            EXPECT_EQ(1, result);
        } else {
            EXPECT_EQ(-1, result);
            EXPECT_GE(took, static_cast<DWORD>(r.timeout_ms));
        }
        EXPECT_LT(took, static_cast<DWORD>(r.timeout_ms) + 700u);
    }
}

} // namespace
