// What the message window draws: the reveal's pace, the box's fade and outline,
// the frames, the name, the glyphs' colours, the end marker, the petal burst and
// the shake; a few pixels of the real canvas.
#include "MessageTestKit.h"

#include "../char/CharTestKit.h"

#include "game/stage/effect/WeatherEffect.h"

#include <cmath>

using msgkit::Repeat;
using RGBA = hgl::test::RGBA;

namespace
{
constexpr RGBA kGround{200, 200, 200, 255};
// The box: the blue frame texture in the box colour (0.25).
constexpr RGBA kBox{0, 0, 64, 255};
constexpr RGBA kBlack{0, 0, 0, 255}, kWhite{255, 255, 255, 255}, kGrey{128, 128, 128, 255};
constexpr char16_t kBlock = u'■';

// The window's box up and its reveal at the speed.
class RevealTest : public MessageTest
{
  protected:
    void Prepare(int speed)
    {
        AddPicture(u"BG\\bgground.HGP", 8, 6, kGround);
        // The story waits on its line while the tests show theirs.
        Run(u"BG_SET(\"bgground\");\nShowMessage(\"\", \"\", \"起\");");
        ASSERT_TRUE(Reveal());
        Box().SetTextSpeed(speed);
    }

    // The run of pixels of row y from x on, while they are of the colour.
    int RunOf(int x, int y, RGBA colour, int step)
    {
        int n = 0;
        while (x >= 0 && x < Width() && stagekit::Near(Pixel(x, y), colour, 24))
        {
            x += step;
            ++n;
        }
        return n;
    }
};

class MessageCharTest : public CharTest
{
  protected:
    MessageCharTest() { with_fonts = true; }
    avg::GameDialogBox &Box() { return *dynamic_cast<avg::GameDialogBox *>(unit->GetMessageStage()); }
};
} // namespace

TEST_F(RevealTest, FortyCharactersAtFortyTakeSixtyFramesAtAHundredTwentyFour)
{
    const struct
    {
        int speed;
        bool centred;
        int frames;
    } cases[] = {{40, false, 60}, {100, false, 24}, {40, true, 120}, {1000, true, 120}, {0, false, 60}};
    Prepare(40);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.speed);
        Box().SetTextSpeed(c.speed);
        const std::u16string line = Repeat(u"字", 40);
        if (c.centred)
            Box().MESCFunc(line.c_str());
        else
            Box().ShowMessageFunc(u"", u"", line.c_str());
        EXPECT_EQ(RevealFrames(), c.frames);
        EXPECT_TRUE(Box().IsTextDone());
    }
}

TEST_F(RevealTest, TheRevealDrawsTheNextCharacterFadingIn)
{
    Prepare(40);
    Box().ShowMessageFunc(u"", u"", u"一二三");
    ClearCalls();
    Step();
    // 0 whole characters yet, the first at two thirds, with its shadow.
    std::vector<msgkit::Call> glyphs = Glyphs();
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].from, float(u'一'));
    EXPECT_NEAR(glyphs[1].alpha, 2.0f / 3, 1e-5);
    EXPECT_TRUE(Chars().talking);
    ClearCalls();
    Steps(4);
    EXPECT_TRUE(Box().IsTextComplete());
    EXPECT_FALSE(Chars().talking);
}

