#include "gui/ClipScope.h"

#include "graphics/gl/RenderState.h"

#include <algorithm>
#include <vector>

namespace hgl::gui
{
namespace
{
struct ClipRect
{
    int l, t, r, b;
};

// Drawing happens on the main thread only.
std::vector<ClipRect> clip_stack;

void Apply(const ClipRect &c)
{
    EnableScissor(c.l, c.t, std::max(0, c.r - c.l), std::max(0, c.b - c.t));
}
} // namespace

ClipScope::ClipScope(float l, float t, float w, float h)
{
    ClipRect c{int(l), int(t), int(l) + int(w), int(t) + int(h)};
    if (!clip_stack.empty())
    {
        const ClipRect &outer = clip_stack.back();
        c = {std::max(c.l, outer.l), std::max(c.t, outer.t), std::min(c.r, outer.r), std::min(c.b, outer.b)};
    }
    clip_stack.push_back(c);
    Apply(c);
}

ClipScope::~ClipScope()
{
    clip_stack.pop_back();
    if (clip_stack.empty())
        DisableScissor();
    else
        Apply(clip_stack.back());
}
} // namespace hgl::gui
