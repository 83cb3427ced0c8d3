// Start-up and shut-down of the real main window: its class, title, menu,
// keys and minimum size, the commands it posts to itself, what it sends the
// instruments when it closes, the save question, the running activity it
// ends first, and the About dialog.
#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "frame/main_ids.h"
#include "app/main_window.h"
#include "app/resource.h"
#include "app/settings.h"
#include "configui/engine/config_ids.h"
#include "link/comms_log.h"
#include "slots/instrument_slots.h"
#include "link/user_report.h"
#include "logging/logging_state.h"
#include "logging/results_file.h"
#include "logging/run_control.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "frame/measure_ids.h"

#include <gtest/gtest.h>

#include <process.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct menu_entry {
    std::string path; // popup texts and the item text, joined by "/"
    UINT id;          // 0 for a popup
};

void read_menu(HMENU menu, const std::string& prefix, std::vector<menu_entry>& out)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = "";
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        HMENU sub = GetSubMenu(menu, i);
        out.push_back({prefix + text, sub ? 0u : GetMenuItemID(menu, i)});
        if (sub)
            read_menu(sub, prefix + text + "/", out);
    }
}

using MainWindowStart = FrameTest;

TEST_F(MainWindowStart, ClassTitleAndInterval)
{
    char name[64] = "";
    GetClassNameA(main, name, sizeof name);
    EXPECT_STREQ(name, "Z7DualWQTWClass");
    EXPECT_EQ(window_text(main), "Kestrova v3_5-U");
    EXPECT_EQ(main_window, main);
    EXPECT_EQ(window_text(get_control_by_id(IDC_MEAS_INTERVAL)), "1");
    EXPECT_TRUE(IsWindowEnabled(get_control_by_id(IDC_LOGO)));
    EXPECT_NE(logo_bitmap, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(small_icon_list), 3);
}

TEST_F(MainWindowStart, MenuReadsBackWithItsIdsAndPositions)
{
    std::vector<menu_entry> menu;
    read_menu(GetMenu(main), "", menu);
    std::vector<std::pair<std::string, UINT>> expected = {
        {"&Configure", 0},
        {"&Configure/&Connection ...", 32775},
        {"&Configure/Saved Config", 0},
    };
    // The slot popups, filled from the (empty) slots at creation.
    const std::pair<const char*, UINT> slot_popups[] = {{"Load", 33200}, {"Save", 33300}, {"Delete", 33400}};
    for (const auto& popup : slot_popups) {
        const std::string path = std::string("&Configure/Saved Config/") + popup.first;
        expected.push_back({path, 0});
        for (UINT n = 0; n < 10; ++n)
            expected.push_back({path + "/" + popup.first + " (empty)", popup.second + n});
    }
    const std::vector<std::pair<std::string, UINT>> rest = {
        {"&Configure/Saved Config/Export...", 120},
        {"&Configure/Saved Config/Export as .txt...", 193},
        {"&Configure/Saved Config/Import...", 121},
        {"&Configure/Add/Edit Equations ...", 32792},
        {"&Configure/Settings ...", 32793},
        {"&Display", 0},
        {"&Display/Save to Bitmap", 32778},
        {"&Display/Copy to Clipboard", 32779},
        {"&Display/Export to Word", 119},
        {"&Display/Open CSV File ...", 32791},
        {"&View", 0},
        {"&View/&Measure", 32784},
        {"&View/Sc&ope", 32785},
        {"&View/&Harmonics", 32786},
        {"&View/Ca&pture", 32787},
        {"&View/&Voltmeter", 32845},
        {"&View/LOM&X", 32844},
        {"&Help", 0},
        {"&Help/&Support ...", 32840},
        {"&Help/&About ...", 104},
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    ASSERT_EQ(menu.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(menu[i].path, expected[i].first);
        EXPECT_EQ(menu[i].id, expected[i].second) << expected[i].first;
    }
}

TEST_F(MainWindowStart, AcceleratorsReadBack)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
    ACCEL keys[16] = {};
    const int count = CopyAcceleratorTableA(table, keys, 16);
    struct expected_key {
        BYTE flags;
        WORD key;
        WORD command;
    };
    const expected_key expected[] = {
        {FVIRTKEY, VK_TAB, 32782},       {FVIRTKEY | FSHIFT, VK_TAB, 32783},
        {FVIRTKEY, VK_RETURN, 32843},    {FALT, '/', 104},
        {FALT, '?', 104},                {FVIRTKEY | FALT, '1', 32836},
        {FVIRTKEY | FALT, '2', 32837},   {FVIRTKEY | FALT, '3', 32838},
    };
    ASSERT_EQ(count, 8);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(keys[i].fVirt & ~FNOINVERT, expected[i].flags) << i;
        EXPECT_EQ(keys[i].key, expected[i].key) << i;
        EXPECT_EQ(keys[i].cmd, expected[i].command) << i;
    }
}

