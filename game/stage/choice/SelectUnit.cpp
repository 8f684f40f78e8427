#include "game/stage/choice/SelectUnit.h"

#include "core/Log.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/core/GameState.h"
#include "game/core/GameUnit.h"
#include "game/core/GameValue.h"
#include "game/stage/choice/KQ7Button.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"
#include "gui/DrawnControl.h"
#include "platform/window/KeyCode.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>
#include <cmath>

namespace avg
{
namespace
{
constexpr int kOpenSound = 6, kPickSound = 8;
// The menu sits this far (on a 768-line canvas) above the bottom, under five rows.
constexpr float kBottomMargin = 30, kBaseHeight = 768;
constexpr float kRows = 5, kFrameGaps = 8, kMenuGaps = 3;
// The pointer beside the highlight and the seen mark: 32 x 32 on a 1600 x 1200 canvas.
constexpr float kFlagSize = 32, kFlagBaseW = 1600, kFlagBaseH = 1200;
constexpr float kFlagStep = 0.4f, kFlagReach = -10;
// Character heights of the two fonts, as shares of the canvas height, for when the
// shared fonts are not there.
constexpr float kTextShare = 0.04f, kLargeShare = 0.0533333f;
// The highlight bar's texture: its top quarter makes the top and bottom bands, the
// right part of the rest the middle.
constexpr float kBandRows = 0.25f, kMiddleColumn = 0.6f;

const hgl::Color4f kShadow{1, 1, 1, 1}, kText{0, 0, 0, 1}, kFocus{2 / 255.0f, 240 / 255.0f, 240 / 255.0f, 1};
const hgl::u16char kHidden[] = u" ";

struct Metrics
{
    float h, g; // character height and line gap
};

Metrics FontMetrics(hgl::TileFont *font, float share)
{
    if (font) return {float(font->CharHeight), float(font->LineGap)};
    const float h = float(std::max(1L, std::lround(share * float(hgl::GetCanvasHeight()))));
    return {h, float(std::max(1L, std::lround(h / 10)))};
}

// A part of a texture (u0, v0)-(u1, v1) over the rectangle (x0, y0)-(x1, y1).
void DrawPart(hgl::Texture2D *texture, float alpha, float x0, float y0, float x1, float y1, float u0,
              float v0, float u1, float v1)
{
    if (!texture || x1 <= x0 || y1 <= y0) return;
    texture->Color = hgl::Color4f(1, 1, 1, alpha);
    texture->BlendMode = hgl::BlendMode::Normal;
    const hgl::Point2f corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    const hgl::Point2f coords[4] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
    texture->DrawQuad(corners, coords);
}

int JoystickKey(int button)
{
    switch (button)
    {
    case 1:
        return hgl::key::Up;
    case 2:
        return hgl::key::Down;
    case 3:
        return hgl::key::Left;
    case 4:
        return hgl::key::Right;
    case 6:
        return hgl::key::Enter;
    default:
        return 0;
    }
}

const hgl::u16char *Text(const hgl::u16char *text)
{
    return text ? text : u"";
}
} // namespace

// The buttons' holder: its own drawing, under the buttons, is the menu's frame,
// highlight and pointer.
class SelectUnit::Menu : public hgl::gui::DrawnControl
{
    SelectUnit &unit;

