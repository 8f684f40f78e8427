#include "framework/FlowObject.h"

#include "core/Log.h"
#include "framework/JoystickKey.h"
#include "platform/window/KeyCode.h"

namespace hgl
{
void FlowObject::InitPrivate()
{
    ObjectState.Bind<&FlowObject::GetObjectState, &FlowObject::SetObjectState>(this);
    NextObject.Bind<&FlowObject::GetNextObject, &FlowObject::SetNextObject>(this);
    Control.Bind<&FlowObject::GetControl>(this);
}

FlowObject::FlowObject() : control(std::make_unique<ObjectControl>())
{
    InitPrivate();
}

FlowObject::~FlowObject()
{
    delete next_object;
}

void FlowObject::SetNextObject(FlowObject *obj)
{
    if (obj == next_object) return;
    if (obj == this)
    {
        PutError(u"流程对象不能以自己为下一个流程对象!");
        return;
    }
    delete next_object;
    next_object = obj;
}

FlowObject *FlowObject::TakeNextObject()
{
    FlowObject *obj = next_object;
    next_object = nullptr;
    return obj;
}

void FlowObject::UpdateObject()
{
    Update();
    control->UpdateObject();
}

void FlowObject::DrawObject()
{
    Draw();
    control->DrawObject();
    EndFrame();
}

namespace
{
template <typename... A> bool Offer(const BoundMethod<bool(A...)> &closure, A... args)
{
    return closure && closure(args...);
}
} // namespace

bool FlowObject::Proc_MouseMove(int x, int y, int flags)
{
    return control->Proc_MouseMove(x, y, flags) || Offer(OnMouseMove, x, y, flags);
}

bool FlowObject::Proc_MouseWheel(int x, int y, int wheel, int flags)
{
    return control->Proc_MouseWheel(x, y, wheel, flags) || Offer(OnMouseWheel, x, y, wheel, flags);
}

bool FlowObject::Proc_MouseLeftDown(int x, int y, int flags)
{
    return control->Proc_MouseLeftDown(x, y, flags) || Offer(OnMouseLeftDown, x, y, flags);
}

bool FlowObject::Proc_MouseLeftUp(int x, int y, int flags)
{
    return control->Proc_MouseLeftUp(x, y, flags) || Offer(OnMouseLeftUp, x, y, flags);
}

// The children have no right-button operation: the closure alone decides.
bool FlowObject::Proc_MouseRightDown(int x, int y, int flags)
{
    return Offer(OnMouseRightDown, x, y, flags);
}

bool FlowObject::Proc_KeyDown(int key)
{
    return control->Proc_KeyDown(key) || Offer(OnKeyDown, key);
}

bool FlowObject::Proc_KeyRepeat(int key)
{
    return control->Proc_KeyRepeat(key);
}

bool FlowObject::Proc_JoystickDown(int button)
{
    if (control->Proc_JoystickDown(button) || Offer(OnJoystickDown, button)) return true;
    const int key = JoystickButtonToKey(button);
    return key != key::None && Proc_KeyDown(key);
}

bool FlowObject::Proc_JoystickRepeat(int button)
{
    return control->Proc_JoystickRepeat(button);
}
} // namespace hgl
