// The picture of the visible view: saved as a bitmap file, put on the
// clipboard, or placed in a word processor document.
#include "app/main_commands.h"

#include "base/file_dialog.h"
#include "base/message_box.h"
#include "frame/control_tables.h"
#include "frame/drawing.h"
#include "views/layout.h"
#include "frame/main_ids.h"
#include "frame/version.h"
#include "slots/instrument_slots.h"
#include "views/view_pictures.h"
#include "views/word_export.h"

#include <cstdio>

namespace {

constexpr char kScreenCapture[] = "screencap.bmp";

struct picture_source {
    HWND (*window)();
    picture_rect_fn rect;
    picture_paint_fn paint;
};

// Tested in this order; the first visible one is taken.
const picture_source picture_sources[] = {
    {get_scope_window, get_scope_plot_rect, paint_scope},
    {get_voltmeter_window, get_voltmeter_plot_rect, paint_voltmeter_background},
    {get_capture_window, capture_layout, paint_screen_capture},
    {get_harmonic_results_window, harmonic_results_chart_rect, harmonic_results_draw_panel},
};

// Otherwise the results pane the layout shows alone: codes 1..3 name
// panes 2..4, any other code pane 1.
HWND results_pane()
{
    const int pane = results_layout >= 1 && results_layout <= 3 ? results_layout : 0;
    return get_measure_results_window(pane);
}

struct chosen_picture {
    HWND window;
    picture_rect_fn rect;
    picture_paint_fn paint;
};

chosen_picture choose_picture()
{
    for (const picture_source& source : picture_sources)
        if (IsWindowVisible(source.window()))
            return {source.window(), source.rect, source.paint};
    return {results_pane(), measure_results_chart_rect, measure_results_draw_cell};
}

const file_dialog_form kBitmapFile = {nullptr, nullptr, "Save to Bitmap",
                                      OFN_HIDEREADONLY | OFN_PATHMUSTEXIST};

bool ask_bitmap_path(HWND owner, char (&path)[MAX_PATH])
{
    lstrcpynA(path, "*.bmp", MAX_PATH);
    return ask_file_name(owner, kBitmapFile, path, MAX_PATH, true);
}

bool screen_capture_path(char (&path)[MAX_PATH])
{
    char folder[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const int written = snprintf(path, MAX_PATH, "%s%s", folder, kScreenCapture);
    return written > 0 && written < MAX_PATH;
}

// The view painted by its own painter into a bitmap of its picture's size.
// The bitmap is selected out of the drawing context again before anyone
// else uses it.
HBITMAP paint_picture(const chosen_picture& picture)
{
    RECT area;
    picture.rect(picture.window, area, get_current_instrument_index());
    const window_dc screen(picture.window);
    const memory_dc memory(screen.get());
    HBITMAP bitmap =
        CreateCompatibleBitmap(screen.get(), area.right - area.left, area.bottom - area.top);
    const selected_object bitmap_in(memory.get(), bitmap);
    SetViewportOrgEx(memory.get(), -area.left, -area.top, nullptr);
    picture.paint(picture.window, memory.get(), area, get_current_instrument_index());
    return bitmap;
}

bool put_on_clipboard(HWND owner, HBITMAP bitmap)
{
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    const bool given = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    CloseClipboard();
    return given;
}

bool write_picture(HWND owner, HBITMAP bitmap, const char* path)
{
    if (write_bitmap_file(bitmap, path))
        return true;
    char text[MAX_PATH + 64];
    snprintf(text, sizeof text, "The picture could not be written to\n%s", path);
    show_message_box(owner, text, kProductName, MB_ICONWARNING);
    return false;
}

} // namespace

void copy_window_image(HWND main_window, int command)
{
    char path[MAX_PATH] = "";
    if (command == IDM_SAVE_TO_BITMAP && !ask_bitmap_path(main_window, path))
        return;
    if (command == IDM_EXPORT_TO_WORD && !screen_capture_path(path)) {
        show_message_box(main_window, "The temporary folder's path is too long for the picture",
                         kProductName, MB_ICONWARNING);
        return;
    }
    HBITMAP bitmap = paint_picture(choose_picture());
    bool given_away = false;
    if (command == IDM_COPY_TO_CLIPBOARD)
        given_away = put_on_clipboard(main_window, bitmap);
    else if (write_picture(main_window, bitmap, path) && command == IDM_EXPORT_TO_WORD)
        export_picture_to_word(main_window, path);
    if (!given_away)
        DeleteObject(bitmap);
}
