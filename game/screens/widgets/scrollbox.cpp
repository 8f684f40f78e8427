#include "game/screens/widgets/scrollbox.h"

#include "framework/ObjectClass.h"
#include "gui/ClipScope.h"
#include "gui/WidgetSupport.h"
#include "platform/window/KeyCode.h"

#include <algorithm>

namespace
{
constexpr double kSlower = 0.9, kFaster = 1.1;
constexpr float kMinSpeed = 1.0f;
// The vertical bar sits one pixel in from the right edge.
constexpr float kVerticalInset = 16;
// A place no child covers: children that hear the pointer there drop their
// pointer-over state.
constexpr int kNowhere = -(1 << 24);
constexpr int kJoyUp = 1, kJoyDown = 2, kJoyLeft = 3, kJoyRight = 4;

// One axis of the glide: towards the target, faster while the distance left is
// larger than the step, slower once it is not, landing on the target.
void Glide(float &offset, float target, float &speed)
{
    auto adapt = [&speed](float distance)
    {
        speed = float(distance <= speed ? speed * kSlower : speed * kFaster);
        if (speed < kMinSpeed) speed = kMinSpeed;
    };
    if (target < offset)
    {
        adapt(offset - target);
        offset -= speed;
        if (offset < target) offset = target;
    }
    if (offset < target)
    {
        adapt(target - offset);
        offset += speed;
        if (offset > target) offset = target;
    }
}

// The largest value a bar holds (a maximum below the minimum counts as the minimum).
float Highest(const hgl::gui::ScrollBar &bar)
{
    return float(std::max(int(bar.MinValue), int(bar.MaxValue)));
}
} // namespace

scrollbox::scrollbox(float left, float top, float width, float height, const hgl::u16char *bar_picture)
    : hgl::gui::ScrollBox(left, top, width, height),
      horizontal(0, height - kBarSize, width - kBarSize, kBarSize, bar_picture, false),
      vertical(width - kVerticalInset, 0, kBarSize, height, bar_picture, true)
{
    horizontal.OnChange.Bind<&scrollbox::OnHorizontalChange>(this);
    vertical.OnChange.Bind<&scrollbox::OnVerticalChange>(this);
    for (Scrollv *bar : {&horizontal, &vertical})
    {
        bar->KeyStep = kKeyStep;
        bar->RepeatStep = kRepeatStep;
        // Nothing to scroll until the children are laid out.
        bar->SetMaxValue(0);
        bar->SetVisible(false);
    }
}

scrollbox::~scrollbox() = default;

void scrollbox::OnHorizontalChange(hgl::gui::ScrollBar *, int value)
{
    target_x = float(value);
}

void scrollbox::OnVerticalChange(hgl::gui::ScrollBar *, int value)
{
    target_y = float(value);
}

// The bars only report a change; a target set past their range follows them back.
void scrollbox::SyncTargets()
{
    target_x = float(int(horizontal.Value));
    target_y = float(int(vertical.Value));
}

void scrollbox::SetScrollX(float x)
{
    horizontal.SetValue(int(x));
    offset_x = std::clamp(x, 0.0f, Highest(horizontal));
}

void scrollbox::SetScrollY(float y)
{
    vertical.SetValue(int(y));
    offset_y = std::clamp(y, 0.0f, Highest(vertical));
}

void scrollbox::SetScroll(float x, float y)
{
    SetScrollX(x);
    SetScrollY(y);
}

void scrollbox::ScrollBy(float dx, float dy)
{
    horizontal.SetValue(int(target_x + dx));
    vertical.SetValue(int(target_y + dy));
}

void scrollbox::ScrollStep()
{
    Glide(offset_x, target_x, speed_x);
    Glide(offset_y, target_y, speed_y);
}

