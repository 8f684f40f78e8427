#include "game/screens/title/NewStartMenu.h"

#include "game/core/Archives.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/ScreenLinks.h"
#include "game/screens/title/VamUnit.h"
#include "game/screens/title/WantExit.h"
#include "game/screens/title/health.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "platform/window/KeyCode.h"

#include <algorithm>

namespace
{
// Buttons lie on a 3200 x 2400 design canvas, the logo and subtitle on one of 1600 x 1200.
constexpr float kButtonGridW = 3200, kButtonGridH = 2400;
constexpr float kGridW = 1600, kGridH = 1200;
constexpr float kButtonTop = 900, kMainLeft = 1114, kExtrasLeft = 409, kButtonGap = 40;
constexpr float kLogoX = 1133, kLogoY = 60, kLogoW = 341, kLogoH = 1056;
constexpr float kSubtitleX = 1029, kSubtitleY = 441, kSubtitleW = 116, kSubtitleH = 698;
constexpr int kLogoLayers = 3;
constexpr int kBallCount = 50;
constexpr int kExtrasSlot = 2; // the main set's slot that switches to the extras

constexpr const hgl::u16char *kTitleMusic = u"BGM33";
const hgl::u16char *const kMainNames[NewStartMenu::kSetSize] = {u"EnterDream", u"BackDream", u"ReDream",
                                                                u"ExitDream"};
const hgl::u16char *const kExtrasNames[NewStartMenu::kSetSize] = {u"Movie", u"WordList", u"Music", u"People"};

hgl::HGP *LoadButtonPicture(const hgl::u16char *name)
{
    hgl::String path(u"StartMenu\\");
    path += hgl::String(name) + u".HGP";
    return new hgl::HGP(avg::GetDataHAC(), path.c_str(), 0, true);
}

void DrawLayerAt(hgl::HGPLayer *layer, float x, float y, float w, float h)
{
    if (!layer || layer->Width <= 0 || layer->Height <= 0) return;
    layer->Draw(x, y, double(w) / layer->Width, double(h) / layer->Height);
}

float Raise(float value)
{
    return std::min(1.0f, value + NewStartMenu::kFadeStep);
}
float Lower(float value)
{
    return std::max(0.0f, value - NewStartMenu::kFadeStep);
}
} // namespace

const hgl::u16char *const NewStartMenu::kExtrasFlag = u"HEXTRA";

NewStartMenu::NewStartMenu(bool first, const avg::GameWiring &w) : first_start(first), wiring(w)
{
    avg::StopScriptSE();

    background = avg::LoadHGP(u"StartMenu\\BackGround.HGP");
    logo = avg::LoadHGP(u"StartMenu\\WordTZE.HGP");
    subtitle = avg::LoadHGP(u"StartMenu\\SecondTitle.HGP");
    control->AddObject(background);
    control->AddObject(logo);
    control->AddObject(subtitle);
    for (int i = 0; i < kSetSize; ++i)
    {
        main_pictures[i] = LoadButtonPicture(kMainNames[i]);
        extras_pictures[i] = LoadButtonPicture(kExtrasNames[i]);
        control->AddObject(main_pictures[i]);
        control->AddObject(extras_pictures[i]);
    }
    for (int i = 0; i < kLogoLayers; ++i)
        if (hgl::HGPLayer *layer = logo->GetLayer(i)) layer->Color.a = 0;

    BuildMainSet();

    OnKeyDown.Bind<&NewStartMenu::OnKey>(this);
    OnMouseRightDown.Bind<&NewStartMenu::OnRightDown>(this);
    OnMouseLeftDown.Unbind();
    OnJoystickDown.Unbind();
    balls = std::make_unique<VamUnitManage>(kBallCount);

    if (!first_start)
        avg::bgm::PlayBGM(kTitleMusic, true);
    else
    {
        // The notice and the logo movie run first; the title waits hidden below.
        SetNextObject(new health(wiring));
        SetObjectState(fosCall);
    }
}

NewStartMenu::~NewStartMenu()
{
    balls.reset();
    button_list.Clear();
}

// ---------------------------------------------------------------- button sets

hgl::gui::TZHGPButton *NewStartMenu::NewButton(hgl::HGP *picture, float x, float y, float &width)
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    width = W * float(picture->Width) / kButtonGridW;
    auto *button = new hgl::gui::TZHGPButton(x, y, width, H * float(picture->Height) / kButtonGridH, picture);
    control->AddObject(button);
    button_list.Add(button);
    return button;
}

