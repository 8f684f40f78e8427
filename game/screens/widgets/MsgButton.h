#pragma once
// hgl::gui::MsgButton: the message window's frame button: two posts and a bar
// along the bottom, cut from one texture (the posts from its upper half, the bar
// from its lower half). The in-game screen opens the quick menu when the pointer
// enters it.
#include "gui/Button.h"

#include <memory>

namespace hgl
{
class Texture2D;
}

namespace hgl::gui
{
class MsgButton : public Button
{
    std::unique_ptr<Texture2D> frame;

    void DrawFrame(Button *, int state);

  public:
    MsgButton(int l, int t, int w, int h);
    ~MsgButton() override;

    Texture2D *GetFrameTexture() const { return frame.get(); }
};
} // namespace hgl::gui
