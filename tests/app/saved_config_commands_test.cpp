// Export and import of saved configurations, storing in a free slot or the
// slot the user picks, the summary text command, and the conversion of the
// files of earlier versions when the menu is rebuilt.
#include "app/saved_config_commands.h"

#include "frame/app_globals.h"
#include "app/config_upgrade_dialog.h"
#include "app/slot_list_dialogs.h"
#include "config/instrument_config.h"
#include "slots/instrument_slots.h"
#include "tests/app/saved_config_fixture.h"
#include "tests/support/config_bodies.h"
#include "tests/support/config_families.h"
#include "tests/support/file_dialog_recorder.h"
#include "tests/support/modal_dialog.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lines.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// The import's upgrade question: records the names asked about and answers
// model code 4, option code 2.
std::vector<std::string> g_asked;

legacy_upgrade_answer scripted_upgrade(saved_config_entry& entry, bool from_import)
{
    g_asked.push_back(std::string(entry.name) + (from_import ? " (import)" : ""));
    entry.model_code = 4;
    entry.option_code = 2;
    return legacy_upgrade_answer::upgrade;
}

class SavedConfigFiles : public SavedConfigMenu {
protected:
    void SetUp() override
    {
        SavedConfigMenu::SetUp();
        file_dialogs::reset();
        set_saved_config_folder(folder.path.c_str());
        main_window = window;
        g_asked.clear();
    }
    void TearDown() override
    {
        set_legacy_upgrade_prompt(nullptr);
        main_window = nullptr;
        SavedConfigMenu::TearDown();
    }

    std::vector<std::string> slot_names() const
    {
        std::vector<std::string> names;
        for (int n = 0; n < kSavedSlots; ++n)
            names.push_back(saved_config_name(n));
        return names;
    }

    std::string write_file(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder.file(name);
        EXPECT_TRUE(write_whole_file(path, bytes));
        return path;
    }

    // The one box shown since the last reset, as "caption: text".
    static std::string told()
    {
        const std::vector<recorded_box> boxes = msgbox::shown();
        return boxes.size() == 1 ? boxes[0].caption + ": " + boxes[0].text
                                 : std::to_string(boxes.size()) + " boxes";
    }
};

const char kImportError[] = "Import Error: Unable to import config from that file";

} // namespace

// ---- Export ---------------------------------------------------------------------

TEST_F(SavedConfigFiles, ExportWritesTheChosenSlotWithoutItsNameLine)
{
    // The live configuration is of another family with other values.
    get_instrument(0).model_code = 1;
    get_instrument(0).primary_config = std::make_shared<wqt_cfg_15xx>();
    set_current_instrument_index(0);
    wqt_cfg_55xx single;
    wqt_cfg_35xx group1;
    wqt_cfg_35xx group2(1);
    single.set_value_int(58, 2);
    group2.set_value_int(58, 3);
    save_slot(1, "Bench", 5, &single);
    save_slot(4, "Two groups", 16, &group1, &group2);

    const struct {
        int index;
        int slot;
        const char* name;
    } cases[] = {{0, 1, "Bench"}, {1, 4, "Two groups"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        file_dialogs::reset();
        const std::string target = folder.file(std::string(c.name) + ".cfg");
        file_dialogs::answer_next(target);
        std::vector<std::string> names;
        bool enabled[2] = {true, false}; // at start, after the selection
        const INT_PTR result =
            run_modal_dialog(IDD_EXPORT_CONFIG, export_config_dlg_proc, 0, [&](HWND dialog) {
                names = list_box_texts(dialog, IDC_EXPORT_LIST);
                enabled[0] = is_enabled(dialog, IDC_EXPORT_BUTTON);
                select_list_item(dialog, IDC_EXPORT_LIST, c.index);
                enabled[1] = is_enabled(dialog, IDC_EXPORT_BUTTON);
                click(dialog, IDC_EXPORT_BUTTON);
            });
        EXPECT_EQ(result, IDC_EXPORT_BUTTON);
        EXPECT_EQ(names, (std::vector<std::string>{"Bench", "Two groups"}));
        EXPECT_FALSE(enabled[0]);
        EXPECT_TRUE(enabled[1]);
        const std::string slot = read_whole_file(slot_path(c.slot));
        EXPECT_EQ(read_whole_file(target), slot.substr(slot.find("\r\n") + 2));
        const std::vector<recorded_file_dialog> asked = file_dialogs::shown();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].save);
        EXPECT_EQ(asked[0].offered, c.name);
        EXPECT_EQ(asked[0].title, "Config Export Filename");
    }
}

