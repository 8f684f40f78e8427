// The character album and its CG pages: the grid, the seen and unseen entries,
// the viewer over the page, the fades and the way back.
#include "ExtrasTestKit.h"

#include "game/core/GameRecord.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/extras/AlbumNewUnit.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/widgets/TZCGButton.h"
#include "game/screens/widgets/TZHGPButton.h"

#include <GL/gl.h>

namespace
{
const hgl::test::RGBA kPage{30, 60, 200, 255}, kAlbum{120, 30, 90, 255}, kThumb{250, 200, 0, 255};
const hgl::test::RGBA kUnfind{90, 90, 90, 255}, kCG{255, 0, 0, 255};

std::u16string SetCGs(int from, int to)
{
    std::u16string s;
    for (int i = from; i <= to; ++i)
    {
        const std::u16string n =
            i < 10 ? u"0" + std::u16string(1, char16_t(u'0' + i))
                   : std::u16string(1, char16_t(u'0' + i / 10)) + std::u16string(1, char16_t(u'0' + i % 10));
        s += u"    SetCG(\"C0" + n + u"\", " + n + u");\n";
    }
    return s;
}
} // namespace

class AlbumTest : public ExtrasTest
{
  protected:
    void SetUp() override
    {
        ExtrasTest::SetUp();
        AddPicture(u"DreamChar\\Background.HGP", 16, 12, kAlbum);
        AddPicture(u"DreamChar\\page.HGP", 16, 12, kPage);
        AddPicture(u"DreamChar\\unfind.HGP", 30, 22, kUnfind);
        AddPicture(u"DreamChar\\CharImageTex.HGP", 30, 22, {255, 255, 255, 255});
        AddData(u"DreamChar\\Cloudy.TEX", stagekit::SolidTexture(8, 4, {255, 255, 255, 255}));
        AddData(u"DreamChar\\SelectChar.TEX", stagekit::SolidTexture(8, 8, {0, 255, 0, 255}));
        AddData(u"DreamChar\\Select.TEX", stagekit::SolidTexture(8, 8, {0, 255, 0, 255}));
        for (int i = 0; i < 10; ++i)
            AddPicture(u"DreamChar\\Char0" + std::u16string(1, char16_t(u'0' + i)) + u".HGP", 65, 18,
                       {uint8_t(20 * i), 100, 100, 255});
        AddPicture(u"event_small\\C001.HGP", 30, 22, kThumb);
        AddPicture(u"event_small\\C002.HGP", 30, 22, kThumb);
        AddPicture(u"Event\\C001.HGP", 64, 48, kCG);
        AddPicture(u"Event\\C002.HGP", 64, 48, kThumb);
        AddPicture(u"BG\\BLACK.HGP", 8, 8, {0, 0, 0, 255});
        AddPicture(u"DreamScene\\untitled.HGP", 8, 8, {255, 255, 255, 255});
    }

    AlbumNewCG *OpenPage(const std::u16string &script, const char16_t *name = u"QW.CPP")
    {
        AddLocalText(name, script);
        Prepare();
        auto *page = new AlbumNewCG(name, false);
        Run(page);
        return page;
    }

    static float SX() { return 1024.0f / 1600; }
    static float SY() { return 768.0f / 1200; }

    void ClickCentre(const hgl::GUIObject *o)
    {
        LeftClick(int(o->Left + o->Width / 2), int(o->Top + o->Height / 2));
    }
};

TEST_F(AlbumTest, TwentySetCGsGiveSixteenEntriesRowByRow)
{
    AlbumNewCG *page = OpenPage(u"func main()\n{\n    SetBG(\"page.HGP\");\n" + SetCGs(1, 20) + u"}\n");
    EXPECT_EQ(page->GetEntryCount(), 16);
    EXPECT_EQ(page->GetCounter(), 21);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
        {
            hgl::gui::TZCGButton *e = page->GetEntry(r, c);
            ASSERT_NE(e, nullptr) << r << "," << c;
            EXPECT_EQ(e->Index, r * 4 + c);
            EXPECT_FLOAT_EQ(e->Left, (109 + 360 * c) * SX());
            EXPECT_FLOAT_EQ(e->Top, (160 + 255 * r) * SY());
            EXPECT_FLOAT_EQ(e->Width, 300 * SX());
            EXPECT_FLOAT_EQ(e->Height, 220 * SY());
            const int n = r * 4 + c + 1;
            const std::u16string cg = u"C0" + std::u16string(1, char16_t(u'0' + n / 10)) +
                                      std::u16string(1, char16_t(u'0' + n % 10));
            EXPECT_EQ(e->Strings[0].ToStdString(), cg);
            EXPECT_EQ(e->GetName().ToStdString(), u"event_small\\" + cg + u".HGP");
        }
    // The frame sits on the first entry.
    EXPECT_EQ(page->GetCurrent(), 0);
    EXPECT_FLOAT_EQ(page->GetFrame().GetRect().Left, 109 * SX());
}

