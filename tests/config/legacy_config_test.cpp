// The upgrade of the previous generation's saved configuration file: record
// forms by file size, each family's fields into its items, and the import.
#include "config/legacy_config.h"

#include "config/instrument_config.h"
#include "config/saved_slots.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

// ---- Hand-made legacy files

// One record of any form, written byte by byte as the older program did.
struct record_bytes {
    std::vector<uint8_t> bytes;

    explicit record_bytes(size_t size) : bytes(size, 0) {}

    record_bytes& name(const char* text) { return put_text(0, text); }
    record_bytes& put_int(size_t offset, int32_t value)
    {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i)
            bytes.at(offset + i) = static_cast<uint8_t>(v >> (8 * i));
        return *this;
    }
    // The text without its NUL: the record's zeros end it, unless the text
    // fills its room.
    record_bytes& put_text(size_t offset, const char* text)
    {
        for (size_t i = 0; text[i] != '\0'; ++i)
            bytes.at(offset + i) = static_cast<uint8_t>(text[i]);
        return *this;
    }
};

// A legacy file of the records, padded with zeros to `size` bytes.
void write_file(const std::string& path, const std::vector<record_bytes>& records, size_t size)
{
    std::string data;
    for (const record_bytes& r : records)
        data.append(r.bytes.begin(), r.bytes.end());
    data.resize(size, '\0');
    ASSERT_TRUE(write_whole_file(path, data));
}

// ---- A scripted user and a recording slot store

struct answer {
    legacy_upgrade_answer given;
    int32_t model_code;
    int32_t option_code;
};

constexpr legacy_upgrade_answer kUpgrade = legacy_upgrade_answer::upgrade;
constexpr legacy_upgrade_answer kDecline = legacy_upgrade_answer::declined;
constexpr legacy_upgrade_answer kUnanswered = legacy_upgrade_answer::unanswered;

std::deque<answer> g_answers;
std::vector<std::pair<std::string, bool>> g_asked; // name, from_import

// Answers from the script; "Delete" once the script is used up.
legacy_upgrade_answer scripted_prompt(saved_config_entry& entry, bool from_import)
{
    g_asked.emplace_back(entry.name, from_import);
    if (g_answers.empty())
        return kDecline;
    const answer a = g_answers.front();
    g_answers.pop_front();
    if (a.given == kUpgrade) {
        entry.model_code = a.model_code;
        entry.option_code = a.option_code;
    }
    return a.given;
}

// What one store call received: the entry and a copy of its configuration
// as it was then (the conversion reuses its objects).
struct stored_slot {
    std::string name;
    int32_t model_code;
    int32_t option_code;
    instrument_config* primary;
    std::shared_ptr<instrument_config> snapshot;
};

struct recording_store {
    std::map<int, stored_slot> slots;
    std::vector<int> order;
    int refuse_slot = -1;

    legacy_slot_store store()
    {
        return [this](int slot, const saved_config_entry& entry) {
            order.push_back(slot);
            if (slot == refuse_slot)
                return false;
            slots[slot] = {entry.name, entry.model_code, entry.option_code, entry.primary,
                           instrument_config_copy(*entry.primary)};
            return true;
        };
    }
    std::string value(int slot, int id) const
    {
        std::string out;
        return slots.at(slot).snapshot->get_value_string(id, out);
    }
};

class LegacyConfig : public testing::Test {
protected:
    void SetUp() override
    {
        g_answers.clear();
        g_asked.clear();
        previous_ = set_legacy_upgrade_prompt(scripted_prompt);
    }
    void TearDown() override { set_legacy_upgrade_prompt(previous_); }

    temp_folder folder_;
    std::string path_ = folder_.file("legacy.dat");
    recording_store sink_;
    legacy_upgrade_prompt previous_ = nullptr;
};

// ---- The size rule

TEST(LegacyRecordSize, FileSizeSelectsTheRecordForm)
{
    const struct {
        uint64_t file_size;
        size_t record_size;
    } cases[] = {
        {0, 3092},          {3092, 3092},  {30920, 3092}, {3092ull * 3812, 3092},
        {3812, 3812},       {38120, 3812}, {2058, 2058},  {20580, 2058},
        {30921, 0},         {38119, 0},    {20581, 0},    {1, 0},
        {3092ull * 1000000, 3092},
    };
    for (const auto& c : cases)
        EXPECT_EQ(legacy_record_size_for_file(c.file_size), c.record_size) << c.file_size;
}

// ---- Ten 3,092-byte records, one per family, with a value in every column

