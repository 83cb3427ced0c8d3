#include "configui/window/config_refresh.h"

#include "config/config_choices.h"
#include "configui/engine/config_ids.h"
#include "frame/control_tables.h"

#include <string>

void set_control_target_caption(int target)
{
    const std::string caption = control_target_caption(target);
    if (!caption.empty())
        SetWindowTextA(get_control_by_id(IDC_CFG_CONTROL_LABEL), caption.c_str());
}
