// The Phase N Ranging page of every family: fifteen rows whose per-phase
// items follow the item set of the phase shown, the range lists built from
// the inputs and the current option, the title and the context button by
// the wiring's phases, each family's walk and layout.
#include "configui/pages/ranging.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "config/wiring_rules.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_choices_ui.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/engine.h"
#include "configui/engine/two_group.h"
#include "configui/pages/range_lists.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 15;
constexpr int kTitleText = 1807;         // + N: "Phase N Ranging"
constexpr int kCaptionText = 1772;       // + N: "Phase N Ranging >"

// After the shunt, the families' own rows: the DC offset, the range lock
// and Independent Input, with two rows before the last that every family
// leaves empty.
enum : int {
    R_V_INPUT, R_V_AUTO, R_V_RANGE, R_V_SCALE, R_V_ATTENUATOR, R_C_INPUT, R_C_AUTO, R_C_RANGE, R_C_SCALE,
    R_C_SHUNT, R_OFFSET, R_RANGE_LOCK, R_UNUSED_1, R_UNUSED_2, R_INDEPENDENT,
};

config_family current_family()
{
    return current_page_family();
}

// The set of the shown phase, 0..2: the phase itself on the one-group
// families; on the two-group model its place in its group's range (1 and 4
// the first set, 2 and 5 the second), the first set where it has none.
int ranging_set(instrument_config& config)
{
    if (current_family() != config_family::wqt35xx)
        return ranging_phase == 1 ? 0 : ranging_phase == 2 ? 1 : 2;
    int first = -1;
    int last = -1;
    ranging_phase_range(value_in(config, kItemWiring), value_in(config, kItemGrouping), &first, &last);
    if (first == -1)
        return 0;
    const int k = ranging_phase - first + 1;
    return k == 1 || k == 4 ? 0 : k == 2 || k == 5 ? 1 : 2;
}

template <int Item>
int in_shown_set(instrument_config& config)
{
    return Item + kPhaseSetOffsets[ranging_set(config)];
}

template <int Item>
constexpr row_def set_list() { return list_row(Item, in_shown_set<Item>); }
template <int Item>
constexpr row_def set_edit() { return edit_row(Item, in_shown_set<Item>); }

constexpr std::array<row_def, kRows> kSharedRows = rows_by_name({
    {R_V_INPUT, set_list<kItemVoltageInput>()},
    {R_V_AUTO, set_list<28>()},
    {R_V_RANGE, set_list<kItemVoltageRange>()},
    {R_V_SCALE, set_edit<32>()},
    {R_V_ATTENUATOR, set_edit<34>()},
    {R_C_INPUT, set_list<kItemCurrentInput>()},
    {R_C_AUTO, set_list<29>()},
    {R_C_RANGE, set_list<kItemCurrentRange>()},
    {R_C_SCALE, set_edit<33>()},
    {R_C_SHUNT, set_edit<35>()},
    {R_OFFSET, set_edit<39>()},
    {R_RANGE_LOCK, kEmptyRow},
    {R_UNUSED_1, kEmptyRow},
    {R_UNUSED_2, kEmptyRow},
    {R_INDEPENDENT, kEmptyRow},
});
static_assert(R_INDEPENDENT + 1 == kRows, "one row per id 25300..25314");
// Independent Input (the two-group model's Independent Range).
constexpr row_def kIndependentRow = list_row(kItemRangingSkip);
constexpr auto kRowsWqt15 = with_rows(kSharedRows, {{R_OFFSET, kEmptyRow}, {R_INDEPENDENT, kIndependentRow}});
constexpr auto kRowsWqt25 = with_rows(kSharedRows, {{R_OFFSET, kEmptyRow}, {R_RANGE_LOCK, list_row(94)}});
constexpr auto kRowsWqt35 = with_rows(kSharedRows, {{R_OFFSET, kEmptyRow}, {R_INDEPENDENT, kIndependentRow}});

// ---- Walks --------------------------------------------------------------------

// The two-group model starts a new input type from its first minimum range
// (stored only; the range list compared next may set it again). A set's
// minimum range is its input's item + 2.
void set_input_wqt35xx(int item, int value, list_change&)
{
    config_dispatch_b(item, value, &get_current_instrument(), false);
    if (const std::shared_ptr<instrument_config> config = get_current_config())
        config->set_value_int(item + 2, 0);
}

