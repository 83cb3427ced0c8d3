// The engine that runs every configuration page from data. A page is a
// page_def: its rows (item and control kind), the walk its list rule takes
// over them, and two hooks, one that builds the lists that depend on the
// instrument and one that lays the visible rows out. show_page displays a
// page, on_page_control handles its controls' notifications; the builders
// and layouts the pages name are one line each over these.
#pragma once
#include "config/item_tables.h"
#include "configui/engine/page_ids.h"
#include "configui/engine/rows.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class instrument_config;
struct config_item_value;

// The item a row stands for while the configuration is in some state.
using item_fn = int (*)(instrument_config& config);

// How a row shows its value beyond the plain one: as a whole number
// ("%d"); a gear ratio as the number with its SI prefix and ":1", an entry
// ending in ":1" taken without it; a run time as "hours:minutes" from its
// item and the next, an entry read back into both by the set rule.
enum row_show : int8_t { SHOW_PLAIN, SHOW_INT, SHOW_GEAR, SHOW_RUN_TIME };

// Which group's configuration a row shows and sets: -1 the active group's;
// 0 or 1 that group's (on the two-group model, where a page shows both
// groups' values of one item side by side).
using group_fn = int (*)();

// One row: its item (-1: an empty row, which still uses its id up), the
// kind of its control, how it shows its value, where the row stands for
// another item in some states the item it shows and sets, whether an entry
// goes to both groups of a two-group instrument, and the group whose value
// it shows.
struct row_def {
    int16_t item;
    int8_t kind;
    int8_t show;
    item_fn pick;
    bool both;
    group_fn group;
};

constexpr row_def kEmptyRow{-1, ROW_NO_CONTROL, SHOW_PLAIN, nullptr, false, nullptr};
constexpr row_def list_row(int item, item_fn pick = nullptr)
{
    return {static_cast<int16_t>(item), ROW_LIST, SHOW_PLAIN, pick, false, nullptr};
}
constexpr row_def edit_row(int item, item_fn pick = nullptr)
{
    return {static_cast<int16_t>(item), ROW_EDIT, SHOW_PLAIN, pick, false, nullptr};
}
// A whole number in an edit: a text value shows truncated toward zero.
constexpr row_def int_row(int item, int8_t kind = ROW_EDIT)
{
    return {static_cast<int16_t>(item), kind, SHOW_INT, nullptr, false, nullptr};
}
constexpr row_def gear_row(int item)
{
    return {static_cast<int16_t>(item), ROW_EDIT, SHOW_GEAR, nullptr, false, nullptr};
}
// An entry checked and stored in group 1, then (when accepted) in group 2.
constexpr row_def both_edit_row(int item, int8_t show = SHOW_PLAIN)
{
    return {static_cast<int16_t>(item), ROW_EDIT, show, nullptr, true, nullptr};
}
// Hours in the item, minutes in the next; both groups when `both` is set.
constexpr row_def run_time_row(int item, bool both)
{
    return {static_cast<int16_t>(item), ROW_EDIT, SHOW_RUN_TIME, nullptr, both, nullptr};
}
constexpr row_def group_list_row(int item, group_fn group)
{
    return {static_cast<int16_t>(item), ROW_LIST, SHOW_PLAIN, nullptr, false, group};
}

// A family's rows: a page's shared rows with the family's own put in.
struct row_change {
    int row;
    row_def def;
};
template <size_t N>
constexpr std::array<row_def, N> with_rows(std::array<row_def, N> rows,
                                           std::initializer_list<row_change> changes)
{
    for (const row_change& change : changes)
        rows[change.row] = change.def;
    return rows;
}

// Reached only by a row table that names a row twice or a row it does not
// have: not constexpr, so such a table is no constant and does not compile.
inline void row_named_twice_or_out_of_range() {}

// A page's rows written by name, each row at the place its name gives. The
// table has as many rows as names, so one declared with its page's row
// count does not compile while a row is left out; a name given twice or
// out of range stops the constant evaluation.
template <size_t N>
constexpr std::array<row_def, N> rows_by_name(const row_change (&named)[N])
{
    std::array<row_def, N> rows{};
    std::array<bool, N> placed{};
    for (const row_change& row : named) {
        if (row.row < 0 || static_cast<size_t>(row.row) >= N || placed[row.row]) {
            row_named_twice_or_out_of_range();
            continue;
        }
        placed[row.row] = true;
        rows[row.row] = row.def;
    }
    return rows;
}

