#include "app/drawing.h"

#include "tests/support/pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);
constexpr COLORREF kDarkGrey = RGB(64, 64, 64);
constexpr COLORREF kFill = RGB(0, 0, 255);
constexpr double kPi = 3.141592653589793;

// A font without smoothing, so that text pixels have exactly the text colour.
HFONT sharp_font(int height)
{
    return CreateFontA(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, 0,
                       NONANTIALIASED_QUALITY, 0, "Tahoma");
}

// The distinct colours of the columns that carry ink, left to right.
std::vector<COLORREF> ink_colours_left_to_right(const memory_canvas& canvas)
{
    std::vector<COLORREF> sequence;
    for (int x = 0; x < canvas.width(); ++x) {
        for (int y = 0; y < canvas.height(); ++y) {
            const COLORREF c = canvas.pixel(x, y);
            if (c != kWhite && (sequence.empty() || sequence.back() != c))
                sequence.push_back(c);
        }
    }
    return sequence;
}

std::string temp_file(const char* name)
{
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::vector<unsigned char> read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t le32(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t le16(const std::vector<unsigned char>& b, size_t at)
{
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

} // namespace

// Bevel: grey, light grey, light grey, grey, dark grey from outside in; the
// rectangle ends 4 smaller a side than after the inflation.
TEST(FramedRect, BevelFromOutsideInAndRectangleFourSmaller)
{
    struct framed_case {
        bool inflate;
        bool brush;
        RECT after;
    };
    const framed_case cases[] = {
        {false, false, {14, 14, 46, 46}},
        {true, false, {11, 11, 49, 49}},
        {true, true, {11, 11, 49, 49}},
    };
    for (const framed_case& c : cases) {
        memory_canvas canvas(60, 60);
        HBRUSH fill = CreateSolidBrush(kFill);
        RECT rect = {10, 10, 50, 50};
        draw_framed_rect(canvas.dc(), rect, 3, c.inflate, c.brush ? fill : nullptr);
        DeleteObject(fill);
        EXPECT_TRUE(EqualRect(&rect, &c.after)) << rect.left << "," << rect.top << " "
                                                << rect.right << "," << rect.bottom;
        const int outer = c.after.left - 4; // the bevel's outermost column
        const COLORREF expected[] = {kWhite, kGrey, kLightGrey, kLightGrey, kGrey, kDarkGrey,
                                     c.brush ? kFill : kWhite};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(canvas.pixel(outer - 1 + i, 30), expected[i]) << "column " << i;
        // The same on the bottom edge, read from outside in.
        const int bottom = c.after.bottom + 3;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(canvas.pixel(30, bottom + 1 - i), expected[i]) << "row " << i;
    }
}

TEST(ColouredText, SegmentsTakeTheirColours)
{
    constexpr COLORREF kEntry = RGB(0, 128, 0);
    struct colour_case {
        const char* text;
        std::vector<COLORREF> sequence;
    };
    const colour_case cases[] = {
        {"HHHH", {kEntry}},
        // An empty first segment, then the code: digits read as 0x0000ff are red.
        {"#0000ffHHHH", {RGB(255, 0, 0)}},
        {"HH#00ff00HH#ff0000HH", {kEntry, RGB(0, 255, 0), RGB(0, 0, 255)}},
        // Producers end every segment with a blank.
        {"#0000ffHH #ff0000HH ", {RGB(255, 0, 0), RGB(0, 0, 255)}},
    };
    HFONT font = sharp_font(16);
    for (const colour_case& c : cases) {
        memory_canvas canvas(400, 30);
        SelectObject(canvas.dc(), font);
        SetTextColor(canvas.dc(), kEntry);
        SetBkMode(canvas.dc(), TRANSPARENT);
        draw_coloured_text(canvas.dc(), c.text, {5, 5});
        EXPECT_EQ(ink_colours_left_to_right(canvas), c.sequence) << c.text;
        // Colour and alignment are given back.
        EXPECT_EQ(GetTextColor(canvas.dc()), kEntry);
        EXPECT_EQ(GetTextAlign(canvas.dc()), static_cast<UINT>(TA_TOP | TA_LEFT | TA_NOUPDATECP));
        SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT));
    }
    DeleteObject(font);
}

