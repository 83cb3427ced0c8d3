// The display-text table: fixed entries, the phase code names, the empty
// block and the four parallel parameter lists, put in place at compile time.
// Entries that nothing names hold empty texts; the null entries end the lists.
#include "frame/ui_text.h"

#include "frame/version.h"

#include <iterator>

namespace {

struct fixed_entry {
    int entry;
    const char* text;
};

// Entries named by number, in entry order.
constexpr fixed_entry fixed_entries[] = {
    {0, kProductName},
    {1, kBuildText},
    {2, "CONTROL:"},
    {3, "WQT&1"},
    {4, "WQT&2"},
    {5, "WQT&3"},
    {6, "WQT&4"},
    {8, "SETTINGS:"},
    {9, "READ WQT"},
    {10, "SET UP WQT"},
    {12, "Configuration:"},
    {13, "ACQU"},
    {14, "COUPLING"},
    {15, "RANGE"},
    {16, "DATALOG"},
    {17, "APP"},
    {18, "MATHS"},
    {19, "ALARM"},
    {20, "REMOTE"},
    {21, "AUX"},
    {22, "SYS"},
    {23, "MODE"},
    {24, "PROG"},
    {25, "Settings"},
    {26, "View"},
    {27, "Control"},
    {30, "REAL TIME"},
    {31, "GRAPH"},
    {32, "LOG"},
    {33, "START"},
    {34, "CLEAR LOG"},
    {35, "Interval"},
    {36, "Freeze Display"},
    {37, "Elapsed Log Time:"},
    {38, "00:00:00"},
    {39, "Data Settings"},
    {43, "SELECT FILE"},
    {46, "Export"},
    {49, "SHOW SETTINGS"},
    {50, "Advanced Options >"},
    {51, "< Return"},
    {52, "Configuration: %s"},
    {53, "Acquisition Control"},
    {54, "Advanced Acquisition Control"},
    {55, "Coupling"},
    {60, "Data Log"},
    {61, "Application Options"},
    {62, "Auxiliary Control"},
    {63, "System Options"},
    {64, "RMS Voltmeter"},
    {65, "Phase Meter"},
    {66, "Power Analyzer"},
    {67, "Impedance Analyzer"},
    {68, "Power Integrator"},
    {69, "Harmonic Analyzer"},
    {70, "Oscilloscope"},
    {71, "HIDE SETTINGS"},
    {77, "ZERO"},
    {78, "(s)"},
    {88, "Phase Angle Reference"},
    {95, "Fluctuating Harmonics"},
    {96, "Flickermeter"},
    {718, "WQT1 - RESULTS"},
    {719, "WQT2 - RESULTS"},
    {720, "WQT3 - RESULTS"},
    {721, "WQT4 - RESULTS"},
    {731, "View All"},
    {926, "APPEND"},
    {927, "Notes:"},
    {929, "Save to Bitmap"},
    {933, "Black and White Download"},
    {939, "Colour Download"},
    {954, "Select Colour"},
    {955, "Plots"},
    {967, "Control"},
    {972, "Harmonics View"},
    {973, "TABLE"},
    {974, "GRAPH"},
    {975, "Harmonics Control"},
    {976, "START"},
    {978, "Export to Excel"},
    {979, "EXPORT"},
    {980, "TABLE pk"},
    {986, "Phases:"},
    {987, "Zoom:"},
    {1021, "Save to Clipboard"},
    {1036, "Single"},
    {1037, "Continuous"},
    {1158, "Log to .CSV"},
    {1163, "Export to Word"},
    {1213, "Capture"},
    {1214, "Export"},
    {1215, "Import"},
    {1218, "Table View"},
    {1230, "High Speed Mode"},
    {1231, "Enter Highspeed\r\nMode"},
    {1233, "CSV File:"},
    {1234, "Select File..."},
    {1290, "MULTILOG"},
    {1430, "Log direct to .CSV?"},
    {1468, "Balance"},
    {1471, "Visible Group"},
    {1472, "Single"},
    {1473, "Start"},
    {1474, "Stop"},
    {1475, "Import"},
    {1476, "Export"},
    {1477, "Display"},
    {1478, "Focused Phase"},
    {1479, "Focused Channel"},
    {1480, "Manual log"},
    {1481, "Log real time table"},
    {1482, "Scheduled testing"},
    {1483, "Direct log to .CSV"},
    {1484, "Overwrite .CSV"},
    {1626, "More Options >"},
    {1627, "< Return"},
    {1773, "Phase 1 Ranging >"},
    {1774, "Phase 2 Ranging >"},
    {1775, "Phase 3 Ranging >"},
    {1776, "Phase 4 Ranging >"},
    {1777, "Phase 5 Ranging >"},
    {1778, "Phase 6 Ranging >"},
    {1785, "Phase 1 + 2 Ranging >"},
    {1786, "Phase 4 + 5 Ranging >"},
    {1787, "Phase 2 + 3 Ranging >"},
    {1808, "Phase 1 Ranging"},
    {1809, "Phase 2 Ranging"},
    {1810, "Phase 3 Ranging"},
    {1811, "Phase 4 Ranging"},
    {1812, "Phase 5 Ranging"},
    {1813, "Phase 6 Ranging"},
    {1820, "Phase 1 + 2 Ranging"},
    {1821, "Phase 4 + 5 Ranging"},
    {1822, "Phase 2 + 3 Ranging"},
    {1835, "Reset to Default"},
    {1900, "Group 1"},
    {1901, "Group 2"},
    {2138, "Capture"},
    {2139, "Clear"},
};

constexpr const char* phase_names[] = {
    "PH1", "PH2", "PH3", "SUM1", "NEU1", "ZEM", "PH4", "PH5", "PH6", "SUM2", "NEU2",
};

// One loggable quantity: its name in the four parallel lists.
struct parameter_names {
    const char* long_name;
    const char* short_name;
    const char* unit;
    const char* var_name; // equation variable: letters and digits, unique
};

constexpr parameter_names parameters[] = {
    {"Frequency", "Frequency", "Hz", "Freq"},
    {"Watts", "Watts", "W", "Watts"},
    {"VA", "VA", "VA", "VA"},
    {"VAr", "VAr", "VAr", "VAr"},
    {"Power Factor", "PF", "", "PF"},
    {"RMS Voltage", "V rms", "V", "Vrms"},
    {"RMS Current", "A rms", "A", "Arms"},
    {"Mean Voltage", "V mean", "V", "Vmean"},
    {"Mean Current", "A mean", "A", "Amean"},
    {"DC Voltage", "V dc", "V", "Vdc"},
    {"DC Current", "A dc", "A", "Adc"},
    {"AC Voltage", "V ac", "V", "Vac"},
    {"AC Current", "A ac", "A", "Aac"},
    {"Peak Voltage", "V pk", "V", "Vpk"},
    {"Peak Current", "A pk", "A", "Apk"},
    {"Positive Peak Voltage", "V +pk", "V", "VposPk"},
    {"Negative Peak Voltage", "V -pk", "V", "VnegPk"},
    {"Positive Peak Current", "A +pk", "A", "AposPk"},
    {"Negative Peak Current", "A -pk", "A", "AnegPk"},
    {"Voltage Crest Factor", "V CF", "", "Vcf"},
    {"Current Crest Factor", "A CF", "", "Acf"},
    {"Voltage Form Factor", "V FF", "", "Vff"},
    {"Current Form Factor", "A FF", "", "Aff"},
    {"Phase Angle", "Phase", "\xB0", "Phase"},
    {"Phase to Phase Voltage", "V ph-ph", "V", "Vphph"},
    {"Neutral Current", "A neutral", "A", "Aneutral"},
    {"Voltage Unbalance", "V Unbal.", "%", "Vunbal"},
    {"Current Unbalance", "A Unbal.", "%", "Aunbal"},
    {"Voltage THD", "V THD", "%", "Vthd"},
    {"Current THD", "A THD", "%", "Athd"},
    {"Voltage TIF", "V TIF", "", "Vtif"},
    {"Current TIF", "A TIF", "", "Atif"},
    {"Voltage THF", "V THF", "%", "Vthf"},
    {"Current TDD", "A TDD", "%", "Atdd"},
    {"Current K-Factor", "K-Factor", "", "Kfactor"},
    {"Harmonic Voltage", "Harm. V", "V", "HarmV"},
    {"Harmonic Current", "Harm. A", "A", "HarmA"},
    {"Harmonic Voltage Phase", "Harm. V Phase", "\xB0", "HarmVphase"},
    {"Harmonic Current Phase", "Harm. A Phase", "\xB0", "HarmAphase"},
    {"Harmonic Watts", "Harm. Watts", "W", "HarmWatts"},
    {"Impedance", "Z", "Ohm", "Imp"},
    {"Resistance", "R", "Ohm", "Res"},
    {"Reactance", "X", "Ohm", "Reac"},
    {"Series Resistance", "Rs", "Ohm", "Rs"},
    {"Parallel Resistance", "Rp", "Ohm", "Rp"},
    {"Series Inductance", "Ls", "H", "Ls"},
    {"Parallel Inductance", "Lp", "H", "Lp"},
    {"Series Capacitance", "Cs", "F", "Cs"},
    {"Parallel Capacitance", "Cp", "F", "Cp"},
    {"Tan Delta", "Tan Delta", "", "TanDelta"},
    {"Quality Factor", "Q", "", "Qfactor"},
    {"Gain", "Gain", "dB", "GainDb"},
    {"Voltage Ratio", "V Ratio", "", "Vratio"},
    {"Current Ratio", "A Ratio", "", "Aratio"},
    {"Watt Hours", "Wh", "Wh", "WattHours"},
    {"VA Hours", "VAh", "VAh", "VAHours"},
    {"VAr Hours", "VArh", "VArh", "VArHours"},
    {"Amp Hours", "Ah", "Ah", "AmpHours"},
    {"Average Watts", "Avg. Watts", "W", "AvgWatts"},
    {"Average Power Factor", "Avg. PF", "", "AvgPF"},
    {"Integration Time", "Int. Time", "s", "IntTime"},
    {"Inrush Current", "Inrush", "A", "Inrush"},
    {"Efficiency", "Efficiency", "%", "Efficiency"},
    {"Loss", "Loss", "W", "Loss"},
    {"Torque", "Torque", "Nm", "Torque"},
    {"Speed", "Speed", "rpm", "Speed"},
    {"Mechanical Power", "Mech. Power", "W", "MechPower"},
    {"Short Term Flicker", "Pst", "", "Pst"},
    {"Long Term Flicker", "Plt", "", "Plt"},
    {"Relative Voltage Change", "dc", "%", "FlickDc"},
    {"Maximum Voltage Change", "dmax", "%", "FlickDmax"},
    {"Time Above Limit", "Tmax", "ms", "FlickTmax"},
    {"Fundamental Voltage", "Fund. V", "V", "FundV"},
    {"Fundamental Current", "Fund. A", "A", "FundA"},
    {"Fundamental Watts", "Fund. Watts", "W", "FundWatts"},
    {"Fundamental VA", "Fund. VA", "VA", "FundVA"},
    {"Fundamental VAr", "Fund. VAr", "VAr", "FundVAr"},
    {"Fundamental Power Factor", "Fund. PF", "", "FundPF"},
    {"Fundamental Phase Angle", "Fund. Phase", "\xB0", "FundPhase"},
    {"Delta Voltage", "Delta V", "V", "DeltaV"},
    {"Delta Current", "Delta A", "A", "DeltaA"},
    {"Delta Watts", "Delta Watts", "W", "DeltaWatts"},
    {"Delta VA", "Delta VA", "VA", "DeltaVA"},
    {"Delta VAr", "Delta VAr", "VAr", "DeltaVAr"},
    {"Delta Power Factor", "Delta PF", "", "DeltaPF"},
    {"Fundamental Delta Voltage", "Fund. Delta V", "V", "FundDeltaV"},
    {"Fundamental Delta Current", "Fund. Delta A", "A", "FundDeltaA"},
    {"Fundamental Delta VA", "Fund. Delta VA", "VA", "FundDeltaVA"},
    {"Fundamental Delta VAr", "Fund. Delta VAr", "VAr", "FundDeltaVAr"},
    {"Fundamental Delta Power Factor", "Fund. Delta PF", "", "FundDeltaPF"},
    {"Fundamental Delta Watts", "Fund. Delta Watts", "W", "FundDeltaWatts"},
};
static_assert(std::size(parameters) == UI_PARAMETER_COUNT, "91 loggable quantities");
static_assert(std::size(phase_names) == 11, "phase codes 1..11");

constexpr int kEmptyBlockNull = 2501;

constexpr ui_text_table build_ui_text()
{
    ui_text_table t{};
    for (int i = 0; i < UI_TEXT_COUNT; ++i)
        t[i] = "";
    for (const fixed_entry& f : fixed_entries)
        t[f.entry] = f.text;
    for (int i = 0; i < 11; ++i)
        t[UI_PHASE_CODE_NAMES + 1 + i] = phase_names[i];
    t[kEmptyBlockNull] = nullptr;
    for (int i = 0; i < UI_PARAMETER_COUNT; ++i) {
        t[UI_PARAMETER_LONG_NAMES + i] = parameters[i].long_name;
        t[UI_PARAMETER_SHORT_NAMES + i] = parameters[i].short_name;
        t[UI_PARAMETER_UNITS + i] = parameters[i].unit;
        t[UI_PARAMETER_VAR_NAMES + i] = parameters[i].var_name;
    }
    t[UI_PARAMETER_SHORT_NAMES - 1] = nullptr;
    t[UI_PARAMETER_UNITS - 1] = nullptr;
    t[UI_PARAMETER_VAR_NAMES - 1] = nullptr;
    t[UI_TEXT_COUNT] = nullptr; // ends the variable names like the other lists
    return t;
}

constexpr ui_text_table kTable = build_ui_text();

// Number of entries from first up to the first null.
constexpr int list_length(int first)
{
    int n = 0;
    while (kTable[first + n])
        ++n;
    return n;
}

constexpr bool fixed_entries_in_order()
{
    for (std::size_t i = 1; i < std::size(fixed_entries); ++i)
        if (fixed_entries[i].entry <= fixed_entries[i - 1].entry)
            return false;
    return fixed_entries[std::size(fixed_entries) - 1].entry < UI_EMPTY_BLOCK;
}

static_assert(fixed_entries_in_order(), "fixed entries: each once, before the lists");
static_assert(list_length(UI_EMPTY_BLOCK) == 191, "the empty block");
static_assert(list_length(UI_PARAMETER_LONG_NAMES) == UI_PARAMETER_COUNT, "long names");
static_assert(list_length(UI_PARAMETER_SHORT_NAMES) == UI_PARAMETER_COUNT, "short names");
static_assert(list_length(UI_PARAMETER_UNITS) == UI_PARAMETER_COUNT, "units");
static_assert(list_length(UI_PARAMETER_VAR_NAMES) == UI_PARAMETER_COUNT, "variable names");

} // namespace

const ui_text_table ui_text = kTable;

const char* phase_code_name(int phase_code)
{
    return phase_code >= 1 && phase_code <= 11 ? ui_text[UI_PHASE_CODE_NAMES + phase_code]
                                               : nullptr;
}
