// The converter's Connect dialog, run modally and driven by control id
// against the simulated converter on a serial pty: its lists, the bytes of a
// Connect on the wire, identification, the boot loader, every message, the
// log lines.
#include "link/converter_dialog.h"

#include "base/clocks.h"
#include "link/comms_log.h"
#include "link/converter_dialog_ids.h"
#include "link/dialog_fields.h"
#include "link/model_identification.h"
#include "link/transport.h"
#include "tests/support/comms_log_capture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kIdentity[] = "TROSVALDEN,LOMX-RS232,LX0042,V1.07";
const char kBootloaderReply[] = "LOMX BL:    32 32 32 32 V0.9";
const std::string kConnectWire = std::string("\x14\x14^[*IDN?\n") + "calstr?\ncalver?\nversion?\n";

bool contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::string field(const char* text, size_t size)
{
    return std::string(text, strnlen(text, size));
}

class ConverterDialog : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_INTERNET_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        std::memset(static_cast<void*>(&converter_link), 0, sizeof converter_link);
        sim = std::make_unique<serial_sim>(0);
        if (!sim->ok())
            GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
        sim->inst.set_converter("LX0042", "V1.07");
        program_port = test_com_pairs()[0].first;
        instrument_port = test_com_pairs()[0].second;
    }
    void TearDown() override
    {
        if (converter_link.link_open)
            open_close_link(LINK_CLOSE, &converter_link);
    }

    INT_PTR run(const std::function<void(HWND)>& script)
    {
        return run_modal_dialog(IDD_CONVERTER_CONNECT, connect_dlg_proc, kConverterSerialOnly,
                                script);
    }

    // The choices of a user who picks the converter's port at 9600 baud.
    void choose_converter(HWND dialog)
    {
        choose(dialog, IDC_CONVERTER_INTERFACE, 0);
        ASSERT_TRUE(choose_text(dialog, IDC_CONVERTER_COM_PORT, program_port));
        ASSERT_TRUE(choose_text(dialog, IDC_CONVERTER_BAUD_RATE, "9600"));
    }

    // Runs the dialog, chooses the converter and clicks the button.
    INT_PTR run_with_click(int button)
    {
        return run([&](HWND dialog) {
            choose_converter(dialog);
            click(dialog, button);
        });
    }

    void expect_one_box(const std::string& text)
    {
        const auto boxes = msgbox::shown();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(text, boxes[0].text);
        EXPECT_EQ("Test Connection", boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), boxes[0].type);
    }

    std::unique_ptr<serial_sim> sim;
    std::string program_port, instrument_port;
};

