// Which efficiency ratios the two-group instrument can log for its wiring:
// predicates over the wiring code (item 82), the phase count, the grouping
// (item 23) and the active group (0 group 1, 1 group 2).
#pragma once

// True when the phase-pair and mechanical/sum ratios are offered: wiring 3
// with a grouping that pairs the phases of the active group.
bool is_param_available_model3(int wiring, int phase_count, int grouping, int group);

// True when the phase/sum ratios are offered: wiring 6 with such a grouping.
bool is_param_available_model6(int wiring, int phase_count, int grouping, int group);
