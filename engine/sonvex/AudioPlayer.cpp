#include "sonvex/AudioPlayer.h"

#include "core/Log.h"
#include "sonvex/OpenAL.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace hgl
{
namespace
{
constexpr double MinWakeSeconds = 0.01;
constexpr double ShortSoundWakes = 5; // wakes within one pass of a short sound
} // namespace

AudioPlayer::AudioPlayer(HAC *archive, const u16char *name)
{
    Load(archive, name);
}

AudioPlayer::~AudioPlayer()
{
    Stop();
}

bool AudioPlayer::Load(HAC *archive, const u16char *name)
{
    Stop();
    std::lock_guard<ThreadMutex> guard(*this);
    filename = name ? String(name) : String();
    if (!decoder.Open(archive, name)) return false;
    pcm.resize(size_t(std::lround(decoder.GetRate() * BufferSeconds)) * size_t(decoder.FrameBytes()));
    return true;
}

bool AudioPlayer::IsLoaded()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return decoder.IsOpen();
}

double AudioPlayer::WakeInterval() const
{
    const double total = decoder.GetSeconds();
    if (total >= ShortSoundSeconds) return WakeSeconds;
    return std::max(MinWakeSeconds, total / ShortSoundWakes);
}

// Decodes one buffer's worth, going round to the start when looping.
bool AudioPlayer::FillOne(AudioBuffer *buffer)
{
    int filled = 0;
    bool restarted = false;
    while (filled < int(pcm.size()) && !decoder_end)
    {
        const int got = decoder.Read(pcm.data() + filled, int(pcm.size()) - filled);
        if (got > 0)
        {
            filled += got;
            restarted = false;
            continue;
        }
        if (got < 0) PutError(u"解码声音文件<%s>出错", filename.c_str());
        // A file that yields nothing after a restart would spin: end it.
        if (got < 0 || !loop || restarted || !decoder.Restart()) decoder_end = true;
        restarted = true;
    }

    if (filled == 0) return false;
    if (!buffer->SetData(decoder.GetChannels(), 16, pcm.data(), filled, decoder.GetRate()) ||
        !source.Queue(buffer->GetIndex()))
        return false;

    const int frames = filled / decoder.FrameBytes();
    queued.push_back({buffer, frames_queued, frames});
    frames_queued += frames;
    return true;
}

// Takes back the buffers the source has played.
void AudioPlayer::Reclaim()
{
    while (!queued.empty())
    {
        const unsigned int id = source.UnqueueProcessed();
        if (!id) break;
        const Queued &q = queued.front();
        frames_done = q.first + q.frames;
        free_buffers.push_back(q.buffer);
        queued.pop_front();
    }
}

// One pass of the thread: reclaim, refill, requeue, and restart a source that ran
// dry. False once everything has played out.
bool AudioPlayer::Refill()
{
    Reclaim();
    while (!free_buffers.empty() && !decoder_end)
    {
        if (!FillOne(free_buffers.back())) break;
        free_buffers.pop_back();
    }

    if (queued.empty()) return false;
    if (source.GetState() != assPlaying) source.Play(); // starved, or just primed
    return true;
}

void AudioPlayer::Reset()
{
    source.UnqueueAll();
    queued.clear();
    free_buffers.clear();
    for (AudioBuffer &b : buffers)
        free_buffers.push_back(&b);
    decoder_end = false;
    frames_queued = frames_done = 0;
    if (decoder.IsOpen()) decoder.Restart();
}

bool AudioPlayer::Play(bool loop_it)
{
    Stop();
    {
        std::lock_guard<ThreadMutex> guard(*this);
        if (!decoder.IsOpen() || !IsOpenALReady() || !source.GetIndex()) return false;
        loop = loop_it;
        source.SetLoop(false);
        source.SetGain(gain);
        if (!Refill()) return false;
        playing = true;
    }
    if (!Start())
    {
        PutError(u"无法启动声音文件<%s>的播放线程", filename.c_str());
        Stop();
        return false;
    }
    return true;
}

void AudioPlayer::Stop()
{
    RequestStop();
    wake.Release(1);
    Close();

    std::lock_guard<ThreadMutex> guard(*this);
    playing = false;
    Reset();
    while (wake.TryAcquire())
    {
    }
}

bool AudioPlayer::Execute()
{
    const double interval = WakeInterval();
    while (!IsStopRequested())
    {
        {
            std::lock_guard<ThreadMutex> guard(*this);
            if (!Refill())
            {
                playing = false;
                break;
            }
        }
        wake.Acquire(interval);
    }
    return true;
}

bool AudioPlayer::IsPlaying()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return playing;
}

int64 AudioPlayer::StreamPosition() const
{
    if (queued.empty()) return frames_done;
    // A stopped streaming source has played all it was given (and reports offset 0).
    if (source.GetState() == assStopped) return frames_queued;
    const int64 offset = std::clamp<int64>(source.GetSampleOffset(), 0, frames_queued - queued.front().first);
    return queued.front().first + offset;
}

double AudioPlayer::GetPlayTime()
{
    std::lock_guard<ThreadMutex> guard(*this);
    if (!decoder.IsOpen()) return 0;
    const int64 total = int64(std::llround(decoder.GetSeconds() * decoder.GetRate()));
    int64 at = StreamPosition();
    if (total > 0) at = loop ? at % total : std::min(at, total);
    return double(at) / decoder.GetRate();
}

double AudioPlayer::GetTotalTime()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return decoder.GetSeconds();
}

void AudioPlayer::SetGain(float value)
{
    std::lock_guard<ThreadMutex> guard(*this);
    gain = value < 0 ? 0 : value;
    source.SetGain(gain);
}

float AudioPlayer::GetGain()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return gain;
}
} // namespace hgl
