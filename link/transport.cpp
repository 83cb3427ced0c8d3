#include "link/transport.h"

#include "link/binary_record.h"
#include "link/comms_log.h"
#include "link/lan_discovery.h"

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

constexpr u_short kLanPort = 10001;
constexpr DWORD kHandshakeQuietMs = 100;
constexpr DWORD kPollSleepMs = 10;
// The most one recv moves from the socket into the receive ring.
constexpr size_t kLanChunk = 4096;
static_assert(kLanChunk < kLanRingSize, "a chunk fits in the receive ring");
// The most one read takes from a COM port's input queue when discarding.
constexpr DWORD kSerialChunk = 4096;

std::atomic<int> g_lan_timeout_ms{kDefaultReadTimeoutMs};

// Winsock is started by the first open LAN link and cleaned up by the last
// close, so closing one link never cuts another.
std::mutex g_winsock_mutex;
int g_winsock_users = 0;

bool is_serial(const link_record* link)
{
    return link->interface == LINK_USB || link->interface == LINK_SERIAL;
}

bool handle_valid(HANDLE h)
{
    return h != INVALID_HANDLE_VALUE && h != nullptr;
}

bool socket_valid(uint32_t s)
{
    return s != kNoSocket && s != 0;
}

// ---- LAN receive ring -----------------------------------------------------

// Appends received bytes to the ring. A full ring keeps its count while each
// new byte replaces the oldest unread one; reading goes on from the oldest
// byte still held, so the order stays intact.
void ring_append(link_record* link, const uint8_t* bytes, size_t n)
{
    size_t at = link->ring_write_index;
    size_t first = n < kLanRingSize - at ? n : kLanRingSize - at;
    memcpy(link->receive_ring + at, bytes, first);
    memcpy(link->receive_ring, bytes + first, n - first);
    link->ring_write_index = static_cast<uint32_t>((at + n) % kLanRingSize);
    size_t count = static_cast<size_t>(link->ring_count) + n;
    if (count >= kLanRingSize) {
        link->ring_count = static_cast<int32_t>(kLanRingSize);
        link->ring_read_index = link->ring_write_index;
    } else {
        link->ring_count = static_cast<int32_t>(count);
    }
}

// The oldest unread byte of the ring, or -2 when it is empty.
int ring_take_byte(link_record* link)
{
    if (link->ring_count < 1)
        return -2;
    int byte = link->receive_ring[link->ring_read_index];
    link->ring_read_index = (link->ring_read_index + 1) % kLanRingSize;
    --link->ring_count;
    return byte;
}

