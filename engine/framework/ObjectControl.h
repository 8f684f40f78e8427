#pragma once
// The holder of a screen's or a widget's children. It owns every object added to it
// and deletes them all when it is cleared or destroyed; a child deleted earlier takes
// itself out. Each frame it updates and draws its visual children in the order they
// were added (BringToTop moves one to the end), its own Draw first, all of it
// translated to its own Left/Top (by the drawing layer's controls: see PushOrigin). Input goes to the
// children: keys, key repeats and joystick buttons to the focused child, pointer events to the children under
// the pointer (in the control's own space: the owner's coordinates minus Left/Top), the topmost first; the
// focus follows the pointer.
//
// Children may add, destroy or delete children while the control walks them: every
// walk runs over a copy of the list and skips what is gone. A Destroy during a walk
// is carried out when the walk ends.
#include <vector>

#include "core/ClasList.h"
#include "framework/GUIObject.h"
#include "framework/ObjectClass.h"

namespace hgl
{
class ObjectControl : public GUIObject, public ClasList<Object>, public ObjectOwner
{
    int walking = 0; // depth of walks over the children now running
    static constexpr int kFrameWalkDepths = 4;
    std::vector<Object *> frame_walk[kFrameWalkDepths]; // FrameChildren's copies
    std::vector<Object *> destroy_later;                // Destroy requests made during a walk

    void FlushDestroyRequests();
    void ForgetReferences(const Object *obj);
    void ForgetAllReferences();
    bool Owns(const Object *obj) const;
    bool MoveFocus(int step);

  protected:
    EventObject *focus_object = nullptr;   // the child with the focus
    EventObject *pressed_object = nullptr; // the child that took the last left press
    VisualObject *top_object = nullptr;    // drawn after all others, offered the pointer first

    // Held for the length of any walk over the children (a derived control that walks
    // them itself holds one too): a Destroy meanwhile waits until the walk is over.
    class WalkScope;

    // The children of one kind in drawing order, copied, so that a walk survives
    // children added or deleted meanwhile.
    std::vector<Object *> Children(ObjectClass kind) const;
    // The same for the walks every frame makes (update and draw), into a copy
    // kept for the walk's nesting depth, so that a frame allocates nothing once
    // the copies have grown; fallback serves walks nested deeper.
    const std::vector<Object *> &FrameChildren(ObjectClass kind, std::vector<Object *> &fallback);
    // The event children that take input now (enabled, visible, not destroyed), the
    // one kept on top first, then from the last added to the first.
    std::vector<EventObject *> InputOrder() const;
    // Held and not waiting to be destroyed: walks still reach it.
    bool Live(const Object *obj) const { return Owns(obj) && !obj->IsDestroyed(); }

    bool IsClass(Object *obj, int index) override;

    static bool IsGUI(const Object *obj) { return obj->GetClassFlags() & ObjectClassBit(ocGUI); }
    static bool UnderPointer(EventObject *child, int x, int y);

    // Move the drawing origin by (x, y) while the control draws, and back; called
    // only when the control stands off the origin. The framework draws nothing: the
    // controls of the layers that draw move it, and a plain control draws untranslated.
    virtual void PushOrigin(float, float) {}
    virtual void PopOrigin() {}

  public:
    ObjectControl();
    ObjectControl(float l, float t, float w, float h);
    ~ObjectControl() override;

    // Hands obj over to the control. False (with a log line) for null, the control
    // itself or one of its owners; an object already held stays where it is. An
    // object held by another control is taken from it.
    bool AddObject(Object *obj);
    // Moves a child to the end of the drawing order.
    void BringToTop(Object *obj);
    bool IsChild(const Object *obj) const { return Owns(obj); }

    // Gives a child the focus (null: no child has it).
    void SetFocusObject(EventObject *child);
    EventObject *GetFocusObject() const { return focus_object; }
    // Moves the focus to the previous or next child that can take it, wrapping
    // around; false when no child can take it.
    bool FocusPrevious() { return MoveFocus(-1); }
    bool FocusNext() { return MoveFocus(1); }

    // The child kept on top (null: none).
    void SetTopObject(VisualObject *child);
    VisualObject *GetTopObject() const { return top_object; }

    // The list operations keep ownership, focus and the top object right.
    void Add(Object *obj) override { AddObject(obj); }
    void Clear() override;
    void Unlink(Object *obj) override;
    void Delete(Object *obj) override;
    void UnlinkAll() override;

    void DestroyObject(Object *obj) override;
    void ForgetObject(Object *obj) override;

    // A control losing the focus takes it from its focused child too.
    void SetFocus(bool value) override;

    void SetWidth(float value) override;
    void SetHeight(float value) override;

    void UpdateObject() override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseWheel(int x, int y, int wheel, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_JoystickDown(int button) override;
    bool Proc_JoystickRepeat(int button) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_KeyRepeat(int key) override;
    // Lays the GUI children out by their alignment modes inside (0, 0, Width, Height):
    // top, bottom, left and right edges in that order, then the rest to alClient.
    virtual void AlignObjects();
    // A child's focus changed: a child gaining it takes it from the one that had it,
    // and the control takes the focus in its own owner.
    virtual void ChildFocusChanged(EventObject *child, bool focus);
    void DrawObject() override;
};
class ObjectControl::WalkScope
{
    ObjectControl &control;

  public:
    explicit WalkScope(ObjectControl &c) : control(c) { control.walking++; }
    ~WalkScope()
    {
        if (--control.walking == 0) control.FlushDestroyRequests();
    }
    WalkScope(const WalkScope &) = delete;
    WalkScope &operator=(const WalkScope &) = delete;
};
} // namespace hgl
