// Compiler and condition behaviour seen from outside: scripts are loaded through
// the engine, and what they compiled to is observed by running them, by the
// positions of their labels and by the log.
#include "core/String.h"
#include "io/MemStream.h"
#include "script/DevilComp.h"
#include "script/DevilCommand.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"
#include "script/Tokenizer.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
using hgl::u16char;
using hgl::test::LogCapture;

std::vector<std::u16string> g_trace;
std::vector<const u16char *> g_pointers;
int g_fcalls = 0;
int g_fresult = 0;
hgl::DevilVM *g_vm = nullptr;

std::u16string Num(long long v)
{
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

std::u16string Flt(float v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", double(v));
    std::string s = buf;
    return std::u16string(s.begin(), s.end());
}

void NA(int a, int b) { g_trace.push_back(u"A:" + Num(a) + u"," + Num(b)); }
void NB() { g_trace.push_back(u"B"); }
void NX() { g_trace.push_back(u"X"); }
void NY() { g_trace.push_back(u"Y"); }
void NZ() { g_trace.push_back(u"Z"); }
void NH(int a) { g_trace.push_back(u"H:" + Num(a)); }
void NI(int a) { g_trace.push_back(u"I:" + Num(a)); }
void NI8(signed char a) { g_trace.push_back(u"I8:" + Num(a)); }
void NU(unsigned a) { g_trace.push_back(u"U:" + Num(a)); }
void NF(float a) { g_trace.push_back(u"F:" + Flt(a)); }
void NBool(bool a) { g_trace.push_back(u"BO:" + Num(*reinterpret_cast<unsigned char *>(&a))); }
void NS(const u16char *s)
{
    g_pointers.push_back(s);
    g_trace.push_back(u"S:" + std::u16string(s ? s : u"(null)"));
}
void NMes(const u16char *s) { g_trace.push_back(u"MES:" + std::u16string(s)); }
void NPause()
{
    g_trace.push_back(u"P");
    g_vm->Pause();
}
void NStop()
{
    g_trace.push_back(u"STOP");
    g_vm->Stop();
}
int FInt(int a)
{
    ++g_fcalls;
    g_trace.push_back(u"F(" + Num(a) + u")");
    return g_fresult;
}
int FSeq()
{
    ++g_fcalls;
    g_trace.push_back(u"FS");
    return g_fcalls >= 3 ? 1 : 0;
}
void FVoid(int) {}
const u16char *FStr() { return u""; }

struct Host
{
    std::unique_ptr<hgl::DevilVM> vm{hgl::NewDevilEngine()};
    hgl::DevilEngine *engine = static_cast<hgl::DevilEngine *>(vm.get());
    int P = 0;
    unsigned U = 0;
    signed char P8 = 0;
    unsigned short U16 = 0;
    float PF = 0;
    hgl::String STR;

    Host()
    {
        g_trace.clear();
        g_pointers.clear();
        g_fcalls = 0;
        g_fresult = 0;
        g_vm = vm.get();
        EXPECT_TRUE(vm->MapFunc(u"void A(int,int)", &NA));
        EXPECT_TRUE(vm->MapFunc(u"void B()", &NB));
        EXPECT_TRUE(vm->MapFunc(u"void X()", &NX));
        EXPECT_TRUE(vm->MapFunc(u"void Y()", &NY));
        EXPECT_TRUE(vm->MapFunc(u"void Z()", &NZ));
        EXPECT_TRUE(vm->MapFunc(u"void h(int)", &NH));
        EXPECT_TRUE(vm->MapFunc(u"void I(int)", &NI));
        EXPECT_TRUE(vm->MapFunc(u"void I8(int8)", &NI8));
        EXPECT_TRUE(vm->MapFunc(u"void U(uint)", &NU));
        EXPECT_TRUE(vm->MapFunc(u"void FL(float)", &NF));
        EXPECT_TRUE(vm->MapFunc(u"void BO(bool)", &NBool));
        EXPECT_TRUE(vm->MapFunc(u"void S(string)", &NS));
        EXPECT_TRUE(vm->MapFunc(u"void MES(string)", &NMes));
        EXPECT_TRUE(vm->MapFunc(u"void PAUSE()", &NPause));
        EXPECT_TRUE(vm->MapFunc(u"void STOP()", &NStop));
        EXPECT_TRUE(vm->MapFunc(u"int F(int)", &FInt));
        EXPECT_TRUE(vm->MapFunc(u"int FS()", &FSeq));
        EXPECT_TRUE(vm->MapFunc(u"void FV(int)", &FVoid));
        EXPECT_TRUE(vm->MapFunc(u"string FSTR()", &FStr));
        EXPECT_TRUE(vm->MapProperty(u"int P", &P));
        EXPECT_TRUE(vm->MapProperty(u"uint U", &U));
        EXPECT_TRUE(vm->MapProperty(u"int8 P8", &P8));
        EXPECT_TRUE(vm->MapProperty(u"uint16 U16", &U16));
        EXPECT_TRUE(vm->MapProperty(u"float PF", &PF));
        EXPECT_TRUE(vm->MapProperty(u"string STR", &STR));
    }

    bool Load(const std::u16string &text) { return vm->LoadScript(text.c_str(), int(text.size())); }

    // Index of a label of "main", through the public jump.
    int LabelIndex(const u16char *label, const u16char *func = u"main")
    {
        if (!vm->Start(func, label)) return -1;
        hgl::String name;
        int index = -1;
        if (!vm->GetCurrentPosition(name, index)) return -1;
        vm->Stop();
        return index;
    }

    int Commands(const u16char *func = u"main")
    {
        hgl::DevilFunc *f = engine->GetScriptFunc(hgl::String(func));
        return f ? f->GetCommandCount() : -1;
    }

    std::vector<std::u16string> Run(const u16char *func = u"main")
    {
        g_trace.clear();
        EXPECT_TRUE(vm->RunFunc(func));
        return g_trace;
    }
};

using Trace = std::vector<std::u16string>;
} // namespace

