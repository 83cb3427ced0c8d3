#include "link/lan_discovery.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // No crash dialogs, modal boxes or file dialogs: a failing test must
    // end, not wait.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    msgbox::install();
    file_dialogs::install();
    // A LAN search from a test stays on this machine: its probes go to the
    // loopback range, never to the broadcast address.
    set_discovery_destination(ipv4_address(127, 255, 255, 255));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
