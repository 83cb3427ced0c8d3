// The item numbers the program's rules name, each held against the item
// tables of a family it stands for: the item's name there and, where
// another named item of that family has the same name, one of its options.
// A name that points at a wrong number shows up as a mismatch. The three
// item sets of the inputs are held against the tables the same way.
#include "config/item_numbers.h"
#include "config/item_tables.h"
#include "config/wiring_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using F = config_family;

struct named_item {
    int number;
    config_family family;
    const char* name;
    const char* option; // nullptr where the name alone tells the item apart
};

const named_item kNamedItems[] = {
    {kItemMode, F::wqt55xx, "Mode", "RMS Voltmeter"},
    {kItemMasterSlave, F::wqt25xx, "Master/Slave", nullptr},
    {kItemLowBlanking, F::wqt25xx, "Low Blanking", nullptr},
    {kItemFrequencyLock, F::wqt45xx, "Frequency Lock", nullptr},
    {kItemLowFrequency, F::wqt45xx, "Low Frequency", nullptr},
    {kItemWindow, F::wqt55xx, "Window", nullptr},
    {kItemSpeed, F::wqt55xx, "Speed", nullptr},
    {kItemSmoothing, F::wqt15xx, "Smoothing", nullptr},
    {kItemSmoothingResponse, F::wqt15xx, "Smoothing Response", nullptr},
    {kItemRangingSkip, F::wqt35xx, "Independent Range", nullptr},
    {kItemVoltageInput, F::wqt45xx, "Voltage Input", nullptr},
    {kItemCurrentInput, F::wqt45xx, "Current Input", nullptr},
    {kItemVoltageRange, F::wqt15xx, "Voltage Minimum Range", nullptr},
    {kItemCurrentRange, F::wqt15xx, "Current Minimum Range", nullptr},
    {kItemCoupling, F::wqt25xx, "Coupling", nullptr},
    {kItemBandwidth, F::wqt25xx, "Bandwidth", nullptr},
    {kItemNoiseFilter, F::wqt15xx, "Noise Filter", nullptr},
    {kItemFilterBandwidth, F::wqt15xx, "Bandwidth", nullptr},
    {kItemFrequencyReference, F::wqt45xx, "Frequency Reference", "Speed Input"},
    {kItemFrequency, F::wqt55xx, "Frequency", nullptr},
    {kItemDatalog, F::wqt35xx, "Datalog", nullptr},
    {kItemInterval, F::wqt35xx, "Interval", nullptr},
    {kItemMinimumFrequency, F::wqt55xx, "Minimum Frequency", nullptr},
    {kItemDefaultMode, F::wqt55xx, "Mode", "PWM Motor Drive"},
    {kItemLowFrequencyMode1, F::wqt55xx, "Low Frequency", nullptr},
    {kItemTemperature, F::wqt45xx, "Temperature", nullptr},
    {kItemWiring, F::wqt55xx, "Wiring", nullptr},
    {kItemIntegration, F::wqt15xx, "Integration", nullptr},
    {kItemTorqueSpeed, F::wqt45xx, "Torque Speed", nullptr},
    {kItemTorqueScale, F::wqt45xx, "Scale Factor Nm/Hz", nullptr},
    {kItemSpeedScale, F::wqt45xx, "Scale Factor pulses/rev", nullptr},
    {kItemDisplay, F::wqt45xx, "Display", nullptr},
    {kItemRatio, F::wqt35xx, "Efficiency", nullptr},
    {kItemTorqueOffset, F::wqt45xx, "Offset 1", nullptr},
    {kItemSpeedOffset, F::wqt45xx, "Offset 2", nullptr},
    {kItemHarmonicComputation, F::wqt35xx, "Computation", "Harmonic RMS"},
    {kItemHarmonic, F::wqt25xx, "Harmonic", nullptr},
    {kItemHarmonicSeries, F::wqt25xx, "Harmonic series up to", nullptr},
    {kItemDevice, F::wqt35xx, "Device", nullptr},
    {kItemFlickerMeasurement, F::wqt55xx, "Measurement", "Voltage"},
    {kItemTShort, F::wqt55xx, "T Short", nullptr},
    {kItemTLong, F::wqt55xx, "T Long", nullptr},
    {kItemRunTime, F::wqt25xx, "Run Time", nullptr},
    {kItemConversion, F::wqt45xx, "Conversion", nullptr},
    {kItemParameter, F::wqt45xx, "Parameter", nullptr},
    {kItemCircuit, F::wqt45xx, "Measurement", "Parallel"},
    {kItemPhaseOffset, F::wqt15xx, "Phase Offset", nullptr},
    {kItemPeak, F::wqt15xx, "Peak", nullptr},
    {kItemRectifiedMean, F::wqt15xx, "Rectified Mean", nullptr},
    {kItemPhaseMeterOffset, F::wqt25xx, "Offset", nullptr},
    {kItemPhaseMeterComputation, F::wqt25xx, "Computation", "Ch2 / Ch1"},
    {kItemDefaultSelector, F::wqt55xx, "Mode", "IEC61000-3-3 (flicker)"},
    {kItemTestClass, F::wqt55xx, "Class", nullptr},
    {kItemTestPower, F::wqt55xx, "Power", "Specified"},
    {kItemCrestFactor, F::wqt45xx, "Crest Factor", nullptr},
    {kItemExternalScaling, F::wqt35xx, "Extern. System Scaling", nullptr},
    // Numbers that stand for different items by family.
    {kItemGrouping, F::wqt35xx, "Grouping", nullptr},
    {kItemTimeReference, F::wqt45xx, "Time Reference", nullptr},
    {kItemFrequencyPhase, F::wqt15xx, "Frequency Reference", "Phase 3"},
    {kItemFrequencyReferenceWqt25, F::wqt25xx, "Frequency Reference", "Speed Input"},
    {kItemFrequencyFilterWqt25, F::wqt25xx, "Frequency Filter", nullptr},
    {kItemGraph, F::wqt45xx, "Graph", nullptr},
    {kItemHighspeedWqt25, F::wqt25xx, "Highspeed", nullptr},
    {kItemGearRatio, F::wqt25xx, "Gear Ratio", nullptr},
    {kItemPenultimateLine, F::wqt15xx, "Penultimate Line", nullptr},
    {kItemPowerLastLine, F::wqt15xx, "Last Line", "Selected Harmonic"},
    {kItemVoltmeterLastLine, F::wqt15xx, "Last Line", "Form Factor"},
};

