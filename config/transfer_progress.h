// How a whole-configuration transfer that runs behind a progress display
// tells its progress and learns that the user wants it to stop, and how one
// without a progress display shows that the program is busy. The model
// shows nothing itself: the frame implements these with its progress dialog
// and the wait cursor.
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

// A transfer without a progress display (a saved configuration sent, a
// default block read back) shows only that the program is busy, from its
// first exchange to its last. The frame installs how; with none installed
// nothing shows.
class transfer_busy_indicator {
public:
    virtual ~transfer_busy_indicator() = default;
    virtual void begin() = 0;
    virtual void end() = 0;
};

// Installs the indicator (null: none); it must outlive every transfer.
void set_transfer_busy_indicator(transfer_busy_indicator* indicator);
