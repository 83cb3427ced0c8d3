// Moving single items between a configuration image and the simulated
// instrument: the link bracket, range checks, the changed flag, failures,
// the "Frequency" follow-up and every family's renumbering both ways.
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/model_profiles.h"
#include "link/item_exchange.h"
#include "link/transport.h"
#include "tests/support/comms_log_capture.h"
#include "tests/support/config_bodies.h"
#include "tests/support/config_families.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using wqt_sim::action;

const std::string kDc4 = "\x14";

std::vector<std::string> config_commands(const wqt_sim::instrument& inst)
{
    std::vector<std::string> out;
    for (const auto& c : inst.commands()) {
        if (c.rfind("config", 0) == 0)
            out.push_back(c);
    }
    return out;
}

// ---- Over both kinds of link ------------------------------------------------

class ItemTransferWire : public SimLinkTest {};

TEST_P(ItemTransferWire, WriteOpensSendsTheInstrumentNumberAndCloses)
{
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 2);
    const item_write_result r = cfg.write_item(24, link, false);
    EXPECT_EQ(item_write_status::sent, r.status);
    EXPECT_TRUE(r.sent());
    EXPECT_EQ(0, cfg.item_at(24)->changed);
    EXPECT_EQ(0, link->link_open);
    const std::string expected = wire({kDc4, "config,24,4\n", "*esr?\n"});
    EXPECT_EQ(expected, wait_received(*inst, expected.size()));
    EXPECT_EQ(2, value_of(cfg, 24));
}

TEST_P(ItemTransferWire, ReadOpensQueriesAndCloses)
{
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 3); // marked changed: a read leaves the flag alone
    inst->set_item(24, "4");
    cfg.read_item(24, link, false, nullptr);
    EXPECT_EQ(2, value_of(cfg, 24));
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(0, link->link_open);
    EXPECT_EQ(wire({kDc4, "config,24?\n"}), inst->received());
}

TEST_P(ItemTransferWire, FailedWriteReachesTheCallerAndKeepsTheItemChanged)
{
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 2);
    inst->add_rule({"config,24,", action::refuse, "", 0, 4});
    const item_write_result r = cfg.write_item(24, link, false);
    EXPECT_EQ(item_write_status::failed, r.status);
    EXPECT_FALSE(r.sent());
    EXPECT_EQ(24 + (32 << 16), r.error_code);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(0, link->link_open);
    EXPECT_EQ(4u, config_commands(*inst).size());
}

TEST_P(ItemTransferWire, FrequencyFollowsFrequencyLockOnTheSameOpening)
{
    wqt_cfg_55xx cfg;
    cfg.set_value_int(7, 1);
    cfg.set_value_text(48, "50");
    EXPECT_EQ(item_write_status::sent, cfg.write_item(7, link, false).status);
    const std::string expected =
        wire({kDc4, "config,7,1\n", "*esr?\n", "config,48,50\n", "*esr?\n"});
    EXPECT_EQ(expected, wait_received(*inst, expected.size()));
    EXPECT_EQ(0, cfg.item_at(7)->changed);
    EXPECT_EQ(0, cfg.item_at(48)->changed);
    EXPECT_EQ(0, link->link_open);
}

INSTANTIATE_OVER_BOTH_LINKS(ItemTransferWire);

// ---- Over a LAN link held open ------------------------------------------------

class ItemTransfer : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.ok()) << "no free loopback address";
        sim.link.phase_count = 3;
        ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
        set_read_timeout(300, &sim.link);
        wait_received(sim.inst, 1);
        sim.inst.clear_received();
    }
    void TearDown() override
    {
        set_read_timeout(kDefaultReadTimeoutMs, &sim.link);
        open_close_link(LINK_CLOSE, &sim.link);
    }

    // A position in the image and the number the instrument knows it by.
    struct remap_case {
        remap_case(int id_, uint32_t phases_, int32_t position_, int32_t wire_,
                   std::vector<std::pair<int, int>> image_ = {})
            : id(id_), phases(phases_), position(position_), wire(wire_), image(std::move(image_))
        {
        }
        int id;
        uint32_t phases;
        int32_t position;
        int32_t wire;
        std::vector<std::pair<int, int>> image; // other items set first
    };

    void check_writes(instrument_config& cfg, const std::vector<remap_case>& cases)
    {
        for (const auto& c : cases) {
            SCOPED_TRACE("item " + std::to_string(c.id) + " pc " + std::to_string(c.phases) +
                         " position " + std::to_string(c.position));
            sim.link.phase_count = c.phases;
            for (const auto& [id, value] : c.image)
                cfg.set_value_int(id, value);
            cfg.set_value_int(c.id, c.position);
            EXPECT_EQ(item_write_status::sent, cfg.write_item(c.id, &sim.link, true).status);
            EXPECT_EQ(std::to_string(c.wire), sim.inst.item(cfg.item_at(c.id)->wire_id));
            EXPECT_EQ(0, cfg.item_at(c.id)->changed);
        }
    }

    void check_reads(instrument_config& cfg, const std::vector<remap_case>& cases)
    {
        for (const auto& c : cases) {
            SCOPED_TRACE("item " + std::to_string(c.id) + " pc " + std::to_string(c.phases) +
                         " wire " + std::to_string(c.wire));
            sim.link.phase_count = c.phases;
            for (const auto& [id, value] : c.image)
                cfg.set_value_int(id, value);
            sim.inst.set_item(cfg.item_at(c.id)->wire_id, std::to_string(c.wire));
            cfg.read_item(c.id, &sim.link, true, nullptr);
            EXPECT_EQ(c.position, value_of(cfg, c.id));
        }
    }

    lan_sim sim;
};

