// The audio set-up, and the silence that follows when it fails.
#include "AudioTestKit.h"

#include "sonvex/AudioBuffer.h"
#include "sonvex/AudioPlayer.h"
#include "sonvex/AudioSource.h"
#include "sonvex/OpenAL.h"

using namespace audio_test;

namespace
{
TEST(OpenAL, ListsTheDevicesAndOpensTheDefaultOne)
{
    WaveFile();
    hgl::test::LogCapture log;
    ASSERT_TRUE(hgl::InitOpenAL(nullptr, nullptr, true));
    EXPECT_TRUE(hgl::IsOpenALReady());
    EXPECT_TRUE(log.ContainsInfo(u"\tWave File Writer")) << log.Dump();
    hgl::CloseOpenAL();
    EXPECT_FALSE(hgl::IsOpenALReady());
}

TEST(OpenAL, FailuresLeaveEveryAudioCallHarmless)
{
    SoundFolder files;
    files.Add("tone.ogg", VorbisTone(440, 0.3));
    const struct
    {
        const char16_t *library, *device, *line;
    } cases[] = {
        {u"libno-such-openal.so.1", nullptr, u"加载OpenAL库<libno-such-openal.so.1>失败"},
        {u"libm.so.6", nullptr, u"OpenAL库中没有找到函数<alDopplerFactor>"},
        {nullptr, u"没有这个设备", u"打开音频设备<没有这个设备>失败"},
    };
    for (const auto &c : cases)
    {
        hgl::test::LogCapture log;
        EXPECT_FALSE(hgl::InitOpenAL(c.library, c.device, false));
        EXPECT_TRUE(log.ContainsPart(c.line)) << log.Dump();
        EXPECT_FALSE(hgl::IsOpenALReady());

        hgl::AudioBuffer buffer(files.Archive(), u"tone.ogg");
        EXPECT_EQ(buffer.GetIndex(), 0u);
        hgl::AudioSource source;
        EXPECT_FALSE(source.Link(&buffer));
        EXPECT_FALSE(source.Play(true));
        source.Gain = 0.5f;
        source.Stop();
        EXPECT_EQ(source.State, hgl::assNone);

        hgl::AudioPlayer player(files.Archive(), u"tone.ogg");
        EXPECT_NEAR(player.GetTotalTime(), 0.3, 1e-3); // the file is still read
        EXPECT_FALSE(player.Play());
        EXPECT_FALSE(player.IsLive);
    }
}

TEST(AudioSource, PlaysAWholeBufferWithGainAndLoop)
{
    SoundFolder files;
    files.Add("tone.ogg", VorbisTone(330, 0.2));
    WaveCapture capture;

    hgl::AudioBuffer buffer(files.Archive(), u"tone.ogg");
    EXPECT_NEAR(buffer.GetTime(), 0.2, 1e-3);
    hgl::AudioSource source;
    ASSERT_TRUE(source.Link(&buffer));
    source.Gain = 0.25f;
    EXPECT_FLOAT_EQ(source.Gain, 0.25f);
    ASSERT_TRUE(source.Play(true));
    EXPECT_EQ(source.State, hgl::assPlaying);
    const double start = Now();
    WaitUntil([&] { return Now() - start >= 0.35; }, 5);
    source.Pause();
    EXPECT_EQ(source.State, hgl::assPaused);
    source.Stop();
    EXPECT_EQ(source.State, hgl::assStopped);

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_GT(r.Seconds(last - first), 0.3); // looped past its own length
    EXPECT_NEAR(r.Frequency(first, last), 330, 330 * 0.02);
}
} // namespace
