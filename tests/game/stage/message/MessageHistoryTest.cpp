// The read-message index: digests, the ".history" file of each script, skipping
// only what was read, and the backlog emptied at each change of script.
#include "MessageTestKit.h"

#include "game/core/SaveFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

using msgkit::Repeat;

namespace
{
std::string FileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DigestBytes(const std::u16string &line)
{
    const avg::MsgIndex d = avg::GameDialogBox::Digest(hgl::String(line));
    return std::string(reinterpret_cast<const char *>(d.digest), sizeof(d.digest));
}

std::string Le32(uint32_t v)
{
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

const char16_t kGold[] = u"ShowMessage(\"XYABA\", \"XY_001\", \"【小雪】早上好。\");\n"
                         u"MES(\"雪一直下着。%N\");\nMESC(\"—— 第一章 ——\");\n"
                         u"ShowMessage(\"\", \"\", \"【小雪】早上好。\");\nT_MARK(1);";
} // namespace

TEST(MessageDigest, IsMD5OverLittleEndianUnits)
{
    const avg::MsgIndex a = avg::GameDialogBox::Digest(u"A");
    const uint8_t expected[16] = {0x82, 0x14, 0xd1, 0x00, 0x3f, 0x68, 0xa7, 0xd9,
                                  0xb0, 0x35, 0x6c, 0x0c, 0xbd, 0x7e, 0xee, 0x1a};
    EXPECT_EQ(std::memcmp(a.digest, expected, 16), 0);
    // Markup is part of the text.
    EXPECT_FALSE(avg::GameDialogBox::Digest(u"雪%N") == avg::GameDialogBox::Digest(u"雪"));
    EXPECT_TRUE(avg::GameDialogBox::Digest(u"") == avg::GameDialogBox::Digest(hgl::String()));
    // A text longer than one block of the digest's buffer.
    EXPECT_FALSE(avg::GameDialogBox::Digest(hgl::String(Repeat(u"字", 300))) ==
                 avg::GameDialogBox::Digest(hgl::String(Repeat(u"字", 301))));
}

TEST(MessageDigest, AHistoryIsReadByItsLengthInWholeDigests)
{
    const std::string one = DigestBytes(u"一"), two = DigestBytes(u"二");
    const struct
    {
        std::string bytes;
        int read;
    } cases[] = {
        {"", 0},
        {Le32(5), 0},
        {Le32(1) + one.substr(0, 15), 0},     // 19 bytes
        {Le32(999) + two + one, 2},           // the count is not what is read
        {Le32(2) + two + one + "1234567", 2}, // a partial digest after them
        {Le32(2) + one + one, 2},             // kept once
    };
    for (const auto &c : cases)
    {
        hgl::OnlyList<avg::MsgIndex> index;
        EXPECT_EQ(avg::GameDialogBox::ReadHistory(c.bytes.data(), hgl::int64(c.bytes.size()), index), c.read);
        if (c.read == 0)
        {
            EXPECT_EQ(index.Count.Get(), 0);
        }
    }
    hgl::OnlyList<avg::MsgIndex> index;
    const std::string both = Le32(0) + two + one;
    avg::GameDialogBox::ReadHistory(both.data(), hgl::int64(both.size()), index);
    ASSERT_EQ(index.Count.Get(), 2);
    EXPECT_LT(std::memcmp(index[0].digest, index[1].digest, 16), 0);
}

TEST_F(MessageTest, TheHistoryFileHoldsTheScriptsCountAndTheLinesRead)
{
    AddPicture(u"CharacterDlg\\XYAB.HGP", 8, 8, {255, 0, 0, 255});
    AddScript(u"Gold", msgkit::Main(kGold));
    AddScript(u"Next", msgkit::Main(u"T_MARK(2);"));
    Start(u"Gold");
    Step();
    // Four calls, three lines: the same text twice is one entry.
    EXPECT_EQ(Box().GetScriptIndexCount(), 3);
    for (int i = 0; i < 2; ++i)
    {
        ASSERT_TRUE(Reveal());
        Click();
    }
    EXPECT_EQ(Box().GetReadIndexCount(), 2);
    EXPECT_EQ(Box().GetMessageCount(), 3);
    EXPECT_EQ(Box().GetHistoryPath(), avg::SavePath(u"gold.history"));
    ASSERT_TRUE(unit->GotoScript(u"Next"));
    const std::string golden = FileBytes(HGL_TEST_DATA_DIR "/message/gold.history");
    ASSERT_EQ(golden.size(), 4u + 2 * 16);
    EXPECT_EQ(FileBytes(dir.File("Save/gold.history")), golden);
    // A change of script empties the indexes and the backlog.
    EXPECT_EQ(Box().GetMessageCount(), 0);
    EXPECT_EQ(Box().GetReadIndexCount(), 0);
    EXPECT_EQ(Box().GetScriptIndexCount(), 0);
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmNone);

