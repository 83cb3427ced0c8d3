// The saved configuration slots: their files, loading one or two bodies,
// when a slot counts as used, name lines of any length, damaged slots,
// deleting, and a slot that cannot be written.
#include "config/saved_slots.h"

#include "config/config_text.h"
#include "config/instrument_config.h"
#include "tests/support/config_bodies.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lines.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class SavedSlots : public testing::Test {
protected:
    void SetUp() override
    {
        msgbox::reset();
        set_saved_config_folder(folder.path.c_str());
    }

    std::string slot_path(int n) const { return folder.file("config3_" + std::to_string(n) + ".cfg"); }

    // Writes slot n from a 55xx object whose item 58 holds value.
    void save_55xx(int n, const char* name, int value)
    {
        wqt_cfg_55xx cfg;
        cfg.set_value_int(58, value);
        saved_config_entry entry = entry_for(5, 0, &cfg);
        std::snprintf(entry.name, sizeof entry.name, "%s", name);
        ASSERT_TRUE(save_config_slot(entry, n));
    }

    static saved_config_entry entry_for(int model, int option, instrument_config* primary,
                                        instrument_config* secondary = nullptr)
    {
        saved_config_entry entry{};
        entry.model_code = model;
        entry.option_code = option;
        entry.primary = primary;
        entry.secondary = secondary;
        return entry;
    }

    temp_folder folder;
};

std::vector<std::string> crlf_lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = bytes.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(bytes.substr(start, at - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
    return lines;
}

} // namespace

TEST_F(SavedSlots, FileNames)
{
    for (int n = 0; n < kSavedSlots; ++n)
        EXPECT_EQ(saved_config_slot_file(n), folder.path + "\\config3_" + std::to_string(n) + ".cfg");
    EXPECT_EQ(saved_config_slot_file(10), "");
    EXPECT_EQ(saved_config_slot_file(-1), "");
    set_saved_config_folder("");
    EXPECT_EQ(saved_config_base(), folder.path + "\\config3") << "an empty folder changes nothing";
}

TEST_F(SavedSlots, OneBodyAndTwoBodies)
{
    wqt_cfg_55xx single;
    single.set_value_int(58, 3);
    saved_config_entry entry = entry_for(5, 2, &single);
    std::strcpy(entry.name, "Bench");
    ASSERT_TRUE(save_config_slot(entry, 4));
    std::vector<std::string> lines = crlf_lines(read_whole_file(slot_path(4)));
    ASSERT_EQ(lines.size(), 1u + 1025u);
    EXPECT_EQ(lines[0], "Bench");
    EXPECT_EQ(lines[1] + lines[2] + lines[3], "152");
    EXPECT_EQ(read_whole_file(slot_path(4)).substr(7), with_crlf(body_of(single, 5, 2)));

    wqt_cfg_35xx group1;
    wqt_cfg_35xx group2(1);
    group1.set_value_int(23, 1);
    group2.set_value_int(23, 2);
    entry = entry_for(16, 0, &group1, &group2);
    std::strcpy(entry.name, "Two groups");
    ASSERT_TRUE(save_config_slot(entry, 5));
    lines = crlf_lines(read_whole_file(slot_path(5)));
    ASSERT_EQ(lines.size(), 1u + 2 * 1025u);
    EXPECT_EQ(lines[1026] + "," + lines[1027] + "," + lines[1028], "1,16,0");

    // A two-group instrument gets both groups; a probe only learns the name.
    wqt_cfg_35xx into1;
    wqt_cfg_35xx into2(1);
    saved_config_entry load = entry_for(16, 0, &into1, &into2);
    EXPECT_EQ(load_config_slot(load, 5, true), slot_load_result::loaded);
    EXPECT_STREQ(load.name, "Two groups");
    EXPECT_EQ(into1.item_at(23)->value.integer, 1);
    EXPECT_EQ(into2.item_at(23)->value.integer, 2);
    EXPECT_EQ(saved_config_name(5), "Two groups");

    // A single-group slot loaded for a two-group instrument fills group 1.
    wqt_cfg_35xx other1;
    wqt_cfg_35xx other2(1);
    other2.set_value_int(58, 1);
    load = entry_for(16, 0, &other1, &other2);
    msgbox::answer_next(IDOK);
    EXPECT_EQ(load_config_slot(load, 4, true), slot_load_result::loaded);
    EXPECT_EQ(other1.item_at(58)->value.integer, 3);
    EXPECT_EQ(other2.item_at(58)->value.integer, 1);
    EXPECT_EQ(msgbox::shown().size(), 1u) << "one question about the 55xx slot";
}

