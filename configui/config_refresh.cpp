#include "configui/config_refresh.h"

#include "app/control_tables.h"
#include "app/ui_text.h"
#include "configui/config_ids.h"
#include "configui/config_pages.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr int kControlTargets = 5;
}

void invalidate_all_config_pages()
{
    memset(config_page_dirty, 1, sizeof config_page_dirty);
    show_config_page(get_config_window());
}

void set_control_target_caption(int target)
{
    if (target < 0 || target >= kControlTargets)
        return;
    char caption[64];
    snprintf(caption, sizeof caption, "%s %s", ui_text[UI_CONTROL_LABEL],
             ui_text[UI_CONTROL_TARGETS + target]);
    SetWindowTextA(get_control_by_id(IDC_CFG_CONTROL_LABEL), caption);
}
