// Stand-ins for what the configuration window, the settings and the logging
// engine offer the saved-configuration menu, the default dialog and the
// choice-list services (app/neighbour_services.h): they record the calls and
// answer as a test sets them.
#pragma once

namespace doubles {
extern int show_page_calls;
extern int invalidate_calls;
extern bool auto_configs;
extern bool model3;
extern bool model6;
// Back to no calls, AutoConfigs off, both logging answers false, phase 1.
void reset();
} // namespace doubles
