// The run loop and the public run operations, on functions made with the builder.
#include "VmTestHost.h"

#include "core/String.h"
#include "support/LogCapture.h"

using namespace vmtest;
using namespace angle_script;
using Trace = std::vector<std::u16string>;

namespace
{
// The target the jumps go to: "other" marks "o" and ends.
void AddOther(Host &h)
{
    auto other = h.New(u"other");
    h.Native(other.get(), u"Mark", {u"o"});
    h.Add(std::move(other));
}
} // namespace

TEST(DevilRunLoop, PauseResumeAndTheEndOfARun)
{
    Host h;
    hgl::test::LogCapture log;
    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"a"});
    h.Native(main.get(), u"Mark", {u"b"});
    h.Native(main.get(), u"Wait", {u"w"});      // command 2
    h.Native(main.get(), u"Mark", {u"c"});
    h.Add(std::move(main));

    EXPECT_EQ(h.engine.GetRunState(), 2);       // a new engine is stopped
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.engine.GetRunState(), 1);
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"w"}));
    EXPECT_EQ(h.Position(), u"main:3");         // the frame already points past the pausing call

    hgl::String name;
    int index = 0;
    EXPECT_TRUE(h.engine.GetCurrentPosition(name, index));
    EXPECT_TRUE(name == u"main");
    EXPECT_EQ(index, 3);

    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"w", u"c"}));
    EXPECT_EQ(h.engine.GetRunState(), 0);       // a finished run stays "running" with no frame
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(h.Position(), u"none");
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Infos(), (Trace{u"不知道从那里开始运行"}));

    h.trace.clear();
    EXPECT_TRUE(h.engine.Resume(u"main"));      // a name starts it again
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"w"}));

    // A function without commands ends at once.
    h.Add(h.New(u"empty"));
    EXPECT_TRUE(h.engine.RunFunc(u"empty"));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(h.Position(), u"none");
}

