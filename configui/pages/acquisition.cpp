// The Acquisition Control page of every family: its rows, the lists built
// from the instrument (wiring, the two-group model's grouping and frequency
// reference, the phase of the frequency reference), the walk of its list
// rule and each family's layout.
#include "configui/pages/acquisition.h"

#include "config/identification.h"
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "config/wiring_rules.h"
#include "configui/engine/engine.h"
#include "configui/engine/two_group.h"
#include "configui/pages/shared_rows.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 16;

// Rows of the page by number.
enum : int {
    R_WIRING, R_SPEED, R_WINDOW, R_SMOOTHING, R_RESPONSE, R_REFERENCE, R_PHASE2_REF, R_PHASE3_REF,
    R_REFERENCE_PHASE, R_FILTER, R_FILTER2, R_LOW_FREQUENCY, R_MINIMUM_FREQUENCY, R_GEAR, R_ANGLE_REF,
    R_GROUPING,
};

// While the mode item is 1, the low-frequency row stands for item 73.
int low_frequency_item(instrument_config& config)
{
    int mode = 0;
    config.get_value_int(kItemDefaultMode, mode);
    return mode == 1 ? kItemLowFrequencyMode1 : kItemLowFrequency;
}

// The rows of the WQT45 and WQT55 families; the others put theirs in.
constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_WIRING, list_row(kItemWiring)},
    {R_SPEED, list_row(kItemSpeed)},
    {R_WINDOW, edit_row(kItemWindow)},
    {R_SMOOTHING, list_row(kItemSmoothing)},
    {R_RESPONSE, list_row(kItemSmoothingResponse)},
    {R_REFERENCE, kFrequencyReferenceRow},
    {R_PHASE2_REF, list_row(190)},
    {R_PHASE3_REF, list_row(214)},
    {R_REFERENCE_PHASE, list_row(kItemFrequencyPhase)},
    {R_FILTER, kFrequencyFilteringRow},
    {R_FILTER2, kFrequencyFilterRow},
    {R_LOW_FREQUENCY, list_row(kItemLowFrequency, low_frequency_item)},
    {R_MINIMUM_FREQUENCY, kMinimumFrequencyRow},
    {R_GEAR, kPlainGearRatioRow},
    {R_ANGLE_REF, list_row(53)},
    {R_GROUPING, kEmptyRow},
});
static_assert(R_GROUPING + 1 == kRows, "one row per id 25000..25015");
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_FILTER2, kEmptyRow}, {R_GEAR, kEmptyRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_REFERENCE, kReferenceWqt25Row},
                                                    {R_REFERENCE_PHASE, list_row(39)},
                                                    {R_FILTER, kFilterWqt25Row}});
constexpr auto kRowsWqt35 = with_rows(kSharedRows, {{R_FILTER2, kEmptyRow},
                                                    {R_GEAR, kGearRatioRow},
                                                    {R_GROUPING, list_row(kItemGrouping)}});
constexpr auto kRowsWqt55 = with_rows(kSharedRows, {{R_GEAR, kGearRatioRow}});

// ---- Walks ----------------------------------------------------------------

constexpr uint16_t kShowAgain = STEP_RESHOW | STEP_PANELS;

// The walk of every family but the two-group one (an empty row is passed
// over).
constexpr walk_step kWalk[] = {
    {R_WIRING, kShowAgain, nullptr},     {R_PHASE3_REF, 0, nullptr},
    {R_PHASE2_REF, 0, nullptr},          {R_SPEED, STEP_RELAYOUT, nullptr},
    {R_SMOOTHING, STEP_RELAYOUT, nullptr}, {R_RESPONSE, 0, nullptr},
    {R_REFERENCE, STEP_RELAYOUT, nullptr}, {R_REFERENCE_PHASE, 0, nullptr},
    {R_ANGLE_REF, 0, nullptr},           {R_FILTER, STEP_RELAYOUT, nullptr},
    {R_FILTER2, 0, nullptr},             {R_LOW_FREQUENCY, STEP_RELAYOUT, nullptr},
};

