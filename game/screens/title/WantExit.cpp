#include "game/screens/title/WantExit.h"

#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"

#include <algorithm>

namespace
{
// The panel and its buttons are laid out on a 3200 x 2400 design canvas (the
// panel's own size on one of 1600 x 1200).
constexpr float kPanelLeft = 40.0f / 1600, kPanelTop = 1195.0f / 2400;
constexpr float kPanelScaleW = 1.0f / 1600, kPanelScaleH = 1.0f / 1200;
constexpr float kButtonW = 218.0f / 3200, kButtonH = 193.0f / 2400;
constexpr float kButtonRise = 30.0f / 2400; // the buttons' top above the panel's bottom
constexpr int kEsc = 1;
} // namespace

WantExit::WantExit() : panel(avg::LoadHGP(u"StartMenu\\ExitBack.HGP"))
{
    control->AddObject(panel);
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    panel_left = kPanelLeft * W;
    panel_top = kPanelTop * H;
    panel_width = float(panel->Width) * W * kPanelScaleW;
    panel_height = float(panel->Height) * H * kPanelScaleH;

    const float bw = kButtonW * W, bh = kButtonH * H;
    const float top = panel_top + panel_height - kButtonRise * H;
    yes_button = new hgl::gui::TZHGPButton(panel_left + panel_width / 3 - bw / 2, top, bw, bh,
                                           avg::GetDataHAC(), u"StartMenu\\ExitYes.HGP");
    no_button = new hgl::gui::TZHGPButton(panel_left + 2 * panel_width / 3 - bw / 2, top, bw, bh,
                                          avg::GetDataHAC(), u"StartMenu\\ExitNo.HGP");
    yes_button->SetName(u"yes");
    no_button->SetName(u"no");
    yes_button->OnClick.Bind<&WantExit::OnYes>(this);
    no_button->OnClick.Bind<&WantExit::OnNo>(this);
    yes_button->SetAlpha(0);
    no_button->SetAlpha(0);
    control->AddObject(yes_button);
    control->AddObject(no_button);
    control->SetFocusObject(no_button);

    OnKeyDown.Bind<&WantExit::OnKey>(this);
    OnMouseRightDown.Bind<&WantExit::OnRightDown>(this);
    OnMouseLeftDown.Unbind();
}

WantExit::~WantExit() = default;

void WantExit::OnYes(hgl::gui::Button *)
{
    exiting = true;
}

void WantExit::OnNo(hgl::gui::Button *)
{
    SetObjectState(fosReturn);
}

bool WantExit::OnKey(int key)
{
    if (key != kEsc) return false;
    SetObjectState(fosReturn);
    return true;
}

bool WantExit::OnRightDown(int, int, int)
{
    return OnKey(kEsc);
}

void WantExit::SetPanelAlpha(float alpha)
{
    panel->SetAlpha(alpha);
    yes_button->SetAlpha(alpha);
    no_button->SetAlpha(alpha);
}

void WantExit::Draw()
{
    avg::screen_draw::DimCanvas(dim);
    // Steps of 0.025 add up to a hair under 0.7: one more would overshoot it.
    if (dim < kDimLimit) dim = std::min(dim + kDimStep, kDimLimit);

    if (!exiting)
        SetPanelAlpha(dim / kDimLimit);
    else
    {
        const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - exit_fade));
        SetPanelAlpha(exit_fade);
        exit_fade -= kExitStep;
    }

    avg::screen_draw::PictureTo(panel, panel_left, panel_top, panel_width, panel_height);

    if (exiting && exit_fade <= 0)
    {
        SetObjectState(fosExit);
        exiting = false;
    }
}
