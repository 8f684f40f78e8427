// The "Movie.Theora" decoder on arbitrary files, frame by frame on this thread.
#include "DecoderFuzz.h"
#include "movie/MovieDecoder.h"

namespace
{
constexpr int MaxFrames = 64;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hgl::MovieDecoder decoder;
    if (!decoder.Open(decoder_fuzz::Input(data, size), u"fuzz.ogv")) return 0;

    const size_t bytes = size_t(decoder.GetWidth()) * size_t(decoder.GetHeight()) * 4;
    hgl::MovieDecoder::Frame frame;
    for (int i = 0; i < MaxFrames && decoder.DecodeFrame(frame) == 1; i++)
        if (frame.rgba.size() != bytes) __builtin_trap();
    return 0;
}
