// Speed of the script run loop: native calls, jumps, conditions with two native
// variable operands, and script calls with their returns. Each iteration runs one
// function of 1000 such steps.
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilValue.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace hgl;

namespace
{
constexpr int STEPS = 1000;
int counter = 0;
void Nop()
{
    ++counter;
}

std::u16string Label(int i)
{
    const std::string s = "L" + std::to_string(i);
    return std::u16string(s.begin(), s.end());
}

void Run(benchmark::State &state, DevilEngine &e)
{
    for (auto _ : state)
    {
        if (!e.RunFunc(u"main")) state.SkipWithError("run failed");
    }
    state.SetItemsProcessed(state.iterations() * STEPS);
}
} // namespace

static void NativeCalls(benchmark::State &state)
{
    DevilEngine e;
    e.MapFunc(u"void Nop()", &Nop);
    auto f = std::make_unique<DevilFunc>(&e, u"main");
    for (int i = 0; i < STEPS; ++i)
        f->AddCommand(new DevilSystemFuncCallFixed(e.GetFuncMap(u"Nop")));
    e.AddScriptFunc(std::move(f));
    Run(state, e);
}
BENCHMARK(NativeCalls);

static void Gotos(benchmark::State &state)
{
    DevilEngine e;
    auto f = std::make_unique<DevilFunc>(&e, u"main");
    for (int i = 0; i < STEPS; ++i)
    {
        f->AddGoto(Label(i));
        f->AddGotoFlag(Label(i));
    }
    e.AddScriptFunc(std::move(f));
    Run(state, e);
}
BENCHMARK(Gotos);

static void Conditions(benchmark::State &state)
{
    DevilEngine e;
    int a = 1, b = 2;
    e.MapProperty(u"int A", &a);
    e.MapProperty(u"int B", &b);
    auto f = std::make_unique<DevilFunc>(&e, u"main");
    for (int i = 0; i < STEPS; ++i)
    {
        auto *comp =
            CreateDevilComp(angle_script::ttLessThan, CreateDevilPropertyValue(&e, e.GetPropertyMap(u"A")),
                            CreateDevilPropertyValue(&e, e.GetPropertyMap(u"B")));
        auto *cg = new DevilCompGoto(&e, comp, f.get());
        cg->SetLabel(u"end");
        f->AddCommand(cg);
    }
    f->AddGotoFlag(u"end");
    e.AddScriptFunc(std::move(f));
    Run(state, e);
}
BENCHMARK(Conditions);

static void CallReturnPairs(benchmark::State &state)
{
    DevilEngine e;
    auto sub = std::make_unique<DevilFunc>(&e, u"sub");
    sub->AddReturn();
    DevilFunc *subp = sub.get();
    e.AddScriptFunc(std::move(sub));
    auto f = std::make_unique<DevilFunc>(&e, u"main");
    for (int i = 0; i < STEPS; ++i)
        f->AddScriptFuncCall(subp);
    e.AddScriptFunc(std::move(f));
    Run(state, e);
}
BENCHMARK(CallReturnPairs);
