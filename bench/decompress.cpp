// Decompression throughput of every compression plug-in on a 16 MiB mixed corpus:
// a quarter each of text, picture-like runs, structured binary and random bytes.
#include "io/Compress.h"
#include "io/Core.h"
#include "io/PlugIn.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#ifndef HGL_PLUGIN_DIR_U
#define HGL_PLUGIN_DIR_U u"Plug-Ins"
#endif

namespace
{
constexpr size_t CorpusSize = 16u << 20;

const std::vector<uint8_t> &Corpus()
{
    static const std::vector<uint8_t> corpus = []
    {
        std::vector<uint8_t> c(CorpusSize);
        std::mt19937 gen(2026);
        const size_t q = CorpusSize / 4;
        static const char *const words[] = {"的", "message ", "背景 ", "voice ", "SELECT",
                                            "(",  ");\r\n",   "\"",    "人物 "};
        size_t i = 0;
        while (i < q)
            for (const char *p = words[gen() % 9]; *p && i < q; ++p)
                c[i++] = uint8_t(*p);
        for (; i < 2 * q; i++) // picture rows: long runs with edges
            c[i] = uint8_t(((i - q) / 4096) * 9 + ((i % 4096) > 3000 ? 80 : 0));
        for (; i < 3 * q; i += 4) // records of small integers
        {
            const uint32_t v = uint32_t((i - 2 * q) / 4) % 1000;
            c[i] = uint8_t(v), c[i + 1] = uint8_t(v >> 8), c[i + 2] = 0, c[i + 3] = uint8_t(gen() % 4);
        }
        for (; i < CorpusSize; i++)
            c[i] = uint8_t(gen());
        return c;
    }();
    return corpus;
}

void Decompress(benchmark::State &state, const char16_t *method)
{
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    const std::vector<uint8_t> &plain = Corpus();
    std::vector<uint8_t> packed(plain.size() + plain.size() / 8 + 4096);
    const int n = hgl::Compress(method, plain.data(), int(plain.size()), packed.data(), int(packed.size()));
    if (n <= 0)
    {
        state.SkipWithError("the plug-in is not available");
        return;
    }

    std::vector<uint8_t> out(plain.size());
    for (auto _ : state)
    {
        const int got = hgl::Decompress(method, packed.data(), n, out.data(), int(out.size()));
        if (got != int(plain.size()))
        {
            state.SkipWithError("decompression failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }

    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(plain.size()));
    state.counters["ratio"] = double(n) / double(plain.size());
}
} // namespace

BENCHMARK_CAPTURE(Decompress, Zip, u"Zip")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decompress, Bzip2, u"Bzip2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decompress, Lzma, u"Lzma")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decompress, Lzo, u"Lzo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decompress, RLE, u"RLE")->Unit(benchmark::kMillisecond);
