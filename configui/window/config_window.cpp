// The Config window's procedure and its commands: the page buttons, the
// context button by the page shown, and the rows of the pages, each routed
// by its id to the page of the current instrument's family.
#include "configui/window/config_window.h"

#include "base/window_util.h"
#include "config/config_choices.h"
#include "config/identification.h"
#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_choices_ui.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/engine.h"
#include "configui/engine/page_kinds.h"
#include "configui/pages/dispatch.h"
#include "configui/window/default_config_dialog.h"
#include "frame/app_globals.h"
#include "frame/commands.h"
#include "slots/instrument_slots.h"

#include <iterator>

namespace {

using command_fn = void (*)(config_family family, HWND window, WPARAM wparam, LPARAM lparam);

int current_item(instrument_config& config, int item)
{
    int value = 0;
    return config.get_value_int(item, value);
}

void to_default_procedure(config_family, HWND window, WPARAM wparam, LPARAM lparam)
{
    DefWindowProcA(window, WM_COMMAND, wparam, lparam);
}

void do_nothing(config_family, HWND, WPARAM, LPARAM) {}

void repaint(config_family, HWND window, WPARAM, LPARAM)
{
    repaint_window(window);
}

// RANGE starts at phase 1; the two-group family at the first phase its
// wiring and group measure.
void start_ranging(config_family family, HWND window)
{
    ranging_phase = 1;
    if (family == config_family::wqt35xx) {
        if (const std::shared_ptr<instrument_config> config = get_current_config()) {
            int first = -1;
            int last = -1;
            ranging_phase_range(current_item(*config, kItemWiring), current_item(*config, kItemGrouping),
                                &first, &last);
            ranging_phase = first;
        }
    }
    show_page_kind(PAGE_RANGING, family, window);
}

struct page_button {
    int id;
    void (*open)(config_family family, HWND window);
};

template <page_kind Kind>
void open_kind(config_family family, HWND window)
{
    show_page_kind(Kind, family, window);
}

const page_button kPageButtons[] = {
    {IDC_CFG_PAGE_ACQU, open_kind<PAGE_ACQUISITION>},
    {IDC_CFG_PAGE_COUPLING, open_kind<PAGE_COUPLING>},
    {IDC_CFG_PAGE_RANGE, start_ranging},
    {IDC_CFG_PAGE_DATALOG, open_kind<PAGE_DATA_LOG>},
    {IDC_CFG_PAGE_APP, open_kind<PAGE_APP_OPTIONS>},
    {IDC_CFG_PAGE_AUX, open_kind<PAGE_AUXILIARY>},
    {IDC_CFG_PAGE_SYS, open_kind<PAGE_SYSTEM_OPTIONS>},
    {IDC_CFG_PAGE_MODE, show_mode_page},
};

// A page button opens its page whatever the notification.
void open_page_of_button(config_family family, HWND window, WPARAM wparam, LPARAM)
{
    for (const page_button& button : kPageButtons)
        if (button.id == LOWORD(wparam))
            button.open(family, window);
}

// The WQT25 family's ranging step; a wiring whose phases cannot be told
// goes back through RANGE.
void step_ranging_wqt25xx(HWND window, instrument_config& config)
{
    const int wiring = current_item(config, kItemWiring);
    const instrument_slot& slot = get_current_instrument();
    int first = -1;
    int last = -1;
    ranging_phase_range(wiring, 0, &first, &last);
    if (first == -1 || last == -1) {
        PostMessageA(window, WM_COMMAND, IDC_CFG_PAGE_RANGE, 0);
        return;
    }
    const bool skip = ranging_pair_skip(static_cast<int>(slot.phase_count), wiring,
                                        current_item(config, kItemRangingSkip));
    ranging_phase = next_ranging_phase_wqt25xx(ranging_phase, first, last, skip);
}

// The context button of each page number.
void context_of_acquisition(config_family family, HWND window, instrument_config&)
{
    show_page_kind(PAGE_ADVANCED, family, window);
}

void context_of_advanced(config_family, HWND window, instrument_config&)
{
    PostMessageA(window, WM_COMMAND, IDC_CFG_PAGE_ACQU, 0);
}

void context_of_ranging(config_family family, HWND window, instrument_config& config)
{
    if (family == config_family::wqt25xx)
        step_ranging_wqt25xx(window, config);
    else
        advance_ranging_phase(window, &config);
    show_page_kind(PAGE_RANGING, family, window);
}

// "Reset to Default", but for the WQT25 family, whose button is hidden.
void context_of_app_options(config_family family, HWND window, instrument_config& config)
{
    if (family == config_family::wqt25xx)
        return;
    apply_default_config(window, &config, false);
    show_page_kind(PAGE_APP_OPTIONS, family, window);
}

// "More Options >" on the Power Analyzer page, "< Return" on the torque and
// speed page; the WQT25 family goes back to the Power Analyzer from both.
void context_of_mode_page(config_family family, HWND window, instrument_config&)
{
    if (family == config_family::wqt25xx)
        show_page_kind(PAGE_POWER_ANALYZER, family, window);
    else if (family == config_family::wqt45xx || family == config_family::wqt55xx)
        show_page_kind(PAGE_TORQUE_SPEED, family, window);
}

void context_of_torque_speed(config_family family, HWND window, instrument_config&)
{
    if (family != config_family::wqt15xx && family != config_family::wqt35xx)
        show_page_kind(PAGE_POWER_ANALYZER, family, window);
}

struct context_action {
    int page;
    void (*run)(config_family family, HWND window, instrument_config& config);
};

const context_action kContextActions[] = {
    {0, context_of_acquisition}, {1, context_of_advanced},   {3, context_of_ranging},
    {5, context_of_app_options}, {8, context_of_mode_page}, {9, context_of_torque_speed},
};

void press_context_button(config_family family, HWND window, WPARAM, LPARAM)
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    if (!config)
        return;
    const int page = config_current_page;
    for (const context_action& action : kContextActions) {
        if (action.page == page) {
            action.run(family, window, *config);
            return;
        }
    }
}

