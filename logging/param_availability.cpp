#include "logging/param_availability.h"

#include <climits>

namespace {

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

} // namespace

bool is_param_available_model3(int wiring, int phase_count, int grouping, int group)
{
    return wiring == 3 && pairs_phases(phase_count, grouping, group);
}

bool is_param_available_model6(int wiring, int phase_count, int grouping, int group)
{
    return wiring == 6 && pairs_phases(phase_count, grouping, group);
}
