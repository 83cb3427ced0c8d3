// The configuration text body: what a fresh object of each family writes,
// round trips of every family, bodies of another family, the model and
// option question, and bodies that are damaged in every way a file can be.
#include "config/config_text.h"

#include "config/instrument_config.h"
#include "tests/support/config_bodies.h"
#include "tests/support/config_families.h"
#include "tests/support/msgbox_recorder.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lines.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every field of every item, table A and table B, is the same.
void expect_same_items(const instrument_config& a, const instrument_config& b,
                       const std::string& what)
{
    for (int k = 0; k < kBodyRecords; ++k) {
        const int id = body_record_item_id(k);
        const config_item& x = *a.item_at(id);
        const config_item& y = *b.item_at(id);
        SCOPED_TRACE(what + ", item " + std::to_string(id));
        EXPECT_EQ(x.kind, y.kind);
        EXPECT_EQ(x.wire_id, y.wire_id);
        EXPECT_EQ(x.minimum, y.minimum);
        EXPECT_EQ(x.maximum, y.maximum);
        EXPECT_EQ(x.options, y.options);
        EXPECT_EQ(x.changed, y.changed);
        EXPECT_EQ(0, std::memcmp(&x.value, &y.value, sizeof x.value));
    }
}

body_load_result load_text(instrument_config& cfg, const std::string& text, int model = -1,
                           int option = -1, bool quiet = true)
{
    std::istringstream in(text);
    return load_config_body(cfg, in, model, option, quiet);
}

} // namespace

// ---- Writing ----------------------------------------------------------------

TEST(ConfigText, FreshObjectOfEachFamilyThroughATextFile)
{
    temp_folder folder;
    for (config_family family : kAllFamilies) {
        auto cfg = make_family(family);
        SCOPED_TRACE(static_cast<int>(family));
        const std::string path = folder.file("body.cfg");
        {
            std::ofstream out(path); // a text stream, as every caller opens it
            int model = 5;
            int option = 2;
            cfg->save_to_stream(out, &model, &option);
        }
        const std::string bytes = read_whole_file(path);
        size_t crlf = 0;
        for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
            ASSERT_GT(at, 0u);
            ASSERT_EQ(bytes[at - 1], '\r') << "at byte " << at;
            ++crlf;
        }
        // 3 header lines, 512 wire ids, and a value line for all but the two
        // records whose wire id is 0.
        EXPECT_EQ(crlf, 1025u);
        EXPECT_EQ(bytes.back(), '\n');
        EXPECT_EQ(bytes.compare(0, 9, "1\r\n5\r\n2\r\n"), 0);

        const std::vector<std::string> lines = lines_of(body_of(*cfg, 5, 2));
        ASSERT_EQ(lines.size(), 1025u);
        EXPECT_EQ(lines[3], "0") << "item 0 has wire id 0 and no value line";
        // Item 1 (Mode) is a list item at 0 in every family.
        EXPECT_EQ(lines[4], "1");
        EXPECT_EQ(lines[5], "0");
        // Table B starts after table A's 256 wire ids and 255 value lines:
        // its item 500 has wire id 0, item 501 is undefined.
        EXPECT_EQ(lines[3 + 256 + 255], "0");
        EXPECT_EQ(lines[3 + 256 + 255 + 1], "1");
        EXPECT_EQ(lines[3 + 256 + 255 + 2], "\x9D\xFF\xFF\xFF");
        EXPECT_EQ(lines.back(), "\x9D\xFF\xFF\xFF");
    }
}

TEST(ConfigText, RecordsOfListTextAndUndefinedItems)
{
    wqt_cfg_55xx cfg;
    cfg.set_value_int(58, 3);
    cfg.set_value_text(12, "5.0000E-2");
    // The record of item k of table A starts at line 3 + 2k - 1 (item 0 has
    // no value line).
    const std::vector<std::string> lines = lines_of(body_of(cfg, 5, 0));
    const auto record = [&](int id) {
        const size_t at = 3 + 2 * id - 1;
        return lines[at] + "|" + lines[at + 1];
    };
    EXPECT_EQ(record(58), "58|3");
    EXPECT_EQ(record(12), "12|5.0000E-2");
    EXPECT_EQ(record(69), "69| ") << "an empty text is one blank";
    EXPECT_EQ(cfg.item_at(2)->kind, ITEM_UNSET);
    EXPECT_EQ(record(2), "2|\x9D\xFF\xFF\xFF");
}

