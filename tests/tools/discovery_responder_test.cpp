// The simulated instrument's answers to the LAN search, asked over UDP on
// loopback at ports of this test's own (the fixed ones belong to the probes'
// tests, which also cover its scripted replies on port 65535).
#include "tools/wqt_sim/discovery_responder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// A UDP client on 127.0.0.1 that asks one port and waits for an answer.
class udp_client {
public:
    udp_client()
    {
        WSADATA data;
        WSAStartup(0x0202, &data);
        socket_ = socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = inet_addr("127.0.0.1");
        bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local);
    }
    ~udp_client()
    {
        closesocket(socket_);
        WSACleanup();
    }
    // Sends bytes to 127.0.0.1:port and returns the answer ("" after 300 ms).
    std::string ask(unsigned short port, const std::string& bytes)
    {
        sockaddr_in to = {};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = inet_addr("127.0.0.1");
        to.sin_port = htons(port);
        sendto(socket_, bytes.data(), static_cast<int>(bytes.size()), 0,
               reinterpret_cast<sockaddr*>(&to), sizeof to);
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(socket_, &ready);
        timeval wait = {0, 300000};
        if (select(0, &ready, nullptr, nullptr, &wait) <= 0)
            return "";
        char buffer[2048];
        const int got = recv(socket_, buffer, sizeof buffer, 0);
        return got > 0 ? std::string(buffer, static_cast<size_t>(got)) : "";
    }

private:
    SOCKET socket_;
};

const std::string kQuery30718("\x00\x00\x00\xF6", 4);

class DiscoveryResponder : public testing::Test {
protected:
    void SetUp() override
    {
        // Ports of this process's own, away from the fixed discovery ports.
        port_a = static_cast<unsigned short>(20000 + (GetCurrentProcessId() * 2) % 20000);
        port_b = static_cast<unsigned short>(port_a + 1);
        ASSERT_TRUE(responder.start("127.0.0.1", port_a, port_b));
    }
    wqt_sim::discovery_responder responder;
    unsigned short port_a = 0, port_b = 0;
    udp_client client;
};

TEST(DiscoveryResponderAddress, OnlyLoopbackAddressesAreServed)
{
    wqt_sim::discovery_responder responder;
    for (const char* address : {"0.0.0.0", "255.255.255.255", "192.168.1.10", "10.0.0.1", "localhost", ""}) {
        EXPECT_FALSE(responder.start(address, 0, 0)) << address;
        EXPECT_EQ(WSAEADDRNOTAVAIL, responder.start_error()) << address;
    }
}

// A port this fixture's responder holds cannot be taken again, on either
// port, and the failure says it is in use; a start that works clears it.
TEST_F(DiscoveryResponder, APortHeldElsewhereIsReportedInUse)
{
    wqt_sim::discovery_responder second;
    for (const bool on_65535 : {true, false}) {
        EXPECT_FALSE(second.start("127.0.0.1", on_65535 ? port_a : 0, on_65535 ? 0 : port_b));
        EXPECT_EQ(WSAEADDRINUSE, second.start_error()) << on_65535;
        EXPECT_TRUE(second.start("127.0.0.1", 0, 0));
        EXPECT_EQ(0, second.start_error());
    }
}

TEST_F(DiscoveryResponder, AnswersBothQueriesWithTheirDefaultReplies)
{
    const std::string a = client.ask(port_a, "X");
    ASSERT_GE(a.size(), 26u);
    EXPECT_EQ('A', a[0]);
    EXPECT_EQ(10001, std::atoi(a.substr(a.find('/') + 1).c_str()));

    const std::string b = client.ask(port_b, kQuery30718);
    ASSERT_EQ(30u, b.size());
    EXPECT_EQ('\xF7', b[3]);

    // Anything else is recorded but not answered.
    EXPECT_EQ("", client.ask(port_a, "Y"));
    EXPECT_EQ("", client.ask(port_b, "X"));
    ASSERT_EQ(2u, responder.queries_65535().size());
    EXPECT_EQ("Y", responder.queries_65535()[1].bytes);
    EXPECT_EQ(kQuery30718, responder.queries_30718()[0].bytes);
}

} // namespace
