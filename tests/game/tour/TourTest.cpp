// Tours: their reading, and the shipped tour of the demo story played headless by
// the game's own main, its screenshots checked against the demo's pictures.
#include "../core/GameCoreFixture.h"

#include "support/ScopedEnv.h"

#include "game/core/GameMain.h"
#include "game/core/GameRecord.h"
#include "game/core/GameUnit.h"
#include "game/screens/ScreensSetup.h"
#include "game/core/Tour.h"
#include "platform/window/KeyCode.h"
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace
{
struct Pixel
{
    int r = -1, g = -1, b = -1;
};

bool Near(const Pixel &a, const Pixel &b)
{
    constexpr int kTolerance = 12; // scaling and filtering move colours a little
    return std::abs(a.r - b.r) <= kTolerance && std::abs(a.g - b.g) <= kTolerance &&
           std::abs(a.b - b.b) <= kTolerance;
}

// A pixel of a 24-bit BMP at a fraction of its width and height.
Pixel BmpPixel(const std::string &file, float fx, float fy)
{
    std::ifstream in(file, std::ios::binary);
    std::string d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto u32 = [&](size_t at)
    {
        return uint32_t(uint8_t(d[at])) | uint32_t(uint8_t(d[at + 1])) << 8 |
               uint32_t(uint8_t(d[at + 2])) << 16 | uint32_t(uint8_t(d[at + 3])) << 24;
    };
    if (d.size() < 54) return {};
    const int w = int(u32(18)), h = int(u32(22));
    const int x = int(fx * w), y = h - 1 - int(fy * h);
    const size_t at = u32(10) + size_t(y) * ((w * 3 + 3) / 4 * 4) + size_t(x) * 3;
    if (at + 3 > d.size()) return {};
    return {uint8_t(d[at + 2]), uint8_t(d[at + 1]), uint8_t(d[at])};
}

// The colour the demo painted at a fraction of one of its pictures.
Pixel DemoPixel(const std::u16string &path, float fx, float fy)
{
    for (const auto &picture : hgl::demo::MakeDemoPictures())
        if (picture.path == path)
        {
            const hgl::demo::DemoCanvas &c = picture.layers[0].canvas;
            const size_t at = (size_t(fy * c.Height()) * c.Width() + size_t(fx * c.Width())) * 4;
            return {c.Pixels()[at], c.Pixels()[at + 1], c.Pixels()[at + 2]};
        }
    return {};
}
} // namespace

TEST(TourTest, StepsAreReadOrRefusedByLine)
{
    std::vector<avg::Tour::Step> steps;
    std::string error;
    ASSERT_TRUE(avg::Tour::Parse("# a tour\n\nwait 3\nkey Esc\nkey F12\nkey q\nmove 1 2\npress left 3 4\r\n"
                                 "release right 5 6\nclick middle 7 8\nwheel -120 9 10\njoystick 2\n"
                                 "screenshot a.bmp\nquit\n",
                                 steps, error))
        << error;
    ASSERT_EQ(steps.size(), 12u);
    EXPECT_EQ(steps[0].value, 3);
    EXPECT_EQ(steps[3].value, hgl::key::Q);
    EXPECT_EQ(steps[5].value, avg::Tour::Left);
    EXPECT_EQ(steps[8].value, -120);
    EXPECT_EQ(steps[10].name, "a.bmp");

    ASSERT_TRUE(avg::Tour::Parse("until NewStartMenu\nuntil EndStaff 9000\nexpect GameUnit NewMenuUnit\n"
                                 "pace real\npace fast\nmark title\nskip 7000\ncanvas 1024 768\n",
                                 steps, error))
        << error;
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[6].value, 7000);
    EXPECT_EQ(steps[7].x, 1024);
    EXPECT_EQ(steps[7].y, 768);
    EXPECT_EQ(steps[0].name, "NewStartMenu");
    EXPECT_EQ(steps[0].value, avg::Tour::kDefaultUntilFrames);
    EXPECT_EQ(steps[1].value, 9000);
    EXPECT_EQ(steps[2].names, (std::vector<std::string>{"GameUnit", "NewMenuUnit"}));
    EXPECT_EQ(steps[3].value, 1);
    EXPECT_EQ(steps[4].value, 0);
    EXPECT_EQ(steps[5].name, "title");

    for (const char *bad : {"jump 1",      "wait",         "wait -1",  "wait 2x",
                            "key Nothing", "press up 1 2", "move 1",   "click left 1 2 3",
                            "screenshot",  "quit now",     "until",    "until A 0",
                            "until A -3",  "until A 5 6",  "expect",   "pace",
                            "pace slow",   "mark",         "mark a b", "skip",
                            "skip -1"})
    {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(avg::Tour::Parse(std::string("wait 1\n") + bad + "\n", steps, error));
        EXPECT_EQ(error.rfind("tour line 2 cannot be read", 0), 0u) << error;
    }
}

