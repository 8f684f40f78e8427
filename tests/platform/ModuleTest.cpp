#include "platform/Module.h"
#include "io/PlugInABI.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <unistd.h>

using namespace hgl;
using namespace hgl::platform;

namespace
{
const std::string PlugInDir = HGL_PLUGIN_DIR;

bool CopyFile(const std::string &from, const std::string &to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    return in.good() && out.good();
}

// Changes the current folder for one test.
struct ScopedCwd
{
    std::string old;
    explicit ScopedCwd(const std::string &to)
    {
        char buf[4096];
        if (getcwd(buf, sizeof(buf)))
            old = buf;
        EXPECT_EQ(chdir(to.c_str()), 0);
    }
    ~ScopedCwd() { EXPECT_EQ(chdir(old.c_str()), 0); }
};
} // namespace

TEST(Module, LoadLookUpAndUnload)
{
    ModuleError err;
    ModuleHandle h = ModuleOpen((PlugInDir + "/Compress.Zip.so").c_str(), &err);
    ASSERT_NE(h, nullptr);
    auto version = reinterpret_cast<GetPlugInVersionFunc>(ModuleSymbol(h, "GetPlugInVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version(), 3u);

    // Plug-ins export only their contract; everything else stays hidden.
    EXPECT_EQ(ModuleSymbol(h, "ZipCompress"), nullptr);
    EXPECT_EQ(ModuleSymbol(h, "NoSuchFunction"), nullptr);
    EXPECT_EQ(ModuleSymbol(h, nullptr), nullptr);
    EXPECT_EQ(ModuleSymbol(nullptr, "GetPlugInVersion"), nullptr);
    ModuleClose(h);
    ModuleClose(nullptr);

    // UTF-16 paths, with backslashes too.
    test::TempDir dir("module");
    ASSERT_TRUE(dir.MakeDir("插件"));
    ASSERT_TRUE(CopyFile(PlugInDir + "/Compress.RLE.so", dir.File("插件/压缩.so")));
    h = ModuleOpen((dir.Path16() + u"\\插件\\压缩.so").c_str(), nullptr);
    ASSERT_NE(h, nullptr);
    auto intro = reinterpret_cast<GetPlugInIntroFunc>(ModuleSymbol(h, "GetPlugInIntro"));
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(std::u16string(intro()), u"RLE 压缩算法");
    ModuleClose(h);
}

TEST(Module, FailuresReportTheLoadersText)
{
    ModuleError err;
    EXPECT_EQ(ModuleOpen((PlugInDir + "/Compress.Missing.so").c_str(), &err), nullptr);
    EXPECT_NE(err.text.find(u"Compress.Missing.so"), std::u16string::npos);

    test::TempDir dir("module");
    ModuleError missing;
    EXPECT_EQ(ModuleOpen((dir.Path16() + u"/没有.so").c_str(), &missing), nullptr);
    EXPECT_NE(missing.text.find(u"没有.so"), std::u16string::npos);

    ModuleError empty;
    EXPECT_EQ(ModuleOpen(static_cast<const char *>(nullptr), &empty), nullptr);
    EXPECT_FALSE(empty.text.empty());
    EXPECT_EQ(ModuleOpen(u"", nullptr), nullptr);

    // A file that is not a library.
    ASSERT_TRUE(dir.WriteFile("fake.so", std::string("not an ELF file")));
    ModuleError bad;
    EXPECT_EQ(ModuleOpen(dir.File("fake.so").c_str(), &bad), nullptr);
    EXPECT_FALSE(bad.text.empty());
}

TEST(Module, BareNamesStayInTheCurrentFolder)
{
    // A system library's bare name must not be found through the library path.
    EXPECT_EQ(ModuleOpen("libz.so.1", nullptr), nullptr);

    test::TempDir dir("module");
    ASSERT_TRUE(CopyFile(PlugInDir + "/Compress.RLE.so", dir.File("RLE.so")));
    ScopedCwd cwd(dir.Path());
    ModuleHandle h = ModuleOpen("RLE.so", nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_NE(ModuleSymbol(h, "GetPlugInInterface"), nullptr);
    ModuleClose(h);
}
