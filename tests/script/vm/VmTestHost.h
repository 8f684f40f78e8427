#pragma once
// A host for run-loop tests: an engine with a set of native functions bound to
// members of this object, which record what the script made them do, and small
// helpers that build script functions through the builder API.
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"
#include "script/DevilValue.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vmtest
{
using hgl::DevilEngine;
using hgl::DevilFunc;
using hgl::u16char;

struct Host
{
    DevilEngine engine;
    std::vector<std::u16string> trace;
    int var = 0;            // host variable read by CaseGoto and conditions
    int calls = 0;          // how often Count ran
    int stop_after = -1;    // Count stops the engine when calls reaches it

    void Mark(const u16char *s) { trace.push_back(s); }
    void Wait(const u16char *s) { trace.push_back(s); engine.Pause(); }
    void Halt() { trace.push_back(u"halt"); engine.Stop(); }
    void Count() { if (++calls == stop_after) engine.Stop(); }
    // The game's choice jump: on a match, jump to the label and carry on running.
    void CaseGoto(int value, const u16char *label)
    {
        if (value == var && engine.GotoLabel(label)) engine.Resume(nullptr);
    }
    void Jump(const u16char *func) { trace.push_back(std::u16string(u"jump ") + func); engine.RunFunc(func); }
    void Wipe() { trace.push_back(u"wipe"); engine.Clear(); }
    void PauseResume() { trace.push_back(u"pr"); engine.Pause(); engine.Resume(nullptr); }
    // Natives used as condition operands: one reads the variable, one restarts, one stops.
    int Probe() { trace.push_back(u"probe"); return var; }
    int ProbeJump() { trace.push_back(u"probejump"); engine.RunFunc(u"other"); return 0; }
    int ProbeStop() { trace.push_back(u"probestop"); engine.Stop(); return 0; }

    Host()
    {
        EXPECT_TRUE(engine.MapMemberFunc(u"void Mark(string)", this, &Host::Mark));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Wait(string)", this, &Host::Wait));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Halt()", this, &Host::Halt));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Count()", this, &Host::Count));
        EXPECT_TRUE(engine.MapMemberFunc(u"void CaseGoto(int,string)", this, &Host::CaseGoto));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Jump(string)", this, &Host::Jump));
        EXPECT_TRUE(engine.MapMemberFunc(u"void Wipe()", this, &Host::Wipe));
        EXPECT_TRUE(engine.MapMemberFunc(u"void PauseResume()", this, &Host::PauseResume));
        EXPECT_TRUE(engine.MapMemberFunc(u"int Probe()", this, &Host::Probe));
        EXPECT_TRUE(engine.MapMemberFunc(u"int ProbeJump()", this, &Host::ProbeJump));
        EXPECT_TRUE(engine.MapMemberFunc(u"int ProbeStop()", this, &Host::ProbeStop));
        EXPECT_TRUE(engine.MapProperty(u"int Var", &var));
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
            if (a.s) call->Arg(n).s = engine.AddPoolString(a.s);
            else call->Arg(n).i = a.i;
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
        for (const u16char *m : marks) Native(f, u"Mark", {m});
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
};
} // namespace vmtest
