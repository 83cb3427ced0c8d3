// Bringing the Config window up to date after the instrument, its group or
// its configuration changed: every page built again, and the heading naming
// the instrument the pages control.
#pragma once

// Marks every configuration page for rebuilding and shows the current page
// again.
void invalidate_all_config_pages();

// Sets the Config window's heading (13009) to "CONTROL: " and the target's
// name: "WQT&1" .. "WQT&4" for targets 0..3, "Control Both" for 4. Other
// targets leave the heading as it is.
void set_control_target_caption(int target);
