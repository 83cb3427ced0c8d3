#include "link/user_report.h"

#include "base/message_box.h"

#include <atomic>

namespace {
std::atomic<user_reporter*> g_reporter{nullptr};
}

int report_to_user(const char* text, const char* caption, unsigned type)
{
    if (user_reporter* reporter = g_reporter.load())
        return reporter->report(text, caption, type);
    return show_message_box(nullptr, text, caption, type);
}

user_reporter* set_user_reporter(user_reporter* reporter)
{
    return g_reporter.exchange(reporter);
}
