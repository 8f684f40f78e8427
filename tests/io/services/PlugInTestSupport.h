#pragma once
// Shared by the plug-in, compression, start-up and log tests: points the engine at
// the build's Plug-Ins folder and collects what the test plug-ins report; catches
// the log's message boxes.
#include "core/String.h"
#include "io/Core.h"
#include "io/LogFile.h"
#include "io/PlugIn.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <sstream>
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
    if (!h)
        return false;
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

    void SetUp() override { hgl::SetInfoString(6, PlugInDir().c_str()); }

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

// "title|text" of every message box the log has shown.
inline std::vector<std::u16string> &ShownBoxes()
{
    static std::vector<std::u16string> boxes;
    return boxes;
}

// A log written into a temp folder: message boxes are recorded instead of shown,
// and the log and its plug-in are closed afterwards.
class LogFileFixture : public ::testing::Test
{
protected:
    explicit LogFileFixture(const char *folder) : dir(folder) {}

    hgl::test::TempDir dir;
    std::vector<std::u16string> &boxes = ShownBoxes();

    void SetUp() override
    {
        boxes.clear();
        old_box = hgl::SetLogMessageBoxHandler(RecordBox);
    }

    void TearDown() override
    {
        hgl::CloseLog();
        hgl::ReleaseAllPlugIn();
        hgl::SetLogMessageBoxHandler(old_box);
    }

    // The file's text after the byte-order mark.
    std::u16string Text(const std::string &name) const
    {
        const std::string b = dir.ReadFile(name);
        EXPECT_GE(b.size(), 2u);
        EXPECT_EQ(b.substr(0, 2), std::string("\xFF\xFE", 2));
        if (b.size() < 2)
            return std::u16string();
        std::u16string s((b.size() - 2) / 2, u'\0');
        std::memcpy(s.data(), b.data() + 2, s.size() * 2);
        return s;
    }

private:
    static void RecordBox(const hgl::u16char *text, const hgl::u16char *title)
    {
        ShownBoxes().push_back(std::u16string(title) + u"|" + text);
    }

    hgl::LogMessageBoxFunc old_box = nullptr;
};
} // namespace svc_test
