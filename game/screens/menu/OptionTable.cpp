#include "game/screens/menu/OptionTable.h"

#include "game/core/Config.h"
#include "game/core/GameAudio.h"
#include "game/core/GameUnit.h"

namespace avg
{
namespace
{
using config::audio_config;
using config::graphics_config;

int GetSpeed()
{
    return graphics_config.Speed;
}
void SetSpeed(int v)
{
    graphics_config.Speed = hgl::uint8(v);
}
int GetAutoSave()
{
    return graphics_config.AutoSave;
}
void SetAutoSave(int v)
{
    graphics_config.AutoSave = hgl::uint8(v);
}
int GetVoice()
{
    return audio_config.Voice;
}
void SetVoice(int v)
{
    audio_config.Voice = v;
}
int GetBGM()
{
    return audio_config.BGM;
}
void SetBGM(int v)
{
    audio_config.BGM = v;
}
int GetSE()
{
    return audio_config.SE;
}
void SetSE(int v)
{
    audio_config.SE = v;
}
int GetTextSpeed()
{
    return graphics_config.TextSpeed;
}
void SetTextSpeed(int v)
{
    graphics_config.TextSpeed = v;
}
int GetEndWait()
{
    return graphics_config.EndWaitTime;
}
void SetEndWait(int v)
{
    graphics_config.EndWaitTime = v;
}

void ApplySkipRule(GameUnit *game, MessageStage *, int value)
{
    if (game) game->SkipReadOnly = value != 0;
}
void ApplyMusicVolume(GameUnit *, MessageStage *, int value)
{
    bgm::SetBGMVolume(value);
}
void ApplySoundVolume(GameUnit *, MessageStage *, int value)
{
    SetSEVolume(value);
}
// 0 asks the window for the configured speed, just written.
void ApplyTextSpeed(GameUnit *, MessageStage *message, int)
{
    if (message) message->SetTextSpeed(0);
}

// The row keyed "sounds" holds the voice volume and the row keyed "voice" the
// sound-effect volume: the keys name the item pictures, not the settings.
const OptionRow kRows[kOptionRowCount] = {
    {u"quickmode", true, 2, {{u"Already", 1, 0.25f}, {u"All", 0, 0.75f}}, GetSpeed, SetSpeed, ApplySkipRule},
    {u"autosave", true, 2, {{u"open", 1, 0.25f}, {u"close", 0, 0.75f}}, GetAutoSave, SetAutoSave, nullptr},
    {u"sounds",
     false,
     4,
     {{u"null", 0, 0.2f}, {u"small", 333, 0.4f}, {u"normal", 666, 0.6f}, {u"big", 1000, 0.8f}},
     GetVoice,
     SetVoice,
     nullptr},
    {u"music",
     false,
     4,
     {{u"null", 0, 0.2f}, {u"small", 20, 0.4f}, {u"normal", 40, 0.6f}, {u"big", 80, 0.8f}},
     GetBGM,
     SetBGM,
     ApplyMusicVolume},
    {u"voice",
     false,
     4,
     {{u"null", 0, 0.2f}, {u"small", 20, 0.4f}, {u"normal", 40, 0.6f}, {u"big", 80, 0.8f}},
     GetSE,
     SetSE,
     ApplySoundVolume},
    {u"wordspeed",
     false,
     4,
     {{u"slow", 10, 0.2f}, {u"normal", 40, 0.4f}, {u"fast", 70, 0.6f}, {u"veryfast", 100, 0.8f}},
     GetTextSpeed,
     SetTextSpeed,
     ApplyTextSpeed},
    {u"autospeed",
     false,
     4,
     {{u"slow", 10000, 0.2f}, {u"normal", 7000, 0.4f}, {u"fast", 4000, 0.6f}, {u"veryfast", 1000, 0.8f}},
     GetEndWait,
     SetEndWait,
     nullptr},
};
} // namespace

const hgl::u16char *const kChoicePictures[kChoicePictureCount] = {u"Already", u"All",   u"open",    u"close",
                                                                  u"null",    u"small", u"normal",  u"big",
                                                                  u"slow",    u"fast",  u"veryfast"};

const OptionRow &GetOptionRow(int index)
{
    return kRows[index >= 0 && index < kOptionRowCount ? index : 0];
}

int MatchOptionChoice(const OptionRow &row, int value)
{
    if (row.is_switch) return value != 0 ? 0 : 1;
    for (int i = 0; i < row.choice_count; ++i)
        if (row.choices[i].value == value) return i;
    return -1;
}

hgl::String OptionPicture(const hgl::u16char *name)
{
    hgl::String path(u"option\\");
    path += name;
    path += u".HGP";
    return path;
}
} // namespace avg
