#include "app/frame_reporter.h"

#include "frame/app_globals.h"
#include "base/message_box.h"
#include "link/user_report.h"

namespace {

class main_window_reporter : public user_reporter {
public:
    int report(const char* text, const char* caption, unsigned type) override
    {
        return show_message_box(main_window, text, caption, type);
    }
};

main_window_reporter g_reporter;

} // namespace

void install_frame_reporter()
{
    set_user_reporter(&g_reporter);
}

void remove_frame_reporter()
{
    set_user_reporter(nullptr);
}
