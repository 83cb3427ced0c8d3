// Choices and checks that the configuration pages build on the model: the
// range lists of the two-group family's minimum-range items, the choices of
// its efficiency ratio, the wiring rules, the check of a number typed into a
// configuration edit, the number text it stores, the stepping of the phase
// the ranging page shows, and the heading of the Configuration window. No
// windows here: the page code puts the results into its controls.
#pragma once
#include "config/config_item.h"

#include <cstdint>
#include <string>

// ---- Minimum-range choices --------------------------------------------------

// Items that take the voltage and the current range list.
constexpr int kVoltageRangeItems[] = {26, 178, 202};
constexpr int kCurrentRangeItems[] = {27, 179, 203};

// The voltage and current minimum-range items a range selector shows:
// 1 -> 178 and 179, 2 -> 202 and 203, any other -> 26 and 27.
struct range_item_pair {
    int voltage;
    int current;
};
range_item_pair range_items_for_selector(int selector);

// The voltage ranges, or the bracketed ranges of an external input.
option_list voltage_range_choices(bool external_input);
// The current ranges by the instrument's current option (low, high or
// standard current), or the bracketed voltage ranges of an external input.
option_list current_range_choices(bool external_input, uint32_t option_code);

// ---- Efficiency ratio choices -----------------------------------------------

// What decides the ratio choices of item 93. group is the active group, 0
// or 1, as the two-group rules take it; first_phase the first phase of the
// wiring. model3 and model6 are
// the logging engine's answers for the same wiring.
struct ratio_inputs {
    int wiring;
    int phases;
    int grouping;
    int group;
    int first_phase;
    bool model3;
    bool model6;
};

// Which list the inputs give, by the first rule that holds.
enum class ratio_rule {
    groups,        // wiring 0 or a valid two-group combination
    next_phase,    // phase / next phase, groups, mechanical / sum
    phase_pairs,   // numbered phase pairs, groups, mechanical / sum
    phase_and_sum, // the pairs and a numbered phase against the sum
    disabled_only,
};
ratio_rule choose_ratio_rule(const ratio_inputs& in);
option_list ratio_choices(const ratio_inputs& in);

// Whether value exceeds what a phase count allows: 16 for 2 phases, 12 for 3,
// 8 for 4, 4 for 5, and 20 for any other count.
bool exceeds_limit_for_phase_count(int value, int phases);

// ---- Typed numbers ----------------------------------------------------------

// v in mantissa-and-exponent text with the given decimals: "5.0000E-2",
// "2.0000E1"; 0 gives "0.0000" without an exponent.
std::string format_scientific_text(double value, int decimals);

enum class entry_verdict {
    store,          // `text` is the value to store
    invalid_number, // `text` is the message; the page shows the stored value again
    out_of_range,   // `text` is the message, `revert` the stored value to show
};

struct entry_check {
    entry_verdict verdict;
    std::string text;
    std::string revert;
};

// The caption of every refusal of a typed value.
extern const char kIncorrectValueTitle[];
// The refusal of a text that is no run time, for the item's label: what is
// wanted, hours and minutes joined by a colon, each 0 to 255.
std::string run_time_entry_message(const char* label);

// Checks a typed number (value, and whether the text was a number) against
// the item's record: its kind and bounds (-99.0: no bound). A text item
// stores the number with four decimals, a list or integer item its whole
// part. A number that is not finite, or does not fit an int for a list or
// integer item, counts as no number.
entry_check check_config_entry(double value, bool ok, const config_item_value& record,
                               const char* label);

// ---- Ranging page -----------------------------------------------------------

// The ranging page steps over phase pairs on a wiring of 6 with item 22 at 0
// when the instrument has three phases or more.
bool ranging_pair_skip(int phases, int wiring, int item22);
// The phase after `phase` within first..last: with pair skip, 1 and 2 step
// to 3, 4 and 5 to 6; otherwise by one. A phase beyond the last (or before
// the first) goes to the first; first == last gives first.
int next_ranging_phase(int phase, int first, int last, bool pair_skip);
// The WQT25 family's own step: first == last, or the last phase, go back to
// 1; with pair skip 1 and 2 step to 3 and 3 to 1; otherwise 1 steps to 2
// and any other phase to 3.
int next_ranging_phase_wqt25xx(int phase, int first, int last, bool pair_skip);

// ---- Configuration window heading -------------------------------------------

// "CONTROL: " and the target's name: "WQT&1".."WQT&4" for 0..3, "Control
// Both" for 4; the empty text for any other target.
std::string control_target_caption(int target);
