// Archive throughput: every file of a generated 64 MiB, 2,000-file archive read
// through the HAC-3 reader, against the same tree as loose files and against a
// plain read() of one file of the same size; and 10,000 mixed-case look-ups.
#include "bench/support/HeapCount.h"
#include "io/FileStream.h"
#include "io/HAC.h"
#include "io/HAC3.h"
#include "io/TDF.h"
#include "io/MemStream.h"
#include "tools/hacpack/HacWriter.h"

#include <cstdio>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
namespace fs = std::filesystem;
using hgl::hacpack::Utf8ToUtf16;

struct Fixture
{
    fs::path dir;
    std::string archive;
    std::vector<std::string> names;     // relative, as packed ('/' separated)
    std::vector<std::u16string> engine; // the same with '\'
    std::vector<std::u16string> mixed;  // 10,000 look-up names in mixed case
    int64_t total = 0;
    size_t largest = 0;
    std::unique_ptr<hgl::HAC> hac;

    Fixture()
    {
        dir = fs::temp_directory_path() / ("hgl_bench_archive_" + std::to_string(getpid()));
        fs::create_directories(dir / "loose");
        std::mt19937 rng(12345);
        hgl::hacpack::HacWriter w;
        const int64_t target = 64ll << 20;
        for (int i = 0; i < 2000; ++i)
        {
            // Sizes spread over 1-100 KiB, scaled so the total is 64 MiB.
            const int64_t left = target - total;
            int64_t size = i == 1999 ? left : int64_t(1024 + rng() % (64 * 1024));
            if (size > left) size = left;
            if (size < 0) size = 0;
            std::string name = "Level" + std::to_string(i % 4) + "/Sub" + std::to_string(i % 13) + "/File" +
                               std::to_string(i) + ".Dat";
            std::vector<uint8_t> data(static_cast<size_t>(size));
            for (auto &b : data)
                b = uint8_t(rng());
            fs::create_directories((dir / "loose" / name).parent_path());
            std::ofstream(dir / "loose" / name, std::ios::binary)
                .write(reinterpret_cast<const char *>(data.data()), size);
            w.root.Add(Utf8ToUtf16(name), std::move(data));
            names.push_back(name);
            std::u16string e = Utf8ToUtf16(name);
            for (auto &c : e)
                if (c == u'/') c = u'\\';
            engine.push_back(e);
            total += size;
            largest = std::max(largest, size_t(size));
        }
        archive = (dir / "bench.hac").string();
        std::string err;
        if (!w.WriteFile(archive, &err)) std::abort();
        hac.reset(hgl::OpenHAC(Utf8ToUtf16(archive).c_str()));
        if (!hac) std::abort();
        for (int i = 0; i < 10000; ++i)
        {
            std::u16string n = engine[size_t(i) % engine.size()];
            for (size_t k = 0; k < n.size(); ++k)
                if (((k + i) & 1) && n[k] >= u'a' && n[k] <= u'z')
                    n[k] = char16_t(n[k] - 32);
                else if (n[k] >= u'A' && n[k] <= u'Z')
                    n[k] = char16_t(n[k] + 32);
            mixed.push_back(n);
        }
    }

    // A folder mounted as an archive over the loose tree, and a 1 MB TDF tree
    // stored in an archive of its own.
    std::unique_ptr<hgl::HAC> mapping;
    std::unique_ptr<hgl::HAC> tdf_hac;

