// Resource ids of the logging engine's dialogs (logging.rc). Kept free of
// C++ so that the resource compiler can read it.
#pragma once

// Name entry "Save" of a saved configuration.
#define IDD_SAVE_SETUP 136
#define IDC_SAVE_SETUP_PROMPT 1360
#define IDC_SAVE_SETUP_NAME 1361

// Equation Editor: the equations file in one edit box.
#define IDD_EQUATION_EDITOR 140
#define IDC_EQUATION_TEXT 1400
