// The run loop and the public run operations, on functions made with the builder.
#include "ScriptHost.h"

#include "core/String.h"
#include "support/LogCapture.h"

using namespace script_test;
using namespace angle_script;

namespace
{
// The target the jumps go to: "other" marks "o" and ends.
void AddOther(ScriptHost &h)
{
    auto other = h.New(u"other");
    h.Marks(other.get(), {u"o"});
    h.Add(std::move(other));
}

// Runs a function by name from an empty trace; gives what the natives recorded.
Trace RunTrace(ScriptHost &h, const u16char *name, bool expect = true)
{
    h.trace.clear();
    EXPECT_EQ(h.engine.RunFunc(name), expect);
    return h.trace;
}
} // namespace

TEST(DevilRunLoop, PauseResumeAndTheEndOfARun)
{
    ScriptHost h;
    hgl::test::LogCapture log;
    auto main = h.New(u"main");
    h.Marks(main.get(), {u"a", u"b"});
    h.Native(main.get(), u"Wait", {u"w"}); // command 2
    h.Marks(main.get(), {u"c"});
    h.Add(std::move(main));

    // Before any run: no position (the outputs stay untouched) and nothing to run.
    hgl::String name(u"untouched");
    int index = -7;
    EXPECT_FALSE(h.engine.GetCurrentPosition(name, index));
    EXPECT_TRUE(name == u"untouched");
    EXPECT_EQ(index, -7);
    EXPECT_TRUE(h.engine.Run());
    EXPECT_EQ(h.engine.GetRunState(), 2); // a new engine is stopped

    EXPECT_EQ(RunTrace(h, u"main"), (Trace{u"a", u"b", u"w"}));
    EXPECT_EQ(h.engine.GetRunState(), 1);
    EXPECT_TRUE(h.engine.GetCurrentPosition(name, index));
    EXPECT_TRUE(name == u"main");
    EXPECT_EQ(index, 3); // the frame already points past the pausing call

    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"w", u"c"}));
    EXPECT_EQ(h.engine.GetRunState(), 0); // a finished run stays "running" with no frame
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(h.Position(), u"none");
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    EXPECT_FALSE(h.engine.Resume(nullptr));
    EXPECT_EQ(log.Infos(), (Trace{u"不知道从那里开始运行"}));

    h.trace.clear();
    EXPECT_TRUE(h.engine.Resume(u"main")); // a name starts it again
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"w"}));

    // A function without commands ends at once.
    h.Add(h.New(u"empty"));
    EXPECT_TRUE(h.engine.RunFunc(u"empty"));
    EXPECT_EQ(h.Position(), u"none");

    // Pause outside a run only sets the state.
    h.engine.Pause();
    EXPECT_EQ(h.engine.GetRunState(), 1);
    h.engine.Stop();
    EXPECT_EQ(h.engine.GetRunState(), 2);
}

