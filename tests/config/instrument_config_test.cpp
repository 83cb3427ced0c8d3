// The configuration model: each family's items, addressing of both tables,
// values read and set by kind, copies, option texts and the 35xx group rules.
#include "config/instrument_config.h"
#include "config/two_group_rules.h"

#include "tests/support/config_families.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <typeinfo>

namespace {

const auto& kFamilies = kAllFamilies;

std::string value_string(instrument_config& cfg, int id)
{
    std::string out = "stale";
    return cfg.get_value_string(id, out);
}

std::string display_string(instrument_config& cfg, int id)
{
    std::string out = "stale";
    return cfg.get_display_string(out, id);
}

std::string display_string_of(instrument_config& cfg, int id, int32_t value)
{
    std::string out = "stale";
    return cfg.value_to_display_string(out, id, value);
}

int value_int(instrument_config& cfg, int id)
{
    int out = 12345;
    const int result = cfg.get_value_int(id, out);
    EXPECT_EQ(result, out) << "the int is both stored and returned";
    return out;
}

double value_double(instrument_config& cfg, int id)
{
    double out = 12345.0;
    const double result = cfg.get_value_double(id, out);
    EXPECT_EQ(result, out);
    return out;
}

// A base object with a few hand-made items beside the undefined ones.
struct sample_config : ::testing::Test {
    static constexpr int kOnOff = 40;
    static constexpr int kPlainInt = 41;
    static constexpr int kText = 42;
    static constexpr int kUndefined = 43;

    instrument_config cfg;