TEST_F(ItemTransfer, Remap15xx)
{
    wqt_cfg_15xx cfg;
    check_writes(cfg, {
        {1, 3, 6, 7}, {1, 3, 5, 5},
        {24, 3, 0, 1}, {24, 3, 2, 4}, {176, 3, 1, 3},
        {25, 3, 2, 4}, {25, 3, 0, 1}, {201, 3, 1, 2},
        {58, 3, 2, 3},
        {70, 3, 0, 0}, {70, 3, 2, 3}, {70, 3, 3, 5},
        {82, 2, 3, 4}, {82, 2, 4, 7}, {82, 3, 3, 3},
        {93, 3, 3, 7}, {93, 3, 2, 2},
        {122, 3, 1, 6}, {122, 3, 2, 8},
    });
    check_reads(cfg, {
        {1, 3, 6, 7}, {1, 3, 6, 6},
        {24, 3, 2, 4}, {24, 3, 0, 1}, {200, 3, 1, 3},
        {25, 3, 0, 0}, {25, 3, 2, 4}, {25, 3, 1, 2},
        {58, 3, 2, 3},
        {70, 3, 0, 0}, {70, 3, 2, 3}, {70, 3, 3, 5},
        {82, 2, 3, 4}, {82, 2, 4, 7}, {82, 1, 0, 5}, {82, 3, 5, 5},
        {93, 3, 3, 7},
        {122, 3, 1, 6}, {122, 3, 2, 8},
    });
}

TEST_F(ItemTransfer, Remap25xx)
{
    wqt_cfg_25xx cfg;
    check_writes(cfg, {
        {1, 3, 6, 7},
        {24, 3, 0, 1}, {24, 3, 1, 3},
        {25, 3, 0, 0}, {177, 3, 1, 2},
        {58, 3, 3, 4},
        {82, 2, 3, 4}, {82, 2, 4, 4},
        {100, 3, 10, 12},
        {122, 3, 1, 6},
    });
    check_reads(cfg, {
        {24, 3, 0, 1}, {24, 3, 1, 3},
        {25, 3, 0, 0}, {25, 3, 1, 2},
        {82, 2, 3, 4}, {82, 1, 0, 6},
        {101, 3, 10, 12},
        {122, 3, 1, 6},
    });
}

TEST_F(ItemTransfer, Remap45xx)
{
    wqt_cfg_45xx cfg;
    check_writes(cfg, {
        {1, 3, 6, 7},
        {24, 3, 0, 1}, {24, 3, 1, 3},
        {26, 3, 3, 4}, {203, 3, 0, 1},
        {82, 2, 4, 7},
        {122, 3, 1, 6}, {122, 3, 2, 10},
        {143, 3, 0, 0}, {143, 3, 2, 5},
    });
    check_reads(cfg, {
        {27, 3, 3, 4}, {178, 3, 0, 1},
        {82, 2, 4, 7},
        {122, 3, 2, 10},
        {143, 3, 2, 5}, {143, 3, 0, 0},
    });
}

