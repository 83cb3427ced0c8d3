// Free ports for the discovery responder, and the discovery ports held.
#include "tests/support/discovery_ports.h"

#include <random>

uint16_t start_on_own_port(wqt_sim::discovery_responder& responder)
{
    static std::mt19937 rng(GetCurrentProcessId() * 7919u + GetTickCount());
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = static_cast<uint16_t>(20000 + rng() % 30000);
        if (responder.start("127.0.0.1", port, static_cast<uint16_t>(port + 1)))
            return port;
    }
    return 0;
}

discovery_port_holder::discovery_port_holder()
{
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    for (uint16_t port : {uint16_t{65535}, uint16_t{30718}}) {
        const SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in at = {};
        at.sin_family = AF_INET;
        at.sin_addr.s_addr = ipv4_address(127, 0, 0, 1);
        at.sin_port = htons(port);
        if (s != INVALID_SOCKET && bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0)
            held_.push_back(s);
        else if (s != INVALID_SOCKET)
            closesocket(s);
    }
}

discovery_port_holder::~discovery_port_holder()
{
    for (SOCKET s : held_)
        closesocket(s);
    if (started_)
        WSACleanup();
}
