// Identity fields taken from a link's identification reply.
#include "config/identification.h"
#include "link/link_record.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

std::unique_ptr<link_record> identified(uint32_t model_code, const char* idn,
                                        uint32_t option_code = 0)
{
    auto link = make_lan_link("10.1.2.3");
    link->model_code = model_code;
    link->option_code = option_code;
    snprintf(link->idn_reply, sizeof link->idn_reply, "%s", idn);
    return link;
}

std::string field(const link_record& link, int kind);

std::string field(const std::unique_ptr<link_record>& link, int kind)
{
    return field(*link, kind);
}

std::string field(const link_record& link, int kind)
{
    char out[128];
    std::memset(out, 'x', sizeof out);
    get_idn_field(out, kind, &link);
    return out;
}

TEST(IdnField, ReplyFields)
{
    const auto link = identified(5, "TROSVALDEN,WQT5530,A00123,V2.15,b7");
    EXPECT_EQ("WQT5530", field(link, IDN_FIELD_MODEL));
    EXPECT_EQ("A00123", field(link, IDN_FIELD_SERIAL));
    // The version is everything after the third comma.
    EXPECT_EQ("V2.15,b7", field(link, IDN_FIELD_VERSION));
    EXPECT_EQ("10.1.2.3", field(link, IDN_FIELD_ADDRESS));
    EXPECT_EQ("", field(link, 8));
    EXPECT_EQ("", field(link, -1));

    const auto com = make_serial_link("COM12");
    snprintf(com->idn_reply, sizeof com->idn_reply, "%s", "TROSVALDEN");
    EXPECT_EQ("COM12", field(com, IDN_FIELD_ADDRESS));
    // Too few fields give empty texts.
    EXPECT_EQ("", field(com, IDN_FIELD_MODEL));
    EXPECT_EQ("", field(com, IDN_FIELD_VERSION));
}

TEST(IdnField, InputOptionTexts)
{
    struct {
        uint32_t option;
        const char* name;
        const char* brief;
    } cases[] = {
        {0, "Standard", "STD"},
        {2, "Low Current", "LC"},
        {4, "High Current", "HC"},
        {6, "Low Current", "LC"}, // the low-current bit wins
    };
    for (const auto& c : cases) {
        const auto link = identified(1, "TROSVALDEN,WQT1530,A1,V1", c.option);
        EXPECT_EQ(c.name, field(link, IDN_FIELD_INPUTS)) << c.option;
        EXPECT_EQ(c.brief, field(link, IDN_FIELD_INPUTS_SHORT)) << c.option;
    }
}

TEST(IdnField, PhaseDigitAndLastCharacter)
{
    EXPECT_EQ("3", field(identified(5, "TROSVALDEN,WQT5530,A1,V1"), IDN_FIELD_PHASES));
    EXPECT_EQ("3", field(identified(5, "TROSVALDEN,WQT5530-F2,A1,V1"), IDN_FIELD_PHASES));
    EXPECT_EQ("6", field(identified(16, "TROSVALDEN,WQT3560 Tolmavi,A1,V1"), IDN_FIELD_PHASES));
    // "-F2" anywhere in the reply takes three characters off the model name.
    EXPECT_EQ("T", field(identified(4, "TROSVALDEN,WQT4530,A1-F2,V1"), IDN_FIELD_PHASES));
    EXPECT_EQ("", field(identified(7, "TROSVALDEN,WQT5530,A1,V1"), IDN_FIELD_PHASES));
    EXPECT_EQ("", field(identified(5, "TROSVALDEN,W,A1,V1"), IDN_FIELD_PHASES));

    EXPECT_EQ("2", field(identified(5, "TROSVALDEN,WQT5532,A1,V1"), IDN_FIELD_MODEL_LAST));
    EXPECT_EQ("2", field(identified(5, "TROSVALDEN,WQT5532-F2,A1,V1"), IDN_FIELD_MODEL_LAST));
    EXPECT_EQ("0", field(identified(5, "TROSVALDEN,WQT5530-F2,A1,V1"), IDN_FIELD_MODEL_LAST));
    // Only model code 5 looks past the suffix.
    EXPECT_EQ("2", field(identified(4, "TROSVALDEN,WQT4530-F2,A1,V1"), IDN_FIELD_MODEL_LAST));
    EXPECT_EQ("", field(identified(16, "TROSVALDEN,WQT3530,A1,V1"), IDN_FIELD_MODEL_LAST));
}

