// The simulated instrument's command handling, fed bytes directly.
#include "tools/wqt_sim/instrument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using wqt_sim::action;
using wqt_sim::instrument;

// Feeds bytes and returns everything the instrument answers.
std::string ask(instrument& inst, const std::string& bytes)
{
    std::string out;
    for (const auto& o : inst.feed(bytes.data(), bytes.size()))
        out += o.bytes;
    return out;
}

TEST(WqtSim, IdentityGroupsAndItems)
{
    instrument inst;
    inst.set_identity("TROSVALDEN", "WQT3550", "X9", "V3");
    EXPECT_EQ("TROSVALDEN,WQT3550,X9,V3\r\n", ask(inst, "*IDN?\n"));
    inst.set_line_end("\n");
    EXPECT_EQ("TROSVALDEN,WQT3550,X9,V3\n", ask(inst, "*idn?\n"));

    // Items are kept per group; unset items read as 0.
    EXPECT_EQ("0\n", ask(inst, "config,23?\n"));
    EXPECT_EQ("", ask(inst, "config,23,4\n"));
    EXPECT_EQ("4\n", ask(inst, "config,23?\n"));
    EXPECT_EQ("", ask(inst, "GROUP,2\n"));
    EXPECT_EQ("2\n", ask(inst, "GROUP?\n"));
    EXPECT_EQ("0\n", ask(inst, "config,23?\n"));
    EXPECT_EQ("", ask(inst, "config,23,Text with blanks\n"));
    EXPECT_EQ("Text with blanks", inst.item(23, 1));
    EXPECT_EQ("4", inst.item(23, 0));
    EXPECT_EQ("0\n", ask(inst, "*esr?\n"));
}

// A second server on a taken address fails and says why, so that the program
// can tell its user; once the address is free again it starts.
TEST(WqtSim, AnAddressHeldElsewhereIsReportedInUse)
{
    instrument inst;
    wqt_sim::tcp_server first(inst), second(inst);
    const std::string address = wqt_sim::start_on_free_loopback(first);
    ASSERT_FALSE(address.empty());
    EXPECT_FALSE(second.start(address));
    EXPECT_EQ(WSAEADDRINUSE, second.start_error());
    first.stop();
    EXPECT_TRUE(second.start(address));
    EXPECT_EQ(0, second.start_error());
}

TEST(WqtSim, FramingAndStatus)
{
    instrument inst;
    inst.set_line_end("\n");
    // LAN commands carry a NUL; DC4 forgets a half-received line; a command
    // may arrive in pieces.
    EXPECT_EQ("1\n", ask(inst, std::string("GROUP?\n\0", 8)));
    EXPECT_EQ("", ask(inst, "conf"));
    EXPECT_EQ("1\n", ask(inst, "\x14GROUP?\r\n"));
    EXPECT_EQ("", ask(inst, "config,5,"));
    EXPECT_EQ("", ask(inst, "7\n"));
    EXPECT_EQ("7", inst.item(5));

    // Unknown commands and bad item numbers set error bits, read once.
    ask(inst, "BOGUS\n");
    ask(inst, "config,999?\n");
    EXPECT_EQ("48\n", ask(inst, "*ESR?\n"));
    EXPECT_EQ("0\n", ask(inst, "*ESR?\n"));

    auto commands = inst.commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ("GROUP?", commands[0]);
    EXPECT_EQ("GROUP?", commands[1]);
    EXPECT_EQ("config,5,7", commands[2]);
    EXPECT_EQ(std::string("GROUP?\n\0", 8), inst.received().substr(0, 8));
}

TEST(WqtSim, RulesScriptFaults)
{
    instrument inst;
    inst.set_line_end("\n");
    inst.add_rule({"GROUP?", action::reply, "1", 0, 2});
    ask(inst, "GROUP,2\n");
    EXPECT_EQ("1\n", ask(inst, "GROUP?\n"));
    EXPECT_EQ("1\n", ask(inst, "GROUP?\n"));
    EXPECT_EQ("2\n", ask(inst, "GROUP?\n")); // the rule is used up

    // A refused write is not stored and sets the command error bit.
    inst.add_rule({"config,9,", action::refuse, "", 0, 1});
    ask(inst, "config,9,5\n");
    EXPECT_FALSE(inst.has_item(9, 1));
    EXPECT_EQ("32\n", ask(inst, "*esr?\n"));

    inst.add_rule({"*IDN?", action::silence, "", 0, 1});
    EXPECT_EQ("", ask(inst, "*IDN?\n"));
    inst.add_rule({"*IDN?", action::raw, "abc", 0, 1});
    EXPECT_EQ("abc", ask(inst, "*IDN?\n"));

    inst.add_rule({"*IDN?", action::late, "", 250, 1});
    auto late = inst.feed("*IDN?\n", 6);
    ASSERT_EQ(1u, late.size());
    EXPECT_EQ(250, late[0].delay_ms);

    inst.add_rule({"STOP", action::drop, "", 0, 1});
    auto dropped = inst.feed("STOP\n", 5);
    ASSERT_EQ(1u, dropped.size());
    EXPECT_TRUE(dropped[0].drop);
}

TEST(WqtSim, ConverterAnswersItsQueriesAndTakesCaretBracketAlone)
{
    instrument inst;
    inst.set_converter("LX0042", "V1.07");
    // "^[" has no line end; the "*IDN?" right behind it is a command of its own.
    EXPECT_EQ("TROSVALDEN,LOMX-RS232,LX0042,V1.07\r\n", ask(inst, "\x14^[*IDN?\n"));
    EXPECT_EQ((std::vector<std::string>{"^[", "*IDN?"}), inst.commands());
    EXPECT_EQ("0\r\n", ask(inst, "*esr?\n"));

    inst.set_calibration_replies("CAL A", "");
    inst.set_version_reply("V9");
    EXPECT_EQ("CAL A\r\n", ask(inst, "calstr?\n"));
    EXPECT_EQ("", ask(inst, "calver?\n"));
    EXPECT_EQ("V9\r\n", ask(inst, "version?\n"));

    // An analyser knows no calibration queries.
    instrument analyser;
    EXPECT_EQ("", ask(analyser, "calstr?\n"));
    EXPECT_EQ("32\r\n", ask(analyser, "*esr?\n"));
}

} // namespace
