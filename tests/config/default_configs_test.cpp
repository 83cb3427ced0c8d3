// Default configurations: the choice of block by family, mode value and
// model digit, what each block puts on the wire of a simulated instrument,
// refused writes inside a block, and the recall of program 0.
#include "config/default_configs.h"

#include "config/instrument_config.h"
#include "link/transport.h"
#include "config/model_profiles.h"
#include "tests/support/config_families.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using wqt_sim::action;

struct choice_case {
    uint32_t model;
    int mode;
    int digit;
    default_action action;
};

// The "config,<id>,<value>" commands the instrument got, in order, once the
// last of them has come in.
std::vector<std::string> settled_writes(const wqt_sim::instrument& inst)
{
    std::vector<std::string> out;
    for (const std::string& c : settled_commands(inst)) {
        if (c.rfind("config,", 0) == 0 && c.back() != '?')
            out.push_back(c.substr(7));
    }
    return out;
}

class DefaultBlocks : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.ok());
        msgbox::reset();
        sim.link.model_code = 5;
        std::snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "TROSVALDEN,WQT5530,A1,V1");
        ASSERT_EQ(open_close_link(LINK_OPEN, &sim.link), 0);
    }
    void TearDown() override { open_close_link(LINK_CLOSE, &sim.link); }

    lan_sim sim;
};

} // namespace

TEST(DefaultChoice, BlockByFamilyModeAndModelDigit)
{
    const choice_case cases[] = {
        // 15xx family (model codes 1 and 6): the model digit plays no part.
        {1, 1, -1, default_action::block_2},
        {6, 1, -1, default_action::block_2},
        {1, 2, -1, default_action::block_3},
        {1, 3, -1, default_action::block_4},
        {1, 4, -1, default_action::ask_kind},
        {1, 5, 2, default_action::recall_program},
        {6, 7, 2, default_action::recall_program},
        {1, 0, -1, default_action::recall_program},
        // Every other family.
        {5, 1, -1, default_action::block_1},
        {2, 1, -1, default_action::block_1},
        {16, 1, -1, default_action::block_1},
        {4, 2, -1, default_action::block_2},
        {3, 3, -1, default_action::block_3},
        {5, 4, -1, default_action::block_5},
        {5, 5, -1, default_action::block_4},
        {16, 6, -1, default_action::ask_kind},
        {5, 7, 2, default_action::block_6},
        {5, 8, 0, default_action::block_6},
        {4, 8, 5, default_action::block_6},
        {5, 8, 2, default_action::block_7},
        {5, 7, 0, default_action::block_8},
        {2, 7, 9, default_action::block_8},
        {5, 7, -1, default_action::recall_program},
        {5, 8, -1, default_action::recall_program},
        {5, 9, 2, default_action::recall_program},
        {5, 0, 2, default_action::recall_program},
        {5, -1, 0, default_action::recall_program},
    };
    for (const choice_case& c : cases) {
        SCOPED_TRACE("model " + std::to_string(c.model) + " mode " + std::to_string(c.mode) +
                     " digit " + std::to_string(c.digit));
        EXPECT_EQ(choose_default_action(c.model, c.mode, c.digit), c.action);
    }
    EXPECT_FALSE(default_needs_model_digit(1, 7));
    EXPECT_FALSE(default_needs_model_digit(5, 6));
    EXPECT_TRUE(default_needs_model_digit(5, 7));
    EXPECT_TRUE(default_needs_model_digit(16, 0));
}

TEST(DefaultChoice, ModelDigitFromTheIdentification)
{
    const struct {
        const char* idn;
        int digit;
    } cases[] = {{"TROSVALDEN,WQT5532,A1,V1", 2},
                 {"TROSVALDEN,WQT5530,A1,V1", 0},
                 {"TROSVALDEN,WQT5532-F2,A1,V1", 2},
                 {"", -1}};
    for (const auto& c : cases) {
        link_record link;
        clear_link_record(&link);
        link.model_code = 5;
        std::snprintf(link.idn_reply, sizeof link.idn_reply, "%s", c.idn);
        EXPECT_EQ(model_digit_of(&link), c.digit) << c.idn;
    }
}

