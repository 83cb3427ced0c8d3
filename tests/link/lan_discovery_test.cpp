// The LAN search through a stand-in datagram socket that hands the probes
// replies from any sender and records what they send: the queries, ports and
// passes, the acceptance rules and their near misses, the table.
#include "link/lan_discovery.h"

#include "base/clocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kLoopback = ipv4_address(127, 0, 0, 1);

// A network of scripted devices. A datagram becomes readable once the probe
// has sent the given number of queries.
class fake_network : public datagram_socket {
public:
    struct sent_datagram {
        uint32_t to;
        uint16_t port;
        std::string bytes;
        uint64_t at_ms;
    };
    struct queued {
        int after_query;
        uint32_t from;
        std::string bytes;
    };

    void reply(uint32_t from, const std::string& bytes, int after_query = 1)
    {
        queue.push_back({after_query, from, bytes});
    }

    bool open(uint16_t local_port) override
    {
        opened.push_back(local_port);
        return !fail_open;
    }
    void close() override { ++closes; }
    int poll_writable() override { return writable; }
    int poll_readable() override
    {
        return !queue.empty() && queue.front().after_query <= static_cast<int>(sent.size()) ? 1
                                                                                            : 0;
    }
    int send_to(uint32_t address, uint16_t port, const char* data, int length) override
    {
        sent.push_back({address, port, std::string(data, static_cast<size_t>(length)),
                        milliseconds_now()});
        return 0;
    }
    int receive_from(uint32_t* sender, char* buffer, int size) override
    {
        const queued next = queue.front();
        queue.pop_front();
        *sender = next.from;
        if (static_cast<int>(next.bytes.size()) > size)
            return kDatagramTooLong;
        std::memcpy(buffer, next.bytes.data(), next.bytes.size());
        return static_cast<int>(next.bytes.size());
    }

    std::vector<uint16_t> opened;
    int closes = 0;
    int writable = 1;
    bool fail_open = false;
    std::vector<sent_datagram> sent;
    std::deque<queued> queue;
};

using probe_fn = int (*)(discovery_entry*, int);

// The valid reply of a port 65535 device.
const std::string kReply65535 = "A00:50:C2:7E:10:01 WQT-LAN/10001";

std::string reply_30718(int length, unsigned char fourth)
{
    std::string reply(static_cast<size_t>(length), '\0');
    reply[3] = static_cast<char>(fourth);
    return reply;
}

// length bytes beginning with "A" that end in tail.
std::string padded(int length, const std::string& tail)
{
    std::string reply = "A" + std::string(static_cast<size_t>(length) - 1 - tail.size(), '.');
    return reply + tail;
}

std::vector<std::string> addresses(const std::vector<discovery_entry>& table)
{
    std::vector<std::string> out;
    for (const auto& entry : table)
        if (entry.address[0])
            out.emplace_back(entry.address);
    return out;
}

// A reply and whether a probe takes it.
struct reply_row {
    const char* name;
    std::string bytes;
    bool accepted;
};

class LanDiscovery : public testing::Test {
protected:
    void SetUp() override
    {
        previous_socket_ = set_datagram_socket(&net);
        previous_destination_ = set_discovery_destination(kLoopback);
    }
    void TearDown() override
    {
        set_datagram_socket(previous_socket_);
        set_discovery_destination(previous_destination_);
    }

    // Runs a probe into a table of the given capacity; returns its count.
    int probe(probe_fn fn, int capacity = kDiscoveryTableSize)
    {
        table.assign(static_cast<size_t>(capacity), discovery_entry{});
        return fn(table.data(), capacity);
    }

