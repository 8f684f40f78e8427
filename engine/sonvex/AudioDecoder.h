#pragma once
// One sound file decoded through the plug-in its extension names: ".ogg" by
// "Audio.VorbisOGG", ".wav" by "Audio.Wav". Output is 16-bit interleaved PCM.
#include "core/String.h"
#include "sonvex/AudioPlugInABI.h"
#include "sonvex/StreamIO.h"

namespace hgl
{
class HAC;

// The decoder table for a file name's extension; null (logged) when no plug-in
// serves it.
AudioPlugInInterface *GetAudioInterface(const String &filename);

class AudioDecoder
{
    PlugInDecoder<AudioPlugInInterface> plugin;
    int channels = 0;
    int rate = 0;
    double seconds = 0;

  public:
    AudioDecoder() = default;
    ~AudioDecoder() { Close(); }
    AudioDecoder(const AudioDecoder &) = delete;
    AudioDecoder &operator=(const AudioDecoder &) = delete;

    // Opens a file of the archive; failures are logged.
    bool Open(HAC *archive, const u16char *filename);
    // Opens a stream (taken, also on failure) named filename.
    bool Open(Stream *stream, const u16char *filename);
    void Close();

    bool IsOpen() const { return plugin.IsOpen(); }
    int GetChannels() const { return channels; }
    int GetRate() const { return rate; }
    double GetSeconds() const { return seconds; }
    int FrameBytes() const { return channels * 2; }

    // Bytes decoded into buffer (whole frames), 0 at the end, -1 on failure.
    int Read(void *buffer, int bytes);
    bool Restart();
    bool Seek(double at);
};
} // namespace hgl
