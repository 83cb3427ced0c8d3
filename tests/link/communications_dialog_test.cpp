// The Communications dialog, run modally and driven by control id, on the
// four instrument slots and a settings file of the test's own: what it shows
// from the records and "TotalPhases", the layout by interface and count, what
// it reads back, its messages, "Save as Default", Test, and Connect against
// simulated instruments over TCP and serial ptys.
#include "link/communications_dialog.h"

#include "frame/app_data_folder.h"
#include "slots/connection.h"
#include "app/settings.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/temp_folder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Each instrument's controls are seven ids apart.
struct ids {
    int interface_list, com_list, baud_list, address, port_label, baud_label, test, search;
};
ids controls(int n)
{
    const int step = 7 * n;
    return {IDC_COMMS_INTERFACE_1 + step, IDC_COMMS_COM_PORT_1 + step,
            IDC_COMMS_BAUD_RATE_1 + step, IDC_COMMS_ADDRESS_1 + step,
            IDC_COMMS_PORT_LABEL_1 + step, IDC_COMMS_BAUD_LABEL_1 + step,
            IDC_COMMS_TEST_1 + n,           IDC_COMMS_SEARCH_1 + n};
}
enum : int { USB, LAN, SERIAL };

int g_shown_instrument = -1;
void record_shown(int n)
{
    g_shown_instrument = n;
}

std::string field(const char* text, size_t size)
{
    return std::string(text, strnlen(text, size));
}

// The colours of an icon's image, top row first.
std::vector<DWORD> icon_colours(HICON icon)
{
    ICONINFO info = {};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return {};
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    std::vector<DWORD> colours(static_cast<size_t>(bitmap.bmWidth * bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), colours.data(),
              &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return colours;
}

// The colours of the first image of link/lan_search.ico (its 16 x 16 one).
std::vector<DWORD> search_icon_file_colours()
{
    HRSRC found = FindResourceA(nullptr, "LAN_SEARCH_FILE", RT_RCDATA);
    const auto* file = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    if (file == nullptr)
        return {};
    DWORD size = 0, offset = 0; // of the first entry of the icon directory
    std::memcpy(&size, file + 14, sizeof size);
    std::memcpy(&offset, file + 18, sizeof offset);
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(file + offset), size, TRUE,
                                          0x00030000, 16, 16, 0);
    std::vector<DWORD> colours = icon_colours(icon);
    DestroyIcon(icon);
    return colours;
}

std::string ini_text(const std::string& file, const std::string& key)
{
    char text[64] = {};
    GetPrivateProfileStringA("Connect", key.c_str(), "<missing>", text, sizeof text, file.c_str());
    return text;
}

class CommunicationsDialog : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        set_local_app_data_root(root.path.c_str());
        build_app_data_paths();
        create_app_data_folder();
        settings = settings_ini;
        for (int n = 0; n < kInstrumentSlots; ++n) {
            clear_link_record(&get_instrument(n));
            setup.links[n] = &get_instrument(n);
        }
        setup.settings_file = settings.c_str();
        setup.connect = connect_instrument;
        setup.show_instrument = record_shown;
        g_shown_instrument = -1;
    }
    void TearDown() override { set_local_app_data_root(nullptr); }

    INT_PTR run(const std::function<void(HWND)>& script)
    {
        return run_modal_dialog(IDD_COMMUNICATIONS, communications_dlg_proc,
                                reinterpret_cast<LPARAM>(&setup), script);
    }
    void save_total_phases(const char* text)
    {
        WritePrivateProfileStringA("Connect", "TotalPhases", text, settings.c_str());
    }

    temp_folder root;
    std::string settings;
    communications_setup setup = {};
};

void choose_count(HWND dialog, int instruments)
{
    click(dialog, IDC_COMMS_COUNT_1 + instruments - 1);
}
// The address the control's fields show.
std::string shown_address(HWND dialog, int n)
{
    DWORD address = 0;
    if (SendDlgItemMessageA(dialog, controls(n).address, IPM_GETADDRESS, 0,
                            reinterpret_cast<LPARAM>(&address)) == 0)
        return "";
    return std::to_string(FIRST_IPADDRESS(address)) + "." + std::to_string(SECOND_IPADDRESS(address)) +
           "." + std::to_string(THIRD_IPADDRESS(address)) + "." +
           std::to_string(FOURTH_IPADDRESS(address));
}
void choose_lan(HWND dialog, int n, const std::string& address)
{
    choose(dialog, controls(n).interface_list, LAN);
    type_address(dialog, controls(n).address, address);
}
void choose_serial(HWND dialog, int n, const std::string& port, const char* baud)
{
    choose(dialog, controls(n).interface_list, SERIAL);
    ASSERT_TRUE(choose_text(dialog, controls(n).com_list, port)) << port;
    ASSERT_TRUE(choose_text(dialog, controls(n).baud_list, baud));
}

