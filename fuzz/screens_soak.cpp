// A seeded soak of the whole game's screens on the test clock: the program's first
// title (notice, a stand-in logo movie, the title), then frame after frame of random
// keys, clicks, wheel turns, pointer moves and joystick buttons (a part of the clicks
// aimed at a button of the active screen), through the story, the menus and the
// extras, for 20,000 frames. A program that ends starts again at the title. Frames
// are 16 ms with now and then a slow one, and a second each during the credits.
//
// The input is the seed: a decimal number on its first line, optionally followed by
// the frame count ("5489" or "77 3000"); other bytes are hashed into a seed. Checked
// every frame besides what the sanitizers see: never two in-game screens at once,
// and never a black canvas for more than 600 frames in a row outside the credits.
#include "support/GLTestContext.h"
#include "graphics/draw/Painter.h"
#include "support/TempDir.h"

#include "core/Random.h"
#include "framework/FlowControl.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataTables.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/core/GameUnit.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/EndStaff.h"
#include "game/screens/title/MovieFactory.h"
#include "game/screens/title/NewStartMenu.h"
#include "graphics/gl/Canvas.h"
#include "gui/Button.h"
#include "io/Core.h"
#include "io/Time.h"
#include "platform/window/KeyCode.h"
#include "tools/mkdemo/DemoContent.h"

#include <GL/glew.h>

#include <cstdint>
#include <cstdio>
#include <cxxabi.h>
#include <map>
#include <typeinfo>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
constexpr int kCanvasW = 320, kCanvasH = 240;
constexpr int kDefaultFrames = 20000;
constexpr int kLongestBlack = 600;
constexpr int kMovieFrames = 30;

hgl::uint64 now_ns = 0;
hgl::uint64 SoakClock()
{
    return now_ns;
}

// The logo and the gallery's movies: a screen that shows nothing for a few frames
// and ends early on input where the request allows.
class SoakMovie : public hgl::FlowObject
{
    avg::MovieRequest request;
    int frames_left = kMovieFrames;

  public:
    explicit SoakMovie(const avg::MovieRequest &r) : request(r) {}
    void Draw() override
    {
        if (--frames_left <= 0) SetObjectState(fosReturn);
    }
    bool Proc_KeyDown(int) override { return End(request.end_on_key); }
    bool Proc_MouseLeftDown(int, int, int) override { return End(request.end_on_mouse); }
    bool Proc_MouseRightDown(int, int, int) override { return End(request.end_on_mouse); }
    bool End(bool allowed)
    {
        if (allowed) SetObjectState(fosReturn);
        return allowed;
    }
};

struct World
{
    std::unique_ptr<hgl::test::GLTestContext> gl;
    std::unique_ptr<hgl::test::TempDir> dir;
    avg::GameWiring wiring; // the game's own
    bool ok = false;
};

World &Setup()
{
    static World world;
    static bool done = false;
    if (done) return world;
    done = true;
    world.gl = std::make_unique<hgl::test::GLTestContext>(kCanvasW, kCanvasH);
    if (!world.gl->Ok())
    {
        std::fprintf(stderr, "soak: no GL canvas: %s\n", world.gl->Error().c_str());
        return world;
    }
    world.dir = std::make_unique<hgl::test::TempDir>("soak");
    hgl::demo::DemoContent demo;
    std::string error;
#ifdef HGL_PLUGIN_DIR_U
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U); // the demo's pictures are compressed
#endif
    if (!hgl::demo::MakeDemoContent(demo, &error) ||
        !hgl::demo::WriteTree(demo.data, world.dir->File("Data.hac"), &error) ||
        !hgl::demo::WriteTree(demo.local, world.dir->File("Local.hac"), &error))
    {
        std::fprintf(stderr, "soak: no demo content: %s\n", error.c_str());
        return world;
    }
    world.wiring = avg::MakeGameWiring();
    world.wiring.movie = [](const avg::MovieRequest &r) -> hgl::FlowObject * { return new SoakMovie(r); };
    world.ok = true;
    return world;
}

