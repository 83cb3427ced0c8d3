// Building the main window's contents: the view window classes, the creation
// sequence run from the main window's WM_CREATE, and switching the view.
#pragma once
#include <windows.h>

// Registers the nine view window classes (Config, Measure, Scope, Capture,
// Harmonics, Voltmeter, LOMX, Harmonic Results, Measure Results) for the
// module instance. Results are not checked: a class already registered
// stays as it is.
void register_view_classes(HINSTANCE instance);

// Creates every control table's windows under the main window and brings
// them into their start state: the logo button, the "Data Settings" box and
// the chart tooltips subclassed, the list views' extended styles, the
// fonts, only the Measure view and its first results pane shown, text
// limits, the timing option "Software" checked, the timing options' balloon
// tips, the views' contents filled, and the settings pane shown or hidden as
// the stored settings say.
void main_on_create(HWND main_window);

// Shows the view of a view menu command (IDM_VIEW_*) and hides the other
// five, then refreshes the shown view's selectors. Other commands do
// nothing.
void switch_main_view(HWND main_window, int menu_id);
