// Times query-and-reply exchanges over TCP and over a serial pty pair.
//   bench_link [COUNT] [--lan ADDRESS] [PROGRAM_COM INSTRUMENT_COM]
// Over TCP the link is timed beside a plain Winsock loop (send the command
// with its NUL, then recv until the line end) on the same connection to the
// same responder, in alternating rounds, and the ratio of the two is printed:
// the cost of the link itself. The responder is the simulated instrument in
// this process, and with --lan also the one listening on ADDRESS port 10001
// (scripts/bench-link.sh starts a native one outside Wine). Over the pty the
// mean time per exchange is printed beside the bytes' own transfer time.
// The COM ports default to the first pair the test wrapper made.
#include "link/transport.h"
#include "tools/bench_clock.h"
#include "tools/wqt_sim/instrument.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kBaud = 115200;
constexpr char kCommand[] = "config,12?\n";
constexpr int kRounds = 10;
constexpr int kWarmUp = 20;

// One exchange through the link; the reply's length, 0 or less on failure.
int link_exchange(link_record& link)
{
    char reply[64];
    send_command(kCommand, &link);
    return receive_reply(reply, sizeof reply, &link);
}

// One exchange the plainest way Winsock allows, on the link's own socket:
// the command and its NUL in one send, then recv until the line end.
bool plain_exchange(SOCKET s)
{
    if (send(s, kCommand, static_cast<int>(sizeof kCommand), 0) == SOCKET_ERROR)
        return false;
    char reply[64];
    int got = 0;
    while (got < static_cast<int>(sizeof reply)) {
        int n = recv(s, reply + got, static_cast<int>(sizeof reply) - got, 0);
        if (n <= 0)
            return false;
        if (memchr(reply + got, '\n', static_cast<size_t>(n)))
            return true;
        got += n;
    }
    return false;
}

// Times count exchanges of one kind; failures are added up.
double time_exchanges(link_record& link, bool plain, int count, int& failures)
{
    double start = now_ms();
    for (int i = 0; i < count; ++i) {
        bool ok = plain ? plain_exchange(static_cast<SOCKET>(link.socket)) : link_exchange(link) > 0;
        if (!ok)
            ++failures;
    }
    return now_ms() - start;
}

// The link against the plain loop over one TCP connection, in kRounds
// rounds that alternate which goes first, so that a change of load on the
// machine falls on both alike.
bool run_lan(const char* name, link_record& link, int count)
{
    if (open_close_link(LINK_OPEN, &link) != 0) {
        printf("%s: cannot open the link\n", name);
        return false;
    }
    set_read_timeout(2000, &link);
    int failures = 0;
    time_exchanges(link, false, kWarmUp, failures);
    time_exchanges(link, true, kWarmUp, failures);

    int per_round = std::max(1, count / kRounds);
    double link_ms = 0, plain_ms = 0;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        bool plain_first = round % 2 == 1;
        double first = time_exchanges(link, plain_first, per_round, failures);
        double second = time_exchanges(link, !plain_first, per_round, failures);
        double l = plain_first ? second : first;
        double p = plain_first ? first : second;
        link_ms += l;
        plain_ms += p;
        ratios.push_back(l / p);
    }
    open_close_link(LINK_CLOSE, &link);

    std::sort(ratios.begin(), ratios.end());
    int n = per_round * kRounds;
    printf("%-34s %6d exchanges each: link %.3f ms, plain Winsock %.3f ms per exchange; "
           "ratio %.2f (rounds %.2f..%.2f, median %.2f), %d failed\n",
           name, n, link_ms / n, plain_ms / n, link_ms / plain_ms, ratios.front(),
           ratios.back(), ratios[ratios.size() / 2], failures);
    return failures == 0;
}

// Runs count exchanges over a serial link; the bytes' own time is what
// crosses the wire both ways (command, reply and line end) at the port's speed.
bool run_serial(const char* name, link_record& link, int count, double wire_ms_per_byte)
{
    if (open_close_link(LINK_OPEN, &link) != 0) {
        printf("%s: cannot open the link\n", name);
        return false;
    }
    set_read_timeout(2000, &link);
    int failures = 0;
    size_t bytes = 0;
    double start = now_ms();
    for (int i = 0; i < count; ++i) {
        int n = link_exchange(link);
        if (n <= 0)
            ++failures;
        bytes += strlen(kCommand) + (n > 0 ? n : 0) + 2;
    }
    double elapsed = now_ms() - start;
    open_close_link(LINK_CLOSE, &link);

    double mean = elapsed / count;
    double wire = wire_ms_per_byte * static_cast<double>(bytes) / count;
    printf("%-34s %6d exchanges in %8.1f ms: %8.1f exchanges/s, mean %.3f ms, "
           "bytes' own transfer %.3f ms, overhead %.3f ms per exchange, %d failed\n",
           name, count, elapsed, 1000.0 * count / elapsed, mean, wire, mean - wire, failures);
    return failures == 0;
}

link_record& lan_link(const std::string& address)
{
    static link_record link;
    clear_link_record(&link);
    link.interface = LINK_LAN;
    snprintf(link.ip_address, sizeof link.ip_address, "%s", address.c_str());
    return link;
}

} // namespace

int main(int argc, char** argv)
{
    // --lan ADDRESS may stand anywhere; the other arguments are positional.
    std::string external;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (strcmp(argv[i], "--lan") == 0 && i + 1 < argc)
            external = argv[++i];
        else
            args.push_back(argv[i]);
    }
    int count = args.size() > 1 ? atoi(args[1]) : 1000;
    if (count <= 0)
        count = 1000;
    std::string program_port, instrument_port;
    wqt_sim::com_pair_from_arguments(static_cast<int>(args.size()), args.data(), 2, program_port,
                                     instrument_port);

    wqt_sim::instrument inst;
    inst.set_item(12, "3");
    bool ok = true;
    {
        wqt_sim::tcp_server server(inst);
        std::string address = wqt_sim::start_on_free_loopback(server);
        ok = !address.empty() && run_lan("LAN, simulator in process", lan_link(address), count);
    }
    if (!external.empty() && external.compare(0, 4, "127.") != 0) {
        printf("%s: only loopback addresses (127.x.y.z) are timed\n", external.c_str());
        ok = false;
    } else if (!external.empty()) {
        ok = run_lan(("LAN, responder at " + external).c_str(), lan_link(external), count) && ok;
    }

    if (!program_port.empty()) {
        wqt_sim::serial_server port(inst);
        if (port.start(instrument_port)) {
            static link_record link;
            clear_link_record(&link);
            link.interface = LINK_SERIAL;
            link.baud_rate = kBaud;
            snprintf(link.com_port, sizeof link.com_port, "%s", program_port.c_str());
            // Ten bits a byte at the port's speed (a pty passes them faster).
            ok = run_serial("Serial (pty, 115200 baud)", link, count, 10.0 * 1000.0 / kBaud) &&
                 ok;
        } else {
            printf("Serial: cannot open %s\n", instrument_port.c_str());
            ok = false;
        }
    } else {
        printf("Serial: no COM pair given\n");
    }
    return ok ? 0 : 1;
}