// The item a row shows and sets now, and the configuration that holds it
// (the active group's, or the row's own group's).
int row_item(const row_def& row, instrument_config& config);
instrument_config* row_config(const row_def& row, instrument_config& current);

// What a changed list leads to.
enum step_flag : uint16_t {
    STEP_RESHOW = 1 << 0,   // the whole page again: lists rebuilt, values reloaded
    STEP_RELAYOUT = 1 << 1, // the page's layout again
    STEP_BOTH = 1 << 2,     // stored in both groups of a two-group instrument
    STEP_PANELS = 1 << 3,   // the main window rebuilds its scope and voltmeter panels
    STEP_MODE = 1 << 4,     // the measurement mode: its page is shown in place of this one
    STEP_ALWAYS = 1 << 5,   // a selection in the step's own list leads to the rest, changed or not
};

// One notification's changes: the items set or read back so far, which no
// later list of the same walk sets again, and what they lead to.
class list_change {
public:
    // An item of the active group's configuration, or of one group's.
    bool seen(int item, int group = -1) const;
    void mark(int item, int group = -1);
    uint16_t raised = 0;

private:
    std::vector<int> touched_;
};

// How a list's change is stored where the default (the set rule, in both
// groups with STEP_BOTH) does not do: the item, its new value and the
// notification's changes, where it marks what it also reads back.
using step_set = void (*)(int item, int value, list_change& change);

// One list of a page's list rule, in the walk's order: its row, what a
// change leads to, and how it is stored when not by the default.
struct walk_step {
    int8_t row;
    uint16_t flags;
    step_set set;
};

// The number of steps of a walk, as a page_def holds it.
template <size_t N>
constexpr int8_t steps(const walk_step (&)[N])
{
    static_assert(N <= 127, "a walk's steps fit its count");
    return static_cast<int8_t>(N);
}

// The number of rows of a page's row table, as a page_def holds it; a page
// has room for 100 windows, labels and controls.
template <size_t N>
constexpr int8_t row_count_of(const std::array<row_def, N>&)
{
    static_assert(N <= 50, "a page's rows fit its window table");
    return static_cast<int8_t>(N);
}

// ui_text entries of the context button's captions.
constexpr int16_t kAdvancedOptionsText = 50; // "Advanced Options >" (hidden where a page has no such page)
constexpr int16_t kReturnText = 51;          // "< Return"

struct page_def;
using page_hook = void (*)(const page_def& page, instrument_config& config);

// The head of the Config window while a page is up: the ui_text entries of
// the page's title (shown as "Configuration: %s") and of the context
// button's caption (-1: the caption it has), and whether the button is
// shown.
struct page_head {
    int16_t title_text;
    int16_t context_text;
    bool context_shown;
};
// A page's own head where it depends on the instrument (after the page's
// lists were built).
using head_hook = page_head (*)(const page_def& page, instrument_config& config);

// A page of one family. Its number, title and page button are its kind's
// (page_kinds.h). Written with its fields named; what a page leaves out
// has the value most pages have.
struct page_def {
    page_kind kind;
    config_family family;
    int16_t context_text = kAdvancedOptionsText; // ui_text entry of the context button's caption
    bool context_shown = false;
    bool enable_rows = false;     // the rows take the Config window's enabled state after the layout
    int8_t first_control = 20;    // entry of the window table where the controls begin (20 or 50)
    int8_t row_count = 0;
    const row_def* rows = nullptr;
    // The list rule's walk; null: every list row in row order, each with
    // walk_flags.
    const walk_step* walk = nullptr;
    int8_t walk_count = 0;
    uint16_t walk_flags = 0;
    page_hook lists = nullptr;    // builds the lists that depend on the instrument
    void (*layout)() = nullptr;
    // The lists run the list rule on every notification they send (a
    // selection ending, opening, the focus coming or going), not only at
    // the end of a selection.
    bool any_code = false;
    // The page's head; null: its kind's title and the context button above.
    head_hook head = nullptr;
};

// Writes the head: the title, the context button's caption and whether it
// is shown, and the kind's page button lit. The one place that does.
void write_page_head(page_kind kind, const page_head& head);

// The window table of a page kind: labels from entry 0, controls from the
// page's first_control; shared by the five families of the kind.
constexpr int kPageWindows = 100;
using page_windows = std::array<HWND, kPageWindows>;

