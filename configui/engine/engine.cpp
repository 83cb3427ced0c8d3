// The page engine: the page state, showing a page by its data, the list and
// edit rules over its rows, the layout's grid cursor, and the windows a
// rebuild retires.
#include "configui/engine/engine.h"

#include "base/message_box.h"
#include "base/number_text.h"
#include "base/window_util.h"
#include "config/config_choices.h"
#include "config/instrument_config.h"
#include "config/model_profiles.h"
#include "config/typed_values.h"
#include "configui/engine/change_rule.h"
#include "configui/engine/config_choices_ui.h"
#include "configui/engine/config_pages.h"
#include "configui/engine/page_kinds.h"
#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/ui_fonts.h"
#include "frame/ui_text.h"
#include "slots/instrument_slots.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

config_page_state config_pages = [] {
    config_page_state state;
    std::fill(std::begin(state.first_display), std::end(state.first_display), uint8_t{1});
    return state;
}();

uint8_t (&config_page_dirty)[CONFIG_PAGE_BUILDERS] = config_pages.first_display;
int& ranging_phase = config_pages.ranging_phase;
int& config_current_page = config_pages.current_page;
grid_slot (&config_grid)[CONFIG_GRID_SLOTS] = config_pages.grid;

namespace {

constexpr int kTitleFormatText = 52; // "Configuration: %s"
constexpr int kTextBufferSize = 128;

// Puts a page kind's windows aside for destruction and empties its table.
void retire_windows(page_kind kind, HWND config_window)
{
    bool any = false;
    for (HWND& window : config_pages.windows[kind]) {
        if (window) {
            config_pages.retired.push_back(window);
            window = nullptr;
            any = true;
        }
    }
    if (any)
        PostMessageA(config_window, MSG_DESTROY_RETIRED_PAGES, 0, 0);
}

void create_rows(const page_def& page, instrument_config& config, HWND config_window)
{
    int items[kPageWindows];
    int kinds[kPageWindows];
    for (int row = 0; row < page.row_count; ++row) {
        items[row] = page.rows[row].item;
        kinds[row] = page.rows[row].kind;
    }
    HWND* windows = config_pages.windows[page.kind].data();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    create_static_labels(config_window, instance, windows, page.row_count,
                         page_item_labels(page.family), items, ui_fonts[0]);
    create_config_item_controls(config, config_window, instance, windows, page.row_count,
                                kPageIdBase[page.kind], kinds, items, page.first_control, ui_fonts[0]);
}

page_head head_of(const page_def& page, instrument_config& config)
{
    if (page.head != nullptr)
        return page.head(page, config);
    return {kPageKindFacts[page.kind].title_text, page.context_text, page.context_shown};
}

// A gear ratio: the number with its SI prefix and 4 decimals, then ":1".
std::string gear_text(const config_item_value& value)
{
    const numeric_text_value number(config_value_to_string(value), 3);
    return format_si_value(number.value, 4) + ":1";
}

// An entry of a gear ratio without the ":1" it was shown with: a text of
// three characters or more with ":1" in its last three loses its last two.
void trim_gear_suffix(char* text)
{
    const size_t length = strlen(text);
    if (length >= 3 && strstr(text + length - 3, ":1") != nullptr)
        text[length - 2] = '\0';
}

// A run time as "hours:minutes", each of its two items as a whole number.
std::string run_time_text(instrument_config& config, int item)
{
    char text[32];
    snprintf(text, sizeof text, "%02d:%02d", value_in(config, item), value_in(config, item + 1));
    return text;
}

// The text an edit or a text row shows for its item's stored value.
std::string shown_text(const row_def& def, instrument_config& source, int item)
{
    const config_item_value value = source.get_value_record_copy(item);
    int number = 0;
    switch (def.show) {
    case SHOW_GEAR: return gear_text(value);
    case SHOW_RUN_TIME: return run_time_text(source, item);
    case SHOW_INT: return std::to_string(source.get_value_int(item, number));
    default: return config_value_to_string(value);
    }
}

// The program takes the focus from an edit the user is in: a box it shows,
// or a layout or rebuild of the page that hides the edit or puts another
// window in its row. An edit left so that shows its item's stored value has
// nothing to store; one that shows another text is stored as the user
// left it. (The user's own leaving of an edit stores and sends it again.)
bool left_unchanged_by_the_program(const page_def& page, int row, HWND control, instrument_config& config,
                                   const char* text)
{
    const bool by_the_program =
        message_box_shown() || control != row_control(page, row) || !has_shown_style(control);
    const row_def& def = page.rows[row];
    instrument_config* source = row_config(def, config);
    return by_the_program && source != nullptr && shown_text(def, *source, row_item(def, config)) == text;
}

bool notifying(HWND window)
{
    return std::find(config_pages.notifying.begin(), config_pages.notifying.end(), window) !=
           config_pages.notifying.end();
}

// Every row's control shows its item's value: a list selects it (a text
// item the first entry), an edit or a text shows it as text.
void load_values(const page_def& page, instrument_config& config)
{
    for (int row = 0; row < page.row_count; ++row) {
        HWND control = row_control(page, row);
        if (!control)
            continue;
        const row_def& def = page.rows[row];
        instrument_config* source = row_config(def, config);
        if (source == nullptr)
            continue;
        const int item = row_item(def, config);
        if (def.kind == ROW_LIST) {
            const config_item_value value = source->get_value_record_copy(item);
            select_list_value(control, value.is_list ? value.value.integer : 0);
            continue;
        }
        SetWindowTextA(control, shown_text(def, *source, item).c_str());
    }
}

// What one notification reads and stores into, taken once at its start:
// the active group's configuration, each group's (the same object twice on
// a one-group instrument), the active group and the link of every send.
struct held_instrument {
    std::shared_ptr<instrument_config> config;
    instrument_config* groups[2];
    int active_group;
    link_record* link;
};

held_instrument hold_current_instrument()
{
    return {get_current_config(), {get_current_config_ptr(0), get_current_config_ptr(1)}, get_current_active_group(),
            &get_current_instrument()};
}

// A row bound to one group: the active group's object follows the set rule;
// the other group's is stored and marked changed, and goes to the
// instrument with the next whole send (the instrument works on its
// selected group).
void set_in_group(const held_instrument& held, int item, int value, int group)
{
    if (group == held.active_group)
        store_item(held.groups[group], item, value, held.link, false);
    else if (instrument_config* other = held.groups[group])
        other->set_value_int(item, value);
}

// The set rule on the active group's configuration, or on both groups'.
void set_by_rule(const held_instrument& held, int item, int value, bool both)
{
    if (both) {
        store_item(held.groups[0], item, value, held.link, false);
        store_item(held.groups[1], item, value, held.link, false);
    } else {
        store_item(held.config.get(), item, value, held.link, false);
    }
}

void apply_step(const walk_step& step, const page_def& page, const held_instrument& held, list_change& change)
{
    instrument_config& config = *held.config;
    HWND list = row_control(page, step.row);
    if (!list)
        return;
    const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    // A list without a selection leaves its item as it is.
    if (selected == CB_ERR)
        return;
    const row_def& row = page.rows[step.row];
    const int item = row_item(row, config);
    const int group = row.group != nullptr ? row.group() : -1;
    instrument_config* source = row_config(row, config);
    if (item < 0 || source == nullptr || change.seen(item, group))
        return;
    int stored = 0;
    source->get_value_int(item, stored);
    if (selected == stored)
        return;
    const int value = static_cast<int>(selected);
    change.mark(item, group);
    change.raised |= step.flags;
    if (step.set) {
        step.set(item, value, change);
        return;
    }
    if (group >= 0)
        set_in_group(held, item, value, group);
    else
        set_by_rule(held, item, value, (step.flags & STEP_BOTH) != 0);
}

// The step of the page's walk that reads a row; null where the page has no
// walk of its own or the walk passes the row by.
const walk_step* step_of_row(const page_def& page, int row)
{
    for (int s = 0; page.walk != nullptr && s < page.walk_count; ++s)
        if (page.walk[s].row == row)
            return &page.walk[s];
    return nullptr;
}

uint8_t run_list_rule(const page_def& page, HWND config_window, int row, HWND control)
{
    const held_instrument held = hold_current_instrument();
    if (!held.config)
        return 0;
    list_change change;
    if (page.walk) {
        for (int s = 0; s < page.walk_count; ++s)
            apply_step(page.walk[s], page, held, change);
    } else {
        for (int r = 0; r < page.row_count; ++r)
            if (page.rows[r].kind == ROW_LIST && page.rows[r].item >= 0)
                apply_step({static_cast<int8_t>(r), page.walk_flags, nullptr}, page, held, change);
    }
    const walk_step* own = step_of_row(page, row);
    if (own != nullptr && (own->flags & STEP_ALWAYS))
        change.raised |= own->flags;
    const uint8_t panels = (change.raised & STEP_PANELS) ? EFFECT_PANELS : 0;
    // A new mode shows its own page in place of this one; the list belongs
    // to the page just left, so the focus stays where it is.
    if (change.raised & STEP_MODE)
        return panels | EFFECT_MODE_PAGE;
    if (change.raised & STEP_RESHOW)
        show_page(page, config_window);
    else if (change.raised & STEP_RELAYOUT)
        page.layout();
    if (change.raised & (STEP_RESHOW | STEP_RELAYOUT))
        SetFocus(control);
    return panels;
}

// A run time: both numbers stored every time it is left, and shown again
// as stored ("7" shows "07:00"). The stored run time as shown is stored
// again as it is, whatever its hours (the instrument or a file may hold
// more than 255). Another text is refused, saying what is wanted, and the
// stored run time shown again, when it has letters or other characters or
// a number above 255.
void take_run_time(const page_def& page, HWND config_window, HWND control, const row_def& def,
                   const held_instrument& held, const char* text)
{
    instrument_config& config = *held.config;
    run_time time = parse_run_time(text);
    if (run_time_text(config, def.item) == text)
        time = {value_in(config, def.item), value_in(config, def.item + 1), true};
    if (!time.accepted) {
        const std::string message = run_time_entry_message(page_item_labels(page.family)[def.item]);
        show_message_box(config_window, message.c_str(), kIncorrectValueTitle, MB_OK);
    } else {
        set_by_rule(held, def.item, time.hours, def.both);
        set_by_rule(held, def.item + 1, time.minutes, def.both);
    }
    SetWindowTextA(control, run_time_text(config, def.item).c_str());
}

void run_edit_rule(const page_def& page, HWND config_window, int row, HWND control)
{
    const held_instrument held = hold_current_instrument();
    if (!held.config)
        return;
    const std::shared_ptr<instrument_config>& config = held.config;
    char text[kTextBufferSize] = {};
    get_window_text(control, text, sizeof text);
    text[sizeof text - 1] = '\0';
    const row_def& def = page.rows[row];
    if (left_unchanged_by_the_program(page, row, control, *config, text))
        return;
    if (def.show == SHOW_RUN_TIME) {
        take_run_time(page, config_window, control, def, held, text);
        return;
    }
    if (def.show == SHOW_GEAR)
        trim_gear_suffix(text);
    const int item = row_item(def, *config);
    const char* const* labels = page_item_labels(page.family);
    if (!def.both) {
        validate_config_entry(config_window, control, text, sizeof text, config.get(), item, labels);
        return;
    }
    // Both groups: the second only once the first took the entry, so that a
    // refusal is told once and stored in neither.
    char second[kTextBufferSize];
    memcpy(second, text, sizeof second);
    if (validate_config_entry(config_window, control, text, sizeof text, held.groups[0], item, labels))
        validate_config_entry(config_window, control, second, sizeof second, held.groups[1], item, labels);
}

bool is_edit(int kind)
{
    return kind == ROW_EDIT || kind == ROW_EDIT_ALT;
}

// The WQT15 family's labels: its item names with "Trigger Phase" as item 112.
const char* const* wqt15xx_labels()
{
    static const std::array<const char*, kItemLabelCount> labels = [] {
        std::array<const char*, kItemLabelCount> copy{};
        const char* const* names = config_item_names(config_family::wqt15xx);
        std::copy(names, names + kItemLabelCount, copy.begin());
        copy[112] = "Trigger Phase";
        return copy;
    }();
    return labels.data();
}

} // namespace

