// The seven fonts of the frame and their rows.
#include "views/ui_font_setup.h"

#include "frame/control_table_walk.h"
#include "frame/drawing.h"
#include "frame/main_ids.h"
#include "frame/ui_fonts.h"
#include "frame/ui_text.h"
#include "frame/measure_ids.h"
#include "views/view_windows.h"

namespace {

constexpr int kRegularFaceResource = 171;
constexpr int kFitWidthText = 88;   // ui_text: "Phase Angle Reference"
constexpr int kElapsedLabelText = 37; // ui_text: "Elapsed Log Time:"
constexpr RECT kFitWidthRect = {0, 0, 115, 21};

// Registers the regular face for this process when the program carries it.
// Neither a missing resource nor a failed registration is reported.
void register_shipped_face()
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(kRegularFaceResource), "BINARY");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return;
    DWORD fonts_added = 0;
    AddFontMemResourceEx(bytes, SizeofResource(module, found), nullptr, &fonts_added);
}

// The description every font starts from: "Segoe UI" at character height
// 12, or the default GUI font when that cannot be made.
LOGFONTA base_description()
{
    HFONT made = CreateFontA(-12, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                             0, 0, 0, "Segoe UI");
    gdi_object_holder base(made ? static_cast<HGDIOBJ>(made) : GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA description = {};
    GetObjectA(base.get(), sizeof description, &description);
    return description;
}

// A font of description fitted so that the text is narrower than the target,
// measured on the control's device context.
HFONT fit_on_control(int control_id, const LOGFONTA& description, const char* text,
                     const RECT& target)
{
    HWND control = get_control_by_id(control_id);
    window_dc dc(control);
    LOGFONTA fitted = description;
    return measure_text_fit(dc.get(), &fitted, text, target, 0, false, nullptr);
}

RECT client_rect(int control_id)
{
    RECT client = {};
    GetClientRect(get_control_by_id(control_id), &client);
    return client;
}

void build_fonts()
{
    LOGFONTA d = base_description();
    d.lfWeight = FW_NORMAL;
    ui_fonts[0] = fit_on_control(IDC_TOP_CONTROL_LABEL, d, ui_text[kFitWidthText], kFitWidthRect);
    d.lfWeight = FW_BOLD;
    ui_fonts[1] = CreateFontIndirectA(&d);

    d.lfWeight = FW_NORMAL;
    d.lfHeight = d.lfHeight * 7 / 5;
    ui_fonts[2] = fit_on_control(IDC_MEAS_ELAPSED_LABEL, d, ui_text[kElapsedLabelText],
                                 client_rect(IDC_MEAS_ELAPSED_LABEL));
    d.lfWeight = FW_BOLD;
    ui_fonts[3] = CreateFontIndirectA(&d);

    d.lfHeight = d.lfHeight * 6 / 5;
    ui_fonts[5] = CreateFontIndirectA(&d);
    d.lfWeight = FW_NORMAL;
    ui_fonts[4] = CreateFontIndirectA(&d);

    d.lfHeight = d.lfHeight / 2;
    d.lfWeight = FW_LIGHT;
    d.lfQuality = PROOF_QUALITY;
    d.lfPitchAndFamily = FF_MODERN;
    ui_fonts[6] = CreateFontIndirectA(&d);
}

void set_font(HWND window, int index)
{
    if (window && index >= 0 && index < UI_FONT_COUNT)
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(ui_fonts[index]), FALSE);
}

void apply_fonts()
{
    using t = control_table_name;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::capture, t::harmonics, t::harmonic_results, t::lomx, t::voltmeter},
                         [](const control_desc& row) { set_font(row.hwnd, row.font_index); });
    for (const tooltip_record& tip : harmonic_results_tooltips)
        set_font(tip.window, 6);
}

} // namespace

void create_ui_fonts(HWND)
{
    register_shipped_face();
    build_fonts();
    apply_fonts();
}
