// The model profile table: each row's configuration objects belong to the
// family whose item names it gives. (Identification by every row's digits is
// tested end to end with the connection sequence.)
#include "config/model_profiles.h"

#include "config/instrument_config.h"

#include <gtest/gtest.h>

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
            auto* group1 = dynamic_cast<wqt_cfg_35xx*>(primary.get());
            auto* group2 = dynamic_cast<wqt_cfg_35xx*>(profile->make_group2().get());
            ASSERT_TRUE(group1 && group2);
            EXPECT_EQ(0, group1->group2_flag());
            EXPECT_EQ(1, group2->group2_flag());
        }
    }
    EXPECT_EQ(7, models);
}

} // namespace