    // Every row's reply comes from a sender of its own (10.0.0.n); one probe
    // run shows which were taken, in the order they came.
    void expect_accepted(probe_fn fn, const std::vector<reply_row>& rows)
    {
        std::vector<std::string> expected;
        for (size_t i = 0; i < rows.size(); ++i) {
            net.reply(ipv4_address(10, 0, 0, static_cast<uint8_t>(i + 1)), rows[i].bytes);
            if (rows[i].accepted)
                expected.push_back("10.0.0." + std::to_string(i + 1));
        }
        EXPECT_EQ(static_cast<int>(expected.size()), probe(fn));
        const auto found = addresses(table);
        for (size_t i = 0; i < rows.size(); ++i) {
            const std::string address = "10.0.0." + std::to_string(i + 1);
            const bool listed = std::find(found.begin(), found.end(), address) != found.end();
            EXPECT_EQ(rows[i].accepted, listed) << rows[i].name;
        }
        EXPECT_EQ(expected, found);
    }

    fake_network net;
    std::vector<discovery_entry> table;

private:
    datagram_socket* previous_socket_ = nullptr;
    uint32_t previous_destination_ = 0;
};

struct probe_row {
    const char* name;
    probe_fn fn;
    uint16_t local_port;
    uint16_t remote_port;
    std::string query;
};

const probe_row kProbes[] = {
    {"port30718", lan_discover_port30718, 30718, 30718, std::string("\x00\x00\x00\xF6", 4)},
    {"port65535", lan_discover_port65535, 65534, 65535, "X"},
};

TEST_F(LanDiscovery, EachProbeQueriesThreeTimesFromItsPortAndCleansUp)
{
    for (const auto& row : kProbes) {
        SCOPED_TRACE(row.name);
        net = fake_network{};
        table.assign(4, discovery_entry{});
        std::memset(table.data(), 'z', table.size() * sizeof table[0]);
        const uint64_t start = milliseconds_now();
        EXPECT_EQ(0, row.fn(table.data(), 4));
        const uint64_t took = milliseconds_now() - start;

        EXPECT_GE(took, 750u);
        EXPECT_LT(took, 2000u);
        EXPECT_EQ(std::vector<uint16_t>{row.local_port}, net.opened);
        EXPECT_EQ(1, net.closes);
        ASSERT_EQ(3u, net.sent.size());
        for (size_t i = 0; i < net.sent.size(); ++i) {
            EXPECT_EQ(kLoopback, net.sent[i].to);
            EXPECT_EQ(row.remote_port, net.sent[i].port);
            EXPECT_EQ(row.query, net.sent[i].bytes);
            if (i > 0) {
                EXPECT_GE(net.sent[i].at_ms - net.sent[i - 1].at_ms, 250u);
            }
        }
        for (const auto& entry : table)
            EXPECT_EQ(std::string(sizeof entry, '\0'),
                      std::string(reinterpret_cast<const char*>(&entry), sizeof entry));
    }
}

TEST_F(LanDiscovery, ASocketThatDoesNotOpenFindsNothingAndSendsNothing)
{
    net.fail_open = true;
    net.reply(ipv4_address(10, 0, 0, 1), kReply65535);
    EXPECT_EQ(0, probe(lan_discover_port65535));
    EXPECT_TRUE(net.sent.empty());
    EXPECT_TRUE(addresses(table).empty());
}

TEST_F(LanDiscovery, Port65535TakesOnlyReplyNamingTcpPort10001)
{
    const std::vector<reply_row> rows = {
        {"valid", kReply65535, true},
        {"port 10002", "A00:50:C2:7E:10:01 WQT-LAN/10002", false},
        {"no slash", "A00:50:C2:7E:10:01 WQT-LAN 10001", false},
        {"25 bytes", padded(25, "/10001"), false},
        {"26 bytes", padded(26, "/10001"), true},
        {"first byte not A", "B00:50:C2:7E:10:01 WQT-LAN/10001", false},
        {"number after the first slash", "A00:50:C2:7E:10:01 WQT/LAN/10001", false},
        {"padded with NUL", kReply65535 + std::string(20, '\0'), true},
        {"empty", "", false},
        {"fills the 1024-byte buffer", padded(1024, "/10001"), true},
        {"1024 bytes ending in a slash", padded(1024, "/"), false},
        {"1025 bytes", padded(1025, "/10001"), false},
        {"longer than any datagram", padded(1600, "/10001"), false},
        {"after the long ones", kReply65535, true},
    };
    expect_accepted(lan_discover_port65535, rows);
}

