// The static item definitions and name lists of the five configuration
// families. The expected values here are typed in independently of the
// tables, so that a slip in either shows up as a mismatch.
#include "config/item_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const config_family kFamilies[] = {config_family::wqt15xx, config_family::wqt25xx,
                                   config_family::wqt35xx, config_family::wqt45xx,
                                   config_family::wqt55xx};

const char* family_label(config_family f) {
    switch (f) {
    case config_family::wqt15xx: return "15xx";
    case config_family::wqt25xx: return "25xx";
    case config_family::wqt35xx: return "35xx";
    case config_family::wqt45xx: return "45xx";
    case config_family::wqt55xx: return "55xx";
    }
    return "?";
}

const item_def* find_item(config_family f, int id) {
    item_def_table t = family_item_definitions(f);
    for (size_t i = 0; i < t.count; ++i)
        if (t.items[i].id == id) return &t.items[i];
    return nullptr;
}

std::set<int> defined_ids(config_family f) {
    std::set<int> ids;
    item_def_table t = family_item_definitions(f);
    for (size_t i = 0; i < t.count; ++i) ids.insert(t.items[i].id);
    return ids;
}

std::string name_of(config_family f, int id) { return config_item_names(f)[id]; }

std::string option(const item_def* d, unsigned index) {
    if (d == nullptr || d->options == nullptr || index >= d->option_count) return "<none>";
    return d->options[index];
}

constexpr int kList = 0;
constexpr int kText = 1;
constexpr double kNone = -99.0;

// The items every family defines alike.
const int kCoreIds[] = {4,   5,   6,   7,   8,   9,   10,  11,  14,  15,  22,  28,  30,  49,
                        50,  53,  72,  73,  80,  81,  83,  85,  86,  88,  89,  91,  92,  95,
                        96,  102, 103, 106, 107, 108, 109, 110, 111, 112, 113, 114, 119, 128,
                        129, 131, 132, 133, 137, 138, 150, 180, 182, 204, 206};

// Items outside the core that all five families define (each with its own
// definition).
const int kAllFiveIds[] = {1,   12,  13,  24,  25,  26,  27,  29,  32,  33,  34,  35,  40,  48,
                           54,  58,  59,  60,  69,  70,  71,  82,  84,  93,  99,  100, 101, 122,
                           130, 134, 135, 136, 139, 176, 177, 178, 179, 181, 184, 185, 186, 187,
                           190, 200, 201, 202, 203, 205, 208, 209, 210, 211, 214};

// Items that only some families define.
struct presence_row {
    std::vector<int> ids;
    std::set<config_family> families;
};
const std::vector<presence_row>& presence_rows() {
    using F = config_family;
    static const std::vector<presence_row> rows = {
        {{36, 37, 38, 52, 55, 56, 57, 90, 104, 115, 117, 140, 143, 144, 188, 189, 212, 213, 221,
          228},
         {F::wqt15xx, F::wqt35xx, F::wqt45xx, F::wqt55xx}},
        {{31, 87, 183, 207}, {F::wqt25xx, F::wqt35xx, F::wqt45xx, F::wqt55xx}},
        {{141, 142}, {F::wqt15xx, F::wqt35xx, F::wqt55xx}},
        {{3, 39, 148}, {F::wqt25xx, F::wqt45xx, F::wqt55xx}},
        {{23, 97, 123, 145, 197, 218, 219}, {F::wqt35xx, F::wqt45xx, F::wqt55xx}},
        {{98}, {F::wqt15xx, F::wqt55xx}},
        {{220}, {F::wqt35xx, F::wqt55xx}},
        {{68, 146, 147, 191, 215}, {F::wqt45xx, F::wqt55xx}},
        {{94}, {F::wqt25xx}},
        {{216, 217, 234}, {F::wqt35xx}},
        {{105, 116, 124, 125, 126, 127, 149, 166, 172, 173, 174, 175}, {F::wqt55xx}},
    };
    return rows;
}

std::set<int> expected_ids(config_family f) {
    std::set<int> ids(std::begin(kCoreIds), std::end(kCoreIds));
    ids.insert(std::begin(kAllFiveIds), std::end(kAllFiveIds));
    for (const presence_row& row : presence_rows())
        if (row.families.count(f)) ids.insert(row.ids.begin(), row.ids.end());
    return ids;
}

// Defined items whose name in the family's list is "Unused".
const std::map<config_family, std::set<int>>& unused_but_defined() {
    static const std::map<config_family, std::set<int>> m = {
        {config_family::wqt15xx, {84, 98}},   {config_family::wqt25xx, {190, 214}},
        {config_family::wqt35xx, {112, 216}}, {config_family::wqt45xx, {}},
        {config_family::wqt55xx, {}},
    };
    return m;
}

} // namespace

