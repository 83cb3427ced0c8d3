#include "views/view_state.h"

#include "views/view_windows.h"

int measure_view_mode = 0;
int harmonics_view_mode = 2;
int scope_view_mode = 1;

COLORREF results_panel_colours[4][RESULTS_PANEL_SWATCHES] = {};

namespace {
constexpr COLORREF kDefaultSwatches[RESULTS_PANEL_SWATCHES] = {
    RGB(245, 73, 73), RGB(6, 125, 255), RGB(0, 255, 0), RGB(255, 207, 64)};
}

void measure_results_reset_colours()
{
    for (auto& panel : results_panel_colours)
        for (int k = 0; k < RESULTS_PANEL_SWATCHES; ++k)
            panel[k] = kDefaultSwatches[k];
}
