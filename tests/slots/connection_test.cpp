// Connecting an instrument against the simulated instrument: identification
// in test and connect mode, its failures, and full connects of every model
// family with the whole configuration read into the slot.
#include "slots/connection.h"
#include "config/identification.h"
#include "config/instrument_config.h"
#include "config/item_tables.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_link_test.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

using wqt_sim::action;

const char kTestCaption[] = "Test Connection";
const char kUnknownModel[] = "Error: The connected WQT Model is unknown";
const char kResetQuestion[] =
    "Would you like to reset the instrument configuration to default?\n"
    "(This may fix connection issues)";

// Slot n's record set up as the Communications dialog leaves it before a
// connect: the connection settings of `settings`, closed, no identity.
link_record& prepare_slot(int n, const link_record& settings)
{
    link_record& record = get_instrument(n);
    clear_link_record(&record);
    record.interface = settings.interface;
    record.baud_rate = settings.baud_rate;
    std::memcpy(record.com_port, settings.com_port, sizeof record.com_port);
    std::memcpy(record.ip_address, settings.ip_address, sizeof record.ip_address);
    return record;
}

int count_of(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

int boxes_captioned(const char* caption)
{
    int n = 0;
    for (const auto& box : msgbox::shown())
        n += box.caption == caption ? 1 : 0;
    return n;
}

// ---- Identification over both kinds of link ------------------------------------

class Identification : public SimLinkTest {
protected:
    static constexpr int kSlot = 1;

    void SetUp() override
    {
        SimLinkTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        msgbox::reset();
        record = &prepare_slot(kSlot, *link);
    }

    // A connect of slot kSlot in test mode; no configuration is read.
    bool test_connect() { return connect_instrument(nullptr, kSlot, record, true); }

    link_record* record = nullptr;
};

TEST_P(Identification, TestReportsTheInstrumentAndLeavesTheSlotAlone)
{
    inst->set_identity("TROSVALDEN", "WQT5530", "A00123", "V2.15");
    inst->set_version_reply("V2.15,6");
    instrument_slot& slot = get_instrument(kSlot);
    const auto primary = slot.get_primary_config();
    const auto group2 = slot.get_group2_config();

    EXPECT_FALSE(test_connect());

    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("The connection was successful\nTROSVALDEN,WQT5530,A00123,V2.15", boxes[0].text);
    EXPECT_EQ(kTestCaption, boxes[0].caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), boxes[0].type);

    EXPECT_STREQ("TROSVALDEN,WQT5530,A00123,V2.15", slot.idn_reply);
    EXPECT_EQ(5u, slot.model_code);
    EXPECT_EQ(6u, slot.option_code);
    EXPECT_EQ(3u, slot.phase_count);
    EXPECT_EQ(0, slot.link_open);
    // A test neither attaches nor locks the panel.
    EXPECT_EQ(primary, slot.get_primary_config());
    EXPECT_EQ(group2, slot.get_group2_config());
    EXPECT_EQ(wire({"\x14", "\x14", "STOP\n", "tagrep,off\n", "*IDN?\n", "version?\n"}),
              inst->received());
}

TEST_P(Identification, ModelCodeTable)
{
    const struct {
        const char* model;
        uint32_t code;
        uint32_t phases;
    } rows[] = {
        {"WQT2530", 2, 3},
        {"WQT2610", 3, 1},
        {"WQT1520", 1, 2},
        {"WQT3560", 16, 6},
        {"WQT3540 Tolmavi", 16, 4},
        {"WQT4530", 4, 3},
        // "55" is taken before any other "5x".
        {"WQT5530", 5, 3},
        {"WQT5510-F2", 5, 1},
        {"WQT5130", 6, 3},
        {"WQT5920", 6, 2},
        {"WQT5030", 6, 3},
    };
    for (const auto& row : rows) {
        msgbox::reset();
        inst->set_identity("TROSVALDEN", row.model, "A7", "V1");
        record->model_code = 99;
        EXPECT_FALSE(test_connect()) << row.model;
        EXPECT_EQ(row.code, record->model_code) << row.model;
        EXPECT_EQ(row.phases, record->phase_count) << row.model;
        const auto texts = msgbox::texts();
        ASSERT_EQ(1u, texts.size()) << row.model;
        EXPECT_EQ(std::string("The connection was successful\nTROSVALDEN,") + row.model + ",A7,V1",
                  texts[0]);
    }

    // Family digits outside the table: the unknown-model message, then the
    // test's report of what answered. The identity reply stays the one of
    // the last instrument identified.
    const char* unknown[] = {"WQT9530", "WQT6530", "WQT1630", "WQT3630", "WQT2", "WQT"};
    for (const char* model : unknown) {
        msgbox::reset();
        inst->set_identity("TROSVALDEN", model, "A7", "V1");
        EXPECT_FALSE(test_connect()) << model;
        EXPECT_EQ(0u, record->model_code) << model;
        EXPECT_STREQ("TROSVALDEN,WQT5030,A7,V1", record->idn_reply) << model;
        const auto boxes = msgbox::shown();
        ASSERT_EQ(2u, boxes.size()) << model;
        EXPECT_EQ(kUnknownModel, boxes[0].text);
        EXPECT_EQ(UINT(MB_OK | MB_ICONWARNING), boxes[0].type);
        EXPECT_EQ(std::string("Incorrect Instrument Connected - ") + model + ",A7,V1",
                  boxes[1].text);
        EXPECT_EQ(kTestCaption, boxes[1].caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONWARNING), boxes[1].type);
    }
}

