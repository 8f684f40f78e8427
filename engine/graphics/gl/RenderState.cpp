#include "graphics/gl/RenderState.h"

#include "graphics/draw/Painter.h"
#include "graphics/gl/Canvas.h"
#include "platform/window/PlatformWindow.h"

#include <GL/glew.h>

#include <optional>

namespace hgl
{
namespace
{
struct Cache
{
    uint64_t context = 0; // the context these values belong to
    std::optional<bool> blend;
    std::optional<std::pair<GLenum, GLenum>> blend_func;
    std::optional<bool> logic_op;
    std::optional<GLenum> logic_op_mode;
    std::optional<bool> depth_test;
    std::optional<bool> depth_mask;
    std::optional<float> line_width;
    std::optional<bool> line_smooth;
    std::optional<bool> line_stipple;
    std::optional<bool> scissor;
};

Cache &State()
{
    thread_local Cache cache;
    if (cache.context != platform::CurrentContextSerial())
    {
        cache = Cache{};
        cache.context = platform::CurrentContextSerial();
    }
    return cache;
}

// Calls set(value) unless the cache already holds value.
template <typename T, typename F> void Cached(std::optional<T> &slot, const T &value, F set)
{
    if (slot && *slot == value) return;
    set(value);
    slot = value;
}

void Switch(std::optional<bool> &slot, GLenum cap, bool on)
{
    Cached(slot, on, [cap](bool v) { v ? glEnable(cap) : glDisable(cap); });
}
} // namespace

// Blending and the colour logic op exclude each other (the logic op wins in GL), so
// asking for either kind of blending ends an inverting logic op.
void EnableBlend(unsigned int src, unsigned int dst)
{
    Cache &c = State();
    Switch(c.logic_op, GL_COLOR_LOGIC_OP, false);
    Switch(c.blend, GL_BLEND, true);
    Cached(c.blend_func, std::pair<GLenum, GLenum>(src, dst), [](auto f) { glBlendFunc(f.first, f.second); });
}

void DisableBlend()
{
    Cache &c = State();
    Switch(c.logic_op, GL_COLOR_LOGIC_OP, false);
    Switch(c.blend, GL_BLEND, false);
}

void EnableLogicOp(unsigned int op)
{
    Cache &c = State();
    Switch(c.logic_op, GL_COLOR_LOGIC_OP, true);
    Cached(c.logic_op_mode, GLenum(op), [](GLenum m) { glLogicOp(m); });
}

void DisableLogicOp()
{
    Switch(State().logic_op, GL_COLOR_LOGIC_OP, false);
}

void UnbindAllTextures()
{
    GLint units = 1;
    if (glActiveTexture) glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
    for (GLint i = units - 1; i >= 0; i--)
    {
        if (glActiveTexture) glActiveTexture(GL_TEXTURE0 + GLenum(i));
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        if (GLEW_ARB_texture_rectangle)
        {
            glBindTexture(GL_TEXTURE_RECTANGLE_ARB, 0);
            glDisable(GL_TEXTURE_RECTANGLE_ARB);
        }
    }
}

void PushMatrix(unsigned int mode)
{
    glMatrixMode(mode);
    glPushMatrix();
}

void PopMatrix(unsigned int mode)
{
    glMatrixMode(mode);
    glPopMatrix();
}

void PushTranslation(float x, float y)
{
    draw::PushTranslate(x, y);
}

void PopTranslation()
{
    draw::PopTranslate();
}

void EnableDepthTest()
{
    Switch(State().depth_test, GL_DEPTH_TEST, true);
}

void DisableDepthTest()
{
    Switch(State().depth_test, GL_DEPTH_TEST, false);
}

void EnableDepthMask()
{
    Cached(State().depth_mask, true, [](bool) { glDepthMask(GL_TRUE); });
}

void DisableDepthMask()
{
    Cached(State().depth_mask, false, [](bool) { glDepthMask(GL_FALSE); });
}

void SetLineWidth(float width)
{
    Cached(State().line_width, width, [](float w) { glLineWidth(w); });
}

void EnableLineSmooth()
{
    Switch(State().line_smooth, GL_LINE_SMOOTH, true);
}

void DisableLineSmooth()
{
    Switch(State().line_smooth, GL_LINE_SMOOTH, false);
}

void DisableLineStipple()
{
    Switch(State().line_stipple, GL_LINE_STIPPLE, false);
}

void EnableScissor(int left, int top, int width, int height)
{
    Switch(State().scissor, GL_SCISSOR_TEST, true);
    // GL counts rows from the bottom of the canvas.
    glScissor(left, GetCanvasHeight() - top - height, width < 0 ? 0 : width, height < 0 ? 0 : height);
}

void DisableScissor()
{
    Switch(State().scissor, GL_SCISSOR_TEST, false);
}

void ResetRenderState()
{
    Cache &c = State();
    const uint64_t context = c.context;
    c = Cache{};
    c.context = context;
}
} // namespace hgl
