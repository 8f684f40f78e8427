#pragma once
// A streaming player for one sound file: its own thread decodes the file into a
// small ring of OpenAL buffers queued on one source, waking every tenth of a second
// (sooner for very short sounds). The thread only fills buffers; the game reads the
// player's state through the calls below, which take the player's lock.
//
// Stop (and the destructor) end the thread by a stop flag and a join. The archive
// the file came from must outlive the player. Its OpenAL source and buffers are
// made with the player, so a player made while audio is off stays silent.
#include "core/String.h"
#include "io/Thread.h"
#include "sonvex/AudioBuffer.h"
#include "sonvex/AudioDecoder.h"
#include "sonvex/AudioSource.h"

#include <deque>
#include <vector>

namespace hgl
{
class HAC;

class AudioPlayer : public Thread
{
  public:
    static constexpr int BufferCount = 4;
    static constexpr double BufferSeconds = 0.25;
    static constexpr double WakeSeconds = 0.1;
    // Sounds shorter than this are watched more often than WakeSeconds.
    static constexpr double ShortSoundSeconds = 0.5;

  private:
    // One queued buffer: where its first frame lies in the stream of frames queued
    // since Play, and how many frames it holds.
    struct Queued
    {
        AudioBuffer *buffer;
        int64 first;
        int frames;
    };

    AudioDecoder decoder;
    AudioSource source;
    AudioBuffer buffers[BufferCount];
    std::vector<char> pcm;
    std::deque<Queued> queued;
    std::vector<AudioBuffer *> free_buffers;
    Semaphore wake{0, 1};

    String filename;
    bool loop = false;
    bool playing = false;
    bool decoder_end = false;
    int64 frames_queued = 0; // frames queued since Play
    int64 frames_done = 0;   // the stream position after the last buffer played out
    float gain = 1;

    bool FillOne(AudioBuffer *buffer);
    void Reclaim();
    bool Refill();
    void Reset();
    int64 StreamPosition() const;
    double WakeInterval() const;

  public:
    AudioPlayer() = default;
    // Load at once; check IsLoaded.
    AudioPlayer(HAC *archive, const u16char *name);
    ~AudioPlayer() override;

    // Opens a sound file of the archive (stopping what played before). Failures are
    // logged; no thread is started.
    bool Load(HAC *archive, const u16char *name);
    bool IsLoaded();

    // Plays from the start; loop starts again at the end without a gap. False when
    // nothing is loaded or audio is off.
    bool Play(bool loop_it = false);
    // Silences the player at once and ends its thread.
    void Stop();

    bool IsPlaying();
    // Seconds into the file of the sample now heard.
    double GetPlayTime();
    double GetTotalTime();
    void SetGain(float value);
    float GetGain();

    bool Execute() override;
};
} // namespace hgl