// A field written into a record and the item value the conversion gives.
struct field_case {
    int record;       // record index in the file = slot
    size_t offset;
    int32_t number;   // written when text is null
    const char* text; // written without its NUL
    int item;
    const char* expected;
};

// Records: 0 15xx (model 1), 1 25xx (model 2), 2 45xx (model 4), 3 55xx
// (model 5), 4 without a name, 5 declined by the user.
const field_case kFieldCases[] = {
    // Every family: fields shared by all columns, at unaligned offsets too.
    {0, 128, 3, nullptr, 82, "3"},
    {0, 422, 2, nullptr, 30, "2"},
    {0, 164, 0, "0.25", 12, "0.25"},
    {0, 1780, -7, nullptr, 100, "-5"},
    {0, 1880, 38, nullptr, 101, "40"},
    {0, 1440, 0, "12.5", 130, "12.5"},     // 1456 left empty
    {0, 1852, 0, "300:7", 132, "0"},       // above 255
    {0, 1852, 0, "300:7", 133, "7"},
    {0, 778, 1, nullptr, 94, "7"},         // 1 | 2 | 4
    {0, 942, 2, nullptr, 94, "7"},
    {0, 1106, 4, nullptr, 94, "7"},
    // 15xx's own columns.
    {0, 144, 1, nullptr, 38, "1"},
    {0, 148, 2, nullptr, 40, "2"},
    {0, 220, 1, nullptr, 136, "1"},
    {0, 434, 0, "0.5", 37, "0.5"},
    {0, 1230, 3, nullptr, 54, "3"},
    {0, 2004, 1, nullptr, 143, "1"},
    {0, 2008, 1, nullptr, 142, "1"},
    {0, 2012, 2, nullptr, 141, "2"},
    // 25xx.
    {1, 144, 1, nullptr, 40, "1"},
    {1, 148, 2, nullptr, 39, "2"},
    {1, 188, 1, nullptr, 60, "1"},
    {1, 1336, 1, nullptr, 54, "1"},
    {1, 1644, 1, nullptr, 136, "1"},
    {1, 1788, 0, "1.5", 148, "1.5"},
    {1, 778, 8, nullptr, 94, "24"},        // 8 | 0 | 16
    {1, 1106, 16, nullptr, 94, "24"},
    {1, 1440, 0, "9", 130, "3.75"},        // 1456 wins when not empty
    {1, 1456, 0, "3.75", 130, "3.75"},
    {1, 1852, 0, "12:30", 132, "12"},
    {1, 1852, 0, "12:30", 133, "30"},
    {1, 1616, 1, nullptr, 3, "1"},
    // 45xx.
    {2, 144, 1, nullptr, 38, "1"},
    {2, 188, 1, nullptr, 197, "1"},
    {2, 216, 1, nullptr, 143, "1"},
    {2, 782, 0, "0.002", 39, "0.002"},
    {2, 1336, 1, nullptr, 52, "1"},
    {2, 1428, 0, "5", 68, "5"},
    {2, 1992, 1, nullptr, 145, "1"},
    {2, 1640, 1, nullptr, 219, "1"},
    {2, 1852, 0, "7", 132, "7"},           // second number missing
    {2, 1852, 0, "7", 133, "0"},
    // 55xx.
    {3, 1400, 120, nullptr, 127, "120"},
    {3, 1404, 10, nullptr, 126, "10"},
    {3, 1348, 1, nullptr, 142, "1"},
    {3, 1368, 0, "0.9", 166, "0.9"},
    {3, 1356, 0, "100", 175, "100"},
    {3, 1948, 1, nullptr, 105, "1"},
    {3, 1416, 0, "2", 141, "2"},
    {3, 1852, 0, "-1:256", 132, "0"},      // negative
    {3, 1852, 0, "-1:256", 133, "0"},      // above 255
    {3, 1780, 0, nullptr, 100, "2"},
};

record_bytes record_of_cases(int record, const char* name)
{
    record_bytes r(kLegacyRecordSize);
    r.name(name);
    for (const field_case& c : kFieldCases) {
        if (c.record != record)
            continue;
        if (c.text != nullptr)
            r.put_text(c.offset, c.text);
        else
            r.put_int(c.offset, c.number);
    }
    return r;
}