void NewStartMenu::BuildMainSet()
{
    // The list owns the buttons: deleting them takes them out of the object control.
    button_list.Clear();
    ForgetExtrasButtons();
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const bool unlocked = avg::GetSystemFlag(kExtrasFlag) != 0;
    float x = W * kMainLeft / kButtonGridW;
    const float y = H * kButtonTop / kButtonGridH;
    for (int i = 0; i < kSetSize; ++i)
    {
        main_buttons[i] = nullptr;
        if (i == kExtrasSlot && !unlocked) continue; // takes no room: exit moves up
        float width;
        main_buttons[i] = NewButton(main_pictures[i], x, y, width);
        main_buttons[i]->SetName(kMainNames[i]);
        main_buttons[i]->SetAlpha(1);
        x -= width + W * kButtonGap / kButtonGridW;
    }
    control->SetFocusObject(main_buttons[0]);
    extras_shown = false;
    if (Idle()) SetMainClicks();
}

void NewStartMenu::BuildExtrasSet()
{
    button_list.Clear();
    ForgetMainButtons();
    extras_shown = true;
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    float x = W * kExtrasLeft / kButtonGridW;
    const float y = H * kButtonTop / kButtonGridH;
    for (int i = 0; i < kSetSize; ++i)
    {
        float width;
        extras_buttons[i] = NewButton(extras_pictures[i], x, y, width);
        extras_buttons[i]->SetName(kExtrasNames[i]);
        extras_buttons[i]->SetAlpha(0);
        x += width + W * kButtonGap / kButtonGridW;
    }
    control->SetFocusObject(extras_buttons[0]);
    if (Idle()) SetExtrasClicks();
}

void NewStartMenu::ForgetMainButtons()
{
    std::fill(std::begin(main_buttons), std::end(main_buttons), nullptr);
}

void NewStartMenu::ForgetExtrasButtons()
{
    std::fill(std::begin(extras_buttons), std::end(extras_buttons), nullptr);
}

void NewStartMenu::SetMainClicks()
{
    if (main_buttons[0]) main_buttons[0]->OnClick.Bind<&NewStartMenu::OnNewGame>(this);
    if (main_buttons[1]) main_buttons[1]->OnClick.Bind<&NewStartMenu::OnLoad>(this);
    if (main_buttons[2]) main_buttons[2]->OnClick.Bind<&NewStartMenu::OnExtras>(this);
    if (main_buttons[3]) main_buttons[3]->OnClick.Bind<&NewStartMenu::OnExit>(this);
}

void NewStartMenu::SetExtrasClicks()
{
    if (extras_buttons[0]) extras_buttons[0]->OnClick.Bind<&NewStartMenu::OnMovies>(this);
    if (extras_buttons[1]) extras_buttons[1]->OnClick.Bind<&NewStartMenu::OnGlossary>(this);
    if (extras_buttons[2]) extras_buttons[2]->OnClick.Bind<&NewStartMenu::OnMusic>(this);
    if (extras_buttons[3]) extras_buttons[3]->OnClick.Bind<&NewStartMenu::OnAlbum>(this);
}

void NewStartMenu::ClearClicks()
{
    for (int i = 0; i < button_list.GetCount(); ++i)
        button_list[i]->OnClick.Unbind();
}

void NewStartMenu::SetCurrentSetAlpha(float value)
{
    for (int i = 0; i < button_list.GetCount(); ++i)
        button_list[i]->SetAlpha(value);
}

// ---------------------------------------------------------------- drawing

void NewStartMenu::Draw()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    DrawBackground(W, H);
    if (DrawLogo(W, H)) DrawSubtitle(W, H);
    if (switching)
    {
        if (switch_to_extras)
            SwitchToExtras();
        else
            SwitchToMain();
    }
    if (fading_in)
        FadeIn(W, H);
    else
        FadeOut(W, H);
}

void NewStartMenu::DrawBackground(float W, float H)
{
    background->SetAlpha(alpha);
    if (alpha <= kBlackBelow)
    {
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1));
        return;
    }
    avg::screen_draw::LayerTo(background, background->FindLayerIndex(u"Back"), 0, 0, W, H);
    balls->Update();
    avg::screen_draw::LayerTo(background, background->FindLayerIndex(u"Front"), 0, 0, W, H);
}

