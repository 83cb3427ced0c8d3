// Texts of the progress dialog: the step counter, the percentage and the
// estimate of the time remaining. Pure text work: no windows, no state.
#pragma once
#include <cstdint>
#include <string>

// Estimated milliseconds until position reaches total, from the time spent
// on the steps so far: (elapsed_ms / position) x (total - position). -1 when
// there is nothing to estimate from (no step done yet, or no total).
int64_t progress_estimate_ms(uint64_t elapsed_ms, int position, int total);

// "Estimated time remaining: " with the largest unit of the estimate, for
// example "Estimated time remaining: 2 Minutes"; "... Unknown" when there is
// no estimate.
std::string progress_time_remaining_text(uint64_t elapsed_ms, int position, int total);

// The text after a step or a new position: "%d% complete" in percent mode,
// else the time remaining in time mode, else "Progress: %d/%d". Without a
// total the percentage is 0.
std::string progress_step_text(bool percent_mode, bool time_mode, int position, int total,
                               uint64_t elapsed_ms);

// The text when a total has been set (position 0): "0% complete",
// "Estimated time remaining: Unknown" or "Progress: 0/%d".
std::string progress_total_text(bool percent_mode, bool time_mode, int total);
