#pragma once
// A visual object that takes mouse, keyboard and joystick input and can hold the
// input focus of its owning control. Every input operation returns whether the
// object handled the event; the base handles nothing. Pointer coordinates are in
// the coordinate space of the owner (the one Left/Top of a GUI object are measured in).
#include "core/BoundMethod.h"
#include "framework/VisualObject.h"

namespace hgl
{
class EventObject : public VisualObject
{
    void InitPrivate();

  protected:
    bool focus = false;
    bool focusable = true; // cleared by objects that never take the focus (captions and the like)

    bool GetFocus() const { return focus; }

  public:
    Property<bool> Focus;

    // Called with (this object, new state) whenever the focus changes.
    BoundMethod<void(EventObject *, bool)> OnFocusChange;

    EventObject();
    ~EventObject() override = default;

    // When the value changes: stores it, calls OnFocusChange, tells the owning control.
    virtual void SetFocus(bool value);
    bool HasFocus() const { return focus; }
    bool IsFocusable() const { return focusable; }
    // Enabled, visible and willing: the object can be given the focus now.
    bool CanTakeFocus() const { return focusable && enabled && visible; }

    virtual bool Proc_MouseMove(int, int, int) { return false; }
    virtual bool Proc_MouseWheel(int, int, int, int) { return false; } // x, y, wheel delta, flags
    virtual bool Proc_MouseLeftDown(int, int, int) { return false; }
    virtual bool Proc_MouseLeftUp(int, int, int) { return false; }
    virtual bool Proc_JoystickDown(int) { return false; }
    virtual bool Proc_JoystickRepeat(int) { return false; }
    virtual bool Proc_KeyDown(int) { return false; }
    virtual bool Proc_KeyRepeat(int) { return false; }
};
} // namespace hgl
