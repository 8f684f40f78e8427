// The game's main on the demo content, headless: start-up, a test first screen for
// ten frames, a clean exit through the flow's exit state, the state files written.
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include "framework/FlowObject.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/GameMain.h"
#include "game/core/GameWiring.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"
#include "io/TDF.h"
#include "tools/mkdemo/DemoContent.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{
constexpr int kFrames = 10;

// Counts its frames and ends the program after the tenth; checks on the way that
// the game's start-up made what the screens rely on.
class TenFrames : public hgl::FlowObject
{
  public:
    static inline int frames = 0;
    static inline bool ready = false;

    void Draw() override
    {
        if (frames == 0)
            ready = avg::GetDataHAC() && avg::GetLocalHAC() && avg::TextFont && avg::NovelFont &&
                    avg::GetScenePictureCache() && avg::GetMsgBoxTexture(avg::mbtDlgFrame);
        if (++frames == kFrames) SetObjectState(fosExit);
    }
};

class GameMainTest : public ::testing::Test
{
  protected:
    hgl::test::TempDir dir{"game"};
    hgl::test::ScopedEnv headless{"HGL_WINDOW", "headless"};
    hgl::test::ScopedEnv silent{"ALSOFT_DRIVERS", "null"}; // audio on, no sound card needed
    std::filesystem::path old_folder = std::filesystem::current_path();

    void SetUp() override
    {
#ifdef HGL_PLUGIN_DIR_U
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U); // the demo's pictures are compressed
#endif
        hgl::demo::DemoContent demo;
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::PackArchive(demo.local, dir.File("Local.hac"), &error)) << error;
        // The game starts in the folder it is started in.
        std::filesystem::current_path(dir.Path());
        TenFrames::frames = 0;
        TenFrames::ready = false;
    }

    void TearDown() override
    {
        std::filesystem::current_path(old_folder);
    }

    static int Run()
    {
        char name[] = "game";
        char *argv[] = {name, nullptr};
        // Ten frames of a screen of its own: nothing to wire.
        return avg::GameMain(
            1, argv, avg::GameWiring{}, [](const avg::GameWiring &) { return new TenFrames; },
            [](hgl::SystemInitInfo &sii) { sii.FrameMode = 1; }); // unpaced
    }

    std::string Root(const std::string &file) const
    {
        hgl::TDFNode root;
        return root.LoadFromFile(dir.File16(file).c_str()) ? hgl::test::U8(root.GetName().ToStdString()) : "";
    }
};
} // namespace

TEST_F(GameMainTest, StartsRunsTenFramesAndSavesOnExit)
{
    for (const char *damage : {"", "damaged"})
    {
        SCOPED_TRACE(damage);
        if (*damage)
        {
            ASSERT_TRUE(dir.WriteFile("Save/Config.TDF", "\x05\x00\x00\x00Con"));
            ASSERT_TRUE(dir.WriteFile("Save/Game.TDF", "junk"));
        }
        TenFrames::frames = 0;
        hgl::test::LogCapture log;
        EXPECT_EQ(Run(), 0) << log.Dump();
        EXPECT_EQ(TenFrames::frames, kFrames);
        EXPECT_TRUE(TenFrames::ready);
        EXPECT_EQ(Root("Save/Config.TDF"), "Config");
        EXPECT_EQ(Root("Save/Game.TDF"), "Game");
        EXPECT_EQ(dir.List("Save"), (std::vector<std::string>{"Config.TDF", "Game.TDF"}));
        // Everything is released again.
        EXPECT_EQ(avg::GetDataHAC(), nullptr);
        EXPECT_EQ(avg::TextFont, nullptr);
    }
}

TEST_F(GameMainTest, MissingArchivesEndTheStartUp)
{
    std::filesystem::remove_all(dir.File("Data.hac"));
    hgl::test::LogCapture log;
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(TenFrames::frames, 0);
    EXPECT_FALSE(dir.Exists("Save/Game.TDF"));
}
