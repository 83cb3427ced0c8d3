// The main window's commands on the real window: each id and what it does,
// the keys that have no command, the views and the mode they put the
// instrument in, the title after a connection, Enter, Open CSV File, the
// pictures of a view and the configuration file commands.
#include "app/main_commands.h"

#include "frame/app_globals.h"
#include "frame/commands.h"
#include "frame/control_tables.h"
#include "views/layout.h"
#include "app/main_create.h"
#include "frame/main_ids.h"
#include "app/resource.h"
#include "app/saved_config_menu.h"
#include "app/shell_services.h"
#include "configui/engine/config_ids.h"
#include "link/communications_dialog_ids.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "logging/logging_state.h"
#include "logging/results_file.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/dialog_watch.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "frame/measure_ids.h"
#include "frame/scope_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// The shell's dialogs and pages as the tests answer them.
std::vector<std::string> g_pages;
void record_page(const char* address)
{
    g_pages.emplace_back(address);
}

class MainCommandsTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        g_pages.clear();
        set_web_page_opener(record_page);
        log_data_mode = LOG_MODE_REAL_TIME;
        activity_state = ACTIVITY_IDLE;
        msgbox::reset();
    }
    void TearDown() override
    {
        set_web_page_opener(nullptr);
        activity_state = ACTIVITY_IDLE;
        FrameTest::TearDown();
    }
};

// What a command shows: a dialog (by its caption), a file dialog (save or
// open), a web page or a box. Alt+1..Alt+3 (32836-32838) and ids of no
// command (those just past the last saved slot's) show nothing.
enum class file_dialog_kind { none, open, save };

struct shown_case {
    int id;
    const char* dialog;
    file_dialog_kind file;
    const char* page;
    const char* box;
};

TEST_F(MainCommandsTest, EachCommandReachesItsAction)
{
    const shown_case cases[] = {
        {IDM_ABOUT, "About Kestrova", file_dialog_kind::none, nullptr, nullptr},
        {IDM_SETTINGS, "Kestrova Settings", file_dialog_kind::none, nullptr, nullptr},
        {IDM_EDIT_EQUATIONS, "Equation Editor", file_dialog_kind::none, nullptr, nullptr},
        {CMD_EXPORT_CONFIG, "Export Config", file_dialog_kind::none, nullptr, nullptr},
        {CMD_IMPORT_CONFIG, nullptr, file_dialog_kind::open, nullptr, nullptr},
        {CMD_EXPORT_CONFIG_TEXT, nullptr, file_dialog_kind::save, nullptr, nullptr},
        {IDM_SAVE_TO_BITMAP, nullptr, file_dialog_kind::save, nullptr, nullptr},
        {IDC_LOGO, nullptr, file_dialog_kind::none, kHomePageAddress, nullptr},
        {IDM_SUPPORT, nullptr, file_dialog_kind::none, kSupportPageAddress, nullptr},
        {IDM_CONNECTION, "Communications", file_dialog_kind::none, nullptr, "No connection was made"},
        {32836, nullptr, file_dialog_kind::none, nullptr, nullptr},
        {32837, nullptr, file_dialog_kind::none, nullptr, nullptr},
        {32838, nullptr, file_dialog_kind::none, nullptr, nullptr},
        {33210, nullptr, file_dialog_kind::none, nullptr, nullptr},
        {33310, nullptr, file_dialog_kind::none, nullptr, nullptr},
        {33410, nullptr, file_dialog_kind::none, nullptr, nullptr},
    };
    for (const shown_case& c : cases) {
        dialog_watch dialogs;
        g_pages.clear();
        msgbox::reset();
        file_dialogs::reset();
        if (c.dialog)
            drive_next_dialog(main, [](HWND dialog) { click(dialog, IDCANCEL); });
        EXPECT_EQ(command(c.id), 0);
        EXPECT_EQ(dialogs.captions(), c.dialog ? std::vector<std::string>{c.dialog} : std::vector<std::string>{})
            << c.id;
        EXPECT_EQ(g_pages, c.page ? std::vector<std::string>{c.page} : std::vector<std::string>{}) << c.id;
        const auto files = file_dialogs::shown();
        EXPECT_EQ(files.size(), c.file == file_dialog_kind::none ? 0u : 1u) << c.id;
        if (!files.empty()) {
            EXPECT_EQ(files[0].save, c.file == file_dialog_kind::save) << c.id;
        }
        EXPECT_EQ(msgbox::texts(), c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{}) << c.id;
        EXPECT_EQ(window_text(main), "Kestrova v3_5-U") << c.id;
        EXPECT_EQ(get_current_view_menu_id(), IDM_VIEW_MEASURE) << c.id;
    }
    // The web pages are the program's own, and never the same.
    EXPECT_NE(std::string(kHomePageAddress).find(".example/"), std::string::npos);
    EXPECT_NE(std::string(kHomePageAddress), kSupportPageAddress);
}

