// Messages as the script writes them: the speaker, the markup codes, the novel
// page's rows and the rectangles the text is laid out in.
#include "MessageTestKit.h"

using msgkit::Repeat;

TEST_F(MessageTest, MarkupAndSpeakersAreTakenApart)
{
    Run(u"T_MARK(0);");
    const struct
    {
        const char16_t *message;
        const char16_t *speaker;
        const char16_t *text;
        bool fixed; // "%LC": the line waits in gsMessageFixed
    } cases[] = {
        {u"【甲】【乙】说", u"甲】【乙", u"说", false},
        {u"【甲】你好%K%P", u"甲", u"你好", false},
        {u"前%K%P中%k%p后", u"", u"前中%k%p后", false},
        {u"前%k%P中%K%p后", u"", u"前中%p后", false}, // "%K" is a plain code too
        {u"前%K%p中%k%p后", u"", u"前中%k%p后", false},
        {u"a%Nb%nc%N", u"", u"ab%nc", false},
        {u"a%nb%nc", u"", u"abc", false},
        {u"等%LC", u"", u"等", true},
        {u"等%lc", u"", u"等%lc", false},
        {u"%LE%Le%lE%le%T%t%S060%O060%S030%O030%FS%FE%K%W%X66%XE完", u"", u"完", false},
        {u"%P%p%k%X67留", u"", u"%P%p%k%X67留", false},
        {u"＃￥", u"", u"＃￥", false},
        {u"", u"", u"", false},
        {u"甲】没有开头", u"", u"甲】没有开头", false},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::String(c.message).ToUTF8());
        Box().ShowMessageFunc(u"", u"", c.message);
        EXPECT_EQ(Box().GetSpeaker(), c.speaker);
        EXPECT_EQ(Box().GetText(), c.text);
        EXPECT_EQ(Box().GetRawText(), c.message);
        EXPECT_EQ(State(), c.fixed ? avg::gsMessageFixed : avg::gsMessage);
        EXPECT_EQ(Box().GetMakeup().Count.Get(), hgl::String(c.text).GetLength());
    }
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();

    // No closing bracket: logged, and nothing to show.
    Box().ShowMessageFunc(u"", u"", u"【甲说");
    EXPECT_EQ(Box().GetSpeaker(), u"甲说");
    EXPECT_TRUE(Box().GetText().IsEmpty());
    EXPECT_TRUE(Box().IsTextComplete());
    EXPECT_TRUE(log.Contains(u"没有找到】符号,对话内容为\"【甲说\"")) << log.Dump();
}

TEST_F(MessageTest, ANovelLineTakesOneRowOrTwo)
{
    Run(u"T_MARK(0);");
    const int h = avg::NovelFont->CharHeight;
    const float room = Box().GetBoxWidth() - 2 * float(h);
    const int fits = int(room / float(h)); // the longest line of one row
    ASSERT_GT(fits, 2);
    Box().MESFunc(Repeat(u"字", fits).c_str());
    EXPECT_EQ(Box().GetNovelRows(), 1);
    Box().MESFunc(Repeat(u"字", fits + 1).c_str());
    EXPECT_EQ(Box().GetNovelRows(), 3);
    // The speaker and the codes count too.
    Box().MESFunc((u"【甲】" + Repeat(u"字", fits - 2)).c_str());
    EXPECT_EQ(Box().GetNovelRows(), 5);
    Box().MESFunc(Repeat(u"字", 5 * fits).c_str());
    EXPECT_EQ(Box().GetNovelRows(), 7);
}

TEST_F(MessageTest, TheThirteenthRowStartsANewPage)
{
    Run(u"T_MARK(0);");
    const std::u16string two_rows = Repeat(u"长", 60);
    for (int i = 0; i < 6; ++i)
        Box().MESFunc(two_rows.c_str());
    EXPECT_EQ(Box().GetNovelRows(), 12);
    EXPECT_EQ(Box().GetPageText().StatChar(u'\n'), 5);
    Box().MESFunc(u"【乙】新页");
    EXPECT_EQ(Box().GetNovelRows(), 1);
    EXPECT_EQ(Box().GetPageText(), u"新页");
    EXPECT_EQ(Box().GetSpeaker(), u"乙");
    EXPECT_EQ(Box().GetRawText(), u"新页");
    EXPECT_FLOAT_EQ(Box().GetShownCount(), 0);
}

TEST_F(MessageTest, AnAppendedLineIsRevealedFromItsOwnStart)
{
    Run(u"MES(\"一二三四五\");\nMES(\"六七八\");");
    ASSERT_TRUE(Reveal());
    Click();
    EXPECT_EQ(Box().GetPageText(), u"一二三四五\n六七八");
    // The frame drawn after it moved the reveal to just before the new line.
    EXPECT_GT(Box().GetShownCount(), 9 - 3 - 1);
    EXPECT_LT(Box().GetShownCount(), 9 - 3);
    ASSERT_TRUE(Reveal());
    EXPECT_FLOAT_EQ(Box().GetShownCount(), 9);
}

TEST_F(MessageTest, WhileSkippingEveryLineIsWholeAtOnce)
{
    Run(u"T_MARK(0);");
    unit->SkipReadOnly = false;
    unit->SkipOn();
    Box().MESFunc(u"一二三四五");
    Box().MESFunc(u"六七八");
    Step();
    EXPECT_TRUE(Box().IsTextComplete());
    EXPECT_FLOAT_EQ(Box().GetShownCount(), 9);
    Box().ShowMessageFunc(u"", u"", u"一二三四五六七八九十");
    EXPECT_TRUE(Box().IsTextComplete());
    Box().MESCFunc(u"一二三");
    EXPECT_TRUE(Box().IsTextComplete());
}

