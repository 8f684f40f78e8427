// Engine heap sort against std::sort, and the engine's block copy against memcpy.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "core/HeapSort.h"
#include "core/Memory.h"

namespace
{
std::vector<int> RandomInts(size_t n)
{
    std::mt19937 gen(42);
    std::vector<int> v(n);
    for (auto &x : v)
        x = int(gen());
    return v;
}

int CompareInt(void *, const void *a, const void *b, int)
{
    const int x = *static_cast<const int *>(a);
    const int y = *static_cast<const int *>(b);
    return (x > y) - (x < y);
}

// Each round sorts a fresh copy of the same random ints; only the sort is timed.
template <typename Sort> void SortRandomInts(benchmark::State &state, Sort sort)
{
    const auto source = RandomInts(size_t(state.range(0)));
    std::vector<int> v;
    for (auto _ : state)
    {
        state.PauseTiming();
        v = source;
        state.ResumeTiming();
        sort(v);
        benchmark::DoNotOptimize(v.data());
    }
}

void BM_HeapSortInts(benchmark::State &state)
{
    SortRandomInts(state, [](std::vector<int> &v)
                   { hgl::HeapSort(v.data(), int(v.size()), sizeof(int), nullptr, CompareInt); });
}
BENCHMARK(BM_HeapSortInts)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_StdSortInts(benchmark::State &state)
{
    SortRandomInts(state, [](std::vector<int> &v) { std::sort(v.begin(), v.end()); });
}
BENCHMARK(BM_StdSortInts)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_FastMemCopy(benchmark::State &state)
{
    const size_t n = size_t(state.range(0));
    std::vector<char> src(n, 'x'), dst(n);
    for (auto _ : state)
    {
        hgl::FastMemCopy(dst.data(), src.data(), int(n));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}
BENCHMARK(BM_FastMemCopy)->Arg(64)->Arg(4096)->Arg(1 << 20);

void BM_Memcpy(benchmark::State &state)
{
    const size_t n = size_t(state.range(0));
    std::vector<char> src(n, 'x'), dst(n);
    for (auto _ : state)
    {
        // Through a volatile pointer so the call is not folded into the loop.
        void *(*volatile copy)(void *, const void *, size_t) = std::memcpy;
        copy(dst.data(), src.data(), n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}
BENCHMARK(BM_Memcpy)->Arg(64)->Arg(4096)->Arg(1 << 20);
} // namespace
