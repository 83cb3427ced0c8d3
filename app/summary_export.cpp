#include "app/summary_export.h"

#include "link/instrument_slots.h"
#include "link/transport.h"

#include <fstream>
#include <memory>

bool write_instrument_summary_file(const char* path, int n)
{
    std::fstream out(path, std::ios::out | std::ios::trunc);
    if (!out.is_open())
        return false;
    instrument_slot& instrument = get_instrument(n);
    if (instrument.model_code == kTwoGroupModel) {
        // The second group's summary begins "Group 2": its record has no
        // identification reply.
        auto group2 = std::make_unique<link_record>();
        clear_link_record(group2.get());
        group2->model_code = instrument.model_code;
        std::shared_ptr<instrument_config> group1_config = get_instrument_config_for_group(n, 0);
        std::shared_ptr<instrument_config> group2_config = get_instrument_config_for_group(n, 1);
        group1_config->write_summary_to_stream_for_instrument(out, instrument);
        group2_config->write_summary_to_stream_for_instrument(out, *group2);
    } else {
        get_instrument_active_config(n)->write_summary_to_stream_for_instrument(out, instrument);
    }
    out.close();
    return !out.fail();
}
