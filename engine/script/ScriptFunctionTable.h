#pragma once
// One way for an owner to bind its script functions: a table of declarations in
// the order they are to be bound, each with the function behind it.
//
//     static constexpr hgl::ScriptFunction<Unit> kFunctions[] = {
//         {u"void SetCG(string,int)", hgl::Bind<&Unit::SetCG>},
//         {u"void SetBG(string)", hgl::Bind<&Unit::SetBG>},
//     };
//     hgl::MapFunctions(*vm, this, kFunctions);
//
// Every row is tried, and each one the engine refuses is logged by its
// declaration, so one mistyped row does not hide the ones after it.
#include "core/Log.h"
#include "core/Types.h"
#include "script/DevilEngine.h"

#include <cstddef>
#include <type_traits>

namespace hgl
{
template <class O> struct ScriptFunction
{
    const u16char *declaration;
    bool (*map)(DevilVM &vm, O *object, const u16char *declaration);
};

// Binds the member function (or, in a table of ScriptFunction<void>, the plain
// function) Fn under a row's declaration.
template <auto Fn>
inline constexpr auto Bind =
    [](DevilVM &vm, [[maybe_unused]] auto *object, const u16char *declaration) -> bool
{
    if constexpr (std::is_member_function_pointer_v<decltype(Fn)>)
        return vm.MapMemberFunc(declaration, object, Fn);
    else
        return vm.MapFunc(declaration, Fn);
};

// Binds every row for the object; false when any row was refused.
template <class O, std::size_t N>
bool MapFunctions(DevilVM &vm, O *object, const ScriptFunction<std::type_identity_t<O>> (&table)[N])
{
    bool all = true;
    for (const ScriptFunction<O> &row : table)
        if (!row.map(vm, object, row.declaration))
        {
            PutError(u"映射函数<%s>失败", row.declaration);
            all = false;
        }
    return all;
}

template <std::size_t N> bool MapFunctions(DevilVM &vm, const ScriptFunction<void> (&table)[N])
{
    return MapFunctions<void>(vm, nullptr, table);
}
} // namespace hgl
