// Whole scripts compiled and run: a story fragment paused at every message, its
// run state saved mid-way and restored into a fresh engine; and the compile hook.
#include "ScriptHost.h"

#include "core/BoundMethod.h"
#include "io/MemStream.h"

using namespace lang_test;
using hgl::test::LogCapture;

namespace
{
const std::u16string kStory =
    u"// A story fragment\n"
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
    u"    MES(\"\"\"\"\"\");\n"                      // a heredoc is no string argument: dropped
    u"    MES(\"最后一句\");\n"
    u"}\n";

bool Position(ScriptHost &h, std::u16string &name, int &index)
{
    return h.vm->GetCurrentPosition(name, index);
}
} // namespace

TEST(ScriptRun, StoryPausedSavedRestoredFinished)
{
    ScriptHost host;
    LogCapture log;
    ASSERT_TRUE(host.Load(kStory)) << log.Dump();
    EXPECT_EQ(host.Listing(u"main"), u"0 NATIVE SetCG(\"bg\\01\",2)\n"
                                     u"1 NATIVE MES(\"【乙】你好。\n\")\n"
                                     u"2 CALL sub\n"
                                     u"3 IFNOT GOTO main_3_else\n"
                                     u"4 NATIVE SetA(1)\n"
                                     u"5 GOTO start\n"
                                     u"6 GOTO main_3_end\n"
                                     u"7 IFNOT GOTO main_7_end\n"
                                     u"8 NATIVE MES(\"A是1\")\n"
                                     u"9 NATIVE SetA(2)\n"
                                     u"10 GOTO start\n"
                                     u"11 NATIVE BG(3,0.5,-1.5)\n"
                                     u"12 NATIVE MES(\"最后一句\")\n"
                                     u"main_3_else: 7\n"
                                     u"main_3_end: 11\n"
                                     u"main_7_end: 11\n"
                                     u"start: 3\n");
    EXPECT_EQ(log.Lines(), (Trace{u"脚本调用函数没有找到相应的真实函数映射与脚本函数<MES>"}));

    std::u16string name;
    int index = -1;

    EXPECT_TRUE(host.vm->RunFunc(u"main"));
    EXPECT_EQ(host.vm->GetRunState(), 1);
    EXPECT_EQ(host.trace, (Trace{u"SetCG:bg\\01,2", u"MES:【乙】你好。\n"}));
    ASSERT_TRUE(Position(host, name, index));
    EXPECT_EQ(name, u"main");
    EXPECT_EQ(index, 2);

    host.trace.clear();
    EXPECT_TRUE(host.vm->Resume(nullptr));
    EXPECT_EQ(host.trace, (Trace{u"MES:【甲】子函数里的第一句"}));
    ASSERT_TRUE(Position(host, name, index));
    EXPECT_EQ(name, u"sub");
    EXPECT_EQ(index, 1);

    // Save with two frames on the stack, and restore into a fresh engine.
    hgl::MemStream saved;
    ASSERT_TRUE(saved.Create(0, false));
    ASSERT_TRUE(host.vm->SaveState(&saved));
    const unsigned char expected_record[] = {2, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 3, 0, 0, 0,
                                             3, 0, 0, 0, 's', 0, 'u', 0, 'b', 0, 1, 0, 0, 0};
    ASSERT_EQ(saved.GetSize(), int64_t(sizeof(expected_record)));
    EXPECT_EQ(std::memcmp(saved.GetData(), expected_record, sizeof(expected_record)), 0);

    ScriptHost fresh;
    ASSERT_TRUE(fresh.Load(kStory));
    saved.SetPosition(0);
    ASSERT_TRUE(fresh.vm->LoadState(&saved));
    fresh.A = 0;

    EXPECT_TRUE(fresh.vm->Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"SetA:1", u"MES:A是1"}));
    fresh.trace.clear();
    EXPECT_TRUE(fresh.vm->Resume(nullptr));
    EXPECT_EQ(fresh.trace, (Trace{u"SetA:2", u"BG:3,0.5,-1.5", u"MES:最后一句"}));
    fresh.trace.clear();
    EXPECT_TRUE(fresh.vm->Resume(nullptr));
    EXPECT_TRUE(fresh.trace.empty());
    EXPECT_EQ(fresh.engine->GetStackDepth(), 0);
    EXPECT_EQ(fresh.vm->GetRunState(), 0);
    EXPECT_FALSE(Position(fresh, name, index));

    // The original engine, resumed the same way with the same variable, does the same.
    host.A = 0;
    host.trace.clear();
    EXPECT_TRUE(host.vm->Resume(nullptr));
    EXPECT_TRUE(host.vm->Resume(nullptr));
    EXPECT_TRUE(host.vm->Resume(nullptr));
    EXPECT_EQ(host.trace, (Trace{u"SetA:1", u"MES:A是1", u"SetA:2", u"BG:3,0.5,-1.5", u"MES:最后一句"}));

    // Start at a label of a compiled script.
    host.trace.clear();
    host.A = 2;
    EXPECT_TRUE(host.vm->RunFrom(u"main", u"start"));
    EXPECT_EQ(host.trace, (Trace{u"BG:3,0.5,-1.5", u"MES:最后一句"}));
}

TEST(ScriptRun, ClearAndReloadRunsAgain)
{
    ScriptHost host;
    host.pause_in_mes = false;
    ASSERT_TRUE(host.Load(kStory));
    const std::u16string main_listing = host.Listing(u"main");
    const std::u16string sub_listing = host.Listing(u"sub");
    host.A = 0;
    const Trace first = host.RunAll(u"main");

    host.vm->Clear();
    EXPECT_EQ(host.Func(u"main"), nullptr);
    EXPECT_EQ(host.engine->GetPoolSize(), 0);
    ASSERT_TRUE(host.Load(kStory));
    EXPECT_EQ(host.Listing(u"main"), main_listing);
    EXPECT_EQ(host.Listing(u"sub"), sub_listing);
    host.A = 0;
    EXPECT_EQ(host.RunAll(u"main"), first);
    EXPECT_EQ(first.size(), 8u);
}

