#pragma once
// hgl::gui::ScrollBar: an integer value between a minimum and a maximum, shown as a
// ball sliding along the bar. The page length is the part of the bar the ball does
// not cover: ball length = bar length - page length, so a page length of 0 gives a
// ball as long as the bar. Every change of the value, and only a change, fires the
// change closure. The bar draws nothing itself: its draw closure is called at the
// bar's origin.
//
// Input: a press on the ball drags it; a press beside it moves the value by the key
// step towards the pointer. The focused bar takes the arrow keys of its direction
// (Up/Down for a vertical bar, Left/Right for a horizontal one): a key press moves
// the value by the key step, a key repeat by the repeat step.
#include "core/BoundMethod.h"
#include "framework/GUIObject.h"

namespace hgl::gui
{
class ScrollBar : public GUIObject
{
    int value = 0, min_value = 0, max_value = 100, page_length = 0;
    bool vertical;
    bool dragging = false;
    float grab = 0; // where on the ball the drag took hold

    int GetValue() const { return value; }
    int GetMinValue() const { return min_value; }
    int GetMaxValue() const { return max_value; }
    int GetPageLength() const { return page_length; }
    bool GetVertical() const { return vertical; }
    void InitPrivate();

    float TrackLength() const { return vertical ? height : width; }
    // The pointer's place along the bar, from its start.
    float AlongBar(int x, int y) const { return vertical ? y - top : x - left; }
    // The value whose ball starts at that place (the value itself when the ball cannot move).
    int ValueAt(float ball_start) const;
    bool StepKey(int key, int step);

  public:
    int KeyStep = 10;
    int RepeatStep = 1;

    Property<int> Value, MinValue, MaxValue, PageLength;
    Property<bool> Vertical;

    // Fired with the bar and its new value whenever the value changes.
    BoundMethod<void(ScrollBar *, int)> OnChange;
    BoundMethod<void(ScrollBar *)> OnDraw;

    ScrollBar(float l, float t, float w, float h, bool is_vertical);
    ~ScrollBar() override = default;

    // The value is kept in [minimum, maximum]; a maximum below the minimum counts as
    // the minimum.
    void SetValue(int v);
    void SetMinValue(int v);
    void SetMaxValue(int v);
    void SetPageLength(int v);
    void SetVertical(bool v) { vertical = v; }
    // The value moved by delta (clamped).
    void StepBy(int delta) { SetValue(value + delta); }

    // Ball placement along the bar, in pixels from the bar's start.
    float GetBallLength() const;
    float GetBallOffset() const;
    bool IsDragging() const { return dragging; }

    void Draw() override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_KeyRepeat(int key) override;
};
} // namespace hgl::gui