// A '#' that does not start six hex digits is text, and a long text is
// drawn whole: the result matches a plain text output pixel for pixel.
TEST(ColouredText, TextWithoutCodesDrawsLikePlainText)
{
    const std::string long_text(300, 'i');
    const std::string cases[] = {"A#12G456B", "#", "AB#12", "x#abcde", "##0000ff", long_text,
                                 "no codes at all"};
    HFONT font = sharp_font(12);
    for (const std::string& text : cases) {
        const bool has_code = text == "##0000ff";
        memory_canvas coloured(1400, 24);
        memory_canvas plain(1400, 24);
        for (memory_canvas* canvas : {&coloured, &plain}) {
            SelectObject(canvas->dc(), font);
            SetBkMode(canvas->dc(), TRANSPARENT);
        }
        draw_coloured_text(coloured.dc(), text.c_str(), {3, 4});
        // "##0000ff": the first '#' is text, the second starts a code.
        const std::string shown = has_code ? "#" : text;
        TextOutA(plain.dc(), 3, 4, shown.c_str(), static_cast<int>(shown.size()));
        bool same = true;
        for (int y = 0; y < 24 && same; ++y)
            for (int x = 0; x < 1400 && same; ++x)
                same = coloured.pixel(x, y) == plain.pixel(x, y);
        EXPECT_TRUE(same) << text;
        EXPECT_FALSE(ink_colours_left_to_right(plain).empty()) << text;
        for (memory_canvas* canvas : {&coloured, &plain})
            SelectObject(canvas->dc(), GetStockObject(SYSTEM_FONT));
    }
    DeleteObject(font);
}

TEST(PointInRect, EdgesAreOutside)
{
    struct point_case {
        int x, y;
        bool inside;
    };
    const point_case cases[] = {
        {15, 15, true},  {11, 11, true},  {19, 19, true},
        {10, 15, false}, {20, 15, false}, {15, 10, false}, {15, 20, false}, // the four edges
        {10, 10, false}, {20, 20, false}, {5, 15, false},  {15, 25, false},
    };
    for (const point_case& c : cases)
        EXPECT_EQ(point_in_rect(c.x, c.y, 10, 10, 20, 20), c.inside) << c.x << "," << c.y;
}

TEST(ReverseBits, MirrorsTheByte)
{
    const uint8_t cases[][2] = {{0x01, 0x80}, {0xF0, 0x0F}, {0x00, 0x00}, {0xFF, 0xFF},
                                {0x12, 0x48}, {0xA0, 0x05}, {0x81, 0x81}, {0x02, 0x40}};
    for (const auto& c : cases)
        EXPECT_EQ(reverse_bits(c[0]), c[1]) << int{c[0]};
    for (int v = 0; v < 256; ++v)
        for (int bit = 0; bit < 8; ++bit)
            ASSERT_EQ((reverse_bits(static_cast<uint8_t>(v)) >> bit) & 1, (v >> (7 - bit)) & 1);
}

TEST(Angles, PolarPointsAndVectorAngleAtTheQuarters)
{
    struct quarter {
        double degrees;
        double x, y;
        double angle_to_x_axis;
    };
    const quarter cases[] = {
        {0, 110, 50, 0},
        {90, 10, 150, kPi / 2},
        {180, -90, 50, kPi},
        {270, 10, -50, kPi / 2},
        {-90, 10, -50, kPi / 2},
        {45, 10 + 100 / std::sqrt(2.0), 50 + 100 / std::sqrt(2.0), kPi / 4},
    };
    for (const quarter& c : cases) {
        double x = 0, y = 0;
        polar_to_xy(x, y, 10, 50, 100, c.degrees);
        // Single-precision radians: close to, not exactly on, the axes.
        EXPECT_NEAR(x, c.x, 1e-4) << c.degrees;
        EXPECT_NEAR(y, c.y, 1e-4) << c.degrees;
        EXPECT_NEAR(vector_angle(1, 0, x - 10, y - 50), c.angle_to_x_axis, 1e-6) << c.degrees;
    }
}

