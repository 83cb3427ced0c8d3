// The model identification table: every beginning in its order, and the
// phase count and option code some models give.
#include "link/model_identification.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kUnset = 77;

TEST(IdentifyModelCode, EveryRowInItsOrder)
{
    const struct {
        const char* text;
        uint32_t code;
        uint32_t phases;  // kUnset: left alone
        uint32_t option;
    } rows[] = {
        {"RKDX12", 18, kUnset, kUnset},     {"RKD06A", 13, kUnset, kUnset},
        {"RKD02", 13, kUnset, kUnset},      {"RKD03", 13, kUnset, kUnset},
        {"RKD18", 15, kUnset, kUnset},      {"RKD30", 15, kUnset, kUnset},
        {"RKD67", 15, kUnset, kUnset},      {"RKD100", 17, kUnset, kUnset},
        {"RKD10", 9997, kUnset, kUnset},    {"RKD2", 9997, kUnset, kUnset},
        {"RKD", 9997, kUnset, kUnset},      {"HOB3753", 9, 3, kUnset},
        {"HOB3710", 9, 2, kUnset},          {"HOB37", 9, 2, kUnset},
        {"HOB2200", 7, kUnset, kUnset},     {"HOB1700", 7, kUnset, 0},
        {"HOB1710", 7, kUnset, 2},          {"OBR-IV", 7, kUnset, 2},
        {"TEF-IV/2", 7, kUnset, 2},         {"DELK4500", 10, kUnset, kUnset},
        {"DELK5000", 11, kUnset, kUnset},   {"WQT5500", 5, kUnset, kUnset},
        {"MUV40", 5, kUnset, kUnset},       {"WQT4530", 4, kUnset, kUnset},
        {"WQT3550", 16, kUnset, kUnset},    {"WQT2510", 2, kUnset, kUnset},
        {"WQT2610", 3, kUnset, kUnset},     {"KAJ interface 2", 3, kUnset, kUnset},
        {"WQT1530", 1, kUnset, kUnset},     {"WQT520", 6, kUnset, kUnset},
        {"WQT5", 6, kUnset, kUnset},        {"GUF1", 12, kUnset, kUnset},
        {"YEB", 12, kUnset, kUnset},        {"WIZ-3", 12, kUnset, kUnset},
        {"LOMX-RS232,X1,V1", 9999, kUnset, kUnset},
        // Near misses: case, a beginning cut short, other texts.
        {"wqt5500", 0, kUnset, kUnset},     {"WQT", 0, kUnset, kUnset},
        {"HOB3", 0, kUnset, kUnset},        {"LOMX-RS23", 0, kUnset, kUnset},
        {"KAJ", 0, kUnset, kUnset},         {"WQT65", 0, kUnset, kUnset},
        {"", 0, kUnset, kUnset},            {" WQT5500", 0, kUnset, kUnset},
    };
    for (const auto& row : rows) {
        uint32_t phases = kUnset, option = kUnset;
        EXPECT_EQ(row.code, identify_model_code(row.text, &phases, &option)) << row.text;
        EXPECT_EQ(row.phases, phases) << row.text;
        EXPECT_EQ(row.option, option) << row.text;
    }
}

TEST(IdentifyModelCode, OutputsMayBeLeftOut)
{
    EXPECT_EQ(9u, identify_model_code("HOB3753", nullptr, nullptr));
    EXPECT_EQ(7u, identify_model_code("HOB1700", nullptr, nullptr));
    EXPECT_EQ(0u, identify_model_code(nullptr, nullptr, nullptr));
}

} // namespace
