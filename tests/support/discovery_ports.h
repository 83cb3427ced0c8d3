// The LAN search over real UDP on loopback without the fixed discovery
// ports, which other programs on the machine (a running simulator, for one)
// may hold. Under Wine a datagram socket bound to a loopback address other
// than 127.0.0.1 still takes its port on every loopback address, so an
// address of the test's own does not keep it apart: ports of its own do.
#pragma once
#include "link/lan_discovery.h"
#include "tools/wqt_sim/discovery_responder.h"

#include <winsock2.h>

#include <cstdint>
#include <string>
#include <vector>

// The probes' datagram socket with the discovery ports traded for free ones:
// it binds a free local port in place of the one the probe asks for, and
// sends what the probes send to ports 65535 and 30718 to the responder's own
// two ports (responder_port and the next). Installed while it lives.
class own_port_socket : public datagram_socket {
public:
    explicit own_port_socket(uint16_t responder_port);
    ~own_port_socket() override;

    bool open(uint16_t local_port) override;
    void close() override;
    int poll_writable() override;
    int poll_readable() override;
    int send_to(uint32_t address, uint16_t port, const char* data, int length) override;
    int receive_from(uint32_t* sender, char* buffer, int size) override;

    // The local port the probe asked for, and the one bound in its place.
    uint16_t asked_port() const { return asked_; }
    uint16_t bound_port() const { return bound_; }

private:
    int poll(bool for_reading);
    uint16_t responder_port_;
    uint16_t asked_ = 0;
    uint16_t bound_ = 0;
    SOCKET socket_ = INVALID_SOCKET;
    bool started_ = false;
    datagram_socket* previous_ = nullptr;
};

// Starts the responder on 127.0.0.1 at two free ports of its own, for the
// port 65535 query and the next for the port 30718 one; the first, or 0 when
// none could be bound.
uint16_t start_on_own_port(wqt_sim::discovery_responder& responder);

// UDP sockets on 127.0.0.1 at the two discovery ports for as long as it
// lives, as another program may hold them; a port already taken is left to
// whoever holds it.
class discovery_port_holder {
public:
    discovery_port_holder();
    ~discovery_port_holder();

private:
    bool started_ = false;
    std::vector<SOCKET> held_;
};
