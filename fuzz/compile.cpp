// Any text compiles or fails cleanly, and every function it compiled runs under a
// command budget (resumed after each pause) without harm. The engine has a fixed
// set of natives and native variables, some of which pause, stop, jump, restart,
// clear the engine or clear it and load another script, and a compile hook that
// runs some of them at load time.
#include "core/BoundMethod.h"
#include "script/DevilEngine.h"
#include "script/Tokenizer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace
{
using namespace hgl;

struct Host
{
    std::unique_ptr<DevilVM> vm{NewDevilEngine()};
    DevilEngine *engine = static_cast<DevilEngine *>(vm.get());
    int32 A = 0;
    int8 S8 = -3;
    uint16 U16 = 7;
    uint32 UV = 1;
    int64 I64 = -1;
    uint64 U64 = 2;
    float FV = 0.5f;
    double DV = 1.5;
    bool BV = true;
    std::u16string Str;
    uint32 sink = 0;

    void MES(const u16char *s)
    {
        sink += s ? s[0] : 0;
        engine->Pause();
    }
    void X() { ++sink; }
    void TwoInts(int32 a, int32 b) { sink += uint32(a) ^ uint32(b); }
    void SetCG(const u16char *s, int32 n) { sink += (s ? s[0] : 0) + uint32(n); }
    void BG(int32 n, float, float) { sink += uint32(n); }
    void U(uint32 v) { sink += v; }
    void Flag(bool v) { sink += v; }
    void Fl(float) { ++sink; }
    void N8(int8 v) { sink += uint32(v); }
    void P16(uint16 v) { sink += v; }
    void SetA(int32 v) { A = v; }
    int32 F(int32 v) { return v + A; }
    double D() { return DV; }
    bool IsOn() { return BV; }
    void StopNow() { engine->Stop(); }
    void Jump(const u16char *label) { engine->GotoLabel(label); }
    void Again(const u16char *name) { engine->Resume(name); }
    void Reset() { engine->Clear(); }
    // Empties the engine and loads a script at least as large as most inputs' start,
    // so that a function compiled across it cannot tell by the table's size alone.
    void Reload()
    {
        engine->Clear();
        engine->LoadScript(u"func r1(){ SetCG(\"r\", 1); SetCG(\"s\", 2); SetCG(\"t\", 3); X(); }"
                           u"func r2(){ r1(); MES(\"m\"); } func r3(){ r2(); r1(); } func main(){ r3(); }");
    }

    bool Hook(const u16char *name)
    {
        const std::u16string n(name);
        return n == u"MES" || n == u"StopNow" || n == u"Reset" || n == u"Reload" || n == u"SetA" ||
               n == u"Jump" || n == u"Again";
    }

    Host()
    {
        vm->MapMemberFunc(u"void MES(string)", this, &Host::MES);
        vm->MapMemberFunc(u"void X()", this, &Host::X);
        vm->MapMemberFunc(u"void TwoInts(int,int)", this, &Host::TwoInts);
        vm->MapMemberFunc(u"void SetCG(string,int)", this, &Host::SetCG);
        vm->MapMemberFunc(u"void BG(int,float,float)", this, &Host::BG);
        vm->MapMemberFunc(u"void U(uint)", this, &Host::U);
        vm->MapMemberFunc(u"void Flag(bool)", this, &Host::Flag);
        vm->MapMemberFunc(u"void Fl(float)", this, &Host::Fl);
        vm->MapMemberFunc(u"void N8(int8)", this, &Host::N8);
        vm->MapMemberFunc(u"void P16(uint16)", this, &Host::P16);
        vm->MapMemberFunc(u"void SetA(int)", this, &Host::SetA);
        vm->MapMemberFunc(u"int F(int)", this, &Host::F);
        vm->MapMemberFunc(u"double D()", this, &Host::D);
        vm->MapMemberFunc(u"bool IsOn()", this, &Host::IsOn);
        vm->MapMemberFunc(u"void StopNow()", this, &Host::StopNow);
        vm->MapMemberFunc(u"void Jump(string)", this, &Host::Jump);
        vm->MapMemberFunc(u"void Again(string)", this, &Host::Again);
        vm->MapMemberFunc(u"void Reset()", this, &Host::Reset);
        vm->MapMemberFunc(u"void Reload()", this, &Host::Reload);
        vm->MapProperty(u"int A", &A);
        vm->MapProperty(u"int8 S8", &S8);
        vm->MapProperty(u"uint16 U16", &U16);
        vm->MapProperty(u"uint UV", &UV);
        vm->MapProperty(u"int64 I64", &I64);
        vm->MapProperty(u"uint64 U64", &U64);
        vm->MapProperty(u"float FV", &FV);
        vm->MapProperty(u"double DV", &DV);
        vm->MapProperty(u"bool BV", &BV);
        vm->MapProperty(u"string Str", &Str);
        DevilVM::CompileHook hook;
        hook.Bind<&Host::Hook>(this);
        vm->SetCompileHook(hook);
    }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 64 * 1024) return 0;
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = u16char(data[2 * i] | (data[2 * i + 1] << 8));

    Host host;
    host.vm->LoadScript(text);

    // The names that may have become functions: whatever follows a "func".
    std::vector<std::u16string> names;
    DevilParse parse(nullptr, text);
    std::u16string_view tok;
    while (parse.GetCharsLeft() > 0)
    {
        if (parse.GetToken(tok) == angle_script::ttFunc && parse.GetToken(tok) != angle_script::ttEnd)
            names.emplace_back(tok);
    }

    for (const auto &name : names)
    {
        if (!host.engine->GetScriptFunc(name)) continue;
        host.engine->SetCommandBudget(5000);
        host.vm->RunFunc(name.c_str());
        for (int i = 0; i < 20 && host.engine->GetStackDepth() > 0 && host.vm->GetRunState() == 1; ++i)
        {
            host.engine->SetCommandBudget(5000);
            host.vm->Resume(nullptr);
        }
    }
    host.engine->SetCommandBudget(-1);
    return 0;
}
