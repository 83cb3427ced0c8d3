// The set rule of the configuration pages, the typed-number reader and the
// run-time parser.
#include "configui/window/change_rule.h"

#include "base/number_text.h"
#include "config/config_choices.h"
#include "config/instrument_config.h"
#include "frame/auto_configs.h"
#include "slots/instrument_slots.h"

#include <cstdio>

namespace {

constexpr int kRunTimeMax = 255;

int run_time_part(int read, int value)
{
    return read && value >= 0 && value <= kRunTimeMax ? value : 0;
}

void set_int(instrument_config* config, int item, int value, link_record* link, bool keep_open)
{
    if (config == nullptr)
        return;
    if (auto_configs_setting())
        config->set_value_int_and_send(item, &value, link, keep_open);
    else
        config->set_value_int(item, value);
}

} // namespace

void config_dispatch_b(int item, int value, link_record* link, bool keep_open)
{
    set_int(get_current_config().get(), item, value, link, keep_open);
}

void config_dispatch_c(int item, const char* text, link_record* link, bool keep_open)
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    if (!config || text == nullptr)
        return;
    if (auto_configs_setting())
        config->set_value_text_and_send(item, text, link, keep_open);
    else
        config->set_value_text(item, text);
}

void config_dispatch_a(int item, int value, link_record* link, int group, bool keep_open)
{
    set_int(get_current_config_ptr(group), item, value, link, keep_open);
}

numeric_text_value::numeric_text_value(const std::string& typed, int decimals)
    : value(0), precision(decimals), ok(false), text(typed)
{
    const long double read = parse_si_value(typed, &ok);
    if (ok)
        value = static_cast<double>(read);
}

std::string numeric_text_value::to_text() const
{
    return format_scientific_text(value, precision);
}

run_time parse_run_time(const char* text)
{
    if (text == nullptr || *text == '\0')
        return {0, 0};
    int hours = 0;
    int minutes = 0;
    const int read = std::sscanf(text, "%d:%d", &hours, &minutes);
    return {run_time_part(read >= 1, hours), run_time_part(read >= 2, minutes)};
}
