// "Audio.Wav": RIFF WAVE files holding PCM samples of 8 or 16 bits, mono or stereo.
// Every other format is refused. Output is always 16-bit.
#include "DecoderPlugIn.h"

#include <algorithm>
#include <cstring>
#include <new>

using hgl::AudioIO;
using hgl::int64;
using hgl::uint8;

namespace
{
constexpr int WaveFormatPCM = 1;
constexpr int MinRate = 1000;
constexpr int MaxRate = 384000;

uint32_t Get32(const uint8 *p)
{
    return uint32_t(p[0]) | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
int Get16(const uint8 *p)
{
    return p[0] | p[1] << 8;
}

struct WavFile
{
    const AudioIO *io;
    int channels = 0, rate = 0, bits = 0;
    int64 data_start = 0, data_size = 0; // whole sample frames only
    int64 pos = 0;                       // bytes of the data read so far

    int FrameBytes() const { return channels * bits / 8; }
};

struct ChunkHeader
{
    char id[4];
    int64 size;
};

bool NextChunk(const AudioIO *io, ChunkHeader &chunk)
{
    uint8 h[8];
    if (!hgl_decoder::ReadExact(io, h, 8)) return false;
    std::memcpy(chunk.id, h, 4);
    chunk.size = Get32(h + 4);
    return true;
}

bool ReadFormat(WavFile &w, int64 size)
{
    uint8 fmt[16];
    if (size < 16 || !hgl_decoder::ReadExact(w.io, fmt, 16)) return false;

    const int tag = Get16(fmt);
    w.channels = Get16(fmt + 2);
    w.rate = int(std::min<uint32_t>(Get32(fmt + 4), uint32_t(MaxRate) + 1));
    w.bits = Get16(fmt + 14);

    return tag == WaveFormatPCM && (w.channels == 1 || w.channels == 2) && (w.bits == 8 || w.bits == 16) &&
           w.rate >= MinRate && w.rate <= MaxRate;
}

// Walks the chunks up to "data"; a data chunk longer than the file is cut to what is
// there (whole frames).
bool ParseHeader(WavFile &w)
{
    uint8 riff[12];
    if (!hgl_decoder::ReadExact(w.io, riff, 12) || std::memcmp(riff, "RIFF", 4) ||
        std::memcmp(riff + 8, "WAVE", 4))
        return false;

    const int64 file_size = w.io->size(w.io->ctx);
    bool have_format = false;
    ChunkHeader chunk;

    while (NextChunk(w.io, chunk))
    {
        const int64 start = w.io->tell(w.io->ctx);
        if (start < 0) return false;

        if (!std::memcmp(chunk.id, "fmt ", 4))
        {
            if (have_format || !ReadFormat(w, chunk.size)) return false;
            have_format = true;
        }
        else if (!std::memcmp(chunk.id, "data", 4))
        {
            if (!have_format) return false;
            const int64 present = std::min(chunk.size, file_size - start);
            w.data_start = start;
            w.data_size = present / w.FrameBytes() * w.FrameBytes();
            return w.data_size > 0;
        }

        const int64 next = start + chunk.size + (chunk.size & 1);
        if (next > file_size || w.io->seek(w.io->ctx, next, 0) != next) return false;
    }
    return false;
}

hgl::AudioHandle WavOpen(const AudioIO *io)
{
    if (!hgl_decoder::ValidIO(io)) return nullptr;

    WavFile *w = new (std::nothrow) WavFile{io};
    if (!w) return nullptr;
    if (!ParseHeader(*w) || io->seek(io->ctx, w->data_start, 0) != w->data_start)
    {
        delete w;
        return nullptr;
    }
    return w;
}

void WavClose(hgl::AudioHandle h)
{
    delete static_cast<WavFile *>(h);
}

bool WavGetInfo(hgl::AudioHandle h, int *channels, int *rate, int *bits, double *seconds)
{
    const WavFile *w = static_cast<const WavFile *>(h);
    if (!w) return false;
    if (channels) *channels = w->channels;
    if (rate) *rate = w->rate;
    if (bits) *bits = 16;
    if (seconds) *seconds = double(w->data_size / w->FrameBytes()) / w->rate;
    return true;
}

// Reads up to bytes of the data chunk as they are stored.
int ReadRaw(WavFile *w, void *buffer, int bytes)
{
    const int64 left = w->data_size - w->pos;
    const int want = int(std::min<int64>(bytes, left));
    if (want <= 0) return 0;
    if (!hgl_decoder::ReadExact(w->io, buffer, want)) return -1;
    w->pos += want;
    return want;
}

int WavRead(hgl::AudioHandle h, void *buffer, int bytes)
{
    WavFile *w = static_cast<WavFile *>(h);
    if (!w || !buffer || bytes < 0) return -1;

    const int out_frame = w->channels * 2;
    bytes = bytes / out_frame * out_frame;

    if (w->bits == 16) return ReadRaw(w, buffer, bytes);

    // 8-bit samples are unsigned around 128: widen them in place from the back.
    const int got = ReadRaw(w, buffer, bytes / 2);
    if (got <= 0) return got;
    uint8 *in = static_cast<uint8 *>(buffer);
    int16_t *out = static_cast<int16_t *>(buffer);
    for (int i = got - 1; i >= 0; i--)
        out[i] = int16_t((in[i] - 128) << 8);
    return got * 2;
}

bool WavSeekFrame(WavFile *w, int64 frame)
{
    const int64 offset = std::clamp<int64>(frame * w->FrameBytes(), 0, w->data_size);
    if (w->io->seek(w->io->ctx, w->data_start + offset, 0) != w->data_start + offset) return false;
    w->pos = offset;
    return true;
}

bool WavRestart(hgl::AudioHandle h)
{
    return h && WavSeekFrame(static_cast<WavFile *>(h), 0);
}

bool WavSeek(hgl::AudioHandle h, double seconds)
{
    WavFile *w = static_cast<WavFile *>(h);
    return w && seconds >= 0 && WavSeekFrame(w, int64(seconds * w->rate));
}
} // namespace

HGL_DECODER_PLUGIN(u"WAV 音频解码", hgl::AudioInterfaceVersion, hgl::AudioPlugInInterface, WavOpen, WavClose,
                   WavGetInfo, WavRead, WavRestart, WavSeek)