TEST_F(DefaultBlocks, BlockOneOnTheWire)
{
    wqt_cfg_55xx cfg;
    cfg.set_value_text(48, "50");
    apply_default_block(cfg, default_action::block_1, &sim.link, true);
    // Frequency follows Frequency Lock; item 93 offers a sixth choice.
    const std::vector<std::string> expected = {"7,2",  "48,50", "15,1", "31,1",
                                               "69,0.500", "73,1",  "93,5"};
    EXPECT_EQ(settled_writes(sim.inst), expected);
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_EQ(sim.link.link_open, 1) << "the caller's link stays open";
    int value = 0;
    EXPECT_EQ(cfg.get_value_int(93, value), 5);
    EXPECT_EQ(cfg.item_at(93)->changed, 0) << "sent";
}

TEST_F(DefaultBlocks, ChoiceNotOfferedGivesZero)
{
    wqt_cfg_55xx cfg;
    // An item 93 with only two choices has no sixth or second... only
    // "Disabled" and one more: block I sends 0, block II 1.
    cfg.set_option_list(93, {"Disabled", "Group 2 / Group 1"});
    apply_default_block(cfg, default_action::block_1, &sim.link, true);
    apply_default_block(cfg, default_action::block_2, &sim.link, true);
    const std::vector<std::string> writes = settled_writes(sim.inst);
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes[writes.size() - 3], "93,0");
    EXPECT_EQ(writes.back(), "93,1");
}

TEST_F(DefaultBlocks, BlockThreeByModelAndBlockEightByItem172)
{
    // The current minimum range is 8 for model codes 4 and 5, else 7; the
    // 45xx numbers its ranges one higher on the wire.
    wqt_cfg_45xx cfg45;
    sim.link.model_code = 4;
    apply_default_block(cfg45, default_action::block_3, &sim.link, true);
    int value = 0;
    EXPECT_EQ(cfg45.get_value_int(27, value), 8);
    wqt_cfg_25xx cfg25;
    sim.link.model_code = 2;
    apply_default_block(cfg25, default_action::block_3, &sim.link, true);
    EXPECT_EQ(cfg25.get_value_int(27, value), 7);

    // Item 172 at 0: mode 7 with a window of 0.2 s; otherwise mode 8 and
    // item 12 left alone.
    sim.link.model_code = 5;
    for (int selector : {0, 1}) {
        SCOPED_TRACE(selector);
        sim.inst.clear_received();
        wqt_cfg_55xx cfg;
        cfg.set_value_int(172, selector);
        cfg.set_value_text(12, "1.0000E0");
        apply_default_block(cfg, default_action::block_8, &sim.link, true);
        const std::vector<std::string> expected =
            selector == 0 ? std::vector<std::string>{"1,8", "12,2.0000E-1", "26,6", "27,6",
                                                     "28,2", "29,2", "31,1", "82,0"}
                          : std::vector<std::string>{"1,9", "26,6", "27,6", "28,2",
                                                     "29,2", "31,1", "82,0"};
        EXPECT_EQ(settled_writes(sim.inst), expected);
        EXPECT_EQ(cfg.get_value_int(1, value), selector == 0 ? 7 : 8);
        EXPECT_STREQ(cfg.item_at(12)->value.text, selector == 0 ? "2.0000E-1" : "1.0000E0");
    }
}

TEST_F(DefaultBlocks, ItemsTheFamilyDoesNotDefineAreLeftOut)
{
    // Block VII sets item 116 (Capture Mode), which only the 55xx defines.
    wqt_cfg_45xx cfg;
    sim.link.model_code = 4;
    apply_default_block(cfg, default_action::block_7, &sim.link, true);
    const std::vector<std::string> expected = {"1,7", "110,2", "113,1"};
    EXPECT_EQ(settled_writes(sim.inst), expected);
    EXPECT_EQ(cfg.item_at(116)->kind, ITEM_UNSET);
    EXPECT_EQ(cfg.get_value_record_copy(116).value.integer, -99) << "still reads as unset";
}

