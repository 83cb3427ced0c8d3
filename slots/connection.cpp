// The connection sequence: open the link, stop the instrument's reporting,
// ask who it is, take its model, option and phase count from its replies
// and, for a full connect, lock its panel, attach it and read its settings.
#include "slots/connection.h"

#include "frame/app_globals.h"
#include "base/message_box.h"
#include "base/window_util.h"
#include "slots/settings_runs.h"
#include "config/identification.h"
#include "config/model_profiles.h"
#include "slots/instrument_slots.h"
#include "link/model_identification.h"
#include "link/transport.h"
#include "link/wire_commands.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kReplySize = 128;
constexpr int kIdentifyTries = 5;
constexpr int kIdentifyTimeoutMs = 500;
// Before the panel is locked: a pause, then the input drained for this long.
constexpr DWORD kSettleMs = 200;
constexpr int kDrainMs = 100;
// What a reply from the maker's other instruments begins with.
const char kMakerPrefix[] = "TROSVALDEN,";
constexpr size_t kMakerPrefixLength = sizeof kMakerPrefix - 1;

const char kTestCaption[] = "Test Connection";

bool is_family_reply(const char* reply, int length)
{
    return length > 0 && std::strncmp(reply, kFamilyPrefix, kFamilyPrefixLength) == 0;
}

// The model code named by the characters after "TROSVALDEN,WQT" (the model
// profiles, in their order); 0 for an unknown model.
uint32_t model_code_of(const char* reply)
{
    const model_profile* profile = identify_model(reply + kFamilyPrefixLength);
    return profile != nullptr ? profile->model_code : 0;
}

// The option code from the "version?" reply: the bits of the number after
// its first ","; 0 when nothing came or there is no ",".
uint32_t option_code_of(const char* reply, int length)
{
    if (length <= 0)
        return 0;
    const char* comma = std::strchr(reply, ',');
    if (comma == nullptr)
        return 0;
    const long word = std::strtol(comma + 1, nullptr, 10);
    return static_cast<uint32_t>(decode_option_bits(static_cast<uint32_t>(word), 6).value);
}

// The phase digit of the model name; 1 when the link has no identification
// reply to take it from.
uint32_t phase_count_of(const link_record& link)
{
    char field[kReplySize];
    try {
        get_idn_field(field, IDN_FIELD_PHASES, &link);
    } catch (const std::exception&) {
        return 1;
    }
    return std::isdigit(static_cast<unsigned char>(field[0])) ? static_cast<uint32_t>(field[0] - '0')
                                                               : 0;
}

void report_open_failure(HWND owner, const link_record& link)
{
    char text[96];
    if (link.interface == LINK_LAN)
        std::snprintf(text, sizeof text, "Failed to connect to IP address %.*s",
                      static_cast<int>(strnlen(link.ip_address, sizeof link.ip_address)),
                      link.ip_address);
    else
        std::snprintf(text, sizeof text, "Unable to open port %.*s",
                      static_cast<int>(strnlen(link.com_port, sizeof link.com_port)),
                      link.com_port);
    show_message_box(owner, text, kTestCaption, MB_OK | MB_ICONINFORMATION);
}

// A test reports why the instrument was not taken: a reply from the maker
// that is not one of its analysers names what answered.
void report_identification_failure(HWND owner, const char* reply, int length)
{
    std::string text = "The connection failed";
    if (length > 0 && std::strncmp(reply, kMakerPrefix, kMakerPrefixLength) == 0)
        text = std::string("Incorrect Instrument Connected - ") + (reply + kMakerPrefixLength);
    show_message_box(owner, text.c_str(), kTestCaption, MB_OK | MB_ICONWARNING);
}

// Reads every setting of slot n under the progress dialog; the two-group
// model is read once per group, the second only when the first went through,
// and is left on group 1. True when every read succeeded.
bool read_all_settings(int n)
{
    instrument_slot& slot = get_instrument(n);
    settings_args args;
    args.parent = main_window;
    args.flag = 0;
    args.link = &slot;
    args.index = n;
    if (!is_two_group_model(slot.model_code))
        return acquire_settings_with_progress(args);

    select_group_for_instrument(n, 0, true);
    bool ok = acquire_settings_with_progress(args);
    if (ok) {
        select_group_for_instrument(n, 1, true);
        ok = acquire_settings_with_progress(args);
    }
    select_group_for_instrument(n, 0, true);
    return ok;
}

