// Whole-configuration reads and writes against the simulated instrument: the
// suspend frame, the id loop, the read-back rule, failed items and their
// messages, the communications log and the progress reports.
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/model_profiles.h"
#include "config/transfer_progress.h"
#include "link/transport.h"
#include "tests/support/comms_log_capture.h"
#include "tests/support/config_bodies.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using wqt_sim::action;

constexpr uint32_t kModel55xx = 5;
constexpr UINT kErrorBoxType = MB_ICONEXCLAMATION | MB_OK;

const char kReadFailure[] =
    "An error occurred reading the config from the instrument \n(Id:%d [%s] ret:%d)";
const char kWriteFailure[] =
    "An error occurred writing the config to the instrument \n(Id:%d [%s] ret:%d)";
const char kTooMany[] = "\nToo many read errors, stopping instrument config read";

std::string failure_text(const char* form, int id, const char* name, int ret, bool last = false)
{
    char text[512];
    snprintf(text, sizeof text, form, id, name, ret);
    return std::string(text) + (last ? kTooMany : "");
}

// The boxes shown so far, for a failure message.
std::string shown_text()
{
    std::string out;
    for (const auto& box : msgbox::shown())
        out += "[" + box.caption + "] " + box.text + "\n";
    return out;
}

bool is_named(const char* const* names, int id)
{
    return strcmp(names[id], "Unused") != 0;
}

// The ids a whole transfer moves, in its order: the named ids the family
// defines, 255 down to 1.
std::vector<int> moved_ids(instrument_config& cfg, uint32_t model)
{
    const char* const* names = item_names_for_model(model);
    std::vector<int> ids;
    for (int id = 255; id >= 1; --id) {
        if (is_named(names, id) && cfg.item_at(id)->kind != ITEM_UNSET)
            ids.push_back(id);
    }
    return ids;
}

// Forgets the traffic so far, including what is still on its way.
void clear_traffic(wqt_sim::instrument& inst)
{
    settled_commands(inst);
    inst.clear_received();
}

// The ids of the "config,<id>?" commands the instrument got, in order.
std::vector<int> read_ids(const wqt_sim::instrument& inst)
{
    std::vector<int> ids;
    for (const auto& c : settled_commands(inst)) {
        if (c.rfind("config,", 0) == 0 && c.back() == '?')
            ids.push_back(atoi(c.c_str() + 7));
    }
    return ids;
}

// The "config,<id>,<value>" commands, as id and value.
std::vector<std::pair<int, std::string>> writes(const wqt_sim::instrument& inst)
{
    std::vector<std::pair<int, std::string>> out;
    for (const auto& c : settled_commands(inst)) {
        if (c.rfind("config,", 0) != 0 || c.back() == '?')
            continue;
        const size_t comma = c.find(',', 7);
        out.emplace_back(atoi(c.c_str() + 7), c.substr(comma + 1));
    }
    return out;
}

std::vector<int> written_ids(const wqt_sim::instrument& inst)
{
    std::vector<int> ids;
    for (const auto& w : writes(inst))
        ids.push_back(w.first);
    return ids;
}

size_t count_of(const wqt_sim::instrument& inst, const std::string& command)
{
    const auto commands = settled_commands(inst);
    return static_cast<size_t>(std::count(commands.begin(), commands.end(), command));
}

// The commands after the last item exchange: the closing of the frame.
std::vector<std::string> tail_after_items(const wqt_sim::instrument& inst)
{
    // The five closing commands are sent without waiting for replies, so
    // they are waited for (3 s at most).
    std::vector<std::string> tail;
    for (int waited = 0; waited <= 3000; waited += 50) {
        const auto commands = settled_commands(inst);
        auto last = std::find_if(commands.rbegin(), commands.rend(), [](const std::string& c) {
            return c.rfind("config,", 0) == 0 || c == "*esr?";
        });
        tail.assign(last.base(), commands.end());
        if (tail.size() >= 5)
            break;
        Sleep(50);
    }
    return tail;
}

const std::vector<std::string> kFiveOff(5, "SUSPEN,OFF");

// ---- Whole families, written and read back ------------------------------------

struct family_case {
    const char* name;
    uint32_t model;
    std::unique_ptr<instrument_config> (*make)();
};

template <class T>
std::unique_ptr<instrument_config> make_family()
{
    return std::make_unique<T>();
}

// Items of the two-group family whose numbering on the instrument depends
// on other items (grouping, wiring, inputs) that a whole read takes only
// later, and "Frequency Lock", whose write brings "Frequency" after it: the
// round trip leaves them at the family's values.
bool keeps_family_value(uint32_t model, int id)
{
    static const std::set<int> numbered_by_others{23, 24, 25, 82, 93, 176, 177, 200, 201};
    return id == 7 || (model == 16 && numbered_by_others.count(id) != 0);
}

