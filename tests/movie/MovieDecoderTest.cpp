// The Theora decoder frame by frame: colours, times and repeated frames.
#include "io/Core.h"
#include "io/MemStream.h"
#include "mediawriter/MediaWriter.h"
#include "movie/MovieDecoder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
constexpr int W = 20, H = 14, Fps = 5; // odd sizes: the picture is cut from padded frames

// Frame i: red, red, red (a repeat), blue, then a left/right split (black | white).
void Paint(int i, uint8_t *p)
{
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++, p += 4)
        {
            const bool split_white = i == 4 && x >= W / 2;
            p[0] = i < 3 ? 255 : split_white ? 255 : 0;
            p[1] = split_white ? 255 : 0;
            p[2] = i == 3 || split_white ? 255 : 0;
            p[3] = 255;
        }
}

TEST(MovieDecoder, FramesComeOutInOrderWithTheirTimes)
{
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    const mediawriter::Bytes clip = mediawriter::TheoraFile(W, H, Fps, 5, Paint);
    auto *stream = new hgl::MemStream(int64_t(clip.size()), true);
    std::memcpy(stream->GetData(), clip.data(), clip.size());

    hgl::MovieDecoder decoder;
    ASSERT_TRUE(decoder.Open(stream, u"clip.ogv"));
    EXPECT_EQ(decoder.GetWidth(), W);
    EXPECT_EQ(decoder.GetHeight(), H);
    EXPECT_DOUBLE_EQ(decoder.GetFps(), Fps);

    const struct
    {
        uint8_t left[3], right[3];
    } expect[] = {{{255, 0, 0}, {255, 0, 0}},
                  {{255, 0, 0}, {255, 0, 0}},
                  {{255, 0, 0}, {255, 0, 0}},
                  {{0, 0, 255}, {0, 0, 255}},
                  {{0, 0, 0}, {255, 255, 255}}};
    hgl::MovieDecoder::Frame frame;
    for (int i = 0; i < 5; i++)
    {
        ASSERT_EQ(decoder.DecodeFrame(frame), 1) << i;
        EXPECT_DOUBLE_EQ(frame.time, double(i) / Fps);
        const uint8_t *mid_row = frame.rgba.data() + size_t(H / 2) * W * 4;
        for (int c = 0; c < 3; c++)
        {
            EXPECT_NEAR(mid_row[4 * 2 + c], expect[i].left[c], 12) << "frame " << i << " channel " << c;
            EXPECT_NEAR(mid_row[4 * (W - 3) + c], expect[i].right[c], 12)
                << "frame " << i << " channel " << c;
        }
        EXPECT_EQ(mid_row[3], 255);
    }
    EXPECT_EQ(decoder.DecodeFrame(frame), 0);
}
} // namespace
