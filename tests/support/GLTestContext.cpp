#include "support/GLTestContext.h"

#include "graphics/gl/Canvas.h"

#include <GL/glew.h>

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
    uint8_t p[4] = {};
    window_.Canvas().BindForReading();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, Height() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2], p[3]};
}

std::vector<uint8_t> GLTestContext::ReadAll()
{
    const size_t row = size_t(Width()) * 4;
    std::vector<uint8_t> bottom_up(row * size_t(Height()));
    window_.Canvas().BindForReading();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, Width(), Height(), GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
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
