// The movie gallery: its entries from the data script, the fades, and the movie
// calls with the music around them.
#include "TitleFixture.h"

#include "game/core/Config.h"
#include "game/core/GameRecord.h"
#include "game/screens/title/SceneUnit.h"
#include "game/screens/widgets/TZHGPButton.h"

namespace
{
const hgl::test::RGBA kBack{90, 90, 150, 255};
const hgl::test::RGBA kEntry{230, 200, 40, 255};

std::u16string Entry(const std::u16string &movie, const std::u16string &unlock, int x = 100, int y = 100,
                     int w = 400, int h = 300)
{
    return u"    SetMovie(\"Video\\\\e.HGP\", \"" + movie + u"\", \"" + unlock + u"\", " +
           std::u16string(hgl::String(x).ToStdString()) + u", " + hgl::String(y).ToStdString() + u", " +
           hgl::String(w).ToStdString() + u", " + hgl::String(h).ToStdString() + u");\n";
}

class SceneUnitTest : public TitleTest
{
  protected:
    SceneUnit *gallery = nullptr;

    void SetUp() override
    {
        TitleTest::SetUp();
        AddSolidPicture(u"Video\\BackGround.HGP", 32, 24, kBack);
        AddData(
            u"Video\\e.HGP",
            screenkit::LayeredPicture(
                16, 12, {{u"Normal", kEntry}, {u"Disable", kEntry}, {u"Select", kEntry}, {u"Push", kEntry}}));
    }
    void Script(const std::u16string &body)
    {
        AddLocalText(u"Script\\Movie.CPP", u"func main()\n{\n" + body + u"}\n");
    }
    // The title calls the gallery (hiding itself); frames run its fade-in. Settings
    // and flags a test wants are made between Begin and this.
    void OpenGallery(int frames = 0)
    {
        if (!title) Begin();
        gallery = new SceneUnit(wiring);
        Call(gallery);
        ASSERT_EQ(Active(), gallery);
        Steps(frames);
    }
    void FadeIn()
    {
        for (int i = 0; i < 100 && gallery->IsBusy(); ++i)
            Step();
        ASSERT_FALSE(gallery->IsBusy());
    }
};
} // namespace

TEST_F(SceneUnitTest, LockedEntriesAreHiddenAndInert)
{
    Script(Entry(u"open", u"OPEN", 100, 200, 400, 300) + Entry(u"flagged", u"HMOVIE2", 600) +
           Entry(u"unset", u"HNEVER", 1100) + Entry(u"lower", u"open", 100, 600) +
           Entry(u"own size", u"OPEN", 600, 600, 0, -5));
    Begin();
    avg::SetSystemFlag(u"HMOVIE2", 3);
    OpenGallery();
    ASSERT_EQ(gallery->GetCount(), 5);
    const bool shown[] = {true, true, false, false, true}; // "open" is not "OPEN", nor a set flag
    for (int i = 0; i < 5; ++i)
    {
        const auto *entry = gallery->GetEntry(i);
        EXPECT_EQ(entry->IsVisible(), shown[i]) << i;
        EXPECT_EQ(entry->OnClick.IsBound(), shown[i]) << i;
    }
    EXPECT_EQ(gallery->GetEntry(0)->GetName().ToStdString(), u"open");
    // On the 1600 x 1200 grid.
    const float sx = Width() / 1600.0f, sy = Height() / 1200.0f;
    const auto *first = gallery->GetEntry(0);
    EXPECT_FLOAT_EQ(first->Left, 100 * sx);
    EXPECT_FLOAT_EQ(first->Top, 200 * sy);
    EXPECT_FLOAT_EQ(first->Width, 400 * sx);
    EXPECT_FLOAT_EQ(first->Height, 300 * sy);
    EXPECT_FLOAT_EQ(gallery->GetEntry(4)->Width, 16); // the picture's own size
    EXPECT_FLOAT_EQ(gallery->GetEntry(4)->Height, 12);

    FadeIn();
    Step();
    Checkpoint("entries");
    EXPECT_TRUE(stagekit::Near(Pixel(int(300 * sx), int(350 * sy)), kEntry));
    EXPECT_TRUE(stagekit::Near(Pixel(int(1300 * sx), int(150 * sy)), kBack)); // the hidden one
    LeftClick(int(1300 * sx), int(250 * sy));
    Step();
    EXPECT_TRUE(movies.made.empty());
}

TEST_F(SceneUnitTest, FadesInFromBlackAndIgnoresEscMeanwhile)
{
    Script(Entry(u"m01", u"OPEN"));
    OpenGallery();
    EXPECT_FLOAT_EQ(gallery->GetAlpha(), 0.01f);
    EXPECT_TRUE(gallery->IsBusy());
    EXPECT_FALSE(Key(1)); // before the first frame too
    Step();
    EXPECT_LT(Pixel(Width() - 3, 3).r, 10);
    Steps(10);
    EXPECT_FALSE(Key(1));
    RightClick(5, 5);
    ASSERT_TRUE(ClickOn(u"m01")); // clicks do nothing while it fades
    Step();
    EXPECT_TRUE(movies.made.empty());
    EXPECT_FALSE(gallery->IsClosing());
    int frames = 11;
    while (gallery->IsBusy() && frames < 200)
    {
        Step();
        ++frames;
    }
    EXPECT_NEAR(frames, 51, 1); // 0.01 to 1 by 0.02
    EXPECT_EQ(Active(), gallery);
    EXPECT_FLOAT_EQ(gallery->GetEntry(0)->GetAlpha(), gallery->GetAlpha());
}

