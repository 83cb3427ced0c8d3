// Reading and sending an instrument's whole configuration behind the
// progress dialog, against the simulated instrument: the dialog's title, the
// configuration the worker picks, and the result the caller gets.
#include "slots/settings_runs.h"

#include "config/instrument_config.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "tests/support/config_bodies.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/test_window.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using wqt_sim::action;

constexpr UINT kKick = WM_APP + 20;

// What the owner saw of the dialog once it was open.
HWND g_dialog = nullptr;
std::string g_title;
bool g_cancel_at_once = false;

BOOL CALLBACK find_dialog(HWND hwnd, LPARAM)
{
    char name[32] = "";
    GetClassNameA(hwnd, name, sizeof name);
    if (strcmp(name, "#32770") != 0)
        return TRUE;
    g_dialog = hwnd;
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    g_title = text;
    return FALSE;
}

// Set by a test to press Esc from another thread while the dialog is up.
std::function<void(HWND dialog)> g_esc_later;
std::thread g_esc_thread;

// Handles the kick posted before the dialog opens, which the dialog's modal
// loop delivers once the dialog is up.
LRESULT CALLBACK owner_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kKick) {
        EnumThreadWindows(GetCurrentThreadId(), find_dialog, 0);
        if (g_cancel_at_once && g_dialog)
            PostMessageA(g_dialog, WM_COMMAND, IDCANCEL, 0);
        if (g_esc_later && g_dialog)
            g_esc_thread = std::thread(g_esc_later, g_dialog);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// What a window got as WM_COMMAND, sent or posted.
struct command_record {
    int id;
    LPARAM value;
};
std::vector<command_record> g_commands;

LRESULT CALLBACK command_recorder_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND) {
        g_commands.push_back({LOWORD(wp), lp});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

size_t config_reads(const wqt_sim::instrument& inst)
{
    size_t n = 0;
    for (const auto& c : inst.commands())
        n += c.rfind("config,", 0) == 0 && c.back() == '?';
    return n;
}

std::vector<std::string> config_writes(const wqt_sim::instrument& inst)
{
    std::vector<std::string> out;
    for (const auto& c : inst.commands()) {
        if (c.rfind("config,", 0) == 0 && c.back() != '?')
            out.push_back(c);
    }
    return out;
}

class SettingsRuns : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        g_dialog = nullptr;
        g_title.clear();
        g_cancel_at_once = false;
        g_esc_later = nullptr;
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        owner = make_test_window("KestrovaSettingsRunsOwner", owner_proc);
        ASSERT_NE(owner, nullptr);
        ASSERT_TRUE(sim.ok()) << "no free loopback address";
        args = std::make_unique<settings_args>();
    }
    void TearDown() override
    {
        for (int n = 0; n < kInstrumentSlots; ++n) {
            if (get_instrument(n).link_open)
                open_close_link(LINK_CLOSE, &get_instrument(n));
        }
        if (g_esc_thread.joinable())
            g_esc_thread.join();
        DestroyWindow(owner);
    }

    // Puts the simulated instrument in slot n with the model code and opens
    // its link, as the settings commands hold it open around the dialog.
    instrument_slot& connect(int n, uint32_t model)
    {
        sim.link.model_code = model;
        sim.link.phase_count = 3;
        sim.link.connected = 1;
        attach_instrument_to_slot(sim.link, n);
        set_slot_active_group(n, 0);
        instrument_slot& slot = get_instrument(n);
        EXPECT_EQ(0, open_close_link(LINK_OPEN, &slot));
        args->parent = owner;
        args->flag = 0;
        args->link = &slot;
        args->index = n;
        return slot;
    }

    bool acquire()
    {
        PostMessageA(owner, kKick, 0, 0);
        return acquire_settings_with_progress(*args);
    }
    bool send()
    {
        PostMessageA(owner, kKick, 0, 0);
        return send_settings_with_progress(*args);
    }

    HWND owner = nullptr;
    lan_sim sim;
    std::unique_ptr<settings_args> args;
};