// A value inside the item's range that differs from a new object's where
// the range allows: the middle of the option list or of the range.
void set_value_in_range(instrument_config& cfg, int id)
{
    config_item& item = *cfg.item_at(id);
    if (item.kind == ITEM_LIST) {
        int low = item.minimum != kNoBound ? static_cast<int>(item.minimum) : 0;
        int high = item.maximum != kNoBound ? static_cast<int>(item.maximum) : low + 20;
        if (!item.options.empty())
            high = std::min(high, static_cast<int>(item.options.size()) - 1);
        int value = (low + high) / 2;
        if (value == 0 && high > 0)
            value = 1;
        cfg.set_value_int(id, value);
        return;
    }
    double number = 12.5;
    if (item.minimum != kNoBound && item.maximum != kNoBound)
        number = (item.minimum + item.maximum) / 2;
    else if (item.minimum != kNoBound)
        number = item.minimum + 1;
    else if (item.maximum != kNoBound)
        number = item.maximum - 1;
    char text[32];
    snprintf(text, sizeof text, "%g", number);
    cfg.set_value_text(id, text);
}

std::string value_text(instrument_config& cfg, int id)
{
    std::string out;
    return cfg.get_value_string(id, out);
}

// Writes a whole family with every item changed, reads it back into a new
// object, then writes again with nothing changed.
void round_trip(const family_case& family, link_record& link, wqt_sim::instrument& inst)
{
    link.model_code = family.model;
    link.phase_count = 3;
    auto source = family.make();
    const std::vector<int> ids = moved_ids(*source, family.model);
    for (int id : ids) {
        if (keeps_family_value(family.model, id))
            source->set_value_int(id, 0); // marks it changed all the same
        else
            set_value_in_range(*source, id);
    }

    source->write_all_items(&link, true);
    EXPECT_EQ(0, link.link_open);
    EXPECT_EQ(kFiveOff, tail_after_items(inst));
    wait_until_quiet(inst);
    EXPECT_FALSE(inst.suspended());
    // Every item was changed: each is sent once, in the loop's order, and
    // none is read first.
    EXPECT_EQ(ids, written_ids(inst));
    EXPECT_TRUE(read_ids(inst).empty());
    for (int id : ids)
        EXPECT_EQ(0, source->item_at(id)->changed) << "item " << id;

    clear_traffic(inst);
    auto reader = family.make();
    EXPECT_TRUE(reader->read_all_items(&link, true));
    EXPECT_EQ(ids, read_ids(inst));
    EXPECT_TRUE(writes(inst).empty());
    for (int id : ids)
        EXPECT_EQ(value_text(*source, id), value_text(*reader, id)) << "item " << id;

    // Nothing changed and the instrument agrees: one read per item, no write.
    clear_traffic(inst);
    source->write_all_items(&link, true);
    EXPECT_EQ(ids, read_ids(inst));
    EXPECT_TRUE(written_ids(inst).empty());
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();
}

class WholeFamily : public testing::TestWithParam<family_case> {
protected:
    void SetUp() override { msgbox::reset(); }
};

TEST_P(WholeFamily, WriteReadBackAndRewriteOverLan)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok()) << "no free loopback address";
    round_trip(GetParam(), sim.link, sim.inst);
}

INSTANTIATE_TEST_SUITE_P(
    Families, WholeFamily,
    testing::Values(family_case{"Wqt15xx", 1, make_family<wqt_cfg_15xx>},
                    family_case{"Wqt25xx", 2, make_family<wqt_cfg_25xx>},
                    family_case{"Wqt35xx", 16, make_family<wqt_cfg_35xx>},
                    family_case{"Wqt45xx", 4, make_family<wqt_cfg_45xx>},
                    family_case{"Wqt55xx", 5, make_family<wqt_cfg_55xx>}),
    [](const testing::TestParamInfo<family_case>& info) { return info.param.name; });

// A whole read on three phases shows the WQT35 wiring the instrument holds,
// whatever grouping the configuration held before (a new one's, as a
// connect makes it, or another): the position that the wiring's own read
// gives the instrument's number under the instrument's grouping. The
// wiring is read before the grouping, and under the shifted numbering two
// numbers share a position. A case per group and grouping the instrument
// holds (its numbers for positions 0, 1 and 2), every wire in each.
class WholeReadWiring : public testing::TestWithParam<std::tuple<uint8_t, int>> {};

