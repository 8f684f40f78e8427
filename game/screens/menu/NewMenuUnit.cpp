#include "game/screens/menu/NewMenuUnit.h"

#include "game/core/GameResources.h"
#include "game/core/StageManagers.h"
#include "game/screens/ScreenLinks.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/screens/widgets/HGPSelect.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/HGPButton.h"
#include "io/Time.h"
#include "platform/window/KeyCode.h"

#include <algorithm>

namespace avg::menu
{
namespace
{
constexpr float kGridW = 1600, kGridH = 1200;
constexpr float kItemW = 64, kItemH = 300, kItemGap = 40;
// Item i starts once item i - 1 is lower than this (of the item height), and
// rises once item i + 1 is higher than that.
constexpr float kDropNextAt = -0.75f, kRiseNextAt = -0.25f;
// The brackets: arm lengths and thickness, and the marker's drop below the item top.
constexpr float kA = 8, kB = 8, kC = 24, kD = 116, kMarkerDrop = 57;
constexpr float kBreathStep = 0.5f;
constexpr int kFadeLayers = 2; // the item pictures' "Normal" and "Select" layers

const hgl::u16char *const kItemPictures[NewMenuUnit::kItemCount] = {
    u"MenuRes\\ExitGame.HGP", u"MenuRes\\ReturnGame.HGP", u"MenuRes\\Option.HGP",
    u"MenuRes\\Save.HGP",     u"MenuRes\\Load.HGP",       u"MenuRes\\History.HGP"};
const hgl::u16char *const kItemNames[NewMenuUnit::kItemCount] = {u"ExitGame", u"ReturnGame", u"Option",
                                                                 u"Save",     u"Load",       u"History"};

void BlackQuad(float W, float H, float a)
{
    avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, a));
}
} // namespace

NewMenuUnit::NewMenuUnit(const GameWiring &w, GameUnit *game_unit, MessageStage *dialog)
    : wiring(w), game(game_unit), message(dialog), last_time(hgl::GetTime())
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    mx = W / kGridW;
    my = H / kGridH;
    item_w = kItemW * mx;
    item_h = kItemH * my;
    item_gap = kItemGap * mx;
    drop_speed = kDropStep * item_h;
    for (int i = 0; i < kItemCount; ++i)
    {
        pictures[i] = avg::LoadHGP(kItemPictures[i]);
        control->AddObject(pictures[i]);
        item_x[i] = (item_w + item_gap) * float(i) + (W - 6 * item_w - 5 * item_gap) / 2;
        item_y[i] = -item_h;
    }
    flag.reset(avg::LoadTexture2D(u"MenuRes\\Flag.TEX", 0));
}

NewMenuUnit::~NewMenuUnit() = default;

// ---------------------------------------------------------------- drawing

void NewMenuUnit::Draw()
{
    const hgl::uint64 now = hgl::GetTime();
    elapsed = now - last_time;
    last_time = now;
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());

    BlackQuad(W, H, kDim);
    if (!items_ready)
        DropIn();
    else if (raising)
        Rise();
    if (selected >= 0 && buttons[selected]) DrawMarker();
    if (fade_requested)
    {
        if (!called)
            CloseFade(W, H);
        else
            FadeBack(W, H);
    }
    if (alpha < 0.2f) BlackQuad(W, H, 1);
}

void NewMenuUnit::DrawItem(int i)
{
    hgl::HGP *picture = pictures[i];
    int layer = picture->FindLayerIndex(i == selected ? u"Select" : u"Normal");
    if (layer < 0) layer = 0;
    hgl::HGPLayer *l = picture->GetLayer(layer);
    if (!l || l->Width <= 0 || l->Height <= 0) return;
    l->Draw(item_x[i], item_y[i], double(item_w) / l->Width, double(item_h) / l->Height);
}

void NewMenuUnit::DropIn()
{
    bool all_down = true;
    for (int i = 0; i < kItemCount; ++i)
    {
        if (i == 0 || item_y[i - 1] > kDropNextAt * item_h)
            item_y[i] = std::min(0.0f, item_y[i] + drop_speed);
        DrawItem(i);
        if (item_y[i] < 0) all_down = false;
    }
    if (!all_down) return;
    CreateButtons();
    dropping = false;
}

