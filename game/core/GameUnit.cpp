#include "game/core/GameUnit.h"

#include "core/Log.h"
#include "game/core/Config.h"
#include "game/core/GameWiring.h"
#include "game/core/ScreenOverlay.h"
#include "game/core/Thumbnail.h"
#include "gui/Button.h"
#include "io/Time.h"
#include "platform/window/KeyCode.h"
#include "script/DevilEngine.h"

namespace avg
{
namespace
{
// Script calls and returns one update may go through before it yields a frame:
// a story whose scripts only call one another cannot hang the game.
constexpr int kMaxScriptHops = 64;
// The joystick button that opens the backlog.
constexpr int kHistoryJoystickButton = 1;

std::unique_ptr<ScreenOverlay> NewOverlay(const StageFactory &factory, ScreenOverlay::Mode mode)
{
    return std::unique_ptr<ScreenOverlay>(factory.overlay ? factory.overlay(mode) : new ScreenOverlay(mode));
}
} // namespace

GameUnit::GameUnit(const GameWiring &w)
    : wiring(w), engine(hgl::NewDevilEngine()), thumbnail(std::make_unique<Thumbnail>()),
      red(NewOverlay(w.stage, ScreenOverlay::Pulse)), anime(NewOverlay(w.stage, ScreenOverlay::Frames))
{
    SkipReadOnly = config::graphics_config.Speed != 0;
    AutoContinue = config::graphics_config.AutoContinue != 0;
    last_update = hgl::GetTime();
    MakeStage();
    RegisterFunctions();
}

GameUnit::~GameUnit()
{
    message->CloseHistory();
    // The managers go while the screen they point at still stands.
    control->Clear();
    config::SaveConfig();
}

bool GameUnit::SetState(int value)
{
    if (!GameStateControl::SetState(value)) return false;
    waiting = false;
    return true;
}

bool GameUnit::IsTop() const
{
    return !overlay_open && object_state == fosOK;
}

bool GameUnit::IsBlocked() const
{
    return !IsTop() || GetState() == gsBackChange || GetState() == gsChoice;
}

void GameUnit::CountPlayTime()
{
    const hgl::uint64 now = hgl::GetTime();
    play_time += hgl::int64(now - last_update);
    last_update = now;
}

void GameUnit::Update()
{
    CountPlayTime();
    if (load_failed)
    {
        ToTitle(u"读取存档失败，返回标题画面");
        return;
    }
    switch (GetState())
    {
    case gsRunning:
        RunScript();
        break;
    case gsMessage:
    case gsMessageFixed:
        WaitMessage();
        break;
    case gsTimedWait:
        WaitTimed();
        break;
    case gsScriptEnded:
        ToTitle(u"故事脚本已结束，返回标题画面");
        break;
    default:
        break;
    }
    advance_asked = false;
}

void GameUnit::RunScript()
{
    for (int hop = 0; hop < kMaxScriptHops && GetState() == gsRunning; ++hop)
    {
        bool ok;
        if (fresh_start)
        {
            fresh_start = false;
            ok = engine->RunFunc(u"main");
        }
        else if (engine->GetStackDepth() > 0)
            ok = engine->Resume(nullptr);
        else
            ok = false;
        if (GetState() != gsRunning || fresh_start) continue;
        if (ok && engine->GetStackDepth() > 0) return; // paused for a frame
        if (!ok) engine->Stop();
        ScriptEnded();
    }
}

void GameUnit::ScriptEnded()
{
    GameStack *caller = nullptr;
    if (!calls.Pop(caller))
    {
        hgl::PutInfo(u"脚本<%s>运行结束", script.c_str());
        SetState(gsScriptEnded);
        return;
    }
    std::unique_ptr<GameStack> entry(caller);
    entry->stream->SetPosition(0);
    if (!GotoScript(entry->name) || !engine->LoadState(entry->stream))
    {
        hgl::PutError(u"返回脚本<%s>失败", entry->name.c_str());
        SetState(gsScriptEnded);
        return;
    }
    fresh_start = false;
    SetState(gsRunning);
}

void GameUnit::WaitMessage()
{
    const bool complete = message->IsTextComplete() && !chars->IsMoving();
    if (advance_asked)
    {
        if (!message->Advance(false)) FinishMessage();
        return;
    }
    if (!complete) return;
    if (skipping)
    {
        if (SkipReadOnly && !message->IsRead())
            SkipOff();
        else
        {
            message->Advance(true);
            FinishMessage();
            return;
        }
    }
    if (!AutoMode && !AutoContinue) return;
    const hgl::uint64 now = hgl::GetTime();
    if (!waiting)
    {
        waiting = true;
        wait_since = now;
    }
    if (now - wait_since < hgl::uint64(message->WaitMs() + config::graphics_config.EndWaitTime)) return;
    if (message->Advance(false))
        wait_since = now;
    else
        FinishMessage();
}

void GameUnit::FinishMessage()
{
    message->MarkRead();
    message->Hide();
    SetState(gsRunning);
    RunScript();
}

void GameUnit::WaitTimed()
{
    if (!skipping && hgl::GetTime() - wait_since < hgl::uint64(timed_wait_ms)) return;
    SetState(gsRunning);
    RunScript();
}

void GameUnit::Leave(hgl::FlowObject *next, FlowObjectState how)
{
    engine->Pause();
    SetState(gsLeaving);
    if (next) NextObject = next;
    ObjectState = next ? how : fosExit;
}

void GameUnit::ToTitle(const hgl::u16char *why)
{
    hgl::PutInfo(u"%s", why);
    load_failed = false;
    const ScreenHooks &hooks = wiring.screens;
    if (!hooks.title) hgl::PutInfo(u"没有标题画面，游戏结束");
    Leave(hooks.title ? hooks.title(false, wiring) : nullptr, fosClear);
}

void GameUnit::OpenScreen(hgl::FlowObject *screen)
{
    if (!screen) return;
    // The picture for a save made from the screen opened now is taken from this
    // frame, before the new screen draws over the game.
    capture_pending = true;
    overlay_open = true;
    NextObject = screen;
    ObjectState = fosPush;
}

void GameUnit::ProcReturn(hgl::FlowObject *)
{
    overlay_open = false;
    if (choice->GetCount() > 0) choice->SetAlpha(1.0f);
}

void GameUnit::DrawOverlays()
{
    red->Draw();
    anime->Draw();
}

void GameUnit::EndFrame()
{
    // The overlays cover the whole stage, managers included.
    DrawOverlays();
    if (!capture_pending) return;
    capture_pending = false;
    if (!thumbnail->Capture()) return;
    if (!pending_thumbnail.IsEmpty()) thumbnail->Write(pending_thumbnail);
    pending_thumbnail.Clear();
}

// ---------------------------------------------------------------- input

bool GameUnit::AdvanceInput()
{
    switch (GetState())
    {
    case gsHidden:
        message->Show();
        SetState(gsMessage);
        return true;
    case gsMessage:
    case gsMessageFixed:
        advance_asked = true;
        return true;
    default:
        return false;
    }
}

// The quick menu drops from the frame button while nothing else is open and the
// story does not run by itself.
void GameUnit::FrameButtonEntered(hgl::GUIObject *button)
{
    const ScreenHooks &hooks = wiring.screens;
    if (IsBlocked() || choice->GetCount() > 0 || AutoContinue || !hooks.quick_menu) return;
    const hgl::RectScope2<float> rect(button->Left, button->Top, button->Width, button->Height);
    OpenScreen(hooks.quick_menu(rect, *this));
}

bool GameUnit::Proc_MouseLeftDown(int x, int y, int flags)
{
    if (hgl::FlowObject::Proc_MouseLeftDown(x, y, flags)) return true;
    AutoContinue = false;
    // The stage managers are not widgets: the open choice takes the click here.
    if (GetState() == gsChoice) return choice->Proc_MouseLeftDown(x, y, flags);
    return AdvanceInput();
}

bool GameUnit::Proc_MouseRightDown(int x, int y, int flags)
{
    if (hgl::FlowObject::Proc_MouseRightDown(x, y, flags)) return true;
    AutoContinue = false;
    if (GetState() == gsHidden) return AdvanceInput();
    if (GetState() != gsMessage) return false;
    message->Hide();
    SetState(gsHidden);
    return true;
}

bool GameUnit::Proc_MouseMiddleDown(int x, int y, int flags)
{
    if (hgl::FlowObject::Proc_MouseMiddleDown(x, y, flags)) return true;
    AutoContinue = false;
    if (GetState() == gsHidden) return AdvanceInput();
    const ScreenHooks &hooks = wiring.screens;
    if (!hooks.history || !IsTop()) return false;
    OpenScreen(hooks.history(*this));
    return true;
}

bool GameUnit::Proc_KeyDown(int key)
{
    // The open choice takes the arrows before the control moves its focus with them.
    if (GetState() == gsChoice && choice->Proc_KeyDown(key)) return true;
    if (hgl::FlowObject::Proc_KeyDown(key)) return true;
    if (GetState() == gsHidden) return AdvanceInput();
    if (key == hgl::key::Enter || key == hgl::key::Space) return AdvanceInput();
    if (key != hgl::key::Esc) return false;
    const ScreenHooks &hooks = wiring.screens;
    if (!hooks.menu || !IsTop()) return false;
    OpenScreen(hooks.menu(*this));
    return true;
}

bool GameUnit::Proc_JoystickDown(int button)
{
    // An open choice takes its buttons before the backlog takes button 1.
    if (GetState() == gsChoice && choice->Proc_JoystickDown(button)) return true;
    if (button != kHistoryJoystickButton) return hgl::FlowObject::Proc_JoystickDown(button);
    const ScreenHooks &hooks = wiring.screens;
    if (!hooks.history || !IsTop()) return false;
    OpenScreen(hooks.history(*this));
    return true;
}

void GameUnit::SkipOn()
{
    skipping = true;
    message->BeginSkip();
    chars->SetSkip(true);
}

void GameUnit::SkipOff()
{
    skipping = false;
    message->EndSkip();
    chars->SetSkip(false);
}

void GameUnit::ChoicePicked()
{
    // 0 is the configured speed; auto mode stays as the player left it.
    message->SetTextSpeed(0);
    SetState(gsRunning);
}
} // namespace avg
