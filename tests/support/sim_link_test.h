// Tests that run the same cases over both kinds of link against a simulated
// instrument: a TCP stream on a free loopback address and a COM pty pair.
#pragma once
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

enum class link_kind { lan, serial };

class SimLinkTest : public testing::TestWithParam<link_kind> {
protected:
    // Starts the instrument; a serial case is skipped when the test runs
    // without the COM pty pairs of scripts/wine-run.sh.
    void SetUp() override;
    // Closes the link when a case left it open.
    void TearDown() override;

    bool is_lan() const { return GetParam() == link_kind::lan; }
    // The bytes a run of commands puts on this kind of wire: a LAN command
    // carries its terminating NUL, a serial one does not.
    std::string wire(std::initializer_list<std::string> commands) const;

    std::unique_ptr<lan_sim> lan;
    std::unique_ptr<serial_sim> serial;
    wqt_sim::instrument* inst = nullptr;
    link_record* link = nullptr;
};

std::string link_kind_name(const testing::TestParamInfo<link_kind>& info);

#define INSTANTIATE_OVER_BOTH_LINKS(suite)                                                      \
    INSTANTIATE_TEST_SUITE_P(Both, suite, testing::Values(link_kind::lan, link_kind::serial), \
                             link_kind_name)
