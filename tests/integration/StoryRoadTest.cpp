// The engine as the game drives it, end to end: the story content lives in a
// "Local.hac" archive (or a folder standing in for it), the game reads its name
// from "System.List", compiles a chapter script with its natives bound by
// declaration, runs it until a message waits, saves the run state into a TDF file,
// and a fresh engine restores it from that file and plays the rest.
#include "IntegrationUtil.h"

#include "io/MemStream.h"

using namespace integration;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{
// The whole road of one story: mount, read the name, play to the second message,
// save, restore in a new engine, play to the end. Returns everything it observed.
struct RoadResult
{
    std::u16string game_name, english_name;
    Trace first_part, second_part, staff;
    std::vector<uint8_t> run_state;
};

void PlayRoad(hgl::HAC *hac, const TempDir &dir, ScriptSource source, RoadResult &out)
{
    ASSERT_NE(hac, nullptr);
    hgl::PList system;
    ASSERT_TRUE(system.LoadFromHAC(hac, u"System.List"));
    hgl::String value;
    ASSERT_TRUE(system.Get(hgl::String(u"GameName"), value));
    out.game_name = ToStd(value);
    ASSERT_TRUE(system.Get(hgl::String(u"EnglishGameName"), value));
    out.english_name = ToStd(value);

    // The credits screen's script is the compressed entry.
    {
        StaffScreen staff;
        std::u16string text;
        ASSERT_TRUE(LoadScriptText(hac, u"Script\\Staff.CPP", source, text));
        ASSERT_TRUE(staff.Build(text));
        out.staff = staff.lines;
    }

    std::u16string chapter;
    ASSERT_TRUE(LoadScriptText(hac, u"Script\\Chapter.CPP", source, chapter));

    // First sitting: play until the second message waits, then save.
    {
        Stage stage;
        ASSERT_TRUE(stage.Bind());
        ASSERT_TRUE(stage.Load(chapter));
        ASSERT_TRUE(stage.engine->Resume(u"main"));
        EXPECT_EQ(stage.engine->GetRunState(), 1);
        stage.choice = 1;
        ASSERT_TRUE(stage.Update());
        EXPECT_EQ(stage.engine->GetRunState(), 1);
        out.first_part = stage.trace;

        hgl::MemStream state;
        ASSERT_TRUE(stage.engine->SaveState(&state));
        out.run_state.assign(state.GetData(), state.GetData() + state.GetSize());
        ASSERT_TRUE(SaveGame(dir.File16("Save/Game.TDF"), u"Script\\Chapter.CPP", out.run_state));
    }

    // Second sitting: a new engine, the chapter named by the save, the run state from it.
    {
        hgl::TDFNode save;
        ASSERT_TRUE(save.LoadFromFile(dir.File16("Save/Game.TDF").c_str()));
        hgl::String chapter_name;
        ASSERT_TRUE(save.GetString(u"Chapter", chapter_name));
        std::u16string text;
        ASSERT_TRUE(LoadScriptText(hac, chapter_name.c_str(), source, text));

        Stage stage;
        ASSERT_TRUE(stage.Bind());
        ASSERT_TRUE(stage.Load(text));
        hgl::TDFNode *state = save.FindChild(hgl::String(u"RunState"));
        ASSERT_NE(state, nullptr);
        state->GetStream()->SetPosition(0);
        ASSERT_TRUE(stage.engine->LoadState(state->GetStream()));
        EXPECT_EQ(stage.engine->GetStackDepth(), 1);
        while (stage.engine->GetStackDepth() > 0 && stage.trace.size() < 20)
            if (!stage.Update()) break;
        EXPECT_EQ(stage.engine->GetStackDepth(), 0);
        out.second_part = stage.trace;
    }
}
} // namespace

