// The 53 background functions: declared exactly so, in this order, and each
// callable from a story script.
#include "BackTestKit.h"

#include "game/stagekit/RecordingEngine.h"
#include "script/DevilEngine.h"

namespace
{
using stagekit::RecordingEngine;

std::vector<std::u16string> Expected()
{
    std::vector<std::u16string> list = {u"void BG_COLOR(int,int,int)", u"void BG_BLACK()", u"void BG_WHITE()",
                                        u"void BG_SET(string)", u"void BG_FLG(int,int,string)"};
    auto family = [&](const std::u16string &prefix, const std::u16string &args)
    {
        for (char16_t k = u'0'; k <= u'3'; ++k)
            list.push_back(u"void " + prefix + k + args);
    };
    for (const char16_t *prefix : {u"BG_SET_DEF", u"BG_DSP_DEF", u"BG_DSP", u"BG_DSPX", u"BG_SET"})
        family(prefix, u"(string)");
    list.insert(list.end(),
                {u"void BG_SETW01(string,float,float,string,float,float)", u"void BG_SETW02(string,string)",
                 u"void BG_SETW13(string,string)", u"void BG_SETW23(string,string)"});
    family(u"BG_SETX", u"(string)");
    family(u"BG_ERS", u"()");
    list.insert(list.end(), {u"void BG_ERSW13()", u"void BG_ERSA()"});
    family(u"BG_INVISIBLE", u"(string)");
    list.insert(list.end(),
                {u"void BG_INVISIBLEW13(string,string)", u"void BG_SWP(int,int)",
                 u"void BG_Part(string,float,float,float,float,int,int)", u"void BG_ToFull(int)",
                 u"void BG_ToPart(int,float,float,float,float)",
                 u"void BG_FadeToPart(int,float,float,float,float)", u"void FADE_IN()", u"void FADE_OUT()",
                 u"void ZOOMBG(float,float,float,float)", u"void MOVEBG(float,float,float,float)"});
    return list;
}
} // namespace

TEST(BackScript, RegistersTheFiftyThreeDeclarationsInOrder)
{
    RecordingEngine engine;
    avg::GameStateControl state;
    BackManage back(&state, &engine);
    ASSERT_EQ(Expected().size(), 53u);
    EXPECT_EQ(engine.declarations, Expected());
}

TEST_F(BackTest, AStoryCallsEveryFunction)
{
    Run(u"BG_COLOR(300, 128, -5);\nBG_BLACK();\nBG_WHITE();\nBG_SET(\"bgA\");\nBG_FLG(2, 5, \"bgB\");\n"
        u"BG_SET_DEF0(\"bgA\");\nBG_SET_DEF1(\"bgB\");\nBG_SET_DEF2(\"bgC\");\nBG_SET_DEF3(\"bgD\");\n"
        u"BG_DSP_DEF0(\"bgA\");\nBG_DSP_DEF1(\"bgB\");\nBG_DSP_DEF2(\"bgC\");\nBG_DSP_DEF3(\"bgD\");\n"
        u"BG_DSP0(\"bgA\");\nBG_DSP1(\"bgB\");\nBG_DSP2(\"bgC\");\nBG_DSP3(\"bgD\");\n"
        u"BG_DSPX0(\"bgA\");\nBG_DSPX1(\"bgB\");\nBG_DSPX2(\"bgC\");\nBG_DSPX3(\"bgD\");\n"
        u"BG_SET0(\"bgA\");\nBG_SET1(\"bgB\");\nBG_SET2(\"bgC\");\nBG_SET3(\"bgD\");\n"
        u"BG_SETW01(\"bgA\", 0.1, 0.1, \"bgB\", 0.2, 0.2);\nBG_SETW02(\"bgA\", \"bgC\");\n"
        u"BG_SETW13(\"bgB\", \"bgD\");\nBG_SETW23(\"bgC\", \"bgD\");\n"
        u"BG_SETX0(\"bgA\");\nBG_SETX1(\"bgB\");\nBG_SETX2(\"bgC\");\nBG_SETX3(\"bgD\");\n"
        u"BG_ERS0();\nBG_ERS1();\nBG_ERS2();\nBG_ERS3();\nBG_ERSW13();\nBG_ERSA();\n"
        u"BG_INVISIBLE0(\"bgA\");\nBG_INVISIBLE1(\"bgB\");\nBG_INVISIBLE2(\"bgC\");\nBG_INVISIBLE3(\"bgD\");"
        u"\n"
        u"BG_INVISIBLEW13(\"bgB\", \"bgD\");\nBG_SWP(0, 3);\n"
        u"BG_Part(\"bgC\", 0.25, 0.25, 0.5, 0.5, 7, 300);\nBG_ToFull(300);\nBG_ToPart(300, 0, 0, 0.5, 0.5);\n"
        u"BG_FadeToPart(300, 0.5, 0.5, 0.5, 0.5);\nFADE_IN();\nFADE_OUT();\nZOOMBG(0.1, 0.1, 0.8, 0.8);\n"
        u"MOVEBG(0, 0, 1, 1);\nT_MARK(1);");
    StepToMark(1, 50, 2000);
    EXPECT_EQ(marks, std::vector<int>{1});
    EXPECT_EQ(CurrentName(), u"bgC");
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();
}
