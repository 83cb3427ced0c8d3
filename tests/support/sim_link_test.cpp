#include "tests/support/sim_link_test.h"

#include "link/transport.h"

void SimLinkTest::SetUp()
{
    if (is_lan()) {
        lan = std::make_unique<lan_sim>();
        ASSERT_TRUE(lan->ok()) << "no free loopback address";
        inst = &lan->inst;
        link = &lan->link;
    } else {
        serial = std::make_unique<serial_sim>();
        if (!serial->ok())
            GTEST_SKIP() << "no COM pty pair (run through scripts/wine-run.sh)";
        inst = &serial->inst;
        link = &serial->link;
    }
}

void SimLinkTest::TearDown()
{
    if (link && link->link_open)
        open_close_link(LINK_CLOSE, link);
}

std::string SimLinkTest::wire(std::initializer_list<std::string> commands) const
{
    std::string out;
    for (const auto& c : commands)
        out += is_lan() ? c + std::string(1, '\0') : c;
    return out;
}

std::string link_kind_name(const testing::TestParamInfo<link_kind>& info)
{
    return info.param == link_kind::lan ? "Lan" : "Serial";
}