TEST_F(MessageTest, EachWayOfShowingHasItsRectangle)
{
    Run(u"T_MARK(0);");
    const float W = float(Width()), H = float(Height());
    const float h = float(avg::TextFont->CharHeight), g = float(avg::TextFont->LineGap);
    // The line gap is a tenth of the height, at least 1.
    EXPECT_EQ(g, std::max(1.0f, std::round(0.1f * h)));

    Box().ShowMessageFunc(u"", u"", u"一");
    hgl::RectScope2<float> r = Box().GetTextRect();
    EXPECT_EQ(r.Left, H / 3);
    EXPECT_EQ(r.Right, W);
    EXPECT_EQ(r.Bottom, H + g);

    Box().MESCFunc(u"一二三");
    r = Box().GetTextRect();
    EXPECT_FLOAT_EQ(r.Left + r.Width / 2, W / 2);
    EXPECT_FLOAT_EQ(r.Top + r.Height / 2, H / 2);
    // Centred in its rectangle.
    const auto &centred = Box().GetMakeup().CharRect;
    const float line = centred[2].Right - centred[0].Left;
    EXPECT_NEAR(centred[0].Left + line / 2, r.Width / 2, 1);

    Box().MESFunc(u"一");
    r = Box().GetTextRect();
    const float nh = float(avg::NovelFont->CharHeight);
    EXPECT_EQ(r.Left, nh);
    EXPECT_EQ(r.Right, W - nh);
    EXPECT_FLOAT_EQ(r.Top + r.Height / 2, H / 2);
}

TEST_F(MessageTest, AFaceNarrowsTheText)
{
    AddPicture(u"CharacterIcon\\ABCD.HGP", 8, 8, {255, 0, 0, 255});
    AddPicture(u"CharacterDlg\\ABCD.HGP", 8, 8, {255, 0, 0, 255});
    Run(u"ICON_LEFT_START(\"ABCDA\", 1.0);\nICON_RIGHT_START(\"ABCDA\", 1.0);\nT_MARK(0);");
    const float W = float(Width()), H = float(Height());
    const float g = float(avg::TextFont->LineGap);

    Box().ShowMessageFunc(u"", u"AB_1", u"一二三");
    EXPECT_EQ(Box().GetFacePos(), avg::CharIconManage::kLeft);
    hgl::RectScope2<float> r = Box().GetTextRect();
    EXPECT_FLOAT_EQ(r.Width, W * 270 / 1024);
    EXPECT_FLOAT_EQ(r.Left, 2 * g + 10 * W / 1024);
    EXPECT_EQ(Box().GetFaceRows(), 2);
    // A long line takes more rows beside the face.
    Box().ShowMessageFunc(u"", u"AB_1", Repeat(u"字", 30).c_str());
    EXPECT_GT(Box().GetFaceRows(), 3);
    EXPECT_EQ(Box().GetFaceRows(), Box().CountFaceLines(hgl::String(Repeat(u"字", 30))) + 1);
    EXPECT_LE(Box().GetMakeup().CharRect[29].Right, r.Width);

    // The portrait at the right leaves the box's middle.
    Chars().GetIcons()->EndIcon(avg::CharIconManage::kLeft);
    Chars().GetIcons()->EndIcon(avg::CharIconManage::kRight);
    Steps(60);
    Box().ShowMessageFunc(u"ABCDEF", u"AB_1", u"一");
    ASSERT_EQ(Box().GetFacePos(), avg::CharIconManage::kPortrait);
    r = Box().GetTextRect();
    EXPECT_EQ(r.Left, H / 3);
    EXPECT_EQ(r.Right, W - H / 3);
}

namespace
{
class WideMessageTest : public MessageTest
{
  protected:
    int Width() const override { return stagekit::kWideW; }
    int Height() const override { return stagekit::kWideH; }
};
} // namespace

TEST_F(WideMessageTest, TheLayoutsFollowACanvasOfAnotherShape)
{
    Run(u"ShowMessage(\"\", \"\", \"【甲】" + Repeat(u"宽", 40) + u"\");");
    ASSERT_TRUE(Reveal());
    const float W = float(Width()), H = float(Height());
    EXPECT_EQ(Box().GetBoxWidth(), W);
    EXPECT_EQ(Box().GetBoxHeight(), H);
    const hgl::RectScope2<float> r = Box().GetTextRect();
    EXPECT_EQ(r.Left, H / 3);
    EXPECT_EQ(r.Right, W);
    EXPECT_LE(r.Bottom, H + float(avg::TextFont->LineGap));
    // Every character inside the canvas, the box across its whole width.
    for (int i = 0; i < Box().GetMakeup().Count.Get(); ++i)
        EXPECT_LE(r.Left + Box().GetMakeup().CharRect[i].Right, W);
    ClearCalls();
    Step();
    const std::vector<msgkit::Call> quads = TexQuads();
    ASSERT_FALSE(quads.empty());
    EXPECT_LE(quads[0].x, 4);
    EXPECT_GE(quads[0].x + quads[0].w, W - 4);
    Box().MESCFunc(u"居中");
    EXPECT_FLOAT_EQ(Box().GetTextRect().Left + Box().GetTextRect().Width / 2, W / 2);
}
