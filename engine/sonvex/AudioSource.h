#pragma once
// One OpenAL source: plays a linked buffer, or a queue of buffers for the streaming
// player. Without OpenAL every call does nothing and reads give their neutral value.
#include "core/Property.h"
#include "core/Types.h"

namespace hgl
{
class AudioBuffer;

enum AudioSourceState
{
    assNone = 0, // no source (audio off)
    assInitial,
    assPlaying,
    assPaused,
    assStopped,
};

class AudioSource
{
    unsigned int index = 0;
    float gain = 1;
    bool loop = false;

    float GetGain() const { return gain; }
    bool GetLoop() const { return loop; }
    int GetStateValue() const { return GetState(); }
    void InitPrivate();

  public:
    Property<float> Gain;    // linear, 1 = unchanged
    Property<bool> Loop;     // a linked buffer starts again at its end
    Property<double> Offset; // seconds into the linked buffer (or the queue)
    Property<int> State;     // AudioSourceState, read only

    AudioSource();
    ~AudioSource();
    AudioSource(const AudioSource &) = delete;
    AudioSource &operator=(const AudioSource &) = delete;

    unsigned int GetIndex() const { return index; }

    void SetGain(float value);
    void SetLoop(bool value);
    double GetOffset() const;
    void SetOffset(double seconds);
    AudioSourceState GetState() const;

    bool Link(const AudioBuffer *buffer);
    void Unlink();
    bool Play();
    bool Play(bool loop_it);
    void Stop();
    void Pause();
    void Rewind();

    // The streaming player's queue.
    bool Queue(unsigned int buffer);
    // Takes back one buffer the source has played (0 when none has finished).
    unsigned int UnqueueProcessed();
    // Takes back every buffer, played or not (the source is stopped first).
    void UnqueueAll();
    // Samples played of the buffer now playing, counted from the queue's head.
    int GetSampleOffset() const;
};
} // namespace hgl
