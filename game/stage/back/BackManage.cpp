#include "game/stage/back/BackManage.h"

#include "core/Log.h"
#include "core/Random.h"
#include "game/core/GameState.h"
#include "game/stage/back/FadeObject.h"
#include "game/stage/back/ScaleObject.h"
#include "game/stage/back/ScenePicture.h"
#include "graphics/gl/BlendMode.h"
#include "io/Time.h"
#include "script/DevilEngine.h"

namespace draw = avg::stage_draw;

namespace
{
constexpr double kSecondsPerMs = 0.001;
constexpr int kMsPerTenth = 100;
constexpr hgl::uint32 kShakeRows = 3, kShakeColumns = 33;
constexpr int kShakeRowBase = 1, kShakeColumnBase = 16;
const float kWhole[4] = {0, 0, 1, 1};
} // namespace

BackManage::BackManage(avg::GameStateControl *state_control, hgl::DevilEngine *script_engine)
    : state(state_control), engine(script_engine)
{
    SetVisible(true);
    RegisterScript();
}

BackManage::~BackManage() = default;

void BackManage::Clear()
{
    next.reset();
    current.reset();
    fill = draw::kBlack;
}

void BackManage::SetAlpha(float value)
{
    avg::BackStage::SetAlpha(value);
    if (current) current->SetAlpha(value);
    if (next) next->SetAlpha(value);
}

void BackManage::StartShake(int ms)
{
    shake_ms = hgl::uint32(ms > 0 ? ms : 0);
    shake_end = 0;
}

void BackManage::StartInvert(int ms)
{
    invert_ms = ms > 0 ? ms : 0;
    invert_end = 0;
}

void BackManage::SetCurrent(const hgl::String &name, int k)
{
    Clear();
    current = std::make_unique<BackPic>();
    current->SetPicture(name, layer_pos[k][0], layer_pos[k][1], 1, 1);
}

void BackManage::SetNext(const hgl::String &name, int k)
{
    next = std::make_unique<BackPic>();
    next->SetPicture(name, layer_pos[k][0], layer_pos[k][1], 1, 1);
}

void BackManage::ShowLayers()
{
    for (int i = 0; i <= index && i < kLayers; ++i)
    {
        if (layer[i].IsEmpty()) continue;
        if (i == 0)
            SetCurrent(layer[0], 0);
        else
            SetNext(layer[i], i);
    }
}

void BackManage::EraseLayer(int k)
{
    layer[k].Clear();
    if (k > index) return;
    for (int i = 0; index >= 0; ++i, --index)
    {
        if (layer[i].IsEmpty()) continue;
        if (i == 0)
            SetCurrent(layer[0], 0);
        else
            SetNext(layer[i], 0);
    }
}

void BackManage::BeginTimed()
{
    state->SetState(avg::gsBackChange);
    engine->Pause();
}

void BackManage::Finished(BackPic *pic)
{
    finish = pic == current.get() ? Finish::Keep : Finish::Promote;
}

void BackManage::ShowPart(const hgl::String &name, float left, float top, float width, float height, int kind,
                          int ms)
{
    auto fade = std::make_unique<hgl::FadeObject<BackPic>>();
    fade->SetPicture(name, left, top, width, height);
    fade->SetFadeAlpha(0, 1);
    fade->SetFadeDuration(ms * kSecondsPerMs);
    fade->OnFinish = [this](BackPic *pic) { Finished(pic); };
    fade->SetKind(kind);
    next = std::move(fade);
    if (kind == 0)
    {
        current.reset();
        fill = draw::kBlack;
    }
    BeginTimed();
}

void BackManage::ToPart(int ms, float left, float top, float width, float height)
{
    if (!current) return;
    auto scale = std::make_unique<hgl::ScaleObject<BackPic>>();
    scale->CopyFrom(*current);
    const float to[4] = {left, top, width, height};
    scale->SetScaleView(current->GetView(), to);
    scale->SetScaleDuration(ms * kSecondsPerMs);
    scale->OnFinish = [this](BackPic *pic) { Finished(pic); };
    Clear();
    current = std::move(scale);
    BeginTimed();
}

void BackManage::FadeToPart(int ms, float left, float top, float width, float height)
{
    if (!current) return;
    next.reset();
    auto both = std::make_unique<hgl::ScaleObject<hgl::FadeObject<BackPic>>>();
    both->CopyFrom(*current);
    both->SetFadeAlpha(0, 1);
    both->SetFadeDuration(ms * kSecondsPerMs);
    const float to[4] = {left, top, width, height};
    both->SetScaleView(current->GetView(), to);
    both->SetScaleDuration(ms * kSecondsPerMs);
    both->OnFinish = [this](BackPic *pic) { Finished(pic); };
    next = std::move(both);
    BeginTimed();
}

