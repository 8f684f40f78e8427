// Cost of the case-insensitive path look-up and of the stream layers.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/PartStream.h"
#include "platform/Path.h"

using namespace hgl;

namespace
{
// A scratch folder with 200 pictures and a 1 MiB archive, removed at exit.
struct Scratch
{
    std::string path;
    Scratch()
    {
        char templ[] = "/tmp/hgl-bench-XXXXXX";
        if (!mkdtemp(templ)) return;
        path = templ;
        std::filesystem::create_directories(path + "/Data/Picture");
        for (int i = 0; i < 200; ++i)
            std::ofstream(path + "/Data/Picture/File" + std::to_string(i) + ".TEX") << "x";
        std::ofstream(path + "/Data.hac", std::ios::binary) << std::string(1 << 20, 'b');
    }
    ~Scratch()
    {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    std::u16string File16(const std::string &rel) const { return platform::Utf8ToUtf16(path + "/" + rel); }
    std::u16string Path16() const { return platform::Utf8ToUtf16(path); }
};

Scratch &Folder()
{
    static Scratch dir;
    return dir;
}

void ExactSpelling(benchmark::State &state)
{
    const std::u16string p = Folder().File16("Data/Picture/File150.TEX");
    for (auto _ : state)
        benchmark::DoNotOptimize(FileExist(p.c_str()));
}
BENCHMARK(ExactSpelling);

void OtherCase(benchmark::State &state)
{
    const std::u16string p = Folder().Path16() + u"\\data\\PICTURE\\file150.tex";
    for (auto _ : state)
        benchmark::DoNotOptimize(FileExist(p.c_str()));
}
BENCHMARK(OtherCase);

void MemStreamWrite4K(benchmark::State &state)
{
    std::vector<char> block(4096, 'x');
    for (auto _ : state)
    {
        MemStream m;
        for (int i = 0; i < 256; ++i)
            m.Write(block.data(), int(block.size()));
        benchmark::DoNotOptimize(m.GetData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 256 * 4096);
}
BENCHMARK(MemStreamWrite4K);

void PartStreamFileRead(benchmark::State &state)
{
    FileStream f(Folder().File16("Data.hac").c_str(), 2);
    PartStream part(&f, 4096, 512 * 1024, true);
    std::vector<char> buf(16384);
    for (auto _ : state)
    {
        part.Position = 0;
        while (part.Read(buf.data(), int(buf.size())) > 0)
        {
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 512 * 1024);
}
BENCHMARK(PartStreamFileRead);

// The same 512 KiB of the archive, from byte 4096 on, read in 4 KiB blocks: once
// straight from the file, once through a window onto it, for the cost of the window.
constexpr int64_t WindowStart = 4096, WindowBytes = 512 * 1024;
constexpr int Block = 4096;

void FileStreamRead4K(benchmark::State &state)
{
    FileStream f(Folder().File16("Data.hac").c_str(), 2);
    std::vector<char> buf(Block);
    for (auto _ : state)
    {
        f.Position = WindowStart;
        int64_t got = 0;
        for (int n; got < WindowBytes && (n = f.Read(buf.data(), Block)) > 0;)
            got += n;
        if (got != WindowBytes) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * WindowBytes);
}
BENCHMARK(FileStreamRead4K);

void PartStreamRead4K(benchmark::State &state)
{
    FileStream f(Folder().File16("Data.hac").c_str(), 2);
    PartStream part(&f, WindowStart, WindowBytes, true);
    std::vector<char> buf(Block);
    for (auto _ : state)
    {
        part.Position = 0;
        int64_t got = 0;
        for (int n; (n = part.Read(buf.data(), Block)) > 0;)
            got += n;
        if (got != WindowBytes) state.SkipWithError("short read");
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * WindowBytes);
}
BENCHMARK(PartStreamRead4K);
} // namespace
