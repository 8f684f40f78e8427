#pragma once
// Native functions and variables as the script engine sees them, and the typed
// adapters that call them.
//
// A compiled native call passes constants only. Each declared parameter gets one
// argument slot, filled once when the script is compiled; the adapter generated
// for the bound C++ function decodes every slot into the parameter type that the
// function really takes, so a call never pushes raw words at a callee that expects
// them elsewhere (on x86-64 integers, pointers and floats travel in different
// registers). Binding refuses a declaration whose parameter list does not match
// the C++ parameter types, so a slot is always decoded as what it was built as.
#include "core/Types.h"
#include "script/Tokenizer.h"

#include <cmath>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace hgl
{
// One argument slot. 32-bit constants use the low word (int, uint, float and bool,
// with bool taken from the low byte as the callee would); a string slot holds the
// address of a text in the engine's string pool, which is why a slot is 64 bits
// wide here while the script's own words are 32.
union DevilArgSlot
{
    int32 i;
    uint32 u;
    float f;
    const u16char *s;
    uint64 raw;
};
static_assert(sizeof(DevilArgSlot) == 8);

// The value a native function returned, kept at its declared width: 8- and 16-bit
// signed results are sign-extended into i, unsigned ones zero-extended into u.
union DevilResult
{
    bool b;
    int32 i;
    uint32 u;
    int64 i64;
    uint64 u64;
    float f;
    double d;
};

struct DevilFuncMap;
using DevilNativeThunk = void (*)(const DevilFuncMap &, const DevilArgSlot *, DevilResult &);

// A registered native function.
struct DevilFuncMap
{
    std::u16string name;
    void *object = nullptr;                      // null for a plain function
    alignas(16) unsigned char callable[16] = {}; // function pointer or pointer-to-member
    DevilNativeThunk thunk = nullptr;
    int return_type = 0;                          // token of the declared return type
    std::vector<angle_script::eTokenType> params; // declared parameter types, in order

    int GetParamCount() const { return int(params.size()); }
    void Call(const DevilArgSlot *args, DevilResult &out) const { thunk(*this, args, out); }
};

// A registered native variable: the token of its declared type and its address.
struct DevilPropertyMap
{
    int type = 0;
    void *address = nullptr;
};

// Float to 32-bit integer as the x86 processor does it: truncation toward zero to
// 64 bits, low 32 bits kept; NaN, infinities and values outside the 64-bit range give
// the "integer indefinite" whose low half is 0. Never undefined in C++.
inline uint32 DevilFloatToWord(double v)
{
    if (!(v > -9223372036854775808.0 && v < 9223372036854775808.0)) return 0;
    return uint32(uint64(int64(v)));
}

namespace devil_native
{
// Token id of each C++ type that can cross the binding. -1: no script type.
// untyped: a native variable given by a plain void * address.
inline constexpr int untyped = -2;
template <class T> struct TypeToken
{
    static constexpr int tok = -1;
};
template <> struct TypeToken<bool>
{
    static constexpr int tok = angle_script::ttBool;
};
template <> struct TypeToken<int8>
{
    static constexpr int tok = angle_script::ttInt8;
};
template <> struct TypeToken<int16>
{
    static constexpr int tok = angle_script::ttInt16;
};
template <> struct TypeToken<int32>
{
    static constexpr int tok = angle_script::ttInt;
};
template <> struct TypeToken<int64>
{
    static constexpr int tok = angle_script::ttInt64;
};
template <> struct TypeToken<uint8>
{
    static constexpr int tok = angle_script::ttUInt8;
};
template <> struct TypeToken<uint16>
{
    static constexpr int tok = angle_script::ttUInt16;
};
template <> struct TypeToken<uint32>
{
    static constexpr int tok = angle_script::ttUInt;
};
template <> struct TypeToken<uint64>
{
    static constexpr int tok = angle_script::ttUInt64;
};
template <> struct TypeToken<float>
{
    static constexpr int tok = angle_script::ttFloat;
};
template <> struct TypeToken<double>
{
    static constexpr int tok = angle_script::ttDouble;
};
template <> struct TypeToken<const u16char *>
{
    static constexpr int tok = angle_script::ttString;
};
template <> struct TypeToken<void>
{
    static constexpr int tok = angle_script::ttVoid;
};
// Hosts often spell the 64-bit types long long; int64 is long here, so both
// spellings are accepted for 64-bit results and variables.
static_assert(!std::is_same_v<long long, int64> && !std::is_same_v<unsigned long long, uint64>);
template <> struct TypeToken<long long>
{
    static constexpr int tok = angle_script::ttInt64;
};
template <> struct TypeToken<unsigned long long>
{
    static constexpr int tok = angle_script::ttUInt64;
};

// Decoding of an argument slot into the parameter type the callee takes. Narrow
// types are cut from the 32-bit word as a 32-bit callee would read them.
template <class T> struct ParamCodec;
template <> struct ParamCodec<bool>
{
    static bool Get(DevilArgSlot a) { return uint8(a.u) != 0; }
};
template <> struct ParamCodec<int8>
{
    static int8 Get(DevilArgSlot a) { return int8(a.u); }
};
template <> struct ParamCodec<int16>
{
    static int16 Get(DevilArgSlot a) { return int16(a.u); }
};
template <> struct ParamCodec<int32>
{
    static int32 Get(DevilArgSlot a) { return a.i; }
};
template <> struct ParamCodec<uint8>
{
    static uint8 Get(DevilArgSlot a) { return uint8(a.u); }
};
template <> struct ParamCodec<uint16>
{
    static uint16 Get(DevilArgSlot a) { return uint16(a.u); }
};
template <> struct ParamCodec<uint32>
{
    static uint32 Get(DevilArgSlot a) { return a.u; }
};
template <> struct ParamCodec<float>
{
    static float Get(DevilArgSlot a) { return a.f; }
};
template <> struct ParamCodec<const u16char *>
{
    static const u16char *Get(DevilArgSlot a) { return a.s; }
};

template <class T>
inline constexpr bool is_param_type =
    TypeToken<T>::tok >= 0 && TypeToken<T>::tok != angle_script::ttInt64 &&TypeToken<T>::tok !=
                                  angle_script::ttUInt64 &&TypeToken<T>::tok !=
                                  angle_script::ttDouble &&TypeToken<T>::tok != angle_script::ttVoid;

// Storing a result at its declared width.
template <class R> inline void PutResult(DevilResult &out, R v)
{
    if constexpr (std::is_same_v<R, bool>)
        out.b = v;
    else if constexpr (std::is_same_v<R, int8> || std::is_same_v<R, int16> || std::is_same_v<R, int32>)
        out.i = int32(v);
    else if constexpr (std::is_same_v<R, uint8> || std::is_same_v<R, uint16> || std::is_same_v<R, uint32>)
        out.u = uint32(v);
    else if constexpr (std::is_same_v<R, int64> || std::is_same_v<R, long long>)
        out.i64 = int64(v);
    else if constexpr (std::is_same_v<R, uint64> || std::is_same_v<R, unsigned long long>)
        out.u64 = uint64(v);
    else if constexpr (std::is_same_v<R, float>)
        out.f = v;
    else if constexpr (std::is_same_v<R, double>)
        out.d = v;
    else
        (void)out, (void)v; // a result the script cannot use is dropped
}

template <class R, class... A, std::size_t... I>
inline void InvokePlain(R (*fn)(A...), [[maybe_unused]] const DevilArgSlot *a,
                        [[maybe_unused]] DevilResult &out, std::index_sequence<I...>)
{
    if constexpr (std::is_void_v<R>)
        fn(ParamCodec<A>::Get(a[I])...);
    else
        PutResult<R>(out, fn(ParamCodec<A>::Get(a[I])...));
}

template <class R, class... A> void PlainThunk(const DevilFuncMap &m, const DevilArgSlot *a, DevilResult &out)
{
    R (*fn)(A...);
    std::memcpy(&fn, m.callable, sizeof fn);
    InvokePlain(fn, a, out, std::index_sequence_for<A...>{});
}

template <class C, class PMF, class R, class... A, std::size_t... I>
inline void InvokeMember(C *obj, PMF fn, [[maybe_unused]] const DevilArgSlot *a,
                         [[maybe_unused]] DevilResult &out, std::index_sequence<I...>)
{
    if constexpr (std::is_void_v<R>)
        (obj->*fn)(ParamCodec<A>::Get(a[I])...);
    else
        PutResult<R>(out, (obj->*fn)(ParamCodec<A>::Get(a[I])...));
}

template <class C, class R, class... A>
void MemberThunk(const DevilFuncMap &m, const DevilArgSlot *a, DevilResult &out)
{
    R (C::*fn)(A...);
    std::memcpy(&fn, m.callable, sizeof fn);
    InvokeMember<C, decltype(fn), R, A...>(static_cast<C *>(m.object), fn, a, out,
                                           std::index_sequence_for<A...>{});
}

template <class C, class R, class... A>
void ConstMemberThunk(const DevilFuncMap &m, const DevilArgSlot *a, DevilResult &out)
{
    R (C::*fn)(A...) const;
    std::memcpy(&fn, m.callable, sizeof fn);
    InvokeMember<const C, decltype(fn), R, A...>(static_cast<const C *>(m.object), fn, a, out,
                                                 std::index_sequence_for<A...>{});
}
} // namespace devil_native

// What a typed front end hands to the engine's registration: everything about the
// C++ side of the binding, checked there against the declaration.
struct DevilNativeBinding
{
    void *object = nullptr;
    bool member = false; // bound to an object
    bool null_function = false;
    alignas(16) unsigned char callable[16] = {};
    DevilNativeThunk thunk = nullptr;
    const int *param_tokens = nullptr; // C++ parameter types as tokens
    int param_count = 0;
    int return_token = -1; // C++ return type as a token, -1 none usable

    template <class R, class... A> static DevilNativeBinding Plain(R (*fn)(A...))
    {
        static_assert((devil_native::is_param_type<A> && ...),
                      "a native parameter must be bool, int8/16/32, uint8/16/32, float or const u16char *");
        static constexpr int toks[sizeof...(A) + 1] = {devil_native::TypeToken<A>::tok..., 0};
        DevilNativeBinding b;
        b.null_function = (fn == nullptr);
        static_assert(sizeof fn <= sizeof b.callable);
        std::memcpy(b.callable, &fn, sizeof fn);
        b.thunk = &devil_native::PlainThunk<R, A...>;
        b.param_tokens = toks;
        b.param_count = int(sizeof...(A));
        b.return_token = devil_native::TypeToken<R>::tok;
        return b;
    }

    template <class C, class R, class... A> static DevilNativeBinding Member(C *object, R (C::*fn)(A...))
    {
        static_assert((devil_native::is_param_type<A> && ...),
                      "a native parameter must be bool, int8/16/32, uint8/16/32, float or const u16char *");
        static constexpr int toks[sizeof...(A) + 1] = {devil_native::TypeToken<A>::tok..., 0};
        DevilNativeBinding b;
        b.object = object;
        b.member = true;
        b.null_function = (fn == nullptr) || object == nullptr;
        static_assert(sizeof fn <= sizeof b.callable);
        std::memcpy(b.callable, &fn, sizeof fn);
        b.thunk = &devil_native::MemberThunk<C, R, A...>;
        b.param_tokens = toks;
        b.param_count = int(sizeof...(A));
        b.return_token = devil_native::TypeToken<R>::tok;
        return b;
    }

    template <class C, class R, class... A>
    static DevilNativeBinding Member(const C *object, R (C::*fn)(A...) const)
    {
        static_assert((devil_native::is_param_type<A> && ...),
                      "a native parameter must be bool, int8/16/32, uint8/16/32, float or const u16char *");
        static constexpr int toks[sizeof...(A) + 1] = {devil_native::TypeToken<A>::tok..., 0};
        DevilNativeBinding b;
        b.object = const_cast<C *>(object);
        b.member = true;
        b.null_function = (fn == nullptr) || object == nullptr;
        static_assert(sizeof fn <= sizeof b.callable);
        std::memcpy(b.callable, &fn, sizeof fn);
        b.thunk = &devil_native::ConstMemberThunk<C, R, A...>;
        b.param_tokens = toks;
        b.param_count = int(sizeof...(A));
        b.return_token = devil_native::TypeToken<R>::tok;
        return b;
    }
};
} // namespace hgl