TEST(Angles, VectorAngleIsNeverNaN)
{
    struct vector_case {
        double x1, y1, x2, y2;
        double angle;
    };
    const vector_case cases[] = {
        {0, 0, 1, 0, 0},           // zero length
        {3, 4, 0, 0, 0},
        {0, 0, 0, 0, 0},
        {0.1, 0.3, 0.24, 0.72, 0}, // cosine rounds above 1 in double arithmetic
        {0.1, 0.6, 0.03, 0.18, 0},
        {0.1, 0.3, -0.24, -0.72, kPi},
        {3, 4, 6, 8, 0},
        {1, 0, 0, 1, kPi / 2},
    };
    for (const vector_case& c : cases) {
        const double angle = vector_angle(c.x1, c.y1, c.x2, c.y2);
        EXPECT_FALSE(std::isnan(angle));
        EXPECT_NEAR(angle, c.angle, 1e-7) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
}

TEST(Angles, LineAtAngleEndsAtTheTruncatedPoint)
{
    struct line_case {
        double degrees;
        POINT inked;    // a pixel on the line
        POINT blank;    // a pixel the line does not reach
    };
    const line_case cases[] = {
        {0, {38, 20}, {40, 20}},
        {180, {15, 20}, {0, 20}},
        // cos 90 degrees in single precision is just below 0: the end point's
        // x of 19.99... is truncated to 19.
        {90, {19, 38}, {20, 39}},
    };
    for (const line_case& c : cases) {
        memory_canvas canvas(41, 42);
        draw_line_at_angle(canvas.dc(), 20, 20, 20, c.degrees);
        EXPECT_EQ(canvas.pixel(c.inked.x, c.inked.y), RGB(0, 0, 0)) << c.degrees;
        EXPECT_NE(canvas.pixel(c.blank.x, c.blank.y), RGB(0, 0, 0)) << c.degrees;
    }
}

TEST(MeasureTextFit, ShrinksUntilTheTextFits)
{
    memory_canvas canvas(10, 10);
    const char* text = "Phase Angle Reference";
    struct fit_case {
        bool with_description;
        LONG right;
        int adjust;
        bool bold;
    };
    const fit_case cases[] = {
        {true, 115, 0, false},
        {true, 60, 0, false},
        {false, 80, 0, true},
        {false, 80, -6, false},
        {true, 400, 0, false}, // fits at once: the description's own height
    };
    for (const fit_case& c : cases) {
        LOGFONTA description = {};
        description.lfHeight = -12;
        description.lfWeight = FW_NORMAL;
        lstrcpyA(description.lfFaceName, "Segoe UI");
        const RECT target = {0, 0, c.right, 21};
        HFONT font = measure_text_fit(canvas.dc(), c.with_description ? &description : nullptr,
                                      text, target, c.adjust, c.bold, nullptr);
        ASSERT_NE(font, nullptr);
        LOGFONTA made = {};
        GetObjectA(font, sizeof made, &made);
        const int start = c.with_description ? 12 : 21 + c.adjust;
        const int height = -made.lfHeight;
        EXPECT_GT(height, 0);
        EXPECT_LE(height, start);
        EXPECT_EQ(made.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_STREQ(made.lfFaceName, c.with_description ? "Segoe UI" : "Microsoft Sans Serif");
        if (c.with_description) {
            EXPECT_EQ(description.lfHeight, made.lfHeight);
        }

        // The height found fits; one more pixel (when it was tried) does not.
        const auto width_at = [&](int h) {
            LOGFONTA f = made;
            f.lfHeight = -h;
            HFONT probe = CreateFontIndirectA(&f);
            HGDIOBJ old = SelectObject(canvas.dc(), probe);
            RECT r = {0, 0, 0, 0};
            DrawTextA(canvas.dc(), text, -1, &r, DT_CALCRECT | DT_CENTER);
            SelectObject(canvas.dc(), old);
            DeleteObject(probe);
            return r.right - r.left;
        };
        EXPECT_LT(width_at(height), c.right);
        if (height < start) {
            EXPECT_GE(width_at(height + 1), c.right);
        }
        DeleteObject(font);
    }
}

TEST(MeasureTextFit, NothingFitsGivesHeightZero)
{
    memory_canvas canvas(10, 10);
    const RECT one = {0, 0, 1, 1};
    LOGFONTA description = {};
    description.lfHeight = -12;
    lstrcpyA(description.lfFaceName, "Segoe UI");
    for (LOGFONTA* d : {&description, static_cast<LOGFONTA*>(nullptr)}) {
        HFONT font = measure_text_fit(canvas.dc(), d, "X", one, 0, false, "Tahoma");
        LOGFONTA made = {};
        GetObjectA(font, sizeof made, &made);
        EXPECT_EQ(made.lfHeight, 0);
        EXPECT_STREQ(made.lfFaceName, "Tahoma");
        DeleteObject(font);
    }
    EXPECT_EQ(description.lfHeight, 0);
}

// A 3 x 2 bitmap: 54 header bytes and two rows of 12 (9 rounded up),
// bottom row first, blue-green-red per pixel.
TEST(BitmapFile, ThreeByTwoReadBackByteForByte)
{
    const COLORREF top[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    const COLORREF bottom[3] = {RGB(1, 2, 3), RGB(255, 255, 255), RGB(16, 32, 64)};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int x = 0; x < 3; ++x) {
        SetPixel(dc, x, 0, top[x]);
        SetPixel(dc, x, 1, bottom[x]);
    }
    SelectObject(dc, old);
    DeleteDC(dc);

    const std::string path = temp_file("kestrova_bitmap_3x2.bmp");
    ASSERT_TRUE(write_bitmap_file(bitmap, path.c_str()));
    DeleteObject(bitmap);
    const std::vector<unsigned char> b = read_file(path);
    DeleteFileA(path.c_str());

    ASSERT_EQ(b.size(), 78u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    const struct {
        size_t at;
        uint32_t value;
    } fields32[] = {{2, 78}, {6, 0}, {10, 54}, {14, 40}, {18, 3}, {22, 2}, {30, 0}, {34, 0},
                    {38, 3780}, {42, 3780}, {46, 0}, {50, 0}};
    for (const auto& f : fields32)
        EXPECT_EQ(le32(b, f.at), f.value) << "offset " << f.at;
    EXPECT_EQ(le16(b, 26), 1);  // planes
    EXPECT_EQ(le16(b, 28), 24); // bits per pixel
    const COLORREF* rows[2] = {bottom, top};
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) {
            const size_t at = 54 + row * 12 + x * 3;
            EXPECT_EQ(RGB(b[at + 2], b[at + 1], b[at]), rows[row][x]) << row << "," << x;
        }
    }
}

TEST(BitmapFile, CallersBytesAndCountGoIntoTheFile)
{
    const unsigned char pixels[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    const std::string path = temp_file("kestrova_bmp24.bmp");
    ASSERT_TRUE(write_bmp_24(pixels, 1, 2, sizeof pixels, path.c_str()));
    const std::vector<unsigned char> b = read_file(path);
    DeleteFileA(path.c_str());
    ASSERT_EQ(b.size(), 62u);
    EXPECT_EQ(le32(b, 2), 62u);
    EXPECT_EQ(le32(b, 18), 1u);
    EXPECT_EQ(le32(b, 22), 2u);
    EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), b.begin() + 54));
}

