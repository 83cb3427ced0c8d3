// The "Saved Config" popup built from the slot files, and the Load, Save and
// Delete commands on the current instrument.
#include "app/saved_config_menu.h"

#include "frame/app_data_folder.h"
#include "config/instrument_config.h"
#include "config/saved_slots.h"
#include "configui/engine/config_ids.h"
#include "slots/instrument_slots.h"
#include "link/transport.h"
#include "logging/logging_resource.h"
#include "tests/configui/config_window_fixture.h"
#include "tests/app/saved_config_fixture.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/sim_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The fixture's set-up and tear-down outside a test of its own.
struct saved_config_menu_run : SavedConfigMenu {
    void TestBody() override {}
    void run()
    {
        SetUp();
        TearDown();
    }
};

// A test's folder does not outlive it: the settings file is where it was,
// not at the root of the drive.
TEST(SavedConfigMenuFixture, PutsTheAppDataPathsBack)
{
    set_app_data_folder("C:\\before");
    saved_config_menu_run().run();
    EXPECT_STREQ(app_data_folder, "C:\\before");
    EXPECT_STREQ(settings_ini, "C:\\before\\DualWQT.ini");
}

// Answers the next name dialog of the owner: notes the name it offers,
// then OK with a new name, or Cancel when there is none.
std::string g_offered;

void answer_name_dialog(HWND owner, const char* new_name)
{
    drive_next_dialog(owner, [new_name](HWND dialog) {
        char offered[256] = "";
        GetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, offered, sizeof offered);
        g_offered = offered;
        if (new_name == nullptr) {
            click(dialog, IDCANCEL);
            return;
        }
        SetDlgItemTextA(dialog, IDC_SAVE_SETUP_NAME, new_name);
        click(dialog, IDOK);
    });
}

} // namespace

