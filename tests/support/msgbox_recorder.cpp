#include "tests/support/msgbox_recorder.h"

#include "base/message_box.h"
#include "tests/support/test_window.h"

#include <atomic>
#include <deque>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<recorded_box> g_shown;
std::deque<int> g_answers;
std::atomic<bool> g_deliver_posted{false};
std::atomic<bool> g_take_focus{false};

int default_answer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return IDOK;
    case MB_YESNO:
        return IDNO;
    default:
        return IDCANCEL;
    }
}

int record(HWND owner, const char* text, const char* caption, UINT type)
{
    // A box takes the focus as it is made, before it shows.
    HWND focus = g_take_focus ? GetFocus() : nullptr;
    if (g_take_focus)
        SetFocus(nullptr);
    int answer = 0;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_shown.push_back({text ? text : "", caption ? caption : "", type, owner});
        answer = default_answer(type);
        if (!g_answers.empty()) {
            answer = g_answers.front();
            g_answers.pop_front();
        }
    }
    if (g_deliver_posted)
        deliver_posted_messages();
    if (focus != nullptr && IsWindow(focus))
        SetFocus(focus);
    return answer;
}

} // namespace

namespace msgbox {

void reset()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_shown.clear();
    g_answers.clear();
    g_deliver_posted = false;
    g_take_focus = false;
}

void deliver_posted_while_shown(bool on)
{
    g_deliver_posted = on;
}

void take_focus_while_shown(bool on)
{
    g_take_focus = on;
}

std::vector<recorded_box> shown()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_shown;
}

std::vector<std::string> texts()
{
    std::vector<std::string> out;
    for (const recorded_box& box : shown())
        out.push_back(box.text);
    return out;
}

void answer_next(int button)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_answers.push_back(button);
}

void install()
{
    set_message_box_handler(record);
}

} // namespace msgbox
