// The LAN search button of the Communications dialog end to end: the search
// goes to 127.0.0.1, where the simulated instrument's responder answers it
// on a port of the test's own, whatever other programs hold on the
// discovery ports; the chooser lists the address found, and the chosen
// address reaches the instrument's address field.
#include "link/communications_dialog.h"

#include "link/chooser_dialog_ids.h"
#include "link/lan_discovery.h"
#include "link/transport.h"
#include "tests/support/discovery_ports.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"
#include "tools/wqt_sim/discovery_responder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kLan = 1;
const char kResponder[] = "127.0.0.1";

// The addresses of the chooser's rows.
std::vector<std::string> row_addresses(HWND chooser)
{
    std::vector<std::string> addresses;
    HWND list = GetDlgItem(chooser, IDC_CHOOSER_LIST);
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[32] = {};
        LVITEMA item = {};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        addresses.push_back(text);
    }
    return addresses;
}

bool never_connect(HWND, int, link_record*, bool)
{
    return false;
}
void show_nothing(int) {}

class CommunicationsSearch : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_INTERNET_CLASSES | ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        ASSERT_NE(0, responder_port) << "no free UDP port on 127.0.0.1";
        uint32_t address = 0;
        ASSERT_TRUE(parse_ipv4_text(kResponder, &address));
        previous_ = set_discovery_destination(address);
        for (int n = 0; n < kCommunicationsInstruments; ++n) {
            clear_link_record(&records[n]);
            setup.links[n] = &records[n];
        }
        settings = folder.file("DualWQT.ini");
        setup.settings_file = settings.c_str();
        setup.connect = never_connect;
        setup.show_instrument = show_nothing;
    }
    void TearDown() override
    {
        responder.stop();
        set_discovery_destination(previous_);
    }

    // Opens the dialog, chooses LAN for instrument 2 of 2, clicks its
    // search button and lets chooser act on the chooser; returns the
    // instrument's address field afterwards.
    std::string search(const std::function<void(HWND)>& chooser)
    {
        std::string address;
        run_modal_dialog(IDD_COMMUNICATIONS, communications_dlg_proc,
                         reinterpret_cast<LPARAM>(&setup), [&](HWND dialog) {
                             click(dialog, IDC_COMMS_COUNT_2);
                             choose(dialog, IDC_COMMS_INTERFACE_2, kLan);
                             drive_next_dialog(dialog, chooser);
                             click(dialog, IDC_COMMS_SEARCH_2);
                             address = control_text(dialog, IDC_COMMS_ADDRESS_2);
                             timeout_after = lan_get_timeout();
                         });
        return address;
    }

    temp_folder folder;
    std::string settings;
    discovery_port_holder other_program;
    wqt_sim::discovery_responder responder;
    const uint16_t responder_port = start_on_own_port(responder);
    own_port_socket probe_socket{responder_port};
    link_record records[kCommunicationsInstruments];
    communications_setup setup = {};
    int timeout_after = 0;

private:
    uint32_t previous_ = 0;
};

TEST_F(CommunicationsSearch, TheChosenInstrumentsAddressReachesTheField)
{
    std::vector<std::string> rows;
    std::string caption;
    EXPECT_EQ(kResponder, search([&](HWND chooser) {
                  char text[64] = {};
                  GetWindowTextA(chooser, text, sizeof text);
                  caption = text;
                  rows = row_addresses(chooser);
                  // The one instrument found is chosen already.
                  click(chooser, IDOK);
              }));
    EXPECT_EQ("Please Choose Instrument", caption);
    EXPECT_EQ(std::vector<std::string>{kResponder}, rows);
    EXPECT_EQ(3u, responder.queries_65535().size());
    EXPECT_EQ(kDefaultReadTimeoutMs, timeout_after);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(CommunicationsSearch, CancelOrNothingFoundLeavesTheFieldBlank)
{
    EXPECT_EQ("0.0.0.0", search([](HWND chooser) { click(chooser, IDCANCEL); }));
    EXPECT_TRUE(msgbox::shown().empty());

    responder.set_reply_65535("");
    bool chooser_opened = false;
    EXPECT_EQ("0.0.0.0", search([&](HWND) { chooser_opened = true; }));
    EXPECT_FALSE(chooser_opened);
    const auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("No Instruments found on this subnet", boxes[0].text);
    EXPECT_EQ("LAN Find Instrument", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes[0].type);
    EXPECT_EQ(kDefaultReadTimeoutMs, timeout_after);
}

} // namespace
