#include "game/screens/widgets/BitmapButton.h"

#include "game/core/GameResources.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"

namespace
{
constexpr double kDesignW = 1024, kDesignH = 768;
constexpr float kShownW = 0.62f, kShownH = 0.65f; // of the scale
} // namespace

BitmapButton::BitmapButton(float left, float top, float cell_x, float cell_y, float column_count,
                           float row_count, const hgl::u16char *normal_name, const hgl::u16char *focused_name)
    : hgl::gui::Button(left, top, 0, 0), normal(avg::LoadTexture2D(normal_name ? normal_name : u"", 0)),
      focused(avg::LoadTexture2D(focused_name ? focused_name : u"", 0)),
      scale_x(hgl::GetCanvasWidth() / kDesignW), scale_y(hgl::GetCanvasHeight() / kDesignH),
      cell_u(column_count != 0 ? cell_x / column_count : 0), cell_v(row_count != 0 ? cell_y / row_count : 0),
      columns(column_count), rows(row_count)
{
    if (normal) normal->Color.a = kNormalAlpha;
    // Both sides scale with the width, as the sheets were drawn for it.
    if (normal && columns > 0 && rows > 0)
    {
        cell_w = normal->Width / columns * scale_x;
        cell_h = normal->Height / rows * scale_x;
    }
    SetPosition(left, top);
    SetSize(float(cell_w), float(cell_h));
    using DrawCell = void (BitmapButton::*)(hgl::gui::Button *, int);
    OnDraw.Bind<static_cast<DrawCell>(&BitmapButton::Draw)>(this);
}

BitmapButton::~BitmapButton() = default;

void BitmapButton::Draw(hgl::gui::Button *, int state)
{
    hgl::Texture2D *sheet = state == hgl::gui::bsFocus ? focused.get() : normal.get();
    if (!sheet || columns <= 0 || rows <= 0) return;
    sheet->DrawRegion(0, 0, 1 - cell_u, 1 - cell_v, 1 / columns, 1 / rows, float(kShownW * scale_x),
                      float(kShownH * scale_y));
}
