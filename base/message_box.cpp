#include "base/message_box.h"

#include <atomic>

namespace {

std::atomic<message_box_fn> g_handler{nullptr};
std::atomic<int> g_boxes_up{0};

// Counts a box as up while it is shown.
class box_up {
public:
    box_up() { ++g_boxes_up; }
    ~box_up() { --g_boxes_up; }
    box_up(const box_up&) = delete;
    box_up& operator=(const box_up&) = delete;
};

} // namespace

int show_message_box(HWND owner, const char* text, const char* caption, UINT type)
{
    const box_up up;
    message_box_fn handler = g_handler.load();
    if (handler)
        return handler(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}

int message_boxes_up()
{
    return g_boxes_up;
}

bool message_box_shown()
{
    return message_boxes_up() > 0;
}

message_box_fn set_message_box_handler(message_box_fn handler)
{
    return g_handler.exchange(handler);
}
