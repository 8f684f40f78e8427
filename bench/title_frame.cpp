// The title screen on the headless canvas (Mesa's software renderer) at 1024 x 768:
// one frame of the settled title, its background layers, the 50 floating balls
// between them, the logo, the subtitle and the buttons (target under 8 ms).
#include "support/GLTestContext.h"
#include "graphics/draw/Painter.h"
#include "support/TempDir.h"

#include "framework/FlowControl.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataTables.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/NewStartMenu.h"
#include "graphics/gl/Canvas.h"
#include "io/Core.h"
#include "io/Time.h"
#include "tools/mkdemo/DemoContent.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <memory>

namespace
{
hgl::uint64 now_ns = 10000000000ull;
hgl::uint64 BenchClock()
{
    return now_ns;
}

void BM_TitleFrame(benchmark::State &state)
{
    hgl::test::GLTestContext gl(1024, 768);
    if (!gl.Ok())
    {
        state.SkipWithError(gl.Error().c_str());
        return;
    }
    hgl::test::TempDir dir("bench");
    hgl::demo::DemoContent demo;
    std::string error;
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    if (!hgl::demo::MakeDemoContent(demo, &error) ||
        !hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error) ||
        !hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error))
    {
        state.SkipWithError(error.c_str());
        return;
    }
    dir.MakeDir("Save");
    hgl::SetInfoString(8, dir.Path16().c_str());
    hgl::SetClockSource(&BenchClock);
    avg::config::ResetConfig();
    if (!avg::OpenArchives() || !avg::LoadDataTables() || !avg::InitGameResources() ||
        !avg::LoadSharedResources())
    {
        state.SkipWithError("start-up failed");
        return;
    }
    const avg::GameWiring wiring = avg::MakeGameWiring();
    avg::SetSystemFlag(NewStartMenu::kExtrasFlag, 1);
    {
        hgl::FlowControl flow(new NewStartMenu(false, wiring));
        auto frame = [&]
        {
            now_ns += 16000000u;
            hgl::SetOrtho2D(1024, 768);
            hgl::draw::Clear(hgl::Color4f(0, 0, 0, 0));
            flow.RunFrame();
            glFinish();
        };
        for (int i = 0; i < 80; ++i) // past the fade-in
            frame();
        for (auto _ : state)
            frame();
    }
    avg::FreeSharedResources();
    avg::FreeGameResources();
    avg::ClearDataTables();
    avg::CloseArchives();
    hgl::SetClockSource(nullptr);
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond);
} // namespace
