#pragma once
// The index entry of one shown message: the MD5 digest of its text. The message
// window keeps the digests of the messages already read in an OnlyList, which
// compares and copies them as 16 raw bytes.
#include <cstring>
#include <type_traits>

#include "core/Types.h"

namespace avg
{
struct MsgIndex
{
    hgl::uint8 digest[16];

    static MsgIndex FromBytes(const void *bytes)
    {
        MsgIndex mi;
        std::memcpy(mi.digest, bytes, sizeof(mi.digest));
        return mi;
    }

    bool operator==(const MsgIndex &o) const { return std::memcmp(digest, o.digest, sizeof(digest)) == 0; }
};

static_assert(sizeof(MsgIndex) == 16 && std::is_trivially_copyable_v<MsgIndex>,
              "a message index is 16 raw bytes");
} // namespace avg
