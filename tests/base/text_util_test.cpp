// Text helpers: tokens and split fields, string_format, case-blind endings,
// line reading without line ends, hex bytes and SI-suffixed numbers.
#include "base/text_util.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// All fields of text as next_token hands them out, until the end flag.
std::vector<std::string> tokens(const char* text, char delimiter, size_t size = 64)
{
    std::vector<std::string> out;
    std::vector<char> buffer(size);
    bool end = false;
    const char* pos = text;
    for (int guard = 0; guard < 100; ++guard) {
        pos = next_token(pos, delimiter, buffer.data(), buffer.size(), end);
        if (end) {
            EXPECT_STREQ(buffer.data(), "") << "the call that ends gives no token";
            return out;
        }
        out.push_back(buffer.data());
    }
    ADD_FAILURE() << "the end flag never came up";
    return out;
}

using strings = std::vector<std::string>;

} // namespace

TEST(NextToken, EmptyFieldsBetweenDelimiters)
{
    EXPECT_EQ(tokens("a\t\tc", '\t'), (strings{"a", "", "c"}));
    // The first call too skips a delimiter at its start.
    EXPECT_EQ(tokens("\tb", '\t'), strings{"b"});
    EXPECT_EQ(tokens("\t\tb", '\t'), (strings{"", "b"}));
    // A delimiter at the very end leaves one more (empty) field.
    EXPECT_EQ(tokens("a\t", '\t'), (strings{"a", ""}));
    EXPECT_EQ(tokens("", '\t'), strings{});
    EXPECT_EQ(tokens("x,y", ','), (strings{"x", "y"}));
}

TEST(NextToken, EndFlagOnlyAtEndOfText)
{
    char buffer[16] = "stale";
    bool end = false;
    const char* text = "ab";
    const char* pos = next_token(text, '\t', buffer, sizeof buffer, end);
    EXPECT_FALSE(end);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(pos, text + 2);

    std::strcpy(buffer, "stale");
    pos = next_token(pos, '\t', buffer, sizeof buffer, end);
    EXPECT_TRUE(end);
    EXPECT_STREQ(buffer, "") << "the buffer is cleared";
    EXPECT_EQ(pos, text + 2);
}

TEST(NextToken, EndFlagAlreadySetOnlySkipsTheDelimiter)
{
    char buffer[16] = "stale";
    bool end = true;
    const char* text = "\tabc";
    const char* pos = next_token(text, '\t', buffer, sizeof buffer, end);
    EXPECT_EQ(pos, text + 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(end);
}

TEST(NextToken, LongFieldIsCutAtBufferSize)
{
    char buffer[4];
    bool end = false;
    const char* text = "abcdef\tg";
    const char* pos = next_token(text, '\t', buffer, sizeof buffer, end);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(pos, text + 3) << "the copy stops at the character that did not fit";
    // The rest of the field comes as the next token.
    pos = next_token(pos, '\t', buffer, sizeof buffer, end);
    EXPECT_STREQ(buffer, "def");
    pos = next_token(pos, '\t', buffer, sizeof buffer, end);
    EXPECT_STREQ(buffer, "g");
    EXPECT_FALSE(end);
}

TEST(SplitString, EmptyFieldsKeptOrSkipped)
{
    std::vector<std::string> out;
    split_string("a,,b", ',', out, false);
    EXPECT_EQ(out, (strings{"a", "", "b"}));

    out.clear();
    split_string("a,,b", ',', out, true);
    EXPECT_EQ(out, (strings{"a", "b"}));
}

TEST(SplitString, FieldsAsALineReaderSeesThemAppended)
{
    std::vector<std::string> out{"kept"};
    std::vector<std::string>& result = split_string("", ',', out, false);
    EXPECT_EQ(&result, &out);
    split_string("a,", ',', out, false);  // no field after a trailing delimiter
    split_string(",b", ',', out, false);
    split_string("one two", ',', out, false);
    EXPECT_EQ(out, (strings{"kept", "a", "", "b", "one two"}));
}

TEST(SplitWstring, SameRulesForWideText)
{
    std::vector<std::wstring> out{L"kept"};
    split_wstring(L"a,,\x00e9", L',', out, false);
    EXPECT_EQ(out, (std::vector<std::wstring>{L"kept", L"a", L"", L"\x00e9"}));
    out.clear();
    split_wstring(L",a,,b,", L',', out, true);
    EXPECT_EQ(out, (std::vector<std::wstring>{L"a", L"b"}));
}

TEST(StringFormat, ReplacesTheOutString)
{
    std::string out = "previous text";
    std::string& result = string_format(out, "%d-%s-%.2f", 42, "x", 1.5);
    EXPECT_EQ(&result, &out);
    EXPECT_EQ(out, "42-x-1.50");
    string_format(out, "%s", "");
    EXPECT_EQ(out, "");
}

TEST(StringFormat, LongTextIsNotCut)
{
    std::string big(5000, 'q');
    std::string out;
    string_format(out, "<%s>%05llu", big.c_str(), 7ULL);
    ASSERT_EQ(out.size(), big.size() + 7);
    EXPECT_EQ(out.front(), '<');
    EXPECT_EQ(out.substr(out.size() - 6), ">00007");
}

TEST(StringFormat, NullFormatThrows)
{
    std::string out = "unchanged";
    const char* no_format = nullptr;
    try {
        string_format(out, no_format);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "string_vsprintf encoding error");
    }
    EXPECT_EQ(out, "unchanged");
}

