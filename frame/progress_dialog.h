// Progress dialog: a long instrument operation runs on a worker thread while
// this small modal dialog (resource 178) shows its progress.
//
// The caller fills a progress_task and opens the dialog:
//   DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), owner,
//                   progress_dlg_proc, reinterpret_cast<LPARAM>(&task));
// One second after the dialog opens it starts the worker with the task
// pointer. The worker reports with PostMessageA or SendMessageA of WM_COMMAND
// to task.dialog, wParam one of the ids below, and ends the dialog with
// PROGRESS_DONE (the call returns 1). Esc starts the cancel routine and
// closes the dialog at once; the call then returns 2. Either way the call
// returns only after the worker thread and the cancel thread have ended, so
// the task and whatever the worker uses may go out of scope after it.
#pragma once
#include <windows.h>

#include "frame/progress_dialog_ids.h"

// Private WM_COMMAND ids (wParam low word) a worker sends or posts to the
// dialog.
enum : int {
    PROGRESS_DONE = 10001,          // end the dialog with 1
    PROGRESS_BEGIN_TIMING = 10002,  // toggle percent mode (and leave time mode)
    PROGRESS_SET_TOTAL = 10003,     // lParam: number of steps; 0 = unknown (marquee)
    PROGRESS_STEP = 10004,          // one step done
    PROGRESS_START_WORKER = 10006,  // posted by the dialog's own timer entry
    PROGRESS_SET_STATUS = 10007,    // lParam: status text or null; alive until handled
    PROGRESS_RESET_TIMING = 10010,  // time mode on unless in percent mode
    PROGRESS_SET_POS = 10011,       // lParam: steps done
};

using progress_routine = unsigned(__stdcall*)(void* task);

// Owned by the caller, alive until the dialog has ended. A caller may put
// further data behind these fields; the dialog never touches it.
struct progress_task {
    char title[512];      // dialog caption; empty keeps the resource's (none)
    HANDLE worker_thread; // set when the worker starts; cleared when the dialog ends
    HWND dialog;          // set when the dialog opens; the worker reports here
    progress_routine worker; // started one second after the dialog opens; may be null
    progress_routine cancel; // started on Esc; may be null
};

// Dialog procedure of resource 178; lParam of WM_INITDIALOG is the task.
// Only one progress dialog is open at a time.
INT_PTR CALLBACK progress_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Shows a message box and returns the button pressed. Asked for on another
// thread while a progress dialog is open (its worker's read error, for one),
// the box is shown by the dialog's thread, owned by the dialog (by the
// dialog's owner once the dialog has ended), and the asking thread waits for
// the answer. Made by the thread of the program's other windows, the box
// gets the keys that come to them, wherever the window manager keeps the
// focus among them, as any other box does; the dialog and its owner take no
// input while it is up. Otherwise the box is shown at once on the calling
// thread, owned by owner.
int show_message_box_over_progress(HWND owner, const char* text, const char* caption, UINT type);
