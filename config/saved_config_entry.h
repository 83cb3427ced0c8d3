// The record every saved-configuration operation passes: which instrument a
// configuration is for, its name, and the configuration objects that receive
// or supply it. The record owns none of the objects.
#pragma once
#include <cstdint>

class instrument_config;

constexpr int kSavedConfigNameSize = 128;

struct saved_config_entry {
    int32_t model_code = -1;  // -1: none given
    int32_t option_code = -1; // -1: none given
    char name[kSavedConfigNameSize] = {};
    instrument_config* primary = nullptr;
    instrument_config* secondary = nullptr; // the second group, model code 16 only
};
