#include "script/DevilCommand.h"

#include "core/Format.h"
#include "core/Log.h"
#include "core/String.h"
#include "script/DevilComp.h"
#include "script/DevilEngine.h"
#include "script/DevilFunc.h"

namespace hgl
{
namespace
{
// Looks a jump's label up until it is found; the index found is kept for good.
int ResolveLabel(DevilFunc *func, const std::u16string &label, int &target)
{
    if (target == -1)
    {
        target = func->FindLabel(label);
        if (target == -1) PutError(u"在函数<%s>没有找到跳转标识<%s>", func->GetName().c_str(), label.c_str());
    }
    return target;
}
} // namespace

bool DevilGoto::Run()
{
    return engine->Goto(func, ResolveLabel(func, label, target));
}

std::u16string DevilGoto::Describe() const
{
    return u"GOTO " + label;
}

DevilCompGoto::~DevilCompGoto()
{
    delete comp;
}

bool DevilCompGoto::Run()
{
    if (!comp) return false;

    // The comparison may call a native that restarts, stops or reloads the stack; the
    // jump then belongs to a frame that no longer exists and is dropped.
    const uint32 epoch = engine->GetStackEpoch();
    if (comp->Comp()) return true;
    if (engine->GetStackEpoch() != epoch || !engine->HasCurrentFrame()) return true;

    return engine->Goto(func, ResolveLabel(func, label, target));
}

std::u16string DevilCompGoto::Describe() const
{
    return u"IFNOT GOTO " + label;
}

bool DevilReturn::Run()
{
    engine->Return();
    return true;
}

bool DevilScriptFuncCall::Run()
{
    if (!target) return false; // a call built without a function fails here, not later
    engine->Call(target);
    return true;
}

std::u16string DevilScriptFuncCall::Describe() const
{
    return u"CALL " + (target ? target->GetName() : std::u16string(u"?"));
}

DevilSystemFuncCallFixed::DevilSystemFuncCallFixed(const DevilFuncMap *f)
    : func(f), args(std::make_unique<DevilArgSlot[]>(f ? f->params.size() : 0)),
      count(f ? int(f->params.size()) : 0)
{
}

std::u16string DevilSystemFuncCallFixed::Describe() const
{
    std::u16string s = u"NATIVE ";
    if (!func) return s + u"?";
    s += func->name;
    s += u'(';
    for (int i = 0; i < count; ++i)
    {
        if (i) s += u',';
        switch (func->params[i])
        {
        case angle_script::ttString:
            s += u'"';
            if (args[i].s) s += args[i].s;
            s += u'"';
            break;
        case angle_script::ttUInt:
        case angle_script::ttUInt8:
        case angle_script::ttUInt16:
            s += Format(u"%u", args[i].u);
            break;
        case angle_script::ttFloat:
            s += Format(u"%g", double(args[i].f));
            break;
        default:
            s += Format(u"%d", args[i].i);
            break;
        }
    }
    s += u')';
    return s;
}
} // namespace hgl
