// The item numbers that rules of the program name, one name each. Tables of
// items keep their numbers as data; code that decides something by an
// item's value names the item here. A number that stands for different
// items in different families has a name for each, and its comment names
// the families it holds for.
#pragma once

// ---- Alike in every family that has the item ------------------------------

constexpr int kItemMode = 1;              // measurement mode
constexpr int kItemMasterSlave = 3;       // "Master/Slave"
constexpr int kItemLowBlanking = 5;       // "Low Blanking"
constexpr int kItemFrequencyLock = 7;     // "Frequency Lock"; item 48 follows it
constexpr int kItemLowFrequency = 11;     // low-frequency measurement
constexpr int kItemWindow = 12;           // "Window", the harmonic window's length
constexpr int kItemSpeed = 13;            // measurement speed
constexpr int kItemSmoothing = 14;        // "Smoothing"
constexpr int kItemSmoothingResponse = 15; // "Smoothing Response"
constexpr int kItemRangingSkip = 22;      // "Independent Input": each phase ranged on its own
constexpr int kItemVoltageInput = 24;     // voltage input of the first item set
constexpr int kItemCurrentInput = 25;     // current input of the first item set
constexpr int kItemVoltageRange = 26;     // voltage minimum range of the first item set
constexpr int kItemCurrentRange = 27;     // current minimum range of the first item set
constexpr int kItemCoupling = 30;         // input coupling of the first item set
constexpr int kItemBandwidth = 31;        // input bandwidth list of the first item set
constexpr int kItemNoiseFilter = 36;      // noise filter of the first item set
constexpr int kItemFilterBandwidth = 37;  // the noise filter's bandwidth entry
constexpr int kItemFrequencyReference = 38; // what the frequency is taken from
constexpr int kItemFrequency = 48;        // "Frequency"
constexpr int kItemDatalog = 58;          // "Datalog", where the log is kept
constexpr int kItemInterval = 59;         // logging interval
constexpr int kItemMinimumFrequency = 69; // "Minimum Frequency"
constexpr int kItemDefaultMode = 70;      // the mode item a default configuration is chosen by
constexpr int kItemLowFrequencyMode1 = 73; // low-frequency measurement while the mode item is 1
constexpr int kItemTemperature = 80;      // "Temperature"
constexpr int kItemWiring = 82;           // wiring
constexpr int kItemIntegration = 83;      // power integration
constexpr int kItemTorqueSpeed = 84;      // the kind of torque and speed inputs
constexpr int kItemTorqueScale = 85;      // torque scale factor
constexpr int kItemSpeedScale = 86;       // speed scale factor (item 87 for pulsed speed)
constexpr int kItemDisplay = 88;          // the power integrator's display
constexpr int kItemRatio = 93;            // ratio (efficiency) choice
constexpr int kItemTorqueOffset = 95;     // torque offset
constexpr int kItemSpeedOffset = 96;      // speed offset
constexpr int kItemHarmonicComputation = 99; // harmonic computation
constexpr int kItemHarmonic = 100;        // "Harmonic", the harmonic number shown
constexpr int kItemHarmonicSeries = 101;  // "Harmonic series up to"
constexpr int kItemDevice = 122;          // auxiliary device
constexpr int kItemFlickerMeasurement = 125; // what the flickermeter measures
constexpr int kItemTShort = 126;          // "T Short"
constexpr int kItemTLong = 127;           // "T Long"
constexpr int kItemRunTime = 132;         // integration run time, hours; the minutes are item 133
constexpr int kItemConversion = 134;      // phase-to-phase conversion
constexpr int kItemParameter = 137;       // impedance parameter
constexpr int kItemCircuit = 138;         // equivalent circuit of the impedance
constexpr int kItemPhaseOffset = 139;     // impedance phase offset
constexpr int kItemPeak = 140;            // "Peak"
constexpr int kItemRectifiedMean = 144;   // "Rectified Mean"
constexpr int kItemPhaseMeterOffset = 148; // the phase meter's offset
constexpr int kItemPhaseMeterComputation = 150; // the phase meter's computation
constexpr int kItemDefaultSelector = 172; // picks between two default blocks
constexpr int kItemTestClass = 173;       // "Class" of the harmonics test
constexpr int kItemTestPower = 174;       // "Power" of the harmonics test: measured (0) or specified (1)
constexpr int kItemCrestFactor = 218;     // "Crest Factor"
constexpr int kItemExternalScaling = 228; // external system scaling

// ---- By family --------------------------------------------------------------

constexpr int kItemGrouping = 23;         // WQT35: channel grouping of the two-group model
constexpr int kItemTimeReference = 23;    // WQT45, WQT55: time reference
constexpr int kItemFrequencyPhase = 40;   // WQT15, 35, 45, 55: the phase the frequency is taken from
constexpr int kItemFrequencyReferenceWqt25 = 40; // WQT25: what the frequency is taken from
constexpr int kItemFrequencyFilterWqt25 = 54; // WQT25: frequency filter ("Zoom 1" elsewhere)
constexpr int kItemGraph = 60;            // WQT15, 35, 45, 55: "Graph"
constexpr int kItemHighspeedWqt25 = 60;   // WQT25: high-speed logging
constexpr int kItemGearRatio = 130;       // WQT25, 45, 55: gear ratio (the AC line in WQT15, 35)
constexpr int kItemPenultimateLine = 141; // WQT15, 35: the power display's penultimate line
constexpr int kItemPowerLastLine = 142;   // WQT15, 35: the power display's last line
constexpr int kItemVoltmeterLastLine = 143; // WQT15, 35: the RMS voltmeter's last line
