// The settings file and the Settings dialog: the first start, every key read
// at start with its default, the colour texts, the dialog's OK and Cancel,
// the communications-log question and the folder browser, and the CSV file
// names remembered across a restart.
#include "frame/app_data_folder.h"
#include "frame/auto_configs.h"
#include "frame/control_tables.h"
#include "app/resource.h"
#include "app/settings.h"
#include "app/settings_dialog.h"
#include "app/shell_services.h"
#include "link/comms_log.h"
#include "slots/instrument_slots.h"
#include "tests/app/frame_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "frame/harmonics_ids.h"
#include "frame/measure_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <string>

namespace {

class SettingsTest : public FrameTest {
protected:
    SettingsTest() { open_window_in_set_up = false; }
    void SetUp() override
    {
        FrameTest::SetUp();
        saved_ = app_settings;
        saved_auto_ = AutoConfigs;
    }
    void TearDown() override
    {
        app_settings = saved_;
        AutoConfigs = saved_auto_;
        if (is_comms_log_enabled())
            toggle_comms_log();
        set_folder_browser(nullptr);
        FrameTest::TearDown();
    }
    // A settings file with these lines, in the folder load_settings uses.
    void write_settings_file(const std::string& text)
    {
        std::filesystem::create_directories(app_folder_under(root));
        std::ofstream(settings_file_under(root)) << text;
    }
    std::string ini(const char* section, const char* key)
    {
        char text[300] = "";
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof text,
                                 settings_file_under(root).c_str());
        return text;
    }

private:
    program_settings saved_{};
    uint8_t saved_auto_ = 0;
};

TEST_F(SettingsTest, FirstStartCreatesBothFoldersAndOnlyTheStamp)
{
    ASSERT_FALSE(std::filesystem::exists(root + "\\Trosvalden"));
    load_settings();
    EXPECT_TRUE(std::filesystem::is_directory(root + "\\Trosvalden"));
    EXPECT_TRUE(std::filesystem::is_directory(app_folder_under(root)));
    EXPECT_EQ(std::string(app_data_folder), app_folder_under(root));
    EXPECT_EQ(std::string(settings_ini), settings_file_under(root));
    const std::string text = read_whole_file(settings_file_under(root));
    EXPECT_TRUE(std::regex_match(text, std::regex("\\[Init\\]\r\nCreated=\\d\\d:\\d\\d:\\d\\d \\d+/\\d+/\\d{4}\r\n")))
        << text;
}

TEST_F(SettingsTest, ALaterStartLeavesTheFileAsItIs)
{
    write_settings_file("[Init]\nCreated=01:02:03 4/5/2006\n");
    const std::string before = read_whole_file(settings_file_under(root));
    load_settings();
    EXPECT_EQ(read_whole_file(settings_file_under(root)), before);
}