TEST(EndsWithNocase, Cases)
{
    EXPECT_TRUE(ends_with_nocase("Result.CSV", ".csv"));
    EXPECT_TRUE(ends_with_nocase("result.csv", ".CsV"));
    EXPECT_TRUE(ends_with_nocase(".csv", ".CSV"));
    EXPECT_TRUE(ends_with_nocase("anything", ""));
    EXPECT_FALSE(ends_with_nocase("csv", ".csv")) << "a shorter than b";
    EXPECT_FALSE(ends_with_nocase("", "x"));
    EXPECT_FALSE(ends_with_nocase("Result.CSV", ".txt"));
    EXPECT_FALSE(ends_with_nocase("file.csvx", ".csv"));
    // '@' and '`' lie next to the letters but are not their case pairs.
    EXPECT_FALSE(ends_with_nocase("a@", "`"));
}

TEST(ReplaceCrlfWithBlank, Cases)
{
    char text[] = "x\r\ny\rz";
    replace_crlf_with_blank(text);
    EXPECT_STREQ(text, "x y z");

    char lone_lf[] = "a\nb\r\n\r\nc\r";
    replace_crlf_with_blank(lone_lf);
    EXPECT_STREQ(lone_lf, "a\nb  c ") << "an LF not after a CR stays";

    char lf_cr[] = "\n\r";
    replace_crlf_with_blank(lf_cr);
    EXPECT_STREQ(lf_cr, "\n ");

    char empty[] = "";
    replace_crlf_with_blank(empty);
    EXPECT_STREQ(empty, "");
    replace_crlf_with_blank(nullptr);
}

class ReadLineNoEol : public testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof dir, dir), 0u);
        ASSERT_NE(GetTempFileNameA(dir, "kst", 0, path_), 0u);
    }
    void TearDown() override
    {
        if (file_)
            fclose(file_);
        DeleteFileA(path_);
    }
    // Writes the bytes as they are and opens the file for reading in binary
    // mode, so that CR characters reach the reader.
    FILE* open_with(const char* bytes)
    {
        FILE* f = fopen(path_, "wb");
        if (!f)
            return nullptr;
        fwrite(bytes, 1, strlen(bytes), f);
        fclose(f);
        file_ = fopen(path_, "rb");
        return file_;
    }

    char path_[MAX_PATH] = "";
    FILE* file_ = nullptr;
};

TEST_F(ReadLineNoEol, CutsAtCrAndLf)
{
    FILE* f = open_with("one\r\ntwo\nthree\rrest\n\nlast");
    ASSERT_NE(f, nullptr);
    char line[32];
    std::vector<std::string> lines;
    while (read_line_no_eol(line, sizeof line, f))
        lines.push_back(line);
    EXPECT_EQ(lines, (strings{"one", "two", "three", "", "last"}));
    EXPECT_FALSE(read_line_no_eol(line, sizeof line, f)) << "stays false at the end";
}

TEST_F(ReadLineNoEol, LongLineComesInPiecesAndNoRoomIsFalse)
{
    FILE* f = open_with("abcdefg\n");
    ASSERT_NE(f, nullptr);
    char line[4] = "zz";
    EXPECT_FALSE(read_line_no_eol(line, 1, f));
    EXPECT_EQ(line[0], '\0');
    EXPECT_FALSE(read_line_no_eol(line, sizeof line, nullptr));
    ASSERT_TRUE(read_line_no_eol(line, sizeof line, f));
    EXPECT_STREQ(line, "abc") << "nothing was consumed before";
    ASSERT_TRUE(read_line_no_eol(line, sizeof line, f));
    EXPECT_STREQ(line, "def");
    ASSERT_TRUE(read_line_no_eol(line, sizeof line, f));
    EXPECT_STREQ(line, "g");
    EXPECT_FALSE(read_line_no_eol(line, sizeof line, f));
}

TEST(ParseHexByte, DigitsAndInvalidDigits)
{
    EXPECT_EQ(parse_hex_byte('0', '0'), 0x00);
    EXPECT_EQ(parse_hex_byte('F', 'f'), 0xFF);
    EXPECT_EQ(parse_hex_byte('a', '5'), 0xA5);
    EXPECT_EQ(parse_hex_byte('9', 'B'), 0x9B);
    // An invalid digit counts as -1, the sum taken modulo 256.
    EXPECT_EQ(parse_hex_byte('0', 'g'), 0xFF); // 0 - 1
    EXPECT_EQ(parse_hex_byte('G', '0'), 0xF0); // -16 + 0
    EXPECT_EQ(parse_hex_byte('2', ' '), 0x1F); // 32 - 1
    EXPECT_EQ(parse_hex_byte('/', ':'), 0xEF); // either side of '0'-'9'
    EXPECT_EQ(parse_hex_byte('@', 'G'), 0xEF); // either side of 'A'-'F'
}

