// The Coupling page of every family: three blocks of rows (coupling,
// bandwidth list, noise filter, bandwidth entry), one per input block's
// item set; the bandwidth lists built from the block's coupling and the
// instrument's current option; each family's walk and layout.
#include "configui/pages/coupling.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/two_group_rules.h"
#include "config/wiring_rules.h"
#include "configui/engine/engine.h"
#include "slots/instrument_slots.h"

#include <array>
#include <iterator>

namespace {

constexpr int kRows = 12;
constexpr int kBlockRows = 4;
constexpr int kBlocks = kPhaseSets; // one block for each item set of the inputs

// A block's rows, from its first row.
enum : int { B_COUPLING, B_BANDWIDTH, B_FILTER, B_BANDWIDTH_TEXT };

// One block of rows at an item set's offset.
constexpr std::array<row_def, kRows> blocks(row_def coupling, row_def bandwidth, row_def filter, row_def text)
{
    std::array<row_def, kRows> rows{};
    const row_def block[kBlockRows] = {coupling, bandwidth, filter, text};
    for (int b = 0; b < kBlocks; ++b) {
        for (int r = 0; r < kBlockRows; ++r) {
            row_def row = block[r];
            row.item = static_cast<int16_t>(row.item + kPhaseSetOffsets[b]);
            rows[b * kBlockRows + r] = row;
        }
    }
    return rows;
}

constexpr row_def kCouplingRow = list_row(kItemCoupling);
constexpr row_def kBandwidthRow = list_row(kItemBandwidth);
constexpr row_def kFilterRow = list_row(kItemNoiseFilter);
constexpr row_def kBandwidthTextRow = edit_row(kItemFilterBandwidth);

// A WQT15 block is coupling, noise filter and its bandwidth (its second row
// repeats the coupling and is never placed); a WQT25 block is coupling and
// bandwidth (its last two rows repeat the bandwidth and are never placed).
constexpr auto kRowsWqt15 = blocks(kCouplingRow, kCouplingRow, kFilterRow, kBandwidthTextRow);
constexpr auto kRowsWqt25 = blocks(kCouplingRow, kBandwidthRow, kBandwidthRow, edit_row(kItemBandwidth));
constexpr auto kRows4 = blocks(kCouplingRow, kBandwidthRow, kFilterRow, kBandwidthTextRow);
static_assert(B_BANDWIDTH_TEXT + 1 == kBlockRows && kBlocks * kBlockRows == kRows,
              "three blocks of four rows, one row per id 25200..25211");

constexpr int row_of(int block, int row)
{
    return block * kBlockRows + row;
}

// The walks: a coupling shows the page again (its bandwidth texts follow
// it), a noise filter lays it out.
constexpr walk_step coupling_step(int block) { return {static_cast<int8_t>(row_of(block, B_COUPLING)), STEP_RESHOW, nullptr}; }
constexpr walk_step bandwidth_step(int block) { return {static_cast<int8_t>(row_of(block, B_BANDWIDTH)), 0, nullptr}; }
constexpr walk_step filter_step(int block) { return {static_cast<int8_t>(row_of(block, B_FILTER)), STEP_RELAYOUT, nullptr}; }

constexpr walk_step kWalkWqt15[] = {coupling_step(0), filter_step(0), coupling_step(1),
                                    filter_step(1),   coupling_step(2), filter_step(2)};
constexpr walk_step kWalkWqt25[] = {coupling_step(0), bandwidth_step(0), coupling_step(1),
                                    bandwidth_step(1), coupling_step(2), bandwidth_step(2)};
constexpr walk_step kWalkWqt35[] = {coupling_step(0), bandwidth_step(0), filter_step(0),
                                    coupling_step(1), bandwidth_step(1), filter_step(1),
                                    coupling_step(2), filter_step(2),    bandwidth_step(2)};
constexpr walk_step kWalkWqt45[] = {coupling_step(0), bandwidth_step(0), filter_step(0),
                                    coupling_step(1), bandwidth_step(1), filter_step(1),
                                    coupling_step(2), bandwidth_step(2), filter_step(2)};

// ---- Bandwidth lists --------------------------------------------------------

const option_list kAcBandwidths = {"Wide (5Hz-2MHz)", "Low (5Hz-30kHz)", "dc (dc-5Hz)"};
const option_list kDcBandwidths = {"Wide (dc-2MHz)", "Low (dc-30kHz)", "dc (dc-5Hz)"};
const option_list kAcBandwidthsLow = {"Wide (5Hz-2MHz)", "Low (5Hz-200kHZ)", "dc (dc-5Hz)"};
const option_list kDcBandwidthsLow = {"Wide (dc-2MHz)", "Low (dc-200kHZ)", "dc (dc-5Hz)"};
const option_list kAcBandwidthsWqt35 = {"Wide (5Hz-1MHz)", "Low (5Hz-200kHz)"};
const option_list kDcBandwidthsWqt35 = {"Wide (dc-1MHz)", "Low (dc-200kHz)"};
constexpr uint32_t kLowCurrentOption = 2;

const option_list& bandwidths(config_family family, bool ac, uint32_t option_code)
{
    if (family == config_family::wqt35xx)
        return ac ? kAcBandwidthsWqt35 : kDcBandwidthsWqt35;
    if (option_code & kLowCurrentOption)
        return ac ? kAcBandwidthsLow : kDcBandwidthsLow;
    return ac ? kAcBandwidths : kDcBandwidths;
}

// Each block's bandwidth list by its coupling (1: ac), stored as the
// item's options; the list keeps its position.
void bandwidth_lists(const page_def& page, instrument_config& config)
{
    for (int b = 0; b < kBlocks; ++b) {
        int coupling = 0;
        config.get_value_int(kItemCoupling + kPhaseSetOffsets[b], coupling);
        const int item = kItemBandwidth + kPhaseSetOffsets[b];
        config.set_option_list(item, bandwidths(page.family, coupling == 1, get_current_instrument().option_code));
        if (HWND list = row_control(page, row_of(b, B_BANDWIDTH)))
            fill_item_combobox(config, list, item);
    }
}

// ---- Layouts ------------------------------------------------------------------

const page_def& page_of(config_family family)
{
    return kCouplingPages[static_cast<int>(family)];
}

struct wiring_state {
    int p; // phase count
    int w; // wiring (item 82)
    int i; // independent input (item 22)
};

wiring_state wiring_now()
{
    return {current_phase_count(), item_now(kItemWiring),
            item_now(kItemRangingSkip)};
}

bool second_block_shown(const wiring_state& s)
{
    return independent_wiring(s.p, s.w) ||
           (s.i != 0 && ((s.p >= 2 && (s.w == 1 || s.w == 2)) || (s.p >= 3 && (s.w == 3 || s.w == 6))));
}

// The third block; the WQT15 family leaves the independent wirings out.
bool third_block_shown(const wiring_state& s, bool independents)
{
    return (independents && independent_wiring(s.p, s.w)) || (s.p >= 3 && s.w == 6) ||
           (s.i != 0 && s.p >= 3 && s.w == 3);
}

// A block at the top of its column: the rows the family shows of it, the
// bandwidth entry only while the block's noise filter is on.
void place_block(grid_cursor& grid, int column_top, int block, std::initializer_list<int> rows)
{
    int at = column_top;
    for (int row : rows) {
        if (row == B_BANDWIDTH_TEXT && item_now(kItemNoiseFilter + kPhaseSetOffsets[block]) == 0)
            continue;
        grid.at(at++, row_of(block, row));
    }
}

// The blocks of a family in their columns: the first always, the second
// and third when their conditions hold, each column after the last one
// used.
void layout_blocks(config_family family, std::initializer_list<int> rows, bool second, bool third)
{
    grid_cursor grid(page_of(family));
    place_block(grid, 0, 0, rows);
    int column = 5;
    if (second) {
        place_block(grid, column, 1, rows);
        column = 10;
    }
    if (third)
        place_block(grid, column, 2, rows);
}

template <size_t Steps>
constexpr page_def coupling(config_family family, const std::array<row_def, kRows>& rows,
                            const walk_step (&walk)[Steps], page_hook lists, void (*layout)())
{
    return {.kind = PAGE_COUPLING, .family = family, .row_count = row_count_of(rows), .rows = rows.data(),
            .walk = walk, .walk_count = steps(walk), .lists = lists, .layout = layout};
}

} // namespace

