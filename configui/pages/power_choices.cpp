// The efficiency ratios and the torque and speed scale-factor rows shared by
// the Application Options, Power Analyzer and torque/speed pages.
#include "configui/pages/power_choices.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "configui/engine/engine.h"

option_list efficiency_choices(config_family family, int phases)
{
    option_list list{"Disabled"};
    if (family == config_family::wqt15xx) {
        if (phases == 2)
            list.insert(list.end(), {"Phase 1 / Phase 2", "Phase 2 / Phase 1"});
        else if (phases >= 3)
            list.insert(list.end(), {"Phase / Next Phase", "Next Phase / Phase", "Phase 3 / Sum", "Sum / Phase 3"});
        return list;
    }
    if (phases >= 2)
        list.insert(list.end(), {"Phase / Next Phase", "Next Phase / Phase", "Slave / Master", "Master / Slave",
                                 "Mechanical / Sum", "Sum / Mechanical"});
    if (phases >= 3)
        list.insert(list.end(), {"Phase 3 / Sum", "Sum / Phase 3"});
    return list;
}

bool wqt35xx_efficiency_shown(int p, int g)
{
    return p == 3 || (p == 4 && g != 3) || (p == 5 && (g < 2 || g == 4)) || (p == 6 && (g == 0 || g == 4));
}

int speed_scale_item(instrument_config& config)
{
    return pulsed_speed(value_in(config, kItemTorqueSpeed)) ? 87 : 86;
}

void torque_speed_labels(const page_def& page, instrument_config& config, int torque_row, int speed_row)
{
    const int torque = value_in(config, kItemTorqueSpeed);
    SetWindowTextA(row_label(page, torque_row),
                   pulsed_torque(torque) ? "Scale Factor Nm/Hz" : "Scale Factor Nm/V");
    SetWindowTextA(row_label(page, speed_row),
                   analogue_speed(torque) ? "Scale Factor rpm/V" : "Scale Factor pulses/rev");
}
