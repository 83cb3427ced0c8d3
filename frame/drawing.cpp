// The shared drawing routines and the BMP writers.
#include "frame/drawing.h"

#include "base/file_util.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kColourDigits = 6;
constexpr DWORD kBmpHeadersSize = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
constexpr LONG kPixelsPerMetre = 3780; // 96 dots per inch
static_assert(kBmpHeadersSize == 54, "file header 14 bytes, information header 40");

// Sine and cosine of an angle in degrees, each through single precision.
struct unit_vector {
    double cos;
    double sin;
};

unit_vector unit_at(double degrees)
{
    const float radians = static_cast<float>(degrees * kPi / 180.0);
    return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians))};
}

// True when text holds six hex digits from its start.
bool is_colour_code(const char* text)
{
    for (int i = 0; i < kColourDigits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    return true;
}

COLORREF read_colour_code(const char* text)
{
    char digits[kColourDigits + 1] = {};
    std::memcpy(digits, text, kColourDigits);
    return static_cast<COLORREF>(std::strtoul(digits, nullptr, 16));
}

void draw_segment(HDC dc, const char* text, size_t length)
{
    if (length > 0)
        TextOutA(dc, 0, 0, text, static_cast<int>(length));
}

// Creates the font of one candidate height.
HFONT create_fitted_font(const LOGFONTA* description, int height, bool bold, const char* face)
{
    LOGFONTA font = {};
    if (description) {
        font = *description;
    } else {
        font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
        font.lfCharSet = DEFAULT_CHARSET;
    }
    if (face || !description)
        lstrcpynA(font.lfFaceName, face ? face : "Microsoft Sans Serif", LF_FACESIZE);
    font.lfHeight = -height;
    return CreateFontIndirectA(&font);
}

// The width of text drawn in font, as a calculating centred text draw gives it.
LONG text_width(HDC dc, HFONT font, const char* text)
{
    selected_object select(dc, font);
    RECT measured = {0, 0, 0, 0};
    DrawTextA(dc, text, -1, &measured, DT_CALCRECT | DT_CENTER);
    return measured.right - measured.left;
}

BITMAPINFOHEADER bmp_info_header(int width, int height)
{
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biXPelsPerMeter = kPixelsPerMetre;
    info.biYPelsPerMeter = kPixelsPerMetre;
    return info;
}

} // namespace

gdi_object_holder::~gdi_object_holder()
{
    gdi_object_holder_release(*this);
}

void gdi_object_holder_release(gdi_object_holder& holder)
{
    if (holder.object_)
        DeleteObject(holder.object_);
    holder.object_ = nullptr;
}

void draw_framed_rect(HDC dc, RECT& rect, int amount, bool inflate, HBRUSH brush)
{
    static const int bevel[] = {GRAY_BRUSH, LTGRAY_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH};
    if (inflate)
        InflateRect(&rect, amount, amount);
    if (brush)
        FillRect(dc, &rect, brush);
    for (size_t i = 0; i < std::size(bevel); ++i) {
        if (i > 0)
            InflateRect(&rect, -1, -1);
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(bevel[i])));
    }
}

void draw_coloured_text(HDC dc, const char* text, POINT start)
{
    const COLORREF old_colour = GetTextColor(dc);
    const UINT old_align = GetTextAlign(dc);
    SetTextAlign(dc, (old_align & ~TA_CENTER) | TA_UPDATECP);
    MoveToEx(dc, start.x, start.y, nullptr);

    const char* segment = text;
    for (const char* p = text; *p; ++p) {
        if (*p != '#' || !is_colour_code(p + 1))
            continue;
        draw_segment(dc, segment, static_cast<size_t>(p - segment));
        SetTextColor(dc, read_colour_code(p + 1));
        p += kColourDigits;
        segment = p + 1;
    }
    draw_segment(dc, segment, std::strlen(segment));

    SetTextAlign(dc, old_align);
    SetTextColor(dc, old_colour);
}

void draw_line_at_angle(HDC dc, int x, int y, double length, double degrees)
{
    const unit_vector u = unit_at(degrees);
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, static_cast<int>(x + length * u.cos), static_cast<int>(y + length * u.sin));
}

void polar_to_xy(double& x, double& y, double centre_x, double centre_y, double radius,
                 double degrees)
{
    const unit_vector u = unit_at(degrees);
    x = centre_x + radius * u.cos;
    y = centre_y + radius * u.sin;
}

double vector_angle(double x1, double y1, double x2, double y2)
{
    const double lengths = std::sqrt(x1 * x1 + y1 * y1) * std::sqrt(x2 * x2 + y2 * y2);
    if (lengths == 0.0)
        return 0.0;
    // Rounding can put the cosine of (anti)parallel vectors just outside
    // [-1, 1], where acos has no value.
    double cosine = (x1 * x2 + y1 * y2) / lengths;
    cosine = cosine > 1.0 ? 1.0 : cosine < -1.0 ? -1.0 : cosine;
    return std::acos(cosine);
}

HFONT measure_text_fit(HDC dc, LOGFONTA* description, const char* text, const RECT& target,
                       int height_adjust, bool bold, const char* face)
{
    int height = description ? -description->lfHeight
                             : static_cast<int>(target.bottom - target.top) + height_adjust;
    for (; height > 0; --height) {
        gdi_object_holder candidate(create_fitted_font(description, height, bold, face));
        if (target.right > text_width(dc, static_cast<HFONT>(candidate.get()), text))
            break;
    }
    if (height < 0)
        height = 0;
    if (description)
        description->lfHeight = -height;
    return create_fitted_font(description, height, bold, face);
}

LONG text_width_in_window_font(HWND window, const char* text)
{
    const window_dc dc(window);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    return text_width(dc.get(), font, text);
}

bool point_in_rect(int x, int y, int left, int top, int right, int bottom)
{
    return left < x && x < right && top < y && y < bottom;
}

uint8_t reverse_bits(uint8_t value)
{
    uint8_t reversed = 0;
    for (int bit = 0; bit < 8; ++bit, value >>= 1)
        reversed = static_cast<uint8_t>((reversed << 1) | (value & 1));
    return reversed;
}

bool write_bmp_24(const void* pixels, int width, int height, DWORD byte_count,
                  const char* file_name)
{
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfSize = kBmpHeadersSize + byte_count;
    file.bfOffBits = kBmpHeadersSize;
    const BITMAPINFOHEADER info = bmp_info_header(width, height);

    file_handle out(CreateFileA(file_name, GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return out.valid() && write_whole(out.get(), &file, sizeof file) &&
           write_whole(out.get(), &info, sizeof info) && write_whole(out.get(), pixels, byte_count);
}

bool write_bitmap_file(HBITMAP bitmap, const char* file_name)
{
    BITMAP size = {};
    if (!GetObjectA(bitmap, sizeof size, &size))
        return false;
    const DWORD row_bytes = (static_cast<DWORD>(size.bmWidth) * 3 + 3) & ~3u;
    const DWORD byte_count = row_bytes * static_cast<DWORD>(size.bmHeight);
    std::vector<BYTE> pixels(byte_count);

    BITMAPINFO info = {};
    info.bmiHeader = bmp_info_header(size.bmWidth, size.bmHeight);
    window_dc screen(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(), &info,
                  DIB_RGB_COLORS) != size.bmHeight)
        return false;
    return write_bmp_24(pixels.data(), size.bmWidth, size.bmHeight, byte_count, file_name);
}
