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
// Every stage draw (quads, fans, clears, pictures, blend modes) is kept in `calls`
// for the frames since the last ClearCalls(); log lines are in `log`.
#include "game/unit/GameUnitFixture.h"

#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include "core/Random.h"
#include "game/core/GameResources.h"
#include "game/stage/StageDraw.h"
#include "game/stage/StageSetup.h"
#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"
#include "platform/window/KeyCode.h"

#include <cstdlib>
#include <functional>
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
    std::vector<int> marks; // what the script passed to T_MARK, in order
    // Called at each T_MARK, inside the script's run: checks of what the script
    // did up to there.
    std::function<void(int)> on_mark;

    // Runs once the content is in place, before the screen is made.
    virtual void BeforeScreen() {}

    // The canvas size: override for the non-4:3 runs.
    virtual int Width() const { return stagekit::kCanvasW; }
    virtual int Height() const { return stagekit::kCanvasH; }

    void AddPicture(const std::u16string &path, int w, int h, hgl::test::RGBA colour)
    {
        extra.push_back({path, stagekit::SolidPicture(w, h, colour)});
    }
    void AddScript(const std::u16string &name, const std::u16string &text)
    {
        scripts.push_back({u"Script\\" + name + u".CPP", hgl::demo::TextFile(text)});
    }

    void SetUp() override
    {
        hgl::InitRandomSeed(stagekit::kSeed);
        avg::InstallStage();
        gl = std::make_unique<hgl::test::GLTestContext>(Width(), Height());
        ASSERT_TRUE(gl->Ok()) << gl->Error();
    }

    void TearDown() override
    {
        unit.reset();
        avg::FreeGameResources();
        GameUnitTest::TearDown();
        avg::SetStageFactory({});
    }

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddScripts(demo);
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
        BeforeScreen();
        unit = std::make_unique<avg::GameUnit>();
        unit->GetEngine()->MapMemberFunc(u"void T_MARK(int)", this, &StageTest::T_MARK);
        ASSERT_TRUE(unit->GotoScript(script));
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
