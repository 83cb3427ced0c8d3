// Configuration summaries: each family's rows as constant data, printed by
// one engine, and the summary operations of the five family classes.
#include "config/config_summary.h"

#include "config/model_profiles.h"
#include "link/link_record.h"

#include <iomanip>
#include <iterator>
#include <string>

namespace {

constexpr int16_t kTitleRow = -1;
constexpr int16_t kEndRow = -2;
// A mode block is printed up to its first end row, at most this many rows.
constexpr size_t kBlockRows = 15;
// Width of the label field of an item line; a longer label is printed whole.
constexpr int kLabelWidth = 30;

// One line of a summary: an item (id 0..255 and its label), a section
// title, or the end of a mode block. Unfilled rows of a block are end rows.
struct summary_row {
    int16_t id = kEndRow;
    const char* text = "";
};

constexpr summary_row title(const char* text)
{
    return {kTitleRow, text};
}

constexpr summary_row item(int16_t id, const char* label)
{
    return {id, label};
}

// clang-format off
// ---- wqt_cfg_15xx

constexpr summary_row k15xxMain[] = {
    title("Acquisition"),
    item(82, "Wiring"),
    item(13, "Speed"),
    item(12, "Window"),
    item(14, "Smoothing"),
    item(15, "Smoothing Response"),
    item(38, "Frequency Reference"),
    item(190, "Phase 2 Reference"),
    item(214, "Phase 3 Reference"),
    item(40, "Frequency Reference"),
    item(11, "Low Frequency"),
    item(69, "Minimum Frequency"),
    item(53, "Phase Angle reference"),
    item(49, "DFT Selectivity"),
    item(10, "Ignore Overload"),
    item(7, "Frequency Lock"),
    item(48, "Frequency"),
    item(136, "Watts"),
    item(221, "Normalise Reference"),
    title("Coupling Phase1"),
    item(30, "Coupling"),
    item(36, "Noise Filter"),
    item(37, "Bandwidth"),
    item(182, "Coupling"),
    item(188, "Noise Filter"),
    item(189, "Bandwidth"),
    title("Coupling Phase3"),
    item(206, "Coupling"),
    item(212, "Noise Filter"),
    item(213, "Bandwidth"),
    title("Range Phase1"),
    item(24, "Voltage Input"),
    item(28, "Voltage Autoranging"),
    item(26, "Voltage Minimum Range"),
    item(32, "Voltage Scale Factor"),
    item(34, "Voltage Attenuator"),
    item(25, "Current Input"),
    item(29, "Current Autoranging"),
    item(27, "Current Minimum Range"),
    item(33, "Current Scale Factor"),
    item(35, "Current Shunt"),
    title("Range Phase2"),
    item(176, "Voltage Input"),
    item(180, "Voltage Autoranging"),
    item(178, "Voltage Minimum Range"),
    item(184, "Voltage Scale Factor"),
    item(186, "Voltage Attenuator"),
    item(177, "Current Input"),
    item(181, "Current Autoranging"),
    item(179, "Current Minimum Range"),
    item(185, "Current Scale Factor"),
    item(187, "Current Shunt"),
    title("Range Phase3"),
    item(200, "Voltage Input"),
    item(204, "Voltage Autoranging"),
    item(202, "Voltage Minimum Range"),
    item(208, "Voltage Scale factor"),
    item(210, "Voltage Attenuator"),
    item(201, "Current Input"),
    item(205, "Current Autoranging"),
    item(203, "Current Minimum Range"),
    item(209, "Current Scale factor"),
    item(211, "Current Shunt"),
    title("Datalog"),
    item(58, "Datalog"),
    item(59, "Interval"),
    item(60, "Graph"),
    item(54, "Zoom 1"),
    item(55, "Zoom 2"),
    item(56, "Zoom 3"),
    item(57, "Zoom 4"),
    title("Application"),
    item(70, "Mode"),
    item(80, "Temperature"),
    item(72, "Frequency Tracking"),
    item(52, "Frequency Filtering"),
    item(73, "Low Frequency"),
    item(84, "Unused"),
    item(85, "Scale Factor 1"),
    item(95, "Offset 1"),
    item(86, "Scale Factor 2"),
    item(96, "Offset 2"),
    item(93, "Efficiency"),
    item(71, "Frequency Filter"),
    title("Auxilliary"),
    item(122, "Device"),
    item(128, "Switch Phase Offset"),
    item(129, "Switch On Cycles"),
    item(81, "Sum Watts"),
    item(228, "Ext. Syst. Scaling"),
    title("System"),
    item(6, "Phase Convention"),
    item(5, "Low Blanking"),
    item(9, "Keyboard Beep"),
    item(4, "Auto Zero"),
    item(50, "Prog 1-4 Direct Download"),
    item(119, "Zoom 2 High Res"),
    item(22, "Independent Input"),
    item(117, "Phase Angle Reference"),
};
static_assert(std::size(k15xxMain) == 99, "15xx main rows");

constexpr summary_row k15xxBlocks[][kBlockRows] = {
    {title("Mode"), item(1, "Mode")},
    {title("RMS Voltmeter"), item(144, "Rectified Mean"), item(140, "Peak"),
     item(143, "Last Line")},
    {title("Phasemeter"), item(150, "Computation")},
    {title("Power Analyser"), item(92, "Var Sign"), item(91, "PF Sign"), item(89, "Sum Current"),
     item(135, "Difference THD"), item(134, "Ph-Ph Measurement"), item(90, "Input Compensation"),
     item(131, "Sum VA and VAr"), item(142, "Last Line"), item(141, "Penultimate Line")},
    {title("Impedance Analyser"), item(137, "Parameter"), item(138, "Measurement"),
     item(139, "Phase Offset")},
    {title("Power Integrator"), item(83, "Integration"), item(88, "Display"),
     item(132, "Run Time"), item(133, "Minutes")},
    {title("Harmonic Analyser"), item(99, "Computation"), item(103, "Current"),
     item(102, "Voltage Bargraph Scale"), item(104, "Current Bargraph Scale"),
     item(100, "Harmonic"), item(101, "Harmonic series up to")},
    {title("Oscilloscope"), item(106, "Timebase"), item(111, "Trigger Reference"),
     item(107, "Trigger Level"), item(110, "Trigger Type"), item(109, "Trigger Polarity"),
     item(114, "Trigger HF Reject"), item(108, "Pretrigger"), item(113, "Cursors"),
     item(115, "Trace")},
};
static_assert(std::size(k15xxBlocks) == 8, "15xx mode blocks");

// ---- wqt_cfg_25xx

constexpr summary_row k25xxMain[] = {
    title("Acquisition"),
    item(82, "Wiring"),
    item(13, "Speed"),
    item(12, "Window"),
    item(14, "Smoothing"),
    item(15, "Smoothing Response"),
    item(40, "Frequency Reference"),
    item(39, "Frequency Reference"),
    item(11, "Low Frequency"),
    item(69, "Minimum Frequency"),
    item(53, "Phase Angle reference"),
    item(49, "DFT Selectivity"),
    item(10, "Ignore Overload"),
    item(7, "Frequency Lock"),
    item(48, "Frequency"),
    item(60, "Highspeed"),
    title("Coupling Phase1"),
    item(30, "Coupling"),
    item(31, "Bandwidth"),
    title("Coupling Phase2"),
    item(182, "Coupling"),
    item(183, "Bandwidth"),
    title("Coupling Phase3"),
    item(206, "Coupling"),
    item(207, "Bandwidth"),
    title("Range Phase1"),
    item(24, "Voltage Input"),
    item(28, "Voltage Autoranging"),
    item(26, "Voltage Minimum Range"),
    item(32, "Voltage Scale Factor"),
    item(34, "Voltage Attenuator"),
    item(25, "Current Input"),
    item(29, "Current Autoranging"),
    item(27, "Current Minimum Range"),
    item(33, "Current Scale Factor"),
    item(35, "Current Shunt"),
    item(94, "Range Lock across phases"),
    title("Range Phase2"),
    item(176, "Voltage Input"),
    item(180, "Voltage Autoranging"),
    item(178, "Voltage Minimum Range"),
    item(184, "Voltage Scale Factor"),
    item(186, "Voltage Attenuator"),
    item(177, "Current Input"),
    item(181, "Current Autoranging"),
    item(179, "Current Minimum Range"),
    item(185, "Current Scale Factor"),
    item(187, "Current Shunt"),
    title("Range Phase3"),
    item(200, "Voltage Input"),
    item(204, "Voltage Autoranging"),
    item(202, "Voltage Minimum Range"),
    item(208, "Voltage Scale factor"),
    item(210, "Voltage Attenuator"),
    item(201, "Current Input"),
    item(205, "Current Autoranging"),
    item(203, "Current Minimum Range"),
    item(209, "Current Scale factor"),
    item(211, "Current Shunt"),
    title("Datalog"),
    item(58, "Datalog"),
    item(59, "Interval"),
    title("Application"),
    item(70, "Mode"),
    item(80, "Temperature"),
    item(72, "Frequency Tracking"),
    item(71, "Frequency Filter"),
    item(73, "Low Frequency"),
    item(84, "Torque Speed"),
    item(85, "Scale Factor 1"),
    item(95, "Offset 1"),
    item(86, "Scale Factor 2"),
    item(96, "Offset 2"),
    item(87, "Scale Factor 3"),
    item(93, "Efficiency"),
    item(54, "Frequency Filter"),
    item(130, "Gear Ratio"),
    title("Auxilliary"),
    item(3, "Master/Slave"),
    item(122, "Device"),
    item(128, "Switch Phase Offset"),
    item(129, "Switch On Cycles"),
    item(81, "Sum Watts"),
    item(136, "Mechanical"),
    title("System"),
    item(6, "Phase Convention"),
    item(5, "Low Blanking"),
    item(9, "Keyboard Beep"),
    item(4, "Auto Zero"),
    item(50, "Prog 1-6 Direct Download"),
    item(119, "Zoom 2 High Res"),
    item(22, "Independent Input"),
};
static_assert(std::size(k25xxMain) == 92, "25xx main rows");

constexpr summary_row k25xxBlocks[][kBlockRows] = {
    {title("Mode"), item(1, "Mode")},
    {title("Phasemeter"), item(150, "Computation"), item(148, "Offset")},
    {title("Power Analyser"), item(92, "Var Sign"), item(91, "PF Sign"), item(89, "Sum Current"),
     item(135, "Difference THD"), item(134, "Ph-Ph Measurement"),
     item(131, "2Watt Sum Computation")},
    {title("Impedance Analyser"), item(137, "Parameter"), item(139, "Phase Offset")},
    {title("Power Integrator"), item(83, "Integration"), item(88, "Display"),
     item(132, "Run Time"), item(133, "Minutes")},
    {title("Harmonic Analyser"), item(99, "Computation"), item(103, "Current"),
     item(102, "Voltage Bargraph Scale"), item(100, "Harmonic"),
     item(101, "Harmonic series up to")},
    {title("Oscilloscope"), item(106, "Timebase"), item(111, "Trigger Reference"),
     item(107, "Trigger Level"), item(110, "Trigger Type"), item(109, "Trigger Polarity"),
     item(114, "Trigger HF Reject"), item(108, "Pretrigger"), item(113, "Cursors")},
};
static_assert(std::size(k25xxBlocks) == 7, "25xx mode blocks");

// ---- wqt_cfg_35xx

constexpr summary_row k35xxMain[] = {
    title("Acquisition"),
    item(23, "Grouping"),
    item(82, "Wiring"),
    item(13, "Speed"),
    item(12, "Window"),
    item(14, "Smoothing"),
    item(15, "Smoothing Response"),
    item(38, "Frequency Reference"),
    item(190, "Phase 2 Reference"),
    item(214, "Phase 3 Reference"),
    item(40, "Frequency Reference"),
    item(11, "Low Frequency"),
    item(69, "Minimum Frequency"),
    item(53, "Phase Angle reference"),
    item(49, "DFT Selectivity"),
    item(10, "Ignore Overload"),
    item(7, "Frequency Lock"),
    item(48, "Frequency"),
    item(136, "Watts"),
    title("Coupling Phase1"),
    item(30, "Coupling"),
    item(31, "Bandwidth"),
    item(36, "Noise Filter"),
    item(37, "Bandwidth"),
    title("Coupling Phase2"),
    item(182, "Coupling"),
    item(183, "Bandwidth"),
    item(188, "Noise Filter"),
    item(189, "Bandwidth"),
    title("Coupling Phase3"),
    item(206, "Coupling"),
    item(207, "Bandwidth"),
    item(212, "Noise Filter"),
    item(213, "Bandwidth"),
    title("Range Phase1"),
    item(24, "Voltage Input"),
    item(28, "Voltage Autoranging"),
    item(26, "Voltage Minimum Range"),
    item(32, "Voltage Scale Factor"),
    item(34, "Voltage Attenuator"),
    item(25, "Current Input"),
    item(29, "Current Autoranging"),
    item(27, "Current Minimum Range"),
    item(33, "Current Scale Factor"),
    item(35, "Current Shunt"),
    title("Range Phase2"),
    item(176, "Voltage Input"),
    item(180, "Voltage Autoranging"),
    item(178, "Voltage Minimum Range"),
    item(184, "Voltage Scale Factor"),
    item(186, "Voltage Attenuator"),
    item(177, "Current Input"),
    item(181, "Current Autoranging"),
    item(179, "Current Minimum Range"),
    item(185, "Current Scale Factor"),
    item(187, "Current Shunt"),
    title("Range Phase3"),
    item(200, "Voltage Input"),
    item(204, "Voltage Autoranging"),
    item(202, "Voltage Minimum Range"),
    item(208, "Voltage Scale factor"),
    item(210, "Voltage Attenuator"),
    item(201, "Current Input"),
    item(205, "Current Autoranging"),
    item(203, "Current Minimum Range"),
    item(209, "Current Scale factor"),
    item(211, "Current Shunt"),
    title("Datalog"),
    item(58, "Datalog"),
    item(59, "Interval"),
    item(60, "Graph"),
    item(54, "Zoom 1"),
    item(55, "Zoom 2"),
    item(56, "Zoom 3"),
    item(57, "Zoom 4"),
    title("Application"),
    item(70, "Mode"),
    item(80, "Temperature"),
    item(72, "Frequency Tracking"),
    item(71, "Frequency Filter"),
    item(73, "Low Frequency"),
    item(84, "Torque + speed"),
    item(85, "Scale Factor Nm/Hz"),
    item(95, "Offset 1"),
    item(86, "Scale Factor pulses/rev"),
    item(96, "Offset 2"),
    item(93, "Efficiency"),
    item(52, "Frequency Filtering"),
    title("Auxilliary"),
    item(122, "Device"),
    item(128, "Switch Phase Offset"),
    item(129, "Switch On Cycles"),
    item(81, "Sum Watts"),
    title("System"),
    item(6, "Phase Convention"),
    item(5, "Low Blanking"),
    item(9, "Keyboard Beep"),
    item(4, "Auto Zero"),
    item(50, "Prog 1-4 Direct Download"),
    item(119, "Zoom 2 High Res"),
    item(22, "Independent Range"),
    item(117, "Phase Angle Reference"),
};
static_assert(std::size(k35xxMain) == 102, "35xx main rows");

constexpr summary_row k35xxBlocks[][kBlockRows] = {
    {title("Mode"), item(1, "Mode")},
    {title("RMS Voltmeter"), item(144, "Rectified Mean"), item(140, "Peak"),
     item(143, "Last Line")},
    {title("Phasemeter"), item(150, "Computation")},
    {title("Power Analyser"), item(92, "Var Sign"), item(91, "PF Sign"), item(89, "Sum Current"),
     item(135, "Difference THD"), item(134, "Conversion"), item(90, "Input Compensation"),
     item(131, "Sum VA and VAr"), item(142, "Last Line"), item(141, "Penultimate Line")},
    {title("Impedance Analyser"), item(137, "Parameter"), item(138, "Measurement"),
     item(139, "Phase Offset")},
    {title("Power Integrator"), item(83, "Integration"), item(88, "Display"),
     item(132, "Run Time"), item(133, "Minutes")},
};
static_assert(std::size(k35xxBlocks) == 6, "35xx mode blocks");

// ---- wqt_cfg_45xx

constexpr summary_row k45xxMain[] = {
    title("Acquisition"),
    item(82, "Wiring"),
    item(13, "Speed"),
    item(12, "Window"),
    item(14, "Smoothing"),
    item(15, "Smoothing Response"),
    item(38, "Frequency Reference"),
    item(190, "Phase 2 Reference"),
    item(214, "Phase 3 Reference"),
    item(40, "Frequency Reference"),
    item(11, "Low Frequency"),
    item(69, "Minimum Frequency"),
    item(53, "Phase Angle reference"),
    item(49, "DFT Selectivity"),
    item(10, "Ignore Overload"),
    item(7, "Frequency Lock"),
    item(48, "Frequency"),
    item(197, "Highspeed"),
    item(143, "Probe Compensation"),
    item(136, "Watts"),
    title("Coupling Phase1"),
    item(30, "Coupling"),
    item(31, "Bandwidth"),
    item(36, "Noise Filter"),
    item(37, "Bandwidth"),
    title("Coupling Phase2"),
    item(182, "Coupling"),
    item(183, "Bandwidth"),
    item(188, "Noise Filter"),
    item(189, "Bandwidth"),
    title("Coupling Phase3"),
    item(206, "Coupling"),
    item(207, "Bandwidth"),
    item(212, "Noise Filter"),
    item(213, "Bandwidth"),
    title("Range Phase1"),
    item(24, "Voltage Input"),
    item(28, "Voltage Autoranging"),
    item(26, "Voltage Minimum Range"),
    item(32, "Voltage Scale Factor"),
    item(34, "Voltage Attenuator"),
    item(25, "Current Input"),
    item(29, "Current Autoranging"),
    item(27, "Current Minimum Range"),
    item(33, "Current Scale Factor"),
    item(35, "Current Shunt"),
    item(39, "DC Offset"),
    title("Range Phase2"),
    item(176, "Voltage Input"),
    item(180, "Voltage Autoranging"),
    item(178, "Voltage Minimum Range"),
    item(184, "Voltage Scale Factor"),
    item(186, "Voltage Attenuator"),
    item(177, "Current Input"),
    item(181, "Current Autoranging"),
    item(179, "Current Minimum Range"),
    item(185, "Current Scale Factor"),
    item(187, "Current Shunt"),
    item(191, "DC Offset"),
    title("Range Phase3"),
    item(200, "Voltage Input"),
    item(204, "Voltage Autoranging"),
    item(202, "Voltage Minimum Range"),
    item(208, "Voltage Scale factor"),
    item(210, "Voltage Attenuator"),
    item(201, "Current Input"),
    item(205, "Current Autoranging"),
    item(203, "Current Minimum Range"),
    item(209, "Scale factor"),
    item(211, "Current Shunt"),
    item(215, "DC Offset"),
    title("Datalog"),
    item(58, "Datalog"),
    item(59, "Interval"),
    item(60, "Graph"),
    item(54, "Zoom 1"),
    item(55, "Zoom 2"),
    item(56, "Zoom 3"),
    item(57, "Zoom 4"),
    item(23, "Time Reference"),
    title("Application"),
    item(70, "Mode"),
    item(80, "Temperature"),
    item(72, "Frequency Tracking"),
    item(71, "Frequency Filter"),
    item(73, "Low Frequency"),
    item(84, "Torque Speed"),
    item(85, "Scale Factor Nm/Hz"),
    item(95, "Offset 1"),
    item(86, "Scale Factor pulses/rev"),
    item(96, "Offset 2"),
    item(87, "Scale Factor rpm/V"),
    item(93, "Efficiency"),
    item(52, "Frequency Filtering"),
    item(68, "Frequency Step"),
    item(130, "Gear Ratio"),
    title("Auxilliary"),
    item(3, "Master/Slave"),
    item(122, "Device"),
    item(128, "Switch Phase Offset"),
    item(129, "Switch On Cycles"),
    item(81, "Sum Watts"),
    item(123, "Thermocouple"),
    item(219, "ZEM Adjust"),
    title("System"),
    item(6, "Phase Convention"),
    item(5, "Low Blanking"),
    item(9, "Keyboard Beep"),
    item(4, "Auto Zero"),
    item(50, "Prog 1-6 Direct Download"),
    item(119, "Zoom 2 High Res"),
    item(22, "Independent Input"),
    item(117, "Phase Angle Reference"),
};
static_assert(std::size(k45xxMain) == 113, "45xx main rows");

constexpr summary_row k45xxBlocks[][kBlockRows] = {
    {title("Mode"), item(1, "Mode")},
    {title("RMS Voltmeter"), item(144, "Rectified Mean"), item(140, "Peak")},
    {title("Phasemeter"), item(150, "Computation")},
    {title("Power Analyser"), item(92, "Var Sign"), item(91, "PF Sign"), item(89, "Sum Current"),
     item(135, "Difference THD"), item(134, "Conversion"), item(90, "Input Compensation"),
     item(131, "Sum VA and VAr Comp.")},
    {title("Impedance Analyser"), item(137, "Parameter"), item(138, "Measurement"),
     item(139, "Phase Offset")},
    {title("Power Integrator"), item(83, "Integration"), item(88, "Display"),
     item(132, "Run Time"), item(133, "Minutes")},
    {title("Harmonic Analyser"), item(99, "Computation"), item(146, "Marker"),
     item(145, "Conversion"), item(103, "Current Rating"), item(102, "Voltage Bargraph Scale"),
     item(104, "Current Bargraph Scale"), item(147, "Marker"), item(100, "Harmonic"),
     item(101, "Harmonic series up to"), item(97, "Voltage Rating")},
    {title("Oscilloscope"), item(106, "Timebase"), item(111, "Trigger Reference"),
     item(107, "Trigger Level"), item(110, "Trigger Type"), item(109, "Trigger Polarity"),
     item(114, "Trigger HF Reject"), item(108, "Pretrigger"), item(113, "Cursors"),
     item(115, "Trace")},
};
static_assert(std::size(k45xxBlocks) == 8, "45xx mode blocks");

// ---- wqt_cfg_55xx

constexpr summary_row k55xxMain[] = {
    title("Acquisition"),
    item(82, "Wiring"),
    item(13, "Speed"),
    item(12, "Window"),
    item(14, "Smoothing"),
    item(15, "Smoothing Response"),
    item(38, "Frequency Reference"),
    item(190, "Phase 2 Reference"),
    item(214, "Phase 3 Reference"),
    item(40, "Frequency Reference"),
    item(11, "Low Frequency"),
    item(69, "Minimum Frequency"),
    item(53, "Phase Angle reference"),
    item(49, "DFT Selectivity"),
    item(10, "Ignore Overload"),
    item(7, "Frequency Lock"),
    item(48, "Frequency"),
    item(197, "Highspeed"),
    item(143, "Probe Compensation"),
    item(136, "Watts"),
    title("Coupling Phase1"),
    item(30, "Coupling"),
    item(31, "Bandwidth"),
    item(36, "Noise Filter"),
    item(37, "Bandwidth"),
    title("Coupling Phase2"),
    item(182, "Coupling"),
    item(183, "Bandwidth"),
    item(188, "Noise Filter"),
    item(189, "Bandwidth"),
    title("Coupling Phase3"),
    item(206, "Coupling"),
    item(207, "Bandwidth"),
    item(212, "Noise Filter"),
    item(213, "Bandwidth"),
    title("Range Phase1"),
    item(24, "Voltage Input"),
    item(28, "Voltage Autoranging"),
    item(26, "Voltage Minimum Range"),
    item(32, "Voltage Scale Factor"),
    item(34, "Voltage Attenuator"),
    item(25, "Current Input"),
    item(29, "Current Autoranging"),
    item(27, "Current Minimum Range"),
    item(33, "Current Scale Factor"),
    item(35, "Current Shunt"),
    item(39, "DC Offset"),
    title("Range Phase2"),
    item(176, "Voltage Input"),
    item(180, "Voltage Autoranging"),
    item(178, "Voltage Minimum Range"),
    item(184, "Voltage Scale Factor"),
    item(186, "Voltage Attenuator"),
    item(177, "Current Input"),
    item(181, "Current Autoranging"),
    item(179, "Current Minimum Range"),
    item(185, "Current Scale Factor"),
    item(187, "Current Shunt"),
    item(191, "DC Offset"),
    title("Range Phase3"),
    item(200, "Voltage Input"),
    item(204, "Voltage Autoranging"),
    item(202, "Voltage Minimum Range"),
    item(208, "Voltage Scale factor"),
    item(210, "Voltage Attenuator"),
    item(201, "Current Input"),
    item(205, "Current Autoranging"),
    item(203, "Current Minimum Range"),
    item(209, "Current Scale factor"),
    item(211, "Current Shunt"),
    item(215, "DC Offset"),
    title("Datalog"),
    item(58, "Datalog"),
    item(59, "Interval"),
    item(60, "Graph"),
    item(54, "Zoom 1"),
    item(55, "Zoom 2"),
    item(56, "Zoom 3"),
    item(57, "Zoom 4"),
    item(23, "Time Reference"),
    title("Application"),
    item(70, "Mode"),
    item(80, "Temperature"),
    item(72, "Frequency Tracking"),
    item(71, "Frequency Filter"),
    item(73, "Low Frequency"),
    item(84, "Torque Speed"),
    item(85, "Scale Factor Nm/Hz"),
    item(95, "Offset 1"),
    item(86, "Scale Factor pulses/rev"),
    item(96, "Offset 2"),
    item(87, "Scale Factor rpm/V"),
    item(93, "Efficiency"),
    item(52, "Frequency Filter"),
    item(174, "Power"),
    item(175, "Power"),
    item(166, "Power Factor"),
    item(149, "PLT Testing"),
    item(141, "Impedance Scaling"),
    item(68, "Frequency Step"),
    item(130, "Gear Ratio"),
    item(126, "T Short"),
    item(127, "T Long"),
    item(124, "D(t) Testing"),
    title("Auxilliary"),
    item(3, "Master/Slave"),
    item(122, "Device"),
    item(128, "Switch Phase Offset"),
    item(129, "Switch On Cycles"),
    item(81, "Sum Watts"),
    item(123, "Thermocouple"),
    item(219, "ZEM Adjust"),
    title("System"),
    item(6, "Phase Convention"),
    item(5, "Low Blanking"),
    item(9, "Keyboard Beep"),
    item(4, "Auto Zero"),
    item(50, "Prog 1-6 Direct Download"),
    item(119, "Zoom 2 High Res"),
    item(22, "Independent Input"),
    item(117, "Phase Angle Reference"),
};
static_assert(std::size(k55xxMain) == 121, "55xx main rows");

constexpr summary_row k55xxBlocks[][kBlockRows] = {
    {title("Mode"), item(1, "Mode")},
    {title("RMS Voltmeter"), item(144, "Rectified Mean"), item(140, "Peak")},
    {title("Phasemeter"), item(150, "Computation")},
    {title("Power Analyser"), item(92, "VAr Sign"), item(91, "PF Sign"), item(89, "Sum Current"),
     item(135, "Difference THD"), item(134, "Conversion"), item(90, "Input Compensation"),
     item(131, "Sum VA and VAr Comp.")},
    {title("Impedance Analyser"), item(137, "Parameter"), item(138, "Measurement"),
     item(139, "Phase Offset")},
    {title("Power Integrator"), item(83, "Integration"), item(88, "Display"),
     item(132, "Run Time"), item(133, "Minutes")},
    {title("Harmonic Analyser"), item(99, "Computation"), item(105, "Frequency Mode"),
     item(146, "Marker"), item(145, "Conversion"), item(103, "Current"),
     item(102, "Voltage Bargraph Scale"), item(104, "Current Bargraph Scale"), item(147, "Marker"),
     item(100, "Harmonic"), item(101, "Harmonic series up to"), item(98, "HARM key function"),
     item(97, "Voltage")},
    {title("Oscilloscope"), item(106, "Timebase"), item(111, "Trigger Reference"),
     item(107, "Trigger Level"), item(110, "Trigger Type"), item(109, "Trigger Polarity"),
     item(114, "Trigger HF Reject"), item(108, "Pretrigger"), item(113, "Cursors"),
     item(115, "Trace")},
};
static_assert(std::size(k55xxBlocks) == 8, "55xx mode blocks");
// clang-format on

struct summary_tables {
    const summary_row* main;
    size_t main_rows;
    const summary_row (*blocks)[kBlockRows];
    size_t block_count;
};

template <size_t M, size_t B>
constexpr summary_tables tables_of(const summary_row (&main)[M],
                                   const summary_row (&blocks)[B][kBlockRows])
{
    return {main, M, blocks, B};
}

void write_rows(std::ostream& out, instrument_config& config, const summary_row* rows,
                size_t count)
{
    std::string display;
    for (size_t i = 0; i < count && rows[i].id != kEndRow; ++i) {
        const summary_row& row = rows[i];
        if (row.id == kTitleRow) {
            out << row.text << std::endl;
            continue;
        }
        write_summary_item_line(out, row.text, config.get_display_string(display, row.id));
    }
}

// The first line, the main rows, then the first `blocks` mode blocks.
std::stringstream build_summary(instrument_config& config, const std::string& first_line,
                                const summary_tables& tables, size_t blocks)
{
    std::stringstream out;
    out << first_line << std::endl;
    write_rows(out, config, tables.main, tables.main_rows);
    for (size_t b = 0; b < blocks && b < tables.block_count; ++b)
        write_rows(out, config, tables.blocks[b], kBlockRows);
    return out;
}

std::stringstream build_with_reply(instrument_config& config, const link_record& instrument,
                                   const summary_tables& tables)
{
    return build_summary(config, idn_reply_text(instrument), tables, tables.block_count);
}

void write_text(std::ostream& out, const std::stringstream& summary)
{
    const std::string text = summary.str();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
}

void write_text(FILE* file, const std::stringstream& summary)
{
    const std::string text = summary.str();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fflush(file);
}

} // namespace

