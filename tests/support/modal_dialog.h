// Runs a dialog modally, as the program does, and drives it by control id
// from inside its modal loop.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Opens the dialog template of this executable with the procedure and
// parameter and runs script on the dialog's thread once it is open. When the
// script leaves the dialog open, it is cancelled. Returns the dialog's result
// (-1 also when the dialog could not be created, as DialogBoxParam does).
INT_PTR run_modal_dialog(int template_id, DLGPROC proc, LPARAM param,
                         const std::function<void(HWND dialog)>& script);

// For a dialog that the code under test opens itself: script runs with the
// next dialog that this thread shows, whatever its owner, once it is shown
// (the dialog's modal loop runs it); a dialog it leaves open is cancelled.
// Dialogs open when the script is armed are not the next. One script is
// armed at a time; arming another replaces it.
void drive_next_dialog(std::function<void(HWND dialog)> script);
// The same for the next dialog owned by owner.
void drive_next_dialog(HWND owner, std::function<void(HWND dialog)> script);

// While it lives, every dialog this thread shows runs through script, as
// drive_next_dialog runs the next one (a script armed meanwhile is
// replaced). A dialog that the code under test opens several times is
// answered the same each time.
class dialog_driver {
public:
    explicit dialog_driver(std::function<void(HWND dialog)> script);
    ~dialog_driver();
    dialog_driver(const dialog_driver&) = delete;
    dialog_driver& operator=(const dialog_driver&) = delete;
};

// What a user does: a button click (an auto radio button checks itself), a
// choice in a drop-down list (with the notification the list sends).
void click(HWND dialog, int id);
void choose(HWND dialog, int id, int index);
// Chooses the entry with this text; false when the list has none.
bool choose_text(HWND dialog, int id, const std::string& text);
// Selects an entry of a list box, with the notification the list sends.
void select_list_item(HWND dialog, int id, int index);
// Clicks the middle of a window with the mouse, through the system's input
// queue, as a user does: a disabled window takes no click. Its top-level
// window is kept above other programs' windows meanwhile; the messages the
// click causes are run (a dialog it opens runs its modal loop here). False
// when a window of another program still covers the point: nothing is
// clicked then.
bool mouse_click(HWND window);
// Presses and lets go of a key on the X display, as the user's keyboard
// does: xdotool (a program of the display, started here) sends it, so that
// it goes where the window manager's focus is. (A key sent with SendInput
// goes to Wine's foreground window instead, wherever that focus is.) key is
// an X key name ("Return"). False when xdotool could not be started; the
// key comes in a moment after the call.
bool press_key_on_display(const char* key);
// Fills an IP address control's four fields as typing does; a text that is
// no dotted address leaves them blank.
void type_address(HWND dialog, int id, const std::string& address);

// What a user sees.
std::vector<std::string> list_texts(HWND dialog, int id);
std::vector<std::string> combo_texts(HWND combo); // the same, by the list's window
std::vector<std::string> list_box_texts(HWND dialog, int id);
std::string chosen_text(HWND dialog, int id);   // "" when nothing is chosen
std::string control_text(HWND dialog, int id);
std::string caption(HWND dialog);
bool is_shown(HWND dialog, int id);
bool is_enabled(HWND dialog, int id);
bool is_checked(HWND dialog, int id);
// The text of any window or control, and whether it has WS_VISIBLE set (its
// parent may be hidden).
std::string window_text(HWND window);
bool has_visible_style(HWND window);
// True for a window of the dialog class.
bool is_dialog(HWND window);
