// Configuration summaries: each family's fresh summary text, the item line
// layout, values outside their options, and every output the text goes to.
#include "config/config_summary.h"

#include "link/link_record.h"
#include "link/transport.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_lines.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A record of an instrument: only the identification reply and the model
// code matter to a summary.
std::unique_ptr<link_record> instrument(const char* reply, uint32_t model_code)
{
    auto record = std::make_unique<link_record>();
    clear_link_record(record.get());
    std::snprintf(record->idn_reply, sizeof record->idn_reply, "%s", reply);
    record->model_code = model_code;
    return record;
}

// An item line as the summaries print it, for labels under 30 characters.
std::string item(const std::string& label, const std::string& value)
{
    return "\t" + label + std::string(30 - label.size(), ' ') + "\t" + value;
}

// The body of a fresh 35xx summary (either group), line by line from the
// family's rows and the first option (or the empty text) of each item.
const std::vector<std::string> k35xxFreshBody = {
    "Acquisition",
    item("Grouping", "1+2+3 : 4+5+6"),
    item("Wiring", "Single Phase 1"),
    item("Speed", "Very Slow"),
    item("Window", ""),
    item("Smoothing", "Normal"),
    item("Smoothing Response", "Auto-reset"),
    item("Frequency Reference", "Voltage"),
    item("Phase 2 Reference", "Voltage"),
    item("Phase 3 Reference", "Voltage"),
    item("Frequency Reference", "Phase 1"),
    item("Low Frequency", "Off"),
    item("Minimum Frequency", ""),
    item("Phase Angle reference", "Voltage"),
    item("DFT Selectivity", "Normal"),
    item("Ignore Overload", "Off"),
    item("Frequency Lock", "Normal"),
    item("Frequency", ""),
    item("Watts", "Signed"),
    "Coupling Phase1",
    item("Coupling", "AC + DC"),
    item("Bandwidth", "Wide (dc - 1MHz)"),
    item("Noise Filter", "Off"),
    item("Bandwidth", ""),
    "Coupling Phase2",
    item("Coupling", "AC + DC"),
    item("Bandwidth", "Wide (dc - 1MHz)"),
    item("Noise Filter", "Off"),
    item("Bandwidth", ""),
    "Coupling Phase3",
    item("Coupling", "AC + DC"),
    item("Bandwidth", "Wide (dc - 1MHz)"),
    item("Noise Filter", "Off"),
    item("Bandwidth", ""),
    "Range Phase1",
    item("Voltage Input", "Internal"),
    item("Voltage Autoranging", "Full Autorange"),
    item("Voltage Minimum Range", "100mV"),
    item("Voltage Scale Factor", ""),
    item("Voltage Attenuator", ""),
    item("Current Input", "Internal"),
    item("Current Autoranging", "Full Autorange"),
    item("Current Minimum Range", "30mA"),
    item("Current Scale Factor", ""),
    item("Current Shunt", ""),
    "Range Phase2",
    item("Voltage Input", "Internal"),
    item("Voltage Autoranging", "Full Autorange"),
    item("Voltage Minimum Range", "100mV"),
    item("Voltage Scale Factor", ""),
    item("Voltage Attenuator", ""),
    item("Current Input", "Internal"),
    item("Current Autoranging", "Full Autorange"),
    item("Current Minimum Range", "30mA"),
    item("Current Scale Factor", ""),
    item("Current Shunt", ""),
    "Range Phase3",
    item("Voltage Input", "Internal"),
    item("Voltage Autoranging", "Full Autorange"),
    item("Voltage Minimum Range", "100mV"),
    item("Voltage Scale factor", ""),
    item("Voltage Attenuator", ""),
    item("Current Input", "Internal"),
    item("Current Autoranging", "Full Autorange"),
    item("Current Minimum Range", "30mA"),
    item("Current Scale factor", ""),
    item("Current Shunt", ""),
    "Datalog",
    item("Datalog", "Disabled"),
    item("Interval", ""),
    item("Graph", "Together"),
    item("Zoom 1", "Enabled"),
    item("Zoom 2", "Enabled"),
    item("Zoom 3", "Enabled"),
    item("Zoom 4", "Enabled"),
    "Application",
    item("Mode", "Normal"),
    item("Temperature", "Disabled"),
    item("Frequency Tracking", "Fixed Time"),
    item("Frequency Filter", "4kHz"),
    item("Low Frequency", "Off"),
    item("Torque + speed", "Disabled"),
    item("Scale Factor Nm/Hz", ""),
    item("Offset 1", ""),
    item("Scale Factor pulses/rev", ""),
    item("Offset 2", ""),
    item("Efficiency", "Disabled"),
    item("Frequency Filtering", "Off"),
    "Auxilliary",
    item("Device", "None"),
    item("Switch Phase Offset", "0\xB0"),
    item("Switch On Cycles", "Single Cycle"),
    item("Sum Watts", "Master"),
    "System",
    item("Phase Convention", "-180\xB0 to +180\xB0"),
    item("Low Blanking", "Disabled"),
    item("Keyboard Beep", "Disabled"),
    item("Auto Zero", "Auto"),
    item("Prog 1-4 Direct Download", "Disabled"),
    item("Zoom 2 High Res", "Disabled"),
    item("Independent Range", "Disabled"),
    item("Phase Angle Reference", "Cosine"),
    "Mode",
    item("Mode", "RMS Voltmeter"),
    "RMS Voltmeter",
    item("Rectified Mean", "Absolute"),
    item("Peak", "Signed"),
    item("Last Line", "Disabled"),
    "Phasemeter",
    item("Computation", "Ch2 / Ch1"),
    "Power Analyser",
    item("Var Sign", "Negative Lagging"),
    item("PF Sign", "Negative Lagging"),
    item("Sum Current", "Total"),
    item("Difference THD", "Disabled"),
    item("Conversion", "ph-ph RMS"),
    item("Input Compensation", "Disabled"),
    item("Sum VA and VAr", "Low Distortion"),
    item("Last Line", "Disabled"),
    item("Penultimate Line", "Disabled"),
    "Impedance Analyser",
    item("Parameter", "Auto"),
    item("Measurement", "Series"),
    item("Phase Offset", ""),
    "Power Integrator",
    item("Integration", "Signed"),
    item("Display", "Total"),
    item("Run Time", ""),
    item("Minutes", ""),
};

