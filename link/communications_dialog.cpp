// The Communications dialog: the controls of each instrument as one row of
// ids, the handlers of its radios, lists and buttons, and the Connect
// sequence over the chosen instruments.
#include "link/communications_dialog.h"

#include "base/message_box.h"
#include "base/window_util.h"
#include "link/chooser_dialog_ids.h"
#include "link/connect_defaults.h"
#include "link/dialog_fields.h"
#include "link/instrument_chooser.h"
#include "link/lan_discovery.h"

#include <cstring>
#include <iterator>
#include <memory>

namespace {

// The controls of one instrument.
struct instrument_controls {
    int interface_list;
    int com_list;
    int baud_list;
    int address;
    int interface_label;
    int port_label;
    int baud_label;
    int test;
    int search;
};

constexpr instrument_controls kControls[kCommunicationsInstruments] = {
    {IDC_COMMS_INTERFACE_1, IDC_COMMS_COM_PORT_1, IDC_COMMS_BAUD_RATE_1, IDC_COMMS_ADDRESS_1,
     IDC_COMMS_INTERFACE_LABEL_1, IDC_COMMS_PORT_LABEL_1, IDC_COMMS_BAUD_LABEL_1, IDC_COMMS_TEST_1,
     IDC_COMMS_SEARCH_1},
    {IDC_COMMS_INTERFACE_2, IDC_COMMS_COM_PORT_2, IDC_COMMS_BAUD_RATE_2, IDC_COMMS_ADDRESS_2,
     IDC_COMMS_INTERFACE_LABEL_2, IDC_COMMS_PORT_LABEL_2, IDC_COMMS_BAUD_LABEL_2, IDC_COMMS_TEST_2,
     IDC_COMMS_SEARCH_2},
    {IDC_COMMS_INTERFACE_3, IDC_COMMS_COM_PORT_3, IDC_COMMS_BAUD_RATE_3, IDC_COMMS_ADDRESS_3,
     IDC_COMMS_INTERFACE_LABEL_3, IDC_COMMS_PORT_LABEL_3, IDC_COMMS_BAUD_LABEL_3, IDC_COMMS_TEST_3,
     IDC_COMMS_SEARCH_3},
    {IDC_COMMS_INTERFACE_4, IDC_COMMS_COM_PORT_4, IDC_COMMS_BAUD_RATE_4, IDC_COMMS_ADDRESS_4,
     IDC_COMMS_INTERFACE_LABEL_4, IDC_COMMS_PORT_LABEL_4, IDC_COMMS_BAUD_LABEL_4, IDC_COMMS_TEST_4,
     IDC_COMMS_SEARCH_4},
};

// The radios of one to four instruments, in order.
constexpr int kCountRadios[kCommunicationsInstruments] = {IDC_COMMS_COUNT_1, IDC_COMMS_COUNT_2,
                                                          IDC_COMMS_COUNT_3, IDC_COMMS_COUNT_4};

// The interface list: an entry's index + 1 is its interface code.
const char* const kInterfaceTexts[] = {"USB", "LAN", "Serial"};
static_assert(std::size(kInterfaceTexts) == LINK_SERIAL, "one entry per interface code");
constexpr LRESULT kLanEntry = LINK_LAN - 1;
constexpr LRESULT kSerialEntry = LINK_SERIAL - 1;

// The address fields' font, and the LAN search buttons' icon.
const char kAddressFontFace[] = "Segoe UI";
constexpr int kAddressFontHeight = -10;
constexpr int kSearchIconSize = 16;

const char kNothingFound[] = "No Instruments found on this subnet";
const char kSearchCaption[] = "LAN Find Instrument";

// What the dialog keeps behind its window while it is open.
struct dialog_state {
    const communications_setup* setup = nullptr;
    HFONT address_font = nullptr;
    HICON search_icon = nullptr;

