#include "gui/WidgetSupport.h"

#include "core/Log.h"
#include "graphics/gl/RenderState.h"
#include "io/Core.h"

namespace hgl::gui
{
namespace
{
constexpr u16char NoName[] = u"";
} // namespace

DrawOffset::DrawOffset(float x, float y)
{
    if (x == 0 && y == 0) return;
    PushTranslation(x, y);
    pushed = true;
}

DrawOffset::~DrawOffset()
{
    if (pushed) PopTranslation();
}

TileFont *ResolveFont(TileFont *own)
{
    return own ? own : static_cast<TileFont *>(GetGlobalPointer(gpTileFont));
}

Color4f Faded(const Color4f &color, float alpha)
{
    return Color4f(color.r, color.g, color.b, color.a * alpha);
}

void MissingNotice::Tell(const u16char *format, const u16char *what)
{
    if (told) return;
    told = true;
    PutError(format, what ? what : NoName);
}
} // namespace hgl::gui