constexpr walk_step kWalkWqt35[] = {
    {R_WIRING, kShowAgain, set_two_group_wiring},
    {R_REFERENCE, STEP_RELAYOUT, set_two_group_frequency_reference},
    {R_GROUPING, kShowAgain, change_grouping},
    {R_PHASE3_REF, 0, nullptr},
    {R_PHASE2_REF, 0, nullptr},
    {R_SPEED, STEP_RELAYOUT, nullptr},
    {R_SMOOTHING, STEP_RELAYOUT, nullptr},
    {R_RESPONSE, 0, nullptr},
    {R_REFERENCE_PHASE, 0, nullptr},
    {R_ANGLE_REF, 0, nullptr},
    {R_FILTER, STEP_RELAYOUT, nullptr},
    {R_LOW_FREQUENCY, STEP_RELAYOUT, nullptr},
};

// ---- Lists ----------------------------------------------------------------

const char kSinglePhase[6][16] = {"Single Phase 1", "Single Phase 2", "Single Phase 3",
                                  "Single Phase 4", "Single Phase 5", "Single Phase 6"};
const char kTwoWattmeterWithPhase[6][32] = {
    "3 Phase 2 Wattmeter + Phase 1", "3 Phase 2 Wattmeter + Phase 2", "3 Phase 2 Wattmeter + Phase 3",
    "3 Phase 2 Wattmeter + Phase 4", "3 Phase 2 Wattmeter + Phase 5", "3 Phase 2 Wattmeter + Phase 6"};
const char kPhaseNames[6][8] = {"Phase 1", "Phase 2", "Phase 3", "Phase 4", "Phase 5", "Phase 6"};
const char k2Phase2W[] = "2 Phase 2 Wattmeter";
const char k3Phase2W[] = "3 Phase 2 Wattmeter";
const char k3Phase3W[] = "3 Phase 3 Wattmeter";
const char kPhase1And2[] = "Single Phase 1 + Phase 2";
const char kIndependent[] = "Independent";

// The wirings of the one-group families: one phase, two phases, or three.
option_list wiring_choices(int phases)
{
    if (phases == 1)
        return {kSinglePhase[0]};
    if (phases == 2)
        return {kSinglePhase[0], k2Phase2W, k3Phase2W, kSinglePhase[1]};
    return {kSinglePhase[0], k2Phase2W, k3Phase2W, k3Phase3W, kSinglePhase[1], kSinglePhase[2],
            kTwoWattmeterWithPhase[2]};
}

option_list wiring_choices_wqt15xx(int phases)
{
    option_list list = wiring_choices(phases);
    if (phases != 1)
        list.push_back(kPhase1And2);
    return list;
}

option_list wiring_choices_wqt45xx(int phases)
{
    option_list list = wiring_choices(phases);
    if (phases != 1)
        list.push_back(kIndependent);
    return list;
}

// The two-group model's wiring shapes over phases p, q and r: one phase;
// two; three.
option_list shape_l1(int p) { return {kSinglePhase[p - 1]}; }
option_list shape_l2(int p, int q) { return {kSinglePhase[p - 1], k2Phase2W, k3Phase2W, kSinglePhase[q - 1]}; }
option_list shape_l3(int p, int q, int r)
{
    return {kSinglePhase[p - 1], k2Phase2W, k3Phase2W, k3Phase3W,
            kSinglePhase[q - 1], kSinglePhase[r - 1], kTwoWattmeterWithPhase[r - 1]};
}

