// Loading scripts and compiling statements: the top level, calls and their
// constant arguments, labels, jumps, returns and variable definitions.
#include "ScriptHost.h"

#include "script/Tokenizer.h"

using namespace script_test;
using hgl::test::LogCapture;

namespace
{
struct BodyCase
{
    std::u16string body;    // compiled as the body of "main"
    std::u16string listing; // expected listing of main
    std::vector<std::u16string> log;
};

void CheckBodies(const std::vector<BodyCase> &cases)
{
    for (const auto &c : cases)
    {
        ScriptHost host;
        LogCapture log;
        const std::u16string script = u"func main()\n{\n" + c.body + u"\n}\n";
        EXPECT_TRUE(host.Load(script)) << hgl::test::U8(c.body) << "\n" << log.Dump();
        EXPECT_EQ(hgl::test::U8(host.Listing()), hgl::test::U8(c.listing)) << hgl::test::U8(c.body);
        EXPECT_EQ(log.Lines(), c.log) << hgl::test::U8(c.body) << "\n" << log.Dump();
    }
}

const std::u16string kNotFound = u"脚本调用函数没有找到相应的真实函数映射与脚本函数<";
} // namespace

TEST(CompileLoad, TopLevel)
{
    struct Case
    {
        std::u16string script;
        bool result;
        std::vector<std::u16string> funcs; // functions present afterwards
        std::vector<std::u16string> log;
    };
    const std::vector<Case> cases = {
        {u"#include x\nfunc main(){X();}", true, {}, {}},
        {u"enum Colour { Red } func main(){ X(); }", true, {}, {}},
        {u"const int X = 1; func main(){ X(); }", true, {}, {}},
        {u"enum const enum func main(){ X(); }", true, {u"main"}, {}},
        {u"func main(){X();} func main(){Y();}", false, {u"main"}, {u"脚本函数名称重复: main"}},
        {u"func a(){X();} func main(){X();", false, {u"a"}, {u"解晰函数<main>失败!"}},
        {u"func main(){ X(); # }", false, {}, {u"解晰函数<main>失败!"}},
        {u"func a(){} func b(){} ; func c(){}", true, {u"a", u"b"}, {}},
        {u"func", false, {}, {u"解晰函数<func>失败!"}},
        {u"func main() X(); func b() { Y(); }", true, {u"main", u"b"}, {}},
        {u"\uFEFF// comment\n/* c */ func main(){}", true, {u"main"}, {}},
        {u"func 123 () { X(); }", true, {u"123"}, {}},
        {u"  // only a comment", true, {}, {}},
        {u"func main(){} \u3000 func later(){}", true, {u"main"}, {}}, // an unknown character ends the text
    };
    for (const auto &c : cases)
    {
        ScriptHost host;
        LogCapture log;
        EXPECT_EQ(host.Load(c.script), c.result) << hgl::test::U8(c.script) << log.Dump();
        EXPECT_EQ(host.engine.GetScriptFuncCount(), int(c.funcs.size())) << hgl::test::U8(c.script);
        for (const auto &f : c.funcs)
            EXPECT_NE(host.Func(f), nullptr) << hgl::test::U8(f);
        EXPECT_EQ(log.Lines(), c.log) << hgl::test::U8(c.script) << log.Dump();
    }

    // The first of two same-named functions stays callable.
    ScriptHost host;
    EXPECT_FALSE(host.Load(u"func main(){X();} func main(){Y();}"));
    EXPECT_EQ(host.RunAll(u"main"), (Trace{u"X"}));
}

