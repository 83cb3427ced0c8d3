// Number text: the program's number forms within their buffer, SI scaling,
// reading numbers with suffixes and exponents, truncation and suffixes.
#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Each form into a buffer of size bytes inside a larger one filled with '#';
// fails the test when anything beyond size was written.
enum form { engineering, compact0, compact2, compact_none, point, exponent5 };

std::string text_of(form f, double v, size_t size = 64)
{
    char area[80];
    memset(area, '#', sizeof area);
    switch (f) {
    case engineering: format_engineering(v, area, size); break;
    case compact0: format_engineering_compact(v, area, size, 0); break;
    case compact2: format_engineering_compact(v, area, size, 2); break;
    case compact_none: format_engineering_compact(v, area, size, -1); break;
    case point: double_to_text(v, area, size); break;
    case exponent5: format_exponent(area, size, v, 5); break;
    }
    for (size_t i = size; i < sizeof area; ++i)
        EXPECT_EQ(area[i], '#') << "written beyond " << size << " bytes";
    return size ? std::string(area, strnlen(area, size)) : "(none)";
}

struct case_row {
    form f;
    double value;
    const char* text;
};

TEST(NumberText, FormsGiveTheProgramsTexts)
{
    const case_row rows[] = {
        {engineering, 1234.5, "1.2345 k"},   {engineering, -0.00123, "-1.2300 m"},
        {engineering, 1e10, "10.000 G"},     {engineering, 1e12, "1.0000E12 "},
        {engineering, 1e-13, "100.00E-15 "}, {engineering, 1e-12, "1.0000 p"},
        {engineering, 0.0, "0.0000 "},       {engineering, 5.0, "5.0000 "},
        {engineering, 0.5, "500.00 m"},      {engineering, 1000.0, "1.0000 k"},
        {engineering, DBL_MAX, "179.77E306 "}, {engineering, -1e-300, "-1.0000E-300 "},
        // Denormal: the scale factor 10^327 lies beyond the double range.
        {engineering, 4.9406564584124654e-324, "4.9407E-324 "},
        {compact0, 1234.5, "1.2345k"},       {compact2, -0.00123, "-1.23m"},
        {compact_none, 1234.5, "1k"},        {compact0, 42.0, "42.000"},
        {compact0, 1e-13, "100.00E-15 "},    {compact0, 0.0, "0.0000 "},
        {compact2, 0.0, "0.00"},             {compact_none, 0.0, "0."},
        {point, 1234.5, "1k2345"},           {point, 1000.0, "1k"},
        {point, 0.0047, "4m7"},              {point, 12.5, "12"},
        {point, -2200.0, "-2k2"},            {point, 1e10, "10G"},
        {point, 0.0, "0"},
        // Beyond the prefix letters the exponent stays, so the value is kept.
        {point, 1e-13, "100E-15"},           {point, 2.5e12, "2E12"},
        {exponent5, 1234.5, "1.23450E3"},    {exponent5, 0.000012345, "1.23450E-5"},
        {exponent5, 1.2345e12, "1.23450E12"}, {exponent5, 0.0, "0.00000E0"},
        {exponent5, -2.5e-300, "-2.50000E-300"}, {exponent5, 1e100, "1.00000E100"},
        // Infinite and not-a-number values.
        {engineering, kInf, "INF "},         {engineering, -kInf, "-INF "},
        {engineering, -kNaN, "NAN "},        {compact0, kInf, "INF"},
        {compact2, kNaN, "NAN"},             {point, -kInf, "-INF"},
        {exponent5, kInf, "INF"},            {exponent5, -kNaN, "NAN"},
    };
    for (const case_row& r : rows)
        EXPECT_EQ(text_of(r.f, r.value), r.text) << "form " << r.f << ", value " << r.value;
}

TEST(NumberText, FormsStayInsideTheGivenSize)
{
    // The engineering number is limited to size - 2 characters; a minus sign
    // comes before it.
    EXPECT_EQ(text_of(engineering, 1234.5, 6), "1.23");
    EXPECT_EQ(text_of(engineering, -1234.5, 6), "-1.23");
    EXPECT_EQ(text_of(engineering, 0.0, 4), "0.0");
    EXPECT_EQ(text_of(engineering, -5.0, 1), "");
    EXPECT_EQ(text_of(engineering, -5.0, 0), "(none)");
    EXPECT_EQ(text_of(compact2, 0.0, 3), "0.");
    EXPECT_EQ(text_of(exponent5, 1234.5, 5), "1.23");
    EXPECT_EQ(text_of(point, 1234.5, 3), "1");
    // Absurd precisions only add zeros.
    char big[16];
    format_engineering_compact(0.0, big, sizeof big, 2000000000);
    EXPECT_STREQ(big, "0.0000000000000");
    format_engineering_compact(1.5, big, sizeof big, 2000000000);
    EXPECT_STREQ(big, "1.500000000000");
    format_exponent(big, sizeof big, 1.5, 2000000000);
    EXPECT_STREQ(big, "1.5000000000000");
    EXPECT_EQ(format_si_value(1.5, 2000000000).substr(0, 6), "1.5000");
}