TEST(DevilRunLoop, CallsReturnsAndResumeByName)
{
    Host h;
    hgl::test::LogCapture log;
    auto sub = h.New(u"sub");
    h.Native(sub.get(), u"Mark", {u"s1"});
    h.Native(sub.get(), u"Wait", {u"sw"});
    h.Native(sub.get(), u"Mark", {u"s2"});
    sub->AddReturn();
    h.Native(sub.get(), u"Mark", {u"never"});
    DevilFunc *subp = h.Add(std::move(sub));

    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"m1"});
    main->AddScriptFuncCall(subp);
    h.Native(main.get(), u"Mark", {u"m2"});
    main->AddReturn();                           // return from the bottom function ends the run
    h.Native(main.get(), u"Mark", {u"never"});
    h.Add(std::move(main));

    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw"}));
    ASSERT_EQ(h.engine.GetStackDepth(), 2);
    EXPECT_EQ(h.engine.GetFrameName(0), u"main");
    EXPECT_EQ(h.engine.GetFrame(0).index, 2);
    EXPECT_EQ(h.Position(), u"sub:2");

    EXPECT_TRUE(h.engine.Resume(u"sub"));        // the innermost function's name continues it
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw", u"s2", u"m2"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Paused in sub, naming main restarts main from its first command.
    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_TRUE(h.engine.Resume(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw", u"m1", u"s1", u"sw"}));

    // An unknown name discards the paused stack.
    EXPECT_FALSE(h.engine.Resume(u"nothing"));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(log.Infos(), (Trace{u"没有找到起始函数<nothing>"}));
    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_TRUE(log.ContainsInfo(u"不知道从那里开始运行"));

    // An empty name is a name, not "continue".
    log.Clear();
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_FALSE(h.engine.Resume(u""));
    EXPECT_EQ(log.Infos(), (Trace{u"没有找到起始函数<>"}));
}

TEST(DevilRunLoop, GotoLabelsAndTheirFailures)
{
    Host h;
    hgl::test::LogCapture log;
    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"a"});
    main->AddGoto(u"nowhere");                      // command 1
    h.Native(main.get(), u"Mark", {u"b"});
    main->AddGoto(u"skip");                         // forward reference
    h.Native(main.get(), u"Mark", {u"skipped"});
    EXPECT_TRUE(main->AddGotoFlag(u"skip"));
    h.Native(main.get(), u"Mark", {u"c"});
    EXPECT_TRUE(main->AddGotoFlag(u"end"));         // a label at the end
    EXPECT_FALSE(main->AddGotoFlag(u"skip"));
    EXPECT_EQ(log.Errors(), (Trace{u"添加跳转标识符<skip>失败，这个标识符重复了！"}));
    EXPECT_EQ(main->FindLabel(u"skip"), 5);
    EXPECT_EQ(main->FindLabel(u"end"), 6);
    h.Add(std::move(main));
    log.Clear();

    EXPECT_FALSE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"a"}));
    const auto entries = log.Entries();
    ASSERT_EQ(entries.size(), 3u) << log.Dump();
    EXPECT_EQ(entries[0].level, hgl::LogLevel::Error);
    EXPECT_EQ(entries[0].text, u"在函数<main>没有找到跳转标识<nowhere>");
    EXPECT_EQ(entries[1].level, hgl::LogLevel::Info);
    EXPECT_EQ(entries[1].text, u"DevilEngine执行GOTO时，指令索引<main>:<-1>不正确！");
    EXPECT_EQ(entries[2].level, hgl::LogLevel::Info);
    EXPECT_EQ(entries[2].text, u"运行出错！<main><1>");
    EXPECT_EQ(h.engine.GetRunState(), 0);
    EXPECT_EQ(h.Position(), u"main:2");

    // After a failure, Resume carries on after the failed command.
    log.Clear();
    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"c"}));
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    // Start positions without running; RunFrom runs from the label.
    h.trace.clear();
    EXPECT_TRUE(h.engine.Start(u"main", u"skip"));
    EXPECT_TRUE(h.trace.empty());
    EXPECT_EQ(h.Position(), u"main:5");
    EXPECT_EQ(h.engine.GetRunState(), 0);
    EXPECT_TRUE(h.engine.RunFrom(u"main", u"skip"));
    EXPECT_EQ(h.trace, (Trace{u"c"}));
    EXPECT_TRUE(h.engine.RunFrom(u"main", u"end"));
    EXPECT_EQ(h.trace, (Trace{u"c"}));

    // A missing label: false, nothing runs, the frame stays at 0.
    EXPECT_FALSE(h.engine.Start(u"main", u"missing"));
    EXPECT_TRUE(log.ContainsInfo(u"没有在函数<main>内找到跳转标识<missing>"));
    EXPECT_EQ(h.Position(), u"main:0");
    EXPECT_FALSE(h.engine.RunFrom(u"main", u"missing"));
    EXPECT_EQ(h.trace, (Trace{u"c"}));
    EXPECT_FALSE(h.engine.Start(u"none", u"skip"));
    EXPECT_TRUE(log.ContainsInfo(u"没有找到起始函数<none>"));

    // No frame at all.
    log.Clear();
    h.engine.Stop();
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_FALSE(h.engine.GotoLabel(u"skip"));
    EXPECT_EQ(log.Errors(), (Trace{u"跳转时，虚拟机的当前运行函数不存在！呼叫堆栈中也没有函数！"}));

    // Goto checks the index and the function.
    log.Clear();
    EXPECT_TRUE(h.engine.Start(u"main", u"skip"));
    EXPECT_FALSE(h.engine.Goto(h.engine.GetScriptFunc(u"main"), -3));
    auto other = h.New(u"other");
    EXPECT_FALSE(h.engine.Goto(other.get(), 0));
    EXPECT_TRUE(h.engine.Goto(h.engine.GetScriptFunc(u"main"), 100));   // past the end is allowed
    EXPECT_EQ(log.Infos(), (Trace{u"DevilEngine执行GOTO时，指令索引<main>:<-3>不正确！",
                                  u"DevilEngine执行GOTO时，当前函数对应不正确!\n要求为<other>,实质为<main>"}));
    EXPECT_TRUE(h.engine.Resume(nullptr));      // ends at once
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
}

