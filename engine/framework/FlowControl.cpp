#include "framework/FlowControl.h"

#include "core/Log.h"
#include "io/Core.h"

namespace hgl
{
namespace
{
// A chain of screens that keep asking for changes is cut here, once a frame's apply
// point has carried out this many.
constexpr int kMaxChangesPerApply = 64;

constexpr const u16char *kAlreadyRunning = u"流程控制：流程对象已在运行中，不能再次启动!";
} // namespace

FlowControl::FlowControl(FlowObject *start)
{
    if (start) Start(start);
}

FlowControl::~FlowControl()
{
    while (screens.Count.Get() > 0)
        DeleteTop();
}

FlowObject *FlowControl::Active() const
{
    FlowObject *top = nullptr;
    screens.Peek(top);
    return top;
}

FlowObject *FlowControl::GetScreen(int index) const
{
    return index >= 0 && index < screens.Count.Get() ? screens[index] : nullptr;
}

bool FlowControl::Holds(const FlowObject *screen) const
{
    for (int i = 0; i < screens.Count.Get(); i++)
        if (screens[i] == screen) return true;
    return false;
}

void FlowControl::Start(FlowObject *screen)
{
    if (Holds(screen))
    {
        PutError(kAlreadyRunning);
        return;
    }
    screens.Push(screen);
    screen->SetEnabled(true);
    screen->SetVisible(true);
    SetGlobalPointer(kActiveFlowObjectSlot, screen);
}

void FlowControl::DeleteTop()
{
    FlowObject *top = nullptr;
    if (!screens.Pop(top)) return;
    if (GetGlobalPointer(kActiveFlowObjectSlot) == top) SetGlobalPointer(kActiveFlowObjectSlot, Active());
    delete top;
}

void FlowControl::Exit(const u16char *reason)
{
    if (reason) PutInfo(reason);
    object_state = fosExit;
}

void FlowControl::Ask(FlowObject *screen, FlowObjectState state)
{
    if (!screen)
    {
        PutError(u"流程控制：要切换到的流程对象为空!");
        return;
    }
    FlowObject *active = Active();
    if (!active || Holds(screen))
    {
        Start(screen); // refuses a screen already running
        return;
    }
    active->SetNextObject(screen);
    active->SetObjectState(state);
}

bool FlowControl::ApplyOne()
{
    FlowObject *active = Active();
    if (!active) return false;
    const int state = active->ObjectState;
    if (state == fosNotInit || state == fosOK) return false;

    if (state == fosExit)
    {
        Exit(nullptr);
        return false;
    }
    if (state == fosReturn)
    {
        if (screens.Count.Get() < 2)
        {
            Exit(u"流程控制：最后一个流程对象返回，没有可返回的流程对象，程序结束。");
            return false;
        }
        screens.Pop(active);
        FlowObject *below = Active();
        below->SetEnabled(true);
        below->SetVisible(true);
        SetGlobalPointer(kActiveFlowObjectSlot, below);
        below->ProcReturn(active);
        delete active;
        return true;
    }
    if (state < fosCall || state > fosExit)
    {
        PutError(u"流程控制：无效的流程对象状态<%d>!", state);
        active->SetObjectState(fosOK);
        return false;
    }

    FlowObject *next = active->TakeNextObject();
    active->SetObjectState(fosOK);
    if (!next)
    {
        PutError(u"流程控制：流程对象状态<%d>没有下一个流程对象!", state);
        return false;
    }
    if (Holds(next))
    {
        PutError(kAlreadyRunning);
        return false;
    }
    switch (state)
    {
    case fosCall:
        active->SetVisible(false);
        [[fallthrough]];
    case fosPush:
        active->SetEnabled(false);
        break;
    case fosReplace:
        DeleteTop();
        break;
    default: // fosClear
        while (screens.Count.Get() > 0)
            DeleteTop();
        break;
    }
    Start(next);
    return true;
}

void FlowControl::ProcState()
{
    if (!IsRunning()) return;
    if (screens.Count.Get() == 0)
    {
        Exit(u"流程控制：没有流程对象，程序结束。");
        return;
    }
    for (int i = 0; i < kMaxChangesPerApply && IsRunning(); i++)
        if (!ApplyOne()) return;
    PutError(u"流程控制：一次处理的流程状态变化超过<%d>次，其余的留到下一次!", kMaxChangesPerApply);
}

void FlowControl::RunFrame(bool draw)
{
    if (!IsRunning()) return;
    UpdateObject();
    ProcState();
    if (!draw || !IsRunning()) return;
    DrawObject();
    ProcState();
}

void FlowControl::UpdateObject()
{
    if (FlowObject *active = Active()) active->UpdateObject();
}

void FlowControl::DrawObject()
{
    for (int i = 0; i < screens.Count.Get(); i++)
        if (screens[i]->IsVisible()) screens[i]->DrawObject();
}

// Input goes to the active screen, when it takes input.
template <auto Method, typename... A> bool FlowControl::ToActive(A... args)
{
    FlowObject *active = Active();
    return active && active->IsEnabled() && (active->*Method)(args...);
}

bool FlowControl::Proc_MouseMove(int x, int y, int flags)
{
    return ToActive<&FlowObject::Proc_MouseMove>(x, y, flags);
}
bool FlowControl::Proc_MouseWheel(int x, int y, int wheel, int flags)
{
    return ToActive<&FlowObject::Proc_MouseWheel>(x, y, wheel, flags);
}
bool FlowControl::Proc_MouseLeftDown(int x, int y, int flags)
{
    return ToActive<&FlowObject::Proc_MouseLeftDown>(x, y, flags);
}
bool FlowControl::Proc_MouseLeftUp(int x, int y, int flags)
{
    return ToActive<&FlowObject::Proc_MouseLeftUp>(x, y, flags);
}
bool FlowControl::Proc_MouseRightDown(int x, int y, int flags)
{
    return ToActive<&FlowObject::Proc_MouseRightDown>(x, y, flags);
}
bool FlowControl::Proc_MouseMiddleDown(int x, int y, int flags)
{
    return ToActive<&FlowObject::Proc_MouseMiddleDown>(x, y, flags);
}
bool FlowControl::Proc_KeyDown(int key)
{
    return ToActive<&FlowObject::Proc_KeyDown>(key);
}
bool FlowControl::Proc_KeyRepeat(int key)
{
    return ToActive<&FlowObject::Proc_KeyRepeat>(key);
}
bool FlowControl::Proc_Char(u16char ch)
{
    return ToActive<&FlowObject::Proc_Char>(ch);
}
bool FlowControl::Proc_JoystickDown(int button)
{
    return ToActive<&FlowObject::Proc_JoystickDown>(button);
}
bool FlowControl::Proc_JoystickRepeat(int button)
{
    return ToActive<&FlowObject::Proc_JoystickRepeat>(button);
}
} // namespace hgl
