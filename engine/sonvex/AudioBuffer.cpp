#include "sonvex/AudioBuffer.h"

#include "core/Log.h"
#include "sonvex/AudioDecoder.h"
#include "sonvex/backend/OpenALApi.h"

#include <vector>

namespace hgl
{
namespace
{
ALenum Format(int channels, int bits)
{
    if (channels == 1) return bits == 8 ? AL_FORMAT_MONO8 : bits == 16 ? AL_FORMAT_MONO16 : 0;
    if (channels == 2) return bits == 8 ? AL_FORMAT_STEREO8 : bits == 16 ? AL_FORMAT_STEREO16 : 0;
    return 0;
}
} // namespace

AudioBuffer::AudioBuffer()
{
    if (const openal::Api *al = openal::Get())
    {
        ALuint id = 0;
        al->alGenBuffers(1, &id);
        index = al->alGetError() == AL_NO_ERROR ? id : 0;
    }
}

AudioBuffer::AudioBuffer(HAC *archive, const u16char *filename) : AudioBuffer()
{
    Load(archive, filename);
}

AudioBuffer::~AudioBuffer()
{
    const openal::Api *al = openal::Get();
    if (al && index) al->alDeleteBuffers(1, &index);
}

bool AudioBuffer::SetData(int channels, int bits, const void *data, int bytes, int rate)
{
    const openal::Api *al = openal::Get();
    const ALenum format = Format(channels, bits);
    if (!al || !index || !format || !data || bytes <= 0 || rate <= 0) return false;

    al->alBufferData(index, format, data, bytes, rate);
    if (al->alGetError() != AL_NO_ERROR) return false;
    seconds = double(bytes) / (channels * bits / 8) / rate;
    return true;
}

bool AudioBuffer::Load(HAC *archive, const u16char *filename)
{
    if (!openal::Get()) return false;

    AudioDecoder decoder;
    if (!decoder.Open(archive, filename)) return false;
    if (decoder.GetSeconds() > MaxSeconds)
    {
        PutError(u"声音文件<%s>太长, 不能整个载入", filename);
        return false;
    }

    // The reported length is only a hint: read in steps, bounded by the limit.
    const size_t limit = size_t(MaxSeconds * decoder.GetRate()) * decoder.FrameBytes();
    const int step = decoder.GetRate() * decoder.FrameBytes();
    std::vector<char> pcm;
    for (int got = 1; got > 0 && pcm.size() < limit;)
    {
        const size_t have = pcm.size();
        pcm.resize(have + size_t(step));
        got = decoder.Read(pcm.data() + have, step);
        pcm.resize(have + size_t(got > 0 ? got : 0));
        if (got < 0)
        {
            PutError(u"解码声音文件<%s>失败", filename);
            return false;
        }
    }
    return SetData(decoder.GetChannels(), 16, pcm.data(), int(pcm.size()), decoder.GetRate());
}
} // namespace hgl