TEST(ParseSiNumber, Multipliers)
{
    // Letters whose case matters: p/P, m/M, d/D.
    const struct { const char* text; double value; } cases[] = {
        {"1.5k", 1500.0}, {"2m", 0.002},  {"2M", 2e6},    {"3p", 3e-12},  {"3P", 3e15},
        {"4d", 0.4},      {"4D", 40.0},   {"7f", 7e-15},  {"7F", 7e-15},  {"5n", 5e-9},
        {"5N", 5e-9},     {"5u", 5e-6},   {"5U", 5e-6},   {"5c", 0.05},   {"5C", 0.05},
        {"5h", 500.0},    {"5H", 500.0},  {"5K", 5e3},    {"5g", 5e9},    {"5G", 5e9},
        {"5t", 5e12},     {"5T", 5e12},
    };
    for (const auto& c : cases) {
        bool ok = false;
        EXPECT_DOUBLE_EQ(parse_si_number(c.text, &ok), c.value) << c.text;
        EXPECT_TRUE(ok) << c.text;
    }
}

TEST(ParseSiNumber, PlainNumbersAndParts)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(parse_si_number("", &ok), 0.0);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(parse_si_number("123", &ok), 123.0);
    EXPECT_DOUBLE_EQ(parse_si_number("0.1", &ok), 0.1);
    EXPECT_DOUBLE_EQ(parse_si_number("2,5", &ok), 2.5) << "comma as separator";
    EXPECT_DOUBLE_EQ(parse_si_number(".25", &ok), 0.25);
    // Parts add up; each part has its own separator.
    EXPECT_DOUBLE_EQ(parse_si_number("4M7", &ok), 4000007.0);
    EXPECT_DOUBLE_EQ(parse_si_number("1.5k2.5", &ok), 1502.5);
    EXPECT_DOUBLE_EQ(parse_si_number("1k500m", &ok), 1000.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(parse_si_number(nullptr, &ok), 0.0);
    EXPECT_TRUE(ok);
}

TEST(ParseSiNumber, ExponentAndSign)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(parse_si_number("1E3", &ok), 1000.0);
    EXPECT_DOUBLE_EQ(parse_si_number("2.5e2", &ok), 250.0);
    EXPECT_DOUBLE_EQ(parse_si_number("1e+3", &ok), 1000.0) << "'+' right after E is skipped";
    EXPECT_DOUBLE_EQ(parse_si_number("5e-3", &ok), 0.005);
    EXPECT_DOUBLE_EQ(parse_si_number("-2k", &ok), -2000.0);
    EXPECT_DOUBLE_EQ(parse_si_number("-1.5e-2", &ok), -0.015);
    // The exponent applies to the whole sum.
    EXPECT_DOUBLE_EQ(parse_si_number("1k2e1", &ok), 10020.0);
    // A '-' anywhere before the exponent makes the whole value negative.
    EXPECT_DOUBLE_EQ(parse_si_number("3-", &ok), -3.0);
    EXPECT_DOUBLE_EQ(parse_si_number("1e2.5", &ok), 316.22776601683796) << "fractional exponent";
    EXPECT_TRUE(ok);
}

TEST(ParseSiNumber, TwoSeparatorsInOnePart)
{
    bool ok = true;
    parse_si_number("1.2.3", &ok);
    EXPECT_FALSE(ok);
    ok = true;
    parse_si_number("1,2.3k", &ok);
    EXPECT_FALSE(ok);
    ok = true;
    parse_si_number("1e1.2.3", &ok);
    EXPECT_FALSE(ok) << "also in the exponent";
    // A multiplier starts a new part, which may have its own separator.
    ok = false;
    EXPECT_DOUBLE_EQ(parse_si_number("1.5k2.5m", &ok), 1500.0025);
    EXPECT_TRUE(ok);
}

TEST(ParseSiNumber, OtherCharacterWithOkFlagDropsThePart)
{
    bool ok = true;
    EXPECT_DOUBLE_EQ(parse_si_number("12x", &ok), 0.0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_DOUBLE_EQ(parse_si_number("1k12x3", &ok), 1003.0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_DOUBLE_EQ(parse_si_number("1e+3+", &ok), 1000.0) << "a second '+' is no longer skipped";
    EXPECT_FALSE(ok);
    // The ok flag is set true at the start of every call.
    ok = false;
    parse_si_number("1", &ok);
    EXPECT_TRUE(ok);
}

TEST(ParseSiNumber, OtherCharacterWithoutOkFlagKeepsThePart)
{
    EXPECT_DOUBLE_EQ(parse_si_number("12x", nullptr), 12.0);
    EXPECT_DOUBLE_EQ(parse_si_number("1k12x3", nullptr), 1015.0);
    // The part ends unmultiplied: the letter after the blank has nothing to multiply.
    EXPECT_DOUBLE_EQ(parse_si_number("5 k", nullptr), 5.0);
    EXPECT_DOUBLE_EQ(parse_si_number("1.5k", nullptr), 1500.0);
}
