#pragma once
// The game's sound: one music player, two sound-effect channels for the script,
// one source for the system sounds of the menus, and one voice. Files come from
// "Data.hac"; volumes from the audio settings (gain = value x 0.001). Without
// audio every call is harmless and reports nothing playing.
#include "core/String.h"

#include <functional>

namespace avg
{
namespace bgm
{
// Plays "BGM\<name>.ogg" at the music volume and marks the name heard. The same
// name (any case) while it still plays is left alone. 1 started, 0 already
// playing, -1 failed (logged).
int PlayBGM(const hgl::String &name, bool loop);
// Stops the music and forgets its name.
void StopBGM();
// Seconds played of the current music; 0 without one. Music played once that
// has ended goes on counting on the engine clock until StopBGM or the next
// PlayBGM.
double GetBGMPlayTime();
// Gain of the playing music; nothing without one.
void SetBGMVolume(int value);
} // namespace bgm

constexpr int kScriptSEChannels = 2;
constexpr int kSystemSoundCount = 24;

// Plays "SE\<name>.ogg" on script channel 0 or 1 at the sound-effect volume.
bool PlayScriptSE(int channel, const hgl::String &name, bool loop);
// Stops script channel 0 or 1; every channel with kAllScriptSE.
constexpr int kAllScriptSE = -1;
void StopScriptSE(int channel = kAllScriptSE);
// Gain of both script channels and of the system-sound source, each if it exists.
void SetSEVolume(int value);

// System sound n (1 .. 24): "se_system\sysse%02d.ogg" with n - 1. While a
// protected one plays, further system sounds are ignored.
void PlaySystemSound(int n, bool protect);

// When voice is on, replaces the current voice with "Voice\<name>" (".ogg"
// appended when the name has no extension) at the voice volume read now, and
// returns its length in whole seconds; 0 without a voice.
int PlayVoice(const hgl::String &name);
void StopVoice();

// Stops and releases every player; before the audio device closes.
void FreeGameAudio();

// Stand-ins for the players (the tests' silent, recording audio): while one is
// set, its call only reaches it, after the call's own checks; PlayVoice then gives
// the whole seconds of the length its hook returns, and PlayBGM still marks the
// music heard.
struct AudioHooks
{
    std::function<double(const hgl::String &name)> voice; // the length in seconds
    std::function<void()> stop_voice;
    std::function<void(int n, bool protect)> system_sound;
    std::function<void(const hgl::String &name, bool loop)> music;
    std::function<void()> stop_music;
    std::function<void(int value)> music_volume;
    std::function<double()> music_time; // seconds played of the music
    std::function<void(int channel, const hgl::String &name, bool loop)> sound_effect;
    std::function<void(int channel)> stop_sound_effect; // kAllScriptSE: both channels
    std::function<void(int value)> sound_effect_volume;
};
void SetAudioHooks(const AudioHooks &hooks);
const AudioHooks &GetAudioHooks();
} // namespace avg
