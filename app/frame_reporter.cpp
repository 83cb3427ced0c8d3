#include "app/frame_reporter.h"

#include "frame/app_globals.h"
#include "frame/progress_dialog.h"
#include "config/transfer_progress.h"
#include "link/user_report.h"

namespace {

class main_window_reporter : public user_reporter {
public:
    int report(const char* text, const char* caption, unsigned type) override
    {
        return show_message_box_over_progress(main_window, text, caption, type);
    }
};

main_window_reporter g_reporter;

// A transfer without a progress display shows the wait cursor and puts the
// cursor before it back at its end.
class wait_cursor_indicator : public transfer_busy_indicator {
public:
    void begin() override { previous_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT)); }
    void end() override { SetCursor(previous_); }

private:
    HCURSOR previous_ = nullptr;
};

wait_cursor_indicator g_wait_cursor;

} // namespace

void install_frame_reporter()
{
    set_user_reporter(&g_reporter);
    set_transfer_busy_indicator(&g_wait_cursor);
}

void remove_frame_reporter()
{
    set_user_reporter(nullptr);
    set_transfer_busy_indicator(nullptr);
}
