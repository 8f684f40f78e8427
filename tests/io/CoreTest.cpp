#include "PlugInTestSupport.h"

#include "io/BaseApplication.h"
#include "io/Compress.h"
#include "io/LogFile.h"
#include "io/SpecialPath.h"
#include "io/SystemInitInfo.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

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

} // namespace

TEST(CoreInfoStrings, BoundsAndCopies)
{
    for (int i : {-3, 0, 17})
        EXPECT_EQ(GetInfoString(i), nullptr) << i;
    const char16_t *const identity[] = {u"HGL 视觉小说引擎", u"HGL Visual Novel Engine", u"1.0", u"HGL"};
    for (int i = 1; i <= 4; i++)
        EXPECT_EQ(Info(i), identity[i - 1]);

    // The identity strings are constant; there is no slot past 16.
    SetInfoString(3, u"changed");
    SetInfoString(17, u"ignored");
    EXPECT_EQ(Info(3), u"1.0");
    EXPECT_EQ(GetInfoString(17), nullptr);

    u16char text[] = u"/games/Plug-Ins";
    SetInfoString(6, text);
    text[0] = u'X';                                 // a copy was stored
    EXPECT_EQ(Info(6), u"/games/Plug-Ins");

    // An empty text is stored as such (a folder not found); null clears the slot.
    SetInfoString(9, u"");
    EXPECT_EQ(Info(9), u"");
    SetInfoString(9, nullptr);
    EXPECT_EQ(GetInfoString(9), nullptr);
    SetInfoString(7, u"/gui");
    SetInfoString(7, GetInfoString(7));             // its own text again
    EXPECT_EQ(Info(7), u"/gui");

    ClearInfoStrings();
    EXPECT_EQ(GetInfoString(6), nullptr);
    EXPECT_EQ(GetInfoString(7), nullptr);
    EXPECT_EQ(Info(1), u"HGL 视觉小说引擎");

    // Global pointers have the slots 1 to 5.
    int a = 0, b = 0;
    SetGlobalPointer(0, &a);
    SetGlobalPointer(6, &a);
    EXPECT_EQ(GetGlobalPointer(0), nullptr);
    EXPECT_EQ(GetGlobalPointer(6), nullptr);
    SetGlobalPointer(1, &a);
    SetGlobalPointer(5, &b);
    EXPECT_EQ(GetGlobalPointer(1), &a);
    EXPECT_EQ(GetGlobalPointer(5), &b);
    ClearGlobalPointers();
    EXPECT_EQ(GetGlobalPointer(1), nullptr);
    EXPECT_EQ(GetGlobalPointer(5), nullptr);
}
