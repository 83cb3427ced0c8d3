#include "tests/support/pixels.h"

#include <algorithm>

namespace {

// The colour bits of a pixel (the fourth byte is not drawn).
constexpr DWORD kColourBits = 0xFFFFFF;

} // namespace

memory_canvas::memory_canvas(int width, int height, COLORREF background)
    : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr))
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all = {0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

memory_canvas::memory_canvas(memory_canvas&& other) noexcept
    : width_(other.width_), height_(other.height_), dc_(other.dc_), bitmap_(other.bitmap_),
      previous_(other.previous_), bits_(other.bits_)
{
    other.dc_ = nullptr;
    other.bitmap_ = nullptr;
}

memory_canvas::~memory_canvas()
{
    if (!dc_)
        return;
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF memory_canvas::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_)
        return CLR_INVALID;
    GdiFlush();
    const DWORD bgrx = bits_[y * width_ + x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

std::set<COLORREF> memory_canvas::colours_in(const RECT& area) const
{
    std::set<COLORREF> found;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, height_); ++y)
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, width_); ++x)
            found.insert(pixel(x, y));
    return found;
}

bool memory_canvas::all_of(const RECT& area, COLORREF colour) const
{
    const std::set<COLORREF> found = colours_in(area);
    return found.size() == 1 && *found.begin() == colour;
}

bool memory_canvas::same_as(const memory_canvas& other) const
{
    if (width_ != other.width_ || height_ != other.height_ || !bits_ || !other.bits_)
        return false;
    GdiFlush();
    const DWORD* end = bits_ + static_cast<size_t>(width_) * static_cast<size_t>(height_);
    return std::equal(bits_, end, other.bits_, [](DWORD a, DWORD b) { return ((a ^ b) & kColourBits) == 0; });
}

bool memory_canvas::one_colour() const
{
    if (!bits_)
        return true;
    GdiFlush();
    const DWORD* end = bits_ + static_cast<size_t>(width_) * static_cast<size_t>(height_);
    return std::all_of(bits_, end, [this](DWORD bits) { return ((bits ^ bits_[0]) & kColourBits) == 0; });
}

memory_canvas capture_client(HWND window, bool repaint)
{
    if (repaint)
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client = {};
    GetClientRect(window, &client);
    memory_canvas canvas(client.right, client.bottom);
    HDC screen = GetDC(window);
    BitBlt(canvas.dc(), 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    return canvas;
}

LONG text_width(HGDIOBJ font, const char* text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

namespace {

std::string rect_text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

} // namespace

std::string difference_from_repaint(HWND window)
{
    const memory_canvas shown = capture_client(window, false);
    const memory_canvas repainted = capture_client(window, true);
    if (shown.same_as(repainted))
        return shown.one_colour() ? "nothing drawn" : "";
    POINT first = {-1, -1};
    RECT all = {shown.width(), shown.height(), 0, 0};
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == repainted.pixel(x, y))
                continue;
            if (first.x < 0)
                first = {x, y};
            all = {std::min<LONG>(all.left, x), std::min<LONG>(all.top, y), std::max<LONG>(all.right, x + 1),
                   std::max<LONG>(all.bottom, y + 1)};
        }
    return "differs first at " + std::to_string(first.x) + "," + std::to_string(first.y) +
           ", all differences within " + rect_text(all);
}
