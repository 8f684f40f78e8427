#pragma once
// The C++ heap allocations of a benchmark program, counted by its replacement of
// the global operator new (the renderer's own C allocations are not counted).
namespace hgl::bench
{
long HeapAllocations();
} // namespace hgl::bench