TEST(DevilCompilerEdge, TopLevel)
{
    struct Case
    {
        const char16_t *text;
        bool ok;
        const char16_t *defined;
        const char16_t *missing;
    } cases[] = {
        {u"func main(){} \u3000 func later(){}", true, u"main", u"later"},
        {u"  // only a comment", true, nullptr, u"main"},
        // A function whose parameter skip runs into its body swallows the rest.
        {u"func main { A(1,2); } func other(){ B(); }", true, u"main", u"other"},
        // Any token is a name.
        {u"func \"q\"(){ B(); }", true, u"\"q\"", nullptr},
        // An unrecognised character as the name reads as the end: the name stays
        // "func", and the reader goes on after the character.
        {u"func # main(){ B(); }", true, u"func", u"main"},
    };
    for (const Case &c : cases)
    {
        Host h;
        LogCapture log;
        EXPECT_EQ(h.Load(c.text), c.ok) << hgl::test::U8(c.text);
        if (c.defined) {
            EXPECT_NE(h.engine->GetScriptFunc(hgl::String(c.defined)), nullptr) << hgl::test::U8(c.text);
        }
        if (c.missing) {
            EXPECT_EQ(h.engine->GetScriptFunc(hgl::String(c.missing)), nullptr) << hgl::test::U8(c.text);
        }
        EXPECT_EQ(log.Count(), 0u) << hgl::test::U8(c.text) << log.Dump();
    }
    {
        Host h;
        ASSERT_TRUE(h.Load(u"func main { A(1,2); } func other(){ B(); }"));
        EXPECT_EQ(h.Run(), Trace{});   // the call's text was the parameter list
    }
    {
        // The engine class itself offers every form; a view needs no terminator.
        std::unique_ptr<hgl::DevilVM> vm(hgl::NewDevilEngine());
        ASSERT_NE(vm, nullptr);
        hgl::DevilEngine *engine = static_cast<hgl::DevilEngine *>(vm.get());
        const u16char raw[] = {u'f', u'u', u'n', u'c', u' ', u'v', u'(', u')', u'{', u'}', u'#'};
        EXPECT_TRUE(engine->LoadScript(std::u16string_view(raw, 10)));
        EXPECT_TRUE(engine->LoadScript(u"func w(){}"));
        EXPECT_TRUE(engine->LoadScript(u"func x(){} func y(){}", 10));
        EXPECT_FALSE(engine->LoadScript(u"func z(){}", 0));
        for (const char16_t *name : {u"v", u"w", u"x"}) EXPECT_NE(engine->GetScriptFunc(hgl::String(name)), nullptr);
        EXPECT_EQ(engine->GetScriptFunc(hgl::String(u"y")), nullptr);
        EXPECT_EQ(engine->GetScriptFunc(hgl::String(u"z")), nullptr);
    }
}

TEST(DevilCompilerEdge, NativeArgumentBlocks)
{
    struct Case
    {
        const char16_t *body;
        Trace trace;
    } cases[] = {
        {u"A(1,2)", {u"A:1,2"}},                   // no ";" at the end of the body
        {u"A(2147483647, 4294967295);", {u"A:2147483647,-1"}},
        {u"A(3000000000, 99999999999.0);", {u"A:-1294967296,1215750144"}},   // wraps; low 32 bits
        {u"A(999999999999999999999999999999999999999999.0, -0.5);", {u"A:0,0"}},   // inf truncates to 0
        {u"U(4294967297);", {u"U:1"}},
        {u"S(\"a\" \"b\");", {u"S:a"}},
        {u"FL(7); FL(-2); FL(1.5e3); FL(2.25f); FL(-0.5);", {u"F:7", u"F:-2", u"F:1.5", u"F:2.25", u"F:-0.5"}},
        {u"S(\"a\\nb\\\\c\\q\");", {u"S:a\nb\\c\\q"}},
        {u"S(\"\"); S(\"中文 text\");", {u"S:", u"S:中文 text"}},
        {u"A(1 /* c */ , // x\n 2);", {u"A:1,2"}},
        // The compiled form runs every time, with the same words.
        {u"B(); B(1, 2);", {u"B", u"B"}},
    };
    for (const Case &c : cases)
    {
        Host h;
        LogCapture log;
        std::u16string text = u"func main(){ " + std::u16string(c.body) + u" }";
        ASSERT_TRUE(h.Load(text)) << hgl::test::U8(text) << log.Dump();
        EXPECT_EQ(log.Count(), 0u) << hgl::test::U8(text) << log.Dump();
        EXPECT_EQ(h.Run(), c.trace) << hgl::test::U8(text);
    }
}