TEST_F(MainCommandsTest, AltSlashOpensAbout)
{
    dialog_watch dialogs;
    drive_next_dialog(main, [](HWND dialog) { click(dialog, IDOK); });
    // The accelerators look at the Alt key's state, not at the message.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(main, WM_SYSCHAR, '/', 1 << 29);
    pump();
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(dialogs.captions(), std::vector<std::string>{"About Kestrova"});
}

TEST_F(MainCommandsTest, HideAndShowTheSettingsPane)
{
    HWND button = get_control_by_id(IDC_HIDE_SETTINGS);
    command(IDC_HIDE_SETTINGS);
    EXPECT_TRUE(settings_pane_hidden);
    EXPECT_EQ(window_text(button), "SHOW SETTINGS");
    EXPECT_FALSE(IsWindowVisible(get_config_window()));
    command(IDC_HIDE_SETTINGS);
    EXPECT_FALSE(settings_pane_hidden);
    EXPECT_EQ(window_text(button), "HIDE SETTINGS");
    EXPECT_TRUE(IsWindowVisible(get_config_window()));
}

// Choosing an instrument names it in the Config window's heading and the
// views' titles, and asks for a refresh of the controls.
TEST_F(MainCommandsTest, SelectInstrument)
{
    SendMessageA(main, WM_COMMAND, IDC_WQT3, 0);
    EXPECT_EQ(get_current_instrument_index(), 2);
    EXPECT_EQ(window_text(get_control_by_id(IDC_CFG_CONTROL_LABEL)), "CONTROL: WQT&3");
    EXPECT_EQ(window_text(get_control_by_id(IDC_SCOPE_TITLE)), "WQT3 Oscilloscope");
    EXPECT_EQ(take_posted_commands(main), std::vector<WPARAM>{CMD_REFRESH_CONNECTIONS});
}

TEST_F(MainCommandsTest, SettingsMarksEveryInstrumentForProgrammingWhateverTheDialogEndsWith)
{
    for (int n = 0; n < kInstrumentSlots; ++n)
        get_instrument_selection(n)->needs_programming = 0;
    drive_next_dialog(main, [](HWND dialog) { click(dialog, IDCANCEL); });
    command(IDM_SETTINGS);
    for (int n = 0; n < kInstrumentSlots; ++n)
        EXPECT_EQ(get_instrument_selection(n)->needs_programming, 1) << n;
}

TEST_F(MainCommandsTest, OfferToReloadAnUnsavedRun)
{
    const std::string folder = make_folder();
    const std::string path = folder + "\\wqtdl.DAT";
    results_file_header header{};
    header.magic = kResultsFileMagic;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(&header), sizeof header);
    lstrcpynA(results_file_path, path.c_str(), MAX_PATH);
    command(CMD_OFFER_RESULTS_RELOAD);
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_NE(msgbox::shown()[0].text.find("Would you like to reload the last Multilog session"),
              std::string::npos);
}

TEST_F(MainCommandsTest, OpenCsvFileOnlyInTheRealTimeTableMode)
{
    log_data_mode = LOG_MODE_MANUAL;
    command(IDM_OPEN_CSV_FILE);
    log_data_mode = LOG_MODE_REAL_TIME;
    command(IDM_OPEN_CSV_FILE);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Please select 'Log real time table' mode to read in a CSV file");
    EXPECT_EQ(boxes[0].caption, "Kestrova");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_NE(boxes[1].text, boxes[0].text) << "mode 1 reads the file instead";
}

