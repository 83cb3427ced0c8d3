// Identity fields taken from a link's identification reply.
#include "link/identification.h"
#include "link/link_record.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

link_record identified(uint32_t model_code, const char* idn, uint32_t option_code = 0)
{
    link_record link = make_lan_link("10.1.2.3");
    link.model_code = model_code;
    link.option_code = option_code;
    snprintf(link.idn_reply, sizeof link.idn_reply, "%s", idn);
    return link;
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
    const link_record link = identified(5, "TROSVALDEN,WQT5530,A00123,V2.15,b7");
    EXPECT_EQ("WQT5530", field(link, IDN_FIELD_MODEL));
    EXPECT_EQ("A00123", field(link, IDN_FIELD_SERIAL));
    // The version is everything after the third comma.
    EXPECT_EQ("V2.15,b7", field(link, IDN_FIELD_VERSION));
    EXPECT_EQ("10.1.2.3", field(link, IDN_FIELD_ADDRESS));
    EXPECT_EQ("", field(link, 8));
    EXPECT_EQ("", field(link, -1));

    link_record com = make_serial_link("COM12");
    snprintf(com.idn_reply, sizeof com.idn_reply, "%s", "TROSVALDEN");
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
        const link_record link = identified(1, "TROSVALDEN,WQT1530,A1,V1", c.option);
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
    link_record none = identified(5, "");
    char out[128] = "abcdef";
    try {
        get_idn_field(out, IDN_FIELD_MODEL, &none);
        ADD_FAILURE() << "no exception";
    } catch (const NoConStrException& e) {
        EXPECT_STREQ("No Connection String\n", e.what());
    }
    // The first four bytes are cleared before the reply is looked at.
    EXPECT_STREQ("", out);
    EXPECT_STREQ("ef", out + 4);

    const link_record link = identified(5, "TROSVALDEN,WQT5530,A1,V1");
    EXPECT_THROW(get_idn_field(nullptr, IDN_FIELD_MODEL, &link), std::exception);
}

} // namespace
