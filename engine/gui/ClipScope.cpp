#include "gui/ClipScope.h"

#include "graphics/draw/Painter.h"

namespace hgl::gui
{
ClipScope::ClipScope(float l, float t, float w, float h)
{
    draw::PushClip(l, t, w, h);
}

ClipScope::~ClipScope()
{
    draw::PopClip();
}
} // namespace hgl::gui
