// The rows that several pages show, each written once and named by what
// it shows; a page composes its rows from these and its own.
#pragma once
#include "config/item_numbers.h"
#include "configui/engine/engine.h"

// The frequency settings: the reference, the filters (items 52 and 71) and
// the minimum frequency.
constexpr row_def kFrequencyReferenceRow = list_row(kItemFrequencyReference);
constexpr row_def kFrequencyFilteringRow = list_row(52);
constexpr row_def kFrequencyFilterRow = list_row(71);
constexpr row_def kMinimumFrequencyRow = edit_row(kItemMinimumFrequency);
// The WQT25 family's own frequency reference, frequency filter and
// Highspeed (its items 40, 54 and 60).
constexpr row_def kReferenceWqt25Row = list_row(kItemFrequencyReferenceWqt25);
constexpr row_def kFilterWqt25Row = list_row(kItemFrequencyFilterWqt25);
constexpr row_def kHighspeedWqt25Row = list_row(kItemHighspeedWqt25);
// The gear ratio (item 130): shown as "N:1", or as a plain number (under
// the WQT15 and WQT35 families' label "AC Line").
constexpr row_def kGearRatioRow = gear_row(kItemGearRatio);
constexpr row_def kPlainGearRatioRow = edit_row(kItemGearRatio);
// The WQT45 and WQT55 families' time reference (item 23).
constexpr row_def kTimeReferenceRow = list_row(kItemTimeReference);
// The phase offset (item 139) and the efficiency ratio (item 93).
constexpr row_def kPhaseOffsetRow = edit_row(kItemPhaseOffset);
constexpr row_def kEfficiencyRow = list_row(kItemRatio);
// The auxiliary device and the inrush switch's settings.
constexpr row_def kDeviceRow = list_row(kItemDevice);
constexpr row_def kSwitchPhaseOffsetRow = list_row(128);
constexpr row_def kSwitchOnCyclesRow = list_row(129);
// Harmonics and flicker: the harmonic number (a whole number, placed with
// an up-down), the current, the frequency step, the impedance scaling and
// D(t) testing.
constexpr row_def kHarmonicRow = int_row(kItemHarmonic, ROW_EDIT_ALT);
constexpr row_def kHarmonicCurrentRow = edit_row(103);
constexpr row_def kFrequencyStepRow = edit_row(68);
constexpr row_def kImpedanceScalingRow = edit_row(141);
constexpr row_def kDtTestingRow = list_row(124);
// The oscilloscope's settings.
constexpr row_def kTimebaseRow = edit_row(106);
constexpr row_def kTriggerReferenceRow = list_row(111);
constexpr row_def kTriggerLevelRow = edit_row(107);
constexpr row_def kTriggerTypeRow = list_row(110);
constexpr row_def kTriggerPolarityRow = list_row(109);
constexpr row_def kHfRejectRow = list_row(114);
constexpr row_def kPretriggerRow = list_row(108);
constexpr row_def kCursorsRow = list_row(113);
