#pragma once
// hgl::gui::EZButton: a choice of an option page: layer 2 of its picture while
// selected, else layer 0; the focused one is framed by two small flags that blink
// sideways. The flag texture and its blink are one for all these buttons.
#include "gui/Button.h"

#include <memory>

namespace hgl
{
class HGP;
class Texture2D;
} // namespace hgl

namespace hgl::gui
{
class EZButton : public Button
{
    std::unique_ptr<HGP> picture;
    float flag_w, flag_h, flag_top;

    void DrawChoice(Button *, int state);

  public:
    bool Selected = false;

    EZButton(float l, float t, float w, float h, const u16char *picture_name);
    ~EZButton() override;

    HGP *GetPicture() const { return picture.get(); }

    // The shared blink: its offset and how many buttons hold the flag texture.
    static float GetBlinkOffset();
    static int GetInstanceCount();
    static Texture2D *GetFlagTexture();
};
} // namespace hgl::gui
