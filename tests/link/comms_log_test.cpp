// The communications log: the file's header block, the transfer lines and
// their counters, the "unknown" forms, folder creation, failure, threads.
#include "link/comms_log.h"
#include "link/transport.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string temp_folder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static int n = 0;
    char folder[MAX_PATH];
    snprintf(folder, sizeof folder, "%skestrova_log_%lu_%d_%lu", base, GetCurrentProcessId(), ++n,
             GetTickCount());
    return folder;
}

std::vector<std::string> read_lines(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A line without its "[hh:mm:ss.mmm] " prefix, which is checked on the way.
std::string body(const std::string& line)
{
    static const std::regex prefix(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\] )");
    EXPECT_TRUE(std::regex_search(line, prefix)) << line;
    return line.size() > 15 ? line.substr(15) : "";
}

class CommsLog : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        folder = temp_folder();
        path = folder + "\\a\\b\\KESTROVA_COMMS.log";
        set_comms_log_path(path.c_str());
        if (!is_comms_log_enabled())
            toggle_comms_log();
    }
    void TearDown() override
    {
        if (is_comms_log_enabled())
            toggle_comms_log();
        set_comms_log_path("");
    }
    static std::unique_ptr<link_record> with_idn(const char* idn)
    {
        auto link = make_lan_link("127.0.0.1");
        snprintf(link->idn_reply, sizeof link->idn_reply, "%s", idn);
        return link;
    }
    std::string folder, path;
};

TEST_F(CommsLog, NewFileStartsWithHeaderAndFoldersAreCreated)
{
    append_comms_log("status line\n");
    auto lines = read_lines(path);
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ("TVXCOMPANYNAME Kestrova CommsLog", lines[0]);
    EXPECT_EQ("Software Version 3_5 (build 33)", lines[1]);
    EXPECT_EQ("***\tLOG FILE OPENED\t***", body(lines[2]));
    EXPECT_EQ("status line", body(lines[3]));

    // An existing file only grows.
    append_comms_log("second\n");
    lines = read_lines(path);
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ("second", body(lines[4]));
}

TEST_F(CommsLog, TransferLinesAndCounters)
{
    const auto known_link = with_idn("TROSVALDEN,WQT5530,A12345,V2.15");
    const link_record& known = *known_link;
    set_transfer_counter(10);
    log_transfer(known, transfer_kind::command, "STOP\n");
    log_transfer(known, transfer_kind::dc4, "\x14");
    log_transfer(known, transfer_kind::reply, "1");
    log_transfer(known, transfer_kind::values, "1.0,2.0");

    // Fewer than three fields, or none: the "unknown" forms.
    for (const char* idn : {"", "TROSVALDEN,WQT5530"}) {
        const auto unknown_link = with_idn(idn);
        const link_record& unknown = *unknown_link;
        log_transfer(unknown, transfer_kind::command, "*IDN?\n");
        log_transfer(unknown, transfer_kind::dc4, "\x14");
        log_transfer(unknown, transfer_kind::reply, "x");
        log_transfer(unknown, transfer_kind::values, "3");
    }
    set_transfer_counter(123455);
    log_transfer(known, transfer_kind::reply, "big");
    EXPECT_EQ(123456u, get_transfer_counter());

    auto lines = read_lines(path);
    ASSERT_EQ(3u + 13u, lines.size());
    std::vector<std::string> expected = {
        "(00011) [serial:A12345]>>\tSTOP",
        "(00012) [serial:A12345]>>\t\\024",
        "(00013) [serial:A12345]<<\t1",
        "(00014) [serial:A12345]<<\t1.0,2.0",
        "(00015) [serial:unknown] >>\t*IDN?",
        "(00016) [serial:unknown] >>\t\\024",
        "(00017) [serial:unknown] <<\tx",
        "(00018) [serial:unknown]<<\t3",
        "(00019) [serial:unknown] >>\t*IDN?",
        "(00020) [serial:unknown] >>\t\\024",
        "(00021) [serial:unknown] <<\tx",
        "(00022) [serial:unknown]<<\t3",
        "(123456) [serial:A12345]<<\tbig",
    };
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], body(lines[3 + i])) << "line " << i;
}

