// What a wiring (item 82) means for the pages, over plain values: the
// phase count p and the wiring w. Beside them, the offsets of the three
// item sets that the phases' inputs are configured in. The two-group
// model's own rules are in two_group_rules.h.
#pragma once

// The three item sets of the inputs: the first set's items (24 the voltage
// input, 30 the coupling, ...), then the same items 152 and 176 higher.
constexpr int kPhaseSets = 3;
constexpr int kPhaseSetOffsets[kPhaseSets] = {0, 152, 176};
static_assert(kPhaseSetOffsets[0] == 0 && kPhaseSetOffsets[1] < kPhaseSetOffsets[2],
              "the first set at its own items, then the second and the third above it");

// Whether the phases are wired independently, each on its own inputs:
// wiring 4 on two phases, wiring 7 on three.
constexpr bool independent_wiring(int p, int w)
{
    return (p == 2 && w == 4) || (p == 3 && w == 7);
}

// Whether the wiring measures a single phase (in the one-group families:
// wiring 0; 3 on two phases; 4 or 5 on three or more), so that there are no phases to step through on
// the Ranging page nor a phase to take the frequency from.
constexpr bool wiring_without_phase_steps(int p, int w)
{
    return w == 0 || (p == 2 && w == 3) || (p >= 3 && (w == 4 || w == 5));
}
