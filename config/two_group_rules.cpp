// The rules of the two-group model in one place: the phases each group
// measures, which wirings fit the phases, which groupings pair phases, and
// how the instrument numbers its wirings. Each takes plain values; the
// slots and the pages read the values from an instrument and ask here.
#include "config/two_group_rules.h"

#include <climits>

namespace {
// The span of each wiring in one row of the two-group model's table
// (wirings 1 and 2 share theirs); wirings above 6 measure nothing.
struct wiring_spans {
    phase_span w0, w12, w3, w4, w5, w6;
};

phase_span pick(int w, const wiring_spans& s)
{
    switch (w) {
    case 0: return s.w0;
    case 1:
    case 2: return s.w12;
    case 3: return s.w3;
    case 4: return s.w4;
    case 5: return s.w5;
    case 6: return s.w6;
    default: return kNoPhases;
    }
}


// Wirings 4 and 5 share the rules for four to six phases.
bool four_to_six_phase_rule(int phases, int grouping, bool group1)
{
    switch (phases) {
    case 4:
        return (grouping == 2 && group1) || grouping == 4 || (grouping == 0 && !group1);
    case 5:
        return (grouping == 1 && group1) || grouping == 4 || (grouping == 0 && !group1);
    case 6:
        return grouping == 0 || grouping == 4;
    default:
        return false;
    }
}


// Groupings that pair phases, by phase count: a grouping in [lowest,
// highest] pairs them for the group named, or for both groups.
constexpr int kEitherGroup = -1;

struct pairing_rule {
    int phase_count;
    int lowest_grouping;
    int highest_grouping;
    int group; // kEitherGroup, 0 or 1
};

constexpr pairing_rule kPairingRules[] = {
    {3, 2, INT_MAX, kEitherGroup},
    {4, 0, 0, 1}, {4, 2, 2, 0}, {4, 4, 4, kEitherGroup},
    {5, 0, 0, 1}, {5, 1, 1, 0}, {5, 4, 4, kEitherGroup},
    {6, 0, 0, kEitherGroup}, {6, 4, 4, kEitherGroup},
};

bool pairs_phases(int phase_count, int grouping, int group)
{
    for (const pairing_rule& rule : kPairingRules) {
        if (rule.phase_count == phase_count && grouping >= rule.lowest_grouping &&
            grouping <= rule.highest_grouping && (rule.group == kEitherGroup || rule.group == group))
            return true;
    }
    return false;
}

// Both wiring rules share one table; each answers for its own wiring code.
bool wiring_rule(int rule_wiring, int wiring, int phases, int grouping, int active_group)
{
    if (wiring != rule_wiring)
        return false;
    switch (phases) {
    case 3:
    case 5:
        return grouping >= 0;
    case 4:
        switch (grouping) {
        case 0: return active_group == 1;
        case 1:
        case 4: return true;
        case 2: return active_group == 0;
        default: return false;
        }
    case 6:
        return grouping == 0 || grouping == 4;
    default:
        return false;
    }
}

} // namespace

// The phases of a wiring on one group of three: single phase 1, 2 or 3, two
// phases, or all three.
phase_span group_of_three_span(int w)
{
    switch (w) {
    case 0: return {1, 1};
    case 1:
    case 2: return {1, 2};
    case 3:
    case 6: return {1, 3};
    case 4: return {2, 2};
    case 5: return {3, 3};
    default: return kNoPhases;
    }
}

// Phases of the two-group model (1 to 6 over both groups) by phase count P,
// grouping q and active group g.
phase_span two_group_span(uint32_t p, int w, int g, int q)
{
    const phase_span none = kNoPhases;
    switch (p) {
    case 3:
        switch (q) {
        case 0:
            if (g == 0)
                return {1, 1};
            return pick(w, {{2, 2}, {2, 3}, {3, 3}, none, none, none});
        case 1:
            if (g == 1)
                return {3, 3};
            return pick(w, {{1, 1}, {1, 2}, {2, 3}, none, none, none});
        case 2:
            return group_of_three_span(w);
        default:
            return none;
        }
    case 4:
        switch (q) {
        case 0:
            if (g == 0)
                return {1, 1};
            return pick(w, {{2, 2}, {2, 3}, {2, 4}, {3, 3}, {4, 4}, {2, 4}});
        case 1:
            if (g == 0)
                return pick(w, {{1, 1}, {1, 2}, {2, 2}, none, none, none});
            return pick(w, {{3, 3}, {3, 4}, {4, 4}, none, none, none});
        case 2:
            if (g == 1 && (w == 0 || w == 2))
                return {4, 4};
            if (g == 1 && w == 1)
                return none;
            return group_of_three_span(w);
        case 3:
            return {1, 4};
        default:
            return group_of_three_span(w);
        }
    case 5:
        switch (q) {
        case 0:
            if (w == 4)
                return {4, 4};
            if (w == 5)
                return {5, 5};
            if (g == 0)
                return pick(w, {{1, 1}, {1, 2}, {2, 2}, none, none, none});
            if (g == 1)
                return pick(w, {{3, 3}, {3, 4}, {3, 5}, none, none, none});
            return none;
        case 1:
            if (w == 4)
                return {2, 2};
            if (w == 5)
                return {3, 3};
            if (g == 0)
                return pick(w, {{1, 1}, {1, 2}, {1, 3}, none, none, {1, 3}});
            if (g == 1)
                return pick(w, {{4, 4}, {4, 5}, {5, 5}, none, none, none});
            return none;
        case 2:
            return {1, 4};
        case 3:
            return {1, 5};
        case 4:
            return group_of_three_span(w);
        default:
            return none;
        }
    default:
        switch (q) {
        case 0:
            if (g == 0)
                return group_of_three_span(w);
            return pick(w, {{4, 4}, {4, 5}, {4, 6}, {5, 5}, {6, 6}, {4, 6}});
        case 1:
            return {1, 4};
        case 2:
            return {1, 5};
        case 3:
            return {1, 6};
        default:
            return group_of_three_span(w);
        }
    }
}

