// How a whole-configuration transfer that runs behind a progress display
// tells its progress and learns that the user wants it to stop. The model
// shows nothing itself: the frame implements this with its progress dialog.
#pragma once

class transfer_progress {
public:
    virtual ~transfer_progress() = default;

    // Each report returns once the display has taken it; the status text is
    // a constant of the transfer.
    virtual void set_status(const char* text) = 0;
    virtual void set_total(int steps) = 0;
    virtual void set_position(int steps_done) = 0;
    // The transfer is over: it ran to its end (or found nothing to do), or
    // stopped early (too many failed items, or the user asked it to).
    virtual void done(bool stopped) = 0;
    // Whether the user has asked the transfer to stop; it is asked before
    // each item, and the transfer then still takes the instrument out of
    // its suspended state.
    virtual bool cancel_requested() = 0;
};
