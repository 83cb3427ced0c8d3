// Building the main window's contents: the view window classes and the
// creation sequence run from the main window's WM_CREATE.
#pragma once
#include <windows.h>

// Registers the nine view window classes (Config, Measure, Scope, Capture,
// Harmonics, Voltmeter, LOMX, Harmonic Results, Measure Results) for the
// module instance. Results are not checked: a class already registered
// stays as it is.
void register_view_classes(HINSTANCE instance);

// Creates every control table's windows under the main window and brings
// them into their start state.
void main_on_create(HWND main_window);
