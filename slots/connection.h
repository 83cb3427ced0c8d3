// Connecting an instrument: identify the analyser at the far end of a link,
// fill the identity fields of its link record and, for a full connect, lock
// its front panel, attach it to its slot and read all its settings.
#pragma once
#include "link/link_record.h"

#include <windows.h>

// Runs the connection sequence on link, which the Communications dialog fills
// with interface and port or address (normally slot n's own record).
// test_only: identify and report the outcome in a "Test Connection" box, then
// close the link. Otherwise identify silently (an open failure or an unknown
// model is still reported), send "USBLOCK,ON", attach the record to slot n,
// read every setting under the progress dialog (offering a reset to the
// defaults when the read fails) and close the link.
// Returns true when the instrument was attached to slot n; false on every
// earlier way out, and always in test mode.
bool connect_instrument(HWND owner, int n, link_record* link, bool test_only);
