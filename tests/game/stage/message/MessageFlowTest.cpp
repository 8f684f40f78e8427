// The message window between the script and the in-game screen: the eight
// functions, collecting while compiling, faces, voices and waits, the three ways
// of showing a line, advancing, auto-play and skipping.
#include "MessageTestKit.h"

#include "game/stagekit/RecordingEngine.h"
#include "graphics/texture/Texture.h"
#include "script/DevilEngine.h"

using msgkit::Repeat;
using stagekit::RecordingEngine;

TEST(MessageScript, RegistersTheEightDeclarationsAndTheCompileHook)
{
    hgl::test::LogCapture log;
    RecordingEngine engine;
    {
        avg::GameDialogBox box(nullptr, &engine, nullptr, nullptr);
        const std::vector<std::u16string> expected = {u"void MES(string)",
                                                      u"void MESC(string)",
                                                      u"void ShowMessage(string,string,string)",
                                                      u"void ShowMessageL(string,string,string)",
                                                      u"void CGCUT(string)",
                                                      u"void CGCUTOFF()",
                                                      u"void CLEAR()",
                                                      u"void FONT(int)"};
        EXPECT_EQ(engine.declarations, expected);
        const auto &hook = engine.GetCompileHook();
        ASSERT_TRUE(hook.IsBound());
        for (const char16_t *name : {u"MES", u"MESC", u"MESSAGE", u"ShowMessage", u"ShowMessageL"})
            EXPECT_TRUE(hook(name)) << hgl::String(name).ToUTF8();
        for (const char16_t *name : {u"ME", u"mes", u"ShowMessag", u"showMessage", u"BG_SET", u""})
            EXPECT_FALSE(hook(name)) << hgl::String(name).ToUTF8();
    }
    EXPECT_FALSE(engine.GetCompileHook().IsBound());
}

TEST_F(MessageTest, CompilingCollectsEveryLineAndShowsNothing)
{
    Run(u"ShowMessage(\"ABCDE\", \"v_1\", \"【甲】一\");\nShowMessageL(\"\", \"v_2\", \"二\");\n"
        u"MES(\"三\");\nMESC(\"四\");\nMES(\"三\");\nT_MARK(1);",
        false);
    // Compiled, not run: four distinct lines, nothing paused, shown, listed or voiced.
    EXPECT_EQ(Box().GetScriptIndexCount(), 4);
    EXPECT_EQ(Box().GetReadIndexCount(), 0);
    EXPECT_EQ(Box().GetMessageCount(), 0);
    EXPECT_FALSE(Box().IsCollecting());
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmNone);
    EXPECT_TRUE(Box().GetText().IsEmpty() && Box().GetPageText().IsEmpty() && Box().GetSpeaker().IsEmpty());
    EXPECT_EQ(Chars().GetIcons()->GetIcon(avg::CharIconManage::kPortrait), nullptr);
    EXPECT_TRUE(voices.empty());
    EXPECT_EQ(State(), avg::gsRunning);
    for (const char16_t *line : {u"【甲】一", u"二", u"三", u"四"})
        EXPECT_GE(Box().GetScriptIndex().Find(avg::GameDialogBox::Digest(line)), 0);
}

TEST_F(MessageTest, ALineWaitsForItsRevealThenAClick)
{
    Run(u"ShowMessage(\"\", \"\", \"【甲】" + Repeat(u"字", 10) + u"\");\nT_MARK(1);");
    EXPECT_EQ(State(), avg::gsMessage);
    EXPECT_EQ(Box().GetSpeaker(), u"甲");
    EXPECT_EQ(Box().GetMessageCount(), 1);
    // A click during the reveal changes nothing.
    Step();
    Click();
    EXPECT_EQ(State(), avg::gsMessage);
    EXPECT_FALSE(Box().IsTextComplete());
    EXPECT_FALSE(Box().Advance(false) == false);
    ASSERT_TRUE(Reveal());
    EXPECT_TRUE(marks.empty());
    Click();
    EXPECT_EQ(marks, std::vector<int>{1});
    EXPECT_TRUE(Box().GetText().IsEmpty());
    EXPECT_FALSE(Box().IsShown());
}

