// The modal dialogs that the code under test opens on this thread: their
// captions as they come up, and scripts that act on them like a user.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Records the caption of every dialog initialised on this thread while it
// lives.
class dialog_watch {
public:
    dialog_watch();
    ~dialog_watch();
    dialog_watch(const dialog_watch&) = delete;
    dialog_watch& operator=(const dialog_watch&) = delete;

    std::vector<std::string> captions() const;
};

// Runs script on the next dialog of this thread once its modal loop shows
// it; a dialog the script leaves open is then cancelled. Scripts given
// before the dialogs open run in order, one per dialog.
void on_next_dialog(std::function<void(HWND dialog)> script);

// How many scripts have not met their dialog yet.
size_t dialog_scripts_waiting();

// Clicks a dialog's button (WM_COMMAND with BN_CLICKED).
void press(HWND dialog, int id);