TEST(DevilRunLoop, CallsReturnsAndResumeByName)
{
    ScriptHost h;
    hgl::test::LogCapture log;
    auto sub = h.New(u"sub");
    h.Marks(sub.get(), {u"s1"});
    h.Native(sub.get(), u"Wait", {u"sw"});
    h.Marks(sub.get(), {u"s2"});
    sub->AddReturn();
    h.Marks(sub.get(), {u"never"});
    DevilFunc *subp = h.Add(std::move(sub));

    auto main = h.New(u"main");
    h.Marks(main.get(), {u"m1"});
    main->AddScriptFuncCall(subp);
    h.Marks(main.get(), {u"m2"});
    main->AddReturn(); // return from the bottom function ends the run
    h.Marks(main.get(), {u"never"});
    h.Add(std::move(main));

    EXPECT_EQ(RunTrace(h, u"main"), (Trace{u"m1", u"s1", u"sw"}));
    ASSERT_EQ(h.engine.GetStackDepth(), 2);
    EXPECT_EQ(h.engine.GetFrameName(0), u"main");
    EXPECT_EQ(h.engine.GetFrame(0).index, 2);
    EXPECT_EQ(h.Position(), u"sub:2");

    EXPECT_TRUE(h.engine.Resume(u"sub")); // the innermost function's name continues it
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw", u"s2", u"m2"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Paused in sub, naming main restarts main from its first command.
    RunTrace(h, u"main");
    EXPECT_TRUE(h.engine.Resume(u"main"));
    EXPECT_EQ(h.trace, (Trace{u"m1", u"s1", u"sw", u"m1", u"s1", u"sw"}));

    // An unknown name discards the paused stack.
    EXPECT_FALSE(h.engine.Resume(u"nothing"));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(log.Infos(), (Trace{u"没有找到起始函数<nothing>"}));

    // An empty name is a name, not "continue": the paused stack is discarded too.
    log.Clear();
    RunTrace(h, u"main");
    EXPECT_FALSE(h.engine.Resume(u""));
    EXPECT_EQ(log.Infos(), (Trace{u"没有找到起始函数<>"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);
    EXPECT_EQ(h.engine.GetRunState(), 1);
}

TEST(DevilRunLoop, GotoLabelsAndTheirFailures)
{
    ScriptHost h;
    hgl::test::LogCapture log;
    auto main = h.New(u"main");
    h.Marks(main.get(), {u"a"});
    main->AddGoto(u"nowhere"); // command 1
    h.Marks(main.get(), {u"b"});
    main->AddGoto(u"skip"); // forward reference
    h.Marks(main.get(), {u"skipped"});
    EXPECT_TRUE(main->AddGotoFlag(u"skip"));
    h.Marks(main.get(), {u"c"});
    EXPECT_TRUE(main->AddGotoFlag(u"end")); // a label at the end
    EXPECT_FALSE(main->AddGotoFlag(u"skip"));
    EXPECT_EQ(log.Errors(), (Trace{u"添加跳转标识符<skip>失败，这个标识符重复了！"}));
    EXPECT_EQ(main->FindLabel(u"skip"), 5);
    EXPECT_EQ(main->FindLabel(u"end"), 6);
    DevilFunc *mainp = h.Add(std::move(main));
    log.Clear();

    // The three lines of a jump to a missing label, in this order and on these channels.
    EXPECT_EQ(RunTrace(h, u"main", false), (Trace{u"a"}));
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

    // A missing label: false, nothing runs, the frame stays at 0.
    EXPECT_FALSE(h.engine.Start(u"main", u"missing"));
    EXPECT_EQ(h.Position(), u"main:0");
    EXPECT_FALSE(h.engine.RunFrom(u"main", u"missing"));
    EXPECT_EQ(h.trace, (Trace{u"a", u"b", u"c"}));
    EXPECT_FALSE(h.engine.Start(u"none", u"skip"));
    EXPECT_EQ(log.Infos(), (Trace{u"没有在函数<main>内找到跳转标识<missing>",
                                  u"没有在函数<main>内找到跳转标识<missing>", u"没有找到起始函数<none>"}));

    // No frame at all; null names are refused without harm.
    log.Clear();
    h.engine.Stop();
    EXPECT_FALSE(h.engine.GotoLabel(u"skip"));
    EXPECT_EQ(log.Errors(), (Trace{u"跳转时，虚拟机的当前运行函数不存在！呼叫堆栈中也没有函数！"}));
    EXPECT_FALSE(h.engine.Goto(mainp, 0));
    EXPECT_FALSE(h.engine.Return());
    EXPECT_FALSE(h.engine.RunFunc(nullptr));
    EXPECT_FALSE(h.engine.Start(nullptr, u"skip"));
    EXPECT_FALSE(h.engine.RunFrom(nullptr, nullptr));
    EXPECT_FALSE(h.engine.GotoLabel(nullptr));
}

TEST(DevilRunLoop, NativesThatStopJumpOrClear)
{
    ScriptHost h;
    hgl::test::LogCapture log;
    AddOther(h);
    auto add = [&](const u16char *name, const u16char *native, const u16char *arg)
    {
        auto f = h.New(name);
        if (arg)
            h.Native(f.get(), native, {arg});
        else
            h.Native(f.get(), native);
        h.Marks(f.get(), {u"after"});
        h.Add(std::move(f));
    };
    add(u"halt", u"Halt", nullptr);
    add(u"jump", u"Call", u"other");
    add(u"pr", u"PauseResume", nullptr);
    add(u"wipe", u"Wipe", nullptr);

    EXPECT_EQ(RunTrace(h, u"halt"), (Trace{u"halt"}));
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // RunFunc from a native replaces the stack; the running loop goes on with it.
    EXPECT_EQ(RunTrace(h, u"jump"), (Trace{u"jump other", u"o"}));
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Pause and Resume inside one native: the run just goes on.
    EXPECT_EQ(RunTrace(h, u"pr"), (Trace{u"pr", u"after"}));

    // Clear from a native: the command that cleared finishes safely, the run stops,
    // the natives stay bound.
    EXPECT_EQ(RunTrace(h, u"wipe"), (Trace{u"wipe"}));
    EXPECT_EQ(h.engine.GetScriptFuncCount(), 0);
    EXPECT_EQ(h.engine.GetPoolSize(), 0);
    EXPECT_EQ(h.engine.GetRunState(), 2);
    EXPECT_NE(h.engine.GetFuncMap(u"Mark"), nullptr);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
}

// A choice that jumps with GotoLabel + Resume from inside a native, in a loop that
// never pauses: the loop must spin, not nest one run inside another.
TEST(DevilRunLoop, ReentrantCaseGotoDoesNotNest)
{
    ScriptHost h;
    auto main = h.New(u"main");
    h.Marks(main.get(), {u"start"});
    EXPECT_TRUE(main->AddGotoFlag(u"L"));
    h.Native(main.get(), u"Count");
    h.Native(main.get(), u"CaseGoto", {0, u"L"});
    h.Marks(main.get(), {u"never"});
    h.Add(std::move(main));

    h.var = 0;
    h.stop_after = 200000;
    EXPECT_EQ(RunTrace(h, u"main"), (Trace{u"start"}));
    EXPECT_EQ(h.calls, 200000);
    EXPECT_EQ(h.engine.GetStackDepth(), 0);

    // Without a match the script falls through.
    h.var = 1;
    h.calls = 0;
    EXPECT_EQ(RunTrace(h, u"main"), (Trace{u"start", u"never"}));
    EXPECT_EQ(h.calls, 1);
}

// Natives that the compile hook runs while a script is loaded must not disturb a
// paused script of the same engine.
TEST(DevilRunLoop, CommandsRunAtCompileTimeKeepTheRunState)
{
    ScriptHost h;
    auto main = h.New(u"main");
    EXPECT_TRUE(main->AddGotoFlag(u"start"));
    h.Native(main.get(), u"Wait", {u"w"});
    h.Marks(main.get(), {u"after"});
    h.Add(std::move(main));
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    ASSERT_EQ(h.engine.GetRunState(), 1);

    // A pause, a stop, a Resume from inside (which starts no run), and a jump within
    // the paused frame are all undone.
    h.var = 3;
    for (auto *c : {h.NewCall(u"Wait", {u"hooked"}), h.NewCall(u"Halt", {}), h.NewCall(u"PauseResume", {}),
                    h.NewCall(u"CaseGoto", {3, u"start"})})
    {
        std::unique_ptr<hgl::DevilCommand> command(c);
        EXPECT_TRUE(h.engine.RunCommandNow(command.get()));
        EXPECT_EQ(h.engine.GetRunState(), 1);
        EXPECT_EQ(h.Position(), u"main:1");
    }
    EXPECT_EQ(h.trace, (Trace{u"w", u"hooked", u"halt", u"pr"}));

    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace.back(), u"after");

    // Without a hook nothing asks for a run.
    EXPECT_FALSE(h.engine.CallCompileHook(u"MES"));
}
