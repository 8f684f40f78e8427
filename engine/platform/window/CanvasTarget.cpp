#include "platform/window/CanvasTarget.h"

#include "platform/window/CanvasFit.h"

#include <GL/glew.h>

namespace hgl::platform
{
namespace
{
GLenum DepthStencilFormat(const PixelFormat &pixel)
{
    if (pixel.stencil_bits > 0) return GL_DEPTH24_STENCIL8;
    if (pixel.depth_bits > 0) return GL_DEPTH_COMPONENT24;
    return GL_NONE;
}

void Storage(int samples, GLenum format, int width, int height)
{
    if (samples > 1)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
}
} // namespace

CanvasTarget::~CanvasTarget()
{
    Destroy();
}

bool CanvasTarget::MakeFramebuffer(unsigned &fbo, unsigned (&rbo)[2], int samples, const PixelFormat &pixel,
                                   std::string &error)
{
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glGenRenderbuffers(2, rbo);

    glBindRenderbuffer(GL_RENDERBUFFER, rbo[0]);
    Storage(samples, GL_RGBA8, width_, height_);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, rbo[0]);

    if (const GLenum ds = DepthStencilFormat(pixel); ds != GL_NONE)
    {
        glBindRenderbuffer(GL_RENDERBUFFER, rbo[1]);
        Storage(samples, ds, width_, height_);
        const GLenum point = ds == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, point, GL_RENDERBUFFER, rbo[1]);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    {
        error = "the canvas framebuffer is incomplete";
        return false;
    }
    return true;
}

bool CanvasTarget::Create(int width, int height, const PixelFormat &pixel, std::string &error)
{
    Destroy();
    if (width <= 0 || height <= 0)
    {
        error = "the canvas has no size";
        return false;
    }
    if (!glGenFramebuffers || !glBlitFramebuffer || !glRenderbufferStorageMultisample)
    {
        error = "the OpenGL context has no framebuffer objects";
        return false;
    }

    width_ = width;
    height_ = height;
    const int samples = pixel.multisample > 1 ? pixel.multisample : 0;
    if (!MakeFramebuffer(draw_fbo_, draw_rbo_, samples, pixel, error) ||
        (samples && !MakeFramebuffer(read_fbo_, read_rbo_, 0, PixelFormat{0, 0, 0, 0, 0}, error)))
    {
        Destroy();
        return false;
    }
    BindForDrawing();
    return true;
}

void CanvasTarget::Destroy()
{
    if (!draw_fbo_ && !read_fbo_) return;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    for (unsigned *fbo : {&draw_fbo_, &read_fbo_})
        if (*fbo) glDeleteFramebuffers(1, fbo);
    glDeleteRenderbuffers(2, draw_rbo_);
    glDeleteRenderbuffers(2, read_rbo_);
    draw_fbo_ = read_fbo_ = 0;
    draw_rbo_[0] = draw_rbo_[1] = read_rbo_[0] = read_rbo_[1] = 0;
}

void CanvasTarget::BindForDrawing() const
{
    glBindFramebuffer(GL_FRAMEBUFFER, draw_fbo_);
    glViewport(0, 0, width_, height_);
}

void CanvasTarget::Resolve() const
{
    if (!read_fbo_) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, draw_fbo_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, read_fbo_);
    glBlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, draw_fbo_);
}

void CanvasTarget::BindForReading() const
{
    glBindFramebuffer(GL_READ_FRAMEBUFFER, read_fbo_ ? read_fbo_ : draw_fbo_);
}

void CanvasTarget::Present(int fb_width, int fb_height) const
{
    const FitRect fit = FitCanvas(width_, height_, fb_width, fb_height);
    BindForReading();
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glViewport(0, 0, fb_width, fb_height);

    // Scissor and masks left by the frame would limit the clear and the blit.
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);

    // The canvas is stored bottom-up like the window, so only the bar offset flips.
    const int y0 = fb_height - fit.y - fit.height;
    const GLenum filter = (fit.width == width_ && fit.height == height_) ? GL_NEAREST : GL_LINEAR;
    glBlitFramebuffer(0, 0, width_, height_, fit.x, y0, fit.x + fit.width, y0 + fit.height,
                      GL_COLOR_BUFFER_BIT, filter);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    BindForDrawing();
}
} // namespace hgl::platform
