// The backlog on the headless canvas (Mesa's software renderer), with the demo's
// pictures and the shared fonts:
//  - opening it on 2,000 messages: every entry laid out and the page scrolled to
//    its end (target under 100 ms);
//  - one frame of it scrolled to the middle, with the entries drawn counted (only
//    those in view) and the CPU time taken (target under 1 ms).
#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/widgets/KQ7Form.h"
#include "game/screens/widgets/scrollbox.h"
#include "io/Core.h"
#include "game/stagekit/FakeMessages.h"
#include "support/GLTestContext.h"
#include "tools/mkdemo/DemoContent.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;
constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kMessages = 2000;

// The demo's content in a start folder of the bench's own, the canvas and the fonts.
struct Stage
{
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};
    fs::path root = fs::temp_directory_path() / ("hgl_bench_backlog_" + std::to_string(::getpid()));
    stagekit::FakeMessages messages;

    Stage()
    {
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        hgl::demo::DemoContent demo;
        std::string error;
        if (!gl.Ok() || !hgl::demo::MakeDemoContent(demo, &error) ||
            !hgl::demo::WriteTree(demo.data, (root / "Data.hac").string(), &error) ||
            !hgl::demo::WriteTree(demo.local, (root / "Local.hac").string(), &error))
            std::abort();
        hgl::SetInfoString(8, hgl::String::FromUTF8(root.string().c_str()).c_str());
        if (!avg::OpenArchives() || !avg::InitGameResources() || !avg::LoadSharedResources()) std::abort();
        const char16_t *lines[] = {
            u"【小雪】早上好。这里是演示故事。%K%P",
            u"雪一直下着，城市变得很安静。这是一段小说模式的文字，比一行要长一些，所以会折成两行。",
            u"【小遥】下雪了，要一起出去走走吗？%W我在门口等你。", u"—— 第一章 ——"};
        for (int i = 0; i < kMessages; ++i)
            messages.list.push_back({i % 3 ? u"" : u"xy_001", lines[i % 4]});
    }
    ~Stage()
    {
        avg::FreeSharedResources();
        avg::FreeGameResources();
        avg::CloseArchives();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Stage &TheStage()
{
    static Stage stage;
    return stage;
}

void BM_OpenBacklogOf2000(benchmark::State &state)
{
    Stage &stage = TheStage();
    int entries = 0;
    for (auto _ : state)
    {
        HistoryUnit backlog(&stage.messages);
        entries = backlog.GetEntryCount();
        benchmark::DoNotOptimize(entries);
    }
    state.counters["entries"] = entries;
}
BENCHMARK(BM_OpenBacklogOf2000)->Unit(benchmark::kMillisecond);

void BM_BacklogFrame(benchmark::State &state)
{
    Stage &stage = TheStage();
    HistoryUnit backlog(&stage.messages);
    scrollbox *box = backlog.GetScrollBox();
    box->SetScrollY(float(int(box->GetVerticalBar().MaxValue)) / 2);
    // The renderer compiles its pipelines and the font fills its tiles once.
    for (int i = 0; i < 50; ++i)
        backlog.DrawObject();
    glFinish();
    for (auto _ : state)
    {
        backlog.DrawObject();
        glFinish();
    }
    state.counters["entries_drawn"] = box->GetDrawnCount();
    state.counters["entries"] = backlog.GetEntryCount();
}
BENCHMARK(BM_BacklogFrame)->Unit(benchmark::kMicrosecond);
} // namespace