    // Back to the script: its lines read before are read again.
    ASSERT_TRUE(unit->GotoScript(u"Gold"));
    EXPECT_EQ(Box().GetReadIndexCount(), 2);
    Step();
    EXPECT_TRUE(Box().IsRead());
    // The screen's end writes the last script's file.
    unit.reset();
    EXPECT_EQ(FileBytes(dir.File("Save/gold.history")), golden);
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();
}

TEST_F(MessageTest, SkippingReadOnlyStopsAtTheFirstUnreadLine)
{
    const std::string history = Le32(3) + DigestBytes(u"读过一") + DigestBytes(u"【甲】读过二");
    ASSERT_TRUE(dir.WriteFile("Save/skip.history", history));
    AddScript(u"Skip",
              msgkit::Main(u"T_MARK(0);\nMES(\"读过一\");\nShowMessage(\"\", \"\", \"【甲】读过二\");\n"
                           u"ShowMessage(\"\", \"\", \"没读过\");\nT_MARK(1);"));
    Start(u"Skip");
    unit->SkipReadOnly = true;
    unit->SkipOn();
    ASSERT_TRUE(StepUntil([this] { return !unit->IsSkipping(); }, 10));
    EXPECT_EQ(Box().GetText(), u"没读过");
    EXPECT_EQ(State(), avg::gsMessage);
    EXPECT_FALSE(Box().IsRead());
    // It waits as any line does.
    Steps(5);
    EXPECT_EQ(marks, std::vector<int>{0});
    ASSERT_TRUE(Reveal());
    Click();
    EXPECT_EQ(marks, (std::vector<int>{0, 1}));
    EXPECT_EQ(Box().GetReadIndexCount(), 3);
}

TEST_F(MessageTest, ALineTheCompileDidNotSeeIsLoggedAndNotMarked)
{
    Run(u"T_MARK(0);");
    Box().ShowMessageFunc(u"", u"", u"运行时的句子");
    Box().MarkRead();
    EXPECT_EQ(Box().GetReadIndexCount(), 0);
    EXPECT_TRUE(log.Contains(u"没有找到下面这句话： 运行时的句子")) << log.Dump();
}

TEST_F(MessageTest, HistoryNamesAreLowerCaseAndAFailedWriteStillClears)
{
    AddScript(u"MiXeD", msgkit::Main(u"MES(\"一\");"));
    AddScript(u"Next", msgkit::Main(u"T_MARK(2);"));
    Start(u"MiXeD");
    Step();
    EXPECT_EQ(Box().GetHistoryPath(), avg::SavePath(u"mixed.history"));
    // A folder where the file should be: it cannot be written.
    ASSERT_TRUE(dir.MakeDir("Save/mixed.history"));
    ASSERT_TRUE(Reveal());
    Click();
    EXPECT_EQ(Box().GetReadIndexCount(), 1);
    ASSERT_TRUE(unit->GotoScript(u"Next"));
    EXPECT_TRUE(log.ContainsPart(u"Create History File <")) << log.Dump();
    EXPECT_EQ(Box().GetReadIndexCount(), 0);
    EXPECT_EQ(Box().GetScriptIndexCount(), 0);
    EXPECT_EQ(Box().GetMessageCount(), 0);
    EXPECT_EQ(Box().GetMode(), avg::GameDialogBox::bmNone);
    ASSERT_TRUE(unit->GotoScript(u"Next"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.File("Save/next.history")));
    EXPECT_EQ(FileBytes(dir.File("Save/next.history")), Le32(0));
}
