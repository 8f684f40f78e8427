#include "game/core/GameResources.h"

#include "core/Log.h"
#include "core/StrFunc.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/UpperName.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "io/Font.h"

#include <cmath>
#include <memory>

namespace avg
{
hgl::TileFont *TextFont = nullptr;
hgl::TileFont *LabelFont = nullptr;
hgl::TileFont *LargeTextFont = nullptr;
hgl::TileFont *NovelFont = nullptr;

namespace
{
constexpr int kScenePictureCacheSize = 12;
constexpr int kCharacterPictureCacheSize = 36;
constexpr float kMsgBoxInset = 4.0f;
constexpr int kCharacterNameLength = 7; // "XYAB00L": code, group number, size letter
constexpr int kCharacterCodeLength = 4;
constexpr int kLayersPerGroup = 3;

const hgl::u16char *const kMsgBoxTextureNames[mbtCount] = {
    u"MessageBox\\h.TEX",        u"MessageBox\\DlgFrame.TEX", u"MessageBox\\message1.TEX",
    u"MessageBox\\message2.TEX", u"MessageBox\\flower.TEX",   u"MessageBox\\SAKURA.TEX",
};
const hgl::u16char *const kInlinePictureNames[ipCount] = {u"MessageBox\\sharp.HGP", u"MessageBox\\yen.HGP"};

struct FontSpec
{
    hgl::TileFont **font;
    int tiles;
    double height; // of the canvas height
};

const FontSpec kFonts[] = {
    {&TextFont, 200, 0.04},
    {&LabelFont, 100, 0.04},
    {&LargeTextFont, 100, 0.0533333},
    {&NovelFont, 180, 0.0466667},
};

std::unique_ptr<hgl::Texture2D> msg_box_textures[mbtCount];
std::unique_ptr<hgl::HGP> inline_pictures[ipCount];
std::unique_ptr<hgl::HGPBufferHAC> scene_cache;
std::unique_ptr<hgl::HGPSameBufferHAC> character_cache;
} // namespace

hgl::Texture2D *GetMsgBoxTexture(int index)
{
    return index >= 0 && index < mbtCount ? msg_box_textures[index].get() : nullptr;
}

hgl::HGP *GetInlinePicture(int index)
{
    return index >= 0 && index < ipCount ? inline_pictures[index].get() : nullptr;
}

bool LoadSharedResources()
{
    FreeSharedResources();
    for (int i = 0; i < mbtCount; ++i)
        msg_box_textures[i].reset(LoadTexture2D(kMsgBoxTextureNames[i], 0));
    for (int i = 0; i < ipCount; ++i)
        inline_pictures[i].reset(LoadHGP(kInlinePictureNames[i]));

    const int canvas_height = hgl::GetCanvasHeight();
    const hgl::Font chs(config::graphics_config.MsgChsFont.c_str(), 0, 0, false, false);
    const hgl::Font eng(config::graphics_config.MsgEngFont.c_str(), 0, 0, false, false);
    for (const FontSpec &spec : kFonts)
    {
        hgl::Font c = chs, e = eng;
        c.Height = e.Height = std::max(1, int(std::lround(spec.height * canvas_height)));
        *spec.font = hgl::CreateTileFont(c, e, spec.tiles);
        if (!*spec.font)
        {
            hgl::PutError(u"创建字体<%s>失败!", chs.Name.c_str());
            return false;
        }
    }
    return true;
}

void FreeSharedResources()
{
    for (const FontSpec &spec : kFonts)
    {
        delete *spec.font;
        *spec.font = nullptr;
    }
    for (auto &t : msg_box_textures)
        t.reset();
    for (auto &p : inline_pictures)
        p.reset();
}

void CreateScenePictureCache(hgl::HAC *archive)
{
    scene_cache = std::make_unique<hgl::HGPBufferHAC>(archive, kScenePictureCacheSize);
}

void FreeScenePictureCache()
{
    scene_cache.reset();
}

hgl::HGPBufferHAC *GetScenePictureCache()
{
    return scene_cache.get();
}

hgl::HGPSameBufferHAC *GetCharacterPictureCache()
{
    return character_cache.get();
}

bool InitGameResources()
{
    if (!GetDataHAC()) return false;
    CreateScenePictureCache(GetDataHAC());
    character_cache = std::make_unique<hgl::HGPSameBufferHAC>(GetDataHAC(), kCharacterPictureCacheSize);
    return true;
}

void FreeGameResources()
{
    character_cache.reset();
    FreeScenePictureCache();
}

hgl::HGP *LoadHGP(const hgl::String &name)
{
    return new hgl::HGP(GetDataHAC(), name.c_str() ? name.c_str() : u"", 0, true);
}

hgl::Texture2D *LoadTexture2D(const hgl::String &name, unsigned int format)
{
    return hgl::LoadTexture(GetDataHAC(), name.c_str() ? name.c_str() : u"", format);
}

void DrawMsgBoxRect(hgl::Texture2D *texture, float x, float y, float w, float h, const hgl::Color4f &colour,
                    float alpha)
{
    if (!texture) return;
    texture->Color = colour;
    texture->Color.a = alpha;
    const hgl::Point2f quad[4] = {{x + kMsgBoxInset, y},
                                  {x + w - kMsgBoxInset, y},
                                  {x + w - kMsgBoxInset, y + h},
                                  {x + kMsgBoxInset, y + h}};
    texture->DrawQuad(quad);
}

namespace data
{
bool GetCharacterImage(const hgl::String &name, hgl::u16char &size, hgl::HGPSame *&picture,
                       hgl::HGPSameLayer *layers[3])
{
    if (name.GetLength() < kCharacterNameLength || !character_cache || !layers) return false;
    const hgl::String file =
        hgl::String(u"Character\\") + UpperName(hgl::String(name.c_str(), kCharacterCodeLength)) + u".HGP";
    hgl::HGPSame *found = nullptr;
    if (!character_cache->Get(file, found) || !found) return false;
    // A pose number of any size names layers outside the picture, never wraps.
    const long long first = (long long)hgl::StrToInt(name.c_str() + kCharacterCodeLength) * kLayersPerGroup;
    size = name.GetChar(kCharacterNameLength - 1);
    picture = found;
    for (int i = 0; i < kLayersPerGroup; ++i)
        layers[i] =
            first + i >= 0 && first + i < found->LayerCount ? found->GetLayer(int(first + i)) : nullptr;
    return true;
}
} // namespace data
} // namespace avg
