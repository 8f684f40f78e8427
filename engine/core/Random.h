#pragma once
// The engine's random number generator: MT19937 as published by its authors, one
// global state shared by the whole program (no locking).
#include "core/Types.h"

namespace hgl
{
// The standard init_genrand.
void InitRandomSeed(unsigned int seed);

// The standard init_by_array. A null key or a length below 1 seeds as an empty key
// would: with 19650218 alone.
void InitRandomByArray(const unsigned int *key, int length);

// The next 32-bit output. When nothing was ever seeded the first call seeds with 5489.
uint32 RandomU32();

// Seeds from the monotonic microsecond clock, the calendar time and the C runtime's
// rand (which is itself seeded with the calendar time here).
void InitRandom();
} // namespace hgl