TEST(ItemTables, ItemCountsPerFamily) {
    const std::map<config_family, size_t> counts = {
        {config_family::wqt15xx, 129}, {config_family::wqt25xx, 114},
        {config_family::wqt35xx, 143}, {config_family::wqt45xx, 145},
        {config_family::wqt55xx, 161},
    };
    EXPECT_EQ(sizeof(kCoreIds) / sizeof(kCoreIds[0]), 53u);
    for (config_family f : kFamilies) {
        item_def_table t = family_item_definitions(f);
        EXPECT_EQ(t.count, counts.at(f)) << family_label(f);
        EXPECT_NE(t.items, nullptr) << family_label(f);
    }
}

TEST(ItemTables, KindCountsPerFamily) {
    struct kinds { int list, integer, text; };
    const std::map<config_family, kinds> expected = {
        {config_family::wqt15xx, {95, 2, 32}},  {config_family::wqt25xx, {82, 2, 30}},
        {config_family::wqt35xx, {106, 4, 33}}, {config_family::wqt45xx, {103, 3, 39}},
        {config_family::wqt55xx, {114, 5, 42}},
    };
    for (config_family f : kFamilies) {
        kinds got{0, 0, 0};
        item_def_table t = family_item_definitions(f);
        for (size_t i = 0; i < t.count; ++i) {
            const item_def& d = t.items[i];
            if (d.kind == kText) {
                ++got.text;
                EXPECT_EQ(d.options, nullptr) << family_label(f) << " id " << d.id;
                EXPECT_EQ(d.option_count, 0) << family_label(f) << " id " << d.id;
            } else {
                ASSERT_EQ(d.kind, kList) << family_label(f) << " id " << d.id;
                if (d.options == nullptr) {
                    ++got.integer;
                    EXPECT_EQ(d.option_count, 0) << family_label(f) << " id " << d.id;
                } else {
                    ++got.list;
                    EXPECT_GT(d.option_count, 0) << family_label(f) << " id " << d.id;
                    for (unsigned k = 0; k < d.option_count; ++k)
                        EXPECT_NE(d.options[k], nullptr) << family_label(f) << " id " << d.id;
                }
            }
        }
        EXPECT_EQ(got.list, expected.at(f).list) << family_label(f);
        EXPECT_EQ(got.integer, expected.at(f).integer) << family_label(f);
        EXPECT_EQ(got.text, expected.at(f).text) << family_label(f);
    }
}

TEST(ItemTables, IdsAscendingUniqueAndInTableA) {
    for (config_family f : kFamilies) {
        item_def_table t = family_item_definitions(f);
        for (size_t i = 0; i < t.count; ++i) {
            EXPECT_GE(t.items[i].id, 0) << family_label(f);
            EXPECT_LE(t.items[i].id, 255) << family_label(f);
            if (i > 0) {
                EXPECT_LT(t.items[i - 1].id, t.items[i].id) << family_label(f) << " at " << i;
            }
        }
    }
}

TEST(ItemTables, PresenceByIdMatchesFamilyLists) {
    for (config_family f : kFamilies) {
        std::set<int> want = expected_ids(f);
        std::set<int> got = defined_ids(f);
        for (int id : want) EXPECT_TRUE(got.count(id)) << family_label(f) << " lacks " << id;
        for (int id : got) EXPECT_TRUE(want.count(id)) << family_label(f) << " has extra " << id;
    }
    // Items spelled out as belonging to a single family.
    EXPECT_NE(find_item(config_family::wqt25xx, 94), nullptr);
    for (config_family f : {config_family::wqt15xx, config_family::wqt35xx,
                            config_family::wqt45xx, config_family::wqt55xx})
        EXPECT_EQ(find_item(f, 94), nullptr) << family_label(f);
    EXPECT_EQ(find_item(config_family::wqt15xx, 23), nullptr);
    EXPECT_EQ(find_item(config_family::wqt25xx, 23), nullptr);
    for (config_family f : kFamilies) {
        EXPECT_EQ(find_item(f, 0), nullptr) << family_label(f);
        EXPECT_EQ(find_item(f, 2), nullptr) << family_label(f);
    }
}