void write_summary_item_line(std::ostream& out, const char* label, const std::string& display)
{
    out << '\t' << std::left << std::setw(kLabelWidth) << label << '\t' << display << std::endl;
}

std::stringstream wqt_cfg_15xx_build_summary(instrument_config& config,
                                             const link_record& instrument)
{
    constexpr summary_tables tables = tables_of(k15xxMain, k15xxBlocks);
    // The last block is the Oscilloscope's, which a model without one leaves out.
    const model_profile* profile = find_model_profile(instrument.model_code);
    const bool oscilloscope = profile == nullptr || profile->has_oscilloscope;
    const size_t blocks = oscilloscope ? tables.block_count : tables.block_count - 1;
    return build_summary(config, idn_reply_text(instrument), tables, blocks);
}

std::stringstream wqt_cfg_25xx_build_summary(instrument_config& config,
                                             const link_record& instrument)
{
    return build_with_reply(config, instrument, tables_of(k25xxMain, k25xxBlocks));
}

std::stringstream wqt_cfg_35xx_build_summary(instrument_config& config,
                                             const link_record& instrument)
{
    const std::string reply = idn_reply_text(instrument);
    const std::string first_line = reply.empty() ? "Group 2" : reply + "Group 1";
    constexpr summary_tables tables = tables_of(k35xxMain, k35xxBlocks);
    return build_summary(config, first_line, tables, tables.block_count);
}

