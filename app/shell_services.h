// The shell's dialogs and pages as the frame uses them: the open and save
// file dialogs, the folder browser and web pages. Each goes through one
// function that a test can replace, so that no test waits in a shell dialog
// or opens a page.
#pragma once
#include <windows.h>
#include <commdlg.h>

enum class folder_choice {
    cancelled, // nothing chosen
    chosen,    // a folder of the file system
    invalid,   // something chosen that is no folder of the file system
};

using folder_browser_fn = folder_choice (*)(HWND owner, const char* title, const char* start,
                                            char (&chosen)[MAX_PATH]);
using file_dialog_fn = bool (*)(OPENFILENAMEA& request, bool save);
using web_page_fn = void (*)(const char* address);

// The folder browser (new dialog style with an edit box), starting at start.
folder_choice browse_for_folder(HWND owner, const char* title, const char* start,
                                char (&chosen)[MAX_PATH]);
// GetSaveFileNameA (save) or GetOpenFileNameA; false when cancelled.
bool choose_file(OPENFILENAMEA& request, bool save);
// Opens the page in the user's browser.
void open_web_page(const char* address);

// Each setter installs a replacement (nullptr: the shell's own) and returns
// the one installed before.
folder_browser_fn set_folder_browser(folder_browser_fn fn);
file_dialog_fn set_file_dialog(file_dialog_fn fn);
web_page_fn set_web_page_opener(web_page_fn fn);