// True when a recv on the socket would not block (bytes are waiting, or the
// peer has closed or reset the connection), waiting up to wait_ms for it.
bool socket_readable(uint32_t socket, DWORD wait_ms)
{
    SOCKET s = static_cast<SOCKET>(socket);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval wait = {static_cast<long>(wait_ms / 1000), static_cast<long>(wait_ms % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &wait) > 0 && FD_ISSET(s, &readable);
}

// Throws away the bytes of the ring and whatever the socket holds now, a
// whole chunk at a time. False when the connection has ended.
bool discard_pending_lan(link_record* link)
{
    link->ring_count = 0;
    link->ring_read_index = link->ring_write_index;
    if (!socket_valid(link->socket))
        return false;
    uint8_t chunk[kLanChunk];
    while (socket_readable(link->socket, 0)) {
        const int got = recv(static_cast<SOCKET>(link->socket), reinterpret_cast<char*>(chunk),
                             static_cast<int>(sizeof chunk), 0);
        if (got <= 0)
            return false;
    }
    return true;
}

// Discards input until nothing is pending and more than quiet_ms have passed
// since start (quiet_ms 0: only what is pending now). A LAN connection that
// has ended brings nothing more, so there is nothing to wait for.
void discard_input_since(link_record* link, DWORD start, DWORD quiet_ms)
{
    for (;;) {
        if (is_serial(link))
            serial_discard_pending(link->serial_handle);
        else if (!discard_pending_lan(link))
            return;
        if (quiet_ms == 0 || GetTickCount() - start > quiet_ms)
            return;
        Sleep(kPollSleepMs);
    }
}

// Moves what is waiting on a readable socket into the ring, in one recv of
// up to kLanChunk bytes. The number of bytes taken; 0 or less when the peer
// has closed the connection or it failed, so that nothing more will come.
int take_waiting_chunk(link_record* link)
{
    uint8_t chunk[kLanChunk];
    int got = recv(static_cast<SOCKET>(link->socket), reinterpret_cast<char*>(chunk),
                   static_cast<int>(sizeof chunk), 0);
    if (got > 0)
        ring_append(link, chunk, static_cast<size_t>(got));
    return got;
}

// The event that tells this thread its overlapped receive has ended; made on
// the thread's first wait on a LAN link and closed when the thread ends.
struct receive_event {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~receive_event()
    {
        if (handle)
            CloseHandle(handle);
    }
};

// Receives one chunk into the ring, waiting up to wait_ms for it to begin.
// The receive itself waits on the socket, so that a reply is taken the
// moment it arrives, as a blocking recv would take it, and a receive still
// pending when the time is up is cancelled (bytes that came meanwhile are
// kept). The bytes taken; 0 when none came in time; -1 when the connection
// has ended or failed.
int receive_chunk_within(link_record* link, DWORD wait_ms)
{
    thread_local receive_event done;
    SOCKET s = static_cast<SOCKET>(link->socket);
    if (!done.handle) {
        if (!socket_readable(link->socket, wait_ms))
            return 0;
        int got = take_waiting_chunk(link);
        return got > 0 ? got : -1;
    }
    uint8_t chunk[kLanChunk];
    WSABUF buffer = {static_cast<u_long>(sizeof chunk), reinterpret_cast<char*>(chunk)};
    WSAOVERLAPPED pending = {};
    pending.hEvent = done.handle; // cleared by WSARecv as the receive starts
    DWORD got = 0;
    DWORD flags = 0;
    if (WSARecv(s, &buffer, 1, &got, &flags, &pending, nullptr) != 0) {
        if (WSAGetLastError() != WSA_IO_PENDING)
            return -1;
        WaitForSingleObject(done.handle, wait_ms);
        // The chunk must outlive the receive: one not ended yet is cancelled
        // and waited for.
        if (!HasOverlappedIoCompleted(&pending))
            CancelIo(reinterpret_cast<HANDLE>(s));
        if (!WSAGetOverlappedResult(s, &pending, &got, TRUE, &flags))
            return WSAGetLastError() == WSA_OPERATION_ABORTED ? 0 : -1;
    }
    if (got == 0)
        return -1; // the peer has closed the connection
    ring_append(link, chunk, got);
    return static_cast<int>(got);
}

// Waits for the next byte of a reply once the ring is empty. The time-out
// runs afresh from here. A connection that has ended (closed or reset by the
// peer, or never made) cannot bring a byte: the read fails at once, as one
// that got no reply. The byte, or -1 when none came in time.
int wait_for_byte(link_record* link)
{
    const DWORD limit = static_cast<DWORD>(g_lan_timeout_ms.load());
    const DWORD since = GetTickCount();
    for (;;) {
        if (!socket_valid(link->socket))
            return -1;
        DWORD waited = GetTickCount() - since;
        DWORD rest = waited < limit ? limit - waited : 0;
        int got = receive_chunk_within(link, rest);
        if (got > 0)
            return ring_take_byte(link);
        if (got < 0 || GetTickCount() - since >= limit)
            return -1;
    }
}

} // namespace

void reset_link_state(link_record* link)
{
    link->link_open = 0;
    link->socket = kNoSocket;
    link->serial_handle = INVALID_HANDLE_VALUE;
    link->ring_count = 0;
    link->ring_write_index = 0;
    link->ring_read_index = 0;
}

