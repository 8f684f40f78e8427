// Compiling "if" and "else": the generated labels and jumps, operands and the
// comparison chosen for them, failures, and the nesting limit.
#include "ScriptHost.h"

#include "script/DevilCompiler.h"
#include "script/Tokenizer.h"

#include <typeinfo>

using namespace script_test;
using namespace hgl;
using hgl::test::LogCapture;

namespace
{
std::u16string Repeat(std::u16string_view s, int n)
{
    std::u16string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

DevilCompInterface *FirstComp(const ScriptHost &host)
{
    const DevilFunc *f = host.Func(u"main");
    if (!f || f->GetCommandCount() == 0) return nullptr;
    auto *jump = dynamic_cast<DevilCompGoto *>(f->GetCommand(0));
    return jump ? jump->GetComp() : nullptr;
}
} // namespace

TEST(Condition, Failures)
{
    const std::u16string if_error = u"if解析错误";
    const std::u16string func_error = u"解晰函数<main>失败!";
    struct Case
    {
        std::u16string cond;
        std::vector<std::u16string> log;
    };
    const std::vector<Case> cases = {
        {u"A", {if_error, func_error}},
        {u"!A", {if_error, func_error}},
        {u"A = 1", {if_error, func_error}},
        {u"\"s\" == A", {if_error, func_error}},
        {u"A == \"s\"", {if_error, func_error}},
        {u"A == ", {if_error, func_error}},
        {u"0x10 == A", {if_error, func_error}},
        {u"- A == 1", {if_error, func_error}},
        {u"(A) == 1", {if_error, func_error}},
        {u"Nope(1) == 1", {if_error, func_error}},
        {u"Q == 1", {u"没有找到属性映射<Q>", if_error, func_error}},
        {u"A == Q", {u"没有找到属性映射<Q>", if_error, func_error}},
        {u"Str == 1", {u"if 比较指令暂时不支持<string>类型的数据进行比较", if_error, func_error}},
        {u"Vd(2) == 1", {u"if中调用的函数返回类型无法支持", if_error, func_error}},
        {u"F(\"x\") == 1", {u"if中的真实函数映射没有找到", if_error, func_error}},
        {u"X() == 1", {u"if中调用的函数返回类型无法支持", if_error, func_error}},
        {u"Name() == 1", {u"if中调用的函数返回类型无法支持", if_error, func_error}},
    };
    for (const auto &c : cases)
    {
        ScriptHost host;
        LogCapture log;
        EXPECT_FALSE(host.Load(u"func main(){ if (" + c.cond + u") { X(); } }")) << test::U8(c.cond);
        EXPECT_EQ(log.Lines(), c.log) << test::U8(c.cond) << log.Dump();
        EXPECT_TRUE(log.ContainsError(if_error));
        EXPECT_EQ(host.Func(u"main"), nullptr);
    }

    // A failing body fails the condition as well, an else body too, and so does text
    // that ends before the body.
    ScriptHost host;
    LogCapture log;
    EXPECT_FALSE(host.Load(u"func main(){ if (A == 1) { L: L: } }"));
    EXPECT_EQ(log.Lines(), (Trace{u"添加跳转标识符<L>失败，这个标识符重复了！", u"冒号后面的字段无法解析!",
                                  if_error, func_error}));
    for (const char16_t *text : {u"func main(){ if (A == 1) X(); else # }", u"func main(){ if (A == 1)"})
    {
        ScriptHost h;
        LogCapture l;
        EXPECT_FALSE(h.Load(text)) << test::U8(text);
        EXPECT_EQ(l.Lines(), (Trace{if_error, func_error})) << l.Dump();
    }

    // A native variable registered with a type that is no keyword has an empty type name.
    ScriptHost h2;
    int odd = 0;
    ASSERT_TRUE(h2.engine.MapProperty(u"Thing Odd", &odd));
    LogCapture log2;
    EXPECT_FALSE(h2.Load(u"func main(){ if (Odd == 1) X(); }"));
    EXPECT_EQ(log2.Lines(), (Trace{u"if 比较指令暂时不支持<>类型的数据进行比较", if_error, func_error}));
}

TEST(Condition, GeneratedLabelCollisions)
{
    // The script's label first: the generated one is refused, the "if" still compiles
    // and its jump lands on the script's label.
    ScriptHost h1;
    LogCapture log1;
    ASSERT_TRUE(h1.Load(u"func main(){ X(); main_1_end: if (A == 1) Z(); Y(); }"));
    EXPECT_EQ(log1.Lines(), (Trace{u"添加跳转标识符<main_1_end>失败，这个标识符重复了！"}));
    EXPECT_EQ(h1.Func(u"main")->FindLabel(u"main_1_end"), 1);

    // The script's label after the "if": its definition fails, and so does the function.
    ScriptHost h2;
    LogCapture log2;
    EXPECT_FALSE(h2.Load(u"func main(){ if (A == 1) X(); main_0_end: Y(); }"));
    EXPECT_EQ(log2.Lines(), (Trace{u"添加跳转标识符<main_0_end>失败，这个标识符重复了！",
                                   u"冒号后面的字段无法解析!", u"解晰函数<main>失败!"}));
    EXPECT_TRUE(log2.ContainsError(u"冒号后面的字段无法解析!"));
    EXPECT_EQ(h2.Func(u"main"), nullptr);
}

TEST(Condition, NestingLimit)
{
    // As deep as allowed: compiles and runs.
    {
        ScriptHost host;
        LogCapture log;
        const std::u16string body = Repeat(u"if (A == 1) ", DEVIL_MAX_IF_NESTING) + u"X(); Y();";
        ASSERT_TRUE(host.Load(u"func main(){" + body + u"}")) << log.Dump();
        EXPECT_EQ(host.Func(u"main")->GetCommandCount(), DEVIL_MAX_IF_NESTING + 2);
        host.A = 1;
        EXPECT_EQ(host.RunAll(u"main"), (Trace{u"X", u"Y"}));
        host.A = 0;
        EXPECT_EQ(host.RunAll(u"main"), (Trace{u"Y"}));
    }
    // One deeper fails the function cleanly instead of recursing on.
    {
        ScriptHost host;
        LogCapture log;
        const std::u16string body = Repeat(u"if (A == 1) ", DEVIL_MAX_IF_NESTING + 1) + u"X();";
        EXPECT_FALSE(host.Load(u"func main(){" + body + u"}"));
        EXPECT_EQ(log.CountOf(u"if解析错误"), size_t(DEVIL_MAX_IF_NESTING + 1));
        EXPECT_TRUE(log.Contains(u"解晰函数<main>失败!"));
        EXPECT_EQ(host.Func(u"main"), nullptr);
    }
}

TEST(Condition, OperandsComparisonsAndResults)
{
    // The comparison chosen for the operands' types (where given) and whether the body
    // runs, with S8 = -128, U16 = 65535, UV = 0, FV = 0.1f, I64 = -1, U64 = 1, DV = 0.25,
    // BV = true and A as given.
    struct Case
    {
        const char16_t *cond;
        int32 a;
        bool taken;
        const std::type_info *type;
    };
    const Case cases[] = {
        {u"5 < 7", 0, true, &typeid(DevilCompLess<uint32, uint32>)},
        {u"-1 < A", 0, true, &typeid(DevilCompLess<int32, int32>)},
        {u"-1 < UV", 0, false, nullptr}, // int against uint: unsigned 32-bit
        {u"A < 0", -1, false, nullptr},  // int variable against a uint literal
        {u"A == -1", -1, true, nullptr},
        {u"UV > -5", 0, false, nullptr},
        {u"A > 1.5", 2, true, &typeid(DevilCompGreater<int32, double>)},
        {u"A > 1.5", 1, false, nullptr},
        {u"A > 1.5f", 2, true, &typeid(DevilCompGreater<int32, float>)},
        {u"1.5 < A", 1, false, &typeid(DevilCompLess<double, int32>)}, // left read as a double
        {u"-1.5f != -2.5", 0, true, &typeid(DevilCompNotEqu<float, double>)},
        {u"-1.5 > A", -2, true, nullptr},
        {u"true == A", 1, true, nullptr},
        {u"true == BV", 0, true, &typeid(DevilCompEqu<bool, bool>)},
        {u"false <= S8", 0, false, &typeid(DevilCompLessEqu<bool, int32>)},
        {u"U16 >= UV", 0, true, &typeid(DevilCompGreaterEqu<uint32, uint32>)},
        {u"I64 == U64", 0, false, &typeid(DevilCompEqu<int64, uint64>)},
        {u"FV == DV", 0, false, &typeid(DevilCompEqu<float, double>)},
        {u"F(2) >= 3", 0, true, &typeid(DevilCompGreaterEqu<int32, uint32>)},
        {u"D() > IsOn()", 0, true, &typeid(DevilCompGreater<double, bool>)},
        {u"'a' == 0", 0, true, &typeid(DevilCompEqu<uint32, uint32>)},
        {u"A != 0", 0, false, nullptr},
        {u"A >= 1", 0, false, nullptr},
        {u"1.5e3 == 1.5", 0, true, nullptr},     // the exponent is not applied
        {u"UV == 4294967296", 0, true, nullptr}, // the literal wraps like the argument conversion
        {u"A == -0", 0, true, nullptr},
        {u"S8 < -100", 0, true, nullptr},
        {u"FV == 0.1", 0, false, nullptr}, // a float against a double
        {u"FV == 0.1f", 0, true, nullptr},
        {u"I64 < 0", 0, true, nullptr},   // signed 64-bit against a uint literal
        {u"U64 > -1", 0, false, nullptr}, // -1 taken modulo 2^64
    };
    for (const Case &c : cases)
    {
        ScriptHost host;
        LogCapture log;
        host.A = c.a;
        host.S8 = -128;
        host.U16 = 65535;
        host.FV = 0.1f;
        host.I64 = -1;
        host.U64 = 1;
        host.DV = 0.25;
        host.BV = true;
        ASSERT_TRUE(host.Load(u"func main(){ if (" + std::u16string(c.cond) + u") X(); }"))
            << test::U8(c.cond);
        if (c.type)
        {
            DevilCompInterface *comp = FirstComp(host);
            ASSERT_NE(comp, nullptr) << test::U8(c.cond);
            EXPECT_EQ(typeid(*comp), *c.type) << test::U8(c.cond) << " is " << typeid(*comp).name();
        }
        EXPECT_EQ(host.f_calls, 0) << "a native operand runs only when the condition does";
        const Trace ran = host.RunAll(u"main");
        EXPECT_EQ(std::count(ran.begin(), ran.end(), u"X"), c.taken ? 1 : 0)
            << test::U8(c.cond) << " with A=" << c.a;
        EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    }

    // A native operand is called each time the condition runs, the left before the right.
    ScriptHost host;
    ASSERT_TRUE(host.Load(
        u"func main(){ if (F(2) >= 3) Say(\"big\"); else Say(\"small\"); if (F(1) == F(2)) X(); }"));
    EXPECT_EQ(host.f_calls, 0);
    host.f_result = 3;
    EXPECT_EQ(host.RunAll(u"main"), (Trace{u"F:2", u"Say:big", u"F:1", u"F:2", u"X"}));
    host.f_result = 2;
    EXPECT_EQ(host.RunAll(u"main"), (Trace{u"F:2", u"Say:small", u"F:1", u"F:2", u"X"}));
    EXPECT_EQ(host.f_calls, 6);

    // An else-if chain takes one branch and goes on after it.
    ASSERT_TRUE(host.Load(
        u"func chain(){ if (A == 1) { X(); } else if (A == 2) { Y(); } else { Z(); } Say(\"after\"); }"));
    const std::pair<int, Trace> runs[] = {
        {1, {u"X", u"Say:after"}}, {2, {u"Y", u"Say:after"}}, {-1, {u"Z", u"Say:after"}}};
    for (const auto &[a, expected] : runs)
    {
        host.A = a;
        EXPECT_EQ(host.RunAll(u"chain"), expected) << a;
    }
}
