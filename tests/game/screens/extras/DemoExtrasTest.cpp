// The album and the glossary on the demo's own content, after a story has shown
// its CGs: what a player sees, kept as checkpoints.
#include "ExtrasTestKit.h"

#include "game/core/GameRecord.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/extras/AlbumNewUnit.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/extras/ViewObject.h"
#include "game/screens/extras/ViewTips.h"
#include "game/screens/extras/WordUnit.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/TZCGButton.h"
#include "game/screens/widgets/TZHGPButton.h"

class DemoExtrasTest : public ExtrasTest
{
  protected:
    DemoExtrasTest() { demo_pictures = true; }

    // A story that shows the demo's two CGs, at the bottom of the flow.
    void StoryShowsTheCGs()
    {
        AddScript(u"SHOW",
                  u"func main()\n{\n    BG_SET(\"c001\");\n    BG_SET(\"C002\");\n    T_MARK(1);\n}\n");
        StartGame(u"SHOW");
        Steps(5);
        ASSERT_EQ(marks, std::vector<int>{1});
    }

    void ClickCentre(const hgl::GUIObject *o)
    {
        LeftClick(int(o->Left + o->Width / 2), int(o->Top + o->Height / 2));
    }
};

TEST_F(DemoExtrasTest, TheAlbumShowsTheCGsTheStoryShowed)
{
    StoryShowsTheCGs();
    EXPECT_TRUE(avg::IsEventSeen(u"C001"));
    EXPECT_TRUE(avg::IsEventSeen(u"c002"));

    auto *album = new AlbumNewUnit;
    Open(album);
    Steps(55);
    Checkpoint("album");
    ClickCentre(album->GetButton(3));
    Steps(75);
    auto *page = ActiveAs<AlbumNewCG>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetEntryCount(), 16);
    EXPECT_EQ(page->GetCounter(), 19); // 18 declared
    EXPECT_TRUE(page->GetEntry(0, 0)->OnClick.IsBound());
    EXPECT_TRUE(page->GetEntry(0, 1)->OnClick.IsBound()); // "c002" seen as "C002"
    EXPECT_FALSE(page->GetEntry(0, 2)->OnClick.IsBound());
    EXPECT_EQ(page->GetEntry(0, 0)->Strings.GetCount(), 3);
    Steps(52);
    Checkpoint("page");

    ClickCentre(page->GetEntry(0, 0));
    Steps(20);
    Checkpoint("viewer-growing");
    ASSERT_NE(ActiveAs<ViewHGP>(), nullptr);
    Steps(40);
    Checkpoint("viewer");
    Key(1);
    Steps(51);
    EXPECT_EQ(Active(), page);
    Key(1);
    Steps(72);
    EXPECT_EQ(Active(), album);
    Steps(55);
    Checkpoint("album-again");
}

TEST_F(DemoExtrasTest, TheGlossaryTabsAndTheirViewers)
{
    StoryShowsTheCGs();
    auto *word = new WordUnit;
    Open(word);
    Steps(55);
    Checkpoint("tab1");
    EXPECT_EQ(word->GetEntryCount(), 28);
    EXPECT_FALSE(word->GetEntry(0)->OnClick.IsBound()); // a label
    EXPECT_FALSE(word->GetEntry(3)->OnClick.IsBound()); // "T91.HGP"
    EXPECT_FALSE(word->GetEntry(26)->IsVisible());      // the third row's label
    EXPECT_TRUE(word->GetEntry(1)->OnClick.IsBound());

    ClickCentre(word->GetEntry(1));
    Steps(101);
    auto *tips = ActiveAs<ViewTips>();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetTitle().ToStdString(), u"初雪");
    Checkpoint("tip");
    Key(1);
    Steps(2);
    EXPECT_EQ(Active(), word);

    ClickCentre(word->GetTab(1));
    Steps(2);
    Checkpoint("tab2");
    EXPECT_TRUE(word->GetEntry(0)->OnClick.IsBound());

    ClickCentre(word->GetTab(2));
    Steps(2);
    ClickCentre(word->GetEntry(0));
    Steps(2);
    ASSERT_NE(ActiveAs<ViewObject>(), nullptr);
    Checkpoint("object");
    RightClick(5, 5);
    Steps(2);

    ClickCentre(word->GetTab(3));
    Steps(2);
    Checkpoint("tab4");
    ClickCentre(word->GetEntry(0));
    Steps(3);
    auto *viewer = ActiveAs<ViewHGP>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->GetCurrentPath() == u"Event\\c001.HGP");
    LeftClick(500, 400);
    Steps(70);
    Checkpoint("scene");
    Key(1);
    Steps(51);
    EXPECT_EQ(Active(), word);
}
