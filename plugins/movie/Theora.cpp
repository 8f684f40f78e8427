// "Movie.Theora": the first Theora stream of an Ogg file, decoded frame by frame into
// RGBA (BT.601 studio range). Other streams in the file (sound) are skipped.
#include "DecoderPlugIn.h"
#include "movie/MoviePlugInABI.h"

#include <theora/theoradec.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

using hgl::AudioIO;
using hgl::uint8;

namespace
{
constexpr int ReadChunk = 8192;
// Bytes read while looking for the headers, after which the file is refused.
constexpr long HeaderSearchLimit = 4 << 20;

class TheoraFile
{
    const AudioIO *io;
    ogg_sync_state sync;
    ogg_stream_state stream;
    bool have_stream = false;
    th_info info;
    th_comment comment;
    th_setup_info *setup = nullptr;
    th_dec_ctx *ctx = nullptr;
    ogg_packet pending; // the first frame packet, met while reading headers
    bool have_pending = false;
    bool input_ended = false;
    long bytes_read = 0;
    ogg_int64_t frame_count = 0; // frames handed out, for packets without a position
    bool have_picture = false;   // a frame was decoded (a repeated frame shows it again)
    std::vector<uint8> cb_row, cr_row;

    bool ReadMore();
    bool NextPage(ogg_page &page);
    bool NextPacket(ogg_packet &packet);
    bool TakeStream(ogg_page &page);
    bool ReadHeaders();
    void Convert(const th_ycbcr_buffer ycbcr, uint8 *rgba);

  public:
    explicit TheoraFile(const AudioIO *source);
    ~TheoraFile();

