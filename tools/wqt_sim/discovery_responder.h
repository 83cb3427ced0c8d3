// The simulated instrument's network interface as the LAN search sees it: it
// answers the discovery queries on UDP port 65535 ("X") and port 30718 (the
// four bytes 00 00 00 F6), on a loopback address only. Its replies can be
// scripted: silence, another reply, answers to some queries only.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wqt_sim {

// The reply an instrument's interface gives on port 65535: "A", at least 26
// bytes, and the TCP port it serves (10001 unless given) after the first "/".
std::string discovery_reply_65535(unsigned tcp_port = 10001);
// The 30-byte reply on port 30718; its fourth byte is F7.
std::string discovery_reply_30718();

class discovery_responder {
public:
    discovery_responder();
    ~discovery_responder() { stop(); }

    // Binds address (a 127.x.y.z address; any other is refused) at the two
    // ports, 65535 and 30718 unless given (a port of 0 is not served), and
    // starts answering. False when the address is refused or cannot be bound.
    bool start(const std::string& address, unsigned short port_65535 = 65535,
               unsigned short port_30718 = 30718);
    void stop();
    // The Winsock error that made the last start fail: WSAEADDRNOTAVAIL for
    // an address the responder refuses, 0 after a start that worked.
    int start_error() const { return start_error_; }

    // The reply on each port; an empty text means silence.
    void set_reply_65535(const std::string& bytes);
    void set_reply_30718(const std::string& bytes);
    // Answers only the queries whose number (1, 2, ... counted per port) is
    // listed; an empty list (the default) answers every query.
    void answer_only(const std::vector<int>& query_numbers);

    // What arrived so far, per port: each datagram and its sender's port.
    struct query {
        std::string bytes;
        unsigned short sender_port;
    };
    std::vector<query> queries_65535() const;
    std::vector<query> queries_30718() const;
    // Forgets what arrived; the queries are counted from 1 again.
    void clear_queries();

private:
    struct port_state {
        SOCKET socket = INVALID_SOCKET;
        std::string reply;
        std::vector<query> received;
    };
    void run();
    void answer(port_state& port, bool (*is_query)(const std::string&));

    mutable std::mutex mutex_;
    port_state p65535_, p30718_;
    std::vector<int> answered_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    bool wsa_ = false;
    int start_error_ = 0;
};

} // namespace wqt_sim
