// The choice's node of a save: the automatic save as a choice opens, a saved choice
// opened again by a load, and damaged nodes.
#include "ChoiceTestKit.h"

#include "io/FileHelpers.h"
#include "io/MemStream.h"
#include "io/TDF.h"

#include <fstream>
#include <iterator>

using avg::gsChoice;

namespace
{
std::string FileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct Snapshot
{
    std::vector<std::u16string> captions;
    std::vector<int> indices;
    std::vector<float> tops;
    bool operator==(const Snapshot &) const = default;
};
} // namespace

class ChoiceSaveTest : public ChoiceTest
{
  protected:
    Snapshot Buttons()
    {
        Snapshot s;
        for (int i = 0; i < Select().GetCount(); ++i)
        {
            s.captions.push_back(Select().GetButton(i)->GetCaption().ToStdString());
            s.indices.push_back(Select().GetButton(i)->Index);
            s.tops.push_back(Select().GetButton(i)->Top.Get());
        }
        return s;
    }

    // A "选择项" node from raw option data and a variable (null: no such key).
    static void AddNode(hgl::TDFNode &root, const std::string *options, const char16_t *variable)
    {
        hgl::TDFNode *node = root.AddChild(u"选择项");
        if (options)
        {
            EXPECT_EQ(node->AddChild(u"选项")->GetStream()->Write(options->data(), int(options->size())),
                      int(options->size()));
        }
        if (variable)
        {
            EXPECT_TRUE(node->AddChild(u"结果")->GetStream()->WriteString(variable));
        }
    }
};

namespace
{
std::string Int32(int32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}
std::string Str(const std::u16string &s)
{
    std::string out = Int32(int32_t(s.size()));
    for (char16_t c : s)
        out += std::string{char(c & 0xFF), char(c >> 8)};
    return out;
}
} // namespace

TEST_F(ChoiceSaveTest, OpeningSavesSlotOneAndALoadDoesNot)
{
    Run(choicekit::kThree);
    ASSERT_TRUE(avg::SaveFileExists(u"1"));
    const Snapshot before = Buttons();
    ASSERT_EQ(before.captions.size(), 2u);

    // Slot 1 holds the open choice: loading it shows the same buttons and saves nothing.
    ASSERT_TRUE(hgl::FileMove(avg::SaveFileName(u"1").c_str(), avg::SaveFileName(u"copy").c_str()));
    MakeUnit();
    ASSERT_TRUE(unit->LoadGame(u"copy")) << log.Dump();
    EXPECT_EQ(unit->GetState(), gsChoice);
    EXPECT_EQ(Buttons(), before);
    EXPECT_EQ(Select().GetOptions()[1], hgl::String(u" "));
    EXPECT_EQ(Select().GetVariable(), hgl::String(u"V"));
    EXPECT_FALSE(avg::SaveFileExists(u"1"));
    EXPECT_TRUE(unit->SaveAtChoice);

    // The restored choice is picked like the first one and the script goes on.
    Step();
    Key(hgl::key::Down);
    Key(hgl::key::Enter);
    Steps(2);
    EXPECT_EQ(Value(u"V"), 2);
    EXPECT_EQ(marks, std::vector<int>{1});
}

TEST_F(ChoiceSaveTest, SaveLoadSaveGivesTheSameBytes)
{
    avg::MarkSelect(u"V0");
    Run(choicekit::kThree);
    ASSERT_TRUE(unit->SaveGame(u"A", false, false));
    const std::string first = FileBytes(dir.File("Save/A.save"));
    hgl::TDFNode root;
    ASSERT_TRUE(root.LoadFromFile(avg::SaveFileName(u"A").c_str()));
    hgl::TDFNode *node = root.FindChild(u"选择项");
    ASSERT_NE(node, nullptr);
    const std::string options(
        reinterpret_cast<const char *>(node->FindChild(u"选项")->GetStream()->GetData()),
        size_t(node->FindChild(u"选项")->GetStream()->GetSize()));
    EXPECT_EQ(options, Int32(3) + Str(u"甲") + Str(u" ") + Str(u"丙"));
    ASSERT_NE(node->FindChild(u"结果"), nullptr);

    ASSERT_TRUE(unit->LoadGame(u"A"));
    ASSERT_TRUE(unit->SaveGame(u"B", false, false));
    EXPECT_EQ(FileBytes(dir.File("Save/B.save")), first);

    // Without an open choice the node is not written.
    Key(hgl::key::Enter);
    Steps(2);
    ASSERT_TRUE(unit->SaveGame(u"C", false, false));
    hgl::TDFNode after;
    ASSERT_TRUE(after.LoadFromFile(avg::SaveFileName(u"C").c_str()));
    EXPECT_EQ(after.FindChild(u"选择项"), nullptr);
    hgl::TDFNode direct;
    EXPECT_FALSE(Select().SaveState(&direct));
    EXPECT_EQ(direct.GetChildCount(), 0);
}

