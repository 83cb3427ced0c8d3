// What the link's dialogs share: the lists of ports and baud rates, reading
// an address control, checking a link record before it is used.
#pragma once
#include "link/link_record.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The caption of the boxes of a connection test and of a missing field.
extern const char kTestConnectionCaption[];

// The baud rates a serial link offers, in list order.
extern const char* const kBaudRateTexts[6];

// Empties a drop-down list and adds the texts in order.
void fill_list(HWND list, const char* const* texts, size_t count);
// Selects the entry whose whole text is text (without regard to case);
// false, and nothing selected, when there is none.
bool select_list_text(HWND list, const char* text);
// The text of the selected entry (at most size - 1 characters); false when
// nothing is selected.
bool selected_list_text(HWND list, char* out, int size);

// Refills a COM port list with COM1 to COM254 as far as they exist: a port
// that opens is listed, and so is one that is busy (access denied, general
// failure, sharing violation); any other error leaves it out.
void probe_com_port(HWND list);

// Copies an address control's text into the link's address: the blank
// control's "0.0.0.0" becomes the empty text; at most 15 characters.
void read_address_field(HWND control, link_record* link);

// Shows a dotted address in an address control's four fields; the empty
// text, or one that is no address, leaves the fields blank (the control then
// reads "0.0.0.0").
void show_address_field(HWND control, const char* text);

// Copies a dialog's port, baud rate and address into the link: the chosen
// COM port (at most 6 characters) and baud rate, each left as it was when
// nothing is chosen; USB (interface code 1) always runs at 19200 baud; the
// address as read_address_field reads it.
void read_link_fields(HWND com_list, HWND baud_list, HWND address, link_record* link);
// Shows the link's port, baud rate and address in a dialog's controls: the
// list entries whose whole texts match them (a port or rate that is not
// listed, or none, chooses nothing) and the address.
void show_link_fields(HWND com_list, HWND baud_list, HWND address, const link_record* link);

// Reports the first field the link still needs ("Please enter an IP
// address", "Please select a COM Port", "Please choose a baudrate", caption
// "Test Connection") and returns false; true when nothing is missing.
bool validate_link_fields(HWND owner, const link_record* link);

// Copies text into a fixed-size field, cut to size - 1 characters and
// NUL-filled.
void copy_field(char* field, size_t size, const char* text);
// The text of a fixed-size field: as many characters as it holds, NUL or
// not.
std::string field_text(const char* field, size_t size);