TEST_F(MessageTest, FaceNamesPlaceThePortraitByTheirLength)
{
    AddPicture(u"CharacterDlg\\ABCD.HGP", 8, 8, {255, 0, 0, 255});
    Run(u"T_MARK(0);");
    const float W = float(Width()), H = float(Height());
    const struct
    {
        const char16_t *face; // null: no face argument at all
        bool placed;          // a new portrait
        float x;
        bool right;
    } cases[] = {
        {u"ABCDE", true, 0, false}, {u"ABCDEF", true, W - H / 3, true},
        {u"ABCD", false, 0, false}, {u"ABCDEFG", false, 0, false},
        {u"", false, 0, false},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::String(c.face).ToUTF8());
        Chars().RemovePortrait();
        Box().ShowMessageFunc(c.face, u"", u"台词");
        const avg::CharIcon *portrait = Chars().GetIcons()->GetIcon(avg::CharIconManage::kPortrait);
        ASSERT_EQ(portrait != nullptr, c.placed);
        if (!c.placed) continue;
        EXPECT_EQ(portrait->GetX(), c.x);
        EXPECT_EQ(portrait->GetY(), H * 2 / 3);
        EXPECT_EQ(Chars().IsPortraitRight(), c.right);
    }
    Box().ShowMessageFunc(u"ABCDE", u"", u"台词");
    Box().ShowMessageFunc(nullptr, u"", u"台词");
    EXPECT_EQ(Chars().GetIcons()->GetIcon(avg::CharIconManage::kPortrait), nullptr);
}

TEST_F(MessageTest, WithoutACharacterManagerTheFaceIsLeftAlone)
{
    hgl::test::LogCapture capture;
    hgl::DevilEngine engine;
    avg::GameStateControl game_state;
    avg::GameDialogBox box(&game_state, &engine, nullptr, nullptr);
    box.LoadHistory(u"nochars");
    box.ShowMessageFunc(u"ABCDE", u"AB_1", u"一二三");
    box.ShowMessageFunc(nullptr, u"AB_1", u"一二三");
    EXPECT_EQ(game_state.GetState(), avg::gsMessage);
    EXPECT_EQ(box.GetFacePos(), -1);
    EXPECT_EQ(box.GetSpeakerKey(), u"AB");
}

TEST_F(MessageTest, TheWaitComesFromTheVoiceOrTheText)
{
    voice_seconds = {{u"XY_002", 2.7}, {u"XY_001", 0.9}, {u"QG", 1.2}};
    Run(u"T_MARK(0);");
    const std::u16string twenty = Repeat(u"字", 18) + u"%N";
    const struct
    {
        const char16_t *voice;
        bool voice_on;
        int wait_ms;
        const char16_t *key;
    } cases[] = {
        {u"XY_002", true, 2000, u"XY"},  // a 2.7 s voice: whole seconds
        {u"XY_001", true, 3000, u"XY"},  // under a second: 150 ms a character
        {u"QG", true, 1000, u"QG"},      // no "_": the whole voice names the speaker
        {u"XY_002", false, 3000, u"XY"}, // voice off
        {u"", true, 3000, u""},          // no voice
        {u"A_B_C", true, 3000, u"A"},    // cut at the first "_"
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::String(c.voice).ToUTF8());
        avg::config::audio_config.Voice = c.voice_on ? 1000 : 0;
        Box().ShowMessageFunc(u"", c.voice, twenty.c_str());
        EXPECT_EQ(Box().WaitMs(), c.wait_ms);
        EXPECT_EQ(Box().GetSpeakerKey(), c.key);
        const KQ7Message *last = Box().GetMessage(Box().GetMessageCount() - 1);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->voice, c.voice);
        EXPECT_EQ(last->text.ToStdString(), twenty);
    }
    // Novel and centred lines keep the last dialog line's wait.
    Box().MESFunc(u"一");
    Box().MESCFunc(u"二");
    EXPECT_EQ(Box().WaitMs(), 3000);
}

