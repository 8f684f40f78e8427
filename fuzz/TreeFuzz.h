#pragma once
// Save trees as bytes, for the fuzz targets over what the stage managers save: the
// input read as a tree, and a tree written to the bytes a save holds, so that a
// round trip can be compared byte for byte.
#include "io/MemStream.h"
#include "io/TDF.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace treefuzz
{
// The bytes as a tree; false when they are not one.
inline bool Read(const uint8_t *data, size_t size, hgl::TDFNode &root)
{
    hgl::MemStream in;
    if (size > 0 && !in.WriteFully(data, int(size))) return false;
    in.SetPosition(0);
    return root.Load(&in);
}

// The tree as a save writes it; a tree that cannot be written stops the run.
inline std::vector<uint8_t> Bytes(const hgl::TDFNode &root)
{
    hgl::MemStream s;
    if (!root.Save(&s)) __builtin_trap();
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}
} // namespace treefuzz
