#pragma once
// The movie decoder's table ("Movie.Theora"): frames come out as RGBA pictures of the
// movie's picture size, rows top first. The input is read through the same callbacks
// as the audio decoders'.
#include "sonvex/AudioPlugInABI.h"

namespace hgl
{
extern "C"
{
    using MovieHandle = void *;

    using MovieOpenFunc = MovieHandle (*)(const AudioIO *io);
    using MovieCloseFunc = void (*)(MovieHandle handle);
    // Picture width and height in pixels and frames per second.
    using MovieGetInfoFunc = bool (*)(MovieHandle handle, int *width, int *height, double *fps);
    // Decodes the next frame into rgba (width x height x 4 bytes) and gives the time in
    // seconds at which it is due. 1 a frame (a repeated frame gives the previous
    // picture again), 0 the end, -1 a decoding failure.
    using MovieNextFrameFunc = int (*)(MovieHandle handle, uint8 *rgba, double *time);
}

constexpr int MovieInterfaceVersion = 1;

struct MoviePlugInInterface
{
    MovieOpenFunc Open;
    MovieCloseFunc Close;
    MovieGetInfoFunc GetInfo;
    MovieNextFrameFunc NextFrame;
};

// Largest picture a movie decoder accepts (each side), so that a forged header
// cannot make it allocate without bound.
constexpr int MovieMaxSide = 4096;
} // namespace hgl
