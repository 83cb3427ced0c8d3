#include "app/shell_services.h"

#include "frame/control_tables.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {

folder_choice shell_folder_browser(HWND owner, const char* title, const char* start,
                                   char (&chosen)[MAX_PATH])
{
    char display[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    info.lpfn = browse_folder_callback;
    info.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (!item)
        return folder_choice::cancelled;
    const bool is_folder = SHGetPathFromIDListA(item, chosen) != FALSE;
    CoTaskMemFree(item);
    return is_folder ? folder_choice::chosen : folder_choice::invalid;
}

void shell_web_page(const char* address)
{
    ShellExecuteA(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

folder_browser_fn g_folder_browser = shell_folder_browser;
web_page_fn g_web_page = shell_web_page;

template <typename Fn>
Fn replace(Fn& slot, Fn fn, Fn shell_own)
{
    Fn before = slot;
    slot = fn ? fn : shell_own;
    return before;
}

} // namespace

folder_choice browse_for_folder(HWND owner, const char* title, const char* start,
                                char (&chosen)[MAX_PATH])
{
    chosen[0] = '\0';
    return g_folder_browser(owner, title, start, chosen);
}

void open_web_page(const char* address)
{
    g_web_page(address);
}

folder_browser_fn set_folder_browser(folder_browser_fn fn)
{
    return replace(g_folder_browser, fn, shell_folder_browser);
}

web_page_fn set_web_page_opener(web_page_fn fn)
{
    return replace(g_web_page, fn, shell_web_page);
}
