#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "io/FileHelpers.h"
#include "io/SpecialPath.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

using namespace hgl;
using hgl::test::LogCapture;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;
using hgl::test::ToU16;

namespace
{

struct Cwd
{
    char old[4096];
    explicit Cwd(const std::string &to)
    {
        if (!getcwd(old, sizeof(old))) old[0] = 0;
        if (chdir(to.c_str()) != 0) ADD_FAILURE() << "chdir " << to;
    }
    ~Cwd()
    {
        if (old[0] && chdir(old) != 0) ADD_FAILURE() << "chdir back";
    }
};
} // namespace

TEST(SpecialPath, FoldersFromTheEnvironment)
{
    TempDir dir;
    ASSERT_TRUE(dir.MakeDir("start/gui"));    // found in the start folder, in any case
    ASSERT_TRUE(dir.MakeDir("kit/GUI"));      // not used: the start folder comes first
    ASSERT_TRUE(dir.MakeDir("start/PLUG-INS"));
    ASSERT_TRUE(dir.MakeDir("kit/Plug-Ins"));
    ASSERT_TRUE(dir.WriteFile("config/user-dirs.dirs",
                              "# written by xdg-user-dirs-update\n"
                              "XDG_MUSIC_DIR=\"$HOME/Tunes\"\n"
                              "XDG_PICTURES_DIR=\"/srv/pics\"\n"));

    ScopedEnv home("HOME", dir.File("home").c_str());
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    ScopedEnv config("XDG_CONFIG_HOME", dir.File("config").c_str());
    ScopedEnv docs("XDG_DOCUMENTS_DIR", "/docs/here");
    ScopedEnv desk("XDG_DESKTOP_DIR", nullptr);
    ScopedEnv videos("XDG_VIDEOS_DIR", nullptr);
    ScopedEnv music("XDG_MUSIC_DIR", nullptr);
    ScopedEnv pics("XDG_PICTURES_DIR", nullptr);
    ScopedEnv kit("OVGDK", dir.File("kit").c_str());
    ScopedEnv tmpdir("TMPDIR", "/var/tmp/hgl");
    Cwd cwd(dir.File("start"));

    auto block = std::make_unique<SpecialPathBlock>();
    LogCapture log;
    InitSpecialPath(block.get());

    const std::u16string root = dir.Path16();
    const std::u16string start = root + u"/start";
    const std::u16string home_dir = root + u"/home";
    EXPECT_EQ(std::u16string((*block)[spStartFolder]), start);
    EXPECT_EQ(std::u16string((*block)[spKitRoot]), root + u"/kit");
    EXPECT_EQ(std::u16string((*block)[spGUIFolder]), start + u"\\GUI");
    EXPECT_EQ(std::u16string((*block)[spPlugInsFolder]), start + u"\\Plug-Ins");
    EXPECT_EQ(std::u16string((*block)[spTempFolder]), u"/var/tmp/hgl");

    const std::vector<std::u16string> expected = {
        u"　　程序启动路径:" + start,
        u"",
        u"　　操作系统路径:",
        u"操作系统字库路径:" + root + u"/data/fonts",
        u"操作系统系统路径:/usr/lib",
        u"",
        u"　　临时文件路径:/var/tmp/hgl",
        u"“我的数据”路径:" + root + u"/data",
        u"“我的文档”路径:/docs/here",
        u"“我的图片”路径:/srv/pics",
        u"“我的音乐”路径:" + home_dir + u"/Tunes",
        u"“我的视频”路径:" + home_dir + u"/Videos",
        u"“开始菜单”路径:" + root + u"/data/applications",
        u"　　“桌面”路径:" + home_dir + u"/Desktop",
        u"",
        u"　　　OVGDK 路径:" + root + u"/kit",
        u"　　 GUI资源路径:" + start + u"\\GUI",
        u"　　　　插件路径:" + start + u"\\Plug-Ins",
        u"",
    };
    EXPECT_EQ(log.Lines(), expected) << log.Dump();
}
