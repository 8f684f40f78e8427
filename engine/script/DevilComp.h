#pragma once
// Typed comparisons: one class per operator and pair of operand types, chosen when
// the condition is compiled, so evaluating it is two reads and one compare.
//
// Domains: when either side is float or double, both sides are compared at their
// exact values (a long double with a 64-bit significand holds every operand
// exactly; NaN compares as IEEE 754 says). Otherwise bool counts as the int 0/1
// and the pair is compared after the usual integer conversions of C++: an
// unsigned side at least as wide as the other makes the compare unsigned, and a
// 64-bit signed side against a 32-bit unsigned one makes it signed 64-bit.
#include "core/Types.h"
#include "script/DevilValue.h"

#include <limits>
#include <type_traits>

namespace hgl
{
class DevilCompInterface
{
  public:
    virtual ~DevilCompInterface() = default;
    virtual bool Comp() = 0;
};

namespace devil_comp
{
static_assert(std::numeric_limits<long double>::digits >= 64,
              "exact mixed comparisons need a floating type with a 64-bit significand");

template <class T> using Widened = std::conditional_t<std::is_same_v<T, bool>, int32, T>;

template <class A, class B>
using Domain = std::conditional_t<std::is_floating_point_v<A> || std::is_floating_point_v<B>, long double,
                                  std::common_type_t<Widened<A>, Widened<B>>>;

template <class A, class B> inline bool Equ(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) == D(b);
}
template <class A, class B> inline bool NotEqu(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) != D(b);
}
template <class A, class B> inline bool Less(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) < D(b);
}
template <class A, class B> inline bool Greater(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) > D(b);
}
template <class A, class B> inline bool LessEqu(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) <= D(b);
}
template <class A, class B> inline bool GreaterEqu(A a, B b)
{
    using D = Domain<A, B>;
    return D(a) >= D(b);
}
} // namespace devil_comp

template <class A, class B> class DevilCompBase : public DevilCompInterface
{
  protected:
    DevilValue<A> *left;
    DevilValue<B> *right;

  public:
    // Takes ownership of both values.
    DevilCompBase(DevilValue<A> *l, DevilValue<B> *r) : left(l), right(r) {}
    ~DevilCompBase() override
    {
        delete left;
        delete right;
    }
    DevilCompBase(const DevilCompBase &) = delete;
    DevilCompBase &operator=(const DevilCompBase &) = delete;
};

#define HGL_DEVIL_COMP(NAME, FN)                                                                             \
    template <class A, class B> class NAME final : public DevilCompBase<A, B>                                \
    {                                                                                                        \
      public:                                                                                                \
        using DevilCompBase<A, B>::DevilCompBase;                                                            \
        bool Comp() override                                                                                 \
        {                                                                                                    \
            const A a = *this->left->GetValue(); /* the left side is read first */                           \
            const B b = *this->right->GetValue();                                                            \
            return devil_comp::FN(a, b);                                                                     \
        }                                                                                                    \
    };

HGL_DEVIL_COMP(DevilCompEqu, Equ)
HGL_DEVIL_COMP(DevilCompNotEqu, NotEqu)
HGL_DEVIL_COMP(DevilCompLess, Less)
HGL_DEVIL_COMP(DevilCompGreater, Greater)
HGL_DEVIL_COMP(DevilCompLessEqu, LessEqu)
HGL_DEVIL_COMP(DevilCompGreaterEqu, GreaterEqu)
#undef HGL_DEVIL_COMP

// The comparison for an operator token (== != < > <= >=, ids 49-54) over two
// operands whose types are operand types (bool, int, uint, int64, uint64, float,
// double). Takes ownership of both operands when it succeeds; null (and both
// operands left with the caller) for any other operator or type.
DevilCompInterface *CreateDevilComp(int op, DevilValueInterface *left, DevilValueInterface *right);
} // namespace hgl
