// The port 65535 search end to end over real UDP on loopback: the query goes
// to 127.0.0.1, where the simulated instrument's responder answers. These
// cases bind the fixed discovery ports, so they run one at a time.
#include "link/lan_discovery.h"

#include "app/base/clocks.h"
#include "tools/wqt_sim/discovery_responder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class LanDiscoveryUdp : public testing::Test {
protected:
    void SetUp() override
    {
        previous_ = set_discovery_destination(ipv4_address(127, 0, 0, 1));
        ASSERT_TRUE(responder.start("127.0.0.1", 65535, 0)) << "UDP 127.0.0.1:65535 is taken";
    }
    void TearDown() override
    {
        responder.stop();
        set_discovery_destination(previous_);
    }

    wqt_sim::discovery_responder responder;

private:
    uint32_t previous_ = 0;
};

TEST_F(LanDiscoveryUdp, TheSimulatorIsFoundOnceFromThreeQueries)
{
    discovery_entry table[kDiscoveryTableSize];
    EXPECT_EQ(1, lan_discover_port65535(table, kDiscoveryTableSize));
    EXPECT_STREQ("127.0.0.1", table[0].address);
    EXPECT_EQ('\0', table[1].address[0]);

    const auto queries = responder.queries_65535();
    ASSERT_EQ(3u, queries.size());
    for (const auto& query : queries) {
        EXPECT_EQ("X", query.bytes);
        EXPECT_EQ(65534, query.sender_port);
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