std::stringstream wqt_cfg_45xx_build_summary(instrument_config& config,
                                             const link_record& instrument)
{
    return build_with_reply(config, instrument, tables_of(k45xxMain, k45xxBlocks));
}

std::stringstream wqt_cfg_55xx_build_summary(instrument_config& config,
                                             const link_record& instrument)
{
    return build_with_reply(config, instrument, tables_of(k55xxMain, k55xxBlocks));
}

// ---- The summary operations: empty in the base class, each family writes
// the text of its builder.

void instrument_config::write_summary_to_ostream_for_instrument(std::ostream&,
                                                                 const link_record&)
{
}

void instrument_config::write_summary_to_stream_for_instrument(std::iostream&,
                                                                const link_record&)
{
}

void instrument_config::write_summary_to_buffer_for_instrument(FILE*, const link_record&) {}

#define KESTROVA_SUMMARY_OPERATIONS(family)                                                        \
    void family::write_summary_to_ostream_for_instrument(std::ostream& out,                        \
                                                         const link_record& instrument)            \
    {                                                                                              \
        write_text(out, family##_build_summary(*this, instrument));                                \
    }                                                                                              \
    void family::write_summary_to_stream_for_instrument(std::iostream& out,                        \
                                                        const link_record& instrument)             \
    {                                                                                              \
        write_text(out, family##_build_summary(*this, instrument));                                \
    }                                                                                              \
    void family::write_summary_to_buffer_for_instrument(FILE* file, const link_record& instrument) \
    {                                                                                              \
        write_text(file, family##_build_summary(*this, instrument));                               \
    }

KESTROVA_SUMMARY_OPERATIONS(wqt_cfg_15xx)
KESTROVA_SUMMARY_OPERATIONS(wqt_cfg_25xx)
KESTROVA_SUMMARY_OPERATIONS(wqt_cfg_35xx)
KESTROVA_SUMMARY_OPERATIONS(wqt_cfg_45xx)
KESTROVA_SUMMARY_OPERATIONS(wqt_cfg_55xx)
