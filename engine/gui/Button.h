#pragma once
// hgl::gui::Button: a rectangle that clicks. A left press over the button arms it;
// the release fires the click closure only when it comes over the button again.
// Enter or Space clicks the focused button. The button draws nothing itself: its
// draw closure is called at the button's origin with the state to show.
#include "core/BoundMethod.h"
#include "framework/GUIObject.h"

namespace hgl::gui
{
enum ButtonState
{
    bsNormal = 0,
    bsDisable = 1,
    bsFocus = 2,
    bsPress = 3,
};

class Button : public GUIObject
{
    bool pressed = false;

  public:
    // Fired with the button on a click.
    BoundMethod<void(Button *)> OnClick;
    // Called by Draw with the button and its state (ButtonState).
    BoundMethod<void(Button *, int)> OnDraw;
    // Free for the owner's own numbering.
    int Index = 0;

    Button();
    Button(float l, float t, float w, float h);
    ~Button() override = default;

    bool IsPressed() const { return pressed; }
    // Disabled first, then pressed, focused, normal.
    int GetState() const;

    // Fires the click closure, as a release over the armed button does.
    void Click();
    // Gives obj the focus.
    static void SetFocusTarget(EventObject *obj);

    void Draw() override;

    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
};
} // namespace hgl::gui
