// The two discovery probes, the table of addresses found, and the one
// process-wide UDP socket they use while they run.
#include "link/lan_discovery.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int kPasses = 3;
constexpr DWORD kPassMs = 250;
constexpr DWORD kCheckSleepMs = 100;
constexpr int kReplyBufferSize = 1024;
// However many datagrams keep arriving, one check ends after this many, so
// that a flood cannot hold a probe for ever.
constexpr int kMaxDatagramsPerCheck = 4096;

std::atomic<uint32_t> g_destination{kBroadcastAddress};

// Whether the host's own name resolves, which a broadcast on the local
// network needs. A name that the hosts file lacks is a DNS query.
bool host_name_resolves()
{
    char host[65] = {};
    return gethostname(host, sizeof host - 1) == 0 && gethostbyname(host) != nullptr;
}

// The Winsock datagram socket of the program.
class winsock_datagram_socket : public datagram_socket {
public:
    bool open(uint16_t local_port) override
    {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            return false;
        started_ = true;
        socket_ = socket(AF_INET, SOCK_DGRAM, 0);
        if (socket_ == INVALID_SOCKET)
            return false;
        const BOOL on = TRUE;
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        local.sin_port = htons(local_port);
        // Queries to a loopback address never leave the machine, so its
        // name is not looked up (nor sent to a name server).
        return setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on),
                          sizeof on) == 0 &&
               setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on),
                          sizeof on) == 0 &&
               bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
               (is_loopback_address(g_destination.load()) || host_name_resolves());
    }

    void close() override
    {
        if (socket_ != INVALID_SOCKET)
            closesocket(socket_);
        socket_ = INVALID_SOCKET;
        if (started_)
            WSACleanup();
        started_ = false;
    }

    int poll_writable() override { return poll(false); }
    int poll_readable() override { return poll(true); }

    int send_to(uint32_t address, uint16_t port, const char* data, int length) override
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = address;
        to.sin_port = htons(port);
        return sendto(socket_, data, length, 0, reinterpret_cast<sockaddr*>(&to), sizeof to) ==
                       SOCKET_ERROR
                   ? -1
                   : 0;
    }

    int receive_from(uint32_t* sender, char* buffer, int size) override
    {
        sockaddr_in from = {};
        int from_length = sizeof from;
        const int got =
            recvfrom(socket_, buffer, size, 0, reinterpret_cast<sockaddr*>(&from), &from_length);
        if (got == SOCKET_ERROR)
            return WSAGetLastError() == WSAEMSGSIZE ? kDatagramTooLong : -1;
        *sender = from.sin_addr.s_addr;
        return got;
    }

private:
    // One zero-time-out select; a pending socket error is read and cleared.
    int poll(bool for_reading)
    {
        if (socket_ == INVALID_SOCKET)
            return -1;
        fd_set ready, failed;
        FD_ZERO(&ready);
        FD_ZERO(&failed);
        FD_SET(socket_, &ready);
        FD_SET(socket_, &failed);
        timeval now = {0, 0};
        const int n = for_reading ? select(0, &ready, nullptr, &failed, &now)
                                  : select(0, nullptr, &ready, &failed, &now);
        if (n == SOCKET_ERROR)
            return -1;
        if (FD_ISSET(socket_, &failed)) {
            int error = 0;
            int length = sizeof error;
            getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
            return 0;
        }
        return FD_ISSET(socket_, &ready) ? 1 : 0;
    }

    SOCKET socket_ = INVALID_SOCKET;
    bool started_ = false;
};

winsock_datagram_socket g_winsock_socket;
std::atomic<datagram_socket*> g_socket{&g_winsock_socket};

// What one probe sends and which replies it takes.
struct probe_kind {
    uint16_t local_port;
    uint16_t remote_port;
    const char* query;
    int query_length;
    bool (*accepts)(const char* reply, int length);
};

// Port 30718 devices answer with 30 bytes whose fourth is F7.
bool accepts_30718_reply(const char* reply, int length)
{
    return length == 30 && static_cast<unsigned char>(reply[3]) == 0xF7;
}

// Port 65535 devices answer with at least 26 bytes beginning with "A"; the
// number after the first "/" is the TCP port they serve, which must be the
// instruments' 10001. Only the datagram's own bytes are looked at.
bool accepts_65535_reply(const char* reply, int length)
{
    if (length < 26 || length > kReplyBufferSize || reply[0] != 'A')
        return false;
    const void* slash = std::memchr(reply, '/', static_cast<size_t>(length));
    if (slash == nullptr)
        return false;
    const char* after = static_cast<const char*>(slash) + 1;
    char number[kReplyBufferSize + 1] = {};
    std::memcpy(number, after, static_cast<size_t>(reply + length - after));
    return std::atol(number) == 10001;
}

constexpr probe_kind kProbe30718 = {30718, 30718, "\x00\x00\x00\xF6", 4, accepts_30718_reply};
constexpr probe_kind kProbe65535 = {65534, 65535, "X", 1, accepts_65535_reply};