TEST_F(MessageTest, TheModesAndTheirBoxFade)
{
    Run(u"T_MARK(0);");
    Box().ShowMessageFunc(u"", u"", u"一");
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmDialog);
    ASSERT_TRUE(Reveal());
    EXPECT_EQ(Box().GetBoxAlpha(), 1.0f);
    EXPECT_FALSE(Box().IsModeChanged());

    Box().MESFunc(u"二");
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmNovel);
    EXPECT_TRUE(Box().IsModeChanged());
    EXPECT_EQ(Box().GetBoxAlpha(), 0.0f);
    ASSERT_TRUE(Reveal());
    Box().MESFunc(u"三");
    EXPECT_FALSE(Box().IsModeChanged());
    EXPECT_EQ(Box().GetBoxAlpha(), 1.0f);
    EXPECT_EQ(Box().GetPageText(), u"二\n三");

    // A centred line changes neither the mode nor the page.
    Box().MESCFunc(u"四");
    EXPECT_TRUE(Box().IsCentred());
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmNovel);
    EXPECT_EQ(Box().GetText(), u"四");
    EXPECT_EQ(Box().GetPageText(), u"二\n三");
    EXPECT_EQ(Box().GetDrawRoutine(), avg::GameDialogBox::drLarge);

    Box().ShowMessageLFunc(u"ABCDE", u"", u"五");
    EXPECT_TRUE(Box().IsShout());
    EXPECT_EQ(Box().GetDrawRoutine(), avg::GameDialogBox::drLarge);
    // A novel line after a shout is drawn as a page all the same.
    Box().MESFunc(u"六");
    EXPECT_TRUE(Box().IsShout());
    EXPECT_EQ(Box().GetDrawRoutine(), avg::GameDialogBox::drNovel);
    Box().ShowMessageFunc(u"", u"", u"七");
    EXPECT_FALSE(Box().IsShout());
    EXPECT_EQ(Box().GetDrawRoutine(), avg::GameDialogBox::drDialog);
}

TEST_F(MessageTest, ANovelPageOfTwelveLinesStartsAgain)
{
    Run(u"T_MARK(0);");
    // Lines of four rows' worth of line feeds but one row each: the lines decide.
    for (int i = 0; i < 3; ++i)
        Box().MESFunc(u"一\n二\n三\n四");
    EXPECT_EQ(Box().GetNovelRows(), 3);
    EXPECT_EQ(Box().GetPageText().StatChar(u'\n'), 11);
    Box().MESFunc(u"【甲】新的一页");
    EXPECT_EQ(Box().GetPageText(), u"新的一页");
    EXPECT_EQ(Box().GetSpeaker(), u"甲");
    // Eleven lines leave the page as it is.
    Box().CLEARFunc();
    Box().MESFunc(u"一\n二\n三\n四\n五\n六\n七\n八\n九\n十\n十一");
    Box().MESFunc(u"续");
    EXPECT_EQ(Box().GetPageText().StatChar(u'\n'), 11);
    // CLEAR empties the page and its rows.
    Box().CLEARFunc();
    EXPECT_TRUE(Box().GetPageText().IsEmpty() && Box().GetSpeaker().IsEmpty());
    EXPECT_EQ(Box().GetNovelRows(), 0);
    Box().MESFunc(u"再");
    EXPECT_EQ(Box().GetPageText(), u"再");
    EXPECT_EQ(Box().GetNovelRows(), 1);
}

TEST_F(MessageTest, TheBacklogListsEveryShownLineInOrder)
{
    Run(u"MES(\"一\");\nMESC(\"二\");\nShowMessage(\"\", \"V_3\", \"三\");\nShowMessageL(\"\", \"V_4\", "
        u"\"四\");");
    for (int i = 0; i < 3; ++i)
    {
        ASSERT_TRUE(Reveal());
        Click();
    }
    ASSERT_EQ(Box().GetMessageCount(), 4);
    const std::pair<const char16_t *, const char16_t *> expected[] = {
        {u"", u"一"}, {u"", u"二"}, {u"V_3", u"三"}, {u"V_4", u"四"}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(Box().GetMessage(i)->voice, expected[i].first);
        EXPECT_EQ(Box().GetMessage(i)->text, expected[i].second);
    }
    EXPECT_EQ(Box().GetMessage(4), nullptr);
    EXPECT_EQ(Box().GetMessage(-1), nullptr);
    EXPECT_EQ(voices, (std::vector<std::u16string>{u"V_3", u"V_4"}));
}

TEST_F(MessageTest, AdvanceBeforeAndAfterTheReveal)
{
    Run(u"ShowMessage(\"\", \"\", \"一二三四五六七八九十\");");
    ASSERT_TRUE(StepUntil([this] { return Box().GetShownCount() > 0; }));
    EXPECT_TRUE(Box().Advance(false));
    EXPECT_EQ(Box().GetText(), u"一二三四五六七八九十");
    ASSERT_TRUE(Reveal());
    EXPECT_FALSE(Box().Advance(false));
    EXPECT_TRUE(Box().GetText().IsEmpty());
    Box().ShowMessageFunc(u"", u"", u"再来");
    EXPECT_TRUE(Box().Advance(true));
    EXPECT_TRUE(Box().GetText().IsEmpty());
}