TEST(ItemTables, CoreItemsAlikeInEveryFamily) {
    for (int id : kCoreIds) {
        const item_def* ref = find_item(config_family::wqt15xx, id);
        ASSERT_NE(ref, nullptr) << id;
        for (config_family f : kFamilies) {
            const item_def* d = find_item(f, id);
            ASSERT_NE(d, nullptr) << family_label(f) << " id " << id;
            EXPECT_EQ(d->kind, ref->kind) << family_label(f) << " id " << id;
            EXPECT_EQ(d->wire_id, id) << family_label(f);
            EXPECT_EQ(d->minimum, ref->minimum) << family_label(f) << " id " << id;
            EXPECT_EQ(d->maximum, ref->maximum) << family_label(f) << " id " << id;
            ASSERT_EQ(d->option_count, ref->option_count) << family_label(f) << " id " << id;
            for (unsigned k = 0; k < d->option_count; ++k)
                EXPECT_STREQ(d->options[k], ref->options[k]) << family_label(f) << " id " << id;
        }
    }
}

// Every option of a list item is a position its bounds let through: an
// option beyond the maximum would show as chosen and never be sent. (The
// maximum may lie above the last option, as the bounds hold the numbers the
// instrument reads back too.)
TEST(ItemTables, EveryOptionLiesWithinTheBounds) {
    for (config_family f : kFamilies) {
        item_def_table t = family_item_definitions(f);
        for (size_t i = 0; i < t.count; ++i) {
            const item_def& d = t.items[i];
            if (d.option_count == 0) continue;
            EXPECT_LE(d.minimum, 0.0) << family_label(f) << " id " << d.id;
            if (d.maximum != kNone) {
                EXPECT_LE(d.option_count - 1, d.maximum) << family_label(f) << " id " << d.id;
            }
        }
    }
}

TEST(ItemTables, CoreItemSamples) {
    const config_family f = config_family::wqt45xx;
    const item_def* d = find_item(f, 6);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->minimum, 0.0);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 0), "-180\xB0 to +180\xB0");
    EXPECT_EQ(option(d, 2), "0\xB0 to +360\xB0");

    d = find_item(f, 72);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 3.0);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 0), "Fixed Time");
    EXPECT_EQ(option(d, 3), "Slow");

    d = find_item(f, 108);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 0), "None");
    EXPECT_EQ(option(d, 3), "75%");

    d = find_item(f, 128);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 7.0);
    ASSERT_EQ(d->option_count, 8);
    EXPECT_EQ(option(d, 0), "0\xB0");
    EXPECT_EQ(option(d, 7), "315\xB0");

    d = find_item(f, 131);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "High Distortion");

    d = find_item(f, 137);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 0), "Auto");
    EXPECT_EQ(option(d, 3), "Impedance");

    d = find_item(f, 150);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 0), "Ch2 / Ch1");

    d = find_item(f, 14);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "None");

    for (int id : {85, 86, 95, 96, 102, 103, 106, 107, 132, 133}) {
        d = find_item(f, id);
        ASSERT_NE(d, nullptr) << id;
        EXPECT_EQ(d->kind, kText) << id;
        EXPECT_EQ(d->minimum, kNone) << id;
        EXPECT_EQ(d->maximum, kNone) << id;
    }
}

TEST(ItemTables, Windows1252Bytes) {
    const item_def* temp = find_item(config_family::wqt15xx, 80);
    ASSERT_NE(temp, nullptr);
    ASSERT_EQ(temp->option_count, 3);
    EXPECT_EQ(std::strlen(temp->options[1]), 2u);
    EXPECT_EQ(static_cast<unsigned char>(temp->options[1][0]), 0xB0);
    EXPECT_EQ(temp->options[1][1], 'C');
    EXPECT_EQ(static_cast<unsigned char>(temp->options[2][0]), 0xB0);
    EXPECT_EQ(temp->options[2][1], 'F');

    const item_def* phase = find_item(config_family::wqt55xx, 6);
    ASSERT_NE(phase, nullptr);
    EXPECT_EQ(static_cast<unsigned char>(phase->options[1][1]), 0xB0); // "0° to -360°"
    EXPECT_EQ(std::strlen(phase->options[1]), 11u);

    // "ðW" in both line-selection lists.
    const item_def* pen15 = find_item(config_family::wqt15xx, 141);
    const item_def* pen35 = find_item(config_family::wqt35xx, 142);
    ASSERT_NE(pen15, nullptr);
    ASSERT_NE(pen35, nullptr);
    for (const item_def* d : {pen15, pen35}) {
        ASSERT_GT(d->option_count, 8);
        EXPECT_EQ(std::strlen(d->options[8]), 2u);
        EXPECT_EQ(static_cast<unsigned char>(d->options[8][0]), 0xF0);
        EXPECT_EQ(d->options[8][1], 'W');
    }
}

