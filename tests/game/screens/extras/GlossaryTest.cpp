// The glossary: tabs that reload the grid, the click rules of tip entries, the
// three viewers its entries open, the separator bars and the fades.
#include "ExtrasTestKit.h"

#include "game/screens/extras/TipLayout.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/extras/ViewObject.h"
#include "game/screens/extras/ViewTips.h"
#include "game/screens/extras/WordUnit.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/TZHGPButton.h"

namespace
{
const hgl::test::RGBA kBackground{20, 120, 40, 255}, kBar{157, 90, 71, 255};

std::u16string Tips(int count, const char16_t *button = u"WordUnit\\\\b.HGP")
{
    std::u16string s = u"func main()\n{\n";
    for (int i = 0; i < count; ++i)
        s += u"    SetTips(\"\", \"" + std::u16string(button) +
             u"\", \"WordUnit\\\\v.HGP\", \"标题：正文\");\n";
    return s + u"}\n";
}

struct Parts
{
    const char16_t *text, *first, *middle, *last;
};
} // namespace

TEST(EntryText, SplitsAtTheFirstAndTheLastSemicolon)
{
    const Parts cases[] = {
        {u"v.HGP;tip;b.HGP", u"v.HGP", u"tip", u"b.HGP"},
        {u"v;x.HGP;a：b;c;b.HGP", u"v", u"x.HGP;a：b;c", u"b.HGP"},
        {u"one;two", u"one", u"", u"two"},
        {u"none", u"none", u"", u""},
        {u";;", u"", u"", u""},
        {u"", u"", u"", u""},
    };
    for (const Parts &c : cases)
    {
        hgl::String a, b, d;
        avg::tips::SplitEntryText(hgl::String(c.text), a, b, d);
        EXPECT_EQ(a.ToStdString(), std::u16string(c.first)) << hgl::String(c.text).ToUTF8();
        EXPECT_EQ(b.ToStdString(), std::u16string(c.middle)) << hgl::String(c.text).ToUTF8();
        EXPECT_EQ(d.ToStdString(), std::u16string(c.last)) << hgl::String(c.text).ToUTF8();
    }
    hgl::String a, b;
    avg::tips::SplitEntryTextOnce(hgl::String(u"pic.HGP;desc;more"), a, b);
    EXPECT_EQ(a.ToStdString(), u"pic.HGP");
    EXPECT_EQ(b.ToStdString(), u"desc;more");
}

TEST(EntryText, TheNineMarkTwoPlacesBeforeTheFirstDot)
{
    const std::pair<const char16_t *, bool> cases[] = {
        {u"WordUnit\\b91.HGP", true},
        {u"WordUnit\\b9x.HGP", true},
        {u"9b.HGP", true},
        {u"WordUnit\\b19.HGP", false},
        {u"9.HGP", false},
        {u".9", false},
        {u"x9", false},
        {u"", false},
        {u"ab9.x9.y", false},
        {u"a9b.c.d", true},
    };
    for (const auto &[name, nine] : cases)
        EXPECT_EQ(avg::tips::HasNineMark(hgl::String(name)), nine) << hgl::String(name).ToUTF8();
}

class GlossaryTest : public ExtrasTest
{
  protected:
    WordUnit *word = nullptr;

