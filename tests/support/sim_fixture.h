// Simulated instruments on the real links: TCP on a free loopback address, or
// the instrument end of a COM pty pair made by the test wrapper.
#pragma once
#include "link/link_record.h"
#include "tools/wqt_sim/instrument.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Sets a record up, in place, as a closed LAN or serial link (every other
// field cleared).
void fill_lan_link(link_record& link, const std::string& address);
void fill_serial_link(link_record& link, const std::string& port, uint32_t baud = 115200);
// A new record set up the same way (records are never copied).
std::unique_ptr<link_record> make_lan_link(const std::string& address);
std::unique_ptr<link_record> make_serial_link(const std::string& port, uint32_t baud = 115200);

// Waits until the instrument has received at least n bytes (2 s at most)
// and returns what it received.
std::string wait_received(const wqt_sim::instrument& inst, size_t n);
// Waits until nothing more comes in (50 ms without a new byte, 3 s at most):
// commands sent without waiting for a reply, such as the closing ones of a
// transfer, may still be on their way when the link is closed.
void wait_until_quiet(const wqt_sim::instrument& inst);

// The instrument's command lines once the last of them has come in (the
// link may be closed before the instrument has read everything sent).
std::vector<std::string> settled_commands(const wqt_sim::instrument& inst);

// The COM port pairs of this test process: {program end, instrument end},
// for example {"COM10", "COM11"}. Empty when the wrapper made none.
std::vector<std::pair<std::string, std::string>> test_com_pairs();

struct lan_sim {
    wqt_sim::instrument inst;
    wqt_sim::tcp_server server{inst};
    std::string address;
    link_record link;
    lan_sim();
    bool ok() const { return !address.empty(); }
};

struct serial_sim {
    wqt_sim::instrument inst;
    wqt_sim::serial_server server{inst};
    link_record link;
    bool started = false;
    explicit serial_sim(size_t pair = 0);
    bool ok() const { return started; }
};
