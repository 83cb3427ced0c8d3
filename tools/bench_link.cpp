// Times query-and-reply exchanges against the simulated instrument over TCP
// and over a serial pty pair, and prints exchanges per second and the mean
// time per exchange beyond the bytes' own transfer at the link's speed.
//   bench_link [COUNT] [PROGRAM_COM INSTRUMENT_COM]
// The COM ports default to the first pair the test wrapper made.
#include "link/transport.h"
#include "tools/wqt_sim/instrument.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr uint32_t kBaud = 115200;

double now_ms()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Runs count "config,12?" exchanges; bytes_per_exchange is what crosses the
// wire both ways (command, its NUL on LAN, reply and line end).
bool run(const char* name, link_record& link, int count, double wire_ms_per_byte)
{
    if (open_close_link(LINK_OPEN, &link) != 0) {
        printf("%s: cannot open the link\n", name);
        return false;
    }
    set_read_timeout(2000, &link);
    const char* command = "config,12?\n";
    char reply[64];
    int failures = 0;
    size_t bytes = 0;
    double start = now_ms();
    for (int i = 0; i < count; ++i) {
        send_command(command, &link);
        int n = receive_reply(reply, sizeof reply, &link);
        if (n <= 0)
            ++failures;
        bytes += strlen(command) + (link.interface == LINK_LAN ? 1 : 0) + (n > 0 ? n : 0) + 2;
    }
    double elapsed = now_ms() - start;
    open_close_link(LINK_CLOSE, &link);

    double mean = elapsed / count;
    double wire = wire_ms_per_byte * static_cast<double>(bytes) / count;
    printf("%-28s %6d exchanges in %8.1f ms: %8.1f exchanges/s, mean %.3f ms, "
           "bytes' own transfer %.3f ms, overhead %.3f ms per exchange, %d failed\n",
           name, count, elapsed, 1000.0 * count / elapsed, mean, wire, mean - wire, failures);
    return failures == 0;
}

} // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? atoi(argv[1]) : 1000;
    if (count <= 0)
        count = 1000;
    std::string program_port, instrument_port;
    wqt_sim::com_pair_from_arguments(argc, argv, 2, program_port, instrument_port);

    wqt_sim::instrument inst;
    inst.set_item(12, "3");
    bool ok = true;

    static link_record link;
    {
        wqt_sim::tcp_server server(inst);
        std::string address = wqt_sim::start_on_free_loopback(server);
        clear_link_record(&link);
        link.interface = LINK_LAN;
        snprintf(link.ip_address, sizeof link.ip_address, "%s", address.c_str());
        // Loopback TCP has no line speed of its own: its bytes' time is nil.
        ok = !address.empty() && run("LAN (TCP loopback)", link, count, 0.0) && ok;
    }
    if (!program_port.empty()) {
        wqt_sim::serial_server port(inst);
        if (port.start(instrument_port)) {
            clear_link_record(&link);
            link.interface = LINK_SERIAL;
            link.baud_rate = kBaud;
            snprintf(link.com_port, sizeof link.com_port, "%s", program_port.c_str());
            // Ten bits a byte at the port's speed (a pty passes them faster).
            ok = run("Serial (pty, 115200 baud)", link, count, 10.0 * 1000.0 / kBaud) && ok;
        } else {
            printf("Serial: cannot open %s\n", instrument_port.c_str());
            ok = false;
        }
    } else {
        printf("Serial: no COM pair given\n");
    }
    return ok ? 0 : 1;
}
