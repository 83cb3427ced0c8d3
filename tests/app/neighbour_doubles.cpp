#include "tests/app/neighbour_doubles.h"

#include "app/base/number_text.h"
#include "app/neighbour_services.h"
#include "config/instrument_config.h"

#include <string>

namespace doubles {
int show_page_calls = 0;
int invalidate_calls = 0;
bool auto_configs = false;
bool model3 = false;
bool model6 = false;

void reset()
{
    show_page_calls = 0;
    invalidate_calls = 0;
    auto_configs = false;
    model3 = false;
    model6 = false;
    ranging_phase = 1;
}
} // namespace doubles

int ranging_phase = 1;

HWND config_window_handle()
{
    return nullptr;
}

void show_config_page(HWND)
{
    ++doubles::show_page_calls;
}

void invalidate_all_config_pages()
{
    ++doubles::invalidate_calls;
}

void fill_item_combobox(instrument_config* cfg, HWND combo, int item)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const config_item* it = cfg->item_at(item);
    for (const char* text : it->options)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (it->kind == ITEM_LIST)
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(it->value.integer), 0);
}

numeric_text_value::numeric_text_value(std::string text, int digits)
    : value(0.0), precision(digits), ok(false)
{
    value = static_cast<double>(parse_si_value(text, &ok));
}

bool auto_configs_setting()
{
    return doubles::auto_configs;
}

bool is_param_available_model3(int, int, int, int)
{
    return doubles::model3;
}

bool is_param_available_model6(int, int, int, int)
{
    return doubles::model6;
}

INT_PTR CALLBACK save_setup_dlg_proc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}