TEST_F(RevealTest, TheBoxFadesInWithAnOutlineFirst)
{
    AddPicture(u"BG\\bgground.HGP", 8, 6, kGround);
    Run(u"BG_SET(\"bgground\");\nShowMessage(\"\", \"\", \"一\");");
    const hgl::RectScope2<float> r = Box().GetTextRect();
    const float W = float(Width()), H = float(Height());
    const int probe_x = Width() / 2, box_y = Height() - 40;
    // The outline's top edge.
    const int line_y = int(std::lround(r.Top - 88 * H / 768 + 48));
    ClearCalls();
    Steps(10);
    EXPECT_NEAR(Box().GetBoxAlpha(), 0.22f, 1e-4);
    std::vector<msgkit::Call> lines = recorder.Of(msgkit::CallKind::Lines);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.back().from, 5.0f);
    EXPECT_FLOAT_EQ(lines.back().x, r.Left - 36 * W / 1024 + 16);
    EXPECT_NEAR(lines.back().alpha, 0.22f, 1e-4);
    EXPECT_TRUE(TexQuads().empty());
    EXPECT_TRUE(Glyphs().empty());
    EXPECT_TRUE(stagekit::Near(Pixel(probe_x, box_y), kGround));
    const RGBA line = Pixel(probe_x, line_y);
    EXPECT_LT(line.r, kGround.r - 20) << line.r;

    ASSERT_TRUE(StepUntil([this] { return Box().GetBoxAlpha() >= 0.5f; }));
    ClearCalls();
    Step();
    EXPECT_TRUE(recorder.Of(msgkit::CallKind::Lines).empty());
    const std::vector<msgkit::Call> quads = TexQuads();
    ASSERT_FALSE(quads.empty());
    const float h = float(avg::TextFont->CharHeight), g = float(avg::TextFont->LineGap);
    EXPECT_FLOAT_EQ(quads[0].x, -2 * g + 4);
    EXPECT_FLOAT_EQ(quads[0].y, H - 5 * h - 3 * g - 30 * H / 768);
    EXPECT_FLOAT_EQ(quads[0].w, W + 4 * g - 8);
    EXPECT_FLOAT_EQ(quads[0].h, 5 * h + 8 * g);
    ASSERT_TRUE(Reveal());
    EXPECT_TRUE(stagekit::Near(Pixel(probe_x, box_y), kBox));
    EXPECT_TRUE(stagekit::Near(Pixel(probe_x, line_y), kBox));

    // Hidden, it fades out a tenth a frame.
    RightClick(1, 1);
    Steps(3);
    EXPECT_NEAR(Box().GetBoxAlpha(), 0.7f, 1e-4);
}

