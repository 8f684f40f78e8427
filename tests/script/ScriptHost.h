#pragma once
// A host for compiler tests: an engine with a fixed set of natives and native
// variables that record what the scripts do.
#include "core/BoundMethod.h"
#include "core/Format.h"
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace lang_test
{
using hgl::int16;
using hgl::int32;
using hgl::int64;
using hgl::int8;
using hgl::u16char;
using hgl::uint16;
using hgl::uint32;
using hgl::uint64;
using hgl::uint8;

struct ScriptHost
{
    std::unique_ptr<hgl::DevilVM> vm{hgl::NewDevilEngine()};
    hgl::DevilEngine *engine = static_cast<hgl::DevilEngine *>(vm.get());
    std::vector<std::u16string> trace;

    // Native variables.
    int32 A = 0;
    int32 B = 0;
    int8 S8 = 0;
    uint16 U16 = 0;
    uint32 UV = 0;
    int64 I64 = 0;
    uint64 U64 = 0;
    float FV = 0;
    double DV = 0;
    bool BV = false;
    std::u16string Str;

    int f_calls = 0;
    int32 f_result = 3;
    bool pause_in_mes = true;

    // The compile hook, once UseHook has installed it: the names it was asked about,
    // and the natives it lets run at compile time.
    std::vector<std::u16string> hook_asked;
    std::vector<std::u16string> hook_runs;

    void X() { trace.push_back(u"X"); }
    void Y() { trace.push_back(u"Y"); }
    void Z() { trace.push_back(u"Z"); }
    void MES(const u16char *s)
    {
        trace.push_back(u"MES:" + std::u16string(s));
        if (pause_in_mes) engine->Pause();
    }
    void Say(const u16char *s) { trace.push_back(u"Say:" + std::u16string(s)); }
    void TwoInts(int32 a, int32 b) { trace.push_back(hgl::Format(u"A:%d,%d", a, b)); }
    void SetCG(const u16char *s, int32 n) { trace.push_back(hgl::Format(u"SetCG:%s,%d", s, n)); }
    void BG(int32 n, float x, float y) { trace.push_back(hgl::Format(u"BG:%d,%g,%g", n, double(x), double(y))); }
    void U(uint32 v) { trace.push_back(hgl::Format(u"U:%u", v)); }
    void Flag(bool v) { trace.push_back(v ? u"Flag:1" : u"Flag:0"); }
    void Fl(float v) { trace.push_back(hgl::Format(u"Fl:%g", double(v))); }
    void N8(int8 v) { trace.push_back(hgl::Format(u"N8:%d", int(v))); }
    void N16(int16 v) { trace.push_back(hgl::Format(u"N16:%d", int(v))); }
    void P8(uint8 v) { trace.push_back(hgl::Format(u"P8:%d", int(v))); }
    void P16(uint16 v) { trace.push_back(hgl::Format(u"P16:%d", int(v))); }
    void One(int32 v) { trace.push_back(hgl::Format(u"One:%d", v)); }
    void SetA(int32 v) { A = v; trace.push_back(hgl::Format(u"SetA:%d", v)); }
    void StopNow() { trace.push_back(u"Stop"); engine->Stop(); }
    void Reset() { trace.push_back(u"Reset"); engine->Clear(); }
    int32 F(int32 v)
    {
        ++f_calls;
        trace.push_back(hgl::Format(u"F:%d", v));
        return f_result;
    }
    double D() { return 2.5; }
    bool IsOn() { return BV; }
    void Vd(int32) {}
    const u16char *Name() { return u""; }
    // As the game's choice jump and its move to another script file do.
    void Jump(const u16char *label) { trace.push_back(u"Jump:" + std::u16string(label)); engine->GotoLabel(label); }
    void LoadMore(const u16char *text) { trace.push_back(u"LoadMore"); vm->LoadScript(text, -1); }
    bool HookCheck(const u16char *name)
    {
        hook_asked.push_back(name);
        return std::find(hook_runs.begin(), hook_runs.end(), name) != hook_runs.end();
    }
    void UseHook(std::vector<std::u16string> runs)
    {
        hook_runs = std::move(runs);
        hgl::DevilVM::CompileHook hook;
        hook.Bind<&ScriptHost::HookCheck>(this);
        vm->SetCompileHook(hook);
    }

    ScriptHost()
    {
        EXPECT_TRUE(vm->MapMemberFunc(u"void X()", this, &ScriptHost::X));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Y()", this, &ScriptHost::Y));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Z()", this, &ScriptHost::Z));
        EXPECT_TRUE(vm->MapMemberFunc(u"void MES(string)", this, &ScriptHost::MES));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Say(string)", this, &ScriptHost::Say));
        EXPECT_TRUE(vm->MapMemberFunc(u"void TwoInts(int,int)", this, &ScriptHost::TwoInts));
        EXPECT_TRUE(vm->MapMemberFunc(u"void SetCG(string,int)", this, &ScriptHost::SetCG));
        EXPECT_TRUE(vm->MapMemberFunc(u"void BG(int,float,float)", this, &ScriptHost::BG));
        EXPECT_TRUE(vm->MapMemberFunc(u"void U(uint)", this, &ScriptHost::U));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Flag(bool)", this, &ScriptHost::Flag));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Fl(float)", this, &ScriptHost::Fl));
        EXPECT_TRUE(vm->MapMemberFunc(u"void N8(int8)", this, &ScriptHost::N8));
        EXPECT_TRUE(vm->MapMemberFunc(u"void N16(int16)", this, &ScriptHost::N16));
        EXPECT_TRUE(vm->MapMemberFunc(u"void P8(uint8)", this, &ScriptHost::P8));
        EXPECT_TRUE(vm->MapMemberFunc(u"void P16(uint16)", this, &ScriptHost::P16));
        EXPECT_TRUE(vm->MapMemberFunc(u"void One(int)", this, &ScriptHost::One));
        EXPECT_TRUE(vm->MapMemberFunc(u"void SetA(int)", this, &ScriptHost::SetA));
        EXPECT_TRUE(vm->MapMemberFunc(u"void StopNow()", this, &ScriptHost::StopNow));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Reset()", this, &ScriptHost::Reset));
        EXPECT_TRUE(vm->MapMemberFunc(u"int F(int)", this, &ScriptHost::F));
        EXPECT_TRUE(vm->MapMemberFunc(u"double D()", this, &ScriptHost::D));
        EXPECT_TRUE(vm->MapMemberFunc(u"bool IsOn()", this, &ScriptHost::IsOn));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Vd(int)", this, &ScriptHost::Vd));
        EXPECT_TRUE(vm->MapMemberFunc(u"string Name()", this, &ScriptHost::Name));
        EXPECT_TRUE(vm->MapMemberFunc(u"void Jump(string)", this, &ScriptHost::Jump));
        EXPECT_TRUE(vm->MapMemberFunc(u"void LoadMore(string)", this, &ScriptHost::LoadMore));

        EXPECT_TRUE(vm->MapProperty(u"int A", &A));
        EXPECT_TRUE(vm->MapProperty(u"int B", &B));
        EXPECT_TRUE(vm->MapProperty(u"int8 S8", &S8));
        EXPECT_TRUE(vm->MapProperty(u"uint16 U16", &U16));
        EXPECT_TRUE(vm->MapProperty(u"uint UV", &UV));
        EXPECT_TRUE(vm->MapProperty(u"int64 I64", &I64));
        EXPECT_TRUE(vm->MapProperty(u"uint64 U64", &U64));
        EXPECT_TRUE(vm->MapProperty(u"float FV", &FV));
        EXPECT_TRUE(vm->MapProperty(u"double DV", &DV));
        EXPECT_TRUE(vm->MapProperty(u"bool BV", &BV));
        EXPECT_TRUE(vm->MapProperty(u"string Str", &Str));
    }

    bool Load(std::u16string_view text) { return vm->LoadScript(text); }

    hgl::DevilFunc *Func(std::u16string_view name) const { return engine->GetScriptFunc(name); }

    std::u16string Listing(std::u16string_view name = u"main") const
    {
        const hgl::DevilFunc *f = Func(name);
        return f ? f->GetListing() : u"<missing>";
    }

    // Runs a function to its end (resuming after every pause) and returns the trace.
    std::vector<std::u16string> RunAll(const u16char *name, int max_resumes = 1000)
    {
        trace.clear();
        if (!vm->RunFunc(name)) return trace;
        for (int i = 0; i < max_resumes && engine->GetStackDepth() > 0 && vm->GetRunState() == 1; ++i)
            vm->Resume(nullptr);
        return trace;
    }
};

using Trace = std::vector<std::u16string>;
} // namespace lang_test
