#pragma once
// The seven option pages, one per row of the options screen, each with a click
// handler per choice named after the choice's picture.
#include "game/screens/menu/OptionSub.h"

namespace avg
{
// Every page takes its rectangle in canvas units, a name it does not keep, the
// running game and its message window.

// "speed": skipping stops at the first unread message, or skips everything.
class HighSpeedMode : public OptionRowPage
{
  public:
    HighSpeedMode(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
                  MessageStage *message_window);
    void ChooseAlready(hgl::gui::Button *) { Choose(0); }
    void ChooseAll(hgl::gui::Button *) { Choose(1); }
};

// "AutoSave": the automatic save after the story moves to another script.
class AutoSave : public OptionRowPage
{
  public:
    AutoSave(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
             MessageStage *message_window);
    void ChooseOpen(hgl::gui::Button *) { Choose(0); }
    void ChooseClose(hgl::gui::Button *) { Choose(1); }
};

// "Voice": the voice volume, heard from the next voice on.
class SoundOpen : public OptionRowPage
{
  public:
    SoundOpen(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
              MessageStage *message_window);
    void ChooseNull(hgl::gui::Button *) { Choose(0); }
    void ChooseSmall(hgl::gui::Button *) { Choose(1); }
    void ChooseNormal(hgl::gui::Button *) { Choose(2); }
    void ChooseBig(hgl::gui::Button *) { Choose(3); }
};

// "BGM": the music volume, at once.
class MusicRate : public OptionRowPage
{
  public:
    MusicRate(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
              MessageStage *message_window);
    void ChooseNull(hgl::gui::Button *) { Choose(0); }
    void ChooseSmall(hgl::gui::Button *) { Choose(1); }
    void ChooseNormal(hgl::gui::Button *) { Choose(2); }
    void ChooseBig(hgl::gui::Button *) { Choose(3); }
};

// "SE": the sound-effect volume, at once.
class VoiceRate : public OptionRowPage
{
  public:
    VoiceRate(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
              MessageStage *message_window);
    void ChooseNull(hgl::gui::Button *) { Choose(0); }
    void ChooseSmall(hgl::gui::Button *) { Choose(1); }
    void ChooseNormal(hgl::gui::Button *) { Choose(2); }
    void ChooseBig(hgl::gui::Button *) { Choose(3); }
};

// "Text Speed": the message window's speed, at once.
class WordRate : public OptionRowPage
{
  public:
    WordRate(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
             MessageStage *message_window);
    void ChooseSlow(hgl::gui::Button *) { Choose(0); }
    void ChooseNormal(hgl::gui::Button *) { Choose(1); }
    void ChooseFast(hgl::gui::Button *) { Choose(2); }
    void ChooseVeryFast(hgl::gui::Button *) { Choose(3); }
};

// "End Wait Time": the wait after a message in auto mode, read at each wait.
class AutoPlaySpeed : public OptionRowPage
{
  public:
    AutoPlaySpeed(float l, float t, float w, float h, const hgl::String &name, GameUnit *game_unit,
                  MessageStage *message_window);
    void ChooseSlow(hgl::gui::Button *) { Choose(0); }
    void ChooseNormal(hgl::gui::Button *) { Choose(1); }
    void ChooseFast(hgl::gui::Button *) { Choose(2); }
    void ChooseVeryFast(hgl::gui::Button *) { Choose(3); }
};

// The page of the options screen's row (0 to 6), or null.
OptionSub *NewOptionPage(int row, float l, float t, float w, float h, const hgl::String &name,
                         GameUnit *game_unit, MessageStage *message_window);
} // namespace avg
