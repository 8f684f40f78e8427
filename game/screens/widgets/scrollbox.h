#pragma once
// The game's scrolling container. The scroll bars hold where the content is to
// be (the targets); the content glides there a step each drawn frame, the step
// growing by a tenth while the distance left is larger than it and shrinking by a
// tenth once it is not (never below one pixel), so that it lands on the target
// exactly. Children are clipped to the box and drawn only when they show.
//
// After a layout the extents hold the largest offsets (content size minus box
// size); a bar shows only while its axis can scroll. Arrow keys and joystick
// buttons 1-4 move a target by the bar's key step (64), the wheel by 32, a held
// joystick button by the key step and the repeat step (8) together.
#include "game/screens/widgets/Scrollv.h"
#include "gui/ScrollBox.h"

class scrollbox : public hgl::gui::ScrollBox
{
    float target_x = 0, target_y = 0;
    float speed_x = 1.0f, speed_y = 1.0f;
    Scrollv horizontal, vertical;
    int drawn_children = 0; // in the last frame

    void OnHorizontalChange(hgl::gui::ScrollBar *bar, int value);
    void OnVerticalChange(hgl::gui::ScrollBar *bar, int value);
    bool BarsFirst(bool (hgl::gui::ScrollBar::*handler)(int, int, int), int x, int y, int flags);
    bool ScrollKey(int key);
    bool ScrollJoystick(int button, bool repeat);
    void SyncTargets();

  public:
    static constexpr int kKeyStep = 64, kRepeatStep = 8;
    static constexpr float kBarSize = 15;

    scrollbox(float left, float top, float width, float height, const hgl::u16char *bar_picture);
    ~scrollbox() override;

    float GetTargetX() const { return target_x; }
    float GetTargetY() const { return target_y; }
    float GetSpeedX() const { return speed_x; }
    float GetSpeedY() const { return speed_y; }
    Scrollv &GetHorizontalBar() { return horizontal; }
    Scrollv &GetVerticalBar() { return vertical; }
    // How many children the last frame drew.
    int GetDrawnCount() const { return drawn_children; }

    // Jumps there at once (the bars' values follow).
    void SetScrollX(float x) override;
    void SetScrollY(float y) override;
    void SetScroll(float x, float y) override;
    // Moves the targets; the content then glides.
    void ScrollBy(float dx, float dy);
    // One glide step of each axis, x first.
    void ScrollStep();

    void DrawObject() override;
    void AlignObjects() override;
    void ChildFocusChanged(hgl::EventObject *child, bool focus) override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseWheel(int x, int y, int wheel, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_JoystickDown(int button) override;
    bool Proc_JoystickRepeat(int button) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_KeyRepeat(int key) override;
};