TEST(ConfigSummary, AFresh35xxSummaryOfEitherGroup)
{
    const char* reply = "TROSVALDEN,WQT3530,12345,1.02";
    const struct {
        uint8_t group2_flag;
        const char* reply;
        std::string first_line;
    } cases[] = {
        {0, reply, std::string(reply) + "Group 1"},
        {1, "", "Group 2"},
        // The first line follows the reply, not the object's group.
        {1, reply, std::string(reply) + "Group 1"},
    };
    for (const auto& c : cases) {
        wqt_cfg_35xx config(c.group2_flag);
        std::vector<std::string> expected = {c.first_line};
        expected.insert(expected.end(), k35xxFreshBody.begin(), k35xxFreshBody.end());
        const std::string text = wqt_cfg_35xx_build_summary(config, *instrument(c.reply, 16)).str();
        EXPECT_EQ(lines_of(text), expected) << c.first_line;
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\n');
        EXPECT_EQ(text.find('\r'), std::string::npos) << "line ends are the stream's to translate";
    }
}

// Line counts, first, chosen and last lines of the other families.
TEST(ConfigSummary, FreshSummariesOfTheOtherFamilies)
{
    const char* reply = "TROSVALDEN,WQT5,1,2";
    wqt_cfg_15xx c15;
    wqt_cfg_25xx c25;
    wqt_cfg_45xx c45;
    wqt_cfg_55xx c55;
    const struct {
        std::stringstream text;
        size_t lines;
        size_t chosen;
        std::string chosen_line;
        std::string last_line;
    } cases[] = {
        {wqt_cfg_15xx_build_summary(c15, *instrument(reply, 1)), 144, 78,
         item("Unused", "Disabled"), item("Trace", "Dual")},
        {wqt_cfg_15xx_build_summary(c15, *instrument(reply, 6)), 134, 20,
         "Coupling Phase1", item("Harmonic series up to", "0")},
        {wqt_cfg_25xx_build_summary(c25, *instrument(reply, 2)), 128, 37,
         item("Range Lock across phases", "Disabled"), item("Cursors", "Off")},
        {wqt_cfg_45xx_build_summary(c45, *instrument(reply, 4)), 159, 69,
         item("Scale factor", ""), item("Trace", "Dual")},
        {wqt_cfg_55xx_build_summary(c55, *instrument(reply, 5)), 169, 102,
         item("T Short", "0"), item("Trace", "Dual")},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> lines = lines_of(c.text.str());
        SCOPED_TRACE(c.chosen_line);
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines.front(), reply);
        EXPECT_EQ(lines[1], "Acquisition");
        EXPECT_EQ(lines[2], item("Wiring", "Single Phase 1"));
        EXPECT_EQ(lines[c.chosen], c.chosen_line);
        EXPECT_EQ(lines.back(), c.last_line);
    }
}