void write_page_head(page_kind kind, const page_head& head)
{
    set_control_text_fmt(get_control_by_id(IDC_CFG_CONFIGURATION_LABEL), ui_text[head.title_text],
                         ui_text[kTitleFormatText]);
    HWND context = get_control_by_id(IDC_CFG_ADVANCED_OPTIONS);
    if (head.context_text >= 0)
        SetWindowTextA(context, ui_text[head.context_text]);
    ShowWindow(context, head.context_shown ? SW_SHOW : SW_HIDE);
    highlight_control_in_range(kPageKindFacts[kind].page_button, IDC_CFG_PAGE_FIRST, IDC_CFG_PAGE_LAST);
}

int row_item(const row_def& row, instrument_config& config)
{
    return row.pick != nullptr ? row.pick(config) : row.item;
}

instrument_config* row_config(const row_def& row, instrument_config& current)
{
    const int group = row.group != nullptr ? row.group() : -1;
    return group < 0 ? &current : get_current_config_ptr(group);
}

// Items of one group's object count apart from the active group's.
constexpr int kGroupItemSpan = 1000;

bool list_change::seen(int item, int group) const
{
    const int key = item + (group + 1) * kGroupItemSpan;
    return std::find(touched_.begin(), touched_.end(), key) != touched_.end();
}

