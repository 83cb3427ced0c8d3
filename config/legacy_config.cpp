// Reading and converting the binary saved-configuration files of earlier
// versions. Every record field is read byte by byte as little-endian data:
// many fields start at offsets that are not multiples of four.
#include "config/legacy_config.h"

#include "base/file_util.h"
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "config/typed_values.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>

namespace {

// ---- Older record forms: blocks of bytes copied into the 3,092-byte form

struct record_block {
    uint16_t to;     // first byte in the 3,092-byte record
    uint16_t from;   // first byte in the older record
    uint16_t length; // bytes copied
};

constexpr record_block k3812Blocks[] = {
    {128, 128, 288},  {422, 416, 276},  {698, 1132, 492}, {1190, 1952, 56},
    {1260, 2008, 352}, {1616, 2360, 100}, {1722, 2460, 52}, {1776, 2512, 384},
};

constexpr record_block k2058Blocks[] = {
    {128, 128, 116}, {422, 244, 84},  {698, 328, 124},  {862, 452, 124},  {1026, 576, 124},
    {1190, 700, 36}, {1260, 736, 96}, {1616, 832, 40},  {1722, 872, 52},  {1776, 924, 218},
};

template <size_t N>
constexpr bool blocks_fit(const record_block (&blocks)[N], size_t source_size)
{
    for (const record_block& b : blocks) {
        if (b.to + b.length > kLegacyRecordSize || b.from + b.length > source_size)
            return false;
    }
    return true;
}
static_assert(blocks_fit(k3812Blocks, kLegacyRecordSize3812), "3,812-byte blocks out of bounds");
static_assert(blocks_fit(k2058Blocks, kLegacyRecordSize2058), "2,058-byte blocks out of bounds");

// Text fields the older forms lack; a converted record holds "0.000E0" there.
constexpr uint16_t kStampOffsets[] = {
    434, 526, 618, 782, 946, 1110, 1416, 1428, 1440, 1456, 1964, 1980,
};
constexpr char kStamp[] = "0.000E0";

// ---- The fields of the 3,092-byte record and the items they set

enum class field_kind : uint8_t {
    integer,         // the integer, through set_value_int
    text,            // the text within its room, through set_value_text
    range_lock,      // the OR of this and the earlier range-lock fields (item 94)
    harmonic_number, // the integer plus 2 as decimal text (items 100, 101)
    decimal_text,    // the integer as decimal text (items 126, 127)
    text_if_present, // the text, only when it is not empty (item 130 over offset 1440)
    run_time,        // "hours:minutes": the row's item and the one after it (132, 133)
};

constexpr int kNoItem = -1;
constexpr int kLegacyFamilies = 4;

struct legacy_field {
    uint16_t offset;
    uint16_t room; // bytes up to the next field: the most a text may take
    field_kind kind;
    int16_t items[kLegacyFamilies]; // by legacy_family; kNoItem: the family takes nothing
};

// Columns of legacy_field::items.
enum legacy_family : int { fam15xx, fam25xx, fam45xx, fam55xx };

constexpr int16_t no = kNoItem;
using K = field_kind;

// clang-format off
constexpr legacy_field kLegacyFields[] = {
    // offset room kind                  15xx 25xx 45xx 55xx
    { 128,   4, K::integer,          { 82,  82,  82,  82}}, // Wiring
    { 132,   4, K::integer,          { 13,  13,  13,  13}}, // Speed
    { 136,   4, K::integer,          { 14,  14,  14,  14}}, // Smoothing
    { 140,   4, K::integer,          { 15,  15,  15,  15}}, // Smoothing Response
    { 144,   4, K::integer,          { 38,  40,  38,  38}}, // Frequency Reference
    { 148,   4, K::integer,          { 40,  39,  40,  40}}, // Frequency Reference
    { 152,   4, K::integer,          { 53,  53,  53,  53}}, // Phase Angle reference
    { 156,   4, K::integer,          { 11,  11,  11,  11}}, // Low Frequency
    { 160,   4, K::integer,          {214, 214, 214, 214}}, // Phase 3 Reference
    { 164,  12, K::text,             { 12,  12,  12,  12}}, // Window
    { 176,   4, K::integer,          { 49,  49,  49,  49}}, // DFT Selectivity
    { 180,   4, K::integer,          { 10,  10,  10,  10}}, // Ignore Overload
    { 184,   4, K::integer,          {  7,   7,   7,   7}}, // Frequency Lock
    { 188,   4, K::integer,          { no,  60, 197, 197}}, // Highspeed
    { 192,  12, K::text,             { 48,  48,  48,  48}}, // Frequency
    { 204,  12, K::text,             { 69,  69,  69,  69}}, // Minimum Frequency
    { 216,   4, K::integer,          { no,  no, 143, 143}}, // Probe Compensation
    { 220,   4, K::integer,          {136,  no, 136, 136}}, // Watts
    { 224,   4, K::integer,          {190, 190, 190, 190}}, // Phase 2 Reference
    { 422,   4, K::integer,          { 30,  30,  30,  30}}, // Coupling
    { 426,   4, K::integer,          { no,  31,  31,  31}}, // Bandwidth
    { 430,   4, K::integer,          { 36,  no,  36,  36}}, // Noise Filter
    { 434,  80, K::text,             { 37,  no,  37,  37}}, // Bandwidth
    { 514,   4, K::integer,          {182, 182, 182, 182}}, // Coupling
    { 518,   4, K::integer,          { no, 183, 183, 183}}, // Bandwidth
    { 522,   4, K::integer,          {188,  no, 188, 188}}, // Noise Filter
    { 526,  80, K::text,             {189,  no, 189, 189}}, // Bandwidth
    { 606,   4, K::integer,          {206, 206, 206, 206}}, // Coupling
    { 610,   4, K::integer,          { no, 207, 207, 207}}, // Bandwidth
    { 614,   4, K::integer,          {212,  no, 212, 212}}, // Noise Filter
    { 618,  80, K::text,             {213,  no, 213, 213}}, // Bandwidth
    { 698,   4, K::integer,          { 24,  24,  24,  24}}, // Voltage Input
    { 702,   4, K::integer,          { 28,  28,  28,  28}}, // Voltage Autoranging
    { 714,  12, K::text,             { 32,  32,  32,  32}}, // Voltage Scale Factor
    { 726,  12, K::text,             { 34,  34,  34,  34}}, // Voltage Attenuator
    { 738,   4, K::integer,          { 25,  25,  25,  25}}, // Current Input
    { 742,   4, K::integer,          { 29,  29,  29,  29}}, // Current Autoranging
    { 754,  12, K::text,             { 33,  33,  33,  33}}, // Current Scale Factor
    { 766,  12, K::text,             { 35,  35,  35,  35}}, // Current Shunt
    { 778,   4, K::range_lock,       { 94,  94,  no,  no}}, // Range Lock across phases
    { 782,  80, K::text,             { no,  no,  39,  39}}, // DC Offset
    { 862,   4, K::integer,          {176, 176, 176, 176}}, // Voltage Input
    { 866,   4, K::integer,          {180, 180, 180, 180}}, // Voltage Autoranging
    { 878,  12, K::text,             {184, 184, 184, 184}}, // Voltage Scale Factor
    { 890,  12, K::text,             {186, 186, 186, 186}}, // Voltage Attenuator
    { 902,   4, K::integer,          {177, 177, 177, 177}}, // Current Input
    { 906,   4, K::integer,          {181, 181, 181, 181}}, // Current Autoranging
    { 918,  12, K::text,             {185, 185, 185, 185}}, // Current Scale Factor
    { 930,  12, K::text,             {187, 187, 187, 187}}, // Current Shunt
    { 942,   4, K::range_lock,       { 94,  94,  no,  no}}, // Range Lock across phases
    { 946,  80, K::text,             { no,  no, 191, 191}}, // DC Offset
    {1026,   4, K::integer,          {200, 200, 200, 200}}, // Voltage Input
    {1030,   4, K::integer,          {204, 204, 204, 204}}, // Voltage Autoranging
    {1042,  12, K::text,             {208, 208, 208, 208}}, // Voltage Scale factor
    {1054,  12, K::text,             {210, 210, 210, 210}}, // Voltage Attenuator
    {1066,   4, K::integer,          {201, 201, 201, 201}}, // Current Input
    {1070,   4, K::integer,          {205, 205, 205, 205}}, // Current Autoranging
    {1082,  12, K::text,             {209, 209, 209, 209}}, // Current Scale factor / Scale factor
    {1094,  12, K::text,             {211, 211, 211, 211}}, // Current Shunt
    {1106,   4, K::range_lock,       { 94,  94,  no,  no}}, // Range Lock across phases
    {1110,  80, K::text,             { no,  no, 215, 215}}, // DC Offset
    {1190,   4, K::integer,          { 58,  58,  58,  58}}, // Datalog
    {1194,  16, K::text,             { 59,  59,  59,  59}}, // Interval
    {1210,   4, K::integer,          { 60,  no,  60,  60}}, // Graph
    {1230,   4, K::integer,          { 54,  no,  54,  54}}, // Zoom 1
    {1234,   4, K::integer,          { 55,  no,  55,  55}}, // Zoom 2
    {1238,   4, K::integer,          { 56,  no,  56,  56}}, // Zoom 3
    {1242,   4, K::integer,          { 57,  no,  57,  57}}, // Zoom 4
    {1260,   4, K::integer,          { 70,  70,  70,  70}}, // Mode
    {1264,   4, K::integer,          { 80,  80,  80,  80}}, // Temperature
    {1268,   4, K::integer,          { 72,  72,  72,  72}}, // Frequency Tracking
    {1276,   4, K::integer,          { 71,  71,  71,  71}}, // Frequency Filter
    {1280,   4, K::integer,          { 84,  84,  84,  84}}, // Torque Speed
    {1284,  12, K::text,             { 85,  85,  85,  85}}, // Scale Factor 1 / Scale Factor Nm/Hz
    {1296,  12, K::text,             { 95,  95,  95,  95}}, // Offset 1
    {1308,  12, K::text,             { 86,  86,  86,  86}}, // Scale Factor 2 / Scale Factor pulses/rev
    {1320,  12, K::text,             { 96,  96,  96,  96}}, // Offset 2
    {1332,   4, K::integer,          { 93,  93,  93,  93}}, // Efficiency
    {1336,   4, K::integer,          { no,  54,  52,  52}}, // Frequency Filter / Frequency Filtering
    {1340,   4, K::integer,          { no,  no,  no, 172}}, // Mode
    {1344,   4, K::integer,          { no,  no,  no, 173}}, // Class
    {1348,   4, K::integer,          { no,  no,  no, 142}}, // Verify Source
    {1352,   4, K::integer,          { no,  no,  no, 174}}, // Power
    {1356,  12, K::text,             { no,  no,  no, 175}}, // Power
    {1368,  24, K::text,             { no,  no,  no, 166}}, // Power Factor
    {1392,   4, K::integer,          { no,  no,  no, 125}}, // Measurement
    {1400,   4, K::decimal_text,     { no,  no,  no, 127}}, // T Long
    {1404,   4, K::decimal_text,     { no,  no,  no, 126}}, // T Short
    {1408,   4, K::integer,          { no,  no,  no, 124}}, // D(t) Testing
    {1412,   4, K::integer,          { no,  no,  no, 149}}, // PLT Testing
    {1416,  12, K::text,             { no,  no,  no, 141}}, // Impedance Scaling
    {1428,  12, K::text,             { no,  no,  68,  68}}, // Frequency Step
    {1440,  12, K::text,             {130, 130, 130, 130}}, // AC Line / Gear Ratio
    {1452,   4, K::integer,          { 73,  73,  73,  73}}, // Low Frequency
    {1456, 160, K::text_if_present,  {130, 130, 130, 130}}, // AC Line / Gear Ratio
    {1616,   4, K::integer,          { no,   3,   3,   3}}, // Master/Slave
    {1620,   4, K::integer,          {122, 122, 122, 122}}, // Device
    {1624,   4, K::integer,          {128, 128, 128, 128}}, // Switch Phase Offset
    {1628,   4, K::integer,          {129, 129, 129, 129}}, // Switch On Cycles
    {1632,   4, K::integer,          { 81,  81,  81,  81}}, // Sum Watts
    {1636,   4, K::integer,          { no,  no, 123, 123}}, // Thermocouple
    {1640,   4, K::integer,          { no,  no, 219, 219}}, // ZEM Adjust
    {1644,   4, K::integer,          { no, 136,  no,  no}}, // Mechanical
    {1722,   4, K::integer,          {  6,   6,   6,   6}}, // Phase Convention
    {1726,   4, K::integer,          {  5,   5,   5,   5}}, // Low Blanking
    {1730,   4, K::integer,          {  8,   8,   8,   8}}, // Graph
    {1734,   4, K::integer,          {  9,   9,   9,   9}}, // Keyboard Beep
    {1738,   4, K::integer,          {  4,   4,   4,   4}}, // Auto Zero
    {1742,   4, K::integer,          { 50,  50,  50,  50}}, // Prog 1-4 Direct Download / Prog 1-6 Direct Download
    {1746,   4, K::integer,          {119, 119, 119, 119}}, // Zoom 2 High Res
    {1750,   4, K::integer,          { 22,  22,  22,  22}}, // Independent Input
    {1754,   4, K::integer,          {117,  no, 117, 117}}, // Phase Angle Reference
    {1776,   4, K::integer,          {  1,   1,   1,   1}}, // Mode
    {1780,   4, K::harmonic_number,  {100, 100, 100, 100}}, // Harmonic
    {1784,   4, K::integer,          {150, 150, 150, 150}}, // Computation
    {1788,  12, K::text,             { no, 148, 148, 148}}, // Offset
    {1800,   4, K::integer,          { 92,  92,  92,  92}}, // Var Sign / VAr Sign
    {1804,   4, K::integer,          { 91,  91,  91,  91}}, // PF Sign
    {1808,   4, K::integer,          {134, 134, 134, 134}}, // Ph-Ph Measurement / Conversion
    {1812,   4, K::integer,          { 89,  89,  89,  89}}, // Sum Current
    {1816,   4, K::integer,          {135, 135, 135, 135}}, // Difference THD
    {1820,   4, K::integer,          {137, 137, 137, 137}}, // Parameter
    {1824,   4, K::integer,          {138, 138, 138, 138}}, // Measurement / Model
    {1828,  16, K::text,             {139, 139, 139, 139}}, // Phase Offset
    {1844,   4, K::integer,          { 83,  83,  83,  83}}, // Integration
    {1848,   4, K::integer,          { 88,  88,  88,  88}}, // Display
    {1852,  12, K::run_time,         {132, 132, 132, 132}}, // Run Time
    {1864,   4, K::integer,          { 99,  99,  99,  99}}, // Computation
    {1868,  12, K::text,             {103, 103, 103, 103}}, // Current / Current Rating
    {1880,   4, K::harmonic_number,  {101, 101, 101, 101}}, // Harmonic series up to
    {1884,  12, K::text,             {102, 102, 102, 102}}, // Voltage Bargraph Scale
    {1896,  12, K::text,             {106, 106, 106, 106}}, // Timebase
    {1908,   4, K::integer,          {111, 111, 111, 111}}, // Trigger Reference
    {1912,   4, K::integer,          {112, 112, 112, 112}}, // Trigger Reference / Trigger Phase
    {1916,  12, K::text,             {107, 107, 107, 107}}, // Trigger Level
    {1928,   4, K::integer,          {110, 110, 110, 110}}, // Trigger Type
    {1932,   4, K::integer,          {109, 109, 109, 109}}, // Trigger Polarity
    {1936,   4, K::integer,          {114, 114, 114, 114}}, // Trigger HF Reject
    {1940,   4, K::integer,          {108, 108, 108, 108}}, // Pretrigger
    {1944,   4, K::integer,          {113, 113, 113, 113}}, // Cursors
    {1948,   4, K::integer,          { no,  no,  no, 105}}, // Frequency Mode
    {1952,   4, K::integer,          {144,  no, 144, 144}}, // Rectified Mean
    {1956,   4, K::integer,          {140,  no, 140, 140}}, // Peak
    {1960,   4, K::integer,          { 90,  no,  90,  90}}, // Input Compensation
    {1964,  12, K::text,             {104,  no, 104, 104}}, // Current Bargraph Scale
    {1976,   4, K::integer,          { no,  no, 146, 146}}, // Marker
    {1980,  12, K::text,             { no,  no, 147, 147}}, // Marker
    {1992,   4, K::integer,          { no,  no, 145, 145}}, // Conversion
    {1996,   4, K::integer,          {115,  no, 115, 115}}, // Trace
    {2000,   4, K::integer,          { 98,  98,  no,  98}}, // HARM key function
    {2004,   4, K::integer,          {143,  no,  no,  no}}, // Last Line
    {2008,   4, K::integer,          {142,  no,  no,  no}}, // Last Line
    {2012,   4, K::integer,          {141,  no,  no,  no}}, // Penultimate Line
};
// clang-format on

constexpr bool fields_fit()
{
    size_t end_of_previous = kSavedConfigNameSize;
    for (const legacy_field& f : kLegacyFields) {
        if (f.room == 0 || f.offset < end_of_previous || f.offset + f.room > kLegacyRecordSize)
            return false;
        end_of_previous = f.offset + f.room;
    }
    return true;
}
static_assert(std::size(kLegacyFields) == 153, "one row per field of the record");
static_assert(fields_fit(), "fields in order, apart, after the name and inside the record");

// ---- Reading fields

int32_t read_le32(const legacy_config_record& record, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | record[offset + i];
    return static_cast<int32_t>(value);
}

// The text of a field: up to its first NUL, never beyond its room, its
// control characters (a line break, a tab) as blanks: each text is one line
// of the slot's body.
std::string read_text(const legacy_config_record& record, size_t offset, size_t room)
{
    const char* start = reinterpret_cast<const char*>(record.data() + offset);
    return text_without_controls(std::string(start, strnlen(start, room)));
}

// Sets one item from one field. range_lock carries the OR of the range-lock
// fields read so far.
void apply_field(instrument_config& config, const legacy_config_record& record,
                 const legacy_field& field, int item, int32_t& range_lock)
{
    switch (field.kind) {
    case K::integer:
        config.set_value_int(item, read_le32(record, field.offset));
        break;
    case K::text:
        config.set_value_text(item, read_text(record, field.offset, field.room).c_str());
        break;
    case K::range_lock:
        range_lock |= read_le32(record, field.offset);
        config.set_value_int(item, range_lock);
        break;
    case K::harmonic_number:
        config.set_value_text(item, std::to_string(read_le32(record, field.offset) + 2LL).c_str());
        break;
    case K::decimal_text:
        config.set_value_text(item, std::to_string(read_le32(record, field.offset)).c_str());
        break;
    case K::text_if_present: {
        const std::string text = read_text(record, field.offset, field.room);
        if (!text.empty())
            config.set_value_text(item, text.c_str());
        break;
    }
    case K::run_time: {
        // The older versions stored what the edit held: kept as far as it
        // reads, whole or not.
        const run_time time = parse_run_time(read_text(record, field.offset, field.room).c_str());
        config.set_value_int(item, time.hours);
        config.set_value_int(item + 1, time.minutes);
        break;
    }
    }
}

void apply_record(instrument_config& config, legacy_family family,
                  const legacy_config_record& record)
{
    int32_t range_lock = 0;
    for (const legacy_field& field : kLegacyFields) {
        const int item = field.items[family];
        if (item != kNoItem)
            apply_field(config, record, field, item, range_lock);
    }
}

// ---- The four family objects of the conversion

// The column of the model's family; the 55xx column for every model whose
// family has none of its own (and for a code without a model).
legacy_family family_for_model(int32_t model_code)
{
    const model_profile* profile =
        model_code >= 0 ? find_model_profile(static_cast<uint32_t>(model_code)) : nullptr;
    if (profile == nullptr)
        return fam55xx;
    switch (profile->family) {
    case config_family::wqt15xx: return fam15xx;
    case config_family::wqt25xx: return fam25xx;
    case config_family::wqt45xx: return fam45xx;
    default: return fam55xx;
    }
}

std::unique_ptr<instrument_config> make_family_object(legacy_family family)
{
    switch (family) {
    case fam15xx: return std::make_unique<wqt_cfg_15xx>();
    case fam25xx: return std::make_unique<wqt_cfg_25xx>();
    case fam45xx: return std::make_unique<wqt_cfg_45xx>();
    case fam55xx: break;
    }
    return std::make_unique<wqt_cfg_55xx>();
}

// Built on first use, kept until the program ends.
instrument_config& family_object(legacy_family family)
{
    static std::unique_ptr<instrument_config> objects[kLegacyFamilies];
    std::unique_ptr<instrument_config>& object = objects[family];
    if (!object)
        object = make_family_object(family);
    return *object;
}

legacy_upgrade_prompt g_upgrade_prompt = nullptr;

// ---- Files

// Copies the name at the start of a record: at most 127 characters of its
// 128 bytes, whether or not they hold a NUL. dest holds zeros.
void copy_name(const uint8_t* record, char* dest)
{
    const char* name = reinterpret_cast<const char*>(record);
    std::memcpy(dest, name, strnlen(name, kSavedConfigNameSize - 1));
}

template <size_t N>
void convert_older_record(const uint8_t* source, const record_block (&blocks)[N],
                          legacy_config_record& dest)
{
    dest.fill(0);
    copy_name(source, reinterpret_cast<char*>(dest.data()));
    for (const record_block& b : blocks)
        std::memcpy(dest.data() + b.to, source + b.from, b.length);
    for (uint16_t offset : kStampOffsets)
        std::memcpy(dest.data() + offset, kStamp, sizeof kStamp);
}

// The record conversion with the user's whole answer.
legacy_upgrade_answer convert_record(saved_config_entry& entry, const legacy_config_record& record,
                                     bool from_import)
{
    if (g_upgrade_prompt == nullptr)
        return legacy_upgrade_answer::unanswered;
    const legacy_upgrade_answer answer = g_upgrade_prompt(entry, from_import);
    if (answer == legacy_upgrade_answer::upgrade) {
        const legacy_family family = family_for_model(entry.model_code);
        instrument_config& config = family_object(family);
        entry.primary = &config;
        apply_record(config, family, record);
    }
    return answer;
}

} // namespace

