#pragma once
// The script tests' host: an engine with natives and native variables bound to
// members of this object, which record what the scripts make them do, and small
// helpers that build functions through the builder API for the run-loop tests.
#include "core/BoundMethod.h"
#include "core/Format.h"
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace script_test
{
using hgl::DevilEngine;
using hgl::DevilFunc;
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
    hgl::DevilEngine engine;
    std::vector<std::u16string> trace;
    int var = 0;         // "Var": read by CaseGoto and the builder's conditions
    int calls = 0;       // how often Count ran
    int stop_after = -1; // Count stops the engine when calls reaches it

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

    void Mark(const u16char *s) { trace.push_back(s); }
    void Wait(const u16char *s)
    {
        trace.push_back(s);
        engine.Pause();
    }
    void Halt()
    {
        trace.push_back(u"halt");
        engine.Stop();
    }
    void Count()
    {
        if (++calls == stop_after) engine.Stop();
    }
    // The game's choice jump: on a match, jump to the label and carry on running.
    void CaseGoto(int value, const u16char *label)
    {
        if (value == var && engine.GotoLabel(label)) engine.Resume(nullptr);
    }
    void Call(const u16char *func)
    {
        trace.push_back(std::u16string(u"jump ") + func);
        engine.RunFunc(func);
    }
    void Wipe()
    {
        trace.push_back(u"wipe");
        engine.Clear();
    }
    void PauseResume()
    {
        trace.push_back(u"pr");
        engine.Pause();
        engine.Resume(nullptr);
    }
    // Natives used as condition operands: one reads the variable, one restarts, one stops.
    int Probe()
    {
        trace.push_back(u"probe");
        return var;
    }
    int ProbeJump()
    {
        trace.push_back(u"probejump");
        engine.RunFunc(u"other");
        return 0;
    }
    int ProbeStop()
    {
        trace.push_back(u"probestop");
        engine.Stop();
        return 0;
    }

    void X() { trace.push_back(u"X"); }
    void Y() { trace.push_back(u"Y"); }
    void Z() { trace.push_back(u"Z"); }
    void MES(const u16char *s)
    {
        trace.push_back(u"MES:" + std::u16string(s));
        if (pause_in_mes) engine.Pause();
    }
    void Say(const u16char *s) { trace.push_back(u"Say:" + std::u16string(s)); }
    void TwoInts(int32 a, int32 b) { trace.push_back(hgl::Format(u"A:%d,%d", a, b)); }
    void SetCG(const u16char *s, int32 n) { trace.push_back(hgl::Format(u"SetCG:%s,%d", s, n)); }
    void BG(int32 n, float x, float y)
    {
        trace.push_back(hgl::Format(u"BG:%d,%g,%g", n, double(x), double(y)));
    }
    void U(uint32 v) { trace.push_back(hgl::Format(u"U:%u", v)); }
    void Flag(bool v) { trace.push_back(v ? u"Flag:1" : u"Flag:0"); }
    void Fl(float v) { trace.push_back(hgl::Format(u"Fl:%g", double(v))); }
    void N8(int8 v) { trace.push_back(hgl::Format(u"N8:%d", int(v))); }
    void N16(int16 v) { trace.push_back(hgl::Format(u"N16:%d", int(v))); }
    void P8(uint8 v) { trace.push_back(hgl::Format(u"P8:%d", int(v))); }
    void P16(uint16 v) { trace.push_back(hgl::Format(u"P16:%d", int(v))); }
    void One(int32 v) { trace.push_back(hgl::Format(u"One:%d", v)); }
    void SetA(int32 v)
    {
        A = v;
        trace.push_back(hgl::Format(u"SetA:%d", v));
    }
    void StopNow()
    {
        trace.push_back(u"Stop");
        engine.Stop();
    }
    void Reset()
    {
        trace.push_back(u"Reset");
        engine.Clear();
    }
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
    void Jump(const u16char *label)
    {
        trace.push_back(u"Jump:" + std::u16string(label));
        engine.GotoLabel(label);
    }
    void LoadMore(const u16char *text)
    {
        trace.push_back(u"LoadMore");
        engine.LoadScript(text, -1);
    }
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
        engine.SetCompileHook(hook);
    }

    ScriptHost()
    {
        EXPECT_TRUE(engine.MapMemberFunc(u"void Mark(string)", this, &ScriptHost::Mark));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Wait(string)", this, &ScriptHost::Wait));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Halt()", this, &ScriptHost::Halt));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Count()", this, &ScriptHost::Count));
        EXPECT_TRUE(engine.MapMemberFunc(u"void CaseGoto(int,string)", this, &ScriptHost::CaseGoto));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Call(string)", this, &ScriptHost::Call));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Wipe()", this, &ScriptHost::Wipe));
        EXPECT_TRUE(engine.MapMemberFunc(u"void PauseResume()", this, &ScriptHost::PauseResume));
        EXPECT_TRUE(engine.MapMemberFunc(u"int Probe()", this, &ScriptHost::Probe));
        EXPECT_TRUE(engine.MapMemberFunc(u"int ProbeJump()", this, &ScriptHost::ProbeJump));
        EXPECT_TRUE(engine.MapMemberFunc(u"int ProbeStop()", this, &ScriptHost::ProbeStop));
        EXPECT_TRUE(engine.MapProperty(u"int Var", &var));
        EXPECT_TRUE(engine.MapMemberFunc(u"void X()", this, &ScriptHost::X));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Y()", this, &ScriptHost::Y));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Z()", this, &ScriptHost::Z));
        EXPECT_TRUE(engine.MapMemberFunc(u"void MES(string)", this, &ScriptHost::MES));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Say(string)", this, &ScriptHost::Say));
        EXPECT_TRUE(engine.MapMemberFunc(u"void TwoInts(int,int)", this, &ScriptHost::TwoInts));
        EXPECT_TRUE(engine.MapMemberFunc(u"void SetCG(string,int)", this, &ScriptHost::SetCG));
        EXPECT_TRUE(engine.MapMemberFunc(u"void BG(int,float,float)", this, &ScriptHost::BG));
        EXPECT_TRUE(engine.MapMemberFunc(u"void U(uint)", this, &ScriptHost::U));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Flag(bool)", this, &ScriptHost::Flag));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Fl(float)", this, &ScriptHost::Fl));
        EXPECT_TRUE(engine.MapMemberFunc(u"void N8(int8)", this, &ScriptHost::N8));
        EXPECT_TRUE(engine.MapMemberFunc(u"void N16(int16)", this, &ScriptHost::N16));
        EXPECT_TRUE(engine.MapMemberFunc(u"void P8(uint8)", this, &ScriptHost::P8));
        EXPECT_TRUE(engine.MapMemberFunc(u"void P16(uint16)", this, &ScriptHost::P16));
        EXPECT_TRUE(engine.MapMemberFunc(u"void One(int)", this, &ScriptHost::One));
        EXPECT_TRUE(engine.MapMemberFunc(u"void SetA(int)", this, &ScriptHost::SetA));
        EXPECT_TRUE(engine.MapMemberFunc(u"void StopNow()", this, &ScriptHost::StopNow));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Reset()", this, &ScriptHost::Reset));
        EXPECT_TRUE(engine.MapMemberFunc(u"int F(int)", this, &ScriptHost::F));
        EXPECT_TRUE(engine.MapMemberFunc(u"double D()", this, &ScriptHost::D));
        EXPECT_TRUE(engine.MapMemberFunc(u"bool IsOn()", this, &ScriptHost::IsOn));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Vd(int)", this, &ScriptHost::Vd));
        EXPECT_TRUE(engine.MapMemberFunc(u"string Name()", this, &ScriptHost::Name));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Jump(string)", this, &ScriptHost::Jump));
        EXPECT_TRUE(engine.MapMemberFunc(u"void LoadMore(string)", this, &ScriptHost::LoadMore));

        EXPECT_TRUE(engine.MapProperty(u"int A", &A));
        EXPECT_TRUE(engine.MapProperty(u"int B", &B));
        EXPECT_TRUE(engine.MapProperty(u"int8 S8", &S8));
        EXPECT_TRUE(engine.MapProperty(u"uint16 U16", &U16));
        EXPECT_TRUE(engine.MapProperty(u"uint UV", &UV));
        EXPECT_TRUE(engine.MapProperty(u"int64 I64", &I64));
        EXPECT_TRUE(engine.MapProperty(u"uint64 U64", &U64));
        EXPECT_TRUE(engine.MapProperty(u"float FV", &FV));
        EXPECT_TRUE(engine.MapProperty(u"double DV", &DV));
        EXPECT_TRUE(engine.MapProperty(u"bool BV", &BV));
        EXPECT_TRUE(engine.MapProperty(u"string Str", &Str));
    }

    // A native call with its slots: strings are pooled, everything else is an int word.
    struct Arg
    {
        const u16char *s = nullptr;
        int i = 0;
        Arg(const u16char *t) : s(t) {}
        Arg(int v) : i(v) {}
    };

    hgl::DevilSystemFuncCallFixed *NewCall(const u16char *native, std::initializer_list<Arg> args)
    {
        const hgl::DevilFuncMap *fm = engine.GetFuncMap(native);
        EXPECT_NE(fm, nullptr);
        auto *call = new hgl::DevilSystemFuncCallFixed(fm);
        int n = 0;
        for (const Arg &a : args)
        {
            if (a.s)
                call->Arg(n).s = engine.AddPoolString(a.s);
            else
                call->Arg(n).i = a.i;
            ++n;
        }
        EXPECT_EQ(n, call->GetArgCount());
        return call;
    }

    void Native(DevilFunc *f, const u16char *native, std::initializer_list<Arg> args = {})
    {
        f->AddCommand(NewCall(native, args));
    }
    void Marks(DevilFunc *f, std::initializer_list<const u16char *> marks)
    {
        for (const u16char *m : marks)
            Native(f, u"Mark", {m});
    }

    // if (Var op value) as the compiler makes it: jump to the label when it fails.
    void IfVar(DevilFunc *f, int op, int value, const u16char *label)
    {
        auto *l = hgl::CreateDevilPropertyValue(&engine, engine.GetPropertyMap(u"Var"));
        auto *r = new hgl::DevilInteger(&engine, value);
        auto *cg = new hgl::DevilCompGoto(&engine, hgl::CreateDevilComp(op, l, r), f);
        f->AddCommand(cg);
        cg->SetLabel(label);
    }

    DevilFunc *Add(std::unique_ptr<DevilFunc> f)
    {
        DevilFunc *p = f.get();
        EXPECT_TRUE(engine.AddScriptFunc(std::move(f)));
        return p;
    }

    std::unique_ptr<DevilFunc> New(const u16char *name) { return std::make_unique<DevilFunc>(&engine, name); }

    std::u16string Position()
    {
        std::u16string name;
        int index = -99;
        if (!engine.GetCurrentPosition(name, index)) return u"none";
        const std::string digits = std::to_string(index);
        return name + u":" + std::u16string(digits.begin(), digits.end());
    }

    bool Load(std::u16string_view text) { return engine.LoadScript(text); }

    hgl::DevilFunc *Func(std::u16string_view name) const { return engine.GetScriptFunc(name); }

    std::u16string Listing(std::u16string_view name = u"main") const
    {
        const hgl::DevilFunc *f = Func(name);
        return f ? f->GetListing() : u"<missing>";
    }

    // Runs a function to its end (resuming after every pause) and returns the trace.
    std::vector<std::u16string> RunAll(const u16char *name, int max_resumes = 1000)
    {
        trace.clear();
        if (!engine.RunFunc(name)) return trace;
        for (int i = 0; i < max_resumes && engine.GetStackDepth() > 0 && engine.GetRunState() == 1; ++i)
            engine.Resume(nullptr);
        return trace;
    }
};

using Trace = std::vector<std::u16string>;
} // namespace script_test
