#include "game/stage/StageDraw.h"

#include "game/core/GameResources.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/RenderState.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

#include <GL/glew.h>

#include <cmath>

namespace avg::stage_draw
{
namespace
{
// The stage's wipes were always laid out with this value of pi; keeping it keeps
// their edges where the players saw them.
constexpr double kPi = 3.14;
constexpr double kDegree = kPi / 180;

Recorder *recorder = nullptr;
// Pictures carry a blend mode of their own; they take the one last set here.
int blend_mode = hgl::BlendMode::Normal;

void Note(const Call &call)
{
    if (recorder) recorder->Record(call);
}

void RimPoint(float cx, float cy, float r, double degrees)
{
    glVertex2d(cx + r * std::cos(degrees * kDegree), cy - r * std::sin(degrees * kDegree));
}
} // namespace

void SetRecorder(Recorder *r)
{
    recorder = r;
}

void Quad(float x, float y, float w, float h, const Colour &colour, const float alpha[4])
{
    Note({CallKind::Quad, x, y, w, h, alpha[0], alpha[2], 0, 0, colour});
    if (w <= 0 || h <= 0) return;
    hgl::UnbindAllTextures();
    const float corner[4][2] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i)
    {
        glColor4f(colour.r, colour.g, colour.b, alpha[i]);
        glVertex2f(corner[i][0], corner[i][1]);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
}

void Quad(float x, float y, float w, float h, const Colour &colour, float alpha)
{
    const float same[4] = {alpha, alpha, alpha, alpha};
    Quad(x, y, w, h, colour, same);
}

void Fan(float cx, float cy, float r, float from, float to, const Colour &colour)
{
    Note({CallKind::Fan, cx, cy, r, 0, 1, 1, from, to, colour});
    const double span = std::fabs(double(to) - from);
    if (span <= 0) return;
    const double step = to > from ? 1 : -1;
    hgl::UnbindAllTextures();
    glColor4f(colour.r, colour.g, colour.b, 1);
    glBegin(GL_TRIANGLE_FAN);
    glVertex2f(cx, cy);
    const int whole = int(span);
    for (int i = 0; i <= whole; ++i)
        RimPoint(cx, cy, r, from + step * i);
    if (whole < span) RimPoint(cx, cy, r, to);
    glEnd();
    glColor4f(1, 1, 1, 1);
}

void Clear(const Colour &colour)
{
    Note({CallKind::Clear, 0, 0, 0, 0, 0, 0, 0, 0, colour});
    glClearColor(colour.r, colour.g, colour.b, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Picture(hgl::HGP *picture, float x, float y, float scale_x, float scale_y, float alpha)
{
    Note({CallKind::Picture, x, y, scale_x, scale_y, alpha, alpha, 0, 0, kWhite});
    picture->SetAlpha(alpha);
    picture->SetBlendMode(blend_mode);
    picture->Draw(x, y, scale_x, scale_y);
}

void Blend(int mode)
{
    Note({CallKind::Blend, 0, 0, 0, 0, 1, 1, float(mode), 0, kWhite});
    blend_mode = mode;
    hgl::BlendMode::Set(mode);
}

void PushTranslate(float x, float y)
{
    Note({CallKind::Translate, x, y, 0, 0, 1, 1, 0, 0, kWhite});
    hgl::PushMatrix(GL_MODELVIEW);
    glTranslatef(x, y, 0);
}

void PopTranslate()
{
    hgl::PopMatrix(GL_MODELVIEW);
}

void TextureQuad(hgl::Texture2D *texture, float x, float y, float w, float h, float u0, float u1,
                 const Colour &colour, float alpha)
{
    Note({CallKind::TexQuad, x, y, w, h, alpha, alpha, u0, u1, colour});
    if (!texture) return;
    texture->Color = hgl::Color4f(colour.r, colour.g, colour.b, alpha);
    const hgl::Point2f corner[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    const hgl::Point2f uv[4] = {{u0, 0}, {u1, 0}, {u1, 1}, {u0, 1}};
    texture->DrawQuad(corner, uv);
}

void MsgBoxRect(hgl::Texture2D *texture, float x, float y, float w, float h, const Colour &colour,
                float alpha)
{
    constexpr float kInset = 4; // the shared routine's own inset at the left and the right
    Note({CallKind::TexQuad, x + kInset, y, w - 2 * kInset, h, alpha, alpha, 0, 1, colour});
    avg::DrawMsgBoxRect(texture, x, y, w, h, hgl::Color4f(colour.r, colour.g, colour.b, 1), alpha);
}

float Glyph(hgl::TileFont *font, float x, float y, hgl::u16char ch, const Colour &colour, float alpha)
{
    const float height = font ? float(font->CharHeight) : 0;
    Note({CallKind::Glyph, x, y, 0, height, alpha, alpha, float(ch), 0, colour});
    if (!font) return 0;
    font->Color = hgl::Color4f(colour.r, colour.g, colour.b, alpha);
    return font->DrawChar(x, y, ch);
}

void Outline(float x, float y, float w, float h, float width, const Colour &colour, float alpha)
{
    Note({CallKind::Lines, x, y, w, h, alpha, alpha, width, 0, colour});
    hgl::UnbindAllTextures();
    hgl::SetLineWidth(width);
    glColor4f(colour.r, colour.g, colour.b, alpha);
    glBegin(GL_LINE_STRIP);
    glVertex2f(x, y);
    glVertex2f(x + w, y);
    glVertex2f(x + w, y + h);
    glVertex2f(x, y + h);
    glVertex2f(x, y);
    glEnd();
    glColor4f(1, 1, 1, 1);
    hgl::SetLineWidth(1);
}
} // namespace avg::stage_draw