void clear_link_record(link_record* link)
{
    memset(static_cast<void*>(link), 0, sizeof *link);
    reset_link_state(link);
}

// A record is copied byte for byte only here. It ends without padding, so
// the copy into the record of a slot (a record first) touches nothing of the
// slot beyond it.
static_assert(offsetof(link_record, calibration_version_reply) +
                      sizeof(link_record::calibration_version_reply) ==
                  sizeof(link_record),
              "a link record ends without padding");

void move_link_record(link_record* to, link_record* from)
{
    if (to == from)
        return;
    if (to->link_open)
        open_close_link(LINK_CLOSE, to);
    memcpy(static_cast<void*>(to), from, sizeof *to);
    reset_link_state(from);
}

int open_close_link(int op, link_record* link)
{
    if ((op == LINK_OPEN || op == LINK_OPEN_NO_HANDSHAKE) && link->link_open == 1)
        return 0;

    if (is_serial(link)) {
        if (op == LINK_OPEN || op == LINK_OPEN_NO_HANDSHAKE) {
            char path[32];
            snprintf(path, sizeof path, "\\\\.\\%.*s", (int)sizeof link->com_port,
                     link->com_port);
            link->serial_handle = serial_open(path, link->baud_rate);
            if (!handle_valid(link->serial_handle)) {
                link->serial_handle = INVALID_HANDLE_VALUE;
                return -1;
            }
        } else if (op == LINK_CLOSE) {
            serial_purge_close(&link->serial_handle);
            link->link_open = 0;
            return -1;
        }
    } else if (link->interface == LINK_LAN) {
        if (op == LINK_CLOSE) {
            if (lan_tcp_close(&link->socket))
                lan_winsock_ref(LINK_CLOSE);
            link->link_open = 0;
            return 0;
        }
        if (op == LINK_OPEN || op == LINK_OPEN_NO_HANDSHAKE) {
            if (lan_winsock_ref(op) != 0)
                return -1;
            char address[sizeof link->ip_address + 1] = {};
            memcpy(address, link->ip_address, sizeof link->ip_address);
            if (lan_tcp_connect(address, &link->socket) != 0) {
                lan_winsock_ref(LINK_CLOSE);
                return -1;
            }
        }
    } else {
        return -1;
    }

    if (op == LINK_OPEN_NO_HANDSHAKE) {
        link->link_open = 1;
        return 0;
    }
    if (op == LINK_OPEN) {
        link->link_open = 1;
        send_command(kDC4, link);
        discard_input_since(link, GetTickCount(), kHandshakeQuietMs);
        return 0;
    }
    return -1;
}

int send_command(const char* text, link_record* link)
{
    int result;
    if (is_serial(link))
        result = serial_write(link->serial_handle, text);
    else
        result = lan_send_string(link, text);
    bool dc4 = text[0] == '\x14' && text[1] == '\0';
    log_transfer(*link, dc4 ? transfer_kind::dc4 : transfer_kind::command, text);
    return result;
}

int read_reply_line(link_record* link, char* buffer, int size, int* extent)
{
    if (is_serial(link))
        return serial_read_line(link->serial_handle, buffer, size, extent);
    const int length = lan_read_line(link, buffer, size);
    *extent = length;
    return length;
}

int receive_reply(char* buffer, int size, link_record* link)
{
    int extent = 0;
    const int length = read_reply_line(link, buffer, size, &extent);
    log_transfer(*link, transfer_kind::reply, buffer);
    // A binary reply is logged as received, then replaced by the text of its
    // first value; the length stays that of the received reply.
    binary_reply_to_text(buffer, size, extent);
    return length;
}

void drain_input(link_record* link, int ms)
{
    discard_input_since(link, GetTickCount(), ms > 0 ? static_cast<DWORD>(ms) : 0);
}

void set_read_timeout(int ms, link_record* link)
{
    if (is_serial(link))
        serial_set_timeouts(link->serial_handle, static_cast<DWORD>(ms));
    else
        lan_set_timeout(ms);
}

