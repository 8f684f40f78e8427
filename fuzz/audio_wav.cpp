// The "Audio.Wav" decoder on arbitrary files.
#include "AudioFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return decoder_fuzz::DecodeAudio(data, size, u"fuzz.wav");
}