TEST_P(Identification, OptionCodeFromTheVersionReply)
{
    const struct {
        const char* reply;
        uint32_t option;
    } rows[] = {
        {"V2.15,6", 6}, {"V2.15,2", 2}, {"V2.15,4", 4}, {"V2.15,1", 0}, {"V2.15,12", 4},
        {"V2.15,255", 6}, {"3,2,4", 2}, {"V2.15", 0}, {"V2.15,", 0}, {"", 0},
    };
    for (const auto& row : rows) {
        inst->set_version_reply(row.reply);
        record->option_code = 99;
        EXPECT_FALSE(test_connect()) << row.reply;
        EXPECT_EQ(row.option, record->option_code) << "\"" << row.reply << "\"";
    }
}

TEST_P(Identification, RepliesWithFewerThanFourFields)
{
    inst->set_idn_reply("TROSVALDEN,WQT2530");
    EXPECT_FALSE(test_connect());
    EXPECT_EQ(2u, record->model_code);
    EXPECT_EQ(3u, record->phase_count);
    char serial[128];
    EXPECT_STREQ("", get_idn_field(serial, IDN_FIELD_SERIAL, record));

    // A model name too short to hold a phase digit gives phase count 0.
    inst->set_idn_reply("TROSVALDEN,WQT5");
    EXPECT_FALSE(test_connect());
    EXPECT_EQ(6u, record->model_code);
    EXPECT_EQ(0u, record->phase_count);

    EXPECT_EQ((std::vector<std::string>{"The connection was successful\nTROSVALDEN,WQT2530",
                                        "The connection was successful\nTROSVALDEN,WQT5"}),
              msgbox::texts());
}

TEST_P(Identification, AnswerOnALaterTry)
{
    // Two unanswered queries, then a foreign line: each failed try is
    // followed by DC4, and the fourth query is taken.
    inst->add_rule({"*IDN?", action::silence, "", 0, 2});
    inst->add_rule({"*IDN?", action::reply, "TROSVALDEN,LOMX-RS232,B7,V1", 0, 1});
    const DWORD start = GetTickCount();
    EXPECT_FALSE(test_connect());
    const DWORD took = GetTickCount() - start;
    EXPECT_GE(took, 950u);
    EXPECT_EQ(wire({"\x14", "\x14", "STOP\n", "tagrep,off\n", "*IDN?\n", "\x14", "*IDN?\n", "\x14",
                    "*IDN?\n", "\x14", "*IDN?\n", "version?\n"}),
              inst->received());
    EXPECT_EQ(5u, record->model_code);
    EXPECT_EQ(
        (std::vector<std::string>{"The connection was successful\nTROSVALDEN,WQT5530,A00001,V2.15"}),
        msgbox::texts());
}

TEST_P(Identification, SilentInstrument)
{
    inst->add_rule({"*IDN?", action::silence, "", 0, -1});
    if (is_lan())
        lan_set_timeout(1234);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(test_connect());
    const DWORD took = GetTickCount() - start;
    // Five tries of 500 ms each, not of the usual 5 s.
    EXPECT_GE(took, 2400u);
    EXPECT_LT(took, 4900u);
    if (is_lan()) {
        EXPECT_EQ(5000, lan_get_timeout());
    }
    std::string tries = wire({"\x14", "\x14", "STOP\n", "tagrep,off\n"});
    for (int i = 0; i < 5; ++i)
        tries += wire({"*IDN?\n", "\x14"});
    EXPECT_EQ(tries, wait_received(*inst, tries.size()));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("The connection failed", boxes[0].text);
    EXPECT_EQ(kTestCaption, boxes[0].caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONWARNING), boxes[0].type);
    EXPECT_EQ(0, record->link_open);

    // A connect tells nothing and leaves the slot as it was.
    msgbox::reset();
    inst->clear_received();
    instrument_slot& slot = get_instrument(kSlot);
    slot.model_code = 4;
    const auto primary = slot.get_primary_config();
    EXPECT_FALSE(connect_instrument(nullptr, kSlot, record, false));
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_EQ(4u, slot.model_code);
    EXPECT_EQ(primary, slot.get_primary_config());
    EXPECT_EQ(5, count_of(inst->commands(), "*IDN?"));
    EXPECT_EQ(0, count_of(inst->commands(), "USBLOCK,ON"));
    EXPECT_EQ(0, slot.link_open);
}