// ---- Serial primitives ----------------------------------------------------

HANDLE serial_open(const char* path, uint32_t baud)
{
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return INVALID_HANDLE_VALUE;

    DCB dcb;
    memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    bool ok = GetCommState(h, &dcb) != 0;
    if (ok) {
        dcb.BaudRate = baud;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fOutxCtsFlow = 0;
        dcb.fOutxDsrFlow = 0;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        ok = SetCommState(h, &dcb) && SetupComm(h, 4096, 4096) &&
             serial_set_timeouts(h, kDefaultReadTimeoutMs);
    }
    if (!ok) {
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

bool serial_set_timeouts(HANDLE handle, DWORD ms)
{
    // A read returns at once with what is queued, else waits up to ms for the
    // first byte: each one-byte read waits at most ms.
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = MAXDWORD;
    t.ReadTotalTimeoutConstant = ms;
    t.WriteTotalTimeoutMultiplier = 10;
    t.WriteTotalTimeoutConstant = 1;
    return SetCommTimeouts(handle, &t) != 0;
}

int serial_write(HANDLE handle, const char* text)
{
    DWORD written = 0;
    if (!WriteFile(handle, text, static_cast<DWORD>(strlen(text)), &written, nullptr))
        return 0;
    return static_cast<int>(written);
}

int serial_read_byte(HANDLE handle)
{
    DWORD errors = 0;
    COMSTAT stat = {};
    if (!ClearCommError(handle, &errors, &stat) || stat.cbInQue == 0)
        return -2;
    unsigned char byte = 0;
    DWORD got = 0;
    if (!ReadFile(handle, &byte, 1, &got, nullptr)) {
        ClearCommError(handle, &errors, &stat);
        return -1;
    }
    if (got == 0)
        return -1;
    return byte;
}

void serial_discard_pending(HANDLE handle)
{
    char chunk[kSerialChunk];
    for (;;) {
        DWORD errors = 0;
        COMSTAT stat = {};
        if (!ClearCommError(handle, &errors, &stat) || stat.cbInQue == 0)
            return;
        // What is queued is there at once: the read does not wait.
        const DWORD want = stat.cbInQue < sizeof chunk ? stat.cbInQue : sizeof chunk;
        DWORD got = 0;
        if (!ReadFile(handle, chunk, want, &got, nullptr) || got == 0) {
            ClearCommError(handle, &errors, &stat);
            return;
        }
    }
}

int serial_read_line(HANDLE handle, char* buffer, int size, int* extent)
{
    if (extent)
        *extent = 0;
    if (size <= 0)
        return 0;
    memset(buffer, 0, static_cast<size_t>(size));
    int stored = 0;
    while (stored < size - 1) {
        char byte = 0;
        DWORD got = 0;
        if (!ReadFile(handle, &byte, 1, &got, nullptr) || got == 0)
            break;
        buffer[stored++] = byte;
        if (byte == '\n')
            break;
    }
    buffer[stored] = '\0';
    if (extent) {
        // The line end as it came, before the "\r" below becomes the end of
        // the text: a NUL byte before a bare "\n" is the reply's own.
        int end = stored;
        if (end > 0 && buffer[end - 1] == '\n') {
            --end;
            if (end > 0 && buffer[end - 1] == '\r')
                --end;
        }
        *extent = end;
    }
    if (char* cr = strchr(buffer, '\r'))
        *cr = '\0';
    return static_cast<int>(strlen(buffer));
}

void serial_purge_close(HANDLE* handle)
{
    if (handle_valid(*handle)) {
        // What was written goes out first: the last commands before a close
        // (for example "SUSPEN,OFF") must reach the instrument. Only what came
        // in is thrown away.
        FlushFileBuffers(*handle);
        PurgeComm(*handle, PURGE_RXABORT | PURGE_RXCLEAR);
        CloseHandle(*handle);
    }
    *handle = INVALID_HANDLE_VALUE;
}

// ---- LAN primitives -------------------------------------------------------

int lan_winsock_ref(int op)
{
    std::lock_guard<std::mutex> lock(g_winsock_mutex);
    if (op == LINK_OPEN || op == LINK_OPEN_NO_HANDSHAKE) {
        if (g_winsock_users == 0) {
            WSADATA data;
            if (WSAStartup(0x0202, &data) != 0) {
                WSACleanup();
                return -1;
            }
        }
        ++g_winsock_users;
        return 0;
    }
    if (op == LINK_CLOSE && g_winsock_users > 0) {
        if (--g_winsock_users == 0)
            WSACleanup();
    }
    return 0;
}

int lan_winsock_users()
{
    std::lock_guard<std::mutex> lock(g_winsock_mutex);
    return g_winsock_users;
}

int lan_tcp_connect(const char* address, uint32_t* socket_out)
{
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    // Each field decimal, whatever zeros lead it (inet_addr would read
    // "010" as octal 8).
    uint32_t parsed = 0;
    to.sin_addr.s_addr = parse_ipv4_text(address, &parsed) ? parsed : INADDR_NONE;
    to.sin_port = htons(kLanPort);

    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) {
        *socket_out = kNoSocket;
        return -1;
    }
    u_long nonblocking = 1;
    ioctlsocket(s, FIONBIO, &nonblocking);

    bool connected = false;
    if (to.sin_addr.s_addr != INADDR_NONE) {
        if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0) {
            connected = true;
        } else if (WSAGetLastError() == WSAEWOULDBLOCK) {
            fd_set writable, failed;
            FD_ZERO(&writable);
            FD_ZERO(&failed);
            FD_SET(s, &writable);
            FD_SET(s, &failed);
            timeval wait = {2, 0};
            connected = select(0, nullptr, &writable, &failed, &wait) > 0 &&
                        FD_ISSET(s, &writable) && !FD_ISSET(s, &failed);
        }
    }
    if (!connected) {
        closesocket(s);
        *socket_out = kNoSocket;
        return -1;
    }
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    *socket_out = static_cast<uint32_t>(s);
    return 0;
}