TEST(DevilCompilerEdge, RefusedArguments)
{
    // Each refused call logs the not-found line, consumes through the next ")"
    // after the refused token, and compiles nothing.
    struct Case
    {
        const char16_t *body;
        const char16_t *name;
        Trace trace;
    } cases[] = {
        {u"A(1); B(); A(3,4);", u"A", {u"A:3,4"}},            // ")" is no argument; B's ")" ends the skip
        {u"I(0x10); X();", u"I", {u"X"}},
        {u"I(ident); X();", u"I", {u"X"}},
        {u"I(\"5\"); X();", u"I", {u"X"}},
        {u"I(1+2); X();", u"I", {u"I:1", u"X"}},
        {u"S(\"abc\n); X();", u"S", {u"X"}},            // unterminated string                       // the first token is the argument
        {u"U(-1); X();", u"U", {u"X"}},
        {u"S(\"\"\"doc\"\"\"); X();", u"S", {u"X"}},
        {u"S('c'); X();", u"S", {u"X"}},
        {u"S(5); X();", u"S", {u"X"}},
        {u"BO(1.5); X();", u"BO", {u"X"}},
        {u"BO(-1); X();", u"BO", {u"X"}},
        {u"FL(- x); X();", u"FL", {u"X"}},
        {u"FL(--1); X();", u"FL", {u"X"}},
    };
    for (const Case &c : cases)
    {
        Host h;
        LogCapture log;
        std::u16string text = u"func main(){ " + std::u16string(c.body) + u" }";
        ASSERT_TRUE(h.Load(text)) << hgl::test::U8(text) << log.Dump();
        std::u16string msg = u"脚本调用函数没有找到相应的真实函数映射与脚本函数<" + std::u16string(c.name) + u">";
        if (std::u16string(c.body) == u"I(1+2); X();")
        {
            // "+" and "2" are surplus, passed over with the skip to ")".
            EXPECT_EQ(log.Count(), 0u) << log.Dump();
        }
        else
        {
            EXPECT_EQ(log.Lines(), (Trace{msg})) << hgl::test::U8(text);
            EXPECT_TRUE(log.ContainsInfo(msg));
        }
        EXPECT_EQ(h.Run(), c.trace) << hgl::test::U8(text);
    }
    {
        // A refused native call falls back to a script function of the same name.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func B(){ X(); } func main(){ B(1); Y(); }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        EXPECT_EQ(h.Run(), (Trace{u"B", u"Y"}));   // the native B takes no argument, so it is accepted
    }
    {
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func I(){ X(); } func main(){ I(\"s\"); Y(); }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        // The skip after the refusal consumed the ")", so the script call of I
        // is followed by Y.
        EXPECT_EQ(h.Run(), (Trace{u"X", u"Y"}));
    }
}

TEST(DevilCompilerEdge, LateRegistration)
{
    Host h;
    LogCapture log;
    ASSERT_TRUE(h.Load(u"func main(){ LATE(1); X(); }"));
    EXPECT_EQ(log.Lines(), (Trace{u"脚本调用函数没有找到相应的真实函数映射与脚本函数<LATE>"}));
    ASSERT_TRUE(h.vm->MapFunc(u"void LATE(int)", &NI));
    EXPECT_EQ(h.Run(), (Trace{u"X"}));
    // Clear keeps the registrations: the same text now compiles the call.
    h.vm->Clear();
    ASSERT_TRUE(h.Load(u"func main(){ LATE(1); X(); }"));
    EXPECT_EQ(h.Run(), (Trace{u"I:1", u"X"}));
}

TEST(DevilCompilerEdge, VariableDefinitions)
{
    Host h;
    LogCapture log;
    ASSERT_TRUE(h.Load(u"func main(){ int a; int a; int8 b = \"s\"; double c = Unknown; float d = P; "
                       u"string e = F(1); int 5; bool f X(); uint32 g = -1; int64 hh = F(\"x\"); Y(); }"));
    EXPECT_EQ(log.Lines(), (Trace{u"添加变量失败，变量名称<a>重复！",
                                  u"函数<main>的变量<a>定义式无法解析",
                                  u"函数<main>的变量<b>定义时的赋值式无法解析",
                                  u"没有找到属性映射<Unknown>",
                                  u"函数<main>的变量<c>定义时的赋值式无法解析",
                                  u"if中的真实函数映射没有找到",
                                  u"函数<main>的变量<hh>定义时的赋值式无法解析"}))
        << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"添加变量失败，变量名称<a>重复！"));
    EXPECT_TRUE(log.ContainsError(u"函数<main>的变量<a>定义式无法解析"));
    EXPECT_TRUE(log.ContainsError(u"函数<main>的变量<b>定义时的赋值式无法解析"));
    EXPECT_TRUE(log.ContainsInfo(u"没有找到属性映射<Unknown>"));
    EXPECT_TRUE(log.ContainsInfo(u"if中的真实函数映射没有找到"));
    // No initialiser calls F, neither now nor at run time. "int 5" stops silently;
    // in "bool f X();" the token after the name (X) ends the definition and is
    // consumed, so its "(" ")" are passed over and X is never called.
    EXPECT_EQ(g_fcalls, 0);
    Trace ran = h.Run();
    EXPECT_EQ(g_fcalls, 0);
    EXPECT_EQ(ran, (Trace{u"Y"}));
    hgl::DevilFunc *f = h.engine->GetScriptFunc(hgl::String(u"main"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetCommandCount(), 1);
    for (const char16_t *v : {u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"hh"})
        EXPECT_NE(f->GetValue(v), nullptr) << hgl::test::U8(v);
    // The same name in another function is a different variable.
    ASSERT_TRUE(h.Load(u"func other(){ int a; }"));
}