    void MakeExtras()
    {
        if (mapping) return;
        mapping.reset(hgl::OpenHAC(Utf8ToUtf16((dir / "loose").string()).c_str()));
        hgl::TDFNode root;
        root.SetName(u"root");
        for (int i = 0; i < 4000; ++i)
        {
            hgl::TDFNode *c = root.AddChild(hgl::String(i));
            c->SetInt32(u"value", i);
            c->SetString(u"text", hgl::String(u"some text of a save slot, a little longer than a word"));
            std::vector<uint8_t> blob(128, uint8_t(i));
            c->SetData(u"blob", blob.data(), int(blob.size()));
        }
        hgl::MemStream ms;
        if (!root.Save(&ms))
        {
            std::fprintf(stderr, "the TDF tree could not be saved into memory\n");
            std::abort();
        }
        hgl::hacpack::HacWriter w;
        w.root.Add(u"tree.tdf", std::vector<uint8_t>(ms.GetData(), ms.GetData() + int64_t(ms.Size)));
        const std::string path = (dir / "tdf.hac").string();
        if (!w.WriteFile(path)) std::abort();
        tdf_hac.reset(hgl::OpenHAC(Utf8ToUtf16(path).c_str()));
        if (!mapping || !tdf_hac) std::abort();
    }

    ~Fixture()
    {
        mapping.reset();
        tdf_hac.reset();
        hac.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Fixture &Get()
{
    static Fixture f;
    return f;
}

void BM_ArchiveLoadFile(benchmark::State &state)
{
    Fixture &f = Get();
    for (auto _ : state)
        for (auto &n : f.engine)
        {
            void *buf = nullptr;
            int size = 0;
            if (!f.hac->LoadFile(n.c_str(), &buf, &size)) state.SkipWithError("load failed");
            benchmark::DoNotOptimize(buf);
            delete[] static_cast<uint8_t *>(buf);
        }
    state.SetBytesProcessed(state.iterations() * f.total);
    state.SetItemsProcessed(state.iterations() * int64_t(f.engine.size()));
}
BENCHMARK(BM_ArchiveLoadFile)->Unit(benchmark::kMillisecond);

void BM_ArchiveReadFilePart(benchmark::State &state)
{
    Fixture &f = Get();
    std::vector<uint8_t> buf(f.largest + 1);
    std::vector<std::u16string> lower = f.engine; // FindFile takes the stored (lower-case) spelling
    for (auto &n : lower)
        for (auto &c : n)
            if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
    for (auto _ : state)
        for (auto &n : lower)
        {
            int size = 0;
            void *entry = f.hac->FindFileFromRoot(n.c_str(), &size);
            if (!entry || !f.hac->ReadFilePart(entry, 0, 0, buf.data())) state.SkipWithError("read failed");
        }
    state.SetBytesProcessed(state.iterations() * f.total);
    state.SetItemsProcessed(state.iterations() * int64_t(f.engine.size()));
}
BENCHMARK(BM_ArchiveReadFilePart)->Unit(benchmark::kMillisecond);

void BM_LooseFiles(benchmark::State &state)
{
    Fixture &f = Get();
    std::vector<uint8_t> buf(f.largest + 1);
    std::vector<std::u16string> paths;
    for (auto &n : f.names)
        paths.push_back(Utf8ToUtf16((f.dir / "loose" / n).string()));
    for (auto _ : state)
        for (auto &p : paths)
        {
            hgl::FileStream s;
            if (!s.Open(p.c_str(), 2)) state.SkipWithError("open failed");
            const int64_t size = s.Size;
            if (s.Read(buf.data(), int(size)) != int(size)) state.SkipWithError("read failed");
        }
    state.SetBytesProcessed(state.iterations() * f.total);
    state.SetItemsProcessed(state.iterations() * int64_t(f.names.size()));
}
BENCHMARK(BM_LooseFiles)->Unit(benchmark::kMillisecond);

void BM_RawReadOneFile(benchmark::State &state)
{
    Fixture &f = Get();
    std::vector<uint8_t> buf(1 << 20);
    for (auto _ : state)
    {
        const int fd = open(f.archive.c_str(), O_RDONLY);
        int64_t got = 0;
        ssize_t n;
        while ((n = read(fd, buf.data(), buf.size())) > 0)
            got += n;
        close(fd);
        benchmark::DoNotOptimize(got);
    }
    state.SetBytesProcessed(state.iterations() * f.total);
}
BENCHMARK(BM_RawReadOneFile)->Unit(benchmark::kMillisecond);

// The floor for reading file by file: one pread() per file straight from the
// archive's descriptor, no engine code in between.
void BM_RawPreadPerFile(benchmark::State &state)
{
    Fixture &f = Get();
    std::vector<std::pair<int64_t, int>> ranges;
    for (auto &n : f.engine)
    {
        std::u16string l = n;
        for (auto &c : l)
            if (c >= u'A' && c <= u'Z') c = char16_t(c + 32);
        auto *e = static_cast<const hgl::Hac3File *>(f.hac->FindFileFromRoot(l.c_str(), nullptr));
        ranges.emplace_back(e->offset, int(e->size));
    }
    std::vector<uint8_t> buf(f.largest + 1);
    const int fd = open(f.archive.c_str(), O_RDONLY);
    for (auto _ : state)
        for (auto &r : ranges)
            if (pread(fd, buf.data(), size_t(r.second), r.first) != r.second)
                state.SkipWithError("pread failed");
    close(fd);
    state.SetBytesProcessed(state.iterations() * f.total);
    state.SetItemsProcessed(state.iterations() * int64_t(ranges.size()));
}
BENCHMARK(BM_RawPreadPerFile)->Unit(benchmark::kMillisecond);

void BM_MixedCaseLookup(benchmark::State &state)
{
    Fixture &f = Get();
    for (auto _ : state)
    {
        int found = 0;
        for (auto &n : f.mixed)
            found += f.hac->FileExist(n.c_str());
        if (found != 10000) state.SkipWithError("look-up missed");
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_MixedCaseLookup)->Unit(benchmark::kMicrosecond);
void BM_MappingFileExist(benchmark::State &state)
{
    Fixture &f = Get();
    f.MakeExtras();
    const bool mixed = state.range(0) != 0;
    std::vector<std::u16string> names;
    for (size_t i = 0; i < 1000; ++i)
        names.push_back(mixed ? f.mixed[i] : f.engine[i]);
    for (auto _ : state)
        for (auto &n : names)
            if (!f.mapping->FileExist(n.c_str())) state.SkipWithError("look-up missed");
    state.SetItemsProcessed(state.iterations() * int64_t(names.size()));
    state.SetLabel(mixed ? "mixed case" : "exact case");
}
BENCHMARK(BM_MappingFileExist)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_TDFLoad(benchmark::State &state)
{
    Fixture &f = Get();
    f.MakeExtras();
    const bool memory = state.range(0) != 0;
    int64_t bytes = 0;
    for (auto _ : state)
    {
        std::unique_ptr<hgl::Stream> s(f.tdf_hac->LoadFileStream(u"tree.tdf", memory));
        bytes = s->Size;
        hgl::TDFNode n;
        if (!n.Load(s.get()) || n.GetChildCount() != 4000) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetLabel(memory ? "MemStream" : "PartStream");
}
BENCHMARK(BM_TDFLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Values read back by key from a node of a save: every key is looked up by its
// name as the caller holds it, so a look-up allocates nothing.
void BM_TreeKeyLookup(benchmark::State &state)
{
    static const hgl::u16char *const keys[] = {u"当前位置", u"目标位置", u"翻转", u"颠倒", u"高度", u"水平"};
    hgl::TDFNode node;
    for (int i = 0; i < 20; ++i)
        node.SetInt32((hgl::String(u"filler") + hgl::String(i)).c_str(), i);
    for (const hgl::u16char *key : keys)
        node.SetFloat(key, 1.5f);
    const long before = hgl::bench::HeapAllocations();
    long lookups = 0;
    for (auto _ : state)
        for (const hgl::u16char *key : keys)
        {
            float v = 0;
            if (!node.GetFloat(key, v)) state.SkipWithError("look-up missed");
            benchmark::DoNotOptimize(v);
            ++lookups;
        }
    state.SetItemsProcessed(lookups);
    state.counters["allocations_per_lookup"] =
        double(hgl::bench::HeapAllocations() - before) / double(lookups);
}
BENCHMARK(BM_TreeKeyLookup);
} // namespace
