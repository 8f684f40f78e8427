#pragma once
// The few drawings the game's widgets and pop-up screens share: a texture on four
// corners with texture coordinates of its own, a picture or one of its layers
// stretched over a rectangle, the darkening of the screen below a pop-up, and a
// flat rectangle.
#include "core/Color.h"
#include "core/Point.h"
#include "core/String.h"

namespace hgl
{
class HGP;
class Texture2D;
} // namespace hgl

namespace avg::screen_draw
{
// The texture (its colour and blend mode applied) onto four corners, uv giving
// the picture coordinates of each; nothing without a texture.
void TexQuad(hgl::Texture2D *texture, const hgl::Point2f corner[4], const hgl::Point2f uv[4]);

// The whole picture, or one layer at its place in the picture, stretched over
// (x, y, w, h); nothing for a missing or empty picture.
void PictureTo(hgl::HGP *picture, float x, float y, float w, float h);
void LayerTo(hgl::HGP *picture, int layer, float x, float y, float w, float h);

// Multiplies everything drawn so far by (1 - level): blending (zero, one minus
// source colour) with the colour (level, level, level, level) over the canvas.
void DimCanvas(float level);
// A flat rectangle in the colour, blended by its alpha.
void FlatRect(float x, float y, float w, float h, const hgl::Color4f &colour);
} // namespace avg::screen_draw
