#pragma once
// The stage's drawing operations (filled quads with per-corner alpha, triangle
// fans, clears, pictures, blend modes, a pushed translation) on the drawing module,
// each recorded as one call so that tests can watch what a frame draws instead of
// reading pixels back.
#include "core/Types.h"
#include "graphics/draw/Painter.h"

namespace hgl
{
class HGP;
class Texture2D;
class TileFont;
} // namespace hgl

namespace avg::stage_draw
{
// The draw recorder is the drawing module's: every draw of a frame, pictures,
// textures and glyphs included, reaches it.
using Colour = hgl::draw::RecordColour;

constexpr Colour kBlack{0, 0, 0};
constexpr Colour kWhite{1, 1, 1};

using CallKind = hgl::draw::CallKind;
using Call = hgl::draw::Call;
using Recorder = hgl::draw::Recorder;
void SetRecorder(Recorder *recorder);

// Corner alphas in the order top-left, top-right, bottom-right, bottom-left.
void Quad(float x, float y, float w, float h, const Colour &colour, const float alpha[4]);
void Quad(float x, float y, float w, float h, const Colour &colour, float alpha = 1);
// A fan from (cx, cy) through one rim point per whole degree from `from` to `to`,
// an angle a lying at (cx + r cos a, cy - r sin a).
void Fan(float cx, float cy, float r, float from, float to, const Colour &colour);
// The colour buffer to the colour at alpha 0, and the depth buffer.
void Clear(const Colour &colour);
// Drawn in the blend mode last set with Blend.
void Picture(hgl::HGP *picture, float x, float y, float scale_x, float scale_y, float alpha);
void Blend(int mode);
void PushTranslate(float x, float y);
void PopTranslate();

// The texture stretched over (x, y, w, h), u running from u0 to u1 left to right
// and v from 0 to 1 top to bottom, in the colour with that alpha (the texture's
// own blend mode).
void TextureQuad(hgl::Texture2D *texture, float x, float y, float w, float h, float u0, float u1,
                 const Colour &colour, float alpha);
// The message-box rectangle: the texture over (x + 4, y) - (x + w - 4, y + h).
void MsgBoxRect(hgl::Texture2D *texture, float x, float y, float w, float h, const Colour &colour,
                float alpha);
// One character with its cell's top-left at (x, y); the advance.
float Glyph(hgl::TileFont *font, float x, float y, hgl::u16char ch, const Colour &colour, float alpha);
// The outline of (x, y, w, h) as a closed line strip of the width, untextured.
void Outline(float x, float y, float w, float h, float width, const Colour &colour, float alpha);
} // namespace avg::stage_draw
