#include "game/screens/title/SceneUnit.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataScript.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/screens/title/MovieFactory.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <cmath>

namespace
{
constexpr float kGridW = 1600, kGridH = 1200;
constexpr int kEsc = 1;
const hgl::u16char *const kScript = u"Script\\Movie.CPP";
const hgl::u16char *const kTitleMusic = u"BGM33";

// A grid value on the canvas; what cannot be placed (not a number, or beyond
// what a float holds once scaled) is put at 0.
float OnCanvas(float value, float canvas, float grid, bool &bad)
{
    const float scaled = value * canvas / grid;
    if (std::isfinite(scaled)) return scaled;
    bad = true;
    return 0;
}
} // namespace

SceneUnit::SceneUnit(const avg::GameWiring &w)
    : wiring(w), background(new hgl::HGP(avg::GetDataHAC(), u"Video\\BackGround.HGP", 0, true))
{
    control->AddObject(background);
    OnKeyDown.Bind<&SceneUnit::OnKey>(this);
    OnMouseRightDown.Bind<&SceneUnit::OnRightDown>(this);
    entries.reserve(kMaxEntries);

    static constexpr hgl::ScriptFunction<SceneUnit> kFunctions[] = {
        {u"void SetMovie(string,string,string,float,float,float,float)", hgl::Bind<&SceneUnit::SetMovie>},
    };
    avg::RunDataScript(kScript, [this](hgl::DevilEngine &engine)
                       { return hgl::MapFunctions(engine, this, kFunctions); });
}

SceneUnit::~SceneUnit() = default;

void SceneUnit::SetMovie(const hgl::u16char *picture, const hgl::u16char *movie, const hgl::u16char *unlock,
                         float x, float y, float width, float height)
{
    const hgl::String name = movie ? movie : u"";
    if (count >= kMaxEntries)
    {
        hgl::PutError(u"影片条目已满%d个，<%s>被忽略!", kMaxEntries, name.c_str());
        return;
    }
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    bool bad = false;
    const float left = OnCanvas(x, W, kGridW, bad), top = OnCanvas(y, H, kGridH, bad);
    const float w = OnCanvas(width, W, kGridW, bad), h = OnCanvas(height, H, kGridH, bad);
    if (bad) hgl::PutError(u"影片条目<%s>的位置或大小无效，按0处理!", name.c_str());

    auto *button = new hgl::gui::TZHGPButton(left, top, w, h, avg::GetDataHAC(), picture ? picture : u"");
    button->SetName(name);
    const hgl::String key = unlock ? unlock : u"";
    const bool unlocked = key.Comp(u"OPEN") == 0 || avg::GetSystemFlag(key) != 0;
    button->SetVisible(unlocked);
    if (unlocked) button->OnClick.Bind<&SceneUnit::PlayMovie>(this);
    control->AddObject(button);
    button->SetAlpha(alpha);
    entries.push_back(button);
    ++count;
}

hgl::String SceneUnit::MovieFile(const hgl::String &name, int canvas_width, int canvas_height)
{
    // Wider than 4:3 takes the wide cut; exactly 4:3 the normal one.
    const bool wide = 4LL * canvas_height < 3LL * canvas_width;
    hgl::String file;
    file.Sprintf(wide ? u"Video\\%d\\wide\\%s.ogv" : u"Video\\%d\\normal\\%s.ogv",
                 avg::config::graphics_config.MovieQuantity, name.c_str());
    return file;
}

void SceneUnit::PlayMovie(hgl::gui::Button *button)
{
    if (busy || !button) return;
    const hgl::String &name = button->GetName();
    const hgl::String movie = MovieFile(name, hgl::GetCanvasWidth(), hgl::GetCanvasHeight());
    hgl::PutInfo(u"%s", movie.c_str());
    hgl::String sound;
    sound.Sprintf(u"Video\\%s.ogg", name.c_str());

    avg::bgm::StopBGM();
    avg::StopScriptSE();
    // The gallery is the active screen when its button is clicked: calling the
    // movie from here is what the root flow control's CallTo does.
    SetNextObject(avg::MakeMovie(wiring, {movie, sound, true, true}));
    SetObjectState(fosCall);
}

void SceneUnit::ProcReturn(hgl::FlowObject *)
{
    avg::bgm::PlayBGM(kTitleMusic, true);
}

bool SceneUnit::OnKey(int key)
{
    if (busy || key != kEsc) return false;
    closing = true;
    return true;
}

bool SceneUnit::OnRightDown(int, int, int)
{
    return OnKey(kEsc);
}

hgl::gui::TZHGPButton *SceneUnit::GetEntry(int index) const
{
    return index >= 0 && index < count ? entries[size_t(index)] : nullptr;
}

void SceneUnit::Draw()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    if (alpha > 0)
        avg::screen_draw::PictureTo(background, 0, 0, W, H);
    else
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1));

    for (hgl::gui::TZHGPButton *entry : entries)
        entry->SetAlpha(alpha);

    if (!closing)
    {
        if (alpha >= 1)
            busy = false;
        else
        {
            avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - alpha));
            alpha += kFadeStep;
            busy = true;
        }
        return;
    }
    if (alpha <= 0)
    {
        SetObjectState(fosReturn);
        busy = false;
    }
    else
    {
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - alpha));
        alpha -= kFadeStep;
        busy = true;
    }
}