// The game's main in a start folder holding the demo game, headless and silent.
class ShippedTourTest : public GameCoreTest
{
  protected:
    std::filesystem::path old_folder = std::filesystem::current_path();
    hgl::test::ScopedEnv window{"HGL_WINDOW", "headless"};
    hgl::test::ScopedEnv silent{"ALSOFT_DRIVERS", "null"};

    void SetUp() override
    {
        GameCoreTest::SetUp();
        hgl::demo::DemoContent demo;
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
        std::filesystem::current_path(dir.Path());
    }

    void TearDown() override
    {
        std::filesystem::current_path(old_folder);
        GameCoreTest::TearDown();
    }

    static int RunGame(const avg::FirstScreenMaker &first)
    {
        char name[] = "game";
        char *argv[] = {name, nullptr};
        // As the game's executable does: the full stage and the screens.
        return avg::GameMain(1, argv, avg::MakeGameWiring(), first);
    }
};

TEST_F(ShippedTourTest, PlaysTheDemoStory)
{
    hgl::test::ScopedEnv tour("HGL_TOUR", HGL_SOURCE_DIR "/tours/story.tour");
    ASSERT_EQ(RunGame([](const avg::GameWiring &wiring) { return avg::NewGame(wiring); }), 0);

    // What each shot shows: the background (its sky, seen between the figures,
    // plain, darkened by the novel page or a dialog, or dimmed to 27.5 % by the
    // backlog), whether the message window covers the bottom right corner, and a
    // picture of the screens drawn at a place of its own.
    enum Sky
    {
        kPlain,
        kDarker,
        kBacklog,
    };
    const struct
    {
        const char *shot;
        const char16_t *picture;
        Sky sky;
        int message_box; // 1 shown, 0 not, -1 not looked at
        const char16_t *widget = nullptr;
        float wx = 0, wy = 0, wl = 0, wt = 0, ww = 0, wh = 0; // a probe of the widget's picture at its place
    } shots[] = {
        {"tour-01-first-line.bmp", u"BG\\bg01.HGP", kPlain, 1},
        {"tour-02-novel.bmp", u"BG\\bg01.HGP", kDarker, -1},
        {"tour-03-choice.bmp", u"BG\\bg01.HGP", kPlain, -1}, // the window may still be fading out
        {"tour-04-chapter-two.bmp", u"Event\\c001.HGP", kPlain, 1},
        {"tour-05-backlog.bmp", u"BG\\bg01.HGP", kBacklog, -1},
        {"tour-06-backlog-scrolled.bmp", u"BG\\bg01.HGP", kBacklog, -1},
        // The quick menu's auto-play item (not focused) under the frame button.
        {"tour-07-quick-menu.bmp", u"BG\\bg01.HGP", kPlain, 1, u"option\\AutoPlay.HGP", 0.05f, 0.5f,
         1320 / 1600.0f, 123 / 1200.0f, 240 / 1600.0f, 64 / 1200.0f},
        // The auto-pass question, centred at its 1600 x 1200 design size.
        {"tour-08-question.bmp", u"BG\\bg01.HGP", kDarker, 1, u"option\\GotoAutoPass.HGP", 0.1f, 0.9f,
         (1600 - 600) / 3200.0f, (1200 - 200) / 2400.0f, 600 / 1600.0f, 200 / 1200.0f},
    };
    // The sky between the figures, the caption and the icons; snow flakes may hide a
    // point or two of it.
    constexpr float kSkyX[] = {0.35f, 0.45f, 0.5f, 0.55f, 0.65f}, kSkyY = 0.05f, kBox[] = {0.97f, 0.95f};
    for (const auto &s : shots)
    {
        SCOPED_TRACE(s.shot);
        const std::string file = dir.File(std::string("ScreenShot/") + s.shot);
        ASSERT_GE(BmpPixel(file, 0.5f, 0.5f).r, 0) << "no shot";
        int matching = 0;
        std::string seen_sky;
        for (const float x : kSkyX)
        {
            const Pixel sky = BmpPixel(file, x, kSkyY), bg = DemoPixel(s.picture, x, kSkyY);
            seen_sky +=
                " " + std::to_string(sky.r) + "," + std::to_string(sky.g) + "," + std::to_string(sky.b);
            switch (s.sky)
            {
            case kPlain:
                matching += Near(sky, bg);
                break;
            case kDarker:
                matching += sky.r + sky.g + sky.b < (bg.r + bg.g + bg.b) * 9 / 10;
                break;
            case kBacklog:
                matching += Near(sky, {int(bg.r * 0.275f), int(bg.g * 0.275f), int(bg.b * 0.275f)});
                break;
            }
        }
        EXPECT_GE(matching, 3) << seen_sky;
        if (s.message_box >= 0)
        {
            EXPECT_NE(Near(BmpPixel(file, kBox[0], kBox[1]), DemoPixel(s.picture, kBox[0], kBox[1])),
                      s.message_box == 1);
        }
        if (s.widget)
        {
            const Pixel seen = BmpPixel(file, s.wl + s.wx * s.ww, s.wt + s.wy * s.wh);
            EXPECT_TRUE(Near(seen, DemoPixel(s.widget, s.wx, s.wy)))
                << seen.r << "," << seen.g << "," << seen.b;
        }
    }
    // The story reached its second script and the end; the record was saved on the way out,
    // with the option the tour picked and the slot saved as the choice opened.
    EXPECT_TRUE(std::filesystem::exists(dir.File("Save/0.save")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Save/1.save")));
    ASSERT_TRUE(avg::LoadGameRecord());
    EXPECT_TRUE(avg::IsSelectSeen(u"S12"));
    EXPECT_FALSE(avg::IsSelectSeen(u"S10"));
}

namespace
{
// A first screen that asks the process to end as soon as it runs.
class SignalScreen : public hgl::FlowObject
{
  public:
    void Update() override { std::raise(SIGTERM); }
};
} // namespace

namespace
{
class PlainScreen : public hgl::FlowObject
{
};
} // namespace

TEST_F(ShippedTourTest, AScreenNotReachedOrAStackNotAsExpectedFailsTheTour)
{
    const struct
    {
        const char *tour;
        const char16_t *says;
    } cases[] = {
        {"wait 2\nuntil NewStartMenu 5\nquit\n", u"screen NewStartMenu not reached; running: PlainScreen"},
        {"expect PlainScreen GameUnit\n", u"expected PlainScreen GameUnit, running: PlainScreen"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.tour);
        ASSERT_TRUE(dir.WriteFile("failing.tour", c.tour));
        hgl::test::ScopedEnv tour("HGL_TOUR", dir.File("failing.tour").c_str());
        hgl::test::LogCapture log;
        EXPECT_EQ(RunGame([](const avg::GameWiring &) { return new PlainScreen; }), 1);
        EXPECT_TRUE(log.ContainsPart(c.says)) << log.Dump();
    }
    // Met, they let the tour go on to its end.
    ASSERT_TRUE(dir.WriteFile("passing.tour", "until PlainScreen 1\nexpect PlainScreen\npace real\nwait 3\n"
                                              "mark here\npace fast\nwait 3\n"));
    hgl::test::ScopedEnv tour("HGL_TOUR", dir.File("passing.tour").c_str());
    hgl::test::LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunGame([](const avg::GameWiring &) { return new PlainScreen; }), 0);
    // Three frames at the real pace take three frame times at least.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
    EXPECT_TRUE(log.ContainsPart(u"游览标记<here>")) << log.Dump();
}

TEST_F(ShippedTourTest, ASignalOrABadTourEndsTheGame)
{
    ASSERT_TRUE(dir.WriteFile("bad.tour", "wait 1\nkey Esc\nklick left 1 2\n"));
    {
        hgl::test::ScopedEnv tour("HGL_TOUR", dir.File("bad.tour").c_str());
        hgl::test::LogCapture log;
        EXPECT_EQ(RunGame([](const avg::GameWiring &) { return new SignalScreen; }), 1);
        EXPECT_TRUE(log.ContainsPart(u"tour line 3 cannot be read")) << log.Dump();
    }
    hgl::test::ScopedEnv no_tour("HGL_TOUR", nullptr);
    EXPECT_EQ(RunGame([](const avg::GameWiring &) { return new SignalScreen; }), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.File("Save/Game.TDF")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Save/Config.TDF")));
}
