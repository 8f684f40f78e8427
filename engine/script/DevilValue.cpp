#include "script/DevilValue.h"

#include "core/StrFunc.h"

namespace hgl
{
using namespace angle_script;

DevilBool::DevilBool(DevilEngine *e, const u16char *text) : DevilLiteral(e, StrToBool(text)) {}
DevilInteger::DevilInteger(DevilEngine *e, const u16char *text) : DevilLiteral(e, StrToInt(text)) {}
DevilUInteger::DevilUInteger(DevilEngine *e, const u16char *text) : DevilLiteral(e, StrToUInt(text)) {}
DevilFloat::DevilFloat(DevilEngine *e, const u16char *text) : DevilLiteral(e, StrToFloat(text)) {}
DevilDouble::DevilDouble(DevilEngine *e, const u16char *text) : DevilLiteral(e, StrToDouble(text)) {}

int DevilOperandType(int declared)
{
    switch (declared)
    {
    case ttBool:
        return ttBool;
    case ttInt:
    case ttInt8:
    case ttInt16:
        return ttInt;
    case ttInt64:
        return ttInt64;
    case ttUInt:
    case ttUInt8:
    case ttUInt16:
        return ttUInt;
    case ttUInt64:
        return ttUInt64;
    case ttFloat:
        return ttFloat;
    case ttDouble:
        return ttDouble;
    default:
        return 0;
    }
}

DevilValueInterface *CreateDevilPropertyValue(DevilEngine *e, const DevilPropertyMap *pm)
{
    if (!pm || !pm->address) return nullptr;
    const int t = DevilOperandType(pm->type);
    switch (t)
    {
    case ttBool:
        return new DevilValueProperty<bool>(e, pm, t);
    case ttInt:
        return new DevilValueProperty<int32>(e, pm, t);
    case ttInt64:
        return new DevilValueProperty<int64>(e, pm, t);
    case ttUInt:
        return new DevilValueProperty<uint32>(e, pm, t);
    case ttUInt64:
        return new DevilValueProperty<uint64>(e, pm, t);
    case ttFloat:
        return new DevilValueProperty<float>(e, pm, t);
    case ttDouble:
        return new DevilValueProperty<double>(e, pm, t);
    default:
        return nullptr;
    }
}

DevilValueInterface *CreateDevilFuncValue(DevilEngine *e, DevilSystemFuncCallFixed *call)
{
    if (!call || !call->GetFuncMap()) return nullptr;
    const int t = DevilOperandType(call->GetFuncMap()->return_type);
    switch (t)
    {
    case ttBool:
        return new DevilValueFuncMap<bool>(e, call, t);
    case ttInt:
        return new DevilValueFuncMap<int32>(e, call, t);
    case ttInt64:
        return new DevilValueFuncMap<int64>(e, call, t);
    case ttUInt:
        return new DevilValueFuncMap<uint32>(e, call, t);
    case ttUInt64:
        return new DevilValueFuncMap<uint64>(e, call, t);
    case ttFloat:
        return new DevilValueFuncMap<float>(e, call, t);
    case ttDouble:
        return new DevilValueFuncMap<double>(e, call, t);
    default:
        return nullptr;
    }
}

DevilValueInterface *CreateDevilScriptValue(DevilEngine *e, std::u16string_view func, std::u16string_view var,
                                            int type)
{
    switch (type)
    {
    case ttBool:
        return new DevilScriptValue<bool>(e, func, var, type);
    case ttString:
        return new DevilScriptValue<String>(e, func, var, type);
    case ttInt:
        return new DevilScriptValue<int32>(e, func, var, type);
    case ttInt8:
        return new DevilScriptValue<int8>(e, func, var, type);
    case ttInt16:
        return new DevilScriptValue<int16>(e, func, var, type);
    case ttInt64:
        return new DevilScriptValue<int64>(e, func, var, type);
    case ttUInt:
        return new DevilScriptValue<uint32>(e, func, var, type);
    case ttUInt8:
        return new DevilScriptValue<uint8>(e, func, var, type);
    case ttUInt16:
        return new DevilScriptValue<uint16>(e, func, var, type);
    case ttUInt64:
        return new DevilScriptValue<uint64>(e, func, var, type);
    case ttFloat:
        return new DevilScriptValue<float>(e, func, var, type);
    case ttDouble:
        return new DevilScriptValue<double>(e, func, var, type);
    default:
        return nullptr;
    }
}
} // namespace hgl
