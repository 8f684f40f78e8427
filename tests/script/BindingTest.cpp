// Binding natives and host variables by declaration: every parameter type, members
// (plain, virtual, through a second base, const, noexcept), lambdas, results at their
// widths, variables by typed and untyped address, and every refusal with its message.
#include "script/DevilEngine.h"
#include "script/DevilValue.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

using namespace hgl;
using namespace angle_script;
using Lines = std::vector<std::u16string>;

namespace
{
// What the last native call received.
struct Seen
{
    bool b = false;
    int8 i8 = 0;
    int16 i16 = 0;
    int32 i32 = 0;
    uint8 u8 = 0;
    uint16 u16 = 0;
    uint32 u32 = 0;
    float f = 0;
    std::u16string s;
    int calls = 0;
} seen;

void All(bool b, int8 i8, int16 i16, int32 i32, uint8 u8, uint16 u16, uint32 u32, float f, const u16char *s)
{
    seen = Seen{b, i8, i16, i32, u8, u16, u32, f, s, seen.calls + 1};
}
void TakeInt(int v)
{
    seen.i32 = v;
    ++seen.calls;
}
void TakeInt2(int v)
{
    seen.i32 = v * 2;
    ++seen.calls;
}
void TakeBool(bool v)
{
    seen.b = v;
}
void Nothing() {}
int RetInt()
{
    return 7;
}
unsigned long long RetULongLong()
{
    return 18446744073709551615ULL;
}
float RetFloat()
{
    return 2.5f;
}
const u16char *RetText()
{
    return u"x";
}

struct Base
{
    void Plain(const u16char *, int) {}
    void Member(int) noexcept {}
};

DevilResult Call(DevilEngine &e, const u16char *name, std::initializer_list<DevilArgSlot> args = {})
{
    DevilSystemFuncCallFixed call(e.GetFuncMap(name));
    int i = 0;
    for (const DevilArgSlot &a : args)
        call.Arg(i++) = a;
    EXPECT_TRUE(call.Run());
    return call.GetResult();
}

DevilArgSlot I(int32 v)
{
    DevilArgSlot a{};
    a.i = v;
    return a;
}
DevilArgSlot U(uint32 v)
{
    DevilArgSlot a{};
    a.u = v;
    return a;
}
DevilArgSlot F(float v)
{
    DevilArgSlot a{};
    a.f = v;
    return a;
}
DevilArgSlot S(const u16char *v)
{
    DevilArgSlot a{};
    a.s = v;
    return a;
}

template <class T> T Read(DevilValueInterface *v)
{
    return *static_cast<DevilValue<T> *>(v)->GetValue();
}
} // namespace

TEST(DevilBinding, EveryParameterTypeIsDecodedAsTheCalleeReadsIt)
{
    DevilEngine e;
    hgl::test::LogCapture log;
    ASSERT_TRUE(e.MapFunc(u"void All(bool,int8,int16,int32,uint8,uint16,uint32,float,string)", &All));
    const DevilFuncMap *fm = e.GetFuncMap(u"All");
    ASSERT_NE(fm, nullptr);
    EXPECT_EQ(fm->params, (std::vector<eTokenType>{ttBool, ttInt8, ttInt16, ttInt, ttUInt8, ttUInt16, ttUInt,
                                                   ttFloat, ttString}));
    EXPECT_EQ(fm->return_type, ttVoid);

    const u16char *pooled = e.AddPoolString(u"文本");
    Call(e, u"All",
         {U(256), U(0x1FF), I(70000), I(-5), U(300), U(65537), U(0xFFFFFFFFu), F(1.5f), S(pooled)});
    EXPECT_EQ(seen.calls, 1);
    EXPECT_FALSE(seen.b); // only the low byte of a bool word counts
    EXPECT_EQ(seen.i8, -1);
    EXPECT_EQ(seen.i16, 70000 - 65536);
    EXPECT_EQ(seen.i32, -5);
    EXPECT_EQ(seen.u8, 44);
    EXPECT_EQ(seen.u16, 1);
    EXPECT_EQ(seen.u32, 0xFFFFFFFFu);
    EXPECT_EQ(seen.f, 1.5f);
    EXPECT_EQ(seen.s, u"文本");

    ASSERT_TRUE(e.MapFunc(u"void Flag(bool)", &TakeBool));
    Call(e, u"Flag", {U(2)});
    EXPECT_TRUE(seen.b);
    Call(e, u"Flag", {U(0x100)});
    EXPECT_FALSE(seen.b);

    // The argument block's words as the script sees them.
    ASSERT_TRUE(e.MapFunc(
        u"void BG_COLOR(int,int,int)", +[](int, int, int) {}));
    DevilSystemFuncCallFixed bg(e.GetFuncMap(u"BG_COLOR"));
    bg.Arg(0).i = 255;
    bg.Arg(1).i = 0;
    bg.Arg(2).i = -1;
    EXPECT_EQ(bg.BlockSizeBytes(), 12);
    EXPECT_EQ(bg.Word(0), 255u);
    EXPECT_EQ(bg.Word(2), 0xFFFFFFFFu);
    DevilSystemFuncCallFixed none(e.GetFuncMap(u"Flag"));
    EXPECT_EQ(none.BlockSizeBytes(), 4);
}

