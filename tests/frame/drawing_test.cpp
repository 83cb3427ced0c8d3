// The shared drawing routines: the bevelled frame, colour-coded text, angles,
// fitted fonts, the small geometry helpers, BMP writers and the GDI holder.
#include "frame/drawing.h"

#include "tests/support/pixels.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kFill = RGB(0, 0, 255);
constexpr double kPi = 3.141592653589793;

// The distinct colours of the columns that carry ink, left to right.
std::vector<COLORREF> ink_left_to_right(const memory_canvas& canvas)
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

// A canvas with an unsmoothed font: text pixels have exactly the text colour.
struct text_canvas : memory_canvas {
    text_canvas(int width, int height) : memory_canvas(width, height)
    {
        font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, 0,
                           NONANTIALIASED_QUALITY, 0, "Tahoma");
        old = SelectObject(dc(), font);
        SetBkMode(dc(), TRANSPARENT);
    }
    ~text_canvas()
    {
        SelectObject(dc(), old);
        DeleteObject(font);
    }
    HFONT font;
    HGDIOBJ old;
};

std::vector<unsigned char> file_bytes(const std::string& path)
{
    const std::string bytes = read_whole_file(path);
    return {bytes.begin(), bytes.end()};
}

uint32_t le32(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

} // namespace

TEST(FramedRect, BevelFromOutsideInAndRectangleFourSmaller)
{
    const struct {
        bool inflate, brush;
        RECT after;
    } cases[] = {{false, false, {14, 14, 46, 46}}, {true, true, {11, 11, 49, 49}}};
    for (const auto& c : cases) {
        memory_canvas canvas(60, 60);
        gdi_object_holder fill(CreateSolidBrush(kFill));
        RECT rect = {10, 10, 50, 50};
        HBRUSH brush = c.brush ? static_cast<HBRUSH>(fill.get()) : nullptr;
        draw_framed_rect(canvas.dc(), rect, 3, c.inflate, brush);
        EXPECT_TRUE(EqualRect(&rect, &c.after)) << rect.left << "," << rect.right;
        // Outside, grey, light grey, light grey, grey, dark grey, inside.
        const COLORREF grey = RGB(128, 128, 128), light = RGB(192, 192, 192);
        const COLORREF bevel[] = {kWhite, grey, light, light, grey, RGB(64, 64, 64),
                                  c.brush ? kFill : kWhite};
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(canvas.pixel(c.after.left - 5 + i, 30), bevel[i]) << "left edge " << i;
            EXPECT_EQ(canvas.pixel(30, c.after.bottom + 4 - i), bevel[i]) << "bottom edge " << i;
        }
    }
}

TEST(ColouredText, CodesSwitchTheColourOtherTextIsDrawnAsItIs)
{
    constexpr COLORREF kEntry = RGB(0, 128, 0);
    const std::string long_text(300, 'i');
    const struct {
        std::string text;
        std::vector<COLORREF> colours; // ink left to right
        std::string as_plain;          // when set: the same pixels as this plain text
    } cases[] = {
        {"HHHH", {kEntry}, "HHHH"},
        // An empty first segment, then the code: digits read as 0x0000ff are red.
        {"#0000ffHHHH", {RGB(255, 0, 0)}, ""},
        {"HH#00ff00HH #ff0000HH ", {kEntry, RGB(0, 255, 0), RGB(0, 0, 255)}, ""},
        // A '#' without six hex digits after it is text.
        {"A#12G456B", {kEntry}, "A#12G456B"},
        {"AB#12", {kEntry}, "AB#12"},
        {"#", {kEntry}, "#"},
        {"##0000ff", {kEntry}, "#"},
        {long_text, {kEntry}, long_text}, // no segment is cut short
    };
    for (const auto& c : cases) {
        text_canvas canvas(1400, 24);
        SetTextColor(canvas.dc(), kEntry);
        draw_coloured_text(canvas.dc(), c.text.c_str(), {3, 4});
        EXPECT_EQ(ink_left_to_right(canvas), c.colours) << c.text;
        EXPECT_EQ(GetTextColor(canvas.dc()), kEntry);
        EXPECT_EQ(GetTextAlign(canvas.dc()), 0u) << "alignment given back";
        if (c.as_plain.empty())
            continue;
        text_canvas plain(1400, 24);
        SetTextColor(plain.dc(), kEntry);
        TextOutA(plain.dc(), 3, 4, c.as_plain.c_str(), static_cast<int>(c.as_plain.size()));
        bool same = true;
        for (int y = 0; y < 24 && same; ++y)
            for (int x = 0; x < 1400 && same; ++x)
                same = canvas.pixel(x, y) == plain.pixel(x, y);
        EXPECT_TRUE(same) << c.text;
    }
}

