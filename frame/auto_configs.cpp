#include "frame/auto_configs.h"

uint8_t AutoConfigs = 0;

bool auto_configs_setting()
{
    return AutoConfigs != 0;
}
