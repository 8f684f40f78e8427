#pragma once
// hgl::gui::ScrollBox: a panel whose children lie on a content plane larger than
// the box, seen through the box shifted by the scroll offsets. The content extents
// are the right and bottom edges of the farthest visible child; the largest offset
// on each axis is the extent minus the box's size (0 when the content fits).
//
// The layout (AlignObjects) runs on Refresh whenever it is due: after Relayout, a
// change of size, or a change in the number of children. It measures the extents,
// sets up the two scroll bars along the right and bottom edges (each shown only
// when its axis scrolls), clamps the offsets, places the children's screen origins
// and refreshes nested scroll boxes.
//
// Drawing clips to the box and draws only the children whose rectangle overlaps
// the visible part; the bars are drawn over them when ShowBars is on.
//
// Input: the pointer reaches a dragged bar, then the bars under it, then the
// children (in content coordinates); only over the box. The wheel scrolls by the
// wheel step, arrows a child does not take by the bars' key step (key repeats by
// their repeat step). A child that takes the focus is scrolled into view.
#include "gui/Panel.h"
#include "gui/ScrollBar.h"

namespace hgl::gui
{
class ScrollBox : public Panel
{
    int laid_out_children = -1; // child count of the last layout

    void OnBarChange(ScrollBar *bar, int value);
    void PlaceChildren();
    void MeasureContent();
    void ArrangeBars();
    float ScreenLeft() const { return origin_x + left; }
    float ScreenTop() const { return origin_y + top; }
    bool ScrollKey(int key, int step_x, int step_y);
    ScrollBar *BarUnder(int bx, int by);
    void ScrollIntoView(const GUIObject *child);

  protected:
    float offset_x = 0, offset_y = 0; // the content point at the box's top-left
    float extent_x = 0, extent_y = 0; // the content's size
    bool relayout = true;
    ScrollBar hbar, vbar;

  public:
    static constexpr float BarThickness = 15;

    float WheelStep = 32;
    bool ShowBars = true;

    ScrollBox(float l, float t, float w, float h);
    ~ScrollBox() override = default;

    float GetScrollX() const { return offset_x; }
    float GetScrollY() const { return offset_y; }
    float GetExtentX() const { return extent_x; }
    float GetExtentY() const { return extent_y; }
    float GetMaxScrollX() const;
    float GetMaxScrollY() const;
    ScrollBar &GetHorizontalBar() { return hbar; }
    ScrollBar &GetVerticalBar() { return vbar; }

    // Asks for a new layout at the next Refresh.
    void Relayout() { relayout = true; }
    // Lays the content out when due.
    void Refresh();

    // Each clamps to [0, largest offset], moves the bar and the children.
    virtual void SetScrollX(float x);
    virtual void SetScrollY(float y);
    virtual void SetScroll(float x, float y);

    // A child that is not a GUI object is drawn; a GUI object (with its children)
    // only when its rectangle, shifted by minus the offsets, overlaps the box.
    void DrawVisibleChild(VisualObject *child);

    void SetWidth(float value) override;
    void SetHeight(float value) override;

    void AlignObjects() override;
    void ChildFocusChanged(EventObject *child, bool focus) override;
    void DrawObject() override;

    bool Proc_MouseMove(int x, int y, int flags) override;
    bool Proc_MouseWheel(int x, int y, int wheel, int flags) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseLeftUp(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_KeyRepeat(int key) override;
};
} // namespace hgl::gui