// Enter logs one step only while measuring in "Manual log" with
// "Auto Append?" clear: a click of APPEND.
TEST_F(MainCommandsTest, EnterLogsOneStepByHand)
{
    struct enter_case {
        uint32_t state;
        uint32_t mode;
        bool auto_append;
        bool logs;
    };
    const enter_case cases[] = {
        {ACTIVITY_MEASURING, LOG_MODE_MANUAL, false, true},
        {ACTIVITY_MEASURING, LOG_MODE_MANUAL, true, false},
        {ACTIVITY_MEASURING, LOG_MODE_REAL_TIME, false, false},
        {ACTIVITY_IDLE, LOG_MODE_MANUAL, false, false},
    };
    for (const enter_case& c : cases) {
        activity_state = c.state;
        log_data_mode = c.mode;
        set_check_state(IDC_MEAS_AUTO_APPEND, c.auto_append ? BST_CHECKED : BST_UNCHECKED);
        // The key goes through the accelerators; what it posts stays queued.
        PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0);
        HACCEL keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
        MSG message;
        while (PeekMessageA(&message, main, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE))
            TranslateAcceleratorA(main, keys, &message);
        EXPECT_EQ(take_posted_commands(get_measure_window()),
                  c.logs ? std::vector<WPARAM>{IDC_MEAS_APPEND} : std::vector<WPARAM>{})
            << c.state << " " << c.mode << " " << c.auto_append;
    }
}

TEST(MainWindowTitle, IdentificationFromItsFirstComma)
{
    struct title_case {
        const char* reply;
        const char* shown;
    };
    const title_case cases[] = {
        {"TROSVALDEN,WQT5530,A1,V2", ",WQT5530,A1,V2"},
        {"", ",Unknown Connection"},
        {"NOCOMMA", ",NOCOMMA"},
        {"TRAILING,", ","},
    };
    for (const title_case& c : cases)
        EXPECT_EQ(title_identification(c.reply), c.shown) << c.reply;
}

TEST_F(MainCommandsTest, TitleNamesAUsbAndALanInstrument)
{
    serial_sim usb;
    if (!usb.ok())
        GTEST_SKIP() << "no COM pty pair";
    lan_sim lan;
    ASSERT_TRUE(lan.ok());
    usb.inst.set_identity("TROSVALDEN", "WQT5530", "U1", "V1");
    lan.inst.set_identity("TROSVALDEN", "WQT4530", "L2", "V2");
    set_link_interface(usb.link, LINK_USB);
    ASSERT_TRUE(connect(0, usb.link));
    ASSERT_TRUE(connect(1, lan.link));
    msgbox::reset();
    // Cancelled, the Communications dialog leaves both connected.
    drive_next_dialog(main, [](HWND dialog) { click(dialog, IDCANCEL); });
    command(IDM_CONNECTION);
    EXPECT_TRUE(msgbox::texts().empty()) << msgbox::texts()[0];
    EXPECT_EQ(window_text(main),
              "Kestrova v3_5-U     WQT1: USB,WQT5530,U1,V1     WQT2: LAN,WQT4530,L2,V2");
}

// Connecting through the Communications dialog: the first connected
// instrument is selected and its results pane takes the window.
TEST_F(MainCommandsTest, ConnectionSelectsTheFirstConnectedInstrument)
{
    lan_sim lan;
    ASSERT_TRUE(lan.ok());
    lan.inst.set_identity("TROSVALDEN", "WQT4530", "L3", "V2");
    wqt_sim::load_factory_settings(lan.inst);
    const struct {
        int instrument; // 1-based
        int layout;
    } rows[] = {{3, 2}, {1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.instrument);
        msgbox::reset();
        for (int n = 0; n < kInstrumentSlots; ++n)
            clear_link_record(&get_instrument(n));
        drive_next_dialog(main, [&](HWND dialog) {
            click(dialog, IDC_COMMS_COUNT_3);
            const int step = 7 * (row.instrument - 1);
            choose(dialog, IDC_COMMS_INTERFACE_1 + step, 1);
            type_address(dialog, IDC_COMMS_ADDRESS_1 + step, lan.address);
            click(dialog, IDC_COMMS_CONNECT);
        });
        command(IDM_CONNECTION);
        EXPECT_TRUE(msgbox::texts().empty()) << msgbox::texts()[0];
        EXPECT_EQ(row.instrument - 1, get_current_instrument_index());
        EXPECT_EQ(row.layout, results_layout);
        EXPECT_EQ(window_text(main), "Kestrova v3_5-U     WQT" + std::to_string(row.instrument) +
                                         ": LAN,WQT4530,L3,V2");
    }
}

namespace {

// Runs what comes to this thread for about the time given, however much
// keeps coming.
void pump_for(DWORD ms)
{
    MSG message;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        else
            Sleep(10);
    }
}

