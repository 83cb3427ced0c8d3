// Reading and sending a whole instrument configuration behind the progress
// dialog. The dialog's call returns only after the worker has ended, so the
// arguments and the task may live on the caller's stack and the worker's
// result can be taken from the task afterwards.
#include "app/settings_runs.h"

#include "config/instrument_config.h"
#include "link/instrument_slots.h"

#include <cstdio>
#include <memory>

namespace {

const char kAcquiring[] = "Acquiring Settings";
const char kSending[] = "Sending Settings";

// "WQT<n>: <what>", and for the two-group model "WQT<n> G<g>: <what>" with
// the group the transfer works on.
void set_title(progress_task& task, const settings_args& args, const char* what)
{
    if (args.link != nullptr && is_two_group_model(args.link->model_code) && args.index >= 0 &&
        args.index < kInstrumentSlots) {
        snprintf(task.title, sizeof task.title, "WQT%d G%d: %s", args.index + 1,
                 get_instrument_active_group(args.index) + 1, what);
    } else {
        snprintf(task.title, sizeof task.title, "WQT%d: %s", args.index + 1, what);
    }
}

bool run_settings(settings_args& args, progress_routine worker, const char* what)
{
    settings_task run{};
    set_title(run.task, args, what);
    run.task.worker = worker;
    // No cancel routine: Esc closes the dialog, and the dialog's call still
    // waits for the transfer, which always takes the instrument out of its
    // suspended state.
    run.task.cancel = nullptr;
    run.args = &args;
    run.result = 0;
    const INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS),
                                          args.parent, progress_dlg_proc,
                                          reinterpret_cast<LPARAM>(&run.task));
    // The dialog ends with 1 even when the worker gave up after its third
    // failed item: the worker's own result says whether the transfer went
    // through.
    return ended > 0 && run.result != 0;
}

settings_task& task_of(void* task)
{
    return *reinterpret_cast<settings_task*>(static_cast<progress_task*>(task));
}

using whole_transfer_fn = bool (instrument_config::*)(settings_task*);

// The configuration of the instrument named by the arguments, for its active
// group, then the transfer. Without a configuration there is nothing to do,
// and the dialog is ended at once.
unsigned run_worker(void* task, whole_transfer_fn transfer)
{
    settings_task& run = task_of(task);
    std::shared_ptr<instrument_config> config;
    if (run.args != nullptr && run.args->index >= 0 && run.args->index < kInstrumentSlots)
        config = get_instrument_active_config(run.args->index);
    bool ok = false;
    if (config)
        ok = ((*config).*transfer)(&run);
    else
        PostMessageA(run.task.dialog, WM_COMMAND, PROGRESS_DONE, 0);
    run.result = ok ? 1 : 0;
    return run.result;
}

} // namespace

bool acquire_settings_with_progress(settings_args args)
{
    return run_settings(args, read_config_worker, kAcquiring);
}

bool send_settings_with_progress(settings_args args)
{
    return run_settings(args, send_config_worker, kSending);
}

unsigned __stdcall read_config_worker(void* task)
{
    return run_worker(task, &instrument_config::read_all_items_with_progress);
}

unsigned __stdcall send_config_worker(void* task)
{
    return run_worker(task, &instrument_config::write_all_items_with_progress);
}