TEST(BitmapFile, FailuresGiveFalse)
{
    const unsigned char pixels[4] = {};
    const std::string folder = temp_file("kestrova_bmp_folder");
    CreateDirectoryA(folder.c_str(), nullptr);
    const char* unwritable[] = {"C:\\no such folder\\x.bmp", folder.c_str(), ""};
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 2, 2);
    ReleaseDC(nullptr, screen);
    for (const char* path : unwritable) {
        EXPECT_FALSE(write_bmp_24(pixels, 1, 1, sizeof pixels, path)) << path;
        EXPECT_FALSE(write_bitmap_file(bitmap, path)) << path;
    }
    DeleteObject(bitmap);
    RemoveDirectoryA(folder.c_str());
    EXPECT_FALSE(write_bitmap_file(nullptr, temp_file("kestrova_no_bitmap.bmp").c_str()));
}

TEST(GdiObjectHolder, DeletesItsObjectAlsoOnException)
{
    HGDIOBJ kept = nullptr;
    {
        gdi_object_holder holder(CreateSolidBrush(kFill));
        kept = holder.get();
        EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(kept), 0u);

    try {
        gdi_object_holder holder(CreatePen(PS_SOLID, 1, kFill));
        kept = holder.get();
        throw std::runtime_error("leaves the holder's scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetObjectType(kept), 0u);

    gdi_object_holder holder(CreateSolidBrush(kFill));
    kept = holder.get();
    gdi_object_holder_release(holder);
    EXPECT_EQ(holder.get(), nullptr);
    EXPECT_EQ(GetObjectType(kept), 0u);
    gdi_object_holder_release(holder); // nothing held: nothing happens
}
