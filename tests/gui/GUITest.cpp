#include "gui/GUI.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"

#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace hgl;

TEST(InitGUI, OpensTheThemeFromTheGUIFolderWhenAsked)
{
    test::TempDir dir("guifolder");
    std::filesystem::create_directory(dir.File("Theme.HAC"));
    SystemInitInfo sii;
    SetGlobalPointer(1, &sii);
    SetInfoString(7, dir.Path16().c_str());
    test::LogCapture log;

    EXPECT_TRUE(gui::InitGUI(u"Theme.HAC"));
    EXPECT_TRUE(log.ContainsInfo(u"不使用GUI系统！"));
    EXPECT_EQ(gui::GetThemeArchive(), nullptr);

    sii.graphics.gui.Use = true;
    EXPECT_TRUE(gui::InitGUI(u"Theme.HAC"));
    EXPECT_NE(gui::GetThemeArchive(), nullptr);
    gui::CloseGUI();

    log.Clear();
    EXPECT_FALSE(gui::InitGUI(u"Missing.HAC"));
    EXPECT_TRUE(log.ContainsPart(u"Missing.HAC")) << log.Dump();

    SetInfoString(7, nullptr);
    SetGlobalPointer(1, nullptr);
}
