// The LOMX view on the real main window as a user reaches it: View > LOMX
// and a click of "Connect to LOMX", usable only while the view is shown and
// nothing runs, which opens the converter's Connect dialog.
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/lomx_ids.h"
#include "frame/main_ids.h"
#include "logging/logging_state.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/modal_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class LomxViewTest : public FrameTest {
protected:
    void TearDown() override
    {
        activity_state = ACTIVITY_IDLE;
        FrameTest::TearDown();
    }

    // Clicks "Connect to LOMX" with the mouse (a disabled button takes no
    // click); the captions of the dialogs that opened (each cancelled). A
    // click another program's activation cancelled is made again (3 at most).
    std::vector<std::string> click_connect()
    {
        std::vector<std::string> opened;
        dialog_driver driver([&](HWND dialog) { opened.push_back(caption(dialog)); });
        for (int attempt = 0; attempt < 3 && opened.empty(); ++attempt) {
            EXPECT_TRUE(mouse_click(get_control_by_id(IDC_LOMX_CONNECT))) << "covered";
            pump();
        }
        return opened;
    }
};

// The controls that work with the converter, one of each kind.
constexpr int kConverterControls[] = {IDC_LOMX_CAN_BITRATE, IDC_LOMX_EXTENDED_IDS, IDC_LOMX_READ_ID,
                                      IDC_LOMX_MULTILOG_LIST, IDC_LOMX_REQUEST_REPEATEDLY,
                                      IDC_LOMX_SAVE, IDC_LOMX_SETUP};

TEST_F(LomxViewTest, ConnectOpensTheConvertersDialogOnlyInTheLomxViewWhileNothingRuns)
{
    const struct {
        const char* name;
        int view;
        uint32_t state;
        bool opens;
    } cases[] = {
        {"LOMX view, idle", IDM_VIEW_LOMX, ACTIVITY_IDLE, true},
        {"LOMX view, measuring", IDM_VIEW_LOMX, ACTIVITY_MEASURING, false},
        {"LOMX view, stop requested", IDM_VIEW_LOMX, ACTIVITY_STOP_REQUESTED, false},
        {"Measure view, idle", IDM_VIEW_MEASURE, ACTIVITY_IDLE, false},
        {"LOMX view again, idle", IDM_VIEW_LOMX, ACTIVITY_IDLE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        activity_state = ACTIVITY_IDLE;
        command(c.view);
        activity_state = c.state;
        command(CMD_REFRESH_CONNECTIONS);
        EXPECT_EQ(click_connect(), c.opens ? std::vector<std::string>{"Connect"} : std::vector<std::string>{});
        // Nothing connected the converter: its controls stay off, the texts
        // that tell the user what to do stay readable.
        for (int id : kConverterControls)
            EXPECT_FALSE(IsWindowEnabled(get_control_by_id(id))) << id;
        for (int id : {IDC_LOMX_TITLE, IDC_LOMX_INSTRUCTIONS, IDC_LOMX_STATUS})
            EXPECT_TRUE(IsWindowEnabled(get_control_by_id(id))) << id;
    }
}

} // namespace
