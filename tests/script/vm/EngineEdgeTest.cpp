// The engine through its own operations, at the edges its owners reach: the forms
// the game writes, declarations that are refused or half-read, the order of use,
// results of failed operations and the exact log lines.
#include "core/Log.h"
#include "core/String.h"
#include "io/MemStream.h"
#include "script/DevilCommand.h"
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using hgl::u16char;
using Lines = std::vector<std::u16string>;

namespace
{
Lines g_calls;
void Plain0() { g_calls.push_back(u"plain0"); }
void PlainI(int v) { g_calls.push_back(u"plainI " + std::u16string(1, char16_t(u'0' + v))); }
void PlainIF(int, float) {}
void PlainF(float) {}
void PlainNoexcept() noexcept { g_calls.push_back(u"noexcept"); }
struct Holder
{
    Lines *out = nullptr;
    void Member(int v) noexcept { out->push_back(u"member " + std::u16string(1, char16_t(u'0' + v))); }
};

struct Screen
{
    hgl::DevilEngine *engine = nullptr;
    Lines log;
    void MES(const u16char *t)
    {
        log.push_back(t);
        engine->Pause();
    }
    void SAY(const u16char *t) { log.push_back(t); }
    void CaseGoto(int v, const u16char *label)
    {
        if (v == 1 && engine->GotoLabel(label)) engine->Resume(nullptr);
    }
    void Stop() { engine->Stop(); }
};
} // namespace

// The game's own spelling: the factory's result held as the engine class itself.
TEST(DevilEngineEdge, TheGameHoldsTheEngineByItsClass)
{
    Screen s;
    hgl::DevilEngine *engine = hgl::NewDevilEngine();
    ASSERT_NE(engine, nullptr);
    s.engine = engine;
    EXPECT_EQ(engine->GetRunState(), 2);
    EXPECT_TRUE(engine->MapMemberFunc(u"void MES(string)", &s, &Screen::MES));
    EXPECT_TRUE(engine->MapMemberFunc(u"void SAY(string)", &s, &Screen::SAY));
    EXPECT_TRUE(engine->MapMemberFunc(u"void CaseGoto(int,string)", &s, &Screen::CaseGoto));
    const std::u16string file = u"\uFEFFfunc main(){ SAY(\"a\"); MES(\"b\"); CaseGoto(1,\"L\"); SAY(\"skipped\"); L: SAY(\"c\"); }";
    EXPECT_TRUE(engine->LoadScript(file.c_str() + 1, int(file.size()) - 1));
    EXPECT_TRUE(engine->Resume(u"main"));
    EXPECT_EQ(s.log, (Lines{u"a", u"b"}));
    EXPECT_EQ(engine->GetRunState(), 1);
    EXPECT_TRUE(engine->Resume(nullptr));
    EXPECT_EQ(s.log, (Lines{u"a", u"b", u"c"}));
    EXPECT_EQ(engine->GetRunState(), 0);
    delete engine;

    // And through the interface, as the engine's own Part has it.
    std::unique_ptr<hgl::DevilVM> vm(hgl::NewDevilEngine());
    ASSERT_NE(vm, nullptr);
    EXPECT_EQ(vm->GetRunState(), 2);
}

