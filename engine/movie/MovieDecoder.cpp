#include "movie/MovieDecoder.h"

#include "core/Log.h"
#include "io/PlugIn.h"

#include <mutex>

namespace hgl
{
namespace
{
PlugInInterfaceCache<MoviePlugInInterface> &Registry()
{
    static PlugInInterfaceCache<MoviePlugInInterface> registry;
    return registry;
}
} // namespace

MoviePlugInInterface *GetMovieInterface()
{
    return GetPlugInInterfaceByName(Registry(), String(u"Movie"), MovieInterfaceVersion, String(u"Theora"));
}

MovieDecoder::~MovieDecoder()
{
    CloseMovie();
}

bool MovieDecoder::Open(HAC *archive, const u16char *filename)
{
    CloseMovie();
    Stream *stream = OpenArchiveStream(archive, filename, u"打开影片文件<%s>失败");
    return stream && Open(stream, filename);
}

bool MovieDecoder::Open(Stream *stream, const u16char *filename)
{
    CloseMovie();
    if (!plugin.Open(stream, GetMovieInterface()) ||
        !plugin->GetInfo(plugin.Handle(), &width, &height, &fps) || width < 1 || height < 1 ||
        width > MovieMaxSide || height > MovieMaxSide || !(fps > 0))
    {
        PutError(u"解码影片文件<%s>失败", filename ? filename : u"");
        CloseMovie();
        return false;
    }
    return true;
}

void MovieDecoder::CloseMovie()
{
    Stop();
    plugin.Close();
    width = height = 0;
    fps = 0;
    queue.clear();
    spare.clear();
    ended = false;
}

MovieDecoder::Frame MovieDecoder::NewFrame()
{
    std::lock_guard<ThreadMutex> guard(*this);
    if (!spare.empty())
    {
        Frame f = std::move(spare.back());
        spare.pop_back();
        return f;
    }
    Frame f;
    f.rgba.resize(size_t(width) * size_t(height) * 4);
    return f;
}

int MovieDecoder::DecodeFrame(Frame &frame)
{
    if (!plugin.IsOpen()) return -1;
    frame.rgba.resize(size_t(width) * size_t(height) * 4);
    const int r = plugin->NextFrame(plugin.Handle(), frame.rgba.data(), &frame.time);
    return r == 1 || r == 0 ? r : -1;
}

bool MovieDecoder::Begin()
{
    return plugin.IsOpen() && Start();
}

void MovieDecoder::Stop()
{
    RequestStop();
    room.Release(1);
    Thread::Close();
    while (room.TryAcquire())
    {
    }
}

bool MovieDecoder::Execute()
{
    constexpr double WaitSeconds = 0.1; // a stop request is seen at least this often
    while (!IsStopRequested())
    {
        bool full;
        {
            std::lock_guard<ThreadMutex> guard(*this);
            full = int(queue.size()) >= QueueFrames;
        }
        if (full)
        {
            room.Acquire(WaitSeconds);
            continue;
        }

        Frame frame = NewFrame();
        const int r = DecodeFrame(frame);
        std::lock_guard<ThreadMutex> guard(*this);
        if (r != 1)
        {
            if (r < 0) PutError(u"影片解码出错");
            ended = true;
            break;
        }
        queue.push_back(std::move(frame));
    }
    return true;
}

bool MovieDecoder::TakeFrameAt(double time, std::vector<uint8> &rgba, double *frame_time)
{
    std::lock_guard<ThreadMutex> guard(*this);
    bool taken = false;
    while (!queue.empty() && queue.front().time <= time)
    {
        rgba.swap(queue.front().rgba);
        if (frame_time) *frame_time = queue.front().time;
        spare.push_back(std::move(queue.front()));
        queue.pop_front();
        taken = true;
    }
    if (taken) room.Release(1);
    return taken;
}

bool MovieDecoder::IsOver()
{
    std::lock_guard<ThreadMutex> guard(*this);
    return ended && queue.empty();
}
} // namespace hgl