TEST(ConfigSummary, ItemLinesPadTheLabelToThirtyCharacters)
{
    const struct {
        std::string label;
        std::string display;
        std::string line;
    } cases[] = {
        {"Ignore Overload", "Off", "\tIgnore Overload               \tOff\n"},
        {"", "x", "\t                              \tx\n"},
        {std::string(29, 'a'), "", "\t" + std::string(29, 'a') + " \t\n"},
        {std::string(30, 'b'), "On", "\t" + std::string(30, 'b') + "\tOn\n"},
        {std::string(41, 'c'), "1", "\t" + std::string(41, 'c') + "\t1\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        write_summary_item_line(out, c.label.c_str(), c.display);
        EXPECT_EQ(out.str(), c.line) << c.label;
    }
}

TEST(ConfigSummary, AValueOutsideItsOptionsPrintsNothingAfterTheTab)
{
    wqt_cfg_55xx config;
    config.set_value_int(82, 99);
    config.set_value_int(13, -1);
    const std::vector<std::string> lines =
        lines_of(wqt_cfg_55xx_build_summary(config, *instrument("X", 5)).str());
    EXPECT_EQ(lines.at(2), item("Wiring", ""));
    EXPECT_EQ(lines.at(3), item("Speed", ""));
}

TEST(ConfigSummary, EveryTargetReceivesTheBuilderText)
{
    wqt_cfg_45xx config;
    config.set_value_text(12, "0.5");
    auto record = instrument("TROSVALDEN,WQT4506,7,1", 4);
    const std::string expected = wqt_cfg_45xx_build_summary(config, *record).str();

    std::ostringstream to_ostream;
    config.write_summary_to_ostream_for_instrument(to_ostream, *record);
    std::stringstream to_iostream;
    config.write_summary_to_stream_for_instrument(to_iostream, *record);
    EXPECT_EQ(to_ostream.str(), expected);
    EXPECT_EQ(to_iostream.str(), expected);
    EXPECT_NE(expected.find(item("Window", "0.5")), std::string::npos);

    // A file opened in binary mode holds the text byte for byte.
    temp_folder folder;
    const std::string path = folder.file("summary.txt");
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    config.write_summary_to_buffer_for_instrument(file, *record);
    std::fclose(file);
    EXPECT_EQ(read_whole_file(path), expected);
}

TEST(ConfigSummary, TheBaseClassWritesNothing)
{
    instrument_config base;
    std::shared_ptr<instrument_config> copy = instrument_config_copy(wqt_cfg_15xx());
    auto record = instrument("TROSVALDEN,WQT1520,1,1", 1);
    for (instrument_config* config : {&base, copy.get()}) {
        std::ostringstream out;
        config->write_summary_to_ostream_for_instrument(out, *record);
        std::stringstream io;
        config->write_summary_to_stream_for_instrument(io, *record);
        EXPECT_TRUE(out.str().empty());
        EXPECT_TRUE(io.str().empty());
    }
}

} // namespace
