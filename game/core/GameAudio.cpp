#include "game/core/GameAudio.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/GameRecord.h"
#include "game/core/UpperName.h"
#include "io/Time.h"
#include "sonvex/AudioPlayer.h"

#include <memory>

namespace avg
{
namespace
{
struct GameAudio
{
    std::unique_ptr<hgl::AudioPlayer> music;
    hgl::String music_name; // upper-cased, empty when no music was started
    // A track played once that has ended goes on counting on the engine clock
    // from the moment its end was first seen, so that whoever waits for a
    // declared length gets there whether the file is shorter or longer.
    bool music_once = false;
    bool music_over = false;
    double over_play_time = 0; // the track's time when its end was seen
    double over_at = 0;        // engine seconds then
    std::unique_ptr<hgl::AudioPlayer> script_se[kScriptSEChannels];
    std::unique_ptr<hgl::AudioPlayer> system;
    bool system_protected = false;
    std::unique_ptr<hgl::AudioPlayer> voice;
};

GameAudio audio;
AudioHooks hooks;

// Loads the file into the player (made when missing) and starts it at gain;
// false (logged) when it cannot be played.
bool Start(std::unique_ptr<hgl::AudioPlayer> &player, const hgl::String &path, int volume, bool loop)
{
    if (!player) player = std::make_unique<hgl::AudioPlayer>();
    if (!player->Load(GetDataHAC(), path.c_str()))
    {
        hgl::PutError(u"播放声音<%s>失败!", path.c_str());
        return false;
    }
    player->SetGain(config::VolumeGain(volume));
    return player->Play(loop);
}

void SetGain(std::unique_ptr<hgl::AudioPlayer> &player, int volume)
{
    if (player) player->SetGain(config::VolumeGain(volume));
}

bool HasExtension(const hgl::String &name)
{
    const int dot = name.FindRightChar(u'.');
    return dot >= 0 && dot > name.FindRightChar(u'\\');
}
} // namespace

namespace bgm
{
int PlayBGM(const hgl::String &name, bool loop)
{
    const hgl::String upper = UpperName(name);
    if (upper.IsEmpty()) return -1;
    if (hooks.music)
    {
        hooks.music(name, loop);
        MarkBGMHeard(upper);
        return 1;
    }
    if (audio.music && audio.music_name == upper && audio.music->IsPlaying())
    {
        MarkBGMHeard(upper);
        return 0;
    }
    audio.music_name.Clear();
    audio.music_once = audio.music_over = false;
    if (!Start(audio.music, hgl::String(u"BGM\\") + name + u".ogg", config::audio_config.BGM, loop))
        return -1;
    audio.music_name = upper;
    audio.music_once = !loop;
    MarkBGMHeard(upper);
    return 1;
}

void StopBGM()
{
    if (hooks.stop_music) hooks.stop_music();
    audio.music.reset();
    audio.music_name.Clear();
    audio.music_once = audio.music_over = false;
}

double GetBGMPlayTime()
{
    if (hooks.music_time) return hooks.music_time();
    if (!audio.music) return 0.0;
    if (audio.music_once && !audio.music_over && !audio.music->IsPlaying())
    {
        audio.music_over = true;
        audio.over_play_time = audio.music->GetPlayTime();
        audio.over_at = hgl::GetDoubleTime();
    }
    if (audio.music_over) return audio.over_play_time + (hgl::GetDoubleTime() - audio.over_at);
    return audio.music->GetPlayTime();
}

void SetBGMVolume(int value)
{
    if (hooks.music_volume)
    {
        hooks.music_volume(value);
        return;
    }
    SetGain(audio.music, value);
}
} // namespace bgm

bool PlayScriptSE(int channel, const hgl::String &name, bool loop)
{
    if (channel < 0 || channel >= kScriptSEChannels)
    {
        hgl::PutError(u"音效通道<%d>不存在!", channel);
        return false;
    }
    if (hooks.sound_effect)
    {
        hooks.sound_effect(channel, name, loop);
        return true;
    }
    return Start(audio.script_se[channel], hgl::String(u"SE\\") + name + u".ogg", config::audio_config.SE,
                 loop);
}

void StopScriptSE(int channel)
{
    if (hooks.stop_sound_effect && (channel == kAllScriptSE || (channel >= 0 && channel < kScriptSEChannels)))
    {
        hooks.stop_sound_effect(channel);
        return;
    }
    if (channel == kAllScriptSE)
    {
        for (auto &player : audio.script_se)
            if (player) player->Stop();
        return;
    }
    if (channel < 0 || channel >= kScriptSEChannels)
    {
        hgl::PutError(u"音效通道<%d>不存在!", channel);
        return;
    }
    if (audio.script_se[channel]) audio.script_se[channel]->Stop();
}

void SetSEVolume(int value)
{
    if (hooks.sound_effect_volume)
    {
        hooks.sound_effect_volume(value);
        return;
    }
    for (auto &player : audio.script_se)
        SetGain(player, value);
    SetGain(audio.system, value);
}

void PlaySystemSound(int n, bool protect)
{
    if (n < 1 || n > kSystemSoundCount)
    {
        hgl::PutError(u"系统音效编号<%d>无效!", n);
        return;
    }
    if (hooks.system_sound)
    {
        hooks.system_sound(n, protect);
        return;
    }
    if (audio.system && audio.system_protected && audio.system->IsPlaying()) return;
    hgl::String path;
    path.Sprintf(u"se_system\\sysse%02d.ogg", n - 1);
    audio.system_protected = Start(audio.system, path, config::audio_config.SE, false) && protect;
}

int PlayVoice(const hgl::String &name)
{
    if (!config::audio_config.VoiceOn() || name.IsEmpty()) return 0;
    if (hooks.voice) return int(hooks.voice(name));
    hgl::String path = hgl::String(u"Voice\\") + name;
    if (!HasExtension(name)) path += u".ogg";
    if (audio.voice) audio.voice->Stop();
    if (!Start(audio.voice, path, config::audio_config.Voice, false)) return 0;
    return int(audio.voice->GetTotalTime());
}

void StopVoice()
{
    if (hooks.stop_voice)
    {
        hooks.stop_voice();
        return;
    }
    if (audio.voice) audio.voice->Stop();
}

void FreeGameAudio()
{
    audio = GameAudio();
}

void SetAudioHooks(const AudioHooks &stand_ins)
{
    hooks = stand_ins;
}

const AudioHooks &GetAudioHooks()
{
    return hooks;
}
} // namespace avg
