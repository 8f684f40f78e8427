#include "core/HeapSort.h"

#include <cstring>
#include <memory>

#include "core/Types.h"

namespace hgl
{
namespace
{
// The element moves of the sort. Fixed sizes let the compiler turn a copy into one
// load and store; the result is the same byte copy either way.
template <int FixedSize> struct Mover
{
    int size;
    void operator()(void *dst, const void *src) const
    {
        if constexpr (FixedSize > 0)
            std::memcpy(dst, src, FixedSize);
        else
            std::memcpy(dst, src, size_t(size));
    }
};

template <int FixedSize>
void SortWith(uint8 *base, int count, int size, const SortCompare &compare, uint8 *temp)
{
    const Mover<FixedSize> move{size};
    auto at = [base, size](int64 i) { return base + size_t(i) * size_t(size); };

    // Sift the element held in temp down from position p within positions 0..e.
    auto sift_temp = [&](int64 p, int64 e)
    {
        int64 c = 2 * p + 1;
        while (c <= e)
        {
            if (c < e && compare(at(c), at(c + 1), size) < 0) ++c;
            if (compare(temp, at(c), size) < 0)
            {
                move(at(p), at(c));
                p = c;
                c = 2 * p + 1;
            }
            else
                break;
        }
        move(at(p), temp);
    };

    for (int i = count / 2 - 1; i >= 0; --i)
    {
        move(temp, at(i));
        sift_temp(i, count - 1);
    }

    // Swapping elements 0 and k and then sifting element 0 down would copy the old
    // element k into the temporary twice; it goes there once and the top moves to k.
    for (int k = count - 1; k >= 1; --k)
    {
        move(temp, at(k));
        move(at(k), at(0));
        sift_temp(0, k - 1);
    }
}
} // namespace

void HeapSort(void *base, int count, int size, const SortCompare &compare)
{
    if (!base || count < 2 || size < 1 || !compare.IsBound()) return;

    uint8 *data = static_cast<uint8 *>(base);

    // One temporary element for the whole run.
    alignas(16) uint8 small[64];
    std::unique_ptr<uint8[]> large;
    uint8 *temp = small;
    if (size > int(sizeof(small)))
    {
        large.reset(new uint8[size_t(size)]);
        temp = large.get();
    }

    switch (size)
    {
    case 1:
        SortWith<1>(data, count, size, compare, temp);
        break;
    case 2:
        SortWith<2>(data, count, size, compare, temp);
        break;
    case 4:
        SortWith<4>(data, count, size, compare, temp);
        break;
    case 8:
        SortWith<8>(data, count, size, compare, temp);
        break;
    case 16:
        SortWith<16>(data, count, size, compare, temp);
        break;
    default:
        SortWith<0>(data, count, size, compare, temp);
        break;
    }
}
} // namespace hgl
