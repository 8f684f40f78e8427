// The message window's nodes of a save: what each way of showing keeps, saves
// made from a load giving the same bytes, the line shown again without its voice,
// and damaged nodes.
#include "MessageTestKit.h"

using msgkit::Repeat;

namespace
{
hgl::TDFNode *Node(hgl::TDFNode &root, const char16_t *name, const std::string &bytes)
{
    hgl::TDFNode *node = root.AddChild(name);
    if (!bytes.empty()) node->GetStream()->Write(bytes.data(), int(bytes.size()));
    return node;
}

std::string Str(const std::u16string &text)
{
    std::string out;
    const int32_t n = int32_t(text.size());
    out.append(reinterpret_cast<const char *>(&n), 4);
    for (char16_t c : text)
        out += {char(c & 0xFF), char(c >> 8)};
    return out;
}

std::string U32(uint32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}
} // namespace

class MessageSaveTest : public MessageTest
{
  protected:
    // Saves slot "s", loads it into a new screen, and gives the window's nodes of
    // both.
    std::pair<std::string, std::string> SaveAndLoad()
    {
        const std::string before = WindowNodes();
        EXPECT_TRUE(unit->SaveGame(u"s", false));
        MakeUnit();
        EXPECT_TRUE(unit->LoadGame(u"s")) << log.Dump();
        return {before, WindowNodes()};
    }
};

TEST_F(MessageSaveTest, EachWayOfShowingComesBackAsItWasSaved)
{
    voice_seconds = {{u"XY_002", 2.7}};
    const struct
    {
        const char *name;
        std::u16string body;
        bool hide;
        int clicks; // lines passed before the save
        int mode;
        const char16_t *text; // what shows after the load
    } cases[] = {
        {"dialog", u"FONT(0);\nShowMessage(\"\", \"XY_002\", \"【小雪】早上好%K%P\");", false, 0,
         avg::GameDialogBox::bmDialog, u"早上好"},
        {"shout", u"ShowMessageL(\"\", \"XY_002\", \"【小雪】喊%LC\");", false, 0,
         avg::GameDialogBox::bmDialog, u"喊"},
        {"novel", u"MES(\"第一行%N\");\nMES(\"【甲】第二行\");", false, 1, avg::GameDialogBox::bmNovel,
         u"第一行\n第二行"},
        {"centred", u"MESC(\"—— 一 ——\");", false, 0, avg::GameDialogBox::bmNone, u"—— 一 ——"},
        {"hidden", u"ShowMessage(\"\", \"XY_002\", \"藏起来\");", true, 0, avg::GameDialogBox::bmNone, u""},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        marks.clear();
        AddScript(u"T", msgkit::Main(c.body + u"\nT_MARK(1);"));
        Start(u"T");
        Step();
        for (int i = 0; i < c.clicks; ++i)
        {
            ASSERT_TRUE(Reveal());
            Click();
        }
        const int waiting = State();
        if (c.hide)
        {
            RightClick(1, 1);
            Step();
        }
        const size_t voices_before = voices.size();
        const auto [saved, loaded] = SaveAndLoad();
        EXPECT_EQ(saved, loaded);
        EXPECT_EQ(voices.size(), voices_before); // no voice plays again
        if (c.hide)
        {
            EXPECT_EQ(State(), avg::gsRunning);
            EXPECT_TRUE(Box().GetText().IsEmpty());
            continue;
        }
        EXPECT_EQ(State(), waiting);
        EXPECT_EQ(Box().GetMode(), c.mode);
        EXPECT_EQ(Box().IsNovel() ? Box().GetPageText() : Box().GetText(), c.text);
        // It waits as a new line does, and the story goes on after it.
        ASSERT_TRUE(Reveal());
        Click();
        EXPECT_EQ(marks, std::vector<int>{1});
        unit.reset();
    }
}

TEST_F(MessageSaveTest, ARestoredDialogLineIsTimedByItsTextAndListedWithoutAVoice)
{
    voice_seconds = {{u"XY_002", 2.7}};
    Run(u"ShowMessage(\"\", \"XY_002\", \"【小雪】一二三四\");");
    EXPECT_EQ(Box().WaitMs(), 2000);
    hgl::TDFNode root;
    Box().SaveState(&root);
    hgl::TDFNode bare; // the same without the list
    for (const char16_t *name : {u"喊话", u"对话框对话", u"字体颜色"})
        Node(bare, name,
             std::string(reinterpret_cast<const char *>(root.FindChild(name)->GetStream()->GetData()),
                         size_t(root.FindChild(name)->GetStream()->GetSize())));
    voices.clear();
    MakeUnit();
    ASSERT_TRUE(unit->GotoScript(u"T"));
    ASSERT_TRUE(Box().LoadState(&bare));
    EXPECT_TRUE(voices.empty());
    EXPECT_EQ(Box().WaitMs(), 150 * 8);
    EXPECT_EQ(Box().GetSpeakerKey(), u"XY");
    EXPECT_EQ(Box().GetText(), u"一二三四");
    EXPECT_EQ(State(), avg::gsMessage);
    ASSERT_EQ(Box().GetMessageCount(), 1);
    EXPECT_EQ(Box().GetMessage(0)->voice, u"");
    EXPECT_EQ(Box().GetMessage(0)->text, u"【小雪】一二三四");
}

