#include "base/file_dialog.h"

#include <atomic>

namespace {
std::atomic<file_dialog_fn> g_handler{nullptr};
}

bool show_file_dialog(OPENFILENAMEA& request, bool save)
{
    file_dialog_fn handler = g_handler.load();
    if (handler)
        return handler(request, save);
    return (save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != FALSE;
}

file_dialog_fn set_file_dialog_handler(file_dialog_fn handler)
{
    return g_handler.exchange(handler);
}

bool ask_file_name(HWND owner, const file_dialog_form& form, char* path, DWORD size, bool save)
{
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = form.filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = size;
    request.lpstrTitle = form.title;
    request.lpstrDefExt = form.default_extension;
    request.Flags = form.flags;
    return show_file_dialog(request, save) && path[0] != '\0';
}