void scrollbox::DrawObject()
{
    hgl::gui::DrawOffset box(left, top);
    ScrollStep();
    const float sx = origin_x + left, sy = origin_y + top;
    int drawn = 0;
    {
        // The scissor test goes back to what it was once the box and its bars are drawn.
        hgl::gui::ClipScope clip(sx, sy, width, height);
        {
            hgl::gui::DrawOffset content(-offset_x, -offset_y);
            WalkScope walk(*this);
            // Asking the list whether it still holds a child costs a search; it is
            // only asked once the children have changed during this walk.
            const int count = GetCount();
            auto draw_child = [&](hgl::Object *obj)
            {
                if (GetCount() != count ? !Live(obj) : obj->IsDestroyed()) return;
                auto *child = static_cast<hgl::VisualObject *>(obj);
                if (!child->IsVisible()) return;
                if (IsGUI(child))
                {
                    auto *c = static_cast<hgl::GUIObject *>(child);
                    c->SetOrigin(sx - offset_x, sy - offset_y);
                    const float l = c->Left - offset_x, t = c->Top - offset_y;
                    if (l >= width || l + c->Width <= 0 || t >= height || t + c->Height <= 0) return;
                }
                ++drawn;
                DrawVisibleChild(child);
            };
            const std::vector<hgl::Object *> children = Children(hgl::ocVisual);
            for (auto it = children.rbegin(); it != children.rend(); ++it)
                if (*it != top_object) draw_child(*it);
            if (top_object) draw_child(top_object);
        }
        if (ShowBars)
            for (Scrollv *bar : {&horizontal, &vertical})
                if (bar->IsVisible())
                {
                    bar->SetOrigin(sx, sy);
                    bar->DrawObject();
                }
    }
    drawn_children = drawn;
}

void scrollbox::AlignObjects()
{
    hgl::gui::Panel::AlignObjects();
    // Measured afresh each time, so that a second layout gives the same ranges.
    extent_x = extent_y = 0;
    for (hgl::Object *obj : Children(hgl::ocGUI))
    {
        const auto *c = static_cast<const hgl::GUIObject *>(obj);
        extent_x = std::max(extent_x, c->Left + c->Width);
        extent_y = std::max(extent_y, c->Top + c->Height);
    }
    const float W = width, H = height;
    vertical.SetPageLength(int((extent_y - H) * H / (extent_y + 1)));
    horizontal.SetPageLength(int((extent_x - W) * W / (extent_x + 1)));
    extent_x -= W;
    extent_y -= H;
    horizontal.SetMaxValue(int(extent_x));
    vertical.SetMaxValue(int(extent_y));
    const bool show_v = extent_y > 0, show_h = extent_x > 0;
    vertical.SetVisible(show_v);
    horizontal.SetVisible(show_h);
    // With both bars, each is shorter by the other's thickness and scrolls that much further.
    if (show_v)
    {
        vertical.SetHeight(show_h ? H - kBarSize : H);
        if (show_h) horizontal.SetMaxValue(horizontal.MaxValue + int(kBarSize));
    }
    if (show_h)
    {
        horizontal.SetWidth(show_v ? W - kBarSize : W);
        if (show_v) vertical.SetMaxValue(vertical.MaxValue + int(kBarSize));
    }
    SyncTargets();
    offset_x = std::clamp(offset_x, 0.0f, Highest(horizontal));
    offset_y = std::clamp(offset_y, 0.0f, Highest(vertical));
}

void scrollbox::ChildFocusChanged(hgl::EventObject *child, bool gained)
{
    hgl::gui::Panel::ChildFocusChanged(child, gained);
    if (!gained || !IsChild(child) || !IsGUI(child)) return;
    const auto *c = static_cast<const hgl::GUIObject *>(child);
    const float l = c->Left, w = c->Width, t = c->Top, h = c->Height;
    if (l - offset_x < width && l + w - offset_x <= 0) target_x = l;
    if (l - offset_x >= width) target_x = l + w - width;
    if (t - offset_y < height && t + h - offset_y <= 0) target_y = t;
    if (t - offset_y >= height) target_y = t + h - height;
    horizontal.SetValue(int(target_x));
    vertical.SetValue(int(target_y));
    SyncTargets();
    speed_x = speed_y = kMinSpeed;
}

bool scrollbox::BarsFirst(bool (hgl::gui::ScrollBar::*handler)(int, int, int), int x, int y, int flags)
{
    const int bx = int(float(x) - left), by = int(float(y) - top);
    for (Scrollv *bar : {&horizontal, &vertical})
        if (bar->IsEnabled() && bar->IsVisible() && (bar->*handler)(bx, by, flags)) return true;
    return false;
}