TEST_P(WholeReadWiring, ShowsTheWiringTheInstrumentHolds)
{
    const auto [group, grouping] = GetParam();
    msgbox::reset();
    lan_sim sim;
    ASSERT_TRUE(sim.ok()) << "no free loopback address";
    sim.link.model_code = 16;
    sim.link.phase_count = 3;
    {
        wqt_cfg_35xx ranges;
        fill_in_range(sim.inst, ranges);
    }
    sim.inst.set_item(kItemGrouping, std::to_string(grouping));
    for (int wire = 0; wire <= 6; ++wire) {
        sim.inst.set_item(kItemWiring, std::to_string(wire));
        wqt_cfg_35xx own(group);
        own.read_item(kItemGrouping, &sim.link, false, nullptr);
        own.read_item(kItemWiring, &sim.link, false, nullptr);
        // A new configuration holds grouping 0; the others are set.
        for (const int held : {0, 1, 2}) {
            if (held != 0 && held == value_of(own, kItemGrouping))
                continue;
            wqt_cfg_35xx whole(group);
            if (held != 0)
                whole.set_value_int(kItemGrouping, held);
            ASSERT_TRUE(whole.read_all_items(&sim.link, true));
            EXPECT_EQ(value_of(own, kItemWiring), value_of(whole, kItemWiring))
                << "wire " << wire << ", grouping " << held << " held";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GroupsAndGroupings, WholeReadWiring,
                         testing::Combine(testing::Values(uint8_t{0}, uint8_t{1}), testing::Values(0, 1, 6)),
                         [](const testing::TestParamInfo<WholeReadWiring::ParamType>& info) {
                             return "Group" + std::to_string(std::get<0>(info.param) + 1) + "Grouping" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(WholeTransferSerial, WriteReadBackAndRewrite55xx)
{
    msgbox::reset();
    serial_sim sim;
    if (!sim.ok())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    round_trip(family_case{"Wqt55xx", kModel55xx, make_family<wqt_cfg_55xx>}, sim.link, sim.inst);
}

TEST(WholeTransferSerial, ReadWithFailingItemsOverSerial)
{
    msgbox::reset();
    serial_sim sim;
    if (!sim.ok())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    wqt_cfg_55xx cfg;
    sim.link.model_code = kModel55xx;
    fill_in_range(sim.inst, cfg);
    sim.inst.set_item(24, "3");
    sim.inst.add_rule({"config,82?", action::silence, "", 0, 3});
    sim.inst.add_rule({"config,30?", action::reply, "x", 0, 3});
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ(0, sim.link.link_open);
    int value = -1;
    EXPECT_EQ(1, cfg.get_value_int(24, value));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(2u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kReadFailure, 82, "Wiring", 0), boxes[0].text);
    EXPECT_EQ(failure_text(kReadFailure, 30, item_names_for_model(kModel55xx)[30], 65534),
              boxes[1].text);
    EXPECT_EQ(moved_ids(cfg, kModel55xx).size() + 2 + 2, read_ids(sim.inst).size());
}

TEST(WholeTransferSerial, UnansweredWriteCountsAsAFailure)
{
    msgbox::reset();
    serial_sim sim;
    if (!sim.ok())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    wqt_cfg_55xx cfg;
    sim.link.model_code = kModel55xx;
    fill_in_range(sim.inst, cfg);
    ASSERT_TRUE(cfg.read_all_items(&sim.link, true));
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
    set_read_timeout(100, &sim.link);
    clear_traffic(sim.inst);
    cfg.set_value_int(24, 1);
    // The item is taken but its status query is never answered (the first
    // five silences are the suspend handshake's, which goes on regardless).
    sim.inst.add_rule({"*esr?", action::silence, "", 0, 5 + 4});
    cfg.write_all_items(&sim.link, false);
    open_close_link(LINK_CLOSE, &sim.link);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 24, "Voltage Input", 0), boxes[0].text);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    EXPECT_EQ(0, sim.link.link_open);
}

// ---- The frame and the loops, on a 55xx over LAN ---------------------------------

class WholeTransfer : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        ASSERT_TRUE(sim.ok()) << "no free loopback address";
        sim.link.model_code = kModel55xx;
        sim.link.phase_count = 3;
        fill_in_range(sim.inst, cfg);
        ids = moved_ids(cfg, kModel55xx);
    }
    void TearDown() override
    {
        if (sim.link.link_open)
            open_close_link(LINK_CLOSE, &sim.link);
        set_read_timeout(kDefaultReadTimeoutMs, &sim.link);
    }
    // Brings the image in line with the instrument and forgets the traffic.
    void sync()
    {
        ASSERT_TRUE(cfg.read_all_items(&sim.link, true));
        ASSERT_TRUE(msgbox::shown().empty()) << shown_text();
        clear_traffic(sim.inst);
    }
    std::vector<std::string> commands_before_items() const
    {
        std::vector<std::string> out;
        for (const auto& c : settled_commands(sim.inst)) {
            if (c.rfind("config,", 0) == 0)
                break;
            out.push_back(c);
        }
        return out;
    }
    int value_of(int id) { return ::value_of(cfg, id); }

    lan_sim sim;
    wqt_cfg_55xx cfg;
    std::vector<int> ids;
};

TEST_F(WholeTransfer, ReadRunsTheFrameAroundEveryNamedDefinedItem)
{
    sim.inst.set_item(24, "3");
    sim.inst.set_item(48, "49.5");
    comms_log_capture log("whole");
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ(0, sim.link.link_open);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    wait_until_quiet(sim.inst);
    EXPECT_FALSE(sim.inst.suspended());

    // DC4 clears the line, the suspend handshake succeeds at once.
    const std::string received = sim.inst.received();
    EXPECT_EQ(0u, received.find("\x14")) << "DC4 of the link's opening";
    EXPECT_EQ((std::vector<std::string>{"SUSPEN,ON", "*ESR?"}), commands_before_items());
    EXPECT_EQ(2u, std::count(received.begin(), received.begin() + received.find("SUSPEN"), '\x14'))
        << "the opening's DC4 and the frame's own";
    EXPECT_EQ(ids, read_ids(sim.inst));

    EXPECT_EQ(1, value_of(24));
    EXPECT_EQ("49.5", value_text(cfg, 48));
    EXPECT_EQ(0, cfg.item_at(24)->changed);

    EXPECT_TRUE(log.has_line("Read::Wiring (82)\n"));
    EXPECT_TRUE(log.has_line("Read::Voltage Input (24)\n"));
    // Neither an unused id nor a named item the family leaves undefined.
    EXPECT_EQ(std::string::npos, log.text().find("Read::Unused"));
    EXPECT_FALSE(log.has_line("Read::Probe Compensation (216)\n"));
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();
}