// Items of a block that fail: writes the instrument refuses (tried four
// times each) and values outside their item's range (never sent, the item
// left as it was). Every item is attempted; the first failure in the
// block's order is then shown in one box.
TEST_F(DefaultBlocks, FailedItemsAreReportedOnceAfterTheRest)
{
    struct row {
        const char* what;
        uint32_t model;
        default_action block;
        std::vector<int> refused;      // items whose writes the instrument refuses
        std::vector<int> out_of_range; // items never sent and left as they were
        std::vector<std::string> last; // the last writes of the block
        const char* failure;           // the box's text
    };
    // Speed 5 and Computation 7 on a 25xx, whose maxima are 4 and 6.
    const row rows[] = {
        {"refused writes", 5, default_action::block_1, {15, 31}, {}, {"69,0.500", "73,1", "93,5"},
         "An error occurred writing the config to the instrument \n(Id:15 [Smoothing Response] ret:32)"},
        {"values out of range", 2, default_action::block_6, {}, {13, 99}, {"14,2", "100,22", "101,7502"},
         "Speed (id:13 val:5) can only be set between 0 and 4"},
        {"a refused write before values out of range", 2, default_action::block_6, {12}, {13, 99},
         {"14,2", "100,22", "101,7502"},
         "An error occurred writing the config to the instrument \n(Id:12 [Window] ret:32)"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.what);
        msgbox::reset();
        sim.inst.clear_rules();
        settled_commands(sim.inst);
        sim.inst.clear_received();
        for (int id : r.refused)
            sim.inst.add_rule({"config," + std::to_string(id) + ",", action::refuse, "", 0, -1});
        sim.link.model_code = r.model;
        const config_family family = find_model_profile(r.model)->family;
        std::unique_ptr<instrument_config> cfg = make_family(family);
        const std::unique_ptr<instrument_config> untouched = make_family(family);
        cfg->set_value_text(48, "50");

        apply_default_block(*cfg, r.block, &sim.link, true);

        const std::vector<std::string> writes = settled_writes(sim.inst);
        ASSERT_GE(writes.size(), r.last.size());
        EXPECT_EQ(std::vector<std::string>(writes.end() - r.last.size(), writes.end()), r.last);
        auto writes_of = [&](int id) {
            return std::count_if(writes.begin(), writes.end(), [&](const std::string& w) {
                return w.rfind(std::to_string(id) + ",", 0) == 0;
            });
        };
        for (int id : r.refused) {
            EXPECT_EQ(writes_of(id), 4) << id;
            EXPECT_EQ(cfg->item_at(id)->changed, 1) << "not sent: still changed";
        }
        for (int id : r.out_of_range) {
            EXPECT_EQ(writes_of(id), 0) << id;
            EXPECT_EQ(cfg->get_value_record_copy(id).value.integer, untouched->get_value_record_copy(id).value.integer)
                << id;
            EXPECT_EQ(cfg->item_at(id)->changed, 0) << id;
        }
        const auto boxes = msgbox::shown();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, r.failure);
        EXPECT_EQ(boxes[0].caption, "Write Instrument Setup");
    }
}

TEST_F(DefaultBlocks, RecallReadsEverythingBackOnTheHeldLink)
{
    sim.inst.set_item(172, "1");
    wqt_cfg_55xx cfg;
    recall_program_zero_on(cfg, &sim.link);
    const std::vector<std::string> commands = sim.inst.commands();
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.front(), "prog,recall,0");
    EXPECT_NE(std::find(commands.begin(), commands.end(), "SUSPEN,ON"), commands.end());
    EXPECT_NE(std::find(commands.begin(), commands.end(), "config,172?"), commands.end());
    int value = 0;
    EXPECT_EQ(cfg.get_value_int(172, value), 1);
    EXPECT_EQ(sim.link.link_open, 1) << "the caller closes the link it holds";

    // A closed link is opened for the recall and closed again.
    open_close_link(LINK_CLOSE, &sim.link);
    recall_program_zero_on(cfg, &sim.link);
    EXPECT_EQ(sim.link.link_open, 0);
}
