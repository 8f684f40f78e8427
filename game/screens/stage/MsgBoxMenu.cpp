#include "game/screens/stage/MsgBoxMenu.h"

#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/GameResources.h"
#include "game/core/GameUnit.h"
#include "game/screens/widgets/HGPSelect.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/HGPButton.h"

#include <algorithm>

namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kPostInset = 26, kPostWidth = 8;     // design pixels
constexpr float kItemTop[] = {39, 123}, kItemH = 64; // design pixels
constexpr float kPointerSize = 32;                   // design pixels
constexpr float kPointerStep = 0.4f, kPointerReach = -10;

const hgl::u16char *const kItemPicture[] = {u"option\\AutoPass.HGP", u"option\\AutoPlay.HGP"};
const hgl::u16char *const kQuestion[] = {u"option\\GotoAutoPass.HGP", u"option\\GotoAutoPlay.HGP"};
const hgl::u16char *const kYes = u"SystemSelect\\s2.HGP";
const hgl::u16char *const kNo = u"SystemSelect\\f2.HGP";
const hgl::u16char *const kItemName[] = {u"AutoPass", u"AutoPlay"};
} // namespace

MsgBoxMenu::MsgBoxMenu(float l, float t, float w, float h, avg::GameUnit *unit)
    : frame(avg::LoadTexture2D(u"MessageBox\\MsgFrame.TEX", 0)),
      pointer(avg::LoadTexture2D(u"option\\EZFlag.TEX", 0)), left(l), top(t), width(w), height(h),
      sx(float(hgl::GetCanvasWidth()) / kDesignW), sy(float(hgl::GetCanvasHeight()) / kDesignH),
      post_inset(kPostInset * sx), post_width(kPostWidth * sx), post_height(h - post_width), start_top(t),
      game(unit)
{
    for (int i = 0; i < ItemCount; ++i)
    {
        pictures[i] = avg::LoadHGP(kItemPicture[i]);
        control->AddObject(pictures[i]);
    }
}

MsgBoxMenu::~MsgBoxMenu() = default;

hgl::gui::HGPButton *MsgBoxMenu::GetButton(int item) const
{
    return item >= 0 && item < ItemCount ? buttons[item] : nullptr;
}

// Down to the canvas top while opening; back into the button once closing, and
// then the menu is over.
void MsgBoxMenu::Slide()
{
    if (opening)
    {
        top = std::min(top + kSlideStep, 0.0f);
        return;
    }
    top -= kSlideStep;
    if (top > start_top) return;
    top = start_top;
    SetObjectState(fosReturn);
}

void MsgBoxMenu::DrawFrame()
{
    auto quad = [this](float x0, float y0, float x1, float y1, float v0, float v1)
    {
        const hgl::Point2f corner[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
        const hgl::Point2f uv[4] = {{0, v0}, {1, v0}, {1, v1}, {0, v1}};
        avg::screen_draw::TexQuad(frame.get(), corner, uv);
    };
    quad(left + post_inset, top, left + post_inset + post_width, top + post_height, 0, 0.5f);
    quad(left + width - post_inset - post_width, top, left + width - post_inset, top + post_height, 0, 0.5f);
    quad(left, top + post_height, left + width, top + height, 0.5f, 1);
}

void MsgBoxMenu::Build()
{
    built = true;
    for (int i = 0; i < ItemCount; ++i)
    {
        auto *button = new hgl::gui::HGPButton(left, kItemTop[i] * sy, width, kItemH * sy, avg::GetDataHAC(),
                                               kItemPicture[i]);
        button->SetName(kItemName[i]);
        button->Index = i;
        button->OnClick.Bind<&MsgBoxMenu::Ask>(this);
        button->OnFocusChange.Bind<&MsgBoxMenu::PlacePointer>(this);
        buttons[i] = button;
        control->AddObject(button);
    }
    buttons[AutoPass]->SetFocus(true);
    OnMouseMove.Bind<&MsgBoxMenu::CloseTest>(this);
}

// To the left and back, as the choice menu's pointer does.
void MsgBoxMenu::StepPointer()
{
    if (pointer_moving_left)
    {
        pointer_offset -= kPointerStep;
        if (pointer_offset <= kPointerReach) pointer_moving_left = false;
    }
    else
    {
        pointer_offset += kPointerStep;
        if (pointer_offset >= 0) pointer_moving_left = true;
    }
}

void MsgBoxMenu::Draw()
{
    Slide();
    DrawFrame();
    if (!built)
        for (int i = 0; i < ItemCount; ++i)
            avg::screen_draw::PictureTo(pictures[i], left, top + kItemTop[i] * sy, width, kItemH * sy);
    if (opening && top == 0 && !built) Build();
    if (!built || !pointer) return;
    StepPointer();
    const float x = pointer_x + pointer_offset, w = kPointerSize * sx, h = kPointerSize * sy;
    const hgl::Point2f corner[4] = {
        {x, pointer_y}, {x + w, pointer_y}, {x + w, pointer_y + h}, {x, pointer_y + h}};
    const hgl::Point2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    pointer->Color.a = 1;
    avg::screen_draw::TexQuad(pointer.get(), corner, uv);
}

void MsgBoxMenu::PlacePointer(hgl::EventObject *object, bool focus)
{
    if (!focus) return;
    const auto *button = static_cast<const hgl::gui::HGPButton *>(object);
    pointer_y = button->Top + (button->Height - kPointerSize * sy) / 2;
    pointer_x = left - kPointerSize * sx;
}

bool MsgBoxMenu::CloseTest(int x, int y, int)
{
    if (float(x) >= left && float(x) <= left + width && float(y) <= height) return false;
    opening = false;
    built = false;
    for (hgl::gui::HGPButton *button : buttons)
        if (button) button->SetVisible(false);
    return true;
}

void MsgBoxMenu::Ask(hgl::gui::Button *button)
{
    if (!opening || button->Index < 0 || button->Index >= ItemCount) return;
    asked = button->Index;
    auto *dialog = new HGPSelect(kQuestion[asked], kYes, kNo, 0);
    dialog->OnResult.Bind<&MsgBoxMenu::Answer>(this);
    SetNextObject(dialog);
    SetObjectState(fosPush);
}

void MsgBoxMenu::Answer(int yes)
{
    const int item = asked;
    asked = -1;
    if (!yes || !game) return;
    if (item == AutoPass)
        game->SkipOn();
    else if (item == AutoPlay)
    {
        avg::config::graphics_config.AutoContinue = 1;
        game->AutoContinue = true;
    }
}
