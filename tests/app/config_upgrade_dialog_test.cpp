// The Configuration Upgrade dialog run as a real modal dialog, driven in
// place of a user, and the legacy conversion through it.
#include "app/config_upgrade_dialog.h"

#include "config/instrument_config.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// What the dialog showed after the clicks, before its last button.
struct dialog_state {
    std::string caption;
    std::string name;
    std::string button2;
    std::string shunt_texts[3];
    bool shunt_shown[3] = {};
    bool shunt_checked[3] = {};
};

const int kShunts[] = {IDC_UPGRADE_SHUNT_LOW, IDC_UPGRADE_SHUNT_STANDARD, IDC_UPGRADE_SHUNT_HIGH};

// Drives the dialog: clicks the radios in order, records the state and ends
// the dialog with its last button (IDOK or IDC_UPGRADE_DECLINE).
class scripted_dialog {
public:
    scripted_dialog(std::vector<int> clicks, int last_button)
        : driver_([this, clicks, last_button](HWND dialog) {
              state.caption = caption(dialog);
              for (int id : clicks)
                  click(dialog, id);
              state.name = control_text(dialog, IDC_UPGRADE_NAME);
              state.button2 = control_text(dialog, IDC_UPGRADE_DECLINE);
              for (int i = 0; i < 3; ++i) {
                  state.shunt_texts[i] = control_text(dialog, kShunts[i]);
                  state.shunt_shown[i] = is_shown(dialog, kShunts[i]);
                  state.shunt_checked[i] = is_checked(dialog, kShunts[i]);
              }
              click(dialog, last_button);
          })
    {
    }

    dialog_state state;

private:
    dialog_driver driver_;
};

saved_config_entry entry_named(const char* name)
{
    saved_config_entry entry;
    std::snprintf(entry.name, sizeof entry.name, "%s", name);
    return entry;
}

TEST(ConfigUpgradeDialog, StartsWithTheNameAndTheDefaultChoices)
{
    for (bool from_import : {true, false}) {
        scripted_dialog dialog({}, IDOK);
        saved_config_entry entry = entry_named("Bench & motor");
        EXPECT_EQ(ask_config_upgrade(entry, from_import), legacy_upgrade_answer::upgrade);

        const dialog_state& s = dialog.state;
        EXPECT_EQ(s.caption, "Configuration Upgrade");
        EXPECT_EQ(s.name, "Bench & motor");
        EXPECT_EQ(s.button2, from_import ? "Cancel" : "Delete");
        // Without a series click the shunts keep their resource texts.
        EXPECT_EQ(s.shunt_texts[0], "20 Arms Shunt (Low Current)");
        EXPECT_EQ(s.shunt_texts[1], "30 Arms Shunt (Standard Current)");
        EXPECT_EQ(s.shunt_texts[2], "50 Arms Shunt (High Current)");
        EXPECT_TRUE(s.shunt_shown[0] && s.shunt_shown[1] && s.shunt_shown[2]);
        EXPECT_TRUE(s.shunt_checked[1]);
        EXPECT_EQ(entry.model_code, 5);
        EXPECT_EQ(entry.option_code, 0);
    }
}

TEST(ConfigUpgradeDialog, SeriesAndShuntGiveTheCodes)
{
    const std::string later[] = {"10 Arms Shunt (Low Current)", "30 Arms Shunt (Standard Current)",
                                 "50 Arms Shunt (High Current)"};
    const std::string wqt15[] = {"20 Arms Shunt (Low Current)", "20 Arms Shunt (Standard Current)",
                                 "30 Arms Shunt (High Current)"};
    const struct {
        std::vector<int> clicks;
        int32_t model_code;
        int32_t option_code;
        const std::string* texts;
        bool low_shown;
        int checked_shunt; // index into kShunts
    } cases[] = {
        {{IDC_UPGRADE_WQT55, IDC_UPGRADE_SHUNT_LOW}, 5, 2, later, true, 0},
        {{IDC_UPGRADE_WQT45, IDC_UPGRADE_SHUNT_LOW}, 4, 2, later, true, 0},
        {{IDC_UPGRADE_WQT25, IDC_UPGRADE_SHUNT_HIGH}, 2, 4, later, true, 2},
        {{IDC_UPGRADE_WQT25}, 2, 0, later, true, 1},
        {{IDC_UPGRADE_WQT15}, 1, 0, wqt15, false, 1},
        {{IDC_UPGRADE_WQT15, IDC_UPGRADE_SHUNT_HIGH}, 1, 4, wqt15, false, 2},
        // The low-current radio goes while checked: the standard one takes over.
        {{IDC_UPGRADE_SHUNT_LOW, IDC_UPGRADE_WQT15}, 1, 0, wqt15, false, 1},
        {{IDC_UPGRADE_WQT45, IDC_UPGRADE_SHUNT_LOW, IDC_UPGRADE_WQT15}, 1, 0, wqt15, false, 1},
        // Back to a later series: all three shunts again.
        {{IDC_UPGRADE_WQT15, IDC_UPGRADE_WQT55}, 5, 0, later, true, 1},
        {{IDC_UPGRADE_WQT15, IDC_UPGRADE_WQT25, IDC_UPGRADE_SHUNT_LOW}, 2, 2, later, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.clicks));
        scripted_dialog dialog(c.clicks, IDOK);
        saved_config_entry entry = entry_named("Cfg");
        ASSERT_EQ(ask_config_upgrade(entry, false), legacy_upgrade_answer::upgrade);
        EXPECT_EQ(entry.model_code, c.model_code);
        EXPECT_EQ(entry.option_code, c.option_code);
        const dialog_state& s = dialog.state;
        EXPECT_EQ(s.shunt_shown[0], c.low_shown);
        EXPECT_TRUE(s.shunt_shown[1] && s.shunt_shown[2]);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(s.shunt_checked[i], i == c.checked_shunt) << i;
            // A hidden radio keeps whatever text it had last.
            if (i > 0 || c.low_shown) {
                EXPECT_EQ(s.shunt_texts[i], c.texts[i]) << i;
            }
        }
    }
}

