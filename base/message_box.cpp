#include "base/message_box.h"

#include <atomic>

namespace {
std::atomic<message_box_fn> g_handler{nullptr};
}

int show_message_box(HWND owner, const char* text, const char* caption, UINT type)
{
    message_box_fn handler = g_handler.load();
    if (handler)
        return handler(owner, text, caption, type);
    return MessageBoxA(owner, text, caption, type);
}

message_box_fn set_message_box_handler(message_box_fn handler)
{
    return g_handler.exchange(handler);
}
