#pragma once
// The canvas as an offscreen framebuffer of the logical size. Every frame is drawn
// into it; a window then shows it scaled to its own framebuffer, and screenshots and
// tests read the finished frame back from it. Needs a current GL context with the
// entry points loaded.
#include "platform/window/WindowTypes.h"

#include <string>

namespace hgl::platform
{
class CanvasTarget
{
  public:
    CanvasTarget() = default;
    ~CanvasTarget();
    CanvasTarget(const CanvasTarget &) = delete;
    CanvasTarget &operator=(const CanvasTarget &) = delete;

    // False (with error filled) when the context has no framebuffer objects or the
    // framebuffer is incomplete.
    bool Create(int width, int height, const PixelFormat &pixel, std::string &error);
    void Destroy();

    bool IsValid() const { return draw_fbo_ != 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    void BindForDrawing() const; // also sets the viewport to the whole canvas
    void Resolve() const;        // multisampled canvas: into the readable copy
    void BindForReading() const; // the finished frame as GL_READ_FRAMEBUFFER

    // Shows the finished frame in the window's own framebuffer, scaled to fit with
    // black bars, then binds the canvas for drawing again.
    void Present(int framebuffer_width, int framebuffer_height) const;

  private:
    bool MakeFramebuffer(unsigned &fbo, unsigned (&rbo)[2], int samples, const PixelFormat &pixel,
                         std::string &error);

    int width_ = 0;
    int height_ = 0;
    unsigned draw_fbo_ = 0;
    unsigned draw_rbo_[2] = {0, 0}; // colour, depth/stencil
    unsigned read_fbo_ = 0;         // only when multisampled
    unsigned read_rbo_[2] = {0, 0};
};
} // namespace hgl::platform
