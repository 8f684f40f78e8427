#pragma once
// One OpenAL buffer of PCM samples. Without OpenAL it holds nothing and every call
// fails harmlessly.
#include "core/Types.h"

namespace hgl
{
class HAC;

class AudioBuffer
{
    unsigned int index = 0;
    double seconds = 0;

  public:
    AudioBuffer();
    // A buffer holding the whole decoded file (see Load).
    AudioBuffer(HAC *archive, const u16char *filename);
    ~AudioBuffer();
    AudioBuffer(const AudioBuffer &) = delete;
    AudioBuffer &operator=(const AudioBuffer &) = delete;

    // Copies samples in: channels 1 or 2, bits 8 (unsigned) or 16 (signed), rate in Hz.
    bool SetData(int channels, int bits, const void *data, int bytes, int rate);
    // Decodes a whole sound file of the archive into the buffer; longer sounds than
    // MaxSeconds are refused (they are for the streaming player).
    bool Load(HAC *archive, const u16char *filename);

    static constexpr double MaxSeconds = 600;

    unsigned int GetIndex() const { return index; }
    double GetTime() const { return seconds; }
};
} // namespace hgl
