#pragma once
// What a window is asked to be: size, display mode, switches and pixel format.
// Texts are UTF-8 here; the layers above convert from their own strings.
#include <string>
#include <vector>

namespace hgl::platform
{
struct DisplayMode
{
    int width = 640;
    int height = 480;
    int bits = 32;    // colour depth as the desktop reports it (24-bit colour counts as 32)
    int refresh = 75; // Hz; 0 matches any rate

    bool operator==(const DisplayMode &) const = default;
};

// True when modes holds wanted: the same size and depth, and the same rate unless
// wanted asks for none (0).
inline bool HasDisplayMode(const std::vector<DisplayMode> &modes, const DisplayMode &wanted)
{
    for (const DisplayMode &m : modes)
        if (m.width == wanted.width && m.height == wanted.height && m.bits == wanted.bits &&
            (wanted.refresh == 0 || m.refresh == wanted.refresh))
            return true;
    return false;
}

struct PixelFormat
{
    int alpha_bits = 0;
    int depth_bits = 32;
    int stencil_bits = 0;
    int accum_bits = 0;
    int multisample = 0; // used when above 1
};

// An icon or cursor picture: rows from the top, 4 bytes (R, G, B, A) a pixel.
struct WindowPicture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;

    bool Empty() const
    {
        return width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4;
    }
};

struct WindowOptions
{
    std::string title;
    WindowPicture icon;   // empty: the default icon
    WindowPicture cursor; // empty: the standard arrow (hot spot top-left)

    bool caption = true; // false: a pop-up window without decoration
    bool sys_menu = true;
    bool ex_style = false;
    bool sizeable = false;
    bool minimize_box = true;
    bool maximize_box = false;
    bool top_most = false;

    int width = 640; // the canvas: the logical size every frame is drawn at
    int height = 480;

    bool full_screen = false; // switch the display to mode first
    DisplayMode mode;

    PixelFormat pixel;
};
} // namespace hgl::platform