TEST_F(ConverterDialog, OpensWithItsListsAndOnlyTheSerialControls)
{
    std::vector<std::string> interfaces, ports, bauds, chosen;
    bool test_shown = false, address_shown = true;
    std::string label, caption;
    EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                  interfaces = list_texts(dialog, IDC_CONVERTER_INTERFACE);
                  ports = list_texts(dialog, IDC_CONVERTER_COM_PORT);
                  bauds = list_texts(dialog, IDC_CONVERTER_BAUD_RATE);
                  for (int id : {IDC_CONVERTER_INTERFACE, IDC_CONVERTER_COM_PORT,
                                 IDC_CONVERTER_BAUD_RATE})
                      chosen.push_back(chosen_text(dialog, id));
                  test_shown = is_shown(dialog, IDC_CONVERTER_TEST);
                  address_shown = is_shown(dialog, IDC_CONVERTER_ADDRESS);
                  label = control_text(dialog, IDC_CONVERTER_PORT_LABEL);
                  char text[64] = {};
                  GetWindowTextA(dialog, text, sizeof text);
                  caption = text;
              }));
    EXPECT_EQ(std::vector<std::string>{"Serial"}, interfaces);
    EXPECT_EQ((std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400"}), bauds);
    // Both ends of the pty pair: the simulator holds its end, which is busy.
    EXPECT_TRUE(contains(ports, program_port));
    EXPECT_TRUE(contains(ports, instrument_port));
    EXPECT_EQ(std::vector<std::string>(3, ""), chosen);
    EXPECT_TRUE(test_shown);
    EXPECT_FALSE(address_shown);
    EXPECT_EQ("COM Port:", label);
    EXPECT_EQ("Connect", caption);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(ConverterDialog, ConnectIdentifiesTheConverterAndReadsItsTexts)
{
    const uint64_t start = milliseconds_now();
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    EXPECT_GE(milliseconds_now() - start, 500u);

    EXPECT_EQ(kConnectWire, wait_received(sim->inst, kConnectWire.size()));
    EXPECT_EQ((std::vector<std::string>{"^[", "*IDN?", "calstr?", "calver?", "version?"}),
              sim->inst.commands());
    expect_one_box(std::string("The connection was successful\n") + kIdentity);
    EXPECT_EQ(1, converter_link.connected);
    EXPECT_EQ(kConverterModel, converter_link.model_code);
    EXPECT_EQ(static_cast<uint32_t>(LINK_SERIAL), converter_link.interface);
    EXPECT_EQ(9600u, converter_link.baud_rate);
    EXPECT_EQ(program_port, field(converter_link.com_port, sizeof converter_link.com_port));
    EXPECT_EQ("", field(converter_link.ip_address, sizeof converter_link.ip_address));
    EXPECT_STREQ(kIdentity, converter_link.idn_reply);
    EXPECT_STREQ("CAL 2023-04-17 OFFSET 0.0012 GAIN 1.0003", converter_link.calibration_reply);
    EXPECT_STREQ("CALVER 3", converter_link.calibration_version_reply);
    EXPECT_STREQ("V1.07", converter_link.version_reply);
    EXPECT_EQ(0, converter_link.link_open);
}

TEST_F(ConverterDialog, ReopeningShowsTheRecordsChoices)
{
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    std::vector<std::string> chosen;
    run([&](HWND dialog) {
        for (int id : {IDC_CONVERTER_INTERFACE, IDC_CONVERTER_COM_PORT, IDC_CONVERTER_BAUD_RATE})
            chosen.push_back(chosen_text(dialog, id));
    });
    EXPECT_EQ((std::vector<std::string>{"Serial", program_port, "9600"}), chosen);

    // A code the list does not offer selects nothing.
    converter_link.interface = LINK_USB;
    run([&](HWND dialog) { chosen = {chosen_text(dialog, IDC_CONVERTER_INTERFACE)}; });
    EXPECT_EQ(std::vector<std::string>{""}, chosen);
}

TEST_F(ConverterDialog, AConverterThatDoesNotAnswerGetsFiveTries)
{
    const struct {
        const char* name;
        int silent_tries;
        size_t idn_sent;
        INT_PTR result;
        uint64_t at_least_ms;
    } rows[] = {
        {"answers the fourth", 3, 4, IDC_CONVERTER_CONNECT, 4 * 500u},
        {"silent", 5, 5, IDCANCEL, 6 * 500u},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        msgbox::reset();
        sim->inst.clear_received();
        sim->inst.clear_rules();
        sim->inst.add_rule({"*IDN?", wqt_sim::action::silence, "", 0, row.silent_tries});
        const uint64_t start = milliseconds_now();
        EXPECT_EQ(row.result, run_with_click(IDC_CONVERTER_CONNECT));
        EXPECT_GE(milliseconds_now() - start, row.at_least_ms);
        const auto commands = sim->inst.commands();
        EXPECT_EQ(row.idn_sent, static_cast<size_t>(std::count(commands.begin(), commands.end(), "*IDN?")));
    }
    expect_one_box("The connection failed");
    EXPECT_EQ(0, converter_link.connected);
    EXPECT_EQ(0u, converter_link.model_code);
}

TEST_F(ConverterDialog, InputAfterTheIdentityIsDrainedBeforeTheQueries)
{
    sim->inst.add_rule({"*IDN?", wqt_sim::action::raw,
                        std::string(kIdentity) + "\r\nchatter\r\nmore chatter\r\n", 0, 1});
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    EXPECT_STREQ("CAL 2023-04-17 OFFSET 0.0012 GAIN 1.0003", converter_link.calibration_reply);
    EXPECT_STREQ("V1.07", converter_link.version_reply);
}

TEST_F(ConverterDialog, ABootLoaderIsIdentifiedWithoutFurtherQueries)
{
    sim->inst.set_idn_reply(kBootloaderReply);
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    expect_one_box("The connection was successful\nBootcode Instrument");
    EXPECT_EQ((std::vector<std::string>{"^[", "*IDN?"}), sim->inst.commands());
    EXPECT_EQ(kConverterBootloaderModel, converter_link.model_code);
    EXPECT_STREQ(kBootloaderReply, converter_link.idn_reply);
    EXPECT_EQ('\0', converter_link.calibration_reply[0]);
    EXPECT_EQ(1, converter_link.connected);
}

TEST_F(ConverterDialog, RepliesThatAreNotTheConvertersAreRefused)
{
    const char* const replies[] = {
        "LOMX BL:    32 32 32 33 V0.9",  // the mark differs in its last digit
        "LOMX,BL:    32 32 32 32 V0.9",  // a "," makes it no boot loader
        "TROSVALDEN,WQT5530,A00001,V2.15",
        "TROSVALDEN,LOMX-RS23",
        "trosvalden,lomx-rs232,LX0042,V1.07",
    };
    for (const char* reply : replies) {
        SCOPED_TRACE(reply);
        msgbox::reset();
        sim->inst.set_idn_reply(reply);
        EXPECT_EQ(IDCANCEL, run_with_click(IDC_CONVERTER_CONNECT));
        expect_one_box("The connection failed");
        EXPECT_EQ(0u, converter_link.model_code);
        EXPECT_EQ('\0', converter_link.idn_reply[0]);
    }
}

TEST_F(ConverterDialog, RepliesAreCutToTheirFields)
{
    const std::string identity = std::string(kIdentity) + "," + std::string(200, 'i');
    const std::string calibration(250, 'c');
    sim->inst.set_idn_reply(identity);
    sim->inst.set_calibration_replies(calibration, std::string(240, 'v'));
    sim->inst.set_version_reply(std::string(230, 'n'));
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    EXPECT_EQ(identity.substr(0, 127), converter_link.idn_reply);
    EXPECT_EQ(calibration, converter_link.calibration_reply);
    EXPECT_EQ(std::string(240, 'v'), converter_link.calibration_version_reply);
    EXPECT_EQ(std::string(127, 'n'), converter_link.version_reply);
}

TEST_F(ConverterDialog, MissingChoicesStopConnectAndTest)
{
    const struct {
        const char* name;
        bool interface, port, baud;
        const char* message;  // nullptr: no box, nothing happens
    } rows[] = {
        {"nothing chosen", false, false, false, nullptr},
        {"no port", true, false, true, "Please select a COM Port"},
        {"no baud rate", true, true, false, "Please choose a baudrate"},
    };
    for (int button : {IDC_CONVERTER_CONNECT, IDC_CONVERTER_TEST}) {
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (button == IDC_CONVERTER_TEST ? " Test" : " Connect"));
            msgbox::reset();
            std::memset(static_cast<void*>(&converter_link), 0, sizeof converter_link);
            converter_link.connected = 1;
            converter_link.model_code = kConverterModel;
            converter_link.option_code = 5;
            EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                          if (row.interface)
                              choose(dialog, IDC_CONVERTER_INTERFACE, 0);
                          if (row.port)
                              choose_text(dialog, IDC_CONVERTER_COM_PORT, program_port);
                          if (row.baud)
                              choose_text(dialog, IDC_CONVERTER_BAUD_RATE, "38400");
                          click(dialog, button);
                      }));
            const auto boxes = msgbox::shown();
            if (row.message) {
                ASSERT_EQ(1u, boxes.size());
                EXPECT_EQ(row.message, boxes[0].text);
                EXPECT_EQ("Test Connection", boxes[0].caption);
            } else {
                EXPECT_TRUE(boxes.empty());
            }
            // Connect clears the flags before it checks; Test leaves them.
            const bool cleared = button == IDC_CONVERTER_CONNECT;
            EXPECT_EQ(cleared ? 0 : 1, converter_link.connected);
            EXPECT_EQ(cleared ? 0u : kConverterModel, converter_link.model_code);
            EXPECT_EQ(cleared ? 0u : 5u, converter_link.option_code);
        }
    }
    EXPECT_EQ("", sim->inst.received());
}

