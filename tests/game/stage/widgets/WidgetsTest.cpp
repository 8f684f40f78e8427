// The animated picture and the caption on the demo content, in a headless GL
// context on a test clock.
#include "../../core/GameCoreFixture.h"
#include "graphics/draw/Painter.h"

#include "support/GLTestContext.h"

#include "game/core/GameResources.h"
#include "graphics/ColorType.h"
#include "graphics/font/TileFont.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"
#include "game/stage/widgets/CapLabel.h"
#include "game/stage/widgets/SamPic.h"
#include "io/Time.h"
#include "tools/mkdemo/DemoContent.h"

#include <memory>

namespace
{
constexpr int kCanvasW = 320, kCanvasH = 240;
hgl::uint64 now_ns = 0;
hgl::uint64 TestClock()
{
    return now_ns;
}
void AdvanceMs(int ms)
{
    now_ns += hgl::uint64(ms) * 1000000u;
}
} // namespace

class WidgetsTest : public GameCoreTest
{
  protected:
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};

    void SetUp() override
    {
        GameCoreTest::SetUp();
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        now_ns = 1000000000u;
        hgl::SetClockSource(&TestClock);
        hgl::demo::DemoContent demo;
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
        ASSERT_TRUE(avg::OpenArchives());
    }

    void TearDown() override
    {
        avg::FreeSharedResources();
        avg::FreeGameResources();
        hgl::SetClockSource(nullptr);
        GameCoreTest::TearDown();
    }
};

TEST_F(WidgetsTest, FramesRunOnceThenReportTheEnd)
{
    SamPic pic;
    pic.Load(u"p.HGP", 0, 0, kCanvasW, kCanvasH);
    ASSERT_EQ(pic.GetFrameCount(), 3);
    for (int round = 0; round < 2; ++round)
    {
        for (int i = 0; i < 29; ++i)
            EXPECT_TRUE(pic.DrawFrames()) << round << " " << i;
        EXPECT_FALSE(pic.DrawFrames());
    }
    hgl::test::LogCapture log;
    pic.SetImage(u"missing.HGP", 0, 0, kCanvasW, kCanvasH);
    EXPECT_FALSE(pic.DrawFrames());
    EXPECT_FALSE(pic.DrawFrames());
}

TEST_F(WidgetsTest, PulseAlphas)
{
    EXPECT_NEAR(SamPic::PulseAlpha(45), 0.5f, 1e-3);
    EXPECT_NEAR(SamPic::PulseAlpha(90), 0.5f, 1e-3);
    EXPECT_GT(SamPic::PulseAlpha(22), 0.99f);
    EXPECT_GT(SamPic::PulseAlpha(23), 0.99f);
    EXPECT_LT(SamPic::PulseAlpha(67), 0.01f);
    EXPECT_LT(SamPic::PulseAlpha(68), 0.01f);
    EXPECT_NEAR(SamPic::PulseAlpha(361), SamPic::PulseAlpha(1), 1e-3); // no jump at the wrap
    SamPic pic;
    pic.Load(u"red.HGP", 0, 0, kCanvasW, kCanvasH);
    for (int i = 0; i < 361; ++i)
        EXPECT_TRUE(pic.DrawPulse());
    EXPECT_EQ(pic.GetTick(), 0);
}

TEST_F(WidgetsTest, CaptionTimeline)
{
    ASSERT_TRUE(avg::LoadSharedResources());
    CapLabel caption(10, 10, u"第一章节", u"", u"Effect\\t.TEX");
    auto frame = [&](int ms)
    {
        AdvanceMs(ms);
        caption.DrawCaption(&caption);
    };
    for (int i = 0; i < 120; ++i)
        frame(16);
    EXPECT_LT(caption.GetFirstReveal(), 4);
    frame(16);
    EXPECT_EQ(caption.GetFirstReveal(), 4);
    EXPECT_EQ(caption.GetSequenceStart(), 0u);
    frame(16);
    const hgl::uint64 start = caption.GetSequenceStart();
    EXPECT_EQ(start, hgl::GetTime());
    const struct
    {
        int t;
        float picture, first, second;
    } times[] = {{500, 1, 1, 0}, {1500, 0.5f, 1, 0}, {2500, 0, 0.5f, 0}, {3500, 0, 0, 0.5f}, {6000, 0, 0, 1}};
    for (const auto &c : times)
    {
        now_ns = (start + hgl::uint64(c.t)) * 1000000u;
        caption.DrawCaption(&caption);
        EXPECT_NEAR(caption.GetPictureAlpha(), c.picture, 1e-3) << c.t;
        EXPECT_NEAR(caption.GetFirstAlpha(), c.first, 1e-3) << c.t;
        EXPECT_NEAR(caption.GetSecondAlpha(), c.second, 1e-3) << c.t;
    }
    EXPECT_EQ(caption.GetSecondReveal(), 0); // no second text
}