TEST(DevilRunLoop, NativesThatStopJumpOrClear)
{
    Host h;
    hgl::test::LogCapture log;
    AddOther(h);

    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"a"});
    h.Native(main.get(), u"Halt");
    h.Native(main.get(), u"Mark", {u"never"});
    h.Add(std::move(main));

    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"a", u"halt"}));
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // RunFunc from a native replaces the stack; the running loop goes on with it.
    auto j = h.New(u"j");
    h.Native(j.get(), u"Jump", {u"other"});
    h.Native(j.get(), u"Mark", {u"never"});
    h.Add(std::move(j));
    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"j"));
    EXPECT_EQ(h.trace, (Trace{u"jump other", u"o"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Pause and Resume inside one native: the run just goes on.
    auto pr = h.New(u"pr");
    h.Native(pr.get(), u"PauseResume");
    h.Native(pr.get(), u"Mark", {u"after"});
    h.Add(std::move(pr));
    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"pr"));
    EXPECT_EQ(h.trace, (Trace{u"pr", u"after"}));

    // Clear from a native: the command that cleared finishes safely, the run stops.
    auto w = h.New(u"w");
    h.Native(w.get(), u"Wipe");
    h.Native(w.get(), u"Mark", {u"never"});
    h.Add(std::move(w));
    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"w"));
    EXPECT_EQ(h.trace, (Trace{u"wipe"}));
    EXPECT_EQ(h.engine.GetScriptFuncCount(), 0);
    EXPECT_EQ(h.engine.GetPoolSize(), 0);
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    // The natives stay bound.
    EXPECT_NE(h.engine.GetFuncMap(u"Mark"), nullptr);
}

// The game moves its story to another script from inside a native: clear, load the
// next script, start it. The running loop must carry on in the new script.
TEST(DevilRunLoop, ReplacingTheScriptFromANative)
{
    struct Story : Host
    {
        void Next()
        {
            trace.push_back(u"next");
            engine.Clear();
            auto f = New(u"main");
            Native(f.get(), u"Mark", {u"chapter2"});
            Native(f.get(), u"Wait", {u"wait2"});
            Add(std::move(f));
            engine.Resume(u"main");
        }
    } h;
    ASSERT_TRUE(h.engine.MapMemberFunc(u"void Next()", &h, &Story::Next));
    auto f = h.New(u"main");
    h.Native(f.get(), u"Mark", {u"chapter1"});
    h.Native(f.get(), u"Next");
    h.Native(f.get(), u"Mark", {u"never"});
    h.Add(std::move(f));

    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"chapter1", u"next", u"chapter2", u"wait2"}));
    EXPECT_EQ(h.Position(), u"main:2");
    EXPECT_EQ(h.engine.GetRunState(), 1);
}