TEST_F(ItemTransfer, Remap55xx)
{
    wqt_cfg_55xx cfg;
    sim.link.model_code = 5;
    snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "TROSVALDEN,WQT5530,A1,V1");
    check_writes(cfg, {
        {1, 3, 8, 9},
        {24, 3, 0, 1},
        {25, 3, 1, 2},
        {70, 3, 7, 7},
        {82, 2, 3, 4},
        {122, 3, 2, 10},
        {125, 3, 0, 0}, {125, 3, 1, 2},
        {143, 3, 1, 4},
    });
    check_reads(cfg, {
        {25, 3, 1, 2},
        {70, 3, 8, 8},
        {125, 3, 1, 2}, {125, 3, 1, 1},
        {143, 3, 0, 0},
    });

    // A model name ending in 2 numbers the modes from 8 on one higher.
    snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "TROSVALDEN,WQT5532-F2,A1,V1");
    check_writes(cfg, {{70, 3, 7, 8}, {70, 3, 6, 6}});
    check_reads(cfg, {{70, 3, 7, 8}, {70, 3, 6, 6}});
    // Without an identification reply nothing is changed.
    sim.link.idn_reply[0] = '\0';
    check_writes(cfg, {{70, 3, 7, 7}});
}

TEST_F(ItemTransfer, Remap35xxGroupOne)
{
    wqt_cfg_35xx cfg(0);
    check_writes(cfg, {
        {1, 3, 6, 7},
        {99, 3, 7, 8}, {99, 3, 6, 6},
        {23, 5, 4, 6}, {23, 5, 2, 3}, {23, 3, 2, 6}, {23, 3, 1, 1}, {23, 6, 0, 2},
        {23, 4, 4, 6}, {23, 4, 3, 3}, {23, 2, 2, 2},
        {24, 3, 0, 1}, {176, 3, 2, 4},
        {25, 3, 2, 4}, {25, 3, 0, 1},
        {26, 3, 3, 5, {{24, 1}}}, {26, 3, 3, 3, {{24, 0}}}, {203, 3, 2, 4, {{201, 1}}},
        {58, 3, 2, 2},
        {82, 3, 3, 4, {{23, 1}}}, {82, 3, 3, 3, {{23, 0}}}, {82, 5, 3, 3, {{23, 1}}},
        {93, 3, 1, 3, {{82, 0}}}, {93, 3, 5, 4, {{82, 0}}},
        {93, 3, 2, 4, {{82, 3}, {23, 0}}}, // wiring 3 with grouping 0 on 3 phases: valid
        {93, 6, 1, 1, {{82, 3}}},          // wiring 3 on 6 phases: never valid
        {122, 3, 0, 0}, {122, 3, 1, 6}, {122, 3, 2, 10},
        {216, 3, 2, 5}, // known to the instrument as item 143
    });
    check_reads(cfg, {
        {99, 3, 7, 8},
        {23, 5, 4, 6}, {23, 5, 2, 3}, {23, 3, 2, 6}, {23, 6, 0, 2}, {23, 4, 2, 4}, {23, 4, 3, 3},
        {25, 3, 1, 2}, {25, 3, 0, 0},
        {27, 3, 3, 5, {{25, 1}}}, {27, 3, 5, 5, {{25, 0}}},
        {58, 3, 3, 3},
        {82, 3, 4, 5, {{23, 1}}}, {82, 3, 5, 5, {{23, 0}}},
        {93, 3, 2, 4, {{82, 0}}}, {93, 6, 4, 4, {{82, 3}}},
        {122, 3, 0, 0}, {122, 3, 1, 6}, {122, 3, 2, 10},
        {216, 3, 2, 5},
    });
}

TEST_F(ItemTransfer, Remap35xxGroupTwoWiring)
{
    wqt_cfg_35xx cfg(1);
    check_writes(cfg, {
        {82, 3, 0, 3, {{23, 0}}}, {82, 3, 3, 4, {{23, 0}}}, {82, 3, 0, 0, {{23, 1}}},
    });
    check_reads(cfg, {{82, 3, 4, 5, {{23, 0}}}, {82, 3, 5, 5, {{23, 1}}}});
}