void set_independent_range_step(int, int value, list_change&)
{
    set_independent_range(get_config_window(), value);
}

constexpr walk_step kPhaseSteps[] = {
    {R_V_INPUT, STEP_RESHOW, nullptr}, {R_V_AUTO, 0, nullptr}, {R_V_RANGE, 0, nullptr},
    {R_C_INPUT, STEP_RESHOW, nullptr}, {R_C_AUTO, 0, nullptr}, {R_C_RANGE, 0, nullptr},
};
constexpr walk_step kWalkWqt15[] = {kPhaseSteps[0], kPhaseSteps[1], kPhaseSteps[2], kPhaseSteps[3],
                                    kPhaseSteps[4], kPhaseSteps[5], {R_INDEPENDENT, STEP_RESHOW, nullptr}};
constexpr walk_step kWalkWqt25[] = {kPhaseSteps[0], kPhaseSteps[1], kPhaseSteps[2], kPhaseSteps[3],
                                    kPhaseSteps[4], kPhaseSteps[5], {R_RANGE_LOCK, 0, nullptr}};
constexpr walk_step kWalkWqt35[] = {
    {R_V_INPUT, STEP_RESHOW, set_input_wqt35xx}, kPhaseSteps[1], kPhaseSteps[2],
    {R_C_INPUT, STEP_RESHOW, set_input_wqt35xx}, kPhaseSteps[4], kPhaseSteps[5],
    {R_INDEPENDENT, 0, set_independent_range_step}};

// ---- Range lists ----------------------------------------------------------------

// ---- Title and context button -------------------------------------------------

// The joined pair's title and caption by the group's first phase.
page_head pair_texts(int first)
{
    if (first == 2)
        return {1822, 1787, true};
    if (first == 4)
        return {1821, 1786, true};
    return {1820, 1785, true};
}

// The page's head for the shown phase p of the range first..last.
page_head head_of(config_family family, instrument_config& config, int first, int last)
{
    const int p = current_phase_count();
    const int w = value_in(config, kItemWiring);
    const int shown = ranging_phase >= 1 && ranging_phase <= 6 ? ranging_phase : 1;
    const bool joined = p >= 3 && w == 6;
    bool independent = value_in(config, kItemRangingSkip) != 0;
    if (family != config_family::wqt25xx)
        independent = independent || independent_wiring(p, w);
    bool context = (joined || independent) && !wiring_without_phase_steps(p, w);
    if (family == config_family::wqt35xx && get_current_active_group() != 0 &&
        phase_grouping_b(p, value_in(config, kItemGrouping)))
        context = false;
    page_head head{static_cast<int16_t>(kTitleText + shown), 0, context};
    if (joined && !independent) {
        const page_head pair = pair_texts(family == config_family::wqt35xx ? first : 1);
        if (shown == last) {
            head.title_text = static_cast<int16_t>(kTitleText + last);
            head.context_text = pair.context_text;
        } else {
            head.title_text = pair.title_text;
            head.context_text = static_cast<int16_t>(kCaptionText + last);
        }
    } else {
        head.context_text =
            static_cast<int16_t>(kCaptionText + (shown == last || last < 1 ? std::max(first, 1) : shown + 1));
    }
    return head;
}

// The first and last phase the page steps through for the wiring.
std::pair<int, int> phase_range(instrument_config& config)
{
    int first = -1;
    int last = -1;
    ranging_phase_range(value_in(config, kItemWiring), value_in(config, kItemGrouping), &first, &last);
    return {first, last};
}

// The title and context button by the phase shown.
page_head ranging_head(const page_def& page, instrument_config& config)
{
    const auto [first, last] = phase_range(config);
    return head_of(page.family, config, first, last);
}

