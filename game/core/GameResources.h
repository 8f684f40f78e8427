#pragma once
// What the screens share for the whole run: the message-box textures, the two
// inline pictures drawn for "＃" and "￥", the four text fonts, and the picture
// caches on "Data.hac". Users do not own any of them.
#include "core/Color.h"
#include "core/String.h"
#include "core/Types.h"
#include "io/ObjectBufferFromHAC.h"

namespace hgl
{
class HGP;
class HGPSame;
class HGPSameLayer;
class Texture2D;
class TileFont;
} // namespace hgl

namespace avg
{
// The shared fonts, made from the configured faces at heights relative to the
// canvas height H.
extern hgl::TileFont *TextFont;      // 200 tiles, 0.04 H
extern hgl::TileFont *LabelFont;     // 100 tiles, 0.04 H
extern hgl::TileFont *LargeTextFont; // 100 tiles, 0.0533333 H
extern hgl::TileFont *NovelFont;     // 180 tiles, 0.0466667 H

enum MsgBoxTexture
{
    mbtH,        // "MessageBox\h.TEX"
    mbtDlgFrame, // "MessageBox\DlgFrame.TEX"
    mbtMessage1, // "MessageBox\message1.TEX"
    mbtMessage2, // "MessageBox\message2.TEX"
    mbtFlower,   // "MessageBox\flower.TEX"
    mbtSakura,   // "MessageBox\SAKURA.TEX"
    mbtCount,
};

enum InlinePicture
{
    ipSharp, // "MessageBox\sharp.HGP", drawn for "＃"
    ipYen,   // "MessageBox\yen.HGP", drawn for "￥"
    ipCount,
};

// Null before LoadSharedResources, for a bad index, or for a texture that failed.
hgl::Texture2D *GetMsgBoxTexture(int index);
hgl::HGP *GetInlinePicture(int index);

// Makes the shared resources once, after the window and before the first screen;
// false when a font cannot be made (missing textures are logged and left null).
bool LoadSharedResources();
void FreeSharedResources();

// The picture caches: scenes (capacity 12) and characters (capacity 36), both on
// "Data.hac".
bool InitGameResources();
void FreeGameResources();
void CreateScenePictureCache(hgl::HAC *archive);
void FreeScenePictureCache();
hgl::HGPBufferHAC *GetScenePictureCache();
hgl::HGPSameBufferHAC *GetCharacterPictureCache();

// A new picture from "Data.hac" (each layer's own format, mip-maps on); never null:
// a missing file gives the empty picture. The caller owns it.
hgl::HGP *LoadHGP(const hgl::String &name);
// A new texture from "Data.hac"; format 0 takes the one the file recommends. Null
// (logged) when missing. The caller owns it.
hgl::Texture2D *LoadTexture2D(const hgl::String &name, unsigned int format);

// Draws the texture in the colour with that alpha as the quad (x + 4, y),
// (x + w - 4, y), (x + w - 4, y + h), (x + 4, y + h).
void DrawMsgBoxRect(hgl::Texture2D *texture, float x, float y, float w, float h, const hgl::Color4f &colour,
                    float alpha);

namespace data
{
// A character picture by its name: character 7 is the size letter, characters 1-4
// name "Character\XXXX.HGP" (upper-cased) in the character cache, and the number
// from character 5 on picks layers 3n .. 3n+2. False, outputs unchanged, when the
// name is too short or the picture is not there.
bool GetCharacterImage(const hgl::String &name, hgl::u16char &size, hgl::HGPSame *&picture,
                       hgl::HGPSameLayer *layers[3]);
} // namespace data
} // namespace avg