TEST(DevilBinding, RefusedDeclarations)
{
    DevilEngine e;
    hgl::test::LogCapture log;
    // Parameter lists that disagree with the C++ function.
    EXPECT_FALSE(e.MapFunc(u"void A(int,int)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void A(float)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void A(uint)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void A(int8)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void A()", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void L2(int)", [](float) {}));
    EXPECT_EQ(log.CountOf(u"映射函数“void A(int,int)”失败，声明的参数类型与真实函数的参数类型不符！"), 1u)
        << log.Dump();
    EXPECT_EQ(log.Errors().size(), 6u);
    // Declared value return types must be exactly the C++ one; a void declaration drops a result.
    log.Clear();
    EXPECT_FALSE(e.MapFunc(u"int R()", &Nothing));
    EXPECT_FALSE(e.MapFunc(u"int8 R()", &RetInt));
    EXPECT_FALSE(e.MapFunc(u"double R()", &RetFloat));
    EXPECT_FALSE(e.MapFunc(u"int64 R()", &RetULongLong));
    EXPECT_EQ(log.CountOf(u"映射函数“int R()”失败，声明的返回类型与真实函数的返回类型不符！"), 1u)
        << log.Dump();
    EXPECT_TRUE(e.MapFunc(u"void R()", &RetInt));
    EXPECT_TRUE(e.MapFunc(u"string T()", &RetText));
    // Null functions and objects, however spelt.
    log.Clear();
    void (*null_fn)(int) = nullptr;
    EXPECT_FALSE(e.MapFunc(u"void N(int)", null_fn));
    EXPECT_FALSE(e.MapFunc(u"void N(int)", nullptr));
    Base *no_object = nullptr;
    EXPECT_FALSE(e.MapMemberFunc(u"void M(string,int)", no_object, &Base::Plain));
    EXPECT_FALSE(e.MapMemberFunc(u"void M(int)", nullptr, &Base::Member));
    void (Base::*null_member)(const u16char *, int) = nullptr;
    Base b;
    EXPECT_FALSE(e.MapMemberFunc(u"void M(string,int)", &b, null_member));
    EXPECT_FALSE(e.MapMemberFunc(u"void M(int)", &b, nullptr));
    EXPECT_EQ(log.CountOf(u"映射函数“void N(int)”失败，函数或对象指针为NULL！"), 2u) << log.Dump();
    EXPECT_EQ(log.Errors().size(), 6u);
    // Malformed: no parentheses, no closing one (no message, even before a null is
    // looked at), a name that is no identifier.
    log.Clear();
    EXPECT_FALSE(e.MapFunc(u"void P", &Nothing));
    EXPECT_FALSE(e.MapFunc(u"void P(int", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void P", nullptr));
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    EXPECT_FALSE(e.MapFunc(u"void 5(int)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void", &Nothing));
    EXPECT_FALSE(e.MapFunc(u"", &Nothing));
    EXPECT_FALSE(e.MapFunc(nullptr, &Nothing));
    EXPECT_EQ(log.Errors().size(), 3u) << log.Dump();
    EXPECT_EQ(e.GetFuncMap(u"P"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"A"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"N"), nullptr);
    EXPECT_TRUE(e.MapFunc(u"void P()", &Nothing));
    EXPECT_EQ(e.GetFuncMap(u"P")->GetParamCount(), 0);

    // A duplicate keeps the first binding.
    log.Clear();
    seen = Seen{};
    EXPECT_TRUE(e.MapFunc(u"void Dup(int)", &TakeInt));
    EXPECT_FALSE(e.MapFunc(u"void Dup(int)", &TakeInt2));
    EXPECT_EQ(log.Infos(), (Lines{u"重复函数名映射：“void Dup(int)”"}));
    Call(e, u"Dup", {I(4)});
    EXPECT_EQ(seen.i32, 4);
}

TEST(DevilBinding, FloatToWordFollowsTheProcessor)
{
    EXPECT_EQ(DevilFloatToWord(1.9), 1u);
    EXPECT_EQ(DevilFloatToWord(-1.9), 0xFFFFFFFFu);
    EXPECT_EQ(DevilFloatToWord(3e9), 3000000000u);
    EXPECT_EQ(DevilFloatToWord(4294967296.5), 0u);
    EXPECT_EQ(DevilFloatToWord(std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(DevilFloatToWord(std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(DevilFloatToWord(-std::numeric_limits<double>::infinity()), 0u);
    EXPECT_EQ(DevilFloatToWord(1e30), 0u);
    EXPECT_EQ(DevilFloatToWord(-9223372036854775808.0), 0u);
}