// Which shape a group's wiring list takes, by phase count (0: any other),
// grouping (-1: any other) and group.
struct wiring_shape {
    int phases;
    int grouping;
    int group;
    int p, q, r; // q 0: one phase; r 0: two phases
};
constexpr int kAny = -1;
constexpr wiring_shape kWiringShapes[] = {
    {4, 0, 0, 1, 0, 0},       {4, 0, 1, 2, 3, 4},       {4, 1, 0, 1, 2, 0},    {4, 1, 1, 3, 4, 0},
    {4, 4, 0, 1, 2, 3},       {4, 4, 1, 2, 3, 4},       {4, kAny, 0, 1, 2, 3}, {4, kAny, 1, 4, 0, 0},
    {5, 0, 0, 1, 2, 0},       {5, 0, 1, 3, 4, 5},       {5, 1, 0, 1, 2, 3},    {5, 1, 1, 4, 5, 0},
    {5, kAny, 0, 1, 2, 3},    {5, kAny, 1, 1, 2, 3},    {6, 4, 0, 1, 2, 3},    {6, 4, 1, 1, 2, 3},
    {6, kAny, 0, 1, 2, 3},    {6, kAny, 1, 4, 5, 6},    {0, 0, 0, 1, 0, 0},    {0, 0, 1, 2, 3, 0},
    {0, 1, 0, 1, 2, 0},       {0, 1, 1, 3, 0, 0},       {0, kAny, 0, 1, 2, 3}, {0, kAny, 1, 1, 2, 3},
};

option_list wiring_choices_wqt35xx(int phases, int grouping, int group)
{
    const int p = phases >= 4 && phases <= 6 ? phases : 0;
    const wiring_shape* found = nullptr;
    for (const wiring_shape& shape : kWiringShapes) {
        if (shape.phases != p || shape.group != group)
            continue;
        if (shape.grouping == grouping) {
            found = &shape;
            break;
        }
        if (shape.grouping == kAny && found == nullptr)
            found = &shape;
    }
    if (found == nullptr)
        return shape_l3(1, 2, 3);
    if (found->q == 0)
        return shape_l1(found->p);
    if (found->r == 0)
        return shape_l2(found->p, found->q);
    return shape_l3(found->p, found->q, found->r);
}

option_list grouping_choices(int phases)
{
    switch (phases) {
    case 4: return {"1 : 2+3+4", "1+2 : 3+4", "1+2+3 : 4", "1+2+3+4", "1+2+3 : 1+2+3"};
    case 5: return {"1+2 : 3+4+5", "1+2+3 : 4+5", "1+2+3+4", "1+2+3+4+5", "1+2+3 : 1+2+3"};
    case 6: return {"1+2+3 : 4+5+6", "1+2+3+4", "1+2+3+4+5", "1+2+3+4+5+6", "1+2+3 : 1+2+3"};
    default: return {"1 : 2+3", "1+2 : 3", "1+2+3 : 1+2+3"};
    }
}

// The phases of the frequency reference: first..last of the wiring's range,
// the last left out for wiring 6 on three phases or more.
option_list phase_choices(int phases, int wiring, int group, int grouping)
{
    int first = -1;
    int last = -1;
    get_phase_range(get_current_instrument(), wiring, group, grouping, &first, &last);
    if (first == -1 || last == -1)
        return {};
    if (phases >= 3 && wiring == 6)
        --last;
    option_list list;
    for (int phase = std::max(first, 1); phase <= std::min(last, 6); ++phase)
        list.push_back(kPhaseNames[phase - 1]);
    return list;
}

// Stores a list as the row's item's options and puts it in the control.
void give_choices(const page_def& page, instrument_config& config, int row, const option_list& choices)
{
    const int item = row_item(page.rows[row], config);
    config.set_option_list(item, choices);
    if (HWND control = row_control(page, row))
        fill_item_combobox(config, control, item);
}

// The wiring list drops down a third wider than its cell.
void widen_wiring_list(const page_def& page)
{
    SendMessageA(row_control(page, R_WIRING), CB_SETDROPPEDWIDTH, config_cell_size.cx * 4 / 3, 0);
}