TEST(ItemTables, AutorangeTabInTwoFamilies) {
    for (config_family f : kFamilies) {
        const bool tab = f == config_family::wqt25xx || f == config_family::wqt45xx;
        for (int id : {29, 181, 205}) {
            const item_def* d = find_item(f, id);
            ASSERT_NE(d, nullptr) << family_label(f) << " id " << id;
            ASSERT_EQ(d->option_count, 3) << family_label(f) << " id " << id;
            EXPECT_EQ(option(d, 0), "Full Autorange");
            EXPECT_EQ(option(d, 1), tab ? "Autorange u\tp" : "Autorange up")
                << family_label(f) << " id " << id;
            EXPECT_EQ(option(d, 2), "Manual");
            if (tab) {
                EXPECT_EQ(std::strlen(d->options[1]), 13u);
                EXPECT_EQ(d->options[1][11], '\x09');
            }
        }
        // The voltage autoranging lists have no tab in any family.
        for (int id : {28, 180, 204}) EXPECT_EQ(option(find_item(f, id), 1), "Autorange up");
    }
}

TEST(ItemTables, WireIdsEqualIdsButOne) {
    for (config_family f : kFamilies) {
        item_def_table t = family_item_definitions(f);
        for (size_t i = 0; i < t.count; ++i) {
            const item_def& d = t.items[i];
            if (f == config_family::wqt35xx && d.id == 216) {
                EXPECT_EQ(d.wire_id, 143);
            } else {
                EXPECT_EQ(d.wire_id, d.id) << family_label(f);
            }
        }
    }
    const item_def* probe = find_item(config_family::wqt35xx, 216);
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->kind, kList);
    EXPECT_EQ(probe->minimum, 0.0);
    EXPECT_EQ(probe->maximum, 5.0);
    ASSERT_EQ(probe->option_count, 3);
    EXPECT_EQ(option(probe, 0), "Normal");
    EXPECT_EQ(option(probe, 1), "-19.2us");
    EXPECT_EQ(option(probe, 2), "-3.857us");
    // The 35xx item 143 itself stays the "Last Line" selection.
    const item_def* last = find_item(config_family::wqt35xx, 143);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->wire_id, 143);
    EXPECT_EQ(last->maximum, 3.0);
    ASSERT_EQ(last->option_count, 4);
    EXPECT_EQ(option(last, 3), "Maths Functions");
}

TEST(ItemTables, SmallLowerBoundsJustBelowDecimals) {
    const double below_1e4 = find_item(config_family::wqt15xx, 34)->minimum;
    EXPECT_EQ(below_1e4, 9.999999999999999e-5);
    EXPECT_LT(below_1e4, 0.0001);
    EXPECT_EQ(std::nextafter(below_1e4, 1.0), 0.0001);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.16g", below_1e4);
    EXPECT_STREQ(buf, "9.999999999999999e-05");
    for (int id : {35, 186, 187, 210, 211})
        EXPECT_EQ(find_item(config_family::wqt15xx, id)->minimum, below_1e4) << id;

    const double below_1e5 = find_item(config_family::wqt15xx, 48)->minimum;
    EXPECT_EQ(below_1e5, 9.999999999999999e-6);
    EXPECT_LT(below_1e5, 0.00001);
    EXPECT_EQ(std::nextafter(below_1e5, 1.0), 0.00001);
    std::snprintf(buf, sizeof buf, "%.16g", below_1e5);
    EXPECT_STREQ(buf, "9.999999999999999e-06");
    EXPECT_EQ(find_item(config_family::wqt45xx, 48)->minimum, below_1e5);
    EXPECT_EQ(find_item(config_family::wqt45xx, 69)->minimum, below_1e5);
    EXPECT_EQ(find_item(config_family::wqt45xx, 69)->maximum, 500.0);
    // The same items without bounds in the families that give none.
    EXPECT_EQ(find_item(config_family::wqt35xx, 34)->minimum, kNone);
    EXPECT_EQ(find_item(config_family::wqt55xx, 48)->minimum, kNone);
}