TEST_F(SettingsTest, EveryKeyReadAtStart)
{
    write_settings_file("[Connect]\n"
                        "WQT1Interface=3\nWQT1ComPort=COM7\nWQT1BaudRate=9600\n"
                        "WQT2Interface=2\nWQT2IPAddr=127.0.0.9\n"
                        "WQT3ComPort=COM12345\nWQT4IPAddr=127.100.200.250xyz\n"
                        "TotalPhases=3\n"
                        "[Init]\nSaveCSVFileName=7\nCSVFormat=1\nHCSVFormat=1\nLogDate=1\nWQTTime=1\n"
                        "AutoConfigs=2\nDebugLogEnabled=1\nDebugLogLocation=c:\\elsewhere\n"
                        "[Scope]\ncolour1=10,20,30\ncolour4=1,2,3,4\n"
                        "[Harmon]\ncolour2=10,20\ncolour3=\n"
                        "[Power]\ncolour3=300,0,0\ncolour1=a,b,c\n");
    load_settings();
    struct check {
        const char* what;
        std::function<bool()> holds;
    };
    const check checks[] = {
        {"slot 1 interface", [] { return get_instrument(0).interface == 3; }},
        {"slot 1 port", [] { return strcmp(get_instrument(0).com_port, "COM7") == 0; }},
        {"slot 1 baud", [] { return get_instrument(0).baud_rate == 9600; }},
        {"slot 2 interface", [] { return get_instrument(1).interface == 2; }},
        {"slot 2 address", [] { return strcmp(get_instrument(1).ip_address, "127.0.0.9") == 0; }},
        {"port cut to 6", [] { return strcmp(get_instrument(2).com_port, "COM123") == 0; }},
        {"address cut to 15", [] { return strcmp(get_instrument(3).ip_address, "127.100.200.250") == 0; }},
        {"missing interface is 0", [] { return get_instrument(3).interface == 0; }},
        {"instruments minus one", [] { return app_settings.instruments_minus_one == 3; }},
        {"non-zero flag is 1", [] { return app_settings.save_csv_file_name == 1; }},
        {"CSV format", [] { return app_settings.csv_format == 1; }},
        {"harmonic CSV mode", [] { return app_settings.harmonic_csv_mode == 1; }},
        {"log date", [] { return app_settings.log_date == 1; }},
        {"instrument time", [] { return app_settings.wqt_time == 1; }},
        {"auto-send", [] { return AutoConfigs == 1; }},
        {"log never starts on", [] { return app_settings.comms_log_wanted == 0 && !is_comms_log_enabled(); }},
        {"log folder not read", [] { return strcmp(app_settings.comms_log_folder, "c:\\tmp\\dualwqt.dbg") == 0; }},
        {"three fields", [] { return app_settings.scope_colours[0] == RGB(10, 20, 30); }},
        {"four fields keep", [] { return app_settings.scope_colours[3] == default_trace_colours[3]; }},
        {"two fields keep", [] { return app_settings.harmonic_colours[1] == RGB(6, 125, 255); }},
        {"empty keeps", [] { return app_settings.harmonic_colours[2] == default_trace_colours[2]; }},
        {"cut to 8 bits", [] { return app_settings.power_colours[2] == RGB(44, 0, 0); }},
        {"letters read as 0", [] { return app_settings.power_colours[0] == RGB(0, 0, 0); }},
        {"missing keeps", [] { return app_settings.power_colours[3] == default_trace_colours[3]; }},
    };
    for (const check& c : checks)
        EXPECT_TRUE(c.holds()) << c.what;
}

TEST_F(SettingsTest, AnEmptyFileGivesTheDefaults)
{
    write_settings_file("");
    app_settings.csv_format = 1;
    AutoConfigs = 1;
    app_settings.scope_colours[1] = RGB(1, 1, 1);
    get_instrument(1).baud_rate = 4800;
    load_settings();
    EXPECT_EQ(app_settings.csv_format, 0);
    EXPECT_EQ(AutoConfigs, 0);
    EXPECT_EQ(app_settings.instruments_minus_one, 0);
    EXPECT_EQ(get_instrument(1).baud_rate, 0u);
    // Colours keep what they hold when the file has none.
    EXPECT_EQ(app_settings.scope_colours[1], RGB(1, 1, 1));
}

// The dialog against the settings.
class SettingsDialogTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        load_settings();
        log_folder = make_folder();
    }
    INT_PTR run(const std::function<void(HWND)>& script)
    {
        return run_modal_dialog(IDD_SETTINGS, settings_dlg_proc, 0, script);
    }
    std::string log_folder;
};