TEST_P(Identification, ForeignInstruments)
{
    // Another maker: every try fails and the test reports a failed connection.
    inst->set_identity("ACME", "WQT5530", "A1", "V1");
    EXPECT_FALSE(test_connect());
    EXPECT_EQ(5, count_of(inst->commands(), "*IDN?"));
    // The maker's other families are named.
    inst->set_identity("TROSVALDEN", "LOMX-RS232", "B7", "V1");
    EXPECT_FALSE(test_connect());
    EXPECT_EQ((std::vector<std::string>{"The connection failed",
                                        "Incorrect Instrument Connected - LOMX-RS232,B7,V1"}),
              msgbox::texts());

    // A connect shows neither and attaches nothing.
    msgbox::reset();
    instrument_slot& slot = get_instrument(kSlot);
    const auto primary = slot.get_primary_config();
    EXPECT_FALSE(connect_instrument(nullptr, kSlot, record, false));
    inst->set_identity("ACME", "WQT5530", "A1", "V1");
    EXPECT_FALSE(connect_instrument(nullptr, kSlot, record, false));
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_EQ(primary, slot.get_primary_config());
    EXPECT_EQ(0, count_of(inst->commands(), "USBLOCK,ON"));
}

TEST_P(Identification, UnknownModelInConnectMode)
{
    instrument_slot& slot = get_instrument(kSlot);
    std::snprintf(slot.idn_reply, sizeof slot.idn_reply, "%s", "TROSVALDEN,WQT4530,OLD,V1");
    const auto primary = slot.get_primary_config();
    inst->set_identity("TROSVALDEN", "WQT9530", "A1", "V1");

    EXPECT_FALSE(connect_instrument(nullptr, kSlot, record, false));

    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(kUnknownModel, boxes[0].text);
    EXPECT_EQ(kTestCaption, boxes[0].caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONWARNING), boxes[0].type);
    EXPECT_EQ(0u, slot.model_code);
    EXPECT_STREQ("TROSVALDEN,WQT4530,OLD,V1", slot.idn_reply);
    EXPECT_EQ(primary, slot.get_primary_config());
    EXPECT_EQ((std::vector<std::string>{"STOP", "tagrep,off", "*IDN?"}), inst->commands());
    EXPECT_EQ(0, slot.link_open);
}

INSTANTIATE_OVER_BOTH_LINKS(Identification);

// ---- Links that do not open -----------------------------------------------------

TEST(ConnectOpen, NoInterfaceChosen)
{
    msgbox::reset();
    link_record& record = prepare_slot(3, *make_lan_link("127.0.0.1"));
    record.interface = 0;
    EXPECT_FALSE(connect_instrument(nullptr, 3, &record, true));
    EXPECT_FALSE(connect_instrument(nullptr, 3, &record, false));
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_EQ(0, record.link_open);
}

TEST(ConnectOpen, FailuresAreReportedInBothModes)
{
    // A loopback address whose listener has gone.
    wqt_sim::instrument inst;
    wqt_sim::tcp_server server(inst);
    const std::string address = wqt_sim::start_on_free_loopback(server);
    ASSERT_FALSE(address.empty());
    server.stop();

    msgbox::reset();
    link_record& lan = prepare_slot(3, *make_lan_link(address));
    const auto primary = get_instrument(3).get_primary_config();
    EXPECT_FALSE(connect_instrument(nullptr, 3, &lan, true));
    EXPECT_FALSE(connect_instrument(nullptr, 3, &lan, false));
    EXPECT_EQ(0, lan.link_open);

    link_record& com = prepare_slot(3, *make_serial_link("COM199"));
    EXPECT_FALSE(connect_instrument(nullptr, 3, &com, false));
    EXPECT_EQ(0, com.link_open);
    EXPECT_EQ(primary, get_instrument(3).get_primary_config());

    const std::string lan_text = "Failed to connect to IP address " + address;
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(lan_text, boxes[0].text);
    EXPECT_EQ(lan_text, boxes[1].text);
    EXPECT_EQ("Unable to open port COM199", boxes[2].text);
    for (const auto& box : boxes) {
        EXPECT_EQ(kTestCaption, box.caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONINFORMATION), box.type);
    }
}

// ---- Full connects ----------------------------------------------------------------

struct family_case {
    const char* name;
    const char* model;  // model field of the identification reply
    uint32_t code;
    uint32_t phases;
};

const family_case kFamilies[] = {
    {"Wqt15", "WQT1530", 1, 3},  {"Wqt25", "WQT2530", 2, 3}, {"Wqt26", "WQT2630", 3, 3},
    {"Wqt35", "WQT3560", 16, 6}, {"Wqt45", "WQT4530", 4, 3}, {"Wqt55", "WQT5532", 5, 3},
    {"Wqt5x", "WQT5230", 6, 3},
};