TEST(StoryRoad, ArchiveToSaveToRestoredEngine)
{
    UseBuildPlugIns();
    TempDir dir("integ");
    ASSERT_TRUE(dir.MakeDir("Save"));
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));

    // The compressed entry really went in compressed: its text is not in the file.
    const std::vector<uint8_t> staff = U16LE(kStaffScript);
    EXPECT_EQ(std::search(bytes.begin(), bytes.end(), staff.begin() + 2, staff.end()), bytes.end());

    LogCapture log;
    std::unique_ptr<hgl::HAC> hac = OpenLocalHac(dir);
    ASSERT_TRUE(hac) << log.Dump();
    EXPECT_TRUE(log.ContainsInfo(u"打开HAC包<" + dir.File16("Local.hac") + u">完成！")) << log.Dump();
    EXPECT_TRUE(hac->FileExist(u"script\\chapter.cpp"));     // names are found in any case

    for (ScriptSource source : {ScriptSource::StringList, ScriptSource::WholeFile})
    {
        SCOPED_TRACE(int(source));
        RoadResult r;
        PlayRoad(hac.get(), dir, source, r);
        EXPECT_EQ(r.game_name, u"天使的眼泪");
        EXPECT_EQ(r.english_name, u"Angel Tears");
        EXPECT_EQ(r.staff, (Trace{u"制作：小林", u"音乐：佐藤 & 鈴木", u"感谢游玩"}));
        EXPECT_EQ(r.first_part, kFirstPart);
        EXPECT_EQ(r.second_part, kSecondPart);
        // "main", index of the command after the second message.
        EXPECT_EQ(r.run_state, (std::vector<uint8_t>{1, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 6, 0, 0, 0}));
    }
    // Nothing failed along the road.
    EXPECT_EQ(log.Errors(), (Trace{})) << log.Dump();
}

TEST(StoryRoad, FolderMappingGivesTheSameResults)
{
    UseBuildPlugIns();
    TempDir dir("integ");
    ASSERT_TRUE(dir.MakeDir("Save"));
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));
    // The same content as loose files, the path in other letter case than the game asks for.
    ASSERT_TRUE(dir.WriteFile("Local/sCRIPT/chapter.cpp", U16LE(kChapterScript)));
    ASSERT_TRUE(dir.WriteFile("Local/sCRIPT/STAFF.cpp", U16LE(kStaffScript)));
    ASSERT_TRUE(dir.WriteFile("Local/system.LIST", U16LE(kSystemList)));

    LogCapture log;
    std::unique_ptr<hgl::HAC> archive = OpenLocalHac(dir);
    std::unique_ptr<hgl::HAC> folder(hgl::OpenHAC(dir.File16("Local").c_str()));
    ASSERT_TRUE(archive && folder) << log.Dump();

    for (ScriptSource source : {ScriptSource::StringList, ScriptSource::WholeFile})
    {
        SCOPED_TRACE(int(source));
        RoadResult a, f;
        PlayRoad(archive.get(), dir, source, a);
        PlayRoad(folder.get(), dir, source, f);
        EXPECT_EQ(f.game_name, a.game_name);
        EXPECT_EQ(f.english_name, a.english_name);
        EXPECT_EQ(f.staff, a.staff);
        EXPECT_EQ(f.first_part, kFirstPart);
        EXPECT_EQ(f.second_part, kSecondPart);
        EXPECT_EQ(f.run_state, a.run_state);
    }

    // Both serve the same bytes for the same path, whatever its letter case.
    for (const char16_t *path : {u"SCRIPT\\Chapter.cpp", u"system.list", u"Script\\Staff.CPP"})
    {
        SCOPED_TRACE(hgl::test::U8(path));
        EXPECT_EQ(LoadBytes(archive.get(), path), LoadBytes(folder.get(), path));
        EXPECT_FALSE(LoadBytes(folder.get(), path).empty());
    }
    EXPECT_FALSE(folder->FileExist(u"Script\\Missing.CPP"));

    // The loader threads of both serve the same bytes as well.
    for (hgl::HAC *hac : {archive.get(), folder.get()})
    {
        EXPECT_EQ(QueueLoadBytes(hac, u"SCRIPT", u"chapter.cpp"), U16LE(kChapterScript));
        EXPECT_EQ(QueueLoadBytes(hac, u"Script", u"staff.cpp"), U16LE(kStaffScript));
        EXPECT_EQ(QueueLoadBytes(hac, u"", u"system.list"), U16LE(kSystemList));
        int state = 0;
        EXPECT_TRUE(QueueLoadBytes(hac, u"Script", u"missing.cpp", &state).empty());
        EXPECT_EQ(state, hgl::HAC::lsNotFound);
    }
    EXPECT_EQ(log.Errors(), (Trace{})) << log.Dump();
}
