#pragma once
// Shared by the decoder fuzz targets: the plug-in folder, and the input as a stream.
#include "io/Core.h"
#include "io/MemStream.h"

#include <cstdint>
#include <cstring>

#ifndef HGL_PLUGIN_DIR_U
#define HGL_PLUGIN_DIR_U u"Plug-Ins"
#endif

namespace decoder_fuzz
{
inline hgl::Stream *Input(const uint8_t *data, size_t size)
{
    static const bool ready = []
    {
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        return true;
    }();
    (void)ready;

    auto *s = new hgl::MemStream(int64_t(size), true);
    if (size) std::memcpy(s->GetData(), data, size);
    return s;
}
} // namespace decoder_fuzz
