// Records every open and save file dialog the code under test shows and
// answers it with a scripted path, so that no test waits on a file dialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct recorded_file_dialog {
    bool save;
    std::string title;
    std::string offered; // the file name the dialog opened with
};

namespace file_dialogs {
// Clears the record and the scripted answers.
void reset();
// The dialogs shown so far, in order.
std::vector<recorded_file_dialog> shown();
// The path the next dialog answers with; the empty text cancels it. A dialog
// without an answer left is cancelled.
void answer_next(const std::string& path);
// Installs the recorder (done by the test main for every test).
void install();
} // namespace file_dialogs
