// The program's name and version texts, fixed when it is built.
#pragma once

constexpr char kProductName[] = "Kestrova";
constexpr char kBuildText[] = "v3_5-U Feb 19 2026";
constexpr char kAboutText[] = "v3_5-U (Build 33) Feb 19 2026";

// The main window's title before anything is connected: the product name, a
// blank and the build text up to its first blank ("Kestrova v3_5-U"). Built
// once on the first call; every call returns the same text.
const char* build_version_string();
