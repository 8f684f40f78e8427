#include "game/screens/title/EndStaff.h"

#include "core/Log.h"
#include "core/StrFunc.h"
#include "game/core/DataScript.h"
#include "game/core/GameAudio.h"
#include "game/core/GameResources.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/stage/StageDraw.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "gui/Label.h"
#include "gui/Panel.h"
#include "gui/ScrollBox.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr const hgl::u16char *kScript = u"Staff.CPP";
constexpr const hgl::u16char *kMusic = u"BGM25";
} // namespace

EndStaff::EndStaff(const avg::GameWiring &w) : wiring(w)
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    box = new hgl::gui::ScrollBox(0, 0, W, H);
    control->AddObject(box);
    box->SetFrameMode(hgl::gui::pfmNone);
    box->ShowBars = false;

    offset = H;
    static constexpr hgl::ScriptFunction<EndStaff> kFunctions[] = {
        {u"void SAY(string)", hgl::Bind<&EndStaff::SAY>},
    };
    avg::RunDataScript(
        kScript, [this](hgl::DevilEngine &engine) { return hgl::MapFunctions(engine, this, kFunctions); },
        u"ALL");
    avg::bgm::PlayBGM(kMusic, true);
    offset = 0;
}

EndStaff::~EndStaff() = default;

void EndStaff::SAY(const hgl::u16char *text)
{
    hgl::TileFont *font = avg::LargeTextFont;
    const float fh = font ? float(font->CharHeight) : 0.0f;
    const int length = hgl::StrLen(text);
    if (length > 0)
    {
        const float width = font ? font->GetStringWidth(text, -1) : 0.0f;
        const float x = std::trunc((float(hgl::GetCanvasWidth()) - width) / 2);
        auto *line = new hgl::gui::Label(x, offset);
        line->SetFont(font);
        line->Color = hgl::Color4f(1, 1, 1, 1);
        line->SetText(text);
        box->AddObject(line);
        if (length > kLongLine) last_long_line = line;
    }
    offset += fh * kLineGap;
}

void EndStaff::Finish()
{
    running = false;
    SetNextObject(new NewStartMenu(false, wiring));
    // Every screen goes, the finished game below included.
    SetObjectState(fosClear);
}

void EndStaff::Draw()
{
    avg::stage_draw::Clear(avg::stage_draw::kBlack);

    const hgl::uint64 now = hgl::GetTime();
    if (start_time == 0) start_time = now;

    box->Refresh();
    const float max = box->GetMaxScrollY();
    offset = std::min(max, float(double(now - start_time) * max / double(kScrollMs)));

    if (offset >= max && running)
    {
        if (!last_long_line)
            Finish(); // nothing to fade
        else
        {
            ++fade_frames;
            last_long_line->SetAlpha(1.0f - kFadeStep * float(fade_frames));
            if (last_long_line->Alpha < kFadeEnd) Finish();
        }
    }
    box->SetScrollY(std::trunc(offset));
}