template <option_list (*Wirings)(int phases)>
void one_group_lists(const page_def& page, instrument_config& config)
{
    const int wiring = value_in(config, kItemWiring);
    give_choices(page, config, R_WIRING, Wirings(current_phase_count()));
    widen_wiring_list(page);
    give_choices(page, config, R_REFERENCE_PHASE, phase_choices(current_phase_count(), wiring, 0, 0));
}

// The two-group family: grouping, wiring (a wiring beyond its new list goes
// back to 0, stored only), frequency reference and phase lists; the phase
// list is made from the wiring the display began with.
void two_group_lists(const page_def& page, instrument_config& config)
{
    const int phases = current_phase_count();
    const int grouping = value_in(config, kItemGrouping);
    const int group = get_current_active_group();
    const int wiring = value_in(config, kItemWiring);
    give_choices(page, config, R_GROUPING, grouping_choices(phases));
    const option_list wirings = wiring_choices_wqt35xx(phases, grouping, group);
    give_choices(page, config, R_WIRING, wirings);
    if (static_cast<unsigned>(wiring) >= wirings.size()) {
        config.set_value_int(kItemWiring, 0);
        SendMessageA(row_control(page, R_WIRING), CB_SETCURSEL, 0, 0);
    }
    widen_wiring_list(page);
    option_list references = {"Voltage", "Current", "Speed Input"};
    if (check_phase_grouping_c(get_current_instrument_index()))
        references.pop_back();
    give_choices(page, config, R_REFERENCE, references);
    give_choices(page, config, R_REFERENCE_PHASE, phase_choices(phases, wiring, group, grouping));
    SetWindowTextA(row_label(page, R_GEAR), "Gear Ratio");
}

// ---- Layouts ----------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kAcquisitionPages[static_cast<int>(family)];
}

// The Speed value that shows the Window row.
int window_speed(config_family family)
{
    return family == config_family::wqt25xx ? 4 : 5;
}

// Steps 2 to 6 of every family: wiring and speed, window, smoothing and
// its response, the frequency reference.
void place_acquisition_head(grid_cursor& grid, config_family family)
{
    grid.place(R_SPEED);
    if (item_now(kItemSpeed) == window_speed(family))
        grid.place(R_WINDOW);
    grid.place(R_SMOOTHING);
    if (item_now(kItemSmoothing) != 2)
        grid.place(R_RESPONSE);
    grid.place(R_REFERENCE);
}

// The wirings whose single phase or phases leave no phase to take the
// frequency from.
bool phase_row_hidden(int p, int w, bool independents_too)
{
    return wiring_without_phase_steps(p, w) || (independents_too && independent_wiring(p, w));
}

void layout_one_group(config_family family)
{
    const page_def& page = page_of(family);
    const int p = current_phase_count();
    const int w = item_now(kItemWiring);
    const bool wqt15 = family == config_family::wqt15xx;
    const bool wqt25 = family == config_family::wqt25xx;
    grid_cursor grid(page);
    grid.place(R_WIRING);
    place_acquisition_head(grid, family);
    const int reference = item_now(wqt25 ? kItemFrequencyReferenceWqt25 : kItemFrequencyReference);
    if (!wqt15 && reference == 2)
        grid.place(R_GEAR);
    if (!phase_row_hidden(p, w, !wqt25) && !(wqt25 && reference == 2))
        grid.place(R_REFERENCE_PHASE);
    grid.place(R_ANGLE_REF);
    if (independent_wiring(p, w))
        grid.place(R_PHASE2_REF);
    if ((p >= 3 && w == 6) || (!wqt15 && independent_wiring(p, w)))
        grid.place(R_PHASE3_REF);
    grid.place(R_FILTER);
    if (wqt25 && item_now(kItemFrequencyFilterWqt25) != 0)
        grid.place(R_FILTER2);
    grid.place(R_LOW_FREQUENCY);
    const bool low = item_now(kItemLowFrequency) != 0 && !wqt15 && !wqt25;
    if (low || item_now(kItemLowFrequencyMode1) != 0)
        grid.place(R_MINIMUM_FREQUENCY);
}