TEST_F(AlbumTest, SetZCGAddsToTheLatestEntryAndIsIgnoredBeforeOne)
{
    AlbumNewCG *page = OpenPage(u"func main()\n{\n    SetZCG(\"C100\", 0);\n    SetCG(\"C001\", 0);\n"
                                u"    SetZCG(\"C101\", 0);\n    SetZCG(\"c102\", 0);\n" +
                                SetCGs(2, 17) + u"    SetZCG(\"C103\", 0);\n}\n");
    hgl::gui::TZCGButton *first = page->GetEntry(0, 0), *last = page->GetEntry(3, 3);
    ASSERT_TRUE(first && last);
    ASSERT_EQ(first->Strings.GetCount(), 3);
    EXPECT_EQ(first->Strings[1].ToStdString(), u"C101");
    EXPECT_EQ(first->Strings[2].ToStdString(), u"c102");
    // The 17th SetCG made nothing, so its SetZCG lands on the 16th entry.
    ASSERT_EQ(last->Strings.GetCount(), 2);
    EXPECT_EQ(last->Strings[0].ToStdString(), u"C016");
    EXPECT_EQ(last->Strings[1].ToStdString(), u"C103");
}

TEST_F(AlbumTest, AnUnseenEntryIsInertUntilTheCGIsSeenInAnyCase)
{
    const std::u16string script = u"func main()\n{\n    SetBG(\"page.HGP\");\n    SetCG(\"C001\", 0);\n}\n";
    AlbumNewCG *page = OpenPage(script);
    hgl::gui::TZCGButton *entry = page->GetEntry(0, 0);
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->OnClick.IsBound());
    Steps(60);
    Checkpoint("unseen");
    EXPECT_TRUE(stagekit::Near(Pixel(int(entry->Left + 10), int(entry->Top + 10)), kUnfind));
    ClickCentre(entry);
    Step();
    EXPECT_EQ(Active(), page);

    // Seen under another letter case, the next visit shows the thumbnail and opens.
    avg::MarkEvent(u"c001");
    page->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    page = new AlbumNewCG(u"QW.CPP", false);
    Run(page);
    entry = page->GetEntry(0, 0);
    EXPECT_TRUE(entry->OnClick.IsBound());
    Steps(60);
    EXPECT_TRUE(stagekit::Near(Pixel(int(entry->Left + 10), int(entry->Top + 10)), kThumb));
    ClickCentre(entry);
    Step();
    auto *viewer = ActiveAs<ViewHGP>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->GetCurrentPath() == u"Event\\C001.HGP");
    EXPECT_FLOAT_EQ(viewer->GetRect()[0], entry->Left);
    EXPECT_FLOAT_EQ(viewer->GetRect()[3], entry->Height);
}

TEST_F(AlbumTest, TheViewerGrowsOverThePageWhichStaysDrawn)
{
    AlbumNewCG *page = OpenPage(
        u"func main()\n{\n    SetBG(\"page.HGP\");\n    SetCG(\"C001\", 0);\n    SetZCG(\"C404\", 0);\n}\n");
    avg::MarkEvent(u"C001");
    page->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    page = new AlbumNewCG(u"QW.CPP", false);
    Run(page);
    Steps(60);
    sounds.clear();
    system_sounds.clear();
    ClickCentre(page->GetEntry(0, 0));
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"MarkerScreen", "AlbumNewCG", "ViewHGP"}));
    EXPECT_TRUE(sounds.empty()); // opening the viewer is silent
    Steps(26);
    Checkpoint("viewer-half");
    EXPECT_TRUE(stagekit::Near(Pixel(1000, 740), kPage)); // the page beneath
    EXPECT_TRUE(stagekit::Near(Pixel(300, 300), kCG));    // the growing picture
    Steps(30);
    Checkpoint("viewer-full");
    EXPECT_TRUE(stagekit::Near(Pixel(1000, 740), kCG));
    // The next picture of the entry is missing: the black fallback.
    LeftClick(500, 400);
    Steps(65);
    EXPECT_TRUE(stagekit::Near(Pixel(500, 400), {0, 0, 0, 255}));
    Key(1);
    Steps(51);
    EXPECT_EQ(Active(), page);
}