// The seed and the frame count the input asks for.
void ReadInput(const uint8_t *data, size_t size, unsigned &seed, int &frames)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    frames = kDefaultFrames;
    char *end = nullptr;
    const unsigned long number = std::strtoul(text.c_str(), &end, 10);
    if (size > 0 && end != text.c_str())
    {
        seed = unsigned(number);
        const long count = std::strtol(end, &end, 10);
        if (count > 0 && count <= kDefaultFrames * 10) frames = int(count);
        return;
    }
    seed = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        seed = (seed ^ data[i]) * 16777619u;
}

// The buttons the active screen shows, through its forms and boxes.
void CollectButtons(const hgl::ObjectControl &control, std::vector<hgl::gui::Button *> &out)
{
    const auto &all = control.GetObjectList();
    for (int i = 0; i < all.GetCount(); ++i)
    {
        hgl::Object *obj = all[i];
        if (auto *b = dynamic_cast<hgl::gui::Button *>(obj))
        {
            if (b->IsVisible() && b->IsEnabled()) out.push_back(b);
        }
        else if (auto *inner = dynamic_cast<hgl::ObjectControl *>(obj))
            if (inner->IsVisible()) CollectButtons(*inner, out);
    }
}

std::string ClassName(const hgl::FlowObject *screen)
{
    int status = 0;
    char *full = abi::__cxa_demangle(typeid(*screen).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && full ? full : typeid(*screen).name();
    std::free(full);
    return name;
}

class Soak
{
    std::mt19937 rng;
    std::unique_ptr<hgl::FlowControl> flow;
    hgl::test::GLTestContext &gl;
    const avg::GameWiring &wiring;
    int black_run = 0;
    std::map<std::string, int> seen; // frames each screen was the active one

    int Pick(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); }

    void Input()
    {
        static const int kKeys[] = {hgl::key::Esc,  hgl::key::Enter, hgl::key::Space, hgl::key::Up,
                                    hgl::key::Down, hgl::key::Left,  hgl::key::Right, hgl::key::F1};
        const int events = Pick(4);
        for (int e = 0; e < events && flow->IsRunning(); ++e)
        {
            int x = Pick(kCanvasW), y = Pick(kCanvasH);
            switch (Pick(10))
            {
            case 0:
            case 1:
                flow->Proc_KeyDown(Pick(5) == 0 ? 1 + Pick(100) : kKeys[Pick(8)]);
                break;
            case 2:
                flow->Proc_KeyRepeat(kKeys[Pick(8)]);
                break;
            case 3:
                flow->Proc_MouseMove(x, y, 0);
                break;
            case 4:
            case 5:
            {
                // Half the clicks go to a button the active screen shows.
                std::vector<hgl::gui::Button *> buttons;
                if (hgl::FlowObject *active = flow->GetActiveObject())
                    CollectButtons(*active->Control, buttons);
                if (!buttons.empty() && Pick(2) == 0)
                {
                    hgl::gui::Button *b = buttons[size_t(Pick(int(buttons.size())))];
                    x = int(b->GetOriginX() + b->Left + b->Width / 2);
                    y = int(b->GetOriginY() + b->Top + b->Height / 2);
                }
                flow->Proc_MouseMove(x, y, 0);
                flow->Proc_MouseLeftDown(x, y, 0);
                flow->Proc_MouseLeftUp(x, y, 0);
                break;
            }
            case 6:
                flow->Proc_MouseRightDown(x, y, 0);
                break;
            case 7:
                flow->Proc_MouseMiddleDown(x, y, 0);
                break;
            case 8:
                flow->Proc_MouseWheel(x, y, Pick(2) ? 120 : -120, 0);
                break;
            default:
                flow->Proc_JoystickDown(1 + Pick(12));
                break;
            }
        }
    }

    void CheckScreens()
    {
        int games = 0;
        bool credits = false;
        for (int i = 0; i < flow->GetScreenCount(); ++i)
        {
            hgl::FlowObject *s = flow->GetScreen(i);
            if (dynamic_cast<avg::GameUnit *>(s)) ++games;
            if (dynamic_cast<EndStaff *>(s)) credits = true;
        }
        if (games > 1)
        {
            std::fprintf(stderr, "soak: two in-game screens at once\n");
            __builtin_trap();
        }
        bool black = true;
        for (int i = 1; i <= 3 && black; ++i)
            for (int j = 1; j <= 3 && black; ++j)
            {
                const hgl::test::RGBA p = gl.ReadPixel(kCanvasW * i / 4, kCanvasH * j / 4);
                black = p.r < 8 && p.g < 8 && p.b < 8;
            }
        black_run = black && !credits ? black_run + 1 : 0;
        if (black_run > kLongestBlack)
        {
            std::fprintf(stderr, "soak: black for %d frames\n", black_run);
            __builtin_trap();
        }
    }

  public:
    Soak(unsigned seed, hgl::test::GLTestContext &context, const avg::GameWiring &w)
        : rng(seed), gl(context), wiring(w)
    {
        flow = std::make_unique<hgl::FlowControl>(new NewStartMenu(true, wiring));
    }

    bool InCredits() const
    {
        for (int i = 0; i < flow->GetScreenCount(); ++i)
            if (dynamic_cast<EndStaff *>(flow->GetScreen(i))) return true;
        return false;
    }

    void Frame()
    {
        // Mostly even frames, now and then a slow one; the credits, which nothing
        // skips, scroll by a second a frame so that the soak's frames go to the
        // other screens.
        const int ms = InCredits() ? 1000 : Pick(50) == 0 ? 150 + Pick(400) : 16;
        now_ns += hgl::uint64(ms) * 1000000u;
        Input();
        if (!flow->IsRunning()) Restart();
        hgl::SetOrtho2D(kCanvasW, kCanvasH);
        hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
        flow->RunFrame();
        if (!flow->IsRunning())
        {
            Restart();
            return;
        }
        CheckScreens();
        if (hgl::FlowObject *active = flow->GetActiveObject()) ++seen[ClassName(active)];
    }

    // Which screens the soak reached, and for how many frames.
    void Report() const
    {
        std::string line;
        for (const auto &[name, frames] : seen)
            line += " " + name + ":" + std::to_string(frames);
        std::fprintf(stderr, "soak:%s\n", line.c_str());
    }

    void Restart()
    {
        flow.reset();
        black_run = 0;
        flow = std::make_unique<hgl::FlowControl>(new NewStartMenu(false, wiring));
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    World &world = Setup();
    if (!world.ok) return 0;
    unsigned seed;
    int frames;
    ReadInput(data, size, seed, frames);
    if (size == 0) frames = 200; // the replay's empty run is a short one

    hgl::SetInfoString(8, world.dir->Path16().c_str());
    world.dir->MakeDir("Save");
    avg::config::ResetConfig();
    avg::GetGameRecord().Clear();
    now_ns = 10000000000ull;
    hgl::SetClockSource(&SoakClock);
    hgl::InitRandomSeed(seed);
    if (!avg::OpenArchives() || !avg::LoadDataTables() || !avg::InitGameResources() ||
        !avg::LoadSharedResources())
        __builtin_trap();
    // The extras are open, so the soak reaches them too.
    avg::SetSystemFlag(NewStartMenu::kExtrasFlag, 1);
    {
        Soak soak(seed, *world.gl, world.wiring);
        for (int i = 0; i < frames; ++i)
            soak.Frame();
        soak.Report();
    }
    avg::FreeSharedResources();
    avg::FreeGameResources();
    avg::FreeGameAudio();
    avg::ClearDataTables();
    avg::CloseArchives();
    avg::GetGameRecord().Clear();
    hgl::SetClockSource(nullptr);
    return 0;
}