// ---- What it shows ---------------------------------------------------------------

TEST_F(CommunicationsDialog, OpensWithTheRecordsAndTheSavedCount)
{
    const auto pairs = test_com_pairs();
    if (pairs.empty())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    serial_sim busy(0); // holds the instrument end of the first pair
    ASSERT_TRUE(busy.ok());
    fill_lan_link(get_instrument(0), "127.0.0.9");
    fill_serial_link(get_instrument(1), pairs[0].first, 9600);
    fill_serial_link(get_instrument(2), "COM250", 4800); // not listed: nothing chosen
    get_instrument(2).interface = LINK_USB;

    const struct {
        const char* total_phases; // nullptr: no key
        int radio;                // 0: none on
        std::array<bool, 4> active;
    } rows[] = {
        {nullptr, IDC_COMMS_COUNT_1, {true, false, false, false}},
        {"0", IDC_COMMS_COUNT_1, {true, false, false, false}},
        {"2", IDC_COMMS_COUNT_3, {true, true, true, false}},
        {"7", 0, {true, false, false, false}},
    };
    std::vector<std::string> chosen, ports;
    std::string address, blank;
    std::vector<DWORD> search_image;
    std::vector<LRESULT> margins;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.total_phases ? row.total_phases : "missing");
        save_total_phases(row.total_phases);
        std::vector<int> checked;
        std::array<bool, 4> active{};
        chosen.clear();
        margins.clear();
        EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                      for (int id = IDC_COMMS_COUNT_1; id <= IDC_COMMS_COUNT_4; ++id)
                          if (IsDlgButtonChecked(dialog, id))
                              checked.push_back(id);
                      for (int n = 0; n < 4; ++n)
                          active[n] = is_enabled(dialog, controls(n).interface_list) &&
                                      is_enabled(dialog, controls(n).test);
                      for (int n = 0; n < 3; ++n)
                          for (int id : {controls(n).interface_list, controls(n).com_list,
                                         controls(n).baud_list})
                              chosen.push_back(chosen_text(dialog, id));
                      ports = list_texts(dialog, controls(3).com_list);
                      address = control_text(dialog, controls(0).address) + " " +
                                shown_address(dialog, 0);
                      blank = control_text(dialog, controls(3).address);
                      search_image = icon_colours(reinterpret_cast<HICON>(SendDlgItemMessageA(
                          dialog, controls(3).search, BM_GETIMAGE, IMAGE_ICON, 0)));
                      // No margins: three digits fit in each of the four fields.
                      for (HWND f = GetWindow(GetDlgItem(dialog, controls(2).address), GW_CHILD);
                           f; f = GetWindow(f, GW_HWNDNEXT))
                          margins.push_back(SendMessageA(f, EM_GETMARGINS, 0, 0));
                  }));
        EXPECT_EQ(row.radio ? std::vector<int>{row.radio} : std::vector<int>{}, checked);
        EXPECT_EQ(row.active, active);
    }
    EXPECT_EQ((std::vector<std::string>{"LAN", "", "", "Serial", pairs[0].first, "9600", "USB", "",
                                        "4800"}),
              chosen);
    // Both ends of the pair are listed; the simulator's end is busy.
    EXPECT_NE(std::find(ports.begin(), ports.end(), pairs[0].first), ports.end());
    EXPECT_NE(std::find(ports.begin(), ports.end(), pairs[0].second), ports.end());
    EXPECT_EQ("127.0.0.9 127.0.0.9", address);
    EXPECT_EQ("0.0.0.0", blank) << "a blank address control";
    // The search buttons show the search icon's own 16 x 16 image.
    EXPECT_EQ(256u, search_image.size());
    EXPECT_EQ(search_icon_file_colours(), search_image);
    EXPECT_EQ(std::vector<LRESULT>(4, 0), margins);
    EXPECT_TRUE(msgbox::shown().empty());
}

