// Which model an identification reply names: the model field (the text after
// the reply's first ",") turned into the program's model code.
#pragma once
#include <cstddef>
#include <cstdint>

// What every analyser of the family puts at the start of its "*IDN?" reply;
// the model digits follow it.
constexpr char kFamilyPrefix[] = "TROSVALDEN,WQT";
constexpr size_t kFamilyPrefixLength = sizeof kFamilyPrefix - 1;

// Model codes that no analyser family uses: the CAN-bus converter, and the
// converter found in its boot loader.
constexpr uint32_t kConverterModel = 9999;
constexpr uint32_t kConverterBootloaderModel = 9998;
// Any "RKD" model that no row names.
constexpr uint32_t kOtherRkdModel = 9997;

// The model code of a model text, 0 when no row of the table matches. The
// rows are tried in order, each a case-sensitive comparison of the text's
// beginning. A few models also give a phase count or an option code; the
// outputs are written only then, and may be nullptr.
uint32_t identify_model_code(const char* model_text, uint32_t* phase_count, uint32_t* option_code);
