#pragma once
// hgl::gui::TextButton: a button with a caption. Without a draw closure of its own
// it writes the caption centred in its font, in the theme colours of its state.
#include "core/String.h"
#include "gui/Button.h"
#include "gui/ThemeColor.h"
#include "gui/WidgetSupport.h"

namespace hgl::gui
{
class TextButton : public Button
{
    String caption;
    MissingNotice no_font;

    const String &GetCaptionValue() const { return caption; }
    void InitPrivate();
    void DrawCaption(int state);

  public:
    ThemeColor Theme;
    Property<String> Caption;
    // Fired with the button after its caption changed.
    BoundMethod<void(TextButton *)> OnCaptionChange;

    TextButton(float l, float t, float w, float h, const String &text);
    ~TextButton() override = default;

    const String &GetCaption() const { return caption; }
    virtual void SetCaption(const String &text);

    void Draw() override;
};
} // namespace hgl::gui
