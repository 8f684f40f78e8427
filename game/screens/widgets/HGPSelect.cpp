#include "game/screens/widgets/HGPSelect.h"

#include "game/core/Archives.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "gui/HGPButton.h"

namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kButtonSize = 64, kButtonTop = 80; // design pixels
constexpr float kYesAt = 0.25f, kNoAt = 0.75f;     // of the form's width
constexpr int kOpenSound = 9, kYesSound = 11, kNoSound = 12;
} // namespace

HGPSelect::HGPSelect(const hgl::u16char *question_name, const hgl::u16char *yes_name,
                     const hgl::u16char *no_name, int tag_value)
    : tag(tag_value), question(avg::LoadHGP(question_name ? question_name : u""))
{
    control->AddObject(question);
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    form_w = float(question->Width) * W / kDesignW;
    form_h = float(question->Height) * H / kDesignH;
    form = new KQ7Form(int((W - form_w) / 2), int((H - form_h) / 2), int(form_w), int(form_h));
    control->AddObject(form);

    const float bw = kButtonSize * W / kDesignW, bh = kButtonSize * H / kDesignH,
                top = kButtonTop * H / kDesignH;
    yes_button = new hgl::gui::HGPButton(form->Width * kYesAt - bw / 2, top, bw, bh, avg::GetDataHAC(),
                                         yes_name ? yes_name : u"");
    yes_button->SetName(u"yes");
    yes_button->OnClick.Bind<&HGPSelect::OnYes>(this);
    form->AddObject(yes_button);

    no_button = new hgl::gui::HGPButton(form->Width * kNoAt - bw / 2, top, bw, bh, avg::GetDataHAC(),
                                        no_name ? no_name : u"");
    no_button->SetName(u"no");
    no_button->OnClick.Bind<&HGPSelect::OnNo>(this);
    form->AddObject(no_button);
    no_button->SetFocus(true);

    OnResult = {};
    avg::PlaySystemSound(kOpenSound, false);
}

void HGPSelect::Draw()
{
    avg::screen_draw::DimCanvas(dim);
    if (double(dim) < kDimLimit) dim += kDimStep;
    avg::screen_draw::PictureTo(question, form->Left, form->Top, form->Width, form->Height);
}

void HGPSelect::OnYes(hgl::gui::Button *)
{
    SetObjectState(fosReturn);
    avg::PlaySystemSound(kYesSound, false);
    if (OnResult) OnResult(1);
}

void HGPSelect::OnNo(hgl::gui::Button *)
{
    SetObjectState(fosReturn);
    avg::PlaySystemSound(kNoSound, false);
    if (OnResult) OnResult(0);
}
