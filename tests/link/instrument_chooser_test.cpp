// The chooser of the LAN search with tables filled by hand: simulated
// devices on free loopback addresses over TCP, one address where nothing
// listens.
#include "link/instrument_chooser.h"

#include "link/chooser_dialog_ids.h"
#include "link/lan_discovery.h"
#include "link/transport.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct row {
    std::string address;
    std::string instrument;
    LPARAM value;
    bool selected;
};

std::vector<row> list_rows(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_CHOOSER_LIST);
    std::vector<row> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char texts[2][160] = {};
        for (int column = 0; column < 2; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = texts[column];
            item.cchTextMax = sizeof texts[column];
            SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
        LVITEMA item = {};
        item.mask = LVIF_PARAM | LVIF_STATE;
        item.iItem = i;
        item.stateMask = LVIS_SELECTED;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({texts[0], texts[1], item.lParam, (item.state & LVIS_SELECTED) != 0});
    }
    return rows;
}

void select_row(HWND dialog, int index)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendDlgItemMessageA(dialog, IDC_CHOOSER_LIST, LVM_SETITEMSTATE, index,
                        reinterpret_cast<LPARAM>(&state));
}

// A loopback address where nothing listens.
std::string unused_address()
{
    lan_sim probe;
    const std::string address = probe.address;
    probe.server.stop();
    return address;
}

class InstrumentChooser : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        table.assign(kDiscoveryTableSize, discovery_entry{});
    }
    // Puts a simulated device with this identity on a free address of its
    // own and lists it in the table.
    wqt_sim::instrument& add_device(const std::string& identity)
    {
        sims.push_back(std::make_unique<lan_sim>());
        EXPECT_TRUE(sims.back()->ok());
        sims.back()->inst.set_idn_reply(identity);
        add_address(sims.back()->address);
        return sims.back()->inst;
    }
    void add_address(const std::string& address)
    {
        std::snprintf(table[count].address, sizeof table[count].address, "%s", address.c_str());
        ++count;
    }
    INT_PTR run(const std::function<void(HWND)>& script)
    {
        return run_modal_dialog(IDD_CHOOSE_INSTRUMENT, choose_instrument_dlg_proc,
                                reinterpret_cast<LPARAM>(table.data()), script);
    }

    std::vector<discovery_entry> table;
    std::vector<std::unique_ptr<lan_sim>> sims;
    int count = 0;
};

TEST_F(InstrumentChooser, ListsAnalysersAndDevicesThatFailButNoOtherDevice)
{
    add_device("TROSVALDEN,WQT5530,A00001,V2.15");
    const std::string nobody = unused_address();
    add_address(nobody);
    add_device("TROSVALDEN,WQT3550,B7,V1").add_rule({"*IDN?", wqt_sim::action::silence, "", 0, -1});
    add_device("TROSVALDEN,LOMX-RS232,LX0042,V1.07");
    add_device("trosvalden,wqt4530,C9,V3");

    std::vector<row> rows;
    bool ok_enabled_at_start = true, ok_enabled_after = false;
    int timeout_after = 0;
    EXPECT_EQ(4, run([&](HWND dialog) {
                  rows = list_rows(dialog);
                  timeout_after = lan_get_timeout();
                  ok_enabled_at_start = is_enabled(dialog, IDOK);
                  select_row(dialog, 3);
                  ok_enabled_after = is_enabled(dialog, IDOK);
                  click(dialog, IDOK);
              }));
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(sims[0]->address, rows[0].address);
    EXPECT_EQ("5530,A00001,V2.15", rows[0].instrument);
    EXPECT_EQ(0, rows[0].value);
    EXPECT_EQ(nobody, rows[1].address);
    EXPECT_EQ("Connection Failed 1", rows[1].instrument);
    EXPECT_EQ(1, rows[1].value);
    EXPECT_EQ("Connection Failed 2", rows[2].instrument);
    EXPECT_EQ(2, rows[2].value);
    EXPECT_EQ("4530,C9,V3", rows[3].instrument);
    EXPECT_EQ(4, rows[3].value);
    for (const auto& r : rows)
        EXPECT_FALSE(r.selected);
    EXPECT_STREQ("5530,A00001,V2.15", table[0].text);
    EXPECT_STREQ("", table[3].text);
    // The short time-out of the pass is not left behind for every LAN link.
    EXPECT_EQ(kDefaultReadTimeoutMs, timeout_after);
    EXPECT_FALSE(ok_enabled_at_start);
    EXPECT_TRUE(ok_enabled_after);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(InstrumentChooser, ASingleRowIsPreselected)
{
    add_device("TROSVALDEN,WQT5530,A00001,V2.15");
    add_device("OTHER MAKER,GADGET,1,2");
    std::vector<row> rows;
    bool ok_enabled = false;
    EXPECT_EQ(0, run([&](HWND dialog) {
                  rows = list_rows(dialog);
                  ok_enabled = is_enabled(dialog, IDOK);
                  click(dialog, IDOK);
              }));
    ASSERT_EQ(1u, rows.size());
    EXPECT_TRUE(rows[0].selected);
    EXPECT_TRUE(ok_enabled);
}

TEST_F(InstrumentChooser, NothingChosenGivesMinusOne)
{
    add_device("TROSVALDEN,WQT5530,A00001,V2.15");
    add_device("TROSVALDEN,WQT2510,A00002,V2.15");
    EXPECT_EQ(-1, run([&](HWND dialog) { click(dialog, IDOK); }));
    EXPECT_EQ(-1, run([&](HWND dialog) {
                  select_row(dialog, 1);
                  click(dialog, IDCANCEL);
              }));
    EXPECT_EQ(1, run([&](HWND dialog) {
                  select_row(dialog, 1);
                  click(dialog, IDOK);
              }));
}

} // namespace
