#include "CharTestKit.h"

#include "game/core/GameRecord.h"

namespace
{
// Frames until the place is empty again, at most limit.
int FramesUntilGone(const avg::CharIconManage &icons, int place, const std::function<void()> &frame,
                    int limit)
{
    int n = 0;
    while (icons.GetIcon(place) && n < limit)
    {
        frame();
        ++n;
    }
    return n;
}
} // namespace

TEST_F(CharTest, EveryStoryFunctionRunsFromACompiledScript)
{
    std::u16string text = u"func main()\n{\n";
    for (const char16_t *d : {u"0", u"1", u"2", u"3", u"4", u"5"})
    {
        const std::u16string s(d);
        for (const char16_t *f :
             {u"CHR_DSP#(\"ABCD00L\");", u"CHR_DSP#_P(\"ABCD01L\");", u"CHR_SET#(\"ABCE00L\");",
              u"INTCHR#(\"ABCD00L\", \"LEFT\", \"RIGHT\", 3);", u"CHR#_Y(2.5);", u"CHR#_X(-4.0);",
              u"FANZHUAN#();", u"BUTTOMUP#();", u"CHR_ERS#();"})
        {
            std::u16string call(f);
            call.replace(call.find(u'#'), 1, s);
            text += u"    " + call + u"\n";
        }
    }
    for (const char16_t *w : {u"01", u"02", u"12"})
        text += u"    CHR_DSPW" + std::u16string(w) + u"(\"ABCD00L\", \"YYAA00L\");\n    CHR_SETW" + w +
                u"(\"ABCD00L\", \"YYAA00L\");\n    CHR_ERSW" + w + u"();\n";
    for (const char16_t *t : {u"012", u"021", u"102"})
        text += u"    CHR_DSPT" + std::u16string(t) +
                u"(\"ABCD00L\", \"YYAA00L\", \"XYAA00L\");\n    CHR_SETT" + t +
                u"(\"ABCD00L\", \"YYAA00L\", \"XYAA00L\");\n";
    text += u"    CHR_ERSA();\n    MOV_CHR(\"CENTRE\", 2, 1);\n"
            u"    ICON_LEFT_START(\"ABCDA\", 0.5);\n    ICON_RIGHT_START(\"ABCDB\", 0.5);\n"
            u"    ICON_MID_START(\"ABCDA\", 0.5);\n    ICON_LEFT_END();\n    ICON_RIGHT_END();\n    "
            u"ICON_MID_END();\n"
            u"    SetMood(3, \"m\", 10.0, 20.0);\n    CHR_DSP4(\"XYAA00L\");\n}\n";
    AddScript(u"T", text);
    Begin(u"T");
    unit->UpdateObject();
    avg::CharManage &c = Chars();
    EXPECT_EQ(c.GetSlot(4).name.ToStdString(), u"XYAA00L");
    EXPECT_TRUE(c.GetMoods()->HasMood(3));
    EXPECT_FALSE(c.GetIcons()->IsShowing(0));
    EXPECT_EQ(c.GetTargetX(2), 512.0f);
    EXPECT_FALSE(log.ContainsPart(u"失败")) << log.Dump();
    EXPECT_FALSE(log.ContainsPart(u"没有找到")) << log.Dump();
}

TEST_F(CharTest, IconAlphaRulesLabelAndFadeOut)
{
    Begin();
    avg::CharIconManage &icons = *Chars().GetIcons();
    icons.PutIcon(0, u"ABCDA");
    const avg::CharIcon *left = icons.GetIcon(0);
    EXPECT_EQ(left->GetAlpha(), 0.1f); // a new face fades in
    EXPECT_EQ(left->GetDisplayName().ToStdString(), u"阿贝");
    EXPECT_FLOAT_EQ(left->GetScale(), 768 * 0.2f / 8);
    icons.PutIcon(0, u"ABCDB"); // the same face, another expression: at once
    EXPECT_EQ(icons.GetIcon(0)->GetAlpha(), 1.0f);
    EXPECT_EQ(icons.GetIcon(0)->CurrentLayer(), 3);
    icons.PutIcon(2, u"ABCDa"); // lower case: outside the picture, draws nothing
    EXPECT_EQ(icons.GetIcon(2)->CurrentLayer(), -1);
    EXPECT_FLOAT_EQ(icons.GetIcon(2)->GetX(), 1024 - 768 * 0.2f - 10);

    icons.PutPortrait(u"ABCDA", 0, 600);
    EXPECT_FLOAT_EQ(icons.GetIcon(1)->GetScale(), 768 / 3.0f / 8);
    EXPECT_EQ(icons.GetIcon(1)->GetAlpha(), 0.005f);
    icons.SetSpeaker(u"AB", hgl::GetTime() + 1000);
    EXPECT_EQ(icons.GetActive(), 0);

    icons.PutIcon(0, u"ABCDB");
    Chars().StartVoice(u"QQ", {u"", 0});
    EXPECT_EQ(Chars().GetActiveIcon(), -1);
    icons.EndIcon(0);
    const int frames = FramesUntilGone(
        icons, 0, [&] { Frame(); }, 100);
    EXPECT_GE(frames, 49);
    EXPECT_LE(frames, 52);
}

TEST_F(CharTest, MoodsPlayOncePerSlotAtTheFlagsPace)
{
    Begin();
    avg::SetSystemFlag(u"HMOODSPEED", 100);
    avg::MoodManage &moods = *Chars().GetMoods();
    moods.SetMood(1, u"m", 0, 0);
    moods.SetMood(4, u"m", 0, 0);
    Frame();
    int frames = 0;
    while (moods.HasMood(4) && frames < 200)
    {
        Frame(20);
        ++frames;
        EXPECT_EQ(moods.GetFrame(1), moods.GetFrame(4)); // each slot keeps its own time
    }
    EXPECT_NEAR(frames * 20, 1000, 40);
    EXPECT_FALSE(moods.HasMood(1));
    Frame(60); // a late frame does not count
    moods.SetMood(0, u"m", 0, 0);
    Frame(60);
    EXPECT_EQ(moods.GetFrame(0), 0);
}
