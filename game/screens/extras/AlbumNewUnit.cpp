#include "game/screens/extras/AlbumNewUnit.h"

#include "game/core/Archives.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

#include <algorithm>

namespace
{
constexpr int kKeyEsc = 1;
constexpr float kDesignW = 1600, kDesignH = 1200;
// The two columns of buttons on the design canvas.
constexpr float kLeft = 98, kTop = 159, kStepX = 752, kStepY = 199, kButtonW = 652, kButtonH = 181;
constexpr float kFrameMargin = 13;

void Black(float alpha)
{
    avg::screen_draw::FlatRect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()),
                               hgl::Color4f(0, 0, 0, alpha));
}
} // namespace

const hgl::u16char *const AlbumNewUnit::kScripts[kCharacters] = {u"DX.CPP", u"MY.CPP", u"DY.CPP", u"QW.CPP",
                                                                 u"BC.CPP", u"XR.CPP", u"XY.CPP", u"BJ.CPP",
                                                                 u"QT.CPP", u"QG.CPP"};

AlbumNewUnit::AlbumNewUnit()
{
    sx = float(hgl::GetCanvasWidth()) / kDesignW;
    sy = float(hgl::GetCanvasHeight()) / kDesignH;

    background = avg::LoadHGP(u"DreamChar\\Background.HGP");
    control->AddObject(background);
    frame_texture.reset(avg::LoadTexture2D(u"DreamChar\\Select.TEX", 0));

    for (int i = 0; i < kCharacters; ++i)
    {
        hgl::String name;
        name.Sprintf(i < 10 ? u"DreamChar\\Char0%d.HGP" : u"DreamChar\\Char%d.HGP", i);
        const int c = i % 2, r = i / 2;
        auto *button =
            new hgl::gui::TZHGPButton((kLeft + kStepX * float(c)) * sx, (kTop + kStepY * float(r)) * sy,
                                      kButtonW * sx, kButtonH * sy, avg::GetDataHAC(), name.c_str());
        button->Index = i;
        button->OnClick.Bind<&AlbumNewUnit::CharacterClick>(this);
        button->OnFocusChange.Bind<&AlbumNewUnit::FocusChange>(this);
        buttons[i] = button;
        button->SetAlpha(fade);
        control->AddObject(button);
        if (i == 0)
        {
            control->SetFocusObject(button);
            current = 0;
        }
    }

    FlowObject::OnMouseRightDown.Bind<&AlbumNewUnit::RightDown>(this);
    FlowObject::OnKeyDown.Bind<&AlbumNewUnit::KeyDown>(this);
}

AlbumNewUnit::~AlbumNewUnit() = default;

bool AlbumNewUnit::KeyDown(int key)
{
    if (busy || key != kKeyEsc) return false;
    leaving = true;
    return true;
}

bool AlbumNewUnit::RightDown(int, int, int)
{
    return KeyDown(kKeyEsc);
}

void AlbumNewUnit::CharacterClick(hgl::gui::Button *button)
{
    const int index = button->Index;
    if (index < 0 || index >= kCharacters) return;
    avg::PlaySystemSound(kClickSound, false);
    selected = kScripts[index];
    leaving = true;
}

void AlbumNewUnit::FocusChange(hgl::EventObject *object, bool focus)
{
    auto *button = static_cast<hgl::gui::TZHGPButton *>(object);
    if (!focus || button->Index == current) return;
    frame.Place(button->Left, button->Top, button->Width, button->Height);
    current = button->Index;
}

void AlbumNewUnit::ProcReturn(hgl::FlowObject *)
{
    hgl::draw::SetClearColor(hgl::Color4f(0.5f, 0.5f, 0.5f, 1));
}

void AlbumNewUnit::SetButtons(float alpha, bool clickable)
{
    for (hgl::gui::TZHGPButton *button : buttons)
    {
        button->SetAlpha(alpha);
        if (clickable)
            button->OnClick.Bind<&AlbumNewUnit::CharacterClick>(this);
        else
            button->OnClick.Unbind();
    }
}

void AlbumNewUnit::Draw()
{
    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    if (fade > 0)
        avg::screen_draw::PictureTo(background, 0, 0, w, h);
    else
        Black(1);

    frame.Pulse();
    const float m = kFrameMargin * sx, n = kFrameMargin * sy;
    frame.Draw(frame_texture.get(), fade, m, n, m, n, avg::AlbumFrame::kCornerW * sx,
               avg::AlbumFrame::kCornerH * sy);

    if (!leaving)
    {
        if (fade >= 1)
        {
            busy = false;
            for (hgl::gui::TZHGPButton *button : buttons)
                button->OnClick.Bind<&AlbumNewUnit::CharacterClick>(this);
            return;
        }
        Black(1 - fade);
        fade += kFadeStep;
        busy = true;
        SetButtons(fade, false);
        return;
    }
    if (fade > 0)
    {
        Black(1 - fade);
        fade -= kFadeStep;
        busy = true;
        SetButtons(std::max(fade, 0.0f), false);
        open_countdown = kOpenFrames;
        return;
    }
    if (selected.IsEmpty())
    {
        SetObjectState(fosReturn);
        busy = false;
        return;
    }
    if (--open_countdown > 0) return;
    SetNextObject(new AlbumNewCG(selected.c_str(), false));
    SetObjectState(fosCall);
    selected = hgl::String();
    leaving = false;
}
