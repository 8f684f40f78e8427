#include "sonvex/AudioSource.h"

#include "sonvex/AudioBuffer.h"
#include "sonvex/backend/OpenALApi.h"

namespace hgl
{
namespace
{
// The table when audio is on and the source exists, else null.
const openal::Api *Live(unsigned int index)
{
    return index ? openal::Get() : nullptr;
}

int SourceInt(unsigned int index, ALenum param)
{
    ALint v = 0;
    if (const openal::Api *al = Live(index)) al->alGetSourcei(index, param, &v);
    return v;
}
} // namespace

void AudioSource::InitPrivate()
{
    Gain.Bind<&AudioSource::GetGain, &AudioSource::SetGain>(this);
    Loop.Bind<&AudioSource::GetLoop, &AudioSource::SetLoop>(this);
    Offset.Bind<&AudioSource::GetOffset, &AudioSource::SetOffset>(this);
    State.Bind<&AudioSource::GetStateValue>(this);
}

AudioSource::AudioSource()
{
    InitPrivate();
    if (const openal::Api *al = openal::Get())
    {
        ALuint id = 0;
        al->alGenSources(1, &id);
        index = al->alGetError() == AL_NO_ERROR ? id : 0;
    }
}

AudioSource::~AudioSource()
{
    if (const openal::Api *al = Live(index))
    {
        al->alSourceStop(index);
        al->alSourcei(index, AL_BUFFER, 0);
        al->alDeleteSources(1, &index);
    }
}

void AudioSource::SetGain(float value)
{
    gain = value < 0 ? 0 : value;
    if (const openal::Api *al = Live(index)) al->alSourcef(index, AL_GAIN, gain);
}

void AudioSource::SetLoop(bool value)
{
    loop = value;
    if (const openal::Api *al = Live(index)) al->alSourcei(index, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
}

double AudioSource::GetOffset() const
{
    ALfloat v = 0;
    if (const openal::Api *al = Live(index)) al->alGetSourcef(index, AL_SEC_OFFSET, &v);
    return v;
}

void AudioSource::SetOffset(double seconds)
{
    if (const openal::Api *al = Live(index))
        al->alSourcef(index, AL_SEC_OFFSET, ALfloat(seconds < 0 ? 0 : seconds));
}

AudioSourceState AudioSource::GetState() const
{
    if (!Live(index)) return assNone;
    switch (SourceInt(index, AL_SOURCE_STATE))
    {
    case AL_PLAYING:
        return assPlaying;
    case AL_PAUSED:
        return assPaused;
    case AL_STOPPED:
        return assStopped;
    default:
        return assInitial;
    }
}

bool AudioSource::Link(const AudioBuffer *buffer)
{
    const openal::Api *al = Live(index);
    if (!al || !buffer || !buffer->GetIndex()) return false;
    al->alSourceStop(index);
    al->alSourcei(index, AL_BUFFER, ALint(buffer->GetIndex()));
    return al->alGetError() == AL_NO_ERROR;
}

void AudioSource::Unlink()
{
    if (const openal::Api *al = Live(index))
    {
        al->alSourceStop(index);
        al->alSourcei(index, AL_BUFFER, 0);
    }
}

bool AudioSource::Play()
{
    const openal::Api *al = Live(index);
    if (!al) return false;
    al->alSourcePlay(index);
    return al->alGetError() == AL_NO_ERROR;
}

bool AudioSource::Play(bool loop_it)
{
    SetLoop(loop_it);
    return Play();
}

void AudioSource::Stop()
{
    if (const openal::Api *al = Live(index)) al->alSourceStop(index);
}

void AudioSource::Pause()
{
    if (const openal::Api *al = Live(index)) al->alSourcePause(index);
}

void AudioSource::Rewind()
{
    if (const openal::Api *al = Live(index)) al->alSourceRewind(index);
}

bool AudioSource::Queue(unsigned int buffer)
{
    const openal::Api *al = Live(index);
    if (!al || !buffer) return false;
    al->alSourceQueueBuffers(index, 1, &buffer);
    return al->alGetError() == AL_NO_ERROR;
}

unsigned int AudioSource::UnqueueProcessed()
{
    const openal::Api *al = Live(index);
    if (!al || SourceInt(index, AL_BUFFERS_PROCESSED) < 1) return 0;
    ALuint id = 0;
    al->alSourceUnqueueBuffers(index, 1, &id);
    return al->alGetError() == AL_NO_ERROR ? id : 0;
}

void AudioSource::UnqueueAll()
{
    if (const openal::Api *al = Live(index))
    {
        al->alSourceStop(index);
        al->alSourcei(index, AL_BUFFER, 0); // empties the queue of a stopped source
    }
}

int AudioSource::GetSampleOffset() const
{
    return SourceInt(index, AL_SAMPLE_OFFSET);
}
} // namespace hgl