TEST_F(SavedConfigFiles, ExportCancelledUnwritableOrWithoutASelection)
{
    wqt_cfg_55xx cfg;
    save_slot(2, "Bench", 5, &cfg);
    const std::string unwritable = folder.file("no such folder\\Bench.cfg");
    const struct {
        const char* what;
        bool select;
        int button;
        std::string answer; // the file dialog's; "" cancels it
        INT_PTR result;     // 2 also when the dialog stayed open and was cancelled
        size_t file_dialogs;
        std::string told;
    } cases[] = {
        {"Cancel", true, IDCANCEL, "", IDCANCEL, 0, "0 boxes"},
        {"file dialog cancelled: the dialog stays open", true, IDC_EXPORT_BUTTON, "", IDCANCEL,
         1, "0 boxes"},
        {"a file that cannot be opened", true, IDC_EXPORT_BUTTON, unwritable, IDC_EXPORT_BUTTON,
         1, "Error: Unable to export config to that file"},
        {"Export without a selection", false, IDC_EXPORT_BUTTON, "", IDC_EXPORT_BUTTON, 0,
         "0 boxes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        msgbox::reset();
        file_dialogs::reset();
        file_dialogs::answer_next(c.answer);
        const INT_PTR result =
            run_modal_dialog(IDD_EXPORT_CONFIG, export_config_dlg_proc, 0, [&](HWND dialog) {
                if (c.select)
                    select_list_item(dialog, IDC_EXPORT_LIST, 0);
                click(dialog, c.button);
            });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(file_dialogs::shown().size(), c.file_dialogs);
        EXPECT_EQ(told(), c.told);
    }
}

// ---- Import ---------------------------------------------------------------------

TEST_F(SavedConfigFiles, ImportTakesItsNameFromTheFile)
{
    wqt_cfg_55xx cfg;
    const std::string body = body_of(cfg, 5, 0);
    // Through the command: Cancel does nothing, then a file is chosen.
    file_dialogs::answer_next("");
    file_dialogs::answer_next(write_file("Motor test.old.cfg", body));
    import_config_command(window);
    import_config_command(window);
    ASSERT_EQ(file_dialogs::shown().size(), 2u);
    EXPECT_FALSE(file_dialogs::shown()[0].save);
    EXPECT_EQ(slot_names()[0], "Motor test.old");
    EXPECT_EQ(slot_names()[1], "");

    const std::string long_name(200, 'n');
    write_file(long_name + ".cfg", body);
    write_file(".cfg", body);
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    SetCurrentDirectoryA(folder.path.c_str());
    EXPECT_TRUE(import_legacy_config_file(folder.file(long_name + ".cfg").c_str()));
    EXPECT_TRUE(import_legacy_config_file(folder.file(".cfg").c_str()));
    EXPECT_TRUE(import_legacy_config_file("Motor test.old.cfg")); // no "\" in the path
    SetCurrentDirectoryA(before);
    EXPECT_EQ(slot_names(),
              (std::vector<std::string>{"Motor test.old", long_name.substr(0, 100),
                                        "Unknown Configuration", "Unknown Configuration", "",
                                        "", "", "", "", ""}));
    EXPECT_EQ(told(), "0 boxes");
}

TEST_F(SavedConfigFiles, AFileOfOneRecordsSizeIsALegacyRecord)
{
    set_legacy_upgrade_prompt(scripted_upgrade);
    for (size_t size : {kLegacyRecordSize, kLegacyRecordSize3812, kLegacyRecordSize2058}) {
        for (int delta : {-1, 0, 1}) {
            SCOPED_TRACE(std::to_string(size + delta) + " bytes");
            msgbox::reset();
            g_asked.clear();
            std::string bytes(size + delta, '\0');
            bytes.replace(0, 6, "Inside");
            import_legacy_config_file(write_file("Rig.cfg", bytes).c_str());
            const std::string slot = read_whole_file(slot_path(0));
            if (delta != 0) {
                EXPECT_TRUE(g_asked.empty());
                EXPECT_EQ(slot, "");
                EXPECT_EQ(told(), kImportError);
                continue;
            }
            EXPECT_EQ(g_asked, std::vector<std::string>{"Rig (import)"});
            EXPECT_EQ(slot.substr(0, 14), "Rig\r\n1\r\n4\r\n2\r\n") << "the codes of the answer";
            EXPECT_EQ(told(), "0 boxes");
            DeleteFileA(slot_path(0).c_str());
        }
    }
}

TEST_F(SavedConfigFiles, ImportStoresABodyOfEveryFamilyAsTheFileHoldsIt)
{
    for (config_family family : kAllFamilies) {
        SCOPED_TRACE(static_cast<int>(family));
        std::unique_ptr<instrument_config> cfg = make_family(family);
        change_every_item(*cfg);
        EXPECT_TRUE(import_legacy_config_file(write_file("Family.cfg", body_of(*cfg, 5, 4)).c_str()));
        EXPECT_EQ(read_whole_file(slot_path(0)), "Family\r\n" + with_crlf(body_of(*cfg, -1, -1)));
        DeleteFileA(slot_path(0).c_str());
    }
}

TEST_F(SavedConfigFiles, ImportRefusesAFileThatIsNotAWholeBodyOrDoesNotOpen)
{
    std::vector<std::string> paths = {folder.file("Missing.cfg")};
    for (const malformed_case& c : malformed_cases())
        paths.push_back(write_file(std::string(c.what) + ".cfg", c.text));
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        msgbox::reset();
        EXPECT_FALSE(import_legacy_config_file(path.c_str()));
        EXPECT_EQ(told(), kImportError);
        EXPECT_FALSE(path_exists(slot_path(0)));
    }
}