TEST_F(SavedSlots, UsedAndEmpty)
{
    wqt_cfg_55xx cfg;
    const std::string body = body_of(cfg, 5, 0);
    const struct {
        const char* what;
        std::string file; // nullptr-like: "<none>" writes no file
        std::string name;
    } cases[] = {
        {"no file", "<none>", ""},
        {"an empty file", "", ""},
        {"a name and no body", "Bench\n", ""},
        {"an empty name", "\n" + body, ""},
        {"a first line that is not the version", "Bench\n2\n" + body.substr(2), ""},
        {"a whole body", "Bench\n" + body, "Bench"},
        {"a damaged body keeps its place", "Bench\n" + body.substr(0, 300), "Bench"},
        {"CR LF name line", "Bench\r\n" + body, "Bench"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(slot_path(2).c_str());
        if (c.file != "<none>") {
            ASSERT_TRUE(write_whole_file(slot_path(2), c.file));
        }
        EXPECT_EQ(saved_config_name(2), c.name);
        EXPECT_TRUE(msgbox::shown().empty()) << "probing is quiet";
    }
}

TEST_F(SavedSlots, NameLinesOfAnyLength)
{
    wqt_cfg_55xx cfg;
    cfg.set_value_int(58, 3);
    const std::string body = body_of(cfg, 5, 0);
    for (size_t length : {126u, 127u, 300u, 5000u}) {
        SCOPED_TRACE(length);
        std::string name;
        for (size_t i = 0; i < length; ++i)
            name += static_cast<char>('a' + i % 26);
        ASSERT_TRUE(write_whole_file(slot_path(1), name + "\r\n" + body));
        wqt_cfg_55xx into;
        saved_config_entry entry = entry_for(5, 0, &into);
        EXPECT_EQ(load_config_slot(entry, 1, true), slot_load_result::loaded);
        EXPECT_EQ(std::string(entry.name), name.substr(0, 126));
        EXPECT_EQ(into.item_at(58)->value.integer, 3);
    }

    // Names are written with at most 100 characters, and one line.
    saved_config_entry entry = entry_for(5, 0, &cfg);
    std::memset(entry.name, 'n', 127);
    entry.name[127] = '\0';
    ASSERT_TRUE(save_config_slot(entry, 1));
    EXPECT_EQ(crlf_lines(read_whole_file(slot_path(1)))[0], std::string(100, 'n'));
    std::strcpy(entry.name, "two\nlines");
    ASSERT_TRUE(save_config_slot(entry, 1));
    EXPECT_EQ(saved_config_name(1), "two");
}

TEST_F(SavedSlots, DamagedSlotLoadsNothingAndTellsTheUser)
{
    wqt_cfg_35xx source;
    source.set_value_int(23, 2);
    const std::string body = body_of(source, 16, 0);
    const struct {
        const char* what;
        std::string file;
        slot_load_result result;
    } cases[] = {
        {"first body cut", "Slot\n" + body.substr(0, body.size() / 2), slot_load_result::damaged},
        {"second body cut", "Slot\n" + body + body.substr(0, 100), slot_load_result::damaged},
        {"second body with a bad wire id", "Slot\n" + body + "1\n16\n0\n0\nwire\n",
         slot_load_result::damaged},
        {"first line 2", "Slot\n2\n" + body.substr(2), slot_load_result::empty},
        {"empty file", "", slot_load_result::empty},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        msgbox::reset();
        ASSERT_TRUE(write_whole_file(slot_path(6), c.file));
        wqt_cfg_35xx into1;
        wqt_cfg_35xx into2(1);
        saved_config_entry entry = entry_for(16, 0, &into1, &into2);
        EXPECT_EQ(load_config_slot(entry, 6, true), c.result);
        EXPECT_EQ(into1.item_at(23)->value.integer, 0);
        EXPECT_EQ(into1.item_at(23)->changed, 0);
        EXPECT_EQ(into2.item_at(23)->changed, 0);
        const auto boxes = msgbox::shown();
        if (c.result == slot_load_result::damaged) {
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, "Unable to load config from that slot");
            EXPECT_EQ(boxes[0].caption, "Load Error");
            EXPECT_STREQ(entry.name, "Slot");
            // Probing the same slot says nothing.
            msgbox::reset();
            EXPECT_EQ(saved_config_name(6), "Slot");
            EXPECT_TRUE(msgbox::shown().empty());
        } else {
            EXPECT_TRUE(boxes.empty());
            EXPECT_STREQ(entry.name, "");
        }
    }
}

