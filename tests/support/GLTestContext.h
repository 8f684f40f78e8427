#pragma once
// A headless OpenGL canvas for tests: an EGL surfaceless context on Mesa's
// software renderer with a framebuffer of the given size, current on this thread,
// the GL entry points loaded, viewport and a top-left-origin 2D projection set.
//
//   hgl::test::GLTestContext gl(64, 48);
//   ASSERT_TRUE(gl.Ok()) << gl.Error();
//   ... draw ...
//   EXPECT_EQ(gl.ReadPixel(0, 0), (hgl::test::RGBA{255, 0, 0, 255}));
#include "platform/window/HeadlessWindow.h"

#include <ostream>
#include <cstdint>
#include <string>
#include <vector>

namespace hgl::test
{
struct RGBA
{
    uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const RGBA &) const = default;
};
void PrintTo(const RGBA &pixel, std::ostream *out); // for gtest messages

class GLTestContext
{
  public:
    GLTestContext(int width, int height);
    ~GLTestContext() = default;
    GLTestContext(const GLTestContext &) = delete;
    GLTestContext &operator=(const GLTestContext &) = delete;

    bool Ok() const { return ok_; }
    const std::string &Error() const { return window_.Error(); }
    platform::HeadlessWindow &Window() { return window_; }
    int Width() const { return window_.CanvasWidth(); }
    int Height() const { return window_.CanvasHeight(); }

    // One pixel of the canvas, x and y from the top-left corner.
    RGBA ReadPixel(int x, int y);
    // The whole canvas, rows from the top, 4 bytes a pixel.
    std::vector<uint8_t> ReadAll();

  private:
    platform::HeadlessWindow window_;
    bool ok_ = false;
};
} // namespace hgl::test
