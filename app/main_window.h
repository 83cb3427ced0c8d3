// The program's entry, its main window and the About dialog. Every command
// of the main window goes to main_wnd_command (app/main_commands.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

// Program-wide handles of the main window's lifetime.
extern HINSTANCE app_instance;       // every dialog, icon and bitmap is loaded from it
extern bool com_initialised;         // COM started here: released at exit
extern HBITMAP logo_bitmap;          // the logo on button 12007; deleted at exit
extern HIMAGELIST small_icon_list;   // 16 x 16 icons 158-160; destroyed at exit

// The process entry: registers the window classes, starts COM, creates and
// shows the main window and runs the message loop. Returns the quit
// message's code, or 0 when the window could not be created.
int win_main(HINSTANCE instance, HINSTANCE previous, LPSTR command_line, int show);

// The part of win_main before the message loop: classes, COM, the main
// window (stored in main_window), shown with the show command, the logo
// button enabled and the interval "1". Null when creation fails.
HWND start_main_window(HINSTANCE instance, int show);

// Runs the message loop with the accelerators of table 109 until WM_QUIT;
// returns its code.
int run_main_loop(HWND window);

LRESULT CALLBACK main_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// The About dialog (resource 103): product name and build.
INT_PTR CALLBACK about_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Sends every connected instrument, in slot order, what releases it: DC4,
// "STOP", "USBLOCK,OFF" and, with the communications log on,
// "keyboa,enable"; each link is opened for it and closed after.
void send_exit_commands();

// The results file "wqtdl.DAT" in the folder (which ends in '\'), or the
// empty text when the path would not fit in MAX_PATH characters. True when
// it fits.
bool build_results_file_path(const char* folder, char (&path)[MAX_PATH]);
