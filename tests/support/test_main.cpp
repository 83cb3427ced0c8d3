#include "link/lan_discovery.h"
#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // No crash dialogs and no modal boxes: a failing test must end, not wait.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    msgbox::install();
    // A LAN search from a test stays on this machine: its probes go to the
    // loopback range, never to the broadcast address.
    set_discovery_destination(ipv4_address(127, 255, 255, 255));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
