// The game's own main on the headless canvas, silent, in a start folder holding
// the demo game:
//  - start-up to the first frame (the tour quits after it; the shut-down is
//    counted too) (target under 1 s);
//  - the whole-game tour "tours/demo.tour": its wall time, and the process's
//    peak resident memory after it (target under 200 MB).
#include "support/TempDir.h"

#include "game/core/GameMain.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/NewStartMenu.h"
#include "tools/mkdemo/DemoContent.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
// The demo game in a fresh start folder, made current.
class StartFolder
{
    hgl::test::TempDir dir{"bench"};
    std::filesystem::path old = std::filesystem::current_path();

  public:
    bool ok = false;
    StartFolder()
    {
        hgl::demo::DemoContent demo;
        std::string error;
        ok = hgl::demo::MakeDemoContent(demo, &error) &&
             hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error) &&
             hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error);
        std::filesystem::current_path(dir.Path());
        setenv("HGL_WINDOW", "headless", 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
    }
    ~StartFolder() { std::filesystem::current_path(old); }
    std::string File(const std::string &name) const { return dir.File(name); }
};

int RunGame()
{
    char name[] = "game";
    char *argv[] = {name, nullptr};
    return avg::GameMain(1, argv, avg::MakeGameWiring(),
                         [](const avg::GameWiring &wiring) { return new NewStartMenu(true, wiring); });
}

// Peak resident set of the process, MB.
double PeakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key)
    {
        if (key == "VmHWM:")
        {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void BM_StartUpToFirstFrame(benchmark::State &state)
{
    StartFolder folder;
    if (!folder.ok)
    {
        state.SkipWithError("no demo content");
        return;
    }
    std::ofstream(folder.File("quit.tour")) << "quit\n";
    setenv("HGL_TOUR", folder.File("quit.tour").c_str(), 1);
    for (auto _ : state)
        if (RunGame() != 0) state.SkipWithError("the game failed");
    unsetenv("HGL_TOUR");
}
BENCHMARK(BM_StartUpToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WholeTour(benchmark::State &state)
{
    StartFolder folder;
    if (!folder.ok)
    {
        state.SkipWithError("no demo content");
        return;
    }
    setenv("HGL_TOUR", HGL_SOURCE_DIR "/tours/demo.tour", 1);
    for (auto _ : state)
        if (RunGame() != 0) state.SkipWithError("the tour failed");
    unsetenv("HGL_TOUR");
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_WholeTour)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