void list_change::mark(int item, int group)
{
    touched_.push_back(item + (group + 1) * kGroupItemSpan);
}

config_family page_family(uint32_t model_code)
{
    const model_profile* profile = find_model_profile(model_code);
    return profile != nullptr ? profile->family : config_family::wqt55xx;
}

int value_in(instrument_config& config, int item)
{
    int value = 0;
    return config.get_value_int(item, value);
}

int item_now(int item)
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    return config ? value_in(*config, item) : 0;
}

int current_phase_count()
{
    return static_cast<int>(get_current_instrument().phase_count);
}

config_family current_page_family()
{
    return page_family(get_current_instrument().model_code);
}

const char* const* page_item_labels(config_family family)
{
    return family == config_family::wqt15xx ? wqt15xx_labels() : config_item_names(family);
}

HWND row_label(const page_def& page, int row)
{
    return row >= 0 && row < page.row_count ? config_pages.windows[page.kind][row] : nullptr;
}

HWND row_control(const page_def& page, int row)
{
    return row >= 0 && row < page.row_count ? config_pages.windows[page.kind][page.first_control + row]
                                            : nullptr;
}

void show_page(const page_def& page, HWND config_window)
{
    const std::shared_ptr<instrument_config> config = get_current_config();
    if (!config)
        return;
    if (config_window && config_pages.first_display[page.kind]) {
        config_pages.first_display[page.kind] = 0;
        retire_windows(page.kind, config_window);
        create_rows(page, *config, config_window);
    }
    if (page.lists)
        page.lists(page, *config);
    write_page_head(page.kind, head_of(page, *config));
    load_values(page, *config);
    page.layout();
    if (page.enable_rows)
        enable_config_controls_like_parent();
}