TEST_F(LegacyConfig, TenRecordsOfEveryFamilyGoToTheirSlotsAndTheFileIsDeleted)
{
    std::vector<record_bytes> records;
    const char* names[] = {"Bench 15", "Motor 25", "Drive 45", "Grid 55"};
    for (int n = 0; n < 4; ++n)
        records.push_back(record_of_cases(n, names[n]));
    records.push_back(record_bytes(kLegacyRecordSize)); // 4: no name
    records.push_back(record_bytes(kLegacyRecordSize).name("Old one"));
    write_file(path_, records, 30920);
    g_answers = {{kUpgrade, 1, 2}, {kUpgrade, 2, 0}, {kUpgrade, 4, 4}, {kUpgrade, 5, 0}, {kDecline, 0, 0}};

    EXPECT_TRUE(convert_legacy_config_file(path_.c_str(), sink_.store()));

    EXPECT_FALSE(path_exists(path_));
    ASSERT_EQ(g_asked.size(), 5u);
    const char* asked[] = {"Bench 15", "Motor 25", "Drive 45", "Grid 55", "Old one"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(g_asked[i].first, asked[i]);
        EXPECT_FALSE(g_asked[i].second) << "a file conversion offers Delete";
    }
    EXPECT_EQ(sink_.order, (std::vector<int>{0, 1, 2, 3}));
    const struct {
        int slot;
        int32_t model;
        int32_t option;
        const char* family;
    } expected[] = {{0, 1, 2, typeid(wqt_cfg_15xx).name()}, {1, 2, 0, typeid(wqt_cfg_25xx).name()},
                    {2, 4, 4, typeid(wqt_cfg_45xx).name()}, {3, 5, 0, typeid(wqt_cfg_55xx).name()}};
    for (const auto& e : expected) {
        const stored_slot& s = sink_.slots.at(e.slot);
        EXPECT_EQ(s.name, names[e.slot]);
        EXPECT_EQ(s.model_code, e.model);
        EXPECT_EQ(s.option_code, e.option);
        EXPECT_STREQ(typeid(*s.primary).name(), e.family);
    }
    for (const field_case& c : kFieldCases) {
        EXPECT_EQ(sink_.value(c.record, c.item), c.expected)
            << "record " << c.record << " offset " << c.offset << " item " << c.item;
    }
}

TEST_F(LegacyConfig, AFamilyTakesNothingFromTheColumnsOfOthers)
{
    // Fields only other families read; 15xx item 136 comes from 220 alone.
    record_bytes r(kLegacyRecordSize);
    r.name("Only 15").put_int(1644, 1).put_int(216, 1).put_int(1336, 1).put_int(220, 0);
    r.put_text(782, "9.9").put_int(1400, 77).put_int(188, 1);
    write_file(path_, {r}, kLegacyRecordSize);
    g_answers = {{kUpgrade, 6, 0}};

    ASSERT_TRUE(convert_legacy_config_file(path_.c_str(), sink_.store()));
    EXPECT_EQ(sink_.value(0, 136), "0");
    EXPECT_EQ(sink_.value(0, 52), "0");
    wqt_cfg_15xx fresh;
    for (int id : {39, 127, 197}) {
        std::string a;
        EXPECT_EQ(sink_.value(0, id), fresh.get_value_string(id, a)) << id;
    }
}

TEST_F(LegacyConfig, TextsAndTheNameStayWithinTheirRoom)
{
    record_bytes r(kLegacyRecordSize);
    std::string long_name(kSavedConfigNameSize, 'N');
    r.name(long_name.c_str()).put_int(128, 0x41414141);     // no NUL before the wiring
    r.put_text(164, "ABCDEFGHIJKL").put_int(176, 0x5A5A5A5A); // window fills its 12 bytes
    r.put_text(1852, "12:3").put_text(1856, "45678901").put_int(1864, 0x39393939);
    write_file(path_, {r}, kLegacyRecordSize);
    g_answers = {{kUpgrade, 1, 0}};

    ASSERT_TRUE(convert_legacy_config_file(path_.c_str(), sink_.store()));
    ASSERT_EQ(g_asked.size(), 1u);
    EXPECT_EQ(g_asked[0].first, std::string(kSavedConfigNameSize - 1, 'N'));
    EXPECT_EQ(sink_.slots.at(0).name, std::string(kSavedConfigNameSize - 1, 'N'));
    EXPECT_EQ(sink_.value(0, 12), "ABCDEFGHIJKL");
    // "12:345678901" read within its 12 bytes: the minutes are too large.
    EXPECT_EQ(sink_.value(0, 132), "12");
    EXPECT_EQ(sink_.value(0, 133), "0");
}