std::unique_ptr<instrument_config> make_family(uint32_t code, uint8_t group2)
{
    switch (code) {
    case 1:
    case 6: return std::make_unique<wqt_cfg_15xx>();
    case 2:
    case 3: return std::make_unique<wqt_cfg_25xx>();
    case 4: return std::make_unique<wqt_cfg_45xx>();
    case 5: return std::make_unique<wqt_cfg_55xx>();
    default: return std::make_unique<wqt_cfg_35xx>(group2);
    }
}

bool is_family_object(uint32_t code, instrument_config* cfg)
{
    switch (code) {
    case 1:
    case 6: return dynamic_cast<wqt_cfg_15xx*>(cfg) != nullptr;
    case 2:
    case 3: return dynamic_cast<wqt_cfg_25xx*>(cfg) != nullptr;
    case 4: return dynamic_cast<wqt_cfg_45xx*>(cfg) != nullptr;
    case 5: return dynamic_cast<wqt_cfg_55xx*>(cfg) != nullptr;
    default: return dynamic_cast<wqt_cfg_35xx*>(cfg) != nullptr;
    }
}

// The ids a whole read transfers: named and defined by the family.
std::vector<int> transferred_ids(uint32_t code, instrument_config& cfg)
{
    std::vector<int> ids;
    const char* const* names = item_names_for_model(code);
    for (int id = 1; id <= 255; ++id) {
        if (std::strcmp(names[id], "Unused") != 0 && cfg.item_at(id)->kind != ITEM_UNSET)
            ids.push_back(id);
    }
    return ids;
}

// Items whose wire value some family computes from the list position or from
// other items. They keep their lowest value, whose wire value lies within the
// item's bounds and reads back as itself; every other item gets a value of
// its own.
const std::set<int> kRemappedItems = {1,   7,   23,  24,  25,  26,  27,  58,  70,
                                      82,  93,  99,  100, 101, 122, 125, 126, 143,
                                      176, 177, 178, 179, 200, 201, 202, 203, 216};

void choose_values(instrument_config& cfg, const std::vector<int>& ids, int salt)
{
    for (int id : ids) {
        const config_item& item = *cfg.item_at(id);
        const bool has_min = item.minimum != kNoBound;
        const bool has_max = item.maximum != kNoBound;
        const int step = (id * 7 + salt) % 50;
        if (item.kind == ITEM_LIST) {
            const int low = has_min ? static_cast<int>(item.minimum) : 0;
            int high = has_max ? static_cast<int>(item.maximum) : low + 9;
            if (!item.options.empty())
                high = std::min(high, low + static_cast<int>(item.options.size()) - 1);
            const int value = kRemappedItems.count(id) ? std::max(low, 0)
                                                       : low + step % (high - low + 1);
            cfg.set_value_int(id, value);
        } else {
            char text[32];
            if (has_min && has_max)
                std::snprintf(text, sizeof text, "%.6g",
                              item.minimum + (item.maximum - item.minimum) * (0.25 + step / 100.0));
            else if (has_min)
                std::snprintf(text, sizeof text, "%.6g", item.minimum + 1 + step);
            else if (has_max)
                std::snprintf(text, sizeof text, "%.6g", item.maximum - 1 - step);
            else
                std::snprintf(text, sizeof text, "%d.5", id + salt);
            cfg.set_value_text(id, text);
        }
    }
}

// The instrument values (by wire id) of the chosen items, as the family's
// own write remapping sends them. Each write waits 200 ms for the status, so
// the items are written to several helper instruments side by side.
std::map<int, std::string> wire_values(instrument_config& cfg, const std::vector<int>& ids,
                                       const link_record& identity)
{
    constexpr size_t kHelpers = 20;
    std::vector<std::unique_ptr<lan_sim>> helpers;
    std::vector<std::vector<int>> shares(kHelpers);
    for (size_t i = 0; i < ids.size(); ++i)
        shares[i % kHelpers].push_back(ids[i]);
    for (size_t k = 0; k < kHelpers; ++k) {
        helpers.push_back(std::make_unique<lan_sim>());
        lan_sim& helper = *helpers.back();
        if (!helper.ok()) {
            ADD_FAILURE() << "no free loopback address for a helper instrument";
            return {};
        }
        helper.link.model_code = identity.model_code;
        helper.link.phase_count = identity.phase_count;
        helper.link.option_code = identity.option_code;
        std::memcpy(helper.link.idn_reply, identity.idn_reply, sizeof helper.link.idn_reply);
        EXPECT_EQ(0, open_close_link(LINK_OPEN_NO_HANDSHAKE, &helper.link));
    }
    std::vector<int> unsent(kHelpers, 0);
    std::vector<std::thread> writers;
    for (size_t k = 0; k < kHelpers; ++k) {
        writers.emplace_back([&, k] {
            for (int id : shares[k]) {
                if (!cfg.write_item(id, &helpers[k]->link, true).sent())
                    ++unsent[k];
            }
        });
    }
    for (auto& writer : writers)
        writer.join();
    std::map<int, std::string> values;
    for (size_t k = 0; k < kHelpers; ++k) {
        open_close_link(LINK_CLOSE, &helpers[k]->link);
        EXPECT_EQ(0, unsent[k]) << "items the family would not send";
        for (int id : shares[k]) {
            const int wire_id = cfg.item_at(id)->wire_id;
            EXPECT_TRUE(helpers[k]->inst.has_item(wire_id)) << id;
            values[wire_id] = helpers[k]->inst.item(wire_id);
        }
    }
    return values;
}

