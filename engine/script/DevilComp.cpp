#include "script/DevilComp.h"

namespace hgl
{
using namespace angle_script;

namespace
{
template <class A, class B> DevilCompInterface *Make(int op, DevilValueInterface *l, DevilValueInterface *r)
{
    auto *a = static_cast<DevilValue<A> *>(l);
    auto *b = static_cast<DevilValue<B> *>(r);
    switch (op)
    {
    case ttEqual:
        return new DevilCompEqu<A, B>(a, b);
    case ttNotEqual:
        return new DevilCompNotEqu<A, B>(a, b);
    case ttLessThan:
        return new DevilCompLess<A, B>(a, b);
    case ttGreaterThan:
        return new DevilCompGreater<A, B>(a, b);
    case ttLessThanOrEqual:
        return new DevilCompLessEqu<A, B>(a, b);
    case ttGreaterThanOrEqual:
        return new DevilCompGreaterEqu<A, B>(a, b);
    default:
        return nullptr;
    }
}

template <class A> DevilCompInterface *MakeRight(int op, DevilValueInterface *l, DevilValueInterface *r)
{
    switch (r->GetType())
    {
    case ttBool:
        return Make<A, bool>(op, l, r);
    case ttInt:
        return Make<A, int32>(op, l, r);
    case ttUInt:
        return Make<A, uint32>(op, l, r);
    case ttInt64:
        return Make<A, int64>(op, l, r);
    case ttUInt64:
        return Make<A, uint64>(op, l, r);
    case ttFloat:
        return Make<A, float>(op, l, r);
    case ttDouble:
        return Make<A, double>(op, l, r);
    default:
        return nullptr;
    }
}
} // namespace

DevilCompInterface *CreateDevilComp(int op, DevilValueInterface *l, DevilValueInterface *r)
{
    if (!l || !r) return nullptr;
    switch (l->GetType())
    {
    case ttBool:
        return MakeRight<bool>(op, l, r);
    case ttInt:
        return MakeRight<int32>(op, l, r);
    case ttUInt:
        return MakeRight<uint32>(op, l, r);
    case ttInt64:
        return MakeRight<int64>(op, l, r);
    case ttUInt64:
        return MakeRight<uint64>(op, l, r);
    case ttFloat:
        return MakeRight<float>(op, l, r);
    case ttDouble:
        return MakeRight<double>(op, l, r);
    default:
        return nullptr;
    }
}
} // namespace hgl