TEST(NumberText, SiValueScalesByMagnitude)
{
    EXPECT_EQ(format_si_value(1500.0, 3), "1.500k");
    EXPECT_EQ(format_si_value(-0.00002, 2), "-20.00u");
    EXPECT_EQ(format_si_value(999.9, 1), "999.9");
    EXPECT_EQ(format_si_value(1e-16, 1), "0.0");
    EXPECT_EQ(format_si_value(0.0, 7), "0.000");
    EXPECT_EQ(format_si_value(1e-15, 0), "1f");
    EXPECT_EQ(format_si_value(3.3e-12, 1), "3.3p");
    EXPECT_EQ(format_si_value(4.7e-9, 1), "4.7n");
    EXPECT_EQ(format_si_value(2.2e6, 1), "2.2M");
    EXPECT_EQ(format_si_value(7e12, 0), "7T");
    EXPECT_EQ(format_si_value(2.5e20, 1), "250000.0P"); // 1e15 and above: P
    EXPECT_EQ(format_si_value(-kInf, 2), "-INF");
    EXPECT_EQ(format_si_value(kNaN, 2), "NAN");
}

TEST(NumberText, ParseReadsSuffixesSignsAndExponents)
{
    const std::pair<const char*, double> rows[] = {
        {"2k2", 2002.0}, {"1.5e3", 1500.0}, {"4,7m", 0.0047}, {"-3u", -0.000003},
        {"1M", 1e6},     {"1m", 0.001},     {"1P", 1e15},     {"1p", 1e-12},
        {"2g", 2e9},     {"3t", 3e12},      {"5N", 5e-9},     {"5F", 5e-15},
        {"7K", 7000.0},  {"6U", 6e-6},      {"1.5E+3", 1500.0}, {"-1.25e-2", -0.0125},
        {"0", 0.0},      {"1e-99999", 0.0}, {"0e99999", 0.0},
    };
    for (const auto& r : rows) {
        bool ok = false;
        EXPECT_DOUBLE_EQ(static_cast<double>(parse_si_value(r.first, &ok)), r.second) << r.first;
        EXPECT_TRUE(ok) << r.first;
    }
    EXPECT_DOUBLE_EQ(static_cast<double>(parse_si_value("2k")), 2000.0); // flag optional
}

TEST(NumberText, ParseFlagsTextsThatAreNotNumbers)
{
    const std::pair<std::string, double> rows[] = {
        {"10 V", 10.0},  // a blank and a unit: the number before them stays
        {"1.2.3", 1.23}, // two points in one number
        {"+5", 5.0},
        // No digits at all.
        {"", 0.0}, {"V", 0.0}, {"k", 0.0}, {"-", 0.0}, {".", 0.0},
        // Beyond the range of a double.
        {"1e99999", 0.0}, {"1e400", 0.0}, {"-1e999999999999999999999", 0.0},
        {std::string(400, '9'), 0.0},
    };
    for (const auto& r : rows) {
        bool ok = true;
        EXPECT_DOUBLE_EQ(static_cast<double>(parse_si_value(r.first, &ok)), r.second) << r.first;
        EXPECT_FALSE(ok) << r.first;
    }
    bool ok = true;
    parse_si_value("1e3e3", &ok); // two exponents
    EXPECT_FALSE(ok);
}

TEST(NumberText, TruncateKeepsTheLeadingDigit)
{
    EXPECT_EQ(truncate_to_leading_digit(3456.0), 3000.0);
    EXPECT_EQ(truncate_to_leading_digit(0.0456), 0.04);
    EXPECT_EQ(truncate_to_leading_digit(-78.0), -70.0);
    EXPECT_EQ(truncate_to_leading_digit(0.0), 0.0);
    // The double nearest 0.3 lies just below it; the text 0.3 still means 3.
    EXPECT_EQ(truncate_to_leading_digit(0.3), 0.3);
    EXPECT_EQ(truncate_to_leading_digit(9.99e-5), 9e-5);
    // Far beyond the single-precision range, both ways.
    EXPECT_EQ(truncate_to_leading_digit(3.4e39), 3e39);
    EXPECT_EQ(truncate_to_leading_digit(-2.5e-310), -2e-310);
    EXPECT_EQ(truncate_to_leading_digit(kInf), kInf);
    EXPECT_TRUE(std::isnan(truncate_to_leading_digit(kNaN)));
}

TEST(NumberText, AppendSuffixOnlyWhenMissing)
{
    std::string text = "10";
    append_suffix_if_missing(text, "V");
    append_suffix_if_missing(text, "V");
    EXPECT_EQ(text, "10V");
    text = "V";
    append_suffix_if_missing(text, "mV"); // suffix longer than the text
    EXPECT_EQ(text, "VmV");
    append_suffix_if_missing(text, "");
    EXPECT_EQ(text, "VmV");
}

} // namespace
