// The set rule of the configuration pages and the report of what a user
// action did not bring to the instrument.
#include "configui/engine/change_rule.h"

#include "base/message_box.h"
#include "config/config_choices.h"
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "frame/auto_configs.h"
#include "link/item_exchange.h"
#include "slots/instrument_slots.h"

#include <string>
#include <vector>

namespace {

// A failure of the action now under way: a write or a read-back the
// instrument did not answer or refused (its item_error_code), or a value
// not sent for lying outside its limits (the text that says so).
struct first_failure {
    bool any = false;
    bool write = false;
    int32_t code = 0;
    bool told = false; // the action told it itself
    std::string limits;
};
// A report of its own that is open: the first failure of its action and
// how many boxes were up when it opened.
struct open_report {
    first_failure first;
    int boxes_up;
};
// The reports of their own open, the innermost last (GUI thread only: the
// Config window's commands run there, one inside another's box when a
// modal box delivers posted messages and focus changes).
std::vector<open_report> open_reports;

const char* const* current_item_names()
{
    return item_names_for_model(get_current_instrument().model_code);
}

void tell(const first_failure& failure)
{
    if (failure.told)
        return;
    if (!failure.limits.empty())
        report_item_out_of_limits(failure.limits);
    else if (failure.write)
        report_item_write_failure(failure.code, current_item_names());
    else
        report_item_read_failure(failure.code, current_item_names());
}

// A failure goes into the innermost report open, the action under way,
// when that has none yet; one noted outside any action is told at once.
void note(const first_failure& failure)
{
    if (open_reports.empty())
        tell(failure);
    else if (!open_reports.back().first.any)
        open_reports.back().first = failure;
}

template <typename Store, typename Send>
void store_by_rule(instrument_config* config, int item, Store store, Send send)
{
    if (config == nullptr)
        return;
    if (auto_configs_setting())
        note_item_write(*config, item, send());
    else
        store();
}

} // namespace

void store_item(instrument_config* config, int item, int value, link_record* link, bool keep_open)
{
    store_by_rule(
        config, item, [&] { config->set_value_int(item, value); },
        [&] { return config->set_value_int_and_send(item, &value, link, keep_open); });
}

void store_item_text(instrument_config* config, int item, const char* text, link_record* link, bool keep_open)
{
    if (text == nullptr)
        return;
    store_by_rule(
        config, item, [&] { config->set_value_text(item, text); },
        [&] { return config->set_value_text_and_send(item, text, link, keep_open); });
}

void config_dispatch_b(int item, int value, link_record* link, bool keep_open)
{
    store_item(get_current_config().get(), item, value, link, keep_open);
}

void config_dispatch_c(int item, const char* text, link_record* link, bool keep_open)
{
    store_item_text(get_current_config().get(), item, text, link, keep_open);
}

void config_dispatch_a(int item, int value, link_record* link, int group, bool keep_open)
{
    store_item(get_current_config_ptr(group), item, value, link, keep_open);
}

action_report::action_report()
    : own_(open_reports.empty() || message_boxes_up() > open_reports.back().boxes_up)
{
    if (own_)
        open_reports.push_back({{}, message_boxes_up()});
}

// The report is closed before its failure is told: a command run while the
// box is up opens a report of its own and tells its own failure.
action_report::~action_report()
{
    if (!own_)
        return;
    const first_failure failure = open_reports.back().first;
    open_reports.pop_back();
    if (failure.any)
        tell(failure);
}

void note_item_write(instrument_config& config, int item, const item_write_result& result)
{
    if (!auto_configs_setting())
        return;
    if (result.status == item_write_status::failed) {
        const int32_t got = static_cast<int32_t>(item_error_result(result.error_code));
        note({true, true, make_item_error_code(item, got), false, {}});
    } else if (result.status == item_write_status::out_of_range) {
        note({true, true, 0, false, out_of_limits_text(config, item, current_item_names())});
    }
}

void note_failed_read(int32_t error_code)
{
    note({true, false, error_code, false, {}});
}

void note_failure_told()
{
    if (!open_reports.empty())
        open_reports.back().first = {true, false, 0, true, {}};
}