TEST(DevilCompilerEdge, ConditionShapes)
{
    {
        // Nested ifs: each base name carries its own command count.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func main(){ B(); if (P >= 1) { X(); if (P >= 2) { Y(); } else Z(); } A(1,1); }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        // B, CG(1), X, CG(3), Y, GOTO, Z, A
        EXPECT_EQ(h.Commands(), 8);
        EXPECT_EQ(h.LabelIndex(u"main_3_else"), 6);
        EXPECT_EQ(h.LabelIndex(u"main_3_end"), 7);
        EXPECT_EQ(h.LabelIndex(u"main_1_end"), 7);
        h.P = 0;
        EXPECT_EQ(h.Run(), (Trace{u"B", u"A:1,1"}));
        h.P = 1;
        EXPECT_EQ(h.Run(), (Trace{u"B", u"X", u"Z", u"A:1,1"}));
        h.P = 2;
        EXPECT_EQ(h.Run(), (Trace{u"B", u"X", u"Y", u"A:1,1"}));
    }
    {
        // else if does not swallow the statement after the chain.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func main(){ if (P == 1) X(); else if (P == 2) { Y(); } else { Z(); } MES(\"after\"); }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        h.P = 1;
        EXPECT_EQ(h.Run(), (Trace{u"X", u"MES:after"}));
        h.P = 2;
        EXPECT_EQ(h.Run(), (Trace{u"Y", u"MES:after"}));
        h.P = 3;
        EXPECT_EQ(h.Run(), (Trace{u"Z", u"MES:after"}));
    }
    {
        // A dangling else belongs to the inner if.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func main(){ if (P >= 1) if (P >= 2) X(); else Y(); Z(); }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        h.P = 0;
        EXPECT_EQ(h.Run(), (Trace{u"Z"}));
        h.P = 1;
        EXPECT_EQ(h.Run(), (Trace{u"Y", u"Z"}));
        h.P = 2;
        EXPECT_EQ(h.Run(), (Trace{u"X", u"Z"}));
    }
    {
        // Braceless bodies: a single call body ends at its ";".
        Host h;
        ASSERT_TRUE(h.Load(u"func main(){ if (P == 1) X(); Y(); }"));
        h.P = 0;
        EXPECT_EQ(h.Run(), (Trace{u"Y"}));
        h.P = 1;
        EXPECT_EQ(h.Run(), (Trace{u"X", u"Y"}));
    }
    {
        // A condition reads one comparison; the rest up to ")" is passed over.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func main(){ if (P == 1 && U == 2) { X(); } if (P == 1 2 3) { Y(); } }"));
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
        h.P = 1;
        h.U = 0;
        EXPECT_EQ(h.Run(), (Trace{u"X", u"Y"}));
    }
}

TEST(DevilCompilerEdge, ConditionOperands)
{
    struct Case
    {
        const char16_t *cond;
        int p;
        unsigned u;
        bool taken;
    } cases[] = {
        {u"5 < 7", 0, 0, true},
        {u"7 < 5", 0, 0, false},
        {u"-1 < P", 0, 0, true},            // int literal against int
        {u"-1 < U", 0, 0, false},           // int against uint: unsigned 32-bit
        {u"P < 0", -1, 0, false},           // int variable against a uint literal
        {u"P > 0", -1, 0, true},
        {u"P == -1", -1, 0, true},
        {u"U > -5", 0, 3, false},
        {u"P > 1.5", 2, 0, true},
        {u"P > 1.5", 1, 0, false},
        {u"P > 1.5f", 2, 0, true},
        {u"1.5 > P", 1, 0, true},           // left read as a double
        {u"1.5 < P", 1, 0, false},
        {u"-1.5f < P", -1, 0, true},
        {u"-1.5 > P", -2, 0, true},
        {u"true == true", 0, 0, true},
        {u"true != false", 0, 0, true},
        {u"true == P", 1, 0, true},
        {u"P != 0", 0, 0, false},
        {u"P <= 0", 0, 0, true},
        {u"P >= 1", 0, 0, false},
        {u"1.5e3 == 1.5", 0, 0, true},      // the exponent is not applied
        {u"P8 == -1", 0, 0, true},
        {u"U16 == 65535", 0, 0, true},
        {u"PF == 0.5f", 0, 0, true},
        {u"PF != 0.5", 0, 0, false},
        {u"U == 4294967296", 0, 0, true},   // the literal wraps like the argument conversion
        {u"P == -0", 0, 0, true},
    };
    for (const Case &c : cases)
    {
        Host h;
        LogCapture log;
        h.P = c.p;
        h.U = c.u;
        h.P8 = -1;
        h.U16 = 65535;
        h.PF = 0.5f;
        std::u16string text = u"func main(){ if (" + std::u16string(c.cond) + u") { X(); } }";
        ASSERT_TRUE(h.Load(text)) << hgl::test::U8(text) << log.Dump();
        EXPECT_EQ(h.Run(), c.taken ? Trace{u"X"} : Trace{}) << hgl::test::U8(text);
        EXPECT_EQ(log.Count(), 0u) << log.Dump();
    }
}