TEST_F(AlbumTest, OfTwoClicksInOneFrameTheLaterOpens)
{
    AlbumNewCG *page = OpenPage(u"func main()\n{\n    SetCG(\"C001\", 0);\n    SetCG(\"C002\", 0);\n}\n");
    avg::MarkEvent(u"C001");
    avg::MarkEvent(u"C002");
    page->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    page = new AlbumNewCG(u"QW.CPP", false);
    Run(page);
    Steps(55);
    ClickCentre(page->GetEntry(0, 0));
    ClickCentre(page->GetEntry(0, 1));
    Step();
    auto *viewer = ActiveAs<ViewHGP>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->GetCurrentPath() == u"Event\\C002.HGP");
    EXPECT_EQ(Stack(), (std::vector<std::string>{"MarkerScreen", "AlbumNewCG", "ViewHGP"}));
}

TEST_F(AlbumTest, EscIsIgnoredBeforeTheFirstFrameAndDuringFades)
{
    AlbumNewCG *page = OpenPage(u"func main()\n{\n    SetCG(\"C001\", 0);\n}\n");
    EXPECT_TRUE(page->IsBusy());
    EXPECT_FALSE(Key(1));
    EXPECT_FALSE(page->IsLeaving());
    Step();
    EXPECT_FALSE(Key(1));
    RightClick(5, 5);
    EXPECT_FALSE(page->IsLeaving());
    Steps(49); // level 0.01 + 50 x 0.02 reaches 1; the next frame clears busy
    EXPECT_TRUE(page->IsBusy());
    Step();
    EXPECT_FALSE(page->IsBusy());

    EXPECT_TRUE(Key(1));
    // 51 frames of fade-out, then the 20th frame at level 0 or below returns.
    Steps(51);
    EXPECT_LE(page->GetFade(), 0);
    Steps(19);
    EXPECT_EQ(Active(), page);
    Step();
    EXPECT_TRUE(CallerBack());
}

TEST_F(AlbumTest, APageWithoutBackgroundIsBlackAndAMissingScriptHasNoEntries)
{
    AlbumNewCG *page = OpenPage(u"func main()\n{\n    SetCG(\"C001\", 0);\n}\n");
    Steps(55);
    EXPECT_EQ(page->GetBackground(), nullptr);
    EXPECT_TRUE(stagekit::Near(Pixel(1010, 750), {0, 0, 0, 255}));

    page = new AlbumNewCG(u"NONE.CPP", false);
    Run(page);
    EXPECT_EQ(page->GetEntryCount(), 0);
    EXPECT_TRUE(log.ContainsPart(u"NONE.CPP"));
    Steps(3);
}

TEST_F(AlbumTest, LongNamesAndAScriptWithoutByteOrderMark)
{
    const std::u16string longname(200, u'C');
    std::vector<uint8_t> bytes;
    const std::u16string text = u"func main()\n{\n    SetBG(\"page.HGP\");\n    SetCG(\"" + longname +
                                u"\", 0);\n    SetCG(\"C002\", 0);\n}\n";
    for (char16_t c : text)
    {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    AddLocalBytes(u"XY.CPP", bytes);
    AlbumNewCG *page = OpenPage(u"", u"QW.CPP");
    avg::MarkEvent(hgl::String(longname));
    page->SetObjectState(hgl::FlowObject::fosReturn);
    Step();
    page = new AlbumNewCG(u"XY.CPP", false);
    Run(page);
    ASSERT_EQ(page->GetEntryCount(), 2);
    EXPECT_EQ(page->GetEntry(0, 0)->GetName().ToStdString(), u"event_small\\" + longname + u".HGP");
    EXPECT_TRUE(page->GetEntry(0, 0)->OnClick.IsBound());
    EXPECT_NE(page->GetBackground(), nullptr);
    Steps(3);
}

TEST_F(AlbumTest, ThePageTakesBackgroundsWhenAsked)
{
    AddLocalText(u"BC.CPP", u"func main()\n{\n    SetCG(\"bg01\", 0);\n}\n");
    Prepare();
    avg::MarkEvent(u"bg01");
    auto *page = new AlbumNewCG(u"BC.CPP", true);
    Run(page);
    EXPECT_EQ(page->GetEntry(0, 0)->GetName().ToStdString(), u"BG\\bg01.HGP");
}

class CharacterAlbumTest : public AlbumTest
{
  protected:
    AlbumNewUnit *album = nullptr;

    void SetUp() override
    {
        AlbumTest::SetUp();
        AddLocalText(u"QW.CPP", u"func main()\n{\n    SetBG(\"page.HGP\");\n    SetCG(\"C001\", 0);\n}\n");
        Prepare();
        album = new AlbumNewUnit;
        Run(album);
    }

    void FadeIn()
    {
        Steps(51);
        ASSERT_FALSE(album->IsBusy());
    }
};

TEST_F(CharacterAlbumTest, TenButtonsInTwoColumnsTheFrameOnTheFirst)
{
    for (int i = 0; i < 10; ++i)
    {
        hgl::gui::TZHGPButton *b = album->GetButton(i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->Index, i);
        EXPECT_FLOAT_EQ(b->Left, (98 + 752 * (i % 2)) * SX());
        EXPECT_FLOAT_EQ(b->Top, (159 + 199 * (i / 2)) * SY());
        EXPECT_FLOAT_EQ(b->Width, 652 * SX());
        EXPECT_FLOAT_EQ(b->Height, 181 * SY());
    }
    EXPECT_EQ(album->GetCurrent(), 0);
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Left, 98 * SX());
    EXPECT_TRUE(album->GetButton(0)->HasFocus());
}

