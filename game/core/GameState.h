#pragma once
// The state of the in-game screen, which decides what its update does each frame.
// The stage managers set it when they make the story wait; the screen sets it when
// it resumes, waits on its own or leaves.
namespace avg
{
enum GameState : int
{
    gsNone = 0,
    gsRunning = 1,      // the script engine is resumed at the next update
    gsBackChange = 2,   // a timed background change runs; the engine is paused
    gsMessage = 3,      // a message waits; the player may hide the window
    gsHidden = 4,       // the player hid the message window
    gsMessageFixed = 5, // a message waits; the window cannot be hidden
    gsChoice = 6,       // a choice is open
    gsTimedWait = 7,    // a WAIT runs out
    gsScriptEnded = 8,  // the story script ended with no caller left
    gsLeaving = 9,      // the screen has handed over to the next one
};

constexpr int kFirstGameState = gsRunning;
constexpr int kLastGameState = gsLeaving;

class GameStateControl
{
    GameState state = gsRunning;

  public:
    virtual ~GameStateControl() = default;

    GameState GetState() const { return state; }
    // Takes gsRunning to gsLeaving; any other value is logged and leaves the state
    // as it was.
    virtual bool SetState(int value);
};
} // namespace avg
