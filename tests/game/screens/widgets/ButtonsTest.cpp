// The game's buttons: shared textures and their motion, the state looks, and the
// picture button's alpha.
#include "../../screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"

#include "game/screens/widgets/EZButton.h"
#include "game/screens/widgets/MsgButton.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/TZButton.h"
#include "game/screens/widgets/TZCGButton.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "graphics/font/TileFont.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

namespace
{
using hgl::test::RGBA;
constexpr RGBA kBack{0, 0, 0, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255},
    kYellow{255, 255, 0, 255}, kWhite{255, 255, 255, 255}, kGrey{128, 128, 128, 255};

void ClearCanvas(float grey = 0)
{
    hgl::draw::Clear(hgl::Color4f(grey, grey, grey, 1));
}
} // namespace

class ButtonsTest : public ScreenTest
{
  protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        AddData(u"shake.TEX", stagekit::SolidTexture(16, 16, kRed));
        AddData(u"option\\EZFlag.TEX", stagekit::SolidTexture(16, 16, kYellow));
        AddData(u"choice.HGP",
                screenkit::LayeredPicture(32, 16, {{u"", kGrey}, {u"", kBlue}, {u"", kGreen}}));
        AddData(u"MessageBox\\MsgFrame.TEX",
                screenkit::PaintedTexture(32, 32, [](float, float v) { return v < 0.5f ? kRed : kBlue; }));
        AddData(u"DreamMusic\\track.HGP",
                screenkit::LayeredPicture(32, 32,
                                          {{u"Normal", kGrey}, {u"Actived", kBlue}, {u"Clicked", kGreen}}));
        AddData(u"thumb.HGP", screenkit::LayeredPicture(32, 32, {{u"", kGrey}}));
        AddData(u"DreamChar\\Cloudy.TEX", stagekit::SolidTexture(8, 8, kWhite));
        AddData(u"DreamChar\\CharImageTex.HGP", screenkit::LayeredPicture(32, 32, {{u"", kBlue}}));
        AddData(u"states.HGP",
                screenkit::LayeredPicture(
                    32, 32, {{u"Normal", kRed}, {u"Disable", kGrey}, {u"Select", kGreen}, {u"Push", kBlue}}));
        Prepare();
        ClearCanvas();
    }
};

TEST_F(ButtonsTest, TheStripsShareOneMarkerThatTheLastOneFrees)
{
    const float fh = float(avg::LargeTextFont->CharHeight);
    auto a = std::make_unique<TZButton>(100, 100, 400, u"一二三", u"第二行");
    auto b = std::make_unique<TZButton>(300, 100, 400, u"四", nullptr);
    EXPECT_EQ(TZButton::GetUserCount(), 2);
    ASSERT_NE(TZButton::GetMarkerTexture(), nullptr);
    EXPECT_FLOAT_EQ(a->Width, fh * 1.5f);
    EXPECT_EQ(a->GetSecondText(), u"第二行");

    const float start = TZButton::GetMarkerOffset();
    a->SetFocus(true);
    for (int i = 0; i < 5; ++i)
        a->DrawObject();
    b->DrawObject(); // not focused: the marker stays
    EXPECT_FLOAT_EQ(TZButton::GetMarkerOffset(), start + 5);
    a->SetFocus(false);
    b->SetFocus(true);
    for (int i = 0; i < 3; ++i)
        b->DrawObject();
    EXPECT_FLOAT_EQ(TZButton::GetMarkerOffset(), start + 8); // the same motion goes on
    // It turns round once it reaches the font height, and again at 0.
    float highest = 0, lowest = fh;
    for (int i = 0; i < 200; ++i)
    {
        b->DrawObject();
        highest = std::max(highest, TZButton::GetMarkerOffset());
        lowest = std::min(lowest, TZButton::GetMarkerOffset());
    }
    EXPECT_LE(highest, fh + 1);
    EXPECT_GE(highest, fh);
    EXPECT_LE(lowest, 0.0f);
    EXPECT_GE(lowest, -1.0f);

    TZButton::SetSharedAlpha(0.5f);
    EXPECT_FLOAT_EQ(TZButton::GetSharedAlpha(), 0.5f);
    a.reset();
    EXPECT_EQ(TZButton::GetUserCount(), 1);
    EXPECT_NE(TZButton::GetMarkerTexture(), nullptr);
    b.reset();
    EXPECT_EQ(TZButton::GetUserCount(), 0);
    EXPECT_EQ(TZButton::GetMarkerTexture(), nullptr);
    TZButton::SetSharedAlpha(0.25f); // no strip: nothing to change
    TZButton c(0, 0, 100, u"五", u"");
    EXPECT_FLOAT_EQ(TZButton::GetSharedAlpha(), 1.0f); // a fresh marker
}