TEST(IdnField, Failures)
{
    const auto none = identified(5, "");
    char out[128] = "abcdef";
    try {
        get_idn_field(out, IDN_FIELD_MODEL, none.get());
        ADD_FAILURE() << "no exception";
    } catch (const NoConStrException& e) {
        EXPECT_STREQ("No Connection String\n", e.what());
    }
    // The first four bytes are cleared before the reply is looked at.
    EXPECT_STREQ("", out);
    EXPECT_STREQ("ef", out + 4);

    const auto link = identified(5, "TROSVALDEN,WQT5530,A1,V1");
    EXPECT_THROW(get_idn_field(nullptr, IDN_FIELD_MODEL, link.get()), std::exception);
}

TEST(OptionBits, SelectorsPickTheirBit)
{
    // Each selector against a word with only its bit set, and with every bit
    // but its own set; bit 7 comes back beside the value every time.
    const struct {
        int selector;
        int bit;
    } picks[] = {{0, 0}, {1, 7}, {2, 7}, {3, 5}, {4, 4}, {5, 3}};
    for (const auto& p : picks) {
        const uint32_t only = 1u << p.bit;
        EXPECT_EQ(1, decode_option_bits(only, p.selector).value) << p.selector;
        EXPECT_EQ(0, decode_option_bits(~only, p.selector).value) << p.selector;
        EXPECT_EQ(p.bit == 7 ? 1 : 0, decode_option_bits(only, p.selector).bit7) << p.selector;
        EXPECT_EQ(p.bit == 7 ? 0 : 1, decode_option_bits(~only, p.selector).bit7) << p.selector;
    }
}

TEST(OptionBits, CurrentInputCodeAndUnknownSelectors)
{
    // Selector 6: bits 1 and 2 give the option code 0, 2, 4 or 6; no other
    // bit counts.
    EXPECT_EQ(0, decode_option_bits(0, 6).value);
    EXPECT_EQ(2, decode_option_bits(2, 6).value);
    EXPECT_EQ(4, decode_option_bits(4, 6).value);
    EXPECT_EQ(6, decode_option_bits(6, 6).value);
    EXPECT_EQ(4, decode_option_bits(12, 6).value);
    EXPECT_EQ(0, decode_option_bits(0xFFFFFFF9u, 6).value);
    EXPECT_EQ(6, decode_option_bits(0xFFu, 6).value);
    EXPECT_EQ(1, decode_option_bits(0xFFu, 6).bit7);

    EXPECT_EQ(-1, decode_option_bits(0xFFu, 7).value);
    EXPECT_EQ(-1, decode_option_bits(0xFFu, 100).value);
    EXPECT_EQ(-1, decode_option_bits(0xFFu, -1).value);
    EXPECT_EQ(1, decode_option_bits(0x80u, 7).bit7);
}

// One row of the phase table: the spans for wirings 0..7 as "first-last"
// pairs ("--" for none), for a model code, phase count, grouping and group.
struct phase_row {
    uint32_t model;
    uint32_t phases;
    int grouping;
    int group;
    const char* spans;
};