TEST_F(LanDiscovery, Port30718TakesOnlyThirtyBytesWithF7)
{
    const std::vector<reply_row> rows = {
        {"valid", reply_30718(30, 0xF7), true},
        {"31 bytes", reply_30718(31, 0xF7), false},
        {"29 bytes", reply_30718(29, 0xF7), false},
        {"fourth byte F6", reply_30718(30, 0xF6), false},
        {"the query itself", std::string("\x00\x00\x00\xF6", 4), false},
        {"valid again", reply_30718(30, 0xF7), true},
    };
    expect_accepted(lan_discover_port30718, rows);
}

TEST_F(LanDiscovery, ADeviceAnsweringEveryPassIsListedOnce)
{
    const uint32_t device = ipv4_address(192, 168, 7, 21);
    for (int pass = 1; pass <= 3; ++pass)
        net.reply(device, kReply65535, pass);
    EXPECT_EQ(1, probe(lan_discover_port65535));
    EXPECT_EQ(std::vector<std::string>{"192.168.7.21"}, addresses(table));
    EXPECT_TRUE(net.queue.empty());
}

TEST_F(LanDiscovery, RepliesToLaterQueriesAreTakenInTheirPass)
{
    net.reply(ipv4_address(10, 9, 0, 2), reply_30718(30, 0xF7), 2);
    net.reply(ipv4_address(10, 9, 0, 3), reply_30718(30, 0xF7), 3);
    EXPECT_EQ(2, probe(lan_discover_port30718));
    EXPECT_EQ((std::vector<std::string>{"10.9.0.2", "10.9.0.3"}), addresses(table));
}

TEST_F(LanDiscovery, TwentyDevicesAnsweringAtOnceAreAllListed)
{
    std::vector<std::string> expected;
    for (int i = 1; i <= 20; ++i) {
        net.reply(ipv4_address(172, 16, 0, static_cast<uint8_t>(i)), kReply65535);
        expected.push_back("172.16.0." + std::to_string(i));
    }
    EXPECT_EQ(20, probe(lan_discover_port65535));
    EXPECT_EQ(expected, addresses(table));
}

TEST_F(LanDiscovery, AFullTableTakesNoMoreDevices)
{
    for (int i = 0; i < 257; ++i)
        net.reply(ipv4_address(10, 1, static_cast<uint8_t>(i / 256), static_cast<uint8_t>(i % 256)),
                  kReply65535);
    // One entry beyond the capacity, which the probe must leave alone.
    table.assign(kDiscoveryTableSize + 1, discovery_entry{});
    std::strcpy(table.back().address, "guard");
    EXPECT_EQ(256, lan_discover_port65535(table.data(), kDiscoveryTableSize));
    EXPECT_STREQ("10.1.0.0", table[0].address);
    EXPECT_STREQ("10.1.0.255", table[255].address);
    EXPECT_STREQ("guard", table.back().address);
}

TEST(AddDiscoveredAddress, FillsFreeEntriesAndRefusesRepeatsAndOverflow)
{
    discovery_entry table[3] = {};
    std::strcpy(table[0].text, "kept");
    const struct {
        uint32_t address;
        int result;
    } steps[] = {
        {ipv4_address(255, 255, 255, 255), 1},
        {ipv4_address(10, 0, 0, 1), 2},
        {ipv4_address(255, 255, 255, 255), -1},
        {ipv4_address(0, 0, 0, 0), 3},
        {ipv4_address(10, 0, 0, 2), -1},
        {ipv4_address(10, 0, 0, 1), -1},
    };
    for (const auto& step : steps)
        EXPECT_EQ(step.result, add_discovered_address(step.address, table, 3));
    EXPECT_STREQ("255.255.255.255", table[0].address);
    EXPECT_STREQ("kept", table[0].text);
    EXPECT_STREQ("10.0.0.1", table[1].address);
    EXPECT_STREQ("0.0.0.0", table[2].address);
    EXPECT_EQ(-1, add_discovered_address(ipv4_address(10, 0, 0, 1), table, 0));
}