TEST(DevilCompilerEdge, ConditionFailures)
{
    struct Case
    {
        const char16_t *cond;
        Trace lines;   // before the two closing lines
    } cases[] = {
        {u"P", {}},
        {u"!P", {}},
        {u"P = 1", {}},
        {u"P == ", {}},
        {u"(P == 1)", {}},
        {u"\"a\" == P", {}},
        {u"P == \"a\"", {}},
        {u"0x10 == P", {}},
        {u"P == 'a'", {}},                   // a character constant is an integer constant
        {u"- P == 1", {}},
        {u"Unknown() == 1", {}},
        {u"V == 1", {u"没有找到属性映射<V>"}},
        {u"Nope == 1", {u"没有找到属性映射<Nope>"}},
        {u"P == Nope", {u"没有找到属性映射<Nope>"}},
        {u"STR == 1", {u"if 比较指令暂时不支持<string>类型的数据进行比较"}},
        {u"FV(2) == 1", {u"if中调用的函数返回类型无法支持"}},
        {u"FSTR() == 1", {u"if中调用的函数返回类型无法支持"}},
        {u"F(\"x\") == 1", {u"if中的真实函数映射没有找到"}},
    };
    for (const Case &c : cases)
    {
        Host h;
        LogCapture log;
        std::u16string text = u"func ok(){ B(); } func main(){ int V; if (" + std::u16string(c.cond) + u") { X(); } } func after(){}";
        if (std::u16string(c.cond) == u"P == 'a'")
        {
            ASSERT_TRUE(h.Load(text)) << log.Dump();
            continue;
        }
        EXPECT_FALSE(h.Load(text)) << hgl::test::U8(text);
        Trace want = c.lines;
        want.push_back(u"if解析错误");
        want.push_back(u"解晰函数<main>失败!");
        EXPECT_EQ(log.Lines(), want) << hgl::test::U8(text);
        EXPECT_TRUE(log.ContainsError(u"if解析错误"));
        for (const auto &l : c.lines) EXPECT_TRUE(log.ContainsInfo(l));
        EXPECT_EQ(h.engine->GetScriptFunc(hgl::String(u"main")), nullptr);
        EXPECT_NE(h.engine->GetScriptFunc(hgl::String(u"ok")), nullptr);
        EXPECT_EQ(h.engine->GetScriptFunc(hgl::String(u"after")), nullptr);
    }
    {
        // A body that fails makes the if fail; so does an else body.
        for (const char16_t *text : {u"func main(){ if (P == 1) { # } }", u"func main(){ if (P == 1) X(); else # }",
                                     u"func main(){ if (P == 1)"})
        {
            Host h;
            LogCapture log;
            EXPECT_FALSE(h.Load(text)) << hgl::test::U8(text);
            EXPECT_TRUE(log.ContainsError(u"if解析错误")) << log.Dump();
            EXPECT_TRUE(log.ContainsInfo(u"解晰函数<main>失败!")) << log.Dump();
        }
    }
}

TEST(DevilCompilerEdge, ConditionNativeCalls)
{
    Host h;
    LogCapture log;
    ASSERT_TRUE(h.Load(u"func main(){ if (F(2) >= 3) { X(); } }"));
    EXPECT_EQ(g_fcalls, 0);      // not called at load time, hook or no hook
    g_fresult = 3;
    EXPECT_EQ(h.Run(), (Trace{u"F(2)", u"X"}));
    g_fresult = 2;
    EXPECT_EQ(h.Run(), (Trace{u"F(2)"}));
    EXPECT_EQ(g_fcalls, 2);
    EXPECT_EQ(log.Count(), 0u) << log.Dump();

    // The left operand is called before the right one.
    Host h2;
    ASSERT_TRUE(h2.Load(u"func main(){ if (F(1) == F(2)) { X(); } }"));
    EXPECT_EQ(h2.Run(), (Trace{u"F(1)", u"F(2)", u"X"}));

    // Compile hook: never consulted for calls in conditions.
    struct Hook
    {
        std::vector<std::u16string> names;
        bool Accept(const u16char *name)
        {
            names.push_back(name);
            return true;
        }
    } hook;
    Host h3;
    hgl::DevilVM::CompileHook cb;
    cb.Bind<&Hook::Accept>(&hook);
    h3.vm->SetCompileHook(cb);
    ASSERT_TRUE(h3.Load(u"func main(){ if (F(5) == 0) { X(); } }"));
    EXPECT_EQ(hook.names, (std::vector<std::u16string>{u"X"}));
    EXPECT_EQ(g_fcalls, 0);
}

TEST(DevilCompilerEdge, GeneratedLabelCollisions)
{
    {
        // The script's label comes first: the generated one is refused and the
        // conditional jump lands on the script's label.
        Host h;
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func main(){ X(); main_1_end: if (FS() == 1) { Y(); } Z(); }"));
        EXPECT_EQ(log.Lines(), (Trace{u"添加跳转标识符<main_1_end>失败，这个标识符重复了！"}));
        EXPECT_TRUE(log.ContainsError(u"添加跳转标识符<main_1_end>失败，这个标识符重复了！"));
        EXPECT_EQ(h.Run(), (Trace{u"X", u"FS", u"FS", u"FS", u"Y", u"Z"}));
    }
    {
        Host h;
        LogCapture log;
        EXPECT_FALSE(h.Load(u"func main(){ if (P == 1) { X(); } main_0_end: }"));
        EXPECT_EQ(log.Lines(), (Trace{u"添加跳转标识符<main_0_end>失败，这个标识符重复了！", u"冒号后面的字段无法解析!", u"解晰函数<main>失败!"}));
    }
    {
        // The generated labels can be reached by GotoLabel and goto.
        Host h;
        ASSERT_TRUE(h.Load(u"func main(){ goto main_1_else; if (P == 1) { X(); } else { Y(); } }"));
        h.P = 1;
        EXPECT_EQ(h.Run(), (Trace{u"Y"}));
    }
}

TEST(DevilCompilerEdge, CompileHook)
{
    struct Hook
    {
        std::vector<std::u16string> names;
        bool Accept(const u16char *name)
        {
            names.push_back(name);
            return std::u16string(name).rfind(u"MES", 0) == 0 || std::u16string(name) == u"PAUSE" ||
                   std::u16string(name) == u"STOP";
        }
    } hook;
    Host h;
    hgl::DevilVM::CompileHook cb;
    cb.Bind<&Hook::Accept>(&hook);
    h.vm->SetCompileHook(cb);
    {
        LogCapture log;
        ASSERT_TRUE(h.Load(u"func sub(){ X(); } func main(){ MES(\"one\"); X(); sub(); I(\"x\"); MES(\"two\"); }"));
        // Hook asked for each compiled native call, in order; refused calls and
        // script calls are not offered.
        EXPECT_EQ(hook.names, (std::vector<std::u16string>{u"X", u"MES", u"X", u"MES"}));
        EXPECT_EQ(g_trace, (Trace{u"MES:one", u"MES:two"}));
        EXPECT_EQ(h.vm->GetRunState(), 2);
        // Commands stay in the function.
        EXPECT_EQ(h.Run(), (Trace{u"MES:one", u"X", u"X", u"MES:two"}));
    }
    {
        // A paused run survives a load whose hooked natives pause, stop or jump.
        ASSERT_TRUE(h.Load(u"func story(){ X(); PAUSE(); Y(); }"));
        g_trace.clear();
        ASSERT_TRUE(h.vm->RunFunc(u"story"));
        EXPECT_EQ(h.vm->GetRunState(), 1);
        g_trace.clear();
        ASSERT_TRUE(h.Load(u"func extra(){ PAUSE(); STOP(); MES(\"m\"); }"));
        EXPECT_EQ(g_trace, (Trace{u"P", u"STOP", u"MES:m"}));
        EXPECT_EQ(h.vm->GetRunState(), 1);
        hgl::String name;
        int index = 0;
        g_trace.clear();
        ASSERT_TRUE(h.vm->Resume(nullptr));
        EXPECT_EQ(g_trace, (Trace{u"Y"}));
        (void)name;
        (void)index;
    }
}

