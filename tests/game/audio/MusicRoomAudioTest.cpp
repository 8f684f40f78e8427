// The music room with real sound: a track whose file is shorter than its
// declared length and one whose file is longer both hand over to the next track
// ten frames after the declared length. The files play in real time; the frames
// run on a test clock, which the music's time goes on from once a file is over.
#include "AudioTestKit.h"

#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/widgets/MusicButton.h"
#include "io/Core.h"
#include "io/Time.h"
#include "support/GLTestContext.h"
#include "support/TestClock.h"

#include <memory>
#include <optional>
#include <thread>

using namespace audio_test;

namespace
{
constexpr double kShortFile = 0.3, kLongFile = 1.6; // both declared 0:01

class MusicRoomAudioTest : public ::testing::Test
{
  protected:
    std::optional<hgl::test::TestClock> clock;
    hgl::test::TempDir dir{"roomaudio"};
    std::unique_ptr<hgl::test::GLTestContext> gl;

    void SetUp() override
    {
        WaveFile(); // the backend and the plug-in folder
        dir.WriteFile("Data.hac/BGM/short.ogg", VorbisTone(440, kShortFile));
        dir.WriteFile("Data.hac/BGM/long.ogg", VorbisTone(660, kLongFile));
        const std::u16string script = u"\xFEFF"
                                      u"func main()\n{\n"
                                      u"    SetMusic(\"short\", 0, 1, \"short\", \"s.HGP\");\n"
                                      u"    SetMusic(\"long\", 0, 1, \"long\", \"l.HGP\");\n"
                                      u"}\n";
        dir.WriteFile("Local.hac/Script/Music.CPP",
                      std::string(reinterpret_cast<const char *>(script.data()), script.size() * 2));
        hgl::SetInfoString(8, dir.Path16().c_str());
        ASSERT_TRUE(avg::OpenArchives());
        avg::config::ResetConfig();
        avg::GetGameRecord().Clear();
        avg::MarkBGMHeard(u"short");
        avg::MarkBGMHeard(u"long");
        gl = std::make_unique<hgl::test::GLTestContext>(320, 240);
        ASSERT_TRUE(gl->Ok()) << gl->Error();
        clock.emplace(10'000'000'000ull);
    }

    void TearDown() override
    {
        clock.reset();
        avg::FreeGameAudio();
        avg::CloseArchives();
        hgl::SetInfoString(8, nullptr);
    }

    // Frames until the room plays another track, the clock moving ms a frame
    // (0: only real time passes, for the file's own clock); their count, or -1.
    int FramesUntilNext(NewMusicUnit &room, int ms)
    {
        const int playing = room.GetPlayingIndex();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (int frames = 1; std::chrono::steady_clock::now() < end; ++frames)
        {
            clock->AdvanceMs(hgl::uint64(ms));
            room.Draw();
            if (room.GetPlayingIndex() != playing) return frames;
            if (ms == 0) std::this_thread::sleep_for(std::chrono::milliseconds(4));
        }
        return -1;
    }
};
} // namespace

TEST_F(MusicRoomAudioTest, ShorterAndLongerFilesHandOverAtTheDeclaredLength)
{
    WaveCapture capture;
    {
        NewMusicUnit room;
        ASSERT_EQ(room.GetCount(), 2);
        for (int i = 0; i < 60; ++i)
            room.DrawObject();
        hgl::gui::MusicButton *shorter = room.GetTrack(0);
        ASSERT_TRUE(shorter->OnClick.IsBound());
        shorter->OnClick(shorter);
        ASSERT_TRUE(room.IsPlaying());

        // The shorter file is over after 0.3 s of real time; then the music's time
        // goes on with the clock: 0.7 s more of 16-ms frames, then ten frames.
        std::this_thread::sleep_for(std::chrono::duration<double>(kShortFile + 0.4));
        room.Draw(); // the end is seen here
        const int frames = FramesUntilNext(room, 16);
        EXPECT_NEAR(frames, (1.0 - kShortFile) / 0.016 + NewMusicUnit::kNextDelay - 1, 3);
        ASSERT_EQ(room.GetPlayingIndex(), 1);

        // The longer file is cut at its declared second, while it still sounds.
        const double started = Now();
        EXPECT_GT(FramesUntilNext(room, 0), 0);
        const double took = Now() - started;
        EXPECT_GT(took, 0.9);
        EXPECT_LT(took, kLongFile - 0.1);
        EXPECT_EQ(room.GetPlayingIndex(), 0);
    }
    capture.Finish();
}
