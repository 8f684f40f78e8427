#pragma once
// The game's scroll bar: the engine bar's value, range and ball, drawn from one
// picture. The vertical bar draws only its ball: a cap 0.9 bar widths high at
// each end, from fixed bands of the picture, and the middle stretched between
// them; the ball reaches 45 pixels further than the engine's ball length. The
// horizontal bar draws the whole picture over the ball.
#include "gui/ScrollBar.h"

#include <memory>

namespace hgl
{
class Texture2D;
}

class Scrollv : public hgl::gui::ScrollBar
{
    std::unique_ptr<hgl::Texture2D> picture;
    float scale;

    void DrawVertical(hgl::gui::ScrollBar *bar);
    void DrawHorizontal(hgl::gui::ScrollBar *bar);

  public:
    // picture is a texture of "Data.hac".
    Scrollv(float left, float top, float width, float height, const hgl::u16char *picture_name,
            bool vertical);
    ~Scrollv() override;

    hgl::Texture2D *GetPicture() const { return picture.get(); }
    float GetScale() const { return scale; }
};