TEST(DevilCompilerEdge, DirectParsers)
{
    Host h;
    hgl::DevilFunc func(h.engine, hgl::String(u"t"));
    auto callArgs = [&](hgl::DevilParse &parse, const char16_t *native) {
        return std::unique_ptr<hgl::DevilSystemFuncCallFixed>(
            func.ParseCallArgs(parse, h.engine->GetFuncMap(hgl::String(native))));
    };
    auto expectNextWord = [](hgl::DevilParse &parse, const char16_t *word) {
        hgl::String out;
        EXPECT_EQ(parse.GetToken(out), 5);
        EXPECT_EQ(out, hgl::String(word));
    };
    {
        struct Case
        {
            const char16_t *text;
            int id;
        } cases[] = {{u"==", 49}, {u"!=", 50}, {u"<", 51}, {u">", 52}, {u"<=", 53}, {u">=", 54}, {u")", 39},
                     {u"=", 0},   {u"&&", 0},  {u"", 0},   {u"x", 0}, {u"=>", 0}};
        for (const Case &c : cases)
        {
            hgl::DevilParse parse(h.engine, c.text);
            EXPECT_EQ(func.ParseCompOperator(parse), c.id) << hgl::test::U8(c.text);
        }
        // The token is consumed in every case.
        hgl::DevilParse parse(h.engine, u"= 5");
        EXPECT_EQ(func.ParseCompOperator(parse), 0);
        hgl::String out;
        EXPECT_EQ(parse.GetToken(out), 6);
    }
    {
        struct Case
        {
            const char16_t *text;
            int type;
        } cases[] = {{u"true", 61},  {u"false", 61}, {u"5", 72},     {u"1.5f", 76}, {u"1.5", 89}, {u"-5", 67},
                     {u"-1.5f", 76}, {u"-1.5", 89},  {u"P", 67},     {u"U", 72},    {u"P8", 67},  {u"U16", 72},
                     {u"PF", 76},    {u"F(1)", 67}};
        for (const Case &c : cases)
        {
            hgl::DevilParse parse(h.engine, c.text);
            std::unique_ptr<hgl::DevilValueInterface> v(func.ParseOperand(parse));
            ASSERT_NE(v, nullptr) << hgl::test::U8(c.text);
            EXPECT_EQ(int(v->GetType()), c.type) << hgl::test::U8(c.text);
        }
        for (const char16_t *bad : {u"\"s\"", u"0x1", u"(", u"!", u"- x", u"", u"Unknown(1)", u"-"})
        {
            hgl::DevilParse parse(h.engine, bad);
            LogCapture log;
            EXPECT_EQ(func.ParseOperand(parse), nullptr) << hgl::test::U8(bad);
            EXPECT_EQ(log.Count(), 0u) << log.Dump();
        }
        hgl::DevilParse parse(h.engine, u"-5");
        std::unique_ptr<hgl::DevilValueInterface> v(func.ParseOperand(parse));
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(*static_cast<hgl::DevilValue<int> *>(v.get())->GetValue(), -5);
    }
    {
        hgl::DevilParse parse(h.engine, u"1, -2) tail");
        std::unique_ptr<hgl::DevilSystemFuncCallFixed> call = callArgs(parse, u"A");
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->BlockSizeBytes(), 8);
        EXPECT_EQ(call->Word(0), 1u);
        EXPECT_EQ(call->Word(1), 0xFFFFFFFEu);
        expectNextWord(parse, u"tail");
    }
    {
        hgl::DevilParse parse(h.engine, u") more) tail");
        EXPECT_EQ(callArgs(parse, u"I"), nullptr);
        expectNextWord(parse, u"tail");
    }
    {
        // Narrow and bool slots keep the full constant.
        hgl::DevilParse p1(h.engine, u"300)");
        std::unique_ptr<hgl::DevilSystemFuncCallFixed> c1 = callArgs(p1, u"I8");
        ASSERT_NE(c1, nullptr);
        EXPECT_EQ(c1->Word(0), 300u);
        hgl::DevilParse p2(h.engine, u"2)");
        std::unique_ptr<hgl::DevilSystemFuncCallFixed> c2 = callArgs(p2, u"BO");
        ASSERT_NE(c2, nullptr);
        EXPECT_EQ(c2->Word(0), 2u);
        hgl::DevilParse p3(h.engine, u"-2.5)");
        std::unique_ptr<hgl::DevilSystemFuncCallFixed> c3 = callArgs(p3, u"FL");
        ASSERT_NE(c3, nullptr);
        EXPECT_EQ(c3->Word(0), 0xC0200000u);
    }
    {
        // Without a native the call is refused the same way.
        hgl::DevilParse parse(h.engine, u"1, 2) tail");
        EXPECT_EQ(callArgs(parse, u"Unknown"), nullptr);
        expectNextWord(parse, u"tail");
    }
    {
        hgl::DevilParse parse(h.engine, u") tail");
        std::unique_ptr<hgl::DevilSystemFuncCallFixed> call = callArgs(parse, u"B");
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->BlockSizeBytes(), 0);
    }
    {
        hgl::DevilParse parse(h.engine, u"(P != 3) tail");
        std::unique_ptr<hgl::DevilCompInterface> comp(func.BuildComp(parse));
        ASSERT_NE(comp, nullptr);
        h.P = 2;
        EXPECT_TRUE(comp->Comp());
        h.P = 3;
        EXPECT_FALSE(comp->Comp());
        hgl::String out;
        EXPECT_EQ(parse.GetToken(out), 5);
    }
    {
        hgl::DevilParse parse(h.engine, u" x ; more");
        func.ParseValueDef(parse, 67);
        EXPECT_NE(func.GetValue(u"x"), nullptr);
        expectNextWord(parse, u"more");
    }
    {
        hgl::DevilFunc f4(h.engine, hgl::String(u"f4"));
        f4.AddReturn();
        hgl::DevilParse parse(h.engine, u"(P == 1) X(); else { Y(); } tail");
        EXPECT_TRUE(f4.ParseIf(parse));
        EXPECT_EQ(f4.GetCommandCount(), 5);
        EXPECT_EQ(f4.FindLabel(u"f4_1_else"), 4);
        EXPECT_EQ(f4.FindLabel(u"f4_1_end"), 5);
        expectNextWord(parse, u"tail");
    }
    {
        hgl::DevilFunc f2(h.engine, hgl::String(u"f2"));
        hgl::DevilParse parse(h.engine, u"(anything here) { B(); X(); } rest");
        EXPECT_TRUE(f2.ParseFunc(parse));
        EXPECT_EQ(f2.GetCommandCount(), 2);
        hgl::DevilParse p2(h.engine, u"{ if (P == 1) { X(); } ");
        hgl::DevilFunc f3(h.engine, hgl::String(u"f3"));
        EXPECT_FALSE(f3.ParseBlock(p2));
    }
}