TEST(SmallRoutines, PointInRectExcludesEdgesAndReverseBitsMirrors)
{
    const struct {
        int x, y;
        bool inside;
    } points[] = {{15, 15, true}, {11, 19, true}, {10, 15, false}, {20, 15, false},
                  {15, 10, false}, {15, 20, false}, {5, 15, false}, {20, 20, false}};
    for (const auto& p : points)
        EXPECT_EQ(point_in_rect(p.x, p.y, 10, 10, 20, 20), p.inside) << p.x << "," << p.y;

    const uint8_t bytes[][2] = {{0x01, 0x80}, {0xF0, 0x0F}, {0x00, 0x00}, {0x12, 0x48},
                                {0x81, 0x81}};
    for (const auto& b : bytes)
        EXPECT_EQ(reverse_bits(b[0]), b[1]) << int{b[0]};
    for (int v = 0; v < 256; ++v)
        ASSERT_EQ(reverse_bits(reverse_bits(static_cast<uint8_t>(v))), v);
}

TEST(Angles, QuartersAndNoNaN)
{
    const struct {
        double degrees, x, y, angle_to_x_axis;
    } quarters[] = {{0, 110, 50, 0}, {90, 10, 150, kPi / 2}, {180, -90, 50, kPi},
                    {270, 10, -50, kPi / 2}, {-90, 10, -50, kPi / 2}};
    for (const auto& q : quarters) {
        double x = 0, y = 0;
        polar_to_xy(x, y, 10, 50, 100, q.degrees);
        // Single-precision radians: close to, not exactly on, the axes.
        EXPECT_NEAR(x, q.x, 1e-4) << q.degrees;
        EXPECT_NEAR(y, q.y, 1e-4) << q.degrees;
        EXPECT_NEAR(vector_angle(1, 0, x - 10, y - 50), q.angle_to_x_axis, 1e-6) << q.degrees;
    }
    const struct {
        double x1, y1, x2, y2, angle;
    } vectors[] = {
        {0, 0, 1, 0, 0}, {3, 4, 0, 0, 0}, {0, 0, 0, 0, 0}, // a zero-length vector
        {0.1, 0.3, 0.24, 0.72, 0},   // the cosine rounds above 1 in double arithmetic
        {0.1, 0.3, -0.24, -0.72, kPi}, {3, 4, 6, 8, 0},
    };
    for (const auto& v : vectors) {
        const double angle = vector_angle(v.x1, v.y1, v.x2, v.y2);
        EXPECT_FALSE(std::isnan(angle));
        EXPECT_NEAR(angle, v.angle, 1e-7) << v.x1 << "," << v.y1 << " " << v.x2 << "," << v.y2;
    }
}