TEST_F(ItemTransfer, Failed35xxIntegerReadKeepsThePosition)
{
    wqt_cfg_35xx cfg(0);
    sim.link.phase_count = 5;
    cfg.set_value_int(23, 4);
    sim.inst.add_rule({"config,23?", action::silence, "", 0, 3});
    EXPECT_NO_THROW(cfg.read_item(23, &sim.link, true, nullptr));
    // 4 is a list position: remapped as an instrument number it would be 3.
    EXPECT_EQ(4, value_of(cfg, 23));

    sim.inst.set_item(23, "9"); // outside 0..6
    EXPECT_NO_THROW(cfg.read_item(23, &sim.link, true, nullptr));
    EXPECT_EQ(4, value_of(cfg, 23));

    // Text reads still pass their failures on.
    sim.inst.add_rule({"config,48?", action::silence, "", 0, 3});
    try {
        cfg.read_item(48, &sim.link, true, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (item_error_code code) {
        EXPECT_EQ(48, code);
    }
}

// The wiring is taken again from its number only by a grouping read into
// the image on three phases (a whole read's; its test is with the whole
// transfer): not by a read into a separate item, nor on other phase counts.
TEST_F(ItemTransfer, OnlyAGroupingReadIntoTheImageTakesTheWiringAgain)
{
    sim.inst.set_item(82, "5");
    sim.inst.set_item(23, "1");
    for (const uint32_t phases : {3u, 4u}) {
        sim.link.phase_count = phases;
        wqt_cfg_35xx cfg(0);
        cfg.read_item(82, &sim.link, true, nullptr);
        const int wiring = value_of(cfg, 82);
        config_item target = *cfg.item_at(23);
        cfg.read_item(23, &sim.link, true, &target);
        EXPECT_EQ(1, target.value.integer);
        EXPECT_EQ(wiring, value_of(cfg, 82)) << phases << " phases, into a separate item";
        cfg.read_item(23, &sim.link, true, nullptr);
        EXPECT_EQ(phases == 3 ? 4 : 5, value_of(cfg, 82)) << phases << " phases";
    }
}

TEST_F(ItemTransfer, ReadIntoTargetLeavesTheImage)
{
    wqt_cfg_15xx cfg;
    config_item list_target = *cfg.item_at(24);
    sim.inst.set_item(24, "4");
    cfg.read_item(24, &sim.link, true, &list_target);
    EXPECT_EQ(2, list_target.value.integer);
    EXPECT_EQ(0, value_of(cfg, 24));

    cfg.set_value_text(12, "7");
    config_item text_target = *cfg.item_at(12);
    sim.inst.set_item(12, "0.5");
    cfg.read_item(12, &sim.link, true, &text_target);
    EXPECT_STREQ("0.5", text_target.value.text);
    EXPECT_STREQ("7", cfg.get_value_text(12, nullptr));

    // A text longer than 18 characters is cut to 18.
    sim.inst.set_item(12, "123456789012345678901234");
    cfg.read_item(12, &sim.link, true, nullptr);
    EXPECT_STREQ("123456789012345678", cfg.get_value_text(12, nullptr));
}

TEST_F(ItemTransfer, ReadFailurePassesOnAndClosesWhatItOpened)
{
    open_close_link(LINK_CLOSE, &sim.link);
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 1);
    sim.inst.add_rule({"config,24?", action::silence, "", 0, 3});
    try {
        cfg.read_item(24, &sim.link, false, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (item_error_code code) {
        EXPECT_EQ(24, code);
    }
    EXPECT_EQ(0, sim.link.link_open);
    EXPECT_EQ(1, value_of(cfg, 24));

    sim.inst.set_item(24, "7"); // outside 0..4
    try {
        cfg.read_item(24, &sim.link, false, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (item_error_code code) {
        EXPECT_EQ(make_item_error_code(24, 7), code);
    }
    EXPECT_EQ(0, sim.link.link_open);
}

TEST_F(ItemTransfer, UnboundedIntegerReadOnlyIn55xx)
{
    wqt_cfg_55xx cfg55;
    wqt_cfg_25xx cfg25;
    for (instrument_config* cfg : {static_cast<instrument_config*>(&cfg55),
                                   static_cast<instrument_config*>(&cfg25)}) {
        cfg->set_minimum(100, kNoBound);
        cfg->set_maximum(100, kNoBound);
    }
    sim.inst.set_item(100, "500");
    cfg55.read_item(100, &sim.link, true, nullptr);
    EXPECT_EQ(500, value_of(cfg55, 100));
    try {
        cfg25.read_item(100, &sim.link, true, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (item_error_code code) {
        EXPECT_EQ(make_item_error_code(100, 500), code);
    }
}

TEST_F(ItemTransfer, RangeChecksComeBeforeSending)
{
    wqt_cfg_15xx cfg;
    // Above the maximum, below the minimum: not sent, still changed.
    cfg.set_value_int(24, 5);
    EXPECT_EQ(item_write_status::out_of_range, cfg.write_item(24, &sim.link, true).status);
    cfg.set_value_int(25, -1);
    EXPECT_EQ(item_write_status::out_of_range, cfg.write_item(25, &sim.link, true).status);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(1, cfg.item_at(25)->changed);
    // The bounds are those of the position: 15xx item 122 position 8 would
    // be sent as 14, beyond the maximum of 8, yet it is within range.
    cfg.set_value_int(122, 8);
    EXPECT_EQ(item_write_status::sent, cfg.write_item(122, &sim.link, true).status);
    EXPECT_EQ("14", sim.inst.item(122));

    // With no maximum there is no upper check.
    cfg.set_maximum(24, kNoBound);
    cfg.set_value_int(24, 50);
    EXPECT_EQ(item_write_status::sent, cfg.write_item(24, &sim.link, true).status);
    EXPECT_EQ("52", sim.inst.item(24));

    // Text items are checked as numbers.
    cfg.set_value_text(12, "12.5");
    cfg.set_maximum(12, 10.0);
    EXPECT_EQ(item_write_status::out_of_range, cfg.write_item(12, &sim.link, true).status);
    EXPECT_EQ(1, cfg.item_at(12)->changed);
    cfg.set_minimum(12, kNoBound);
    cfg.set_maximum(12, kNoBound);
    cfg.set_value_text(12, "abc");
    EXPECT_EQ(item_write_status::sent, cfg.write_item(12, &sim.link, true).status);
    EXPECT_EQ("abc", sim.inst.item(12));

    const std::vector<std::string> expected = {"config,122,14", "config,24,52", "config,12,abc"};
    EXPECT_EQ(expected, config_commands(sim.inst));
}

TEST_F(ItemTransfer, OutOfRangeOpensAndClosesWithoutSendingTheItem)
{
    open_close_link(LINK_CLOSE, &sim.link);
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 5);
    EXPECT_EQ(item_write_status::out_of_range, cfg.write_item(24, &sim.link, false).status);
    EXPECT_EQ(0, sim.link.link_open);
    EXPECT_TRUE(config_commands(sim.inst).empty());
}

TEST_F(ItemTransfer, NothingTravelsForUnknownIdsAndUndefinedItems)
{
    open_close_link(LINK_CLOSE, &sim.link);
    wqt_cfg_15xx cfg;
    EXPECT_EQ(item_write_status::not_sent, cfg.write_item(300, &sim.link, false).status);
    EXPECT_EQ(item_write_status::not_sent, cfg.write_item(257, &sim.link, false).status);
    cfg.read_item(300, &sim.link, false, nullptr);
    cfg.read_item(256, &sim.link, false, nullptr);
    // An item the family does not define has no value to send.
    ASSERT_EQ(ITEM_UNSET, cfg.item_at(2)->kind);
    cfg.set_value_int(2, 1);
    EXPECT_EQ(item_write_status::not_sent, cfg.write_item(2, &sim.link, false).status);
    EXPECT_EQ(1, cfg.item_at(2)->changed);
    Sleep(100);
    EXPECT_EQ("", sim.inst.received());
    EXPECT_EQ(0, sim.link.link_open);
}

TEST_F(ItemTransfer, LinkThatCannotOpenFailsAtOnce)
{
    link_record dead;
    fill_serial_link(dead, "COM0");
    wqt_cfg_15xx cfg;
    cfg.set_value_int(24, 1);
    const DWORD start = GetTickCount();
    const item_write_result r = cfg.write_item(24, &dead, false);
    EXPECT_EQ(item_write_status::failed, r.status);
    EXPECT_EQ(24, r.error_code);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    try {
        cfg.read_item(24, &dead, false, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (item_error_code code) {
        EXPECT_EQ(24, code);
    }
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(0, dead.link_open);
}

TEST_F(ItemTransfer, FrequencyFollowUpRules)
{
    // 15xx: only when the lock's number is 1.
    wqt_cfg_15xx cfg15;
    cfg15.set_value_text(48, "60");
    cfg15.set_value_int(7, 2);
    EXPECT_EQ(item_write_status::sent, cfg15.write_item(7, &sim.link, true).status);
    cfg15.set_value_int(7, 1);
    EXPECT_EQ(item_write_status::sent, cfg15.write_item(7, &sim.link, true).status);
    // 25xx: any number but 0.
    wqt_cfg_25xx cfg25;
    cfg25.set_value_text(48, "70");
    cfg25.set_value_int(7, 0);
    cfg25.write_item(7, &sim.link, true);
    cfg25.set_value_int(7, 2);
    cfg25.write_item(7, &sim.link, true);
    // The base class sends no follow-up.
    auto base = instrument_config_copy(cfg25);
    sim.link.model_code = 2;
    base->set_value_int(7, 2);
    base->write_item(7, &sim.link, true);
    const std::vector<std::string> expected = {"config,7,2", "config,7,1", "config,48,60",
                                               "config,7,0", "config,7,2", "config,48,70",
                                               "config,7,2"};
    EXPECT_EQ(expected, config_commands(sim.inst));
}

TEST_F(ItemTransfer, FailedFrequencyFollowUpLeavesTheLockSent)
{
    wqt_cfg_55xx cfg;
    cfg.set_value_int(7, 2);
    cfg.set_value_text(48, "50");
    sim.inst.add_rule({"config,48,", action::refuse, "", 0, 4});
    const item_write_result r = cfg.write_item(7, &sim.link, true);
    EXPECT_EQ(item_write_status::sent, r.status);
    EXPECT_EQ(0, r.error_code);
    // Item 7 itself was taken; "Frequency" stays marked for the next write.
    EXPECT_EQ(0, cfg.item_at(7)->changed);
    EXPECT_EQ(1, cfg.item_at(48)->changed);
    EXPECT_EQ("2", sim.inst.item(7));
}

TEST_F(ItemTransfer, TShortTextIsSentAsSixNPlus32)
{
    wqt_cfg_55xx cfg;
    // As the family defines it, an integer item (0..255): sent as it is, and
    // read back as it was written, however large.
    EXPECT_EQ(item_write_status::sent,
              cfg.set_value_text_and_send(126, "10", &sim.link, true).status);
    EXPECT_EQ("10", sim.inst.item(126));
    EXPECT_EQ(item_write_status::out_of_range,
              cfg.set_value_text_and_send(126, "300", &sim.link, true).status);
    for (const char* n : {"38", "255"}) {
        cfg.set_value_text_and_send(126, n, &sim.link, true);
        EXPECT_EQ(n, sim.inst.item(126));
        wqt_cfg_55xx reader;
        EXPECT_NO_THROW(reader.read_item(126, &sim.link, true, nullptr)) << n;
        EXPECT_EQ(atoi(n), value_of(reader, 126));
    }

    // Held as a text item.
    config_item* item = cfg.item_at(126);
    item->kind = ITEM_TEXT;
    item->minimum = kNoBound;
    item->maximum = kNoBound;
    cfg.set_value_text_and_send(126, "10", &sim.link, true);
    EXPECT_EQ("92", sim.inst.item(126));
    cfg.set_value_text_and_send(126, "-2.7", &sim.link, true);
    EXPECT_EQ("20", sim.inst.item(126));

    // Other families send the value as it is.
    wqt_cfg_45xx other;
    other.set_value_text(12, "10");
    other.write_item(12, &sim.link, true);
    EXPECT_EQ("10", sim.inst.item(12));
}

TEST_F(ItemTransfer, SetAndSend)
{
    wqt_cfg_15xx cfg15;
    instrument_config& cfg = cfg15; // through the virtual slots
    const int position = 2;
    EXPECT_TRUE(cfg.set_value_int_and_send(24, &position, &sim.link, true).sent());
    EXPECT_EQ("4", sim.inst.item(24));
    const double one_point_nine = 1.9;
    EXPECT_TRUE(cfg.set_value_double_and_send(24, &one_point_nine, &sim.link, true).sent());
    EXPECT_EQ("3", sim.inst.item(24));
    config_item_value record = cfg.get_value_record_copy(24);
    record.value.integer = 0;
    EXPECT_TRUE(cfg.set_value_record_and_send(24, &record, &sim.link, true).sent());
    EXPECT_EQ("1", sim.inst.item(24));
    EXPECT_TRUE(cfg.set_value_text_and_send(12, "2.5", &sim.link, true).sent());
    EXPECT_EQ("2.5", sim.inst.item(12));

    // Nothing to set: nothing is sent and the value stays.
    sim.inst.clear_received();
    EXPECT_EQ(item_write_status::not_sent,
              cfg.set_value_int_and_send(24, nullptr, &sim.link, true).status);
    EXPECT_EQ(item_write_status::not_sent,
              cfg.set_value_double_and_send(24, nullptr, &sim.link, true).status);
    EXPECT_EQ(item_write_status::not_sent,
              cfg.set_value_record_and_send(24, nullptr, &sim.link, true).status);
    EXPECT_EQ(item_write_status::not_sent,
              cfg.set_value_text_and_send(12, nullptr, &sim.link, true).status);
    EXPECT_EQ(0, value_of(cfg, 24));
    EXPECT_EQ(0, cfg.item_at(24)->changed);
    std::string text;
    EXPECT_EQ("2.5", cfg.get_value_string(12, text));
    EXPECT_EQ(0, cfg.item_at(12)->changed);
    EXPECT_EQ("", sim.inst.received());

    // A value out of range is stored but not sent.
    const int too_big = 9;
    EXPECT_EQ(item_write_status::out_of_range,
              cfg.set_value_int_and_send(24, &too_big, &sim.link, true).status);
    EXPECT_EQ(9, value_of(cfg, 24));
    EXPECT_EQ(1, cfg.item_at(24)->changed);
}

TEST_F(ItemTransfer, BaseClassSendsUnmappedAndLogsNamedLines)
{
    wqt_cfg_15xx family;
    auto base = instrument_config_copy(family);
    sim.link.model_code = 1;

    {
        comms_log_capture log("items");
        base->set_value_int(24, 1);
        EXPECT_TRUE(base->write_item(24, &sim.link, true).sent());
        EXPECT_EQ("1", sim.inst.item(24));
        sim.inst.set_item(24, "4");
        base->read_item(24, &sim.link, true, nullptr);
        EXPECT_EQ(4, value_of(*base, 24));
        sim.inst.set_item(1, "2");
        base->read_item(1, &sim.link, true, nullptr);
        sim.inst.set_item(12, "5.5");
        base->read_item(12, &sim.link, true, nullptr);

        EXPECT_TRUE(log.has_line("Voltage Input: External Attenuator\n")) << log.text();
        EXPECT_TRUE(log.has_line("Voltage Input: --\n")) << log.text();
        EXPECT_TRUE(log.has_line("Mode: Power Analyzer\n")) << log.text();
        EXPECT_TRUE(log.has_line("Window: 5.5\n")) << log.text();
    }

    // A model code without an item-name list: nothing travels.
    sim.inst.clear_received();
    for (uint32_t model : {0u, 7u, 13u}) {
        sim.link.model_code = model;
        base->set_value_int(24, 2);
        EXPECT_EQ(item_write_status::not_sent, base->write_item(24, &sim.link, true).status);
        base->read_item(24, &sim.link, true, nullptr);
        EXPECT_EQ(2, value_of(*base, 24));
    }
    EXPECT_EQ("", sim.inst.received());
}

// ---- Round trips ------------------------------------------------------------------

constexpr int kRefused = -1000; // the write or the read back failed

// The remapped items of a family under one setting of the instrument: its
// phase count, items of the image the numbering depends on, its group and
// its model name. Each position a page offers (0..offered-1; 0: the item's
// own options, or an integer item's ends and the number below its top),
// sent and read back, is that position.
struct round_trip_row {
    config_family family;
    std::vector<int> ids;
    uint32_t phases = 3;
    int offered = 0;
    std::vector<std::pair<int, int>> image = {};
    uint8_t group2 = 0;
    const char* model = "";
};

using F = config_family;

const std::vector<round_trip_row>& round_trip_rows()
{
    static const std::vector<round_trip_row> rows = {
        {F::wqt15xx, {1, 24, 176, 200, 25, 177, 201, 58, 70, 93, 122}},
        {F::wqt15xx, {82}, 2, 5},
        {F::wqt15xx, {82}, 1, 1},
        {F::wqt25xx, {1, 24, 176, 200, 25, 177, 201, 58, 122}},
        {F::wqt25xx, {kItemHarmonic, kItemHarmonicSeries}},
        {F::wqt25xx, {82}, 2, 4},
        {F::wqt25xx, {82}, 1, 1},
        {F::wqt45xx, {1, 24, 176, 200, 25, 26, 27, 177, 178, 179, 201, 202, 203, 122, 143}},
        {F::wqt45xx, {82}, 2, 5},
        {F::wqt45xx, {82}, 1, 1},
        {F::wqt55xx, {1, 24, 176, 200, 25, 177, 201, 122, 125, 143}},
        {F::wqt55xx, {70}, 3, 0, {}, 0, "WQT5530"},
        {F::wqt55xx, {70}, 3, 0, {}, 0, "WQT5532"},
        {F::wqt55xx, {82}, 2, 5},
        {F::wqt55xx, {82}, 1, 1},
        {F::wqt35xx, {1, 99, 24, 176, 200, 25, 177, 201, 122, 216}},
        {F::wqt35xx, {23}, 3, 3},
        {F::wqt35xx, {23}, 4, 5},
        {F::wqt35xx, {23}, 5, 5},
        {F::wqt35xx, {23}, 6, 5},
        // The ranges of an external input: eight on the ranging page.
        {F::wqt35xx, {26, 178, 202}, 3, 8, {{24, 1}, {176, 1}, {200, 1}}},
        {F::wqt35xx, {27, 179, 203}, 3, 8, {{25, 1}, {177, 1}, {201, 1}}},
        {F::wqt35xx, {kItemDatalog}},
        // Three phases split between the groups: the split group's wirings.
        {F::wqt35xx, {82}, 3, 4, {{23, 1}}, 0},
        // Group 2 under grouping 0: its first wiring is the instrument's 3.
        {F::wqt35xx, {82}, 3, 4, {{23, 0}}, 1},
        // Wiring 0: the group ratios only.
        {F::wqt35xx, {93}, 3, 3, {{82, 0}}},
    };
    return rows;
}

std::unique_ptr<instrument_config> make_row_family(const round_trip_row& row)
{
    if (row.family == F::wqt35xx)
        return std::make_unique<wqt_cfg_35xx>(row.group2);
    return make_family(row.family);
}

// A list's positions; a whole number's ends and the number below the top.
std::vector<int> offered_positions(const config_item& item, int offered)
{
    if (offered == 0 && item.options.empty()) {
        const int top = static_cast<int>(item.maximum);
        return {static_cast<int>(item.minimum), top - 1, top};
    }
    std::vector<int> positions(offered > 0 ? offered : static_cast<int>(item.options.size()));
    for (size_t p = 0; p < positions.size(); ++p)
        positions[p] = static_cast<int>(p);
    return positions;
}

// What a position reads back as once it was sent; kRefused when the write
// or the read failed (the two-group family keeps the value of a failed read).
int sent_and_read(instrument_config& cfg, int id, int position, link_record& link)
{
    cfg.set_value_int(id, position);
    if (cfg.write_item(id, &link, true).status != item_write_status::sent)
        return kRefused;
    cfg.set_value_int(id, kRefused);
    try {
        cfg.read_item(id, &link, true, nullptr);
    } catch (item_error_code) {
        return kRefused;
    }
    return cfg.kept_value_failure() != 0 ? kRefused : value_of(cfg, id);
}

// The positions of one item of a row that do not come back as the row says.
std::vector<std::string> round_trip_faults(const round_trip_row& row, int id, link_record& link)
{
    link.phase_count = row.phases;
    const model_profile* profile = identify_model(row.model[0] ? row.model + 3 : nullptr);
    link.model_code = profile != nullptr ? profile->model_code : 0;
    std::snprintf(link.idn_reply, sizeof link.idn_reply, "%s%s%s", row.model[0] ? "TROSVALDEN," : "",
                  row.model, row.model[0] ? ",A1,V1" : "");
    auto cfg = make_row_family(row);
    for (const auto& [other, value] : row.image)
        cfg->set_value_int(other, value);
    std::vector<std::string> faults;
    for (int position : offered_positions(*cfg->item_at(id), row.offered)) {
        const int got = sent_and_read(*cfg, id, position, link);
        if (got != position)
            faults.push_back(std::to_string(position) + " came back as " + std::to_string(got));
    }
    return faults;
}

// Each write waits 200 ms for the instrument's status, so the items go to
// several instruments side by side.
TEST(ItemRoundTrip, EveryOfferedPositionComesBackAsItself)
{
    std::vector<std::pair<const round_trip_row*, int>> units;
    for (const round_trip_row& row : round_trip_rows())
        for (int id : row.ids)
            units.emplace_back(&row, id);
    constexpr size_t kInstruments = 16;
    std::vector<std::unique_ptr<lan_sim>> sims;
    for (size_t k = 0; k < kInstruments; ++k) {
        sims.push_back(std::make_unique<lan_sim>());
        ASSERT_TRUE(sims.back()->ok()) << "no free loopback address";
        ASSERT_EQ(0, open_close_link(LINK_OPEN_NO_HANDSHAKE, &sims.back()->link));
        set_read_timeout(300, &sims.back()->link);
    }
    std::vector<std::vector<std::string>> faults(units.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (size_t k = 0; k < kInstruments; ++k) {
        workers.emplace_back([&, k] {
            for (size_t i = next++; i < units.size(); i = next++)
                faults[i] = round_trip_faults(*units[i].first, units[i].second, sims[k]->link);
        });
    }
    for (auto& worker : workers)
        worker.join();
    for (auto& sim : sims)
        open_close_link(LINK_CLOSE, &sim->link);
    for (size_t i = 0; i < units.size(); ++i) {
        const round_trip_row& row = *units[i].first;
        EXPECT_EQ(std::vector<std::string>(), faults[i])
            << "family " << static_cast<int>(row.family) << " group " << int(row.group2)
            << " phases " << row.phases << " " << row.model << " item " << units[i].second;
    }
}

} // namespace
