// Decoding one 1280x720 Theora frame and converting it to RGBA, through the
// "Movie.Theora" plug-in. The goal is under 8 ms a frame.
#include "io/Core.h"
#include "io/MemStream.h"
#include "mediawriter/MediaWriter.h"
#include "movie/MovieDecoder.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#ifndef HGL_PLUGIN_DIR_U
#define HGL_PLUGIN_DIR_U u"Plug-Ins"
#endif

namespace
{
constexpr int Width = 1280, Height = 720, Frames = 24, Quality = 32;

// Moving gradients and patterns with a little noise, so that no frame repeats; about
// 48 KB a frame (9 Mbit/s at 24 frames a second, a generous rate for 720p).
const mediawriter::Bytes &Clip()
{
    static const mediawriter::Bytes clip = mediawriter::TheoraFile(
        Width, Height, 24, Frames,
        [](int f, uint8_t *p)
        {
            std::mt19937 gen{uint32_t(f)};
            for (int y = 0; y < Height; y++)
                for (int x = 0; x < Width; x++, p += 4)
                {
                    const uint32_t noise = gen() & 3;
                    p[0] = uint8_t(x + f * 8 + noise);
                    p[1] = uint8_t(y * 2 - f * 4 + noise);
                    p[2] = uint8_t((x ^ y) + f);
                    p[3] = 255;
                }
        },
        Quality);
    return clip;
}

bool Reopen(hgl::MovieDecoder &decoder)
{
    auto *s = new hgl::MemStream(int64_t(Clip().size()), true);
    std::memcpy(s->GetData(), Clip().data(), Clip().size());
    return decoder.Open(s, u"bench.ogv");
}

void TheoraFrame(benchmark::State &state)
{
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    hgl::MovieDecoder decoder;
    if (!Reopen(decoder))
    {
        state.SkipWithError("the clip could not be opened");
        return;
    }
    hgl::MovieDecoder::Frame frame;
    for (auto _ : state)
    {
        if (decoder.DecodeFrame(frame) != 1)
        {
            state.PauseTiming();
            Reopen(decoder);
            state.ResumeTiming();
            decoder.DecodeFrame(frame);
        }
        benchmark::DoNotOptimize(frame.rgba.data());
    }
}
BENCHMARK(TheoraFrame)->Unit(benchmark::kMillisecond);
} // namespace
