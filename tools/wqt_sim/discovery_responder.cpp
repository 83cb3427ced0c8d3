#include "tools/wqt_sim/discovery_responder.h"

#include <algorithm>

namespace wqt_sim {

namespace {

bool is_loopback(const std::string& address)
{
    const unsigned long a = inet_addr(address.c_str());
    return a != INADDR_NONE && (ntohl(a) >> 24) == 127;
}

bool is_query_65535(const std::string& bytes)
{
    return bytes == "X";
}

bool is_query_30718(const std::string& bytes)
{
    return bytes == std::string("\x00\x00\x00\xF6", 4);
}

// Binds a datagram socket; on failure the Winsock error goes to error.
SOCKET bind_udp(const std::string& address, unsigned short port, int& error)
{
    SOCKET s = socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET) {
        error = WSAGetLastError();
        return s;
    }
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = inet_addr(address.c_str());
    at.sin_port = htons(port);
    if (bind(s, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0) {
        error = WSAGetLastError();
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

} // namespace

std::string discovery_reply_65535(unsigned tcp_port)
{
    // "A", the interface's hardware address and the instrument's name, then
    // the port it serves.
    return "A00:50:C2:7E:10:01 WQT-LAN/" + std::to_string(tcp_port);
}

std::string discovery_reply_30718()
{
    std::string reply(30, '\0');
    reply[3] = '\xF7';
    const char name[] = "WQT-LAN 00:50:C2:7E:10:01";
    std::copy(name, name + sizeof name - 1, reply.begin() + 4);
    return reply;
}

discovery_responder::discovery_responder()
{
    p65535_.reply = discovery_reply_65535();
    p30718_.reply = discovery_reply_30718();
}

bool discovery_responder::start(const std::string& address, unsigned short port_65535,
                                unsigned short port_30718)
{
    stop();
    start_error_ = 0;
    if (!is_loopback(address)) {
        start_error_ = WSAEADDRNOTAVAIL;
        return false;
    }
    WSADATA data;
    start_error_ = WSAStartup(0x0202, &data);
    if (start_error_ != 0)
        return false;
    wsa_ = true;
    if (port_65535)
        p65535_.socket = bind_udp(address, port_65535, start_error_);
    if (port_30718)
        p30718_.socket = bind_udp(address, port_30718, start_error_);
    if ((port_65535 && p65535_.socket == INVALID_SOCKET) ||
        (port_30718 && p30718_.socket == INVALID_SOCKET)) {
        stop();
        return false;
    }
    stopping_ = false;
    thread_ = std::thread(&discovery_responder::run, this);
    return true;
}

void discovery_responder::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    for (port_state* port : {&p65535_, &p30718_}) {
        if (port->socket != INVALID_SOCKET)
            closesocket(port->socket);
        port->socket = INVALID_SOCKET;
    }
    if (wsa_)
        WSACleanup();
    wsa_ = false;
}

void discovery_responder::set_reply_65535(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    p65535_.reply = bytes;
}

void discovery_responder::set_reply_30718(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    p30718_.reply = bytes;
}

void discovery_responder::answer_only(const std::vector<int>& query_numbers)
{
    std::lock_guard<std::mutex> lock(mutex_);
    answered_ = query_numbers;
}

std::vector<discovery_responder::query> discovery_responder::queries_65535() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return p65535_.received;
}

std::vector<discovery_responder::query> discovery_responder::queries_30718() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return p30718_.received;
}

void discovery_responder::clear_queries()
{
    std::lock_guard<std::mutex> lock(mutex_);
    p65535_.received.clear();
    p30718_.received.clear();
}

void discovery_responder::run()
{
    while (!stopping_) {
        fd_set ready;
        FD_ZERO(&ready);
        for (const port_state* port : {&p65535_, &p30718_})
            if (port->socket != INVALID_SOCKET)
                FD_SET(port->socket, &ready);
        timeval wait = {0, 20000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        if (p65535_.socket != INVALID_SOCKET && FD_ISSET(p65535_.socket, &ready))
            answer(p65535_, is_query_65535);
        if (p30718_.socket != INVALID_SOCKET && FD_ISSET(p30718_.socket, &ready))
            answer(p30718_, is_query_30718);
    }
}

// Reads one datagram; a query gets the reply back to its sender, unless the
// script keeps this one unanswered.
void discovery_responder::answer(port_state& port, bool (*is_query)(const std::string&))
{
    char buffer[2048];
    sockaddr_in from = {};
    int from_length = sizeof from;
    const int got =
        recvfrom(port.socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &from_length);
    if (got < 0)
        return;
    std::string reply;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const std::string bytes(buffer, static_cast<size_t>(got));
        port.received.push_back({bytes, ntohs(from.sin_port)});
        if (!is_query(bytes))
            return;
        const int number = static_cast<int>(std::count_if(
            port.received.begin(), port.received.end(),
            [is_query](const query& q) { return is_query(q.bytes); }));
        if (!answered_.empty() &&
            std::find(answered_.begin(), answered_.end(), number) == answered_.end())
            return;
        reply = port.reply;
    }
    if (!reply.empty())
        sendto(port.socket, reply.data(), static_cast<int>(reply.size()), 0,
               reinterpret_cast<sockaddr*>(&from), from_length);
}

} // namespace wqt_sim
