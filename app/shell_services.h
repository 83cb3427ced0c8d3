// The shell's folder browser and web pages as the frame uses them. Each goes
// through one function that a test can replace, so that no test waits in a
// shell dialog or opens a page. (File dialogs: base/file_dialog.h.)
#pragma once
#include <windows.h>

enum class folder_choice {
    cancelled, // nothing chosen
    chosen,    // a folder of the file system
    invalid,   // something chosen that is no folder of the file system
};

using folder_browser_fn = folder_choice (*)(HWND owner, const char* title, const char* start,
                                            char (&chosen)[MAX_PATH]);
using web_page_fn = void (*)(const char* address);

// The folder browser (new dialog style with an edit box), starting at start.
folder_choice browse_for_folder(HWND owner, const char* title, const char* start,
                                char (&chosen)[MAX_PATH]);
// Opens the page in the user's browser.
void open_web_page(const char* address);

// Each setter installs a replacement (nullptr: the shell's own) and returns
// the one installed before.
folder_browser_fn set_folder_browser(folder_browser_fn fn);
web_page_fn set_web_page_opener(web_page_fn fn);
