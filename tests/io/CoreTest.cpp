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

std::u16string CurrentFolder16()
{
    char buf[4096];
    return hgl::test::ToU16(getcwd(buf, sizeof(buf)) ? buf : "");
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

TEST(CoreSystemInitInfo, DefaultsAndCheck)
{
    // The defaults Check and the single-instance check build on; the font, theme and
    // frame-rate defaults show in the start-up hooks' calls below.
    SystemInitInfo sii;
    EXPECT_EQ(S(sii.StartFolder), CurrentFolder16());
    EXPECT_TRUE(sii.SkipSingleInstanceCheck);
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);

    sii.graphics.Mode.Width = 0;
    sii.graphics.Mode.Height = 0;
    sii.info.ProjectName = u"测试游戏";
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 640);
    EXPECT_EQ(sii.graphics.Mode.Height, 480);
    EXPECT_EQ(S(sii.win.Title), u"测试游戏");

    // Only 0 x 0 is replaced, and a title of its own is kept.
    sii.graphics.Mode.Width = 0;
    sii.graphics.Mode.Height = 600;
    sii.win.Title = u"标题";
    sii.Check();
    EXPECT_EQ(sii.graphics.Mode.Width, 0);
    EXPECT_EQ(sii.graphics.Mode.Height, 600);
    EXPECT_EQ(S(sii.win.Title), u"标题");

    // Check is the virtual slot after the destructor: a derived description's own runs.
    struct Mine : SystemInitInfo
    {
        int checked = 0;
        void Check() override { checked++; }
    } mine;
    SystemInitInfo *base = &mine;
    base->Check();
    EXPECT_EQ(mine.checked, 1);
}
