#include "gui/ScrollBar.h"

#include "platform/window/KeyCode.h"
#include "gui/WidgetSupport.h"

#include <algorithm>
#include <cmath>

namespace hgl::gui
{
void ScrollBar::InitPrivate()
{
    Value.Bind<&ScrollBar::GetValue, &ScrollBar::SetValue>(this);
    MinValue.Bind<&ScrollBar::GetMinValue, &ScrollBar::SetMinValue>(this);
    MaxValue.Bind<&ScrollBar::GetMaxValue, &ScrollBar::SetMaxValue>(this);
    PageLength.Bind<&ScrollBar::GetPageLength, &ScrollBar::SetPageLength>(this);
    Vertical.Bind<&ScrollBar::GetVertical, &ScrollBar::SetVertical>(this);
}

ScrollBar::ScrollBar(float l, float t, float w, float h, bool is_vertical)
    : GUIObject(l, t, w, h), vertical(is_vertical)
{
    InitPrivate();
}

void ScrollBar::SetValue(int v)
{
    v = std::max(min_value, std::min(v, max_value));
    if (v == value) return;
    value = v;
    if (OnChange) OnChange(this, value);
}

void ScrollBar::SetMinValue(int v)
{
    min_value = v;
    SetValue(value);
}

void ScrollBar::SetMaxValue(int v)
{
    max_value = v;
    SetValue(value);
}

void ScrollBar::SetPageLength(int v)
{
    page_length = v;
}

float ScrollBar::GetBallLength() const
{
    const float track = std::max(0.0f, TrackLength());
    return track - std::clamp(float(page_length), 0.0f, track);
}

float ScrollBar::GetBallOffset() const
{
    const int range = max_value - min_value;
    if (range <= 0) return 0;
    return (TrackLength() - GetBallLength()) * float(value - min_value) / float(range);
}

int ScrollBar::ValueAt(float ball_start) const
{
    const float free = TrackLength() - GetBallLength();
    const int range = max_value - min_value;
    if (free <= 0 || range <= 0) return value; // a ball as long as the bar cannot move
    return min_value + int(std::lround(ball_start / free * float(range)));
}

void ScrollBar::Draw()
{
    if (!OnDraw) return;
    DrawOffset at(left, top);
    OnDraw(this);
}

bool ScrollBar::Proc_MouseMove(int x, int y, int flags)
{
    GUIObject::Proc_MouseMove(x, y, flags);
    if (!dragging) return false;
    SetValue(ValueAt(AlongBar(x, y) - grab));
    return true;
}

bool ScrollBar::Proc_MouseLeftDown(int x, int y, int)
{
    if (!enabled || !PointIn(x, y)) return false;
    const float at = AlongBar(x, y);
    const float ball = GetBallOffset();
    if (at < ball)
        StepBy(-KeyStep);
    else if (at >= ball + GetBallLength())
        StepBy(KeyStep);
    else
    {
        dragging = true;
        grab = at - ball;
    }
    return true;
}

bool ScrollBar::Proc_MouseLeftUp(int, int, int)
{
    if (!dragging) return false;
    dragging = false;
    return true;
}

bool ScrollBar::StepKey(int key, int step)
{
    const int back = vertical ? key::Up : key::Left;
    const int forth = vertical ? key::Down : key::Right;
    if (!enabled || (key != back && key != forth)) return false;
    StepBy(key == back ? -step : step);
    return true;
}

bool ScrollBar::Proc_KeyDown(int key)
{
    return StepKey(key, KeyStep);
}

bool ScrollBar::Proc_KeyRepeat(int key)
{
    return StepKey(key, RepeatStep);
}
} // namespace hgl::gui