TEST(DevilEngineEdge, DeclarationsReadAsTheBindingReadsThem)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    // Without "(" or without ")": false, no message, nothing registered.
    EXPECT_FALSE(e.MapFunc(u"void Plain0", &Plain0));
    EXPECT_FALSE(e.MapFunc(u"void Plain0(", &Plain0));
    EXPECT_EQ(e.GetFuncMap(u"Plain0"), nullptr);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    // An empty pair of parentheses: no parameter.
    EXPECT_TRUE(e.MapFunc(u"void Plain0()", &Plain0));
    ASSERT_NE(e.GetFuncMap(u"Plain0"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"Plain0")->GetParamCount(), 0);
    EXPECT_EQ(e.GetFuncMap(hgl::String(u"Plain0"))->return_type, 77);
    // Unrecorded tokens are skipped: names, commas, void and the 64-bit types.
    EXPECT_TRUE(e.MapFunc(u"void A(int a, x, double d, float f)", &PlainIF));
    ASSERT_NE(e.GetFuncMap(u"A"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"A")->params, (std::vector<angle_script::eTokenType>{angle_script::ttInt, angle_script::ttFloat}));
    EXPECT_TRUE(e.MapFunc(u"void B(int64,int32)", &PlainI));
    EXPECT_EQ(e.GetFuncMap(u"B")->GetParamCount(), 1);
    // A trailing ";" as the game writes one.
    EXPECT_TRUE(e.MapFunc(u"void C(float);", &PlainF));
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    // A duplicate name: logged with the whole second declaration; the first stays.
    EXPECT_FALSE(e.MapFunc(u"void Plain0(int)", &PlainI));
    EXPECT_EQ(log.Infos(), (Lines{u"重复函数名映射：“void Plain0(int)”"})) << log.Dump();
    EXPECT_EQ(e.GetFuncMap(u"Plain0")->GetParamCount(), 0);

    // Variables: any text after the name is ignored; duplicates logged.
    log.Clear();
    int a = 1, b = 2;
    EXPECT_TRUE(e.MapProperty(u"int Va = 5;", &a));
    ASSERT_NE(e.GetPropertyMap(u"Va"), nullptr);
    EXPECT_EQ(e.GetPropertyMap(u"Va")->type, 67);
    EXPECT_EQ(e.GetPropertyMap(u"Va")->address, &a);
    EXPECT_FALSE(e.MapProperty(u"int Va", &b));
    EXPECT_EQ(log.Infos(), (Lines{u"重复属性名映射：“int Va”"})) << log.Dump();
    EXPECT_EQ(e.GetPropertyMap(u"Va")->address, &a);
    // A variable and a function may share a name.
    EXPECT_TRUE(e.MapProperty(u"int Plain0", &b));
    EXPECT_NE(e.GetFuncMap(u"Plain0"), nullptr);
    // Names are compared exactly.
    EXPECT_EQ(e.GetPropertyMap(u"va"), nullptr);
    EXPECT_EQ(e.GetScriptFunc(u"main"), nullptr);
}

TEST(DevilEngineEdge, LoadingAndTheOrderOfUse)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    g_calls.clear();
    EXPECT_FALSE(e.LoadScript(nullptr));
    EXPECT_FALSE(e.LoadScript(nullptr, 5));
    EXPECT_FALSE(e.LoadScript(u"func main(){}", 0));
    EXPECT_FALSE(e.LoadScript(u"func main(){}", -2));
    EXPECT_FALSE(e.LoadScript(u""));
    EXPECT_EQ(e.GetScriptFuncCount(), 0);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // A native bound only after loading is not called by the loaded script.
    const u16char *script = u"func main(){ Plain0(); PlainI(3); }";
    EXPECT_TRUE(e.MapFunc(u"void PlainI(int)", &PlainI));
    EXPECT_TRUE(e.LoadScript(script));
    EXPECT_TRUE(e.MapFunc(u"void Plain0()", &Plain0));
    EXPECT_TRUE(e.RunFunc(u"main"));
    EXPECT_EQ(g_calls, (Lines{u"plainI 3"}));

    // After Clear the natives still resolve: the same text loads and runs fully.
    e.Clear();
    EXPECT_EQ(e.GetRunState(), 2);
    EXPECT_EQ(e.GetScriptFunc(u"main"), nullptr);
    EXPECT_EQ(e.GetPoolSize(), 0);
    g_calls.clear();
    EXPECT_TRUE(e.LoadScript(script));
    EXPECT_TRUE(e.RunFunc(u"main"));
    EXPECT_EQ(g_calls, (Lines{u"plain0", u"plainI 3"}));

    // Loading more keeps what was loaded; a second function of the same name fails.
    log.Clear();
    EXPECT_TRUE(e.LoadScript(u"func other(){ Plain0(); }"));
    EXPECT_NE(e.GetScriptFunc(u"main"), nullptr);
    EXPECT_FALSE(e.LoadScript(u"func third(){} func main(){}"));
    EXPECT_NE(e.GetScriptFunc(u"third"), nullptr);
    EXPECT_TRUE(log.ContainsInfo(u"脚本函数名称重复: main")) << log.Dump();
}

