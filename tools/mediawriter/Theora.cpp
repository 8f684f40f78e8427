#include "mediawriter/MediaWriter.h"

#include <theora/theoraenc.h>

#include <algorithm>
#include <cmath>

namespace mediawriter
{
namespace
{
constexpr int MacroBlock = 16;
constexpr int TheoraSerial = 0x7e0a;

void AppendPage(Bytes &out, const ogg_page &page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

uint8_t Clamp8(double v)
{
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}

// The three planes of one 4:2:0 frame in the encoder's padded frame size.
struct Planes
{
    int width, height;
    std::vector<uint8_t> y, cb, cr;

    Planes(int w, int h)
        : width(w), height(h), y(size_t(w) * h, 16), cb(size_t(w / 2) * (h / 2), 128),
          cr(size_t(w / 2) * (h / 2), 128)
    {
    }

    // BT.601 studio range; chroma is the average of each 2x2 block.
    void FromRGBA(const uint8_t *rgba, int pic_w, int pic_h)
    {
        for (int j = 0; j < pic_h; j++)
            for (int i = 0; i < pic_w; i++)
            {
                const uint8_t *p = rgba + (size_t(j) * pic_w + i) * 4;
                y[size_t(j) * width + i] =
                    Clamp8(16 + (65.481 * p[0] + 128.553 * p[1] + 24.966 * p[2]) / 255);
            }

        const int cw = width / 2;
        for (int j = 0; j < pic_h / 2 * 2; j += 2)
            for (int i = 0; i < pic_w / 2 * 2; i += 2)
            {
                double r = 0, g = 0, b = 0;
                for (int k = 0; k < 4; k++)
                {
                    const uint8_t *p = rgba + (size_t(j + k / 2) * pic_w + i + k % 2) * 4;
                    r += p[0] / 1020.0;
                    g += p[1] / 1020.0;
                    b += p[2] / 1020.0;
                }
                cb[size_t(j / 2) * cw + i / 2] = Clamp8(128 - 37.797 * r - 74.203 * g + 112.0 * b);
                cr[size_t(j / 2) * cw + i / 2] = Clamp8(128 + 112.0 * r - 93.786 * g - 18.214 * b);
            }
    }

    void Describe(th_ycbcr_buffer buf)
    {
        uint8_t *data[3] = {y.data(), cb.data(), cr.data()};
        for (int p = 0; p < 3; p++)
        {
            buf[p].width = p ? width / 2 : width;
            buf[p].height = p ? height / 2 : height;
            buf[p].stride = buf[p].width;
            buf[p].data = data[p];
        }
    }
};

struct TheoraEncoder
{
    th_info info;
    th_comment comment;
    th_enc_ctx *ctx = nullptr;
    ogg_stream_state stream;

    TheoraEncoder(int width, int height, int fps, int quality)
    {
        th_info_init(&info);
        th_comment_init(&comment);
        info.frame_width = unsigned((width + MacroBlock - 1) / MacroBlock * MacroBlock);
        info.frame_height = unsigned((height + MacroBlock - 1) / MacroBlock * MacroBlock);
        info.pic_width = unsigned(width);
        info.pic_height = unsigned(height);
        info.fps_numerator = unsigned(fps);
        info.fps_denominator = 1;
        info.aspect_numerator = 1;
        info.aspect_denominator = 1;
        info.colorspace = TH_CS_UNSPECIFIED;
        info.pixel_fmt = TH_PF_420;
        info.quality = quality;
        ctx = th_encode_alloc(&info);
        ogg_stream_init(&stream, TheoraSerial);
    }

    ~TheoraEncoder()
    {
        ogg_stream_clear(&stream);
        if (ctx) th_encode_free(ctx);
        th_comment_clear(&comment);
        th_info_clear(&info);
    }

    void WriteHeaders(Bytes &out)
    {
        ogg_packet packet;
        ogg_page page;
        bool first = true;
        while (th_encode_flushheader(ctx, &comment, &packet) > 0)
        {
            ogg_stream_packetin(&stream, &packet);
            if (first) // the identification header has a page of its own
                while (ogg_stream_flush(&stream, &page))
                    AppendPage(out, page);
            first = false;
        }
        while (ogg_stream_flush(&stream, &page))
            AppendPage(out, page);
    }

    bool WriteFrame(Bytes &out, Planes &planes, bool last)
    {
        th_ycbcr_buffer buf;
        planes.Describe(buf);
        if (th_encode_ycbcr_in(ctx, buf) != 0) return false;

        ogg_packet packet;
        ogg_page page;
        while (th_encode_packetout(ctx, last ? 1 : 0, &packet) > 0)
        {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page))
                AppendPage(out, page);
        }
        return true;
    }
};
} // namespace

Bytes TheoraFile(int width, int height, int fps, int frame_count, const FrameSource &frames, int quality)
{
    Bytes out;
    if (width < 1 || height < 1 || fps < 1 || frame_count < 1) return out;

    TheoraEncoder enc(width, height, fps, quality);
    if (!enc.ctx) return out;

    enc.WriteHeaders(out);

    Planes planes(int(enc.info.frame_width), int(enc.info.frame_height));
    std::vector<uint8_t> rgba(size_t(width) * height * 4);

    for (int i = 0; i < frame_count; i++)
    {
        frames(i, rgba.data());
        planes.FromRGBA(rgba.data(), width, height);
        if (!enc.WriteFrame(out, planes, i + 1 == frame_count)) return {};
    }

    ogg_page page;
    while (ogg_stream_flush(&enc.stream, &page))
        AppendPage(out, page);

    return out;
}
} // namespace mediawriter
