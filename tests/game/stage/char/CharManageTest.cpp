#include "CharTestKit.h"

#include "io/TDF.h"

#include <cmath>

namespace
{
float Step255(float v)
{
    return std::floor(v * 255.0f) / 255.0f;
}
} // namespace

TEST_F(CharTest, FadesAndSameFamilyCrossFadesInWhole255thSteps)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Show(0, u"ABCD00L");
    Frame(); // the fade starts
    EXPECT_EQ(Opacity(0), 0.0f);
    Frame(100);
    EXPECT_EQ(Opacity(0), Step255(0.2f));
    Frame(401);
    EXPECT_EQ(Opacity(0), 1.0f);

    c.Show(0, u"ABCE00L"); // same first three letters: cross-fade from "ABCD"
    Frame();
    Frame(250);
    EXPECT_EQ(Opacity(0, u"ABCD"), 1.0f);
    EXPECT_EQ(Opacity(0, u"ABCE"), Step255(0.5f));
    Frame(300);
    EXPECT_FALSE(c.GetSlot(0).cross_fading);

    c.Show(0, u"YYAA00L"); // another family fades in anew
    Frame();
    Frame(50);
    EXPECT_EQ(Opacity(0, u"YYAA"), Step255(0.1f));

    c.Erase(0);
    Frame();
    Frame(100);
    EXPECT_EQ(Opacity(0, u"YYAA"), Step255(0.8f));
    Frame(450); // faded out: hidden, then freed by the next draw
    Frame();
    EXPECT_TRUE(c.GetSlot(0).name.IsEmpty());
}

TEST_F(CharTest, EraseThenShowWithin500msPutsTheSlotInTheCentre)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Show(2, u"ABCD00L");
    c.Move(u"LEFT", 2, 0);
    Frame();
    EXPECT_EQ(c.GetX(2), 256.0f);
    c.Erase(2);
    Frame(100);
    c.Show(2, u"ABCD00L");
    EXPECT_EQ(c.GetX(2), 512.0f);
    EXPECT_FALSE(c.GetSlot(2).fading_out);
    c.Erase(3); // an empty slot has nothing to fade
    EXPECT_FALSE(c.GetSlot(3).fading_out);
}

TEST_F(CharTest, SlidesMovesAndSkip)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Slide(1, u"ABCD00L", u"LEFT", u"RIGHT", 10);
    EXPECT_TRUE(c.IsMoving());
    Frame(); // the movement starts
    Frame(500);
    EXPECT_FLOAT_EQ(c.GetX(1), 512.0f);
    Frame(501);
    EXPECT_EQ(c.GetX(1), 768.0f);

    c.Move(u"NOWHERE", 1, 5); // an unknown name keeps the target
    EXPECT_EQ(c.GetTargetX(1), 768.0f);
    c.Move(u"LEFTCEN", 1, 10);
    c.SetSkip(true);
    Frame();
    EXPECT_EQ(c.GetX(1), 1024.0f / 6 * 2);
    c.Erase(1);
    Frame(); // skip removes a fading-out sprite at once
    EXPECT_TRUE(c.GetSlot(1).name.IsEmpty());
    EXPECT_FALSE(c.IsMoving());
}

TEST_F(CharTest, ScriptLayoutsAndMoves)
{
    AddScript(u"T", u"func main()\n{\n"
                    u"    CHR_DSPT021(\"ABCD00L\", \"YYAA00L\", \"XYAA00L\");\n"
                    u"    CHR_SETW12(\"ABCD01L\", \"ABCE00L\");\n"
                    u"    MOV_CHR(\"BRIGHT\", 0, 0);\n"
                    u"    MOV_CHR(\"LEFT\", 6, 3);\n"
                    u"    SetMood(9, \"m\", 0.0, 0.0);\n"
                    u"    CHR_DSP5(\"ABCD00L\");\n}\n");
    Begin(u"T");
    unit->UpdateObject();
    avg::CharManage &c = Chars();
    EXPECT_EQ(c.GetSlot(0).name.ToStdString(), u"ABCD00L");
    EXPECT_EQ(c.GetSlot(1).name.ToStdString(), u"ABCD01L");
    EXPECT_EQ(c.GetSlot(2).name.ToStdString(), u"ABCE00L");
    EXPECT_EQ(c.GetX(1), 256.0f);
    EXPECT_EQ(c.GetX(2), 768.0f);
    EXPECT_EQ(c.GetSlot(5).name.ToStdString(), u"ABCD00L"); // ran to its end
    Frame();
    EXPECT_EQ(c.GetX(0), 1024.0f); // zero tenths: there at once
    EXPECT_TRUE(log.ContainsPart(u"MOV_CHR的位置<6>"));
    EXPECT_TRUE(log.ContainsPart(u"SetMood的位置<9>"));
}

