#include "framework/GUIObject.h"

#include "framework/ObjectClass.h"

namespace hgl
{
void GUIObject::InitPrivate()
{
    class_flags |= ObjectClassBit(ocGUI);
    Left.Bind<&GUIObject::GetLeft, &GUIObject::SetLeft>(this);
    Top.Bind<&GUIObject::GetTop, &GUIObject::SetTop>(this);
    Width.Bind<&GUIObject::GetWidth, &GUIObject::SetWidth>(this);
    Height.Bind<&GUIObject::GetHeight, &GUIObject::SetHeight>(this);
    Align.Bind<&GUIObject::GetAlign, &GUIObject::SetAlign>(this);
    Font.Bind<&GUIObject::GetFont, &GUIObject::SetFont>(this);
}

GUIObject::GUIObject()
{
    InitPrivate();
}

GUIObject::GUIObject(float l, float t, float w, float h) : left(l), top(t), width(w), height(h)
{
    InitPrivate();
}

void GUIObject::SetPosition(float l, float t)
{
    SetLeft(l);
    SetTop(t);
}

void GUIObject::SetSize(float w, float h)
{
    SetWidth(w);
    SetHeight(h);
}

void GUIObject::SetOrigin(float x, float y)
{
    origin_x = x;
    origin_y = y;
}

bool GUIObject::PointIn(int x, int y) const
{
    return x >= left && x < left + width && y >= top && y < top + height;
}

bool GUIObject::Proc_MouseMove(int x, int y, int)
{
    const bool over = PointIn(x, y);
    const bool entered = over && !pointer_over;
    pointer_over = over;
    if (entered && OnPointerOver) OnPointerOver(this);
    return false;
}
} // namespace hgl
