#pragma once
// The binary contract between the engine and its decoder plug-ins ("Audio.<name>"
// and "Movie.<name>"). A decoder reads its input through an AudioIO the engine hands
// it, so that it never needs the engine's stream classes. Plug-ins are built against
// this header only.
#include "core/Types.h"

namespace hgl
{
extern "C"
{
    // Byte source callbacks over one of the engine's streams. read returns the bytes
    // read (0 at the end, -1 on failure); seek (origin 0 start, 1 current, 2 end) and
    // tell return the new position or -1; size returns the total size or -1.
    struct AudioIO
    {
        void *ctx;
        int (*read)(void *ctx, void *buffer, int bytes);
        int64 (*seek)(void *ctx, int64 offset, int origin);
        int64 (*tell)(void *ctx);
        int64 (*size)(void *ctx);
    };

    using AudioHandle = void *;

    // Opens a decoder over io (which must outlive it); null when the data is refused.
    using AudioOpenFunc = AudioHandle (*)(const AudioIO *io);
    using AudioCloseFunc = void (*)(AudioHandle handle);
    // Channels, sample rate, bits per sample of the output and the length in seconds.
    using AudioGetInfoFunc = bool (*)(AudioHandle handle, int *channels, int *rate, int *bits,
                                      double *seconds);
    // Fills buffer with up to bytes bytes of signed 16-bit little-endian interleaved
    // samples (whole sample frames); 0 at the end, -1 on a decoding failure.
    using AudioReadFunc = int (*)(AudioHandle handle, void *buffer, int bytes);
    // Back to the first sample.
    using AudioRestartFunc = bool (*)(AudioHandle handle);
    using AudioSeekFunc = bool (*)(AudioHandle handle, double seconds);
}

// Audio decoders ("Audio.Wav", "Audio.VorbisOGG") serve this interface version.
constexpr int AudioInterfaceVersion = 2;

struct AudioPlugInInterface
{
    AudioOpenFunc Open;
    AudioCloseFunc Close;
    AudioGetInfoFunc GetInfo;
    AudioReadFunc Read;
    AudioRestartFunc Restart;
    AudioSeekFunc Seek;
};

static_assert(sizeof(AudioPlugInInterface) == 6 * sizeof(void *), "six entries, no padding");
} // namespace hgl
