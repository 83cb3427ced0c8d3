#include "configui/item_controls.h"

#include "base/number_text.h"
#include "config/instrument_config.h"

void fill_item_combobox(instrument_config& config, HWND combo, int item)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    const config_item* source = config.item_at(item);
    if (!source)
        return;
    for (const char* text : source->options)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    const WPARAM selected = source->kind == ITEM_LIST ? static_cast<WPARAM>(source->value.integer) : -1;
    SendMessageA(combo, CB_SETCURSEL, selected, 0);
}

numeric_text_value::numeric_text_value(const std::string& typed, int digits)
    : value(0), digit_count(digits), text(typed), valid(false)
{
    const long double read = parse_si_value(typed, &valid);
    if (valid)
        value = static_cast<double>(read);
}