uint8_t on_page_control(const page_def& page, HWND config_window, int id, int code, HWND control)
{
    const int row = id - kPageIdBase[page.kind];
    if (row < 0 || row >= page.row_count)
        return 0;
    const row_def& def = page.rows[row];
    const bool list = (def.kind == ROW_LIST && def.item >= 0) || step_of_row(page, row) != nullptr;
    if (list && (code == CBN_SELENDOK || page.any_code))
        return run_list_rule(page, config_window, row, control);
    if (code == EN_KILLFOCUS && is_edit(def.kind) && def.item >= 0)
        run_edit_rule(page, config_window, row, control);
    return 0;
}

grid_cursor::grid_cursor(const page_def& page) : page_(page)
{
    config_current_page = kPageKindFacts[page.kind].page;
    for (int s = 0; s < CONFIG_GRID_SLOTS; ++s) {
        if (HWND window = config_grid[s].window)
            before_[s] = {window, window_rect_in_parent(window), has_shown_style(window)};
        if (config_grid[s].updown)
            DestroyWindow(config_grid[s].updown);
        config_grid[s] = {nullptr, nullptr};
    }
}

grid_cursor::~grid_cursor()
{
    for (const held& was : before_) {
        if (!was.window)
            continue;
        const bool placed = std::any_of(std::begin(config_grid), std::end(config_grid),
                                        [&was](const grid_slot& slot) { return slot.window == was.window; });
        if (!placed)
            ShowWindow(was.window, SW_HIDE);
    }
    redraw_moved();
}

