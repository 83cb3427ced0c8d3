// What each page kind is: the page number its layout makes current, the
// ui_text entry of its title, and the page button lit while it is up.
#include "configui/engine/page_kinds.h"

#include "configui/engine/config_ids.h"

const page_kind_facts kPageKindFacts[PAGE_KINDS] = {
    {0, 53, IDC_CFG_PAGE_ACQU},     // Acquisition Control
    {1, 54, IDC_CFG_PAGE_ACQU},     // Advanced Acquisition Control
    {2, 55, IDC_CFG_PAGE_COUPLING}, // Coupling
    {3, 1808, IDC_CFG_PAGE_RANGE},  // Phase 1 Ranging
    {4, 60, IDC_CFG_PAGE_DATALOG},  // Data Log
    {5, 61, IDC_CFG_PAGE_APP},      // Application Options
    {6, 62, IDC_CFG_PAGE_AUX},      // Auxiliary Control
    {7, 63, IDC_CFG_PAGE_SYS},      // System Options
    {8, 64, IDC_CFG_PAGE_MODE},     // RMS Voltmeter
    {8, 65, IDC_CFG_PAGE_MODE},     // Phase Meter
    {8, 66, IDC_CFG_PAGE_MODE},     // Power Analyzer
    {9, 66, IDC_CFG_PAGE_MODE},     // torque/speed, under the Power Analyzer's title
    {8, 67, IDC_CFG_PAGE_MODE},     // Impedance Analyzer
    {8, 68, IDC_CFG_PAGE_MODE},     // Power Integrator
    {8, 69, IDC_CFG_PAGE_MODE},     // Harmonic Analyzer
    {8, 70, IDC_CFG_PAGE_MODE},     // Oscilloscope
    {8, 95, IDC_CFG_PAGE_MODE},     // Fluctuating Harmonics
    {8, 96, IDC_CFG_PAGE_MODE},     // Flickermeter
};