TEST(ConfigUpgradeDialog, TheSecondButtonLeavesTheEntryAlone)
{
    for (bool from_import : {true, false}) {
        scripted_dialog dialog({IDC_UPGRADE_WQT45, IDC_UPGRADE_SHUNT_HIGH}, IDC_UPGRADE_DECLINE);
        saved_config_entry entry = entry_named("Keep");
        EXPECT_EQ(ask_config_upgrade(entry, from_import), legacy_upgrade_answer::declined);
        EXPECT_EQ(entry.model_code, -1);
        EXPECT_EQ(entry.option_code, -1);
        EXPECT_EQ(dialog.state.button2, from_import ? "Cancel" : "Delete");
    }
}

// Esc and the close box answer nothing: the conversion keeps the old file
// rather than deleting what the user never chose to delete.
TEST(ConfigUpgradeDialog, EscAndTheCloseBoxAreNoAnswer)
{
    const struct {
        const char* what;
        void (*close)(HWND dialog);
    } rows[] = {
        {"Esc",
         [](HWND dialog) {
             MSG key = {dialog, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
             IsDialogMessageA(dialog, &key);
         }},
        {"close box", [](HWND dialog) { SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        drive_next_dialog([&](HWND dialog) {
            click(dialog, IDC_UPGRADE_WQT45);
            row.close(dialog);
        });
        saved_config_entry entry = entry_named("Keep");
        EXPECT_EQ(ask_config_upgrade(entry, false), legacy_upgrade_answer::unanswered);
        EXPECT_EQ(entry.model_code, -1);
    }
}

// ---- The conversion of a legacy file through the dialog

TEST(ConfigUpgradeDialog, ALegacyFileIsConvertedThroughTheDialog)
{
    temp_folder folder;
    const std::string path = folder.file("upgrade.dat");
    std::string data(kLegacyRecordSize3812 * 10, '\0');
    std::memcpy(&data[0], "Made on a 26", 13);
    data[128] = 3; // wiring
    std::memcpy(&data[kLegacyRecordSize3812], "Unwanted", 9);
    ASSERT_TRUE(write_whole_file(path, data));

    std::vector<std::string> names;
    const dialog_driver driver([&](HWND dialog) {
        names.push_back(control_text(dialog, IDC_UPGRADE_NAME));
        if (names.size() == 1) {
            click(dialog, IDC_UPGRADE_WQT25);
            click(dialog, IDC_UPGRADE_SHUNT_HIGH);
            click(dialog, IDOK);
        } else {
            click(dialog, IDC_UPGRADE_DECLINE);
        }
    });
    const legacy_upgrade_prompt previous = set_legacy_upgrade_prompt(ask_config_upgrade);
    std::vector<int> slots;
    saved_config_entry stored;
    std::string wiring;
    const bool converted =
        convert_legacy_config_file(path.c_str(), [&](int slot, const saved_config_entry& entry) {
            slots.push_back(slot);
            stored = entry;
            entry.primary->get_value_string(82, wiring);
            return true;
        });
    set_legacy_upgrade_prompt(previous);

    EXPECT_TRUE(converted);
    EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(names, (std::vector<std::string>{"Made on a 26", "Unwanted"}));
    EXPECT_EQ(slots, std::vector<int>{0});
    EXPECT_STREQ(stored.name, "Made on a 26");
    EXPECT_EQ(stored.model_code, 2);
    EXPECT_EQ(stored.option_code, 4);
    EXPECT_NE(dynamic_cast<wqt_cfg_25xx*>(stored.primary), nullptr);
    EXPECT_EQ(wiring, "3");
}

} // namespace
