#pragma once
// Hands one of the engine's streams to a decoder plug-in as AudioIO callbacks.
#include "io/Stream.h"
#include "sonvex/AudioPlugInABI.h"

#include <memory>

namespace hgl
{
class StreamIO
{
    std::unique_ptr<Stream> stream;
    AudioIO io;

  public:
    // Takes the stream (which must be seekable and know its size).
    explicit StreamIO(Stream *source);
    StreamIO(const StreamIO &) = delete;
    StreamIO &operator=(const StreamIO &) = delete;

    const AudioIO *Get() const { return &io; }
};
} // namespace hgl