TEST_F(CharacterAlbumTest, ButtonThreePlaysSoundElevenThenCallsItsPage)
{
    // Clicks and Esc are dead while the screen fades in.
    Steps(10);
    ClickCentre(album->GetButton(3));
    EXPECT_FALSE(Key(1));
    Step();
    EXPECT_TRUE(system_sounds.empty());
    EXPECT_FALSE(album->IsLeaving());
    Steps(41);
    ASSERT_FALSE(album->IsBusy());

    ClickCentre(album->GetButton(3));
    Step();
    EXPECT_EQ(sounds, (std::vector<std::string>{"system 11"}));
    EXPECT_TRUE(album->GetSelected() == u"QW.CPP");
    // Dead again while it fades out.
    ClickCentre(album->GetButton(5));
    Step();
    EXPECT_EQ(system_sounds.size(), 1u);

    int frames = 2;
    while (Active() == album && frames < 200)
    {
        Step();
        ++frames;
    }
    EXPECT_EQ(frames, 71); // 51 frames of fade and 20 black ones
    auto *page = ActiveAs<AlbumNewCG>();
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->GetScript() == u"QW.CPP");
    EXPECT_EQ(Stack(), (std::vector<std::string>{"MarkerScreen", "AlbumNewUnit", "AlbumNewCG"}));
    EXPECT_TRUE(album->GetSelected().IsEmpty());
    EXPECT_FALSE(album->IsLeaving());
}

TEST_F(CharacterAlbumTest, AfterThePageReturnsTheClearColourIsGreyAndItFadesIn)
{
    FadeIn();
    ClickCentre(album->GetButton(3));
    Steps(72);
    auto *page = ActiveAs<AlbumNewCG>();
    ASSERT_NE(page, nullptr);
    Steps(52);
    Key(1);
    int frames = 0;
    while (Active() == page && frames < 200)
    {
        Step();
        ++frames;
    }
    ASSERT_EQ(Active(), album);
    float clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_FLOAT_EQ(clear[0], 0.5f);
    EXPECT_FLOAT_EQ(clear[1], 0.5f);
    EXPECT_FLOAT_EQ(clear[2], 0.5f);
    EXPECT_FLOAT_EQ(clear[3], 1.0f);
    EXPECT_TRUE(album->IsBusy());
    const float before = album->GetFade();
    Step();
    EXPECT_NEAR(album->GetFade(), before + 0.02f, 1e-5);
    Steps(55);
    EXPECT_FALSE(album->IsBusy());
    Checkpoint("back");
}

TEST_F(CharacterAlbumTest, EscFadesOutAndReturnsWithoutThePause)
{
    FadeIn();
    EXPECT_TRUE(Key(1));
    Steps(51);
    EXPECT_EQ(Active(), album);
    Step();
    EXPECT_TRUE(CallerBack());
    EXPECT_TRUE(system_sounds.empty());
}

TEST_F(CharacterAlbumTest, TheFrameMovesOnlyWhenAnotherButtonGainsTheFocus)
{
    FadeIn();
    const hgl::RectScope2<float> pulsed = album->GetFrame().GetRect();
    EXPECT_NE(pulsed.Left, album->GetButton(0)->Left);
    // The current button losing and regaining the focus leaves the frame.
    album->GetButton(0)->SetFocus(false);
    album->GetButton(0)->SetFocus(true);
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Left, pulsed.Left);
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Width, pulsed.Width);

    hgl::gui::TZHGPButton *b = album->GetButton(5);
    MouseMove(int(b->Left + 5), int(b->Top + 5));
    EXPECT_EQ(album->GetCurrent(), 5);
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Left, b->Left);
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Top, b->Top);
    Step();
    EXPECT_FLOAT_EQ(album->GetFrame().GetRect().Left, b->Left - 0.5f);
    Checkpoint("frame");
}