TEST(ItemTables, Samples15xx) {
    const config_family f = config_family::wqt15xx;
    const item_def* d = find_item(f, 1);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 7.0);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 0), "RMS Voltmeter");
    EXPECT_EQ(option(d, 6), "Oscilloscope");

    d = find_item(f, 12);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);
    EXPECT_EQ(d->minimum, 0.01);
    EXPECT_EQ(d->maximum, 100.0);

    d = find_item(f, 32);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->minimum, 1e-9);
    EXPECT_EQ(d->maximum, 1e9);
    EXPECT_EQ(find_item(f, 34)->maximum, 1000000.0);
    EXPECT_EQ(find_item(f, 35)->maximum, 1e9);
    EXPECT_EQ(find_item(f, 37)->minimum, 250.0);
    EXPECT_EQ(find_item(f, 37)->maximum, 250000.0);
    EXPECT_EQ(find_item(f, 48)->maximum, 2200000.0);
    EXPECT_EQ(find_item(f, 59)->minimum, 0.0);
    EXPECT_EQ(find_item(f, 59)->maximum, 3600.0);
    EXPECT_EQ(find_item(f, 130)->minimum, 10.0);
    EXPECT_EQ(find_item(f, 130)->maximum, 1000.0);

    d = find_item(f, 24);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 4.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Internal x10");

    d = find_item(f, 27);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 8.0);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 0), "300mA");
    EXPECT_EQ(option(d, 6), "300A");

    d = find_item(f, 70);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 9.0);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 3), "Standby Power");
    EXPECT_EQ(option(d, 4), "Calibration");

    d = find_item(f, 82);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 8);
    EXPECT_EQ(option(d, 7), "Single Phase 1 + Phase 2");

    d = find_item(f, 93);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 8.0);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 3), "Phase 3 / Sum");

    d = find_item(f, 100);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kList);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->minimum, 2.0);
    EXPECT_EQ(d->maximum, 50.0);

    d = find_item(f, 122);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 8.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Switch Input");

    d = find_item(f, 142);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 9.0);
    ASSERT_EQ(d->option_count, 10);
    EXPECT_EQ(option(d, 9), "VAxPF.f");

    d = find_item(f, 140);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 1), "Seperate");
    EXPECT_EQ(option(d, 4), "Maximum Unfiltered");

    d = find_item(f, 228);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "Enabled");

    d = find_item(f, 54);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 0), "Enabled");
    EXPECT_EQ(option(d, 1), "Disabled");
}

TEST(ItemTables, Samples25xx) {
    const config_family f = config_family::wqt25xx;
    const item_def* d = find_item(f, 3);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 4.0);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 3), "sSlave");

    d = find_item(f, 13);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 4.0);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 3), "Fast");
    EXPECT_EQ(option(d, 4), "Window");

    d = find_item(f, 12);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);
    EXPECT_EQ(d->minimum, kNone);
    EXPECT_EQ(d->maximum, kNone);

    d = find_item(f, 24);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 3.0);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "External Attenuator");

    d = find_item(f, 31);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 0), "Wide (DC-2MHz)");
    EXPECT_EQ(option(d, 2), "DC (DC-5Hz)");

    d = find_item(f, 40);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 3.0);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 3), "AC Line");

    d = find_item(f, 58);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Non-Volatile");

    d = find_item(f, 70);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 7.0);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 1), "PWM Motor Drive");
    EXPECT_EQ(option(d, 6), "Calibration");

    d = find_item(f, 71);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 0), "4kHz");
    EXPECT_EQ(option(d, 6), "16kHz");

    d = find_item(f, 82);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 6.0);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 6), "3 Phase 2 Wattmeter + Phase 3");

    d = find_item(f, 93);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 3), "Slave / Master");
    EXPECT_EQ(option(d, 8), "Sum / Phase 3");

    d = find_item(f, 100);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->maximum, 7500.0);

    d = find_item(f, 87);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);

    d = find_item(f, 122);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 8.0);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "KOVA Inrush Switch");

    d = find_item(f, 136);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 0), "Master");
    EXPECT_EQ(option(d, 1), "Slave");
}

