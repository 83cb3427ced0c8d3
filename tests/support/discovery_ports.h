// The LAN search over real UDP on loopback without the fixed discovery
// ports, which other programs (a running simulator, for one) may hold. Under
// Wine a datagram socket bound to any loopback address takes its port on
// all of them, so only ports of the test's own keep it apart.
#pragma once
#include "link/lan_discovery.h"
#include "tools/wqt_sim/discovery_responder.h"

#include <winsock2.h>

#include <cstdint>
#include <vector>

// While it lives, the program's datagram socket binds a free local port in
// place of the one the probe asks for (asked_port), and sends what goes to
// ports 65535 and 30718 to the responder's responder_port and the next.
class own_port_socket : public datagram_socket {
public:
    explicit own_port_socket(uint16_t responder_port)
        : responder_port_(responder_port), winsock_(set_datagram_socket(this))
    {
    }
    ~own_port_socket() override { set_datagram_socket(winsock_); }

    bool open(uint16_t local_port) override
    {
        asked_ = local_port;
        return winsock_->open(0);
    }
    void close() override { winsock_->close(); }
    int poll_writable() override { return winsock_->poll_writable(); }
    int poll_readable() override { return winsock_->poll_readable(); }
    int send_to(uint32_t address, uint16_t port, const char* data, int length) override
    {
        const int to = port == 65535 ? responder_port_ : port == 30718 ? responder_port_ + 1 : port;
        return winsock_->send_to(address, static_cast<uint16_t>(to), data, length);
    }
    int receive_from(uint32_t* sender, char* buffer, int size) override
    {
        return winsock_->receive_from(sender, buffer, size);
    }
    uint16_t asked_port() const { return asked_; }

private:
    uint16_t responder_port_;
    datagram_socket* winsock_;
    uint16_t asked_ = 0;
};

// Starts the responder on 127.0.0.1 at two free ports (the port 65535
// query's, and the next for 30718's); the first, or 0 when none was bound.
uint16_t start_on_own_port(wqt_sim::discovery_responder& responder);

// Holds the two discovery ports on 127.0.0.1 while it lives, as another
// program may; a port already taken is left to its holder.
class discovery_port_holder {
public:
    discovery_port_holder();
    ~discovery_port_holder();

private:
    bool started_ = false;
    std::vector<SOCKET> held_;
};
