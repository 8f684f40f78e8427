#pragma once
// One option of the choice menu: its caption in a tile font, as wide as the caption
// and as high as the font's characters. At rest the caption has a shadow one pixel
// right and down; focused or pressed it is drawn once. The pointer entering the
// button gives it the focus.
#include "gui/TextButton.h"

namespace hgl
{
class TileFont;
}

class KQ7Button : public hgl::gui::TextButton
{
  public:
    // A null font gives a button of no size that draws nothing.
    KQ7Button(hgl::TileFont *font, float left, float top, const hgl::String &caption);
    ~KQ7Button() override = default;

    float GetTextWidth() const { return text_width; }

  private:
    hgl::TileFont *font;
    float text_width = 0;

    void DrawButton(hgl::gui::Button *button, int state);
    void PointerOver(hgl::GUIObject *object);
};
