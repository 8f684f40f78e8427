#pragma once
// hgl::gui::RichTextLabel: a label whose text is laid out in lines of its width
// whenever the text, the font or the width changes. A label made with height 0
// takes the height of its laid-out text. The layout keeps a colour per character;
// with PerCharColor on, each character is drawn in its own colour, else the whole
// text in the label's colour.
#include "graphics/font/Makeup.h"
#include "gui/Label.h"

namespace hgl::gui
{
class RichTextLabel : public Label
{
    Makeup makeup;
    bool auto_height;

  protected:
    void FitText() override;

  public:
    bool PerCharColor = false;

    RichTextLabel(float l, float t, float w, float h);
    ~RichTextLabel() override = default;

    // The layout, for reading the character rectangles and setting their colours.
    Makeup &GetMakeup() { return makeup; }
    const Makeup &GetMakeup() const { return makeup; }

    void SetWidth(float value) override;

    void DrawText() override;
};
} // namespace hgl::gui
