// The link transport against the simulated instrument, over a real TCP
// stream and a real COM pty pair: handshake, framing, time-outs, failures.
#include "link/comms_log.h"
#include "link/lan_discovery.h"
#include "link/transport.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

namespace {

using wqt_sim::action;

DWORD elapsed_since(DWORD start)
{
    return GetTickCount() - start;
}

// The same cases run over both kinds of link.
class Link : public SimLinkTest {};

TEST_P(Link, OpenSendsDc4AndWaitsForQuiet)
{
    DWORD start = GetTickCount();
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    EXPECT_GE(elapsed_since(start), 100u);
    EXPECT_EQ(1, link->link_open);
    EXPECT_EQ(wire({"\x14"}), wait_received(*inst, 1));

    // A nested open sends nothing and leaves the link open.
    inst->clear_received();
    EXPECT_EQ(0, open_close_link(LINK_OPEN, link));
    EXPECT_EQ(0, open_close_link(LINK_OPEN_NO_HANDSHAKE, link));
    Sleep(150);
    EXPECT_EQ("", inst->received());
    EXPECT_EQ(1, link->link_open);

    open_close_link(LINK_CLOSE, link);
    EXPECT_EQ(0, link->link_open);
    EXPECT_EQ(INVALID_HANDLE_VALUE, link->serial_handle);
    EXPECT_EQ(kNoSocket, link->socket);
}

TEST_P(Link, OpenWithoutHandshakeSendsNothing)
{
    DWORD start = GetTickCount();
    ASSERT_EQ(0, open_close_link(LINK_OPEN_NO_HANDSHAKE, link));
    EXPECT_LT(elapsed_since(start), 100u);
    send_command("*IDN?\n", link);
    char reply[128];
    EXPECT_GT(receive_reply(reply, sizeof reply, link), 0);
    EXPECT_EQ(wire({"*IDN?\n"}), inst->received());
}

TEST_P(Link, HandshakeDiscardsChatterUntilQuiet)
{
    // Chatter ready to read when the link opens is read to its end and
    // thrown away before the open returns: the handshake goes on for as long
    // as input is pending, and at least 100 ms. What is waiting is taken in
    // whole chunks, so a TCP stream's 120,000-byte burst (seconds of work
    // byte by byte) is gone soon after those 100 ms. A pty holds only what
    // one read buffer takes (4 KB); the rest of a longer burst waits in the
    // pair's relay and comes in pieces, and a pause between pieces after
    // 100 ms rightly ends the handshake. So the serial burst is what the pty
    // holds, and it is let in before the port opens.
    const size_t burst = is_lan() ? 120000 : 4000;
    inst->push_unsolicited(std::string(burst - 2, 'z') + "\r\n");
    if (!is_lan()) {
        for (int i = 0; i < 200 && inst->has_unsolicited(); ++i)
            Sleep(10);
        Sleep(100);
    }
    DWORD start = GetTickCount();
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    DWORD took = elapsed_since(start);
    EXPECT_GE(took, 100u);
    EXPECT_LT(took, 1000u);
    printf("handshake over a %u-byte burst: %lu ms\n", unsigned(burst), took);

    // Nothing of the burst is left: the next reply is the real one.
    set_read_timeout(1000, link);
    send_command("GROUP?\n", link);
    char reply[64];
    EXPECT_EQ(1, receive_reply(reply, sizeof reply, link));
    EXPECT_STREQ("1", reply);
}

TEST_P(Link, CommandsOnTheWire)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    inst->clear_received();
    int sent = send_command("STOP\n", link);
    EXPECT_EQ(is_lan() ? 0 : 5, sent);
    send_command("tagrep,off\n", link);
    std::string expected = wire({"STOP\n", "tagrep,off\n"});
    EXPECT_EQ(expected, wait_received(*inst, expected.size()));
    auto commands = inst->commands();
    ASSERT_EQ(2u, commands.size());
    EXPECT_EQ("STOP", commands[0]);
    EXPECT_EQ("tagrep,off", commands[1]);
}