void NewMenuUnit::CreateButtons()
{
    for (int i = 0; i < kItemCount; ++i)
    {
        auto *b = new hgl::gui::HGPButton(item_x[i], item_y[i], item_w, item_h, pictures[i]);
        b->Index = i;
        b->SetName(kItemNames[i]);
        b->OnFocusChange.Bind<&NewMenuUnit::ItemFocused>(this);
        control->AddObject(b);
        buttons[i] = b;
    }
    SetClicks();
    items_ready = true;
    control->SetFocusObject(buttons[0]);
    ItemFocused(buttons[0], true);
}

void NewMenuUnit::SetClicks()
{
    buttons[itTitle]->OnClick.Bind<&NewMenuUnit::ConfirmTitle>(this);
    buttons[itReturn]->OnClick.Bind<&NewMenuUnit::OnReturn>(this);
    buttons[itOption]->OnClick.Bind<&NewMenuUnit::OpenOption>(this);
    buttons[itSave]->OnClick.Bind<&NewMenuUnit::SelectSave>(this);
    buttons[itLoad]->OnClick.Bind<&NewMenuUnit::SelectLoad>(this);
    buttons[itHistory]->OnClick.Bind<&NewMenuUnit::OpenHistory>(this);
}

void NewMenuUnit::ClearClicks()
{
    for (hgl::gui::HGPButton *b : buttons)
        if (b) b->OnClick.Unbind();
}

void NewMenuUnit::Rise()
{
    bool all_up = true;
    for (int i = 0; i < kItemCount; ++i)
    {
        if (i == kItemCount - 1 || item_y[i + 1] < kRiseNextAt * item_h)
            item_y[i] = std::max(-item_h, item_y[i] - drop_speed);
        DrawItem(i);
        if (item_y[i] > -item_h) all_up = false;
    }
    if (all_up) SetObjectState(fosReturn);
}

void NewMenuUnit::ItemFocused(hgl::EventObject *object, bool focus)
{
    auto *button = dynamic_cast<hgl::gui::HGPButton *>(object);
    if (!focus || !button || button->Index == selected) return;
    selected = button->Index;
    marker_left = button->Left;
    marker_top = button->Top + kMarkerDrop * my;
    marker_width = button->Width;
    marker_height = button->Height - kMarkerDrop * my;
    marker_direction = false;
    marker_counter = kMarkerFrames;
}