namespace
{
bool g_reload_armed = false;

void NReload()
{
    if (!g_reload_armed) return;
    g_reload_armed = false;
    g_vm->Clear();
    g_vm->LoadScript(u"func a(){ S(\"1\"); S(\"2\"); S(\"3\"); } func b(){ a(); } func c(){ a(); } func d(){}");
}
} // namespace

TEST(DevilCompilerEdge, HookedNativeClearsAndReloads)
{
    // A native run at compile time empties the engine and loads another script that
    // is larger than what was there. The function being compiled pointed into what
    // the Clear threw away, so it is given up rather than kept with dangling targets.
    struct Hook
    {
        bool Accept(const u16char *name) { return std::u16string(name) == u"RELOAD"; }
    } hook;
    Host h;
    ASSERT_TRUE(h.vm->MapFunc(u"void RELOAD()", &NReload));
    hgl::DevilVM::CompileHook cb;
    cb.Bind<&Hook::Accept>(&hook);
    h.vm->SetCompileHook(cb);
    g_reload_armed = true;
    LogCapture log;
    EXPECT_FALSE(h.Load(u"func f(){ S(\"x\"); } func main(){ S(\"before\"); f(); RELOAD(); S(\"after\"); }"));
    EXPECT_EQ(log.Lines(), (Trace{u"编译时运行的函数<RELOAD>清除了脚本引擎，编译中止!", u"解晰函数<main>失败!"}));
    EXPECT_EQ(h.engine->GetScriptFunc(hgl::String(u"main")), nullptr);
    EXPECT_EQ(h.engine->GetScriptFunc(hgl::String(u"f")), nullptr);
    EXPECT_EQ(h.Run(u"b"), (Trace{u"S:1", u"S:2", u"S:3"}));
    EXPECT_EQ(h.Run(u"c"), (Trace{u"S:1", u"S:2", u"S:3"}));
}

namespace
{
void NExt()
{
    g_trace.push_back(u"EXT");
    EXPECT_TRUE(g_vm->LoadScript(u"func ext(){ MES(\"e\"); PAUSE(); STOP(); }"));
}
} // namespace

TEST(DevilCompilerEdge, LoadDuringARun)
{
    // A native of a running script loads more script text; the natives the hook runs
    // while compiling it pause and stop, and the running script goes on regardless.
    struct Hook
    {
        bool Accept(const u16char *name) { return std::u16string(name) != u"X"; }
    } hook;
    Host h;
    ASSERT_TRUE(h.vm->MapFunc(u"void EXT()", &NExt));
    ASSERT_TRUE(h.Load(u"func main(){ EXT(); X(); PAUSE(); Y(); }"));
    hgl::DevilVM::CompileHook cb;
    cb.Bind<&Hook::Accept>(&hook);
    h.vm->SetCompileHook(cb);
    LogCapture log;
    g_trace.clear();
    ASSERT_TRUE(h.vm->RunFunc(u"main"));
    EXPECT_EQ(g_trace, (Trace{u"EXT", u"MES:e", u"P", u"STOP", u"X", u"P"}));
    EXPECT_EQ(h.vm->GetRunState(), 1);
    hgl::String name;
    int index = 0;
    ASSERT_TRUE(h.vm->GetCurrentPosition(name, index));
    EXPECT_EQ(name, hgl::String(u"main"));
    EXPECT_EQ(index, 3);
    g_trace.clear();
    ASSERT_TRUE(h.vm->Resume(nullptr));
    EXPECT_EQ(g_trace, (Trace{u"Y"}));
    EXPECT_EQ(log.Count(), 0u) << log.Dump();
    EXPECT_NE(h.engine->GetScriptFunc(hgl::String(u"ext")), nullptr);
}