// Which of instrument n's controls are shown and enabled after a choice of
// interface and number of instruments.
TEST_F(CommunicationsDialog, LayoutFollowsTheInterfaceAndTheCount)
{
    const struct {
        int instruments, n, choice;
        bool address, com, baud_enabled; // the baud list's state is left alone for LAN
        const char* label;
    } rows[] = {
        {1, 0, LAN, true, false, false, "IP Address:"},
        {1, 0, USB, false, true, false, "COM Port:"},
        {1, 0, SERIAL, false, true, true, "COM Port:"},
        {2, 1, SERIAL, false, true, true, "COM Port:"},
        {2, 2, SERIAL, false, true, false, "COM Port:"},
        {4, 3, SERIAL, false, true, true, "COM Port:"},
        {4, 3, USB, false, true, false, "COM Port:"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.instruments) + " instruments, n " +
                     std::to_string(row.n) + " choice " + std::to_string(row.choice));
        const ids c = controls(row.n);
        bool address = false, search = false, com = false, baud = false, baud_label = false;
        std::string label;
        run([&](HWND dialog) {
            choose_count(dialog, row.instruments);
            choose(dialog, c.interface_list, row.choice);
            address = is_shown(dialog, c.address);
            search = is_shown(dialog, c.search);
            com = is_shown(dialog, c.com_list) && is_shown(dialog, c.baud_list);
            baud = is_enabled(dialog, c.baud_list);
            baud_label = is_enabled(dialog, c.baud_label);
            label = control_text(dialog, c.port_label);
        });
        EXPECT_EQ(row.address, address);
        EXPECT_EQ(row.address, search);
        EXPECT_EQ(row.com, com);
        if (row.choice != LAN) {
            EXPECT_EQ(row.baud_enabled, baud);
            EXPECT_EQ(row.baud_enabled, baud_label);
        }
        EXPECT_EQ(row.label, label);
    }

    // Fewer instruments disable the later ones, whatever they were set to;
    // more enable them again, the baud list only for Serial.
    std::vector<bool> enabled;
    run([&](HWND dialog) {
        choose_count(dialog, 4);
        choose(dialog, controls(3).interface_list, SERIAL);
        choose_count(dialog, 2);
        enabled.push_back(is_enabled(dialog, controls(3).interface_list));
        enabled.push_back(is_enabled(dialog, controls(3).baud_list));
        enabled.push_back(is_checked(dialog, IDC_COMMS_COUNT_4));
        choose_count(dialog, 4);
        enabled.push_back(is_enabled(dialog, controls(3).test));
        enabled.push_back(is_enabled(dialog, controls(3).baud_list));
        enabled.push_back(is_enabled(dialog, controls(1).baud_list));
    });
    EXPECT_EQ((std::vector<bool>{false, false, false, true, true, false}), enabled);
}

// ---- What it reads, and its messages -----------------------------------------------

TEST_F(CommunicationsDialog, TheThreeMessagesStopAConnectThatHasClearedEveryRecord)
{
    const auto pairs = test_com_pairs();
    if (pairs.empty())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    const std::string port = pairs[0].first;
    const struct {
        const char* name;
        std::function<void(HWND)> choices;
        const char* message;
    } rows[] = {
        {"blank address", [](HWND d) { choose(d, controls(0).interface_list, LAN); },
         "Please enter an IP address"},
        {"no port", [](HWND d) { choose(d, controls(0).interface_list, SERIAL); },
         "Please select a COM Port"},
        {"no baud rate",
         [&](HWND d) {
             choose(d, controls(0).interface_list, SERIAL);
             choose_text(d, controls(0).com_list, port);
         },
         "Please choose a baudrate"},
        {"instrument 4 of 4",
         [](HWND d) {
             choose_count(d, 4);
             choose(d, controls(3).interface_list, LAN);
         },
         "Please enter an IP address"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        msgbox::reset();
        for (int n = 0; n < kInstrumentSlots; ++n) {
            clear_link_record(&get_instrument(n));
            get_instrument(n).connected = 1;
            get_instrument(n).model_code = 5;
            get_instrument(n).option_code = 6;
        }
        EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                      row.choices(dialog);
                      click(dialog, IDC_COMMS_CONNECT);
                  }));
        const auto boxes = msgbox::shown();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(row.message, boxes[0].text);
        EXPECT_EQ("Test Connection", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes[0].type);
        for (int n = 0; n < kInstrumentSlots; ++n) {
            EXPECT_EQ(0, get_instrument(n).connected) << n;
            EXPECT_EQ(0u, get_instrument(n).model_code) << n;
            EXPECT_EQ(0u, get_instrument(n).option_code) << n;
        }
        EXPECT_EQ(-1, g_shown_instrument);
    }
}

