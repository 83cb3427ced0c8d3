// Reading and sending a whole instrument configuration on a worker thread
// behind the progress dialog.
#pragma once
#include "frame/progress_dialog.h"
#include "config/transfer_progress.h"
#include "link/link_record.h"

#include <atomic>
#include <cstdint>

// The arguments of one progress run, copied by value into each run.
struct settings_args {
    HWND parent;       // owner of the progress dialog (the main window)
    uint8_t flag;      // 1: the transfer opens and closes the link itself; 0 in
                       // every run here, where the command holds it open
    link_record* link; // the instrument's link (its slot's), borrowed for the run
    int index;         // the instrument index 0..3
};

// The task of a settings run: the dialog's fields, then the run's arguments.
struct settings_task {
    progress_task task;
    settings_args* args;
    // The worker's result (1 the transfer went through, 0 it did not), for
    // the caller once the dialog has ended; stays 0 when the worker never ran.
    unsigned result;
    // Set by the cancel routine when the user presses Esc; the transfer
    // stops before its next item.
    std::atomic<bool> cancel_requested;
};

// The progress of a whole transfer as the dialog of a settings run shows
// it: the status, the total and the position are sent to the dialog as its
// PROGRESS_* commands; the end is posted as PROGRESS_DONE, or, when the
// transfer stopped early, the dialog's cancel (IDCANCEL) is sent.
class dialog_transfer_progress : public transfer_progress {
public:
    explicit dialog_transfer_progress(settings_task& task) : task_(task) {}
    void set_status(const char* text) override;
    void set_total(int steps) override;
    void set_position(int steps_done) override;
    void done(bool stopped) override;
    bool cancel_requested() override;

private:
    void send(int id, LPARAM value);
    settings_task& task_;
};

// Reads the whole configuration of instrument args.index (its active group)
// under progress dialog 178 titled "WQT%d: Acquiring Settings" (or
// "WQT%d G%d: Acquiring Settings" for the two-group model). True when the
// worker's transfer went through: false when it stopped at its third failed
// item, when the user pressed Esc (the transfer stops before its next item
// and the call returns once it has taken the instrument out of its suspended
// state), when the instrument has no configuration to read into, or when the
// dialog was closed before the worker started.
bool acquire_settings_with_progress(settings_args args);
// The same for sending ("WQT%d: Sending Settings").
bool send_settings_with_progress(settings_args args);

// Worker routines of the two runs; the task is a settings_task.
unsigned __stdcall read_config_worker(void* task);
unsigned __stdcall send_config_worker(void* task);
// Cancel routine of the two runs (Esc): asks the transfer to stop.
unsigned __stdcall cancel_settings_run(void* task);
