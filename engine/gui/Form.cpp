#include "gui/Form.h"

namespace hgl::gui
{
void Form::InitPrivate()
{
    Caption.Bind<&Form::GetCaptionValue, &Form::SetCaption>(this);
    DragMove.Bind<&Form::GetDragMove, &Form::SetDragMove>(this);
}

Form::Form(float l, float t, float w, float h, const String &text) : DrawnControl(l, t, w, h), caption(text)
{
    InitPrivate();
}

void Form::SetDragMove(bool value)
{
    drag_move = value;
    if (!value) dragging = false;
}

void Form::Draw()
{
    if (OnDraw) OnDraw(this);
}

bool Form::Proc_MouseMove(int x, int y, int flags)
{
    if (!dragging) return ObjectControl::Proc_MouseMove(x, y, flags);
    SetPosition(left + float(x - last_x), top + float(y - last_y));
    last_x = x;
    last_y = y;
    return true;
}

bool Form::Proc_MouseLeftDown(int x, int y, int flags)
{
    if (ObjectControl::Proc_MouseLeftDown(x, y, flags)) return true;
    if (!drag_move || !PointIn(x, y)) return false;
    dragging = true;
    last_x = x;
    last_y = y;
    return true;
}

bool Form::Proc_MouseLeftUp(int x, int y, int flags)
{
    if (!dragging) return ObjectControl::Proc_MouseLeftUp(x, y, flags);
    dragging = false;
    return true;
}
} // namespace hgl::gui