TEST(CompileLoad, TextForms)
{
    ScriptHost host;
    LogCapture log;
    EXPECT_FALSE(host.engine.LoadScript(std::u16string_view()));
    EXPECT_FALSE(host.engine.LoadScript(nullptr, -1));
    EXPECT_FALSE(host.engine.LoadScript(u"", -1));
    EXPECT_FALSE(host.engine.LoadScript(u"func main(){X();}", 0));
    EXPECT_FALSE(host.engine.LoadScript(u"func main(){X();}", -7));
    EXPECT_TRUE(log.Lines().empty());

    // An explicit length is honoured: the text after it is never read.
    const std::u16string text = u"func a(){X();} func b(){Y();}";
    EXPECT_TRUE(host.engine.LoadScript(text.data(), 14));
    EXPECT_NE(host.Func(u"a"), nullptr);
    EXPECT_EQ(host.Func(u"b"), nullptr);
    // Loads accumulate, and the measured form reads up to the terminator.
    EXPECT_TRUE(host.engine.LoadScript(u"func b(){Y();}", -1));
    EXPECT_EQ(host.engine.GetScriptFuncCount(), 2);
    // The look-up takes the name as any text type; a longer name, a prefix and no
    // name find nothing.
    hgl::DevilFunc *const b = host.Func(u"b");
    const hgl::u16char *const none = nullptr;
    EXPECT_EQ(host.engine.GetScriptFunc(hgl::String(u"b")), b);
    EXPECT_EQ(host.engine.GetScriptFunc(std::u16string(u"b")), b);
    for (hgl::StringView name : {hgl::StringView(u"bb"), hgl::StringView(u""), hgl::StringView(none)})
        EXPECT_EQ(host.engine.GetScriptFunc(name), nullptr);
    EXPECT_EQ(host.engine.GetScriptFunc(none), nullptr);
    // A name from an earlier load cannot come again.
    EXPECT_FALSE(host.engine.LoadScript(u"func a(){Z();}", -1));
    EXPECT_EQ(host.Listing(u"a"), u"0 NATIVE X()\n");
    // The byte order mark as first unit is white space.
    EXPECT_TRUE(host.engine.LoadScript(u"\uFEFFfunc c(){Z();}", -1));
    EXPECT_NE(host.Func(u"c"), nullptr);
}

TEST(CompileCall, Arguments)
{
    CheckBodies({
        {u"TwoInts(1 2);", u"0 NATIVE TwoInts(1,2)\n", {}},
        {u"TwoInts(,1,,2);", u"0 NATIVE TwoInts(1,2)\n", {}},
        {u"TwoInts(1, 2, 3); X();", u"0 NATIVE TwoInts(1,2)\n1 NATIVE X()\n", {}},
        {u"TwoInts(1 /* c */ , // x\n 2)", u"0 NATIVE TwoInts(1,2)\n", {}},
        {u"One(1+2); X();", u"0 NATIVE One(1)\n1 NATIVE X()\n", {}},
        {u"TwoInts(-1, -2147483648);", u"0 NATIVE TwoInts(-1,-2147483648)\n", {}},
        {u"TwoInts(4294967297, 2147483648);", u"0 NATIVE TwoInts(1,-2147483648)\n", {}},
        {u"TwoInts(1.9, -1.9);", u"0 NATIVE TwoInts(1,-1)\n", {}},
        {u"TwoInts(3000000000.0, 99999999999999999999.0);", u"0 NATIVE TwoInts(-1294967296,0)\n", {}},
        {u"TwoInts('a', 1);", u"0 NATIVE TwoInts(0,1)\n", {}},
        {u"TwoInts(5, 1e3);", u"0 NATIVE TwoInts(5,1)\n", {}},
        {u"TwoInts(1e3, 5);", u"", {kNotFound + u"TwoInts>"}},
        {u"TwoInts(0x10, 1);", u"", {kNotFound + u"TwoInts>"}},
        {u"TwoInts(a, 1);", u"", {kNotFound + u"TwoInts>"}},
        {u"TwoInts(1, \"2\");", u"", {kNotFound + u"TwoInts>"}},
        {u"TwoInts(- -1, 1);", u"", {kNotFound + u"TwoInts>"}},
        {u"U(3000000000);", u"0 NATIVE U(3000000000)\n", {}},
        {u"U(7.9);", u"0 NATIVE U(7)\n", {}},
        {u"U(-5);", u"", {kNotFound + u"U>"}},
        {u"Flag(true); Flag(false); Flag(2);", u"0 NATIVE Flag(1)\n1 NATIVE Flag(0)\n2 NATIVE Flag(2)\n", {}},
        {u"Flag(1.5);", u"", {kNotFound + u"Flag>"}},
        {u"Flag(-1);", u"", {kNotFound + u"Flag>"}},
        {u"Fl(1.5e3); Fl(-2); Fl(3); Fl(-0.25f);",
         u"0 NATIVE Fl(1.5)\n1 NATIVE Fl(-2)\n2 NATIVE Fl(3)\n3 NATIVE Fl(-0.25)\n",
         {}},
        {u"Fl(true);", u"", {kNotFound + u"Fl>"}},
        {u"N8(300); N16(-70000); P8(256); P16(65537);",
         u"0 NATIVE N8(300)\n1 NATIVE N16(-70000)\n2 NATIVE P8(256)\n3 NATIVE P16(65537)\n",
         {}},
        {u"Say(\"a\\nb\\\\c\");", u"0 NATIVE Say(\"a\nb\\c\")\n", {}},
        {u"Say(\"\");", u"0 NATIVE Say(\"\")\n", {}},
        {u"Say(\"a\" \"b\");", u"0 NATIVE Say(\"a\")\n", {}},
        {u"Say(\"abc\n); X();", u"0 NATIVE X()\n", {kNotFound + u"Say>"}},
        {u"Say(\"\"\"heredoc\"\"\");", u"", {kNotFound + u"Say>"}},
        {u"Say('c');", u"", {kNotFound + u"Say>"}},
        {u"SetCG(\"bg01\", 2);", u"0 NATIVE SetCG(\"bg01\",2)\n", {}},
        {u"BG(1, 0.5f, -2.25);", u"0 NATIVE BG(1,0.5,-2.25)\n", {}},
        {u"X(1, 2, 3);", u"0 NATIVE X()\n", {}},
        {u"Nope(1); X();", u"0 NATIVE X()\n", {kNotFound + u"Nope>"}},
        // Too few arguments: the ")" is refused as an argument, and the skip then runs on
        // to the next ")" of the text, taking X() with it.
        {u"TwoInts(1); X(); Y();", u"0 NATIVE Y()\n", {kNotFound + u"TwoInts>"}},
    });
}