bool lan_tcp_close(uint32_t* socket_io)
{
    bool closed = false;
    if (socket_valid(*socket_io)) {
        SOCKET s = *socket_io;
        shutdown(s, SD_SEND);
        // A copy of the record may have closed this socket already.
        closed = closesocket(s) == 0;
    }
    *socket_io = kNoSocket;
    return closed;
}

int lan_send_string(link_record* link, const char* text)
{
    // The send asks nothing of the socket first: a connection the peer has
    // ended is found by the read after it, whose receive returns at once.
    // The instrument takes each command with its terminating NUL byte.
    int length = static_cast<int>(strlen(text)) + 1;
    if (send(static_cast<SOCKET>(link->socket), text, length, 0) == SOCKET_ERROR)
        return -1;
    return 0;
}

int lan_poll_byte(link_record* link)
{
    if (socket_valid(link->socket) && socket_readable(link->socket, 0))
        take_waiting_chunk(link);
    return ring_take_byte(link);
}

int lan_read_line(link_record* link, char* buffer, int size)
{
    if (size <= 0)
        return -1;
    memset(buffer, 0, static_cast<size_t>(size));
    int stored = 0;
    for (;;) {
        // What came in one chunk with the last byte is still in the ring;
        // the socket is read again only when the ring has run dry.
        int byte = ring_take_byte(link);
        if (byte < 0)
            byte = wait_for_byte(link);
        if (byte < 0)
            return -1;
        if (byte == '\n')
            return stored;
        if (byte == '\r')
            continue;
        if (stored < size - 1)
            buffer[stored++] = static_cast<char>(byte);
    }
}

void lan_set_timeout(int ms)
{
    g_lan_timeout_ms = ms;
}

int lan_get_timeout()
{
    return g_lan_timeout_ms;
}