  public:
    explicit Menu(SelectUnit &u) : unit(u) {}
    void Draw() override { unit.DrawMenu(); }
};

SelectUnit::SelectUnit(GameUnit *g, GameStateControl *s, GameValue *v, hgl::DevilEngine *e)
    : state(s), values(v), engine(e), game(g), menu(std::make_unique<Menu>(*this))
{
    RegisterScript(engine);
    const Metrics text = FontMetrics(TextFont, kTextShare);
    const float canvas_h = float(hgl::GetCanvasHeight());
    menu->SetPosition(0, canvas_h - kRows * text.h - kMenuGaps * text.g -
                             kBottomMargin * (canvas_h / kBaseHeight));
}

SelectUnit::~SelectUnit()
{
    // The buttons call back into this menu when their focus changes: they go first.
    menu.reset();
}

void SelectUnit::RegisterScript(hgl::DevilEngine *e)
{
    if (!e) return;
    static constexpr hgl::ScriptFunction<SelectUnit> kFunctions[] = {
        {u"void SELECT(string,int)", hgl::Bind<&SelectUnit::SELECT>},
        {u"void SELDT(string)", hgl::Bind<&SelectUnit::SELDT>},
        {u"void SELDT_Switch(string,string,string,string)", hgl::Bind<&SelectUnit::SELDT_Switch>},
        {u"void SWITCH(string,int)", hgl::Bind<&SelectUnit::SWITCH>},
        {u"void CaseGoto(int,string)", hgl::Bind<&SelectUnit::CaseGoto>},
    };
    hgl::MapFunctions(*e, this, kFunctions);
}

void SelectUnit::LoadPictures()
{
    if (pictures_tried) return;
    pictures_tried = true;
    seen_mark.reset(LoadTexture2D(u"option\\ReadFlag.TEX", 0));
    frame.reset(LoadTexture2D(u"MessageBox\\DlgFrame.TEX", 0));
    bar.reset(LoadTexture2D(u"option\\SelectButtonBack.TEX", 0));
    flag.reset(LoadTexture2D(u"option\\EZFlag.TEX", 0));
}

void SelectUnit::SetAlpha(float value)
{
    ChoiceStage::SetAlpha(value);
    menu->SetAlpha(value);
    for (KQ7Button *button : buttons)
        button->Theme.SetAlpha(value);
}

void SelectUnit::Clear()
{
    menu->Clear();
    buttons.clear();
    options.Clear();
    pending = -1;
    highlight_seen = false;
}

KQ7Button *SelectUnit::GetFocusButton() const
{
    const auto at = std::find(buttons.begin(), buttons.end(), menu->GetFocusObject());
    return at == buttons.end() ? nullptr : *at;
}

hgl::RectScope2<float> SelectUnit::GetMenuRect() const
{
    return {menu->Left.Get(), menu->Top.Get(), menu->Width.Get(), menu->Height.Get()};
}

// ---------------------------------------------------------------- script functions

void SelectUnit::SELECT(const hgl::u16char *name, int count)
{
    variable = Text(name);
    expected = count;
    if (count > kMaxOptions)
    {
        hgl::PutError(u"选择项<%s>的选项数<%d>超过%d个，按%d个处理", variable.c_str(), count, kMaxOptions,
                      kMaxOptions);
        expected = kMaxOptions;
    }
    else if (count < 1)
        hgl::PutError(u"选择项<%s>的选项数<%d>不正确，不会打开", variable.c_str(), count);
    Clear();
}

void SelectUnit::AddOption(const hgl::u16char *text)
{
    if (options.GetCount() >= kMaxOptions)
    {
        hgl::PutError(u"选择项<%s>超过%d个选项，选项<%s>被忽略", variable.c_str(), kMaxOptions, Text(text));
        return;
    }
    options.Add(text && *text ? hgl::String(text) : hgl::String(kHidden));
    if (options.GetCount() == expected) Open();
}

void SelectUnit::SELDT(const hgl::u16char *text)
{
    AddOption(text);
}

bool SelectUnit::Met(const hgl::u16char *flag)
{
    return hgl::String(Text(flag)) == kHidden || (values && values->RGET(flag) != 0);
}

void SelectUnit::SELDT_Switch(const hgl::u16char *text, const hgl::u16char *flag1, const hgl::u16char *flag2,
                              const hgl::u16char *flag3)
{
    AddOption(Met(flag1) && Met(flag2) && Met(flag3) ? text : u"");
}

void SelectUnit::SWITCH(const hgl::u16char *name, int)
{
    variable = Text(name);
}

// A jump during the run carries on at the label by itself: resuming here would run
// the script a second time inside this call.
void SelectUnit::CaseGoto(int value, const hgl::u16char *label)
{
    if (!values || values->RGET(variable.c_str()) != value) return;
    if (!engine || !engine->GotoLabel(label)) hgl::PutError(u"跳转失败：<%d:%s>", value, Text(label));
}

// ---------------------------------------------------------------- open and pick

bool SelectUnit::HasVisibleOption() const
{
    for (int i = 0; i < options.GetCount(); ++i)
        if (options[i] != kHidden) return true;
    return false;
}

void SelectUnit::Open()
{
    // Nothing could be picked: the story goes on as if there were no choice.
    if (!HasVisibleOption())
    {
        hgl::PutError(u"选择项<%s>没有可以显示的选项，不打开", variable.c_str());
        Clear();
        return;
    }
    if (engine) engine->Pause();
    if (state) state->SetState(gsChoice);
    PlaySystemSound(kOpenSound, false);
    LoadPictures();
    BuildButtons();
    menu->SetFocusObject(buttons.front());
    if (!game) return;
    if (game->SaveAtChoice)
        game->SaveGame(hgl::String(1));
    else
        game->SaveAtChoice = true;
}

void SelectUnit::BuildButtons()
{
    const Metrics text = FontMetrics(TextFont, kTextShare);
    const Metrics large = FontMetrics(LargeTextFont, kLargeShare);
    const int n = options.GetCount();
    const float step = (kRows * text.h + kFrameGaps * text.g) / float(n + 1);
    const float left = std::trunc(float(hgl::GetCanvasHeight()) / 3);
    float y = std::trunc(step - 0.5f * text.h);
    float widest = 0, bottom = 0;
    if (game) game->SkipOff();
    for (int i = 0; i < n; ++i)
    {
        if (options[i] == kHidden) continue;
        auto *button = new KQ7Button(TextFont, left, y, options[i]);
        buttons.push_back(button);
        widest = std::max(widest, std::trunc(button->Width.Get()));
        button->OnClick.Bind<&SelectUnit::Pick>(this);
        button->Theme.Shadow = kShadow;
        button->Theme.Text = kText;
        button->Index = IsSelectSeen(variable + hgl::String(i)) ? i + kSeenIndex : i;
        button->OnFocusChange.Bind<&SelectUnit::OnButtonFocus>(this);
        button->Theme.Focus = kFocus;
        button->Theme.SetAlpha(GetAlpha());
        if (i == 0) button->SetFocus(true);
        menu->AddObject(button);
        bottom = y + button->Height.Get();
        y += std::trunc(step);
    }
    const float shown = float(buttons.size());
    // Tall enough for its last row, so that every button gets the pointer.
    menu->SetSize(float(hgl::GetCanvasHeight()) / 3 + widest,
                  std::max(large.h * shown + large.g * (shown - 1), bottom));
}

void SelectUnit::Pick(hgl::gui::Button *button)
{
    if (pending >= 0 || !button) return;
    pending = button->Index;
}

void SelectUnit::Update()
{
    if (pending >= 0) CarryOutPick();
}

void SelectUnit::CarryOutPick()
{
    const int position = pending % kSeenIndex;
    pending = -1;
    PlaySystemSound(kPickSound, false);
    const hgl::String number(position);
    if (values) values->RSET(variable.c_str(), number.c_str());
    MarkSelect(variable + number);
    Clear();
    // The screen resumes the script at its next update, at the configured text speed.
    if (game)
        game->ChoicePicked();
    else if (state)
        state->SetState(gsRunning);
}

void SelectUnit::OnButtonFocus(hgl::EventObject *object, bool focus)
{
    auto *button = dynamic_cast<KQ7Button *>(object);
    if (!focus || !button) return;
    const float g = FontMetrics(TextFont, kTextShare).g;
    highlight_seen = button->Index >= kSeenIndex;
    highlight.Left = button->Left.Get() - 2 * g;
    highlight.Top = button->Top.Get() - g;
    highlight.Height = button->Height.Get() + 2 * g;
    highlight.Width = button->Width.Get() + 4 * g;
    if (highlight_seen) highlight.Width += g + float(hgl::GetCanvasWidth()) * kFlagSize / kFlagBaseW;
}

// ---------------------------------------------------------------- input and frames

void SelectUnit::MoveFocus(int step)
{
    const int n = int(buttons.size());
    if (n == 0) return;
    const auto at = std::find(buttons.begin(), buttons.end(), GetFocusButton());
    const int now = at == buttons.end() ? (step > 0 ? -1 : 0) : int(at - buttons.begin());
    menu->SetFocusObject(buttons[size_t((now + step + n) % n)]);
}

bool SelectUnit::Proc_KeyDown(int key)
{
    if (buttons.empty()) return menu->Proc_KeyDown(key);
    switch (key)
    {
    case hgl::key::Up:
    case hgl::key::Left:
        MoveFocus(-1);
        return true;
    case hgl::key::Down:
    case hgl::key::Right:
        MoveFocus(1);
        return true;
    case hgl::key::Enter:
    case hgl::key::Space:
        if (KQ7Button *button = GetFocusButton())
        {
            Pick(button);
            return true;
        }
        return false;
    default:
        return menu->Proc_KeyDown(key);
    }
}

bool SelectUnit::Proc_JoystickDown(int button)
{
    const int key = JoystickKey(button);
    if (!buttons.empty() && key != 0) return Proc_KeyDown(key);
    return menu->Proc_JoystickDown(button);
}

bool SelectUnit::Proc_MouseMove(int x, int y, int flags)
{
    return !buttons.empty() && menu->Proc_MouseMove(x, y, flags);
}

bool SelectUnit::Proc_MouseLeftDown(int x, int y, int flags)
{
    return !buttons.empty() && menu->PointIn(x, y) && menu->Proc_MouseLeftDown(x, y, flags);
}

// A button pressed before keeps hearing the release wherever the pointer went.
bool SelectUnit::Proc_MouseLeftUp(int x, int y, int flags)
{
    return menu->Proc_MouseLeftUp(x, y, flags);
}

void SelectUnit::UpdateObject()
{
    Update();
    menu->UpdateObject();
}

void SelectUnit::DrawObject()
{
    if (!buttons.empty()) menu->DrawObject();
}

void SelectUnit::DrawMenu()
{
    const Metrics text = FontMetrics(TextFont, kTextShare);
    const float g = text.g, alpha = menu->Alpha.Get();
    const float canvas_w = float(hgl::GetCanvasWidth()), canvas_h = float(hgl::GetCanvasHeight());
    DrawPart(frame.get(), alpha, 0, 0, canvas_w + 4 * g, kRows * text.h + kFrameGaps * g, 0, 0, 1, 1);

    // Kept on tenths, so that the swing turns after 25 frames each way however the
    // steps round.
    const float moved = flag_offset + (flag_moving_left ? -kFlagStep : kFlagStep);
    flag_offset = std::clamp(std::round(moved * 10) / 10, kFlagReach, 0.0f);
    if (flag_offset <= kFlagReach) flag_moving_left = false;
    if (flag_offset >= 0) flag_moving_left = true;

    const float x = highlight.Left, y = highlight.Top, w = highlight.Width, h = highlight.Height;
    DrawPart(bar.get(), alpha, x, y, x + w, y + g, 0, 0, 1, kBandRows);
    DrawPart(bar.get(), alpha, x, y + h - g, x + w, y + h, 0, 0, 1, kBandRows);
    DrawPart(bar.get(), alpha, x + g, y + g, x + w - g, y + h - g, kMiddleColumn, kBandRows, 1, 1);

    const float flag_w = canvas_w * kFlagSize / kFlagBaseW, flag_h = canvas_h * kFlagSize / kFlagBaseH;
    const float flag_top = y + (h - flag_h) / 2;
    const float pointer_right = x + flag_offset;
    DrawPart(flag.get(), alpha, pointer_right - flag_w, flag_top, pointer_right, flag_top + flag_h, 0, 0, 1,
             1);
    if (!highlight_seen) return;
    const float mark_right = x + w - 2 * g;
    DrawPart(seen_mark.get(), alpha, mark_right - flag_w, flag_top, mark_right, flag_top + flag_h, 0, 0, 1,
             1);
}
} // namespace avg