TEST(DevilEngineEdge, RunOperationsAtTheirEdges)
{
    hgl::test::LogCapture log;
    Screen s;
    hgl::DevilEngine e;
    s.engine = &e;
    ASSERT_TRUE(e.MapMemberFunc(u"void MES(string)", &s, &Screen::MES));
    ASSERT_TRUE(e.MapMemberFunc(u"void SAY(string)", &s, &Screen::SAY));
    ASSERT_TRUE(e.MapMemberFunc(u"void Stop()", &s, &Screen::Stop));
    ASSERT_TRUE(e.LoadScript(u"func empty(){}\n"
                             u"func sub(){ SAY(\"s1\"); MES(\"s2\"); SAY(\"s3\"); }\n"
                             u"func main(){ SAY(\"m1\"); sub(); SAY(\"m2\"); L: SAY(\"m3\"); return; SAY(\"never\"); E: }\n"
                             u"func halt(){ SAY(\"h1\"); Stop(); SAY(\"h2\"); }\n"));

    // Nothing yet: no position, outputs untouched.
    hgl::String name(u"untouched");
    int index = -7;
    EXPECT_FALSE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(name.ToStdString(), u"untouched");
    EXPECT_EQ(index, -7);
    EXPECT_FALSE(e.Resume(nullptr));
    EXPECT_EQ(log.Infos(), (Lines{u"不知道从那里开始运行"}));
    log.Clear();
    EXPECT_FALSE(e.GotoLabel(u"L"));
    EXPECT_EQ(log.Errors(), (Lines{u"跳转时，虚拟机的当前运行函数不存在！呼叫堆栈中也没有函数！"}));
    EXPECT_TRUE(e.Run());   // no current frame: finished
    log.Clear();

    // A function without commands.
    EXPECT_TRUE(e.RunFunc(u"empty"));
    EXPECT_EQ(e.GetRunState(), 0);
    EXPECT_FALSE(e.GetCurrentPosition(name, index));

    // An unknown name leaves the run state as it was.
    EXPECT_FALSE(e.RunFunc(u"nothing"));
    EXPECT_EQ(log.Infos(), (Lines{u"没有找到起始函数<nothing>"}));
    EXPECT_EQ(e.GetRunState(), 0);
    log.Clear();

    // Paused inside a called function: positions and resumes by name.
    EXPECT_TRUE(e.Resume(u"main"));
    EXPECT_EQ(s.log, (Lines{u"m1", u"s1", u"s2"}));
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(name.ToStdString(), u"sub");
    EXPECT_EQ(index, 2);
    EXPECT_EQ(e.GetStackDepth(), 2);
    EXPECT_EQ(e.GetFrame(0).index, 2);
    EXPECT_TRUE(e.Resume(u"sub"));
    EXPECT_EQ(s.log, (Lines{u"m1", u"s1", u"s2", u"s3", u"m2", u"m3"}));
    EXPECT_EQ(e.GetStackDepth(), 0);
    EXPECT_EQ(e.GetRunState(), 0);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // The empty name is a name: the paused stack is discarded.
    s.log.clear();
    EXPECT_TRUE(e.RunFunc(u"sub"));
    EXPECT_EQ(e.GetRunState(), 1);
    EXPECT_FALSE(e.Resume(u""));
    EXPECT_EQ(log.Infos(), (Lines{u"没有找到起始函数<>"}));
    EXPECT_EQ(e.GetStackDepth(), 0);
    EXPECT_EQ(e.GetRunState(), 1);
    EXPECT_FALSE(e.Resume(nullptr));      // nothing left to continue
    EXPECT_EQ(log.Infos(), (Lines{u"没有找到起始函数<>", u"不知道从那里开始运行"}));
    log.Clear();

    // Start positions without running; the label at the very end ends the function.
    s.log.clear();
    EXPECT_TRUE(e.Start(u"main", u"L"));
    EXPECT_TRUE(s.log.empty());
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(name.ToStdString(), u"main");
    EXPECT_EQ(e.GetRunState(), 0);
    EXPECT_TRUE(e.Resume(nullptr));
    EXPECT_EQ(s.log, (Lines{u"m3"}));
    s.log.clear();
    EXPECT_TRUE(e.RunFrom(u"main", u"E"));
    EXPECT_TRUE(s.log.empty());
    EXPECT_EQ(e.GetStackDepth(), 0);
    // A missing label: false, nothing run, the frame stays at 0 with state 0.
    EXPECT_FALSE(e.Start(u"main", u"nowhere"));
    EXPECT_EQ(log.Infos(), (Lines{u"没有在函数<main>内找到跳转标识<nowhere>"}));
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(index, 0);
    log.Clear();
    EXPECT_FALSE(e.RunFrom(u"main", u"nowhere"));
    EXPECT_TRUE(s.log.empty());
    EXPECT_FALSE(e.Start(u"nothing", u"L"));
    EXPECT_FALSE(e.RunFrom(u"nothing", u"L"));
    EXPECT_EQ(log.Infos(), (Lines{u"没有在函数<main>内找到跳转标识<nowhere>", u"没有找到起始函数<nothing>",
                                   u"没有找到起始函数<nothing>"}));
    EXPECT_EQ(e.GetStackDepth(), 0);
    log.Clear();

    // Stop from a native: true right after it, empty stack, state 2.
    s.log.clear();
    EXPECT_TRUE(e.RunFunc(u"halt"));
    EXPECT_EQ(s.log, (Lines{u"h1"}));
    EXPECT_EQ(e.GetRunState(), 2);
    EXPECT_EQ(e.GetStackDepth(), 0);
    // Pause outside a run only sets the state.
    e.Pause();
    EXPECT_EQ(e.GetRunState(), 1);
    e.Stop();
    EXPECT_EQ(e.GetRunState(), 2);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
}

