// Reading and sending a whole instrument configuration behind the progress
// dialog. The dialog's call returns only after the worker has ended, so the
// arguments and the task may live on the caller's stack and the worker's
// result can be taken from the task afterwards.
#include "slots/settings_runs.h"

#include "config/instrument_config.h"
#include "slots/instrument_slots.h"

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
    // Esc closes the dialog at once and asks the transfer to stop; the
    // dialog's call still waits for the worker, which stops before its next
    // item and always takes the instrument out of its suspended state.
    run.task.cancel = cancel_settings_run;
    run.args = &args;
    run.result = 0;
    run.cancel_requested = false;
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

using whole_transfer_fn = bool (instrument_config::*)(link_record*, bool, transfer_progress&);

// The configuration of the instrument named by the arguments, for its active
// group, then the transfer on the borrowed link. Without a configuration
// there is nothing to do, and the dialog is ended at once.
unsigned run_worker(void* task, whole_transfer_fn transfer)
{
    settings_task& run = task_of(task);
    dialog_transfer_progress progress(run);
    const settings_args* args = run.args;
    std::shared_ptr<instrument_config> config;
    if (args != nullptr && args->index >= 0 && args->index < kInstrumentSlots)
        config = get_instrument_active_config(args->index);
    bool ok = false;
    if (config)
        ok = ((*config).*transfer)(args->link, args->flag != 0, progress);
    else
        progress.done(false);
    run.result = ok ? 1 : 0;
    return run.result;
}

} // namespace

void dialog_transfer_progress::send(int id, LPARAM value)
{
    if (task_.task.dialog != nullptr)
        SendMessageA(task_.task.dialog, WM_COMMAND, static_cast<WPARAM>(id), value);
}

void dialog_transfer_progress::set_status(const char* text)
{
    send(PROGRESS_SET_STATUS, reinterpret_cast<LPARAM>(text));
}

void dialog_transfer_progress::set_total(int steps)
{
    send(PROGRESS_SET_TOTAL, steps);
}

void dialog_transfer_progress::set_position(int steps_done)
{
    send(PROGRESS_SET_POS, steps_done);
}

void dialog_transfer_progress::done(bool stopped)
{
    if (stopped)
        send(IDCANCEL, 0);
    else if (task_.task.dialog != nullptr)
        PostMessageA(task_.task.dialog, WM_COMMAND, PROGRESS_DONE, 0);
}

bool dialog_transfer_progress::cancel_requested()
{
    return task_.cancel_requested.load();
}

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

unsigned __stdcall cancel_settings_run(void* task)
{
    task_of(task).cancel_requested = true;
    return 0;
}
