// The main window's commands: its menu, its accelerators, the buttons of the
// top bar, the "Saved Config" entries and the private commands other windows
// and threads send it. Only the low word of wParam names the command.
#pragma once
#include <windows.h>

#include <string>

// 0 for a command it handles; any other id goes to DefWindowProcA.
LRESULT main_wnd_command(HWND main_window, UINT message, WPARAM wparam, LPARAM lparam);

// The web pages of the logo button and "&Support ...".
extern const char kHomePageAddress[];
extern const char kSupportPageAddress[];

// The Connection command: the Communications dialog with every control
// disabled meanwhile, then the views and the title for what got connected.
void connection_command(HWND main_window);

// Unless the view is Capture or LOMX, sends the main window the view that
// goes with the current instrument's mode: Harmonics for mode 5, Scope for
// mode 6, else Measure (nothing while the Voltmeter view is shown).
void send_view_for_instrument_mode(HWND main_window);

// The main window's title: the version text and, for each connected slot,
// "     WQT<n>: <interface> <identification from its first comma>".
void set_main_window_title(HWND main_window);
// One slot's identification in the title: the reply from its first comma,
// a reply without a comma whole after a comma, ",Unknown Connection" for no
// reply.
std::string title_identification(const char* reply);

// Save to Bitmap (32778), Copy to Clipboard (32779) and Export to Word (119)
// of the visible view's picture.
void copy_window_image(HWND main_window, int command);
