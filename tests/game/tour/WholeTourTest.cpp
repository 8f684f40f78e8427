// The shipped tour of the whole game, played by the game's own main headless from
// a fresh start folder holding the demo game, with its sound captured through
// OpenAL Soft's wave-file backend: the screenshots are checked region by region
// against the demo's manifest, the music in the stretches the tour marks, and the
// files the run leaves behind are read back.
#include "../core/GameCoreFixture.h"

#include "AudioTestKit.h"
#include "support/ScopedEnv.h"

#include "io/Time.h"
#include "game/core/GameMain.h"
#include "game/core/GameRecord.h"
#include "game/core/SaveHeader.h"
#include "game/screens/ScreensSetup.h"
#include "game/screens/title/NewStartMenu.h"
#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace
{
struct Pixel
{
    int r = -1, g = -1, b = -1;
};

bool Near(const Pixel &a, const Pixel &b, int tolerance = 14)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

std::string Show(const Pixel &p)
{
    return std::to_string(p.r) + "," + std::to_string(p.g) + "," + std::to_string(p.b);
}

// A 24-bit BMP read whole.
struct Bmp
{
    std::string data;
    int w = 0, h = 0;
    size_t offset = 0;

    explicit Bmp(const std::string &file)
    {
        std::ifstream in(file, std::ios::binary);
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (data.size() < 54) return;
        offset = U32(10);
        w = int(U32(18));
        h = int(U32(22));
    }
    uint32_t U32(size_t at) const
    {
        return uint32_t(uint8_t(data[at])) | uint32_t(uint8_t(data[at + 1])) << 8 |
               uint32_t(uint8_t(data[at + 2])) << 16 | uint32_t(uint8_t(data[at + 3])) << 24;
    }
    // The pixel at fractions of the width and height.
    Pixel At(float fx, float fy) const
    {
        if (w <= 0 || h <= 0) return {};
        const int x = std::clamp(int(fx * w), 0, w - 1), y = h - 1 - std::clamp(int(fy * h), 0, h - 1);
        const size_t at = offset + size_t(y) * size_t((w * 3 + 3) / 4 * 4) + size_t(x) * 3;
        if (at + 3 > data.size()) return {};
        return {uint8_t(data[at + 2]), uint8_t(data[at + 1]), uint8_t(data[at])};
    }
};

// The demo's manifest: the colour at the centres of a 4 x 4 grid over each layer.
class Manifest
{
    std::map<std::string, std::vector<Pixel>> cells; // "path#layer"

  public:
    Manifest()
    {
        std::istringstream lines(hgl::demo::MakeManifest());
        std::string line;
        while (std::getline(lines, line))
        {
            std::vector<std::string> fields;
            std::istringstream in(line);
            std::string f;
            while (std::getline(in, f, '\t'))
                fields.push_back(f);
            if (fields.size() != 4 + hgl::demo::kManifestGrid * hgl::demo::kManifestGrid) continue;
            std::vector<Pixel> colours;
            for (size_t i = 4; i < fields.size(); ++i)
            {
                const unsigned long v = std::stoul(fields[i], nullptr, 16);
                colours.push_back({int(v >> 24), int((v >> 16) & 255), int((v >> 8) & 255)});
            }
            cells[fields[0] + "#" + fields[1]] = colours;
        }
    }
    // The colour of a layer's grid cell (column, row).
    Pixel Cell(const std::string &path, int layer, int column, int row) const
    {
        const auto found = cells.find(path + "#" + std::to_string(layer));
        if (found == cells.end()) return {};
        return found->second[size_t(row * hgl::demo::kManifestGrid + column)];
    }
    size_t Size() const { return cells.size(); }
};

float CellCentre(int i)
{
    return (2 * i + 1) / (2.0f * hgl::demo::kManifestGrid);
}

// The strength of one frequency in a stretch of the left channel (Goertzel).
double Strength(const audio_test::Recording &r, size_t first, size_t last, double frequency)
{
    const double w = 2 * M_PI * frequency / r.rate, c = 2 * std::cos(w);
    double s1 = 0, s2 = 0;
    for (size_t i = first; i < last && i < r.Frames(); ++i)
    {
        const double s = r.Left(i) + c * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - c * s1 * s2;
    return last > first ? std::sqrt(std::max(0.0, power)) / double(last - first) : 0;
}

// The game's main in a fresh start folder holding the demo game, headless, its
// sound written to a wave file.
class WholeTourTest : public GameCoreTest
{
  protected:
    static constexpr int kCanvasW = 512, kCanvasH = 384;
    std::filesystem::path old_folder = std::filesystem::current_path();
    hgl::test::ScopedEnv window{"HGL_WINDOW", "headless"};

    void SetUp() override
    {
        GameCoreTest::SetUp();
        audio_test::WaveFile();
        hgl::demo::DemoContent demo;
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
        std::filesystem::current_path(dir.Path());
        // Half the tour's canvas in each direction: the tour scales its points, and
        // the software renderer has a quarter of the pixels to fill.
        avg::config::graphics_config.ScreenWidth = kCanvasW;
        avg::config::graphics_config.ScreenHeight = kCanvasH;
        ASSERT_TRUE(avg::config::SaveConfig());
        avg::config::ResetConfig();
    }

    void TearDown() override
    {
        std::filesystem::current_path(old_folder);
        GameCoreTest::TearDown();
    }

    static int RunGame()
    {
        char name[] = "game";
        char *argv[] = {name, nullptr};
        // As the game's executable does.
        return avg::GameMain(1, argv, avg::MakeGameWiring(),
                             [](const avg::GameWiring &wiring) { return new NewStartMenu(true, wiring); });
    }

    std::string Shot(const char *name) const { return dir.File(std::string("ScreenShot/") + name); }
};

// The wall time of each mark the tour logged, in seconds.
std::map<std::string, double> Marks(const hgl::test::LogCapture &log)
{
    std::map<std::string, double> marks;
    const std::u16string head = u"游览标记<";
    for (const std::u16string &line : log.Lines())
    {
        const size_t at = line.find(head);
        if (at == std::u16string::npos) continue;
        const size_t close = line.find(u">:", at);
        if (close == std::u16string::npos) continue;
        const std::string name = hgl::test::U8(line.substr(at + head.size(), close - at - head.size()));
        marks[name] = std::stod(hgl::test::U8(line.substr(close + 2))) / 1000.0;
    }
    return marks;
}
} // namespace

TEST_F(WholeTourTest, PlaysTheWholeGameFromAFreshStart)
{
    hgl::test::ScopedEnv tour("HGL_TOUR", HGL_SOURCE_DIR "/tours/demo.tour");
    hgl::test::LogCapture log;
    const int status = RunGame();
    ASSERT_EQ(status, 0) << log.Dump();

    // Every file the screens asked for by name was there.
    for (const char16_t *missing :
         {u"打开图片文件失败", u"打开贴图文件失败", u"读取文件<", u"播放声音<", u"打开影片失败",
          u"没有查到所需的文件", u"要取得的资源没有找到", u"不存在或是空的", u"游览失败"})
        EXPECT_FALSE(log.ContainsPart(missing)) << hgl::test::U8(missing) << "\n" << log.Dump();

    // The screenshots, region by region.
    const Manifest manifest;
    ASSERT_GT(manifest.Size(), 100u);
    struct Probe
    {
        const char *shot;
        const char *picture;
        int layer, column, row; // the manifest's cell
        float x, y, w, h;       // where the layer is drawn, in fractions of the canvas
        bool dimmed = false;    // darker than the picture
    };
    const float kButtonX = 1114 / 3200.0f, kButtonY = 900 / 2400.0f, kButtonW = 120 / 3200.0f,
                kButtonH = 560 / 2400.0f;
    const Probe probes[] = {
        // the title's sky beside the buttons, and the snowy hills before the balls
        {"tour-01-title.bmp", "StartMenu\\BackGround.HGP", 0, 0, 1, 0, 0, 1, 1},
        {"tour-01-title.bmp", "StartMenu\\BackGround.HGP", 1, 0, 3, 0, 0, 1, 1},
        {"tour-01-title.bmp", "StartMenu\\BackGround.HGP", 1, 2, 3, 0, 0, 1, 1},
        // the logo's three parts at their place, and the new-game button (focused)
        {"tour-01-title.bmp", "StartMenu\\WordTZE.HGP", 0, 1, 0, 1133 / 1600.0f, 60 / 1200.0f, 341 / 1600.0f,
         1056 / 1200.0f},
        {"tour-01-title.bmp", "StartMenu\\WordTZE.HGP", 2, 1, 3, 1133 / 1600.0f, 60 / 1200.0f, 341 / 1600.0f,
         1056 / 1200.0f},
        {"tour-01-title.bmp", "StartMenu\\EnterDream.HGP", 2, 0, 3, kButtonX, kButtonY, kButtonW, kButtonH},
        // the story's background above the figures
        {"tour-02-story.bmp", "BG\\bg01.HGP", 0, 1, 0, 0, 0, 1, 1},
        // the in-game menu's save item over the dimmed game
        {"tour-05-menu.bmp", "MenuRes\\Save.HGP", 0, 0, 3, (104 * 3 + 325.12f / 0.64f) / 1600.0f, 0,
         64 / 1600.0f, 300 / 1200.0f},
        // the extras set, its first button focused
        {"tour-11-extras.bmp", "StartMenu\\WordList.HGP", 0, 0, 3, (409 + 160) / 3200.0f, kButtonY, kButtonW,
         kButtonH},
        // the seen event picture, full screen in the viewer
        {"tour-15-cg.bmp", "Event\\c001.HGP", 0, 0, 0, 0, 0, 1, 1},
        {"tour-15-cg.bmp", "Event\\c001.HGP", 0, 3, 3, 0, 0, 1, 1},
        // the title again after the credits
        {"tour-18-title-after-credits.bmp", "StartMenu\\BackGround.HGP", 0, 0, 1, 0, 0, 1, 1},
    };
    for (const Probe &p : probes)
    {
        SCOPED_TRACE(std::string(p.shot) + " " + p.picture + " layer " + std::to_string(p.layer));
        const Bmp shot(Shot(p.shot));
        ASSERT_GT(shot.w, 0) << "no shot";
        const Pixel want = manifest.Cell(p.picture, p.layer, p.column, p.row);
        ASSERT_GE(want.r, 0) << "not in the manifest";
        const Pixel seen = shot.At(p.x + p.w * CellCentre(p.column), p.y + p.h * CellCentre(p.row));
        EXPECT_TRUE(Near(seen, want)) << Show(seen) << " for " << Show(want);
    }
    // The credits are black but for their lines; the menu dims the game it opens over.
    EXPECT_TRUE(Near(Bmp(Shot("tour-17-credits.bmp")).At(0.1f, 0.1f), {0, 0, 0}, 2));
    {
        const Pixel answer = Bmp(Shot("tour-04-answer.bmp")).At(0.02f, 0.5f);
        const Pixel menu = Bmp(Shot("tour-05-menu.bmp")).At(0.02f, 0.5f);
        EXPECT_TRUE(Near(menu, {int(answer.r * 0.7f), int(answer.g * 0.7f), int(answer.b * 0.7f)}, 4))
            << Show(menu) << " after " << Show(answer);
    }

    // The music: the title's at the title, the story's in the story, never the other.
    const std::map<std::string, double> marks = Marks(log);
    for (const char *m : {"logo", "title-music", "title-music-end", "story-music", "story-music-end"})
        ASSERT_TRUE(marks.count(m)) << m << "\n" << log.Dump();
    audio_test::Recording wave;
    ASSERT_TRUE(audio_test::ReadWave(audio_test::WaveFile(), wave));
    ASSERT_GT(wave.rate, 0);
    // Nothing sounds before the logo's sound: its start lines the wave up with the marks.
    const size_t onset = wave.Sounding().first;
    ASSERT_GT(wave.Sounding().second, onset) << "silent";
    const double shift = wave.Seconds(onset) - marks.at("logo");
    auto frames = [&](const char *mark, double inset)
    { return size_t(std::max(0.0, (marks.at(mark) + shift + inset) * wave.rate)); };
    const double kTitle = 550, kStory = 440;
    {
        const size_t first = frames("title-music", 0.2), last = frames("title-music-end", -0.2);
        ASSERT_GT(last, first);
        const double title = Strength(wave, first, last, kTitle), story = Strength(wave, first, last, kStory);
        EXPECT_GT(title, 4 * story) << title << " " << story;
    }
    {
        const size_t first = frames("story-music", 0.2), last = frames("story-music-end", -0.2);
        ASSERT_GT(last, first);
        const double title = Strength(wave, first, last, kTitle), story = Strength(wave, first, last, kStory);
        EXPECT_GT(story, 4 * title) << story << " " << title;
    }

    // Slot 2: the first chapter, stamped, with the time played.
    hgl::String script;
    hgl::Date date;
    hgl::Time time;
    hgl::int64 played = 0;
    ASSERT_TRUE(avg::ReadSaveHeader(u"2", script, date, time, played));
    EXPECT_EQ(script.ToStdString(), u"MAIN00");
    EXPECT_GE(int(date.Year), 2024);
    EXPECT_GT(played, 0);
    // Its picture is the game as the menu opened over it, not the menu.
    {
        // The game's shut-down let the plug-ins go; the picture's blocks need one.
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        hgl::FileStream in;
        ASSERT_TRUE(in.Open(dir.File16("Save/2.hgp").c_str(), hgl::fomOpenRead));
        hgl::HgpFile picture;
        hgl::test::LogCapture read_log;
        ASSERT_TRUE(picture.Read(&in, u"2.hgp")) << read_log.Dump();
        ASSERT_FALSE(picture.layers.empty());
        const hgl::ImageBlock &image = picture.layers[0].image;
        const int channels = image.color_type == hgl::ctRGBA ? 4 : 3;
        auto at = [&](float fx, float fy)
        {
            const size_t i = (size_t(fy * image.height) * size_t(image.width) + size_t(fx * image.width)) *
                             size_t(channels);
            return Pixel{image.pixels[i], image.pixels[i + 1], image.pixels[i + 2]};
        };
        const Bmp answer(Shot("tour-04-answer.bmp"));
        for (const float fx : {0.02f, 0.5f, 0.9f})
        {
            SCOPED_TRACE(fx);
            EXPECT_TRUE(Near(at(fx, 0.5f), answer.At(fx, 0.5f), 10))
                << Show(at(fx, 0.5f)) << " in the game " << Show(answer.At(fx, 0.5f));
        }
        // where the menu's save item stands, the game shows
        const float save_x = ((104 * 3 + 325.12f / 0.64f) + 32) / 1600.0f;
        EXPECT_TRUE(Near(at(save_x, 0.1f), answer.At(save_x, 0.1f), 10));
    }
    // The read lines of the first chapter were kept.
    EXPECT_GT(std::filesystem::file_size(dir.File("Save/main00.history")), 0u);

    // The game-wide record: the extras unlocked, the event picture seen, the tracks heard.
    avg::GetGameRecord().Clear();
    ASSERT_TRUE(avg::LoadGameRecord());
    EXPECT_EQ(avg::GetSystemFlag(NewStartMenu::kExtrasFlag), 1);
    EXPECT_TRUE(avg::IsEventSeen(u"C001"));
    for (const char16_t *track : {u"BGM01", u"BGM33", u"BGM25"})
        EXPECT_TRUE(avg::IsBGMHeard(track)) << hgl::test::U8(track);
}