// A shown window moved without being drawn: its old place still shows it
// and its new place still shows what stood there. Both are drawn again,
// the windows over them included.
void grid_cursor::redraw_moved() const
{
    for (const held& was : before_)
        if (was.window && was.shown && has_shown_style(was.window))
            repaint_moved(was.window, was.at);
}

void grid_cursor::place(int row)
{
    config_layout_place_row(next_++, row_label(page_, row), row_control(page_, row));
}

void grid_cursor::place(int row, int minimum, int maximum)
{
    place_control_pair(next_++, row_label(page_, row), row_control(page_, row), config_layout_points.data(),
                       config_grid, config_cell_size, CONFIG_GRID_SLOTS, true, minimum, maximum);
}

void grid_cursor::skip()
{
    ++next_;
}

void grid_cursor::at(int grid_row, int row)
{
    config_layout_place_row(grid_row, row_label(page_, row), row_control(page_, row));
    next_ = grid_row + 1;
}

void config_layout_place_row(int grid_row, HWND label, HWND control)
{
    place_control_pair(grid_row, label, control, config_layout_points.data(), config_grid, config_cell_size,
                       CONFIG_GRID_SLOTS, false, 2, 100);
}

control_notifying::control_notifying(HWND control, HWND config_window) : config_window_(config_window)
{
    config_pages.notifying.push_back(control);
}

control_notifying::~control_notifying()
{
    config_pages.notifying.pop_back();
    if (config_pages.notifying.empty() && !config_pages.retired.empty())
        PostMessageA(config_window_, MSG_DESTROY_RETIRED_PAGES, 0, 0);
}

void destroy_retired_page_windows()
{
    std::vector<HWND> kept;
    for (HWND window : config_pages.retired) {
        if (notifying(window)) {
            kept.push_back(window);
            continue;
        }
        for (grid_slot& slot : config_grid) {
            if (slot.window != window)
                continue;
            if (slot.updown)
                DestroyWindow(slot.updown);
            slot = {nullptr, nullptr};
        }
        DestroyWindow(window);
    }
    config_pages.retired = std::move(kept);
}

namespace {

void (*rebuild_pages)() = nullptr;

} // namespace

void set_rebuild_all_pages(void (*rebuild)())
{
    rebuild_pages = rebuild;
}

void rebuild_all_pages()
{
    if (rebuild_pages != nullptr)
        rebuild_pages();
}

void enable_config_controls_like_parent()
{
    enable_controls_like_parent(config_grid, CONFIG_GRID_SLOTS);
}

void config_collect_control_handles(HWND* handles, int* count)
{
    for (int row = 0; row < CONFIG_GRID_ROWS; ++row)
        if (HWND control = config_grid[CONFIG_GRID_ROWS + row].window)
            handles[(*count)++] = control;
}

std::string config_value_to_string(const config_item_value& value)
{
    if (value.is_list)
        return std::to_string(value.value.integer);
    return std::string(value.value.text, strnlen(value.value.text, sizeof value.value.text));
}

int phase_count_to_offset(int n)
{
    return n >= 2 && n <= 5 ? 4 * (n - 1) : 0;
}