// Connects slot 1 to the address through the Communications dialog.
void connect_slot_1_in_dialog(HWND main, const std::string& address)
{
    drive_next_dialog(main, [&](HWND dialog) {
        choose(dialog, IDC_COMMS_INTERFACE_1, 1);
        type_address(dialog, IDC_COMMS_ADDRESS_1, address);
        click(dialog, IDC_COMMS_CONNECT);
    });
    SendMessageA(main, WM_COMMAND, IDM_CONNECTION, 0);
}

} // namespace

// A connect made while a two-group instrument shows Group 2, to an address
// where nothing answers or to a one-group instrument: the slot is back on
// group 0 once the connect is done, and the program settles, with nothing
// left posted and nothing more sent to the instrument.
TEST_F(MainCommandsTest, AConnectAfterGroup2Settles)
{
    lan_sim two_groups;
    lan_sim one_group;
    lan_sim nobody;
    ASSERT_TRUE(two_groups.ok() && one_group.ok() && nobody.ok());
    nobody.server.stop();
    two_groups.inst.set_identity("TROSVALDEN", "WQT3530", "A1", "V1");
    one_group.inst.set_identity("TROSVALDEN", "WQT2530", "B2", "V1");
    wqt_sim::load_factory_settings(two_groups.inst);
    wqt_sim::load_factory_settings(one_group.inst);
    const struct {
        const char* what;
        lan_sim* next;
    } rows[] = {{"nothing answers", &nobody}, {"a one-group instrument", &one_group}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // A program that never settles would keep a plain pump() going.
        connect_slot_1_in_dialog(main, two_groups.address);
        pump_for(300);
        SendMessageA(main, WM_COMMAND, IDC_GROUP2, 0);
        pump_for(300);
        ASSERT_EQ(1, get_current_active_group());
        msgbox::reset();
        connect_slot_1_in_dialog(main, row.next->address);
        EXPECT_EQ(0, get_instrument_active_group(0)) << "once the connect is done";
        pump_for(2000);
        EXPECT_EQ(0, HIWORD(GetQueueStatus(QS_POSTMESSAGE)));
        EXPECT_EQ(0, get_instrument_active_group(0));
        const size_t sent = row.next->inst.commands().size();
        pump_for(300);
        EXPECT_EQ(sent, row.next->inst.commands().size()) << "sent once the program had settled";
        // What a program that never settles left is undone before the next
        // row: its posted commands, and the group that posts them again.
        take_posted_commands(main);
        set_slot_active_group(0, 0);
    }
}

// The views put a connected instrument into their mode (item 1) first:
// Scope 6, Harmonics 5, Measure and Voltmeter 2; Capture and LOMX need
// none, and nothing changes while a measurement runs.
TEST_F(MainCommandsTest, ViewsWriteTheInstrumentMode)
{
    lan_sim lan;
    ASSERT_TRUE(lan.ok());
    ASSERT_TRUE(connect(0, lan.link));
    const int wire = get_current_config()->item_at(1)->wire_id;
    struct view_case {
        int id;
        int mode; // -1: nothing written
        uint32_t state;
    };
    const view_case cases[] = {
        {IDM_VIEW_SCOPE, 6, ACTIVITY_IDLE},      {IDM_VIEW_HARMONICS, 5, ACTIVITY_IDLE},
        {IDM_VIEW_MEASURE, 2, ACTIVITY_IDLE},    {IDM_VIEW_VOLTMETER, 2, ACTIVITY_IDLE},
        {IDM_VIEW_CAPTURE, -1, ACTIVITY_IDLE},   {IDM_VIEW_LOMX, -1, ACTIVITY_IDLE},
        {IDM_VIEW_SCOPE, -1, ACTIVITY_MEASURING},
    };
    for (const view_case& c : cases) {
        switch_main_view(main, IDM_VIEW_MEASURE);
        activity_state = c.state;
        lan.inst.clear_received();
        command(c.id);
        activity_state = ACTIVITY_IDLE;
        const std::string prefix = "config," + std::to_string(wire) + ",";
        std::vector<std::string> writes;
        for (const std::string& line : lan.inst.commands())
            if (line.rfind(prefix, 0) == 0)
                writes.push_back(line);
        if (c.mode < 0) {
            EXPECT_TRUE(writes.empty()) << c.id;
        } else {
            EXPECT_EQ(writes.size(), 1u) << c.id;
            EXPECT_EQ(get_current_config()->get_value_record_copy(1).value.integer, c.mode) << c.id;
        }
        EXPECT_EQ(get_current_view_menu_id(), c.state == ACTIVITY_IDLE ? c.id : IDM_VIEW_MEASURE) << c.id;
    }
}

