#include "tools/wqt_sim/instrument.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

namespace wqt_sim {

namespace {

// Sleeps in short steps so that a stop is not held up by a long delay. The
// steps run to a deadline, so that their overshoots do not add up: a reply
// scripted to come within a window of the program's timing stays in it.
void wait_ms(int ms, const std::atomic<bool>& stopping)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD passed = GetTickCount() - start;
        if (stopping || ms <= 0 || passed >= static_cast<DWORD>(ms))
            return;
        const DWORD left = static_cast<DWORD>(ms) - passed;
        Sleep(left < 20 ? left : 20);
    }
}

// Sends every byte, however the stack splits the send.
void send_all(SOCKET s, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        int n = send(s, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
        if (n == SOCKET_ERROR) {
            if (WSAGetLastError() == WSAEWOULDBLOCK) {
                Sleep(1);
                continue;
            }
            return;
        }
        done += static_cast<size_t>(n);
    }
}

} // namespace

bool tcp_server::start(const std::string& address, unsigned short port)
{
    stop();
    WSADATA data;
    start_error_ = WSAStartup(0x0202, &data);
    if (start_error_ != 0)
        return false;
    wsa_ = true;
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at = {};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = inet_addr(address.c_str());
    at.sin_port = htons(port);
    if (listener_ == INVALID_SOCKET ||
        bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        listen(listener_, 4) != 0) {
        start_error_ = WSAGetLastError();
        stop();
        return false;
    }
    address_ = address;
    stopping_ = false;
    thread_ = std::thread(&tcp_server::run, this);
    return true;
}

void tcp_server::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (listener_ != INVALID_SOCKET) {
        closesocket(listener_);
        listener_ = INVALID_SOCKET;
    }
    if (wsa_) {
        WSACleanup();
        wsa_ = false;
    }
}

void tcp_server::run()
{
    while (!stopping_) {
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener_, &ready);
        timeval wait = {0, 50000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
            continue;
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            continue;
        ++connections_;
        bool open = true;
        while (open && !stopping_) {
            std::string chatter = inst_.take_unsolicited();
            if (!chatter.empty())
                send_all(client, chatter);
            FD_ZERO(&ready);
            FD_SET(client, &ready);
            wait = {0, 5000};
            if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
                continue;
            char buf[1024];
            int got = recv(client, buf, sizeof buf, 0);
            if (got <= 0)
                break;
            for (const auto& o : inst_.feed(buf, static_cast<size_t>(got))) {
                wait_ms(o.delay_ms, stopping_);
                if (o.drop) {
                    open = false;
                    break;
                }
                send_all(client, o.bytes);
            }
        }
        closesocket(client);
    }
}

bool serial_server::start(const std::string& port)
{
    stop();
    std::string path = "\\\\.\\" + port;
    handle_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    // Reads return at once with what is queued, or after 5 ms with nothing.
    COMMTIMEOUTS t = {MAXDWORD, MAXDWORD, 1, 10, 1000};
    SetCommTimeouts(handle_, &t);
    PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
    stopping_ = false;
    thread_ = std::thread(&serial_server::run, this);
    return true;
}

void serial_server::stop()
{
    stopping_ = true;
    if (thread_.joinable())
        thread_.join();
    if (handle_ != INVALID_HANDLE_VALUE) {
        CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
}

void serial_server::run()
{
    bool dropped = false;
    while (!stopping_) {
        std::string chatter = inst_.take_unsolicited();
        if (!chatter.empty() && !dropped) {
            DWORD written = 0;
            WriteFile(handle_, chatter.data(), static_cast<DWORD>(chatter.size()), &written,
                      nullptr);
        }
        char buf[256];
        DWORD got = 0;
        if (!ReadFile(handle_, buf, sizeof buf, &got, nullptr)) {
            Sleep(20);
            continue;
        }
        if (got == 0 || dropped)
            continue;
        for (const auto& o : inst_.feed(buf, got)) {
            wait_ms(o.delay_ms, stopping_);
            if (o.drop) {
                // A serial line cannot hang up: the instrument goes deaf instead.
                dropped = true;
                break;
            }
            DWORD written = 0;
            WriteFile(handle_, o.bytes.data(), static_cast<DWORD>(o.bytes.size()), &written,
                      nullptr);
        }
    }
}

std::vector<std::pair<std::string, std::string>> com_pairs_from_environment()
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const char* env = getenv("KESTROVA_TEST_COM_PAIRS");
    if (!env)
        return pairs;
    std::istringstream in(env);
    std::string word;
    while (in >> word) {
        size_t colon = word.find(':');
        if (colon != std::string::npos)
            pairs.emplace_back("COM" + word.substr(0, colon), "COM" + word.substr(colon + 1));
    }
    return pairs;
}

bool com_pair_from_arguments(int argc, char** argv, int first, std::string& program_port,
                             std::string& instrument_port)
{
    if (argc > first + 1) {
        program_port = argv[first];
        instrument_port = argv[first + 1];
        return true;
    }
    auto pairs = com_pairs_from_environment();
    if (pairs.empty())
        return false;
    program_port = pairs[0].first;
    instrument_port = pairs[0].second;
    return true;
}

std::string start_on_free_loopback(tcp_server& server)
{
    static std::mt19937 rng(GetCurrentProcessId() * 7919u + GetTickCount());
    for (int attempt = 0; attempt < 200; ++attempt) {
        char address[32];
        snprintf(address, sizeof address, "127.%u.%u.%u", 1 + rng() % 250, rng() % 256,
                 1 + rng() % 250);
        if (server.start(address))
            return address;
    }
    return "";
}

} // namespace wqt_sim
