// The minimum-range lists of the one-group families.
#include "configui/pages/range_lists.h"

#include "config/instrument_config.h"
#include "config/item_numbers.h"
#include "config/wiring_rules.h"

namespace {

const option_list kVolts = {"1V", "3V", "10V", "30V", "100V", "300V", "1kV", "3kV"};
const option_list kVoltsWqt55 = {"300mV", "1V", "3V", "10V", "30V", "100V", "300V", "1kV", "3kV"};
const option_list kVoltsX10 = {"100mV", "300mV", "1V", "3V", "10V", "30V", "100V", "300V"};
const option_list kExternal = {"[1mV]", "[3mV]", "[10mV]", "[30mV]", "[100mV]", "[300mV]", "[1V]", "[3V]"};
const option_list kExternalWqt55 = {"[300uV]", "[1mV]", "[3mV]", "[10mV]", "[30mV]",
                                    "[100mV]", "[300mV]", "[1V]",   "[3V]"};
const option_list kAmpsLow = {"10mA", "30mA", "100mA", "300mA", "1A", "3A", "10A", "30A"};
const option_list kAmpsLowWqt55 = {"3mA", "10mA", "30mA", "100mA", "300mA", "1A", "3A", "10A", "30A"};
const option_list kAmpsHigh = {"300mA", "1A", "3A", "10A", "30A", "100A", "300A", "1kA"};
const option_list kAmpsHighWqt45 = {"100mA", "300mA", "1A", "3A", "10A", "30A", "100A", "300A", "1kA"};
const option_list kAmpsStandard = {"100mA", "300mA", "1A", "3A", "10A", "30A", "100A", "300A"};
const option_list kAmpsStandardWqt45 = {"30mA", "100mA", "300mA", "1A", "3A", "10A", "30A", "100A", "300A"};
const option_list kAmpsLowX10 = {"1mA", "3mA", "10mA", "30mA", "100mA", "300mA", "1A", "3A"};
const option_list kAmpsHighX10 = {"30mA", "100mA", "300mA", "1A", "3A", "10A", "30A", "100A"};
const option_list kAmpsStandardX10 = {"10mA", "30mA", "100mA", "300mA", "1A", "3A", "10A", "30A"};

enum class input_kind { internal, x10, external };
enum class current_option { standard, low, high };

// The WQT15 family's inputs have a third value, "Internal x10" (2).
input_kind input_of(config_family family, int value)
{
    if (value == 0)
        return input_kind::internal;
    return family == config_family::wqt15xx && value == 2 ? input_kind::x10 : input_kind::external;
}

current_option option_of(uint32_t option_code)
{
    if (option_code & 2)
        return current_option::low;
    return option_code & 4 ? current_option::high : current_option::standard;
}

const option_list& voltage_ranges(config_family family, input_kind input)
{
    const bool wqt55 = family == config_family::wqt55xx;
    switch (input) {
    case input_kind::internal: return wqt55 ? kVoltsWqt55 : kVolts;
    case input_kind::x10: return kVoltsX10;
    case input_kind::external: break;
    }
    return wqt55 ? kExternalWqt55 : kExternal;
}

const option_list& current_ranges(config_family family, input_kind input, current_option option)
{
    const bool wqt55 = family == config_family::wqt55xx;
    const bool wide = wqt55 || family == config_family::wqt45xx;
    if (input == input_kind::external)
        return wqt55 ? kExternalWqt55 : kExternal;
    if (input == input_kind::x10)
        return option == current_option::low ? kAmpsLowX10 : option == current_option::high ? kAmpsHighX10
                                                                                           : kAmpsStandardX10;
    switch (option) {
    case current_option::low: return wqt55 ? kAmpsLowWqt55 : kAmpsLow;
    case current_option::high: return wide ? kAmpsHighWqt45 : kAmpsHigh;
    case current_option::standard: break;
    }
    return wide ? kAmpsStandardWqt45 : kAmpsStandard;
}

} // namespace

const option_list& voltage_range_list(config_family family, int voltage_input)
{
    return voltage_ranges(family, input_of(family, voltage_input));
}

const option_list& current_range_list(config_family family, int current_input, uint32_t option_code)
{
    return current_ranges(family, input_of(family, current_input), option_of(option_code));
}

void store_range_lists(config_family family, instrument_config& config, uint32_t option_code)
{
    int voltage_input = 0;
    int current_input = 0;
    config.get_value_int(kItemVoltageInput, voltage_input);
    config.get_value_int(kItemCurrentInput, current_input);
    const option_list& volts = voltage_range_list(family, voltage_input);
    const option_list& amps = current_range_list(family, current_input, option_code);
    for (int offset : kPhaseSetOffsets) {
        config.set_option_list(kItemVoltageRange + offset, volts);
        config.set_option_list(kItemCurrentRange + offset, amps);
    }
}