TEST(DevilEngineEdge, StackOperationsAndGotoMessages)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    auto *main = new hgl::DevilFunc(&e, hgl::String(u"main"));
    main->AddReturn();
    auto *other = new hgl::DevilFunc(&e, hgl::String(u"other"));
    ASSERT_TRUE(e.AddScriptFunc(main));
    ASSERT_TRUE(e.AddScriptFunc(other));

    EXPECT_FALSE(e.Return());        // nothing to pop
    EXPECT_FALSE(e.Goto(main, 0));   // no current frame
    e.Call(main);
    e.Call(other);
    EXPECT_EQ(e.GetCurrentFunc(), other);
    EXPECT_TRUE(e.Return());
    EXPECT_EQ(e.GetCurrentFunc(), main);
    log.Clear();
    EXPECT_FALSE(e.Goto(main, -1));
    EXPECT_FALSE(e.Goto(other, 0));
    EXPECT_TRUE(e.Goto(main, 5));    // past the end is allowed
    EXPECT_EQ(log.Infos(), (Lines{u"DevilEngine执行GOTO时，指令索引<main>:<-1>不正确！",
                                   u"DevilEngine执行GOTO时，当前函数对应不正确!\n要求为<other>,实质为<main>"}))
        << log.Dump();
    EXPECT_TRUE(e.Run());            // past the end: the function ends
    EXPECT_EQ(e.GetStackDepth(), 0);
    EXPECT_FALSE(e.HasCurrentFrame());
    e.Call(main);
    e.ClearStack();
    EXPECT_EQ(e.GetStackDepth(), 0);
    EXPECT_FALSE(e.HasCurrentFrame());

    // Builder refusals with their messages.
    log.Clear();
    EXPECT_TRUE(main->AddGotoFlag(hgl::String(u"L")));
    EXPECT_FALSE(main->AddGotoFlag(hgl::String(u"L")));
    EXPECT_EQ(main->AddValue(67, hgl::String(u"v"))->GetType(), 67);
    EXPECT_EQ(main->AddValue(72, hgl::String(u"v")), nullptr);
    EXPECT_EQ(main->AddValue(5, hgl::String(u"w")), nullptr);
    EXPECT_EQ(main->AddValue(77, hgl::String(u"x")), nullptr);
    EXPECT_EQ(log.Errors(), (Lines{u"添加跳转标识符<L>失败，这个标识符重复了！", u"添加变量失败，变量名称<v>重复！",
                                    u"变量<w>的类型无法实别，id=5", u"变量<x>的类型无法实别，id=77"}))
        << log.Dump();
    // Each type keyword gives a script value of its element type, holding zero.
    auto *i8 = dynamic_cast<hgl::DevilScriptValue<signed char> *>(main->AddValue(68, hgl::String(u"a8")));
    ASSERT_NE(i8, nullptr);
    EXPECT_EQ(*i8->GetValue(), 0);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<short> *>(main->AddValue(69, hgl::String(u"a16"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<hgl::int64> *>(main->AddValue(70, hgl::String(u"a64"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<unsigned char> *>(main->AddValue(73, hgl::String(u"b8"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<unsigned short> *>(main->AddValue(74, hgl::String(u"b16"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<hgl::uint64> *>(main->AddValue(75, hgl::String(u"b64"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<unsigned int> *>(main->AddValue(72, hgl::String(u"u"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<bool> *>(main->AddValue(61, hgl::String(u"t"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<float> *>(main->AddValue(76, hgl::String(u"f"))), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<double> *>(main->AddValue(89, hgl::String(u"d"))), nullptr);
    auto *str = dynamic_cast<hgl::DevilScriptValue<hgl::String> *>(main->AddValue(66, hgl::String(u"s")));
    ASSERT_NE(str, nullptr);
    EXPECT_TRUE(str->GetValue()->IsEmpty());
}

TEST(DevilEngineEdge, ValuesAndComparisonsByTheirParts)
{
    hgl::DevilEngine e;
    hgl::DevilBool t(&e, u"true"), f(&e, u"false"), T(&e, u"Tx"), n(&e, u"");
    EXPECT_TRUE(*t.GetValue());
    EXPECT_FALSE(*f.GetValue());
    EXPECT_TRUE(*T.GetValue());
    EXPECT_FALSE(*n.GetValue());
    EXPECT_EQ(t.GetType(), 61);
    hgl::DevilInteger i(&e, u"-5");
    EXPECT_EQ(*i.GetValue(), -5);
    EXPECT_EQ(i.GetType(), 67);
    hgl::DevilUInteger u(&e, u"5");
    EXPECT_EQ(*u.GetValue(), 5u);
    EXPECT_EQ(u.GetType(), 72);
    hgl::DevilFloat fl(&e, u"-1.5");
    EXPECT_EQ(*fl.GetValue(), -1.5f);
    EXPECT_EQ(fl.GetType(), 76);
    hgl::DevilDouble d(&e, u"1.5e3");
    EXPECT_EQ(*d.GetValue(), 1.5);
    EXPECT_EQ(d.GetType(), 89);
    hgl::DevilUInteger none(&e, u"abc");
    EXPECT_EQ(*none.GetValue(), 0u);

    // A property read through the entry's address on every evaluation.
    int host = -1;
    ASSERT_TRUE(e.MapProperty(u"int V", &host));
    auto *lv = new hgl::DevilValueProperty<int>(&e, e.GetPropertyMap(u"V"), 67);
    hgl::DevilCompLess<int, unsigned int> less(lv, new hgl::DevilUInteger(&e, u"0"));
    EXPECT_FALSE(less.Comp());
    host = 0;
    EXPECT_FALSE(less.Comp());
    hgl::DevilCompEqu<int, int> eq(new hgl::DevilValueProperty<int>(&e, e.GetPropertyMap(u"V"), 67),
                                   new hgl::DevilInteger(&e, u"-1"));
    EXPECT_FALSE(eq.Comp());
    host = -1;
    EXPECT_TRUE(eq.Comp());
    // A double literal on the left.
    hgl::DevilCompGreater<double, int> gt(new hgl::DevilDouble(&e, u"1.5"),
                                          new hgl::DevilValueProperty<int>(&e, e.GetPropertyMap(u"V"), 67));
    host = 1;
    EXPECT_TRUE(gt.Comp());
}

TEST(DevilEngineEdge, CallsCompiledAgainstTheRecordedParameters)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    g_calls.clear();
    Holder h{&g_calls};
    // int64 is not recorded: one constant fills the one int parameter.
    ASSERT_TRUE(e.MapFunc(u"void B(int64,int)", &PlainI));
    ASSERT_TRUE(e.MapFunc(u"void N()", &PlainNoexcept));
    ASSERT_TRUE(e.MapMemberFunc(u"void M(int)", &h, &Holder::Member));
    // A lambda without captures binds as a plain function.
    ASSERT_TRUE(e.MapFunc(u"void L(string)", [](const u16char *t) { g_calls.push_back(t); }));
    EXPECT_FALSE(e.MapFunc(u"void L2(int)", [](float) {}));
    ASSERT_TRUE(e.LoadScript(u"func main(){ B(4); N(); M(2); L(\"lambda\"); }"));
    EXPECT_TRUE(e.RunFunc(u"main"));
    EXPECT_EQ(g_calls, (Lines{u"plainI 4", u"noexcept", u"member 2", u"lambda"}));
    EXPECT_EQ(log.Errors().size(), 1u) << log.Dump();
}

TEST(DevilEngineEdge, JumpsThatFailAndNullNames)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    g_calls.clear();
    ASSERT_TRUE(e.MapFunc(u"void Plain0()", &Plain0));
    auto *main = new hgl::DevilFunc(&e, u"main");
    main->AddGoto(hgl::String(u"X"));
    main->AddCommand(new hgl::DevilSystemFuncCallFixed(e.GetFuncMap(u"Plain0")));
    ASSERT_TRUE(e.AddScriptFunc(main));

    // The three lines of a jump to a label the function lacks.
    EXPECT_FALSE(e.RunFunc(u"main"));
    EXPECT_EQ(log.Entries().size(), 3u) << log.Dump();
    EXPECT_EQ(log.Errors(), (Lines{u"在函数<main>没有找到跳转标识<X>"}));
    EXPECT_EQ(log.Infos(), (Lines{u"DevilEngine执行GOTO时，指令索引<main>:<-1>不正确！", u"运行出错！<main><0>"}));
    EXPECT_EQ(e.GetRunState(), 0);
    hgl::String name;
    int index = -1;
    EXPECT_TRUE(e.GetCurrentPosition(name, index));
    EXPECT_EQ(index, 1);
    // The owner may go on after the failed command.
    EXPECT_TRUE(e.Resume(nullptr));
    EXPECT_EQ(g_calls, (Lines{u"plain0"}));

    // An unresolved label is looked up again on each run; once found it is kept.
    log.Clear();
    g_calls.clear();
    EXPECT_TRUE(main->AddGotoFlag(u"X"));
    EXPECT_TRUE(e.RunFunc(u"main"));
    EXPECT_TRUE(g_calls.empty());
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // Null names are refused without harm.
    EXPECT_FALSE(e.RunFunc(nullptr));
    EXPECT_FALSE(e.Start(nullptr, u"X"));
    EXPECT_FALSE(e.RunFrom(nullptr, nullptr));
    EXPECT_FALSE(e.Start(u"main", nullptr));
    EXPECT_FALSE(e.GotoLabel(nullptr));
    EXPECT_FALSE(e.MapFunc(nullptr, &Plain0));
    EXPECT_FALSE(e.MapProperty(nullptr, &index));
    EXPECT_EQ(e.GetScriptFunc(static_cast<const u16char *>(nullptr)), nullptr);
}

TEST(DevilEngineEdge, NativeVariablesOfEveryDeclaredKind)
{
    hgl::test::LogCapture log;
    hgl::DevilEngine e;
    hgl::String text(u"t");
    double d = 0;
    long long ll = 0;
    hgl::int64 l64 = 0;
    unsigned long long ull = 0;
    bool b = false;
    int other = 0;
    EXPECT_TRUE(e.MapProperty(u"string S", &text));
    EXPECT_TRUE(e.MapProperty(u"double D", &d));
    EXPECT_TRUE(e.MapProperty(u"int64 L", &ll));
    EXPECT_TRUE(e.MapProperty(u"int64 L2", &l64));
    EXPECT_TRUE(e.MapProperty(u"uint64 U", &ull));
    EXPECT_TRUE(e.MapProperty(u"bool B", &b));
    EXPECT_TRUE(e.MapProperty(u"int32 I", &other));
    // Any token is taken as the type; only a numeric one is checked against the C++ type.
    EXPECT_TRUE(e.MapProperty(u"Thing T", &other));
    EXPECT_TRUE(e.MapProperty(u"void V", &other));
    EXPECT_EQ(e.GetPropertyMap(u"T")->type, 5);
    EXPECT_EQ(e.GetPropertyMap(u"V")->type, 77);
    EXPECT_EQ(e.GetPropertyMap(u"I")->type, 67);
    EXPECT_EQ(e.GetPropertyMap(u"S")->address, &text);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    EXPECT_FALSE(e.MapProperty(u"double F", &other));
    EXPECT_FALSE(e.MapProperty(u"int8 G", &other));
    EXPECT_EQ(log.Errors().size(), 2u) << log.Dump();
}
