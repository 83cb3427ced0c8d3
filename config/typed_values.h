// Values as a user types them: a number with an optional SI prefix letter,
// and a run time as "hours:minutes". Nothing here knows of a window; the
// Config window's entries and the older files' import read them alike.
#pragma once
#include <string>

// A typed number: the text read with an optional SI prefix letter, and the
// decimals its text form is written with. ok is false (and value 0) when
// the text is not a number.
struct numeric_text_value {
    double value;
    int precision;
    bool ok;
    std::string text;

    numeric_text_value(const std::string& text, int precision);
    // The number in mantissa-and-exponent form with `precision` decimals
    // (0.05 with 4 gives "5.0000E-2"; 0 gives "0.0000").
    std::string to_text() const;
};

// A run time, "hours:minutes": an empty text, or one of blanks only, gives
// 0 and 0; each number missing or outside 0..255 gives 0 (a lone hour gives
// minutes 0). accepted: the text is empty or blank, or an hour with blanks
// before it and, after a colon, the minutes, each a whole number 0..255, and
// nothing else (no letters, signs or a second colon).
struct run_time {
    int hours;
    int minutes;
    bool accepted;
};
run_time parse_run_time(const char* text);
