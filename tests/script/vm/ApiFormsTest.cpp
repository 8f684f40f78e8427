// The forms in which owners reach the engine: addresses without a type, null
// bindings, names held in Strings or plain texts, the look-ups, the builder with
// String names, script variables of every type, and the text forms of LoadScript.
#include "VmTestHost.h"

#include "core/String.h"
#include "support/LogCapture.h"

#include <cstring>

using namespace vmtest;
using namespace angle_script;
using hgl::DevilValue;
using hgl::DevilValueInterface;
using hgl::String;
using Lines = std::vector<std::u16string>;
using Trace = std::vector<std::u16string>;

namespace
{
int last_int = 0;
void TakeInt(int v) { last_int = v; }
long long RetLongLong() { return -5000000000LL; }
unsigned long long RetULongLong() { return 18446744073709551615ULL; }

struct Target
{
    int got = 0;
    void Take(int v) { got = v; }
};

template<class T> T Read(DevilValueInterface *v) { return *static_cast<DevilValue<T> *>(v)->GetValue(); }
} // namespace

TEST(DevilApiForms, NativeVariablesByPlainAddress)
{
    DevilEngine e;
    hgl::test::LogCapture log;
    // An address without a type is taken at the declared type's width.
    hgl::int8 mood = -2;
    hgl::uint16 wide = 65534;
    int whole = 7;
    EXPECT_TRUE(e.MapProperty(u"int8 Mood", static_cast<void *>(&mood)));
    EXPECT_TRUE(e.MapProperty(u"uint16 Wide", static_cast<void *>(&wide)));
    EXPECT_TRUE(e.MapProperty(u"int Whole", static_cast<void *>(&whole)));
    // A read-only host variable can be read.
    const double pi = 3.25;
    EXPECT_TRUE(e.MapProperty(u"double Pi", &pi));
    // The 64-bit types spelt long long.
    long long big = -5000000000LL;
    unsigned long long huge = 18446744073709551615ULL;
    EXPECT_TRUE(e.MapProperty(u"int64 Big", &big));
    EXPECT_TRUE(e.MapProperty(u"uint64 Huge", &huge));
    EXPECT_FALSE(e.MapProperty(u"uint64 Wrong", &big));
    EXPECT_EQ(log.Errors(), (Lines{u"映射属性“uint64 Wrong”失败，声明的类型与真实变量的类型不符！"}));

    // Null addresses, however written, are refused with a message and register nothing.
    log.Clear();
    EXPECT_FALSE(e.MapProperty(u"int Null", nullptr));
    EXPECT_FALSE(e.MapProperty(u"int Null", static_cast<void *>(nullptr)));
    EXPECT_EQ(log.Errors(), (Lines{u"映射属性“int Null”失败，变量地址为NULL！", u"映射属性“int Null”失败，变量地址为NULL！"}));
    EXPECT_EQ(e.GetPropertyMap(u"Null"), nullptr);

    auto value = [&](const u16char *name) {
        return std::unique_ptr<DevilValueInterface>(hgl::CreateDevilPropertyValue(&e, e.GetPropertyMap(name)));
    };
    auto vm = value(u"Mood"), vw = value(u"Wide"), vh = value(u"Whole"), vp = value(u"Pi"), vb = value(u"Big"),
         vu = value(u"Huge");
    EXPECT_EQ(Read<hgl::int32>(vm.get()), -2);
    EXPECT_EQ(Read<hgl::uint32>(vw.get()), 65534u);
    EXPECT_EQ(Read<double>(vp.get()), 3.25);
    EXPECT_EQ(Read<hgl::int64>(vb.get()), -5000000000LL);
    EXPECT_EQ(Read<hgl::uint64>(vu.get()), 18446744073709551615ULL);
    // A variable of the operand's own width is handed out in place: nothing is copied.
    EXPECT_EQ(static_cast<DevilValue<hgl::int32> *>(vh.get())->GetValue(), &whole);
    EXPECT_EQ(static_cast<void *>(static_cast<DevilValue<hgl::int64> *>(vb.get())->GetValue()), static_cast<void *>(&big));
    whole = -9;
    EXPECT_EQ(Read<hgl::int32>(vh.get()), -9);
    // Narrow ones are read at their width: the bytes beside them do not count.
    struct
    {
        hgl::int8 v = -1;
        hgl::int8 beside[3] = {0x11, 0x22, 0x33};
    } packed;
    EXPECT_TRUE(e.MapProperty(u"int8 Packed", static_cast<void *>(&packed.v)));
    EXPECT_EQ(Read<hgl::int32>(value(u"Packed").get()), -1);
}

