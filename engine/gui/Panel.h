#pragma once
// hgl::gui::Panel: a container of widgets with an optional frame drawn under its
// children: pfmNone none, pfmOutline an outline, pfmFilled a filled background
// with an outline.
#include "gui/DrawnControl.h"

namespace hgl::gui
{
enum PanelFrameMode
{
    pfmNone = 0,
    pfmOutline = 1,
    pfmFilled = 2,
};

class Panel : public DrawnControl
{
    int frame_mode = pfmOutline;

  public:
    Panel(float l, float t, float w, float h);
    ~Panel() override = default;

    // An unknown mode is refused with a log line.
    void SetFrameMode(int mode);
    int GetFrameMode() const { return frame_mode; }

    void Draw() override;
};
} // namespace hgl::gui
