// The game's sound services heard through OpenAL Soft's wave-file backend.
#include "AudioTestKit.h"

#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "io/Core.h"
#include "io/Time.h"
#include "support/TestClock.h"

#include <memory>

using namespace audio_test;

namespace
{
constexpr double kMaxWait = 5;
constexpr double kShortTrack = 0.3;
constexpr double kToneHz = 440, kFirstBeepHz = 200, kFifthBeepHz = 280, kLongVoiceHz = 370,
                 kShortVoiceHz = 330;

class GameAudioTest : public ::testing::Test
{
  protected:
    hgl::test::TempDir dir{"gaudio"};

    void SetUp() override
    {
        WaveFile(); // the backend and the plug-in folder
        dir.WriteFile("Data.hac/BGM/BGM01.ogg", VorbisTone(kToneHz, 1.0));
        dir.WriteFile("Data.hac/BGM/short.ogg", VorbisTone(kToneHz, kShortTrack));
        dir.WriteFile("Data.hac/se_system/sysse00.ogg", VorbisTone(kFirstBeepHz, 0.5));
        dir.WriteFile("Data.hac/se_system/sysse04.ogg", VorbisTone(kFifthBeepHz, 0.3));
        dir.WriteFile("Data.hac/Voice/long.ogg", VorbisTone(kLongVoiceHz, 1.5));
        dir.WriteFile("Data.hac/Voice/short.ogg", VorbisTone(kShortVoiceHz, 0.9));
        ASSERT_TRUE(dir.MakeDir("Local.hac"));
        hgl::SetInfoString(8, dir.Path16().c_str());
        ASSERT_TRUE(avg::OpenArchives());
        avg::config::ResetConfig();
        // Full volume, so that the recording is far above the silence threshold.
        avg::config::audio_config.BGM = avg::config::kMaxVolume;
        avg::config::audio_config.SE = avg::config::kMaxVolume;
        avg::GetGameRecord().Clear();
    }

    void TearDown() override
    {
        avg::FreeGameAudio();
        avg::CloseArchives();
        hgl::SetInfoString(8, nullptr);
    }

    static void WaitFor(double seconds)
    {
        const double start = Now();
        WaitUntil([&] { return Now() - start >= seconds; }, kMaxWait);
    }
};
} // namespace

TEST_F(GameAudioTest, RepeatedMusicIsOneContinuousTone)
{
    WaveCapture capture;
    EXPECT_EQ(avg::bgm::PlayBGM(u"BGM01", false), 1);
    WaitFor(0.3);
    EXPECT_EQ(avg::bgm::PlayBGM(u"bgm01", false), 0); // the same music goes on
    EXPECT_GT(avg::bgm::GetBGMPlayTime(), 0.2);
    EXPECT_TRUE(avg::IsBGMHeard(u"Bgm01"));
    ASSERT_TRUE(WaitUntil([] { return avg::bgm::GetBGMPlayTime() >= 0.999; }, kMaxWait));
    avg::bgm::StopBGM();
    EXPECT_EQ(avg::bgm::GetBGMPlayTime(), 0.0);
    avg::bgm::SetBGMVolume(500); // nothing plays: nothing happens
    hgl::test::LogCapture log;
    EXPECT_EQ(avg::bgm::PlayBGM(u"BGM99", true), -1);
    EXPECT_FALSE(avg::IsBGMHeard(u"BGM99"));

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_NEAR(r.Seconds(last - first), 1.0, 0.03); // played once, never restarted
    EXPECT_LE(r.LongestQuiet(first, last, 64), 3u);
    EXPECT_NEAR(r.Frequency(first, last), kToneHz, kToneHz * 0.01);
}