TEST(DevilApiForms, NullAndStringFormsOfFunctionBindings)
{
    DevilEngine e;
    hgl::test::LogCapture log;
    Target t;
    EXPECT_FALSE(e.MapFunc(u"void A(int)", nullptr));
    EXPECT_FALSE(e.MapMemberFunc(u"void B(int)", nullptr, &Target::Take));
    EXPECT_FALSE(e.MapMemberFunc(u"void C(int)", &t, nullptr));
    EXPECT_EQ(log.Errors(), (Lines{u"映射函数“void A(int)”失败，函数或对象指针为NULL！",
                                   u"映射函数“void B(int)”失败，函数或对象指针为NULL！",
                                   u"映射函数“void C(int)”失败，函数或对象指针为NULL！"}));
    EXPECT_EQ(e.GetFuncMap(u"A"), nullptr);
    // A malformed declaration is refused silently before the null is looked at.
    log.Clear();
    EXPECT_FALSE(e.MapFunc(u"void A", nullptr));
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    // Declarations held in Strings.
    const String fdecl(u"void TakeInt(int)"), mdecl(u"void Take(int)"), pdecl(u"int Var");
    int var = 0;
    EXPECT_TRUE(e.MapFunc(fdecl, &TakeInt));
    EXPECT_TRUE(e.MapMemberFunc(mdecl, &t, &Target::Take));
    EXPECT_TRUE(e.MapProperty(pdecl, &var));
    EXPECT_FALSE(e.MapFunc(String(), &TakeInt));
    EXPECT_FALSE(e.MapFunc(fdecl, &TakeInt));
    EXPECT_TRUE(log.ContainsInfo(u"重复函数名映射：“void TakeInt(int)”")) << log.Dump();

    // 64-bit results spelt long long.
    EXPECT_TRUE(e.MapFunc(u"int64 Big()", &RetLongLong));
    EXPECT_TRUE(e.MapFunc(u"uint64 Huge()", &RetULongLong));
    EXPECT_FALSE(e.MapFunc(u"int64 Wrong()", &RetULongLong));
    hgl::DevilSystemFuncCallFixed big(e.GetFuncMap(u"Big")), huge(e.GetFuncMap(u"Huge"));
    ASSERT_TRUE(big.Run() && huge.Run());
    EXPECT_EQ(big.GetResult().i64, -5000000000LL);
    EXPECT_EQ(huge.GetResult().u64, 18446744073709551615ULL);

    // Look-ups by String, by text and by view; null finds nothing.
    EXPECT_EQ(e.GetFuncMap(String(u"TakeInt")), e.GetFuncMap(u"TakeInt"));
    EXPECT_EQ(e.GetFuncMap(std::u16string_view(u"TakeIntX", 7)), e.GetFuncMap(u"TakeInt"));
    EXPECT_NE(e.GetPropertyMap(String(u"Var")), nullptr);
    EXPECT_EQ(e.GetPropertyMap(static_cast<const u16char *>(nullptr)), nullptr);
    EXPECT_EQ(e.GetFuncMap(String()), nullptr);
    hgl::DevilSystemFuncCallFixed take(e.GetFuncMap(String(u"Take")));
    take.Arg(0).i = 41;
    ASSERT_TRUE(take.Run());
    EXPECT_EQ(t.got, 41);
}