TEST(ItemTables, Samples35xx) {
    const config_family f = config_family::wqt35xx;
    const item_def* d = find_item(f, 23);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 6.0);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 0), "1+2+3 : 4+5+6");
    EXPECT_EQ(option(d, 4), "1+2+3 : 1+2+3");

    d = find_item(f, 26);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 10.0);
    ASSERT_EQ(d->option_count, 10);
    EXPECT_EQ(option(d, 0), "100mV");
    EXPECT_EQ(option(d, 9), "3kV");

    d = find_item(f, 203);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 10.0);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 0), "30mA");
    EXPECT_EQ(option(d, 8), "300A");

    d = find_item(f, 31);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 1.0);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "Low (dc - 200kHz)");

    d = find_item(f, 58);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 2), "Internal");

    d = find_item(f, 71);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 8.0);
    ASSERT_EQ(d->option_count, 7);

    d = find_item(f, 84);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 1), "Analogue");

    d = find_item(f, 87);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kList);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->minimum, 1.0);
    EXPECT_EQ(d->maximum, 9999.0);

    d = find_item(f, 93);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 1), "Next Phase / Phase");
    EXPECT_EQ(option(d, 3), "Group 2 / Group 1");

    d = find_item(f, 99);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 9.0);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 7), "Harmonic RMS");
    EXPECT_EQ(option(d, 8), "Harmonic Factor");

    d = find_item(f, 122);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 13.0);
    ASSERT_EQ(d->option_count, 6);
    EXPECT_EQ(option(d, 5), "ZEM40-16 Analogue I/O");

    d = find_item(f, 134);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 2), "Star-Delta");

    d = find_item(f, 141);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 11.0);
    ASSERT_EQ(d->option_count, 12);
    EXPECT_EQ(option(d, 9), "Mechanical");
    EXPECT_EQ(option(d, 11), "K Factor");

    d = find_item(f, 190);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Speed Input");

    d = find_item(f, 219);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 3), "-8v");

    d = find_item(f, 220);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "Group 2");

    d = find_item(f, 234);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->minimum, 1.0);
    EXPECT_EQ(d->maximum, 99.0);

    d = find_item(f, 97);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);
}

TEST(ItemTables, Samples45xx) {
    const config_family f = config_family::wqt45xx;
    const item_def* d = find_item(f, 23);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Phase 3");

    d = find_item(f, 26);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 9.0);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 0), "300mV");
    EXPECT_EQ(option(d, 8), "3kV");

    d = find_item(f, 179);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 8);
    EXPECT_EQ(option(d, 0), "100mA");
    EXPECT_EQ(option(d, 7), "300A");

    EXPECT_EQ(find_item(f, 12)->minimum, 0.01);
    EXPECT_EQ(find_item(f, 37)->minimum, 1000.0);
    EXPECT_EQ(find_item(f, 189)->maximum, 250000.0);
    EXPECT_EQ(find_item(f, 213)->minimum, 1000.0);
    EXPECT_EQ(find_item(f, 59)->minimum, 0.2);
    EXPECT_EQ(find_item(f, 59)->maximum, 3600.0);

    d = find_item(f, 82);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 7.0);
    ASSERT_EQ(d->option_count, 8);
    EXPECT_EQ(option(d, 7), "Independant");

    d = find_item(f, 84);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 1), "Analogue Speed");

    d = find_item(f, 99);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 10);
    EXPECT_EQ(option(d, 7), "Interharmonic Sweep");
    EXPECT_EQ(option(d, 9), "Harmonic Factor");

    d = find_item(f, 134);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 4.0);
    ASSERT_EQ(d->option_count, 5);
    EXPECT_EQ(option(d, 0), "ph-ph RMS");
    EXPECT_EQ(option(d, 4), "Star-Delta type A");

    d = find_item(f, 143);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 5.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "-3.857us");

    d = find_item(f, 145);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 2), "Phase Angle Reference");

    d = find_item(f, 218);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 1), "Excluding DC");

    d = find_item(f, 58);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 2), "Non-Volatile");
    EXPECT_EQ(option(d, 3), "USB Memory Stick");

    for (int id : {39, 68, 147, 148, 191, 215}) EXPECT_EQ(find_item(f, id)->kind, kText) << id;
}