size_t legacy_record_size_for_file(uint64_t file_size)
{
    for (size_t size : {kLegacyRecordSize, kLegacyRecordSize3812, kLegacyRecordSize2058}) {
        if (file_size % size == 0)
            return size;
    }
    return 0;
}

bool read_legacy_config_record(const char* path, size_t size, int n, uint8_t* dest)
{
    file_handle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size) * n;
    if (!SetFilePointerEx(file.get(), position, nullptr, FILE_BEGIN))
        return false;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[size]());
    DWORD done = 0;
    // A read past the end succeeds with fewer bytes; the rest stays zero.
    if (!ReadFile(file.get(), buffer.get(), static_cast<DWORD>(size), &done, nullptr))
        return false;
    std::memcpy(dest, buffer.get(), size);
    return true;
}

bool read_legacy_record(const char* path, size_t size, int n, legacy_config_record& record)
{
    record.fill(0);
    if (size == kLegacyRecordSize)
        return read_legacy_config_record(path, size, n, record.data());
    uint8_t older[kLegacyRecordSize3812] = {};
    if (!read_legacy_config_record(path, size, n, older))
        return false;
    if (size == kLegacyRecordSize3812)
        convert_legacy_record_3812(older, record);
    else
        convert_legacy_record_2058(older, record);
    return true;
}

