#pragma once
// An object pointer together with one of that object's member functions, held as a
// plain function pointer thunk (two pointers, no allocation). Properties and sort
// comparisons keep their callbacks this way.
#include <type_traits>
#include <utility>

namespace hgl
{
namespace bound_method_detail
{
// The class (const for a const method) a member function belongs to.
template <typename M> struct MemberOwner;
template <typename C, typename R, typename... A> struct MemberOwner<R (C::*)(A...)>
{
    using type = C;
};
template <typename C, typename R, typename... A> struct MemberOwner<R (C::*)(A...) const>
{
    using type = const C;
};
template <typename C, typename R, typename... A> struct MemberOwner<R (C::*)(A...) noexcept>
{
    using type = C;
};
template <typename C, typename R, typename... A> struct MemberOwner<R (C::*)(A...) const noexcept>
{
    using type = const C;
};

// The object as the class the method belongs to. The object pointer is kept as the
// owner's own type and converted here, so that a method of a base sitting at an
// offset inside the owner gets the base's address.
template <auto Method, typename Owner> auto *AsMethodClass(void *obj)
{
    typename MemberOwner<decltype(Method)>::type *self = static_cast<Owner *>(obj);
    return self;
}
} // namespace bound_method_detail

template <typename Sig> class BoundMethod;

template <typename R, typename... A> class BoundMethod<R(A...)>
{
  public:
    // The thunk receives the bound object as its first argument.
    using Thunk = R (*)(void *, A...);

  private:
    void *object = nullptr;
    Thunk thunk = nullptr;

    template <auto Method, typename Owner> static R CallMember(void *obj, A... args)
    {
        return (bound_method_detail::AsMethodClass<Method, Owner>(obj)->*Method)(std::forward<A>(args)...);
    }

    template <auto Function> static R CallFree(void *, A... args)
    {
        return Function(std::forward<A>(args)...);
    }

  public:
    BoundMethod() = default;
    BoundMethod(void *obj, Thunk t) : object(obj), thunk(t) {}

    // Binds obj with a member function given at compile time: m.Bind<&Foo::Bar>(this).
    template <auto Method, typename Owner> void Bind(Owner *obj)
    {
        static_assert(std::is_member_function_pointer_v<decltype(Method)>);
        object = const_cast<void *>(static_cast<const void *>(obj));
        thunk = &CallMember<Method, Owner>;
    }

    // Binds a plain function that takes no object.
    template <auto Function> void BindFunction()
    {
        object = nullptr;
        thunk = &CallFree<Function>;
    }

    // Binds a raw thunk (a captureless lambda converts to it) with its object.
    void Bind(void *obj, Thunk t)
    {
        object = obj;
        thunk = t;
    }

    template <auto Method, typename Owner> static BoundMethod Make(Owner *obj)
    {
        BoundMethod m;
        m.template Bind<Method>(obj);
        return m;
    }

    template <auto Function> static BoundMethod MakeFunction()
    {
        BoundMethod m;
        m.template BindFunction<Function>();
        return m;
    }

    void Unbind()
    {
        object = nullptr;
        thunk = nullptr;
    }

    bool IsBound() const { return thunk != nullptr; }
    explicit operator bool() const { return thunk != nullptr; }
    void *Object() const { return object; }

    // Calling an unbound method is outside the contract; the caller tests IsBound.
    R operator()(A... args) const { return thunk(object, std::forward<A>(args)...); }

    bool operator==(const BoundMethod &o) const { return object == o.object && thunk == o.thunk; }
};
} // namespace hgl
