// The converter's Connect dialog and its connection sequence: DC4 and "^[",
// up to five "*IDN?" at 500 ms, a 500 ms drain, then "calstr?", "calver?"
// and "version?" once the converter is identified.
#include "link/converter_dialog.h"

#include "base/message_box.h"
#include "base/window_util.h"
#include "link/comms_log.h"
#include "link/converter_dialog_ids.h"
#include "link/dialog_fields.h"
#include "link/model_identification.h"
#include "link/transport.h"
#include "link/wire_commands.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

link_record converter_link = {};

namespace {

// The interface list: its one entry stands for a serial port, whose baud
// rate is the one chosen.
struct interface_entry {
    const char* text;
    uint32_t code;
};
constexpr interface_entry kInterfaces[] = {{"Serial", LINK_SERIAL}};

// The identification replies taken as the converter's, ended by an empty text.
const char* const kAcceptedPrefixes[] = {"TROSVALDEN,LOMX-RS232", ""};

// A converter in its boot loader answers without "," and with this mark at
// index 7.
const char kBootloaderMark[] = ":    32 32 32 32";
constexpr int kBootloaderMarkAt = 7;
constexpr int kBootloaderMarkLength = sizeof kBootloaderMark - 1;
static_assert(kBootloaderMarkLength == 16, "the boot loader mark is 16 characters");

constexpr int kReplySize = 256;
constexpr int kIdentifyTries = 5;
constexpr int kIdentifyTimeoutMs = 500;
constexpr int kDrainMs = 500;

enum class reply_kind { other, converter, bootloader };

bool has_accepted_prefix(const char* reply)
{
    for (const char* const* prefix = kAcceptedPrefixes; **prefix; ++prefix)
        if (std::strncmp(reply, *prefix, std::strlen(*prefix)) == 0)
            return true;
    return false;
}

reply_kind classify_reply(const char* reply, int length)
{
    if (length <= 0)
        return reply_kind::other;
    const size_t text_length = strnlen(reply, static_cast<size_t>(length));
    if (std::memchr(reply, ',', text_length) == nullptr &&
        text_length >= static_cast<size_t>(kBootloaderMarkAt + kBootloaderMarkLength) &&
        std::memcmp(reply + kBootloaderMarkAt, kBootloaderMark, kBootloaderMarkLength) == 0)
        return reply_kind::bootloader;
    return has_accepted_prefix(reply) ? reply_kind::converter : reply_kind::other;
}

void log_line(const char* format, const char* reply, int code = 0)
{
    char line[kReplySize + 64];
    std::snprintf(line, sizeof line, format, reply, code);
    append_comms_log(line);
}

// Up to five "*IDN?" until the converter or its boot loader answers; the last
// reply stays in the buffer.
reply_kind ask_identity(link_record* link, char* reply)
{
    reply_kind kind = reply_kind::other;
    for (int attempt = 0; attempt < kIdentifyTries && kind == reply_kind::other; ++attempt) {
        std::memset(reply, 0, kReplySize);
        send_command(kCmdIdentify, link);
        kind = classify_reply(reply, receive_reply(reply, kReplySize, link));
    }
    return kind;
}

// Sends a query and keeps a non-empty reply in the field, cut to its size.
void read_text_reply(link_record* link, const char* query, char* field, size_t size)
{
    char reply[kReplySize] = {};
    send_command(query, link);
    if (receive_reply(reply, sizeof reply, link) > 0)
        copy_field(field, size, reply);
}

// Takes the identification reply into the record; true when it names the
// converter or its boot loader.
bool take_identity(link_record* link, reply_kind kind, const char* reply)
{
    if (kind == reply_kind::bootloader) {
        link->model_code = kConverterBootloaderModel;
        log_line("***\tIDENTIFIED: %s (bootcode)\t***\n", reply);
        copy_field(link->idn_reply, sizeof link->idn_reply, reply);
        return true;
    }
    if (kind != reply_kind::converter)
        return false;
    link->model_code =
        identify_model_code(std::strchr(reply, ',') + 1, &link->phase_count, &link->option_code);
    if (link->model_code == 0) {
        append_comms_log("***\tUNIDENTIFIED INSTRUMENT\t***\n");
        return false;
    }
    log_line("***\tIDENTIFIED: %s (%d)\t***\n", reply, static_cast<int>(link->model_code));
    copy_field(link->idn_reply, sizeof link->idn_reply, reply);
    read_text_reply(link, kCmdCalibrationText, link->calibration_reply, sizeof link->calibration_reply);
    read_text_reply(link, kCmdCalibrationVersion, link->calibration_version_reply,
                    sizeof link->calibration_version_reply);
    read_text_reply(link, kCmdVersion, link->version_reply, sizeof link->version_reply);
    return true;
}

void report_result(HWND dialog, const link_record* link, bool identified)
{
    std::string text;
    if (identified) {
        text = "The connection was successful\n";
        text += link->model_code == kConverterBootloaderModel
                    ? std::string("Bootcode Instrument")
                    : idn_reply_text(*link);
    } else {
        text = link->model_code != 0 ? "Incompatable instrument" : "The connection failed";
    }
    show_message_box(dialog, text.c_str(), kTestConnectionCaption, MB_OK | MB_ICONINFORMATION);
}

void report_open_failure(HWND dialog, const link_record* link)
{
    char text[64];
    std::snprintf(text, sizeof text, "Unable to open port %s",
                  field_text(link->com_port, sizeof link->com_port).c_str());
    show_message_box(dialog, text, kTestConnectionCaption, MB_OK | MB_ICONINFORMATION);
}

HWND item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

INT_PTR on_init(HWND dialog, LPARAM)
{
    const char* interface_texts[std::size(kInterfaces)];
    for (size_t i = 0; i < std::size(kInterfaces); ++i)
        interface_texts[i] = kInterfaces[i].text;
    fill_list(item(dialog, IDC_CONVERTER_INTERFACE), interface_texts, std::size(interface_texts));
    probe_com_port(item(dialog, IDC_CONVERTER_COM_PORT));
    fill_list(item(dialog, IDC_CONVERTER_BAUD_RATE), kBaudRateTexts, std::size(kBaudRateTexts));

    for (size_t i = 0; i < std::size(kInterfaces); ++i) {
        if (converter_link.interface != 0 && kInterfaces[i].code == converter_link.interface) {
            SendMessageA(item(dialog, IDC_CONVERTER_INTERFACE), CB_SETCURSEL, i, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CONVERTER_INTERFACE, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(item(dialog, IDC_CONVERTER_INTERFACE)));
        }
    }
    show_link_fields(item(dialog, IDC_CONVERTER_COM_PORT), item(dialog, IDC_CONVERTER_BAUD_RATE),
                     item(dialog, IDC_CONVERTER_ADDRESS), &converter_link);
    ShowWindow(item(dialog, IDC_CONVERTER_TEST), SW_SHOW);
    return TRUE;
}

// Whatever is chosen, the converter is reached over a COM port.
void on_interface_change(HWND dialog)
{
    ShowWindow(item(dialog, IDC_CONVERTER_ADDRESS), SW_HIDE);
    for (int id : {IDC_CONVERTER_COM_PORT, IDC_CONVERTER_BAUD_RATE, IDC_CONVERTER_BAUD_LABEL}) {
        ShowWindow(item(dialog, id), SW_SHOW);
        EnableWindow(item(dialog, id), TRUE);
    }
    SetWindowTextA(item(dialog, IDC_CONVERTER_PORT_LABEL), "COM Port:");
}

void on_test(HWND dialog)
{
    read_connection_dialog_fields(dialog);
    if (!validate_connection_settings(dialog))
        return;
    connect_and_identify_instrument(dialog, &converter_link, true);
    open_close_link(LINK_CLOSE, &converter_link);
}

void on_connect(HWND dialog)
{
    converter_link.connected = 0;
    converter_link.model_code = 0;
    converter_link.option_code = 0;
    read_connection_dialog_fields(dialog);
    if (converter_link.interface != 0 && !validate_connection_settings(dialog))
        return;
    const bool identified = connect_and_identify_instrument(dialog, &converter_link, true);
    converter_link.connected = identified ? 1 : 0;
    if (identified)
        EndDialog(dialog, IDC_CONVERTER_CONNECT);
}

INT_PTR on_command(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDC_CONVERTER_INTERFACE:
        if (notification == CBN_SELCHANGE)
            on_interface_change(dialog);
        return TRUE;
    case IDC_CONVERTER_TEST:
        on_test(dialog);
        return TRUE;
    case IDC_CONVERTER_CONNECT:
        on_connect(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

INT_PTR CALLBACK connect_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}

void read_connection_dialog_fields(HWND dialog)
{
    const LRESULT choice = SendMessageA(item(dialog, IDC_CONVERTER_INTERFACE), CB_GETCURSEL, 0, 0);
    if (choice >= 0 && static_cast<size_t>(choice) < std::size(kInterfaces))
        converter_link.interface = kInterfaces[choice].code;
    read_link_fields(item(dialog, IDC_CONVERTER_COM_PORT), item(dialog, IDC_CONVERTER_BAUD_RATE),
                     item(dialog, IDC_CONVERTER_ADDRESS), &converter_link);
}

bool validate_connection_settings(HWND dialog)
{
    return validate_link_fields(dialog, &converter_link);
}

bool connect_and_identify_instrument(HWND dialog, link_record* link, bool show_result)
{
    if (link->interface == 0)
        return false;
    append_comms_log("***\tCONNECTING\t***\n");
    if (open_close_link(LINK_OPEN, link) != 0) {
        report_open_failure(dialog, link);
        open_close_link(LINK_CLOSE, link);
        return false;
    }
    bool identified = false;
    {
        wait_cursor busy;
        append_comms_log("***\tCONNECTED\t***\n");
        send_command(kDC4, link);
        send_command(kCmdConverterEscape, link);
        set_read_timeout(kIdentifyTimeoutMs, link);
        char reply[kReplySize];
        const reply_kind kind = ask_identity(link, reply);
        drain_input(link, kDrainMs);
        set_read_timeout(kDefaultReadTimeoutMs, link);
        identified = take_identity(link, kind, reply);
    }
    if (show_result)
        report_result(dialog, link, identified);
    open_close_link(LINK_CLOSE, link);
    return identified;
}
