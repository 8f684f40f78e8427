// The background manager through its script functions: timed changes holding the
// story, the layer rules, saves and damaged save nodes.
#include "BackTestKit.h"

#include "io/MemStream.h"
#include "io/TDF.h"

namespace
{
std::vector<uint8_t> SavedBytes(BackManage &back)
{
    hgl::TDFNode root;
    back.SaveState(&root);
    hgl::MemStream s;
    EXPECT_TRUE(root.Save(&s));
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace

class TimedBackTest : public BackTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(TimedBackTest, HoldsTheStoryForItsDurationThenResumesOnce)
{
    const bool fetchable = GetParam(); // without the black picture a missing one cannot be drawn
    Run(std::u16string(u"BG_SET(\"bgA\");\nBG_FLG(10, 3, \"") + (fetchable ? u"bgB" : u"nothere") +
            u"\");\nT_MARK(1);\nT_MARK(2);",
        fetchable);
    // The change began at the draw of the frame that started it.
    for (int ms : {500, 499})
    {
        Step(ms);
        EXPECT_EQ(unit->GetState(), avg::gsBackChange);
        EXPECT_TRUE(marks.empty());
    }
    Step(1); // 1000 ms: the change ends at this draw, the story goes on after it
    EXPECT_TRUE(marks.empty());
    Steps(2);
    EXPECT_EQ(marks, (std::vector<int>{1, 2}));
    EXPECT_EQ(CurrentName(), fetchable ? u"bgB" : u"nothere");
    EXPECT_EQ(Back().GetNext(), nullptr);
    EXPECT_EQ(Back().GetCurrent()->HasPicture(), fetchable);
}

INSTANTIATE_TEST_SUITE_P(Pictures, TimedBackTest, ::testing::Bool());

TEST_F(BackTest, QuickFunctionsAndUnguardedZoomsDoNotPause)
{
    // Without a current picture the part and zoom functions leave the background alone.
    Run(u"FADE_IN();\nFADE_OUT();\nBG_ToFull(500);\nBG_ToPart(500, 0, 0, 0.5, 0.5);\n"
        u"BG_FadeToPart(500, 0, 0, 0.5, 0.5);\nZOOMIN();\nZOOMOUT();\nZOOMBG(0, 0, 0.5, 0.5);\n"
        u"MOVEBG(0.1, 0.1, 1, 1);\nT_MARK(1);");
    EXPECT_EQ(marks, std::vector<int>{1});
    EXPECT_EQ(Back().GetCurrent(), nullptr);
    EXPECT_EQ(Back().GetNext(), nullptr);
}

TEST_F(BackTest, LayerRules)
{
    on_mark = [this](int n)
    {
        SCOPED_TRACE(n);
        switch (n)
        {
        case 1:
            EXPECT_EQ(Back().GetIndex(), 3);
            EXPECT_EQ(Back().GetLayer(2), hgl::String(u"bgC")); // recorded only: 2 < 3
            EXPECT_EQ(CurrentName(), u"bgD");
            break;
        case 2:
            EXPECT_EQ(Back().GetIndex(), -1);
            EXPECT_EQ(CurrentName(), u"bgA");
            EXPECT_EQ(NextName(), u"bgC"); // laid over layer 0 at its place
            EXPECT_EQ(Back().GetLayer(3), hgl::String());
            break;
        case 3:
            EXPECT_EQ(Back().GetIndex(), 0);
            EXPECT_EQ(Back().GetFill().r, 1);
            EXPECT_EQ(Back().GetCurrent(), nullptr);
            break;
        case 4:
            EXPECT_TRUE(log.ContainsError(u"BG_SWP的图层必须在0到3之间: 4, 0")) << log.Dump();
            EXPECT_EQ(Back().GetLayer(0), hgl::String(u"BG_WHITE"));
            EXPECT_EQ(Back().GetLayer(1), hgl::String());
            break;
        case 5:
            EXPECT_EQ(Back().GetIndex(), 1);
            EXPECT_EQ(Back().GetCurrent()->GetView()[0], 0.25f);
            EXPECT_EQ(NextName(), u"bgB");
            EXPECT_EQ(Back().GetNext()->GetView()[0], 0.5f);
            break;
        case 6:
            EXPECT_TRUE(log.ContainsError(u"取得图片<gone>失败！")) << log.Dump();
            EXPECT_EQ(Back().GetLayer(1), hgl::String(u"gone"));
            EXPECT_EQ(unit->GetState(), avg::gsRunning);
            break;
        }
    };
    // No black picture here: a missing one cannot be fetched at all.
    Run(u"BG_DSP0(\"bgA\");\nBG_DSP3(\"bgD\");\nBG_DSP2(\"bgC\");\nT_MARK(1);\nBG_ERS3();\nT_MARK(2);\n"
        u"BG_ERSA();\nBG_SET1(\"BG_WHITE\");\nT_MARK(3);\nBG_SWP(4, 0);\nBG_SWP(0, 1);\nT_MARK(4);\n"
        u"BG_SETW01(\"bgA\", 0.25, 0, \"bgB\", 0.5, 0);\nT_MARK(5);\nBG_DSPX1(\"gone\");\nT_MARK(6);",
        false);
    StepToMark(6);
    EXPECT_EQ(marks.size(), 6u);
}

TEST_F(BackTest, SavesLoadAndSaveAgainTheSameBytes)
{
    // Saved in the middle of a transition, after an erase.
    Run(u"BG_DSP0(\"bgA\");\nBG_DSP1(\"bgB\");\nBG_ERS0();\nBG_FLG(10, 13, \"bgC\");\nT_MARK(1);");
    for (int i = 0; i < 100 && NextName() != u"bgC"; ++i)
        Step(100); // through the two fades and the erase, into the cross-fade
    Step(100);
    ASSERT_EQ(unit->GetState(), avg::gsBackChange);
    ASSERT_EQ(NextName(), u"bgC");
    const std::vector<uint8_t> saved = SavedBytes(Back());

    hgl::TDFNode root;
    Back().SaveState(&root);
    hgl::uint32 index = 0;
    ASSERT_TRUE(root.FindChild(u"背景")->GetUInt32(u"Index", index));
    EXPECT_EQ(index, 0xFFFFFFFFu);

    Back().SetDark(true);
    ASSERT_TRUE(Back().LoadState(&root));
    EXPECT_EQ(Back().GetIndex(), -1);
    EXPECT_EQ(CurrentName(), u"bgB");
    EXPECT_EQ(NextName(), u"bgC");
    EXPECT_EQ(Back().GetNext()->GetAlpha(), 1); // no transition: laid over current
    EXPECT_EQ(SavedBytes(Back()), saved);
}

TEST_F(BackTest, DamagedNodesAreRefusedOrClamped)
{
    Run(u"T_MARK(1);");
    BackManage &back = Back();
    auto with = [](auto edit)
    {
        auto root = std::make_unique<hgl::TDFNode>();
        hgl::TDFNode *node = root->AddChild(u"背景");
        hgl::MemStream *stack = node->AddChild(u"Stack")->GetStream();
        for (int i = 0; i < 4; ++i)
            stack->WriteString(u"bgA");
        node->SetUInt32(u"Index", 2);
        hgl::TDFNode *cur = node->AddChild(u"Cur");
        cur->SetString(u"Filename", u"bgA");
        for (const char16_t *key : {u"Left", u"Top", u"Width", u"Height"})
            cur->SetFloat(key, 1);
        edit(node);
        return root;
    };
    const struct
    {
        const char *what;
        std::function<void(hgl::TDFNode *)> edit;
        bool ok, current;
        int index;
        const char16_t *line;
    } cases[] = {
        {"whole", [](hgl::TDFNode *) {}, true, true, 2, nullptr},
        {"index high", [](hgl::TDFNode *n) { n->SetUInt32(u"Index", 9); }, true, true, 3,
         u"背景存档的图层序号9超出范围，改为3"},
        {"index low", [](hgl::TDFNode *n) { n->SetUInt32(u"Index", 0xFFFFFFF0u); }, true, true, -1,
         u"背景存档的图层序号-16超出范围，改为-1"},
        {"stack cut", [](hgl::TDFNode *n) { n->FindChild(u"Stack")->GetStream()->SetSize(13); }, false, true,
         2, u"背景存档的图层名已损坏"},
        {"no width",
         [](hgl::TDFNode *n) { n->FindChild(u"Cur")->FindChild(u"Width")->GetStream()->SetSize(2); }, false,
         false, 2, u"背景存档的<Cur>已损坏"},
        {"name cut",
         [](hgl::TDFNode *n) { n->FindChild(u"Cur")->FindChild(u"Filename")->GetStream()->SetSize(5); },
         false, false, 2, u"背景存档的<Cur>已损坏"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.what);
        log.Clear();
        auto root = with(c.edit);
        EXPECT_EQ(back.LoadState(root.get()), c.ok);
        EXPECT_EQ(back.GetIndex(), c.index);
        EXPECT_EQ(back.GetCurrent() != nullptr, c.current);
        if (c.line)
        {
            EXPECT_TRUE(log.ContainsError(c.line)) << log.Dump();
        }
    }
    hgl::TDFNode empty;
    EXPECT_TRUE(back.LoadState(&empty)); // no node: nothing shown
    EXPECT_EQ(back.GetCurrent(), nullptr);
}

TEST_F(BackTest, AStoryOfOneShownLayerShowsItsPicture)
{
    Run(u"BG_DSP0(\"bgA\");");
    for (int i = 0; i < 3; ++i)
        Step(500); // past the one-second fade in
    EXPECT_EQ(CurrentName(), u"bgA");
    EXPECT_TRUE(stagekit::Near(Pixel(512, 384), backkit::kRed)) << testing::PrintToString(Pixel(512, 384));
}

TEST_F(BackTest, ToPartMovesTheViewFromTheWholePictureToThePart)
{
    Run(u"BG_SET(\"bgA\");\nBG_ToPart(1000, 0.5, 0.25, 0.5, 0.5);\nT_MARK(1);");
    const struct
    {
        int ms;
        float view[4];
    } times[] = {{500, {0.25f, 0.125f, 0.75f, 0.75f}}, {500, {0.5f, 0.25f, 0.5f, 0.5f}}};
    for (const auto &t : times)
    {
        Step(t.ms);
        const float *view = Back().GetCurrent()->GetView();
        for (int i = 0; i < 4; ++i)
            EXPECT_FLOAT_EQ(view[i], t.view[i]) << "at +" << t.ms << " value " << i;
    }
    StepToMark(1);
    EXPECT_EQ(marks, std::vector<int>{1});
    const float *view = Back().GetCurrent()->GetView(); // the part stays in view
    EXPECT_FLOAT_EQ(view[0], 0.5f);
    EXPECT_FLOAT_EQ(view[2], 0.5f);
}