// Whoever waits for a declared length longer than the file must still get there.
TEST_F(GameAudioTest, EndedTrackGoesOnCountingOnTheEngineClock)
{
    WaveCapture capture;
    hgl::test::TestClock clock(5'000'000'000ull);
    const auto advance = [&clock](double seconds) { clock.Advance(seconds); };

    ASSERT_EQ(avg::bgm::PlayBGM(u"short", false), 1);
    WaitFor(kShortTrack + 0.5); // real time: the file has played out
    EXPECT_NEAR(avg::bgm::GetBGMPlayTime(), kShortTrack, 0.01);
    advance(2);
    EXPECT_NEAR(avg::bgm::GetBGMPlayTime(), kShortTrack + 2, 0.01);
    advance(0.5);
    EXPECT_NEAR(avg::bgm::GetBGMPlayTime(), kShortTrack + 2.5, 0.01);

    ASSERT_EQ(avg::bgm::PlayBGM(u"short", false), 1); // played again: counting starts over
    advance(3);
    EXPECT_LE(avg::bgm::GetBGMPlayTime(), kShortTrack + 0.001); // it plays: the file's own time
    avg::bgm::StopBGM();
    EXPECT_EQ(avg::bgm::GetBGMPlayTime(), 0.0);

    // Looped music never ends, so its time stays within the file.
    ASSERT_EQ(avg::bgm::PlayBGM(u"short", true), 1);
    WaitFor(kShortTrack + 0.5);
    advance(10);
    EXPECT_LT(avg::bgm::GetBGMPlayTime(), kShortTrack + 0.001);
    avg::bgm::StopBGM();
    capture.Finish();
}

TEST_F(GameAudioTest, ProtectedSystemSoundBlocksOthers)
{
    WaveCapture capture;
    const double start = Now();
    avg::PlaySystemSound(1, true);
    avg::PlaySystemSound(5, false); // ignored while the protected one plays
    WaitFor(0.7);
    avg::PlaySystemSound(5, false); // heard now
    WaitFor(0.5);
    hgl::test::LogCapture log;
    avg::PlaySystemSound(0, false);
    avg::PlaySystemSound(25, false);
    EXPECT_EQ(log.Errors().size(), 2u);
    const double took = Now() - start;

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    ASSERT_GT(last, first);
    const size_t beep = size_t(0.5 * r.rate);
    EXPECT_NEAR(r.Frequency(first, first + beep), kFirstBeepHz, kFirstBeepHz * 0.02);
    EXPECT_NEAR(r.Frequency(last - size_t(0.3 * r.rate), last), kFifthBeepHz, kFifthBeepHz * 0.02);
    // Two beeps in all: 0.5 s, a pause, 0.3 s.
    EXPECT_GT(r.LongestQuiet(first, last, 64), size_t(0.1 * r.rate));
    EXPECT_LT(r.Seconds(last - first), took);
}

TEST_F(GameAudioTest, NewVoiceStopsTheOld)
{
    WaveCapture capture;
    EXPECT_EQ(avg::PlayVoice(u"long"), 1); // 1.5 s: whole seconds
    WaitFor(0.4);
    EXPECT_EQ(avg::PlayVoice(u"short.ogg"), 0); // 0.9 s
    WaitFor(1.2);
    avg::config::audio_config.Voice = 0; // voice off: nothing plays
    EXPECT_EQ(avg::PlayVoice(u"long"), 0);
    WaitFor(0.3);

    const Recording r = capture.Finish();
    const auto [first, last] = r.Sounding();
    EXPECT_NEAR(r.Seconds(last - first), 0.4 + 0.9, 0.1);
    EXPECT_NEAR(r.Frequency(last - size_t(0.5 * r.rate), last), kShortVoiceHz, kShortVoiceHz * 0.02);
}

// The calls behind the script's BGM_PLAY, SE_PLAY, SE_STOP and BGM_STOP.
TEST_F(GameAudioTest, ScriptSoundCalls)
{
    WaveCapture capture;
    hgl::test::LogCapture log;
    EXPECT_EQ(avg::bgm::PlayBGM(u"BGM01", true), 1);
    EXPECT_FALSE(avg::PlayScriptSE(1, u"missing", false));
    EXPECT_FALSE(avg::PlayScriptSE(2, u"x", false));
    EXPECT_TRUE(avg::IsBGMHeard(u"BGM01"));
    EXPECT_GE(avg::bgm::GetBGMPlayTime(), 0.0);
    EXPECT_TRUE(log.ContainsError(u"播放声音<SE\\missing.ogg>失败!")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"音效通道<2>不存在!")) << log.Dump();
    avg::StopScriptSE(0);
    avg::StopScriptSE(1);
    avg::bgm::StopBGM();
    EXPECT_EQ(avg::bgm::GetBGMPlayTime(), 0.0);
}