TEST_F(MessageSaveTest, AnOpenChoiceAndAShownLineComeBackAsAChoice)
{
    Run(u"ShowMessage(\"\", \"\", \"选哪个？\");\nSELECT(\"S1\", "
        u"2);\nSELDT(\"是\");\nSELDT(\"否\");\nT_MARK(1);");
    ASSERT_TRUE(Reveal());
    Click();
    ASSERT_EQ(State(), avg::gsChoice);
    Box().SetFocus(true); // the line counts as shown
    const auto [saved, loaded] = SaveAndLoad();
    EXPECT_EQ(State(), avg::gsChoice);
    EXPECT_EQ(Box().GetText(), u"选哪个？");
    EXPECT_GT(unit->GetChoiceStage()->GetCount(), 0);
    // A click away from the options does not run past the choice.
    ASSERT_TRUE(Reveal());
    LeftClick(2, Height() - 2);
    Steps(3);
    EXPECT_TRUE(marks.empty());
    EXPECT_EQ(State(), avg::gsChoice);
}

TEST_F(MessageSaveTest, MissingAndDamagedNodes)
{
    Run(u"T_MARK(0);");
    const struct
    {
        const char *name;
        std::vector<std::pair<const char16_t *, std::string>> nodes;
        bool ok;
        int listed;
        const char16_t *text;
        const char16_t *logged;
    } cases[] = {
        {"nothing", {}, true, 0, u"", nullptr},
        {"empty flag nodes", {{u"喊话", ""}, {u"字体颜色", ""}}, true, 0, u"", u"存档的<喊话>已损坏"},
        {"no flag byte", {{u"对话框对话", ""}}, false, 0, u"", u"存档的<对话框对话>已损坏"},
        {"cut string",
         {{u"对话框对话", std::string(1, '\1') + Str(u"XY") + Str(u"台词").substr(0, 7)}},
         false,
         0,
         u"",
         u"存档的<对话框对话>已损坏"},
        {"not shown",
         {{u"对话框对话", std::string(1, '\0') + Str(u"XY") + Str(u"台词")}},
         true,
         0,
         u"",
         nullptr},
        {"novel before dialog",
         {{u"对话框对话", std::string(1, '\1') + Str(u"XY") + Str(u"台词")},
          {u"小说对话", std::string(1, '\1') + Str(u"") + Str(u"小说")}},
         true,
         1,
         u"小说",
         nullptr},
        {"last of two",
         {{u"中间对话", std::string(1, '\1') + Str(u"") + Str(u"旧")},
          {u"中间对话", std::string(1, '\1') + Str(u"") + Str(u"新")}},
         true,
         1,
         u"新",
         nullptr},
        {"short list",
         {{u"已读对话", U32(5) + Str(u"v") + Str(u"一") + Str(u"") + Str(u"二") + Str(u"x")}},
         true,
         2,
         u"",
         u"存档的<已读对话>只读到2条"},
        {"huge count", {{u"已读对话", U32(0xFFFFFFFFu)}}, true, 0, u"", u"存档的<已读对话>只读到0条"},
        {"no count", {{u"已读对话", "12"}}, true, 0, u"", u"存档的<已读对话>已损坏"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        Box().WindowOff();
        hgl::TDFNode root;
        for (const auto &[name, bytes] : c.nodes)
            Node(root, name, bytes);
        log.Clear();
        EXPECT_EQ(Box().LoadState(&root), c.ok);
        const hgl::String &shown = Box().IsNovel() ? Box().GetPageText() : Box().GetText();
        EXPECT_EQ(shown, c.text);
        if (root.FindChild(u"已读对话"))
        {
            EXPECT_EQ(Box().GetMessageCount(), c.listed);
        }
        if (c.logged)
            EXPECT_TRUE(log.ContainsPart(c.logged)) << log.Dump();
        else
            EXPECT_TRUE(log.Errors().empty()) << log.Dump();
    }
    // A list that is there replaces the one before; the flags keep their values
    // when their nodes are missing.
    Box().FONTFunc(0);
    hgl::TDFNode root;
    Node(root, u"已读对话", U32(1) + Str(u"V_1") + Str(u"一"));
    ASSERT_TRUE(Box().LoadState(&root));
    EXPECT_FALSE(Box().IsDarkText());
    ASSERT_EQ(Box().GetMessageCount(), 1);
    EXPECT_EQ(Box().GetMessage(0)->voice, u"V_1");
}
