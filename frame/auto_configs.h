// The "AutoConfigs" setting ("Auto-send configuration changes?"): when on,
// a configuration edit is sent to the instrument as soon as it is made;
// when off, it stays in the configuration until the whole configuration is
// sent. The settings load at start-up and the Settings dialog set it.
#pragma once
#include <cstdint>

// 0 off (the start value), 1 on.
extern uint8_t AutoConfigs;

// Whether configuration edits are sent at once.
bool auto_configs_setting();