// ---- Reading ------------------------------------------------------------------

TEST(ConfigText, RoundTripOfEveryFamily)
{
    for (config_family family : kAllFamilies) {
        auto source = make_family(family);
        change_every_item(*source);
        const std::string text = body_of(*source, 5, 0);
        auto target = make_family(family);
        msgbox::reset(); // the boxes of earlier tests are not this load's
        EXPECT_EQ(load_text(*target, text, 5, 0, false), body_load_result::loaded);
        EXPECT_TRUE(msgbox::shown().empty());
        // Every defined item comes back with its value and is marked changed;
        // undefined items stay as they were.
        auto expected = make_family(family);
        change_every_item(*expected);
        expect_same_items(*target, *expected, "family " + std::to_string(int(family)));
        EXPECT_EQ(body_of(*target, 5, 0), text);
    }
}

TEST(ConfigText, ABodyOfAnotherFamilyLoadsItemByItem)
{
    // Every 55xx item is written; a 15xx image takes each by its own kind,
    // and no record shifts onto the next item.
    wqt_cfg_55xx source;
    change_every_item(source);
    wqt_cfg_15xx target;
    ASSERT_EQ(load_text(target, body_of(source, 5, 0)), body_load_result::loaded);
    wqt_cfg_15xx fresh;
    for (int id = 1; id < kItemsPerTable; ++id) {
        SCOPED_TRACE(id);
        const config_item& from = *source.item_at(id);
        const config_item& to = *target.item_at(id);
        std::string written;
        source.get_value_string(id, written);
        if (from.kind == ITEM_UNSET) {
            EXPECT_EQ(0, std::memcmp(&to.value, &fresh.item_at(id)->value, sizeof to.value));
            EXPECT_EQ(to.changed, 0);
        } else if (to.kind == ITEM_LIST) {
            EXPECT_EQ(to.value.integer, static_cast<int>(std::strtod(written.c_str(), nullptr)));
            EXPECT_EQ(to.changed, 1);
        } else {
            EXPECT_EQ(std::string(to.value.text), written);
            EXPECT_EQ(to.changed, 1);
        }
    }
}

TEST(ConfigText, SingleBlankLineIsTheEmptyTextForAnyKind)
{
    wqt_cfg_55xx source;
    source.set_value_text(12, "7.5");
    std::string text = body_of(source, 5, 0);
    // Item 58 (a list item) gets the blank line an empty text has.
    const std::string list_record = "\n58\n0\n";
    const size_t at = text.find(list_record);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, list_record.size(), "\n58\n \n");

    wqt_cfg_55xx target;
    target.set_value_int(58, 2);
    target.set_value_text(69, "9");
    ASSERT_EQ(load_text(target, text), body_load_result::loaded);
    EXPECT_EQ(target.item_at(58)->value.integer, 0);
    EXPECT_STREQ(target.item_at(69)->value.text, "") << "its own blank line";
    EXPECT_STREQ(target.item_at(12)->value.text, "7.5");
    EXPECT_EQ(target.item_at(59)->wire_id, 59) << "the next record is still aligned";
}

// A text's value line: control characters are written as blanks, blanks
// inside a text read back, blanks at either end do not, and a text that fills
// the value field's 19 characters reads back whole; the records after it
// stay aligned.
TEST(ConfigText, ControlCharactersInATextAreWrittenAsBlanks)
{
    struct row {
        const char* value;
        const char* read_back;
    } const rows[] = {
        {"7\n5", "7 5"},
        {"7\r\n5", "7  5"},
        {"\t7.5\n", "7.5"},
        {"\x7F", ""},
        {"  7 5  ", "7 5"},
        {"1234567890123456789", "1234567890123456789"},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.read_back);
        wqt_cfg_55xx source;
        source.set_value_text(12, r.value);
        source.set_value_int(58, 2);
        wqt_cfg_55xx target;
        ASSERT_EQ(load_text(target, body_of(source, 5, 0)), body_load_result::loaded);
        EXPECT_STREQ(target.item_at(12)->value.text, r.read_back);
        EXPECT_EQ(target.item_at(58)->value.integer, 2) << "later records stay aligned";
    }
}

