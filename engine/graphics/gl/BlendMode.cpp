#include "graphics/gl/BlendMode.h"

#include "core/Log.h"
#include "graphics/gl/RenderState.h"

#include <GL/glew.h>

namespace hgl
{
namespace
{
struct BlendFactors
{
    GLenum src;
    GLenum dst;
};

// Indexed by mode - 1; the invert mode uses the logic op instead.
constexpr BlendFactors BlendTable[] = {
    {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}, // Normal
    {GL_ONE, GL_ZERO},                      // Opaque
    {GL_ONE, GL_ONE},                       // Add
    {GL_SRC_ALPHA, GL_ONE},                 // Glow
    {GL_DST_COLOR, GL_ZERO},                // Multiply
    {GL_ZERO, GL_ONE_MINUS_SRC_ALPHA},      // Shadow
    {GL_ZERO, GL_ONE_MINUS_SRC_COLOR},      // Dim
};
} // namespace

bool BlendMode::Set(int mode)
{
    if (mode == Invert)
    {
        DisableBlend();
        EnableLogicOp(GL_COPY_INVERTED);
        return true;
    }
    if (mode < Normal || mode > Dim)
    {
        PutError(u"未知的混合模式: %d", mode);
        return false;
    }
    EnableBlend(BlendTable[mode - 1].src, BlendTable[mode - 1].dst);
    return true;
}
} // namespace hgl
