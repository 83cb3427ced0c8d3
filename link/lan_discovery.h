// Finding instruments on the local network: a query datagram sent to the
// broadcast address on one of the two discovery ports, and a table of the
// distinct addresses of the devices that answered. Nothing here talks to an
// instrument afterwards; the dialogs connect to a chosen address over TCP.
#pragma once
#include <cstdint>
#include <string>

// One device found: its dotted IPv4 address, then a text a dialog may keep
// with it (the chooser puts the instrument's identification there). An entry
// whose address is empty is free.
struct discovery_entry {
    char address[16];
    char text[128];
};
static_assert(sizeof(discovery_entry) == 144, "a discovery entry is 144 bytes");

// The size of the tables the dialogs use.
constexpr int kDiscoveryTableSize = 256;

// lan_udp_open operations.
enum : int { UDP_OPEN = 1, UDP_CLOSE = 2 };

// The largest datagram sent or received.
constexpr int kMaxDatagram = 1500;

// The two probes: each clears the table, queries three times and returns the
// number of entries filled (0 when nothing answered or the socket could not
// be opened).
int lan_discover_port30718(discovery_entry* table, int capacity);
int lan_discover_port65535(discovery_entry* table, int capacity);

// Adds the sender (IPv4, network byte order) to the first free entry and
// returns that entry's position + 1; -1 when the address is already there or
// the table is full.
int add_discovered_address(uint32_t sender, discovery_entry* table, int capacity);

// Opens (UDP_OPEN) the process-wide datagram socket on the local port, with
// broadcasts allowed, or closes it (UDP_CLOSE). 0 or -1. Unless the probes'
// destination is a loopback address, the Winsock socket opens only when the
// host's own name resolves.
int lan_udp_open(int op, uint16_t local_port);
// Sends length bytes (at most kMaxDatagram) to address:port. 0 sent, 1 the
// socket did not become writable within about a second, -1 error.
int udp_send(uint32_t destination, uint16_t port, const void* data, int length);
// Takes one waiting datagram that fits the buffer (empty ones and longer ones
// are passed over) and stores its sender. Its length, 0 when nothing is
// waiting, -1 on error.
int udp_receive(uint32_t* sender, char* buffer, int size);

// Where the probes send their queries: the broadcast address 255.255.255.255
// unless a test has set a loopback address. Network byte order.
uint32_t discovery_destination();
// Sets the destination and returns the one set before.
uint32_t set_discovery_destination(uint32_t address);
// Sets the destination from dotted text (as parse_ipv4_text takes it);
// false, with the destination unchanged, for any other text.
bool set_discovery_destination_text(const char* text);

// An IPv4 address from dotted text: four decimal parts of 0..255 (one to
// three digits each) and nothing else. Network byte order; false for any
// other text.
bool parse_ipv4_text(const char* text, uint32_t* address);
// The address as dotted decimal text without leading zeros ("127.0.0.10").
std::string ipv4_text(uint32_t address);
// A typed address in that form when it is one ("127.0.0.010" gives
// "127.0.0.10"); any other text as it is.
std::string normalised_ipv4_text(const char* text);

// The datagram socket the probes use. The program uses a Winsock UDP socket;
// a test installs its own to hand the probes datagrams from any sender and to
// see what they send.
class datagram_socket {
public:
    virtual ~datagram_socket() = default;
    // Opens the socket bound to any local address at the port; false on failure.
    virtual bool open(uint16_t local_port) = 0;
    virtual void close() = 0;
    // Zero-time-out checks: 1 ready, 0 not ready (or a pending error read and
    // cleared), -1 error.
    virtual int poll_writable() = 0;
    virtual int poll_readable() = 0;
    // Sends a datagram; -1 on error.
    virtual int send_to(uint32_t address, uint16_t port, const char* data, int length) = 0;
    // Takes the next datagram into buffer (kMaxDatagram bytes): its length,
    // kDatagramTooLong when it was longer than that (it is gone), -1 on error.
    virtual int receive_from(uint32_t* sender, char* buffer, int size) = 0;
};
constexpr int kDatagramTooLong = -2;

// Installs a socket in place of the Winsock one (nullptr: back to it) and
// returns the one installed before. It must outlive its installation.
datagram_socket* set_datagram_socket(datagram_socket* socket);

// IPv4 address from its four parts, in network byte order (the first part in
// the lowest byte on this little-endian target).
constexpr uint32_t ipv4_address(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    return static_cast<uint32_t>(a) | static_cast<uint32_t>(b) << 8 |
           static_cast<uint32_t>(c) << 16 | static_cast<uint32_t>(d) << 24;
}
constexpr uint32_t kBroadcastAddress = ipv4_address(255, 255, 255, 255);

// Whether the address (network byte order) is in 127.0.0.0/8.
constexpr bool is_loopback_address(uint32_t address)
{
    return (address & 0xFFu) == 127;
}
