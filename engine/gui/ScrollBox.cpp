#include "gui/ScrollBox.h"

#include "platform/window/KeyCode.h"
#include "framework/ObjectClass.h"
#include "gui/ClipScope.h"
#include "gui/WidgetSupport.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace hgl::gui
{
namespace
{
// A place no child covers: a release outside the box goes there, so that only the
// child that took the press hears it, and it drops its pressed state unclicked.
constexpr int Nowhere = -(1 << 24);

std::vector<Object *> Snapshot(const List<Object *> *list)
{
    std::vector<Object *> out;
    for (int i = 0; list && i < list->GetCount(); i++)
        out.push_back((*list)[i]);
    return out;
}
} // namespace

ScrollBox::ScrollBox(float l, float t, float w, float h)
    : Panel(l, t, w, h), hbar(0, h - BarThickness, w, BarThickness, false),
      vbar(w - BarThickness, 0, BarThickness, h, true)
{
    for (ScrollBar *bar : {&hbar, &vbar})
    {
        bar->SetMaxValue(0);
        bar->SetVisible(false);
        bar->OnChange.Bind<&ScrollBox::OnBarChange>(this);
    }
}

float ScrollBox::GetMaxScrollX() const
{
    return std::max(0.0f, extent_x - width);
}

float ScrollBox::GetMaxScrollY() const
{
    return std::max(0.0f, extent_y - height);
}

void ScrollBox::OnBarChange(ScrollBar *bar, int value)
{
    if (bar == &hbar && int(offset_x) != value)
        SetScrollX(float(value));
    else if (bar == &vbar && int(offset_y) != value)
        SetScrollY(float(value));
}

void ScrollBox::SetScrollX(float x)
{
    offset_x = std::clamp(x, 0.0f, GetMaxScrollX());
    hbar.SetValue(int(offset_x));
    PlaceChildren();
}

void ScrollBox::SetScrollY(float y)
{
    offset_y = std::clamp(y, 0.0f, GetMaxScrollY());
    vbar.SetValue(int(offset_y));
    PlaceChildren();
}

void ScrollBox::SetScroll(float x, float y)
{
    SetScrollX(x);
    SetScrollY(y);
}

void ScrollBox::PlaceChildren()
{
    for (Object *obj : Snapshot(GetClassList(ocGUI)))
        static_cast<GUIObject *>(obj)->SetOrigin(ScreenLeft() - offset_x, ScreenTop() - offset_y);
}

void ScrollBox::MeasureContent()
{
    extent_x = extent_y = 0;
    for (Object *obj : Snapshot(GetClassList(ocGUI)))
    {
        const auto *c = static_cast<const GUIObject *>(obj);
        if (!c->IsVisible()) continue;
        extent_x = std::max(extent_x, c->Left + c->Width);
        extent_y = std::max(extent_y, c->Top + c->Height);
    }
}

// A bar's page length is the part of its track the ball leaves free, so the ball
// is as long, against the track, as the box is against the content.
void ScrollBox::ArrangeBars()
{
    const float max_x = GetMaxScrollX(), max_y = GetMaxScrollY();
    const bool show_h = max_x > 0, show_v = max_y > 0;

    vbar.SetPosition(width - BarThickness, 0);
    vbar.SetSize(BarThickness, height - (show_h ? BarThickness : 0));
    hbar.SetPosition(0, height - BarThickness);
    hbar.SetSize(width - (show_v ? BarThickness : 0), BarThickness);

    auto setup = [](ScrollBar &bar, bool show, float max_offset, float extent, float track)
    {
        bar.SetVisible(show);
        bar.SetMaxValue(int(std::ceil(max_offset)));
        bar.SetPageLength(extent > 0 ? int(track * max_offset / extent) : 0);
    };
    setup(hbar, show_h, max_x, extent_x, hbar.Width);
    setup(vbar, show_v, max_y, extent_y, vbar.Height);
}

void ScrollBox::AlignObjects()
{
    Panel::AlignObjects();
    MeasureContent();
    ArrangeBars();
    laid_out_children = GetCount();
    SetScroll(offset_x, offset_y);
}

void ScrollBox::Refresh()
{
    if (!relayout && laid_out_children == GetCount()) return;
    relayout = false;
    AlignObjects();
    for (Object *obj : Snapshot(GetClassList(ocControl)))
        if (auto *nested = dynamic_cast<ScrollBox *>(obj)) nested->Refresh();
}

void ScrollBox::SetWidth(float value)
{
    relayout = true;
    Panel::SetWidth(value);
}

void ScrollBox::SetHeight(float value)
{
    relayout = true;
    Panel::SetHeight(value);
}

void ScrollBox::DrawVisibleChild(VisualObject *child)
{
    if (!child || !child->IsVisible()) return;
    if (IsGUI(child))
    {
        const auto *c = static_cast<const GUIObject *>(child);
        const float l = c->Left - offset_x, t = c->Top - offset_y;
        if (l >= width || l + c->Width <= 0 || t >= height || t + c->Height <= 0) return;
    }
    child->DrawObject();
}

void ScrollBox::DrawObject()
{
    Refresh();
    DrawOffset box(left, top);
    Draw();
    {
        ClipScope clip(ScreenLeft(), ScreenTop(), width, height);
        DrawOffset content(-offset_x, -offset_y);
        auto draw_child = [this](Object *obj)
        {
            if (!IsChild(obj) || obj->IsDestroyed()) return;
            if (IsGUI(obj))
                static_cast<GUIObject *>(obj)->SetOrigin(ScreenLeft() - offset_x, ScreenTop() - offset_y);
            DrawVisibleChild(static_cast<VisualObject *>(obj));
        };
        for (Object *obj : Snapshot(GetClassList(ocVisual)))
            if (obj != top_object) draw_child(obj);
        if (top_object) draw_child(top_object);
    }
    if (!ShowBars) return;
    for (ScrollBar *bar : {&hbar, &vbar})
        if (bar->IsVisible())
        {
            bar->SetOrigin(ScreenLeft(), ScreenTop());
            bar->DrawObject();
        }
}

ScrollBar *ScrollBox::BarUnder(int bx, int by)
{
    for (ScrollBar *bar : {&hbar, &vbar})
        if (bar->IsEnabled() && bar->IsVisible() && bar->PointIn(bx, by)) return bar;
    return nullptr;
}

bool ScrollBox::Proc_MouseMove(int x, int y, int flags)
{
    GUIObject::Proc_MouseMove(x, y, flags);
    const bool over = pointer_over;
    const int bx = int(x - left), by = int(y - top);
    for (ScrollBar *bar : {&hbar, &vbar})
        if (bar->IsDragging()) return bar->Proc_MouseMove(bx, by, flags);
    ScrollBar *bar = enabled && over ? BarUnder(bx, by) : nullptr;
    if (bar) bar->Proc_MouseMove(bx, by, flags);

    // The children see the pointer only where they show through the box; elsewhere
    // they see it nowhere, so that each drops its pointer-over flag and notices the
    // pointer coming back. The control's walk also keeps this box's own flag, from
    // the shifted point: the right one is put back.
    const bool inside = enabled && over && !bar;
    const bool handled = inside ? Panel::Proc_MouseMove(int(x + offset_x), int(y + offset_y), flags)
                                : Panel::Proc_MouseMove(Nowhere, Nowhere, flags);
    pointer_over = over;
    return bar || (inside && handled);
}

bool ScrollBox::Proc_MouseWheel(int x, int y, int wheel, int flags)
{
    if (!enabled || !PointIn(x, y)) return false;
    if (Panel::Proc_MouseWheel(int(x + offset_x), int(y + offset_y), wheel, flags)) return true;
    if (wheel < 0)
        SetScrollY(offset_y + WheelStep);
    else if (wheel > 0)
        SetScrollY(offset_y - WheelStep);
    return true;
}

bool ScrollBox::Proc_MouseLeftDown(int x, int y, int flags)
{
    if (!enabled || !PointIn(x, y)) return false;
    const int bx = int(x - left), by = int(y - top);
    if (ScrollBar *bar = BarUnder(bx, by)) return bar->Proc_MouseLeftDown(bx, by, flags);
    return Panel::Proc_MouseLeftDown(int(x + offset_x), int(y + offset_y), flags);
}

bool ScrollBox::Proc_MouseLeftUp(int x, int y, int flags)
{
    const int bx = int(x - left), by = int(y - top);
    for (ScrollBar *bar : {&hbar, &vbar})
        if (bar->IsDragging()) return bar->Proc_MouseLeftUp(bx, by, flags);
    if (!PointIn(x, y)) return Panel::Proc_MouseLeftUp(Nowhere, Nowhere, flags);
    if (BarUnder(bx, by)) return true;
    return Panel::Proc_MouseLeftUp(int(x + offset_x), int(y + offset_y), flags);
}

bool ScrollBox::ScrollKey(int key, int step_x, int step_y)
{
    switch (key)
    {
    case key::Up:
        SetScrollY(offset_y - float(step_y));
        return true;
    case key::Down:
        SetScrollY(offset_y + float(step_y));
        return true;
    case key::Left:
        SetScrollX(offset_x - float(step_x));
        return true;
    case key::Right:
        SetScrollX(offset_x + float(step_x));
        return true;
    default:
        return false;
    }
}

bool ScrollBox::Proc_KeyDown(int key)
{
    return Panel::Proc_KeyDown(key) || ScrollKey(key, hbar.KeyStep, vbar.KeyStep);
}

bool ScrollBox::Proc_KeyRepeat(int key)
{
    return Panel::Proc_KeyRepeat(key) || ScrollKey(key, hbar.RepeatStep, vbar.RepeatStep);
}

void ScrollBox::ScrollIntoView(const GUIObject *child)
{
    Refresh();
    const float l = child->Left, t = child->Top;
    const float r = l + child->Width, b = t + child->Height;
    if (l < offset_x)
        SetScrollX(l);
    else if (r - offset_x > width)
        SetScrollX(r - width);
    if (t < offset_y)
        SetScrollY(t);
    else if (b - offset_y > height)
        SetScrollY(b - height);
}

void ScrollBox::ChildFocusChanged(EventObject *child, bool focus_gained)
{
    Panel::ChildFocusChanged(child, focus_gained);
    if (focus_gained && IsChild(child) && IsGUI(child)) ScrollIntoView(static_cast<GUIObject *>(child));
}
} // namespace hgl::gui
