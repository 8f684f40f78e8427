#pragma once
// A movie file decoded by the "Movie.Theora" plug-in on a thread of its own into a
// small queue of RGBA frames; the drawing side takes the frame due at its clock.
//
// Stop (and the destructor) end the thread by a stop flag and a join. The archive
// the file came from must outlive the decoder.
#include "core/String.h"
#include "io/Thread.h"
#include "movie/MoviePlugInABI.h"
#include "sonvex/StreamIO.h"

#include <deque>
#include <vector>

namespace hgl
{
class HAC;

// The movie decoder's table; null (logged once) when the plug-in is missing.
MoviePlugInInterface *GetMovieInterface();

class MovieDecoder : public Thread
{
  public:
    static constexpr int QueueFrames = 3;

    struct Frame
    {
        double time = 0;
        std::vector<uint8> rgba;
    };

  private:
    PlugInDecoder<MoviePlugInInterface> plugin;
    int width = 0, height = 0;
    double fps = 0;

    std::deque<Frame> queue;        // decoded, oldest first
    std::vector<Frame> spare;       // frames given back, reused to spare allocations
    Semaphore room{0, QueueFrames}; // signalled when the drawing side takes frames
    bool ended = false;             // the decoder has nothing more (end or failure)

    Frame NewFrame();

  public:
    MovieDecoder() = default;
    ~MovieDecoder() override;

    // Opens a movie file of the archive, or a stream (taken) named filename.
    // Failures are logged.
    bool Open(HAC *archive, const u16char *filename);
    bool Open(Stream *stream, const u16char *filename);
    void CloseMovie();

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    double GetFps() const { return fps; }

    // Decodes one frame on the calling thread: 1 a frame, 0 the end, -1 a failure.
    int DecodeFrame(Frame &frame);

    // Starts decoding ahead on the decoder's thread.
    bool Begin();
    // Ends the thread.
    void Stop();

    // Swaps into rgba the newest queued frame due at time (dropping the older ones)
    // and gives its time; false when no new frame is due yet.
    bool TakeFrameAt(double time, std::vector<uint8> &rgba, double *frame_time = nullptr);
    // True once the decoder has finished and every frame was taken.
    bool IsOver();

    bool Execute() override;
};
} // namespace hgl