TEST_F(SavedConfigMenu, PopupsFromTheSlots)
{
    wqt_cfg_55xx cfg;
    save_slot(3, "Bench", 5, &cfg);
    save_slot(9, "Motor test", 5, &cfg);
    rebuild_saved_config_menu(window, true, false);

    EXPECT_EQ(menu_text(configure, 0), "Before");
    EXPECT_EQ(menu_text(configure, 1), "Saved Config");
    EXPECT_EQ(menu_text(configure, 2), "After");
    EXPECT_TRUE(GetMenuState(configure, 1, MF_BYPOSITION) & MF_GRAYED);
    HMENU saved = saved_popup();
    ASSERT_NE(saved, nullptr);
    ASSERT_EQ(GetMenuItemCount(saved), 6);

    const struct {
        const char* title;
        const char* prefix;
        UINT first_id;
    } popups[] = {{"Load", "Load", 33200}, {"Save", "Save", 33300}, {"Delete", "Delete", 33400}};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(popups[p].title);
        EXPECT_EQ(menu_text(saved, p), popups[p].title);
        HMENU items = GetSubMenu(saved, p);
        ASSERT_NE(items, nullptr);
        ASSERT_EQ(GetMenuItemCount(items), 10);
        for (int n = 0; n < 10; ++n) {
            const std::string name = n == 3 ? "Bench" : n == 9 ? "Motor test" : "empty";
            EXPECT_EQ(menu_text(items, n), std::string(popups[p].prefix) + " (" + name + ")");
            EXPECT_EQ(GetMenuItemID(items, n), popups[p].first_id + n);
        }
    }
    const struct {
        const char* text;
        UINT id;
    } plain[] = {{"Export...", 120}, {"Export as .txt...", 193}, {"Import...", 121}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu_text(saved, 3 + i), plain[i].text);
        EXPECT_EQ(GetMenuItemID(saved, 3 + i), plain[i].id);
    }

    // Enabling alone keeps the popup as it is.
    rebuild_saved_config_menu(window, false, true);
    EXPECT_EQ(saved_popup(), saved);
    EXPECT_FALSE(GetMenuState(configure, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(GetMenuItemCount(configure), 3);
}

TEST_F(SavedConfigMenu, MenuWithoutTheSavedConfigPopupIsLeftAlone)
{
    DeleteMenu(configure, 1, MF_BYPOSITION);
    InsertMenuA(configure, 1, MF_BYPOSITION | MF_STRING, 3, "Plain");
    rebuild_saved_config_menu(window, true, false);
    EXPECT_EQ(GetMenuItemCount(configure), 3);
    EXPECT_EQ(menu_text(configure, 1), "Plain");
    EXPECT_FALSE(GetMenuState(configure, 1, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(saved_config_base(), folder.path + "\\config3") << "the slot files are found";
}

TEST_F(SavedConfigMenu, SaveThroughTheNameDialog)
{
    link_record record;
    clear_link_record(&record);
    record.model_code = 5;
    record.option_code = 2;
    attach_instrument_to_slot(record, 0);
    set_current_instrument_index(0);
    get_current_config()->set_value_int(58, 3);
    wqt_cfg_55xx old;
    save_slot(4, "Old name", 5, &old);
    const std::string old_bytes = read_whole_file(slot_path(4));
    rebuild_saved_config_menu(window, true, true);
    HMENU before = saved_popup();

    // Cancelled: nothing written, the menu not rebuilt.
    answer_name_dialog(window, nullptr);
    save_config_to_slot_command(window, 4);
    EXPECT_EQ(g_offered, "Old name");
    EXPECT_EQ(read_whole_file(slot_path(4)), old_bytes);
    EXPECT_EQ(saved_popup(), before);

    // OK: the current instrument's configuration under the new name.
    answer_name_dialog(window, "Bench");
    save_config_to_slot_command(window, 4);
    EXPECT_EQ(g_offered, "Old name");
    wqt_cfg_55xx loaded;
    saved_config_entry entry{};
    entry.model_code = 5;
    entry.option_code = 2;
    entry.primary = &loaded;
    EXPECT_EQ(load_config_slot(entry, 4, true), slot_load_result::loaded);
    EXPECT_STREQ(entry.name, "Bench");
    EXPECT_EQ(loaded.item_at(58)->value.integer, 3);
    EXPECT_TRUE(msgbox::shown().empty()) << "saved for the same model and option";
    EXPECT_EQ(menu_text(GetSubMenu(saved_popup(), 0), 4), "Load (Bench)");
}

TEST_F(SavedConfigMenu, LoadIntoATwoGroupInstrumentFillsBothGroups)
{
    lan_sim sim;
    ASSERT_TRUE(sim.ok());
    sim.link.model_code = 16;
    sim.link.phase_count = 3;
    attach_instrument_to_slot(sim.link, 0);
    set_current_instrument_index(0);
    set_current_active_group(0);

    wqt_cfg_35xx group1;
    wqt_cfg_35xx group2(1);
    group1.set_value_int(58, 1);
    group2.set_value_int(58, 2);
    save_slot(2, "Two groups", 16, &group1, &group2);

    const config_window_fixture config(PAGE_SYSTEM_OPTIONS);
    config_window_fixture::set_page_flags(1);
    load_saved_config_command(2);
    EXPECT_EQ(get_current_config_ptr(0)->item_at(58)->value.integer, 1);
    EXPECT_EQ(get_current_config_ptr(1)->item_at(58)->value.integer, 2);
    EXPECT_EQ(config_window_fixture::page_flags(), config.page_flags_with(1, 0))
        << "the current page is shown again";
    // The configurations made here hold their families' first values, four
    // of them outside their limits: not sent, and told once at the end.
    ASSERT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(msgbox::shown()[0].text, "4 items were not sent to the instrument: their values lie outside their "
                                       "limits\nThe first: Location (id:234 val:0) can only be set between 1 and 99");
    // The current group goes to the instrument; no group is switched.
    const std::vector<std::string> commands = sim.inst.commands();
    EXPECT_NE(std::find(commands.begin(), commands.end(), "config,58,1"), commands.end());
    EXPECT_EQ(std::count_if(commands.begin(), commands.end(),
                            [](const std::string& c) { return c.rfind("GROUP", 0) == 0; }),
              0);
    EXPECT_EQ(get_current_instrument().link_open, 0);
}

TEST_F(SavedConfigMenu, DeleteWithYesAndNo)
{
    wqt_cfg_55xx cfg;
    save_slot(6, "Spare", 5, &cfg);
    rebuild_saved_config_menu(window, true, true);
    for (int answer : {IDNO, IDYES}) {
        msgbox::reset();
        msgbox::answer_next(answer);
        delete_saved_config_command(window, 6);
        ASSERT_EQ(msgbox::shown().size(), 1u);
        const bool kept = path_exists(slot_path(6));
        EXPECT_EQ(kept, answer == IDNO);
        EXPECT_EQ(menu_text(GetSubMenu(saved_popup(), 2), 6),
                  answer == IDNO ? "Delete (Spare)" : "Delete (empty)");
        EXPECT_FALSE(GetMenuState(configure, 1, MF_BYPOSITION) & MF_GRAYED);
    }
}
