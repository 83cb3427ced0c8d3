// Fills the chooser's list: one row per device that could not be reached or
// did not answer, and one per analyser with its identification; other
// devices get no row.
#include "link/instrument_chooser.h"

#include "base/window_util.h"
#include "link/chooser_dialog_ids.h"
#include "link/dialog_fields.h"
#include "link/lan_discovery.h"
#include "link/model_identification.h"
#include "link/transport.h"
#include "link/wire_commands.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kReplySize = 128;
constexpr int kChooserTimeoutMs = 500;

const struct {
    const char* title;
    int percent;
} kColumns[] = {{"IP Address", 30}, {"Instrument", 70}};

void add_columns(HWND list)
{
    RECT client;
    GetClientRect(list, &client);
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = client.right * kColumns[i].percent / 100;
        column.pszText = const_cast<char*>(kColumns[i].title);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

// Asks the device at the entry's address who it is. Returns the text of its
// row, or nullptr when it gets none (a device that is no analyser).
const char* identify_entry(discovery_entry* entry, link_record* scratch)
{
    copy_field(scratch->ip_address, sizeof scratch->ip_address, entry->address);
    if (open_close_link(LINK_OPEN, scratch) != 0) {
        open_close_link(LINK_CLOSE, scratch);
        return "Connection Failed 1";
    }
    char reply[kReplySize] = {};
    send_command(kCmdIdentify, scratch);
    const int length = receive_reply(reply, sizeof reply, scratch);
    open_close_link(LINK_CLOSE, scratch);
    if (length <= 0)
        return "Connection Failed 2";
    if (_strnicmp(reply, kFamilyPrefix, kFamilyPrefixLength) != 0)
        return nullptr;
    copy_field(entry->text, sizeof entry->text, reply + kFamilyPrefixLength);
    return entry->text;
}

// One pass over the table with a short read time-out; the LAN links' usual
// time-out is back when it ends.
void fill_rows(HWND list, discovery_entry* table)
{
    auto scratch = std::make_unique<link_record>();
    clear_link_record(scratch.get());
    scratch->interface = LINK_LAN;
    set_read_timeout(kChooserTimeoutMs, scratch.get());
    for (int i = 0; i < kDiscoveryTableSize && table[i].address[0]; ++i) {
        const char* text = identify_entry(&table[i], scratch.get());
        if (text == nullptr)
            continue;
        char row[sizeof table[i].address + sizeof table[i].text + 2];
        std::snprintf(row, sizeof row, "%.*s\t%s", static_cast<int>(sizeof table[i].address),
                      table[i].address, text);
        listview_add_tab_row(list, row, i, false);
    }
    set_read_timeout(kDefaultReadTimeoutMs, scratch.get());
}

INT_PTR on_init(HWND dialog, LPARAM param)
{
    auto* table = reinterpret_cast<discovery_entry*>(param);
    HWND list = GetDlgItem(dialog, IDC_CHOOSER_LIST);
    add_columns(list);
    wait_cursor busy;
    if (table)
        fill_rows(list, table);
    if (SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == 1) {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    }
    return TRUE;
}

INT_PTR on_notify(HWND dialog, const NMHDR* header)
{
    if (header->idFrom != IDC_CHOOSER_LIST)
        return FALSE;
    if (header->code == LVN_ITEMCHANGING)
        EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
    else if (header->code == NM_DBLCLK)
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

// OK ends the dialog with the chosen row's index, Cancel with -1.
INT_PTR on_command(HWND dialog, int id, int)
{
    if (id != IDOK && id != IDCANCEL)
        return FALSE;
    const int chosen = listview_get_selected(GetDlgItem(dialog, IDC_CHOOSER_LIST), -1);
    EndDialog(dialog, id == IDOK ? chosen : -1);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK choose_instrument_dlg_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_NOTIFY)
        return on_notify(dialog, reinterpret_cast<const NMHDR*>(lparam));
    return command_dialog(dialog, message, wparam, lparam, on_init, on_command);
}
