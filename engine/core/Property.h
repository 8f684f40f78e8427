#pragma once
// Bound properties: a member object that reads through one of its owner's methods and
// writes through another. A property holds no value and owns nothing. It is never
// copied: an owner's constructors (the copy constructor included) construct their
// properties empty and bind them to the new object in one private step, InitPrivate,
// so that every property reports the state of the object that contains it.
//
//     class Rect
//     {
//         float GetRight() const;
//         void SetRight(float);
//         void InitPrivate() { Right.Bind<&Rect::GetRight, &Rect::SetRight>(this); }
//     public:
//         hgl::Property<float> Right;
//         Rect() { InitPrivate(); }
//         Rect(const Rect &o) : fields(o.fields) { InitPrivate(); }
//     };
#include <cassert>
#include <type_traits>
#include <utility>

#include "core/BoundMethod.h"
#include "core/Types.h"

namespace hgl
{
class String;

template <typename T> class Property
{
  public:
    using ValueType = std::remove_cv_t<T>;
    using Getter = ValueType (*)(void *);
    using Setter = void (*)(void *, ValueType);

  private:
    void *object = nullptr;
    Getter getter = nullptr;
    Setter setter = nullptr;

    template <auto Get, typename Owner> static ValueType GetThunk(void *obj)
    {
        return (bound_method_detail::AsMethodClass<Get, Owner>(obj)->*Get)();
    }

    template <auto Set, typename Owner> static void SetThunk(void *obj, ValueType value)
    {
        (bound_method_detail::AsMethodClass<Set, Owner>(obj)->*Set)(std::move(value));
    }

  public:
    Property() = default;
    ~Property() = default;

    // The binding is never copied: a property always belongs to the object that
    // contains it. Assigning one property from another copies the value instead, a
    // read of the source followed by a write of this one (a.Right = b.Right).
    Property(const Property &) = delete;

    Property &operator=(const Property &source) requires(!std::is_const_v<T>)
    {
        Set(source.Get());
        return *this;
    }

    Property &operator=(const Property &) requires(std::is_const_v<T>) = delete;

    // Binds the owner's getter and (optionally) setter: Right.Bind<&Rect::GetRight, &Rect::SetRight>(this).
    // An owner exposing a read-only value binds the getter alone.
    template <auto Get, auto Set = nullptr, typename Owner> void Bind(Owner *owner)
    {
        object = const_cast<void *>(static_cast<const void *>(owner));
        if constexpr (std::is_null_pointer_v<decltype(Get)>)
            getter = nullptr;
        else
            getter = &GetThunk<Get, Owner>;
        if constexpr (std::is_null_pointer_v<decltype(Set)>)
            setter = nullptr;
        else
            setter = &SetThunk<Set, Owner>;
    }

    // Binds raw thunks that receive the owner as their first argument.
    void Bind(void *owner, Getter get, Setter set = nullptr)
    {
        object = owner;
        getter = get;
        setter = set;
    }

    bool CanRead() const { return getter != nullptr; }
    bool CanWrite() const { return setter != nullptr; }

    // Nothing binds an unbound property by accident, so a read of one is a caller's
    // mistake: debug builds stop there, release builds give a zero value.
    ValueType Get() const
    {
        assert(getter && "read of an unbound property");
        if (!getter) return ValueType{};
        return getter(object);
    }

    void Set(ValueType value)
    {
        assert(setter && "write of a property without setter");
        if (setter) setter(object, std::move(value));
    }

    operator ValueType() const { return Get(); }

    Property &operator=(const ValueType &value) requires(!std::is_const_v<T>)
    {
        Set(value);
        return *this;
    }

    // Compound updates are a read through the getter followed by a write through the setter.
    template <typename U>
    Property &operator+=(const U &v) requires(!std::is_const_v<T> && requires(ValueType a, U b) { a + b; })
    {
        Set(static_cast<ValueType>(Get() + v));
        return *this;
    }

    template <typename U>
    Property &operator-=(const U &v) requires(!std::is_const_v<T> && requires(ValueType a, U b) { a - b; })
    {
        Set(static_cast<ValueType>(Get() - v));
        return *this;
    }

    template <typename U>
    Property &operator*=(const U &v) requires(!std::is_const_v<T> && requires(ValueType a, U b) { a *b; })
    {
        Set(static_cast<ValueType>(Get() * v));
        return *this;
    }

    template <typename U>
    Property &operator/=(const U &v) requires(!std::is_const_v<T> && requires(ValueType a, U b) { a / b; })
    {
        Set(static_cast<ValueType>(Get() / v));
        return *this;
    }

    Property &operator++() requires(!std::is_const_v<T> && std::is_arithmetic_v<ValueType> &&
                                    !std::is_same_v<ValueType, bool>)
    {
        Set(static_cast<ValueType>(Get() + 1));
        return *this;
    }

    Property &operator--() requires(!std::is_const_v<T> && std::is_arithmetic_v<ValueType> &&
                                    !std::is_same_v<ValueType, bool>)
    {
        Set(static_cast<ValueType>(Get() - 1));
        return *this;
    }
};

// A property whose value is a pointer to an object of class T.
template <typename T> class PropertyObject : public Property<T *>
{
  public:
    using Property<T *>::operator=;

    T *operator->() const { return this->Get(); }
    T &operator*() const { return *this->Get(); }
};

// A read-only view of one of the owner's fields.
template <typename T> class OnlyReadProperty
{
    const T *source = nullptr;

  public:
    OnlyReadProperty() = default;
    explicit OnlyReadProperty(const T *field) : source(field) {}
    ~OnlyReadProperty() = default;

    OnlyReadProperty(const OnlyReadProperty &) = delete;
    OnlyReadProperty &operator=(const OnlyReadProperty &) = delete;

    void Bind(const T *field) { source = field; }

    T Get() const
    {
        assert(source && "read of an unbound property");
        return source ? *source : T{};
    }

    operator T() const { return Get(); }
};

// A string property forwarding to a String the owner holds. A write assigns the
// target (when one is set) and then always runs the change notice (when bound).
class PropertyString
{
    String *target = nullptr;
    BoundMethod<void()> change_notice;

    int GetLength() const;

  public:
    // The target's length, 0 while there is no target.
    Property<const int> Length;

    PropertyString();
    ~PropertyString() = default;

    PropertyString(const PropertyString &) = delete;
    // Copies the text, not the binding: the source's target (empty without one) is
    // written here as any other text would be.
    PropertyString &operator=(const PropertyString &source);

    void SetTarget(String *str) { target = str; }
    String *GetTarget() const { return target; }

    void SetChangeNotice(const BoundMethod<void()> &notice) { change_notice = notice; }
    template <auto Method, typename Owner> void BindChangeNotice(Owner *owner)
    {
        change_notice.template Bind<Method>(owner);
    }

    PropertyString &operator=(const String &value);
    PropertyString &operator=(const u16char *text);
};
} // namespace hgl
