#include "tests/support/pixels.h"

#include <algorithm>

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