TEST_P(Link, CommandsSentJustBeforeACloseArrive)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    wait_received(*inst, 1);
    inst->clear_received();
    std::string expected;
    for (int i = 0; i < 20; ++i) {
        send_command("SUSPEN,OFF\n", link);
        expected += wire({"SUSPEN,OFF\n"});
    }
    open_close_link(LINK_CLOSE, link);
    EXPECT_EQ(expected, wait_received(*inst, expected.size()));
}

TEST_P(Link, LineEndings)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    char reply[64];

    inst->add_rule({"A?", action::reply, "123456", 0, 1});
    send_command("A?\n", link);
    EXPECT_EQ(6, receive_reply(reply, sizeof reply, link));
    EXPECT_STREQ("123456", reply);

    // A bare line feed stays on a serial reply and is dropped on LAN.
    inst->set_line_end("\n");
    inst->add_rule({"B?", action::reply, "abcdef", 0, 1});
    send_command("B?\n", link);
    if (is_lan()) {
        EXPECT_EQ(6, receive_reply(reply, sizeof reply, link));
        EXPECT_STREQ("abcdef", reply);
    } else {
        EXPECT_EQ(7, receive_reply(reply, sizeof reply, link));
        EXPECT_STREQ("abcdef\n", reply);
    }
}

TEST_P(Link, LineLongerThanBuffer)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    set_read_timeout(300, link);
    inst->add_rule({"LONG?", action::reply, "0123456789ABCDEF", 0, 1});
    send_command("LONG?\n", link);
    char reply[8];
    memset(reply, 'X', sizeof reply);
    EXPECT_EQ(7, receive_reply(reply, sizeof reply, link));
    EXPECT_STREQ("0123456", reply);

    char next[64];
    if (is_lan()) {
        // LAN reads the whole line and drops what did not fit.
        EXPECT_LE(receive_reply(next, sizeof next, link), 0);
        EXPECT_STREQ("", next);
    } else {
        // Serial keeps the rest queued for the next reply.
        EXPECT_EQ(9, receive_reply(next, sizeof next, link));
        EXPECT_STREQ("789ABCDEF", next);
    }
}

TEST_P(Link, TimeOutsAndLateReplies)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    set_read_timeout(300, link);
    char reply[64];

    // Silence: no reply within the time-out.
    inst->add_rule({"*IDN?", action::silence, "", 0, 1});
    send_command("*IDN?\n", link);
    DWORD start = GetTickCount();
    EXPECT_LE(receive_reply(reply, sizeof reply, link), 0);
    DWORD took = elapsed_since(start);
    EXPECT_GE(took, 250u);
    EXPECT_LT(took, 1500u);

    // A reply late by less than the time-out still arrives.
    inst->add_rule({"*IDN?", action::late, "", 150, 1});
    send_command("*IDN?\n", link);
    EXPECT_GT(receive_reply(reply, sizeof reply, link), 0);
    EXPECT_EQ(inst->idn_reply(), reply);

    // The time-out runs afresh for every byte: a reply that trickles in
    // slower than the time-out as a whole, but faster byte by byte, is read.
    inst->add_rule({"SLOW?", action::raw, "12", 0, 1});
    send_command("SLOW?\n", link);
    std::thread rest([this] {
        Sleep(200);
        inst->push_unsolicited("34");
        Sleep(200);
        inst->push_unsolicited("\r\n");
    });
    EXPECT_EQ(4, receive_reply(reply, sizeof reply, link));
    rest.join();
    EXPECT_STREQ("1234", reply);
}

TEST_P(Link, ReplyWithoutLineEnd)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    set_read_timeout(200, link);
    inst->add_rule({"X?", action::raw, "abc", 0, 1});
    send_command("X?\n", link);
    char reply[64];
    int n = receive_reply(reply, sizeof reply, link);
    // What arrived stays in the buffer; LAN reports the time-out as -1,
    // serial returns what came.
    EXPECT_EQ(is_lan() ? -1 : 3, n);
    EXPECT_STREQ("abc", reply);
}