bool scrollbox::Proc_MouseMove(int x, int y, int flags)
{
    hgl::GUIObject::Proc_MouseMove(x, y, flags);
    const bool over = pointer_over;
    if (!enabled) return false;
    // A dragged ball follows the pointer wherever it goes.
    for (Scrollv *bar : {&horizontal, &vertical})
        if (bar->IsDragging()) return bar->Proc_MouseMove(int(float(x) - left), int(float(y) - top), flags);
    if (over && BarsFirst(&hgl::gui::ScrollBar::Proc_MouseMove, x, y, flags)) return true;
    // The children see the pointer in content coordinates, and nowhere while it is
    // off the box, so that a child scrolled out of view cannot take it. The walk
    // also moves this box's own flag; the right one is put back.
    const bool handled =
        over ? Panel::Proc_MouseMove(int(float(x) + offset_x), int(float(y) + offset_y), flags)
             : Panel::Proc_MouseMove(kNowhere, kNowhere, flags);
    pointer_over = over;
    return handled;
}

bool scrollbox::Proc_MouseWheel(int x, int y, int wheel, int)
{
    if (!enabled || !PointIn(x, y)) return false;
    if (wheel < 0)
        vertical.SetValue(vertical.Value + int(WheelStep));
    else if (wheel > 0)
        vertical.SetValue(vertical.Value - int(WheelStep));
    return true;
}

bool scrollbox::Proc_MouseLeftDown(int x, int y, int flags)
{
    if (!enabled) return PointIn(x, y);
    if (!PointIn(x, y)) return false;
    if (BarsFirst(&hgl::gui::ScrollBar::Proc_MouseLeftDown, x, y, flags)) return true;
    return Panel::Proc_MouseLeftDown(int(float(x) + offset_x), int(float(y) + offset_y), flags);
}

bool scrollbox::Proc_MouseLeftUp(int x, int y, int flags)
{
    for (Scrollv *bar : {&horizontal, &vertical})
        if (bar->IsDragging()) return bar->Proc_MouseLeftUp(int(float(x) - left), int(float(y) - top), flags);
    if (!enabled) return PointIn(x, y);
    if (!PointIn(x, y))
    {
        // Only the child that took the press hears this, and drops its pressed state.
        Panel::Proc_MouseLeftUp(kNowhere, kNowhere, flags);
        return false;
    }
    if (BarsFirst(&hgl::gui::ScrollBar::Proc_MouseLeftUp, x, y, flags)) return true;
    return Panel::Proc_MouseLeftUp(int(float(x) + offset_x), int(float(y) + offset_y), flags);
}

bool scrollbox::ScrollKey(int key)
{
    switch (key)
    {
    case hgl::key::Up:
        ScrollBy(0, float(-vertical.KeyStep));
        return true;
    case hgl::key::Down:
        ScrollBy(0, float(vertical.KeyStep));
        return true;
    case hgl::key::Left:
        ScrollBy(float(-horizontal.KeyStep), 0);
        return true;
    case hgl::key::Right:
        ScrollBy(float(horizontal.KeyStep), 0);
        return true;
    default:
        return false;
    }
}

bool scrollbox::Proc_KeyDown(int key)
{
    return Panel::Proc_KeyDown(key) || ScrollKey(key);
}

bool scrollbox::Proc_KeyRepeat(int key)
{
    return Panel::Proc_KeyRepeat(key) || ScrollKey(key);
}

// Buttons 1-4 scroll as Up, Down, Left and Right do: by the bar's key step for a
// press, by its repeat step for the second move of a repeat.
bool scrollbox::ScrollJoystick(int button, bool repeat)
{
    auto step = [repeat](const Scrollv &bar) { return float(repeat ? bar.RepeatStep : bar.KeyStep); };
    switch (button)
    {
    case kJoyUp:
        ScrollBy(0, -step(vertical));
        return true;
    case kJoyDown:
        ScrollBy(0, step(vertical));
        return true;
    case kJoyLeft:
        ScrollBy(-step(horizontal), 0);
        return true;
    case kJoyRight:
        ScrollBy(step(horizontal), 0);
        return true;
    default:
        return false;
    }
}

bool scrollbox::Proc_JoystickDown(int button)
{
    return Panel::Proc_JoystickDown(button) || ScrollJoystick(button, false);
}

bool scrollbox::Proc_JoystickRepeat(int button)
{
    if (Panel::Proc_JoystickRepeat(button)) return true;
    const bool pressed = Proc_JoystickDown(button);
    // A held button goes the repeat step further than a press.
    return ScrollJoystick(button, true) || pressed;
}