    void SetUp() override
    {
        ExtrasTest::SetUp();
        AddPicture(u"WordUnit\\BackGround.HGP", 16, 12, kBackground);
        AddPicture(u"WordUnit\\DiWen.HGP", 16, 12, {200, 200, 200, 255});
        for (int i = 0; i < 4; ++i)
            AddData(u"WordUnit\\WordButton" + std::u16string(1, char16_t(u'0' + i)) + u".HGP",
                    screenkit::LayeredPicture(100, 30,
                                              {{u"Normal", {0, 0, 200, 255}},
                                               {u"Actived", {0, 200, 200, 255}},
                                               {u"Clicked", {200, 0, 200, 255}}}));
        AddData(
            u"WordUnit\\b.HGP",
            screenkit::LayeredPicture(8, 20, {{u"Normal", {250, 250, 0, 255}}, {u"Select", {0, 0, 0, 255}}}));
        AddPicture(u"WordUnit\\b91.HGP", 8, 20, {250, 0, 0, 255});
        AddPicture(u"WordUnit\\v.HGP", 20, 30, {255, 255, 255, 255});
        AddPicture(u"WordUnit\\thing.HGP", 20, 30, {255, 0, 255, 255});
        for (const char16_t *cg : {u"Event\\C001.HGP", u"Event\\C002.HGP", u"BG\\bg01.HGP"})
            AddPicture(cg, 16, 12, {255, 0, 0, 255});
        AddPicture(u"BG\\BLACK.HGP", 8, 8, {0, 0, 0, 255});
        AddPicture(u"DreamScene\\untitled.HGP", 8, 8, {255, 255, 255, 255});
    }

    void OpenGlossary(const std::u16string &tab0, const std::u16string &tab1 = u"",
                      const std::u16string &tab2 = u"", const std::u16string &tab3 = u"")
    {
        const std::u16string scripts[4] = {tab0, tab1, tab2, tab3};
        for (int i = 0; i < 4; ++i)
            if (!scripts[i].empty()) AddLocalText(WordUnit::kScripts[i], scripts[i]);
        Prepare();
        word = new WordUnit;
        Run(word);
    }

    void ClickCentre(const hgl::GUIObject *o)
    {
        LeftClick(int(o->Left + o->Width / 2), int(o->Top + o->Height / 2));
    }
    void FadeIn()
    {
        Steps(51);
        ASSERT_FALSE(word->IsBusy());
    }
    int Children() const { return word->Control->GetObjectList().GetCount(); }
};

TEST_F(GlossaryTest, TheGridAndTheTabs)
{
    OpenGlossary(Tips(15));
    const float s = 0.64f;
    const WordUnit::Grid &g = word->GetGrid();
    EXPECT_FLOAT_EQ(g.left, 160 * s);
    EXPECT_FLOAT_EQ(g.top, 333 * s);
    EXPECT_FLOAT_EQ(g.width, 64 * s);
    EXPECT_FLOAT_EQ(g.height, 180 * s);
    EXPECT_FLOAT_EQ(g.row_gap, 50 * s);
    EXPECT_FLOAT_EQ(g.column_gap, (1024 - 320 * s - 832 * s) / 12);
    EXPECT_EQ(g.count, 15);
    // Entry 14 is the second of the second row.
    hgl::gui::TZHGPButton *e = word->GetEntry(14);
    EXPECT_FLOAT_EQ(e->Left, g.left + g.width + g.column_gap);
    EXPECT_FLOAT_EQ(e->Top, g.top + g.height + g.row_gap);
    for (int i = 0; i < 4; ++i)
    {
        hgl::gui::MusicButton *tab = word->GetTab(i);
        EXPECT_FLOAT_EQ(tab->Left, 224 * s + i * (100 * s + 10 * s));
        EXPECT_FLOAT_EQ(tab->Top, 206 * s);
        EXPECT_FLOAT_EQ(tab->Width, 100 * s);
        EXPECT_FLOAT_EQ(tab->Height, 30 * s);
    }
    Step();
    EXPECT_TRUE(word->GetTab(0)->Selected);
    EXPECT_FALSE(word->GetTab(1)->Selected);
}

