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
        if (getcwd(buf, sizeof(buf))) old = buf;
        EXPECT_EQ(chdir(to.c_str()), 0);
    }
    ~ScopedCwd() { EXPECT_EQ(chdir(old.c_str()), 0); }
};
} // namespace

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
