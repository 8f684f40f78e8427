#pragma once
// The save slot's strip button: a caption written from top to bottom, one
// character a line, in the large text font, each character with a light shadow;
// the focused button shows a marker picture bobbing above its caption. The marker
// texture, its motion and the caption alpha are one for all these buttons: two
// buttons focused in turn continue the same motion.
#include "core/String.h"
#include "graphics/font/Makeup.h"
#include "gui/TextButton.h"

namespace hgl
{
class Texture2D;
}

class TZButton : public hgl::gui::TextButton
{
    hgl::Makeup layout; // the caption, one character a line
    hgl::String second;

  public:
    // Width 1.5 times the large font's character height.
    TZButton(int left, int top, int height, const hgl::u16char *text, const hgl::u16char *second_text);
    ~TZButton() override;

    // The caption (its change notice fires); the second text is kept, not drawn.
    void SetText(const hgl::u16char *text, const hgl::u16char *second_text);
    const hgl::String &GetSecondText() const { return second; }

    void Draw() override;

    // The marker's colour alpha, which is the caption alpha of every strip; no
    // effect while no strip exists.
    static void SetSharedAlpha(float alpha);
    static float GetSharedAlpha();
    // The shared marker: its offset above its rest place and how many strips hold it.
    static float GetMarkerOffset();
    static int GetUserCount();
    static hgl::Texture2D *GetMarkerTexture();
};
