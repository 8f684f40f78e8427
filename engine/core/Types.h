#pragma once
// Basic types shared by the whole engine.
#include <cstddef>
#include <cstdint>

namespace hgl
{
// One UTF-16 code unit. All engine text is made of these; never the 32-bit wchar_t.
using u16char = char16_t;

using int8 = int8_t;
using uint8 = uint8_t;
using int16 = int16_t;
using uint16 = uint16_t;
using int32 = int32_t;
using uint32 = uint32_t;
using int64 = int64_t;
using uint64 = uint64_t;
using uint = unsigned int;

// Longest path the engine's fixed path buffers hold (in code units, terminator excluded).
constexpr int HGL_MAX_PATH = 260;
} // namespace hgl
