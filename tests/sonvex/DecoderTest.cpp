// The decoder plug-ins read through the engine: what comes out of each kind of file,
// and which files are refused.
#include "AudioTestKit.h"

#include "io/MemStream.h"
#include "sonvex/AudioDecoder.h"

#include <cstring>

using namespace audio_test;
using hgl::AudioDecoder;

namespace
{
hgl::MemStream *StreamOf(const mediawriter::Bytes &bytes)
{
    auto *s = new hgl::MemStream(int64_t(bytes.size()), true);
    if (!bytes.empty()) std::memcpy(s->GetData(), bytes.data(), bytes.size());
    return s;
}

std::vector<int16_t> DecodeAll(AudioDecoder &d)
{
    std::vector<int16_t> out;
    int16_t chunk[1000];
    for (int got; (got = d.Read(chunk, sizeof(chunk))) > 0;)
        out.insert(out.end(), chunk, chunk + got / 2);
    return out;
}

TEST(AudioDecoder, WaveSamplesComeOutAsSixteenBit)
{
    WaveFile();
    const std::vector<int16_t> pcm16 = {0, 1000, -1000, 32767, -32768, 5, 6, 7};
    const std::vector<uint8_t> pcm8 = {128, 255, 0, 129, 127, 128};
    const struct
    {
        int channels, bits;
        const void *data;
        size_t bytes;
        std::vector<int16_t> expect;
    } cases[] = {
        {1, 16, pcm16.data(), pcm16.size() * 2, pcm16},
        {2, 16, pcm16.data(), pcm16.size() * 2, pcm16},
        {1, 8, pcm8.data(), pcm8.size(), {0, 127 << 8, -128 << 8, 1 << 8, -1 << 8, 0}},
        {2, 8, pcm8.data(), pcm8.size(), {0, 127 << 8, -128 << 8, 1 << 8, -1 << 8, 0}},
        // a data chunk that claims more than the file holds plays what is there
        {2, 16, pcm16.data(), 6 * 2, {0, 1000, -1000, 32767}},
    };
    for (const auto &c : cases)
    {
        mediawriter::Bytes file = mediawriter::WavFile(c.data, c.bytes, c.channels, 8000, c.bits);
        if (c.bytes == 12) file.resize(file.size() - 4); // cut inside the last frame
        AudioDecoder d;
        ASSERT_TRUE(d.Open(StreamOf(file), u"x.wav"));
        EXPECT_EQ(d.GetChannels(), c.channels);
        EXPECT_EQ(d.GetRate(), 8000);
        EXPECT_DOUBLE_EQ(d.GetSeconds(), double(c.expect.size() / size_t(c.channels)) / 8000);
        EXPECT_EQ(DecodeAll(d), c.expect);
        ASSERT_TRUE(d.Restart());
        EXPECT_EQ(DecodeAll(d), c.expect);
    }
}

TEST(AudioDecoder, VorbisToneDecodesToItsLengthAndSeeks)
{
    WaveFile();
    AudioDecoder d;
    ASSERT_TRUE(d.Open(StreamOf(VorbisTone(440, 1.25)), u"TONE.OGG"));
    EXPECT_EQ(d.GetChannels(), 1);
    EXPECT_EQ(d.GetRate(), 22050);
    EXPECT_NEAR(d.GetSeconds(), 1.25, 1e-3);
    EXPECT_EQ(DecodeAll(d).size(), mediawriter::Tone(440, 1.25, 22050, 1, 0.5).size());
    ASSERT_TRUE(d.Seek(1.0));
    EXPECT_NEAR(double(DecodeAll(d).size()), 0.25 * 22050, 2);
}

TEST(AudioDecoder, RefusedFormatsAreLogged)
{
    WaveFile();
    const std::vector<int16_t> pcm(64, 100);
    const std::vector<std::pair<mediawriter::Bytes, const char16_t *>> cases = {
        {mediawriter::WavFile(pcm.data(), 128, 1, 8000, 32, mediawriter::WaveFormatFloat), u"a.wav"},
        {mediawriter::WavFile(pcm.data(), 126, 1, 8000, 24), u"a.wav"},
        {mediawriter::WavFile(pcm.data(), 128, 3, 8000, 16), u"a.wav"},
        {mediawriter::WavFile(pcm.data(), 128, 1, 0, 16), u"a.wav"},
        {mediawriter::WavFile(pcm.data(), 0, 1, 8000, 16), u"a.wav"},
        {mediawriter::Bytes(40, 'R'), u"a.wav"},
        {mediawriter::VorbisFile(mediawriter::Tone(440, 0.1, 8000, 3, 0.5), 3, 8000), u"a.ogg"},
        {mediawriter::Bytes(), u"a.ogg"},
    };
    for (const auto &[bytes, name] : cases)
    {
        hgl::test::LogCapture log;
        AudioDecoder d;
        EXPECT_FALSE(d.Open(StreamOf(bytes), name));
        EXPECT_FALSE(d.IsOpen());
        EXPECT_EQ(d.Read(nullptr, 10), -1);
        EXPECT_TRUE(log.ContainsError(u"解码声音文件<" + std::u16string(name) + u">失败")) << log.Dump();
    }
}
} // namespace
