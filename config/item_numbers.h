// The item numbers that rules of the program name, one name each. Tables of
// items keep their numbers as data; code that decides something by an
// item's value names the item here.
#pragma once

constexpr int kItemMode = 1;              // measurement mode
constexpr int kItemFrequencyLock = 7;     // "Frequency Lock"; item 48 follows it
constexpr int kItemLowFrequency = 11;     // low-frequency measurement
constexpr int kItemRangingSkip = 22;      // ranging phase the ratio lists skip over
constexpr int kItemGrouping = 23;         // channel grouping of the two-group model
constexpr int kItemFrequency = 48;        // "Frequency"
constexpr int kItemDefaultMode = 70;      // the mode item a default configuration is chosen by
constexpr int kItemLowFrequencyMode1 = 73; // low-frequency measurement while the mode item is 1
constexpr int kItemWiring = 82;           // wiring
constexpr int kItemRatio = 93;            // ratio (efficiency) choice
constexpr int kItemTShort = 126;          // "T Short"
constexpr int kItemMode35xx = 99;         // the two-group family's second mode item
constexpr int kItemDefaultSelector = 172; // picks between two default blocks
