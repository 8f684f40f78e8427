#include "gui/Button.h"

#include "platform/window/KeyCode.h"
#include "gui/WidgetSupport.h"

namespace hgl::gui
{
Button::Button() = default;

Button::Button(float l, float t, float w, float h) : GUIObject(l, t, w, h) {}

int Button::GetState() const
{
    if (!enabled) return bsDisable;
    if (pressed) return bsPress;
    return focus ? bsFocus : bsNormal;
}

void Button::Click()
{
    if (OnClick) OnClick(this);
}

void Button::SetFocusTarget(EventObject *obj)
{
    if (obj) obj->SetFocus(true);
}

void Button::Draw()
{
    if (!OnDraw) return;
    DrawOffset at(left, top);
    OnDraw(this, GetState());
}

bool Button::Proc_MouseLeftDown(int x, int y, int)
{
    if (!enabled || !PointIn(x, y)) return false;
    pressed = true;
    return true;
}

// The owner hands the release to the button that took the press wherever the
// pointer is, so the armed state always ends here.
bool Button::Proc_MouseLeftUp(int x, int y, int)
{
    if (!pressed) return false;
    pressed = false;
    if (enabled && visible && PointIn(x, y)) Click();
    return true;
}

bool Button::Proc_KeyDown(int key)
{
    if (!focus || !enabled || (key != key::Enter && key != key::Space)) return false;
    Click();
    return true;
}
} // namespace hgl::gui
