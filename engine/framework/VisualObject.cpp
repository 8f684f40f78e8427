#include "framework/VisualObject.h"

#include "framework/ObjectClass.h"

namespace hgl
{
void VisualObject::InitPrivate()
{
    Alpha.Bind<&VisualObject::GetAlpha, &VisualObject::SetAlpha>(this);
    Visible.Bind<&VisualObject::GetVisible, &VisualObject::SetVisible>(this);
    Enabled.Bind<&VisualObject::GetEnabled, &VisualObject::SetEnabled>(this);
}

VisualObject::VisualObject()
{
    class_flags |= ObjectClassBit(ocVisual);
    InitPrivate();
}
} // namespace hgl
