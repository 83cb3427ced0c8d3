// The Config window's heading, which names the instrument the pages
// control.
#pragma once

// Sets the Config window's heading (13009) to "CONTROL: " and the target's
// name: "WQT&1" .. "WQT&4" for targets 0..3, "Control Both" for 4. Other
// targets leave the heading as it is.
void set_control_target_caption(int target);