bool NewStartMenu::DrawLogo(float W, float H)
{
    const float x = W * kLogoX / kGridW, y = H * kLogoY / kGridH;
    const float w = W * kLogoW / kGridW, h = H * kLogoH / kGridH;
    if (!first_start)
    {
        for (int i = 0; i < kLogoLayers; ++i)
            if (hgl::HGPLayer *layer = logo->GetLayer(i))
            {
                layer->Color.a = alpha;
                DrawLayerAt(layer, x, y, w, h);
            }
        return true;
    }
    if (alpha < 1) return false;
    // A layer the picture lacks counts as shown, so a damaged logo cannot hold the
    // first start up for good.
    float previous = 1;
    for (int i = 0; i < kLogoLayers; ++i)
    {
        hgl::HGPLayer *layer = logo->GetLayer(i);
        if (!layer)
        {
            previous = 1;
            continue;
        }
        if (i == 0 || previous > kLogoNextAt)
            layer->Color.a = layer->Color.a >= 1 ? 1.0f : layer->Color.a + kFadeStep;
        DrawLayerAt(layer, x, y, w, h);
        previous = layer->Color.a;
    }
    return previous >= 1;
}

void NewStartMenu::DrawSubtitle(float W, float H)
{
    hgl::HGPLayer *layer = subtitle->GetLayer(0);
    if (!first_start)
    {
        if (layer) layer->Color.a = alpha;
    }
    else
    {
        subtitle_alpha = Raise(subtitle_alpha);
        if (layer) layer->Color.a = subtitle_alpha;
        if (subtitle_alpha >= 1)
        {
            // The reveal is over: the main buttons cascade in.
            first_start = false;
            switching = true;
            switch_to_extras = false;
        }
    }
    DrawLayerAt(layer, W * kSubtitleX / kGridW, H * kSubtitleY / kGridH, W * kSubtitleW / kGridW,
                H * kSubtitleH / kGridH);
}

// The buttons of a set leave and come one after another: a button moves only once
// its neighbour (the next existing one up the set) has come far enough.
void NewStartMenu::SwitchToExtras()
{
    if (main_buttons[0] || main_buttons[1] || main_buttons[3])
    {
        hgl::gui::TZHGPButton *reference = nullptr;
        for (int i = kSetSize - 1; i >= 0; --i)
        {
            hgl::gui::TZHGPButton *b = main_buttons[i];
            if (!b) continue;
            b->OnClick.Unbind();
            if (!reference || reference->GetAlpha() < kCascadeAt) b->SetAlpha(Lower(b->GetAlpha()));
            reference = b;
        }
        if (main_buttons[0] && main_buttons[0]->GetAlpha() > 0) return;
        BuildExtrasSet();
    }
    for (int i = kSetSize - 1; i >= 0; --i)
    {
        hgl::gui::TZHGPButton *b = extras_buttons[i];
        b->OnClick.Unbind();
        if (i == kSetSize - 1 || extras_buttons[i + 1]->GetAlpha() > kCascadeAt)
            b->SetAlpha(Raise(b->GetAlpha()));
    }
    if (extras_buttons[0]->GetAlpha() < 1) return;
    SetExtrasClicks();
    switching = false;
}

void NewStartMenu::SwitchToMain()
{
    if (extras_buttons[0])
    {
        for (int i = kSetSize - 1; i >= 0; --i)
        {
            hgl::gui::TZHGPButton *b = extras_buttons[i];
            b->OnClick.Unbind();
            if (i == kSetSize - 1 || extras_buttons[i + 1]->GetAlpha() < kCascadeAt)
                b->SetAlpha(Lower(b->GetAlpha()));
        }
        if (extras_buttons[0]->GetAlpha() > 0) return;
        BuildMainSet();
        SetCurrentSetAlpha(0);
    }
    hgl::gui::TZHGPButton *reference = nullptr;
    for (int i = kSetSize - 1; i >= 0; --i)
    {
        hgl::gui::TZHGPButton *b = main_buttons[i];
        if (!b) continue;
        b->OnClick.Unbind();
        if (!reference || reference->GetAlpha() > kCascadeAt) b->SetAlpha(Raise(b->GetAlpha()));
        reference = b;
    }
    if (main_buttons[0] && main_buttons[0]->GetAlpha() < 1) return;
    SetMainClicks();
    switching = false;
}