// A user's click on a check box: its state changes and the dialog hears of it.
void tick(HWND dialog, int id)
{
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

TEST_F(SettingsDialogTest, ShowsTheSettings)
{
    app_settings.save_csv_file_name = 1;
    app_settings.harmonic_csv_mode = 1;
    app_settings.wqt_time = 1;
    AutoConfigs = 1;
    strcpy(app_settings.comms_log_folder, log_folder.c_str());
    std::string caption;
    std::vector<std::string> shown;
    run([&](HWND d) {
        caption = window_text(d);
        for (int id : {IDC_SET_REMEMBER_CSV, IDC_SET_LOG_DATE, IDC_SET_WQT_TIME, IDC_SET_AUTO_SEND, IDC_SET_LOG_COMMS})
            shown.push_back(is_checked(d, id) ? "checked" : "clear");
        shown.push_back(chosen_text(d, IDC_SET_CSV_FORMAT));
        shown.push_back(chosen_text(d, IDC_SET_HARMONIC_CSV_MODE));
        shown.push_back(control_text(d, IDC_SET_LOG_LOCATION));
        shown.push_back(is_enabled(d, IDC_SET_LOG_LOCATION) ? "location on" : "location off");
    });
    EXPECT_EQ(caption, "Kestrova Settings");
    EXPECT_EQ(shown, (std::vector<std::string>{"checked", "clear", "checked", "checked", "clear", "Standard",
                                               "Time Based", log_folder, "location off"}));
}

TEST_F(SettingsDialogTest, OkWritesEveryOptionCancelWritesNothing)
{
    for (int button : {IDCANCEL, IDOK}) {
        const std::string before = read_whole_file(settings_file_under(root));
        const INT_PTR result = run([&](HWND d) {
            tick(d, IDC_SET_REMEMBER_CSV);
            tick(d, IDC_SET_AUTO_SEND);
            SendDlgItemMessageA(d, IDC_SET_CSV_FORMAT, CB_SETCURSEL, 1, 0);
            SetDlgItemTextA(d, IDC_SET_LOG_LOCATION, "c:\\logs");
            click(d, button);
        });
        EXPECT_EQ(result, button);
        if (button == IDCANCEL) {
            EXPECT_EQ(read_whole_file(settings_file_under(root)), before);
            EXPECT_EQ(AutoConfigs, 0);
            continue;
        }
        EXPECT_EQ(ini("Init", "SaveCSVFileName"), "1");
        EXPECT_EQ(ini("Init", "CSVFormat"), "1");
        EXPECT_EQ(ini("Init", "HCSVFormat"), "0");
        EXPECT_EQ(ini("Init", "DebugLogEnabled"), "0");
        EXPECT_EQ(ini("Init", "DebugLogLocation"), "c:\\logs");
        EXPECT_EQ(ini("Init", "LogDate"), "0");
        EXPECT_EQ(ini("Init", "WQTTime"), "0");
        EXPECT_EQ(ini("Init", "AutoConfigs"), "1");
        EXPECT_EQ(AutoConfigs, 1);
        EXPECT_EQ(app_settings.csv_format, 1);
        EXPECT_FALSE(is_comms_log_enabled());
    }
}

// Ticking "Log Comms?" asks first: Yes goes on, No keeps the dialog open,
// Cancel ends it with 7; only Yes writes anything.
struct log_answer_case {
    int answer;
    INT_PTR result;
    bool written;
};

TEST_F(SettingsDialogTest, LogCommsQuestion)
{
    const log_answer_case cases[] = {{IDNO, IDCANCEL, false}, {IDCANCEL, 7, false}, {IDYES, IDOK, true}};
    const std::string log_file = log_folder + "\\KESTROVA_COMMS.log";
    for (const log_answer_case& c : cases) {
        std::ofstream(log_file) << "an old log\n";
        msgbox::reset();
        msgbox::answer_next(c.answer);
        bool open_after_ok = false;
        const INT_PTR result = run([&](HWND d) {
            tick(d, IDC_SET_LOG_COMMS);
            SetDlgItemTextA(d, IDC_SET_LOG_LOCATION, log_folder.c_str());
            click(d, IDOK);
            open_after_ok = IsWindowVisible(d) != FALSE;
            if (open_after_ok)
                click(d, IDCANCEL);
        });
        EXPECT_EQ(result, c.result) << c.answer;
        EXPECT_EQ(open_after_ok, c.answer == IDNO) << c.answer;
        ASSERT_EQ(msgbox::shown().size(), 1u) << c.answer;
        EXPECT_EQ(msgbox::shown()[0].caption, "Log Comms");
        EXPECT_EQ(msgbox::shown()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONINFORMATION));
        EXPECT_EQ(ini("Init", "DebugLogEnabled"), c.written ? "1" : "<none>") << c.answer;
        EXPECT_EQ(is_comms_log_enabled(), c.written) << c.answer;
    }
    // The log starts in a fresh file in the chosen folder.
    append_comms_log("fresh\n");
    const std::string text = read_whole_file(log_file);
    EXPECT_EQ(text.find("an old log"), std::string::npos);
    EXPECT_NE(text.find("fresh"), std::string::npos);
}