// ---- Storing in a free slot --------------------------------------------------------

TEST_F(SavedConfigFiles, TheFirstFreeSlotIsTakenWithoutAQuestion)
{
    wqt_cfg_55xx cfg;
    for (int n : {0, 1, 2, 5})
        save_slot(n, ("Slot " + std::to_string(n)).c_str(), 5, &cfg);
    std::vector<std::string> opened;
    const dialog_driver driver([&](HWND dialog) {
        opened.push_back(caption(dialog));
        click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(import_legacy_config_file(write_file("Fresh.cfg", body_of(cfg, 5, 0)).c_str()));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(slot_names(), (std::vector<std::string>{"Slot 0", "Slot 1", "Slot 2", "Fresh", "",
                                                      "Slot 5", "", "", "", ""}));
    EXPECT_EQ(menu_text(GetSubMenu(saved_popup(), 0), 3), "Load (Fresh)") << "menu rebuilt";
}

TEST_F(SavedConfigFiles, WithAllTenUsedTheUserPicksTheSlot)
{
    wqt_cfg_55xx cfg;
    std::vector<std::string> used;
    for (int n = 0; n < kSavedSlots; ++n) {
        used.push_back("Slot " + std::to_string(n));
        save_slot(n, used.back().c_str(), 5, &cfg);
    }
    const std::string fresh = write_file("Fresh.cfg", body_of(cfg, 5, 0));
    const struct {
        const char* what;
        int select; // -1: nothing selected
        int button;
        int stored; // -1: nothing
    } cases[] = {
        {"Save", 4, IDC_IMPORT_SAVE, 4},
        {"Cancel", 4, IDCANCEL, -1},
        {"Save with nothing selected", -1, IDC_IMPORT_SAVE, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        rebuild_saved_config_menu(window, true, true);
        const HMENU popup_before = saved_popup();
        std::vector<std::string> listed;
        std::string prompt;
        bool enabled_at_start = true;
        const dialog_driver driver([&](HWND dialog) {
            EXPECT_EQ(caption(dialog), "Import Config");
            listed = list_box_texts(dialog, IDC_IMPORT_LIST);
            prompt = control_text(dialog, IDC_IMPORT_PROMPT);
            enabled_at_start = is_enabled(dialog, IDC_IMPORT_SAVE);
            if (c.select >= 0)
                select_list_item(dialog, IDC_IMPORT_LIST, c.select);
            click(dialog, c.button);
        });
        EXPECT_EQ(import_legacy_config_file(fresh.c_str()), c.stored >= 0);
        EXPECT_EQ(listed, used);
        EXPECT_EQ(prompt, "Either select a slot to overwrite and press Save, or press Cancel to "
                          "skip saving");
        EXPECT_FALSE(enabled_at_start);
        std::vector<std::string> expected = used;
        if (c.stored >= 0)
            expected[c.stored] = "Fresh";
        EXPECT_EQ(slot_names(), expected);
        EXPECT_EQ(saved_popup() != popup_before, c.stored >= 0) << "menu rebuilt";
        if (c.stored >= 0)
            save_slot(c.stored, used[c.stored].c_str(), 5, &cfg);
    }
}

// ---- Export as .txt -------------------------------------------------------------

TEST_F(SavedConfigFiles, SummaryCommandWritesBothGroupsOrTellsTheUser)
{
    instrument_slot& slot = get_instrument(1);
    slot.model_code = 16;
    std::snprintf(slot.idn_reply, sizeof slot.idn_reply, "TROSVALDEN,WQT3540,7,1.0");
    slot.primary_config = std::make_shared<wqt_cfg_35xx>(0);
    slot.group2_config = std::make_shared<wqt_cfg_35xx>(1);
    slot.set_active_group(1);
    set_current_instrument_index(1);

    const std::string written = folder.file("Summary.txt");
    const std::string unwritable = folder.file("no such folder\\Summary.txt");
    for (const std::string& answer : {std::string(), written, unwritable}) {
        SCOPED_TRACE(answer);
        msgbox::reset();
        file_dialogs::answer_next(answer);
        export_summary_command(window);
        EXPECT_EQ(told(), answer == unwritable ? "Error: Unable to export config to that file"
                                               : "0 boxes");
    }
    EXPECT_EQ(file_dialogs::shown().size(), 3u);
    EXPECT_TRUE(file_dialogs::shown()[0].save);
    const std::string text = read_whole_file(written);
    EXPECT_EQ(text.find("TROSVALDEN,WQT3540,7,1.0Group 1\r\n"), 0u);
    EXPECT_NE(text.find("\r\nGroup 2\r\n"), std::string::npos);
}

// ---- Files of earlier versions --------------------------------------------------

TEST_F(SavedConfigFiles, RebuildConvertsTheFilesOfEarlierVersionsThroughTheDialog)
{
    const struct {
        size_t record_size; // of config.dat; config2.dat holds 3,092-byte records
        bool rebuild;
        bool prompt;
    } cases[] = {
        {kLegacyRecordSize3812, true, true},
        {kLegacyRecordSize, false, true},
        {kLegacyRecordSize, true, false},
    };
    const std::string first = folder.file("config.dat");
    const std::string second = folder.file("config2.dat");
    // A record's name and its wiring (offset 128 in every form).
    const auto record = [](size_t size, const char* name, char wiring) {
        std::string bytes(size, '\0');
        bytes.replace(0, std::strlen(name), name);
        bytes[128] = wiring;
        return bytes;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.record_size) + (c.rebuild ? " rebuild" : "") +
                     (c.prompt ? " prompt" : ""));
        for (int n = 0; n < kSavedSlots; ++n)
            DeleteFileA(slot_path(n).c_str());
        std::string old_records =
            record(c.record_size, "Old zero", 2) + record(c.record_size, "Old one", 1);
        old_records.resize(c.record_size * kLegacyRecordsPerFile, '\0');
        write_whole_file(first, old_records);
        write_whole_file(second, record(kLegacyRecordSize, "New zero", 3));
        set_legacy_upgrade_prompt(c.prompt ? ask_config_upgrade : nullptr);
        std::vector<std::string> asked;
        const dialog_driver driver([&](HWND dialog) {
            asked.push_back(control_text(dialog, IDC_UPGRADE_NAME));
            click(dialog, IDC_UPGRADE_WQT45);
            click(dialog, IDOK);
        });

        rebuild_saved_config_menu(window, c.rebuild, true);

        const bool old_converted = c.prompt && c.rebuild;
        std::vector<std::string> expected_asked;
        if (old_converted)
            expected_asked = {"Old zero", "Old one"};
        if (c.prompt)
            expected_asked.push_back("New zero");
        EXPECT_EQ(asked, expected_asked);
        EXPECT_EQ(path_exists(first), !old_converted);
        EXPECT_EQ(path_exists(second), !c.prompt);
        EXPECT_EQ(slot_names()[0], c.prompt ? "New zero" : "") << "config2.dat goes last";
        EXPECT_EQ(slot_names()[1], old_converted ? "Old one" : "");
        if (old_converted) {
            // A 45xx configuration with the record's wiring, standard shunt.
            const std::string slot = read_whole_file(slot_path(1));
            EXPECT_EQ(slot.substr(0, 18), "Old one\r\n1\r\n4\r\n0\r\n");
            EXPECT_NE(slot.find("\r\n82\r\n1\r\n"), std::string::npos);
            EXPECT_EQ(menu_text(GetSubMenu(saved_popup(), 0), 0), "Load (New zero)");
        }
    }
}

// A file of an earlier version left in place (its question closed without
// an answer) is asked about once in a run, not at every later rebuild.
TEST_F(SavedConfigFiles, AFileLeftInPlaceIsAskedAboutOncePerRun)
{
    const std::string file = folder.file("config2.dat");
    write_whole_file(file, "Kept" + std::string(kLegacyRecordSize - 4, '\0'));
    set_legacy_upgrade_prompt(ask_config_upgrade);
    int asked = 0;
    const dialog_driver driver([&](HWND dialog) {
        ++asked;
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0); // Esc: no answer
    });
    for (const bool rebuild : {false, false, true})
        rebuild_saved_config_menu(window, rebuild, true);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(path_exists(file));
}
