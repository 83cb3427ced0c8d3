// The display-text table: entries other parts name by number, the embedded
// lists and their ends, and the title built from the version texts.
#include "frame/ui_text.h"

#include "frame/control_tables.h"
#include "frame/version.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

struct named_entry {
    int entry;
    const char* text;
};

// A sample of entries named by number across the program.
const named_entry named_entries[] = {
    {0, "Kestrova"},
    {1, "v3_5-U Feb 19 2026"},
    {2, "CONTROL:"},
    {37, "Elapsed Log Time:"},
    {49, "SHOW SETTINGS"},
    {52, "Configuration: %s"},
    {71, "HIDE SETTINGS"},
    {88, "Phase Angle Reference"},
    {96, "Flickermeter"},
    {721, "WQT4 - RESULTS"},
    {1231, "Enter Highspeed\r\nMode"},
    {1474, "Stop"},
    {1627, "< Return"},
    {1773, "Phase 1 Ranging >"},
    {1778, "Phase 6 Ranging >"},
    {1787, "Phase 2 + 3 Ranging >"},
    {1808, "Phase 1 Ranging"},
    {1813, "Phase 6 Ranging"},
    {1822, "Phase 2 + 3 Ranging"},
    {1835, "Reset to Default"},
    {1901, "Group 2"},
    {2138, "Capture"},
    {2139, "Clear"},
};

TEST(UiText, NamedEntriesKeepTheirNumbers)
{
    for (const named_entry& e : named_entries) {
        ASSERT_NE(ui_text[e.entry], nullptr) << e.entry;
        EXPECT_STREQ(ui_text[e.entry], e.text) << e.entry;
    }
}

TEST(UiText, EntriesNobodyNamesAreEmptyTextsNotNulls)
{
    for (int entry : {7, 11, 500, 654, 1000, 2309})
        EXPECT_STREQ(ui_text[entry], "") << entry;
}

struct list_case {
    const char* name;
    int first;
    int length;
    const char* first_text;
    const char* second_text;
    const char* last_text;
};

const list_case lists[] = {
    {"long names", UI_PARAMETER_LONG_NAMES, 91, "Frequency", "Watts", "Fundamental Delta Watts"},
    {"short names", UI_PARAMETER_SHORT_NAMES, 91, "Frequency", "Watts", "Fund. Delta Watts"},
    {"units", UI_PARAMETER_UNITS, 91, "Hz", "W", "W"},
    {"variable names", UI_PARAMETER_VAR_NAMES, 91, "Freq", "Watts", "FundDeltaWatts"},
    {"empty block", UI_EMPTY_BLOCK, 191, "", "", ""},
};

int walk_to_null(int first)
{
    int n = 0;
    while (first + n < static_cast<int>(ui_text.size()) && ui_text[first + n])
        ++n;
    return n;
}

TEST(UiText, EachListRunsToItsNull)
{
    for (const list_case& c : lists) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(walk_to_null(c.first), c.length);
        EXPECT_STREQ(ui_text[c.first], c.first_text);
        EXPECT_STREQ(ui_text[c.first + 1], c.second_text);
        EXPECT_STREQ(ui_text[c.first + c.length - 1], c.last_text);
    }
}

TEST(UiText, VariableNamesEndWithANullAfterTheLastEntry)
{
    ASSERT_EQ(ui_text.size(), 2870u);
    EXPECT_STREQ(ui_text[2868], "FundDeltaWatts");
    EXPECT_EQ(ui_text[2869], nullptr);
}

TEST(UiText, ParameterListsAreFullAndVariableNamesAreUniqueIdentifiers)
{
    std::set<std::string> seen;
    for (int i = 0; i < UI_PARAMETER_COUNT; ++i) {
        const std::string var = ui_text[UI_PARAMETER_VAR_NAMES + i];
        SCOPED_TRACE(var);
        EXPECT_NE(*ui_text[UI_PARAMETER_LONG_NAMES + i], '\0');
        EXPECT_NE(*ui_text[UI_PARAMETER_SHORT_NAMES + i], '\0');
        ASSERT_FALSE(var.empty());
        EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(var[0])) || var[0] == '_');
        for (char ch : var)
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(ch)) || ch == '_');
        EXPECT_TRUE(seen.insert(var).second) << "duplicate";
    }
}

TEST(UiText, PhaseCodeNames)
{
    const char* const names[] = {nullptr, "PH1", "PH2", "PH3", "SUM1", "NEU1", "ZEM",
                                 "PH4", "PH5", "PH6", "SUM2", "NEU2", nullptr};
    for (int code = 0; code <= 12; ++code) {
        if (names[code])
            EXPECT_STREQ(phase_code_name(code), names[code]) << code;
        else
            EXPECT_EQ(phase_code_name(code), nullptr) << code;
    }
    EXPECT_STREQ(ui_text[UI_PHASE_CODE_NAMES + 6], "ZEM");
    EXPECT_EQ(phase_code_name(-1), nullptr);
}

TEST(Version, TitleIsProductNameAndBuildUpToItsBlank)
{
    const char* title = build_version_string();
    EXPECT_STREQ(title, "Kestrova v3_5-U");
    EXPECT_EQ(build_version_string(), title);
    EXPECT_EQ(main_window_desc.text, title);
}

} // namespace
