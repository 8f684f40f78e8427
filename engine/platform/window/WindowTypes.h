#pragma once
// What a window is asked to be: size, display mode, switches and pixel format.
// Texts are UTF-8 here; the layers above convert from their own strings.
#include <string>

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

struct PixelFormat
{
    int alpha_bits = 0;
    int depth_bits = 32;
    int stencil_bits = 0;
    int accum_bits = 0;
    int multisample = 0; // used when above 1
};

struct WindowOptions
{
    std::string title;
    std::string icon_file;   // empty: the default icon
    std::string cursor_file; // empty: the standard arrow

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