TEST(ScriptRun, FailingJumpAndReturn)
{
    ScriptHost host;
    LogCapture log;
    ASSERT_TRUE(host.Load(u"func main(){ X(); goto nowhere; Y(); return; Z(); }"));
    EXPECT_FALSE(host.vm->RunFunc(u"main"));
    EXPECT_EQ(host.trace, (Trace{u"X"}));
    EXPECT_TRUE(log.ContainsError(u"在函数<main>没有找到跳转标识<nowhere>"));
    EXPECT_TRUE(log.Contains(u"运行出错！<main><1>"));
    host.trace.clear();
    EXPECT_TRUE(host.vm->Resume(nullptr));        // continues after the failed jump
    EXPECT_EQ(host.trace, (Trace{u"Y"}));
}

namespace
{
struct Hook
{
    hgl::DevilEngine *engine = nullptr;
    std::vector<std::u16string> asked;
    std::u16string run_only;              // names to run at compile time

    bool Check(const u16char *name)
    {
        asked.push_back(name);
        return run_only == name;
    }
};
} // namespace

TEST(ScriptRun, CompileHook)
{
    ScriptHost host;
    Hook hook;
    hgl::DevilVM::CompileHook bound;
    bound.Bind<&Hook::Check>(&hook);
    host.vm->SetCompileHook(bound);

    // Asked once per compiled native call statement, never for conditions, refused calls
    // or script calls; the command stays in the function.
    hook.run_only = u"Say";
    ASSERT_TRUE(host.Load(u"func g(){}\n"
                          u"func main(){ Say(\"at load\"); X(); g(); TwoInts(\"s\", 1); if (F(1) == 3) Y(); int v = F(2); }"));
    EXPECT_EQ(hook.asked, (Trace{u"Say", u"X", u"Y"}));
    EXPECT_EQ(host.trace, (Trace{u"Say:at load"}));
    EXPECT_EQ(host.f_calls, 0);
    EXPECT_EQ(host.vm->GetRunState(), 2);
    host.trace.clear();
    EXPECT_EQ(host.RunAll(u"main"), (Trace{u"Say:at load", u"X", u"F:1", u"Y"}));

    // A paused script is left as it was by natives that pause or stop at compile time.
    ScriptHost h2;
    Hook hook2;
    ASSERT_TRUE(h2.Load(u"func story(){ MES(\"one\"); MES(\"two\"); }"));
    ASSERT_TRUE(h2.vm->RunFunc(u"story"));
    ASSERT_EQ(h2.vm->GetRunState(), 1);
    hgl::DevilVM::CompileHook bound2;
    bound2.Bind<&Hook::Check>(&hook2);
    h2.vm->SetCompileHook(bound2);
    hook2.run_only = u"StopNow";
    ASSERT_TRUE(h2.Load(u"func other(){ StopNow(); }"));
    hook2.run_only = u"MES";
    ASSERT_TRUE(h2.Load(u"func third(){ MES(\"hooked\"); }"));
    EXPECT_EQ(h2.trace, (Trace{u"MES:one", u"Stop", u"MES:hooked"}));
    EXPECT_EQ(h2.vm->GetRunState(), 1);
    std::u16string name;
    int index = -1;
    ASSERT_TRUE(h2.vm->GetCurrentPosition(name, index));
    EXPECT_EQ(name, u"story");
    EXPECT_EQ(index, 1);
    h2.trace.clear();
    EXPECT_TRUE(h2.vm->Resume(nullptr));
    EXPECT_EQ(h2.trace, (Trace{u"MES:two"}));

    // A stopped engine stays stopped.
    ScriptHost h3;
    Hook hook3;
    hgl::DevilVM::CompileHook bound3;
    bound3.Bind<&Hook::Check>(&hook3);
    h3.vm->SetCompileHook(bound3);
    hook3.run_only = u"MES";
    ASSERT_TRUE(h3.Load(u"func main(){ MES(\"x\"); }"));
    EXPECT_EQ(h3.vm->GetRunState(), 2);
    EXPECT_EQ(h3.engine->GetStackDepth(), 0);

    // A native that clears the engine at compile time takes the texts and functions the
    // new function refers to: that function is not kept.
    ScriptHost h4;
    Hook hook4;
    hgl::DevilVM::CompileHook bound4;
    bound4.Bind<&Hook::Check>(&hook4);
    h4.vm->SetCompileHook(bound4);
    hook4.run_only = u"Reset";
    {
        LogCapture log;
        ASSERT_TRUE(h4.Load(u"func c(){ Reset(); X(); }"));      // nothing to lose yet
        EXPECT_TRUE(log.Lines().empty());
    }
    h4.vm->Clear();
    ASSERT_TRUE(h4.Load(u"func a(){ X(); }"));
    {
        LogCapture log;
        EXPECT_FALSE(h4.Load(u"func b(){ a(); Say(\"s\"); Reset(); Y(); }"));
        EXPECT_EQ(log.Lines(), (Trace{u"编译时运行的函数<Reset>清除了脚本引擎，编译中止!", u"解晰函数<b>失败!"}));
    }
    EXPECT_EQ(h4.engine->GetScriptFuncCount(), 0);
    hook4.run_only.clear();
    ASSERT_TRUE(h4.Load(u"func b(){ Say(\"s\"); Y(); }"));
    EXPECT_EQ(h4.RunAll(u"b"), (Trace{u"Say:s", u"Y"}));
}