TEST(ItemTables, Samples55xx) {
    const config_family f = config_family::wqt55xx;
    const item_def* d = find_item(f, 1);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 9.0);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 7), "Fluctuating Harmonics");
    EXPECT_EQ(option(d, 8), "Flickermeter");

    d = find_item(f, 23);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->minimum, 0.0);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 3);

    d = find_item(f, 58);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 2), "Internal FLASH");

    EXPECT_EQ(find_item(f, 69)->minimum, 0.01);
    EXPECT_EQ(find_item(f, 69)->maximum, 500.0);
    EXPECT_EQ(find_item(f, 139)->minimum, -90.0);
    EXPECT_EQ(find_item(f, 139)->maximum, 90.0);
    // Only a lower bound.
    d = find_item(f, 175);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);
    EXPECT_EQ(d->minimum, 0.0);
    EXPECT_EQ(d->maximum, kNone);

    d = find_item(f, 70);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 9);
    EXPECT_EQ(option(d, 7), "Harmonics/Flicker");
    EXPECT_EQ(option(d, 8), "Aircraft TVF105");

    d = find_item(f, 98);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 1), "Fluctuating Harmonics");

    d = find_item(f, 124);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 4);
    EXPECT_EQ(option(d, 3), "Attend");

    d = find_item(f, 125);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 2);

    d = find_item(f, 126);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->minimum, 0.0);
    EXPECT_EQ(d->maximum, 255.0);
    d = find_item(f, 127);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->options, nullptr);
    EXPECT_EQ(d->maximum, 1008.0);

    d = find_item(f, 141);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->kind, kText);
    d = find_item(f, 142);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 1.0);
    EXPECT_EQ(option(d, 0), "Disabled");

    d = find_item(f, 149);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 0), "Enabled");

    d = find_item(f, 172);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->option_count, 2);
    EXPECT_EQ(option(d, 0), "IEC61000-3-2 (harmonics)");
    EXPECT_EQ(option(d, 1), "IEC61000-3-3 (flicker)");

    d = find_item(f, 173);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 6.0);
    ASSERT_EQ(d->option_count, 7);
    EXPECT_EQ(option(d, 3), "C - Dimmer");
    EXPECT_EQ(option(d, 6), "D - Fridge");

    d = find_item(f, 220);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->maximum, 2.0);
    ASSERT_EQ(d->option_count, 3);
    EXPECT_EQ(option(d, 0), "BSEN61000");
    EXPECT_EQ(option(d, 2), "IEC61000");

    d = find_item(f, 105);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 1), "Extended Frequency Mode");

    d = find_item(f, 29);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(option(d, 1), "Autorange up");
}

TEST(ItemNames, NamedCountsAndUnusedAtUndefinedIds) {
    const std::map<config_family, int> named = {
        {config_family::wqt15xx, 127}, {config_family::wqt25xx, 112},
        {config_family::wqt35xx, 141}, {config_family::wqt45xx, 145},
        {config_family::wqt55xx, 162},
    };
    for (config_family f : kFamilies) {
        const char* const* names = config_item_names(f);
        ASSERT_NE(names, nullptr);
        const std::set<int> defined = defined_ids(f);
        const std::set<int>& unused = unused_but_defined().at(f);
        int count = 0;
        for (int id = 0; id < 256; ++id) {
            ASSERT_NE(names[id], nullptr) << family_label(f) << " id " << id;
            const bool is_unused = std::string(names[id]) == "Unused";
            if (!is_unused) ++count;
            if (defined.count(id)) {
                EXPECT_EQ(is_unused, unused.count(id) == 1) << family_label(f) << " id " << id;
            } else if (!(f == config_family::wqt55xx && id == 216)) {
                EXPECT_TRUE(is_unused) << family_label(f) << " id " << id << ": " << names[id];
            }
        }
        EXPECT_EQ(count, named.at(f)) << family_label(f);
    }
    // Named although the family does not define it.
    EXPECT_EQ(find_item(config_family::wqt55xx, 216), nullptr);
    EXPECT_EQ(name_of(config_family::wqt55xx, 216), "Probe Compensation");
    // Defined although named "Unused".
    for (const auto& entry : unused_but_defined())
        for (int id : entry.second) {
            EXPECT_NE(find_item(entry.first, id), nullptr) << family_label(entry.first) << " " << id;
            EXPECT_EQ(name_of(entry.first, id), "Unused") << family_label(entry.first) << " " << id;
        }
    EXPECT_EQ(find_item(config_family::wqt15xx, 98)->option_count, 2);
    EXPECT_EQ(find_item(config_family::wqt25xx, 214)->option_count, 2);
    EXPECT_EQ(find_item(config_family::wqt35xx, 112)->option_count, 3);
}

