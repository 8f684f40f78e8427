#include "game/stage/StageDraw.h"

#include "game/core/GameResources.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

#include <cmath>
#include <vector>

namespace avg::stage_draw
{
namespace
{
namespace draw = hgl::draw;

// The stage's wipes were always laid out with this value of pi; keeping it keeps
// their edges where the players saw them.
constexpr double kPi = 3.14;
constexpr double kDegree = kPi / 180;

// Pictures carry a blend mode of their own; they take the one last set here.
int blend_mode = hgl::BlendMode::Normal;

hgl::Color4f Rgba(const Colour &c, float alpha)
{
    return hgl::Color4f(c.r, c.g, c.b, alpha);
}

draw::Vertex RimPoint(float cx, float cy, float r, double degrees, const Colour &c)
{
    return {float(cx + r * std::cos(degrees * kDegree)),
            float(cy - r * std::sin(degrees * kDegree)),
            0,
            0,
            c.r,
            c.g,
            c.b,
            1};
}
} // namespace

void SetRecorder(Recorder *r)
{
    draw::SetRecorder(r);
}

void Quad(float x, float y, float w, float h, const Colour &colour, const float alpha[4])
{
    draw::NoTexture();
    draw::FillRect(x, y, w, h, Rgba(colour, 1), alpha);
}

void Quad(float x, float y, float w, float h, const Colour &colour, float alpha)
{
    const float same[4] = {alpha, alpha, alpha, alpha};
    Quad(x, y, w, h, colour, same);
}

void Fan(float cx, float cy, float r, float from, float to, const Colour &colour)
{
    draw::RecordScope fan({CallKind::Fan, cx, cy, r, 0, 1, 1, from, to, colour});
    const double span = std::fabs(double(to) - from);
    if (span <= 0) return;
    const double step = to > from ? 1 : -1;
    std::vector<draw::Vertex> v;
    v.push_back({cx, cy, 0, 0, colour.r, colour.g, colour.b, 1});
    const int whole = int(span);
    for (int i = 0; i <= whole; ++i)
        v.push_back(RimPoint(cx, cy, r, from + step * i, colour));
    if (whole < span) v.push_back(RimPoint(cx, cy, r, to, colour));
    draw::NoTexture();
    draw::Shapes(draw::Shape::Fan, v.data(), int(v.size()), false);
}

void Clear(const Colour &colour)
{
    draw::Clear(Rgba(colour, 0));
}

void Picture(hgl::HGP *picture, float x, float y, float scale_x, float scale_y, float alpha)
{
    draw::RecordScope scope({CallKind::Picture, x, y, scale_x, scale_y, alpha, alpha, 0, 0, kWhite});
    picture->SetAlpha(alpha);
    picture->SetBlendMode(blend_mode);
    picture->Draw(x, y, scale_x, scale_y);
}

void Blend(int mode)
{
    draw::Note({CallKind::Blend, 0, 0, 0, 0, 1, 1, float(mode), 0, kWhite});
    blend_mode = mode;
    draw::SetBlend(mode);
}

void PushTranslate(float x, float y)
{
    draw::Note({CallKind::Translate, x, y, 0, 0, 1, 1, 0, 0, kWhite});
    draw::PushTranslate(x, y);
}

void PopTranslate()
{
    draw::PopTranslate();
}

void TextureQuad(hgl::Texture2D *texture, float x, float y, float w, float h, float u0, float u1,
                 const Colour &colour, float alpha)
{
    draw::RecordScope scope({CallKind::TexQuad, x, y, w, h, alpha, alpha, u0, u1, colour});
    if (!texture) return;
    texture->Color = Rgba(colour, alpha);
    const hgl::Point2f corner[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    const hgl::Point2f uv[4] = {{u0, 0}, {u1, 0}, {u1, 1}, {u0, 1}};
    texture->DrawQuad(corner, uv);
}

void MsgBoxRect(hgl::Texture2D *texture, float x, float y, float w, float h, const Colour &colour,
                float alpha)
{
    constexpr float kInset = 4; // the shared routine's own inset at the left and the right
    draw::RecordScope scope(
        {CallKind::TexQuad, x + kInset, y, w - 2 * kInset, h, alpha, alpha, 0, 1, colour});
    avg::DrawMsgBoxRect(texture, x, y, w, h, Rgba(colour, 1), alpha);
}

float Glyph(hgl::TileFont *font, float x, float y, hgl::u16char ch, const Colour &colour, float alpha)
{
    if (!font)
    {
        draw::Note({CallKind::Glyph, x, y, 0, 0, alpha, alpha, float(ch), 0, colour});
        return 0;
    }
    font->Color = Rgba(colour, alpha);
    return font->DrawChar(x, y, ch); // recorded by the font
}

void Outline(float x, float y, float w, float h, float width, const Colour &colour, float alpha)
{
    draw::RecordScope scope({CallKind::Lines, x, y, w, h, alpha, alpha, width, 0, colour});
    const draw::Vertex v[5] = {{x, y, 0, 0, colour.r, colour.g, colour.b, alpha},
                               {x + w, y, 0, 0, colour.r, colour.g, colour.b, alpha},
                               {x + w, y + h, 0, 0, colour.r, colour.g, colour.b, alpha},
                               {x, y + h, 0, 0, colour.r, colour.g, colour.b, alpha},
                               {x, y, 0, 0, colour.r, colour.g, colour.b, alpha}};
    draw::NoTexture();
    draw::SetLineWidth(width);
    draw::Shapes(draw::Shape::LineStrip, v, 5, false);
    draw::SetLineWidth(1);
}
} // namespace avg::stage_draw
