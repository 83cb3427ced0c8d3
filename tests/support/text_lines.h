// Texts of files for tests: a text split into its lines, and a text with the
// line ends a file opened in text mode gets on Windows.
#pragma once
#include <sstream>
#include <string>
#include <vector>

// The lines of the text, each without its "\n".
inline std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The text with every "\n" written as "\r\n".
inline std::string with_crlf(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}