TEST_F(GlossaryTest, ATabSwitchDeletesTheOldEntries)
{
    AddLocalBytes(WordUnit::kScripts[3], {});
    OpenGlossary(Tips(5), uR"(func main()
{
    SetObject("WordUnit\\b.HGP", "WordUnit\\thing.HGP", "desc");
    SetSceneB("WordUnit\\b.HGP", "scene");
})");
    EXPECT_EQ(word->GetEntryCount(), 5);
    const int before = Children();
    Step();
    ClickCentre(word->GetTab(1)); // tabs work during the fade
    Step();
    EXPECT_EQ(word->GetCurrentTab(), 1);
    EXPECT_EQ(word->GetTabNumber(), 2);
    ASSERT_EQ(word->GetEntryCount(), 2);
    EXPECT_EQ(Children(), before - 3);
    EXPECT_FLOAT_EQ(word->GetEntry(0)->Left, word->GetGrid().left);
    EXPECT_FLOAT_EQ(word->GetEntry(0)->Top, word->GetGrid().top);
    Step();
    EXPECT_TRUE(word->GetTab(1)->Selected);
    EXPECT_FALSE(word->GetTab(0)->Selected);

    // A tab without its script is empty.
    ClickCentre(word->GetTab(3));
    Step();
    EXPECT_EQ(word->GetEntryCount(), 0);
    EXPECT_TRUE(log.ContainsPart(u"Script\\Tips4.CPP"));
}

TEST_F(GlossaryTest, TheFirstColumnRulesOfEachTab)
{
    OpenGlossary(Tips(40), Tips(40), Tips(40), Tips(40));
    for (int tab = 0; tab < 4; ++tab)
    {
        word->LoadTab(tab);
        ASSERT_EQ(word->GetEntryCount(), 40);
        for (int i = 0; i < 40; ++i)
        {
            hgl::gui::TZHGPButton *e = word->GetEntry(i);
            const bool label = i % 13 == 0 && tab != 1;
            EXPECT_EQ(e->OnClick.IsBound(), !label) << tab << ":" << i;
            EXPECT_EQ(e->GetName().IsEmpty(), label) << tab << ":" << i;
            EXPECT_EQ(e->IsVisible(), !(label && i / 13 >= 2)) << tab << ":" << i;
        }
    }
}

TEST_F(GlossaryTest, ANineTwoPlacesBeforeTheDotMakesATipInert)
{
    OpenGlossary(uR"(func main()
{
    SetTips("", "WordUnit\\b.HGP", "WordUnit\\v.HGP", "a：b");
    SetTips("", "WordUnit\\b91.HGP", "WordUnit\\v.HGP", "a：b");
    SetTips("", "WordUnit\\b.HGP", "WordUnit\\v.HGP", "a：b");
    SetTips("", "WordUnit\\b", "WordUnit\\v.HGP", "a：b");
    SetTips("", "9", "WordUnit\\v.HGP", "a：b");
    SetObject("WordUnit\\b91.HGP", "WordUnit\\thing.HGP", "desc");
})");
    EXPECT_FALSE(word->GetEntry(1)->OnClick.IsBound());
    EXPECT_TRUE(word->GetEntry(2)->OnClick.IsBound());
    EXPECT_TRUE(word->GetEntry(3)->OnClick.IsBound()); // no '.': not marked
    EXPECT_TRUE(word->GetEntry(4)->OnClick.IsBound());
    EXPECT_TRUE(word->GetEntry(5)->OnClick.IsBound()); // the rule is the tips' own
    FadeIn();
    ClickCentre(word->GetEntry(1));
    Step();
    EXPECT_EQ(Active(), word);
}

TEST_F(GlossaryTest, ATipOpensItsViewerSplitAtTheFirstAndLastSemicolon)
{
    OpenGlossary(uR"(func main()
{
    SetTips("", "WordUnit\\b.HGP", "WordUnit\\b.HGP", "x");
    SetTips("", "WordUnit\\b.HGP", "WordUnit\\v;x.HGP", "标题：正文;附注");
})");
    EXPECT_EQ(word->GetEntry(1)->GetName().ToStdString(),
              u"WordUnit\\v;x.HGP;标题：正文;附注;WordUnit\\b.HGP");
    FadeIn();
    ClickCentre(word->GetEntry(1));
    Step();
    auto *tips = ActiveAs<ViewTips>();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(tips->GetTitle().ToStdString(), u"x.HGP;标题");
    EXPECT_EQ(tips->GetBody().ToStdString(), u"正文;附注");
    EXPECT_EQ(Stack(), (std::vector<std::string>{"MarkerScreen", "WordUnit", "ViewTips"}));
    EXPECT_EQ(state_log.back(), "WordUnit 2 ViewTips");
    Steps(3);
    Key(70);
    Step();
    EXPECT_EQ(Active(), word);
}