TEST(ConfigText, LineEndsOfEitherKindAndAnOlderFilesUndefinedBytes)
{
    wqt_cfg_45xx source;
    change_every_item(source);
    std::string text = body_of(source, 4, 0);
    // An older file may carry more bytes after the -99 of an undefined item.
    const std::string undefined = "\n2\n\x9D\xFF\xFF\xFF\n";
    const size_t at = text.find(undefined);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, undefined.size(), "\n2\n\x9D\xFF\xFF\xFF\x01\x80garbage-from-the-field\n");
    for (const std::string& body : {text, with_crlf(text)}) {
        wqt_cfg_45xx target;
        ASSERT_EQ(load_text(target, body), body_load_result::loaded);
        expect_same_items(target, source, "line ends");
    }
}

std::string question(const std::string& file, const std::string& target)
{
    return "The selected configuration file is for a " + file + ", and you are importing to a " +
           target + ".\n\nLoading a config from the wrong instrument may cause some settings "
           "to be wrong\nContinue anyway?";
}

TEST(ConfigText, ModelAndOptionChecks)
{
    const struct {
        int file_model, file_option, target_model, target_option;
        bool quiet;
        std::string question; // empty: no question
    } cases[] = {
        {-1, -1, 5, 0, false, ""},
        {1, 0, 6, 0, false, ""},
        {6, 0, 1, 0, false, ""},
        {2, 4, 3, 4, false, ""},
        {4, 0, 5, 0, true, ""},
        {4, 0, 5, 0, false, question("WQT45 Standard Current", "WQT55 Standard Current")},
        {1, 0, 1, 2, false, question("WQT15 Standard Current", "WQT15 Low Current")},
        {16, 4, 3, 0, false, question(" High Current", "WQT26 Standard Current")},
    };
    for (const auto& c : cases) {
        for (int answer : {IDOK, IDCANCEL}) {
            SCOPED_TRACE(std::to_string(c.file_model) + "/" + std::to_string(c.file_option) +
                         " into " + std::to_string(c.target_model) + "/" +
                         std::to_string(c.target_option) + " answer " + std::to_string(answer));
            msgbox::reset();
            msgbox::answer_next(answer);
            wqt_cfg_55xx source;
            source.set_value_int(58, 3);
            wqt_cfg_55xx target;
            const std::string text = body_of(source, c.file_model, c.file_option);
            const body_load_result result =
                load_text(target, text, c.target_model, c.target_option, c.quiet);
            // The virtual form answers false only for a declined body.
            wqt_cfg_55xx other;
            std::istringstream in(text);
            msgbox::answer_next(answer);
            const bool loaded = other.load_from_stream(in, nullptr, &c.target_model,
                                                       &c.target_option, c.quiet);
            const bool declined = !c.question.empty() && answer == IDCANCEL;
            EXPECT_EQ(loaded, !declined);
            EXPECT_EQ(result, declined ? body_load_result::declined : body_load_result::loaded);
            EXPECT_EQ(target.item_at(58)->value.integer, declined ? 0 : 3);
            const auto boxes = msgbox::shown();
            if (c.question.empty()) {
                EXPECT_TRUE(boxes.empty());
                continue;
            }
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_EQ(boxes[0].text, c.question);
            EXPECT_EQ(boxes[0].caption, "Target Mismatch");
            EXPECT_EQ(boxes[0].type, UINT(MB_OKCANCEL | MB_ICONEXCLAMATION));
        }
    }
}

// ---- Malformed bodies -------------------------------------------------------------

TEST(ConfigText, MalformedBodiesChangeNothingAndEndAtOnce)
{
    for (const malformed_case& c : malformed_cases()) {
        SCOPED_TRACE(c.what);
        msgbox::reset();
        wqt_cfg_55xx target;
        target.set_value_int(58, 2);
        target.set_value_text(12, "1.0000E0");
        const std::shared_ptr<instrument_config> before = instrument_config_copy(target);
        const auto start = std::chrono::steady_clock::now();
        // Asked as a mismatch would be: a damaged body is never asked about.
        EXPECT_EQ(load_text(target, c.text, 1, 0, false), c.result);
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        EXPECT_LT(ms, 500);
        EXPECT_TRUE(msgbox::shown().empty());
        expect_same_items(target, *before, c.what);
        // The virtual form answers true for an accepted header.
        std::istringstream in(c.text);
        EXPECT_EQ(target.load_from_stream(in, nullptr, nullptr, nullptr, true),
                  c.result == body_load_result::damaged);
    }
}
