#include "tests/support/msgbox_recorder.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // No crash dialogs and no modal boxes: a failing test must end, not wait.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    msgbox::install();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
