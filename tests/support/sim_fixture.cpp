#include "tests/support/sim_fixture.h"

#include "link/transport.h"

#include <cstdio>
#include <cstring>

void fill_lan_link(link_record& link, const std::string& address)
{
    clear_link_record(&link);
    link.interface = LINK_LAN;
    snprintf(link.ip_address, sizeof link.ip_address, "%s", address.c_str());
}

void fill_serial_link(link_record& link, const std::string& port, uint32_t baud)
{
    clear_link_record(&link);
    link.interface = LINK_SERIAL;
    link.baud_rate = baud;
    snprintf(link.com_port, sizeof link.com_port, "%s", port.c_str());
}

std::unique_ptr<link_record> make_lan_link(const std::string& address)
{
    auto link = std::make_unique<link_record>();
    fill_lan_link(*link, address);
    return link;
}

std::unique_ptr<link_record> make_serial_link(const std::string& port, uint32_t baud)
{
    auto link = std::make_unique<link_record>();
    fill_serial_link(*link, port, baud);
    return link;
}

std::string wait_received(const wqt_sim::instrument& inst, size_t n)
{
    for (int i = 0; i < 200 && inst.received().size() < n; ++i)
        Sleep(10);
    return inst.received();
}

void wait_until_quiet(const wqt_sim::instrument& inst)
{
    size_t bytes = inst.received().size();
    for (int quiet = 0, i = 0; quiet < 5 && i < 300; ++i) {
        Sleep(10);
        const size_t now = inst.received().size();
        quiet = now == bytes ? quiet + 1 : 0;
        bytes = now;
    }
}

std::vector<std::string> settled_commands(const wqt_sim::instrument& inst)
{
    wait_until_quiet(inst);
    return inst.commands();
}

std::vector<std::pair<std::string, std::string>> test_com_pairs()
{
    return wqt_sim::com_pairs_from_environment();
}

lan_sim::lan_sim()
{
    address = wqt_sim::start_on_free_loopback(server);
    fill_lan_link(link, address);
}

serial_sim::serial_sim(size_t pair)
{
    auto pairs = test_com_pairs();
    if (pair < pairs.size()) {
        fill_serial_link(link, pairs[pair].first);
        started = server.start(pairs[pair].second);
    } else {
        fill_serial_link(link, "COM0");
    }
}
