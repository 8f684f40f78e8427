#pragma once
// hgl::gui::Label: a line of text. Setting the text (or the font) sizes the label
// to the text's width in its font and to the font's character height, unless the
// label is fixed-size. The font is the label's own, else the application's
// default tile font; without either the label keeps its size and draws nothing.
// A draw closure, when set, replaces the label's own drawing.
#include "core/BoundMethod.h"
#include "core/Color.h"
#include "core/String.h"
#include "framework/GUIObject.h"
#include "gui/WidgetSupport.h"

namespace hgl::gui
{
class Label : public GUIObject
{
    String text;
    bool fixed_size = false;
    MissingNotice no_font;

    const String &GetTextValue() const { return text; }
    bool GetFixedSize() const { return fixed_size; }
    void InitPrivate();

  protected:
    // The font to measure and draw with; null (logged once) when there is none.
    TileFont *TextFont();
    // Brings the label's size (or layout) in line with its text.
    virtual void FitText();

  public:
    Color4f Color{1, 1, 1, 1};
    Color4f SecondColor{0, 0, 0, 1}; // for the owner's own drawing (a shadow, an outline)

    Property<String> Text;
    Property<bool> FixedSize;

    // Replaces the label's drawing; called at the label's origin with the label.
    BoundMethod<void(Label *)> OnDraw;
    // Fired with the label by a left press over it.
    BoundMethod<void(Label *)> OnClick;

    Label(float l, float t);
    Label(float l, float t, const String &caption);
    ~Label() override = default;

    const String &GetText() const { return text; }
    virtual void SetText(const String &caption);
    void SetFixedSize(bool value);
    void SetFont(TileFont *value) override;

    void Draw() override;
    // Writes the text at (0, 0) in the text colour.
    virtual void DrawText();

    bool Proc_MouseLeftDown(int x, int y, int flags) override;
};
} // namespace hgl::gui
