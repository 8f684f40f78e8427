// Whole scripts compiled and run: a story fragment paused at every message, its
// run state saved mid-way and restored into a fresh engine; natives run by the
// compile hook, and natives that load or clear while a script runs or compiles.
#include "ScriptHost.h"

#include "io/MemStream.h"

using namespace script_test;
using hgl::test::LogCapture;

namespace
{
const std::u16string kStory = u"// A story fragment\n"
                              u"func sub()\n"
                              u"{\n"
                              u"    MES(\"【甲】子函数里的第一句\");\n"
                              u"    return;\n"
                              u"    MES(\"never\");\n"
                              u"}\n"
                              u"\n"
                              u"func main()\n"
                              u"{\n"
                              u"    SetCG(\"bg\\\\01\", 2);\n"
                              u"    MES(\"【乙】你好。\\n\");\n"
                              u"    sub();\n"
                              u"    int visits = 0;\n"
                              u"start:\n"
                              u"    if (A == 0) { SetA(1); goto start; }\n"
                              u"    else if (A == 1) { MES(\"A是1\"); SetA(2); GOTO start; }\n"
                              u"    BG(3, 0.5, -1.5f);\n"
                              u"    MES(\"\"\"\"\"\");\n" // a heredoc is no string argument: dropped
                              u"    MES(\"最后一句\");\n"
                              u"}\n";

} // namespace

TEST(ScriptRun, FailingJumpAndReturn)
{
    ScriptHost host;
    LogCapture log;
    ASSERT_TRUE(host.Load(u"func main(){ X(); goto nowhere; Y(); return; Z(); }"));
    EXPECT_FALSE(host.engine.RunFunc(u"main"));
    EXPECT_EQ(host.trace, (Trace{u"X"}));
    EXPECT_TRUE(log.ContainsError(u"在函数<main>没有找到跳转标识<nowhere>"));
    EXPECT_TRUE(log.Contains(u"运行出错！<main><1>"));
    host.trace.clear();
    EXPECT_TRUE(host.engine.Resume(nullptr)); // continues after the failed jump
    EXPECT_EQ(host.trace, (Trace{u"Y"}));
}

TEST(ScriptRun, CompileHook)
{
    // Asked once per compiled native call statement, never for conditions, refused calls
    // or script calls; the command stays in the function.
    ScriptHost host;
    host.UseHook({u"Say"});
    ASSERT_TRUE(host.Load(
        u"func g(){}\n"
        u"func main(){ Say(\"at load\"); X(); g(); TwoInts(\"s\", 1); if (F(1) == 3) Y(); int v = F(2); }"));
    EXPECT_EQ(host.hook_asked, (Trace{u"Say", u"X", u"Y"}));
    EXPECT_EQ(host.trace, (Trace{u"Say:at load"}));
    EXPECT_EQ(host.f_calls, 0);
    EXPECT_EQ(host.engine.GetRunState(), 2);
    EXPECT_EQ(host.RunAll(u"main"), (Trace{u"Say:at load", u"X", u"F:1", u"Y"}));

    // A paused script is left as it was by natives that pause, stop or jump at compile time.
    ScriptHost h2;
    ASSERT_TRUE(h2.Load(u"func story(){ MES(\"one\"); MES(\"two\"); end: MES(\"three\"); }"));
    ASSERT_TRUE(h2.engine.RunFunc(u"story"));
    ASSERT_EQ(h2.engine.GetRunState(), 1);
    h2.UseHook({u"StopNow", u"MES", u"Jump"});
    ASSERT_TRUE(h2.Load(u"func other(){ StopNow(); MES(\"hooked\"); Jump(\"end\"); }"));
    EXPECT_EQ(h2.trace, (Trace{u"MES:one", u"Stop", u"MES:hooked", u"Jump:end"}));
    EXPECT_EQ(h2.engine.GetRunState(), 1);
    std::u16string name;
    int index = -1;
    ASSERT_TRUE(h2.engine.GetCurrentPosition(name, index));
    EXPECT_EQ(name, u"story");
    EXPECT_EQ(index, 1);
    h2.trace.clear();
    EXPECT_TRUE(h2.engine.Resume(nullptr));
    EXPECT_EQ(h2.trace, (Trace{u"MES:two"}));

    // A stopped engine stays stopped.
    ScriptHost h3;
    h3.UseHook({u"MES"});
    ASSERT_TRUE(h3.Load(u"func main(){ MES(\"x\"); }"));
    EXPECT_EQ(h3.engine.GetRunState(), 2);
    EXPECT_EQ(h3.engine.GetStackDepth(), 0);

    // Functions loaded by a native at compile time are there for the rest of the text.
    ScriptHost h4;
    h4.UseHook({u"LoadMore"});
    ASSERT_TRUE(h4.Load(u"func main(){ LoadMore(\"func side(){ Y(); }\"); side(); }"));
    EXPECT_EQ(h4.Listing(), u"0 NATIVE LoadMore(\"func side(){ Y(); }\")\n1 CALL side\n");
    EXPECT_EQ(h4.Listing(u"side"), u"0 NATIVE Y()\n");
    // One that takes the name of the function being compiled wins; the load that was
    // compiling it reports the duplicate and fails instead of dropping it unnoticed.
    ScriptHost h5;
    h5.UseHook({u"LoadMore"});
    LogCapture log;
    EXPECT_FALSE(h5.Load(u"func main(){ LoadMore(\"func main(){ Y(); }\"); X(); } func after(){}"));
    EXPECT_EQ(log.Lines(), (Trace{u"脚本函数名称重复: main"}));
    EXPECT_EQ(h5.Listing(), u"0 NATIVE Y()\n");
    EXPECT_EQ(h5.Func(u"after"), nullptr);
}

TEST(ScriptRun, HookedNativeClearsAndReloads)
{
    // A native run at compile time empties the engine (and here loads a larger script
    // into it). The function being compiled points into what Clear threw away: it is
    // given up rather than kept with dangling texts and call targets.
    struct ReloadHost : ScriptHost
    {
        void Reload()
        {
            engine.Clear();
            engine.LoadScript(u"func a(){ Say(\"1\"); Say(\"2\"); Say(\"3\"); } func b(){ a(); } func c(){ "
                              u"a(); } func d(){}",
                              -1);
        }
        ReloadHost()
        {
            EXPECT_TRUE(
                engine.MapMemberFunc(u"void Reload()", static_cast<ReloadHost *>(this), &ReloadHost::Reload));
        }
    };
    ReloadHost host;
    host.UseHook({u"Reset", u"Reload"});
    {
        LogCapture log;
        ASSERT_TRUE(host.Load(u"func c(){ Reset(); X(); }")); // nothing to lose yet
        EXPECT_TRUE(log.Lines().empty());
        EXPECT_NE(host.Func(u"c"), nullptr);
    }
    LogCapture log;
    EXPECT_FALSE(
        host.Load(u"func f(){ Say(\"x\"); } func main(){ Say(\"before\"); f(); Reload(); Say(\"after\"); }"));
    EXPECT_EQ(log.Lines(),
              (Trace{u"编译时运行的函数<Reload>清除了脚本引擎，编译中止!", u"解晰函数<main>失败!"}));
    EXPECT_EQ(host.Func(u"main"), nullptr);
    EXPECT_EQ(host.Func(u"f"), nullptr);
    EXPECT_EQ(host.RunAll(u"b"), (Trace{u"Say:1", u"Say:2", u"Say:3"}));
    EXPECT_EQ(host.RunAll(u"c"), (Trace{u"Say:1", u"Say:2", u"Say:3"}));
}
