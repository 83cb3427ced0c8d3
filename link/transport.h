// The link to one instrument: a COM port (USB or RS-232) or a TCP stream to
// port 10001. Commands are text lines ending in "\n"; replies are lines too.
#pragma once
#include "link/link_record.h"
#include "link/wire_commands.h"

#include <cstdint>

// open_close_link operations.
enum : int {
    LINK_OPEN = 1,            // open and run the DC4 handshake
    LINK_CLOSE = 2,
    LINK_OPEN_NO_HANDSHAKE = 3,
};

constexpr int kDefaultReadTimeoutMs = 5000;

// Opens (op 1 or 3) or closes (op 2) the link. Opening an open link does
// nothing, so the outermost caller owns the close. 0 success, -1 failure.
int open_close_link(int op, link_record* link);
// Sends a NUL-terminated command. Serial: bytes written (0 on failure);
// LAN: 0, or -1 when the socket refuses it (none open, or one the peer has
// reset). A connection the peer has only closed may still take a send: the
// read after it fails at once.
int send_command(const char* text, link_record* link);
// Reads one reply line into buffer. Returns its length; 0 or less when
// nothing came in time. Over LAN a connection that has ended fails the read
// at once: it can bring no reply.
int receive_reply(char* buffer, int size, link_record* link);
// The line reading of receive_reply without its log line and binary rule:
// the serial or LAN reader by the link's interface. extent receives the
// number of bytes of the reply before its line end, NUL bytes included.
int read_reply_line(link_record* link, char* buffer, int size, int* extent);
// Discards pending input, whatever is waiting in whole chunks; with ms > 0
// keeps looking until ms have passed. A LAN connection the peer has closed
// brings nothing more: the discarding ends there.
void drain_input(link_record* link, int ms);
// Serial: the port's read time-out; LAN: the time-out shared by all LAN links.
void set_read_timeout(int ms, link_record* link);

// Serial primitives.
HANDLE serial_open(const char* path, uint32_t baud);
bool serial_set_timeouts(HANDLE handle, DWORD ms);
int serial_write(HANDLE handle, const char* text);
int serial_read_byte(HANDLE handle);      // byte 0..255, -2 nothing queued, -1 error
// Reads and throws away everything queued now, a whole chunk at a time.
void serial_discard_pending(HANDLE handle);
// Returns the length of the text (cut at its first "\r"); extent, when given,
// receives the number of bytes of the reply before its line end ("\n" or
// "\r\n"), NUL bytes included, which a binary reply needs since its records
// may hold NUL bytes.
int serial_read_line(HANDLE handle, char* buffer, int size, int* extent = nullptr);
// Sends what is still queued for output, discards pending input, closes.
void serial_purge_close(HANDLE* handle);

// LAN primitives.
int lan_winsock_ref(int op);              // 1, 3: take a reference; 2: release one
int lan_tcp_connect(const char* address, uint32_t* socket_out);
bool lan_tcp_close(uint32_t* socket_io);  // true when a socket was closed
int lan_send_string(link_record* link, const char* text);
int lan_poll_byte(link_record* link);     // byte 0..255, or -2 when nothing is there
int lan_read_line(link_record* link, char* buffer, int size);
void lan_set_timeout(int ms);
int lan_get_timeout();

// Number of LAN links holding Winsock started.
int lan_winsock_users();

// Sets a record to the closed state: no socket, no handle, empty ring.
void reset_link_state(link_record* link);
// Clears every field of a record and leaves it closed.
void clear_link_record(link_record* link);
// Moves every field of from into to, the open port or socket and the unread
// input included, and leaves from closed, so that no two records share a
// port or socket. A port or socket that to held open is closed first.
// Nothing happens when both are one record.
void move_link_record(link_record* to, link_record* from);