TEST(MeasureTextFit, ShrinksUntilTheTextFitsElseHeightZero)
{
    memory_canvas canvas(10, 10);
    const char* text = "Phase Angle Reference";
    const struct {
        bool with_description;
        LONG right;
        int adjust;
        bool bold;
        const char* face;
    } cases[] = {
        {true, 115, 0, false, nullptr}, {true, 60, 0, false, nullptr},
        {false, 80, 0, true, nullptr},  {false, 80, -6, false, nullptr},
        {true, 400, 0, false, nullptr}, // fits at once
        {true, 1, 0, false, "Tahoma"},  {false, 1, 0, false, nullptr}, // nothing fits
    };
    for (const auto& c : cases) {
        LOGFONTA description = {};
        description.lfHeight = -12;
        description.lfWeight = FW_NORMAL;
        lstrcpyA(description.lfFaceName, "Segoe UI");
        const RECT target = {0, 0, c.right, 21};
        LOGFONTA* given = c.with_description ? &description : nullptr;
        gdi_object_holder font(
            measure_text_fit(canvas.dc(), given, text, target, c.adjust, c.bold, c.face));
        LOGFONTA made = {};
        ASSERT_TRUE(GetObjectA(font.get(), sizeof made, &made));
        const int start = c.with_description ? 12 : 21 + c.adjust;
        const int height = -made.lfHeight;
        const char* face = c.with_description ? "Segoe UI" : "Microsoft Sans Serif";
        EXPECT_STREQ(made.lfFaceName, c.face ? c.face : face);
        EXPECT_EQ(made.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        if (c.with_description) {
            EXPECT_EQ(description.lfHeight, made.lfHeight) << "the description takes the height";
        }
        if (c.right == 1) {
            EXPECT_EQ(made.lfHeight, 0);
            continue;
        }
        // The height found fits; one more pixel (when it was tried) does not.
        const auto width_at = [&](int h) {
            made.lfHeight = -h;
            gdi_object_holder probe(CreateFontIndirectA(&made));
            selected_object in(canvas.dc(), probe.get());
            RECT r = {0, 0, 0, 0};
            DrawTextA(canvas.dc(), text, -1, &r, DT_CALCRECT | DT_CENTER);
            return r.right - r.left;
        };
        ASSERT_GT(height, 0);
        ASSERT_LE(height, start);
        EXPECT_LT(width_at(height), c.right);
        if (height < start) {
            EXPECT_GE(width_at(height + 1), c.right);
        }
    }
}

// A 3 x 2 bitmap: 54 header bytes and two rows of 12 (9 rounded up), bottom
// row first, blue-green-red per pixel.
TEST(BitmapFile, ThreeByTwoReadBackByteForByte)
{
    const COLORREF top[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    const COLORREF bottom[3] = {RGB(1, 2, 3), RGB(255, 255, 255), RGB(16, 32, 64)};
    HDC screen = GetDC(nullptr);
    gdi_object_holder bitmap(CreateCompatibleBitmap(screen, 3, 2));
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    {
        selected_object in(dc, bitmap.get());
        for (int x = 0; x < 3; ++x) {
            SetPixel(dc, x, 0, top[x]);
            SetPixel(dc, x, 1, bottom[x]);
        }
    }
    DeleteDC(dc);

    const temp_folder folder;
    const std::string path = folder.file("bitmap_3x2.bmp");
    ASSERT_TRUE(write_bitmap_file(static_cast<HBITMAP>(bitmap.get()), path.c_str()));
    const std::vector<unsigned char> b = file_bytes(path);
    ASSERT_EQ(b.size(), 78u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    // File size, reserved, pixel offset, header size, width, height, planes
    // and bits, compression, image size, pixels per metre, colours.
    const uint32_t fields[] = {78, 0, 54, 40, 3, 2, 1 | 24 << 16, 0, 0, 3780, 3780, 0, 0};
    for (size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(le32(b, 2 + 4 * i), fields[i]) << "offset " << 2 + 4 * i;
    const COLORREF* rows[2] = {bottom, top};
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 3; ++x) {
            const size_t at = 54 + row * 12 + x * 3;
            EXPECT_EQ(RGB(b[at + 2], b[at + 1], b[at]), rows[row][x]) << row << "," << x;
        }
}

TEST(BitmapFile, CallersBytesAsTheyAreAndFailuresAsFalse)
{
    const unsigned char pixels[8] = {1, 2, 3, 0, 4, 5, 6, 0};
    const temp_folder folder;
    const std::string path = folder.file("bmp24.bmp");
    ASSERT_TRUE(write_bmp_24(pixels, 1, 2, sizeof pixels, path.c_str()));
    const std::vector<unsigned char> b = file_bytes(path);
    ASSERT_EQ(b.size(), 62u);
    EXPECT_EQ(le32(b, 2), 62u);
    EXPECT_TRUE(std::equal(std::begin(pixels), std::end(pixels), b.begin() + 54));

    HDC screen = GetDC(nullptr);
    gdi_object_holder bitmap(CreateCompatibleBitmap(screen, 2, 2));
    ReleaseDC(nullptr, screen);
    for (const char* unwritable : {"C:\\no such folder\\x.bmp", folder.path.c_str(), ""}) {
        EXPECT_FALSE(write_bmp_24(pixels, 1, 1, sizeof pixels, unwritable)) << unwritable;
        EXPECT_FALSE(write_bitmap_file(static_cast<HBITMAP>(bitmap.get()), unwritable));
    }
    EXPECT_FALSE(write_bitmap_file(nullptr, folder.file("no_bitmap.bmp").c_str()));
}

TEST(GdiObjectHolder, DeletesItsObjectAlsoOnException)
{
    HGDIOBJ kept = nullptr;
    try {
        gdi_object_holder holder(CreatePen(PS_SOLID, 1, kFill));
        kept = holder.get();
        ASSERT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_PEN));
        throw std::runtime_error("leaves the holder's scope");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetObjectType(kept), 0u);

    gdi_object_holder holder(CreateSolidBrush(kFill));
    kept = holder.get();
    gdi_object_holder_release(holder);
    EXPECT_EQ(holder.get(), nullptr);
    EXPECT_EQ(GetObjectType(kept), 0u);
}
