// The in-game screen's script side: moving to a script, and the script functions
// the game core registers itself (the stage managers register theirs).
#include "game/core/GameUnit.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataTables.h"
#include "game/core/GameResources.h"
#include "game/core/GameWiring.h"
#include "game/core/ScreenOverlay.h"
#include "game/core/GameAudio.h"
#include "game/core/UpperName.h"
#include "gui/Button.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "io/Time.h"
#include "script/ScriptFunctionTable.h"

#include <memory>

namespace avg
{
namespace
{
constexpr int kTenthMs = 100; // the unit of the shake, invert and wait arguments
constexpr int kZoomMs = 1000;
constexpr float kZoomPart = 0.1f; // ZOOMIN shows (0.1, 0.1) - (0.9, 0.9)
constexpr int kAutoSaveCaptionChars = 6;
constexpr float kAutoSaveCaptionRows = 1.7f;
constexpr float kCaptionMargin = 0.05f; // chapter and date captions, of the canvas

const hgl::u16char kFirstScript[] = u"MAIN00";
const hgl::u16char kAutoSaveText[] = u"自動存檔";
const hgl::u16char kAutoSavePicture[] = u"Effect\\t1.TEX";
const hgl::u16char kCaptionPicture[] = u"Effect\\t.TEX"; // the chapter and the date
const hgl::u16char kRedPicture[] = u"red.HGP";

struct WeatherList
{
    const hgl::u16char *file;
    WeatherEffect effect;
};
constexpr WeatherList kWeatherLists[] = {
    {u"rain.txt", weRain}, {u"sun.txt", weSun}, {u"flower.txt", wePetals}, {u"snow.txt", weSnow}};
const hgl::u16char kDarkList[] = u"black.txt";

hgl::String LowerName(const hgl::String &name)
{
    std::u16string text = name.ToStdString();
    for (char16_t &c : text)
        if (c >= u'A' && c <= u'Z') c = char16_t(c - u'A' + u'a');
    return hgl::String(text);
}

// Whether a list of script names in "Local.hac" (one a line) holds the name.
bool ListHolds(const hgl::u16char *list, const hgl::String &name)
{
    hgl::u16char *buffer = nullptr;
    const int length = ReadLocalFile(list, &buffer);
    std::unique_ptr<hgl::u16char[]> owned(buffer);
    const std::u16string wanted = UpperName(name).ToStdString();
    std::u16string line;
    for (int i = 1; i <= length; ++i)
    {
        const char16_t c = i < length ? buffer[i] : u'\n';
        if (c != u'\n' && c != u'\r')
        {
            line += c;
            continue;
        }
        if (!line.empty() && UpperName(hgl::String(line)).ToStdString() == wanted) return true;
        line.clear();
    }
    return false;
}
} // namespace

GameUnit *NewGame(const GameWiring &wiring)
{
    auto *unit = new GameUnit(wiring);
    unit->GotoScript(kFirstScript);
    return unit;
}

namespace
{
// The frame button hangs from the top edge at the right, only its bottom bar in
// view; the quick menu slides down out of it (on a 1600 x 1200 design).
constexpr float kFrameDesignW = 1600, kFrameDesignH = 1200;
constexpr float kFrameLeft = 1320, kFrameWidth = 240, kFrameHeight = 220, kFrameShown = 24;

// Where a window that places the button itself puts it, else the place above.
hgl::RectScope2<float> FrameButtonRect(const MessageStage &window)
{
    hgl::RectScope2<float> rect;
    if (window.GetFrameButton(rect)) return rect;
    const float sx = float(hgl::GetCanvasWidth()) / kFrameDesignW;
    const float sy = float(hgl::GetCanvasHeight()) / kFrameDesignH;
    return {kFrameLeft * sx, (kFrameShown - kFrameHeight) * sy, kFrameWidth * sx, kFrameHeight * sy};
}
} // namespace

void GameUnit::MakeStage()
{
    const StageFactory &factory = wiring.stage;
    back = factory.back(*this);
    chars = factory.chars(*this);
    message = factory.message(*this);
    choice = factory.choice(*this);
    effects = factory.effects(*this);
    // The order they are added in is the order they are drawn in: the frame button
    // of the message window first.
    const ScreenHooks &hooks = wiring.screens;
    if (hooks.frame_button) frame_button = hooks.frame_button(FrameButtonRect(*message));
    if (frame_button)
    {
        frame_button->OnPointerOver.Bind<&GameUnit::FrameButtonEntered>(this);
        control->AddObject(frame_button);
    }
    for (StageManager *manager : {(StageManager *)back, (StageManager *)chars, (StageManager *)message,
                                  (StageManager *)choice, (StageManager *)effects})
        control->AddObject(manager);
}

void GameUnit::RegisterFunctions()
{
    hgl::DevilEngine *e = engine.get();
    static constexpr hgl::ScriptFunction<GameUnit> kFunctions[] = {
        {u"void VIB_STP(int)", hgl::Bind<&GameUnit::VIB_STP>},
        {u"void FANX(int)", hgl::Bind<&GameUnit::FANX>},
        {u"void ZOOMIN()", hgl::Bind<&GameUnit::ZOOMIN>},
        {u"void ZOOMOUT()", hgl::Bind<&GameUnit::ZOOMOUT>},
        {u"void MSPEED(int)", hgl::Bind<&GameUnit::MSPEED>},
        {u"void VIB_MSG(int)", hgl::Bind<&GameUnit::VIB_MSG>},
        {u"void WIN_OFF()", hgl::Bind<&GameUnit::WIN_OFF>},
        {u"void EXT_CALL(string)", hgl::Bind<&GameUnit::EXT_CALL>},
        {u"void SET_SAVPNT()", hgl::Bind<&GameUnit::SET_SAVPNT>},
        {u"void GAME_END(int)", hgl::Bind<&GameUnit::GAME_END>},
        {u"int RGET(string)", hgl::Bind<&GameUnit::RGET>},
        {u"void RSET(string,string)", hgl::Bind<&GameUnit::RSET>},
        {u"void BGM_PLAY(string,int)", hgl::Bind<&GameUnit::BGM_PLAY>},
        {u"void BGM_STOP()", hgl::Bind<&GameUnit::BGM_STOP>},
        {u"void SE_PLAY(int,string,int)", hgl::Bind<&GameUnit::SE_PLAY>},
        {u"void SE_STOP(int)", hgl::Bind<&GameUnit::SE_STOP>},
        {u"void VOICE_STOP()", hgl::Bind<&GameUnit::VOICE_STOP>},
        {u"void RED_ON()", hgl::Bind<&GameUnit::RED_ON>},
        {u"void RED_OFF()", hgl::Bind<&GameUnit::RED_OFF>},
        {u"void ANIME(string)", hgl::Bind<&GameUnit::ANIME>},
        {u"void SHOW_DATE(int,int,string)", hgl::Bind<&GameUnit::SHOW_DATE>},
        {u"void WAIT(int)", hgl::Bind<&GameUnit::WAIT>},
    };
    hgl::MapFunctions(*e, this, kFunctions);
}

bool GameUnit::GotoScript(const hgl::String &name)
{
    message->CloseHistory();
    effects->ClearEffects();
    engine->Clear();
    script = name;

    hgl::u16char *buffer = nullptr;
    const int length = ReadScriptFile(name + u".CPP", &buffer);
    std::unique_ptr<hgl::u16char[]> text(buffer);
    message->BeginCollect();
    // The first unit is the byte-order mark.
    const bool loaded = length > 1 && engine->LoadScript(text.get() + 1, length - 1);
    message->LoadHistory(LowerName(name));

    back->SetDark(ListHolds(kDarkList, name));
    for (const WeatherList &list : kWeatherLists)
        if (ListHolds(list.file, name)) effects->StartWeather(list.effect);
    ShowChapter(name);

    fresh_start = true;
    SetState(gsRunning);
    if (!loaded) hgl::PutError(u"加载脚本<%s>失败", name.c_str());
    return loaded;
}

void GameUnit::ShowChapter(const hgl::String &name)
{
    hgl::String title;
    if (!data::GetChapterName(name, title)) return;
    ShowCaption(0, hgl::GetCanvasWidth() * kCaptionMargin, hgl::GetCanvasHeight() * kCaptionMargin, title,
                u"", kCaptionPicture);
}

void GameUnit::ShowCaption(int, float left, float top, const hgl::String &text1, const hgl::String &text2,
                           const hgl::String &picture)
{
    const bool autosave = text1 == u"自动存档" || text1 == kAutoSaveText;
    // A new caption in the place of an older one takes over from it.
    const hgl::ObjectList<hgl::Object> &children = control->GetObjectList();
    for (int i = 0; i < children.GetCount(); ++i)
        if (auto *old = dynamic_cast<CaptionPlace *>(children[i]); old && old->IsAt(left, top))
            children[i]->Destroy();
    hgl::TileFont *font = autosave ? TextFont : nullptr;
    hgl::VisualObject *caption = wiring.stage.caption(left, top, text1, text2, picture, font);
    control->AddObject(caption);
    control->BringToTop(caption);
}

// ---------------------------------------------------------------- script functions

void GameUnit::VIB_STP(int n)
{
    back->StartShake(n * kTenthMs);
}

void GameUnit::FANX(int n)
{
    if (!IsBlocked()) back->StartInvert(n * kTenthMs);
}

void GameUnit::ZOOMIN()
{
    back->FadeToPart(kZoomMs, kZoomPart, kZoomPart, 1 - 2 * kZoomPart, 1 - 2 * kZoomPart);
    chars->ZoomInAll();
}

void GameUnit::ZOOMOUT()
{
    back->FadeToPart(kZoomMs, 0, 0, 1, 1);
    chars->ZoomOutAll();
}

void GameUnit::MSPEED(int n)
{
    AutoMode = n != 0;
    message->SetTextSpeed(n);
}

void GameUnit::VIB_MSG(int n)
{
    message->StartShake(n * kTenthMs);
}

void GameUnit::WIN_OFF()
{
    message->WindowOff();
}

void GameUnit::EXT_CALL(const hgl::u16char *name)
{
    auto caller = std::make_unique<GameStack>(script);
    if (!engine->SaveState(caller->stream))
    {
        hgl::PutError(u"保存脚本<%s>的运行状态失败", script.c_str());
        return;
    }
    calls.Push(caller.release());
    // The engine stops here; the next script starts at "main" when this run returns.
    if (!GotoScript(name)) return;
    if (!config::graphics_config.AutoSave) return;
    SaveGame(u"0");
    const float cw = TextFont ? float(TextFont->CharWidth) : 0,
                ch = TextFont ? float(TextFont->CharHeight) : 0;
    ShowCaption(0, hgl::GetCanvasWidth() - kAutoSaveCaptionChars * cw, float(int(kAutoSaveCaptionRows * ch)),
                kAutoSaveText, u"", kAutoSavePicture);
}

void GameUnit::SET_SAVPNT()
{
    SaveGame(u"LastGame");
}

void GameUnit::GAME_END(int n)
{
    const ScreenHooks &hooks = wiring.screens;
    if (n == 10)
    {
        if (hooks.title)
            Leave(hooks.title(false, wiring), fosReplace);
        else
            ToTitle(u"故事结束");
        return;
    }
    if (n < 7 || n > 9)
    {
        hgl::PutError(u"GAME_END的参数不正确<%d>", n);
        return;
    }
    if (!hooks.credits)
    {
        ToTitle(u"故事结束");
        return;
    }
    engine->Pause();
    SetState(gsLeaving);
    OpenScreen(hooks.credits(wiring));
}

int GameUnit::RGET(const hgl::u16char *name)
{
    return values.RGET(name);
}

void GameUnit::RSET(const hgl::u16char *name, const hgl::u16char *text)
{
    values.RSET(name, text);
}

void GameUnit::BGM_PLAY(const hgl::u16char *name, int loop)
{
    music = name;
    music_loop = loop != 0;
    bgm::PlayBGM(music, music_loop);
}

void GameUnit::BGM_STOP()
{
    music.Clear();
    bgm::StopBGM();
}

void GameUnit::SE_PLAY(int channel, const hgl::u16char *name, int loop)
{
    PlayScriptSE(channel, name, loop != 0);
}

void GameUnit::SE_STOP(int channel)
{
    StopScriptSE(channel);
}

void GameUnit::VOICE_STOP()
{
    StopVoice();
}

void GameUnit::RED_ON()
{
    red->Start(kRedPicture);
}

void GameUnit::RED_OFF()
{
    red->Stop();
}

void GameUnit::ANIME(const hgl::u16char *name)
{
    anime->Start(hgl::String(name) + u".HGP");
}

void GameUnit::SHOW_DATE(int month, int day, const hgl::u16char *text)
{
    const std::u16string date = hgl::String(month).ToStdString() + u"月" + hgl::String(day).ToStdString() +
                                u"日 " + hgl::String(text).ToStdString();
    ShowCaption(0, hgl::GetCanvasWidth() * kCaptionMargin, hgl::GetCanvasHeight() * kCaptionMargin,
                hgl::String(date), u"", kCaptionPicture);
}

void GameUnit::WAIT(int tenths)
{
    engine->Pause();
    timed_wait_ms = tenths * kTenthMs;
    wait_since = hgl::GetTime();
    SetState(gsTimedWait);
}
} // namespace avg