bool is_wqt35xx_combination_valid_a(int wiring, int phases, int grouping, int group2)
{
    const bool group1 = group2 == 0;
    if (wiring == 3) {
        switch (phases) {
        case 3:
            return grouping == 0 || grouping == 1;
        case 4:
            return grouping == 1;
        case 5:
            return (grouping == 0 && group1) || (grouping == 1 && !group1);
        default:
            return false;
        }
    }
    if (wiring == 4) {
        if (phases == 3)
            return grouping == 2;
        return four_to_six_phase_rule(phases, grouping, group1);
    }
    return false;
}

bool is_wqt35xx_combination_valid_b(int wiring, int phases, int grouping, int group2)
{
    const bool group1 = group2 == 0;
    if (wiring != 5)
        return false;
    if (phases == 3)
        return grouping >= 2;
    return four_to_six_phase_rule(phases, grouping, group1);
}

bool is_param_available_model3(int wiring, int phase_count, int grouping, int group)
{
    return wiring == 3 && pairs_phases(phase_count, grouping, group);
}

bool is_param_available_model6(int wiring, int phase_count, int grouping, int group)
{
    return wiring == 6 && pairs_phases(phase_count, grouping, group);
}

// On a 3-phase instrument, wirings from 4 on are numbered one higher by the
// instrument when the object's group is the one that the grouping splits.
bool wiring_shifted(uint8_t group2, int32_t grouping)
{
    return (group2 == 0 && grouping == 1) || (group2 == 1 && grouping == 0);
}

bool phase_grouping_a(int phase_count, int grouping)
{
    switch (phase_count) {
    case 3:
        return true;
    case 4:
        return grouping != 3;
    case 5:
        return grouping < 2 || grouping == 4;
    case 6:
        return grouping == 0 || grouping == 4;
    default:
        return false;
    }
}

bool phase_grouping_b(int phase_count, int grouping)
{
    return (phase_count == 3 && grouping == 2) ||
           (phase_count >= 4 && phase_count <= 6 && grouping == 4);
}

bool phase_grouping_c(int phase_count, int grouping)
{
    return (phase_count == 4 && grouping == 3) ||
           (phase_count == 5 && (grouping == 2 || grouping == 3)) ||
           (phase_count == 6 && grouping >= 1 && grouping <= 3);
}

bool one_group_wiring_fits(int p, int w)
{
    if (w == 0)
        return false;
    if (p == 2 && w == 3)
        return false;
    if (p >= 3 && (w == 4 || w == 5))
        return false;
    return true;
}

bool two_group_wiring_fits(int p, int w, int q, int g, int group0_grouping)
{
    // The rules are taken in order; the first that gives a result ends the test.
    if (p < 3 || p > 6)
        return false;
    if ((p == 6 && q == 1) || (p == 4 && q == 3))
        return false;
    if (p == 3 && !phase_grouping_b(p, group0_grouping))
        return false;
    if ((p == 5 || p == 6) && (q == 2 || q == 3))
        return false;
    if (w == 0)
        return false;
    if (w == 3) {
        if (p == 3 && (q == 0 || q == 1))
            return false;
        if (p == 4 && q == 1)
            return false;
        if (p == 5 && q == 0 && g == 0)
            return false;
        if (p == 5 && q == 1 && g == 1)
            return false;
    }
    if (w == 4) {
        if (p == 3 && q == 2)
            return false;
        if (p == 4 || p == 5) {
            int split = p == 4 ? 2 : 1; // the grouping that splits the phases between groups
            if (q == split) {
                if (g == 0)
                    return false;
            } else if (q == 4 || (q == 0 && g == 1)) {
                return false;
            }
        }
        if (p == 6 && (q == 0 || q == 4))
            return false;
    }
    if (w != 5)
        return true;
    if (p == 3)
        return q < 2;
    if (p == 4 || p == 5) {
        int split = p == 4 ? 2 : 1;
        if (q == split)
            return g != 0;
        if (q == 4 || (q == 0 && g == 1))
            return false;
        return true;
    }
    if (p == 6)
        return !(q == 0 || q == 4);
    return true;
}

bool check_wiring_rule_group1(int wiring, int phases, int grouping, int active_group)
{
    return wiring_rule(1, wiring, phases, grouping, active_group);
}

bool check_wiring_rule_group2(int wiring, int phases, int grouping, int active_group)
{
    return wiring_rule(2, wiring, phases, grouping, active_group);
}

bool wiring_combination_rejected(int phases, int wiring, int grouping, int active_group)
{
    if ((phases == 4 && grouping == 3) || (phases == 6 && grouping >= 1 && grouping <= 3))
        return true;
    if (wiring == 0)
        return false;
    if (is_wqt35xx_combination_valid_a(wiring, phases, grouping, active_group))
        return false;
    return !is_wqt35xx_combination_valid_b(wiring, phases, grouping, active_group);
}