// The WQT55 family's own mode pages, whose ids the other families ignore.
bool wqt55xx_only_page(int kind)
{
    return kind == PAGE_FLUCTUATING || kind == PAGE_FLICKERMETER;
}

// A row of a page: the family's page of its block, or the default procedure
// where the family has no such page.
void page_row(config_family family, HWND window, WPARAM wparam, LPARAM lparam)
{
    const int id = LOWORD(wparam);
    const int kind = page_kind_of_id(id);
    const page_def* page = find_page_def(kind, family);
    if (page == nullptr) {
        if (!wqt55xx_only_page(kind))
            to_default_procedure(family, window, wparam, lparam);
        return;
    }
    const uint8_t effects = on_page_control(*page, window, id, HIWORD(wparam), reinterpret_cast<HWND>(lparam));
    if (effects & EFFECT_PANELS)
        PostMessageA(main_window, WM_COMMAND, CMD_REFRESH_PANELS, 0);
    if (effects & EFFECT_MODE_PAGE)
        show_mode_page(family, window);
}

struct command_route {
    int first;
    int last;
    command_fn run;
};

constexpr command_route kRoutes[] = {
    {CMD_REDRAW, CMD_REDRAW, repaint},
    {IDC_CFG_CONTROL_LABEL, IDC_CFG_CONFIGURATION_LABEL, to_default_procedure},
    {IDC_CFG_PAGE_ACQU, IDC_CFG_PAGE_APP, open_page_of_button},
    {IDC_CFG_PAGE_MATHS, IDC_CFG_PAGE_REMOTE, to_default_procedure},
    {IDC_CFG_PAGE_AUX, IDC_CFG_PAGE_MODE, open_page_of_button},
    {IDC_CFG_PAGE_PROG, IDC_CFG_PAGE_PROG, do_nothing},
    {IDC_CFG_ADVANCED_OPTIONS, IDC_CFG_ADVANCED_OPTIONS, press_context_button},
    {window_ids::config_pages.first, window_ids::config_pages.last, page_row},
};

void run_config_command(config_family family, HWND window, WPARAM wparam, LPARAM lparam)
{
    const int id = LOWORD(wparam);
    for (const command_route& route : kRoutes) {
        if (id >= route.first && id <= route.last) {
            route.run(family, window, wparam, lparam);
            return;
        }
    }
    to_default_procedure(family, window, wparam, lparam);
}

void on_command(HWND window, WPARAM wparam, LPARAM lparam)
{
    using handler = void (*)(HWND, UINT, WPARAM, LPARAM);
    constexpr handler kHandlers[] = {config_command_wqt15, config_command_wqt25, config_command_wqt35,
                                     config_command_wqt45, config_command_wqt55};
    kHandlers[static_cast<int>(current_page_family())](window, WM_COMMAND, wparam, lparam);
}

} // namespace

void config_command_wqt15(HWND w, UINT, WPARAM wp, LPARAM lp) { run_config_command(config_family::wqt15xx, w, wp, lp); }
void config_command_wqt25(HWND w, UINT, WPARAM wp, LPARAM lp) { run_config_command(config_family::wqt25xx, w, wp, lp); }
void config_command_wqt35(HWND w, UINT, WPARAM wp, LPARAM lp) { run_config_command(config_family::wqt35xx, w, wp, lp); }
void config_command_wqt45(HWND w, UINT, WPARAM wp, LPARAM lp) { run_config_command(config_family::wqt45xx, w, wp, lp); }
void config_command_wqt55(HWND w, UINT, WPARAM wp, LPARAM lp) { run_config_command(config_family::wqt55xx, w, wp, lp); }

LRESULT CALLBACK config_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_CREATE:
        // The entry check makes every page anew through the dispatch.
        set_rebuild_all_pages(invalidate_all_config_pages);
        return 0;
    case WM_COMMAND: {
        // What the command's changes did not bring to the instrument is
        // told once, when the command is done; the control that notified
        // stays until then.
        const control_notifying notifying(reinterpret_cast<HWND>(lparam), window);
        action_report report;
        on_command(window, wparam, lparam);
        return 0;
    }
    case MSG_DESTROY_RETIRED_PAGES:
        destroy_retired_page_windows();
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
