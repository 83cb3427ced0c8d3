// The simulated instrument as a program of its own, for trying Kestrova by
// hand: wqt_sim [--lan ADDRESS]... [--com COMn] [--model WQT5530]
//               [--serial TEXT] [--version TEXT] [--lf]
//               [--discovery ADDRESS] [--converter]
// --discovery answers the LAN search on a loopback address; --converter
// makes it the CAN-bus converter instead of an analyser.
#include "tools/wqt_sim/discovery_responder.h"
#include "tools/wqt_sim/instrument.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// Why an address could not be taken, in a user's words.
struct start_failure {
    int error;
    const char* reason;
};
constexpr start_failure kStartFailures[] = {
    {WSAEADDRINUSE, "the address is in use by another program"},
    {WSAEACCES, "the address is held by another program"},
    {WSAEADDRNOTAVAIL, "the address is not a 127.x.y.z address of this machine"},
};

std::string start_failure_reason(int error)
{
    for (const auto& row : kStartFailures)
        if (row.error == error)
            return row.reason;
    return "Winsock error " + std::to_string(error);
}

} // namespace

int main(int argc, char** argv)
{
    wqt_sim::instrument inst;
    std::string model = "WQT5530", serial = "A00001", version = "V2.15";
    std::vector<std::string> lans;
    std::string com, discovery;
    bool converter = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* next = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--lan" && next) {
            lans.push_back(next);
            ++i;
        } else if (arg == "--com" && next) {
            com = next;
            ++i;
        } else if (arg == "--model" && next) {
            model = next;
            ++i;
        } else if (arg == "--serial" && next) {
            serial = next;
            ++i;
        } else if (arg == "--version" && next) {
            version = next;
            ++i;
        } else if (arg == "--discovery" && next) {
            discovery = next;
            ++i;
        } else if (arg == "--converter") {
            converter = true;
        } else if (arg == "--lf") {
            inst.set_line_end("\n");
        } else {
            fprintf(stderr,
                    "usage: wqt_sim [--lan ADDRESS]... [--com COMn] [--model WQT5530] "
                    "[--serial TEXT] [--version TEXT] [--lf] [--discovery ADDRESS] "
                    "[--converter]\n");
            return 2;
        }
    }
    if (converter) {
        model = "LOMX-RS232";
        inst.set_converter(serial, version);
    } else {
        inst.set_identity("TROSVALDEN", model, serial, version);
        wqt_sim::load_factory_settings(inst);
    }
    if (lans.empty() && com.empty())
        lans.push_back("127.0.0.1");

    std::vector<std::unique_ptr<wqt_sim::tcp_server>> servers;
    for (const auto& address : lans) {
        servers.push_back(std::make_unique<wqt_sim::tcp_server>(inst));
        if (!servers.back()->start(address)) {
            fprintf(stderr, "wqt_sim: cannot listen on %s port 10001: %s\n", address.c_str(),
                    start_failure_reason(servers.back()->start_error()).c_str());
            return 1;
        }
        printf("wqt_sim: %s listening on %s port 10001\n", model.c_str(), address.c_str());
    }
    wqt_sim::serial_server port(inst);
    if (!com.empty()) {
        if (!port.start(com)) {
            fprintf(stderr, "wqt_sim: cannot open %s\n", com.c_str());
            return 1;
        }
        printf("wqt_sim: %s on %s\n", model.c_str(), com.c_str());
    }
    wqt_sim::discovery_responder responder;
    if (!discovery.empty()) {
        if (!responder.start(discovery)) {
            fprintf(stderr, "wqt_sim: cannot answer the LAN search on %s ports 65535 and 30718: %s\n",
                    discovery.c_str(), start_failure_reason(responder.start_error()).c_str());
            return 1;
        }
        printf("wqt_sim: answering the LAN search on %s ports 65535 and 30718\n",
               discovery.c_str());
    }
    fflush(stdout);
    for (;;)
        Sleep(1000);
}
