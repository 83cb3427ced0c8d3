// The model profile table: one row per model code, in the order the
// identification tries their digits (the two-character rows before the
// one-character row they share a first character with).
#include "config/model_profiles.h"

#include "config/instrument_config.h"

#include <iterator>

namespace {

template <class Config>
std::shared_ptr<instrument_config> make_config()
{
    return std::make_shared<Config>();
}

std::shared_ptr<instrument_config> make_35xx_group1()
{
    return std::make_shared<wqt_cfg_35xx>(0);
}

std::shared_ptr<instrument_config> make_35xx_group2()
{
    return std::make_shared<wqt_cfg_35xx>(1);
}

constexpr phase_span kPhases12{1, 2};
constexpr phase_span kPhases13{1, 3};

using F = config_family;

// code, digits, family, group 1, group 2, phase digit, last character,
// last character before "-F2", wiring 7 on three phases, model word,
// oscilloscope, colour download.
constexpr model_profile kProfiles[] = {
    {2, "25", F::wqt25xx, make_config<wqt_cfg_25xx>, nullptr, true, true, false, kPhases13,
     "WQT25", true, false},
    {3, "26", F::wqt25xx, make_config<wqt_cfg_25xx>, nullptr, true, true, false, kPhases13,
     "WQT26", true, false},
    {1, "15", F::wqt15xx, make_config<wqt_cfg_15xx>, nullptr, true, true, false, kPhases12,
     "WQT15", true, true},
    {kTwoGroupModel, "35", F::wqt35xx, make_35xx_group1, make_35xx_group2, true, false, false,
     kNoPhases, "", true, true},
    {4, "45", F::wqt45xx, make_config<wqt_cfg_45xx>, nullptr, true, true, false, kPhases13,
     "WQT45", true, true},
    {5, "55", F::wqt55xx, make_config<wqt_cfg_55xx>, nullptr, true, true, true, kPhases13,
     "WQT55", true, true},
    {6, "5", F::wqt15xx, make_config<wqt_cfg_15xx>, nullptr, true, true, false, kPhases12,
     "WQT5", false, true},
};

static_assert(std::size(kProfiles) == 7, "seven analyser models");

constexpr bool starts_with(const char* text, const char* prefix)
{
    for (; *prefix != '\0'; ++text, ++prefix) {
        if (*text != *prefix)
            return false;
    }
    return true;
}

// No row is hidden behind an earlier one whose digits it begins with (the
// "5" row comes after "55"), and every model code has one row.
constexpr bool rows_in_order()
{
    for (size_t i = 0; i < std::size(kProfiles); ++i) {
        for (size_t j = i + 1; j < std::size(kProfiles); ++j) {
            if (starts_with(kProfiles[j].idn_digits, kProfiles[i].idn_digits))
                return false;
            if (kProfiles[i].model_code == kProfiles[j].model_code)
                return false;
        }
    }
    return true;
}

static_assert(rows_in_order(), "digits tried longest first, one row per model code");

// Codes without a row whose model word is empty rather than "Unknown".
constexpr int kFirstBlankWordCode = 17;
constexpr int kLastBlankWordCode = 19;

} // namespace

model_profile_list model_profile_rows()
{
    return {kProfiles, std::size(kProfiles)};
}

const model_profile* find_model_profile(uint32_t model_code)
{
    for (const model_profile& row : kProfiles) {
        if (row.model_code == model_code)
            return &row;
    }
    return nullptr;
}

const model_profile* identify_model(const char* digits)
{
    if (digits == nullptr)
        return nullptr;
    for (const model_profile& row : kProfiles) {
        if (starts_with(digits, row.idn_digits))
            return &row;
    }
    return nullptr;
}

const char* const* item_names_for_model(uint32_t model_code)
{
    const model_profile* profile = find_model_profile(model_code);
    return profile != nullptr ? profile->item_names() : nullptr;
}

bool is_two_group_model(uint32_t model_code)
{
    const model_profile* profile = find_model_profile(model_code);
    return profile != nullptr && profile->two_group();
}

bool same_config_family(uint32_t a, uint32_t b)
{
    if (a == b)
        return true;
    const model_profile* first = find_model_profile(a);
    const model_profile* second = find_model_profile(b);
    return first != nullptr && second != nullptr && first->family == second->family;
}

const char* model_word(int model_code)
{
    if (model_code >= 0) {
        if (const model_profile* profile = find_model_profile(static_cast<uint32_t>(model_code)))
            return profile->model_word;
    }
    if (model_code >= kFirstBlankWordCode && model_code <= kLastBlankWordCode)
        return "";
    return "Unknown";
}
