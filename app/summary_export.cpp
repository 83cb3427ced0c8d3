#include "app/summary_export.h"

#include "config/model_profiles.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"

#include <fstream>
#include <memory>

bool write_instrument_summary_file(const char* path, int n)
{
    instrument_slot& instrument = get_instrument(n);
    const bool two_groups = is_two_group_model(instrument.model_code);
    const std::shared_ptr<instrument_config> first =
        two_groups ? get_instrument_config_for_group(n, 0) : get_instrument_active_config(n);
    const std::shared_ptr<instrument_config> second =
        two_groups ? get_instrument_config_for_group(n, 1) : nullptr;
    // An instrument that was never connected has no configuration to list.
    if (!first || (two_groups && !second))
        return false;
    std::fstream out(path, std::ios::out | std::ios::trunc);
    if (!out.is_open())
        return false;
    first->write_summary_to_stream_for_instrument(out, instrument);
    if (two_groups) {
        // The second group's summary begins "Group 2": its record has no
        // identification reply.
        auto group2 = std::make_unique<link_record>();
        clear_link_record(group2.get());
        group2->model_code = instrument.model_code;
        second->write_summary_to_stream_for_instrument(out, *group2);
    }
    out.close();
    return !out.fail();
}
