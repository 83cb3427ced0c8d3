// The modal dialogs that the code under test opens on this thread, by their
// captions as they come up (progress dialogs, which nothing drives, among
// them). Tests drive dialogs with tests/support/modal_dialog.h.
#pragma once
#include <windows.h>

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
