#pragma once
// Decodes an input through the audio decoder picked by the file name, to the end or
// a bound, checking that every read keeps to its buffer and to whole frames.
#include "DecoderFuzz.h"
#include "sonvex/AudioDecoder.h"

namespace decoder_fuzz
{
constexpr int MaxOutput = 8 << 20;

inline int DecodeAudio(const uint8_t *data, size_t size, const char16_t *name)
{
    hgl::AudioDecoder decoder;
    if (!decoder.Open(Input(data, size), name)) return 0;
    if (decoder.GetChannels() < 1 || decoder.GetChannels() > 2 || decoder.GetRate() < 1) __builtin_trap();

    static char buffer[16384];
    for (int total = 0, got; total < MaxOutput && (got = decoder.Read(buffer, sizeof(buffer))) > 0;
         total += got)
        if (got > int(sizeof(buffer)) || got % decoder.FrameBytes()) __builtin_trap();
    return 0;
}
} // namespace decoder_fuzz
