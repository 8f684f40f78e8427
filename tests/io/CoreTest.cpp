// Engine start-up and shut-down: the info strings and global pointers, the log
// and the plug-ins, twice in one process.
#include "PlugInTestSupport.h"

#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SpecialPath.h"

using namespace hgl;
using namespace svc_test;
using hgl::test::LogCapture;
using hgl::test::ScopedEnv;
using hgl::test::TempDir;

namespace
{
std::u16string Info(int index)
{
    const u16char *s = GetInfoString(index);
    return s ? std::u16string(s) : std::u16string(u"(null)");
}

// Compresses and decompresses a block through a plug-in: true when it all works.
bool ZipWorks()
{
    const char text[] = "InitCore and CloseCore, and again";
    char packed[256], plain[64];
    const int n = Compress(u"Zip", text, sizeof(text), packed, sizeof(packed));
    return n > 0 && Decompress(u"Zip", packed, n, plain, sizeof(plain)) == int(sizeof(text)) &&
           std::string(plain) == text;
}
} // namespace

TEST(Core, StartAndStopRepeatedly)
{
    TempDir dir("svccore");
    ScopedEnv data("XDG_DATA_HOME", dir.File("data").c_str());
    ScopedEnv state("XDG_STATE_HOME", dir.File("state").c_str());
    for (const bool with_log : {true, false, true})
    {
        SCOPED_TRACE(with_log);
        int marker = 0;
        SetGlobalPointer(gpWindow, &marker);
        LogCapture log;
        SpecialPathBlock paths;
        InitCore(&paths, with_log);
        EXPECT_EQ(GetGlobalPointer(gpWindow), nullptr) << "start-up clears the pointers";
        EXPECT_EQ(Info(infoPlugInsFolder), std::u16string(paths[spPlugInsFolder]));
        for (int i = infoKitRoot; i <= infoExecutablePath; i++)
            EXPECT_NE(GetInfoString(i), nullptr) << i;
        EXPECT_EQ(GetLogInterface() != nullptr, with_log);
        EXPECT_TRUE(ZipWorks()) << log.Dump();

        CloseCore();
        EXPECT_EQ(GetLogInterface(), nullptr);
        EXPECT_EQ(GetPlugInCount(), 0);
        for (int i = infoKitRoot; i <= infoExecutablePath + 1; i++)
            EXPECT_EQ(GetInfoString(i), nullptr) << i;
        EXPECT_EQ(Info(infoKitName), u"HGL 视觉小说引擎");
        const std::u16string log_file = GetLogFileName();
        if (!log_file.empty()) std::remove(hgl::test::ToU8(log_file).c_str());
    }
    // The identity strings are constant; null clears a slot; pointers have slots 1 to 5.
    SetInfoString(infoKitVersion, u"changed");
    EXPECT_EQ(Info(infoKitVersion), u"1.0");
    SetInfoString(infoSystemFolder, u"");
    EXPECT_EQ(Info(infoSystemFolder), u"");
    SetInfoString(infoSystemFolder, nullptr);
    EXPECT_EQ(GetInfoString(infoSystemFolder), nullptr);
    int a = 0;
    SetGlobalPointer(gpFlowObject + 1, &a);
    EXPECT_EQ(GetGlobalPointer(gpFlowObject + 1), nullptr);
    SetGlobalPointer(gpFlowObject, &a);
    EXPECT_EQ(GetGlobalPointer(gpFlowObject), &a);
    ClearGlobalPointers();
    ReleaseAllPlugIn();
}