TEST_F(WholeTransfer, LinkHeldOpenByTheCallerStaysOpen)
{
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
    clear_traffic(sim.inst);
    EXPECT_TRUE(cfg.read_all_items(&sim.link, false));
    EXPECT_EQ(1, sim.link.link_open);
    // Only the frame's DC4: the link was not opened again.
    const std::string received = sim.inst.received();
    EXPECT_EQ(1, std::count(received.begin(), received.end(), '\x14'));
    EXPECT_EQ(ids, read_ids(sim.inst));
}

TEST_F(WholeTransfer, SuspendHandshake)
{
    // "1": not suspended yet, a second attempt follows.
    sim.inst.add_rule({"*esr?", action::reply, "1", 0, 1});
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ((std::vector<std::string>{"SUSPEN,ON", "*ESR?", "SUSPEN,ON", "*ESR?"}),
              commands_before_items());

    // An empty reply does not complete it either.
    clear_traffic(sim.inst);
    sim.inst.add_rule({"*esr?", action::reply, "", 0, 1});
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ((std::vector<std::string>{"SUSPEN,ON", "*ESR?", "SUSPEN,ON", "*ESR?"}),
              commands_before_items());

    // Never answered: five attempts, and the transfer goes on all the same.
    clear_traffic(sim.inst);
    set_read_timeout(100, &sim.link);
    sim.inst.add_rule({"*esr?", action::silence, "", 0, 5});
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ(10u, commands_before_items().size());
    EXPECT_EQ(5u, count_of(sim.inst, "SUSPEN,ON"));
    EXPECT_EQ(ids, read_ids(sim.inst));
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();
}

TEST_F(WholeTransfer, NoNameListSendsNothing)
{
    for (uint32_t model : {0u, 7u, 9u, 13u}) {
        sim.link.model_code = model;
        EXPECT_FALSE(cfg.read_all_items(&sim.link, true)) << model;
        cfg.set_value_int(24, 1);
        cfg.write_all_items(&sim.link, true);
        EXPECT_EQ(0, sim.link.link_open);
    }
    EXPECT_EQ("", sim.inst.received());
    EXPECT_EQ(1, cfg.item_at(24)->changed);
}

TEST_F(WholeTransfer, ReadGoesOnAfterOneAndTwoFailures)
{
    const char* const* names = item_names_for_model(kModel55xx);
    // No reply at all, then a reply that is not a number.
    sim.inst.add_rule({"config,82?", action::silence, "", 0, 3});
    sim.inst.add_rule({"config,30?", action::reply, "abc", 0, 3});
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(2u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kReadFailure, 82, "Wiring", 0), boxes[0].text);
    EXPECT_EQ(failure_text(kReadFailure, 30, names[30], 65534), boxes[1].text);
    for (const auto& box : boxes) {
        EXPECT_EQ("Read Instrument Setup", box.caption);
        EXPECT_EQ(kErrorBoxType, box.type);
    }
    // Every item was still asked for: the failing ones three times each.
    const auto asked = read_ids(sim.inst);
    EXPECT_EQ(ids.size() + 4, asked.size());
    EXPECT_EQ(1, asked.back());
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
}

TEST_F(WholeTransfer, ThirdFailureEndsTheReadButNotTheFrame)
{
    const char* const* names = item_names_for_model(kModel55xx);
    // An empty reply, a value out of range and no reply.
    sim.inst.add_rule({"config,100?", action::reply, "", 0, 3});
    sim.inst.add_rule({"config,24?", action::reply, "9", 0, 1});
    sim.inst.add_rule({"config,10?", action::silence, "", 0, 3});
    EXPECT_FALSE(cfg.read_all_items(&sim.link, true));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size()) << shown_text();
    // An empty line is no reply at all to the exchange.
    EXPECT_EQ(failure_text(kReadFailure, 100, names[100], 0), boxes[0].text);
    EXPECT_EQ(failure_text(kReadFailure, 24, "Voltage Input", 9), boxes[1].text);
    EXPECT_EQ(failure_text(kReadFailure, 10, names[10], 0, true), boxes[2].text);
    // Nothing below item 10 is read; the frame is closed all the same.
    const auto asked = read_ids(sim.inst);
    EXPECT_EQ(10, asked.back());
    EXPECT_EQ(0u, std::count_if(asked.begin(), asked.end(), [](int id) { return id < 10; }));
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    wait_until_quiet(sim.inst);
    EXPECT_FALSE(sim.inst.suspended());
    EXPECT_EQ(0, sim.link.link_open);
}