TEST(DevilApiForms, BuilderWithStringNames)
{
    Host h;
    hgl::test::LogCapture log;
    const String main_name(u"main"), again(u"again");

    auto *sub = new DevilFunc(&h.engine, String(u"sub"));
    h.Native(sub, u"Mark", {u"sub"});
    EXPECT_TRUE(h.engine.AddScriptFunc(sub));                       // the engine owns it now
    EXPECT_EQ(h.engine.GetScriptFunc(String(u"sub")), sub);
    EXPECT_EQ(h.engine.GetScriptFunc(u"sub"), sub);
    EXPECT_EQ(h.engine.GetScriptFunc(static_cast<const u16char *>(nullptr)), nullptr);
    EXPECT_FALSE(h.engine.AddScriptFunc(new DevilFunc(&h.engine, u"sub")));      // duplicate: destroyed
    EXPECT_EQ(h.engine.GetScriptFunc(u"sub"), sub);

    auto main = std::make_unique<DevilFunc>(&h.engine, main_name);
    EXPECT_EQ(main->GetName(), u"main");
    EXPECT_TRUE(main->AddGotoFlag(again));
    EXPECT_FALSE(main->AddGotoFlag(u"again"));
    EXPECT_FALSE(main->AddGotoFlag(String(u"again")));
    EXPECT_EQ(log.Errors(), (Lines{u"添加跳转标识符<again>失败，这个标识符重复了！", u"添加跳转标识符<again>失败，这个标识符重复了！"}));
    main->AddScriptFuncCall(sub);
    h.Native(main.get(), u"Wait", {u"w"});
    main->AddGoto(again);
    main->AddGoto(u"again");
    EXPECT_EQ(main->GetListing(), u"0 CALL sub\n1 NATIVE Wait(\"w\")\n2 GOTO again\n3 GOTO again\nagain: 0\n");
    // Commands made directly take their labels in the same forms.
    DevilFunc *mp = main.get();
    auto *jump = new hgl::DevilGoto(&h.engine, mp, String(u"again"));
    EXPECT_EQ(jump->GetLabel(), u"again");
    delete jump;
    auto *cg = new hgl::DevilCompGoto(&h.engine, nullptr, mp);
    cg->SetLabel(String(u"x"));
    EXPECT_EQ(cg->GetLabel(), u"x");
    cg->SetLabel(static_cast<const u16char *>(nullptr));
    EXPECT_EQ(cg->GetLabel(), u"");
    delete cg;
    h.Add(std::move(main));
    EXPECT_TRUE(h.engine.RunFunc(u"main"));
    EXPECT_TRUE(h.engine.Resume(nullptr));
    EXPECT_EQ(h.trace, (Trace{u"sub", u"w", u"sub", u"w"}));

    // A call built without a target fails when it runs, like any failed command.
    log.Clear();
    auto broken = h.New(u"broken");
    broken->AddScriptFuncCall(nullptr);
    h.Add(std::move(broken));
    EXPECT_FALSE(h.engine.RunFunc(u"broken"));
    EXPECT_EQ(log.Infos(), (Lines{u"运行出错！<broken><0>"}));
}