// A line feed, a carriage return and line feed, or a tab in a record's name
// or text becomes a blank: the record converts into a slot that reads back
// whole, every item after the text in its place.
TEST_F(LegacyConfig, LineBreaksAndTabsBecomeBlanksAndTheSlotReadsBackAligned)
{
    struct row {
        const char* text;      // the window's text in the record
        const char* converted; // item 12 as converted
        const char* read_back; // item 12 read back from the slot
    } const rows[] = {
        {"1\n5", "1 5", "1 5"},
        {"1\r\n5", "1  5", "1  5"},
        {"\t1\t5\t", " 1 5 ", "1 5"}, // blanks at either end are not read back
    };
    set_saved_config_folder(folder_.path.c_str());
    for (const row& r : rows) {
        SCOPED_TRACE(r.converted);
        g_asked.clear();
        sink_ = recording_store{};
        record_bytes record(kLegacyRecordSize);
        record.name("Bench\r\n2").put_int(128, 1).put_text(164, r.text);
        write_file(path_, {record}, kLegacyRecordSize);
        g_answers = {{kUpgrade, 1, 0}};
        const legacy_slot_store recorded = sink_.store();
        ASSERT_TRUE(convert_legacy_config_file(
            path_.c_str(), [&](int slot, const saved_config_entry& entry) {
                return recorded(slot, entry) && save_config_slot(entry, slot);
            }));
        ASSERT_EQ(g_asked.size(), 1u);
        EXPECT_EQ(g_asked[0].first, "Bench  2");
        EXPECT_EQ(sink_.value(0, 12), r.converted);

        wqt_cfg_15xx loaded;
        saved_config_entry entry{};
        entry.model_code = 1;
        entry.primary = &loaded;
        ASSERT_EQ(load_config_slot(entry, 0, false), slot_load_result::loaded);
        EXPECT_STREQ(entry.name, "Bench  2");
        EXPECT_STREQ(loaded.item_at(12)->value.text, r.read_back);
        for (int id = 0; id < kItemsPerTable; ++id) {
            if (id == 12)
                continue;
            std::string read_back;
            EXPECT_EQ(loaded.get_value_string(id, read_back), sink_.value(0, id)) << id;
            EXPECT_EQ(loaded.item_at(id)->wire_id, sink_.slots.at(0).snapshot->item_at(id)->wire_id)
                << id;
        }
    }
}

TEST_F(LegacyConfig, TheFamilyObjectsLastAndKeepWhatARecordDoesNotSupply)
{
    write_file(path_, {record_bytes(kLegacyRecordSize).name("A").put_int(128, 1),
                       record_bytes(kLegacyRecordSize).name("B").put_int(128, 2)},
               kLegacyRecordSize * 2);
    g_answers = {{kUpgrade, 1, 0}, {kUpgrade, 6, 0}};
    instrument_config* first = nullptr;
    auto store = [&](int slot, const saved_config_entry& entry) {
        if (slot == 0) {
            first = entry.primary;
            entry.primary->set_value_int(221, 2); // no field supplies item 221
        }
        return sink_.store()(slot, entry);
    };

    ASSERT_TRUE(convert_legacy_config_file(path_.c_str(), store));
    EXPECT_EQ(sink_.slots.at(1).primary, first);
    EXPECT_EQ(sink_.value(0, 82), "1");
    EXPECT_EQ(sink_.value(1, 82), "2");
    EXPECT_EQ(sink_.value(1, 221), "2");
}

// ---- The older forms

// Chosen fields of the 3,092-byte form and where the older forms hold them.
struct older_case {
    size_t offset_3092;
    size_t offset_3812;
    size_t offset_2058;
    int32_t number;
    int item; // in the 55xx family
    const char* expected;
};

const older_case kOlderCases[] = {
    {128, 128, 128, 4, 82, "4"},          // first block of both
    {224, 224, 224, 1, 190, "1"},
    {422, 416, 244, 2, 30, "2"},
    {698, 1132, 328, 5, 24, "5"},
    {862, 1296, 452, 3, 176, "3"},
    {1066, 1500, 616, 2, 201, "2"},
    {1190, 1952, 700, 1, 58, "1"},
    {1260, 2008, 736, 3, 70, "3"},
    {1332, 2080, 808, 1, 93, "1"},
    {1616, 2360, 832, 1, 3, "1"},
    {1722, 2460, 872, 1, 6, "1"},
    {1776, 2512, 924, 2, 1, "2"},
    {1880, 2616, 1028, 10, 101, "12"},
    {1948, 2684, 1096, 1, 105, "1"},
};