TEST_F(WholeTransfer, SilentInstrument)
{
    set_read_timeout(100, &sim.link);
    sim.inst.add_rule({"", action::silence, "", 0, -1});
    const uint64_t start = GetTickCount64();
    EXPECT_FALSE(cfg.read_all_items(&sim.link, true));
    // Five unanswered handshakes, then three items of three tries each.
    EXPECT_EQ(5u, count_of(sim.inst, "SUSPEN,ON"));
    EXPECT_EQ((std::vector<int>{ids[0], ids[0], ids[0], ids[1], ids[1], ids[1], ids[2], ids[2],
                                ids[2]}),
              read_ids(sim.inst));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size()) << shown_text();
    EXPECT_NE(std::string::npos, boxes[2].text.find("(Id:" + std::to_string(ids[2]) + " ["));
    EXPECT_NE(std::string::npos, boxes[2].text.find(kTooMany));
    EXPECT_EQ(5u, count_of(sim.inst, "SUSPEN,OFF"));
    EXPECT_LT(GetTickCount64() - start, 20000u);
}

TEST_F(WholeTransfer, WriteSendsChangedItemsAndWhatDiffersOnTheInstrument)
{
    sync();
    comms_log_capture log("whole");
    // Changed in the image: sent without a read first.
    cfg.set_value_int(24, 1);
    // Changed on the instrument: read back and sent with the image's value.
    const int kept_range = value_of(26);
    sim.inst.set_item(26, std::to_string(kept_range + 1));
    cfg.write_all_items(&sim.link, true);

    EXPECT_EQ((std::vector<std::pair<int, std::string>>{{26, std::to_string(kept_range)},
                                                        {24, "3"}}),
              writes(sim.inst));
    const auto asked = read_ids(sim.inst);
    EXPECT_EQ(ids.size() - 1, asked.size());
    EXPECT_EQ(asked.end(), std::find(asked.begin(), asked.end(), 24));
    EXPECT_EQ(std::to_string(kept_range), sim.inst.item(26));
    EXPECT_EQ(0, cfg.item_at(24)->changed);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();

    // A write without progress only drains before the frame: the one DC4
    // is the link opening's.
    const std::string received = sim.inst.received();
    EXPECT_EQ(1, std::count(received.begin(), received.begin() + received.find("SUSPEN"), '\x14'));

    EXPECT_TRUE(log.has_line("Read::" + std::string(item_names_for_model(5)[27]) + " (27)\n"));
    EXPECT_TRUE(log.has_line("Write::Voltage Input (24)\n"));
    EXPECT_FALSE(log.has_line("Read::Voltage Input (24)\n"));
    EXPECT_TRUE(log.has_line("Write::" + std::string(item_names_for_model(5)[26]) + " (26)\n"));
    EXPECT_FALSE(log.has_line("Write::Wiring (82)\n"));
}

// Items whose values lie outside their limits are not sent, are logged, and
// do not count as failures; the write tells of them once at its end, with
// how many there were and the first with the limits it has.
TEST_F(WholeTransfer, RangeRefusalsAreLoggedNotCounted)
{
    sync();
    comms_log_capture log("whole");
    cfg.set_value_int(24, 5); // options 0..3
    cfg.set_maximum(25, kNoBound);
    cfg.set_value_int(25, -1); // below the minimum, no maximum
    cfg.write_all_items(&sim.link, true);
    EXPECT_TRUE(writes(sim.inst).empty());
    EXPECT_TRUE(log.has_line("Voltage Input (id:24 val:5) can only be set between 0 and 3\n"))
        << log.text();
    EXPECT_EQ(std::string::npos, log.text().find("(id:25 "));
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(1, cfg.item_at(25)->changed);
    EXPECT_EQ(shown_text(), "[Write Instrument Setup] 2 items were not sent to the instrument: their values lie "
                            "outside their limits\nThe first: Current Input (id:25 val:-1) can only be set at or "
                            "above 0\n");
    EXPECT_EQ(1, read_ids(sim.inst).back());

    // A text item's value and bounds in the stream's shortest form.
    clear_traffic(sim.inst);
    msgbox::reset();
    cfg.set_value_int(24, 0);
    cfg.set_value_int(25, 0);
    cfg.set_value_text(69, "600.25"); // 0.01 .. 500
    cfg.write_all_items(&sim.link, true);
    EXPECT_TRUE(log.has_line(std::string(item_names_for_model(5)[69]) +
                             " (id:69 val:600.25) can only be set between 0.01 and 500\n"))
        << log.text();
    EXPECT_EQ(shown_text(), "[Write Instrument Setup] An item was not sent to the instrument: its value lies outside "
                            "its limits\n" + std::string(item_names_for_model(5)[69]) +
                                " (id:69 val:600.25) can only be set between 0.01 and 500\n");
}

TEST_F(WholeTransfer, UndefinedAndUnusedItemsNeverTravel)
{
    sync();
    // 216 is named on this family but not defined: it holds no value.
    cfg.set_value_text(216, "5");
    cfg.write_all_items(&sim.link, true);
    EXPECT_TRUE(writes(sim.inst).empty());
    EXPECT_FALSE(sim.inst.has_item(216));
    const auto asked = read_ids(sim.inst);
    EXPECT_EQ(asked.end(), std::find(asked.begin(), asked.end(), 216));

    // The two-group family defines 216 but does not name it.
    lan_sim other;
    ASSERT_TRUE(other.ok());
    other.link.model_code = 16;
    wqt_cfg_35xx two_group;
    ASSERT_NE(ITEM_UNSET, two_group.item_at(216)->kind);
    fill_in_range(other.inst, two_group);
    ASSERT_TRUE(two_group.read_all_items(&other.link, true));
    clear_traffic(other.inst);
    two_group.set_value_int(216, 1);
    two_group.set_value_int(1, 2);
    two_group.write_all_items(&other.link, true);
    EXPECT_EQ((std::vector<int>{1}), written_ids(other.inst));
    const auto asked_35 = read_ids(other.inst);
    EXPECT_EQ(asked_35.end(), std::find(asked_35.begin(), asked_35.end(), 216));
    EXPECT_EQ(1, two_group.item_at(216)->changed);
}