constexpr page_def kCouplingPages[5] = {
    coupling(config_family::wqt15xx, kRowsWqt15, kWalkWqt15, nullptr, layout_coupling_page_wqt15xx),
    coupling(config_family::wqt25xx, kRowsWqt25, kWalkWqt25, bandwidth_lists, layout_coupling_page_wqt25xx),
    coupling(config_family::wqt35xx, kRows4, kWalkWqt35, bandwidth_lists, layout_coupling_page_wqt35xx),
    coupling(config_family::wqt45xx, kRows4, kWalkWqt45, bandwidth_lists, layout_coupling_page_wqt45xx),
    coupling(config_family::wqt55xx, kRows4, kWalkWqt45, bandwidth_lists, layout_coupling_page_wqt55xx),
};
static_assert(kCouplingPages[2].family == config_family::wqt35xx &&
                  kCouplingPages[4].family == config_family::wqt55xx,
              "the pages stand in family order");

void show_coupling_page_wqt15xx(HWND w) { show_page(page_of(config_family::wqt15xx), w); }
void show_coupling_page_wqt25xx(HWND w) { show_page(page_of(config_family::wqt25xx), w); }
void show_coupling_page_wqt35xx(HWND w) { show_page(page_of(config_family::wqt35xx), w); }
void show_coupling_page_wqt45xx(HWND w) { show_page(page_of(config_family::wqt45xx), w); }
void show_coupling_page_wqt55xx(HWND w) { show_page(page_of(config_family::wqt55xx), w); }