// USB runs at 19200 whatever the baud list shows; a list with nothing
// chosen leaves its field alone; a blank address is the empty address.
TEST_F(CommunicationsDialog, SaveAsDefaultWritesEveryKeyAndTheLoaderReadsThemBack)
{
    const auto pairs = test_com_pairs();
    if (pairs.empty())
        GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
    fill_serial_link(get_instrument(2), "COM77", 2400);
    std::strcpy(get_instrument(3).ip_address, "127.0.0.44");
    run([&](HWND dialog) {
        choose_count(dialog, 3);
        choose_lan(dialog, 0, "127.0.0.7");
        choose(dialog, controls(1).interface_list, USB);
        choose_text(dialog, controls(1).com_list, pairs[0].first);
        choose(dialog, controls(1).baud_list, 1);
        choose(dialog, controls(3).interface_list, LAN);
        type_address(dialog, controls(3).address, "");
        click(dialog, IDC_COMMS_SAVE_DEFAULT);
    });
    EXPECT_TRUE(msgbox::shown().empty());
    const std::string first_port = pairs[0].first;
    const std::vector<std::vector<std::string>> expected = {
        {"2", "", "0", "127.0.0.7"},
        {"1", first_port, "19200", ""},
        {"3", "COM77", "2400", ""},
        {"2", "", "0", ""},
    };
    for (int n = 0; n < 4; ++n) {
        const std::string wqt = "WQT" + std::to_string(n + 1);
        EXPECT_EQ(expected[n], (std::vector<std::string>{ini_text(settings, wqt + "Interface"),
                                                         ini_text(settings, wqt + "ComPort"),
                                                         ini_text(settings, wqt + "BaudRate"),
                                                         ini_text(settings, wqt + "IPAddr")}))
            << wqt;
    }
    EXPECT_EQ("2", ini_text(settings, "TotalPhases"));

    for (int n = 0; n < kInstrumentSlots; ++n)
        clear_link_record(&get_instrument(n));
    load_settings();
    for (int n = 0; n < 4; ++n) {
        const link_record& link = get_instrument(n);
        EXPECT_EQ(expected[n], (std::vector<std::string>{std::to_string(link.interface),
                                                         field(link.com_port, 7),
                                                         std::to_string(link.baud_rate),
                                                         field(link.ip_address, 16)}))
            << n;
    }
    EXPECT_EQ(2, app_settings.instruments_minus_one);

    // The next opening shows the saved number of instruments.
    int count = -1;
    run([&](HWND dialog) { count = get_instrument_count_choice(dialog); });
    EXPECT_EQ(2, count);
}

// ---- Test and Connect against simulated instruments --------------------------------

TEST_F(CommunicationsDialog, TestReportsAndLeavesTheConnectedFlag)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    sim.inst.set_identity("TROSVALDEN", "WQT4530", "T1", "V3");
    for (uint8_t flag : {0, 1}) {
        msgbox::reset();
        get_instrument(1).connected = flag;
        EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                      choose_count(dialog, 2);
                      choose_lan(dialog, 1, sim.address);
                      click(dialog, controls(1).test);
                  }));
        EXPECT_EQ(std::vector<std::string>{"The connection was successful\nTROSVALDEN,WQT4530,T1,V3"},
                  msgbox::texts());
        EXPECT_EQ(flag, get_instrument(1).connected);
        // What was read for the test stays after Cancel.
        EXPECT_EQ(static_cast<uint32_t>(LINK_LAN), get_instrument(1).interface);
        EXPECT_EQ(sim.address, field(get_instrument(1).ip_address, 16));
        EXPECT_EQ(-1, g_shown_instrument);
    }
}

// Simulated analysers, each with a serial number of its own.
struct analyser {
    std::unique_ptr<lan_sim> lan;
    std::unique_ptr<serial_sim> serial;
    wqt_sim::instrument& inst() { return lan ? lan->inst : serial->inst; }
};

