// Drawing routines the windows share: a bevelled frame, text with embedded
// colour changes, lines and points given by angle and radius, a font fitted
// to a rectangle, the width of a window's text, a strict point-in-rectangle
// test, bit reversal of a byte, and two writers of 24-bit BMP files. They
// keep nothing between calls; the device context, rectangles and
// coordinates come from the caller.
//
// Angles are in degrees and become radians in single precision; sine and
// cosine are rounded to single precision too, the results are doubles, and
// pixel coordinates are those doubles truncated toward zero.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// Owns one GDI object and deletes it when it goes, also when an exception
// leaves the code that holds it.
class gdi_object_holder {
public:
    explicit gdi_object_holder(HGDIOBJ object = nullptr) : object_(object) {}
    ~gdi_object_holder();
    gdi_object_holder(const gdi_object_holder&) = delete;
    gdi_object_holder& operator=(const gdi_object_holder&) = delete;

    HGDIOBJ get() const { return object_; }
    friend void gdi_object_holder_release(gdi_object_holder& holder);

private:
    HGDIOBJ object_;
};

// Deletes the held object (if any) and forgets it.
void gdi_object_holder_release(gdi_object_holder& holder);

// Selects an object into a device context for the life of the bracket and
// selects the previous one back at its end. The object stays the caller's.
class selected_object {
public:
    selected_object(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~selected_object()
    {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    selected_object(const selected_object&) = delete;
    selected_object& operator=(const selected_object&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The client-area device context of a window, released at the end.
class window_dc {
public:
    explicit window_dc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~window_dc()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context compatible with another, deleted at the end.
class memory_dc {
public:
    explicit memory_dc(HDC compatible_with) : dc_(CreateCompatibleDC(compatible_with)) {}
    ~memory_dc()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    memory_dc(const memory_dc&) = delete;
    memory_dc& operator=(const memory_dc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Inflates rect by amount on every side when inflate is set, fills it with
// brush when one is given, then draws a five-pixel bevel inward: grey, light
// grey, light grey, grey, dark grey. rect ends up 4 pixels smaller on each
// side than after the inflation.
void draw_framed_rect(HDC dc, RECT& rect, int amount, bool inflate, HBRUSH brush);

// Draws colour-coded text from start on: "#" followed by exactly six hex
// digits switches the text colour for what follows (the digits read as one
// number are the colour value, so "#0000ff" is red); any other '#' is drawn
// as it stands. The first segment has the device context's colour; text
// colour and alignment are restored at the end.
void draw_coloured_text(HDC dc, const char* text, POINT start);

// Draws a line from (x, y) to (x + length cos a, y + length sin a).
void draw_line_at_angle(HDC dc, int x, int y, double length, double degrees);

// The point at radius and angle from the centre, not truncated.
void polar_to_xy(double& x, double& y, double centre_x, double centre_y, double radius,
                 double degrees);

// The angle in radians between the vectors (x1, y1) and (x2, y2), 0..pi; 0
// when either has length zero.
double vector_angle(double x1, double y1, double x2, double y2);

// A new font (the caller deletes it) in which text is narrower than
// target.right: from the description's height down (or, without a
// description, from the target's height plus height_adjust, at weight 700
// when bold else 400), one pixel at a time. With no size that fits the font
// has height 0, the face's default size. A given description takes the
// height found. The face is face, else the description's, else
// "Microsoft Sans Serif".
HFONT measure_text_fit(HDC dc, LOGFONTA* description, const char* text, const RECT& target,
                       int height_adjust, bool bold, const char* face);

// The width of text as the window shows it in its own font (WM_GETFONT):
// its widest line, "&" prefixes taking no room.
LONG text_width_in_window_font(HWND window, const char* text);

// True when the point lies strictly inside: left < x < right and
// top < y < bottom.
bool point_in_rect(int x, int y, int left, int top, int right, int bottom);

// The byte with its eight bits in reverse order.
uint8_t reverse_bits(uint8_t value);

// Writes a 24-bit BMP file of bottom-up rows the caller holds; byte_count
// (the pixel bytes written) goes into the file header as it is. False when
// the file cannot be created or written.
bool write_bmp_24(const void* pixels, int width, int height, DWORD byte_count,
                  const char* file_name);

// Reads the bitmap as 24-bit bottom-up rows (each padded to a multiple of 4
// bytes) and writes them as a BMP file. The bitmap must not be selected into
// a device context. False on any failure.
bool write_bitmap_file(HBITMAP bitmap, const char* file_name);