TEST_F(WholeTransfer, WriteWithoutProgressStopsAtItsFirstFailure)
{
    sync();
    cfg.set_value_int(26, 1);
    cfg.set_value_int(24, 1);
    sim.inst.add_rule({"config,26,", action::refuse, "", 0, -1});
    cfg.write_all_items(&sim.link, true);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 26, item_names_for_model(5)[26], 32), boxes[0].text);
    EXPECT_EQ("Write Instrument Setup", boxes[0].caption);
    EXPECT_EQ(kErrorBoxType, boxes[0].type);
    // Four attempts at 26, then nothing more: 24 stays unsent and changed.
    EXPECT_EQ(std::vector<int>(4, 26), written_ids(sim.inst));
    const auto asked = read_ids(sim.inst);
    EXPECT_EQ(asked.end(),
              std::find_if(asked.begin(), asked.end(), [](int id) { return id <= 26; }));
    EXPECT_EQ(1, cfg.item_at(26)->changed);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));

    // An unanswered read-back ends it just the same.
    msgbox::reset();
    sim.inst.clear_rules();
    clear_traffic(sim.inst);
    sim.inst.add_rule({"config,200?", action::silence, "", 0, 3});
    cfg.write_all_items(&sim.link, true);
    ASSERT_EQ(1u, msgbox::shown().size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 200, "Voltage Input", 0), msgbox::shown()[0].text);
    EXPECT_EQ(200, read_ids(sim.inst).back());
    EXPECT_TRUE(writes(sim.inst).empty());
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
}

// Records what a transfer without a progress display tells the indicator
// the frame installs, the link's state with each word.
struct busy_recorder : transfer_busy_indicator {
    explicit busy_recorder(const link_record& link) : link_(link) { set_transfer_busy_indicator(this); }
    ~busy_recorder() override { set_transfer_busy_indicator(nullptr); }
    void begin() override { words += link_.link_open ? "begin(open) " : "begin "; }
    void end() override { words += link_.link_open ? "end(open) " : "end "; }
    std::string words;

private:
    const link_record& link_;
};

// The busy indicator brackets every transfer without a progress display,
// before the link is opened and after it is closed, also where the model has
// no item names; a transfer with progress leaves it alone.
TEST_F(WholeTransfer, BusyIndicatorBracketsTransfersWithoutProgress)
{
    busy_recorder busy(sim.link);
    EXPECT_TRUE(cfg.read_all_items(&sim.link, true));
    cfg.write_all_items(&sim.link, true);
    EXPECT_EQ("begin end begin end ", busy.words);

    busy.words.clear();
    sim.link.model_code = 0;
    EXPECT_FALSE(cfg.read_all_items(&sim.link, true));
    EXPECT_EQ("begin end ", busy.words);

    busy.words.clear();
    sim.link.model_code = kModel55xx;
    struct : transfer_progress {
        void set_status(const char*) override {}
        void set_total(int) override {}
        void set_position(int) override {}
        void done(bool) override {}
        bool cancel_requested() override { return false; }
    } quiet;
    EXPECT_TRUE(cfg.read_all_items_with_progress(&sim.link, true, quiet));
    EXPECT_EQ("", busy.words);
}

// ---- The versions with progress ----------------------------------------------------

// Takes the progress reports of a transfer in order.
struct progress_recorder : transfer_progress {
    enum kind { status, total, position, done_normally, done_stopped };
    struct report {
        kind what;
        int value;
        std::string text; // the status text
    };
    void set_status(const char* text) override { reports.push_back({status, 0, text ? text : ""}); }
    void set_total(int steps) override { reports.push_back({total, steps, ""}); }
    void set_position(int steps) override { reports.push_back({position, steps, ""}); }
    void done(bool stopped) override
    {
        reports.push_back({stopped ? done_stopped : done_normally, 0, ""});
    }
    bool cancel_requested() override
    {
        return cancel_before_position > 0 && !reports.empty() && reports.back().what == position &&
               reports.back().value >= cancel_before_position;
    }

    std::vector<int> positions() const
    {
        std::vector<int> out;
        for (const auto& r : reports) {
            if (r.what == position)
                out.push_back(r.value);
        }
        return out;
    }
    std::vector<kind> ends() const
    {
        std::vector<kind> out;
        for (const auto& r : reports) {
            if (r.what == done_normally || r.what == done_stopped)
                out.push_back(r.what);
        }
        return out;
    }

    std::vector<report> reports;
    int cancel_before_position = 0; // ask to stop once this many positions came
};

