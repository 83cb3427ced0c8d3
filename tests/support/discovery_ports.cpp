#include "tests/support/discovery_ports.h"

#include <random>

namespace {

constexpr uint16_t kQueryPort65535 = 65535;
constexpr uint16_t kQueryPort30718 = 30718;

sockaddr_in loopback_at(uint32_t address, uint16_t port)
{
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = address;
    at.sin_port = htons(port);
    return at;
}

} // namespace

own_port_socket::own_port_socket(uint16_t responder_port) : responder_port_(responder_port)
{
    previous_ = set_datagram_socket(this);
}

own_port_socket::~own_port_socket()
{
    close();
    set_datagram_socket(previous_);
}

bool own_port_socket::open(uint16_t local_port)
{
    asked_ = local_port;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    started_ = true;
    socket_ = socket(AF_INET, SOCK_DGRAM, 0);
    if (socket_ == INVALID_SOCKET)
        return false;
    // Port 0: the system picks a free one.
    sockaddr_in local = loopback_at(htonl(INADDR_ANY), 0);
    int length = sizeof local;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        return false;
    bound_ = ntohs(local.sin_port);
    return true;
}

void own_port_socket::close()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
    socket_ = INVALID_SOCKET;
    if (started_)
        WSACleanup();
    started_ = false;
}

int own_port_socket::poll_writable()
{
    return poll(false);
}

int own_port_socket::poll_readable()
{
    return poll(true);
}

int own_port_socket::poll(bool for_reading)
{
    if (socket_ == INVALID_SOCKET)
        return -1;
    fd_set ready;
    FD_ZERO(&ready);
    FD_SET(socket_, &ready);
    timeval now = {0, 0};
    const int n = for_reading ? select(0, &ready, nullptr, nullptr, &now)
                              : select(0, nullptr, &ready, nullptr, &now);
    if (n == SOCKET_ERROR)
        return -1;
    return FD_ISSET(socket_, &ready) ? 1 : 0;
}

int own_port_socket::send_to(uint32_t address, uint16_t port, const char* data, int length)
{
    uint16_t to_port = port;
    if (port == kQueryPort65535)
        to_port = responder_port_;
    else if (port == kQueryPort30718)
        to_port = static_cast<uint16_t>(responder_port_ + 1);
    const sockaddr_in to = loopback_at(address, to_port);
    return sendto(socket_, data, length, 0, reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
                   SOCKET_ERROR
               ? -1
               : 0;
}

int own_port_socket::receive_from(uint32_t* sender, char* buffer, int size)
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
        if (s == INVALID_SOCKET)
            continue;
        const sockaddr_in at = loopback_at(ipv4_address(127, 0, 0, 1), port);
        if (bind(s, reinterpret_cast<const sockaddr*>(&at), sizeof at) == 0)
            held_.push_back(s);
        else
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