// The page state, one for the program, on the GUI thread only.
struct config_page_state {
    int current_page = 0;                 // the page laid out last (0..9)
    uint8_t first_display[PAGE_KINDS];    // 1: create the page's windows at its next display
    page_windows windows[PAGE_KINDS] = {};
    int ranging_phase = 0;                // the phase the ranging page shows
    grid_slot grid[CONFIG_GRID_SLOTS] = {};
    // Windows of rebuilt pages, destroyed when the Config window takes the
    // message posted for them.
    std::vector<HWND> retired;
    // Controls whose notifications are being handled, innermost last: not
    // destroyed until they are.
    std::vector<HWND> notifying;
};
extern config_page_state config_pages;

// The family whose pages a model code uses: its profile's; every code
// without a profile uses the WQT55 family's.
config_family page_family(uint32_t model_code);
config_family current_page_family();

// An item's value as a whole number: of a configuration, or of the current
// instrument's (active group's) configuration, 0 without one; and the
// current instrument's phase count. The layouts read their conditions so.
int value_in(instrument_config& config, int item);
int item_now(int item);
int current_phase_count();

// The label of each item (256) for a family's pages: its item names, but
// for "Trigger Phase" as the WQT15 family's item 112.
const char* const* page_item_labels(config_family family);

// The page's label and control of a row; null where the row has none.
HWND row_label(const page_def& page, int row);
HWND row_control(const page_def& page, int row);

// Shows the page in the Config window (null: nothing is created, the rest
// is done with the windows that exist): title, context button, page
// button, the rows created on a first display, the instrument's lists, the
// values of every row, the layout and, for the pages that ask, enabling.
void show_page(const page_def& page, HWND config_window);

// What a notification of a page control leaves to the Config window.
enum page_effect : uint8_t {
    EFFECT_MODE_PAGE = 1 << 0, // a new measurement mode: its page in place of this one
    EFFECT_PANELS = 1 << 1,    // the main window rebuilds its scope and voltmeter panels
};

// A notification of a control of the page: a list's CBN_SELENDOK (any of
// its notifications on a page with any_code) runs the list rule over the
// page's walk (so does the id of an empty row the walk names, a family's
// placeholder in a shared list group), an edit's EN_KILLFOCUS the entry
// check; anything else is ignored. Returns the page_effect flags of what
// the changes raised beyond the page.
uint8_t on_page_control(const page_def& page, HWND config_window, int id, int code, HWND control);

// The layout's cursor: it makes the page current and clears the grid, then
// places rows into consecutive grid rows. What the grid held before and
// was not placed again is hidden when the cursor goes, so that a page laid
// out again does not hide and show its own rows. Rows move without being
// drawn; when the cursor goes, where a shown row stood and where it stands
// now are drawn again, so that the pane looks as a full repaint draws it.
class grid_cursor {
public:
    explicit grid_cursor(const page_def& page);
    ~grid_cursor();
    grid_cursor(const grid_cursor&) = delete;
    grid_cursor& operator=(const grid_cursor&) = delete;
    void place(int row);
    void place(int row, int minimum, int maximum); // with an up-down
    void skip();                                    // leaves a grid row empty
    void at(int grid_row, int row);                 // places at a fixed grid row
    int placed() const { return next_; }

private:
    // A window of the grid as the cursor found it: where it stood (in the
    // Config window) and whether it was shown.
    struct held {
        HWND window;
        RECT at;
        bool shown;
    };
    void redraw_moved() const;

    const page_def& page_;
    int next_ = 0;
    held before_[CONFIG_GRID_SLOTS] = {};
};

// A control whose notification the Config window is handling (an edit's
// focus loss, a list's selection): a box shown meanwhile delivers the
// posted destruction of the windows a rebuild retired, which may hold the
// control, and the control is still inside its own handling of what it
// notified. It is kept while the notification is handled, and destroyed
// after.
class control_notifying {
public:
    control_notifying(HWND control, HWND config_window);
    ~control_notifying();
    control_notifying(const control_notifying&) = delete;
    control_notifying& operator=(const control_notifying&) = delete;

private:
    HWND config_window_;
};

// Destroys the windows that rebuilt pages left behind, but a control whose
// notification is being handled.
void destroy_retired_page_windows();

// A value as text: a list value's integer in decimal, else its text.
std::string config_value_to_string(const config_item_value& value);
// The unit offset of a device setting: 4, 8, 12 or 16 for 2..5, else 0.
int phase_count_to_offset(int n);
