#pragma once
// What the character pictures share: the 1024 x 768 design canvas their numbers
// are given on, and the leading characters of a picture name, which carry its code,
// family and file.
#include "core/String.h"

#include <algorithm>

namespace avg::char_name
{
constexpr float kDesignW = 1024.0f, kDesignH = 768.0f;
constexpr int kCodeLength = 2, kFamilyLength = 3, kFileLength = 4;

// The first n characters (all of a shorter name).
inline hgl::String Head(const hgl::String &name, int n)
{
    return hgl::String(name.c_str(), std::min(n, name.GetLength()));
}
} // namespace avg::char_name
