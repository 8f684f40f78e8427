#include "sonvex/AudioDecoder.h"

#include "core/Log.h"
#include "io/PlugIn.h"

#include <string_view>

namespace hgl
{
namespace
{
constexpr int MaxChannels = 2;

PlugInInterfaceCache<AudioPlugInInterface> &Registry()
{
    static PlugInInterfaceCache<AudioPlugInInterface> registry;
    return registry;
}

bool EndsWithNoCase(const String &name, std::u16string_view ext)
{
    const int n = name.GetLength(), m = int(ext.size());
    if (n < m) return false;
    for (int i = 0; i < m; i++)
    {
        u16char c = name.c_str()[n - m + i];
        if (c >= u'A' && c <= u'Z') c = u16char(c - u'A' + u'a');
        if (c != ext[size_t(i)]) return false;
    }
    return true;
}

// Extension -> decoder plug-in name.
const struct
{
    std::u16string_view ext;
    const u16char *decoder;
} Decoders[] = {{u".ogg", u"VorbisOGG"}, {u".wav", u"Wav"}};
} // namespace

AudioPlugInInterface *GetAudioInterface(const String &filename)
{
    for (const auto &d : Decoders)
        if (EndsWithNoCase(filename, d.ext))
            return GetPlugInInterfaceByName(Registry(), String(u"Audio"), AudioInterfaceVersion,
                                            String(d.decoder));

    PutError(u"不支持的声音文件格式<%s>", filename.c_str() ? filename.c_str() : u"");
    return nullptr;
}

bool AudioDecoder::Open(HAC *archive, const u16char *filename)
{
    Close();
    Stream *stream = OpenArchiveStream(archive, filename, u"打开声音文件<%s>失败");
    return stream && Open(stream, filename);
}

bool AudioDecoder::Open(Stream *stream, const u16char *filename)
{
    Close();
    int bits = 0;
    if (!plugin.Open(stream, GetAudioInterface(String(filename))) ||
        !plugin->GetInfo(plugin.Handle(), &channels, &rate, &bits, &seconds) || channels < 1 ||
        channels > MaxChannels || rate < 1 || bits != 16)
    {
        PutError(u"解码声音文件<%s>失败", filename ? filename : u"");
        Close();
        return false;
    }
    return true;
}

void AudioDecoder::Close()
{
    plugin.Close();
    channels = rate = 0;
    seconds = 0;
}

int AudioDecoder::Read(void *buffer, int bytes)
{
    if (!plugin.IsOpen()) return -1;
    const int got = plugin->Read(plugin.Handle(), buffer, bytes / FrameBytes() * FrameBytes());
    return got > bytes ? -1 : got;
}

bool AudioDecoder::Restart()
{
    return plugin.IsOpen() && plugin->Restart(plugin.Handle());
}

bool AudioDecoder::Seek(double at)
{
    return plugin.IsOpen() && plugin->Seek(plugin.Handle(), at);
}
} // namespace hgl
