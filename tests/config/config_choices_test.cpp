// Choice lists and entry checks: range and ratio lists, the wiring rules,
// typed numbers against an item's bounds, the number text stored, the
// ranging page's phase step and the Configuration window heading.
#include "config/config_choices.h"
#include "config/two_group_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<std::string> texts(const option_list& list)
{
    return std::vector<std::string>(list.begin(), list.end());
}

config_item_value list_record(int value, double minimum, double maximum)
{
    config_item_value r{};
    r.is_list = 1;
    r.value.integer = value;
    r.minimum = minimum;
    r.maximum = maximum;
    return r;
}

config_item_value text_record(const char* text, double minimum, double maximum)
{
    config_item_value r{};
    std::strcpy(r.value.text, text);
    r.minimum = minimum;
    r.maximum = maximum;
    return r;
}

} // namespace

TEST(RangeChoices, ListsByInputFlagsAndCurrentOption)
{
    const struct {
        option_list list;
        const char* first;
        const char* last;
        size_t size;
    } cases[] = {
        {voltage_range_choices(false), "100mV", "3kV", 10},
        {voltage_range_choices(true), "[1mV]", "[3V]", 8},
        {current_range_choices(false, 0), "10mA", "300A", 10},
        {current_range_choices(false, 1), "10mA", "300A", 10},
        {current_range_choices(false, 2), "1mA", "30A", 10},
        {current_range_choices(false, 6), "1mA", "30A", 10},
        {current_range_choices(false, 4), "30mA", "1kA", 10},
        {current_range_choices(true, 2), "[1mV]", "[3V]", 8},
        {current_range_choices(true, 4), "[1mV]", "[3V]", 8},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.list.size(), c.size) << c.first;
        EXPECT_STREQ(c.list.front(), c.first);
        EXPECT_STREQ(c.list.back(), c.last);
    }
    EXPECT_STREQ(current_range_choices(false, 0)[4], "1A") << "rungs of three and ten";

    const int pairs[][3] = {{1, 178, 179}, {2, 202, 203}, {0, 26, 27}, {3, 26, 27}};
    for (const auto& p : pairs) {
        EXPECT_EQ(range_items_for_selector(p[0]).voltage, p[1]);
        EXPECT_EQ(range_items_for_selector(p[0]).current, p[2]);
    }
}

