#pragma once
// A screen run by the flow control. A screen ends or moves on by setting its own
// state (and, where the state needs one, its next object); the flow control acts on
// it at its next apply point, never in the middle of a frame:
//   fosCall    call the next object; this screen is disabled and hidden until it returns
//   fosPush    call the next object over this screen, which stays drawn beneath it
//              (but takes no input)
//   fosReturn  end this screen; the one below is enabled, shown and told (ProcReturn);
//              with no screen below, the program ends
//   fosReplace put the next object in this screen's place
//   fosClear   end every screen and start the next object
//   fosExit    end the program
//
// A frame draws the screen's own Draw, then the children of its object control, then
// EndFrame. Input goes to the object control first; what no child takes goes to the
// screen's closures. Screens override the Proc_ operations to take input themselves.
#include "core/BoundMethod.h"
#include "framework/ObjectControl.h"

#include <memory>

namespace hgl
{
class FlowObject : public Object
{
    void InitPrivate();

  public:
    enum FlowObjectState : int
    {
        fosNotInit = 0,
        fosOK,      // running
        fosCall,    // 2
        fosPush,    // 3
        fosReturn,  // 4
        fosReplace, // 5
        fosClear,   // 6
        fosExit,    // 7
    };

  protected:
    FlowObjectState object_state = fosOK;
    FlowObject *next_object = nullptr; // owned until the flow control takes it
    std::unique_ptr<ObjectControl> control;
    bool visible = true;

    FlowObjectState GetObjectState() const { return object_state; }
    FlowObject *GetNextObject() const { return next_object; }
    ObjectControl *GetControl() const { return control.get(); }

  public:
    Property<FlowObjectState> ObjectState;
    // Writing a new next object deletes a pending one it replaces.
    Property<FlowObject *> NextObject;
    PropertyObject<ObjectControl> Control; // read only

    // Input no child took; each returns whether it handled the event.
    BoundMethod<bool(int x, int y, int flags)> OnMouseMove, OnMouseLeftDown, OnMouseLeftUp, OnMouseRightDown;
    BoundMethod<bool(int x, int y, int wheel, int flags)> OnMouseWheel;
    BoundMethod<bool(int key)> OnKeyDown;
    BoundMethod<bool(int button)> OnJoystickDown;

    FlowObject();
    // Deletes a pending next object and the object control with its children.
    ~FlowObject() override;

    virtual void SetObjectState(FlowObjectState state) { object_state = state; }
    void SetNextObject(FlowObject *obj);
    // Hands the pending next object over to the caller.
    FlowObject *TakeNextObject();

    void SetVisible(bool value) { visible = value; }
    bool IsVisible() const { return visible; }

    // The screen's own work and drawing once a frame; nothing by default.
    virtual void Update() {}
    virtual void Draw() {}
    // After the screen and its children are drawn.
    virtual void EndFrame() {}
    // A screen called from this one has returned; finished is deleted right after.
    virtual void ProcReturn(FlowObject *) {}

    // One frame: Update then the children's update; Draw, the children, EndFrame.
    virtual void UpdateObject();
    virtual void DrawObject();

    virtual bool Proc_MouseMove(int x, int y, int flags);
    virtual bool Proc_MouseWheel(int x, int y, int wheel, int flags);
    virtual bool Proc_MouseLeftDown(int x, int y, int flags);
    virtual bool Proc_MouseLeftUp(int x, int y, int flags);
    virtual bool Proc_MouseRightDown(int x, int y, int flags);
    virtual bool Proc_MouseMiddleDown(int, int, int) { return false; }
    virtual bool Proc_KeyDown(int key);
    virtual bool Proc_KeyRepeat(int key);
    virtual bool Proc_Char(u16char) { return false; }
    // A button no child or closure takes becomes the key it stands for (JoystickKey.h).
    virtual bool Proc_JoystickDown(int button);
    virtual bool Proc_JoystickRepeat(int button);
};
} // namespace hgl
