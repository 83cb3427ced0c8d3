// The measurement-mode dispatch and the Mode list every mode page shares.
#include "configui/pages/modes.h"

void mode_lists(const page_def&, instrument_config&) {}
