// String copies share the buffer (a count increment), whatever the text's size;
// std::u16string copies every unit.
#include "core/String.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace
{
const std::u16string &Megabyte()
{
    static const std::u16string text(512 * 1024, u'字'); // 1 MB of UTF-16
    return text;
}

void StringCopy1MB(benchmark::State &state)
{
    const hgl::String source(Megabyte());
    for (auto _ : state)
    {
        hgl::String copy(source);
        benchmark::DoNotOptimize(copy.c_str());
    }
}
BENCHMARK(StringCopy1MB);

void U16StringCopy1MB(benchmark::State &state)
{
    const std::u16string &source = Megabyte();
    for (auto _ : state)
    {
        std::u16string copy(source);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(U16StringCopy1MB);

// One million copies of a 1 MB String kept alive at once, then released.
void StringCopyMillion(benchmark::State &state)
{
    const hgl::String source(Megabyte());
    for (auto _ : state)
    {
        std::vector<hgl::String> copies;
        copies.reserve(1000000);
        for (int i = 0; i < 1000000; ++i)
            copies.emplace_back(source);
        benchmark::DoNotOptimize(copies.data());
    }
}
BENCHMARK(StringCopyMillion)->Unit(benchmark::kMillisecond);

void StringAppendShared(benchmark::State &state)
{
    const hgl::String source(u"some name of an archive entry");
    for (auto _ : state)
    {
        hgl::String copy(source);
        copy.Strcat(u".tex"); // the first edit copies
        benchmark::DoNotOptimize(copy.c_str());
    }
}
BENCHMARK(StringAppendShared);
} // namespace

namespace
{
void StringFromGBK(benchmark::State &state)
{
    const char gbk[] = "\xD6\xD0\xCE\xC4 name.txt";
    for (auto _ : state)
    {
        hgl::String s(936u, gbk, -1);
        benchmark::DoNotOptimize(s.c_str());
    }
}
BENCHMARK(StringFromGBK);

void StringFromUTF8(benchmark::State &state)
{
    for (auto _ : state)
    {
        hgl::String s = hgl::String::FromUTF8("中文 name.txt");
        benchmark::DoNotOptimize(s.c_str());
    }
}
BENCHMARK(StringFromUTF8);
} // namespace