class WholeTransferProgress : public WholeTransfer {
protected:
    // As the settings commands run: the caller holds the link open, and the
    // image is in line with the instrument.
    void hold_link_open_in_sync()
    {
        manage = false;
        ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
        ASSERT_TRUE(cfg.read_all_items(&sim.link, false));
        clear_traffic(sim.inst);
    }
    bool read_with_progress() { return cfg.read_all_items_with_progress(&sim.link, manage, progress); }
    bool write_with_progress() { return cfg.write_all_items_with_progress(&sim.link, manage, progress); }

    progress_recorder progress;
    bool manage = true;
};

TEST_F(WholeTransferProgress, ReadReportsEveryIdAndEnds)
{
    sim.inst.set_item(24, "3");
    EXPECT_TRUE(read_with_progress());
    EXPECT_EQ(1, value_of(24));
    const auto& reports = progress.reports;
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(progress_recorder::status, reports[0].what);
    EXPECT_EQ("Reading configuration from WQT", reports[0].text);
    EXPECT_EQ(progress_recorder::total, reports[1].what);
    EXPECT_EQ(255, reports[1].value);
    // 256 - id for every id, named or not.
    std::vector<int> expected;
    for (int p = 1; p <= 255; ++p)
        expected.push_back(p);
    EXPECT_EQ(expected, progress.positions());
    EXPECT_EQ(2u + 255u + 1u, reports.size());
    EXPECT_EQ(progress_recorder::done_normally, reports.back().what);

    // The run opened and closed the link itself.
    EXPECT_EQ(0, sim.link.link_open);
    EXPECT_EQ(ids, read_ids(sim.inst));
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();
}

TEST_F(WholeTransferProgress, ThirdReadFailureStopsTheProgress)
{
    sim.inst.add_rule({"config,100?", action::reply, "-3", 0, 3});
    sim.inst.add_rule({"config,82?", action::silence, "", 0, 3});
    sim.inst.add_rule({"config,24?", action::reply, "7", 0, 1});
    EXPECT_FALSE(read_with_progress());
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kReadFailure, 100, item_names_for_model(5)[100], 65534), boxes[0].text);
    EXPECT_EQ(failure_text(kReadFailure, 82, "Wiring", 0), boxes[1].text);
    EXPECT_EQ(failure_text(kReadFailure, 24, "Voltage Input", 7, true), boxes[2].text);
    // The end is told as a stop, once.
    EXPECT_EQ(std::vector<progress_recorder::kind>{progress_recorder::done_stopped}, progress.ends());
    EXPECT_EQ(232, progress.positions().back());
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
}

TEST_F(WholeTransferProgress, WriteCountsRefusedWritesAndFailedReadBacks)
{
    ASSERT_NO_FATAL_FAILURE(hold_link_open_in_sync());

    cfg.set_value_int(201, 1);
    cfg.set_value_int(177, 1);
    cfg.set_value_int(26, 1);
    cfg.set_value_int(25, 1);
    cfg.set_value_int(24, 1);
    sim.inst.add_rule({"config,201,", action::refuse, "", 0, 4});
    EXPECT_TRUE(write_with_progress());
    ASSERT_EQ(1u, msgbox::shown().size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 201, "Current Input", 32), msgbox::shown()[0].text);
    EXPECT_EQ("Write Instrument Setup", msgbox::shown()[0].caption);
    EXPECT_EQ(1, cfg.item_at(201)->changed);
    EXPECT_EQ(0, cfg.item_at(24)->changed);
    EXPECT_EQ("Sending configuration to WQT", progress.reports[0].text);
    EXPECT_EQ(std::vector<progress_recorder::kind>{progress_recorder::done_normally}, progress.ends());
    // The caller's link is left open for it to close.
    EXPECT_EQ(1, sim.link.link_open);

    // Three failing items end the write with the last message.
    msgbox::reset();
    progress.reports.clear();
    clear_traffic(sim.inst);
    sim.inst.add_rule({"config,201,", action::refuse, "", 0, 4});
    sim.inst.add_rule({"config,177,", action::refuse, "", 0, 4});
    sim.inst.add_rule({"config,26?", action::silence, "", 0, 3});
    for (int id : {177, 25, 24})
        cfg.set_value_int(id, 1);
    ASSERT_EQ(0, cfg.item_at(26)->changed); // read back first, and that fails
    EXPECT_FALSE(write_with_progress());
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 177, "Current Input", 32), boxes[1].text);
    EXPECT_EQ(failure_text(kWriteFailure, 26, item_names_for_model(5)[26], 0, true), boxes[2].text);
    EXPECT_EQ(std::vector<progress_recorder::kind>{progress_recorder::done_stopped}, progress.ends());
    // 25 and 24 come after the third failure and stay changed.
    EXPECT_EQ(1, cfg.item_at(25)->changed);
    EXPECT_EQ(1, cfg.item_at(24)->changed);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
}