TEST_F(MessageTest, PercentLCHoldsTheLineInStateFive)
{
    Run(u"ShowMessage(\"\", \"\", \"不能隐藏%LC\");\nShowMessage(\"\", \"\", \"可以隐藏\");\nT_MARK(1);");
    EXPECT_EQ(State(), avg::gsMessageFixed);
    EXPECT_EQ(Box().GetText(), u"不能隐藏");
    RightClick(10, 10);
    Step();
    EXPECT_EQ(State(), avg::gsMessageFixed);
    EXPECT_TRUE(Box().IsShown());
    ASSERT_TRUE(Reveal());
    Click();
    EXPECT_EQ(State(), avg::gsMessage);
    RightClick(10, 10);
    Step();
    EXPECT_EQ(State(), avg::gsHidden);
    EXPECT_FALSE(Box().IsShown());
    Click();
    EXPECT_EQ(State(), avg::gsMessage);
    EXPECT_TRUE(Box().IsShown());
}

TEST_F(MessageTest, AutoPlayWaitsTheVoiceAndTheEndWait)
{
    voice_seconds = {{u"XY_002", 2.7}};
    Run(u"MSPEED(100);\nShowMessage(\"\", \"XY_002\", \"一\");\nT_MARK(1);", false);
    avg::config::graphics_config.EndWaitTime = 500; // read at each wait
    Step();
    EXPECT_TRUE(unit->AutoMode);
    EXPECT_EQ(Box().GetTextSpeed(), 100.0f);
    ASSERT_TRUE(Reveal());
    Step(); // the wait starts with the first frame that finds the line complete
    Step(2000 + 500 - 1);
    EXPECT_TRUE(marks.empty());
    Step(1);
    EXPECT_EQ(marks, std::vector<int>{1});
}

TEST_F(MessageTest, SkippingShowsEachLineWholeAndPassesIt)
{
    Run(u"T_MARK(0);\nMES(\"一二三四五六七八九十\");\nShowMessage(\"\", \"\", \"一二三四五六七八九十\");\n"
        u"MESC(\"一二三\");\nT_MARK(1);",
        false);
    avg::config::graphics_config.Speed = 0;
    unit->SkipReadOnly = false;
    unit->SkipOn();
    EXPECT_TRUE(Box().IsSkipping());
    Step();
    EXPECT_EQ(State(), avg::gsMessage);
    EXPECT_TRUE(Box().IsTextComplete());
    EXPECT_EQ(Box().GetBoxAlpha(), 1.0f);
    ASSERT_TRUE(StepUntil([this] { return marks.size() == 2; }, 10));
    unit->SkipOff();
    EXPECT_FALSE(Box().IsSkipping());
}

TEST_F(MessageTest, TheScreensFunctionsReachTheWindow)
{
    Run(u"MSPEED(0);\nVIB_MSG(5);\nShowMessage(\"\", \"\", \"一\");\nWIN_OFF();\nT_MARK(1);");
    EXPECT_FALSE(unit->AutoMode);
    EXPECT_EQ(Box().GetTextSpeed(), float(avg::config::graphics_config.TextSpeed));
    EXPECT_EQ(Box().GetShakeMs(), 500);
    ASSERT_TRUE(Reveal());
    Click();
    EXPECT_EQ(marks, std::vector<int>{1});
    EXPECT_TRUE(Box().GetText().IsEmpty() && Box().GetSpeaker().IsEmpty());
    EXPECT_EQ(Box().Alpha.Get(), 0.0f);
}

TEST_F(MessageTest, ACutInIsLoadedAndReleasedButNotDrawn)
{
    AddTexture(u"Charactersmall\\x.TEX", 4, 4, [](int, int) { return hgl::test::RGBA{255, 0, 0, 255}; });
    Run(u"CGCUT(\"x\");\nT_MARK(1);\nCGCUTOFF();\nT_MARK(2);");
    ASSERT_EQ(marks, (std::vector<int>{1, 2}));
    EXPECT_EQ(Box().GetCutIn(), nullptr);
    Box().CGCUTFunc(u"x");
    ASSERT_NE(Box().GetCutIn(), nullptr);
    EXPECT_EQ(Box().GetCutIn()->GetInternalFormat(), 0x8057u); // GL_RGB5_A1
    Box().ShowMessageFunc(u"", u"", u"一");
    ClearCalls();
    ASSERT_TRUE(Reveal());
    for (const auto &q : TexQuads())
        EXPECT_FALSE(q.w == 4 && q.h == 4);
}
