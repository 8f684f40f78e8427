#pragma once
// The stage test harness: the real engine and in-game screen on a headless canvas,
// driven frame by frame on a test clock with the random numbers seeded 5489.
//
//   class MyTest : public StageTest {};
//   TEST_F(MyTest, X)
//   {
//       AddPicture(u"BG\\bg01.HGP", 8, 6, {255, 0, 0, 255});
//       AddScript(u"T", u"func main() { BG_SET(\"bg01\"); T_MARK(1); }");
//       Start(u"T");          // the screen, "void T_MARK(int)", the full stage
//       Step(16);             // clock +16 ms, update, draw
//       EXPECT_EQ(marks, std::vector<int>{1});
//       EXPECT_TRUE(Near(Pixel(1, 1), {255, 0, 0, 255}));
//   }
//
// Widgets draw where their owners put them (the screen's translation is installed);
// a test that needs the shared fonts sets with_fonts before Start.
//
// Every stage draw (quads, fans, clears, pictures, blend modes, textured quads,
// glyphs, outlines) is kept in `calls` for the frames since the last ClearCalls();
// log lines are in `log`. Audio is silent: the voices asked for are kept in
// `voices` (their lengths in seconds come from `voice_seconds`, 0 when not
// there), the system sounds in `system_sounds`, and every request (voices,
// system sounds, music, sound effects, their stops and volumes) as a line of
// `sounds` ("music BGM01 loop", "system 9", "se 0 se01", "stop se -1", ...). The
// message window's pictures are plain colours (stagekit::kMessageBoxPictures).
// Checkpoint(name) writes the canvas as a PNG file when HGL_STAGE_PNG names a folder.
#include "game/unit/GameUnitFixture.h"
#include "graphics/draw/Painter.h"

