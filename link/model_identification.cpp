// The model identification table: one row per model text beginning, in the
// order they are tried, so that a longer beginning comes before a shorter one
// that it starts with ("WQT55" before "WQT5", "RKDX" before "RKD").
#include "link/model_identification.h"

#include <iterator>

namespace {

// A further field some models set: none, the phase count or the option code.
enum class sets { nothing, phases, option };

struct model_row {
    const char* begins;
    uint32_t code;
    sets also;
    // The value set: `special_value` when the text begins with `special`
    // (nullptr: never), else `value`.
    const char* special;
    uint32_t special_value;
    uint32_t value;
};

constexpr model_row row(const char* begins, uint32_t code)
{
    return {begins, code, sets::nothing, nullptr, 0, 0};
}

constexpr model_row kModels[] = {
    row("RKDX", 18),
    row("RKD06", 13),
    row("RKD02", 13),
    row("RKD03", 13),
    row("RKD18", 15),
    row("RKD30", 15),
    row("RKD67", 15),
    row("RKD100", 17),
    row("RKD", kOtherRkdModel),
    {"HOB37", 9, sets::phases, "HOB3753", 3, 2},
    row("HOB22", 7),
    {"HOB17", 7, sets::option, "HOB1700", 0, 2},
    {"OBR-IV", 7, sets::option, nullptr, 0, 2},
    {"TEF-IV", 7, sets::option, nullptr, 0, 2},
    row("DELK45", 10),
    row("DELK50", 11),
    row("WQT55", 5),
    row("MUV40", 5),
    row("WQT45", 4),
    row("WQT35", 16),
    row("WQT25", 2),
    row("WQT26", 3),
    row("KAJ interface", 3),
    row("WQT15", 1),
    row("WQT5", 6),
    row("GUF", 12),
    row("YEB", 12),
    row("WIZ", 12),
    row("LOMX-RS232", kConverterModel),
};
static_assert(std::size(kModels) == 29, "29 model text beginnings");

constexpr bool same_text(const char* a, const char* b)
{
    while (*a && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

constexpr bool begins_with(const char* text, const char* prefix)
{
    while (*prefix && *text == *prefix) {
        ++text;
        ++prefix;
    }
    return *prefix == '\0';
}

// No row may be hidden by an earlier one whose beginning it starts with.
constexpr bool every_row_reachable()
{
    for (size_t i = 0; i < std::size(kModels); ++i)
        for (size_t j = 0; j < i; ++j)
            if (begins_with(kModels[i].begins, kModels[j].begins) &&
                !same_text(kModels[i].begins, kModels[j].begins))
                return false;
    return true;
}
static_assert(every_row_reachable(), "a longer model beginning must come before a shorter one");

} // namespace

uint32_t identify_model_code(const char* model_text, uint32_t* phase_count, uint32_t* option_code)
{
    if (model_text == nullptr)
        return 0;
    for (const model_row& model : kModels) {
        if (!begins_with(model_text, model.begins))
            continue;
        const uint32_t value = model.special && begins_with(model_text, model.special)
                                   ? model.special_value
                                   : model.value;
        if (model.also == sets::phases && phase_count)
            *phase_count = value;
        if (model.also == sets::option && option_code)
            *option_code = value;
        return model.code;
    }
    return 0;
}
