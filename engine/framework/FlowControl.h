#pragma once
// Runs the screens. It holds them on a stack, the active one on top, owns them, and
// is itself a flow object: the application calls its frame step and hands it the
// input, which goes to the active screen only. Its own state turns to fosExit when
// the program is to end; the main loop stops then.
//
// State changes the screens ask for during a frame are carried out at the apply
// points (ProcState), so a screen is never deleted while one of its own operations
// runs, and a deleted screen is never reached again.
#include "core/Stack.h"
#include "framework/FlowObject.h"

namespace hgl
{
class FlowControl : public FlowObject
{
    Stack<FlowObject *> screens; // bottom first; owned

    FlowObject *Active() const;
    bool Holds(const FlowObject *screen) const;
    void Start(FlowObject *screen);
    void Ask(FlowObject *screen, FlowObjectState state);
    void DeleteTop();
    void Exit(const u16char *reason);
    // Carries out the active screen's state; false when it asks for nothing.
    bool ApplyOne();
    template <auto Method, typename... A> bool ToActive(A... args);

  public:
    // Global pointer 5 follows the active screen.
    static constexpr int kActiveFlowObjectSlot = 5;

    // start (may be null) becomes the first screen.
    explicit FlowControl(FlowObject *start = nullptr);
    // Deletes every screen, the top one first.
    ~FlowControl() override;

    FlowObject *GetActiveObject() const { return Active(); }
    int GetScreenCount() const { return screens.Count.Get(); }
    // The screen at that depth, the bottom one 0; null out of range.
    FlowObject *GetScreen(int index) const;
    bool IsRunning() const { return object_state != fosExit; }

    // The active screen's next object := screen (a pending one is deleted), its state
    // := fosCall / fosPush / fosClear. Without a screen running, screen starts at once.
    void CallTo(FlowObject *screen) { Ask(screen, fosCall); }
    void PushTo(FlowObject *screen) { Ask(screen, fosPush); }
    void ClearTo(FlowObject *screen) { Ask(screen, fosClear); }

    // Applies the state changes the screens asked for.
    void ProcState();
    // One frame: update the active screen, apply, draw (when asked), apply again.
    void RunFrame(bool draw = true);

    // Updates the active screen; draws every shown screen, the bottom one first.
    void UpdateObject() override;
    void DrawObject() override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseWheel(int x, int y, int wheel, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_MouseRightDown(int x, int y, int flags) override;
    bool Proc_MouseMiddleDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_KeyRepeat(int key) override;
    bool Proc_Char(u16char ch) override;
    bool Proc_JoystickDown(int button) override;
    bool Proc_JoystickRepeat(int button) override;
};
} // namespace hgl
