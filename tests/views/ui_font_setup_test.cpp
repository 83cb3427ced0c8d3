// The frame's seven fonts as the real main window's creation builds them,
// and the font every control got.
#include "views/ui_font_setup.h"

#include "frame/control_table_walk.h"
#include "frame/main_ids.h"
#include "frame/ui_fonts.h"
#include "tests/app/frame_window.h"
#include "tests/support/pixels.h"
#include "frame/harmonic_results_ids.h"
#include "frame/measure_ids.h"
#include "frame/results_panel_ids.h"
#include "views/view_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Fonts : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(frame_main_window(), nullptr); }
};

LOGFONTA description_of(HFONT font)
{
    LOGFONTA description = {};
    GetObjectA(font, sizeof description, &description);
    return description;
}

HFONT font_of(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

bool keeps_a_font(const char* class_name)
{
    for (const char* name : {"Static", "Button", "Edit", "ComboBox", "SysListView32"})
        if (lstrcmpiA(class_name, name) == 0)
            return true;
    return false;
}

} // namespace

TEST_F(Fonts, EachIndexHasItsDescriptionAndTheFittedOnesFit)
{
    struct font_case {
        int height;     // character height in pixels
        bool at_most;   // fitted: the height is an upper bound
        LONG weight;
        BYTE quality;
        BYTE pitch_and_family;
    };
    const font_case cases[UI_FONT_COUNT] = {
        {12, true, 400, 0, 0},  {12, false, 700, 0, 0}, {16, true, 400, 0, 0},
        {16, false, 700, 0, 0}, {19, false, 400, 0, 0}, {19, false, 700, 0, 0},
        {9, false, 300, PROOF_QUALITY, FF_MODERN},
    };
    for (int i = 0; i < UI_FONT_COUNT; ++i) {
        ASSERT_NE(ui_fonts[i], nullptr) << i;
        const LOGFONTA d = description_of(ui_fonts[i]);
        const font_case& c = cases[i];
        EXPECT_STREQ(d.lfFaceName, "Segoe UI") << i;
        EXPECT_LT(d.lfHeight, 0) << i << ": a character height";
        if (c.at_most) {
            EXPECT_LE(-d.lfHeight, c.height) << i;
        } else {
            EXPECT_EQ(-d.lfHeight, c.height) << i;
        }
        EXPECT_EQ(d.lfWeight, c.weight) << i;
        EXPECT_EQ(d.lfQuality, c.quality) << i;
        EXPECT_EQ(d.lfPitchAndFamily, c.pitch_and_family) << i;
        EXPECT_EQ(d.lfCharSet, ANSI_CHARSET) << i;
        EXPECT_EQ(d.lfOutPrecision, OUT_TT_PRECIS) << i;
        EXPECT_EQ(d.lfItalic | d.lfUnderline | d.lfStrikeOut, 0) << i;
    }
    // The fitted ones fit their texts.
    EXPECT_LT(text_width(ui_fonts[0], "Phase Angle Reference"), 115);
    RECT label = {};
    GetClientRect(get_control_by_id(IDC_MEAS_ELAPSED_LABEL), &label);
    EXPECT_EQ(label.right, 120);
    EXPECT_LT(text_width(ui_fonts[2], "Elapsed Log Time:"), label.right);
}

TEST_F(Fonts, EveryControlHasTheFontOfItsRow)
{
    const std::pair<int, int> named[] = {
        {IDC_TOP_CONTROL_LABEL, 0}, {IDC_WQT1, 1}, {IDC_WQT2, 0}, {IDC_MEAS_REAL_TIME, 1},
        {IDC_MEAS_ELAPSED_LABEL, 2}, {IDC_MEAS_ELAPSED_TIME, 3}, {results_panel_id(2, RP_TITLE), 4},
        {IDC_HRES_PHASES_LABEL, 1}, {15600, 4}, {15601, 3}, {IDC_MEAS_LOG_LIST, 0},
    };
    for (const auto& [id, font] : named)
        EXPECT_EQ(font_of(get_control_by_id(id)), ui_fonts[font]) << id;

    using t = control_table_name;
    int checked = 0;
    for_each_control_row({t::frame, t::config, t::measure, t::results_panels, t::scope,
                          t::capture, t::harmonics, t::harmonic_results, t::voltmeter, t::lomx},
                         [&](const control_desc& row) {
                             if (!row.hwnd || !keeps_a_font(row.class_name))
                                 return;
                             ++checked;
                             EXPECT_EQ(font_of(row.hwnd), ui_fonts[row.font_index])
                                 << "row " << row.id;
                         });
    EXPECT_GT(checked, 200);
    // A tooltip keeps a copy of the font it is given.
    const LOGFONTA tooltip_font = description_of(ui_fonts[6]);
    for (const tooltip_record& tip : harmonic_results_tooltips) {
        const LOGFONTA d = description_of(font_of(tip.window));
        EXPECT_EQ(d.lfHeight, tooltip_font.lfHeight);
        EXPECT_EQ(d.lfWeight, tooltip_font.lfWeight);
        EXPECT_STREQ(d.lfFaceName, tooltip_font.lfFaceName);
    }
}
