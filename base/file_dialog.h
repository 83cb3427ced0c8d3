// Every open and save file dialog of the program goes through
// show_file_dialog, so that a test can answer it instead of a user, as it
// answers message boxes.
#pragma once
#include <windows.h>
#include <commdlg.h>

using file_dialog_fn = bool (*)(OPENFILENAMEA& request, bool save);

// Shows the save (save true) or open file dialog for the request
// (GetSaveFileNameA or GetOpenFileNameA unless a handler is installed).
// True when the user chose a file; its path is then in request.lpstrFile.
bool show_file_dialog(OPENFILENAMEA& request, bool save);

// Installs a handler in place of the system's dialogs; nullptr restores
// them. Returns the handler that was installed before.
file_dialog_fn set_file_dialog_handler(file_dialog_fn handler);

// What a file dialog of the program asks for: its filter pairs (each text
// ends in a NUL, the list in a second one), default extension, title (null:
// the system's) and OFN_ flags. The first filter is selected.
struct file_dialog_form {
    const char* filter;
    const char* default_extension;
    const char* title;
    DWORD flags;
};

// Asks for a file name into path (size characters, its present text offered
// as the name) with the dialog owned by owner. True when one was chosen.
bool ask_file_name(HWND owner, const file_dialog_form& form, char* path, DWORD size, bool save);
