// Records every message box the code under test shows and answers it, so
// that no test waits on a modal box.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct recorded_box {
    std::string text;
    std::string caption;
    UINT type;
    HWND owner = nullptr;
};

namespace msgbox {
// Clears the record and the scripted answers.
void reset();
// The boxes shown so far, in order.
std::vector<recorded_box> shown();
// The texts of the boxes shown so far, in order.
std::vector<std::string> texts();
// Answers for the next boxes, in order; when none is left, a box gets the
// answer that ends it without going on: OK, No or Cancel.
void answer_next(int button);
// While on (until the next reset), a box delivers the messages posted to
// its thread before it is answered, as a modal box's own loop does.
void deliver_posted_while_shown(bool on);
// While on (until the next reset), a box takes the keyboard focus when it is
// shown, as a modal box does: the window that had it loses it, and has it
// back once the box is answered (the main window gives it back as it is
// activated again).
void take_focus_while_shown(bool on);
// Installs the recorder (done by the test main for every test).
void install();
} // namespace msgbox