TEST(ItemNames, CoreNamesThatDifferByFamily) {
    using F = config_family;
    struct row { int id; const char* n15; const char* n25; const char* n35; const char* n45; const char* n55; };
    const row rows[] = {
        {22, "Independent Input", "Independent Input", "Independent Range", "Independent Input",
         "Independent Input"},
        {50, "Prog 1-4 Direct Download", "Prog 1-6 Direct Download", "Prog 1-4 Direct Download",
         "Prog 1-6 Direct Download", "Prog 1-6 Direct Download"},
        {85, "Scale Factor 1", "Scale Factor 1", "Scale Factor Nm/Hz", "Scale Factor Nm/Hz",
         "Scale Factor Nm/Hz"},
        {86, "Scale Factor 2", "Scale Factor 2", "Scale Factor pulses/rev",
         "Scale Factor pulses/rev", "Scale Factor pulses/rev"},
        {92, "Var Sign", "Var Sign", "Var Sign", "Var Sign", "VAr Sign"},
        {103, "Current", "Current", "Equipment Current Rating", "Current Rating", "Current"},
        {112, "Trigger Reference", "Trigger Phase", "Unused", "Trigger Phase", "Trigger Phase"},
        {131, "Sum VA and VAr", "2Watt Sum Computation", "Sum VA and VAr", "Sum VA and VAr Comp.",
         "Sum VA and VAr Comp."},
        {138, "Measurement", "Model", "Measurement", "Measurement", "Measurement"},
        // Alike in every family.
        {4, "Auto Zero", "Auto Zero", "Auto Zero", "Auto Zero", "Auto Zero"},
        {53, "Phase Angle reference", "Phase Angle reference", "Phase Angle reference",
         "Phase Angle reference", "Phase Angle reference"},
        {206, "Coupling", "Coupling", "Coupling", "Coupling", "Coupling"},
    };
    for (const row& r : rows) {
        EXPECT_EQ(name_of(F::wqt15xx, r.id), r.n15) << r.id;
        EXPECT_EQ(name_of(F::wqt25xx, r.id), r.n25) << r.id;
        EXPECT_EQ(name_of(F::wqt35xx, r.id), r.n35) << r.id;
        EXPECT_EQ(name_of(F::wqt45xx, r.id), r.n45) << r.id;
        EXPECT_EQ(name_of(F::wqt55xx, r.id), r.n55) << r.id;
    }
}

TEST(ItemNames, FamilySamples) {
    using F = config_family;
    EXPECT_EQ(name_of(F::wqt15xx, 1), "Mode");
    EXPECT_EQ(name_of(F::wqt15xx, 101), "Harmonic series up to");
    EXPECT_EQ(name_of(F::wqt15xx, 143), "Last Line");
    EXPECT_EQ(name_of(F::wqt15xx, 208), "Voltage Scale factor");
    EXPECT_EQ(name_of(F::wqt15xx, 228), "Ext. Syst. Scaling");
    EXPECT_EQ(name_of(F::wqt15xx, 130), "AC Line");

    EXPECT_EQ(name_of(F::wqt25xx, 3), "Master/Slave");
    EXPECT_EQ(name_of(F::wqt25xx, 60), "Highspeed");
    EXPECT_EQ(name_of(F::wqt25xx, 84), "Torque Speed");
    EXPECT_EQ(name_of(F::wqt25xx, 94), "Range Lock across phases");
    EXPECT_EQ(name_of(F::wqt25xx, 130), "Gear Ratio");
    EXPECT_EQ(name_of(F::wqt25xx, 136), "Mechanical");

    EXPECT_EQ(name_of(F::wqt35xx, 23), "Grouping");
    EXPECT_EQ(name_of(F::wqt35xx, 84), "Torque + speed");
    EXPECT_EQ(name_of(F::wqt35xx, 97), "Equipment Voltage Rating");
    EXPECT_EQ(name_of(F::wqt35xx, 197), "High speed");
    EXPECT_EQ(name_of(F::wqt35xx, 217), "Synchronise Window");
    EXPECT_EQ(name_of(F::wqt35xx, 228), "Extern. System Scaling");
    EXPECT_EQ(name_of(F::wqt35xx, 234), "Location");

    EXPECT_EQ(name_of(F::wqt45xx, 23), "Time Reference");
    EXPECT_EQ(name_of(F::wqt45xx, 97), "Voltage Rating");
    EXPECT_EQ(name_of(F::wqt45xx, 143), "Probe Compensation");
    EXPECT_EQ(name_of(F::wqt45xx, 209), "Scale factor");
    EXPECT_EQ(name_of(F::wqt45xx, 197), "Highspeed");
    EXPECT_EQ(name_of(F::wqt45xx, 68), "Frequency Step");

    EXPECT_EQ(name_of(F::wqt55xx, 52), "Frequency Filter");
    EXPECT_EQ(name_of(F::wqt55xx, 97), "Voltage");
    EXPECT_EQ(name_of(F::wqt55xx, 98), "HARM key function");
    EXPECT_EQ(name_of(F::wqt55xx, 124), "D(t) Testing");
    EXPECT_EQ(name_of(F::wqt55xx, 141), "Impedance Scaling");
    EXPECT_EQ(name_of(F::wqt55xx, 175), "Power");
    EXPECT_EQ(name_of(F::wqt55xx, 209), "Current Scale factor");
    EXPECT_EQ(name_of(F::wqt55xx, 220), "Standard");

    for (config_family f : kFamilies) {
        EXPECT_EQ(name_of(f, 0), "Unused") << family_label(f);
        EXPECT_EQ(name_of(f, 255), "Unused") << family_label(f);
    }
}