TEST_F(LanDiscovery, SendRefusesOversizedDatagramsAndGivesUpOnABlockedSocket)
{
    const std::string big(kMaxDatagram + 1, 'x');
    EXPECT_EQ(-1, udp_send(kLoopback, 65535, big.data(), kMaxDatagram + 1));
    EXPECT_EQ(0, udp_send(kLoopback, 65535, big.data(), kMaxDatagram));
    ASSERT_EQ(1u, net.sent.size());
    EXPECT_EQ(static_cast<size_t>(kMaxDatagram), net.sent[0].bytes.size());

    net.writable = 0;
    const uint64_t start = milliseconds_now();
    EXPECT_EQ(1, udp_send(kLoopback, 65535, "X", 1));
    EXPECT_GE(milliseconds_now() - start, 900u);
    EXPECT_EQ(1u, net.sent.size());
    net.writable = -1;
    EXPECT_EQ(-1, udp_send(kLoopback, 65535, "X", 1));
}

TEST_F(LanDiscovery, ReceivePassesOverDatagramsThatDoNotFit)
{
    net.reply(ipv4_address(10, 0, 0, 1), "");
    net.reply(ipv4_address(10, 0, 0, 2), std::string(9, 'b'));
    net.reply(ipv4_address(10, 0, 0, 3), std::string(kMaxDatagram + 1, 'c'));
    net.reply(ipv4_address(10, 0, 0, 4), std::string(8, 'd'));
    net.sent.resize(1);
    char buffer[8];
    uint32_t sender = 0;
    EXPECT_EQ(8, udp_receive(&sender, buffer, sizeof buffer));
    EXPECT_EQ(ipv4_address(10, 0, 0, 4), sender);
    EXPECT_EQ(std::string(8, 'd'), std::string(buffer, 8));
    EXPECT_EQ(0, udp_receive(&sender, buffer, sizeof buffer));
}

// The destination the program takes from its environment: dotted text only,
// anything else leaves the destination as it was.
TEST(DiscoveryDestination, TakenFromDottedTextOnly)
{
    const struct {
        const char* text;
        bool taken;
        uint32_t address;
    } rows[] = {
        {"127.0.0.1", true, ipv4_address(127, 0, 0, 1)},
        {"127.255.255.255", true, ipv4_address(127, 255, 255, 255)},
        {"0.0.0.0", true, ipv4_address(0, 0, 0, 0)},
        {"10.1.2.3", true, ipv4_address(10, 1, 2, 3)},
        {"127.0.0.256", false, 0},
        {"127.0.0", false, 0},
        {"127.0.0.1.", false, 0},
        {"127.0.0.1 ", false, 0},
        {" 127.0.0.1", false, 0},
        {"127..0.1", false, 0},
        {"0127.0.0.1", false, 0},
        {"+1.0.0.1", false, 0},
        {"localhost", false, 0},
        {"", false, 0},
        {nullptr, false, 0},
    };
    const uint32_t before = discovery_destination();
    const uint32_t unchanged = ipv4_address(127, 9, 9, 9);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text ? row.text : "null");
        set_discovery_destination(unchanged);
        EXPECT_EQ(row.taken, set_discovery_destination_text(row.text));
        EXPECT_EQ(row.taken ? row.address : unchanged, discovery_destination());
    }
    set_discovery_destination(before);
}

} // namespace
