#pragma once
// The in-game screen: it owns the story's script engine and the stage managers it
// hands the engine to (made by the game's wiring), runs the story script frame by frame through the game
// states, takes the player's input, keeps the script call stack and the story
// variables, and saves and loads games.
//
// Each update acts on the state: gsRunning resumes the engine (a fresh script
// starts at "main"; a script that ends returns to its caller on the stack);
// gsMessage and gsMessageFixed wait for the message, then advance on a click,
// Enter or Space, after the auto-play wait, or at once while skipping; gsTimedWait
// waits for a WAIT to run out; gsScriptEnded: the story ended without GAME_END,
// which goes back to the title. A failed load also goes back to the title at the
// next update.
#include "core/Stack.h"
#include "core/String.h"
#include "framework/FlowObject.h"
#include "game/core/GameStack.h"
#include "game/core/GameState.h"
#include "game/core/GameValue.h"
#include "game/core/StageManagers.h"

#include <memory>
#include <vector>

namespace hgl
{
class DevilEngine;
class GUIObject;
namespace gui
{
class Button;
}
} // namespace hgl

namespace avg
{
struct SaveRecord;
class ScreenOverlay;
class Thumbnail;

struct GameWiring;

class GameUnit : public hgl::FlowObject, public GameStateControl
{
  public:
    // The wiring makes the stage and the screens this one opens; it outlives the screen.
    explicit GameUnit(const GameWiring &wiring);
    ~GameUnit() override;

    const GameWiring &GetWiring() const { return wiring; }

    hgl::DevilEngine *GetEngine() const { return engine.get(); }
    GameValue &GetValues() { return values; }
    MessageStage *GetMessageStage() const { return message; }
    ChoiceStage *GetChoiceStage() const { return choice; }
    BackStage *GetBackStage() const { return back; }
    CharStage *GetCharStage() const { return chars; }
    EffectStage *GetEffectStage() const { return effects; }
    // The message window's frame button; null when the window has none.
    hgl::gui::Button *GetFrameButton() const { return frame_button; }
    const hgl::String &GetScript() const { return script; }
    int GetCallDepth() const { return calls.Count.Get(); }
    hgl::int64 GetPlayTime() const { return play_time; }

    // Leaves the current script and starts "Script\<name>.CPP" at "main".
    bool GotoScript(const hgl::String &name);
    // Writes "<slot>.save" and, when thumbnail is set, "<slot>.hgp": the picture of
    // the game screen taken when a screen opened over it, or, while the game is the
    // top screen, the one this frame draws (written at the end of the frame). Under
    // another screen the result says whether both files were written; when either
    // fails (or no picture was taken) the slot's files stay as they were.
    bool SaveGame(const hgl::String &slot, bool thumbnail = true, bool stamp_time = true);
    // False (logged) when the slot cannot be read or restored; the screen then goes
    // back to the title at its next update.
    bool LoadGame(const hgl::String &slot);

    void SkipOn();
    void SkipOff();
    bool IsSkipping() const { return skipping; }

    // While set, opening a choice saves slot "1"; the load screen clears it while
    // it restores a save.
    bool SaveAtChoice = true;
    // Skipping ends at the first message not read yet.
    bool SkipReadOnly;
    // Messages advance by themselves after their wait (MSPEED, the quick menu).
    bool AutoMode = false;
    bool AutoContinue;

    // Input that opens screens is blocked while another screen is over this one
    // or a timed background change or a choice runs.
    bool IsBlocked() const;
    // No screen opened from this one is over it.
    bool IsTop() const;
    // A choice was picked: the text speed comes back from the settings and the
    // story goes on.
    void ChoicePicked();

    // A caption over the stage: the chapter, the date, the automatic save.
    void ShowCaption(int unused, float left, float top, const hgl::String &text1, const hgl::String &text2,
                     const hgl::String &picture);

    bool SetState(int value) override;

    void Update() override;
    void EndFrame() override;
    void ProcReturn(hgl::FlowObject *finished) override;
    bool Proc_MouseLeftDown(int x, int y, int flags) override;
    bool Proc_MouseRightDown(int x, int y, int flags) override;
    bool Proc_MouseMiddleDown(int x, int y, int flags) override;
    bool Proc_KeyDown(int key) override;
    bool Proc_JoystickDown(int button) override;

  private:
    const GameWiring &wiring;
    std::unique_ptr<hgl::DevilEngine> engine;
    GameValue values;
    hgl::StackObject<GameStack> calls;
    MessageStage *message = nullptr; // the managers live in the object control
    ChoiceStage *choice = nullptr;
    BackStage *back = nullptr;
    CharStage *chars = nullptr;
    EffectStage *effects = nullptr;
    hgl::gui::Button *frame_button = nullptr;
    std::unique_ptr<Thumbnail> thumbnail;
    std::unique_ptr<ScreenOverlay> red, anime;
    bool capture_pending = false;  // take the thumbnail picture at the end of this frame
    hgl::String pending_thumbnail; // and write it there
    bool overlay_open = false;     // a screen opened from here is over this one

    hgl::String script;
    bool fresh_start = false; // gsRunning starts "main" instead of resuming
    bool skipping = false;
    bool load_failed = false;
    hgl::uint64 wait_since = 0; // the start of the current wait, ms
    bool waiting = false;
    int timed_wait_ms = 0;
    hgl::int64 play_time = 0;
    hgl::uint64 last_update = 0;
    bool counting = false;
    bool advance_asked = false;

    // The story's music, kept for saves.
    hgl::String music;
    bool music_loop = false;

    void MakeStage();
    void RegisterFunctions();

    void CountPlayTime();
    void RunScript();
    void ScriptEnded();
    void WaitMessage();
    void FinishMessage();
    void WaitTimed();
    void ToTitle(const hgl::u16char *why);
    void Leave(hgl::FlowObject *next, FlowObjectState how);
    void OpenScreen(hgl::FlowObject *screen);
    void FrameButtonEntered(hgl::GUIObject *button);
    bool AdvanceInput();
    void DrawOverlays();

    void StartScriptEffects(const hgl::String &name);
    void ShowChapter(const hgl::String &name);

    void FillRecord(SaveRecord &record);
    bool ApplyRecord(const SaveRecord &record);
    bool LoadStage(hgl::TDFNode &root);

    // The script functions.
    void VIB_STP(int n);
    void FANX(int n);
    void ZOOMIN();
    void ZOOMOUT();
    void MSPEED(int n);
    void VIB_MSG(int n);
    void WIN_OFF();
    void EXT_CALL(const hgl::u16char *name);
    void SET_SAVPNT();
    void GAME_END(int n);
    int RGET(const hgl::u16char *name);
    void RSET(const hgl::u16char *name, const hgl::u16char *text);
    void BGM_PLAY(const hgl::u16char *name, int loop);
    void BGM_STOP();
    void SE_PLAY(int channel, const hgl::u16char *name, int loop);
    void SE_STOP(int channel);
    void VOICE_STOP();
    void RED_ON();
    void RED_OFF();
    void ANIME(const hgl::u16char *name);
    void SHOW_DATE(int month, int day, const hgl::u16char *text);
    void WAIT(int tenths);
};

// A new game: an in-game screen on the story's first script.
GameUnit *NewGame(const GameWiring &wiring);
} // namespace avg