void layout_coupling_page_wqt15xx()
{
    const wiring_state s = wiring_now();
    layout_blocks(config_family::wqt15xx, {B_COUPLING, B_FILTER, B_BANDWIDTH_TEXT}, second_block_shown(s),
                  third_block_shown(s, false));
}

void layout_coupling_page_wqt25xx()
{
    const wiring_state s = wiring_now();
    layout_blocks(config_family::wqt25xx, {B_COUPLING, B_BANDWIDTH}, second_block_shown(s),
                  third_block_shown(s, true));
}

// The two-group model: no second block, and nothing at all on group 2
// while it measures the same three phases as group 1.
void layout_coupling_page_wqt35xx()
{
    const wiring_state s = wiring_now();
    if (get_current_active_group() != 0 && phase_grouping_b(s.p, item_now(kItemGrouping))) {
        grid_cursor empty(page_of(config_family::wqt35xx));
        return;
    }
    layout_blocks(config_family::wqt35xx, {B_COUPLING, B_BANDWIDTH, B_FILTER, B_BANDWIDTH_TEXT}, false,
                  s.p >= 3 && s.w == 6);
}

void layout_coupling_page_wqt45xx()
{
    const wiring_state s = wiring_now();
    layout_blocks(config_family::wqt45xx, {B_COUPLING, B_BANDWIDTH, B_FILTER, B_BANDWIDTH_TEXT},
                  second_block_shown(s), third_block_shown(s, true));
}

void layout_coupling_page_wqt55xx()
{
    const wiring_state s = wiring_now();
    layout_blocks(config_family::wqt55xx, {B_COUPLING, B_BANDWIDTH, B_FILTER, B_BANDWIDTH_TEXT},
                  second_block_shown(s), third_block_shown(s, true));
}
