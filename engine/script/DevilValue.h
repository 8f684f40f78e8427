#pragma once
// Script values: what a compiled comparison reads its operands through. Every value
// hands out a typed pointer to its current contents; script variables, native
// variables (read through the host's address on each evaluation), native function
// results (the function runs on each evaluation) and literal constants.
#include "core/String.h"
#include "core/Types.h"
#include "script/DevilCommand.h"
#include "script/DevilNative.h"
#include "script/Tokenizer.h"

#include <memory>
#include <string>
#include <string_view>

namespace hgl
{
class DevilEngine;

class DevilValueInterface
{
  protected:
    DevilEngine *engine;
    angle_script::eTokenType type;

  public:
    DevilValueInterface(DevilEngine *e, int t) : engine(e), type(angle_script::eTokenType(t)) {}
    virtual ~DevilValueInterface() = default;

    DevilEngine *GetEngine() const { return engine; }
    angle_script::eTokenType GetType() const { return type; }
};

template <class T> class DevilValue : public DevilValueInterface
{
  public:
    using DevilValueInterface::DevilValueInterface;
    virtual T *GetValue() = 0;
};

// A variable defined inside a script function. Nothing assigns it; it reserves its
// name. The element type of "string" is String; scalars start at 0.
template <class T> class DevilScriptValue final : public DevilValue<T>
{
    std::u16string func_name;
    std::u16string var_name;
    T value{};

  public:
    DevilScriptValue(DevilEngine *e, StringView func, StringView var, int t)
        : DevilValue<T>(e, t), func_name(func), var_name(var)
    {
    }

    const std::u16string &GetFuncName() const { return func_name; }
    const std::u16string &GetVarName() const { return var_name; }
    T *GetValue() override { return &value; }
};

// A native variable. A variable of the operand's own width is read in place (the
// address of the host's variable is handed out, so every read sees its current
// contents); an 8/16-bit one is read at its declared width and widened into the
// operand type (signed ones sign-extended into int, unsigned ones zero-extended
// into unsigned int); a bool byte counts as true when it is not 0, whatever else
// it holds.
template <class T> class DevilValueProperty final : public DevilValue<T>
{
    void *address;
    int declared;
    T current{};

  public:
    // type is the operand type (bool, int, uint, int64, uint64, float, double);
    // the entry's own type token says how wide the host's variable is.
    DevilValueProperty(DevilEngine *e, const DevilPropertyMap *pm, int t)
        : DevilValue<T>(e, t), address(pm->address), declared(pm->type)
    {
    }

    T *GetValue() override
    {
        if constexpr (std::is_same_v<T, bool>)
        {
            uint8 byte;
            std::memcpy(&byte, address, 1);
            current = byte != 0;
            return &current;
        }
        else if constexpr (std::is_same_v<T, int32>)
        {
            switch (declared)
            {
            case angle_script::ttInt8:
                current = *static_cast<const int8 *>(address);
                return &current;
            case angle_script::ttInt16:
                current = *static_cast<const int16 *>(address);
                return &current;
            default:
                return static_cast<int32 *>(address);
            }
        }
        else if constexpr (std::is_same_v<T, uint32>)
        {
            switch (declared)
            {
            case angle_script::ttUInt8:
                current = *static_cast<const uint8 *>(address);
                return &current;
            case angle_script::ttUInt16:
                current = *static_cast<const uint16 *>(address);
                return &current;
            default:
                return static_cast<uint32 *>(address);
            }
        }
        else
            return static_cast<T *>(address);
    }
};

// The result of a native function, called anew on every evaluation.
template <class T> class DevilValueFuncMap final : public DevilValue<T>
{
    std::unique_ptr<DevilSystemFuncCallFixed> call;

  public:
    // Takes ownership of the call command.
    DevilValueFuncMap(DevilEngine *e, DevilSystemFuncCallFixed *c, int t) : DevilValue<T>(e, t), call(c) {}

    DevilSystemFuncCallFixed *GetCall() const { return call.get(); }

    T *GetValue() override
    {
        call->Run();
        DevilResult &r = call->GetResult();
        if constexpr (std::is_same_v<T, bool>)
            return &r.b;
        else if constexpr (std::is_same_v<T, int32>)
            return &r.i;
        else if constexpr (std::is_same_v<T, uint32>)
            return &r.u;
        else if constexpr (std::is_same_v<T, int64>)
            return &r.i64;
        else if constexpr (std::is_same_v<T, uint64>)
            return &r.u64;
        else if constexpr (std::is_same_v<T, float>)
            return &r.f;
        else
            return &r.d;
    }
};

// Literal constants, converted once from their text when they are made.
template <class T, int Token> class DevilLiteral : public DevilValue<T>
{
  protected:
    T value;

  public:
    DevilLiteral(DevilEngine *e, T v) : DevilValue<T>(e, Token), value(v) {}
    T *GetValue() override { return &value; }
};

class DevilBool final : public DevilLiteral<bool, angle_script::ttBool>
{
  public:
    using DevilLiteral::DevilLiteral;
    DevilBool(DevilEngine *e, const u16char *text); // true when the text starts with T or t
};

class DevilInteger final : public DevilLiteral<int32, angle_script::ttInt>
{
  public:
    using DevilLiteral::DevilLiteral;
    DevilInteger(DevilEngine *e, const u16char *text); // decimal, an optional leading "-"
};

class DevilUInteger final : public DevilLiteral<uint32, angle_script::ttUInt>
{
  public:
    using DevilLiteral::DevilLiteral;
    DevilUInteger(DevilEngine *e, const u16char *text);
};

class DevilFloat final : public DevilLiteral<float, angle_script::ttFloat>
{
  public:
    using DevilLiteral::DevilLiteral;
    DevilFloat(DevilEngine *e, const u16char *text); // single precision, exponent not applied
};

class DevilDouble final : public DevilLiteral<double, angle_script::ttDouble>
{
  public:
    using DevilLiteral::DevilLiteral;
    DevilDouble(DevilEngine *e, const u16char *text);
};

// Operand type of a declared native type: bool, int (int, int8, int16), int64,
// uint (uint, uint8, uint16), uint64, float, double; 0 for anything else.
int DevilOperandType(int declared);

// A native variable or a native function result as an operand; null (and nothing
// taken over) when the declared type has no operand type.
DevilValueInterface *CreateDevilPropertyValue(DevilEngine *engine, const DevilPropertyMap *pm);
DevilValueInterface *CreateDevilFuncValue(DevilEngine *engine, DevilSystemFuncCallFixed *call);

// A script variable of a type keyword's element type; null for a token that names none.
DevilValueInterface *CreateDevilScriptValue(DevilEngine *engine, std::u16string_view func,
                                            std::u16string_view var, int type);
} // namespace hgl
