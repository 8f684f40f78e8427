#pragma once
// The game's sound: one music player, two sound-effect channels for the script,
// one source for the system sounds of the menus, and one voice. Files come from
// "Data.hac"; volumes from the audio settings (gain = value x 0.001). Without
// audio every call is harmless and reports nothing playing.
#include "core/String.h"

namespace hgl
{
class DevilVM;
}

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
// Seconds played of the current music; 0 without one.
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

// Registers the script's sound functions: "void BGM_PLAY(string,int)",
// "void BGM_STOP()", "void SE_PLAY(int,string,int)" (channel, name, loop) and
// "void SE_STOP(int)" (channel).
bool RegisterSoundFunctions(hgl::DevilVM *vm);

// Stops and releases every player; before the audio device closes.
void FreeGameAudio();

// Hears every request made of the game's sound before it is carried out, whether
// or not it can be played (tests keep a record of them).
class AudioWatch
{
  public:
    virtual ~AudioWatch() = default;
    virtual void OnPlayBGM(const hgl::String &, bool) {}
    virtual void OnStopBGM() {}
    virtual void OnSetBGMVolume(int) {}
    virtual void OnPlayScriptSE(int, const hgl::String &, bool) {}
    virtual void OnStopScriptSE(int) {}
    virtual void OnSetSEVolume(int) {}
    virtual void OnPlaySystemSound(int, bool) {}
    virtual void OnPlayVoice(const hgl::String &) {}
    virtual void OnStopVoice() {}
};
// The watch is not owned; null ends the watching.
void SetAudioWatch(AudioWatch *watch);
} // namespace avg