    void SetUp() override
    {
        cfg.define_list_item(*cfg.item_at(kOnOff), kOnOff, 0, 1, 0, {"Off", "On"});
        cfg.define_list_item(*cfg.item_at(kPlainInt), kPlainInt, -10, 10, 0, {});
        cfg.define_text_item(*cfg.item_at(kText), kText, 0.0, 1000.0);
    }
};

// Writes through value_to_display_text into a buffer whose bytes after the
// 19 the operation may use are checked for overruns.
std::string display_text_of(instrument_config& cfg, int id, int32_t value)
{
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    cfg.value_to_display_text(id, value, buffer);
    for (size_t i = 19; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << "byte " << i << " lies outside the 19-character buffer";
    EXPECT_NE(std::memchr(buffer, '\0', 19), nullptr) << "no terminator";
    return buffer;
}

std::string current_display_text(instrument_config& cfg, int id)
{
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    cfg.get_display_text(id, buffer);
    for (size_t i = 19; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << "byte " << i << " lies outside the 19-character buffer";
    return buffer;
}

void expect_undefined_record(const config_item_value& record)
{
    EXPECT_EQ(record.is_list, 0);
    EXPECT_EQ(record.value.integer, kUnsetValue);
    EXPECT_EQ(record.minimum, kNoBound);
    EXPECT_EQ(record.maximum, kNoBound);
}

} // namespace

// ---- Construction of the families ------------------------------------------

TEST(FamilyConstruction, EveryRowAppliedAndEveryOtherItemUndefined)
{
    const std::pair<config_family, int> counts[] = {
        {config_family::wqt15xx, 129}, {config_family::wqt25xx, 114},
        {config_family::wqt35xx, 143}, {config_family::wqt45xx, 145},
        {config_family::wqt55xx, 161}};
    for (const auto& [family, expected_count] : counts) {
        SCOPED_TRACE(static_cast<int>(family));
        auto cfg = make_family(family);
        const item_def_table rows = family_item_definitions(family);
        std::set<int> defined;
        for (size_t r = 0; r < rows.count; ++r) {
            const item_def& row = rows.items[r];
            SCOPED_TRACE(row.id);
            defined.insert(row.id);
            const config_item* item = cfg->item_at(row.id);
            ASSERT_NE(item, nullptr);
            EXPECT_EQ(item->kind, row.kind);
            EXPECT_EQ(item->wire_id, row.wire_id);
            EXPECT_EQ(item->minimum, row.minimum);
            EXPECT_EQ(item->maximum, row.maximum);
            EXPECT_EQ(item->changed, 0);
            ASSERT_EQ(item->options.size(), row.option_count);
            for (size_t o = 0; o < item->options.size(); ++o)
                EXPECT_STREQ(item->options[o], row.options[o]);
            if (item->kind == ITEM_LIST)
                EXPECT_EQ(item->value.integer, 0);
            else
                EXPECT_STREQ(item->value.text, "");
        }
        EXPECT_EQ(static_cast<int>(defined.size()), expected_count);

        for (int id = 0; id < kItemsPerTable; ++id) {
            for (int table_id : {id, id + kTableBFirstId}) {
                if (table_id == id && defined.count(id))
                    continue;
                SCOPED_TRACE(table_id);
                const config_item* item = cfg->item_at(table_id);
                ASSERT_NE(item, nullptr);
                EXPECT_EQ(item->kind, ITEM_UNSET);
                EXPECT_EQ(item->wire_id, id);
                EXPECT_EQ(item->value.integer, kUnsetValue);
                EXPECT_EQ(item->minimum, kNoBound);
                EXPECT_EQ(item->maximum, kNoBound);
                EXPECT_EQ(item->changed, 0);
                EXPECT_TRUE(item->options.empty());
            }
        }
        // Id 0 and id 2 are defined by no family.
        expect_undefined_record(cfg->get_value_record_copy(0));
        expect_undefined_record(cfg->get_value_record_copy(2));
    }
}

TEST(FamilyConstruction, KnownItems)
{
    wqt_cfg_15xx c15;
    // Item 100 holds 0 although its range is 2..50; item 12 is an empty text.
    const config_item_value harmonic = c15.get_value_record_copy(100);
    EXPECT_EQ(harmonic.is_list, 1);
    EXPECT_EQ(harmonic.value.integer, 0);
    EXPECT_EQ(harmonic.minimum, 2.0);
    EXPECT_EQ(harmonic.maximum, 50.0);
    EXPECT_TRUE(c15.item_at(100)->options.empty());
    const config_item_value window = c15.get_value_record_copy(12);
    EXPECT_EQ(window.is_list, 0);
    EXPECT_STREQ(window.value.text, "");
    EXPECT_EQ(window.minimum, 0.01);
    EXPECT_EQ(window.maximum, 100.0);
    EXPECT_EQ(display_string_of(c15, 1, 6), "Oscilloscope");

    // The 35xx item of id 216 carries wire id 143, like its item 143.
    wqt_cfg_35xx c35;
    EXPECT_EQ(c35.item_at(216)->wire_id, 143);
    EXPECT_EQ(c35.item_at(143)->wire_id, 143);
    EXPECT_EQ(c35.item_at(216)->maximum, 5.0);
    EXPECT_EQ(display_string_of(c35, 216, 2), "-3.857us");
}

TEST(FamilyConstruction, GroupTwoFlag)
{
    EXPECT_EQ(wqt_cfg_35xx().group2_flag(), 0);
    wqt_cfg_35xx second(1);
    EXPECT_EQ(second.group2_flag(), 1);
    // The flag changes none of the definitions.
    wqt_cfg_35xx first;
    for (int id = 0; id < kItemsPerTable; ++id)
        EXPECT_EQ(first.item_at(id)->kind, second.item_at(id)->kind) << id;
}

TEST(FamilyConstruction, BareBaseObjectIsUndefined)
{
    instrument_config cfg;
    for (int id : {0, 1, 255, 500, 755}) {
        EXPECT_EQ(cfg.item_at(id)->kind, ITEM_UNSET);
        expect_undefined_record(cfg.get_value_record_copy(id));
    }
}

// ---- Addressing -------------------------------------------------------------

TEST(Addressing, TableBIsItsOwnTable)
{
    instrument_config cfg;
    EXPECT_EQ(cfg.item_at(500)->wire_id, 0);
    EXPECT_EQ(cfg.item_at(755)->wire_id, 255);
    EXPECT_NE(cfg.item_at(255), cfg.item_at(500));
    EXPECT_NE(cfg.item_at(0), cfg.item_at(500));

    cfg.define_text_item(*cfg.item_at(500), 500, 1.0, 2.0, "b0");
    EXPECT_EQ(cfg.item_at(500)->wire_id, 0);
    cfg.define_list_item(*cfg.item_at(755), 755, 0, 3, 2, {});
    EXPECT_EQ(cfg.item_at(755)->wire_id, 255);
    EXPECT_EQ(value_string(cfg, 500), "b0");
    EXPECT_EQ(value_int(cfg, 755), 2);
    // The ids of table A with the same index keep their own state.
    EXPECT_EQ(cfg.item_at(0)->kind, ITEM_UNSET);
    EXPECT_EQ(cfg.item_at(255)->kind, ITEM_UNSET);

    cfg.set_value_int(255, 7);
    EXPECT_EQ(value_string(cfg, 500), "b0");
    EXPECT_EQ(cfg.item_at(500)->changed, 0);
}

TEST(Addressing, IdsOutsideBothTablesAreUndefinedItems)
{
    wqt_cfg_55xx cfg;
    const config_item before_255 = *cfg.item_at(255);
    const config_item before_500 = *cfg.item_at(500);
    for (int id : {256, 257, 499, 756, -1, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(cfg.item_at(id), nullptr);
        EXPECT_EQ(static_cast<const instrument_config&>(cfg).item_at(id), nullptr);

        config_item_value record;
        std::memset(&record, 0x5A, sizeof record);
        expect_undefined_record(cfg.get_value_record(record, id));
        expect_undefined_record(cfg.get_value_record_copy(id));

        EXPECT_EQ(value_string(cfg, id), "");
        char buffer[32];
        std::strcpy(buffer, "stale");
        EXPECT_EQ(cfg.get_value_text(id, buffer), buffer);
        EXPECT_STREQ(buffer, "");
        const char* stored = cfg.get_value_text(id, nullptr);
        ASSERT_NE(stored, nullptr);
        EXPECT_STREQ(stored, "");
        EXPECT_EQ(value_int(cfg, id), 0);
        EXPECT_EQ(value_double(cfg, id), 0.0);
        EXPECT_EQ(display_string(cfg, id), "");
        EXPECT_EQ(display_string_of(cfg, id, 1), "");
        EXPECT_EQ(display_text_of(cfg, id, 1), "");
        EXPECT_EQ(current_display_text(cfg, id), "");

        // Sets do nothing, and nothing else changes.
        cfg.set_value_text(id, "1");
        cfg.set_value_int(id, 1);
        cfg.set_value_double(id, 1.0);
        cfg.set_value_record(id, cfg.get_value_record_copy(1));
        const double bound = 5.0;
        cfg.set_minimum(id, bound);
        cfg.set_maximum(id, bound);
        cfg.set_option_list(id, {"x"});
        expect_undefined_record(cfg.get_value_record_copy(id));
    }
    const config_item& after_255 = *cfg.item_at(255);
    const config_item& after_500 = *cfg.item_at(500);
    EXPECT_EQ(std::memcmp(&after_255.value, &before_255.value, sizeof before_255.value), 0);
    EXPECT_EQ(after_255.changed, before_255.changed);
    EXPECT_EQ(after_255.minimum, before_255.minimum);
    EXPECT_EQ(after_500.changed, before_500.changed);
    EXPECT_EQ(after_500.options, before_500.options);
}

// ---- Text read as a number ----------------------------------------------------

TEST(TextNumber, DecimalFormsOnly)
{
    auto number = [](const char* text) { return item_text_number(text, std::strlen(text)); };
    EXPECT_EQ(number("1.5E2"), 150.0);
    EXPECT_EQ(number("  \t-2.9"), -2.9);
    EXPECT_EQ(number("+3.5e1x"), 35.0);
    EXPECT_EQ(number(".5"), 0.5);
    EXPECT_EQ(number("7."), 7.0);
    EXPECT_EQ(number("25%"), 25.0);
    // An exponent without digits is not part of the number.
    EXPECT_EQ(number("1e"), 1.0);
    EXPECT_EQ(number("1e+"), 1.0);
    EXPECT_EQ(number("2E-1"), 0.2);
    // Not numbers: letters, a lone sign or point, and the forms that a
    // general conversion would also take.
    EXPECT_EQ(number("abc"), 0.0);
    EXPECT_EQ(number(""), 0.0);
    EXPECT_EQ(number("-"), 0.0);
    EXPECT_EQ(number("."), 0.0);
    EXPECT_EQ(number("inf"), 0.0);
    EXPECT_EQ(number("-INFINITY"), 0.0);
    EXPECT_EQ(number("nan"), 0.0);
    EXPECT_EQ(number("0x1A"), 0.0);
    EXPECT_EQ(number("0X10p3"), 0.0);
    EXPECT_EQ(item_text_number(nullptr, 5), 0.0);
    // Only size bytes are read.
    EXPECT_EQ(item_text_number("12345", 2), 12.0);
    EXPECT_EQ(item_text_number("1e5", 2), 1.0);
}

TEST(TextNumber, IntFormTruncatesAndMarksOverflow)
{
    EXPECT_EQ(item_number_to_int(2.9), 2);
    EXPECT_EQ(item_number_to_int(-2.9), -2);
    EXPECT_EQ(item_number_to_int(2147483647.9), 2147483647);
    EXPECT_EQ(item_number_to_int(-2147483648.9), INT_MIN);
    EXPECT_EQ(item_number_to_int(2147483648.0), INT_MIN);
    EXPECT_EQ(item_number_to_int(-3e9), INT_MIN);
    EXPECT_EQ(item_number_to_int(HUGE_VAL), INT_MIN);
    EXPECT_EQ(item_number_to_int(std::nan("")), INT_MIN);
}

// ---- Reading values -------------------------------------------------------------

TEST_F(sample_config, TextItemReadAsNumber)
{
    cfg.set_value_text(kText, "1.5E2");
    EXPECT_EQ(value_int(cfg, kText), 150);
    EXPECT_EQ(value_double(cfg, kText), 150.0);
    EXPECT_EQ(value_string(cfg, kText), "1.5E2");
    EXPECT_EQ(display_string(cfg, kText), "1.5E2");
    // The value passed is ignored for a text item.
    EXPECT_EQ(display_string_of(cfg, kText, 3), "1.5E2");
    EXPECT_EQ(display_text_of(cfg, kText, 3), "1.5E2");

    cfg.set_value_text(kText, "Volts");
    EXPECT_EQ(value_int(cfg, kText), 0);
    EXPECT_EQ(value_double(cfg, kText), 0.0);
    cfg.set_value_text(kText, "-2.9");
    EXPECT_EQ(value_int(cfg, kText), -2);
    EXPECT_EQ(config_item_int_value(*cfg.item_at(kText)), -2);
    EXPECT_EQ(config_item_int_value(*cfg.item_at(kUndefined)), 0) << "read as text";
    cfg.set_value_text(kText, "9e99");
    EXPECT_EQ(value_int(cfg, kText), INT_MIN);
    EXPECT_EQ(value_double(cfg, kText), 9e99);
    cfg.set_value_text(kText, "0x20");
    EXPECT_EQ(value_int(cfg, kText), 0);
}

TEST_F(sample_config, ValueTextAndString)
{
    char buffer[32];
    cfg.set_value_int(kPlainInt, -7);
    EXPECT_EQ(cfg.get_value_text(kPlainInt, buffer), buffer);
    EXPECT_STREQ(buffer, "-7");
    EXPECT_EQ(value_string(cfg, kPlainInt), "-7");
    cfg.set_value_int(kPlainInt, INT_MIN);
    EXPECT_EQ(value_string(cfg, kPlainInt), "-2147483648");
    cfg.get_value_text(kPlainInt, buffer);
    EXPECT_STREQ(buffer, "-2147483648");

    cfg.set_value_text(kText, "abc");
    cfg.get_value_text(kText, buffer);
    EXPECT_STREQ(buffer, "abc");

    // A null buffer: the address of the stored value, nothing written.
    const item_value before = cfg.item_at(kText)->value;
    EXPECT_EQ(cfg.get_value_text(kText, nullptr), cfg.item_at(kText)->value.text);
    EXPECT_EQ(cfg.get_value_text(kOnOff, nullptr), cfg.item_at(kOnOff)->value.text);
    EXPECT_EQ(std::memcmp(&before, &cfg.item_at(kText)->value, sizeof before), 0);
}

TEST_F(sample_config, UndefinedItemTextReadsStayInsideTheField)
{
    // An item once holding a full text, then reset: the text readers see
    // only the four bytes of -99, terminated inside the field.
    cfg.set_value_text(kUndefined, "ABCDEFGHIJKLMNOPQRS");
    cfg.set_value_text(kText, "ABCDEFGHIJKLMNOPQRS");
    cfg.reset_items();
    for (int id : {kUndefined, kText, 500}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(cfg.item_at(id)->kind, ITEM_UNSET);
        EXPECT_EQ(value_string(cfg, id).size(), 4u);
        EXPECT_EQ(value_int(cfg, id), 0);
        EXPECT_EQ(value_double(cfg, id), 0.0);
        EXPECT_EQ(display_string(cfg, id).size(), 4u);
        EXPECT_EQ(display_text_of(cfg, id, 0).size(), 4u);
        char buffer[32];
        std::memset(buffer, '#', sizeof buffer);
        cfg.get_value_text(id, buffer);
        EXPECT_EQ(std::strlen(buffer), 4u);
        expect_undefined_record(cfg.get_value_record_copy(id));
        for (size_t i = 4; i < sizeof(item_value); ++i)
            EXPECT_EQ(cfg.item_at(id)->value.text[i], '\0') << i;
    }
}

TEST_F(sample_config, ValueRecord)
{
    cfg.set_value_int(kOnOff, 1);
    config_item_value record;
    std::memset(&record, 0x5A, sizeof record);
    cfg.get_value_record(record, kOnOff);
    EXPECT_EQ(record.is_list, 1);
    EXPECT_EQ(record.value.integer, 1);
    EXPECT_EQ(record.minimum, 0.0);
    EXPECT_EQ(record.maximum, 1.0);
    for (size_t i = 4; i < sizeof record.value; ++i)
        EXPECT_EQ(record.value.text[i], '\0') << "the record is cleared first";

    cfg.set_value_text(kText, "12.5");
    std::memset(&record, 0x5A, sizeof record);
    cfg.get_value_record(record, kText);
    EXPECT_EQ(record.is_list, 0);
    EXPECT_STREQ(record.value.text, "12.5");
    for (size_t i = 5; i < sizeof record.value; ++i)
        EXPECT_EQ(record.value.text[i], '\0');
    EXPECT_EQ(record.maximum, 1000.0);

    expect_undefined_record(cfg.get_value_record_copy(kUndefined));
    expect_undefined_record(cfg.get_value_record_copy(755));
}

// ---- Display texts --------------------------------------------------------------

TEST_F(sample_config, ListItemDisplay)
{
    EXPECT_EQ(display_string_of(cfg, kOnOff, 1), "On");
    EXPECT_EQ(display_string_of(cfg, kOnOff, 0), "Off");
    EXPECT_EQ(display_string_of(cfg, kOnOff, 2), "");
    EXPECT_EQ(display_string_of(cfg, kOnOff, -1), "");
    EXPECT_EQ(display_string_of(cfg, kOnOff, INT_MIN), "");
    EXPECT_EQ(display_text_of(cfg, kOnOff, 1), "On");
    EXPECT_EQ(display_text_of(cfg, kOnOff, 2), "");
    EXPECT_EQ(display_text_of(cfg, kOnOff, -1), "");

    // The current value decides, without clamping.
    cfg.set_value_int(kOnOff, 1);
    EXPECT_EQ(display_string(cfg, kOnOff), "On");
    EXPECT_EQ(current_display_text(cfg, kOnOff), "On");
    cfg.set_value_int(kOnOff, 5);
    EXPECT_EQ(display_string(cfg, kOnOff), "");
    EXPECT_EQ(value_int(cfg, kOnOff), 5);

    // Without options the number is shown only in the string form.
    EXPECT_EQ(display_string_of(cfg, kPlainInt, -5), "-5");
    EXPECT_EQ(display_text_of(cfg, kPlainInt, -5), "");
    cfg.set_value_int(kPlainInt, 42);
    EXPECT_EQ(display_string(cfg, kPlainInt), "42");
    EXPECT_EQ(current_display_text(cfg, kPlainInt), "");
}

TEST_F(sample_config, LongTextsAreCutToTheField)
{
    const char* nineteen = "ABCDEFGHIJKLMNOPQRS";
    const char* eighteen = "ABCDEFGHIJKLMNOPQR";
    cfg.set_value_text(kText, nineteen);
    EXPECT_EQ(value_string(cfg, kText), nineteen);
    EXPECT_EQ(display_string(cfg, kText), nineteen);
    // The display buffer holds 18 characters: a 19-character text leaves it empty.
    EXPECT_EQ(current_display_text(cfg, kText), "");
    EXPECT_EQ(display_text_of(cfg, kText, 0), "");
    cfg.set_value_text(kText, eighteen);
    EXPECT_EQ(current_display_text(cfg, kText), eighteen);

    // Texts longer than 19 characters keep their first 19.
    cfg.set_value_text(kText, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(value_string(cfg, kText), nineteen);
    EXPECT_EQ(cfg.item_at(kText)->value.text[19], '\0');
    cfg.define_text_item(*cfg.item_at(44), 44, 0.0, 1.0, "0123456789012345678901234");
    EXPECT_EQ(value_string(cfg, 44), "0123456789012345678");
    cfg.define_text_item(*cfg.item_at(45), 45, 0.0, 1.0, nullptr);
    EXPECT_EQ(value_string(cfg, 45), "");

    // An option of 19 characters or more does not fit the display buffer either.
    cfg.set_option_list(kOnOff, {"Off", nineteen, eighteen});
    EXPECT_EQ(display_text_of(cfg, kOnOff, 1), "");
    EXPECT_EQ(display_text_of(cfg, kOnOff, 2), eighteen);
    EXPECT_EQ(display_string_of(cfg, kOnOff, 1), nineteen);
}

// ---- Setting values -------------------------------------------------------------

TEST_F(sample_config, SetsByKind)
{
    // set_value_int: the integer, or its decimal text.
    cfg.set_value_int(kText, -42);
    EXPECT_EQ(value_string(cfg, kText), "-42");
    EXPECT_EQ(cfg.item_at(kText)->changed, 1);
    cfg.set_value_int(kOnOff, 1);
    EXPECT_EQ(cfg.item_at(kOnOff)->value.integer, 1);
    EXPECT_EQ(cfg.item_at(kOnOff)->changed, 1);

    // set_value_text: a list item takes the number truncated.
    cfg.set_value_text(kPlainInt, "2.9");
    EXPECT_EQ(value_int(cfg, kPlainInt), 2);
    EXPECT_EQ(cfg.item_at(kPlainInt)->changed, 1);
    cfg.set_value_text(kPlainInt, "-2.9");
    EXPECT_EQ(value_int(cfg, kPlainInt), -2);
    cfg.set_value_text(kPlainInt, "On");
    EXPECT_EQ(value_int(cfg, kPlainInt), 0);
    cfg.set_value_text(kPlainInt, "1e12");
    EXPECT_EQ(value_int(cfg, kPlainInt), INT_MIN);
    cfg.set_value_text(kPlainInt, nullptr);
    EXPECT_EQ(value_int(cfg, kPlainInt), 0);
    cfg.set_value_text(kText, nullptr);
    EXPECT_EQ(value_string(cfg, kText), "");

    // set_value_double: truncated integer, or the exponent text with 4 decimals.
    cfg.set_value_double(kPlainInt, -7.99);
    EXPECT_EQ(value_int(cfg, kPlainInt), -7);
    cfg.set_value_double(kPlainInt, 1e300);
    EXPECT_EQ(value_int(cfg, kPlainInt), INT_MIN);
    cfg.set_value_double(kText, 1234.5);
    EXPECT_EQ(value_string(cfg, kText), "1.2345E3");
    cfg.set_value_double(kText, -0.000012345);
    EXPECT_EQ(value_string(cfg, kText), "-1.2345E-5");
    cfg.set_value_double(kText, 0.0);
    EXPECT_EQ(value_string(cfg, kText), "0.0000E0");
    cfg.set_value_double(kText, -1.5e-300);
    EXPECT_EQ(value_string(cfg, kText), "-1.5000E-300");
}

TEST_F(sample_config, SetsOnAnUndefinedItemTakeItAsText)
{
    cfg.set_value_text(kUndefined, "3.5");
    EXPECT_EQ(value_string(cfg, kUndefined), "3.5");
    EXPECT_EQ(cfg.item_at(kUndefined)->kind, ITEM_UNSET);
    EXPECT_EQ(cfg.item_at(kUndefined)->changed, 1);
    cfg.set_value_int(kUndefined + 1, 12);
    EXPECT_EQ(value_string(cfg, kUndefined + 1), "12");
}

TEST_F(sample_config, SetValueRecord)
{
    config_item_value record{};
    record.value.integer = 1;
    cfg.set_value_record(kOnOff, record);
    EXPECT_EQ(value_int(cfg, kOnOff), 1);
    EXPECT_EQ(cfg.item_at(kOnOff)->changed, 1);

    // A record text of 20 bytes without terminator keeps its first 19.
    std::memcpy(record.value.text, "ABCDEFGHIJKLMNOPQRST", sizeof record.value.text);
    cfg.set_value_record(kText, record);
    EXPECT_EQ(value_string(cfg, kText), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(cfg.item_at(kText)->changed, 1);

    // Undefined item: the value stays, the changed flag is still set.
    cfg.set_value_record(kUndefined, record);
    expect_undefined_record(cfg.get_value_record_copy(kUndefined));
    EXPECT_EQ(cfg.item_at(kUndefined)->changed, 1);
}

TEST_F(sample_config, BoundsAndOptionsChangeNoValue)
{
    cfg.set_value_int(kOnOff, 1);
    cfg.item_at(kOnOff)->changed = 0;
    const double low = -3.5, high = 9.25;
    cfg.set_minimum(kOnOff, low);
    cfg.set_maximum(kOnOff, high);
    cfg.set_option_list(kOnOff, {"A", "B", "C"});
    const config_item& item = *cfg.item_at(kOnOff);
    EXPECT_EQ(item.minimum, low);
    EXPECT_EQ(item.maximum, high);
    EXPECT_EQ(item.options, (option_list{"A", "B", "C"}));
    EXPECT_EQ(item.value.integer, 1);
    EXPECT_EQ(item.changed, 0);
    EXPECT_EQ(display_string(cfg, kOnOff), "B");

    // The list is replaced, not extended, and may become empty.
    cfg.set_option_list(kOnOff, {"Z"});
    EXPECT_EQ(item.options, option_list{"Z"});
    cfg.set_option_list(kOnOff, {});
    EXPECT_TRUE(item.options.empty());
    EXPECT_EQ(display_string(cfg, kOnOff), "1");
}

// ---- Copy ---------------------------------------------------------------------------

TEST(InstrumentConfigCopy, BaseObjectWithTheSameItems)
{
    wqt_cfg_35xx source(1);
    source.set_value_int(23, 3);
    source.set_value_text(85, "2.5");
    std::shared_ptr<instrument_config> copy = instrument_config_copy(source);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(typeid(*copy) == typeid(instrument_config));
    EXPECT_EQ(dynamic_cast<wqt_cfg_35xx*>(copy.get()), nullptr);

    for (int id = 0; id < kItemsPerTable; ++id) {
        for (int table_id : {id, id + kTableBFirstId}) {
            const config_item& a = *source.item_at(table_id);
            const config_item& b = *copy->item_at(table_id);
            EXPECT_EQ(std::memcmp(&a.value, &b.value, sizeof a.value), 0) << table_id;
            EXPECT_EQ(a.kind, b.kind) << table_id;
            EXPECT_EQ(a.wire_id, b.wire_id) << table_id;
            EXPECT_EQ(a.minimum, b.minimum) << table_id;
            EXPECT_EQ(a.maximum, b.maximum) << table_id;
            EXPECT_EQ(a.changed, b.changed) << table_id;
            EXPECT_EQ(a.options, b.options) << table_id;
        }
    }
    EXPECT_EQ(copy->item_at(23)->changed, 1);
    EXPECT_EQ(display_string(*copy, 23), "1+2+3+4+5+6");

    // The two are independent.
    copy->set_value_int(23, 0);
    copy->set_option_list(23, {});
    EXPECT_EQ(value_int(source, 23), 3);
    EXPECT_EQ(source.item_at(23)->options.size(), 5u);
}

TEST(InstrumentConfigCopy, SlotStartUpConfigurations)
{
    // A slot's two start-up configurations: copies of a 15xx and of a
    // group-2 35xx object.
    std::shared_ptr<instrument_config> primary = instrument_config_copy(wqt_cfg_15xx());
    std::shared_ptr<instrument_config> second = instrument_config_copy(wqt_cfg_35xx(1));
    EXPECT_EQ(display_string_of(*primary, 1, 0), "RMS Voltmeter");
    EXPECT_EQ(primary->item_at(1)->options.size(), 7u);
    EXPECT_EQ(primary->item_at(23)->kind, ITEM_UNSET);
    EXPECT_EQ(display_string_of(*second, 23, 0), "1+2+3 : 4+5+6");
    EXPECT_EQ(display_string_of(*second, 23, 4), "1+2+3 : 1+2+3");
}

// ---- Items and option lists -----------------------------------------------------------

TEST(OptionText, IndexOutsideTheListGivesNothing)
{
    const option_list options{"Off", "25%"};
    EXPECT_EQ(option_text_at(options, 1), "25%");
    EXPECT_EQ(option_text_at(options, 2), "");
    EXPECT_EQ(option_text_at(options, UINT_MAX), "");
    EXPECT_EQ(option_text_at({}, 0), "");

    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    copy_option_text_at(options, 1, buffer, 4);
    EXPECT_EQ(std::memcmp(buffer, "25%\0####", 8), 0) << "copied with its terminator, nothing more";

    std::memset(buffer, '#', sizeof buffer);
    copy_option_text_at(options, 2, buffer, sizeof buffer);
    copy_option_text_at({}, 0, buffer, sizeof buffer);
    EXPECT_EQ(std::memcmp(buffer, "########", 8), 0);
}

TEST(OptionText, CopyIsCutToTheBuffer)
{
    const option_list options{"Fundamental > 1kHz"};
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    copy_option_text_at(options, 0, buffer, 5);
    EXPECT_EQ(std::memcmp(buffer, "Fund\0###", 8), 0);
    copy_option_text_at(options, 0, buffer, 0);
    EXPECT_EQ(buffer[0], 'F') << "a buffer of size 0 is not written";
    copy_option_text_at(options, 0, nullptr, 5);
}

// ---- Two-group wiring combinations --------------------------------------------------------

TEST(Wqt35xxCombination, WholeTable)
{
    // Every valid combination: wiring, phases, grouping, group (-1 = either).
    struct allowed {
        int wiring, phases, grouping, group;
    };
    const allowed table[] = {
        // wiring 3
        {3, 3, 0, -1}, {3, 3, 1, -1},
        {3, 4, 1, -1},
        {3, 5, 0, 0}, {3, 5, 1, 1},
        // wiring 4
        {4, 3, 2, -1},
        {4, 4, 2, 0}, {4, 4, 4, -1}, {4, 4, 0, 1},
        {4, 5, 1, 0}, {4, 5, 4, -1}, {4, 5, 0, 1},
        {4, 6, 0, -1}, {4, 6, 4, -1},
        // wiring 5 ("grouping 2 or more" at three phases)
        {5, 3, 2, -1}, {5, 3, 3, -1}, {5, 3, 4, -1}, {5, 3, 5, -1}, {5, 3, 6, -1}, {5, 3, 7, -1},
        {5, 4, 2, 0}, {5, 4, 4, -1}, {5, 4, 0, 1},
        {5, 5, 1, 0}, {5, 5, 4, -1}, {5, 5, 0, 1},
        {5, 6, 0, -1}, {5, 6, 4, -1},
    };
    auto listed = [&](int w, int p, int g, int grp) {
        for (const allowed& a : table)
            if (a.wiring == w && a.phases == p && a.grouping == g && (a.group == -1 || a.group == grp))
                return true;
        return false;
    };
    int valid_count = 0;
    for (int w = -1; w <= 7; ++w)
        for (int p = 0; p <= 8; ++p)
            for (int g = -1; g <= 7; ++g)
                for (int grp = 0; grp <= 1; ++grp) {
                    const bool expected = listed(w, p, g, grp);
                    const bool a = is_wqt35xx_combination_valid_a(w, p, g, grp);
                    const bool b = is_wqt35xx_combination_valid_b(w, p, g, grp);
                    SCOPED_TRACE(testing::Message() << w << "," << p << "," << g << "," << grp);
                    // Test a answers only for wirings 3 and 4, test b only for 5.
                    EXPECT_EQ(a, expected && w != 5);
                    EXPECT_EQ(b, expected && w == 5);
                    valid_count += expected;
                }
    EXPECT_EQ(valid_count, 46);
}

TEST(Wqt35xxCombination, NamedCases)
{
    for (int g = 0; g <= 6; ++g)
        for (int grp = 0; grp <= 1; ++grp) {
            EXPECT_FALSE(is_wqt35xx_combination_valid_a(3, 6, g, grp));
            EXPECT_FALSE(is_wqt35xx_combination_valid_a(0, 3, g, grp));
            EXPECT_FALSE(is_wqt35xx_combination_valid_b(0, 3, g, grp));
        }
    EXPECT_TRUE(is_wqt35xx_combination_valid_b(5, 3, 2, 0));
}

// ---- Phase number mapping ---------------------------------------------------------------

TEST(MapRangeSelector, PhasesOfTheSecondGroupMoveUp)
{
    const std::pair<int, int> cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 7}, {5, 8}, {6, 9},
                                         {7, 1}, {0, 1}, {-1, 1}, {9, 1}, {INT_MIN, 1}};
    for (const auto& [phase, number] : cases)
        EXPECT_EQ(map_range_selector_to_index(phase), number) << phase;
}
