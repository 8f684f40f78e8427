#include "mediawriter/MediaWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace mediawriter
{
namespace
{
constexpr int AnalysisChunkFrames = 1024;
constexpr int VorbisSerial = 0x5eed;

void AppendPage(Bytes &out, const ogg_page &page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Everything vorbisenc needs for one file, cleared in reverse order of set-up.
struct VorbisEncoder
{
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool ready = false;

    VorbisEncoder(int channels, int rate, float quality)
    {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
        if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) return;
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, VorbisSerial);
        ready = true;
    }

    ~VorbisEncoder()
    {
        if (ready)
        {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }

    void WriteHeaders(Bytes &out)
    {
        ogg_packet id, comm, code;
        vorbis_analysis_headerout(&dsp, &comment, &id, &comm, &code);
        ogg_stream_packetin(&stream, &id);
        ogg_stream_packetin(&stream, &comm);
        ogg_stream_packetin(&stream, &code);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page))
            AppendPage(out, page);
    }

    void Drain(Bytes &out)
    {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet))
            {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page))
                    AppendPage(out, page);
            }
        }
    }

    void Feed(const int16_t *samples, int frames, int channels)
    {
        float **buffer = vorbis_analysis_buffer(&dsp, frames);
        for (int i = 0; i < frames; i++)
            for (int c = 0; c < channels; c++)
                buffer[c][i] = samples[i * channels + c] / 32768.0f;
        vorbis_analysis_wrote(&dsp, frames);
    }
};
} // namespace

Bytes VorbisFile(const std::vector<int16_t> &samples, int channels, int rate, float quality)
{
    Bytes out;
    VorbisEncoder enc(channels, rate, quality);
    if (!enc.ready || channels < 1) return out;

    enc.WriteHeaders(out);

    const size_t total = samples.size() / size_t(channels);
    for (size_t done = 0; done < total;)
    {
        const int n = int(std::min<size_t>(AnalysisChunkFrames, total - done));
        enc.Feed(samples.data() + done * size_t(channels), n, channels);
        enc.Drain(out);
        done += size_t(n);
    }

    vorbis_analysis_wrote(&enc.dsp, 0); // end of stream
    enc.Drain(out);

    ogg_page page;
    while (ogg_stream_flush(&enc.stream, &page))
        AppendPage(out, page);

    return out;
}
} // namespace mediawriter