TEST_P(Link, DrainInput)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    inst->push_unsolicited("garbage\r\nmore garbage\r\n");
    Sleep(100);
    DWORD start = GetTickCount();
    drain_input(link, 0);
    EXPECT_LT(elapsed_since(start), 100u);

    // Only what comes after the drain is read.
    set_read_timeout(1000, link);
    send_command("GROUP?\n", link);
    char reply[64];
    EXPECT_EQ(1, receive_reply(reply, sizeof reply, link));
    EXPECT_STREQ("1", reply);

    start = GetTickCount();
    drain_input(link, 100);
    EXPECT_GE(elapsed_since(start), 100u);
}

TEST_P(Link, GarbageAndDroppedConnection)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    set_read_timeout(300, link);
    char reply[64];
    inst->add_rule({"*IDN?", action::reply, std::string("\x01\x02?\xff!", 5), 0, 1});
    send_command("*IDN?\n", link);
    EXPECT_EQ(5, receive_reply(reply, sizeof reply, link));

    inst->add_rule({"*IDN?", action::drop, "", 0, -1});
    send_command("*IDN?\n", link);
    DWORD start = GetTickCount();
    EXPECT_LE(receive_reply(reply, sizeof reply, link), 0);
    EXPECT_LT(elapsed_since(start), 1500u);
    // Sending on a dropped link fails without a crash, and so does a read.
    send_command("*IDN?\n", link);
    EXPECT_LE(receive_reply(reply, sizeof reply, link), 0);
}

INSTANTIATE_OVER_BOTH_LINKS(Link);

TEST(LinkOpen, FailuresLeaveTheLinkClosed)
{
    // A COM port that does not exist.
    link_record serial;
    fill_serial_link(serial, "COM249");
    EXPECT_EQ(-1, open_close_link(LINK_OPEN, &serial));
    EXPECT_EQ(0, serial.link_open);
    EXPECT_EQ(INVALID_HANDLE_VALUE, serial.serial_handle);

    // A loopback address with no listener: refused at once.
    link_record lan;
    fill_lan_link(lan, "127.254.253.252");
    DWORD start = GetTickCount();
    EXPECT_EQ(-1, open_close_link(LINK_OPEN, &lan));
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(0, lan.link_open);
    EXPECT_EQ(kNoSocket, lan.socket);
    EXPECT_EQ(0, lan_winsock_users());

    // Text that is no address at all.
    link_record bad;
    fill_lan_link(bad, "not.an.address");
    EXPECT_EQ(-1, open_close_link(LINK_OPEN, &bad));
    EXPECT_EQ(0, bad.link_open);

    // No interface.
    link_record none;
    fill_lan_link(none, "127.0.0.1");
    none.interface = 0;
    EXPECT_EQ(-1, open_close_link(LINK_OPEN, &none));

    // Closing links that were never opened does no harm.
    open_close_link(LINK_CLOSE, &serial);
    open_close_link(LINK_CLOSE, &lan);
    EXPECT_EQ(0, lan_winsock_users());
}