TEST_F(MainWindowStart, MinimumSizeIsTheMainRowsSize)
{
    MINMAXINFO info{};
    SendMessageA(main, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, main_window_desc.cur_w);
    EXPECT_EQ(info.ptMinTrackSize.y, main_window_desc.cur_h);
    EXPECT_GE(main_window_desc.cur_w, 1024);
    EXPECT_GE(main_window_desc.cur_h, 625);
}

// The four commands the window posts to itself run after creation, in this
// order and to these windows.
class MainWindowPosts : public FrameTest {
protected:
    MainWindowPosts() { open_window_in_set_up = false; }
};

TEST_F(MainWindowPosts, FourCommandsInOrder)
{
    main = start_main_window(GetModuleHandleA(nullptr), SW_SHOW);
    ASSERT_NE(main, nullptr);
    std::vector<std::pair<HWND, WPARAM>> posted;
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        posted.emplace_back(message.hwnd, message.wParam);
    const std::vector<std::pair<HWND, WPARAM>> expected = {
        {main, IDC_WQT1},
        {get_config_window(), IDC_CFG_PAGE_ACQU},
        {main, IDC_GROUP1},
        {main, CMD_OFFER_RESULTS_RELOAD},
    };
    EXPECT_EQ(posted, expected);
}

TEST(ResultsFilePath, BoundedToMaxPath)
{
    struct path_case {
        size_t folder_length;
        bool fits;
    };
    const path_case cases[] = {{3, true}, {250, true}, {251, false}, {259, false}};
    for (const path_case& c : cases) {
        const std::string folder = "c:" + std::string(c.folder_length - 3, 'x') + "\\";
        char path[MAX_PATH];
        memset(path, 'q', sizeof path);
        EXPECT_EQ(build_results_file_path(folder.c_str(), path), c.fits) << c.folder_length;
        EXPECT_EQ(std::string(path), c.fits ? folder + "wqtdl.DAT" : "") << c.folder_length;
    }
}

TEST_F(MainWindowStart, ResultsFileInTheTemporaryFolder)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(std::string(results_file_path), std::string(temp) + "wqtdl.DAT");
}

TEST_F(MainWindowStart, LinkTextsAreBoxesOnTheMainWindow)
{
    report_to_user("Connection Failed", "Kestrova", MB_OK);
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(msgbox::shown()[0].owner, main);
    EXPECT_EQ(msgbox::shown()[0].text, "Connection Failed");
}

TEST_F(MainWindowStart, AboutShowsNameAndBuild)
{
    std::string product, version;
    drive_next_dialog(main, [&](HWND dialog) {
        product = control_text(dialog, IDC_ABOUT_PRODUCT);
        version = control_text(dialog, IDC_ABOUT_VERSION);
        click(dialog, IDOK);
    });
    command(IDM_ABOUT);
    EXPECT_EQ(product, "Kestrova");
    EXPECT_EQ(version, "v3_5-U (Build 33) Feb 19 2026");
}

// What one instrument receives when the program closes: the DC4 of the
// link's opening, then DC4, STOP and USBLOCK,OFF, then keyboa,enable with
// the communications log on; each command followed by a NUL on LAN.
std::string exit_bytes(bool lan, bool log_on)
{
    std::vector<std::string> commands = {"\x14", "\x14\n", "STOP\n", "USBLOCK,OFF\n"};
    if (log_on)
        commands.push_back("keyboa,enable\n");
    std::string bytes;
    for (const std::string& c : commands)
        bytes += c + (lan ? std::string(1, '\0') : "");
    return bytes;
}

struct close_case {
    const char* name;
    int lan_instruments;    // slots 0.. on LAN
    bool serial_instrument; // and the next slot on the serial pty
    bool log_on;
};

void PrintTo(const close_case& c, std::ostream* out)
{
    *out << c.name;
}

class MainWindowClose : public FrameTest, public testing::WithParamInterface<close_case> {
protected:
    void TearDown() override
    {
        if (is_comms_log_enabled())
            toggle_comms_log();
        FrameTest::TearDown();
    }
};