// One instrument of a family, filled with a configuration of its own.
struct filled_instrument {
    family_case family;
    std::unique_ptr<instrument_config> groups[2];
    std::vector<int> ids;
    std::map<int, std::string> wire[2];
    std::string idn;

    // Chooses the values and works out what the instrument holds for them.
    void build(const family_case& f, const char* serial, int salt)
    {
        family = f;
        idn = std::string("TROSVALDEN,") + f.model + "," + serial + ",V3.01";
        const auto identity = make_lan_link("127.0.0.1");
        identity->model_code = f.code;
        identity->phase_count = f.phases;
        identity->option_code = 4;
        std::snprintf(identity->idn_reply, sizeof identity->idn_reply, "%s", idn.c_str());
        const int count = f.code == kTwoGroupModel ? 2 : 1;
        for (int g = 0; g < count; ++g) {
            groups[g] = make_family(f.code, static_cast<uint8_t>(g));
            if (g == 0)
                ids = transferred_ids(f.code, *groups[0]);
            choose_values(*groups[g], ids, salt + 17 * g);
            wire[g] = wire_values(*groups[g], ids, *identity);
        }
    }

    void load(wqt_sim::instrument& inst, const char* serial) const
    {
        inst.set_identity("TROSVALDEN", family.model, serial, "V3.01");
        inst.set_version_reply("V3.01,4");
        for (int g = 0; g < 2; ++g) {
            for (const auto& item : wire[g])
                inst.set_item(item.first, item.second, g);
        }
    }

    // Every transferred item of the slot against what the instrument holds.
    void expect_read_into(int n, const wqt_sim::instrument& inst) const
    {
        instrument_slot& slot = get_instrument(n);
        const int count = family.code == kTwoGroupModel ? 2 : 1;
        for (int g = 0; g < count; ++g) {
            auto cfg = g == 0 ? slot.get_primary_config() : slot.get_group2_config();
            ASSERT_TRUE(is_family_object(family.code, cfg.get())) << family.name;
            if (family.code == kTwoGroupModel) {
                EXPECT_EQ(g, static_cast<wqt_cfg_35xx*>(cfg.get())->group2_flag());
            }
            int mismatches = 0;
            for (int id : ids) {
                const config_item& chosen = *groups[g]->item_at(id);
                const config_item& got = *cfg->item_at(id);
                const std::string held = inst.item(chosen.wire_id, g);
                const std::string where = std::string(family.name) + " group " +
                                          std::to_string(g) + " item " + std::to_string(id) +
                                          " instrument " + held;
                ASSERT_EQ(chosen.kind, got.kind) << where;
                if (got.kind == ITEM_LIST) {
                    // "T Short" goes out as 6n + 32 and comes back as sent.
                    const bool t_short = family.code == 5 && id == 126;
                    const int expected = t_short ? std::atoi(held.c_str()) : chosen.value.integer;
                    if (expected != got.value.integer) {
                        ++mismatches;
                        ADD_FAILURE() << where << ": read " << got.value.integer << ", expected "
                                      << expected;
                    }
                } else {
                    EXPECT_EQ(held, got.value.text) << where;
                    EXPECT_STREQ(chosen.value.text, got.value.text) << where;
                }
            }
            EXPECT_EQ(0, mismatches);
        }
    }
};

// The commands of a full connect up to the first item read.
std::vector<std::string> connect_prologue(bool two_group)
{
    std::vector<std::string> lines = {"STOP", "tagrep,off", "*IDN?", "version?", "STOP",
                                      "USBLOCK,ON"};
    if (two_group) {
        lines.push_back("GROUP,1");
        lines.push_back("GROUP?");
    }
    lines.push_back("SUSPEN,ON");
    lines.push_back("*ESR?");
    return lines;
}

std::vector<int> reads_per_pass(const std::vector<std::string>& commands)
{
    std::vector<int> passes;
    for (const auto& line : commands) {
        if (line == "SUSPEN,ON")
            passes.push_back(0);
        else if (line.compare(0, 7, "config,") == 0 && line.back() == '?' && !passes.empty())
            ++passes.back();
    }
    return passes;
}

