// The message window on the headless canvas (Mesa's software renderer):
//  - collecting the lines of a generated script of 10,000 messages while it
//    compiles, against compiling the same script with nothing collected (target:
//    under 50 ms more);
//  - parsing and laying out a line of 100 characters, the glyphs' sizes known
//    (target under 50 us);
//  - frames of a reveal, with the C++ heap allocations per frame counted (target
//    0; the renderer's own C allocations are not counted).
#include "bench/support/HeapCount.h"
#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/core/GameState.h"
#include "game/stage/message/GameDialogBox.h"
#include "io/Core.h"
#include "script/DevilEngine.h"
#include "support/GLTestContext.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

namespace
{
namespace fs = std::filesystem;
constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kScriptMessages = 10000;
constexpr int kLineChars = 100;

// A start folder with empty archives, the canvas and the shared fonts.
struct Stage
{
    fs::path root = fs::temp_directory_path() / ("hgl_bench_message_" + std::to_string(::getpid()));
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};

    Stage()
    {
        for (const char *folder : {"Data.hac", "Local.hac", "Save"})
            fs::create_directories(root / folder);
        hgl::SetInfoString(8, hgl::String::FromUTF8(root.string()).c_str());
        if (!gl.Ok() || !avg::OpenArchives() || !avg::LoadSharedResources()) std::abort();
    }
    ~Stage()
    {
        avg::FreeSharedResources();
        avg::CloseArchives();
        fs::remove_all(root);
    }
};

Stage &TheStage()
{
    static Stage stage;
    return stage;
}

// Every kind of message call, each line its own.
std::u16string GeneratedScript()
{
    std::u16string text = u"func main()\n{\n";
    const char16_t *calls[] = {u"    ShowMessage(\"XYABA\", \"XY_", u"    MES(\"",
                               u"    ShowMessageL(\"\", \"QG_", u"    MESC(\""};
    for (int i = 0; i < kScriptMessages; ++i)
    {
        const std::u16string n = hgl::String(i).ToStdString();
        const int kind = i % 4;
        text += calls[kind];
        if (kind == 0 || kind == 2) text += n + u"\", \"";
        text += u"【小雪】第" + n + u"句，雪一直下着，城市变得很安静。%K%P\");\n";
    }
    return text + u"}\n";
}

const std::u16string &Script()
{
    static const std::u16string script = GeneratedScript();
    return script;
}

// The four message functions, doing nothing: the compile without collecting.
struct Silent
{
    void One(const hgl::u16char *) {}
    void Three(const hgl::u16char *, const hgl::u16char *, const hgl::u16char *) {}
};

void BM_CompileWithoutCollecting(benchmark::State &state)
{
    TheStage();
    Silent silent;
    hgl::DevilEngine engine;
    engine.MapMemberFunc(u"void MES(string)", &silent, &Silent::One);
    engine.MapMemberFunc(u"void MESC(string)", &silent, &Silent::One);
    engine.MapMemberFunc(u"void ShowMessage(string,string,string)", &silent, &Silent::Three);
    engine.MapMemberFunc(u"void ShowMessageL(string,string,string)", &silent, &Silent::Three);
    const std::u16string &script = Script();
    for (auto _ : state)
    {
        engine.Clear();
        if (!engine.LoadScript(script.c_str(), int(script.size()))) state.SkipWithError("compile failed");
    }
}
BENCHMARK(BM_CompileWithoutCollecting)->Unit(benchmark::kMillisecond);

void BM_CompileCollecting(benchmark::State &state)
{
    TheStage();
    hgl::DevilEngine engine;
    avg::GameStateControl game_state;
    avg::GameDialogBox box(&game_state, &engine, nullptr, nullptr);
    const std::u16string &script = Script();
    for (auto _ : state)
    {
        engine.Clear();
        box.CloseHistory(); // collecting again, the index empty
        if (!engine.LoadScript(script.c_str(), int(script.size()))) state.SkipWithError("compile failed");
    }
    state.counters["lines"] = box.GetScriptIndexCount();
    if (box.GetScriptIndexCount() != kScriptMessages) state.SkipWithError("lines missed");
}
BENCHMARK(BM_CompileCollecting)->Unit(benchmark::kMillisecond);

std::u16string Line()
{
    std::u16string line = u"【小雪】";
    while (int(line.size()) < kLineChars)
        line += u"雪一直下着，城市变得很安静。ABC abc ";
    return line.substr(0, kLineChars);
}

void BM_ParseLine(benchmark::State &state)
{
    TheStage();
    hgl::DevilEngine engine;
    avg::GameStateControl game_state;
    avg::GameDialogBox box(&game_state, &engine, nullptr, nullptr);
    box.LoadHistory(u"bench");
    const hgl::String line(Line());
    box.ShowMessageFunc(u"", u"", line.c_str()); // the glyphs measured once
    for (auto _ : state)
        benchmark::DoNotOptimize(box.ParseMessage(line));
}
BENCHMARK(BM_ParseLine)->Unit(benchmark::kMicrosecond);

void BM_RevealFrameAllocations(benchmark::State &state)
{
    TheStage();
    hgl::DevilEngine engine;
    avg::GameStateControl game_state;
    avg::GameDialogBox box(&game_state, &engine, nullptr, nullptr);
    box.LoadHistory(u"bench");
    box.SetTextSpeed(1); // a character a second: the reveal lasts the whole run
    const hgl::String line(Line());
    const int kind = int(state.range(0));
    auto show = [&]
    {
        if (kind == 0)
            box.ShowMessageFunc(u"", u"", line.c_str());
        else if (kind == 1)
            box.MESFunc(line.c_str());
        else
            box.MESCFunc(line.c_str());
    };
    // The box up, every glyph drawn once (the tiles filled and the renderer's
    // states met), then the line again from its start.
    show();
    box.SetTextSpeed(1000);
    for (int i = 0; i < 120; ++i)
        box.DrawObject();
    box.SetTextSpeed(1);
    show();
    box.DrawObject();
    const long before = hgl::bench::HeapAllocations();
    long frames = 0;
    for (auto _ : state)
    {
        box.DrawObject();
        ++frames;
    }
    const double per_frame = double(hgl::bench::HeapAllocations() - before) / double(frames);
    state.counters["allocs_per_frame"] = per_frame;
    if (box.IsTextComplete()) state.SkipWithError("the reveal ended before the run did");
    if (per_frame > 0) state.SkipWithError("heap allocation while revealing");
}
BENCHMARK(BM_RevealFrameAllocations)->DenseRange(0, 2)->Iterations(200);
} // namespace