// Takes every datagram waiting now; each accepted reply adds its sender.
// count is the number of entries filled so far.
void take_waiting_replies(const probe_kind& probe, discovery_entry* table, int capacity, int* count)
{
    for (int taken = 0; taken < kMaxDatagramsPerCheck; ++taken) {
        char reply[kReplyBufferSize] = {};
        uint32_t sender = 0;
        const int length = udp_receive(&sender, reply, sizeof reply);
        if (length <= 0)
            return;
        if (!probe.accepts(reply, length))
            continue;
        const int added = add_discovered_address(sender, table, capacity);
        if (added > 0)
            *count = added;
    }
}

// Three passes of query and checks. Replies not taken in one pass are taken
// in the next.
int run_probe(const probe_kind& probe, discovery_entry* table, int capacity)
{
    if (table == nullptr || capacity <= 0)
        return 0;
    std::memset(table, 0, static_cast<size_t>(capacity) * sizeof *table);
    if (lan_udp_open(UDP_OPEN, probe.local_port) != 0)
        return 0;
    int count = 0;
    for (int pass = 0; pass < kPasses; ++pass) {
        udp_send(discovery_destination(), probe.remote_port, probe.query, probe.query_length);
        const DWORD sent = GetTickCount();
        for (;;) {
            take_waiting_replies(probe, table, capacity, &count);
            if (GetTickCount() - sent >= kPassMs)
                break;
            Sleep(kCheckSleepMs);
        }
    }
    lan_udp_open(UDP_CLOSE, 0);
    return count;
}

} // namespace

int lan_discover_port30718(discovery_entry* table, int capacity)
{
    return run_probe(kProbe30718, table, capacity);
}

int lan_discover_port65535(discovery_entry* table, int capacity)
{
    return run_probe(kProbe65535, table, capacity);
}

int add_discovered_address(uint32_t sender, discovery_entry* table, int capacity)
{
    char text[sizeof table->address] = {};
    std::snprintf(text, sizeof text, "%s", ipv4_text(sender).c_str());
    for (int i = 0; i < capacity; ++i) {
        discovery_entry& entry = table[i];
        if (entry.address[0] == '\0') {
            std::memcpy(entry.address, text, sizeof text);
            return i + 1;
        }
        if (std::strncmp(entry.address, text, sizeof entry.address) == 0)
            return -1;
    }
    return -1;
}

int lan_udp_open(int op, uint16_t local_port)
{
    datagram_socket* socket = g_socket.load();
    if (op == UDP_CLOSE) {
        socket->close();
        return 0;
    }
    if (op != UDP_OPEN)
        return -1;
    if (!socket->open(local_port)) {
        socket->close();
        return -1;
    }
    return 0;
}

int udp_send(uint32_t destination, uint16_t port, const void* data, int length)
{
    if (data == nullptr || length < 0 || length > kMaxDatagram)
        return -1;
    datagram_socket* socket = g_socket.load();
    const time_t start = time(nullptr);
    for (;;) {
        const int writable = socket->poll_writable();
        if (writable < 0)
            return -1;
        if (writable > 0)
            break;
        if (time(nullptr) - start > 1)
            return 1;
        Sleep(1);
    }
    return socket->send_to(destination, port, static_cast<const char*>(data), length) == 0 ? 0 : -1;
}

int udp_receive(uint32_t* sender, char* buffer, int size)
{
    datagram_socket* socket = g_socket.load();
    for (;;) {
        const int readable = socket->poll_readable();
        if (readable <= 0)
            return readable;
        char datagram[kMaxDatagram];
        uint32_t from = 0;
        const int length = socket->receive_from(&from, datagram, sizeof datagram);
        if (length == kDatagramTooLong || length == 0)
            continue;
        if (length < 0)
            return -1;
        *sender = from;
        if (length > size)
            continue;
        std::memcpy(buffer, datagram, static_cast<size_t>(length));
        return length;
    }
}

uint32_t discovery_destination()
{
    return g_destination.load();
}

uint32_t set_discovery_destination(uint32_t address)
{
    return g_destination.exchange(address);
}

bool set_discovery_destination_text(const char* text)
{
    uint32_t address = 0;
    if (!parse_ipv4_text(text, &address))
        return false;
    set_discovery_destination(address);
    return true;
}

bool parse_ipv4_text(const char* text, uint32_t* address)
{
    if (text == nullptr)
        return false;
    uint8_t part[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && *text++ != '.')
            return false;
        unsigned value = 0;
        int digits = 0;
        for (; *text >= '0' && *text <= '9' && digits < 4; ++text, ++digits)
            value = value * 10 + static_cast<unsigned>(*text - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        part[i] = static_cast<uint8_t>(value);
    }
    if (*text != '\0')
        return false;
    *address = ipv4_address(part[0], part[1], part[2], part[3]);
    return true;
}

std::string ipv4_text(uint32_t address)
{
    const auto* part = reinterpret_cast<const unsigned char*>(&address);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", part[0], part[1], part[2], part[3]);
    return text;
}

std::string normalised_ipv4_text(const char* text)
{
    uint32_t address = 0;
    if (parse_ipv4_text(text, &address))
        return ipv4_text(address);
    return text != nullptr ? text : "";
}

datagram_socket* set_datagram_socket(datagram_socket* socket)
{
    return g_socket.exchange(socket ? socket : &g_winsock_socket);
}