TEST_F(LegacyConfig, OlderFormsAreReadThroughTheirBlocks)
{
    for (size_t form : {kLegacyRecordSize3812, kLegacyRecordSize2058}) {
        SCOPED_TRACE(form);
        std::vector<record_bytes> records;
        for (int n = 0; n < 2; ++n) {
            record_bytes r(form);
            r.name(n == 0 ? "Older" : "Second");
            for (const older_case& c : kOlderCases)
                r.put_int(form == kLegacyRecordSize3812 ? c.offset_3812 : c.offset_2058, c.number + n);
            r.put_text(form == kLegacyRecordSize3812 ? 2588 : 1000, "2:15");
            records.push_back(r);
        }
        write_file(path_, records, form * 10);
        g_answers = {{kUpgrade, 5, 2}, {kUpgrade, 5, 2}};
        recording_store sink;

        ASSERT_TRUE(convert_legacy_config_file(path_.c_str(), sink.store()));
        EXPECT_FALSE(path_exists(path_));
        EXPECT_EQ(sink.slots.at(0).name, "Older");
        EXPECT_EQ(sink.slots.at(1).name, "Second");
        for (const older_case& c : kOlderCases)
            EXPECT_EQ(sink.value(0, c.item), c.expected) << c.offset_3092;
        EXPECT_EQ(sink.value(1, 82), "5");
        EXPECT_EQ(sink.value(0, 132), "2");
        EXPECT_EQ(sink.value(0, 133), "15");
        // Text fields the older forms lack hold the stamp.
        for (int id : {37, 189, 213, 39, 191, 215, 141, 68, 130, 104, 147})
            EXPECT_EQ(sink.value(0, id), "0.000E0") << id;
    }
}

TEST(LegacyRecordForms, BlockCopiesFillTheRestWithZerosAndStamps)
{
    std::vector<uint8_t> src3812(kLegacyRecordSize3812);
    std::vector<uint8_t> src2058(kLegacyRecordSize2058);
    for (size_t i = 0; i < src3812.size(); ++i)
        src3812[i] = static_cast<uint8_t>(1 + i % 251);
    for (size_t i = 0; i < src2058.size(); ++i)
        src2058[i] = static_cast<uint8_t>(1 + i % 251);
    std::memcpy(src3812.data(), "Name", 5);
    std::memcpy(src2058.data(), "Name", 5);
    legacy_config_record from3812;
    legacy_config_record from2058;
    from3812.fill(0xEE);
    from2058.fill(0xEE);
    convert_legacy_record_3812(src3812.data(), from3812);
    convert_legacy_record_2058(src2058.data(), from2058);

    // Destination byte and the source byte it holds; -1: zero.
    const struct {
        size_t to;
        long from3812;
        long from2058;
    } bytes[] = {
        {5, -1, -1},      {127, -1, -1},     {128, 128, 128},   {243, 243, 243},
        {244, 244, -1},   {415, 415, -1},    {416, -1, -1},     {421, -1, -1},
        {422, 416, 244},  {505, 499, 327},   {506, 500, -1},    {697, 691, -1},
        {698, 1132, 328}, {821, 1255, 451},  {822, 1256, -1},   {862, 1296, 452},
        {1026, 1460, 576}, {1149, 1583, 699}, {1189, 1623, -1}, {1190, 1952, 700},
        {1225, 1987, 735}, {1245, 2007, -1}, {1246, -1, -1},    {1259, -1, -1},
        {1260, 2008, 736}, {1355, 2103, 831}, {1611, 2359, -1}, {1612, -1, -1},
        {1616, 2360, 832}, {1655, 2399, 871}, {1715, 2459, -1}, {1716, -1, -1},
        {1722, 2460, 872}, {1773, 2511, 923}, {1774, -1, -1},   {1776, 2512, 924},
        {1993, 2729, 1141}, {1994, 2730, -1}, {2159, 2895, -1}, {2160, -1, -1},
        {3091, -1, -1},
    };
    for (const auto& b : bytes) {
        EXPECT_EQ(from3812[b.to], b.from3812 < 0 ? 0 : src3812[b.from3812]) << "3812 " << b.to;
        EXPECT_EQ(from2058[b.to], b.from2058 < 0 ? 0 : src2058[b.from2058]) << "2058 " << b.to;
    }
    for (const legacy_config_record* r : {&from3812, &from2058}) {
        EXPECT_STREQ(reinterpret_cast<const char*>(r->data()), "Name");
        for (size_t offset : {434, 526, 618, 782, 946, 1110, 1416, 1428, 1440, 1456, 1964, 1980})
            EXPECT_EQ(std::memcmp(r->data() + offset, "0.000E0", 8), 0) << offset;
    }
}