TEST_F(CommsLog, RealExchangeIsLoggedInOrder)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    sim.inst.set_identity("TROSVALDEN", "WQT5530", "S-778", "V1");
    snprintf(sim.link.idn_reply, sizeof sim.link.idn_reply, "%s", sim.inst.idn_reply().c_str());
    uint64_t before = get_transfer_counter();
    ASSERT_EQ(0, open_close_link(LINK_OPEN, &sim.link));
    send_command("GROUP?\n", &sim.link);
    char reply[32];
    receive_reply(reply, sizeof reply, &sim.link);
    open_close_link(LINK_CLOSE, &sim.link);
    EXPECT_EQ(before + 3, get_transfer_counter());

    auto lines = read_lines(path);
    ASSERT_EQ(6u, lines.size());
    char number[16];
    snprintf(number, sizeof number, "(%05llu)", static_cast<unsigned long long>(before + 1));
    EXPECT_EQ(std::string(number) + " [serial:S-778]>>\t\\024", body(lines[3]));
    EXPECT_NE(std::string::npos, body(lines[4]).find("[serial:S-778]>>\tGROUP?"));
    EXPECT_NE(std::string::npos, body(lines[5]).find("[serial:S-778]<<\t1"));
}

TEST_F(CommsLog, OffWritesNoFileButStillCounts)
{
    toggle_comms_log();
    ASSERT_FALSE(is_comms_log_enabled());
    uint64_t before = get_transfer_counter();
    append_comms_log("to the debugger\n");
    log_transfer(*with_idn(""), transfer_kind::command, "STOP\n");
    EXPECT_EQ(before + 1, get_transfer_counter());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(CommsLog, UncreatableFileDisablesLoggingWithOneMessage)
{
    // A folder cannot be made where a file already stands.
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string blocker = folder + "\\blocker";
    std::ofstream(blocker) << "x";
    std::string bad = blocker + "\\sub\\KESTROVA_COMMS.log";
    set_comms_log_path(bad.c_str());

    append_comms_log("first\n");
    append_comms_log("second\n");
    auto boxes = msgbox::shown();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Error opening comms log for writing\nComms Logging disabled", boxes[0].text);
    EXPECT_EQ("Error", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes[0].type);
    EXPECT_FALSE(is_comms_log_enabled());
}

TEST_F(CommsLog, LinesFromSeveralThreadsNeverInterleave)
{
    const auto link_owner = with_idn("TROSVALDEN,WQT5530,T1,V1");
    const link_record& link = *link_owner;
    set_transfer_counter(0);
    const int threads = 4, each = 150;
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&link, t] {
            std::string text = "thread-" + std::to_string(t) + "-" + std::string(40, 'a' + t) + "\n";
            for (int i = 0; i < each; ++i)
                log_transfer(link, transfer_kind::command, text.c_str());
        });
    }
    for (auto& th : pool)
        th.join();

    auto lines = read_lines(path);
    ASSERT_EQ(3u + threads * each, lines.size());
    static const std::regex whole(
        R"(^\((\d{5,})\) \[serial:T1\]>>\tthread-(\d)-([a-d])\3{39}$)");
    unsigned long long last = 0;
    for (size_t i = 3; i < lines.size(); ++i) {
        std::smatch m;
        std::string b = body(lines[i]);
        ASSERT_TRUE(std::regex_match(b, m, whole)) << b;
        EXPECT_EQ(m[3].str()[0], 'a' + (m[2].str()[0] - '0'));
        unsigned long long n = std::stoull(m[1].str());
        EXPECT_EQ(last + 1, n);
        last = n;
    }
}

} // namespace