class FamilyConnect : public testing::TestWithParam<std::tuple<family_case, link_kind>> {};

TEST_P(FamilyConnect, ReadsTheWholeConfigurationIntoTheSlot)
{
    const family_case& family = std::get<0>(GetParam());
    const bool lan = std::get<1>(GetParam()) == link_kind::lan;
    const int n = lan ? 0 : 2;
    std::unique_ptr<lan_sim> lan_end;
    std::unique_ptr<serial_sim> serial_end;
    wqt_sim::instrument* inst;
    const link_record* settings;
    if (lan) {
        lan_end = std::make_unique<lan_sim>();
        ASSERT_TRUE(lan_end->ok());
        inst = &lan_end->inst;
        settings = &lan_end->link;
    } else {
        serial_end = std::make_unique<serial_sim>();
        if (!serial_end->ok())
            GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
        inst = &serial_end->inst;
        settings = &serial_end->link;
    }

    filled_instrument filled;
    filled.build(family, "S0042", 3);
    ASSERT_FALSE(HasFailure());
    filled.load(*inst, "S0042");

    msgbox::reset();
    link_record& record = prepare_slot(n, *settings);
    set_slot_active_group(n, 1);
    EXPECT_TRUE(connect_instrument(nullptr, n, &record, false));

    EXPECT_EQ(std::vector<std::string>(), msgbox::texts());
    instrument_slot& slot = get_instrument(n);
    EXPECT_EQ(family.code, slot.model_code);
    EXPECT_EQ(family.phases, slot.phase_count);
    EXPECT_EQ(4u, slot.option_code);
    EXPECT_EQ(filled.idn, slot.idn_reply);
    EXPECT_EQ(0, slot.link_open);
    // The closing "SUSPEN,OFF" is sent without waiting for a reply.
    wait_until_quiet(*inst);
    EXPECT_FALSE(inst->suspended());

    const bool two_group = family.code == kTwoGroupModel;
    const auto commands = inst->commands();
    const auto prologue = connect_prologue(two_group);
    ASSERT_GE(commands.size(), prologue.size());
    EXPECT_EQ(prologue, std::vector<std::string>(commands.begin(), commands.begin() + prologue.size()));
    std::string start;
    for (const char* line : {"\x14", "\x14", "STOP\n", "tagrep,off\n", "*IDN?\n", "version?\n",
                             "\x14", "STOP\n", "USBLOCK,ON\n"}) {
        // A LAN command carries its terminating NUL.
        start += line;
        if (lan)
            start += '\0';
    }
    EXPECT_EQ(start, inst->received().substr(0, start.size()));

    // One pass per group, every transferred item read once in each; the
    // two-group model is read on group 1, then on group 2, and left on 1.
    const std::vector<int> passes = reads_per_pass(commands);
    const int item_count = static_cast<int>(filled.ids.size());
    const std::vector<int> expected_passes(two_group ? 2 : 1, item_count);
    EXPECT_EQ(expected_passes, passes);
    EXPECT_EQ(0, count_of(commands, "progra,recall,0"));
    if (two_group) {
        std::vector<std::string> groups;
        for (const auto& line : commands) {
            if (line.compare(0, 6, "GROUP,") == 0)
                groups.push_back(line);
        }
        EXPECT_EQ((std::vector<std::string>{"GROUP,1", "GROUP,2", "GROUP,1"}), groups);
        EXPECT_EQ(1, inst->group());
        EXPECT_EQ(0, slot.active_group);
    }
    filled.expect_read_into(n, *inst);
}

std::string family_case_name(const testing::TestParamInfo<FamilyConnect::ParamType>& info)
{
    return std::string(std::get<0>(info.param).name) +
           (std::get<1>(info.param) == link_kind::lan ? "Lan" : "Serial");
}

INSTANTIATE_TEST_SUITE_P(Families, FamilyConnect,
                         testing::Combine(testing::ValuesIn(kFamilies),
                                          testing::Values(link_kind::lan, link_kind::serial)),
                         family_case_name);

// ---- A new instrument ---------------------------------------------------------------

// Why a value read from an instrument does not fit its item: outside the
// bounds (-99.0: none), or a list position that names no option. Empty
// when it fits.
std::string misfit(const config_item& item)
{
    const bool list = item.kind == ITEM_LIST;
    const double value = list ? item.value.integer
                              : item_text_number(item.value.text, sizeof item.value.text);
    std::ostringstream why;
    if (list)
        why << item.value.integer;
    else
        why << '"' << item.value.text << '"';
    if ((item.minimum != kNoBound && value < item.minimum) ||
        (item.maximum != kNoBound && value > item.maximum))
        why << " outside " << item.minimum << ".." << item.maximum;
    else if (list && !item.options.empty() &&
             (item.value.integer < 0 || item.value.integer >= static_cast<int>(item.options.size())))
        why << " names none of " << item.options.size() << " options";
    else
        return "";
    return why.str();
}