    bool Open();
    int Width() const { return int(info.pic_width); }
    int Height() const { return int(info.pic_height); }
    double Fps() const { return double(info.fps_numerator) / info.fps_denominator; }
    int NextFrame(uint8 *rgba, double *time);
};

TheoraFile::TheoraFile(const AudioIO *source) : io(source)
{
    ogg_sync_init(&sync);
    th_info_init(&info);
    th_comment_init(&comment);
}

TheoraFile::~TheoraFile()
{
    if (ctx) th_decode_free(ctx);
    th_setup_free(setup);
    th_comment_clear(&comment);
    th_info_clear(&info);
    if (have_stream) ogg_stream_clear(&stream);
    ogg_sync_clear(&sync);
}

bool TheoraFile::ReadMore()
{
    if (input_ended) return false;
    char *buffer = ogg_sync_buffer(&sync, ReadChunk);
    const int got = buffer ? io->read(io->ctx, buffer, ReadChunk) : -1;
    if (got <= 0)
    {
        input_ended = true;
        return false;
    }
    ogg_sync_wrote(&sync, got);
    bytes_read += got;
    return true;
}

bool TheoraFile::NextPage(ogg_page &page)
{
    for (;;)
    {
        const int r = ogg_sync_pageout(&sync, &page);
        if (r == 1) return true;
        if (r == 0 && !ReadMore()) return false;
        // r < 0: bytes skipped while resynchronising; look again
    }
}

// The next packet of the Theora stream; pages of other streams are passed over.
bool TheoraFile::NextPacket(ogg_packet &packet)
{
    for (;;)
    {
        const int r = ogg_stream_packetout(&stream, &packet);
        if (r == 1) return true;
        if (r < 0) continue; // a gap: the packets after it are still good
        ogg_page page;
        if (!NextPage(page)) return false;
        if (ogg_page_serialno(&page) == stream.serialno) ogg_stream_pagein(&stream, &page);
    }
}

// Tries a beginning-of-stream page as the Theora stream: true when its first packet
// is a Theora identification header.
bool TheoraFile::TakeStream(ogg_page &page)
{
    if (ogg_stream_init(&stream, ogg_page_serialno(&page)) != 0) return false;
    ogg_stream_pagein(&stream, &page);
    ogg_packet packet;
    if (ogg_stream_packetout(&stream, &packet) == 1 &&
        th_decode_headerin(&info, &comment, &setup, &packet) > 0)
    {
        have_stream = true;
        return true;
    }
    ogg_stream_clear(&stream);
    return false;
}

bool TheoraFile::ReadHeaders()
{
    ogg_page page;
    while (!have_stream)
    {
        if (!NextPage(page) || !ogg_page_bos(&page) || bytes_read > HeaderSearchLimit) return false;
        TakeStream(page);
    }

    for (;;)
    {
        if (bytes_read > HeaderSearchLimit || !NextPacket(pending)) return false;
        const int r = th_decode_headerin(&info, &comment, &setup, &pending);
        if (r == 0)
        {
            have_pending = true; // the first frame
            return true;
        }
        if (r < 0) return false;
    }
}

bool TheoraFile::Open()
{
    if (!ReadHeaders()) return false;

    const bool sane = info.pic_width > 0 && info.pic_height > 0 && info.pic_width <= hgl::MovieMaxSide &&
                      info.pic_height <= hgl::MovieMaxSide && info.frame_width <= hgl::MovieMaxSide + 16 &&
                      info.frame_height <= hgl::MovieMaxSide + 16 && info.fps_numerator > 0 &&
                      info.fps_denominator > 0 && info.pixel_fmt != TH_PF_RSVD;
    if (!sane) return false;

    ctx = th_decode_alloc(&info, setup);
    if (!ctx) return false;
    return true;
}

// Fixed-point BT.601: R = 1.164(Y-16) + 1.596(Cr-128), G = 1.164(Y-16) - 0.391(Cb-128)
// - 0.813(Cr-128), B = 1.164(Y-16) + 2.018(Cb-128), in units of 1/1024.
constexpr int FixY = 1192, FixRV = 1634, FixGU = 401, FixGV = 833, FixBU = 2066;
constexpr int FixShift = 10;
constexpr uint32_t OpaqueAlpha = 0xFF000000u;

inline uint32_t Clamp(int v)
{
    return uint32_t(std::min(std::max(v, 0), 255));
}

// One row: plain loops over whole rows (chroma first spread to one sample per
// pixel), so that the compiler can vectorise them.
void ConvertRow(const uint8 *y, const uint8 *cb, const uint8 *cr, int width, uint32_t *out)
{
    for (int i = 0; i < width; i++)
    {
        const int l = (y[i] - 16) * FixY, u = cb[i] - 128, v = cr[i] - 128;
        out[i] = Clamp((l + FixRV * v) >> FixShift) | Clamp((l - FixGU * u - FixGV * v) >> FixShift) << 8 |
                 Clamp((l + FixBU * u) >> FixShift) << 16 | OpaqueAlpha;
    }
}

void SpreadChroma(const uint8 *row, int first, int xdec, int width, uint8 *out)
{
    if (xdec && !(first & 1))
    {
        // Each sample twice: one 16-bit store per pair, which the compiler vectorises.
        row += first >> 1;
        const int pairs = width >> 1;
        for (int k = 0; k < pairs; k++)
        {
            const uint16_t twice = uint16_t(row[k] * 0x0101);
            std::memcpy(out + 2 * k, &twice, 2);
        }
        if (width & 1) out[width - 1] = row[pairs];
        return;
    }
    for (int i = 0; i < width; i++)
        out[i] = row[(i + first) >> xdec];
}

void TheoraFile::Convert(const th_ycbcr_buffer ycbcr, uint8 *rgba)
{
    const int xdec = !(info.pixel_fmt & 1);
    const int ydec = !(info.pixel_fmt & 2);
    const int px = int(info.pic_x), py = int(info.pic_y);
    const int w = Width();
    cb_row.resize(size_t(w));
    cr_row.resize(size_t(w));

    for (int j = 0; j < Height(); j++)
    {
        const int cy = (j + py) >> ydec;
        if (j == 0 || cy != ((j - 1 + py) >> ydec))
        {
            SpreadChroma(ycbcr[1].data + cy * ycbcr[1].stride, px, xdec, w, cb_row.data());
            SpreadChroma(ycbcr[2].data + cy * ycbcr[2].stride, px, xdec, w, cr_row.data());
        }
        ConvertRow(ycbcr[0].data + (j + py) * ycbcr[0].stride + px, cb_row.data(), cr_row.data(), w,
                   reinterpret_cast<uint32_t *>(rgba) + size_t(j) * w);
    }
}

int TheoraFile::NextFrame(uint8 *rgba, double *time)
{
    ogg_packet packet;
    if (have_pending)
    {
        packet = pending;
        have_pending = false;
    }
    else if (!NextPacket(packet))
        return 0;

    ogg_int64_t granule = -1;
    const int r = th_decode_packetin(ctx, &packet, &granule);
    if (r != 0 && r != TH_DUPFRAME) return -1;
    have_picture = have_picture || r == 0;

    // A repeated frame leaves the decoder's picture as it was: it is converted again.
    th_ycbcr_buffer ycbcr;
    if (!have_picture)
        std::fill_n(reinterpret_cast<uint32_t *>(rgba), size_t(Width()) * Height(), OpaqueAlpha); // black
    else if (th_decode_ycbcr_out(ctx, ycbcr) == 0)
        Convert(ycbcr, rgba);
    else
        return -1;

    const ogg_int64_t frame = granule >= 0 ? th_granule_frame(ctx, granule) : frame_count;
    frame_count = frame + 1;
    if (time) *time = double(frame) / Fps();
    return 1;
}

hgl::MovieHandle TheoraOpen(const AudioIO *io)
{
    if (!hgl_decoder::ValidIO(io)) return nullptr;
    TheoraFile *f = new (std::nothrow) TheoraFile(io);
    if (f && !f->Open())
    {
        delete f;
        return nullptr;
    }
    return f;
}

void TheoraClose(hgl::MovieHandle h)
{
    delete static_cast<TheoraFile *>(h);
}

bool TheoraGetInfo(hgl::MovieHandle h, int *width, int *height, double *fps)
{
    const TheoraFile *f = static_cast<const TheoraFile *>(h);
    if (!f) return false;
    if (width) *width = f->Width();
    if (height) *height = f->Height();
    if (fps) *fps = f->Fps();
    return true;
}

int TheoraNextFrame(hgl::MovieHandle h, uint8 *rgba, double *time)
{
    TheoraFile *f = static_cast<TheoraFile *>(h);
    return f && rgba ? f->NextFrame(rgba, time) : -1;
}
} // namespace

HGL_DECODER_PLUGIN(u"Ogg Theora 影片解码", hgl::MovieInterfaceVersion, hgl::MoviePlugInInterface, TheoraOpen,
                   TheoraClose, TheoraGetInfo, TheoraNextFrame)
