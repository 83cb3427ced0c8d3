// The program's display texts, named by fixed entry numbers. Besides single
// entries the table holds lists addressed as base entry + index; each list
// ends with a null entry for code that walks it.
#pragma once
#include <array>

enum : int {
    UI_TEXT_COUNT = 2869, // entries 0..2868; entry 2869 is the null that ends the last list

    UI_PRODUCT_NAME = 0,   // "Kestrova"
    UI_BUILD_TEXT = 1,     // version and build date

    UI_PHASE_CODE_NAMES = 654,      // + phase code 1..11: "PH1" .. "NEU2"
    UI_EMPTY_BLOCK = 2310,          // 191 empty texts, null at 2501
    UI_PARAMETER_LONG_NAMES = 2502, // 91 names, null at 2593
    UI_PARAMETER_SHORT_NAMES = 2594,// 91 names, null at 2685
    UI_PARAMETER_UNITS = 2686,      // 91 units, null at 2777
    UI_PARAMETER_VAR_NAMES = 2778,  // 91 equation variable names, null at 2869
    UI_PARAMETER_COUNT = 91,
};

using ui_text_table = std::array<const char*, UI_TEXT_COUNT + 1>;
extern const ui_text_table ui_text;

// The name of a phase code 1..11; null for any other code.
const char* phase_code_name(int phase_code);