// A choice that jumps with GotoLabel + Resume from inside a native, in a loop that
// never pauses: the loop must spin, not nest one run inside another.
TEST(DevilRunLoop, ReentrantCaseGotoDoesNotNest)
{
    Host h;
    auto main = h.New(u"main");
    h.Native(main.get(), u"Mark", {u"start"});
    EXPECT_TRUE(main->AddGotoFlag(u"L"));
    h.Native(main.get(), u"Count");
    h.Native(main.get(), u"CaseGoto", {0, u"L"});
    h.Native(main.get(), u"Mark", {u"never"});
    h.Add(std::move(main));

    h.var = 0;
    h.stop_after = 200000;
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.calls, 200000);
    EXPECT_EQ(h.trace, (Trace{u"start"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Without a match the script falls through.
    h.var = 1;
    h.calls = 0;
    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.calls, 1);
    EXPECT_EQ(h.trace, (Trace{u"start", u"never"}));
}

TEST(DevilRunLoop, ConditionsAndNativesInsideThem)
{
    Host h;
    hgl::test::LogCapture log;
    AddOther(h);

    // if (Var == 1) Mark("yes") ; Mark("end")
    auto main = h.New(u"main");
    h.IfVar(main.get(), ttEqual, 1, u"main_0_end");
    h.Native(main.get(), u"Mark", {u"yes"});
    EXPECT_TRUE(main->AddGotoFlag(u"main_0_end"));
    h.Native(main.get(), u"Mark", {u"end"});
    h.Add(std::move(main));

    h.var = 1;
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    h.var = 2;   // the same compiled condition sees the new value
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"yes", u"end", u"end"}));

    // A native operand is called once per evaluation; one that restarts or stops the
    // engine must not make the jump act on the new stack.
    auto cond = [&](const u16char *fname, const u16char *probe) {
        auto f = h.New(fname);
        auto *l = hgl::CreateDevilFuncValue(&h.engine, h.NewCall(probe, {}));
        auto *r = new hgl::DevilUInteger(&h.engine, 1u);
        auto *cg = new hgl::DevilCompGoto(&h.engine, hgl::CreateDevilComp(ttEqual, l, r), f.get());
        f->AddCommand(cg);
        cg->SetLabel(u"nowhere");
        h.Native(f.get(), u"Mark", {u"fell through"});
        h.Add(std::move(f));
    };
    cond(u"p1", u"Probe");
    cond(u"p2", u"ProbeJump");
    cond(u"p3", u"ProbeStop");

    h.trace.clear();
    h.var = 1;
    EXPECT_TRUE(h.engine.RunFunc(u"p1"));
    EXPECT_EQ(h.trace, (Trace{u"probe", u"fell through"}));

    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"p2"));
    EXPECT_EQ(h.trace, (Trace{u"probejump", u"o"}));

    h.trace.clear();
    EXPECT_TRUE(h.engine.RunFunc(u"p3"));
    EXPECT_EQ(h.trace, (Trace{u"probestop"}));
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    // p1 with a false condition jumps to a missing label.
    h.var = 0;
    EXPECT_FALSE(h.engine.RunFunc(u"p1"));
    EXPECT_TRUE(log.ContainsError(u"在函数<p1>没有找到跳转标识<nowhere>"));
    EXPECT_TRUE(log.ContainsInfo(u"运行出错！<p1><0>"));
}

