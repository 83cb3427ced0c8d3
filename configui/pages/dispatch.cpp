// The page kinds, the registry of their definitions by family, and the page
// dispatch that shows the current page again.
#include "configui/pages/dispatch.h"
#include "configui/engine/page_kinds.h"

#include "configui/engine/config_pages.h"
#include "configui/engine/engine.h"
#include "configui/pages/acquisition.h"
#include "configui/pages/advanced.h"
#include "configui/pages/app_options.h"
#include "configui/pages/auxiliary.h"
#include "configui/pages/coupling.h"
#include "configui/pages/data_log.h"
#include "configui/pages/harmonic.h"
#include "configui/pages/impedance.h"
#include "configui/pages/modes.h"
#include "configui/pages/oscilloscope.h"
#include "configui/pages/phase_meter.h"
#include "configui/pages/power_analyzer.h"
#include "configui/pages/power_integrator.h"
#include "configui/pages/ranging.h"
#include "configui/pages/rms_voltmeter.h"
#include "configui/pages/system_options.h"
#include "configui/pages/torque_speed.h"
#include "frame/control_tables.h"
#include "slots/instrument_slots.h"

#include <algorithm>
#include <iterator>

namespace {

// The pages' definitions by kind, each an array by family (a family
// without the kind's page has a definition without rows).
const page_def* const kPageDefs[PAGE_KINDS] = {
    kAcquisitionPages, kAdvancedPages, kCouplingPages, kRangingPages, kDataLogPages, kAppOptionsPages, kAuxiliaryPages,
    kSystemOptionsPages,
    kRmsVoltmeterPages, kPhaseMeterPages, kPowerAnalyzerPages, kTorqueSpeedPages, kImpedancePages,
    kPowerIntegratorPages, kHarmonicPages, kOscilloscopePages, kFluctuatingPages, kFlickermeterPages,
};

// How show_config_page finds the builder of each page number.
enum class page_route : int8_t { kind, mode, torque_or_mode };
struct page_entry {
    page_route route;
    page_kind kind;
};
constexpr page_entry kPageRoutes[] = {
    {page_route::kind, PAGE_ACQUISITION},  {page_route::kind, PAGE_ADVANCED},
    {page_route::kind, PAGE_COUPLING},     {page_route::kind, PAGE_RANGING},
    {page_route::kind, PAGE_DATA_LOG},     {page_route::kind, PAGE_APP_OPTIONS},
    {page_route::kind, PAGE_AUXILIARY},    {page_route::kind, PAGE_SYSTEM_OPTIONS},
    {page_route::mode, PAGE_KINDS},        {page_route::torque_or_mode, PAGE_TORQUE_SPEED},
};
static_assert(std::size(kPageRoutes) == 10, "pages 0..9");

bool has_torque_speed_page(config_family family)
{
    return family == config_family::wqt45xx || family == config_family::wqt55xx;
}

// A kind the family has no page of: its title and page button, the
// context button hidden, the grid emptied, and its page number made current.
void show_bare_page(page_kind kind)
{
    const page_kind_facts& facts = kPageKindFacts[kind];
    write_page_head(kind, {facts.title_text, -1, false});
    config_current_page = facts.page;
    config_layout_place_row(-1, nullptr, nullptr);
}

} // namespace

const page_def* find_page_def(int kind, config_family family)
{
    if (kind < 0 || kind >= PAGE_KINDS || kPageDefs[kind] == nullptr)
        return nullptr;
    const page_def& def = kPageDefs[kind][static_cast<int>(family)];
    return def.row_count > 0 ? &def : nullptr;
}

void show_page_kind(page_kind kind, config_family family, HWND config_window)
{
    if (const page_def* def = find_page_def(kind, family))
        show_page(*def, config_window);
    else
        show_bare_page(kind);
}

void show_config_page(HWND config_window)
{
    if (config_current_page < 0 || config_current_page >= static_cast<int>(std::size(kPageRoutes)))
        return;
    const config_family family = current_page_family();
    const page_entry& entry = kPageRoutes[config_current_page];
    if (entry.route == page_route::kind ||
        (entry.route == page_route::torque_or_mode && has_torque_speed_page(family)))
        show_page_kind(entry.kind, family, config_window);
    else
        show_mode_page(family, config_window);
}

void invalidate_all_config_pages()
{
    std::fill(std::begin(config_page_dirty), std::end(config_page_dirty), uint8_t{1});
    show_config_page(get_config_window());
}

void show_mode_page(config_family family, HWND config_window)
{
    const page_kind kind = switch_to_current_mode(family);
    if (kind != PAGE_KINDS)
        show_page_kind(kind, family, config_window);
}

void show_mode_page_wqt15xx(HWND w) { show_mode_page(config_family::wqt15xx, w); }
void show_mode_page_wqt25xx(HWND w) { show_mode_page(config_family::wqt25xx, w); }
void show_mode_page_wqt35xx(HWND w) { show_mode_page(config_family::wqt35xx, w); }
void show_mode_page_wqt45xx(HWND w) { show_mode_page(config_family::wqt45xx, w); }
void show_mode_page_wqt55xx(HWND w) { show_mode_page(config_family::wqt55xx, w); }
