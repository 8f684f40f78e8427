// Compile speed of the script compiler over a generated story script: message
// lines with long Chinese texts, picture calls with int and float constants,
// labels, jumps and conditions on registered variables. Reported as lines/s.
#include "core/Types.h"
#include "script/DevilEngine.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace
{
using namespace hgl;

struct Host
{
    std::unique_ptr<DevilVM> vm{NewDevilEngine()};
    int32 flag = 0;
    int8 mood = 0;
    float volume = 1.0f;

    void MES(const u16char *) {}
    void SetCG(const u16char *, int32) {}
    void BG(int32, float, float, float, float) {}
    void SetChar(const u16char *, const u16char *, int32, int32, const u16char *) {}
    void PlayBGM(const u16char *, int32) {}
    void Wait(int32) {}

    Host()
    {
        vm->MapMemberFunc(u"void MES(string)", this, &Host::MES);
        vm->MapMemberFunc(u"void SetCG(string,int)", this, &Host::SetCG);
        vm->MapMemberFunc(u"void BG_FadeToPart(int,float,float,float,float)", this, &Host::BG);
        vm->MapMemberFunc(u"void SetChar(string,string,int,int,string);", this, &Host::SetChar);
        vm->MapMemberFunc(u"void PlayBGM(string,int)", this, &Host::PlayBGM);
        vm->MapMemberFunc(u"void Wait(int)", this, &Host::Wait);
        vm->MapProperty(u"int Flag", &flag);
        vm->MapProperty(u"int8 Mood", &mood);
        vm->MapProperty(u"float Volume", &volume);
    }
};

std::u16string Num(int v)
{
    std::string s = std::to_string(v);
    return std::u16string(s.begin(), s.end());
}

// About `lines` lines in functions of 1000 lines each.
std::u16string StoryScript(int lines, int &counted)
{
    static const std::u16string texts[] = {
        u"【林晓】“这条路我走过无数次，可今天却觉得格外漫长，仿佛每一步都踩在回忆里。”",
        u"　　窗外的雨一直没有停，街灯在水洼里摇晃，像是谁不小心打翻了一整盒星星。",
        u"【苏遥】“你还记得吗？那年夏天我们约好，等樱花再开的时候，一起回到这里。”",
        u"　　她没有回答，只是把围巾往上拉了拉，转身走进了人群，再也没有回头。\\n",
    };
    std::u16string s;
    counted = 0;
    const int per_func = 1000;
    for (int f = 0; counted < lines; ++f)
    {
        s += u"func chapter" + Num(f) + u"()\n{\n";
        counted += 2;
        for (int i = 0; i < per_func && counted < lines; ++i, ++counted)
        {
            switch (i % 10)
            {
            case 0:
                s += u"scene" + Num(i) + u":\n";
                break;
            case 1:
                s += u"    SetCG(\"CG\\\\chapter" + Num(f) + u"_" + Num(i) + u"\", " + Num(i % 7) + u");\n";
                break;
            case 2:
                s += u"    BG_FadeToPart(" + Num(i) + u", 0.5, 1.25f, -3.75, 100.0);\n";
                break;
            case 3:
                s += u"    SetChar(\"林晓\", \"smile\", 1, -2, \"left\");\n";
                break;
            case 4:
                s += u"    if (Flag == " + Num(i % 3) + u") { MES(\"" + texts[i % 4] + u"\"); }\n";
                break;
            case 5:
                s += u"    else MES(\"" + texts[(i + 1) % 4] + u"\");\n";
                break;
            case 6:
                s += u"    if (Mood > -1) goto scene" + Num(i - 6) + u";\n";
                break;
            case 7:
                s += u"    PlayBGM(\"BGM\\\\theme02.ogg\", 1);\n";
                break;
            case 8:
                s += u"    MES(\"" + texts[i % 4] + u"\");\n";
                break;
            case 9:
                s += u"    Wait(500); // a pause between lines\n";
                break;
            }
        }
        s += u"}\n";
    }
    return s;
}

// The worst case for the tokenizer: short identifiers and operators, no calls.
std::u16string IdentifierScript(int lines, int &counted)
{
    std::u16string s = u"func words()\n{\n";
    for (counted = 2; counted < lines; ++counted)
        s += u"    a = b + c * d - e / f; g h i j k l m n;\n";
    s += u"}\n";
    return s;
}

void Compile(benchmark::State &state, std::u16string (*make)(int, int &))
{
    int lines = 0;
    const std::u16string script = make(int(state.range(0)), lines);
    // A fresh engine each time, as a game screen makes one per script; making and
    // destroying it is not timed.
    for (auto _ : state)
    {
        state.PauseTiming();
        auto host = std::make_unique<Host>();
        state.ResumeTiming();
        if (!host->vm->LoadScript(script)) state.SkipWithError("the script did not compile");
        state.PauseTiming();
        host.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * lines);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(script.size() * 2));
    state.counters["lines/s"] =
        benchmark::Counter(double(lines), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CompileStory(benchmark::State &state)
{
    Compile(state, StoryScript);
}
void BM_CompileIdentifiers(benchmark::State &state)
{
    Compile(state, IdentifierScript);
}
} // namespace

BENCHMARK(BM_CompileStory)->Arg(100000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileIdentifiers)->Arg(100000)->Unit(benchmark::kMillisecond);