const item_def* find_item(config_family family, int number)
{
    const item_def_table table = family_item_definitions(family);
    for (size_t i = 0; i < table.count; ++i)
        if (table.items[i].id == number)
            return &table.items[i];
    return nullptr;
}

bool has_option(const item_def& item, const std::string& text)
{
    for (unsigned k = 0; k < item.option_count; ++k)
        if (text == item.options[k])
            return true;
    return false;
}

} // namespace

TEST(ItemNumbers, EachNamesItsItemInTheFamilyItStandsFor)
{
    for (const named_item& row : kNamedItems) {
        EXPECT_STREQ(config_item_names(row.family)[row.number], row.name) << "item " << row.number;
        const item_def* item = find_item(row.family, row.number);
        ASSERT_NE(item, nullptr) << "item " << row.number;
        if (row.option != nullptr) {
            EXPECT_TRUE(has_option(*item, row.option)) << "item " << row.number << " lacks " << row.option;
        }
    }
}

// Each item set repeats the first set's items at its offset, in every family.
TEST(ItemNumbers, TheItemSetsLieAtTheirOffsets)
{
    const int first_set[] = {kItemVoltageInput, kItemCurrentInput, kItemVoltageRange, kItemCurrentRange,
                             kItemCoupling,     kItemBandwidth,    kItemNoiseFilter,  kItemFilterBandwidth};
    for (config_family family : {F::wqt15xx, F::wqt25xx, F::wqt35xx, F::wqt45xx, F::wqt55xx}) {
        const char* const* names = config_item_names(family);
        for (int item : first_set) {
            for (int offset : kPhaseSetOffsets) {
                EXPECT_STREQ(names[item + offset], names[item])
                    << "family " << static_cast<int>(family) << ", item " << item << " + " << offset;
            }
        }
    }
}