// Steps 1 to 7 and the range lists: the shown phase moved into the range
// (never a RANGE posted from here), and the minimum-range lists of all
// three sets.
void ranging_lists(const page_def& page, instrument_config& config)
{
    const auto [first, last] = phase_range(config);
    if (first != -1 && (ranging_phase < first || ranging_phase > last))
        advance_ranging_phase(get_config_window(), &config);

    const int set = ranging_set(config);
    HWND voltage = row_control(page, R_V_RANGE);
    HWND current = row_control(page, R_C_RANGE);
    if (page.family == config_family::wqt35xx) {
        fill_range_choices(voltage, current, set, value_in(config, kItemVoltageInput + kPhaseSetOffsets[set]),
                           value_in(config, kItemCurrentInput + kPhaseSetOffsets[set]));
        return;
    }
    store_range_lists(page.family, config, get_current_instrument().option_code);
    if (voltage)
        fill_item_combobox(config, voltage, kItemVoltageRange);
    if (current)
        fill_item_combobox(config, current, kItemCurrentRange);
}

// ---- Layouts ----------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kRangingPages[static_cast<int>(family)];
}

// Rows 0 to 9 at their own grid rows, the attenuator and the shunt only
// with an external input of the shown set; then the family's row at grid
// row 10 when shown.
void layout_rows(config_family family, int tenth_row, bool tenth_shown)
{
    const page_def& page = page_of(family);
    grid_cursor grid(page);
    const std::shared_ptr<instrument_config> config = get_current_config();
    if (!config)
        return;
    const int offset = kPhaseSetOffsets[ranging_set(*config)];
    for (int row = R_V_INPUT; row <= R_C_SHUNT; ++row) {
        if (row == R_V_ATTENUATOR && value_in(*config, kItemVoltageInput + offset) != 1)
            continue;
        if (row == R_C_SHUNT && value_in(*config, kItemCurrentInput + offset) != 1)
            continue;
        grid.at(row, row);
    }
    if (tenth_shown)
        grid.at(10, tenth_row);
}

// The head (title and context button) is the page's own, by the phase shown.
template <size_t Steps>
constexpr page_def ranging(config_family family, const std::array<row_def, kRows>& rows,
                           const walk_step (&walk)[Steps], void (*layout)())
{
    return {.kind = PAGE_RANGING, .family = family, .context_text = 0, .row_count = row_count_of(rows),
            .rows = rows.data(), .walk = walk, .walk_count = steps(walk), .lists = ranging_lists, .layout = layout,
            .head = ranging_head};
}

} // namespace

int ranging_set_offset(instrument_config& config)
{
    return kPhaseSetOffsets[ranging_set(config)];
}

constexpr page_def kRangingPages[5] = {
    ranging(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, layout_ranging_page_wqt15xx),
    ranging(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, layout_ranging_page_wqt25xx),
    ranging(config_family::wqt35xx, kRowsWqt35, kWalkWqt35, layout_ranging_page_wqt35xx),
    ranging(config_family::wqt45xx, kSharedRows, kPhaseSteps, layout_config_page3_v03),
    ranging(config_family::wqt55xx, kSharedRows, kPhaseSteps, layout_config_page3_v04),
};
static_assert(kRangingPages[2].family == config_family::wqt35xx &&
                  kRangingPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_ranging_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_ranging_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_ranging_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_ranging_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_ranging_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

// Independent Input, unless the wiring leaves nothing independent.
void layout_ranging_page_wqt15xx()
{
    const int p = current_phase_count();
    int w = 0;
    if (const std::shared_ptr<instrument_config> config = get_current_config())
        w = value_in(*config, kItemWiring);
    const bool fixed = wiring_without_phase_steps(p, w);
    layout_rows(config_family::wqt15xx, R_INDEPENDENT, !fixed);
}

void layout_ranging_page_wqt25xx()
{
    layout_rows(config_family::wqt25xx, R_RANGE_LOCK, true);
}

// Nothing on group 2 while it measures group 1's phases; Independent Range
// where the ranging page offers the combination no ranges of its own.
void layout_ranging_page_wqt35xx()
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    const int p = current_phase_count();
    if (config && get_current_active_group() != 0 && phase_grouping_b(p, value_in(*config, kItemGrouping))) {
        grid_cursor empty(page_of(config_family::wqt35xx));
        return;
    }
    layout_rows(config_family::wqt35xx, R_INDEPENDENT, is_wiring_combination_rejected());
}

void layout_config_page3_v03()
{
    layout_rows(config_family::wqt45xx, R_OFFSET, true);
}

void layout_config_page3_v04()
{
    layout_rows(config_family::wqt55xx, R_OFFSET, true);
}