    ~dialog_state()
    {
        if (address_font)
            DeleteObject(address_font);
        if (search_icon)
            DestroyIcon(search_icon);
    }
};

dialog_state* state_of(HWND dialog)
{
    return reinterpret_cast<dialog_state*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

const communications_setup& setup_of(HWND dialog)
{
    return *state_of(dialog)->setup;
}

link_record* link_of(HWND dialog, int n)
{
    return setup_of(dialog).links[n];
}

HWND item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

LRESULT chosen_entry(HWND dialog, int list)
{
    return SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0);
}

void show(HWND dialog, int id, bool shown)
{
    ShowWindow(item(dialog, id), shown ? SW_SHOW : SW_HIDE);
}

void enable(HWND dialog, int id, bool enabled)
{
    EnableWindow(item(dialog, id), enabled ? TRUE : FALSE);
}

void send_command_notification(HWND dialog, int id, int notification)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(item(dialog, id)));
}

// Instrument 1 is always in use; instrument n + 1 when at least n + 1
// instruments are chosen.
bool within_count(HWND dialog, int n)
{
    return n == 0 || get_instrument_count_choice(dialog) >= n;
}

HINSTANCE dialog_instance(HWND dialog)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

// ---- Initialisation ------------------------------------------------------------

void fill_lists(HWND dialog)
{
    for (const instrument_controls& c : kControls) {
        fill_list(item(dialog, c.interface_list), kInterfaceTexts, std::size(kInterfaceTexts));
        probe_com_port(item(dialog, c.com_list));
        fill_list(item(dialog, c.baud_list), kBaudRateTexts, std::size(kBaudRateTexts));
    }
}

// The number of instruments saved as the default (minus one); a value
// outside 0..3 chooses no radio and leaves instruments 2-4 disabled.
void choose_saved_count(HWND dialog)
{
    const int saved = read_total_phases(setup_of(dialog).settings_file);
    if (saved >= 0 && saved < kCommunicationsInstruments)
        send_command_notification(dialog, kCountRadios[saved], BN_CLICKED);
}

void show_link_record(HWND dialog, int n)
{
    const instrument_controls& c = kControls[n];
    const link_record* link = link_of(dialog, n);
    if (link->interface > 0) {
        SendDlgItemMessageA(dialog, c.interface_list, CB_SETCURSEL, link->interface - 1, 0);
        send_command_notification(dialog, c.interface_list, CBN_SELCHANGE);
    }
    show_link_fields(item(dialog, c.com_list), item(dialog, c.baud_list), item(dialog, c.address),
                     link);
}

void set_search_icons(HWND dialog, dialog_state* state)
{
    state->search_icon =
        static_cast<HICON>(LoadImageA(dialog_instance(dialog), MAKEINTRESOURCEA(IDI_LAN_SEARCH),
                                      IMAGE_ICON, kSearchIconSize, kSearchIconSize, 0));
    for (const instrument_controls& c : kControls)
        SendDlgItemMessageA(dialog, c.search, BM_SETIMAGE, IMAGE_ICON,
                            reinterpret_cast<LPARAM>(state->search_icon));
}

