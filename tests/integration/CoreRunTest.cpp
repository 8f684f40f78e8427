// A whole run between InitCore and CloseCore, as the game's main does it, with the
// engine log written into a temp folder instead of beside the program.
#include "IntegrationUtil.h"

#include "io/LogFile.h"
#include "io/PlugIn.h"
#include "io/SpecialPath.h"
#include "support/ScopedEnv.h"

using namespace integration;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;

namespace
{
std::u16string DecodeLog(const std::string &bytes)
{
    std::u16string text;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(char16_t(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
    return text;
}
} // namespace

TEST(CoreRun, StoryBetweenInitCoreAndCloseCoreLogsIntoTheChosenFolder)
{
    TempDir dir("integ");
    ScopedEnv data("XDG_DATA_HOME", dir.File("xdg/data").c_str());
    ScopedEnv state("XDG_STATE_HOME", dir.File("xdg/state").c_str());
    ScopedEnv config("XDG_CONFIG_HOME", dir.File("xdg/config").c_str());
    ScopedEnv kit("OVGDK", nullptr);
    ASSERT_TRUE(dir.MakeDir("Log"));
    ASSERT_TRUE(dir.MakeDir("Save"));
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));     // before the core starts: no log is open yet

    // Started without its default log; the game opens one where it wants it.
    hgl::SpecialPathBlock paths;
    hgl::InitCore(&paths, false);
    EXPECT_EQ(hgl::GetLogInterface(), nullptr);
    ASSERT_NE(hgl::InitLog(dir.File16("Log").c_str(), u"Game", 936, false), nullptr);
    const std::u16string log_file = hgl::GetLogFileName();
    EXPECT_EQ(log_file.rfind(dir.Path16(), 0), 0u) << hgl::test::U8(log_file);
    UseBuildPlugIns();

    {
        std::unique_ptr<hgl::HAC> hac = OpenLocalHac(dir);
        ASSERT_TRUE(hac);
        RoadResult road;
        ASSERT_NO_FATAL_FAILURE(PlayRoad(hac.get(), dir, ScriptSource::StringList, road));
        EXPECT_EQ(road.second_part, kSecondPart);
        hgl::PutInfo(u"游戏名称<%s>", road.game_name.c_str());
        Stage stage;
        ASSERT_TRUE(stage.Bind());
        EXPECT_FALSE(stage.Update());      // nothing to run: logged by the engine
    }

    hgl::CloseCore();
    EXPECT_EQ(hgl::GetLogInterface(), nullptr);
    EXPECT_EQ(hgl::GetPlugInCount(), 0);

    // Everything the engine wrote is in the chosen folder, in UTF-16LE with its mark.
    const std::vector<std::string> logs = dir.List("Log");
    ASSERT_EQ(logs.size(), 1u);
    const std::string raw = dir.ReadFile("Log/" + logs[0]);
    ASSERT_GT(raw.size(), 2u);
    EXPECT_EQ(uint8_t(raw[0]), 0xFF);
    EXPECT_EQ(uint8_t(raw[1]), 0xFE);
    const std::u16string text = DecodeLog(raw.substr(2));
    for (const std::u16string &line : {u"打开HAC包<" + dir.File16("Local.hac") + u">完成！", std::u16string(u"游戏名称<天使的眼泪>"),
                                       std::u16string(u"不知道从那里开始运行")})
        EXPECT_NE(text.find(line), std::u16string::npos) << hgl::test::U8(line) << "\n" << hgl::test::U8(text);

    // The save made during the run reads back after the core is gone.
    hgl::TDFNode save;
    ASSERT_TRUE(save.LoadFromFile(dir.File16("Save/Game.TDF").c_str()));
    hgl::String chapter;
    ASSERT_TRUE(save.GetString(u"Chapter", chapter));
    EXPECT_EQ(ToStd(chapter), u"Script\\Chapter.CPP");
    uint32_t frames = 0;
    EXPECT_TRUE(save.GetData(u"RunState", &frames, 4));
    EXPECT_EQ(frames, 1u);

    // A second start in the same process works as well.
    hgl::InitCore(&paths, false);
    ASSERT_NE(hgl::InitLog(dir.File16("Log").c_str(), u"Game", 936, false), nullptr);
    hgl::PutInfo(u"第二次启动");
    hgl::CloseCore();
    // The closed log's name is free again: the new run replaces it.
    ASSERT_EQ(dir.List("Log"), logs);
    const std::u16string second = DecodeLog(dir.ReadFile("Log/" + logs[0]).substr(2));
    EXPECT_NE(second.find(u"第二次启动"), std::u16string::npos);
    EXPECT_EQ(second.find(u"游戏名称"), std::u16string::npos);
}