void NewStartMenu::FadeIn(float W, float H)
{
    if (!busy) return;
    if (alpha >= 1)
    {
        busy = false;
        fading_in = false;
        // During the first start the cascade that brings the main buttons in sets
        // their closures; a switch sets them when it ends.
        if (first_start || switching) return;
        if (extras_shown)
            SetExtrasClicks();
        else
            SetMainClicks();
        return;
    }
    avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - alpha));
    alpha = Raise(alpha);
    ClearClicks();
    SetCurrentSetAlpha(first_start && !extras_shown ? 0.0f : alpha);
}

void NewStartMenu::FadeOut(float W, float H)
{
    if (!busy) return;
    if (alpha > 0)
    {
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - alpha));
        alpha = Lower(alpha);
        ClearClicks();
        SetCurrentSetAlpha(alpha);
        wait_frames = kWaitFrames;
        return;
    }
    if (--wait_frames > 0) return;
    StartNext();
}

// The screen of the chosen action; without one the title comes back.
void NewStartMenu::StartNext()
{
    const avg::ScreenLinks &links = wiring.links;
    hgl::FlowObject *next = nullptr;
    switch (action)
    {
    case acNewGame:
        next = avg::OpenLinked(links.new_game, u"新游戏", wiring);
        break;
    case acLoad:
        next = avg::OpenLinked(links.load, u"读取存档", wiring);
        break;
    case acMovies:
        next = avg::OpenLinked(links.movies, u"影片欣赏", wiring);
        break;
    case acGlossary:
        next = avg::OpenLinked(links.glossary, u"词汇表");
        break;
    case acMusic:
        next = avg::OpenLinked(links.music, u"音乐欣赏");
        break;
    case acAlbum:
        next = avg::OpenLinked(links.album, u"图片欣赏");
        break;
    default:
        break;
    }
    fading_in = true;
    if (!next)
    {
        if (action == acNewGame) avg::bgm::PlayBGM(kTitleMusic, true);
        return;
    }
    SetNextObject(next);
    SetObjectState(action == acNewGame ? fosReplace : fosCall);
}

void NewStartMenu::ProcReturn(hgl::FlowObject *)
{
    // Only the notice and the logo movie of the first start come back to work here;
    // any other screen comes back to the fade-in its action left pending.
    if (!first_start) return;
    avg::bgm::PlayBGM(kTitleMusic, true);
    for (hgl::gui::TZHGPButton *b : main_buttons)
        if (b) b->SetAlpha(0);
}

// ---------------------------------------------------------------- input

// A click closure stays set until the next frame draws: a second click before it
// must not count.
void NewStartMenu::Choose(int chosen)
{
    action = chosen;
    busy = true;
    ClearClicks();
}

void NewStartMenu::OnNewGame(hgl::gui::Button *)
{
    Choose(acNewGame);
    avg::bgm::StopBGM();
}

void NewStartMenu::OnLoad(hgl::gui::Button *)
{
    Choose(acLoad);
}

void NewStartMenu::OnExtras(hgl::gui::Button *)
{
    switch_to_extras = true;
    switching = true;
    ClearClicks();
}

void NewStartMenu::OnExit(hgl::gui::Button *)
{
    OpenExit();
}

void NewStartMenu::OnMovies(hgl::gui::Button *)
{
    Choose(acMovies);
}

void NewStartMenu::OnGlossary(hgl::gui::Button *)
{
    Choose(acGlossary);
}

void NewStartMenu::OnMusic(hgl::gui::Button *)
{
    Choose(acMusic);
}

void NewStartMenu::OnAlbum(hgl::gui::Button *)
{
    Choose(acAlbum);
}

void NewStartMenu::OpenExit()
{
    SetNextObject(new WantExit);
    SetObjectState(fosPush);
}

bool NewStartMenu::OnKey(int key)
{
    if (busy || switching || first_start) return false;
    if (key == hgl::key::Esc)
    {
        avg::PlaySystemSound(kEscSound, false);
        if (extras_shown)
        {
            switching = true;
            switch_to_extras = false;
        }
        else
            OpenExit();
    }
    return true;
}

bool NewStartMenu::OnRightDown(int, int, int)
{
    if (extras_shown) OnKey(hgl::key::Esc);
    return true;
}