TEST_F(SceneUnitTest, EscAndRightClickFadeOutAndReturn)
{
    Script(Entry(u"m01", u"OPEN"));
    for (const bool right_click : {false, true})
    {
        Begin();
        OpenGallery();
        FadeIn();
        if (right_click)
            RightClick(5, 5);
        else
            EXPECT_TRUE(Key(1));
        Step();
        EXPECT_FALSE(Key(1)); // the fade-out is busy
        int frames = 1;
        while (Active() == gallery && frames < 200)
        {
            Step();
            ++frames;
        }
        EXPECT_NEAR(frames, 52, 2);
        EXPECT_EQ(Active(), title);
        EXPECT_EQ(title->returns, 1);
        EXPECT_TRUE(movies.made.empty());
    }
}

TEST_F(SceneUnitTest, AMoviePlaysWithoutMusicThenTheTitleMusicComesBack)
{
    Script(Entry(u"m01", u"OPEN"));
    Begin();
    avg::config::graphics_config.MovieQuantity = 7;
    OpenGallery();
    FadeIn();
    sounds.clear();
    log.Clear();
    ASSERT_TRUE(ClickOn(u"m01"));
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop music", "stop se -1"}));
    EXPECT_TRUE(log.ContainsInfo(u"Video\\7\\normal\\m01.ogv")) << log.Dump();
    ASSERT_EQ(movies.made.size(), 1u);
    EXPECT_EQ(movies.made[0].movie.ToStdString(), u"Video\\7\\normal\\m01.ogv");
    EXPECT_EQ(movies.made[0].sound.ToStdString(), u"Video\\m01.ogg");
    EXPECT_TRUE(movies.made[0].end_on_key);
    EXPECT_TRUE(movies.made[0].end_on_mouse);

    // The gallery is hidden under the movie until a key ends it.
    movies.last->SetObjectState(hgl::FlowObject::fosOK);
    Step();
    EXPECT_EQ(Stack(), (std::vector<std::string>{"TitleStub", "SceneUnit", "FakeMovie"}));
    EXPECT_EQ(state_log.back(), "SceneUnit 2 FakeMovie");
    EXPECT_TRUE(Key(70));
    Step();
    EXPECT_EQ(Active(), gallery);
    EXPECT_EQ(sounds.back(), "music BGM33 loop");
    EXPECT_FALSE(gallery->IsBusy()); // the entries take clicks at once
    ASSERT_TRUE(ClickOn(u"m01"));
    EXPECT_EQ(movies.made.size(), 2u);
}

TEST_F(SceneUnitTest, TheMovieFolderFollowsTheCanvasShape)
{
    avg::config::graphics_config.MovieQuantity = 3;
    struct Case
    {
        int w, h;
        const char16_t *file;
    };
    for (const Case c :
         {Case{1024, 768, u"Video\\3\\normal\\x.ogv"}, Case{1600, 1200, u"Video\\3\\normal\\x.ogv"},
          Case{800, 600, u"Video\\3\\normal\\x.ogv"}, Case{1280, 720, u"Video\\3\\wide\\x.ogv"},
          Case{1025, 768, u"Video\\3\\wide\\x.ogv"}, Case{1024, 769, u"Video\\3\\normal\\x.ogv"},
          Case{768, 1024, u"Video\\3\\normal\\x.ogv"}})
        EXPECT_EQ(SceneUnit::MovieFile(u"x", c.w, c.h).ToStdString(), c.file) << c.w << "x" << c.h;
}

class WideSceneUnitTest : public SceneUnitTest
{
  protected:
    int Width() const override { return stagekit::kWideW; }
    int Height() const override { return stagekit::kWideH; }
};

TEST_F(WideSceneUnitTest, AWideCanvasPlaysTheWideCut)
{
    Script(Entry(u"m01", u"OPEN"));
    OpenGallery();
    FadeIn();
    Step();
    Checkpoint("wide");
    ASSERT_TRUE(ClickOn(u"m01"));
    ASSERT_EQ(movies.made.size(), 1u);
    EXPECT_EQ(movies.made[0].movie.ToStdString(), u"Video\\1\\wide\\m01.ogv");
    EXPECT_TRUE(log.ContainsInfo(u"Video\\1\\wide\\m01.ogv")) << log.Dump();
}

TEST_F(SceneUnitTest, FiftyEntriesAtMostAndNamesOfAnyLength)
{
    const std::u16string long_name(300, u'長');
    std::u16string body = Entry(long_name, u"OPEN", 10, 10, 20, 20);
    for (int i = 1; i < 52; ++i)
        body += Entry(u"n" + hgl::String(i).ToStdString(), u"OPEN", 10 + 30 * (i % 50), 100, 20, 20);
    Script(body);
    OpenGallery();
    EXPECT_EQ(gallery->GetCount(), SceneUnit::kMaxEntries);
    EXPECT_TRUE(log.ContainsError(u"影片条目已满50个，<n50>被忽略!")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"影片条目已满50个，<n51>被忽略!"));
    FadeIn();
    gallery->PlayMovie(gallery->GetEntry(0));
    ASSERT_EQ(movies.made.size(), 1u);
    EXPECT_EQ(movies.made[0].movie.ToStdString(), u"Video\\1\\normal\\" + long_name + u".ogv");
    EXPECT_EQ(movies.made[0].sound.ToStdString(), u"Video\\" + long_name + u".ogg");
}

TEST_F(SceneUnitTest, WithoutItsScriptTheGalleryIsEmpty)
{
    AddLocalBytes(u"Script\\Movie.CPP", {});
    OpenGallery();
    EXPECT_EQ(gallery->GetCount(), 0);
    EXPECT_TRUE(log.ContainsPart(u"Script\\Movie.CPP")) << log.Dump();
    FadeIn();
    EXPECT_TRUE(Key(1));
    Steps(60);
    EXPECT_EQ(Active(), title);
}