// All rows of the phase table. B is the span of a wiring on one group of
// three: 1-1 1-2 1-2 1-3 2-2 3-3 1-3 --.
#define B "11 12 12 13 22 33 13 --"
const phase_row kPhaseRows[] = {
    // Single-group models, 3 phases: B, wiring 7 two phases on models 1 and
    // 6, three on the others.
    {1, 3, 0, 0, "11 12 12 13 22 33 13 12"},
    {6, 3, 0, 0, "11 12 12 13 22 33 13 12"},
    {2, 3, 0, 0, "11 12 12 13 22 33 13 13"},
    {5, 3, 0, 0, "11 12 12 13 22 33 13 13"},
    {0, 3, 0, 0, "11 12 12 13 22 33 13 13"},
    // 2 phases: wirings 4..6 measure nothing.
    {4, 2, 0, 0, "11 12 12 22 -- -- -- 12"},
    {1, 2, 3, 1, "11 12 12 22 -- -- -- 12"},
    // Any other phase count: phase 1 whatever the wiring.
    {5, 1, 0, 0, "11 11 11 11 11 11 11 11"},
    {4, 6, 0, 0, "11 11 11 11 11 11 11 11"},
    {2, 0, 0, 0, "11 11 11 11 11 11 11 11"},

    // The two-group model.
    {16, 3, 0, 0, "11 11 11 11 11 11 11 11"},
    {16, 3, 0, 1, "22 23 23 33 -- -- -- --"},
    {16, 3, 1, 0, "11 12 12 23 -- -- -- --"},
    {16, 3, 1, 1, "33 33 33 33 33 33 33 33"},
    {16, 3, 2, 0, B},
    {16, 3, 2, 1, B},
    {16, 3, 3, 0, "-- -- -- -- -- -- -- --"},
    {16, 3, 4, 1, "-- -- -- -- -- -- -- --"},

    {16, 4, 0, 0, "11 11 11 11 11 11 11 11"},
    {16, 4, 0, 1, "22 23 23 24 33 44 24 --"},
    {16, 4, 1, 0, "11 12 12 22 -- -- -- --"},
    {16, 4, 1, 1, "33 34 34 44 -- -- -- --"},
    {16, 4, 2, 0, B},
    {16, 4, 2, 1, "44 -- 44 13 22 33 13 --"},
    {16, 4, 3, 0, "14 14 14 14 14 14 14 14"},
    {16, 4, 3, 1, "14 14 14 14 14 14 14 14"},
    {16, 4, 4, 1, B},
    {16, 4, 9, 0, B},

    {16, 5, 0, 0, "11 12 12 22 44 55 -- --"},
    {16, 5, 0, 1, "33 34 34 35 44 55 -- --"},
    {16, 5, 0, 2, "-- -- -- -- 44 55 -- --"},
    {16, 5, 1, 0, "11 12 12 13 22 33 13 --"},
    {16, 5, 1, 1, "44 45 45 55 22 33 -- --"},
    {16, 5, 1, 2, "-- -- -- -- 22 33 -- --"},
    {16, 5, 2, 1, "14 14 14 14 14 14 14 14"},
    {16, 5, 3, 0, "15 15 15 15 15 15 15 15"},
    {16, 5, 4, 0, B},
    {16, 5, 4, 1, B},
    {16, 5, 5, 0, "-- -- -- -- -- -- -- --"},

    {16, 6, 0, 0, B},
    {16, 6, 0, 1, "44 45 45 46 55 66 46 --"},
    {16, 6, 1, 0, "14 14 14 14 14 14 14 14"},
    {16, 6, 2, 1, "15 15 15 15 15 15 15 15"},
    {16, 6, 3, 0, "16 16 16 16 16 16 16 16"},
    {16, 6, 4, 1, B},
    {16, 6, 7, 0, B},
    // Phase counts outside 3..5 take the six-phase rows.
    {16, 2, 0, 1, "44 45 45 46 55 66 46 --"},
    {16, 1, 3, 0, "16 16 16 16 16 16 16 16"},
};
#undef B

void expect_span(const char* text, int first, int last, const std::string& where)
{
    if (text[0] == '-') {
        EXPECT_EQ(-1, first) << where;
        EXPECT_EQ(-1, last) << where;
    } else {
        EXPECT_EQ(text[0] - '0', first) << where;
        EXPECT_EQ(text[1] - '0', last) << where;
    }
}

TEST(PhaseRange, EveryRowOfTheTable)
{
    for (const auto& row : kPhaseRows) {
        const auto link = make_lan_link("10.1.2.3");
        link->model_code = row.model;
        link->phase_count = row.phases;
        const std::string spans = row.spans;
        ASSERT_EQ(23u, spans.size());
        for (int w = 0; w <= 7; ++w) {
            // The outputs start with values no row gives, so a row that left
            // them alone shows.
            int first = 99;
            int last = 99;
            get_phase_range(*link, w, row.group, row.grouping, &first, &last);
            char where[96];
            snprintf(where, sizeof where, "model %u P %u q %d g %d w %d", row.model, row.phases,
                     row.grouping, row.group, w);
            expect_span(spans.c_str() + 3 * w, first, last, where);
        }
    }
}

TEST(PhaseRange, WiringsOutsideTheTableMeasureNothing)
{
    const uint32_t phases[] = {3, 4, 5, 6};
    for (uint32_t p : phases) {
        for (int q = 0; q <= 4; ++q) {
            const auto link = make_lan_link("10.1.2.3");
            link->model_code = 16;
            link->phase_count = p;
            int first = 99;
            int last = 99;
            get_phase_range(*link, -1, 1, q, &first, &last);
            // Only the rows that give every wiring one span answer anything.
            const bool whole = (p == 4 && q == 3) || (p == 5 && (q == 2 || q == 3)) ||
                               (p == 6 && q >= 1 && q <= 3) || (p == 3 && q == 1);
            if (!whole) {
                EXPECT_EQ(-1, first) << p << " " << q;
                EXPECT_EQ(-1, last) << p << " " << q;
            } else {
                EXPECT_NE(-1, first) << p << " " << q;
            }
        }
    }
    const auto three = make_lan_link("10.1.2.3");
    three->model_code = 5;
    three->phase_count = 3;
    int first = 99;
    int last = 99;
    get_phase_range(*three, 8, 0, 0, &first, &last);
    EXPECT_EQ(-1, first);
    EXPECT_EQ(-1, last);
}

} // namespace