TEST_F(WholeTransferProgress, RefusedFrequencyCountsOnceThoughItFollowsTheLock)
{
    ASSERT_NO_FATAL_FAILURE(hold_link_open_in_sync());
    // "Frequency" (48) comes first in the loop and is refused; "Frequency
    // Lock" (7) brings it again after itself, refused again, but that is the
    // same item's failure, not another one.
    cfg.set_value_text(48, "50");
    cfg.set_value_int(7, 2);
    sim.inst.add_rule({"config,48,", action::refuse, "", 0, 8});
    EXPECT_TRUE(write_with_progress());
    ASSERT_EQ(1u, msgbox::shown().size()) << shown_text();
    EXPECT_EQ(failure_text(kWriteFailure, 48, item_names_for_model(5)[48], 32),
              msgbox::shown()[0].text);
    // Four attempts at each write of 48.
    EXPECT_EQ((std::vector<int>{48, 48, 48, 48, 7, 48, 48, 48, 48}), written_ids(sim.inst));
    EXPECT_EQ(0, cfg.item_at(7)->changed);
    EXPECT_EQ(1, cfg.item_at(48)->changed);
}

TEST_F(WholeTransferProgress, CancelStopsBeforeTheNextItemAndClosesTheFrame)
{
    // Asked to stop once the second item's position has been reported: the
    // items after it are neither read nor written.
    ASSERT_GE(ids.size(), 3u);
    const int second = 256 - ids[1];
    progress.cancel_before_position = second;
    EXPECT_FALSE(read_with_progress());
    EXPECT_EQ(second, progress.positions().back());
    EXPECT_EQ((std::vector<int>{ids[0], ids[1]}), read_ids(sim.inst));
    EXPECT_EQ(std::vector<progress_recorder::kind>{progress_recorder::done_stopped}, progress.ends());
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    wait_until_quiet(sim.inst);
    EXPECT_FALSE(sim.inst.suspended());
    EXPECT_EQ(0, sim.link.link_open);
    EXPECT_TRUE(msgbox::shown().empty()) << shown_text();

    progress.reports.clear();
    clear_traffic(sim.inst);
    for (int id : ids)
        cfg.item_at(id)->changed = 1;
    EXPECT_FALSE(write_with_progress());
    EXPECT_EQ((std::vector<int>{ids[0], ids[1]}), written_ids(sim.inst));
    EXPECT_EQ(1, cfg.item_at(ids[2])->changed);
    EXPECT_EQ(kFiveOff, tail_after_items(sim.inst));
    wait_until_quiet(sim.inst);
    EXPECT_FALSE(sim.inst.suspended());
}

TEST_F(WholeTransferProgress, NoNameListOrNoLinkEndsTheProgressWithoutSending)
{
    sim.link.model_code = 0;
    EXPECT_FALSE(read_with_progress());
    EXPECT_FALSE(write_with_progress());
    EXPECT_FALSE(cfg.read_all_items_with_progress(nullptr, true, progress));
    EXPECT_EQ("", sim.inst.received());
    EXPECT_EQ((std::vector<progress_recorder::kind>{progress_recorder::done_normally,
                                                    progress_recorder::done_normally,
                                                    progress_recorder::done_normally}),
              progress.ends());
    EXPECT_EQ(0, sim.link.link_open);
}

// A stopped instrument: over LAN its end of the connection is gone, which a
// read sees at once, so the whole read (READ WQT's) ends with the three boxes
// of an instrument that never replies without waiting out a time-out, on a
// link held open and on one the read opens. A serial line waits out each.
class StoppedInstrument : public SimLinkTest {
protected:
    void TearDown() override
    {
        SimLinkTest::TearDown();
        lan_set_timeout(kDefaultReadTimeoutMs);
    }
};

TEST_P(StoppedInstrument, WholeReadEndsWithThreeBoxesAtOnceOverLanAfterItsTimeOutsOverSerial)
{
    const char* const* names = item_names_for_model(kModel55xx);
    wqt_cfg_55xx cfg;
    const std::vector<int> ids = moved_ids(cfg, kModel55xx);
    link->model_code = kModel55xx;
    ASSERT_EQ(0, open_close_link(LINK_OPEN, link));
    set_read_timeout(100, link);
    is_lan() ? lan->server.stop() : serial->server.stop();
    // A serial port opens with or without the instrument (and its 5 s
    // opening time-out), so only LAN reads with the link closed too.
    for (const bool held_open : {true, false}) {
        if (!held_open && !is_lan())
            continue;
        SCOPED_TRACE(held_open ? "link held open" : "link opened by the read");
        msgbox::reset();
        progress_recorder progress;
        const DWORD start = GetTickCount();
        EXPECT_FALSE(cfg.read_all_items_with_progress(link, !held_open, progress));
        const DWORD took = GetTickCount() - start;
        printf("whole read, %s, held open %d: %lu ms\n", is_lan() ? "LAN" : "serial", held_open, took);
        const auto boxes = msgbox::shown();
        ASSERT_EQ(3u, boxes.size()) << shown_text();
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(failure_text(kReadFailure, ids[i], names[ids[i]], 0, i == 2), boxes[i].text);
            EXPECT_EQ("Read Instrument Setup", boxes[i].caption);
        }
        // Serial: five suspend tries, three items of three tries.
        EXPECT_TRUE(is_lan() ? took < 2000u : took >= 5 * 100u + 3 * 3 * 300u) << took;
        open_close_link(LINK_CLOSE, link);
    }
}

INSTANTIATE_OVER_BOTH_LINKS(StoppedInstrument);

} // namespace