TEST_P(MainWindowClose, EveryConnectedInstrumentIsReleasedOnCloseAndAgainOnDestroy)
{
    const close_case& c = GetParam();
    std::vector<std::unique_ptr<lan_sim>> lans;
    std::unique_ptr<serial_sim> serial;
    std::vector<wqt_sim::instrument*> instruments;
    std::vector<bool> on_lan;
    for (int n = 0; n < c.lan_instruments; ++n) {
        lans.push_back(std::make_unique<lan_sim>());
        ASSERT_TRUE(lans.back()->ok());
        lans.back()->inst.set_identity("TROSVALDEN", "WQT5530", "LAN" + std::to_string(n), "V1");
        ASSERT_TRUE(connect(n, lans.back()->link));
        instruments.push_back(&lans.back()->inst);
        on_lan.push_back(true);
    }
    if (c.serial_instrument) {
        serial = std::make_unique<serial_sim>();
        if (!serial->ok())
            GTEST_SKIP() << "no COM pty pair";
        serial->inst.set_identity("TROSVALDEN", "WQT5530", "SER0", "V1");
        ASSERT_TRUE(connect(c.lan_instruments, serial->link));
        instruments.push_back(&serial->inst);
        on_lan.push_back(false);
    }
    const std::string log_path = make_folder() + "\\comms.log";
    if (c.log_on) {
        set_comms_log_path(log_path.c_str());
        toggle_comms_log();
    }
    for (wqt_sim::instrument* inst : instruments)
        inst->clear_received();
    results_present = true;
    msgbox::reset();
    close_main_window(1);

    EXPECT_FALSE(IsWindow(main));
    EXPECT_TRUE(msgbox::shown().empty()) << "a close with lparam set asks nothing";
    for (size_t i = 0; i < instruments.size(); ++i) {
        const std::string once = exit_bytes(on_lan[i], c.log_on);
        EXPECT_EQ(wait_received(*instruments[i], 2 * once.size()), once + once) << "slot " << i;
    }
    if (c.log_on && instruments.size() > 1) {
        // The log keeps the order of the transfers: slot 0, then slot 1, on
        // the close and again on the destruction.
        std::vector<std::string> stopped;
        std::istringstream log(read_whole_file(log_path));
        for (std::string line; std::getline(log, line);) {
            const size_t serial_at = line.find("[serial:");
            if (line.find(">>\tSTOP") != std::string::npos && serial_at != std::string::npos)
                stopped.push_back(line.substr(serial_at + 8, line.find(']', serial_at) - serial_at - 8));
        }
        EXPECT_EQ(stopped, (std::vector<std::string>{"LAN0", "SER0", "LAN0", "SER0"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, MainWindowClose,
                         testing::Values(close_case{"None", 0, false, false},
                                         close_case{"OneLan", 1, false, false},
                                         close_case{"OneLanLogOn", 1, false, true},
                                         close_case{"LanAndSerial", 1, true, false},
                                         close_case{"LanAndSerialLogOn", 1, true, true}),
                         [](const testing::TestParamInfo<close_case>& info) { return info.param.name; });

// The user's close asks about the results only when there are some.
TEST_F(MainWindowStart, SaveQuestionOnlyWithResults)
{
    for (bool present : {false, true}) {
        if (!main || !IsWindow(main))
            open_main_window();
        results_present = present;
        msgbox::reset();
        close_main_window(0);
        EXPECT_FALSE(IsWindow(main));
        const auto boxes = msgbox::shown();
        if (present) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Would you like to save your Multilog results");
        } else {
            EXPECT_TRUE(boxes.empty());
        }
        EXPECT_FALSE(results_present);
    }
}

// A measurement still running when the window closes is ended and waited
// for before the instruments are released; while it stops it may still
// send to a window of the GUI thread.
std::atomic<bool> g_worker_saw_idle{false};
HWND g_worker_target = nullptr;

unsigned __stdcall measuring_worker(void*)
{
    while (activity_state == ACTIVITY_MEASURING)
        Sleep(5);
    Sleep(100);
    SendMessageA(g_worker_target, WM_NULL, 0, 0);
    g_worker_saw_idle = true;
    return 0;
}

TEST_F(MainWindowStart, CloseEndsTheRunningActivityAndWaitsForItsThread)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    ASSERT_TRUE(connect(0, sim.link));
    g_worker_target = main;
    activity_state = ACTIVITY_MEASURING;
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, measuring_worker, nullptr, 0, nullptr));
    HANDLE watched = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread, GetCurrentProcess(), &watched, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    set_activity_thread(thread);
    sim.inst.clear_received();
    close_main_window(1);
    EXPECT_TRUE(g_worker_saw_idle);
    EXPECT_EQ(WaitForSingleObject(watched, 0), WAIT_OBJECT_0);
    EXPECT_EQ(activity_state, ACTIVITY_IDLE);
    CloseHandle(watched);
}

} // namespace
