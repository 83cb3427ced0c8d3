// The measurement-mode dispatch and the Mode list every mode page shares:
// which page each mode value has in each family, the write of item 1 when
// the mode shown changes, and the Mode list's options by instrument.
#include "configui/pages/modes.h"

#include "config/default_configs.h"
#include "config/instrument_config.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/page_kinds.h"
#include "configui/engine/rows.h"
#include "slots/instrument_slots.h"

#include <algorithm>
#include <iterator>

int last_mode_shown[5] = {-1, -1, -1, -1, -1};

namespace {

constexpr int kFamilies = static_cast<int>(std::size(last_mode_shown));

// The page of each mode value, 0..8.
constexpr page_kind kModePages[] = {
    PAGE_RMS_VOLTMETER, PAGE_PHASE_METER,  PAGE_POWER_ANALYZER, PAGE_IMPEDANCE,    PAGE_INTEGRATOR,
    PAGE_HARMONIC,      PAGE_OSCILLOSCOPE, PAGE_FLUCTUATING,    PAGE_FLICKERMETER,
};
// How many of those modes each family has a page for (by config_family):
// the last two are the WQT55 family's only. Any other value shows the Power
// Analyzer page.
constexpr int kFamilyModes[kFamilies] = {7, 7, 7, 7, 9};
static_assert(std::size(kModePages) == 9 && kFamilyModes[static_cast<int>(config_family::wqt55xx)] == 9,
              "nine modes, all of them the WQT55 family's");

constexpr int kModeOscilloscope = 6;
// The WQT15 model without an oscilloscope: its mode 6 has no page and no
// entry in the Mode list.
constexpr uint32_t kModelWithoutScope = 6;

// The Mode list's texts in value order; the WQT55 family's list ends in one
// of two ways.
constexpr const char* kModeNames[] = {
    "RMS Voltmeter",     "Phase Meter",  "Power Analyzer", "Impedance Analyzer", "Power Integrator",
    "Harmonic Analyzer", "Oscilloscope", "Fluctuating Harmonics", "Flickermeter",
};
constexpr int kModesWithoutScope = kModeOscilloscope;
constexpr int kModesWithScope = kModeOscilloscope + 1;
static_assert(std::size(kModeNames) == std::size(kModePages), "a text for each mode's page, in value order");
const option_list kListWithoutScope(kModeNames, kModeNames + kModesWithoutScope);
const option_list kListWithScope(kModeNames, kModeNames + kModesWithScope);
const option_list kListWqt55(std::begin(kModeNames), std::end(kModeNames));
const option_list kListCapture = [] {
    option_list list = kListWithScope;
    list.push_back("Capture");
    return list;
}();
// The model digit of the capture variant.
constexpr int kCaptureDigit = 2;

bool scope_available(config_family family, uint32_t model_code)
{
    return family != config_family::wqt15xx || model_code != kModelWithoutScope;
}

// The Mode list of a family whose list depends on the instrument; null
// where the configuration model's own list stands.
const option_list* mode_options(config_family family)
{
    switch (family) {
    case config_family::wqt15xx:
        return scope_available(family, get_current_instrument().model_code) ? &kListWithScope
                                                                            : &kListWithoutScope;
    case config_family::wqt55xx:
        return current_model_digit() == kCaptureDigit ? &kListCapture : &kListWqt55;
    default:
        return nullptr;
    }
}

page_kind mode_page_kind(config_family family, int mode)
{
    if (mode < 0 || mode >= kFamilyModes[static_cast<int>(family)])
        return PAGE_POWER_ANALYZER;
    if (mode == kModeOscilloscope && !scope_available(family, get_current_instrument().model_code))
        return PAGE_POWER_ANALYZER;
    return kModePages[mode];
}

int mode_of(instrument_config& config)
{
    int mode = 0;
    return config.get_value_int(kItemMode, mode);
}

} // namespace

// Without an identification reply the digit is 0; nothing is told.
int current_model_digit()
{
    return std::max(0, model_digit_of(&get_current_instrument()));
}

void mode_lists(const page_def& page, instrument_config& config)
{
    const option_list* options = mode_options(page.family);
    if (options == nullptr)
        return;
    config.set_option_list(kItemMode, *options);
    if (HWND list = row_control(page, kModeRowIndex))
        fill_item_combobox(config, list, kItemMode);
}

// The instrument is switched to the mode shown whatever the auto-send
// setting says. The mode counts as shown before the write, so a write that
// fails is not tried again until another mode has been shown; with
// auto-send on the failure is told as a change's would be.
page_kind switch_to_current_mode(config_family family)
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    if (!config)
        return PAGE_KINDS;
    int& last = last_mode_shown[static_cast<int>(family)];
    const int mode = mode_of(*config);
    if (mode != last) {
        last = mode;
        note_item_write(*config, kItemMode, config->write_item(kItemMode, &get_current_instrument(), false));
    }
    return mode_page_kind(family, mode_of(*config));
}
