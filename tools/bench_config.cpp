// Times whole-configuration transfers of a 55xx configuration against the
// simulated instrument over TCP and over a serial pty pair, and prints each
// beside the floor that the protocol's own waits set, as a ratio:
//   read                         the frame's 100 ms drain and 100 ms pause
//   write, every item changed    the same, plus 200 ms before the status query
//                                of each item sent
//   write, nothing changed       the frame's waits; every item is read back
//   bench_config [PROGRAM_COM INSTRUMENT_COM]
// The COM ports default to the first pair the test wrapper made. The link is
// held open around each transfer, so that only the transfer's own time counts.
#include "base/message_box.h"
#include "config/instrument_config.h"
#include "link/transport.h"
#include "tools/bench_clock.h"
#include "tools/wqt_sim/instrument.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr uint32_t kModel = 5;
constexpr uint32_t kBaud = 115200;
constexpr double kFrameWaitMs = 100.0 + 100.0; // drain, then pause
constexpr double kWriteWaitMs = 200.0;          // before each status query

// Gives every item the family defines a value inside its range (the lower
// bound where 0 lies outside it) and marks it changed.
void set_in_range(instrument_config& cfg)
{
    for (int id = 1; id < 256; ++id) {
        const config_item& item = *cfg.item_at(id);
        const bool above_zero = item.minimum != kNoBound && item.minimum > 0;
        if (item.kind == ITEM_LIST) {
            cfg.set_value_int(id, above_zero ? static_cast<int>(item.minimum) : 0);
        } else if (item.kind == ITEM_TEXT) {
            char text[32] = "0";
            if (above_zero)
                snprintf(text, sizeof text, "%g", item.minimum);
            cfg.set_value_text(id, text);
        }
    }
}

size_t count_writes(const wqt_sim::instrument& inst)
{
    size_t n = 0;
    for (const auto& c : inst.commands())
        n += c.rfind("config,", 0) == 0 && c.back() != '?';
    return n;
}

size_t count_reads(const wqt_sim::instrument& inst)
{
    size_t n = 0;
    for (const auto& c : inst.commands())
        n += c.rfind("config,", 0) == 0 && c.back() == '?';
    return n;
}

void report(const char* link_name, const char* what, double elapsed, double floor,
            size_t reads, size_t writes)
{
    printf("%-26s %-28s %9.1f ms  floor %8.1f ms  ratio %5.2f  (%zu reads, %zu writes)\n",
           link_name, what, elapsed, floor, elapsed / floor, reads, writes);
}

// A write of every item, a read of them into a new image, and a write of
// that image, which the instrument already holds.
bool run(const char* name, link_record& link, wqt_sim::instrument& inst)
{
    link.model_code = kModel;
    link.phase_count = 3;
    if (open_close_link(LINK_OPEN, &link) != 0) {
        printf("%s: cannot open the link\n", name);
        return false;
    }
    bool ok = true;

    wqt_cfg_55xx source;
    set_in_range(source);
    inst.clear_received();
    double start = now_ms();
    source.write_all_items(&link, false);
    double elapsed = now_ms() - start;
    size_t writes = count_writes(inst);
    report(name, "write, every item changed", elapsed,
           kFrameWaitMs + kWriteWaitMs * static_cast<double>(writes), count_reads(inst), writes);
    ok = writes > 0 && ok;

    wqt_cfg_55xx image;
    inst.clear_received();
    start = now_ms();
    ok = image.read_all_items(&link, false) && ok;
    elapsed = now_ms() - start;
    report(name, "read", elapsed, kFrameWaitMs, count_reads(inst), count_writes(inst));

    inst.clear_received();
    start = now_ms();
    image.write_all_items(&link, false);
    elapsed = now_ms() - start;
    writes = count_writes(inst);
    report(name, "write, nothing changed", elapsed,
           kFrameWaitMs + kWriteWaitMs * static_cast<double>(writes), count_reads(inst), writes);
    ok = writes == 0 && ok;

    open_close_link(LINK_CLOSE, &link);
    return ok;
}

// A failed item is printed instead of waiting in a box.
int print_box(HWND, const char* text, const char* caption, UINT)
{
    printf("[%s] %s\n", caption, text);
    return IDOK;
}

} // namespace

int main(int argc, char** argv)
{
    std::string program_port, instrument_port;
    wqt_sim::com_pair_from_arguments(argc, argv, 1, program_port, instrument_port);

    set_message_box_handler(print_box);
    bool ok = true;
    static link_record link;
    {
        wqt_sim::instrument inst;
        wqt_sim::tcp_server server(inst);
        const std::string address = wqt_sim::start_on_free_loopback(server);
        clear_link_record(&link);
        link.interface = LINK_LAN;
        snprintf(link.ip_address, sizeof link.ip_address, "%s", address.c_str());
        ok = !address.empty() && run("LAN (TCP loopback)", link, inst) && ok;
    }
    if (!program_port.empty()) {
        wqt_sim::instrument inst;
        wqt_sim::serial_server port(inst);
        if (port.start(instrument_port)) {
            clear_link_record(&link);
            link.interface = LINK_SERIAL;
            link.baud_rate = kBaud;
            snprintf(link.com_port, sizeof link.com_port, "%s", program_port.c_str());
            ok = run("Serial (pty, 115200 baud)", link, inst) && ok;
        } else {
            printf("Serial: cannot open %s\n", instrument_port.c_str());
            ok = false;
        }
    } else {
        printf("Serial: no COM pair given\n");
    }
    return ok ? 0 : 1;
}