class CommunicationsConnect : public CommunicationsDialog {
protected:
    analyser& add_lan(const std::string& serial_number)
    {
        analysers.push_back({std::make_unique<lan_sim>(), nullptr});
        EXPECT_TRUE(analysers.back().lan->ok());
        return identify(analysers.back(), serial_number);
    }
    analyser& add_serial(size_t pair, const std::string& serial_number)
    {
        analysers.push_back({nullptr, std::make_unique<serial_sim>(pair)});
        return identify(analysers.back(), serial_number);
    }
    static analyser& identify(analyser& a, const std::string& serial_number)
    {
        a.inst().set_identity("TROSVALDEN", "WQT5530", serial_number, "V2");
        wqt_sim::load_factory_settings(a.inst());
        return a;
    }
    // Chooses analyser a for instrument n.
    static void choose_analyser(HWND dialog, int n, const analyser& a)
    {
        if (a.lan)
            choose_lan(dialog, n, a.lan->address);
        else
            choose_serial(dialog, n, field(a.serial->link.com_port, 7), "38400");
    }
    // Runs a Connect of `instruments` with the analysers given by index
    // (-1: no interface chosen) and returns the dialog's result.
    INT_PTR connect(int instruments, const std::vector<int>& chosen)
    {
        for (int n = 0; n < kInstrumentSlots; ++n)
            clear_link_record(&get_instrument(n));
        return run([&](HWND dialog) {
            choose_count(dialog, instruments);
            for (size_t n = 0; n < chosen.size(); ++n)
                if (chosen[n] >= 0)
                    choose_analyser(dialog, static_cast<int>(n), analysers[chosen[n]]);
            click(dialog, IDC_COMMS_CONNECT);
        });
    }
    std::array<int, 4> connected_flags() const
    {
        std::array<int, 4> flags{};
        for (int n = 0; n < 4; ++n)
            flags[n] = get_instrument(n).connected;
        return flags;
    }
    std::vector<analyser> analysers;
};

TEST_F(CommunicationsConnect, OneToFourInstrumentsOverSerialAndTcp)
{
    if (test_com_pairs().size() < 2)
        GTEST_SKIP() << "needs two COM pty pairs (run through scripts/wine-run.sh)";
    add_lan("L1");
    add_serial(0, "S1");
    add_lan("L2");
    add_serial(1, "S2");
    ASSERT_TRUE(analysers[1].serial->ok() && analysers[3].serial->ok());

    const struct {
        int instruments;
        std::vector<int> chosen;
        std::array<int, 4> connected;
        int shown;
    } rows[] = {
        {1, {1, 0}, {1, 0, 0, 0}, 0},
        {4, {0, 1, 2, 3}, {1, 1, 1, 1}, 0},
        {3, {-1, 3, 0, 2}, {0, 1, 1, 0}, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.instruments) + " instruments");
        msgbox::reset();
        EXPECT_EQ(IDC_COMMS_CONNECT, connect(row.instruments, row.chosen));
        EXPECT_EQ(row.connected, connected_flags());
        EXPECT_EQ(row.shown, g_shown_instrument);
        for (int n = 0; n < 4; ++n) {
            if (row.connected[n]) {
                const std::string serial =
                    field(get_instrument(n).idn_reply, 128).substr(19, 2);
                EXPECT_EQ(analysers[row.chosen[n]].lan ? 'L' : 'S', serial[0]) << n;
                EXPECT_EQ(5u, get_instrument(n).model_code) << n;
                EXPECT_EQ(0, get_instrument(n).link_open) << n;
            }
        }
        EXPECT_EQ(std::vector<std::string>{}, msgbox::texts());
    }
}

TEST_F(CommunicationsConnect, DuplicatesAndNoInstrumentConnected)
{
    add_lan("A1");
    add_lan("B1");
    lan_sim nobody;
    ASSERT_TRUE(nobody.ok());
    nobody.server.stop();
    const struct {
        const char* name;
        int instruments;
        std::vector<int> chosen;
        std::array<int, 4> connected;
        int shown;
    } rows[] = {
        {"pairs of one instrument", 4, {0, 0, 1, 1}, {1, 0, 1, 0}, 0},
        {"first and last alike", 4, {1, 0, 0, 1}, {1, 1, 0, 0}, 0},
        {"only the third", 3, {-1, -1, 1}, {0, 0, 1, 0}, 2},
        {"only the fourth", 4, {-1, -1, -1, 0}, {0, 0, 0, 1}, 3},
        {"the fourth beyond the count", 3, {-1, -1, -1, 0}, {0, 0, 0, 0}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        msgbox::reset();
        EXPECT_EQ(IDC_COMMS_CONNECT, connect(row.instruments, row.chosen));
        EXPECT_EQ(row.connected, connected_flags());
        EXPECT_EQ(row.shown, g_shown_instrument);
        EXPECT_EQ(std::vector<std::string>{}, msgbox::texts());
    }

    // Nothing answers: the dialog still ends after the Connect.
    msgbox::reset();
    EXPECT_EQ(IDC_COMMS_CONNECT, run([&](HWND dialog) {
                  choose_lan(dialog, 0, nobody.address);
                  click(dialog, IDC_COMMS_CONNECT);
              }));
    EXPECT_EQ((std::array<int, 4>{0, 0, 0, 0}), connected_flags());
    EXPECT_EQ(0, g_shown_instrument);
    EXPECT_EQ(std::vector<std::string>{"Failed to connect to IP address " + nobody.address},
              msgbox::texts());
}

} // namespace