// The picture of the view: the Measure view shows results pane 1.
class PictureTest : public MainCommandsTest {
protected:
    SIZE pane_size()
    {
        RECT client;
        GetClientRect(get_measure_results_window(0), &client);
        return {client.right, client.bottom};
    }
};

struct bmp_file {
    bool ok;
    int32_t width;
    int32_t height;
    uint16_t bits;
    COLORREF first_pixel;
};

bmp_file read_bmp(const std::string& path)
{
    const std::string data = read_whole_file(path);
    if (data.size() < 58 || data.compare(0, 2, "BM") != 0)
        return {false, 0, 0, 0, 0};
    bmp_file bmp{true, 0, 0, 0, 0};
    memcpy(&bmp.width, data.data() + 18, 4);
    memcpy(&bmp.height, data.data() + 22, 4);
    memcpy(&bmp.bits, data.data() + 28, 2);
    const auto* pixel = reinterpret_cast<const uint8_t*>(data.data() + 54);
    bmp.first_pixel = RGB(pixel[2], pixel[1], pixel[0]);
    return bmp;
}

TEST_F(PictureTest, SaveToBitmapWritesThePicture)
{
    const std::string path = make_folder() + "\\view.bmp";
    file_dialogs::answer_next(path);
    command(IDM_SAVE_TO_BITMAP);
    ASSERT_EQ(file_dialogs::shown().size(), 1u);
    EXPECT_EQ(file_dialogs::shown()[0].title, "Save to Bitmap");
    EXPECT_EQ(file_dialogs::shown()[0].offered, "*.bmp");
    const bmp_file bmp = read_bmp(path);
    ASSERT_TRUE(bmp.ok);
    EXPECT_EQ(bmp.width, pane_size().cx);
    EXPECT_EQ(bmp.height, pane_size().cy);
    EXPECT_EQ(bmp.bits, 24);
    // The bottom row of the pane is its background.
    EXPECT_EQ(bmp.first_pixel, GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(PictureTest, SaveToBitmapCancelledOrUnwritable)
{
    command(IDM_SAVE_TO_BITMAP);
    EXPECT_TRUE(msgbox::shown().empty());
    file_dialogs::answer_next(make_folder()); // a folder cannot be written as a file
    command(IDM_SAVE_TO_BITMAP);
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_NE(msgbox::shown()[0].text.find("could not be written"), std::string::npos);
}

TEST_F(PictureTest, CopyToClipboard)
{
    command(IDM_COPY_TO_CLIPBOARD);
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(OpenClipboard(main));
    HBITMAP bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    CloseClipboard();
    EXPECT_EQ(info.bmWidth, pane_size().cx);
    EXPECT_EQ(info.bmHeight, pane_size().cy);
}

// Export to Word writes "screencap.bmp" in the temporary folder, replacing
// an older one, and then starts the word processor (none here: its box
// says so); a file that cannot be written stops it with a box of its own.
TEST_F(PictureTest, ExportToWord)
{
    char temp_before[MAX_PATH] = "";
    GetEnvironmentVariableA("TMP", temp_before, sizeof temp_before);
    const std::string temp = make_folder();
    SetEnvironmentVariableA("TMP", temp.c_str());
    std::ofstream(temp + "\\screencap.bmp") << "older";
    command(IDM_EXPORT_TO_WORD);
    EXPECT_TRUE(read_bmp(temp + "\\screencap.bmp").ok);
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_NE(msgbox::shown()[0].text.find("word processor"), std::string::npos);

    msgbox::reset();
    std::filesystem::remove(temp + "\\screencap.bmp");
    std::filesystem::create_directory(temp + "\\screencap.bmp");
    command(IDM_EXPORT_TO_WORD);
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_NE(msgbox::shown()[0].text.find("could not be written"), std::string::npos);
    SetEnvironmentVariableA("TMP", temp_before[0] ? temp_before : nullptr);
}

TEST_F(MainCommandsTest, DeleteASavedSlotRebuildsTheMenuEnabled)
{
    rebuild_saved_config_menu(main, false, false);
    command(33403);
    const UINT state = GetMenuState(GetSubMenu(GetMenu(main), 0), 1, MF_BYPOSITION);
    EXPECT_FALSE(state & MF_GRAYED);
}

} // namespace