TEST_F(ConverterDialog, APortThatDoesNotOpenIsReported)
{
    // A port kept from before that is no longer there: the list does not
    // offer it, so the record keeps it.
    converter_link.interface = LINK_SERIAL;
    copy_field(converter_link.com_port, sizeof converter_link.com_port, "COM249");
    converter_link.baud_rate = 9600;
    std::string chosen_port = "?";
    EXPECT_EQ(IDCANCEL, run([&](HWND dialog) {
                  chosen_port = chosen_text(dialog, IDC_CONVERTER_COM_PORT);
                  click(dialog, IDC_CONVERTER_CONNECT);
              }));
    EXPECT_EQ("", chosen_port);
    expect_one_box("Unable to open port COM249");
    EXPECT_EQ(0, converter_link.connected);
    EXPECT_EQ(0, converter_link.link_open);
    EXPECT_EQ("", sim->inst.received());
}

TEST_F(ConverterDialog, TestReportsAndKeepsTheDialogAndTheEarlierConnect)
{
    EXPECT_EQ(IDCANCEL, run_with_click(IDC_CONVERTER_TEST));
    expect_one_box(std::string("The connection was successful\n") + kIdentity);
    EXPECT_EQ(0, converter_link.connected);
    EXPECT_EQ(0, converter_link.link_open);

    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    // The device now answers as an analyser: the converter's model code from
    // the Connect is still set, so the test calls it incompatible.
    sim->inst.set_identity("TROSVALDEN", "WQT5530", "A00001", "V2.15");
    msgbox::reset();
    EXPECT_EQ(IDCANCEL, run([&](HWND dialog) { click(dialog, IDC_CONVERTER_TEST); }));
    expect_one_box("Incompatable instrument");
    EXPECT_EQ(1, converter_link.connected);
    EXPECT_EQ(kConverterModel, converter_link.model_code);
}

