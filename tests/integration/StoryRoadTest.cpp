// The engine as the game drives it, end to end: the story content lives in a
// "Local.hac" archive (or a folder standing in for it), the game reads its name
// from "System.List", compiles a chapter script with its natives bound by
// declaration, runs it until a message waits, saves the run state into a TDF file,
// and a fresh engine restores it from that file and plays the rest.
#include "IntegrationUtil.h"

using namespace integration;
using hgl::test::LogCapture;
using hgl::test::TempDir;

TEST(StoryRoad, ArchiveAndFolderToSaveToRestoredEngine)
{
    UseBuildPlugIns();
    TempDir dir("integ");
    ASSERT_TRUE(dir.MakeDir("Save"));
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));
    // The compressed entry really went in compressed: its text is not in the file.
    const std::vector<uint8_t> staff = U16LE(kStaffScript);
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), staff.begin() + 2, staff.end()), bytes.end());
    // The same content as loose files, the path in other letter case than the game asks for.
    ASSERT_TRUE(dir.WriteFile("Local/sCRIPT/chapter.cpp", U16LE(kChapterScript)));
    ASSERT_TRUE(dir.WriteFile("Local/sCRIPT/STAFF.cpp", staff));
    ASSERT_TRUE(dir.WriteFile("Local/system.LIST", U16LE(kSystemList)));

    LogCapture log;
    std::unique_ptr<hgl::HAC> archive = OpenLocalHac(dir);
    std::unique_ptr<hgl::HAC> folder(hgl::OpenHAC(dir.File16("Local").c_str()));
    ASSERT_TRUE(archive && folder) << log.Dump();
    EXPECT_TRUE(log.ContainsInfo(u"打开HAC包<" + dir.File16("Local.hac") + u">完成！")) << log.Dump();
    EXPECT_TRUE(archive->FileExist(u"script\\chapter.cpp")); // names are found in any case
    EXPECT_FALSE(folder->FileExist(u"Script\\Missing.CPP"));

    for (hgl::HAC *hac : {archive.get(), folder.get()})
    {
        SCOPED_TRACE(hac == folder.get() ? "folder" : "archive");
        RoadResult r;
        PlayRoad(hac, dir, r);
        EXPECT_EQ(r.game_name, u"天使的眼泪");
        EXPECT_EQ(r.english_name, u"Angel Tears");
        EXPECT_EQ(r.staff, (Trace{u"制作：小林", u"音乐：佐藤 & 鈴木", u"感谢游玩"}));
        EXPECT_EQ(r.first_part, kFirstPart);
        EXPECT_EQ(r.second_part, kSecondPart);
        // "main", index of the command after the second message.
        EXPECT_EQ(r.run_state,
                  (std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 6, 0, 0, 0}));
    }

    // Both serve the same bytes for the same path, whatever its letter case.
    for (const char16_t *path : {u"SCRIPT\\Chapter.cpp", u"system.list", u"Script\\Staff.CPP"})
    {
        SCOPED_TRACE(hgl::test::U8(path));
        EXPECT_EQ(LoadBytes(archive.get(), path), LoadBytes(folder.get(), path));
        EXPECT_FALSE(LoadBytes(folder.get(), path).empty());
    }
    // Nothing failed along the road.
    EXPECT_EQ(log.Errors(), (Trace{})) << log.Dump();
}