TEST_F(CharTest, SpeakersAliasesAndMouthFrames)
{
    Begin();
    avg::CharManage &c = Chars();
    const char16_t *names[4] = {u"YYAA00L", u"XYAA00L", u"ABCD00L", u"ABCE00L"};
    for (int s = 0; s < 4; ++s)
        c.Show(s, names[s]);
    c.StartVoice(u"YY", {u"v1", 10000});
    EXPECT_TRUE(c.GetSlot(0).talking && c.GetSlot(1).talking);
    EXPECT_FALSE(c.GetSlot(2).talking);
    c.StartVoice(u"AB", {u"v2", 10000}); // any other speaker stops the rest
    EXPECT_FALSE(c.GetSlot(0).talking);
    EXPECT_TRUE(c.GetSlot(2).talking);
    EXPECT_EQ(c.GetVoiceName(2).ToStdString(), u"v2");
    c.StartVoice(u"ALL", {u"v3", 5000});
    for (int s = 0; s < 4; ++s)
        EXPECT_TRUE(c.GetSlot(s).talking) << s;
    bool seen[3] = {};
    for (int i = 0; i < 200; ++i)
    {
        Frame(20);
        const int frame = c.GetSlot(0).MouthFrame();
        ASSERT_LT(frame, 3);
        seen[frame] = true;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
    Frame(2000); // the voice is over: the mouth rests
    EXPECT_EQ(c.GetSlot(0).MouthFrame(), 0);
}

TEST_F(CharTest, SaveLoadSaveGivesTheSameBytes)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Show(0, u"ABCD00L");
    c.Move(u"RIGHTCEN", 0, 0);
    c.ToggleFacing(0);
    c.SetOffsetY(0, 12.5f);
    c.Slide(3, u"ABCE01L", u"BLEFT", u"BRIGHT", 10);
    c.GetIcons()->PutPortrait(u"ABCDAR", 0, 600);
    c.GetIcons()->PutIcon(0, u"ABCDB");
    Frame();
    Frame(300); // slot 3 is between positions
    hgl::TDFNode first;
    ASSERT_TRUE(c.SaveState(&first));
    hgl::TDFNode *slot3 = first.FindChild(u"人物")->FindChild(u"3");
    EXPECT_EQ(slot3->FindChild(u"当前位置"), nullptr);
    hgl::String saved;
    ASSERT_TRUE(first.FindChild(u"人物图标")->GetString(u"对话Icon", saved));
    EXPECT_EQ(saved.ToStdString(), u"ABCDA");

    const float before = c.GetX(3);
    ASSERT_TRUE(c.LoadState(&first));
    EXPECT_EQ(c.GetX(3), before); // no named position: the x stays
    EXPECT_TRUE(c.IsPortraitRight());
    EXPECT_EQ(c.GetIcons()->GetIcon(1)->GetName().ToStdString(), u"ABCDA");
    EXPECT_FALSE(c.GetSlot(0).facing);
    Frame();
    Frame(2000);
    hgl::TDFNode second, third;
    ASSERT_TRUE(c.SaveState(&second));
    ASSERT_TRUE(c.LoadState(&second));
    ASSERT_TRUE(c.SaveState(&third));
    hgl::MemStream a, b;
    ASSERT_TRUE(second.Save(&a) && third.Save(&b));
    EXPECT_EQ(std::vector<uint8_t>(a.GetData(), a.GetData() + a.GetSize()),
              std::vector<uint8_t>(b.GetData(), b.GetData() + b.GetSize()));
}

TEST_F(CharTest, DamagedNodesAreClampedOrRefused)
{
    Begin();
    avg::CharManage &c = Chars();
    hgl::TDFNode root;
    hgl::TDFNode *slot = root.AddChild(u"人物")->AddChild(u"1");
    slot->SetString(u"1", u"ABCD00L");
    hgl::TDFNode *last = root.AddChild(u"人物")->AddChild(u"4"); // the last node counts
    last->SetString(u"4", u"ABCE00L");
    last->SetString(u"当前位置", u"ELSEWHERE");
    last->SetFloat(u"高度", NAN);
    ASSERT_TRUE(c.LoadState(&root));
    EXPECT_TRUE(c.GetSlot(1).name.IsEmpty());
    EXPECT_EQ(c.GetSlot(4).name.ToStdString(), u"ABCE00L");
    EXPECT_EQ(c.GetSlot(4).offset_y, 0.0f);
    EXPECT_EQ(c.GetX(4), 512.0f);
    EXPECT_TRUE(log.ContainsPart(u"高度"));

    hgl::TDFNode icons;
    icons.AddChild(u"人物");
    hgl::TDFNode *node = icons.AddChild(u"人物图标");
    node->SetBool(u"是否右边", false);
    for (const char16_t *key : {u"左边Icon", u"对话Icon", u"右边Icon"})
        node->SetString(key, key[0] == u'左' ? u"ABCDA" : u"null");
    node->SetUInt32(u"当前激活", 2); // the right place is empty
    ASSERT_TRUE(c.LoadState(&icons));
    EXPECT_EQ(c.GetActiveIcon(), -1);
    node->SetUInt32(u"当前激活", 0);
    ASSERT_TRUE(c.LoadState(&icons));
    EXPECT_EQ(c.GetActiveIcon(), 0);
    icons.FindChild(u"人物图标")->FindChild(u"右边Icon")->GetStream()->SetSize(1); // truncated
    EXPECT_FALSE(c.LoadState(&icons));
}

TEST_F(CharTest, TheSevenNamedPositions)
{
    Begin();
    avg::CharManage &c = Chars();
    c.Show(0, u"ABCD00L");
    const float W = stagekit::kCanvasW;
    const struct
    {
        const char16_t *name;
        float x;
    } positions[] = {{u"BLEFT", 0},  {u"LEFT", W / 4},    {u"CENTRE", W / 2},      {u"RIGHT", W * 3 / 4},
                     {u"BRIGHT", W}, {u"LEFTCEN", W / 3}, {u"RIGHTCEN", W * 2 / 3}};
    for (const auto &p : positions)
    {
        c.Move(p.name, 0, 0);
        Frame();
        EXPECT_FLOAT_EQ(c.GetX(0), p.x) << hgl::test::U8(p.name);
    }
}