TEST(LinkLan, TwoLinksOpenClosingOneKeepsTheOther)
{
    lan_sim a, b;
    ASSERT_TRUE(a.ok());
    ASSERT_TRUE(b.ok());
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &a.link));
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &b.link));
    EXPECT_EQ(2, lan_winsock_users());

    open_close_link(LINK_CLOSE, &a.link);
    EXPECT_EQ(1, lan_winsock_users());

    set_read_timeout(1000, &b.link);
    send_command("*IDN?\n", &b.link);
    char reply[128];
    EXPECT_GT(receive_reply(reply, sizeof reply, &b.link), 0);
    EXPECT_EQ(b.inst.idn_reply(), reply);

    // A record moved into another hands its socket over and is left closed:
    // the new owner talks over it, and closing both releases once.
    auto owner = make_lan_link("127.0.0.1");
    move_link_record(owner.get(), &b.link);
    EXPECT_EQ(0, b.link.link_open);
    EXPECT_EQ(kNoSocket, b.link.socket);
    EXPECT_STREQ(b.address.c_str(), owner->ip_address);
    send_command("*IDN?\n", owner.get());
    EXPECT_GT(receive_reply(reply, sizeof reply, owner.get()), 0);
    open_close_link(LINK_CLOSE, owner.get());
    open_close_link(LINK_CLOSE, &b.link);
    EXPECT_EQ(0, lan_winsock_users());

    // The first instrument can be reached again.
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &a.link));
    send_command("*IDN?\n", &a.link);
    EXPECT_GT(receive_reply(reply, sizeof reply, &a.link), 0);
    open_close_link(LINK_CLOSE, &a.link);
}

TEST(LinkLan, FullRingKeepsTheNewestBytesInOrder)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));

    const int total = 40000;
    std::string burst(total, '\0');
    for (int i = 0; i < total; ++i)
        burst[i] = static_cast<char>(i % 251);
    sim.inst.push_unsolicited(burst);
    Sleep(300);

    // Each poll takes what is waiting into the ring and hands out one byte,
    // so the ring overflows long before the burst has been read, and the
    // oldest unread bytes make way for the newest.
    std::string got;
    DWORD start = GetTickCount();
    for (int idle = 0; idle < 50 && GetTickCount() - start < 60000;) {
        int byte = lan_poll_byte(&sim.link);
        if (byte < 0) {
            ++idle;
            Sleep(5);
            continue;
        }
        idle = 0;
        got += static_cast<char>(byte);
    }
    ASSERT_LT(got.size(), static_cast<size_t>(total));
    ASSERT_GT(got.size(), static_cast<size_t>(kLanRingSize));
    // Once the burst is all in, the ring holds the newest bytes in the order
    // they were sent: the last full ring's worth reads out without a gap and
    // ends with the last byte sent.
    EXPECT_EQ(static_cast<char>((total - 1) % 251), got.back());
    size_t tail = got.size() - (kLanRingSize - 255);
    int gaps = 0;
    for (size_t i = tail + 1; i < got.size(); ++i) {
        int prev = static_cast<unsigned char>(got[i - 1]);
        int cur = static_cast<unsigned char>(got[i]);
        if (cur != (prev + 1) % 251)
            ++gaps;
    }
    EXPECT_EQ(0, gaps);
    open_close_link(LINK_CLOSE, &sim.link);
}

} // namespace

// Each field of a typed address is decimal, whatever zeros lead it: the link
// reaches the instrument at the address it names (the first free one of
// 127.0.23.10 to .19, which octal would misread), kept without the zeros.
TEST(LinkLan, AddressFieldsWithLeadingZerosAreDecimal)
{
    wqt_sim::instrument inst;
    wqt_sim::tcp_server server{inst};
    int last = 10;
    while (last <= 19 && !server.start("127.0.23." + std::to_string(last)))
        ++last;
    ASSERT_LE(last, 19) << "no free address from 127.0.23.10 to 127.0.23.19";
    const std::string padded = "127.000.023.0" + std::to_string(last);
    const std::string address = "127.0.23." + std::to_string(last);
    auto link = make_lan_link(padded);
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link.get()));
    set_read_timeout(1000, link.get());
    send_command("*IDN?\n", link.get());
    char reply[128];
    EXPECT_GT(receive_reply(reply, sizeof reply, link.get()), 0);
    open_close_link(LINK_CLOSE, link.get());

    const struct {
        const char* typed;
        const char* kept;
    } cases[] = {{padded.c_str(), address.c_str()}, {"127.0.0.02", "127.0.0.2"}, {"127.0.0.1", "127.0.0.1"},
                 {"127.0.0.256", "127.0.0.256"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(normalised_ipv4_text(c.typed), c.kept) << c.typed;
}
