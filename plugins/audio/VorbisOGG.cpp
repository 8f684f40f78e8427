// "Audio.VorbisOGG": Ogg Vorbis through libvorbisfile, reading through the engine's
// callbacks. Mono and stereo only; a chained file whose later links change the
// channel count or rate ends where the change begins.
#include "DecoderPlugIn.h"

#include <vorbis/vorbisfile.h>

#include <new>

using hgl::AudioIO;

namespace
{
constexpr int LittleEndian = 0;
constexpr int SixteenBit = 2;
constexpr int Signed = 1;
constexpr int MaxChannels = 2;

size_t IORead(void *ptr, size_t size, size_t nmemb, void *source)
{
    const AudioIO *io = static_cast<const AudioIO *>(source);
    const size_t total = size * nmemb;
    const int want = total > size_t(1 << 30) ? 1 << 30 : int(total);
    const int got = io->read(io->ctx, ptr, want);
    return got > 0 && size ? size_t(got) / size : 0;
}

int IOSeek(void *source, ogg_int64_t offset, int whence)
{
    const AudioIO *io = static_cast<const AudioIO *>(source);
    const int origin = whence == SEEK_SET ? 0 : whence == SEEK_END ? 2 : 1;
    return io->seek(io->ctx, offset, origin) < 0 ? -1 : 0;
}

long IOTell(void *source)
{
    const AudioIO *io = static_cast<const AudioIO *>(source);
    return long(io->tell(io->ctx));
}

const ov_callbacks Callbacks = {IORead, IOSeek, nullptr, IOTell};

struct VorbisFile
{
    OggVorbis_File vf;
    int channels = 0;
    long rate = 0;
    bool ended = false; // a later link changed the format
};

// Holes in a row after which the data is taken as broken.
constexpr int MaxHoles = 64;

hgl::AudioHandle VorbisOpen(const AudioIO *io)
{
    if (!hgl_decoder::ValidIO(io)) return nullptr;

    VorbisFile *f = new (std::nothrow) VorbisFile;
    if (!f) return nullptr;

    // The callbacks take the AudioIO itself as their data source.
    if (ov_open_callbacks(const_cast<AudioIO *>(io), &f->vf, nullptr, 0, Callbacks) != 0)
    {
        delete f;
        return nullptr;
    }

    const vorbis_info *vi = ov_info(&f->vf, -1);
    if (!vi || vi->channels < 1 || vi->channels > MaxChannels || vi->rate < 1)
    {
        ov_clear(&f->vf);
        delete f;
        return nullptr;
    }
    f->channels = vi->channels;
    f->rate = vi->rate;
    return f;
}

void VorbisClose(hgl::AudioHandle h)
{
    VorbisFile *f = static_cast<VorbisFile *>(h);
    if (!f) return;
    ov_clear(&f->vf);
    delete f;
}

bool VorbisGetInfo(hgl::AudioHandle h, int *channels, int *rate, int *bits, double *seconds)
{
    VorbisFile *f = static_cast<VorbisFile *>(h);
    if (!f) return false;
    if (channels) *channels = f->channels;
    if (rate) *rate = int(f->rate);
    if (bits) *bits = 16;
    if (seconds)
    {
        const double total = ov_time_total(&f->vf, -1);
        *seconds = total > 0 ? total : 0;
    }
    return true;
}

int VorbisRead(hgl::AudioHandle h, void *buffer, int bytes)
{
    VorbisFile *f = static_cast<VorbisFile *>(h);
    if (!f || !buffer || bytes < 0) return -1;

    char *out = static_cast<char *>(buffer);
    int done = 0;
    int holes = 0;
    while (done < bytes && !f->ended)
    {
        int link = 0;
        const long got = ov_read(&f->vf, out + done, bytes - done, LittleEndian, SixteenBit, Signed, &link);
        if (got == OV_HOLE && ++holes < MaxHoles) continue; // a gap in the data: carry on after it
        if (got < 0) return done > 0 ? done : -1;
        if (got == 0) break;
        const vorbis_info *vi = ov_info(&f->vf, link);
        if (!vi || vi->channels != f->channels || vi->rate != f->rate)
            f->ended = true;
        else
            done += int(got);
        holes = 0;
    }
    return done;
}

bool VorbisRestart(hgl::AudioHandle h)
{
    VorbisFile *f = static_cast<VorbisFile *>(h);
    if (!f || ov_pcm_seek(&f->vf, 0) != 0) return false;
    f->ended = false;
    return true;
}

bool VorbisSeek(hgl::AudioHandle h, double seconds)
{
    VorbisFile *f = static_cast<VorbisFile *>(h);
    return f && seconds >= 0 && ov_time_seek(&f->vf, seconds) == 0;
}
} // namespace

HGL_DECODER_PLUGIN(u"Ogg Vorbis 音频解码", hgl::AudioInterfaceVersion, hgl::AudioPlugInInterface, VorbisOpen,
                   VorbisClose, VorbisGetInfo, VorbisRead, VorbisRestart, VorbisSeek)
