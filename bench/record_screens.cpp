// The save screen over 70 filled slots on the headless canvas with the demo's
// pictures: opening it (the goal is under 50 ms), and one frame with a focused
// strip whose picture is cached, counting the heap allocations and the file
// existence tests that frame makes (the goal is none and one).
#include "bench/support/HeapCount.h"
#include "framework/FlowObject.h"
#include "fuzz/FuzzKit.h"
#include "game/core/Archives.h"
#include "game/core/DataTables.h"
#include "game/core/GameResources.h"
#include "game/core/GameUnit.h"
#include "game/core/GameWiring.h"
#include "game/core/SaveFolder.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/record/RecordSlot.h"
#include "game/screens/record/SaveRecordUnit.h"
#include "graphics/ColorType.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/PictureFile.h"
#include "io/Core.h"
#include "io/MemStream.h"
#include "platform/File.h"
#include "support/stage/MinimalStage.h"
#include "tools/mkdemo/DemoContent.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <new>
#include <sys/stat.h>

namespace
{
std::atomic<long> stats{0};
std::string root_folder;
constexpr int kCanvasW = 1024, kCanvasH = 768;

// A thumbnail as the game writes it: a quarter of the canvas, RGB.
std::vector<uint8_t> Thumbnail()
{
    hgl::HgpFile file;
    file.width = kCanvasW / 4;
    file.height = kCanvasH / 4;
    hgl::HgpLayerData &layer = file.layers.emplace_back();
    layer.name = u"L0";
    layer.image.width = file.width;
    layer.image.height = file.height;
    layer.image.color_type = hgl::ctRGB;
    layer.image.pixels.assign(size_t(file.width) * file.height * 3, 128);
    hgl::MemStream s;
    file.Write(&s, u"Zip");
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

void Setup()
{
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    root_folder = fuzzkit::MakeStartFolder("hgl_bench_records");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    hgl::demo::DemoContent demo;
    std::string error;
    if (!hgl::demo::MakeDemoContent(demo, &error) ||
        !hgl::demo::WriteTree(demo.data, root_folder + "/Data.hac", &error) ||
        !hgl::demo::WriteTree(demo.local, root_folder + "/Local.hac", &error))
        std::abort();

    fuzzkit::OpenCanvas(kCanvasW, kCanvasH, "bench");
    if (!avg::OpenArchives() || !avg::LoadDataTables() || !avg::InitGameResources() ||
        !avg::LoadSharedResources())
        std::abort();

    // Every slot filled by the game itself, each with its picture.
    // The saves come from a game on the minimal stage.
    avg::GameWiring wiring;
    wiring.stage = avg::MinimalStageFactory();
    avg::GameUnit game(wiring);
    if (!game.GotoScript(u"MAIN00")) std::abort();
    game.UpdateObject();
    const std::vector<uint8_t> picture = Thumbnail();
    for (int slot = 0; slot < avg::kSaveSlotCount; ++slot)
    {
        const hgl::String name = avg::SlotName(slot);
        if (!game.SaveGame(name, false) ||
            !hgl::platform::FileWriteWhole(avg::SavePath(name + u".hgp").c_str(), picture.data(),
                                           int64_t(picture.size())))
            std::abort();
    }
}

void BM_OpenSaveScreen(benchmark::State &state)
{
    Setup();
    for (auto _ : state)
    {
        avg::SaveRecordUnit screen(nullptr);
        benchmark::DoNotOptimize(screen.GetNewestSlot());
    }
}
BENCHMARK(BM_OpenSaveScreen)->Unit(benchmark::kMillisecond);

// The strip's own part of a frame: the picture asked for and the details shown.
void BM_FocusedStripUpdate(benchmark::State &state)
{
    Setup();
    avg::SaveRecordUnit screen(nullptr);
    avg::RecordButton *strip = screen.FindRecordButton(screen.GetNewestSlot());
    screen.Control->SetFocusObject(strip);
    screen.UpdateObject(); // the first request reads the picture
    if (!screen.GetCurrentThumbnail()) std::abort();
    long frames = 0;
    const long before = hgl::bench::HeapAllocations(), stats_before = stats.load();
    for (auto _ : state)
    {
        strip->Update();
        ++frames;
    }
    state.counters["allocations_per_frame"] = double(hgl::bench::HeapAllocations() - before) / double(frames);
    state.counters["existence_tests_per_frame"] = double(stats.load() - stats_before) / double(frames);
}
BENCHMARK(BM_FocusedStripUpdate)->Unit(benchmark::kMicrosecond);

// The whole frame, drawing on the software canvas included.
void BM_FocusedStripFrame(benchmark::State &state)
{
    Setup();
    avg::SaveRecordUnit screen(nullptr);
    avg::RecordButton *strip = screen.FindRecordButton(screen.GetNewestSlot());
    for (int i = 0; i < 80; ++i) // faded in, any page turn over
    {
        screen.UpdateObject();
        screen.DrawObject();
    }
    screen.Control->SetFocusObject(strip);
    screen.UpdateObject();
    screen.DrawObject();
    long frames = 0;
    const long before = hgl::bench::HeapAllocations(), stats_before = stats.load();
    for (auto _ : state)
    {
        screen.UpdateObject();
        screen.DrawObject();
        ++frames;
    }
    state.counters["allocations_per_frame"] = double(hgl::bench::HeapAllocations() - before) / double(frames);
    state.counters["existence_tests_per_frame"] = double(stats.load() - stats_before) / double(frames);
}
BENCHMARK(BM_FocusedStripFrame)->Unit(benchmark::kMicrosecond);
} // namespace

// Every file status asked of the system is counted.
extern "C" int stat(const char *path, struct stat *buf)
{
    using Stat = int (*)(const char *, struct stat *);
    static Stat real = reinterpret_cast<Stat>(dlsym(RTLD_NEXT, "stat"));
    stats.fetch_add(1, std::memory_order_relaxed);
    return real(path, buf);
}