// The two-group model numbers its grouping by its phase count.
const family_case kTwoGroupPhaseCounts[] = {
    {"Wqt35Three", "WQT3530", 16, 3},
    {"Wqt35Four", "WQT3540", 16, 4},
    {"Wqt35Five", "WQT3550", 16, 5},
};

class FactoryStart : public testing::TestWithParam<family_case> {};

// Every model the simulator plays starts as an instrument would: a connect
// reads every item without a failure, into the item's bounds and options.
TEST_P(FactoryStart, EveryItemReadsIntoItsRange)
{
    const family_case& family = GetParam();
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    sim.inst.set_identity("TROSVALDEN", family.model, "F1", "V1");
    wqt_sim::load_factory_settings(sim.inst);

    msgbox::reset();
    EXPECT_TRUE(connect_instrument(nullptr, 1, &prepare_slot(1, sim.link), false));
    EXPECT_EQ(std::vector<std::string>(), msgbox::texts());
    instrument_slot& slot = get_instrument(1);
    ASSERT_EQ(family.code, slot.model_code);
    ASSERT_EQ(family.phases, slot.phase_count);
    const int groups = family.code == kTwoGroupModel ? 2 : 1;
    for (int g = 0; g < groups; ++g) {
        const auto cfg = g == 0 ? slot.get_primary_config() : slot.get_group2_config();
        for (int id : transferred_ids(family.code, *cfg))
            EXPECT_EQ("", misfit(*cfg->item_at(id))) << "group " << g << " item " << id;
    }
}

std::string model_name(const testing::TestParamInfo<family_case>& info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Families, FactoryStart, testing::ValuesIn(kFamilies), model_name);
INSTANTIATE_TEST_SUITE_P(TwoGroupPhases, FactoryStart, testing::ValuesIn(kTwoGroupPhaseCounts),
                         model_name);

// A server on a fixed loopback address; a parallel test may hold the address
// for a moment.
bool start_on(wqt_sim::tcp_server& server, const std::string& address)
{
    for (int i = 0; i < 50; ++i) {
        if (server.start(address))
            return true;
        Sleep(100);
    }
    return false;
}

TEST(ConnectFour, FourInstrumentsOnTheFirstLoopbackAddresses)
{
    const family_case families[4] = {kFamilies[0], kFamilies[2], kFamilies[4], kFamilies[5]};
    const char* serials[4] = {"N1", "N2", "N3", "N4"};
    wqt_sim::instrument insts[4];
    std::unique_ptr<wqt_sim::tcp_server> servers[4];
    filled_instrument filled[4];
    for (int n = 0; n < 4; ++n) {
        filled[n].build(families[n], serials[n], 5 + n);
        ASSERT_FALSE(HasFailure());
        filled[n].load(insts[n], serials[n]);
        servers[n] = std::make_unique<wqt_sim::tcp_server>(insts[n]);
        ASSERT_TRUE(start_on(*servers[n], "127.0.0." + std::to_string(n + 1))) << n;
    }

    msgbox::reset();
    // The last instrument is connected through a record of its own: the slot
    // takes it over with its socket, and the record is left closed.
    const auto own = make_lan_link("127.0.0.4");
    for (int n = 0; n < 4; ++n) {
        link_record& record = prepare_slot(n, *make_lan_link("127.0.0." + std::to_string(n + 1)));
        EXPECT_TRUE(connect_instrument(nullptr, n, n == 3 ? own.get() : &record, false)) << n;
    }
    EXPECT_TRUE(msgbox::shown().empty());

    for (int n = 0; n < 4; ++n) {
        instrument_slot& slot = get_instrument(n);
        EXPECT_EQ(families[n].code, slot.model_code) << n;
        EXPECT_EQ(filled[n].idn, slot.idn_reply) << n;
        EXPECT_EQ(0, slot.link_open) << n;
        EXPECT_EQ(1, count_of(insts[n].commands(), "USBLOCK,ON")) << n;
        EXPECT_EQ(1, servers[n]->connections()) << n;
        filled[n].expect_read_into(n, insts[n]);
    }
    EXPECT_EQ(0, own->link_open);
    EXPECT_EQ(kNoSocket, own->socket);
    EXPECT_EQ(filled[3].idn, own->idn_reply);

    // Slot 4 opens afresh: it did not keep the closed socket.
    instrument_slot& last = get_instrument(3);
    insts[3].clear_received();
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &last));
    send_command("*IDN?\n", &last);
    char reply[128];
    EXPECT_GT(receive_reply(reply, sizeof reply, &last), 0);
    EXPECT_EQ(filled[3].idn, reply);
    open_close_link(LINK_CLOSE, &last);
}

