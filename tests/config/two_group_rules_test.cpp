// The rules of the two-group model: which efficiency ratios it can log (the
// wiring, the phase count, the grouping and the active group that pair
// phases), and the rules held against each other over every combination.
#include "config/two_group_rules.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

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

namespace {

// Every combination of a two-group instrument: phase count 3 to 6, the
// groupings its phase count offers (0-2 for three phases, 0-4 otherwise),
// and the group.
struct combination {
    int phases;
    int grouping;
    int group;
};

std::ostream& operator<<(std::ostream& out, const combination& c)
{
    return out << c.phases << " phases, grouping " << c.grouping << ", group " << c.group;
}

std::vector<combination> all_combinations()
{
    std::vector<combination> all;
    for (int phases = 3; phases <= 6; ++phases)
        for (int grouping = 0; grouping <= (phases == 3 ? 2 : 4); ++grouping)
            for (int group = 0; group <= 1; ++group)
                all.push_back({phases, grouping, group});
    return all;
}

int width(const phase_span& span)
{
    return span.first < 0 ? 0 : span.last - span.first + 1;
}

phase_span span_of(const combination& c, int wiring)
{
    return two_group_span(static_cast<uint32_t>(c.phases), wiring, c.group, c.grouping);
}

// The three phases the group measures with its three-phase wiring (3), or
// none where the group has no three phases of its own: where that wiring's
// span does not hold the phase of its single-phase wiring (0).
phase_span own_three_phases(const combination& c)
{
    const phase_span three = span_of(c, 3);
    const phase_span single = span_of(c, 0);
    if (width(three) != 3 || single.first < three.first || single.last > three.last)
        return kNoPhases;
    return three;
}

} // namespace

// A grouping pairs the phases of a group exactly where the group has three
// phases of its own; the ratios of wirings 3 and 6 follow the same pairing.
TEST(TwoGroupRules, RatiosArePairedWhereTheGroupHasThreePhases)
{
    for (const combination& c : all_combinations()) {
        const bool three = width(own_three_phases(c)) == 3;
        EXPECT_EQ(is_param_available_model3(3, c.phases, c.grouping, c.group), three) << c;
        EXPECT_EQ(is_param_available_model6(6, c.phases, c.grouping, c.group), three) << c;
    }
}

// Both groups measure the same three phases exactly in the groupings of
// check_phase_grouping_b.
TEST(TwoGroupRules, GroupingBIsWhereBothGroupsMeasureTheSameThreePhases)
{
    for (const combination& c : all_combinations()) {
        const combination other{c.phases, c.grouping, 1 - c.group};
        const phase_span mine = own_three_phases(c);
        const phase_span theirs = own_three_phases(other);
        const bool same_three =
            width(mine) == 3 && mine.first == theirs.first && mine.last == theirs.last;
        EXPECT_EQ(phase_grouping_b(c.phases, c.grouping), same_three) << c;
    }
}

// On three phases split between the groups, the instrument numbers the
// wirings one higher in the group whose two-phase wiring spans two phases.
TEST(TwoGroupRules, WiringsAreShiftedInTheGroupThatHasTwoPhases)
{
    for (const combination& c : all_combinations()) {
        if (c.phases != 3 || c.grouping > 1)
            continue;
        EXPECT_EQ(wiring_shifted(static_cast<uint8_t>(c.group), c.grouping),
                  width(span_of(c, 1)) == 2)
            << c;
    }
}

// Where the phases and grouping allow a wiring at all (wiring 1 fits), the
// wirings 3, 4 and 5 fit exactly where the combination tests a and b do
// not single them out.
TEST(TwoGroupRules, WiringFitsAgreeWithTheCombinationTests)
{
    int checked = 0;
    for (const combination& c : all_combinations()) {
        if (!two_group_wiring_fits(c.phases, 1, c.grouping, c.group, c.grouping))
            continue;
        for (int wiring : {3, 4, 5}) {
            const bool singled_out =
                is_wqt35xx_combination_valid_a(wiring, c.phases, c.grouping, c.group) ||
                is_wqt35xx_combination_valid_b(wiring, c.phases, c.grouping, c.group);
            EXPECT_EQ(two_group_wiring_fits(c.phases, wiring, c.grouping, c.group, c.grouping),
                      !singled_out)
                << c << ", wiring " << wiring;
            ++checked;
        }
    }
    EXPECT_GT(checked, 30); // the early rules leave most combinations to compare
}