namespace
{
double RDouble() { return 0.1; }
bool RBool() { return true; }
long long RInt64() { return -1; }
unsigned long long RUInt64() { return ~0ull; }
signed char RInt8() { return -1; }
unsigned short RUInt16() { return 65535; }
float RFloat() { return 2.5f; }
unsigned RUInt() { return 4000000000u; }
} // namespace

TEST(DevilCompilerEdge, OperandTypesOfEveryDeclaredType)
{
    Host h;
    long long p64 = -1;
    unsigned long long pu64 = 1;
    double pd = 0.25;
    bool pb = true;
    short p16 = -2;
    unsigned char pu8 = 200;
    ASSERT_TRUE(h.vm->MapFunc(u"double RD()", &RDouble));
    ASSERT_TRUE(h.vm->MapFunc(u"bool RB()", &RBool));
    ASSERT_TRUE(h.vm->MapFunc(u"int64 RL()", &RInt64));
    ASSERT_TRUE(h.vm->MapFunc(u"uint64 RUL()", &RUInt64));
    ASSERT_TRUE(h.vm->MapFunc(u"int8 RC()", &RInt8));
    ASSERT_TRUE(h.vm->MapFunc(u"uint16 RW()", &RUInt16));
    ASSERT_TRUE(h.vm->MapFunc(u"float RF()", &RFloat));
    ASSERT_TRUE(h.vm->MapFunc(u"uint32 RU()", &RUInt));
    ASSERT_TRUE(h.vm->MapProperty(u"int64 P64", &p64));
    ASSERT_TRUE(h.vm->MapProperty(u"uint64 PU64", &pu64));
    ASSERT_TRUE(h.vm->MapProperty(u"double PD", &pd));
    ASSERT_TRUE(h.vm->MapProperty(u"bool PB", &pb));
    ASSERT_TRUE(h.vm->MapProperty(u"int16 P16", &p16));
    ASSERT_TRUE(h.vm->MapProperty(u"uint8 PU8", &pu8));

    hgl::DevilFunc func(h.engine, hgl::String(u"t"));
    struct Case
    {
        const char16_t *text;
        int type;
    } cases[] = {{u"RD()", 89}, {u"RB()", 61}, {u"RL()", 70},  {u"RUL()", 75}, {u"RC()", 67},
                 {u"RW()", 72}, {u"RF()", 76}, {u"RU()", 72},  {u"P64", 70},   {u"PU64", 75},
                 {u"PD", 89},   {u"PB", 61},   {u"P16", 67},   {u"PU8", 72}};
    for (const Case &c : cases)
    {
        hgl::DevilParse parse(h.engine, c.text);
        std::unique_ptr<hgl::DevilValueInterface> v(func.ParseOperand(parse));
        ASSERT_NE(v, nullptr) << hgl::test::U8(c.text);
        EXPECT_EQ(int(v->GetType()), c.type) << hgl::test::U8(c.text);
    }

    struct Run
    {
        const char16_t *cond;
        bool taken;
    } runs[] = {
        {u"RD() == 0.1", true},          // the full double result
        {u"RB() == true", true},
        {u"RL() < 0", true},             // signed 64-bit against a uint literal
        {u"RUL() > 4294967295", true},
        {u"RC() == -1", true},
        {u"RW() == 65535", true},
        {u"RF() == 2.5f", true},
        {u"RU() > 3999999999", true},
        {u"P64 < 0", true},
        {u"PU64 > -1", false},           // -1 taken modulo 2^64
        {u"PD == 0.25", true},
        {u"PB != false", true},
        {u"P16 == -2", true},
        {u"PU8 == 200", true},
    };
    for (const Run &r : runs)
    {
        Host h2;
        ASSERT_TRUE(h2.vm->MapFunc(u"double RD()", &RDouble));
        ASSERT_TRUE(h2.vm->MapFunc(u"bool RB()", &RBool));
        ASSERT_TRUE(h2.vm->MapFunc(u"int64 RL()", &RInt64));
        ASSERT_TRUE(h2.vm->MapFunc(u"uint64 RUL()", &RUInt64));
        ASSERT_TRUE(h2.vm->MapFunc(u"int8 RC()", &RInt8));
        ASSERT_TRUE(h2.vm->MapFunc(u"uint16 RW()", &RUInt16));
        ASSERT_TRUE(h2.vm->MapFunc(u"float RF()", &RFloat));
        ASSERT_TRUE(h2.vm->MapFunc(u"uint32 RU()", &RUInt));
        ASSERT_TRUE(h2.vm->MapProperty(u"int64 P64", &p64));
        ASSERT_TRUE(h2.vm->MapProperty(u"uint64 PU64", &pu64));
        ASSERT_TRUE(h2.vm->MapProperty(u"double PD", &pd));
        ASSERT_TRUE(h2.vm->MapProperty(u"bool PB", &pb));
        ASSERT_TRUE(h2.vm->MapProperty(u"int16 P16", &p16));
        ASSERT_TRUE(h2.vm->MapProperty(u"uint8 PU8", &pu8));
        LogCapture log;
        std::u16string text = u"func main(){ if (" + std::u16string(r.cond) + u") { X(); } }";
        ASSERT_TRUE(h2.Load(text)) << hgl::test::U8(text) << log.Dump();
        EXPECT_EQ(h2.Run(), r.taken ? Trace{u"X"} : Trace{}) << hgl::test::U8(text);
    }
}