TEST_F(ConverterDialog, TheLogNamesEachStep)
{
    const comms_log_capture log("converter");
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));
    sim->inst.set_idn_reply(kBootloaderReply);
    EXPECT_EQ(IDC_CONVERTER_CONNECT, run_with_click(IDC_CONVERTER_CONNECT));

    std::vector<std::string> steps;
    std::istringstream in(log.text());
    for (std::string line; std::getline(in, line);)
        if (line.find("***") != std::string::npos && line.find("LOG FILE") == std::string::npos)
            steps.push_back(line.substr(line.find("***")));
    EXPECT_EQ((std::vector<std::string>{
                  "***\tCONNECTING\t***",
                  "***\tCONNECTED\t***",
                  std::string("***\tIDENTIFIED: ") + kIdentity + " (9999)\t***",
                  "***\tCONNECTING\t***",
                  "***\tCONNECTED\t***",
                  std::string("***\tIDENTIFIED: ") + kBootloaderReply + " (bootcode)\t***",
              }),
              steps);
}

TEST(ValidateLinkFields, ReportsTheFirstMissingField)
{
    msgbox::reset();
    const struct {
        uint32_t interface;
        const char* port;
        uint32_t baud;
        const char* address;
        const char* message;  // nullptr: valid
    } rows[] = {
        {0, "", 0, "", nullptr},
        {LINK_LAN, "", 0, "", "Please enter an IP address"},
        {LINK_LAN, "", 0, "127.0.0.1", nullptr},
        {LINK_USB, "", 0, "", "Please select a COM Port"},
        {LINK_USB, "COM3", 0, "", "Please choose a baudrate"},
        {LINK_SERIAL, "", 9600, "", "Please select a COM Port"},
        {LINK_SERIAL, "COM3", 0, "1.2.3.4", "Please choose a baudrate"},
        {LINK_SERIAL, "COM3", 9600, "", nullptr},
        {7, "", 0, "", nullptr},
    };
    for (const auto& row : rows) {
        msgbox::reset();
        auto link = std::make_unique<link_record>();
        clear_link_record(link.get());
        link->interface = row.interface;
        copy_field(link->com_port, sizeof link->com_port, row.port);
        copy_field(link->ip_address, sizeof link->ip_address, row.address);
        link->baud_rate = row.baud;
        EXPECT_EQ(row.message == nullptr, validate_link_fields(nullptr, link.get()));
        const auto boxes = msgbox::shown();
        ASSERT_EQ(row.message ? 1u : 0u, boxes.size());
        if (row.message) {
            EXPECT_EQ(row.message, boxes[0].text);
            EXPECT_EQ("Test Connection", boxes[0].caption);
        }
    }
}

} // namespace