TEST_F(SettingsRuns, AcquireReadsTheInstrumentsConfigurationUnderItsTitle)
{
    instrument_slot& slot = connect(1, 5);
    fill_in_range(sim.inst, *slot.primary_config);
    sim.inst.set_item(24, "3");
    sim.inst.set_item(48, "60.5");
    EXPECT_TRUE(acquire());
    EXPECT_EQ("WQT2: Acquiring Settings", g_title);
    EXPECT_EQ(1, value_of(*slot.primary_config, 24));
    std::string text;
    EXPECT_EQ("60.5", slot.primary_config->get_value_string(48, text));
    EXPECT_EQ(161u, config_reads(sim.inst));
    wait_until_quiet(sim.inst);
    EXPECT_FALSE(sim.inst.suspended());
    const auto commands = sim.inst.commands();
    EXPECT_EQ(5, std::count(commands.begin(), commands.end(), "SUSPEN,OFF"));
    // The command's link stays open for its next step.
    EXPECT_EQ(1, slot.link_open);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(SettingsRuns, TwoGroupModelReadsTheActiveGroupsConfiguration)
{
    instrument_slot& slot = connect(0, kTwoGroupModel);
    set_slot_active_group(0, 1);
    fill_in_range(sim.inst, *slot.group2_config);
    sim.inst.set_item(1, "2");
    EXPECT_TRUE(acquire());
    EXPECT_EQ("WQT1 G2: Acquiring Settings", g_title);
    EXPECT_EQ(2, value_of(*slot.group2_config, 1));
    EXPECT_EQ(0, value_of(*slot.primary_config, 1));
}

TEST_F(SettingsRuns, ThirdFailedItemMakesTheReadFail)
{
    instrument_slot& slot = connect(0, 5);
    fill_in_range(sim.inst, *slot.primary_config);
    for (const char* item : {"config,200?", "config,82?", "config,30?"})
        sim.inst.add_rule({item, action::reply, "x", 0, 3});
    EXPECT_FALSE(acquire());
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("Read Instrument Setup", boxes[2].caption);
    EXPECT_NE(std::string::npos, boxes[2].text.find("Too many read errors"));

    // One or two failures still make a read that went through.
    msgbox::reset();
    for (const char* item : {"config,200?", "config,82?"})
        sim.inst.add_rule({item, action::reply, "x", 0, 3});
    EXPECT_TRUE(acquire());
    EXPECT_EQ(2u, msgbox::shown().size());
}

TEST_F(SettingsRuns, SendWritesWhatChangedAndReportsRefusals)
{
    instrument_slot& slot = connect(2, 5);
    fill_in_range(sim.inst, *slot.primary_config);
    ASSERT_TRUE(acquire());
    sim.inst.clear_received();

    instrument_config& cfg = *slot.primary_config;
    cfg.set_value_int(24, 1);
    EXPECT_TRUE(send());
    EXPECT_EQ("WQT3: Sending Settings", g_title);
    EXPECT_EQ((std::vector<std::string>{"config,24,3"}), config_writes(sim.inst));
    EXPECT_EQ(0, cfg.item_at(24)->changed);
    EXPECT_TRUE(msgbox::shown().empty());

    // Three refused writes: the send failed.
    for (int id : {201, 177, 25}) {
        cfg.set_value_int(id, 1);
        sim.inst.add_rule({"config," + std::to_string(id) + ",", action::refuse, "", 0, 4});
    }
    EXPECT_FALSE(send());
    const auto boxes = msgbox::shown();
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ("Write Instrument Setup", boxes[0].caption);
    EXPECT_NE(std::string::npos, boxes[0].text.find("(Id:201 [Current Input] ret:32)"));
    EXPECT_EQ(1, cfg.item_at(25)->changed);
}

TEST_F(SettingsRuns, TwoGroupModelSendTitleNamesTheGroup)
{
    instrument_slot& slot = connect(3, kTwoGroupModel);
    fill_in_range(sim.inst, *slot.primary_config);
    ASSERT_TRUE(acquire());
    EXPECT_EQ("WQT4 G1: Acquiring Settings", g_title);
    slot.primary_config->set_value_int(1, 2);
    sim.inst.clear_received();
    EXPECT_TRUE(send());
    EXPECT_EQ("WQT4 G1: Sending Settings", g_title);
    EXPECT_EQ((std::vector<std::string>{"config,1,2"}), config_writes(sim.inst));
    EXPECT_EQ("0", sim.inst.item(1, 1)) << "the second group is not touched";
}

TEST_F(SettingsRuns, NothingToTransferEndsTheDialogAndFails)
{
    // A slot without an instrument has no item names for its model code.
    args->parent = owner;
    args->flag = 0;
    sim.link.model_code = 0;
    attach_instrument_to_slot(sim.link, 0);
    args->link = &get_instrument(0);
    args->index = 0;
    EXPECT_FALSE(acquire());
    EXPECT_FALSE(send());
    // No instrument index at all.
    args->index = 7;
    EXPECT_FALSE(acquire());
    EXPECT_EQ("WQT8: Acquiring Settings", g_title);
    EXPECT_EQ("", sim.inst.received());
}

TEST_F(SettingsRuns, DialogClosedBeforeTheWorkerStartsIsNoRead)
{
    connect(0, 5);
    g_cancel_at_once = true;
    EXPECT_FALSE(acquire());
    EXPECT_EQ(0u, config_reads(sim.inst));
}

TEST_F(SettingsRuns, EscDuringAWholeWriteStopsAtTheNextItem)
{
    instrument_slot& slot = connect(0, 5);
    fill_in_range(sim.inst, *slot.primary_config);
    ASSERT_TRUE(acquire());
    // Every item to be written: about 160 writes of at least 200 ms each.
    instrument_config& cfg = *slot.primary_config;
    for (int id = 1; id < 256; ++id) {
        if (cfg.item_at(id)->kind != ITEM_UNSET)
            cfg.item_at(id)->changed = 1;
    }
    wait_until_quiet(sim.inst);
    sim.inst.clear_received();

    // Esc once three items have been written.
    std::atomic<size_t> writes_at_esc{0};
    std::atomic<DWORD> esc_time{0};
    g_esc_later = [&](HWND dialog) {
        for (int i = 0; i < 1000 && config_writes(sim.inst).size() < 3; ++i)
            Sleep(10);
        writes_at_esc = config_writes(sim.inst).size();
        esc_time = GetTickCount();
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    EXPECT_FALSE(send());
    const DWORD returned = GetTickCount();
    ASSERT_GE(writes_at_esc.load(), 3u);
    // Back within about one item exchange; at most the write under way and
    // one begun before the request reached the worker went out.
    EXPECT_LT(returned - esc_time.load(), 1500u);
    wait_until_quiet(sim.inst);
    EXPECT_LE(config_writes(sim.inst).size(), writes_at_esc.load() + 2);
    EXPECT_FALSE(sim.inst.suspended());
    const auto commands = sim.inst.commands();
    EXPECT_EQ(5, std::count(commands.begin(), commands.end(), "SUSPEN,OFF"));
    EXPECT_EQ(1, slot.link_open);
    EXPECT_EQ(1, cfg.item_at(1)->changed) << "the items after the stop stay to be sent";
}

TEST_F(SettingsRuns, TransferProgressReachesTheDialogAsItsCommands)
{
    HWND dialog = make_test_window("KestrovaSettingsProgressTarget", command_recorder_proc);
    ASSERT_NE(dialog, nullptr);
    settings_task run{};
    run.task.dialog = dialog;
    dialog_transfer_progress progress(run);
    g_commands.clear();
    progress.set_status("Reading configuration from WQT");
    progress.set_total(255);
    progress.set_position(7);
    progress.done(true);
    progress.done(false); // posted: arrives when the queue is read
    ASSERT_EQ(4u, g_commands.size());
    EXPECT_EQ(PROGRESS_SET_STATUS, g_commands[0].id);
    EXPECT_STREQ("Reading configuration from WQT", reinterpret_cast<const char*>(g_commands[0].value));
    EXPECT_EQ(PROGRESS_SET_TOTAL, g_commands[1].id);
    EXPECT_EQ(255, g_commands[1].value);
    EXPECT_EQ(PROGRESS_SET_POS, g_commands[2].id);
    EXPECT_EQ(7, g_commands[2].value);
    EXPECT_EQ(IDCANCEL, g_commands[3].id);
    MSG msg;
    while (PeekMessageA(&msg, dialog, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    ASSERT_EQ(5u, g_commands.size());
    EXPECT_EQ(PROGRESS_DONE, g_commands[4].id);

    // The cancel routine is what Esc starts.
    EXPECT_FALSE(progress.cancel_requested());
    cancel_settings_run(&run.task);
    EXPECT_TRUE(progress.cancel_requested());
    DestroyWindow(dialog);
}

} // namespace
