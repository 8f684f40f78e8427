#pragma once
// Shared by the audio and movie decoder plug-ins: the standard exports, and a
// byte reader over the engine's AudioIO callbacks.
#include "io/PlugInABI.h"
#include "sonvex/AudioPlugInABI.h"

namespace hgl_decoder
{
// Reads exactly bytes bytes; false on a short read or a failure.
inline bool ReadExact(const hgl::AudioIO *io, void *buffer, int bytes)
{
    char *p = static_cast<char *>(buffer);
    while (bytes > 0)
    {
        const int got = io->read(io->ctx, p, bytes);
        if (got <= 0) return false;
        p += got;
        bytes -= got;
    }
    return true;
}

inline bool ValidIO(const hgl::AudioIO *io)
{
    return io && io->read && io->seek && io->tell && io->size;
}
} // namespace hgl_decoder

// Defines the exports of a decoder plug-in serving one version of one record type;
// the remaining arguments are the record's entries in order.
#define HGL_DECODER_PLUGIN(intro_text, interface_version, Record, ...)                                       \
    HGL_PLUGIN_IDENTITY(interface_version, intro_text)                                                       \
    HGL_PLUGIN_EXPORT bool GetPlugInInterface(int version, void *record)                                     \
    {                                                                                                        \
        if (version != interface_version || !record) return false;                                           \
        *static_cast<Record *>(record) = Record{__VA_ARGS__};                                                \
        return true;                                                                                         \
    }
