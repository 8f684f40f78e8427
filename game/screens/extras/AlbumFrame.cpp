#include "game/screens/extras/AlbumFrame.h"

#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/texture/Texture.h"

namespace avg
{
void AlbumFrame::Place(float left, float top, float width, float height)
{
    rect.Set(left, top, width, height);
    shrinking = false;
    counter = kPulseFrames;
}

void AlbumFrame::Pulse()
{
    if (counter == 0)
    {
        shrinking = !shrinking;
        counter = kPulseFrames;
    }
    else
        --counter;
    const float step = shrinking ? -1.0f : 1.0f;
    rect.Left -= 0.5f * step;
    rect.Top -= 0.5f * step;
    rect.Width += step;
    rect.Height += step;
}

void AlbumFrame::Draw(hgl::Texture2D *texture, float alpha, float out_left, float out_top, float out_right,
                      float out_bottom, float cw, float ch) const
{
    if (!texture) return;
    texture->Color = hgl::Color4f(1, 1, 1, alpha);
    const float l = rect.Left - out_left, t = rect.Top - out_top;
    const float r = rect.Left + rect.Width + out_right, b = rect.Top + rect.Height + out_bottom;
    struct Piece
    {
        float x, y, u, v;
    };
    const Piece pieces[4] = {
        {l, t, 0, 0}, {r - cw, t, 0.5f, 0}, {l, b - ch, 0, 0.5f}, {r - cw, b - ch, 0.5f, 0.5f}};
    for (const Piece &p : pieces)
    {
        const hgl::Point2f corner[4] = {{p.x, p.y}, {p.x + cw, p.y}, {p.x + cw, p.y + ch}, {p.x, p.y + ch}};
        const hgl::Point2f uv[4] = {
            {p.u, p.v}, {p.u + 0.5f, p.v}, {p.u + 0.5f, p.v + 0.5f}, {p.u, p.v + 0.5f}};
        screen_draw::TexQuad(texture, corner, uv);
    }
}
} // namespace avg