#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include "core/Random.h"
#include "game/core/GameResources.h"
#include "game/stage/StageDraw.h"
#include "game/stage/StageSetup.h"
#include "graphics/ColorType.h"
#include "graphics/gl/RenderState.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"
#include "platform/window/KeyCode.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace stagekit
{
constexpr int kCanvasW = 1024, kCanvasH = 768;
// A canvas of another shape, for layouts that must not assume 4:3.
constexpr int kWideW = 1280, kWideH = 720;
constexpr unsigned kSeed = 5489;
constexpr int kFrameMs = 16;

// Keeps every stage draw call while it lives.
class DrawRecorder : public avg::stage_draw::Recorder
{
  public:
    std::vector<avg::stage_draw::Call> calls;
    DrawRecorder() { avg::stage_draw::SetRecorder(this); }
    ~DrawRecorder() override { avg::stage_draw::SetRecorder(nullptr); }
    void Record(const avg::stage_draw::Call &call) override { calls.push_back(call); }

    std::vector<avg::stage_draw::Call> Of(avg::stage_draw::CallKind kind) const
    {
        std::vector<avg::stage_draw::Call> out;
        for (const auto &c : calls)
            if (c.kind == kind) out.push_back(c);
        return out;
    }
};

// An HGP file of one layer in one colour, stored without compression.
inline std::vector<uint8_t> SolidPicture(int w, int h, hgl::test::RGBA colour)
{
    hgl::HgpFile hgp;
    hgp.width = w;
    hgp.height = h;
    hgl::ImageBlock image;
    image.width = w;
    image.height = h;
    image.color_type = hgl::ctRGBA;
    for (int i = 0; i < w * h; ++i)
        image.pixels.insert(image.pixels.end(), {colour.r, colour.g, colour.b, colour.a});
    hgp.layers.push_back({u"", 0, 0, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

// A TEX file of w x h pixels painted by paint(x, y), stored without compression.
inline std::vector<uint8_t> PaintedTexture(int w, int h,
                                           const std::function<hgl::test::RGBA(int, int)> &paint)
{
    hgl::TexFile tex;
    tex.image.width = w;
    tex.image.height = h;
    tex.image.color_type = hgl::ctRGBA;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
        {
            const hgl::test::RGBA c = paint(x, y);
            tex.image.pixels.insert(tex.image.pixels.end(), {c.r, c.g, c.b, c.a});
        }
    hgl::MemStream s;
    tex.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

// A TEX file of one colour, stored without compression.
inline std::vector<uint8_t> SolidTexture(int w, int h, hgl::test::RGBA colour)
{
    return PaintedTexture(w, h, [colour](int, int) { return colour; });
}

// The message window's pictures in the harness: each its own colour.
struct MessageBoxPicture
{
    const char16_t *path;
    bool texture;
    int w, h;
    hgl::test::RGBA colour;
};
constexpr hgl::test::RGBA kNameCapColour{255, 0, 0, 255};
constexpr int kNameFrameW = 512, kNameCapColumns = 77; // the cap ends at u = 77/512
const MessageBoxPicture kMessageBoxPictures[] = {
    {u"MessageBox\\h.TEX", true, 8, 8, {128, 128, 128, 255}},
    {u"MessageBox\\DlgFrame.TEX", true, 8, 8, {0, 0, 255, 255}},
    {u"MessageBox\\message1.TEX", true, 8, 8, {128, 128, 128, 255}},
    {u"MessageBox\\message2.TEX", true, 8, 8, {0, 255, 0, 255}},
    {u"MessageBox\\flower.TEX", true, 8, 8, {255, 255, 0, 255}},
    {u"MessageBox\\SAKURA.TEX", true, 8, 8, {255, 128, 192, 255}},
    {u"MessageBox\\IconDlg.TEX", true, 8, 8, {0, 255, 255, 255}},
    {u"MessageBox\\NameFrame.TEX", true, kNameFrameW, 4, {0, 0, 255, 255}},
    {u"MessageBox\\sharp.HGP", false, 16, 16, {255, 0, 255, 255}},
    {u"MessageBox\\yen.HGP", false, 16, 16, {255, 128, 0, 255}},
    {u"arrow.HGP", false, 16, 8, {255, 255, 255, 255}},
};

// A PNG file of the colours of RGBA rows, top first, its deflate blocks stored
// uncompressed.
inline bool WritePng(const std::string &path, int w, int h, const std::vector<uint8_t> &rgba)
{
    auto crc = [](const std::string &bytes)
    {
        uint32_t c = 0xFFFFFFFFu;
        for (unsigned char b : bytes)
        {
            c ^= b;
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
        }
        return c ^ 0xFFFFFFFFu;
    };
    auto be32 = [](uint32_t v) { return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; };
    auto chunk = [&](const char *type, const std::string &data)
    {
        const std::string body = type + data;
        return be32(uint32_t(data.size())) + body + be32(crc(body));
    };
    std::string raw;
    for (int y = 0; y < h; ++y)
    {
        raw += '\0';
        for (int x = 0; x < w; ++x) // the colour only: the canvas' alpha is not what shows
            raw.append(reinterpret_cast<const char *>(rgba.data()) + (size_t(y) * w + x) * 4, 3);
    }
    std::string z = "\x78\x01";
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0;)
    {
        const size_t n = std::min<size_t>(65535, raw.size() - at);
        const bool last = at + n >= raw.size();
        z += char(last ? 1 : 0);
        z += {char(n & 0xFF), char(n >> 8), char(~n & 0xFF), char((~n >> 8) & 0xFF)};
        z.append(raw, at, n);
        at += n;
        if (last) break;
    }
    z += be32((b << 16) | a);
    const std::string header = be32(uint32_t(w)) + be32(uint32_t(h)) + std::string{8, 2, 0, 0, 0};
    std::ofstream out(path, std::ios::binary);
    out << "\x89PNG\r\n\x1A\n" << chunk("IHDR", header) << chunk("IDAT", z) << chunk("IEND", "");
    return bool(out);
}

inline bool Near(hgl::test::RGBA a, hgl::test::RGBA b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
} // namespace stagekit

class StageTest : public GameUnitTest
{
  protected:
    std::unique_ptr<hgl::test::GLTestContext> gl;
    hgl::test::LogCapture log;
    stagekit::DrawRecorder recorder;
    std::vector<int> marks;          // what the script passed to T_MARK, in order
    std::vector<std::string> sounds; // every request of the audio, in order
    // Called at each T_MARK, inside the script's run: checks of what the script
    // did up to there.
    std::function<void(int)> on_mark;
    // Start makes the shared fonts (and the message-box textures) too.
    bool with_fonts = false;
    std::vector<std::u16string> voices;             // the voices played, in order
    std::map<std::u16string, double> voice_seconds; // a voice's length; 0 when not listed
    std::vector<int> system_sounds;                 // the system sounds played, in order

    // Runs once the content is in place, before the screen is made.
    virtual void BeforeScreen() {}

    // The canvas size: override for the non-4:3 runs.
    virtual int Width() const { return stagekit::kCanvasW; }
    virtual int Height() const { return stagekit::kCanvasH; }

    void AddPicture(const std::u16string &path, int w, int h, hgl::test::RGBA colour)
    {
        extra.push_back({path, stagekit::SolidPicture(w, h, colour)});
    }
    void AddTexture(const std::u16string &path, int w, int h,
                    const std::function<hgl::test::RGBA(int, int)> &paint)
    {
        extra.push_back({path, stagekit::PaintedTexture(w, h, paint)});
    }
    void AddScript(const std::u16string &name, const std::u16string &text)
    {
        scripts.push_back({u"Script\\" + name + u".CPP", hgl::demo::TextFile(text)});
    }

    void SetUp() override
    {
        hgl::InitRandomSeed(stagekit::kSeed);
        wiring.stage = avg::MakeStageFactory();
        gl = std::make_unique<hgl::test::GLTestContext>(Width(), Height());
        ASSERT_TRUE(gl->Ok()) << gl->Error();
    }

    void TearDown() override
    {
        unit.reset();
        avg::SetAudioHooks({});
        avg::FreeSharedResources();
        avg::FreeGameResources();
        GameUnitTest::TearDown();
    }

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddScripts(demo);
        for (const auto &p : stagekit::kMessageBoxPictures)
        {
            bool given = false;
            for (const auto &f : extra)
                given = given || f.path == p.path;
            if (given) continue;
            const bool frame = std::u16string(p.path) == u"MessageBox\\NameFrame.TEX";
            const auto paint = [&p, frame](int x, int)
            { return frame && x < stagekit::kNameCapColumns ? stagekit::kNameCapColour : p.colour; };
            demo.AddData(p.path, p.texture ? stagekit::PaintedTexture(p.w, p.h, paint)
                                           : stagekit::SolidPicture(p.w, p.h, p.colour));
        }
        for (auto &f : extra)
            demo.AddData(f.path, f.data);
        for (auto &f : scripts)
            demo.AddLocal(f.path, f.data);
    }

    // Writes the content, makes the screen with T_MARK and starts the script.
    void Start(const char16_t *script)
    {
        GameUnitTest::SetUp();
        Advance(kStartMs); // times of 0 mean "not yet" to the stage
        ASSERT_TRUE(avg::InitGameResources());
        if (with_fonts)
        {
            ASSERT_TRUE(avg::LoadSharedResources());
        }
        InstallAudio();
        BeforeScreen();
        if (HasFatalFailure()) return;
        MakeUnit();
        ASSERT_TRUE(unit->GotoScript(script));
    }

    // Silent audio that keeps what it is asked to play.
    void InstallAudio()
    {
        avg::AudioHooks audio;
        audio.voice = [this](const hgl::String &name)
        {
            voices.push_back(name.ToStdString());
            sounds.push_back("voice " + hgl::test::U8(name.ToStdString()));
            const auto found = voice_seconds.find(name.ToStdString());
            return found == voice_seconds.end() ? 0.0 : found->second;
        };
        audio.stop_voice = [this] { sounds.push_back("stop voice"); };
        audio.system_sound = [this](int n, bool protect)
        {
            system_sounds.push_back(n);
            sounds.push_back("system " + std::to_string(n) + (protect ? " protected" : ""));
        };
        audio.music = [this](const hgl::String &name, bool loop)
        { sounds.push_back("music " + hgl::test::U8(name.ToStdString()) + (loop ? " loop" : "")); };
        audio.stop_music = [this] { sounds.push_back("stop music"); };
        audio.music_volume = [this](int v) { sounds.push_back("music volume " + std::to_string(v)); };
        audio.sound_effect = [this](int channel, const hgl::String &name, bool loop)
        {
            sounds.push_back("se " + std::to_string(channel) + " " + hgl::test::U8(name.ToStdString()) +
                             (loop ? " loop" : ""));
        };
        audio.stop_sound_effect = [this](int channel)
        { sounds.push_back("stop se " + std::to_string(channel)); };
        audio.sound_effect_volume = [this](int v) { sounds.push_back("se volume " + std::to_string(v)); };
        avg::SetAudioHooks(audio);
    }

    // A new in-game screen with T_MARK in the place of the one there, e.g. to load a save into.
    void MakeUnit()
    {
        unit.reset();
        unit = std::make_unique<avg::GameUnit>(wiring);
        unit->GetEngine()->MapMemberFunc(u"void T_MARK(int)", this, &StageTest::T_MARK);
    }

    // One frame: the clock moves on, then the screen updates and draws.
    void Step(int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        unit->UpdateObject();
        unit->DrawObject();
    }
    void Steps(int count, int ms = stagekit::kFrameMs)
    {
        for (int i = 0; i < count; ++i)
            Step(ms);
    }

    void ClearCalls() { recorder.calls.clear(); }
    // The canvas as "<name>.png" in the folder HGL_STAGE_PNG names, when it is set:
    // what a player would see at this point.
    void Checkpoint(const std::string &name)
    {
        const char *folder = std::getenv("HGL_STAGE_PNG");
        if (folder && *folder)
            stagekit::WritePng(std::string(folder) + "/" + name + ".png", Width(), Height(), gl->ReadAll());
    }
    hgl::test::RGBA Pixel(int x, int y) { return gl->ReadPixel(x, y); }

    // Input, acted on at the next Step.
    void MouseMove(int x, int y) { unit->Proc_MouseMove(x, y, 0); }
    void LeftClick(int x, int y)
    {
        unit->Proc_MouseLeftDown(x, y, 0);
        unit->Proc_MouseLeftUp(x, y, 0);
    }
    void RightClick(int x, int y) { unit->Proc_MouseRightDown(x, y, 0); }
    void MiddleClick(int x, int y) { unit->Proc_MouseMiddleDown(x, y, 0); }
    void Key(int code) { unit->Proc_KeyDown(code); } // 1 Esc, 54 Enter, 70 Space, 83-86 arrows
    void Joystick(int button) { unit->Proc_JoystickDown(button); }

  private:
    static constexpr int kStartMs = 1000;
    std::vector<hgl::demo::DemoFile> extra, scripts;
    void T_MARK(int n)
    {
        marks.push_back(n);
        if (on_mark) on_mark(n);
    }
};
