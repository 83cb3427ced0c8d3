// Pixels for drawing tests: a 32-bit memory canvas that GDI draws on and the
// test reads back, and a copy of a window's client area as the window drew it.
#pragma once
#include <windows.h>

#include <set>
#include <string>

class memory_canvas {
public:
    // A width x height canvas filled with background.
    memory_canvas(int width, int height, COLORREF background = RGB(255, 255, 255));
    ~memory_canvas();
    memory_canvas(memory_canvas&& other) noexcept;
    memory_canvas(const memory_canvas&) = delete;
    memory_canvas& operator=(const memory_canvas&) = delete;
    memory_canvas& operator=(memory_canvas&&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour at (x, y); CLR_INVALID outside the canvas.
    COLORREF pixel(int x, int y) const;
    // The colours found in the rectangle (clipped to the canvas).
    std::set<COLORREF> colours_in(const RECT& area) const;
    // True when every pixel of the rectangle has this colour.
    bool all_of(const RECT& area, COLORREF colour) const;
    // True when the other canvas has this one's size and pixels.
    bool same_as(const memory_canvas& other) const;
    // True when every pixel has the colour of the first.
    bool one_colour() const;

private:
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    const DWORD* bits_;
};

// Copies the window's client area as the window drew it; with repaint, after
// painting it (and its children) anew. Under Wine a top-level window and its
// children draw into a surface of the window's own, which a window DC reads
// back; other top-level windows, of this process or another, clip neither
// the drawing nor the reading (the X server stacks them). So the copy is the
// same whatever other programs show over the window on the same display.
memory_canvas capture_client(HWND window, bool repaint = true);

// Where the window's client area as shown differs from the same area
// painted anew (both read by capture_client): the first differing pixel
// and the rectangle that holds all the differing pixels; "" where the two
// are the same. An area of one colour is no
// picture to compare (a hidden window reads so): "nothing drawn".
std::string difference_from_repaint(HWND window);

// The width of text in the font on the screen.
LONG text_width(HGDIOBJ font, const char* text);
