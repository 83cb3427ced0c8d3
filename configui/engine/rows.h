// The rows of the configuration pages: a right-aligned label and a control
// per item, created hidden from a page's item and kind lists, and the
// Config window's grid of fifteen cells (three columns of five) into which
// a layout places the visible rows, with an up-down beside a control where
// a layout asks for one.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

class instrument_config;

// Control kinds of a row.
enum row_kind : int {
    ROW_LIST = 0,      // drop-down list
    ROW_STATIC = 1,    // static text
    ROW_EDIT = 2,      // text edit
    ROW_EDIT_ALT = 3,  // text edit, created like ROW_EDIT
    ROW_READ_ONLY = 4, // read-only edit
    ROW_NO_CONTROL = -1,
};

enum : int {
    CONFIG_GRID_ROWS = 15,
    CONFIG_GRID_SLOTS = 2 * CONFIG_GRID_ROWS, // labels in 0..14, controls in 15..29
    CONFIG_LAYOUT_POINTS = 40,                // the grid uses the first 30
};

// One cell of the grid: the window placed there and, beside a control, the
// up-down made for it.
struct grid_slot {
    HWND window;
    HWND updown;
};

// Where the labels (points 0..14) and the controls (15..29) of the grid rows
// go, and the size of every cell, in pixels.
extern const std::array<POINT, CONFIG_LAYOUT_POINTS> config_layout_points;
extern const SIZE config_cell_size;

// For each row whose item is not -1, a hidden label with the labels' text
// for the item, into handles[row], with the font.
void create_static_labels(HWND parent, HINSTANCE instance, HWND* handles, int rows,
                          const char* const* labels, const int* items, HFONT font);
// For each row whose item is not -1 and whose kind makes a control, a hidden
// control with id first_id + row (an empty row still uses its id up) into
// handles[first_control + row], with the font; a list gets the item's
// option texts and no selection.
void create_config_item_controls(instrument_config& config, HWND parent, HINSTANCE instance,
                                 HWND* handles, int rows, int first_id, const int* kinds,
                                 const int* items, int first_control, HFONT font);

// Empties the list, adds the item's option texts in order and selects the
// item's value; a text item selects the first entry. An item the family
// does not define leaves the list empty.
void fill_item_combobox(instrument_config& config, HWND combo, int item);

// Selects the list's entry at the value; a value the list has no entry for
// leaves it without a selection, so that it shows no choice the item does
// not hold.
void select_list_value(HWND list, int value);

// The format with the one value as the control's text (at most 127
// characters).
void set_control_text_fmt(HWND control, int value, const char* format);
void set_control_text_fmt(HWND control, const char* value, const char* format);

// Grid row below 0: hides every placed window, destroys every up-down and
// empties the slots. Grid row r in 0..14: the label into slot r and the
// control into slot slots / 2 + r, each moved to its point with the cell
// size and shown; with updown set and a control, an up-down buddy with the
// range minimum..maximum. Returns the grid row, or 15 for a row beyond the
// grid, which places nothing.
int place_control_pair(int grid_row, HWND label, HWND control, const POINT* points,
                       grid_slot* grid, SIZE cell, int slots, bool updown, int minimum,
                       int maximum);
// place_control_pair on the Config window's grid, without an up-down.
void config_layout_place_row(int grid_row, HWND label, HWND control);

// Every placed window of the slots takes the enabled state of the first
// slot's window's parent; nothing when the first slot is empty. Up-downs
// are left alone.
void enable_controls_like_parent(const grid_slot* grid, int slots);