TEST_F(ButtonsTest, TheStripCaptionRunsDownOneCharacterALine)
{
    ClearCanvas(1);
    const int fh = avg::LargeTextFont->CharHeight;
    TZButton strip(100, 50, 600, u"一二三", u"");
    strip.DrawObject();
    Checkpoint("strip");
    // Ink in each of three lines, all inside the strip's width.
    auto inked_row = [&](int y0, int y1)
    {
        for (int y = y0; y < y1; ++y)
            for (int x = 100; x < 100 + int(strip.Width) + 3; ++x)
                if (!stagekit::Near(Pixel(x, y), kWhite, 40)) return true;
        return false;
    };
    const int line = fh + avg::LargeTextFont->LineGap;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(inked_row(50 + i * line, 50 + i * line + fh)) << i;
    EXPECT_FALSE(inked_row(50 + 3 * line + 4, 50 + 5 * line));
    for (int y = 50; y < 50 + 3 * line; ++y)
        EXPECT_TRUE(stagekit::Near(Pixel(100 + int(strip.Width) + 4, y), kWhite, 40)) << y;
}

TEST_F(ButtonsTest, TheChoiceShowsItsFlagsOnlyWhenFocused)
{
    const float fw = 32 * float(Width()) / 1600;
    hgl::gui::EZButton one(200, 100, 100, 40, u"choice.HGP");
    auto two = std::make_unique<hgl::gui::EZButton>(200, 200, 100, 40, u"choice.HGP");
    EXPECT_EQ(hgl::gui::EZButton::GetInstanceCount(), 2);
    one.DrawObject();
    EXPECT_TRUE(stagekit::Near(Pixel(250, 120), kGrey)); // layer 0
    EXPECT_TRUE(stagekit::Near(Pixel(200 - int(fw / 2), 120), kBack));
    EXPECT_TRUE(stagekit::Near(Pixel(300 + int(fw / 2), 120), kBack));
    EXPECT_FLOAT_EQ(hgl::gui::EZButton::GetBlinkOffset(), 0);

    one.Selected = true;
    one.SetFocus(true);
    one.DrawObject();
    EXPECT_TRUE(stagekit::Near(Pixel(250, 120), kGreen)); // layer 2
    EXPECT_TRUE(stagekit::Near(Pixel(200 - int(fw / 2), 120), kYellow));
    EXPECT_TRUE(stagekit::Near(Pixel(300 + int(fw / 2), 120), kYellow));
    // The blink is shared and swings between 0 and 10.
    two->SetFocus(true);
    float highest = 0;
    for (int i = 0; i < 60; ++i)
    {
        (i % 2 ? one : *two).DrawObject();
        highest = std::max(highest, hgl::gui::EZButton::GetBlinkOffset());
    }
    EXPECT_NEAR(highest, 10, 0.5f);
    EXPECT_LT(hgl::gui::EZButton::GetBlinkOffset(), 10);
    two.reset();
    EXPECT_EQ(hgl::gui::EZButton::GetInstanceCount(), 1);
    EXPECT_NE(hgl::gui::EZButton::GetFlagTexture(), nullptr);
}

