#include "framework/ObjectControl.h"

#include <algorithm>

#include "core/Log.h"
#include "platform/window/KeyCode.h"

namespace hgl
{
namespace
{
bool TakesInput(const EventObject *ev)
{
    return ev->IsEnabled() && ev->IsVisible() && !ev->IsDestroyed();
}
} // namespace

ObjectControl::ObjectControl() : ClasList<Object>(ocClassCount, true)
{
    class_flags |= ObjectClassBit(ocControl);
}

ObjectControl::ObjectControl(float l, float t, float w, float h)
    : GUIObject(l, t, w, h), ClasList<Object>(ocClassCount, true)
{
    class_flags |= ObjectClassBit(ocControl);
}

// The children go before any part of the control does, so that none of them tells a
// half-destroyed owner that it is going.
ObjectControl::~ObjectControl()
{
    ObjectControl::Clear();
}

bool ObjectControl::IsClass(Object *obj, int index)
{
    return obj->GetClassFlags() & (uint32(1) << index);
}

bool ObjectControl::Owns(const Object *obj) const
{
    return obj && objectList.Find(const_cast<Object *>(obj)) != -1;
}

std::vector<Object *> ObjectControl::Children(ObjectClass kind) const
{
    const List<Object *> *list = GetClassList(kind);
    std::vector<Object *> out;
    out.reserve(size_t(list->GetCount()));
    for (int i = 0; i < list->GetCount(); i++)
        out.push_back((*list)[i]);
    return out;
}

const std::vector<Object *> &ObjectControl::FrameChildren(ObjectClass kind, std::vector<Object *> &fallback)
{
    const int depth = walking - 1; // the walk asking holds its scope already
    std::vector<Object *> &out = depth >= 0 && depth < kFrameWalkDepths ? frame_walk[depth] : fallback;
    const List<Object *> *list = GetClassList(kind);
    out.clear();
    for (int i = 0; i < list->GetCount(); i++)
        out.push_back((*list)[i]);
    return out;
}

std::vector<EventObject *> ObjectControl::InputOrder() const
{
    std::vector<EventObject *> out;
    auto take = [&out](Object *obj)
    {
        auto *ev = static_cast<EventObject *>(obj);
        if (TakesInput(ev)) out.push_back(ev);
    };
    const bool top_takes_input = top_object && (top_object->GetClassFlags() & ObjectClassBit(ocEvent));
    if (top_takes_input) take(top_object);
    std::vector<Object *> events = Children(ocEvent);
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (!top_takes_input || *it != top_object) take(*it);
    return out;
}

bool ObjectControl::UnderPointer(EventObject *child, int x, int y)
{
    return IsGUI(child) && static_cast<GUIObject *>(child)->PointIn(x, y);
}

bool ObjectControl::AddObject(Object *obj)
{
    if (!obj)
    {
        PutError(u"对象控制器：添加的对象为空!");
        return false;
    }
    for (const Object *up = this; up; up = dynamic_cast<const ObjectControl *>(up->GetOwner()))
        if (up == obj)
        {
            PutError(u"对象控制器：不能把自己或自己的上级加为子对象!");
            return false;
        }
    if (Owns(obj)) return true;
    if (auto *previous = dynamic_cast<ObjectControl *>(obj->GetOwner())) previous->Unlink(obj);

    ClasList<Object>::Add(obj);
    obj->SetOwner(this);

    if (obj->GetClassFlags() & ObjectClassBit(ocEvent))
    {
        auto *ev = static_cast<EventObject *>(obj);
        if (ev->HasFocus()) ChildFocusChanged(ev, true);
    }
    if (IsGUI(obj) && static_cast<GUIObject *>(obj)->Align != alNone) AlignObjects();
    return true;
}

void ObjectControl::BringToTop(Object *obj)
{
    if (!Owns(obj)) return;
    ClasList<Object>::Unlink(obj);
    ClasList<Object>::Add(obj);
}

void ObjectControl::SetTopObject(VisualObject *child)
{
    if (child && !Owns(child)) return;
    top_object = child;
}

void ObjectControl::ForgetReferences(const Object *obj)
{
    if (focus_object == obj) focus_object = nullptr;
    if (pressed_object == obj) pressed_object = nullptr;
    if (top_object == obj) top_object = nullptr;
    std::erase(destroy_later, obj);
}

void ObjectControl::ForgetAllReferences()
{
    focus_object = nullptr;
    pressed_object = nullptr;
    top_object = nullptr;
    destroy_later.clear();
}

void ObjectControl::Clear()
{
    ForgetAllReferences();
    ClasList<Object>::Clear();
}

void ObjectControl::Unlink(Object *obj)
{
    if (!Owns(obj)) return;
    ForgetReferences(obj);
    ClasList<Object>::Unlink(obj);
    obj->SetOwner(nullptr);
}

void ObjectControl::Delete(Object *obj)
{
    if (!Owns(obj)) return;
    ForgetReferences(obj);
    ClasList<Object>::Delete(obj);
}

void ObjectControl::UnlinkAll()
{
    const ObjectList<Object> &all = GetObjectList();
    for (int i = 0; i < all.GetCount(); i++)
        all[i]->SetOwner(nullptr);
    ForgetAllReferences();
    ClasList<Object>::UnlinkAll();
}

void ObjectControl::DestroyObject(Object *obj)
{
    if (!Owns(obj)) return;
    if (walking > 0)
    {
        if (std::find(destroy_later.begin(), destroy_later.end(), obj) == destroy_later.end())
            destroy_later.push_back(obj);
        return;
    }
    Delete(obj);
}

void ObjectControl::FlushDestroyRequests()
{
    while (!destroy_later.empty())
    {
        Object *obj = destroy_later.back();
        destroy_later.pop_back();
        Delete(obj);
    }
}

// Runs from ~Object: only pointer comparisons, nothing of obj is called.
void ObjectControl::ForgetObject(Object *obj)
{
    ForgetReferences(obj);
    ClasList<Object>::Unlink(obj);
}

void ObjectControl::SetWidth(float value)
{
    if (value == width) return;
    GUIObject::SetWidth(value);
    AlignObjects();
}

void ObjectControl::SetHeight(float value)
{
    if (value == height) return;
    GUIObject::SetHeight(value);
    AlignObjects();
}

void ObjectControl::UpdateObject()
{
    WalkScope walk(*this);
    Update();
    std::vector<Object *> deeper;
    for (Object *obj : FrameChildren(ocVisual, deeper))
        if (Live(obj)) static_cast<VisualObject *>(obj)->UpdateObject();
}

void ObjectControl::DrawObject()
{
    WalkScope walk(*this);
    const float x = left, y = top; // a child may move the control meanwhile
    const bool translate = x != 0 || y != 0;
    if (translate) PushOrigin(x, y);

    Draw();
    auto draw_child = [this](Object *obj)
    {
        if (!Live(obj)) return;
        auto *child = static_cast<VisualObject *>(obj);
        if (!child->IsVisible()) return;
        if (IsGUI(child)) static_cast<GUIObject *>(child)->SetOrigin(origin_x + left, origin_y + top);
        child->DrawObject();
    };
    std::vector<Object *> deeper;
    for (Object *obj : FrameChildren(ocVisual, deeper))
        if (obj != top_object) draw_child(obj);
    if (top_object) draw_child(top_object);

    if (translate) PopOrigin();
}

bool ObjectControl::Proc_MouseMove(int x, int y, int flags)
{
    GUIObject::Proc_MouseMove(x, y, flags); // the control's own pointer-over flag
    WalkScope walk(*this);
    const int cx = int(x - left), cy = int(y - top);
    const std::vector<EventObject *> order = InputOrder();

    for (EventObject *child : order)
        if (child->CanTakeFocus() && UnderPointer(child, cx, cy))
        {
            SetFocusObject(child);
            break;
        }

    // Every child sees the move, so that each keeps its pointer-over state.
    bool handled = false;
    for (EventObject *child : order)
        if (Live(child) && child->Proc_MouseMove(cx, cy, flags)) handled = true;
    return handled;
}

bool ObjectControl::Proc_MouseWheel(int x, int y, int wheel, int flags)
{
    WalkScope walk(*this);
    const int cx = int(x - left), cy = int(y - top);
    EventObject *focused = focus_object;
    if (focused && TakesInput(focused) && focused->Proc_MouseWheel(cx, cy, wheel, flags)) return true;
    for (EventObject *child : InputOrder())
    {
        if (child == focused || !Live(child) || (IsGUI(child) && !UnderPointer(child, cx, cy))) continue;
        if (child->Proc_MouseWheel(cx, cy, wheel, flags)) return true;
    }
    return false;
}

bool ObjectControl::Proc_MouseLeftDown(int x, int y, int flags)
{
    WalkScope walk(*this);
    const int cx = int(x - left), cy = int(y - top);
    bool focus_given = false;
    for (EventObject *child : InputOrder())
    {
        if (!Live(child) || (IsGUI(child) && !UnderPointer(child, cx, cy))) continue;
        if (!focus_given && IsGUI(child) && child->CanTakeFocus())
        {
            SetFocusObject(child);
            focus_given = true;
        }
        if (child->Proc_MouseLeftDown(cx, cy, flags))
        {
            if (Owns(child)) pressed_object = child;
            return true;
        }
    }
    return false;
}

// The release goes to the children under the pointer; the child that took the press
// hears it too, wherever the pointer is now, so that it can drop its pressed state.
bool ObjectControl::Proc_MouseLeftUp(int x, int y, int flags)
{
    WalkScope walk(*this);
    const int cx = int(x - left), cy = int(y - top);
    EventObject *pressed = pressed_object;
    pressed_object = nullptr;

    bool handled = false;
    bool pressed_heard = false;
    for (EventObject *child : InputOrder())
    {
        if (!Live(child) || (IsGUI(child) && !UnderPointer(child, cx, cy))) continue;
        pressed_heard = pressed_heard || child == pressed;
        if (child->Proc_MouseLeftUp(cx, cy, flags))
        {
            handled = true;
            break;
        }
    }
    if (pressed && !pressed_heard && Live(pressed))
        handled = pressed->Proc_MouseLeftUp(cx, cy, flags) || handled;
    return handled;
}

namespace
{
template <typename F> bool ToFocused(EventObject *focused, F &&call)
{
    return focused && TakesInput(focused) && call(focused);
}
} // namespace

bool ObjectControl::Proc_JoystickDown(int button)
{
    WalkScope walk(*this);
    return ToFocused(focus_object, [button](EventObject *c) { return c->Proc_JoystickDown(button); });
}

bool ObjectControl::Proc_JoystickRepeat(int button)
{
    WalkScope walk(*this);
    return ToFocused(focus_object, [button](EventObject *c) { return c->Proc_JoystickRepeat(button); });
}

bool ObjectControl::Proc_KeyRepeat(int key)
{
    WalkScope walk(*this);
    return ToFocused(focus_object, [key](EventObject *c) { return c->Proc_KeyRepeat(key); });
}

// Up and Left move the focus back, Down and Right forward, when the focused child
// leaves the key alone and some child can take the focus.
bool ObjectControl::Proc_KeyDown(int key)
{
    WalkScope walk(*this);
    if (ToFocused(focus_object, [key](EventObject *c) { return c->Proc_KeyDown(key); })) return true;
    if (key == key::Up || key == key::Left) return FocusPrevious();
    if (key == key::Down || key == key::Right) return FocusNext();
    return false;
}

bool ObjectControl::MoveFocus(int step)
{
    std::vector<EventObject *> candidates;
    for (Object *obj : Children(ocEvent))
    {
        auto *ev = static_cast<EventObject *>(obj);
        if (ev->CanTakeFocus() || ev == focus_object) candidates.push_back(ev);
    }
    const int n = int(candidates.size());
    const auto at = std::find(candidates.begin(), candidates.end(), focus_object);
    int index = at == candidates.end() ? (step > 0 ? -1 : n) : int(at - candidates.begin());
    for (int tries = 0; tries < n; tries++)
    {
        index = (index + step + n) % n;
        if (candidates[index]->CanTakeFocus())
        {
            SetFocusObject(candidates[index]);
            return true;
        }
    }
    return false;
}

void ObjectControl::SetFocusObject(EventObject *child)
{
    if (!child)
    {
        if (EventObject *old = focus_object)
        {
            focus_object = nullptr;
            old->SetFocus(false);
        }
        return;
    }
    if (!Owns(child)) return;
    if (child->HasFocus())
        ChildFocusChanged(child, true);
    else
        child->SetFocus(true);
}

void ObjectControl::SetFocus(bool value)
{
    GUIObject::SetFocus(value);
    if (!value) SetFocusObject(nullptr);
}

void ObjectControl::ChildFocusChanged(EventObject *child, bool value)
{
    if (!Owns(child)) return;
    if (!value)
    {
        if (focus_object == child) focus_object = nullptr;
        return;
    }
    if (focus_object != child)
    {
        EventObject *old = focus_object;
        focus_object = child;
        if (old) old->SetFocus(false);
    }
    if (!focus) SetFocus(true);
}

void ObjectControl::AlignObjects()
{
    float rl = 0, rt = 0, rw = width, rh = height;
    auto place = [&](VAlign mode, GUIObject *c)
    {
        switch (mode)
        {
        case alTop:
            c->SetPosition(rl, rt);
            c->SetWidth(rw);
            rt += c->Height;
            rh = std::max(0.0f, rh - c->Height);
            break;
        case alBottom:
            c->SetPosition(rl, rt + rh - c->Height);
            c->SetWidth(rw);
            rh = std::max(0.0f, rh - c->Height);
            break;
        case alLeft:
            c->SetPosition(rl, rt);
            c->SetHeight(rh);
            rl += c->Width;
            rw = std::max(0.0f, rw - c->Width);
            break;
        case alRight:
            c->SetPosition(rl + rw - c->Width, rt);
            c->SetHeight(rh);
            rw = std::max(0.0f, rw - c->Width);
            break;
        case alClient:
            c->SetPosition(rl, rt);
            c->SetSize(rw, rh);
            break;
        default:
            break;
        }
    };
    const std::vector<Object *> gui = Children(ocGUI);
    for (VAlign mode : {alTop, alBottom, alLeft, alRight, alClient})
        for (Object *obj : gui)
        {
            auto *c = static_cast<GUIObject *>(obj);
            if (c->IsVisible() && c->Align == mode) place(mode, c);
        }
}
} // namespace hgl