TEST_F(SettingsDialogTest, ALogAlreadyWantedStartsAFreshFileWithoutAsking)
{
    app_settings.comms_log_wanted = 1;
    strcpy(app_settings.comms_log_folder, log_folder.c_str());
    const std::string log_file = log_folder + "\\KESTROVA_COMMS.log";
    std::ofstream(log_file) << "an old log\n";
    EXPECT_EQ(run([](HWND d) { click(d, IDOK); }), IDOK);
    EXPECT_TRUE(msgbox::shown().empty());
    EXPECT_TRUE(is_comms_log_enabled());
    EXPECT_EQ(read_whole_file(log_file).find("an old log"), std::string::npos);
}

TEST_F(SettingsDialogTest, LogCommsEnablesTheLocation)
{
    std::vector<bool> enabled;
    run([&](HWND d) {
        for (int i = 0; i < 2; ++i) {
            tick(d, IDC_SET_LOG_COMMS);
            enabled.push_back(is_enabled(d, IDC_SET_LOG_LOCATION) && is_enabled(d, IDC_SET_LOG_LOCATION_LABEL));
        }
    });
    EXPECT_EQ(enabled, (std::vector<bool>{true, false}));
}

// The folder browser stands in for the shell's: it counts its calls and
// answers as the case says.
int g_browses = 0;
folder_choice g_browse_answer = folder_choice::cancelled;
std::string g_browse_start;

folder_choice fake_browser(HWND, const char* title, const char* start, char (&chosen)[MAX_PATH])
{
    ++g_browses;
    g_browse_start = start;
    EXPECT_STREQ(title, "Select schedule export directory");
    if (g_browse_answer == folder_choice::chosen)
        strcpy(chosen, "c:\\chosen");
    return g_browse_answer;
}

struct browse_case {
    folder_choice answer;
    const char* text_after;
    size_t boxes;
};

TEST_F(SettingsDialogTest, BrowsingOnceAndTheFocusMovesOn)
{
    set_folder_browser(fake_browser);
    const browse_case cases[] = {
        {folder_choice::chosen, "c:\\chosen", 0},
        {folder_choice::cancelled, "c:\\start", 0},
        {folder_choice::invalid, "c:\\start", 1},
    };
    for (const browse_case& c : cases) {
        g_browses = 0;
        g_browse_answer = c.answer;
        msgbox::reset();
        std::string text;
        int focus_id = 0;
        run([&](HWND d) {
            tick(d, IDC_SET_LOG_COMMS);
            SetDlgItemTextA(d, IDC_SET_LOG_LOCATION, "c:\\start");
            SetFocus(GetDlgItem(d, IDC_SET_LOG_LOCATION));
            text = window_text(GetDlgItem(d, IDC_SET_LOG_LOCATION));
            focus_id = GetDlgCtrlID(GetFocus());
            click(d, IDCANCEL);
        });
        EXPECT_EQ(g_browses, 1);
        EXPECT_EQ(g_browse_start, "c:\\start");
        EXPECT_EQ(text, c.text_after);
        EXPECT_EQ(focus_id, IDC_SET_LOG_COMMS);
        ASSERT_EQ(msgbox::shown().size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(msgbox::shown()[0].text, "Invalid Directory Selected");
            EXPECT_EQ(msgbox::shown()[0].caption, "Error");
        }
    }
}

// With "Remember CSV File" the last file names are in their fields after
// the next start; without it they are not.
TEST_F(SettingsTest, CsvNamesAfterARestart)
{
    for (const char* remember : {"0", "1"}) {
        write_settings_file(std::string("[Init]\nSaveCSVFileName=") + remember +
                            "\nCSVFileName=c:\\logs\\run.csv\nHarmonicsCSVFileName=c:\\logs\\harm.csv\n");
        open_main_window();
        const bool shown = remember[0] == '1';
        EXPECT_EQ(window_text(get_control_by_id(IDC_MEAS_CSV_FILE)) == "c:\\logs\\run.csv", shown);
        EXPECT_EQ(window_text(get_control_by_id(IDC_HARM_FILE_NAME)) == "c:\\logs\\harm.csv", shown);
        close_main_window(1);
    }
}

} // namespace