// Clears the instrument's input, stops its reporting and asks "*IDN?" up to
// five times at the short time-out until an analyser of the family answers.
// The last reply stays in reply; returns its length.
int ask_identity(link_record* link, char* reply, int size)
{
    set_read_timeout(kIdentifyTimeoutMs, link);
    int length = 0;
    {
        wait_cursor busy;
        send_command(kDC4, link);
        send_command(kCmdStop, link);
        send_command(kCmdTagReportOff, link);
        for (int attempt = 0; attempt < kIdentifyTries; ++attempt) {
            send_command(kCmdIdentify, link);
            length = receive_reply(reply, size, link);
            if (is_family_reply(reply, length))
                break;
            send_command(kDC4, link);
        }
    }
    set_read_timeout(kDefaultReadTimeoutMs, link);
    return length;
}

// Takes the model code of a family reply into the record. False when the
// reply is no analyser's, or names a model the program does not know (which
// is reported at once).
bool take_model(HWND owner, link_record* link, const char* reply, int length)
{
    if (!is_family_reply(reply, length))
        return false;
    link->model_code = model_code_of(reply);
    if (link->model_code != 0)
        return true;
    show_message_box(owner, "Error: The connected WQT Model is unknown", kTestCaption,
                     MB_OK | MB_ICONWARNING);
    return false;
}

// Keeps the identification reply in the record, asks "version?" for the
// option code and takes the phase count from the model name.
void read_version_and_options(link_record* link, const char* idn_reply)
{
    std::memset(link->idn_reply, 0, sizeof link->idn_reply);
    std::memcpy(link->idn_reply, idn_reply, strnlen(idn_reply, sizeof link->idn_reply - 1));

    wait_cursor busy;
    send_command(kCmdVersion, link);
    char reply[kReplySize] = {};
    const int length = receive_reply(reply, sizeof reply, link);
    link->option_code = option_code_of(reply, length);
    link->phase_count = phase_count_of(*link);
}

void report_test_success(HWND owner, const link_record& link)
{
    const std::string text = std::string("The connection was successful\n") + link.idn_reply;
    show_message_box(owner, text.c_str(), kTestCaption, MB_OK | MB_ICONINFORMATION);
}

// Stops the instrument again, locks its front panel and attaches the record
// to slot n. The slot takes over the record and its open port or socket (a
// separate record is left closed); from here on the slot's link, returned,
// carries the exchanges, the group selection included. The Communications
// dialog passes the slot's own record, so both are one.
link_record* take_over_slot(link_record* link, int n)
{
    Sleep(kSettleMs);
    send_command(kDC4, link);
    send_command(kCmdStop, link);
    drain_input(link, kDrainMs);
    send_command(kCmdPanelLockOn, link);
    attach_instrument_to_slot(*link, n);
    return &get_instrument(n);
}

// Reads every setting of slot n; while that fails, offers to reset the
// instrument to its defaults and reads again after a reset.
void read_settings_offering_reset(HWND owner, int n, link_record* live)
{
    while (!read_all_settings(n)) {
        const int answer = show_message_box(
            owner,
            "Would you like to reset the instrument configuration to default?\n"
            "(This may fix connection issues)",
            "Connection Diagnosis", MB_YESNO | MB_ICONINFORMATION);
        if (answer != IDYES)
            break;
        send_command(kCmdRecallDefaults, live);
    }
}

} // namespace

bool connect_instrument(HWND owner, int n, link_record* link, bool test_only)
{
    if (link->interface == 0)
        return false;
    if (open_close_link(LINK_OPEN, link) != 0) {
        report_open_failure(owner, *link);
        open_close_link(LINK_CLOSE, link);
        return false;
    }

    char reply[kReplySize] = {};
    const int length = ask_identity(link, reply, sizeof reply);
    if (!take_model(owner, link, reply, length)) {
        if (test_only)
            report_identification_failure(owner, reply, length);
        open_close_link(LINK_CLOSE, link);
        return false;
    }
    read_version_and_options(link, reply);

    if (test_only) {
        report_test_success(owner, *link);
        open_close_link(LINK_CLOSE, link);
        return false;
    }

    link_record* live = take_over_slot(link, n);
    read_settings_offering_reset(owner, n, live);
    open_close_link(LINK_CLOSE, live);
    return true;
}
