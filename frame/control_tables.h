// The control-descriptor tables: one static table of rows per window, from
// which every child window and control of the main window is created, laid
// out and found again by its id. Ids are unique across all tables: each
// window's block is in the registry (frame/control_id_blocks.h), and its id
// constants in one header per window (frame/*_ids.h, configui/config_ids.h).
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

// One row. Every field is 32 bits wide. Base and current rectangles start at
// 0 and are filled by the layout before creation; parent and hwnd start null.
struct control_desc {
    DWORD ex_style;         // 0 or WS_EX_CLIENTEDGE
    const char* class_name; // null: layout-only slot, never created
    const char* text;       // window text; may be null (empty)
    DWORD style;            // always WS_CHILD, never WS_VISIBLE
    int32_t design_x, design_y, design_w, design_h; // for anchored rows x, y are margins
    int32_t base_x, base_y, base_w, base_h;
    int32_t cur_x, cur_y, cur_w, cur_h; // creation uses these
    HWND parent;            // stored at creation
    HWND hwnd;              // the created window, or null
    int32_t id;             // control id; 0 for child windows that are not controls
    int32_t font_index;     // 0..6 into ui_fonts
    int32_t anchor;         // 0 none, 1 report only, 2 right, 3 bottom, 4 right and bottom
    int32_t resize_mode;    // 0 fixed, 1 width, 2 height, 3/4 both, 5 shared among panes
};
static_assert(sizeof(control_desc) == 22 * 4, "control_desc is 22 fields of 32 bits");

// Row counts.
enum : int {
    FRAME_CONTROL_ROWS = 20,
    CONFIG_CONTROL_ROWS = 15,
    MEASURE_CONTROL_ROWS = 61,
    RESULTS_PANELS = 4,
    RESULTS_PANEL_ROWS = 11,
    SCOPE_CONTROL_ROWS = 23,
    CAPTURE_CONTROL_ROWS = 6,
    HARMONICS_CONTROL_ROWS = 16,
    HARMONIC_RESULTS_CONTROL_ROWS = 15,
    VOLTMETER_CONTROL_ROWS = 15,
    LOMX_CONTROL_ROWS = 40,
};

// Rows of frame_controls that hold the view windows, and the rows of
// measure_controls that hold the four Measure Results windows.
enum : int {
    FRAME_ROW_CONFIG = 0,
    FRAME_ROW_MEASURE = 1,
    FRAME_ROW_FULL_HEIGHT_SLOT = 2,
    FRAME_ROW_SCOPE = 3,
    FRAME_ROW_CAPTURE = 4,
    FRAME_ROW_HARMONICS = 5,
    FRAME_ROW_VOLTMETER = 6,
    FRAME_ROW_LOMX = 7,
    HARMONICS_ROW_RESULTS_WINDOW = 0,
};
extern const int measure_results_rows[RESULTS_PANELS]; // 0, 4, 10, 16

// The tables. They live for the whole run; each holds exactly its rows.
template <int Rows>
using control_table = std::array<control_desc, Rows>;
using results_panel_tables = std::array<control_table<RESULTS_PANEL_ROWS>, RESULTS_PANELS>;

extern control_desc main_window_desc;
extern control_table<FRAME_CONTROL_ROWS> frame_controls;
extern control_table<CONFIG_CONTROL_ROWS> config_controls;
extern control_table<MEASURE_CONTROL_ROWS> measure_controls;
extern results_panel_tables results_panel_controls;
extern control_table<SCOPE_CONTROL_ROWS> scope_controls;
extern control_table<CAPTURE_CONTROL_ROWS> capture_controls;
extern control_table<HARMONICS_CONTROL_ROWS> harmonics_controls;
extern control_table<HARMONIC_RESULTS_CONTROL_ROWS> harmonic_results_controls;
extern control_table<VOLTMETER_CONTROL_ROWS> voltmeter_controls;
extern control_table<LOMX_CONTROL_ROWS> lomx_controls;

// Creates the windows of the first count rows that have a class, in order,
// as children of parent at their current rectangles; stores parent and the
// resulting handle (null when creation fails) in each row. Where rows
// overlap (a label over the edge of the button beside it, the buttons on a
// strip's frame), the row created later is the one seen: each row is put
// above the rows created before it, and a row clips the rows above it out of
// its drawing (WS_CLIPSIBLINGS). So a row drawn again alone, as a label is the
// moment it is enabled or a strip when it is resized, stays under the rows
// on it, as a full repaint draws them.
void create_controls_from_table(HWND parent, control_desc* table, int count);

// Creates the top-level window of one row (its parent and id as owner and
// menu); stores and returns the handle.
HWND create_main_window(control_desc& row);

// EnableWindow for every row with a window, except rows styled WS_DISABLED:
// those stay disabled for the whole run.
void enable_controls_from_table(const control_desc* table, int count, bool enable);

// Shows the window of each of the first count rows that has one.
void show_controls_from_table(const control_desc* table, int count);

// The window of the control with this id, or null: the id picks one table by
// its range and the table's rows are searched in order.
HWND get_control_by_id(int id);

// A programmatic click: posts WM_COMMAND (id, 0) to the control's parent.
void post_command_for_control(int id);

// BM_SETCHECK with state to the control.
void set_check_state(int id, WPARAM state);

// Marks the selected button of a row of buttons by font: ui_fonts entry 1
// for selected, entry 0 for the others in first..last. Sends WM_SETFONT only
// to a control whose font differs.
void highlight_control_in_range(int selected, int first, int last);

// The view windows.
HWND get_config_window();
HWND get_measure_window();
HWND get_scope_window();
HWND get_capture_window();
HWND get_harmonics_window();
HWND get_voltmeter_window();
HWND get_lomx_window();
HWND get_harmonic_results_window();
// Measure Results window of instrument index 0..3 (any other value: 3).
HWND get_measure_results_window(int index);

// The menu command of the visible view: 32785 Scope, 32787 Capture, 32786
// Harmonic Results, 32845 Voltmeter, 32844 LOMX, else 32784 Measure.
int get_current_view_menu_id();

// switch_main_view is declared in app/main_create.h: it refreshes the views'
// contents.

// Fills the parts of outer that lie outside inner (united with extra and the
// gap between them, when extra is given and not empty) with the window
// class's background colour, so that a view's drawing area is never erased.
void paint_background_around(HWND window, HDC dc, const RECT& outer, const RECT& inner,
                             const RECT* extra);

// Folder-browser callback: selects the folder passed as data (a path) when
// the browser has opened. Always returns 0.
int CALLBACK browse_folder_callback(HWND window, UINT message, LPARAM lparam, LPARAM data);