TEST_F(RevealTest, TheNameFrameAndItsLeftCap)
{
    Prepare(1000);
    Box().ShowMessageFunc(u"", u"", u"【小雪】你好");
    ClearCalls();
    Step();
    const float H = float(Height());
    const float h = float(avg::TextFont->CharHeight), g = float(avg::TextFont->LineGap);
    std::vector<msgkit::Call> frame;
    for (const auto &q : TexQuads())
        if (q.to == avg::GameDialogBox::kNameCapU || q.from == avg::GameDialogBox::kNameCapU)
            frame.push_back(q);
    ASSERT_EQ(frame.size(), 2u);
    const float height = 128 * h / 68 + 2 * g, width = (4 * h + 4 * g) * 512 / 432;
    EXPECT_FLOAT_EQ(frame[0].x, H / 3);
    EXPECT_FLOAT_EQ(frame[0].w, width);
    EXPECT_FLOAT_EQ(frame[0].to, 1.0f);
    EXPECT_FLOAT_EQ(frame[1].x + frame[1].w, H / 3);
    EXPECT_FLOAT_EQ(frame[1].w, height * 77 / 128);
    EXPECT_FLOAT_EQ(frame[1].from, 0.0f);
    // The cap shows the texture's first 77 of 512 columns, the frame the rest.
    const int mid_y = int(frame[0].y + frame[0].h / 2);
    EXPECT_TRUE(stagekit::Near(Pixel(int(H / 3) - 4, mid_y), {255, 0, 0, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(int(frame[1].x) + 2, mid_y), {255, 0, 0, 255}));
    EXPECT_TRUE(stagekit::Near(Pixel(int(H / 3) + 3, mid_y + int(h / 2) + 2), {0, 0, 255, 255}));
    // The name is centred in the frame.
    const std::vector<msgkit::Call> name = GlyphsOf(u'小');
    ASSERT_EQ(name.size(), 2u);
    const std::vector<msgkit::Call> last = GlyphsOf(u'雪');
    const float name_mid = (name[1].x + last[1].x + h) / 2;
    EXPECT_NEAR(name_mid, H / 3 + width / 2, 2);
}

TEST_F(RevealTest, GlyphColoursShadowsAndTheCentredOutline)
{
    Prepare(1000);
    const struct
    {
        int font; // FONT's argument; -1 for a centred line
        msgkit::Call shadow, text;
        int shadows;
    } cases[] = {
        {1, {}, {}, 1},
        {0, {}, {}, 1},
        {2, {}, {}, 1},
        {-1, {}, {}, 4},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.font);
        if (c.font >= 0)
        {
            Box().FONTFunc(c.font);
            Box().ShowMessageFunc(u"", u"", u"■");
        }
        else
        {
            Box().FONTFunc(1);
            Box().MESCFunc(u"■");
        }
        ASSERT_TRUE(Reveal());
        ClearCalls();
        Step();
        const std::vector<msgkit::Call> glyphs = GlyphsOf(kBlock);
        ASSERT_EQ(int(glyphs.size()), c.shadows + 1);
        const bool dark = c.font == 1 || c.font < 0;
        const msgkit::Call &text = glyphs.back();
        EXPECT_EQ(text.colour.r, dark ? 0.0f : 1.0f);
        for (int i = 0; i < c.shadows; ++i)
            EXPECT_EQ(glyphs[i].colour.r, dark ? 0.5f : 0.0f);
        if (c.shadows == 1)
        {
            EXPECT_EQ(glyphs[0].x, text.x + 1);
            EXPECT_EQ(glyphs[0].y, text.y + 1);
            EXPECT_EQ(text.x, std::trunc(text.x));
        }
        else
        {
            const float offsets[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
            for (int i = 0; i < 4; ++i)
            {
                EXPECT_FLOAT_EQ(glyphs[i].x - text.x, offsets[i][0]);
                EXPECT_FLOAT_EQ(glyphs[i].y - text.y, offsets[i][1]);
            }
        }

        // On the canvas: the block in the text colour, then the shadow below and
        // right of it (and, centred, the outline all round).
        const int cx = int(text.x + text.h / 2), cy = int(text.y + text.h / 2);
        const RGBA fore = dark ? kBlack : kWhite, shade = dark ? kGrey : kBlack;
        ASSERT_TRUE(stagekit::Near(Pixel(cx, cy), fore, 8)) << Pixel(cx, cy).r;
        const int right = cx + RunOf(cx, cy, fore, 1);
        EXPECT_TRUE(stagekit::Near(Pixel(right, cy), shade, 40)) << Pixel(right, cy).r;
        // Left of the block only the centred outline darkens what is beneath.
        const int left = cx - RunOf(cx, cy, fore, -1) - 1;
        if (c.shadows == 4)
            EXPECT_LT(Pixel(left, cy).r, kGround.r - 20) << Pixel(left, cy).r;
        else
            EXPECT_TRUE(stagekit::Near(Pixel(left, cy), kBox)) << Pixel(left, cy).b;
    }
}

TEST_F(RevealTest, InlinePicturesDrawTheirShadowThenThemselves)
{
    Prepare(1000);
    Box().ShowMessageFunc(u"", u"", u"＃");
    ASSERT_TRUE(Reveal());
    ClearCalls();
    Step();
    std::vector<msgkit::Call> seq;
    for (const auto &c : recorder.calls)
        if ((c.kind == msgkit::CallKind::Blend && (c.from == 6 || !seq.empty())) ||
            (c.kind == msgkit::CallKind::Picture && !seq.empty()))
            seq.push_back(c);
    ASSERT_EQ(seq.size(), 4u);
    EXPECT_EQ(seq[0].from, 6.0f);
    EXPECT_EQ(seq[2].from, 1.0f);
    EXPECT_EQ(seq[1].x, seq[3].x + 1);
    EXPECT_EQ(seq[1].y, seq[3].y + 1);
    EXPECT_FLOAT_EQ(seq[3].w, float(avg::TextFont->CharHeight) / 16);
    EXPECT_TRUE(stagekit::Near(Pixel(int(seq[3].x) + 4, int(seq[3].y) + 4), {255, 0, 255, 255}));
}

TEST_F(RevealTest, TheEndMarkerWrapsAtTheRightEdge)
{
    Prepare(1000);
    const float W = float(Width());
    const float s = float(avg::TextFont->CharHeight);
    const hgl::RectScope2<float> r = Box().GetTextRect();
    for (int n = 20; n <= 30; ++n)
    {
        SCOPED_TRACE(n);
        Box().ShowMessageFunc(u"", u"", Repeat(u"字", n).c_str());
        ASSERT_TRUE(Reveal());
        ClearCalls();
        Step();
        std::vector<msgkit::Call> marker;
        for (const auto &q : TexQuads())
            if (q.w == s && q.h == s) marker.push_back(q);
        ASSERT_EQ(marker.size(), 1u);
        const hgl::RectScope2<float> &last = Box().GetMakeup().CharRect[n - 1];
        const float x = std::trunc(r.Left + last.Right + s / 2);
        const float y = std::trunc(std::trunc(r.Top - 30 * float(Height()) / 768) + last.Top);
        if (x + s <= W)
        {
            EXPECT_EQ(marker[0].x, x);
            EXPECT_EQ(marker[0].y, y);
        }
        else
        {
            EXPECT_EQ(marker[0].x, r.Left);
            EXPECT_EQ(marker[0].y, y + s);
        }
    }
}

TEST_F(RevealTest, AFinishedNovelPageBurstsIntoPetalsOnce)
{
    Prepare(1000);
    Box().MESFunc(u"一页");
    ASSERT_TRUE(Reveal());
    hgl::WeatherEffect::Flower *petals = Box().GetPendingPetals();
    ASSERT_NE(petals, nullptr);
    EXPECT_FALSE(petals->IsOn());
    EXPECT_EQ(petals->GetCount(), 5);
    EXPECT_EQ(petals->GetArea().width, 100);
    EXPECT_EQ(petals->GetArea().height, 50);
    Click();
    EXPECT_EQ(Box().GetRunningPetals(), petals);
    EXPECT_TRUE(petals->IsOn() || petals->GetLive() > 0);
    EXPECT_EQ(Box().GetPendingPetals(), nullptr);
    // The page still shows, complete: no second burst for the same line.
    Steps(5);
    EXPECT_EQ(Box().GetPendingPetals(), nullptr);
    // Skipping drops both.
    unit->SkipOn();
    EXPECT_EQ(Box().GetRunningPetals(), nullptr);
}

TEST_F(RevealTest, AnUnusableAlphaCountsAsOneAndIsLoggedOnce)
{
    Prepare(1000);
    const struct
    {
        float configured, used;
        bool logged;
    } cases[] = {{0.5f, 0.5f, false}, {0, 1, true}, {-3, 1, true}, {std::nanf(""), 1, true}, {2, 1, false}};
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.configured);
        avg::config::graphics_config.Alpha = c.configured;
        log.Clear();
        Box().ShowMessageFunc(u"", u"", u"一二三");
        ASSERT_TRUE(Reveal());
        EXPECT_FLOAT_EQ(Box().Alpha.Get(), c.used);
        EXPECT_FLOAT_EQ(Box().GetBoxAlpha(), c.used);
        EXPECT_EQ(log.ContainsPart(u"消息窗口的透明度"), c.logged && c.configured == 0) << log.Dump();
    }
}