TEST(DevilRunLoop, ListingAndVariables)
{
    Host h;
    hgl::test::LogCapture log;
    auto sub = h.New(u"sub");
    DevilFunc *subp = h.Add(std::move(sub));
    auto f = h.New(u"main");
    h.Native(f.get(), u"Mark", {u"hi"});
    h.Native(f.get(), u"CaseGoto", {-2, u"L"});
    EXPECT_TRUE(f->AddGotoFlag(u"L"));
    f->AddGoto(u"L");
    f->AddScriptFuncCall(subp);
    h.IfVar(f.get(), ttLessThan, 3, u"main_4_end");
    f->AddReturn();
    EXPECT_EQ(f->GetListing(), u"0 NATIVE Mark(\"hi\")\n"
                               u"1 NATIVE CaseGoto(-2,\"L\")\n"
                               u"2 GOTO L\n"
                               u"3 CALL sub\n"
                               u"4 IFNOT GOTO main_4_end\n"
                               u"5 RETURN\n"
                               u"L: 2\n");

    EXPECT_NE(f->AddValue(ttInt, u"a"), nullptr);
    EXPECT_NE(f->AddValue(ttString, u"s"), nullptr);
    EXPECT_EQ(f->AddValue(ttInt8, u"a"), nullptr);
    EXPECT_EQ(f->AddValue(ttIdentifier, u"b"), nullptr);
    EXPECT_EQ(log.Errors(), (Trace{u"添加变量失败，变量名称<a>重复！", u"变量<b>的类型无法实别，id=5"}));
    EXPECT_EQ(f->GetValueCount(), 2);
    EXPECT_EQ(f->GetValue(u"a")->GetType(), ttInt);
    // The same name in another function is fine.
    EXPECT_NE(h.engine.GetScriptFunc(u"sub")->AddValue(ttInt, u"a"), nullptr);
    // Every type keyword makes a variable of its type.
    for (int t : {ttBool, ttString, ttInt, ttInt8, ttInt16, ttInt64, ttUInt, ttUInt8, ttUInt16, ttUInt64, ttFloat, ttDouble})
    {
        const std::u16string name = u"v" + std::u16string(1, u16char(u'A' + t - ttBool));
        auto *v = f->AddValue(t, name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(int(v->GetType()), t);
    }
    // A duplicate function name is refused.
    EXPECT_FALSE(h.engine.AddScriptFunc(h.New(u"sub")));
}

TEST(DevilRunLoop, CommandBudgetEndsARunawayLoop)
{
    Host h;
    hgl::test::LogCapture log;
    auto f = h.New(u"spin");
    EXPECT_TRUE(f->AddGotoFlag(u"top"));
    f->AddGoto(u"top");
    h.Add(std::move(f));
    h.engine.SetCommandBudget(1000);
    EXPECT_FALSE(h.engine.RunFunc(u"spin"));
    EXPECT_TRUE(log.ContainsInfo(u"运行出错！<spin><0>"));
    // Spent is spent: the next run stops at once instead of running unbounded.
    EXPECT_FALSE(h.engine.RunFunc(u"spin"));
    EXPECT_EQ(log.CountOf(u"运行出错！<spin><0>"), 2);
}

// Natives that the compile hook runs while a script is loaded must not disturb a
// paused script of the same engine.
TEST(DevilRunLoop, CommandsRunAtCompileTimeKeepTheRunState)
{
    Host h;
    auto main = h.New(u"main");
    EXPECT_TRUE(main->AddGotoFlag(u"start"));
    h.Native(main.get(), u"Wait", {u"w"});
    h.Native(main.get(), u"Mark", {u"after"});
    h.Add(std::move(main));
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    ASSERT_EQ(h.engine.GetRunState(), 1);

    std::unique_ptr<hgl::DevilCommand> wait(h.NewCall(u"Wait", {u"hooked"}));
    std::unique_ptr<hgl::DevilCommand> halt(h.NewCall(u"Halt", {}));
    std::unique_ptr<hgl::DevilCommand> pr(h.NewCall(u"PauseResume", {}));
    EXPECT_TRUE(h.engine.RunCommandNow(wait.get()));
    EXPECT_TRUE(h.engine.RunCommandNow(halt.get()));
    EXPECT_TRUE(h.engine.RunCommandNow(pr.get()));   // a Resume from inside starts no run
    EXPECT_EQ(h.trace, (Trace{u"w", u"hooked", u"halt", u"pr"}));
    EXPECT_EQ(h.engine.GetRunState(), 1);
    EXPECT_EQ(h.Position(), u"main:1");

    // A jump within the paused frame is undone as well.
    h.var = 3;
    std::unique_ptr<hgl::DevilCommand> jump(h.NewCall(u"CaseGoto", {3, u"start"}));
    EXPECT_TRUE(h.engine.RunCommandNow(jump.get()));
    EXPECT_EQ(h.Position(), u"main:1");
    EXPECT_EQ(h.trace.size(), 4u);

    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace.back(), u"after");

    // Without a hook nothing asks for a run; with one, the hook decides by name.
    EXPECT_FALSE(h.engine.CallCompileHook(u"MES"));
    struct Hook
    {
        bool Want(const u16char *name) { return std::u16string(name) == u"MES"; }
    } hook;
    h.engine.SetCompileHook(hgl::DevilVM::CompileHook::Make<&Hook::Want>(&hook));
    EXPECT_TRUE(h.engine.CallCompileHook(u"MES"));
    EXPECT_FALSE(h.engine.CallCompileHook(u"BG"));
}