// The four fields of an address control are narrow: without margins they
// show all three digits of a part whatever margins the font would bring.
void clear_field_margins(HWND address)
{
    for (HWND field = GetWindow(address, GW_CHILD); field; field = GetWindow(field, GW_HWNDNEXT))
        SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void set_address_font(HWND dialog, dialog_state* state)
{
    state->address_font = CreateFontA(kAddressFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                      ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH, kAddressFontFace);
    for (const instrument_controls& c : kControls) {
        SendDlgItemMessageA(dialog, c.address, WM_SETFONT,
                            reinterpret_cast<WPARAM>(state->address_font), FALSE);
        clear_field_margins(item(dialog, c.address));
    }
}

// The dialog's state lives from here until WM_NCDESTROY.
INT_PTR on_init(HWND dialog, LPARAM param)
{
    auto* state = new dialog_state;
    state->setup = reinterpret_cast<const communications_setup*>(param);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    fill_lists(dialog);
    choose_saved_count(dialog);
    for (int n = 0; n < kCommunicationsInstruments; ++n)
        show_link_record(dialog, n);
    set_search_icons(dialog, state);
    set_address_font(dialog, state);
    return TRUE;
}

void on_destroy(HWND dialog)
{
    delete state_of(dialog);
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
}

// ---- Choices -------------------------------------------------------------------

// LAN shows the address field and its search button in place of the COM
// port and baud rate. The baud rate is for Serial only: USB always runs at
// 19200 baud.
void on_interface_change(HWND dialog, int n)
{
    const instrument_controls& c = kControls[n];
    const LRESULT choice = chosen_entry(dialog, c.interface_list);
    const bool lan = choice == kLanEntry;
    for (int id : {c.address, c.search})
        show(dialog, id, lan);
    for (int id : {c.com_list, c.baud_list, c.baud_label})
        show(dialog, id, !lan);
    SetDlgItemTextA(dialog, c.port_label, lan ? "IP Address:" : "COM Port:");
    if (!lan) {
        const bool serial = choice == kSerialEntry && within_count(dialog, n);
        enable(dialog, c.baud_list, serial);
        enable(dialog, c.baud_label, serial);
    }
}

void enable_instrument(HWND dialog, int n, bool active)
{
    const instrument_controls& c = kControls[n];
    for (int id : {c.interface_list, c.com_list, c.address, c.interface_label, c.port_label,
                   c.baud_label, c.test, c.search})
        enable(dialog, id, active);
    enable(dialog, c.baud_list, active && chosen_entry(dialog, c.interface_list) == kSerialEntry);
}

void on_count_radio(HWND dialog, int radio)
{
    for (int id : kCountRadios)
        CheckDlgButton(dialog, id, id == radio ? BST_CHECKED : BST_UNCHECKED);
    for (int n = 1; n < kCommunicationsInstruments; ++n)
        enable_instrument(dialog, n, radio >= kCountRadios[n]);
}

// The list is filled again as it opens, so that a port plugged in meanwhile
// appears; the port chosen before stays chosen while it is there.
void on_com_list_opening(HWND dialog, int n)
{
    HWND list = item(dialog, kControls[n].com_list);
    char chosen[32] = {};
    const bool had_choice = selected_list_text(list, chosen, sizeof chosen);
    probe_com_port(list);
    if (had_choice)
        select_list_text(list, chosen);
}

// ---- Buttons -------------------------------------------------------------------

void on_test(HWND dialog, int n)
{
    read_communications_fields(dialog);
    if (!validate_connection_fields(dialog, n))
        return;
    const communications_setup& setup = setup_of(dialog);
    setup.connect(dialog, n, setup.links[n], true);
}

// Searches the subnet and lets the user pick one of the instruments found;
// its address goes into instrument n's address field.
void on_lan_search(HWND dialog, int n)
{
    auto table = std::make_unique<discovery_entry[]>(kDiscoveryTableSize);
    int found = 0;
    {
        wait_cursor busy;
        found = lan_discover_port65535(table.get(), kDiscoveryTableSize);
    }
    if (found <= 0) {
        show_message_box(dialog, kNothingFound, kSearchCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const INT_PTR chosen =
        DialogBoxParamA(dialog_instance(dialog), MAKEINTRESOURCEA(IDD_CHOOSE_INSTRUMENT), dialog,
                        choose_instrument_dlg_proc, reinterpret_cast<LPARAM>(table.get()));
    if (chosen < 0 || chosen >= kDiscoveryTableSize)
        return;
    const discovery_entry& entry = table[chosen];
    show_address_field(item(dialog, kControls[n].address),
                       field_text(entry.address, sizeof entry.address).c_str());
}

void on_save_as_default(HWND dialog)
{
    read_communications_fields(dialog);
    const communications_setup& setup = setup_of(dialog);
    for (int n = 0; n < kCommunicationsInstruments; ++n)
        write_connect_defaults(setup.settings_file, n + 1, *setup.links[n]);
    write_total_phases(setup.settings_file, get_instrument_count_choice(dialog));
}

// Two slots that reached the same instrument (the same identification, so
// the same serial number): only the lower one stays connected.
void drop_duplicate_connections(const communications_setup& setup)
{
    for (int first = 0; first < kCommunicationsInstruments; ++first) {
        for (int second = first + 1; second < kCommunicationsInstruments; ++second) {
            const link_record* a = setup.links[first];
            link_record* b = setup.links[second];
            if (a->connected && b->connected &&
                std::strncmp(a->idn_reply, b->idn_reply, sizeof a->idn_reply) == 0)
                b->connected = 0;
        }
    }
}

// The first connected instrument, or instrument 1 when none is.
int instrument_to_show(const communications_setup& setup)
{
    for (int n = 0; n < kCommunicationsInstruments; ++n)
        if (setup.links[n]->connected)
            return n;
    return 0;
}

bool validate_instruments_in_use(HWND dialog, int count)
{
    for (int n = 0; n < count; ++n)
        if (!validate_connection_fields(dialog, n))
            return false;
    return true;
}

// Connects every instrument in use and ends the dialog, whether or not any
// connected; a missing field stops it first, with the dialog left open.
void on_connect(HWND dialog)
{
    const communications_setup& setup = setup_of(dialog);
    for (link_record* link : setup.links) {
        link->connected = 0;
        link->model_code = 0;
        link->option_code = 0;
    }
    read_communications_fields(dialog);
    const int count = get_instrument_count_choice(dialog) + 1;
    if (!validate_instruments_in_use(dialog, count))
        return;

    wait_cursor busy;
    for (int n = 0; n < count; ++n)
        setup.links[n]->connected = setup.connect(dialog, n, setup.links[n], false) ? 1 : 0;
    drop_duplicate_connections(setup);
    setup.show_instrument(instrument_to_show(setup));
    if (HWND owner = GetWindow(dialog, GW_OWNER)) {
        UpdateWindow(owner);
        repaint_window(owner);
    }
    EndDialog(dialog, IDC_COMMS_CONNECT);
}

// ---- Commands ------------------------------------------------------------------

// The instruments' own controls: which control, which notification, and
// what it does for instrument n.
struct instrument_command {
    int instrument_controls::*control;
    int notification;
    void (*handler)(HWND dialog, int n);
};

const instrument_command kInstrumentCommands[] = {
    {&instrument_controls::interface_list, CBN_SELCHANGE, on_interface_change},
    {&instrument_controls::com_list, CBN_DROPDOWN, on_com_list_opening},
    {&instrument_controls::test, BN_CLICKED, on_test},
    {&instrument_controls::search, BN_CLICKED, on_lan_search},
};

INT_PTR on_instrument_command(HWND dialog, int id, int notification)
{
    for (const instrument_command& command : kInstrumentCommands) {
        for (int n = 0; n < kCommunicationsInstruments; ++n) {
            if (kControls[n].*command.control != id)
                continue;
            if (command.notification != notification)
                return FALSE;
            command.handler(dialog, n);
            return TRUE;
        }
    }
    return FALSE;
}

INT_PTR on_command(HWND dialog, int id, int notification)
{
    if (state_of(dialog) == nullptr)
        return FALSE;
    if (id >= IDC_COMMS_COUNT_1 && id <= IDC_COMMS_COUNT_4) {
        on_count_radio(dialog, id);
        return TRUE;
    }
    switch (id) {
    case IDC_COMMS_CONNECT:
        on_connect(dialog);
        return TRUE;
    case IDC_COMMS_SAVE_DEFAULT:
        on_save_as_default(dialog);
        return TRUE;
    }
    return on_instrument_command(dialog, id, notification);
}

} // namespace

INT_PTR CALLBACK communications_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NCDESTROY) {
        on_destroy(dialog);
        return FALSE;
    }
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}

int get_instrument_count_choice(HWND dialog)
{
    for (int n = 1; n < kCommunicationsInstruments; ++n)
        if (IsDlgButtonChecked(dialog, kCountRadios[n]) == BST_CHECKED)
            return n;
    return 0;
}

bool validate_connection_fields(HWND dialog, int n)
{
    return validate_link_fields(dialog, link_of(dialog, n));
}

void read_communications_fields(HWND dialog)
{
    for (int n = 0; n < kCommunicationsInstruments; ++n) {
        const instrument_controls& c = kControls[n];
        link_record* link = link_of(dialog, n);
        const LRESULT choice = chosen_entry(dialog, c.interface_list);
        if (choice >= 0)
            link->interface = static_cast<uint32_t>(choice) + 1;
        read_link_fields(item(dialog, c.com_list), item(dialog, c.baud_list),
                         item(dialog, c.address), link);
    }
}
