#pragma once
// A button drawn from one cell of a sheet picture: the normal sheet (at alpha
// 0.75) in every state but the focused one, which shows the focus sheet. The save
// and load screens' page buttons show the two halves of the same sheets.
#include "core/String.h"
#include "gui/Button.h"

#include <memory>

namespace hgl
{
class Texture2D;
}

class BitmapButton : public hgl::gui::Button
{
    std::unique_ptr<hgl::Texture2D> normal, focused;
    double scale_x, scale_y;
    double cell_w = 0, cell_h = 0; // the button's size
    float cell_u, cell_v, columns, rows;

  public:
    static constexpr float kNormalAlpha = 0.75f;

    // cell x and y count from 1 (column, row) of a sheet of columns x rows cells;
    // normal and focused are textures of "Data.hac".
    BitmapButton(float left, float top, float cell_x, float cell_y, float columns, float rows,
                 const hgl::u16char *normal_name, const hgl::u16char *focused_name);
    ~BitmapButton() override;

    hgl::Texture2D *GetNormalSheet() const { return normal.get(); }
    hgl::Texture2D *GetFocusSheet() const { return focused.get(); }

    using hgl::gui::Button::Draw;
    void Draw(hgl::gui::Button *button, int state);
};
