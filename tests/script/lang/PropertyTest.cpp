// Properties every compiled function has, checked over many generated scripts:
// labels inside the function, one argument slot per declared parameter, pooled
// texts readable until Clear, conditional jumps with a defined target, script
// calls only backwards, and Clear followed by reloading giving the same listing.
#include "ScriptHost.h"

#include "script/Tokenizer.h"

#include <cstring>

using namespace lang_test;
using namespace hgl;

namespace
{
struct Rng
{
    uint32 state;
    uint32 Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int Below(int n) { return int(Next() % uint32(n)); }
};

std::u16string Num(int v) { return hgl::Format(u"%d", v); }

// A script of a few functions made of the language's statements, some of them
// broken on purpose (unbalanced braces, refused arguments, duplicate labels).
std::u16string GenerateScript(uint32 seed, int &func_count)
{
    Rng rng{seed};
    func_count = 1 + rng.Below(5);
    std::u16string s;
    for (int f = 0; f < func_count; ++f) {
        s += u"func f" + Num(f) + u"()\n{\n";
        int open = 0;
        const int statements = rng.Below(30);
        for (int i = 0; i < statements; ++i) {
            switch (rng.Below(24)) {
            case 0: s += u"X();\n"; break;
            case 1: s += u"TwoInts(" + Num(rng.Below(200) - 100) + u", " + Num(rng.Below(9)) + u");\n"; break;
            case 2: s += u"Say(\"第" + Num(i) + u"句\\n\");\n"; break;
            case 3: s += u"SetCG(\"cg\", " + Num(rng.Below(5)) + u");\n"; break;
            case 4: s += u"L" + Num(rng.Below(6)) + u":\n"; break;
            case 5: s += u"goto L" + Num(rng.Below(6)) + u";\n"; break;
            case 6: s += u"if (A == " + Num(rng.Below(3)) + u") {\n"; ++open; break;
            case 7: if (open) { s += u"} else {\n"; } break;
            case 8: if (open) { s += u"}\n"; --open; } break;
            case 9: s += u"if (F(" + Num(rng.Below(3)) + u") > -1) Y();\n"; break;
            case 10: s += u"return;\n"; break;
            case 11: s += u"int v" + Num(rng.Below(4)) + u" = " + Num(i) + u";\n"; break;
            case 12: s += u"BG(1, 0.5, -2.5f);\n"; break;
            case 13: if (f) s += u"f" + Num(rng.Below(f)) + u"();\n"; break;
            case 14: s += u"while (A < 3) { Z(); }\n"; break;
            case 15: s += u"TwoInts(1);\n"; break;
            case 16: s += u"if (S8 <= 2) X(); else if (UV != 0) Y(); else Z();\n"; break;
            case 17: s += u";\n"; break;
            case 18: s += u"Fl(-" + Num(rng.Below(9)) + u".5f);\n"; break;
            case 19: s += u"x = y + 1;\n"; break;
            case 20: s += u"if (DV >= 1.5) {} \n"; break;
            case 21: s += u"U(" + Num(rng.Below(100)) + u");\n"; break;
            case 22: s += u"Flag(true); Flag(" + Num(rng.Below(3)) + u");\n"; break;
            case 23: s += u"if (I64 < U64) return;\n"; break;
            }
        }
        while (open-- > 0) s += u"}\n";
        s += u"}\n";
    }
    return s;
}

void CheckFunction(const ScriptHost &host, const DevilFunc *f)
{
    const int count = f->GetCommandCount();
    for (const auto &[label, index] : f->GetLabels()) {
        EXPECT_GE(index, 0) << test::U8(label);
        EXPECT_LE(index, count) << test::U8(label);
    }
    for (int i = 0; i < count; ++i) {
        DevilCommand *cmd = f->GetCommand(i);
        ASSERT_NE(cmd, nullptr);
        if (auto *call = dynamic_cast<DevilSystemFuncCallFixed *>(cmd)) {
            const DevilFuncMap *fm = call->GetFuncMap();
            ASSERT_NE(fm, nullptr);
            EXPECT_EQ(host.engine->GetFuncMap(fm->name), fm);
            EXPECT_EQ(call->GetArgCount(), fm->GetParamCount());
            EXPECT_EQ(call->BlockSizeBytes(), 4 * fm->GetParamCount());
            for (int a = 0; a < call->GetArgCount(); ++a)
                if (fm->params[size_t(a)] == angle_script::ttString) {
                    ASSERT_NE(call->Arg(a).s, nullptr);
                    EXPECT_LT(std::char_traits<u16char>::length(call->Arg(a).s), 100u);
                }
        } else if (auto *jump = dynamic_cast<DevilCompGoto *>(cmd)) {
            EXPECT_NE(jump->GetComp(), nullptr);
            EXPECT_GE(f->FindLabel(jump->GetLabel()), 0) << test::U8(jump->GetLabel());
        } else if (auto *sc = dynamic_cast<DevilScriptFuncCall *>(cmd)) {
            ASSERT_NE(sc->GetTarget(), nullptr);
            EXPECT_NE(sc->GetTarget(), f);
            EXPECT_EQ(host.engine->GetScriptFunc(sc->GetTarget()->GetName()), sc->GetTarget());
        }
    }
}
} // namespace

TEST(CompiledFunctionProperties, GeneratedScripts)
{
    int compiled = 0, failed = 0;
    for (uint32 seed = 1; seed <= 300; ++seed) {
        int funcs = 0;
        const std::u16string script = GenerateScript(seed, funcs);

        ScriptHost host;
        host.pause_in_mes = false;
        test::LogCapture log;
        const bool ok = host.Load(script);
        ok ? ++compiled : ++failed;

        std::vector<std::u16string> listings;
        for (int f = 0; f < funcs; ++f) {
            const DevilFunc *func = host.Func(u"f" + Num(f));
            listings.push_back(func ? func->GetListing() : u"<none>");
            if (func) CheckFunction(host, func);
        }
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "seed " << seed << "\n" << test::U8(script);
            return;
        }

        // Every compiled function runs (bounded) without harm.
        for (int f = 0; f < funcs; ++f)
            if (host.Func(u"f" + Num(f))) {
                host.engine->SetCommandBudget(10000);      // the budget is spent by one run
                host.vm->RunFunc((u"f" + Num(f)).c_str());
                host.trace.clear();
            }
        host.engine->SetCommandBudget(-1);

        // Clear and reload: the same result and the same listings.
        host.vm->Clear();
        EXPECT_EQ(host.engine->GetScriptFuncCount(), 0);
        EXPECT_EQ(host.Load(script), ok) << seed;
        for (int f = 0; f < funcs; ++f) {
            const DevilFunc *func = host.Func(u"f" + Num(f));
            EXPECT_EQ(test::U8(func ? func->GetListing() : u"<none>"), test::U8(listings[size_t(f)])) << seed;
        }
    }
    // The generator reaches both outcomes.
    EXPECT_GT(compiled, 30);
    EXPECT_GT(failed, 10);
}