// The phase counts and groupings in which a group of the two-group model
// has a wiring to choose (a) and a frequency reference phase (b).
bool wqt35xx_wiring_shown(int p, int g)
{
    return p == 3 || (p == 4 && (g <= 2 || g == 4)) || (p == 5 && (g <= 1 || g == 4)) ||
           (p == 6 && (g == 0 || g == 4));
}

bool wqt35xx_phase_row_shown(int p, int w, int g, int group)
{
    if (w == 0 || is_wqt35xx_combination_valid_a(w, p, g, group) || is_wqt35xx_combination_valid_b(w, p, g, group))
        return false;
    return p == 3 || (p == 4 && (g <= 2 || g == 4)) || (p == 6 && (g == 0 || g == 4));
}

// The context button opens the Advanced Acquisition Control page; the rows
// take the Config window's enabled state.
template <size_t Steps>
constexpr page_def acquisition(config_family family, const std::array<row_def, kRows>& rows,
                               const walk_step (&walk)[Steps], page_hook lists, void (*layout)())
{
    return {.kind = PAGE_ACQUISITION, .family = family, .context_shown = true, .enable_rows = true,
            .row_count = row_count_of(rows), .rows = rows.data(), .walk = walk, .walk_count = steps(walk),
            .lists = lists, .layout = layout};
}

} // namespace

constexpr page_def kAcquisitionPages[5] = {
    acquisition(config_family::wqt15xx, kRowsWqt15, kWalk, one_group_lists<wiring_choices_wqt15xx>,
                layout_acquisition_control_page_wqt15xx),
    acquisition(config_family::wqt25xx, kRowsWqt25, kWalk, one_group_lists<wiring_choices>,
                layout_acquisition_control_page_wqt25xx),
    acquisition(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, two_group_lists,
                layout_acquisition_control_page_wqt35xx),
    acquisition(config_family::wqt45xx, kSharedRows, kWalk, one_group_lists<wiring_choices_wqt45xx>,
                layout_acquisition_control_page_wqt45xx),
    acquisition(config_family::wqt55xx, kRowsWqt55, kWalk, one_group_lists<wiring_choices_wqt45xx>,
                layout_acquisition_control_page_wqt55xx),
};
static_assert(kAcquisitionPages[2].family == config_family::wqt35xx &&
                  kAcquisitionPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_acquisition_control_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_acquisition_control_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_acquisition_control_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_acquisition_control_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_acquisition_control_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_acquisition_control_page_wqt15xx() { layout_one_group(config_family::wqt15xx); }
void layout_acquisition_control_page_wqt25xx() { layout_one_group(config_family::wqt25xx); }
void layout_acquisition_control_page_wqt45xx() { layout_one_group(config_family::wqt45xx); }
void layout_acquisition_control_page_wqt55xx() { layout_one_group(config_family::wqt55xx); }

void layout_acquisition_control_page_wqt35xx()
{
    const page_def& page = page_of(config_family::wqt35xx);
    const int p = current_phase_count();
    const int w = item_now(kItemWiring);
    const int g = item_now(kItemGrouping);
    const int group = get_current_active_group();
    grid_cursor grid(page);
    grid.place(R_GROUPING);
    if (wqt35xx_wiring_shown(p, g))
        grid.place(R_WIRING);
    place_acquisition_head(grid, config_family::wqt35xx);
    if (item_now(kItemFrequencyReference) == 2)
        grid.place(R_GEAR);
    else if (wqt35xx_phase_row_shown(p, w, g, group))
        grid.place(R_REFERENCE_PHASE);
    grid.place(R_ANGLE_REF);
    if (is_param_available_model6(w, p, g, group))
        grid.place(R_PHASE3_REF);
    grid.place(R_FILTER);
    if (item_now(kItemDefaultMode) != 1)
        grid.place(R_LOW_FREQUENCY);
}
