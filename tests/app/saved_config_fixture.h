// A window with a "&Configure" menu whose "Saved Config" popup the saved
// configuration commands rebuild, over slot files in a folder of the test's
// own. The app-data paths are put back as they were after the test.
#pragma once
#include "frame/app_data_folder.h"
#include "app/saved_config_menu.h"
#include "config/saved_slots.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

inline std::string menu_text(HMENU menu, int position)
{
    char text[256] = "";
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

class SavedConfigMenu : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        set_app_data_folder(folder.path.c_str());
        window = make_test_window("SavedConfigMenuTest", DefWindowProcA);
        ASSERT_NE(window, nullptr);
        // "&Configure": an item, the "Saved Config" popup, another item.
        HMENU bar = CreateMenu();
        configure = CreatePopupMenu();
        AppendMenuA(configure, MF_STRING, 1, "Before");
        AppendMenuA(configure, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(CreatePopupMenu()),
                    "Saved Config");
        AppendMenuA(configure, MF_STRING, 2, "After");
        AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(configure), "&Configure");
        ASSERT_TRUE(SetMenu(window, bar));
    }
    void TearDown() override
    {
        DestroyWindow(window);
        lstrcpynA(app_data_folder, previous_folder_.c_str(), sizeof app_data_folder);
        lstrcpynA(settings_ini, previous_settings_.c_str(), sizeof settings_ini);
    }

    std::string slot_path(int n) const
    {
        return folder.file("config3_" + std::to_string(n) + ".cfg");
    }

    void save_slot(int n, const char* name, int model, instrument_config* primary,
                   instrument_config* secondary = nullptr)
    {
        set_saved_config_folder(folder.path.c_str());
        saved_config_entry entry{};
        entry.model_code = model;
        entry.option_code = 0;
        entry.primary = primary;
        entry.secondary = secondary;
        std::snprintf(entry.name, sizeof entry.name, "%s", name);
        ASSERT_TRUE(save_config_slot(entry, n));
    }

    HMENU saved_popup() const { return GetSubMenu(configure, kSavedConfigMenuPosition); }

    temp_folder folder;
    HWND window = nullptr;
    HMENU configure = nullptr;

private:
    const std::string previous_folder_ = app_data_folder;
    const std::string previous_settings_ = settings_ini;
};
