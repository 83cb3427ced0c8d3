// The program's real main window in the test process, built as start-up
// builds it, with the settings file and the other per-user files in a
// folder of the test's own; and simulated instruments connected to its
// slots through the connection sequence.
#pragma once
#include "tests/support/modal_dialog.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class FrameTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window as the program does and runs the commands it
    // posts to itself. Tests that prepare the settings file first call it
    // themselves (open_window_in_set_up false).
    void open_main_window();
    // Runs every message waiting for this thread (the accelerators too).
    void pump();
    // Sends the main window a command and runs what it posted.
    LRESULT command(int id);
    // Closes the main window (WM_CLOSE with lparam) and runs its last
    // messages.
    void close_main_window(LPARAM lparam);

    // The commands posted to the window (or its children) and not yet run,
    // taken off the queue.
    std::vector<WPARAM> take_posted_commands(HWND window);

    // Connects a simulated instrument to slot n through the connection
    // sequence, as the Communications dialog does. False when it did not
    // attach.
    bool connect(int n, const link_record& settings);

    // A fresh folder of the test's own, removed after the test.
    std::string make_folder();

    bool open_window_in_set_up = true;
    HWND main = nullptr;
    std::string root; // stands for the local application-data folder

private:
    std::vector<std::unique_ptr<temp_folder>> folders_;
};

// The per-user folder and the settings file under root.
std::string app_folder_under(const std::string& root);
std::string settings_file_under(const std::string& root);
