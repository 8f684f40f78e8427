// The credits on the screen harness: the lines "Staff.CPP" says, the scroll on the
// engine clock, the fade of the last long line, and the new title that takes the
// place of every screen.
#include "game/screenkit/ScreenHarness.h"

#include "game/core/GameResources.h"
#include "game/screens/title/EndStaff.h"
#include "game/screens/title/NewStartMenu.h"
#include "graphics/font/TileFont.h"
#include "gui/Label.h"
#include "gui/ScrollBox.h"

#include <cmath>

namespace
{
class CreditsTest : public ScreenTest
{
  protected:
    EndStaff *credits = nullptr;

    int Width() const override { return 512; }
    int Height() const override { return 384; }

    // The credits pushed over a stand-in for the finished game.
    void OpenCredits(const std::u16string &staff, bool step = true)
    {
        if (!staff.empty()) AddLocalText(u"Staff.CPP", staff);
        Prepare();
        Open(new MarkerScreen("game"));
        credits = new EndStaff(wiring);
        Open(credits);
        if (!step) return;
        Step();
        ASSERT_EQ(Active(), credits);
    }
    std::vector<hgl::gui::Label *> Lines() const
    {
        std::vector<hgl::gui::Label *> out;
        const auto &all = credits->GetScrollBox()->GetObjectList();
        for (int i = 0; i < all.GetCount(); ++i)
            if (auto *l = dynamic_cast<hgl::gui::Label *>(all[i])) out.push_back(l);
        return out;
    }
    float Max() const { return credits->GetScrollBox()->GetMaxScrollY(); }
    bool Has(const std::string &call) const
    {
        return std::find(sounds.begin(), sounds.end(), call) != sounds.end();
    }
};

const char16_t kStaff[] = u"func ALL()\n{\n"
                          u"    SAY(\"演示游戏\");\n"
                          u"    SAY(\"\");\n"
                          u"    SAY(\"Thanks for playing\");\n"
                          u"    SAY(\"短\");\n"
                          u"}\n";
} // namespace

TEST_F(CreditsTest, EachSayIsACentredLineBelowTheBottomEdgeAndABlankSayLeavesAGap)
{
    OpenCredits(kStaff);
    EXPECT_TRUE(Has("music BGM25 loop"));
    const std::vector<hgl::gui::Label *> lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    const float fh = float(avg::LargeTextFont->CharHeight);
    const float tops[] = {float(Height()), Height() + 2 * 1.2f * fh, Height() + 3 * 1.2f * fh};
    for (size_t i = 0; i < lines.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(lines[i]->Top, tops[i]);
        const float width = avg::LargeTextFont->GetStringWidth(lines[i]->GetText().c_str(), -1);
        EXPECT_FLOAT_EQ(lines[i]->Left, std::trunc((float(Width()) - width) / 2));
        EXPECT_EQ(lines[i]->Font.Get(), avg::LargeTextFont);
    }
    // The last line longer than five characters is the one that fades, not the last line.
    EXPECT_EQ(credits->GetLastLongLine(), lines[1]);
    // The list is scrolled so far that its last line ends up at the bottom.
    EXPECT_FLOAT_EQ(Max(), tops[2] + float(lines[2]->Height) - float(Height()));
}

TEST_F(CreditsTest, TheListScrollsOver118SecondsThenTheLongLineFadesFor240FramesThenOnlyTheTitle)
{
    OpenCredits(kStaff);
    const float max = Max();
    ASSERT_GT(max, 0);
    // A second a frame: the offset follows the clock.
    for (int s = 1; s <= 117; ++s)
    {
        Step(1000);
        ASSERT_EQ(Active(), credits);
        EXPECT_FLOAT_EQ(credits->GetScrollBox()->GetScrollY(), std::trunc(float(s) * 1000 * max / 118000))
            << s;
        EXPECT_EQ(credits->GetLastLongLine()->Alpha, 1.0f);
    }
    Step(1000);
    EXPECT_FLOAT_EQ(credits->GetScrollBox()->GetScrollY(), std::trunc(max));
    int frames = 1;
    while (Depth() > 1 && frames < 400)
    {
        EXPECT_NEAR(credits->GetLastLongLine()->Alpha, 1 - 0.005f * float(frames), 1e-4);
        Step();
        ++frames;
    }
    EXPECT_NEAR(frames, 241, 1);
    EXPECT_EQ(Stack(), std::vector<std::string>{"NewStartMenu"});
    EXPECT_EQ(state_log.back(), "EndStaff 6 NewStartMenu");
    EXPECT_TRUE(Has("music BGM33 loop"));
}

TEST_F(CreditsTest, WithoutALongLineTheCreditsEndAsSoonAsTheScrollDoes)
{
    OpenCredits(u"func ALL()\n{\n    SAY(\"一\");\n    SAY(\"二三四五六\");\n}\n");
    EXPECT_EQ(credits->GetLastLongLine(), nullptr);
    Step(117000);
    EXPECT_EQ(Depth(), 2);
    Step(1000);
    EXPECT_EQ(Stack(), std::vector<std::string>{"NewStartMenu"});
}

TEST_F(CreditsTest, AnEmptyStaffFileGivesNoLinesAndTheTitleAtOnce)
{
    AddLocalBytes(u"Staff.CPP", {});
    OpenCredits(u"", false);
    EXPECT_TRUE(log.ContainsPart(u"Staff.CPP")) << log.Dump();
    EXPECT_TRUE(Lines().empty());
    Step();
    EXPECT_EQ(Stack(), std::vector<std::string>{"NewStartMenu"});
}

TEST_F(CreditsTest, InputDoesNotMoveTheList)
{
    OpenCredits(kStaff);
    const float max = Max();
    Step(30000);
    for (int round = 0; round < 3; ++round)
    {
        Wheel(100, 100, -120);
        Key(hgl::key::Down);
        Key(hgl::key::PageDown);
        Key(hgl::key::Esc);
        LeftClick(100, 100);
        RightClick(100, 100);
        Joystick(7);
        Step(0);
        EXPECT_EQ(Depth(), 2);
        EXPECT_FLOAT_EQ(credits->GetScrollBox()->GetScrollY(), std::trunc(30000 * max / 118000));
    }
}

TEST_F(CreditsTest, TheStorysEndRollsTheCreditsOverTheGameWhichGoesWithThem)
{
    AddLocalText(u"Staff.CPP", kStaff);
    AddScript(u"END", u"func main()\n{\n    BG_SET(\"bg01\");\n    GAME_END(7);\n}\n");
    StartGame(u"END");
    Step();
    ASSERT_EQ(Stack(), (std::vector<std::string>{"GameUnit", "EndStaff"}));
    // The game stays below, but every frame of the credits starts from black.
    Step(1000);
    EXPECT_TRUE(stagekit::Near(Pixel(2, 2), {0, 0, 0, 255}));
    Step(60000);
    Checkpoint("half");
    Step(58000);
    Steps(241);
    EXPECT_EQ(Stack(), std::vector<std::string>{"NewStartMenu"});
}
