// The model profile table: each row's configuration objects belong to the
// family whose item names it gives, and the link's identification of a model
// text gives the code of the row whose digits it carries. (Identification
// by every row's digits is also tested end to end with the connection
// sequence.)
#include "config/model_profiles.h"

#include "config/instrument_config.h"
#include "link/model_identification.h"

#include <gtest/gtest.h>

#include <string>

namespace {

size_t defined_items(instrument_config& cfg)
{
    size_t n = 0;
    for (int id = 0; id < kItemsPerTable; ++id)
        n += cfg.item_at(id)->kind != ITEM_UNSET;
    return n;
}

TEST(ModelProfiles, ObjectsMatchTheFamilyOfTheirNames)
{
    int models = 0;
    for (uint32_t code : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 9u, 13u, 15u, 16u, 9998u, 9999u}) {
        const model_profile* profile = find_model_profile(code);
        if (profile == nullptr) {
            EXPECT_EQ(nullptr, item_names_for_model(code)) << code;
            EXPECT_FALSE(is_two_group_model(code)) << code;
            continue;
        }
        ++models;
        EXPECT_EQ(code, profile->model_code);
        EXPECT_EQ(config_item_names(profile->family), item_names_for_model(code)) << code;
        auto primary = profile->make_primary();
        ASSERT_TRUE(primary) << code;
        EXPECT_EQ(family_item_definitions(profile->family).count, defined_items(*primary)) << code;
        EXPECT_EQ(code == kTwoGroupModel, is_two_group_model(code)) << code;
        if (profile->two_group()) {
            auto second = profile->make_group2();
            auto* group1 = dynamic_cast<wqt_cfg_35xx*>(primary.get());
            auto* group2 = dynamic_cast<wqt_cfg_35xx*>(second.get());
            ASSERT_TRUE(group1 && group2);
            EXPECT_EQ(0, group1->group2_flag());
            EXPECT_EQ(1, group2->group2_flag());
        }
    }
    EXPECT_EQ(7, models);
}

// The link's table of model texts and the profiles give one answer: the
// model text "WQT" with a row's digits, alone or with a further digit (a
// single digit takes any second one), is identified as the row's code.
TEST(ModelProfiles, IdentificationOfEachRowsDigitsGivesItsCode)
{
    size_t rows = 0;
    for (const model_profile& profile : model_profile_rows()) {
        ++rows;
        for (const std::string& tail : {std::string(), std::string("0")}) {
            const std::string text = "WQT" + std::string(profile.idn_digits) + tail;
            EXPECT_EQ(identify_model_code(text.c_str(), nullptr, nullptr), profile.model_code) << text;
            EXPECT_EQ(identify_model(profile.idn_digits), &profile) << text;
        }
    }
    EXPECT_EQ(rows, 7u);
}

// Codes without a row still have a word: empty for 17..19, else "Unknown".
TEST(ModelProfiles, WordsOfCodesWithoutARow)
{
    const struct {
        int code;
        const char* word;
    } cases[] = {{-1, "Unknown"}, {0, "Unknown"}, {7, "Unknown"}, {16, ""},   {17, ""},
                 {19, ""},        {20, "Unknown"}, {9999, "Unknown"}, {6, "WQT5"}};
    for (const auto& c : cases)
        EXPECT_STREQ(c.word, model_word(c.code)) << c.code;
}

// One family: the two 15xx codes, the two 25xx codes, and any code with itself.
TEST(ModelProfiles, CodesOfOneConfigurationFamily)
{
    const struct {
        uint32_t a, b;
        bool same;
    } cases[] = {{1, 6, true},  {6, 1, true},  {2, 3, true},  {4, 5, false}, {1, 2, false},
                 {16, 16, true}, {16, 5, false}, {7, 7, true}, {7, 9, false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.same, same_config_family(c.a, c.b)) << c.a << " " << c.b;
}

} // namespace