// Three items that answer with something other than a number, `times` times
// each: enough for one failed pass (3) or two (6).
void fail_three_reads(wqt_sim::instrument& inst, const filled_instrument& filled, int times)
{
    int added = 0;
    for (auto it = filled.ids.rbegin(); it != filled.ids.rend() && added < 3; ++it) {
        const config_item& item = *filled.groups[0]->item_at(*it);
        if (item.kind != ITEM_LIST)
            continue;
        inst.add_rule({"config," + std::to_string(item.wire_id) + "?", action::reply, "x", 0,
                       times});
        ++added;
    }
}

TEST(ConnectDiagnosis, FailedReadOffersAReset)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    filled_instrument filled;
    filled.build(kFamilies[5], "D1", 11);
    ASSERT_FALSE(HasFailure());
    filled.load(sim.inst, "D1");

    // No: the instrument stays attached as it was read.
    msgbox::reset();
    fail_three_reads(sim.inst, filled, 3);
    link_record* record = &prepare_slot(1, sim.link);
    EXPECT_TRUE(connect_instrument(nullptr, 1, record, false));
    EXPECT_EQ(3, boxes_captioned("Read Instrument Setup"));
    auto boxes = msgbox::shown();
    ASSERT_EQ(4u, boxes.size());
    EXPECT_EQ(kResetQuestion, boxes[3].text);
    EXPECT_EQ("Connection Diagnosis", boxes[3].caption);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONINFORMATION), boxes[3].type);
    EXPECT_EQ(0, count_of(sim.inst.commands(), "progra,recall,0"));
    EXPECT_EQ(5u, get_instrument(1).model_code);
    EXPECT_TRUE(is_family_object(5, get_instrument(1).get_primary_config().get()));
    EXPECT_EQ(0, get_instrument(1).link_open);

    // Yes, twice: each answer recalls the defaults and reads again, until a
    // read goes through.
    msgbox::reset();
    sim.inst.clear_received();
    sim.inst.clear_rules();
    fail_three_reads(sim.inst, filled, 6);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 3; ++i)
            msgbox::answer_next(IDOK);
        msgbox::answer_next(IDYES);
    }
    record = &prepare_slot(1, sim.link);
    EXPECT_TRUE(connect_instrument(nullptr, 1, record, false));
    EXPECT_EQ(6, boxes_captioned("Read Instrument Setup"));
    EXPECT_EQ(2, boxes_captioned("Connection Diagnosis"));
    const auto commands = sim.inst.commands();
    EXPECT_EQ(2, count_of(commands, "progra,recall,0"));
    EXPECT_EQ(3u, reads_per_pass(commands).size());
    // Each recall comes after a pass has ended and before the next begins.
    std::vector<std::string> frame;
    for (const auto& line : commands) {
        if (line == "SUSPEN,ON" || line == "progra,recall,0")
            frame.push_back(line);
    }
    EXPECT_EQ((std::vector<std::string>{"SUSPEN,ON", "progra,recall,0", "SUSPEN,ON",
                                        "progra,recall,0", "SUSPEN,ON"}),
              frame);
    filled.expect_read_into(1, sim.inst);
    EXPECT_EQ(0, get_instrument(1).link_open);
}

TEST(ConnectDiagnosis, TwoGroupModelStopsAfterAFailedFirstGroup)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    filled_instrument filled;
    filled.build(kFamilies[3], "D2", 13);
    ASSERT_FALSE(HasFailure());
    filled.load(sim.inst, "D2");
    // The two-group family keeps a list item's value when its read fails,
    // so three text items go unanswered instead.
    int silenced = 0;
    for (auto it = filled.ids.rbegin(); it != filled.ids.rend() && silenced < 3; ++it) {
        const config_item& item = *filled.groups[0]->item_at(*it);
        if (item.kind == ITEM_LIST)
            continue;
        sim.inst.add_rule(
            {"config," + std::to_string(item.wire_id) + "?", action::silence, "", 0, 3});
        ++silenced;
    }
    ASSERT_EQ(3, silenced);

    msgbox::reset();
    link_record* record = &prepare_slot(1, sim.link);
    EXPECT_TRUE(connect_instrument(nullptr, 1, record, false));

    // The second group is not read; the instrument is still left on group 1.
    const auto commands = sim.inst.commands();
    std::vector<std::string> frame;
    for (const auto& line : commands) {
        if (line.compare(0, 6, "GROUP,") == 0 || line == "SUSPEN,ON")
            frame.push_back(line);
    }
    EXPECT_EQ((std::vector<std::string>{"GROUP,1", "SUSPEN,ON", "GROUP,1"}), frame);
    EXPECT_EQ(3, boxes_captioned("Read Instrument Setup"));
    EXPECT_EQ(1, boxes_captioned("Connection Diagnosis"));
    EXPECT_EQ(1, sim.inst.group());
    EXPECT_EQ(0, get_instrument(1).active_group);
    EXPECT_EQ(16u, get_instrument(1).model_code);
    EXPECT_EQ(0, get_instrument(1).link_open);
}

} // namespace