// ---- When a file is deleted, kept or left alone

TEST_F(LegacyConfig, AFileGoesOnlyOnceEveryRecordIsReadAndEveryAcceptedOneStored)
{
    const struct {
        const char* what;
        std::vector<const char*> names; // records written; "" for an empty name
        size_t file_size;
        std::deque<answer> answers;
        int refuse_slot;
        bool lock; // the file is open without sharing while it is converted
        bool prompt;
        size_t asked;
        std::vector<int> stored;
        bool deleted;
    } cases[] = {
        {"empty file: ten empty records", {}, 0, {}, -1, false, true, 0, {}, true},
        {"records past the end read as empty", {"Only"}, kLegacyRecordSize * 3,
         {{kUpgrade, 4, 0}}, -1, false, true, 1, {0}, true},
        {"every record declined", {"One", "", "Three"}, 30920, {}, -1, false, true, 2, {}, true},
        {"no record size fits", {"Odd"}, 30921, {}, -1, false, true, 0, {}, false},
        {"records cannot be read", {"Locked"}, 30920, {{kUpgrade, 1, 0}}, -1, true, true, 0, {},
         false},
        {"an accepted record is not stored", {"One", "Two", "Three"}, 30920,
         {{kUpgrade, 1, 0}, {kUpgrade, 1, 0}, {kUpgrade, 1, 0}}, 1, false, true, 3, {0, 1, 2},
         false},
        {"a question cannot be shown", {"One", "Two"}, 30920,
         {{kUnanswered, 0, 0}, {kUpgrade, 5, 0}}, -1, false, true, 2, {1}, false},
        {"no prompt installed", {"One"}, 30920, {}, -1, false, false, 0, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<record_bytes> records;
        for (const char* name : c.names)
            records.push_back(record_bytes(kLegacyRecordSize).name(name));
        write_file(path_, records, c.file_size);
        g_answers = c.answers;
        g_asked.clear();
        set_legacy_upgrade_prompt(c.prompt ? scripted_prompt : nullptr);
        recording_store sink;
        sink.refuse_slot = c.refuse_slot;
        HANDLE lock = c.lock ? CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr)
                             : INVALID_HANDLE_VALUE;
        EXPECT_EQ(lock != INVALID_HANDLE_VALUE, c.lock);
        const bool converted = convert_legacy_config_file(path_.c_str(), sink.store());
        if (lock != INVALID_HANDLE_VALUE)
            CloseHandle(lock);

        EXPECT_EQ(converted, c.deleted);
        EXPECT_EQ(g_asked.size(), c.asked);
        EXPECT_EQ(sink.order, c.stored);
        EXPECT_EQ(path_exists(path_), !c.deleted);
    }
}

TEST_F(LegacyConfig, AnImportedRecordIsConvertedIntoTheEntryOrLeftAlone)
{
    saved_config_entry unasked;
    set_legacy_upgrade_prompt(nullptr);
    EXPECT_FALSE(convert_legacy_config_dialog(unasked, legacy_config_record{}, true));
    EXPECT_EQ(unasked.primary, nullptr);
    set_legacy_upgrade_prompt(scripted_prompt);

    legacy_config_record record{};
    record_bytes r(kLegacyRecordSize);
    r.name("Import").put_int(128, 2).put_int(1780, 1);
    std::memcpy(record.data(), r.bytes.data(), record.size());

    saved_config_entry declined;
    g_answers = {{kDecline, 0, 0}, {kUpgrade, 3, 0}};
    EXPECT_FALSE(convert_legacy_config_dialog(declined, record, true));
    EXPECT_EQ(declined.model_code, -1);
    EXPECT_EQ(declined.primary, nullptr);

    saved_config_entry entry;
    ASSERT_TRUE(convert_legacy_config_dialog(entry, record, true));
    EXPECT_TRUE(g_asked[0].second && g_asked[1].second) << "an import offers Cancel";
    ASSERT_NE(dynamic_cast<wqt_cfg_25xx*>(entry.primary), nullptr) << "model code 3 is a 25xx";
    std::string value;
    EXPECT_EQ(entry.primary->get_value_string(82, value), "2");
    EXPECT_EQ(entry.primary->get_value_string(100, value), "3");
    EXPECT_EQ(entry.primary->item_at(82)->changed, 1);
}

} // namespace