TEST(DevilApiForms, ScriptVariablesOfEveryType)
{
    DevilEngine e;
    DevilFunc f(&e, u"fn");
    hgl::test::LogCapture log;
    struct
    {
        int token;
        const u16char *name;
    } const types[] = {{ttBool, u"b"},    {ttString, u"s"}, {ttInt, u"i"},     {ttInt8, u"i8"},
                       {ttInt16, u"i16"}, {ttInt64, u"i64"}, {ttUInt, u"u"},    {ttUInt8, u"u8"},
                       {ttUInt16, u"u16"}, {ttUInt64, u"u64"}, {ttFloat, u"f"}, {ttDouble, u"d"}};
    for (const auto &t : types)
    {
        DevilValueInterface *v = f.AddValue(t.token, String(t.name));
        ASSERT_NE(v, nullptr) << t.token;
        EXPECT_EQ(v->GetType(), t.token);
        EXPECT_EQ(v->GetEngine(), &e);
    }
    EXPECT_EQ(f.GetValueCount(), 12);
    EXPECT_TRUE(log.Lines().empty()) << log.Dump();

    // The string variable is a String; scalars start at zero.
    auto *s = dynamic_cast<hgl::DevilScriptValue<String> *>(f.GetValue(u"s"));
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->GetValue()->IsEmpty());
    EXPECT_EQ(s->GetFuncName(), u"fn");
    EXPECT_EQ(s->GetVarName(), u"s");
    EXPECT_EQ(Read<hgl::int64>(f.GetValue(u"i64")), 0);
    EXPECT_EQ(Read<double>(f.GetValue(u"d")), 0.0);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<signed char> *>(f.GetValue(u"i8")), nullptr);
    EXPECT_NE(dynamic_cast<hgl::DevilScriptValue<unsigned short> *>(f.GetValue(u"u16")), nullptr);

    // Refusals: the first definition stays.
    EXPECT_EQ(f.AddValue(ttInt, u"b"), nullptr);
    EXPECT_EQ(f.AddValue(ttVoid, String(u"v")), nullptr);
    EXPECT_EQ(f.AddValue(ttIdentifier, u"w"), nullptr);
    EXPECT_EQ(log.Errors(), (Lines{u"添加变量失败，变量名称<b>重复！", u"变量<v>的类型无法实别，id=77", u"变量<w>的类型无法实别，id=5"}));
    EXPECT_EQ(f.GetValue(u"b")->GetType(), ttBool);
    // The same name in another function is another variable.
    DevilFunc g(&e, u"g");
    EXPECT_NE(g.AddValue(ttInt, u"b"), nullptr);

    // Made directly, with names in every form.
    hgl::DevilScriptValue<int> a(&e, u"f", u"x", ttInt);
    hgl::DevilScriptValue<float> b(&e, String(u"f"), String(u"y"), ttFloat);
    hgl::DevilScriptValue<bool> c(&e, String(u"f"), u"z", ttBool);
    EXPECT_EQ(*a.GetValue(), 0);
    EXPECT_EQ(b.GetVarName(), u"y");
    EXPECT_EQ(c.GetFuncName(), u"f");
    EXPECT_FALSE(*c.GetValue());
}

TEST(DevilApiForms, LoadScriptTextForms)
{
    // The way the game hands over a file: its text after the byte-order mark and the
    // length reduced by one.
    const u16char file[] = u"\uFEFFfunc main(){ Mark(\"loaded\"); }";
    const int file_length = int(std::char_traits<u16char>::length(file));
    {
        Host h;
        hgl::DevilVM *vm = &h.engine;
        EXPECT_TRUE(vm->LoadScript(file + 1, file_length - 1));
        EXPECT_TRUE(vm->Resume(u"main"));
        EXPECT_EQ(h.trace, (Trace{u"loaded"}));
    }
    {
        // A NUL-terminated text without a length, and a length of -1.
        Host h;
        const u16char *text = u"func a(){ Mark(\"a\"); }";
        EXPECT_TRUE(h.engine.LoadScript(text));
        EXPECT_TRUE(h.engine.LoadScript(u"func b(){ Mark(\"b\"); }", -1));
        // A length shorter than the text compiles only that much.
        EXPECT_TRUE(h.engine.LoadScript(u"func c(){} func d(){}", 11));
        EXPECT_NE(h.engine.GetScriptFunc(u"c"), nullptr);
        EXPECT_EQ(h.engine.GetScriptFunc(u"d"), nullptr);
        EXPECT_TRUE(h.engine.RunFunc(u"a"));
        EXPECT_TRUE(h.engine.RunFunc(u"b"));
        EXPECT_EQ(h.trace, (Trace{u"a", u"b"}));
    }
    {
        // Nothing to load: null, empty, a length below 1; an empty file as the game
        // hands it over (only the mark, length 1 - 1 = 0).
        Host h;
        hgl::test::LogCapture log;
        EXPECT_FALSE(h.engine.LoadScript(static_cast<const u16char *>(nullptr)));
        EXPECT_FALSE(h.engine.LoadScript(nullptr, 5));
        EXPECT_FALSE(h.engine.LoadScript(u""));
        EXPECT_FALSE(h.engine.LoadScript(u"func a(){}", 0));
        EXPECT_FALSE(h.engine.LoadScript(u"func a(){}", -2));
        const u16char empty_file[] = {0xFEFF};
        EXPECT_FALSE(h.engine.LoadScript(empty_file + 1, 1 - 1));
        EXPECT_EQ(h.engine.GetScriptFuncCount(), 0);
        EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    }
}