TEST_F(RevealTest, TheShakeMovesTheBoxUntilItsTimeIsUp)
{
    Prepare(1000);
    Box().StartShake(100);
    Box().ShowMessageFunc(u"", u"", u"一");
    ClearCalls();
    Steps(6);
    std::vector<msgkit::Call> moves = recorder.Of(msgkit::CallKind::Translate);
    ASSERT_EQ(moves.size(), 6u);
    bool moved = false;
    for (const auto &m : moves)
    {
        EXPECT_TRUE(m.x >= -16 && m.x <= 16 && m.y >= -5 && m.y <= 5);
        moved = moved || m.x != 0 || m.y != 0;
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(Box().GetShakeMs(), 100);
    Step(100);
    EXPECT_EQ(Box().GetShakeMs(), 0);
    ClearCalls();
    Step();
    EXPECT_TRUE(recorder.Of(msgkit::CallKind::Translate).empty());
}

TEST_F(MessageCharTest, NothingIsDrawnOrRevealedWhileACharacterMoves)
{
    AddScript(u"T", msgkit::Main(u"CHR_DSP0(\"ABCD00L\");\nMOV_CHR(\"RIGHT\", 0, 10);\n"
                                 u"ShowMessage(\"\", \"AB_01\", \"一二三\");"));
    Start(u"T");
    Step();
    ASSERT_TRUE(Chars().IsMoving());
    // The speaker's key moves its mouth.
    EXPECT_TRUE(Chars().GetSlot(0).talking);
    ClearCalls();
    Steps(30);
    EXPECT_TRUE(recorder.Of(avg::stage_draw::CallKind::Glyph).empty());
    // The moving character's own pictures are drawn; the window draws nothing.
    ClearCalls();
    Box().DrawObject();
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(Box().GetShownCount(), 0);
    for (int i = 0; i < 200 && !Box().IsTextComplete(); ++i)
        Step();
    EXPECT_FALSE(Chars().IsMoving());
    EXPECT_TRUE(Box().IsTextComplete());
}
