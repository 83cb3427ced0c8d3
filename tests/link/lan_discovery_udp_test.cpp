// The port 65535 search end to end over real UDP on loopback: the query goes
// to 127.0.0.1, where the simulated instrument's responder answers on a port
// of the test's own, whatever other programs hold there; and the opening of
// the Winsock socket, which binds the probe's fixed port (so the cases run
// one at a time).
#include "link/lan_discovery.h"

#include "base/clocks.h"
#include "tests/support/discovery_ports.h"
#include "tools/wqt_sim/discovery_responder.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

int g_lookups = 0;

hostent* WSAAPI counted_lookup(const char*)
{
    static hostent found = {};
    ++g_lookups;
    return &found;
}

// Counts the host-name lookups of this executable while it lives, answering
// each without a name server: it takes gethostbyname's place in the
// executable's import table.
class lookup_counter {
public:
    lookup_counter()
        : slot_(import_slot(GetProcAddress(GetModuleHandleA("ws2_32.dll"), "gethostbyname")))
    {
        g_lookups = 0;
        if (slot_ != nullptr)
            original_ = exchange(reinterpret_cast<void*>(&counted_lookup));
    }
    ~lookup_counter()
    {
        if (slot_ != nullptr)
            exchange(original_);
    }
    bool installed() const { return slot_ != nullptr; }

private:
    static void** import_slot(FARPROC function)
    {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& imports =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             function != nullptr && dll->Name != 0; ++dll) {
            for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
                 t->u1.Function != 0; ++t) {
                if (t->u1.Function == reinterpret_cast<uintptr_t>(function))
                    return reinterpret_cast<void**>(&t->u1.Function);
            }
        }
        return nullptr;
    }
    void* exchange(void* function)
    {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protection);
        void* before = *slot_;
        *slot_ = function;
        VirtualProtect(slot_, sizeof *slot_, protection, &protection);
        return before;
    }

    void** slot_;
    void* original_ = nullptr;
};

// A query to a loopback address looks no name up, so a host name missing
// from the hosts file sends nothing to a name server; a broadcast needs the
// host's name to resolve.
TEST(LanDiscoverySocket, TheHostNameIsLookedUpForABroadcastOnly)
{
    const struct {
        uint32_t destination;
        int lookups;
    } rows[] = {
        {kBroadcastAddress, 1},
        {ipv4_address(127, 0, 0, 1), 0},
        {ipv4_address(127, 255, 255, 255), 0},
    };
    const uint32_t before = discovery_destination();
    lookup_counter counter;
    ASSERT_TRUE(counter.installed());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.destination);
        set_discovery_destination(row.destination);
        g_lookups = 0;
        EXPECT_EQ(0, lan_udp_open(UDP_OPEN, 65534));
        lan_udp_open(UDP_CLOSE, 0);
        EXPECT_EQ(row.lookups, g_lookups);
    }
    set_discovery_destination(before);
}

// The search against the simulated instrument's responder on ports of the
// test's own, while the discovery ports on 127.0.0.1 are held by another.
class LanDiscoveryUdp : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0, responder_port) << "no free UDP port on 127.0.0.1";
        previous_ = set_discovery_destination(ipv4_address(127, 0, 0, 1));
    }
    void TearDown() override
    {
        responder.stop();
        set_discovery_destination(previous_);
    }

    discovery_port_holder other_program;
    wqt_sim::discovery_responder responder;
    const uint16_t responder_port = start_on_own_port(responder);
    own_port_socket probe_socket{responder_port};

private:
    uint32_t previous_ = 0;
};

TEST_F(LanDiscoveryUdp, TheSimulatorIsFoundOnceFromThreeQueries)
{
    discovery_entry table[kDiscoveryTableSize];
    EXPECT_EQ(1, lan_discover_port65535(table, kDiscoveryTableSize));
    EXPECT_STREQ("127.0.0.1", table[0].address);
    EXPECT_EQ('\0', table[1].address[0]);

    EXPECT_EQ(65534, probe_socket.asked_port());
    const auto queries = responder.queries_65535();
    ASSERT_EQ(3u, queries.size());
    for (const auto& query : queries) {
        EXPECT_EQ("X", query.bytes);
        EXPECT_EQ(queries[0].sender_port, query.sender_port) << "one socket";
    }
}

TEST_F(LanDiscoveryUdp, ScriptedRepliesAreTakenOrIgnored)
{
    const struct {
        const char* name;
        std::function<void(wqt_sim::discovery_responder&)> script;
        int found;
    } rows[] = {
        {"silent", [](auto& r) { r.set_reply_65535(""); }, 0},
        {"other TCP port", [](auto& r) { r.set_reply_65535(wqt_sim::discovery_reply_65535(10002)); },
         0},
        {"25 bytes", [](auto& r) { r.set_reply_65535("A" + std::string(18, '-') + "/10001"); }, 0},
        {"1024 bytes",
         [](auto& r) { r.set_reply_65535("A" + std::string(1017, '-') + "/10001"); }, 1},
        {"1600 bytes",
         [](auto& r) { r.set_reply_65535("A" + std::string(1593, '-') + "/10001"); }, 0},
        {"third query only", [](auto& r) { r.answer_only({3}); }, 1},
        {"second query only", [](auto& r) { r.answer_only({2}); }, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        responder.set_reply_65535(wqt_sim::discovery_reply_65535());
        responder.answer_only({});
        responder.clear_queries();
        row.script(responder);
        discovery_entry table[8];
        const uint64_t start = milliseconds_now();
        EXPECT_EQ(row.found, lan_discover_port65535(table, 8));
        EXPECT_GE(milliseconds_now() - start, 750u);
        if (row.found) {
            EXPECT_STREQ("127.0.0.1", table[0].address);
        }
    }
}

} // namespace
