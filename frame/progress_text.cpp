#include "frame/progress_text.h"

#include "base/clocks.h"
#include "base/text_util.h"

int64_t progress_estimate_ms(uint64_t elapsed_ms, int position, int total)
{
    if (position <= 0 || total <= 0)
        return -1;
    const uint64_t per_step = elapsed_ms / static_cast<uint64_t>(position);
    const int remaining_steps = total > position ? total - position : 0;
    return static_cast<int64_t>(static_cast<double>(per_step) * remaining_steps);
}

std::string progress_time_remaining_text(uint64_t elapsed_ms, int position, int total)
{
    const int64_t estimate = progress_estimate_ms(elapsed_ms, position, total);
    std::string span_text;
    if (estimate >= 0) {
        SYSTEMTIME span;
        milliseconds_to_span(span, estimate, false);
        format_time_span(span_text, span, SPAN_TEXT_UNITS | SPAN_TEXT_NO_DAYS | SPAN_TEXT_SECONDS);
        // Only the largest unit: "2 Hours", not "2 Hours, 5 Minutes".
        const size_t comma = span_text.find(',');
        if (comma != std::string::npos)
            span_text.erase(comma);
    }
    if (span_text.empty())
        span_text = "Unknown";
    return "Estimated time remaining: " + span_text;
}

std::string progress_step_text(bool percent_mode, bool time_mode, int position, int total,
                               uint64_t elapsed_ms)
{
    std::string text;
    if (percent_mode) {
        const int percent = total > 0 ? static_cast<int>(static_cast<double>(position) / total * 100.0) : 0;
        return string_format(text, "%d%% complete", percent);
    }
    if (time_mode)
        return progress_time_remaining_text(elapsed_ms, position, total);
    return string_format(text, "Progress: %d/%d", position, total);
}

std::string progress_total_text(bool percent_mode, bool time_mode, int total)
{
    std::string text;
    if (percent_mode)
        return string_format(text, "%d%% complete", 0);
    if (time_mode)
        return "Estimated time remaining: Unknown";
    return string_format(text, "Progress: 0/%d", total);
}