TEST_F(WidgetsTest, CaptionWithoutPictureDrawsText)
{
    ASSERT_TRUE(avg::LoadSharedResources());
    hgl::test::LogCapture log;
    CapLabel caption(0, 0, u"自动存档", u"二", u"Effect\\missing.TEX", avg::TextFont);
    for (int i = 0; i < 200; ++i)
    {
        AdvanceMs(16);
        caption.DrawCaption(&caption);
    }
    EXPECT_EQ(caption.GetFirstReveal(), 4);
    EXPECT_NE(caption.GetSequenceStart(), 0u);
}

// The picture under the caption is uncovered as far as the text has typed itself:
// a green picture shows left of the revealed share of the label's width, nothing
// right of it.
TEST_F(WidgetsTest, CaptionUncoversItsPictureWithTheText)
{
    hgl::TexFile green;
    green.image.width = green.image.height = 16;
    green.image.color_type = hgl::ctRGBA;
    for (int i = 0; i < 16 * 16; ++i)
        green.image.pixels.insert(green.image.pixels.end(), {0, 255, 0, 255});
    hgl::MemStream bytes;
    ASSERT_TRUE(green.Write(&bytes, hgl::String()));
    ASSERT_TRUE(dir.WriteFile("Data.hac/Effect/green.TEX",
                              std::vector<uint8_t>(bytes.GetData(), bytes.GetData() + bytes.GetSize())));
    ASSERT_TRUE(avg::LoadSharedResources());
    CapLabel caption(0, 0, u"第一章节", u"", u"Effect\\green.TEX");
    const hgl::TileFont &font = *avg::LargeTextFont;
    const float left = float(font.CharWidth / 2);
    const int y = font.CharHeight / 2 + (2 * font.CharHeight) / 3 + 2; // inside the picture's rows
    int frames = 0;
    for (int until : {30, 60, 90})
    {
        SCOPED_TRACE(until);
        for (; frames < until; ++frames)
        {
            AdvanceMs(16);
            hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
            caption.DrawCaption(&caption);
        }
        const float edge = left + caption.Width.Get() * caption.GetFirstReveal() / 4;
        EXPECT_NEAR(caption.GetFirstReveal(), until * CapLabel::kRevealStep, 1e-3);
        const hgl::test::RGBA inside = gl.ReadPixel(int(edge) - 2, y),
                              beyond = gl.ReadPixel(int(edge) + 2, y);
        EXPECT_GT(inside.g, 240);
        EXPECT_EQ(beyond.g, 0);
    }
}

TEST_F(WidgetsTest, CaptionDrawsItsSecondTextAfterTheFirst)
{
    ASSERT_TRUE(avg::LoadSharedResources());
    // Lit pixels of the canvas drawn by the frame at t ms into the caption's sequence.
    const auto lit_at = [&](CapLabel &caption, int t)
    {
        for (int i = 0; i < 400 && caption.GetSequenceStart() == 0; ++i)
        {
            AdvanceMs(16);
            caption.DrawCaption(&caption);
        }
        const hgl::uint64 end = caption.GetSequenceStart() + hgl::uint64(t);
        while (hgl::GetTime() < end)
        {
            AdvanceMs(16);
            hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
            caption.DrawCaption(&caption);
        }
        const std::vector<uint8_t> pixels = gl.ReadAll();
        int lit = 0;
        for (size_t i = 0; i < pixels.size(); i += 4)
            lit += pixels[i] > 128;
        return lit;
    };
    CapLabel with_second(0, 0, u"第一章节", u"再会", u"", avg::TextFont);
    CapLabel first_only(0, 0, u"第一章节", u"", u"", avg::TextFont);
    // From 4 s the first text has faded out and the second is fully in.
    EXPECT_GT(lit_at(with_second, 4500), 0);
    EXPECT_EQ(lit_at(first_only, 4500), 0);
}