TEST_F(ChoiceSaveTest, DamagedNodesAreCutOrRefused)
{
    Run(u"T_MARK(1);\nMES(\"a line\");\n");
    ASSERT_EQ(Select().GetCount(), 0);
    const std::string ten = []
    {
        std::string s = Int32(12);
        for (int i = 0; i < 12; ++i)
            s += Str(u"o" + hgl::String(i).ToStdString());
        return s;
    }();
    const std::string truncated = Int32(3) + Str(u"甲") + Str(u"乙").substr(0, 5);
    const std::string negative = Int32(-4) + Str(u"甲");
    const std::string short_count = std::string("\x02\x00", 2);
    const std::string hidden = Int32(2) + Str(u" ") + Str(u"");
    const std::string empty;
    const std::string good = Int32(2) + Str(u"甲") + Str(u"乙");
    const struct
    {
        const std::string *options;
        const char16_t *variable;
        bool loaded;
        int shown;
        const char16_t *line; // a part of the log line, or null
    } cases[] = {
        {&good, u"V", true, 2, nullptr},
        {&ten, u"V", true, 10, u"的存档选项数<12>不正确"},
        {&truncated, u"V", true, 1, u"的存档只有1个完整的选项"},
        {&negative, u"V", true, 0, u"的存档选项数<-4>不正确"},
        {&short_count, u"V", true, 0, u"的存档选项数无法读取"},
        {&empty, u"V", true, 0, u"的存档选项数无法读取"},
        {&hidden, u"V", true, 0, u"没有可以显示的选项"},
        {nullptr, u"V", true, 0, u"的存档缺少<选项>"},
        {&good, nullptr, false, 0, u"选择项存档缺少<结果>"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.line ? hgl::String(c.line).ToStdString().size() : 0);
        log.Clear();
        unit->SetState(avg::gsMessage);
        hgl::TDFNode root;
        AddNode(root, c.options, c.variable);
        EXPECT_EQ(Select().LoadState(&root), c.loaded);
        EXPECT_EQ(Select().GetCount(), c.shown);
        EXPECT_EQ(unit->GetState(), c.shown ? gsChoice : avg::gsMessage);
        // (The system sounds are missing here: only the choice's own lines count.)
        EXPECT_EQ(log.ContainsPart(u"选择项"), c.line != nullptr) << log.Dump();
        if (c.line)
        {
            EXPECT_TRUE(log.ContainsPart(c.line)) << log.Dump();
        }
        if (c.shown == 10)
        {
            EXPECT_EQ(Select().GetButton(9)->GetCaption(), hgl::String(u"o9"));
        }
        Select().Clear();
    }
    // Without the node nothing changes, and the load goes on.
    hgl::TDFNode none;
    none.AddChild(u"背景");
    EXPECT_TRUE(Select().LoadState(&none));
    EXPECT_EQ(Select().GetCount(), 0);
}

TEST_F(ChoiceSaveTest, AFailedNodeFailsTheLoadWithoutACrash)
{
    Run(choicekit::kThree);
    ASSERT_TRUE(unit->SaveGame(u"A", false, false));
    hgl::TDFNode root;
    ASSERT_TRUE(root.LoadFromFile(avg::SaveFileName(u"A").c_str()));
    hgl::TDFNode *node = root.FindChild(u"选择项");
    ASSERT_NE(node, nullptr);
    node->FindChild(u"结果")->GetStream()->Clear();
    ASSERT_TRUE(root.SaveToFile(avg::SaveFileName(u"A").c_str()));
    EXPECT_FALSE(unit->LoadGame(u"A"));
    EXPECT_TRUE(log.ContainsError(u"读取存档<A>失败")) << log.Dump();
}
