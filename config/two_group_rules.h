// The rules of the two-group model (the WQT35 family) in one place, over
// plain values: the phase count P (3 to 6 over both groups), the grouping
// (item 23), the wiring (item 82) and the group (0: group 1, 1: group 2).
// The slots, the transfer, the choice lists and the configuration pages
// read those values from an instrument and ask here.
#pragma once
#include "config/model_profiles.h"

#include <cstdint>

// The phases a wiring measures on one group of three phases: phase 1, 2 or
// 3 alone, two phases, or all three; none for wirings above 6.
phase_span group_of_three_span(int wiring);
// The phases (1 to 6 over both groups) a wiring measures in a group of a
// two-group instrument with p phases and that grouping; none where the
// combination measures nothing.
phase_span two_group_span(uint32_t p, int wiring, int group, int grouping);

// Whether a wiring code (item 82) is allowed with the phase count, the
// grouping (item 23) and the measurement group (0 group 1, 1 group 2) of a
// two-group instrument. Test a answers for wiring 3 and 4, test b for 5.
bool is_wqt35xx_combination_valid_a(int wiring, int phases, int grouping, int group2);
bool is_wqt35xx_combination_valid_b(int wiring, int phases, int grouping, int group2);

// Which efficiency ratios can be logged: the phase-pair and mechanical/sum
// ratios need wiring 3 (model3), the phase/sum ratios wiring 6 (model6),
// each with a grouping that pairs the phases of the group.
bool is_param_available_model3(int wiring, int phase_count, int grouping, int group);
bool is_param_available_model6(int wiring, int phase_count, int grouping, int group);

// On a 3-phase instrument, the instrument numbers wirings from 4 on one
// higher in the group that the grouping gives two phases.
bool wiring_shifted(uint8_t group2, int32_t grouping);

// The groupings of the slots' predicates check_phase_grouping_a, _b and _c
// (the grouping of group 1): a, the groupings a phase count allows; b, the
// groupings in which both groups measure the same three phases; c, the
// groupings that join phases of both groups into one.
bool phase_grouping_a(int phase_count, int grouping);
bool phase_grouping_b(int phase_count, int grouping);
bool phase_grouping_c(int phase_count, int grouping);

// Whether a wiring fits the phases: of a one-group instrument with p phases;
// of group g of a two-group instrument, whose own grouping is q and whose
// group 1 has group0_grouping.
bool one_group_wiring_fits(int p, int wiring);
bool two_group_wiring_fits(int p, int wiring, int q, int g, int group0_grouping);

// Whether wiring code 1 (group1) or 2 (group2) suits the phase count, the
// grouping (item 23) and the active group (0 or 1).
bool check_wiring_rule_group1(int wiring, int phases, int grouping, int active_group);
bool check_wiring_rule_group2(int wiring, int phases, int grouping, int active_group);

// Whether the two-group instrument rejects the combination of phase count,
// wiring (item 82), grouping (item 23) and active group.
bool wiring_combination_rejected(int phases, int wiring, int grouping, int active_group);
