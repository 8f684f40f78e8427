// Typed comparisons of script values against an exact reference built on 128-bit
// integers. The empty input (replayed by every build) sweeps every operator and
// operand type pair over boundary values; other inputs pick the two types and one
// value pair from their bytes.
#include "script/DevilComp.h"
#include "script/DevilEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

using namespace hgl;
using namespace angle_script;

namespace
{
void Check(bool ok, const char *what)
{
    if (ok) return;
    std::fprintf(stderr, "comparison: %s\n", what);
    std::abort();
}

using i128 = __int128;

template <class T> constexpr int Tok();
template <> constexpr int Tok<bool>()
{
    return ttBool;
}
template <> constexpr int Tok<int32>()
{
    return ttInt;
}
template <> constexpr int Tok<uint32>()
{
    return ttUInt;
}
template <> constexpr int Tok<int64>()
{
    return ttInt64;
}
template <> constexpr int Tok<uint64>()
{
    return ttUInt64;
}
template <> constexpr int Tok<float>()
{
    return ttFloat;
}
template <> constexpr int Tok<double>()
{
    return ttDouble;
}

constexpr double P24 = 16777216.0, P53 = 9007199254740992.0, P63 = 9223372036854775808.0,
                 P64 = 18446744073709551616.0;
const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

template <class T> std::vector<T> Values();
template <> std::vector<bool> Values()
{
    return {false, true};
}
template <> std::vector<int32> Values()
{
    return {0,         1,         -1,           2, (1 << 24) - 1, 1 << 24, (1 << 24) + 1, -(1 << 24) - 1,
            INT32_MAX, INT32_MIN, INT32_MIN + 1};
}
template <> std::vector<uint32> Values()
{
    return {0u, 1u, 2u, (1u << 24) - 1, 1u << 24, (1u << 24) + 1, 1u << 31, UINT32_MAX, UINT32_MAX - 1};
}
template <> std::vector<int64> Values()
{
    return {0,
            1,
            -1,
            (1LL << 24) + 1,
            1LL << 53,
            (1LL << 53) + 1,
            (1LL << 53) - 1,
            -(1LL << 53) - 1,
            1LL << 32,
            (1LL << 32) - 1,
            -(1LL << 31) - 1,
            INT64_MAX,
            INT64_MIN,
            INT64_MIN + 1};
}
template <> std::vector<uint64> Values()
{
    return {0u,
            1u,
            (1ULL << 53) + 1,
            1ULL << 53,
            1ULL << 63,
            (1ULL << 63) + 1,
            UINT64_MAX,
            UINT64_MAX - 1,
            (1ULL << 32) - 1,
            1ULL << 32};
}
template <> std::vector<float> Values()
{
    return {0.0f,
            -0.0f,
            1.0f,
            -1.0f,
            0.5f,
            0.1f,
            float(P24),
            float(P24) + 2,
            float(P63),
            -float(P63),
            float(P64),
            4294967296.0f,
            2147483648.0f,
            -2147483648.0f,
            std::numeric_limits<float>::max(),
            float(inf),
            float(-inf),
            float(nan),
            std::numeric_limits<float>::denorm_min()};
}
template <> std::vector<double> Values()
{
    return {0.0,          -0.0,          1.0,           -1.0,
            0.1,          1.5,           -1.5,          P24 + 1,
            P53,          P53 + 2,       P63,           -P63,
            P64,          P64 - 2048,    4294967295.0,  4294967295.5,
            4294967296.0, -2147483648.5, -2147483649.0, std::numeric_limits<double>::max(),
            inf,          -inf,          nan,           std::numeric_limits<double>::denorm_min(),
            double(0.1f)};
}

// -1 less, 0 equal, 1 greater, 2 unordered.
struct Exact
{
    bool is_float;
    i128 i;
    double d;
};
template <class T> Exact Make(T v)
{
    if constexpr (std::is_floating_point_v<T>)
        return {true, 0, double(v)};
    else
        return {false, i128(v), 0};
}

int CompareIntFloat(i128 i, double d)
{
    if (std::isnan(d)) return 2;
    if (d >= P64) return -1;
    if (d <= -P64) return 1;
    const double fl = std::floor(d);
    const i128 fi = i128(fl);
    if (i < fi) return -1;
    if (i > fi) return 1;
    return d == fl ? 0 : -1;
}

// The integer domains: bool and int are signed 32-bit, then the usual widening.
enum Dom
{
    S32,
    U32,
    S64,
    U64
};
Dom DomainOf(int ta, int tb)
{
    auto rank = [](int t) { return t == ttUInt64 ? 3 : t == ttInt64 ? 2 : t == ttUInt ? 1 : 0; };
    const int r = std::max(rank(ta), rank(tb));
    return r == 3 ? U64 : r == 2 ? S64 : r == 1 ? U32 : S32;
}
i128 Into(i128 v, Dom d)
{
    switch (d)
    {
    case U32:
        return i128(uint32(uint64(int64(v))));
    case U64:
        return i128(uint64(v));
    default:
        return v;
    }
}

int Reference(const Exact &a, int ta, const Exact &b, int tb)
{
    if (a.is_float && b.is_float)
    {
        if (std::isnan(a.d) || std::isnan(b.d)) return 2;
        return a.d < b.d ? -1 : a.d > b.d ? 1 : 0;
    }
    if (a.is_float)
    {
        const int r = CompareIntFloat(b.i, a.d);
        return r == 2 ? 2 : -r;
    }
    if (b.is_float) return CompareIntFloat(a.i, b.d);
    const Dom d = DomainOf(ta, tb);
    const i128 x = Into(a.i, d), y = Into(b.i, d);
    return x < y ? -1 : x > y ? 1 : 0;
}

bool Expected(int op, int r)
{
    switch (op)
    {
    case ttEqual:
        return r == 0;
    case ttNotEqual:
        return r != 0;
    case ttLessThan:
        return r == -1;
    case ttGreaterThan:
        return r == 1;
    case ttLessThanOrEqual:
        return r == -1 || r == 0;
    default:
        return r == 1 || r == 0;
    }
}

template <class A, class B> int CheckPair(const std::vector<A> &xs, const std::vector<B> &ys)
{
    A a{};
    B b{};
    DevilPropertyMap pa{Tok<A>(), &a}, pb{Tok<B>(), &b};
    std::unique_ptr<DevilCompInterface> comps[6];
    for (int k = 0; k < 6; ++k)
    {
        comps[k].reset(CreateDevilComp(ttEqual + k, new DevilValueProperty<A>(nullptr, &pa, Tok<A>()),
                                       new DevilValueProperty<B>(nullptr, &pb, Tok<B>())));
        Check(comps[k] != nullptr, "no comparison made");
    }
    int checked = 0;
    for (A x : xs)
        for (B y : ys)
        {
            a = x;
            b = y;
            const int r = Reference(Make(x), Tok<A>(), Make(y), Tok<B>());
            for (int k = 0; k < 6; ++k)
            {
                Check(comps[k]->Comp() == Expected(ttEqual + k, r),
                      "comparison differs from the exact reference");
                ++checked;
            }
        }
    return checked;
}

// The input's bytes read as one value of T (zero when the input is short).
template <class T> T FromBytes(const uint8_t *data, size_t size, size_t at)
{
    uint8_t bytes[sizeof(T)] = {};
    if (at < size) std::memcpy(bytes, data + at, std::min(sizeof(T), size - at));
    if constexpr (std::is_same_v<T, bool>)
        return bytes[0] & 1;
    else
    {
        T v;
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }
}

// The boundary values of A against those of every right-hand type, or, from a
// fuzz input, one value pair.
template <class A, class B> int CheckOne(const uint8_t *data, size_t size)
{
    if (size == 0) return CheckPair<A, B>(Values<A>(), Values<B>());
    return CheckPair<A, B>({FromBytes<A>(data, size, 2)}, {FromBytes<B>(data, size, 10)});
}

template <class A> int CheckLeft(int right, const uint8_t *data, size_t size)
{
    switch (right)
    {
    case 0:
        return CheckOne<A, bool>(data, size);
    case 1:
        return CheckOne<A, int32>(data, size);
    case 2:
        return CheckOne<A, uint32>(data, size);
    case 3:
        return CheckOne<A, int64>(data, size);
    case 4:
        return CheckOne<A, uint64>(data, size);
    case 5:
        return CheckOne<A, float>(data, size);
    default:
        return CheckOne<A, double>(data, size);
    }
}

int CheckTypes(int left, int right, const uint8_t *data, size_t size)
{
    switch (left)
    {
    case 0:
        return CheckLeft<bool>(right, data, size);
    case 1:
        return CheckLeft<int32>(right, data, size);
    case 2:
        return CheckLeft<uint32>(right, data, size);
    case 3:
        return CheckLeft<int64>(right, data, size);
    case 4:
        return CheckLeft<uint64>(right, data, size);
    case 5:
        return CheckLeft<float>(right, data, size);
    default:
        return CheckLeft<double>(right, data, size);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    constexpr int kTypes = 7;
    if (size == 0)
    {
        for (int left = 0; left < kTypes; ++left)
            for (int right = 0; right < kTypes; ++right)
                CheckTypes(left, right, data, size);
        return 0;
    }
    CheckTypes(data[0] % kTypes, size > 1 ? data[1] % kTypes : 0, data, size);
    return 0;
}