TEST_F(ButtonsTest, APictureButtonAtAlphaZeroStillClicks)
{
    hgl::gui::TZHGPButton button(100, 100, 0, 0, avg::GetDataHAC(), u"states.HGP");
    EXPECT_FLOAT_EQ(button.Width, 32); // the picture's own size
    int clicks = 0;
    button.OnClick.Bind(&clicks, [](void *c, hgl::gui::Button *) { ++*static_cast<int *>(c); });
    button.SetAlpha(0);
    EXPECT_FLOAT_EQ(button.GetAlpha(), 0);
    for (int s = hgl::gui::bsNormal; s <= hgl::gui::bsPress; ++s)
        EXPECT_FLOAT_EQ(button.GetStateLayer(s)->Color.a, 0) << s;
    button.DrawObject();
    EXPECT_TRUE(stagekit::Near(Pixel(116, 116), kBack));
    EXPECT_TRUE(button.Proc_MouseLeftDown(110, 110, 0));
    EXPECT_TRUE(button.Proc_MouseLeftUp(110, 110, 0));
    EXPECT_EQ(clicks, 1);

    button.SetAlpha(1);
    button.SetFocus(true);
    button.DrawObject();
    EXPECT_TRUE(stagekit::Near(Pixel(116, 116), kGreen)); // "Select"
    button.SetName(u"entry;1");
    button.Strings.AddText(u"a.HGP");
    EXPECT_EQ(button.GetName(), u"entry;1");
    EXPECT_EQ(button.Strings.GetCount(), 1);
}

TEST_F(ButtonsTest, TheFrameButtonDrawsTwoPostsAndABar)
{
    const float a = 26 * float(Width()) / 1600, b = 8 * float(Width()) / 1600;
    hgl::gui::MsgButton frame(100, 100, 400, 200);
    frame.DrawObject();
    const struct
    {
        const char *where;
        int x, y;
        RGBA colour;
    } probes[] = {
        {"left post", 100 + int(a + b / 2), 150, kRed},
        {"right post", 500 - int(a + b / 2) - 1, 150, kRed},
        {"between the posts", 300, 150, kBack},
        {"outside the left post", 100 + int(a / 2), 150, kBack},
        {"bar", 300, 300 - int(b / 2) - 1, kBlue},
        {"bar's left end", 101, 300 - int(b / 2) - 1, kBlue},
    };
    for (const auto &p : probes)
        EXPECT_TRUE(stagekit::Near(Pixel(p.x, p.y), p.colour, 8)) << p.where;
    // It never takes the focus: Enter and Space stay with the story.
    EXPECT_FALSE(frame.CanTakeFocus());
}

TEST_F(ButtonsTest, TheTrackShowsClickedActivedOrNormal)
{
    hgl::gui::MusicButton track(100, 100, 64, 64, u"track.HGP", true);
    track.Music = u"BGM01";
    track.Title = u"初雪";
    const struct
    {
        bool selected, focused;
        RGBA colour;
    } looks[] = {{false, false, kGrey}, {false, true, kBlue}, {true, false, kGreen}, {true, true, kGreen}};
    for (const auto &l : looks)
    {
        track.Selected = l.selected;
        track.SetFocus(l.focused);
        track.DrawObject();
        EXPECT_TRUE(stagekit::Near(Pixel(130, 130), l.colour)) << l.selected << l.focused;
    }
    track.SetAlpha(0);
    ClearCanvas();
    track.DrawObject();
    EXPECT_TRUE(stagekit::Near(Pixel(130, 130), kBack));
    hgl::gui::MusicButton tab(0, 0, 10, 10, u"DreamMusic\\track.HGP", false); // the name as given
    EXPECT_EQ(tab.GetPicture()->LayerCount, 3);
}

TEST_F(ButtonsTest, TheAlbumEntryStacksItsCloudsFromTheBottomLeft)
{
    const float tw = 40 * float(Width()) / 1600, th = 20 * float(Height()) / 1200;
    hgl::gui::TZCGButton entry(200, 200, 300, 220, u"thumb.HGP");
    entry.SetAlpha(1);
    for (int i = 0; i < 5; ++i)
        entry.Strings.AddText(u"c");
    entry.DrawObject();
    auto cloud = [&](int column, int row)
    { return Pixel(200 + int((column + 0.5f) * tw), 200 + 220 - int((row + 0.5f) * th)); };
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(stagekit::Near(cloud(c, 0), kWhite)) << c;
    EXPECT_TRUE(stagekit::Near(cloud(0, 1), kWhite));
    EXPECT_TRUE(stagekit::Near(cloud(1, 1), kGrey)); // the thumbnail shows there
    EXPECT_TRUE(stagekit::Near(cloud(4, 0), kGrey));
    // The frame stands out around the thumbnail.
    EXPECT_TRUE(stagekit::Near(Pixel(200 + 150, 200 + 220 + 2), kBlue));
}
