// Which efficiency ratios the two-group instrument can log: the wiring, the
// phase count, the grouping and the active group that pair phases.
#include "logging/param_availability.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The (phase count, grouping, group) combinations that pair phases, listed
// from the rules: 3 phases with grouping 2 or more; 4 phases with grouping 0
// in group 2, 2 in group 1, 4 in either; 5 phases with 0 in group 2, 1 in
// group 1, 4 in either; 6 phases with 0 or 4 in either.
const std::set<std::string> kPairing = {
    "3:2:0", "3:2:1", "3:3:0", "3:3:1", "3:4:0", "3:4:1",
    "4:0:1", "4:2:0", "4:4:0", "4:4:1",
    "5:0:1", "5:1:0", "5:4:0", "5:4:1",
    "6:0:0", "6:0:1", "6:4:0", "6:4:1",
};

std::string key(int phases, int grouping, int group)
{
    return std::to_string(phases) + ":" + std::to_string(grouping) + ":" + std::to_string(group);
}

using predicate = bool (*)(int, int, int, int);

void expect_rules(predicate available, int own_wiring)
{
    for (int wiring : {0, 1, 3, 6, 7}) {
        for (int phases = 2; phases <= 7; ++phases) {
            for (int grouping = 0; grouping <= 4; ++grouping) {
                for (int group = 0; group <= 1; ++group) {
                    const bool expected = wiring == own_wiring && kPairing.count(key(phases, grouping, group)) > 0;
                    EXPECT_EQ(available(wiring, phases, grouping, group), expected)
                        << "wiring " << wiring << ", " << key(phases, grouping, group);
                }
            }
        }
    }
}

} // namespace

TEST(ParamAvailability, Model3FollowsTheGroupingRulesForWiring3Only)
{
    expect_rules(is_param_available_model3, 3);
}

TEST(ParamAvailability, Model6FollowsTheGroupingRulesForWiring6Only)
{
    expect_rules(is_param_available_model6, 6);
}

TEST(ParamAvailability, ThreePhasesPairForEveryGroupingFromTwoUp)
{
    EXPECT_TRUE(is_param_available_model3(3, 3, 9, 0));
    EXPECT_FALSE(is_param_available_model3(3, 3, -1, 1));
    EXPECT_TRUE(is_param_available_model6(6, 3, 5, 1));
    // Other phase counts know only their listed groupings.
    EXPECT_FALSE(is_param_available_model6(6, 4, 5, 0));
}