void BackManage::Update()
{
    if (finish == Finish::None) return;
    if (finish == Finish::Promote)
    {
        current = std::move(next);
        next.reset();
    }
    finish = Finish::None;
    state->SetState(avg::gsRunning);
}

int BackManage::ShakeFrame()
{
    const hgl::uint64 now = hgl::GetTime();
    if (shake_end == 0) shake_end = now + shake_ms;
    const float dy = float(int(hgl::RandomU32() % kShakeRows) - kShakeRowBase);
    const float dx = float(int(hgl::RandomU32() % kShakeColumns) - kShakeColumnBase);
    draw::PushTranslate(dx, dy);
    return now > shake_end;
}

void BackManage::DrawPictures(int blend)
{
    if (!current || current->GetAlpha() < 1)
    {
        if (current) fill = draw::kBlack;
        draw::Clear(fill);
    }
    draw::Blend(blend);
    if (current) current->Draw();
    draw::Blend(blend);
    if (next) next->Draw();
    draw::Blend(hgl::BlendMode::Normal);
}

void BackManage::Draw()
{
    const bool shaking = shake_ms != 0;
    const bool shake_over = shaking && ShakeFrame();
    int blend = hgl::BlendMode::Normal;
    if (invert_ms != 0)
    {
        const hgl::uint64 now = hgl::GetTime();
        if (invert_end == 0) invert_end = now + hgl::uint64(invert_ms);
        blend = hgl::BlendMode::Invert;
        if (now > invert_end) invert_ms = 0, invert_end = 0;
    }
    DrawPictures(blend);
    if (!shaking) return;
    draw::PopTranslate();
    if (shake_over) shake_ms = 0, shake_end = 0;
}

void BackManage::SetFillColor(int r, int g, int b)
{
    Clear();
    auto unit = [](int v) { return v < 0 ? 0.0f : v > 255 ? 1.0f : v / 255.0f; };
    fill = {unit(r), unit(g), unit(b)};
}

void BackManage::SetFillBlack()
{
    Clear();
}

void BackManage::SetFillWhite()
{
    Clear();
    fill = draw::kWhite;
}

void BackManage::ShowFlag(int tenths, int kind, const hgl::String &name)
{
    ShowPart(name, kWhole[0], kWhole[1], kWhole[2], kWhole[3], kind, tenths * kMsPerTenth);
}

void BackManage::ShowLayer(int k, const hgl::String &name)
{
    layer[k] = name;
    const bool fill_name = name.GetLength() >= 3 && name.GetChar(2) == u'_';
    if (!fill_name)
    {
        if (!avg::GetScenePictureByName(name))
        {
            hgl::PutError(u"取得图片<%s>失败！", name.c_str() ? name.c_str() : u"");
            return;
        }
        if (k < index) return;
        index = k;
        ShowFlag(10, 0, name);
        return;
    }
    if (k < index) return;
    if (name == u"BG_BLACK")
        SetFillBlack();
    else if (name == u"BG_WHITE")
        SetFillWhite();
}

void BackManage::SetLayers(int a, const hgl::String &name_a, int b, const hgl::String &name_b, int at_most)
{
    layer[a] = name_a;
    layer[b] = name_b;
    if (index <= at_most) index = at_most;
    ShowLayers();
}

void BackManage::BG_SETW01(const hgl::u16char *name0, float left0, float top0, const hgl::u16char *name1,
                           float left1, float top1)
{
    layer_pos[0][0] = left0;
    layer_pos[0][1] = top0;
    layer_pos[1][0] = left1;
    layer_pos[1][1] = top1;
    SetLayers(0, name0, 1, name1, 1);
}

void BackManage::BG_ERSW13()
{
    EraseLayer(3);
    EraseLayer(1);
}

void BackManage::EraseAll()
{
    for (hgl::String &name : layer)
        name.Clear();
    index = 0;
    Clear();
}

void BackManage::SwapLayers(int a, int b)
{
    if (a < 0 || a >= kLayers || b < 0 || b >= kLayers)
    {
        hgl::PutError(u"BG_SWP的图层必须在0到3之间: %d, %d", a, b);
        return;
    }
    std::swap(layer[a], layer[b]);
}

void BackManage::ToFull(int ms)
{
    ToPart(ms, kWhole[0], kWhole[1], kWhole[2], kWhole[3]);
}

void BackManage::ZoomBackground(float x, float y, float width, float height)
{
    if (current) current->StartZoom(x, y, width, height);
}

void BackManage::MoveBackground(float x, float y, float width, float height)
{
    if (!current) return;
    current->SetMoving();
    current->StartZoom(x, y, width, height);
}
