#include "GameCoreFixture.h"

#include "game/core/GameValue.h"

namespace
{
void FillRecord()
{
    avg::SetSystemFlag(u"HEXTRA", 1);
    avg::SetSystemFlag(u"HMOOD", -7);
    avg::MarkEvent(u"c001");
    avg::MarkEvent(u"C001");
    avg::MarkSelect(u"s1");
    avg::MarkBGMHeard(u"Bgm01");
}

void ExpectFilled()
{
    EXPECT_EQ(avg::GetSystemFlag(u"HEXTRA"), 1);
    EXPECT_EQ(avg::GetSystemFlag(u"HMOOD"), -7);
    EXPECT_EQ(avg::GetSystemFlag(u"HNONE"), 0);
    EXPECT_TRUE(avg::IsEventSeen(u"C001"));
    EXPECT_TRUE(avg::IsEventSeen(u"c001"));
    EXPECT_EQ(avg::GetGameRecord().events.GetCount(), 1);
    EXPECT_EQ(avg::GetGameRecord().events[0], u"C001");
    EXPECT_TRUE(avg::IsSelectSeen(u"S1"));
    EXPECT_TRUE(avg::IsBGMHeard(u"BGM01"));
    EXPECT_FALSE(avg::IsBGMHeard(u"BGM02"));
}
} // namespace

TEST_F(GameCoreTest, GameRecordRoundTrip)
{
    EXPECT_TRUE(avg::LoadGameRecord()); // first start: empty
    EXPECT_EQ(avg::GetGameRecord().flags.GetCount(), 0);
    FillRecord();
    ExpectFilled();
    ASSERT_TRUE(avg::SaveGameRecord());
    EXPECT_EQ(dir.List("Save"), (std::vector<std::string>{"Game.TDF"}));

    avg::GetGameRecord().Clear();
    EXPECT_FALSE(avg::IsEventSeen(u"C001"));
    ASSERT_TRUE(avg::LoadGameRecord());
    ExpectFilled();
}

TEST_F(GameCoreTest, GameRecordBackupRecovery)
{
    FillRecord();
    ASSERT_TRUE(avg::SaveGameRecord());
    // A save cut off after the new copy was complete: only the backup is there.
    ASSERT_EQ(std::rename(dir.File("Save/Game.TDF").c_str(), dir.File("Save/Game.TDF.backup").c_str()), 0);
    avg::GetGameRecord().Clear();
    hgl::test::LogCapture log;
    ASSERT_TRUE(avg::LoadGameRecord());
    ExpectFilled();
    EXPECT_TRUE(log.ContainsPart(u"从备份")) << log.Dump();

    // Saving again leaves the main file alone in the folder.
    ASSERT_TRUE(avg::SaveGameRecord());
    EXPECT_EQ(dir.List("Save"), (std::vector<std::string>{"Game.TDF"}));
}

TEST_F(GameCoreTest, GameRecordDamagedFileGivesEmptyRecord)
{
    FillRecord();
    ASSERT_TRUE(avg::SaveGameRecord());
    const std::string good = dir.ReadFile("Save/Game.TDF");
    // Cut short, and with the list's count forged huge.
    std::string forged = good;
    const size_t at = forged.find(std::string("E\0v\0e\0n\0t\0", 10));
    ASSERT_NE(at, std::string::npos);
    forged[at + 10 + 4 + 3] = '\x7F'; // high byte of the first int inside the list's data
    for (const std::string &bytes : {good.substr(0, good.size() / 2), forged})
    {
        ASSERT_TRUE(dir.WriteFile("Save/Game.TDF", bytes));
        FillRecord();
        hgl::test::LogCapture log;
        EXPECT_FALSE(avg::LoadGameRecord());
        EXPECT_EQ(avg::GetGameRecord().flags.GetCount(), 0);
        EXPECT_FALSE(avg::IsEventSeen(u"C001"));
        EXPECT_TRUE(log.ContainsPart(u"加载游戏数据")) << log.Dump();
    }
}

TEST_F(GameCoreTest, GameValueRgetRset)
{
    GameValue v;
    avg::SetSystemFlag(u"HFLAG", 5);
    v.RSET(u"A", u"12");
    v.RSET(u"B", u"-3");
    v.RSET(u"C", u"A");     // copies A
    v.RSET(u"D", u"HFLAG"); // copies the system flag
    v.RSET(u"E", u"ON");
    v.RSET(u"F", u"nobody"); // absent: 0
    v.RSET(u"hnew", u"9");   // an 'h' name writes the system flag
    v.RSET(nullptr, u"1");
    v.RSET(u"", u"1");
    v.RSET(u"G", nullptr);
    const struct
    {
        const char16_t *name;
        int value;
    } cases[] = {{u"A", 12},    {u"B", -3},   {u"C", 12}, {u"D", 5},   {u"E", 1},
                 {u"F", 0},     {u"G", 0},    {u"ON", 1}, {u"OFF", 0}, {u"HFLAG", 5},
                 {u"hflag", 0}, {u"hnew", 9}, {u"Z", 0},  {nullptr, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(v.RGET(c.name), c.value) << (c.name ? hgl::test::U8(c.name) : "null");
    EXPECT_EQ(avg::GetSystemFlag(u"hnew"), 9);
    EXPECT_EQ(v.GetCount(), 7); // A to G; no flag names, nothing for the empty names
}

TEST_F(GameCoreTest, GameRecordDamagedFileFallsBackToItsBackup)
{
    FillRecord();
    ASSERT_TRUE(avg::SaveGameRecord());
    const std::string good = dir.ReadFile("Save/Game.TDF");
    for (const std::string &damaged : {good.substr(0, good.size() / 2), std::string("not a tree")})
    {
        ASSERT_TRUE(dir.WriteFile("Save/Game.TDF.backup", good));
        ASSERT_TRUE(dir.WriteFile("Save/Game.TDF", damaged));
        avg::GetGameRecord().Clear();
        hgl::test::LogCapture log;
        EXPECT_TRUE(avg::LoadGameRecord());
        ASSERT_EQ(avg::GetGameRecord().events.GetCount(), 1) << log.Dump();
        ExpectFilled();
        EXPECT_TRUE(log.ContainsPart(u"从备份")) << log.Dump();
    }
}
