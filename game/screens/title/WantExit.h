#pragma once
// The exit confirmation, pushed over the title, which goes on being drawn below
// it. It darkens the title, fades in a panel with a yes and a no button, closes
// on no, Esc or a right click, and on yes fades everything to black and ends the
// program. The no button has the focus.
#include "framework/FlowObject.h"

namespace hgl
{
class HGP;
namespace gui
{
class Button;
class TZHGPButton;
} // namespace gui
} // namespace hgl

class WantExit : public hgl::FlowObject
{
    float dim = 0;        // how much the screen below is darkened
    float exit_fade = 1;  // 1 .. 0 once yes was chosen
    bool exiting = false; // yes was chosen
    hgl::HGP *panel;      // "StartMenu\ExitBack.HGP", held by the object control
    hgl::gui::TZHGPButton *yes_button, *no_button;
    float panel_left, panel_top, panel_width, panel_height;

    void OnYes(hgl::gui::Button *);
    void OnNo(hgl::gui::Button *);
    bool OnKey(int key);
    bool OnRightDown(int x, int y, int flags);
    void SetPanelAlpha(float alpha);

  public:
    static constexpr float kDimLimit = 0.7f, kDimStep = 0.025f;
    static constexpr float kExitStep = 0.02f;

    WantExit();
    ~WantExit() override;

    void Draw() override;

    float GetDim() const { return dim; }
    float GetExitFade() const { return exit_fade; }
    bool IsExiting() const { return exiting; }
    hgl::HGP *GetPanel() const { return panel; }
    hgl::gui::TZHGPButton *GetYesButton() const { return yes_button; }
    hgl::gui::TZHGPButton *GetNoButton() const { return no_button; }
};