TEST(RatioChoices, TheFiveRules)
{
    const std::vector<std::string> groups = {"Disabled", "Group 2 / Group 1", "Group 1 / Group 2"};
    const std::vector<std::string> next_phase = {
        "Disabled",          "Next Phase / Phase", "Phase / Next Phase", "Group 2 / Group 1",
        "Group 1 / Group 2", "Mechanical / Sum",   "Sum / Mechanical"};
    const auto pairs = [](int a, int b) {
        return std::vector<std::string>{"Disabled",
                                        "Phase " + std::to_string(a) + " / Phase " + std::to_string(b),
                                        "Phase " + std::to_string(b) + " / Phase " + std::to_string(a),
                                        "Group 2 / Group 1",
                                        "Group 1 / Group 2",
                                        "Mechanical / Sum",
                                        "Sum / Mechanical"};
    };
    const auto with_sum = [&](int a, int b, int c) {
        std::vector<std::string> list = pairs(a, b);
        list.push_back("Phase " + std::to_string(c) + " / Sum");
        list.push_back("Sum / Phase " + std::to_string(c));
        return list;
    };
    const std::vector<std::string> disabled = {"Disabled"};
    const struct {
        const char* what;
        ratio_inputs in;
        ratio_rule rule;
        std::vector<std::string> list;
    } cases[] = {
        {"wiring 0", {0, 3, 0, 0, 1, true, true}, ratio_rule::groups, groups},
        {"valid combination a", {3, 3, 0, 1, 1, true, true}, ratio_rule::groups, groups},
        {"valid combination b", {5, 3, 2, 1, 1, true, true}, ratio_rule::groups, groups},
        {"model 3", {6, 3, 0, 0, 1, true, true}, ratio_rule::next_phase, next_phase},
        {"wiring rule, second group", {1, 6, 0, 1, 4, false, true}, ratio_rule::phase_pairs,
         pairs(4, 5)},
        {"wiring rule, first group", {2, 5, 1, 0, 3, false, false}, ratio_rule::phase_pairs,
         pairs(3, 4)},
        {"model 6, second group", {6, 6, 0, 1, 4, false, true}, ratio_rule::phase_and_sum,
         with_sum(4, 5, 6)},
        {"model 6, first group", {6, 6, 0, 0, 2, false, true}, ratio_rule::phase_and_sum,
         with_sum(2, 3, 4)},
        {"nothing holds", {6, 3, 0, 0, 1, false, false}, ratio_rule::disabled_only, disabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(choose_ratio_rule(c.in), c.rule);
        EXPECT_EQ(texts(ratio_choices(c.in)), c.list);
    }
    // The numbered texts stay valid: two calls give the same pointers.
    const ratio_inputs in{1, 3, 0, 0, 1, false, false};
    EXPECT_EQ(ratio_choices(in)[1], ratio_choices(in)[1]);
}

TEST(WiringRules, TableOfBothRules)
{
    const struct {
        int wiring, phases, grouping, group;
        bool result;
    } rows[] = {
        {1, 4, 0, 1, true},  {1, 4, 0, 0, false}, {1, 4, 3, 1, false}, {1, 6, 4, 0, true},
        {1, 3, 0, 0, true},  {1, 5, 7, 1, true},  {1, 3, -1, 0, false}, {1, 4, 1, 0, true},
        {1, 4, 4, 1, true},  {1, 4, 2, 0, true},  {1, 4, 2, 1, false}, {1, 4, 5, 0, false},
        {1, 4, -2, 1, false}, {1, 6, 0, 1, true}, {1, 6, 2, 0, false}, {1, 1, 0, 1, false},
        {1, 2, 0, 1, false}, {1, 7, 0, 1, false}, {0, 3, 0, 1, false}, {3, 3, 0, 1, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::to_string(r.phases) + "/" + std::to_string(r.grouping) + "/" +
                     std::to_string(r.group));
        EXPECT_EQ(check_wiring_rule_group1(r.wiring, r.phases, r.grouping, r.group), r.result);
        // Rule 2 has the same table for wiring 2 and answers false for wiring 1.
        const int other = r.wiring == 1 ? 2 : r.wiring;
        EXPECT_EQ(check_wiring_rule_group2(other, r.phases, r.grouping, r.group), r.result);
        EXPECT_FALSE(check_wiring_rule_group2(1, r.phases, r.grouping, r.group));
    }
    EXPECT_FALSE(check_wiring_rule_group1(2, 4, 0, 1));
    EXPECT_TRUE(check_wiring_rule_group2(2, 5, 2, 1));
}

TEST(WiringRules, RejectedCombinationsAndPhaseLimits)
{
    const struct {
        int phases, wiring, grouping, group;
        bool rejected;
    } rows[] = {
        {4, 0, 3, 0, true},  {6, 0, 1, 0, true}, {6, 0, 3, 1, true}, {6, 5, 4, 0, false},
        {3, 0, 1, 0, false}, {3, 3, 1, 1, false}, {3, 3, 2, 0, true}, {3, 5, 2, 0, false},
        {4, 4, 2, 0, false}, {4, 4, 2, 1, true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(wiring_combination_rejected(r.phases, r.wiring, r.grouping, r.group), r.rejected)
            << r.phases << "/" << r.wiring << "/" << r.grouping << "/" << r.group;

    const struct {
        int phases, limit;
    } limits[] = {{2, 16}, {3, 12}, {4, 8}, {5, 4}, {1, 20}, {6, 20}, {0, 20}};
    for (const auto& l : limits) {
        EXPECT_FALSE(exceeds_limit_for_phase_count(l.limit, l.phases)) << l.phases;
        EXPECT_TRUE(exceeds_limit_for_phase_count(l.limit + 1, l.phases)) << l.phases;
    }
}

TEST(TypedNumbers, ScientificText)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.05, 4, "5.0000E-2"},  {20, 4, "2.0000E1"},     {2.5, 4, "2.5000E0"},
        {0, 4, "0.0000"},        {-0.0, 4, "0.0000"},     {-1234.5, 4, "-1.2345E3"},
        {1, 3, "1.000E0"},       {9.99999, 4, "1.0000E1"}, {0.001, 4, "1.0000E-3"},
        {1000, 4, "1.0000E3"},   {1e-310, 2, "1.00E-310"}, {1.7e308, 1, "1.7E308"},
        {123456, 0, "1E5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(format_scientific_text(c.value, c.decimals), c.text) << c.value;
}

TEST(TypedNumbers, EntryChecksAndTheirMessages)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const char* const invalid =
        "You have entered an invalid number for Interval, the value has been reverted";
    const struct {
        const char* what;
        double value;
        bool ok;
        config_item_value record;
        entry_verdict verdict;
        const char* text;
        const char* revert;
    } cases[] = {
        {"text item in range", 0.05, true, text_record("1.0000E0", 0, 10), entry_verdict::store,
         "5.0000E-2", ""},
        {"list item takes the whole part", 2.5, true, list_record(1, 0, 5), entry_verdict::store,
         "2", ""},
        {"negative whole part", -2.9, true, list_record(1, -5, 5), entry_verdict::store, "-2",
         ""},
        {"no bounds at all", 1e12, true, text_record("", kNoBound, kNoBound),
         entry_verdict::store, "1.0000E12", ""},
        {"not a number", 0, false, list_record(1, 0, 5), entry_verdict::invalid_number, invalid,
         ""},
        {"infinite", inf, true, text_record("1", kNoBound, kNoBound),
         entry_verdict::invalid_number, invalid, ""},
        {"not a number but ok", nan, true, text_record("1", 0, 1), entry_verdict::invalid_number,
         invalid, ""},
        {"beyond an int for a list item", 3e9, true, list_record(1, kNoBound, kNoBound),
         entry_verdict::invalid_number, invalid, ""},
        {"beyond an int is fine for text", 3e9, true, text_record("1", kNoBound, kNoBound),
         entry_verdict::store, "3.0000E9", ""},
        {"above both bounds", 12, true, list_record(4, 0, 10), entry_verdict::out_of_range,
         "Interval must be set between 0.000000 and 10.000000, the value has been reverted", "4"},
        {"below both bounds", -1, true, text_record("2.5000E0", 0.01, 500),
         entry_verdict::out_of_range,
         "Interval must be set between 0.010000 and 500.000000, the value has been reverted",
         "2.5000E0"},
        {"below a lone minimum", -1, true, list_record(3, 0, kNoBound),
         entry_verdict::out_of_range,
         "Interval must be set to 0.000000 or above, the value has been reverted", "3"},
        {"above a lone maximum", 7, true, text_record("", kNoBound, 5),
         entry_verdict::out_of_range,
         "Interval must be set to 5.000000 or below, the value has been reverted", ""},
        {"a limit \"%f\" would show as 0", 0, true, text_record("1.0000E0", 1e-09, 1e+09),
         entry_verdict::out_of_range,
         "Interval must be set between 1e-09 and 1000000000.000000, the value has been reverted",
         "1.0000E0"},
        {"exactly at the minimum", 0, true, list_record(4, 0, 10), entry_verdict::store, "0", ""},
        {"exactly at the maximum", 10, true, list_record(4, 0, 10), entry_verdict::store, "10", ""},
        {"one step below the minimum", 0.009, true, text_record("1.0000E0", 0.01, 500),
         entry_verdict::out_of_range,
         "Interval must be set between 0.010000 and 500.000000, the value has been reverted",
         "1.0000E0"},
        {"one step above the maximum", 11, true, list_record(4, 0, 10), entry_verdict::out_of_range,
         "Interval must be set between 0.000000 and 10.000000, the value has been reverted", "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const entry_check check = check_config_entry(c.value, c.ok, c.record, "Interval");
        EXPECT_EQ(check.verdict, c.verdict);
        EXPECT_EQ(check.text, c.text);
        EXPECT_EQ(check.revert, c.revert);
    }
}

TEST(RangingPhase, StepsWrapsAndSkipsPairs)
{
    EXPECT_TRUE(ranging_pair_skip(3, 6, 0));
    EXPECT_TRUE(ranging_pair_skip(6, 6, 0));
    EXPECT_FALSE(ranging_pair_skip(2, 6, 0));
    EXPECT_FALSE(ranging_pair_skip(3, 5, 0));
    EXPECT_FALSE(ranging_pair_skip(3, 6, 1));

    const auto walk = [](int phase, int first, int last, bool skip, int steps) {
        std::vector<int> seen;
        for (int i = 0; i < steps; ++i)
            seen.push_back(phase = next_ranging_phase(phase, first, last, skip));
        return seen;
    };
    EXPECT_EQ(walk(1, 1, 6, true, 5), (std::vector<int>{3, 4, 6, 1, 3}));
    EXPECT_EQ(walk(1, 1, 6, false, 6), (std::vector<int>{2, 3, 4, 5, 6, 1}));
    EXPECT_EQ(walk(4, 4, 5, true, 3), (std::vector<int>{4, 4, 4})) << "6 lies beyond the last";
    EXPECT_EQ(walk(2, 2, 3, false, 3), (std::vector<int>{3, 2, 3}));
    EXPECT_EQ(walk(5, 3, 3, false, 2), (std::vector<int>{3, 3})) << "one phase";
    EXPECT_EQ(walk(1, 4, 6, false, 2), (std::vector<int>{4, 5})) << "from outside the range";
}

TEST(ConfigWindowHeading, CaptionPerTarget)
{
    const char* const captions[] = {"CONTROL: WQT&1", "CONTROL: WQT&2", "CONTROL: WQT&3",
                                    "CONTROL: WQT&4", "CONTROL: Control Both"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(control_target_caption(i), captions[i]);
    EXPECT_EQ(control_target_caption(5), "");
    EXPECT_EQ(control_target_caption(-1), "");
}
