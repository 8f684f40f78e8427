#include "support/GLTestContext.h"

#include "graphics/draw/Painter.h"
#include "graphics/gl/Canvas.h"

#include <algorithm>

namespace hgl::test
{
GLTestContext::GLTestContext(int width, int height)
{
    platform::WindowOptions options;
    options.width = width;
    options.height = height;
    options.title = "test";
    ok_ = window_.Create(options);
    if (!ok_) return;
    window_.BeginFrame();
    SetOrtho2D(width, height);
}

RGBA GLTestContext::ReadPixel(int x, int y)
{
    std::vector<uint8> p;
    if (!draw::ReadCanvas(x, Height() - 1 - y, 1, 1, draw::PixelLayout::RGBA, 1, p)) return {};
    return {p[0], p[1], p[2], p[3]};
}

std::vector<uint8_t> GLTestContext::ReadAll()
{
    const size_t row = size_t(Width()) * 4;
    std::vector<uint8> bottom_up;
    if (!draw::ReadCanvas(0, 0, Width(), Height(), draw::PixelLayout::RGBA, 1, bottom_up)) return {};
    std::vector<uint8_t> top_down(bottom_up.size());
    for (int y = 0; y < Height(); y++)
        std::copy_n(bottom_up.begin() + ptrdiff_t(row * size_t(Height() - 1 - y)), row,
                    top_down.begin() + ptrdiff_t(row * size_t(y)));
    return top_down;
}

void PrintTo(const RGBA &p, std::ostream *out)
{
    *out << "RGBA(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
}
} // namespace hgl::test
