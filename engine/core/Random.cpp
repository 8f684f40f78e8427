#include "core/Random.h"

#include <cstdlib>
#include <ctime>

#include "platform/Clock.h"

namespace hgl
{
namespace
{
constexpr int N = 624;
constexpr int M = 397;
constexpr uint32 MATRIX_A = 0x9908b0dfu;
constexpr uint32 UPPER_MASK = 0x80000000u;
constexpr uint32 LOWER_MASK = 0x7fffffffu;

uint32 mt[N];
int mti = N + 1; // N + 1: nothing was seeded yet

void InitGenRand(uint32 s)
{
    mt[0] = s;
    for (mti = 1; mti < N; ++mti)
        mt[mti] = 1812433253u * (mt[mti - 1] ^ (mt[mti - 1] >> 30)) + uint32(mti);
    mti = N;
}

void Regenerate()
{
    static const uint32 mag01[2] = {0u, MATRIX_A};
    int kk;
    uint32 y;

    for (kk = 0; kk < N - M; ++kk)
    {
        y = (mt[kk] & UPPER_MASK) | (mt[kk + 1] & LOWER_MASK);
        mt[kk] = mt[kk + M] ^ (y >> 1) ^ mag01[y & 1u];
    }
    for (; kk < N - 1; ++kk)
    {
        y = (mt[kk] & UPPER_MASK) | (mt[kk + 1] & LOWER_MASK);
        mt[kk] = mt[kk + (M - N)] ^ (y >> 1) ^ mag01[y & 1u];
    }
    y = (mt[N - 1] & UPPER_MASK) | (mt[0] & LOWER_MASK);
    mt[N - 1] = mt[M - 1] ^ (y >> 1) ^ mag01[y & 1u];

    mti = 0;
}
} // namespace

void InitRandomSeed(unsigned int seed)
{
    InitGenRand(seed);
}

void InitRandomByArray(const unsigned int *key, int length)
{
    InitGenRand(19650218u);

    // The published loop reads key[0] even for an empty key; there is nothing to mix in.
    if (!key || length < 1) return;

    int i = 1, j = 0;
    int k = (N > length ? N : length);
    for (; k; --k)
    {
        mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1664525u)) + key[j] + uint32(j);
        ++i;
        ++j;
        if (i >= N)
        {
            mt[0] = mt[N - 1];
            i = 1;
        }
        if (j >= length) j = 0;
    }
    for (k = N - 1; k; --k)
    {
        mt[i] = (mt[i] ^ ((mt[i - 1] ^ (mt[i - 1] >> 30)) * 1566083941u)) - uint32(i);
        ++i;
        if (i >= N)
        {
            mt[0] = mt[N - 1];
            i = 1;
        }
    }

    mt[0] = 0x80000000u; // non-zero initial state is assured
    mti = N;
}

uint32 RandomU32()
{
    if (mti >= N)
    {
        if (mti == N + 1) InitGenRand(5489u);
        Regenerate();
    }

    uint32 y = mt[mti++];

    y ^= (y >> 11);
    y ^= (y << 7) & 0x9d2c5680u;
    y ^= (y << 15) & 0xefc60000u;
    y ^= (y >> 18);

    return y;
}

void InitRandom()
{
    const uint64 micro = platform::GetMonotonicMicroseconds();
    const time_t now = std::time(nullptr);

    std::srand(unsigned(now));
    const int r = std::rand();

    const unsigned int key[4] = {uint32(micro), uint32(now), uint32(micro), uint32(r)};
    InitRandomByArray(key, 4);
}
} // namespace hgl
