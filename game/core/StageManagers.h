#pragma once
// What the in-game screen asks of the managers that make up the stage: the message
// window, the choice menu, the backgrounds, the characters (with their speaker icons)
// and the effects. Each is an object of the screen's object control, registers its
// script functions into the screen's engine when it is made, and writes and reads
// its own nodes of a save under the save's root. The screen makes them through the
// StageFactory of the game's wiring.
#include "core/RectScope.h"
#include "core/String.h"
#include "framework/EventObject.h"

#include <functional>
#include <memory>

namespace hgl
{
class TDFNode;
class TileFont;
class VisualObject;
} // namespace hgl

// One message as the backlog lists it: the voice it played (empty for novel and
// centred lines) and the text as the script passed it, speaker and markup included.
struct KQ7Message
{
    hgl::String voice;
    hgl::String text;
};

namespace avg
{
class GameUnit;

class StageManager : public hgl::EventObject
{
  public:
    ~StageManager() override = default;
    virtual bool SaveState(hgl::TDFNode *root) = 0;
    // False when a node is there but damaged.
    virtual bool LoadState(hgl::TDFNode *root) = 0;
};

class MessageStage : public StageManager
{
  public:
    // Messages compiled from now on are only recorded in the script's index.
    virtual void BeginCollect() = 0;
    // Writes the read index of the script left behind.
    virtual void CloseHistory() = 0;
    // Reads the script's read index and ends collecting.
    virtual void LoadHistory(const hgl::String &script) = 0;

    virtual bool IsTextComplete() const = 0;
    virtual bool IsRead() const = 0;
    virtual void MarkRead() = 0;
    // The auto-play wait of the current message, ms.
    virtual int WaitMs() const = 0;
    // Shows the next part of the message; false when the message is over.
    virtual bool Advance(bool force) = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void BeginSkip() = 0;
    virtual void EndSkip() = 0;
    virtual void SetTextSpeed(int speed) = 0;
    virtual void StartShake(int ms) = 0;
    virtual void WindowOff() = 0;
    // The frame button that opens the quick menu when the pointer enters it; false
    // when the window has none.
    virtual bool GetFrameButton(hgl::RectScope2<float> &) const { return false; }

    // The messages shown since the current script began, oldest first: what the
    // backlog lists. Null for an index out of range.
    virtual int GetMessageCount() const { return 0; }
    virtual const KQ7Message *GetMessage(int) const { return nullptr; }
};

class ChoiceStage : public StageManager
{
  public:
    // The options shown: 0 while no choice is open.
    virtual int GetCount() const = 0;
};

class BackStage : public StageManager
{
  public:
    virtual void StartShake(int ms) = 0;
    virtual void StartInvert(int ms) = 0;
    // Moves the view to the part (left, top, width, height as fractions) over ms.
    virtual void FadeToPart(int ms, float left, float top, float width, float height) = 0;
    virtual void SetDark(bool dark) = 0;
    // The scene is dark: the characters are tinted grey.
    virtual bool IsDark() const { return false; }
};

class CharStage : public StageManager
{
  public:
    virtual void ZoomInAll() = 0;
    virtual void ZoomOutAll() = 0;
    virtual void SetSkip(bool skip) = 0;
    // A character is still moving or fading: a waiting message holds until it ends.
    virtual bool IsMoving() const = 0;
};

enum WeatherEffect
{
    weRain,
    weSun,
    wePetals,
    weSnow,
};

class EffectStage : public StageManager
{
  public:
    virtual void StartWeather(WeatherEffect effect) = 0;
    // Ends every effect.
    virtual void ClearEffects() = 0;
};

// A caption over the stage; a new caption at the same place takes over from it.
class CaptionPlace
{
  public:
    virtual ~CaptionPlace() = default;
    virtual bool IsAt(float left, float top) const = 0;
};

class ScreenOverlay;

// Makes the managers of one in-game screen. Each maker gets the screen, whose
// engine, state control and story values it uses. The five managers and the
// caption must be given; the overlays fall back on the plain ScreenOverlay.
struct StageFactory
{
    std::function<MessageStage *(GameUnit &)> message;
    std::function<ChoiceStage *(GameUnit &)> choice;
    std::function<BackStage *(GameUnit &)> back;
    std::function<CharStage *(GameUnit &)> chars;
    std::function<EffectStage *(GameUnit &)> effects;
    // The full-screen overlays (ScreenOverlay::Mode) and the captions (font null:
    // the caption's own); the object made must also be a CaptionPlace.
    std::function<ScreenOverlay *(int mode)> overlay;
    std::function<hgl::VisualObject *(float left, float top, const hgl::String &text1,
                                      const hgl::String &text2, const hgl::String &picture,
                                      hgl::TileFont *font)>
        caption;
};
} // namespace avg
