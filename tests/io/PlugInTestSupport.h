#pragma once
// Shared by the plug-in, compression, start-up and log tests: points the engine at
// the build's Plug-Ins folder and collects what the test plug-ins report.
#include "core/String.h"
#include "io/Core.h"
#include "io/LogFile.h"
#include "io/PlugIn.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fstream>
#include <string>
#include <vector>

namespace svc_test
{
inline const std::u16string &PlugInDir()
{
    static const std::u16string dir = hgl::test::ToU16(HGL_PLUGIN_DIR);
    return dir;
}

inline std::u16string PlugInFile(const char *name)
{
    return PlugInDir() + u"/" + hgl::test::ToU16(name) + u".so";
}

// True while the library is mapped in this process.
inline bool LibraryMapped(const char *name)
{
    const std::string path = std::string(HGL_PLUGIN_DIR) + "/" + name + ".so";
    void *h = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!h) return false;
    dlclose(h);
    return true;
}

inline std::u16string S(const hgl::String &s)
{
    return s.c_str() ? std::u16string(s.c_str()) : std::u16string();
}

// Plug-in folder set, the test plug-ins' event file set, and everything released
// afterwards so that tests do not see each other's plug-ins.
class PlugInFixture : public ::testing::Test
{
  protected:
    hgl::test::TempDir temp{"svc"};
    std::string events_file = temp.File("events.txt");
    hgl::test::ScopedEnv events_env{"HGL_TEST_PLUGIN_EVENTS", events_file.c_str()};

    void SetUp() override { hgl::SetInfoString(hgl::infoPlugInsFolder, PlugInDir().c_str()); }

    void TearDown() override
    {
        hgl::ReleaseAllPlugIn();
        hgl::ClearInfoStrings();
    }

    // "<plug-in>:<event>" lines written by the test plug-ins so far.
    std::vector<std::string> Events() const
    {
        std::vector<std::string> out;
        std::ifstream in(events_file);
        for (std::string line; std::getline(in, line);)
            out.push_back(line);
        return out;
    }
};

} // namespace svc_test