TEST_F(SavedSlots, DeleteAsksByName)
{
    save_55xx(3, "Motor", 1);
    for (int answer : {IDNO, IDYES}) {
        msgbox::reset();
        msgbox::answer_next(answer);
        delete_saved_config(3, nullptr);
        const auto boxes = msgbox::shown();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Are you sure you want to delete the config: Motor ?");
        EXPECT_EQ(boxes[0].caption, "Delete Config?");
        EXPECT_EQ(boxes[0].type & MB_TYPEMASK, UINT(MB_YESNO));
        EXPECT_EQ(GetFileAttributesA(slot_path(3).c_str()) != INVALID_FILE_ATTRIBUTES,
                  answer == IDNO);
    }
    // An empty slot: no question.
    msgbox::reset();
    delete_saved_config(3, nullptr);
    EXPECT_TRUE(msgbox::shown().empty());
}

TEST_F(SavedSlots, SlotThatCannotBeWrittenKeepsTheOldFile)
{
    save_55xx(7, "Old", 2);
    const std::string old_bytes = read_whole_file(slot_path(7));
    // Where the new file is written stands a folder.
    ASSERT_TRUE(CreateDirectoryA((slot_path(7) + ".new").c_str(), nullptr));

    wqt_cfg_55xx cfg;
    saved_config_entry entry = entry_for(5, 0, &cfg);
    std::strcpy(entry.name, "New");
    msgbox::reset();
    EXPECT_FALSE(save_config_slot(entry, 7));
    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Unable to save config to that slot");
    EXPECT_EQ(boxes[0].caption, "Save Error");
    EXPECT_EQ(read_whole_file(slot_path(7)), old_bytes);
    EXPECT_EQ(saved_config_name(7), "Old");

    // The slot's own name is taken by a folder: the new file cannot replace
    // it and is not left behind.
    ASSERT_TRUE(RemoveDirectoryA((slot_path(7) + ".new").c_str()));
    ASSERT_TRUE(CreateDirectoryA(slot_path(8).c_str(), nullptr));
    ASSERT_TRUE(write_whole_file(slot_path(8) + "\\keep", "x"));
    msgbox::reset();
    EXPECT_FALSE(save_config_slot(entry, 8));
    EXPECT_EQ(msgbox::shown().size(), 1u);
    EXPECT_EQ(GetFileAttributesA((slot_path(8) + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

    // A folder that does not exist.
    set_saved_config_folder(folder.file("missing").c_str());
    msgbox::reset();
    EXPECT_FALSE(save_config_slot(entry, 7));
    EXPECT_EQ(msgbox::shown().size(), 1u);
}
