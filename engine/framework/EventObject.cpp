#include "framework/EventObject.h"

#include "framework/ObjectClass.h"
#include "framework/ObjectControl.h"

namespace hgl
{
void EventObject::InitPrivate()
{
    Focus.Bind<&EventObject::GetFocus, &EventObject::SetFocus>(this);
}

EventObject::EventObject()
{
    class_flags |= ObjectClassBit(ocEvent);
    InitPrivate();
}

void EventObject::SetFocus(bool value)
{
    if (focus == value) return;
    focus = value;
    if (OnFocusChange) OnFocusChange(this, value);
    if (ObjectControl *control = dynamic_cast<ObjectControl *>(owner))
        control->ChildFocusChanged(this, value);
}
} // namespace hgl