bool read_legacy_config_record_3812(const char* path, uint8_t* dest, int n)
{
    return read_legacy_config_record(path, kLegacyRecordSize3812, n, dest);
}

bool read_legacy_config_record_2058(const char* path, uint8_t* dest, int n)
{
    return read_legacy_config_record(path, kLegacyRecordSize2058, n, dest);
}

void convert_legacy_record_3812(const uint8_t* source, legacy_config_record& dest)
{
    convert_older_record(source, k3812Blocks, dest);
}

void convert_legacy_record_2058(const uint8_t* source, legacy_config_record& dest)
{
    convert_older_record(source, k2058Blocks, dest);
}

void copy_legacy_record_name(const legacy_config_record& record,
                             char (&name)[kSavedConfigNameSize])
{
    std::memset(name, 0, sizeof name);
    copy_name(record.data(), name);
    // The name is the first line of the slot's body.
    const std::string one_line = text_without_controls(name);
    std::memcpy(name, one_line.data(), one_line.size());
}

legacy_upgrade_prompt set_legacy_upgrade_prompt(legacy_upgrade_prompt prompt)
{
    legacy_upgrade_prompt before = g_upgrade_prompt;
    g_upgrade_prompt = prompt;
    return before;
}

bool convert_legacy_config_dialog(saved_config_entry& entry, const legacy_config_record& record,
                                  bool from_import)
{
    return convert_record(entry, record, from_import) == legacy_upgrade_answer::upgrade;
}

bool convert_legacy_config_file(const char* path, const legacy_slot_store& store)
{
    uint64_t file_size = 0;
    if (g_upgrade_prompt == nullptr || !file_size_of(path, file_size))
        return false;
    const size_t size = legacy_record_size_for_file(file_size);
    if (size == 0)
        return false;

    // Every record is read before any is converted: a file that cannot be
    // read stays as it is for the next time.
    legacy_config_record records[kLegacyRecordsPerFile];
    for (int n = 0; n < kLegacyRecordsPerFile; ++n) {
        if (!read_legacy_record(path, size, n, records[n]))
            return false;
    }

    bool complete = true;
    for (int n = 0; n < kLegacyRecordsPerFile; ++n) {
        saved_config_entry entry;
        copy_legacy_record_name(records[n], entry.name);
        if (entry.name[0] == '\0')
            continue;
        switch (convert_record(entry, records[n], false)) {
        case legacy_upgrade_answer::upgrade:
            complete = store(n, entry) && complete;
            break;
        case legacy_upgrade_answer::declined: // "Delete": the record goes with the file
            break;
        case legacy_upgrade_answer::unanswered:
            complete = false;
            break;
        }
    }
    if (!complete)
        return false;
    return DeleteFileA(path) != 0;
}
