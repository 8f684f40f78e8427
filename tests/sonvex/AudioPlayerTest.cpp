// The streaming player heard through the wave backend.
#include "AudioTestKit.h"

#include "sonvex/AudioPlayer.h"

#include <algorithm>

using namespace audio_test;
using hgl::AudioPlayer;

namespace
{
constexpr double MaxWait = 5;

TEST(AudioPlayer, OneSecondToneIsOneSecondAtItsFrequencyAndPlayTimeFollowsTheClock)
{
    SoundFolder files;
    files.Add("tone.ogg", VorbisTone(440, 1.0));
    WaveCapture capture;

    AudioPlayer player(files.Archive(), u"tone.ogg");
    EXPECT_NEAR(player.GetTotalTime(), 1.0, 1e-3);
    ASSERT_TRUE(player.Play());
    const double start = Now();

    double worst = 0;
    for (double at : {0.2, 0.5, 0.8})
    {
        WaitUntil([&] { return Now() - start >= at; }, MaxWait);
        worst = std::max(worst, std::abs(player.GetPlayTime() - (Now() - start)));
    }
    EXPECT_LT(worst, 0.1);
    ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }, MaxWait));
    EXPECT_NEAR(player.GetPlayTime(), 1.0, 1e-3);

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_NEAR(r.Seconds(last - first), 1.0, 0.02);
    EXPECT_NEAR(r.Frequency(first, last), 440, 440 * 0.01);
}

TEST(AudioPlayer, LoopedShortSoundHasNoGap)
{
    SoundFolder files;
    // 49 whole periods in 0.1 s: looped, it is one unbroken sine.
    files.Add("blip.wav", mediawriter::WavFile(mediawriter::Tone(490, 0.1, 22050, 1, 0.5), 1, 22050));
    WaveCapture capture;

    AudioPlayer player(files.Archive(), u"blip.wav");
    ASSERT_TRUE(player.Play(true));
    const double start = Now();
    WaitUntil([&] { return Now() - start >= 0.6; }, MaxWait);
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_GT(r.Seconds(last - first), 0.5);
    // A sine near its zero crossing is quiet for a frame or two, a gap for far longer.
    EXPECT_LE(r.LongestQuiet(first, last, 64), 3u);
}

TEST(AudioPlayer, DoublingTheGainDoublesTheLoudness)
{
    SoundFolder files;
    files.Add("tone.wav", mediawriter::WavFile(mediawriter::Tone(300, 0.25, 22050, 1, 0.5), 1, 22050));
    WaveCapture capture;

    AudioPlayer loud(files.Archive(), u"tone.wav"), soft(files.Archive(), u"tone.wav");
    loud.SetGain(0.04f);
    soft.SetGain(0.02f);
    for (AudioPlayer *p : {&loud, &soft})
    {
        ASSERT_TRUE(p->Play());
        ASSERT_TRUE(WaitUntil([&] { return !p->IsPlaying(); }, MaxWait));
    }

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding(8);
    // Two sounding stretches, one after the other; compare their middles.
    const size_t quarter = size_t(0.25 * r.rate), margin = size_t(0.05 * r.rate);
    const double a = r.Rms(first + margin, first + quarter - margin);
    const double b = r.Rms(last - quarter + margin, last - margin);
    EXPECT_NEAR(a / b, 2.0, 0.05) << a << " " << b;
}

TEST(AudioPlayer, StopSilencesAtOnceAndEndsTheThread)
{
    SoundFolder files;
    files.Add("long.ogg", VorbisTone(440, 2.0));
    WaveCapture capture;

    AudioPlayer player(files.Archive(), u"long.ogg");
    ASSERT_TRUE(player.Play(true));
    const double start = Now();
    WaitUntil([&] { return Now() - start >= 0.3; }, MaxWait);
    player.Stop();
    const double played = Now() - start;
    EXPECT_FALSE(player.IsPlaying());
    EXPECT_FALSE(player.IsLive);

    WaitUntil([&] { return Now() - start >= played + 0.3; }, MaxWait); // let the silence be mixed
    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_LT(r.Seconds(last - first), played + 0.15);
}

TEST(AudioPlayer, FiftyStartStopCycles)
{
    SoundFolder files;
    files.Add("tone.ogg", VorbisTone(440, 0.5));
    WaveCapture capture;

    AudioPlayer player(files.Archive(), u"tone.ogg");
    for (int i = 0; i < 50; i++)
    {
        ASSERT_TRUE(player.Play(i % 2 == 0));
        EXPECT_TRUE(player.IsPlaying());
        player.Stop();
        EXPECT_FALSE(player.IsLive);
    }
}

TEST(AudioPlayer, RefusedFilesAreLoggedAndStartNoThread)
{
    SoundFolder files;
    files.Add("bad.ogg", mediawriter::Bytes(4000, 0x4F));
    files.Add("tone.mp3", VorbisTone(440, 0.2));
    WaveCapture capture;

    const struct
    {
        const char16_t *name;
        const char16_t *line;
    } cases[] = {
        {u"bad.ogg", u"解码声音文件<bad.ogg>失败"},
        {u"tone.mp3", u"不支持的声音文件格式<tone.mp3>"},
        {u"missing.ogg", u"打开声音文件<missing.ogg>失败"},
    };
    for (const auto &c : cases)
    {
        hgl::test::LogCapture log;
        AudioPlayer player(files.Archive(), c.name);
        EXPECT_FALSE(player.IsLoaded());
        EXPECT_TRUE(log.ContainsError(c.line)) << log.Dump();
        EXPECT_FALSE(player.Play());
        EXPECT_FALSE(player.IsLive);
        EXPECT_EQ(player.GetPlayTime(), 0);
    }
}

TEST(AudioPlayer, LoopedSoundReportsAPlayTimeWithinOneLength)
{
    SoundFolder files;
    files.Add("blip.wav", mediawriter::WavFile(mediawriter::Tone(490, 0.1, 22050, 1, 0.5), 1, 22050));
    WaveCapture capture;

    AudioPlayer player(files.Archive(), u"blip.wav");
    ASSERT_TRUE(player.Play(true));
    const double start = Now();
    std::vector<double> seen;
    for (double at : {0.25, 0.32, 0.39, 0.46}) // past the first pass
    {
        WaitUntil([&] { return Now() - start >= at; }, MaxWait);
        seen.push_back(player.GetPlayTime());
    }
    EXPECT_TRUE(player.IsPlaying());
    player.Stop();
    for (double t : seen)
    {
        EXPECT_GE(t, 0);
        EXPECT_LT(t, 0.1);
    }
    EXPECT_NE(*std::min_element(seen.begin(), seen.end()), *std::max_element(seen.begin(), seen.end()));
}
} // namespace
