#include "game/screens/extras/ViewerFont.h"

#include "core/Log.h"
#include "game/core/Config.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"

#include <algorithm>

namespace avg::tips
{
namespace
{
constexpr int kGlyphTiles = 200;
}

hgl::TileFont *CreateViewerFont(float ratio)
{
    const int height = std::max(1, int(ratio * float(hgl::GetCanvasHeight())));
    const hgl::Font chs(config::graphics_config.MsgChsFont.c_str(), 0, height, false, false);
    const hgl::Font eng(config::graphics_config.MsgEngFont.c_str(), 0, height, false, false);
    hgl::TileFont *font = hgl::CreateTileFont(chs, eng, kGlyphTiles);
    if (!font)
    {
        hgl::PutError(u"创建字体<%s>失败!", chs.Name.c_str());
        return nullptr;
    }
    font->Color = hgl::Color4f(0, 0, 0, 0);
    return font;
}
} // namespace avg::tips