void NewMenuUnit::DrawMarker()
{
    if (marker_counter == 0)
    {
        marker_direction = !marker_direction;
        marker_counter = kMarkerFrames;
    }
    else
        --marker_counter;
    const float sign = marker_direction ? 1.0f : -1.0f;
    marker_left += sign * kBreathStep;
    marker_width -= sign * 2 * kBreathStep;
    if (!flag) return;

    const float a = kA * mx, b = kB * my, c = kC * mx, d = kD * my;
    const float L = marker_left, T = marker_top, Wm = marker_width, Hm = marker_height;
    flag->Color = hgl::Color4f(1, 1, 1, 1);
    const hgl::Point2f quads[4][4] = {
        {{L - a, T - b}, {L - a + c, T - b}, {L - a + c, T}, {L, T}},
        {{L - a, T - b}, {L, T}, {L, T + d - b}, {L - a, T + d - b}},
        {{L + Wm, T + Hm}, {L + Wm + a, T + Hm + b}, {L + Wm + a - c, T + Hm + b}, {L + Wm + a - c, T + Hm}},
        {{L + Wm, T + Hm}, {L + Wm, T + Hm + b - d}, {L + Wm + a, T + Hm + b - d}, {L + Wm + a, T + Hm + b}}};
    const hgl::Point2f uv[4][4] = {{{0, 1}, {0, 0}, {1, 0}, {1, 1}},
                                   {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
                                   {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
                                   {{0, 1}, {0, 0}, {1, 0}, {1, 1}}};
    for (int q = 0; q < 4; ++q)
        avg::screen_draw::TexQuad(flag.get(), quads[q], uv[q]);
}

void NewMenuUnit::SetItemAlpha(float value)
{
    for (hgl::HGP *picture : pictures)
        for (int l = 0; l < kFadeLayers; ++l)
            if (hgl::HGPLayer *layer = picture->GetLayer(l)) layer->Color.a = value;
}

void NewMenuUnit::CloseFade(float W, float H)
{
    if (alpha > 0)
    {
        BlackQuad(W, H, 1 - alpha);
        alpha = std::max(0.0f, alpha - kFadeStep);
        ClearClicks();
        SetItemAlpha(alpha);
        wait = kWaitFrames;
        return;
    }
    if (--wait > 0) return;
    const ScreenLinks &links = wiring.links;
    hgl::FlowObject *next = result == itSave ? OpenLinked(links.save, u"保存存档", game)
                                             : OpenLinked(links.load, u"读取存档", wiring);
    // Without the screen the menu simply comes back.
    called = true;
    if (!next) return;
    SetNextObject(next);
    SetObjectState(fosCall);
}

void NewMenuUnit::FadeBack(float W, float H)
{
    if (alpha < 1.0f)
    {
        BlackQuad(W, H, 1 - alpha);
        alpha = std::min(1.0f, alpha + kFadeStep);
        ClearClicks();
        SetItemAlpha(alpha);
        return;
    }
    SetClicks();
    called = false;
    fade_requested = false;
}

// ---------------------------------------------------------------- input

void NewMenuUnit::ProcReturn(hgl::FlowObject *)
{
    confirm = nullptr;
}

bool NewMenuUnit::Proc_MouseRightDown(int, int, int)
{
    return Proc_KeyDown(hgl::key::Esc);
}

bool NewMenuUnit::Proc_KeyDown(int key)
{
    // Nothing moves the menu while its items drop in or it fades for save or load.
    if (dropping || fade_requested) return true;
    if (key != hgl::key::Esc) return hgl::FlowObject::Proc_KeyDown(key);
    raising = true;
    for (hgl::gui::HGPButton *b : buttons)
        if (b)
        {
            b->OnClick.Unbind();
            b->OnFocusChange.Unbind();
            b->SetVisible(false);
        }
    selected = -1;
    return true;
}

void NewMenuUnit::OnReturn(hgl::gui::Button *)
{
    Proc_KeyDown(hgl::key::Esc);
}

void NewMenuUnit::ConfirmTitle(hgl::gui::Button *)
{
    confirm = new HGPSelect(u"SystemSelect\\Frame.HGP", u"SystemSelect\\s2.HGP", u"SystemSelect\\f2.HGP", 0);
    confirm->OnResult.Bind<&NewMenuUnit::ReturnToTitle>(this);
    SetNextObject(confirm);
    SetObjectState(fosPush);
}

void NewMenuUnit::OpenOption(hgl::gui::Button *)
{
    hgl::FlowObject *next = OpenLinked(wiring.links.options, u"游戏设置", game, message);
    if (!next) return;
    SetNextObject(next);
    SetObjectState(fosPush);
}

// The fade takes the click closures away from the next frame on; a second click
// before it must not count.
void NewMenuUnit::SelectSave(hgl::gui::Button *)
{
    result = itSave;
    fade_requested = true;
    ClearClicks();
}

void NewMenuUnit::SelectLoad(hgl::gui::Button *)
{
    result = itLoad;
    fade_requested = true;
    ClearClicks();
}

void NewMenuUnit::OpenHistory(hgl::gui::Button *)
{
    if (!message || message->GetMessageCount() < 1) return;
    hgl::FlowObject *next = OpenLinked(wiring.links.history, u"历史记录", message);
    if (!next) return;
    SetNextObject(next);
    SetObjectState(fosPush);
}

void NewMenuUnit::ReturnToTitle(int answer)
{
    if (answer != 1 || !confirm) return;
    // Pushed over the question, whose own return this replaces: the fade covers
    // the game, the menu and the question together.
    confirm->SetNextObject(new OnlyForNewMenu(new NewStartMenu(false, wiring)));
    confirm->SetObjectState(fosPush);
}

// ---------------------------------------------------------------- OnlyForNewMenu

OnlyForNewMenu::OnlyForNewMenu(hgl::FlowObject *next_screen) : next(next_screen) {}

OnlyForNewMenu::~OnlyForNewMenu()
{
    delete next;
}

void OnlyForNewMenu::Draw()
{
    BlackQuad(float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()), alpha);
    if (alpha >= 1.0f && next)
    {
        SetNextObject(next);
        next = nullptr;
        SetObjectState(fosClear);
    }
    alpha += kFadeStep;
}
} // namespace avg::menu