TEST_F(GlossaryTest, AnObjectOpensTheObjectViewer)
{
    OpenGlossary(uR"(func main()
{
    SetObject("WordUnit\\b.HGP", "WordUnit\\thing.HGP", "一把红色的伞;旧的");
})");
    EXPECT_TRUE(word->GetEntry(0)->GetName() == u"WordUnit\\thing.HGP;一把红色的伞;旧的");
    ClickCentre(word->GetEntry(0)); // column 0 is no label for objects; fades take clicks
    Step();
    auto *object = ActiveAs<ViewObject>();
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->GetMakeup().Count, 9);
    EXPECT_EQ(state_log.back(), "WordUnit 2 ViewObject");
}

TEST_F(GlossaryTest, ASceneOpensThePictureViewerWithMarkersOverTheGlossary)
{
    OpenGlossary(uR"(func main()
{
    SetSceneBZ("c404");
    SetSceneB("WordUnit\\b.HGP", "scene");
    SetSceneBZ("c001");
    SetSceneBZ("C002");
    SetSceneBZ("bg01");
})");
    hgl::gui::TZHGPButton *scene = word->GetEntry(0);
    ASSERT_EQ(scene->Strings.GetCount(), 3);
    EXPECT_EQ(scene->Strings[0].ToStdString(), u"c001");
    FadeIn();
    ClickCentre(scene);
    Step();
    auto *viewer = ActiveAs<ViewHGP>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(Stack(), (std::vector<std::string>{"MarkerScreen", "WordUnit", "ViewHGP"}));
    EXPECT_EQ(state_log.back(), "WordUnit 3 ViewHGP");
    Steps(2);
    EXPECT_FALSE(viewer->IsOpening());
    ClearCalls();
    Step();
    EXPECT_EQ(recorder.Of(avg::stage_draw::CallKind::Picture).size(), 4u); // the picture and three markers
    Checkpoint("scene");
    Key(1);
    Steps(50);
    EXPECT_EQ(Active(), word);
}

TEST_F(GlossaryTest, SeparatorBarsOnlyOnTheFirstTab)
{
    OpenGlossary(Tips(3), Tips(3));
    FadeIn();
    const WordUnit::Grid &g = word->GetGrid();
    const int y = int(g.top - 5 + 1);
    const int x = 500;
    Checkpoint("tab1");
    EXPECT_TRUE(stagekit::Near(Pixel(x, y), kBar));
    EXPECT_TRUE(stagekit::Near(Pixel(x, int(g.top - 5 + g.height + 7 + 1)), kBar));
    EXPECT_TRUE(stagekit::Near(Pixel(x, int(g.top - 5 + 4 * g.height + 3 * g.row_gap - 5 + 1)), kBar));
    EXPECT_TRUE(stagekit::Near(Pixel(x, y + 5), kBackground));
    EXPECT_TRUE(stagekit::Near(Pixel(int(g.left + g.width - 3), y), kBackground));
    word->LoadTab(1);
    Step();
    EXPECT_TRUE(stagekit::Near(Pixel(x, y), kBackground));
}

TEST_F(GlossaryTest, EscDuringAFadeDoesNothingAfterItReturnsWithoutPause)
{
    OpenGlossary(Tips(3));
    EXPECT_FALSE(Key(1));
    Steps(10);
    RightClick(5, 5);
    EXPECT_FALSE(word->IsLeaving());
    FadeIn();
    EXPECT_TRUE(Key(1));
    Steps(51);
    EXPECT_EQ(Active(), word);
    Step();
    EXPECT_TRUE(CallerBack());
}