TEST(CompileStatement, ScriptCallsLabelsJumpsReturns)
{
    ScriptHost host;
    LogCapture log;
    ASSERT_TRUE(host.Load(u"func g(){ X(); }\n"
                          u"func main(){\n"
                          u"  g(One(1));\n"       // call of g, then One(1) as a statement of its own
                          u"  later(); main();\n" // not compiled yet / itself
                          u"  start: Y();\n"
                          u"  goto start; GOTO nowhere;\n"
                          u"  return Z();\n" // return, then the call after it
                          u"  while (x) { TwoInts(1,2); } x = 5; a + b;\n"
                          u"  done:\n"
                          u"}\n"
                          u"func later(){}"));
    EXPECT_EQ(host.Listing(), u"0 CALL g\n"
                              u"1 NATIVE One(1)\n"
                              u"2 NATIVE Y()\n"
                              u"3 GOTO start\n"
                              u"4 GOTO nowhere\n"
                              u"5 RETURN\n"
                              u"6 NATIVE Z()\n"
                              u"7 NATIVE TwoInts(1,2)\n"
                              u"done: 8\n"
                              u"start: 2\n");
    EXPECT_EQ(log.Lines(), (Trace{kNotFound + u"later>", kNotFound + u"main>"}));

    // A native refused for its arguments may still be taken by a script function of that
    // name; without one the call is dropped.
    ScriptHost h2;
    LogCapture log2;
    ASSERT_TRUE(h2.Load(u"func TwoInts(){ Z(); } func main(){ TwoInts(\"s\"); X(\"ignored\") Y(); }"));
    EXPECT_EQ(h2.Listing(), u"0 CALL TwoInts\n1 NATIVE X()\n2 NATIVE Y()\n");
    EXPECT_TRUE(log2.Lines().empty()) << log2.Dump();
}
