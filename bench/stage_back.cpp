// The background on the headless canvas (Mesa's software renderer):
//  - a scene picture cache hit, the oldest of twelve pictures each time (target
//    under 1 us);
//  - frames of the background manager while a transition, pan, zoom, move, shake
//    or inverted period runs, with the C++ heap allocations per frame counted
//    (target 0; the renderer's own C allocations are not counted).
#include "bench/support/HeapCount.h"
#include "game/core/GameResources.h"
#include "game/core/GameState.h"
#include "game/stage/back/BackManage.h"
#include "game/stage/back/ScenePicture.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "io/MemStream.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "support/GLTestContext.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace
{
namespace fs = std::filesystem;
constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kPictures = 12;
constexpr int kPictureW = 256, kPictureH = 192;
// Long enough for the measured frames to pass through both halves of a wipe.
constexpr int kRunMs = 150;
constexpr double kWarmSeconds = 0.2;

std::u16string PathOf(int i)
{
    return u"BG\\bg" + std::u16string(1, char16_t(u'a' + i)) + u".HGP";
}

// Twelve pictures in the cache, read from a file of the bench's own.
struct Scene
{
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};
    fs::path file = fs::temp_directory_path() / ("hgl_bench_back_" + std::to_string(::getpid()) + ".HGP");

    Scene()
    {
        hgl::HgpFile hgp;
        hgp.width = kPictureW;
        hgp.height = kPictureH;
        hgl::HgpLayerData layer;
        layer.image.width = kPictureW;
        layer.image.height = kPictureH;
        layer.image.color_type = 4;
        layer.image.pixels.assign(size_t(kPictureW) * kPictureH * 4, 200);
        hgp.layers.push_back(std::move(layer));
        hgl::MemStream s;
        hgp.Write(&s, hgl::String());
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char *>(s.GetData()), s.GetSize());
        avg::CreateScenePictureCache(nullptr);
        const std::u16string name = file.u16string();
        for (int i = 0; i < kPictures; ++i)
            avg::GetScenePictureCache()->Add(hgl::String(PathOf(i)), new hgl::HGP(name.c_str(), 0, true));
    }
    ~Scene()
    {
        avg::FreeScenePictureCache();
        fs::remove(file);
    }
};

Scene &TheScene()
{
    static Scene scene;
    return scene;
}

void BM_SceneCacheHit(benchmark::State &state)
{
    TheScene();
    hgl::String paths[kPictures];
    for (int i = 0; i < kPictures; ++i)
        paths[i] = hgl::String(PathOf(i));
    int i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(avg::GetScenePictureAt(paths[i]));
        i = (i + 1) % kPictures; // always the least recently used one
    }
}
BENCHMARK(BM_SceneCacheHit);

enum Run
{
    kShowPartFirst = 1, // ShowPart kinds 1..13
    kShowPartLast = 13,
    kToPart,
    kFadeToPart,
    kZoom,
    kMove,
    kShake,
    kInvert,
};

void Begin(BackManage &back, int run)
{
    back.SetCurrent(u"bga", 0);
    if (run >= kShowPartFirst && run <= kShowPartLast)
        back.ShowPart(u"bgb", 0, 0, 1, 1, run, kRunMs);
    else if (run == kToPart)
        back.ToPart(kRunMs, 0.25f, 0.25f, 0.5f, 0.5f);
    else if (run == kFadeToPart)
        back.FadeToPart(kRunMs, 0.25f, 0.25f, 0.5f, 0.5f);
    else if (run == kZoom)
        back.ZoomBackground(0.1f, 0.1f, 0.5f, 0.5f);
    else if (run == kMove)
        back.MoveBackground(0.5f, 0, 1, 1);
    else if (run == kShake)
        back.StartShake(kRunMs);
    else
        back.StartInvert(kRunMs);
}

// The software renderer compiles its pipeline for each new combination of states
// (with LLVM, in C++) the first time it meets one: every run is drawn through
// once before anything is counted.
void WarmUp(hgl::DevilEngine &engine)
{
    static bool warm = false;
    if (warm) return;
    warm = true;
    for (int run = kShowPartFirst; run <= kInvert; ++run)
    {
        avg::GameStateControl game_state;
        BackManage back(&game_state, &engine);
        Begin(back, run);
        for (const double end = hgl::GetDoubleTime() + kWarmSeconds; hgl::GetDoubleTime() < end;)
            back.Draw();
    }
}

void BM_FrameAllocations(benchmark::State &state)
{
    TheScene();
    hgl::DevilEngine engine;
    WarmUp(engine);
    avg::GameStateControl game_state;
    BackManage back(&game_state, &engine);
    Begin(back, int(state.range(0)));
    back.Draw(); // the first frame takes the start times
    const long before = hgl::bench::HeapAllocations();
    long frames = 0;
    for (auto _ : state)
    {
        back.Draw();
        ++frames;
    }
    const double per_frame = double(hgl::bench::HeapAllocations() - before) / double(frames);
    state.counters["allocs_per_frame"] = per_frame;
    if (per_frame > 0) state.SkipWithError("heap allocation while drawing");
}
BENCHMARK(BM_FrameAllocations)->DenseRange(kShowPartFirst, kInvert)->Iterations(200);
} // namespace
