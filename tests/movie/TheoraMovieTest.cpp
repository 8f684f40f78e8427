// The movie screen on the headless GL canvas, with a clock the test moves.
#include "io/Core.h"
#include "io/HAC.h"
#include "mediawriter/MediaWriter.h"
#include "movie/TheoraMovie.h"
#include "sonvex/OpenAL.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/TestClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace
{
using hgl::FlowObject;
using hgl::test::RGBA;

constexpr int ClipW = 32, ClipH = 16, Fps = 10;
constexpr double MaxWait = 5;

// Red for the first half of the clip, green for the second.
mediawriter::Bytes RedToGreen(int frames)
{
    return mediawriter::TheoraFile(ClipW, ClipH, Fps, frames,
                                   [frames](int i, uint8_t *p)
                                   {
                                       const bool red = i < frames / 2;
                                       for (int k = 0; k < ClipW * ClipH; k++, p += 4)
                                       {
                                           p[0] = red ? 255 : 0;
                                           p[1] = red ? 0 : 255;
                                           p[2] = 0;
                                           p[3] = 255;
                                       }
                                   });
}

bool IsRed(RGBA p)
{
    return p.r > 200 && p.g < 60 && p.b < 60;
}
bool IsGreen(RGBA p)
{
    return p.g > 200 && p.r < 60 && p.b < 60;
}

class MovieTest : public ::testing::Test
{
  protected:
    hgl::test::TestClock clock; // the engine clock stands still unless a test moves it
    hgl::test::TempDir dir{"movie"};
    std::unique_ptr<hgl::HAC> archive;
    hgl::test::GLTestContext gl{64, 48};

    void SetUp() override
    {
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        dir.WriteFile("clip.ogv", RedToGreen(Fps));
        archive.reset(hgl::OpenHAC(dir.Path16().c_str()));
    }

    // Draws frames until the canvas centre passes the check (the decoder runs on
    // its own thread, so the frame due may take a moment to arrive).
    bool DrawUntil(FlowObject &movie, bool (*check)(RGBA))
    {
        return RunUntil(movie, [&] { return check(gl.ReadPixel(32, 24)); });
    }
    bool RunUntilOver(FlowObject &movie)
    {
        return RunUntil(movie, [&] { return movie.ObjectState == FlowObject::fosReturn; });
    }
    bool RunUntil(FlowObject &movie, const std::function<bool()> &done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(MaxWait);
        while (std::chrono::steady_clock::now() < end)
        {
            movie.UpdateObject();
            movie.DrawObject();
            if (done()) return true;
            // Frames come a little apart, as a game's do: on a busy machine a loop
            // spinning flat out on the sound's position starves the audio library's
            // mixer, whose sound then plays far slower than the wall clock, and a
            // movie led by it outlasts the wait.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
};

TEST_F(MovieTest, ShowsTheFrameDueAtItsClockThenReturns)
{
    hgl::TheoraMovie movie(archive.get(), u"clip", false, false);
    ASSERT_EQ(movie.ObjectState, FlowObject::fosOK);

    clock.SetSeconds(10.0); // the clock counts from the first drawn frame
    EXPECT_TRUE(DrawUntil(movie, IsRed)) << testing::PrintToString(gl.ReadPixel(32, 24));
    EXPECT_TRUE(IsRed(gl.ReadPixel(0, 0)) && IsRed(gl.ReadPixel(63, 47))); // scaled to the whole canvas
    clock.SetSeconds(10.2);
    movie.UpdateObject();
    EXPECT_EQ(movie.ObjectState, FlowObject::fosOK);

    clock.SetSeconds(10.95);
    EXPECT_TRUE(DrawUntil(movie, IsGreen)) << testing::PrintToString(gl.ReadPixel(32, 24));
    clock.SetSeconds(11.1); // the last frame has had its time
    EXPECT_TRUE(RunUntilOver(movie));
}

TEST_F(MovieTest, AMissingMovieLogsAndReturnsAtOnce)
{
    for (const char16_t *name : {u"nothing", u"clip.ogv"}) // base + ".ogv" must exist
    {
        hgl::test::LogCapture log;
        hgl::TheoraMovie movie(archive.get(), name, true, true);
        EXPECT_EQ(movie.ObjectState, FlowObject::fosReturn);
        EXPECT_TRUE(log.ContainsError(u"打开影片失败")) << log.Dump();
    }
    dir.WriteFile("broken.ogv", mediawriter::Bytes(5000, 'O'));
    hgl::test::LogCapture log;
    hgl::TheoraMovie broken(archive.get(), u"broken.ogv", nullptr, true, true);
    EXPECT_EQ(broken.ObjectState, FlowObject::fosReturn);
    EXPECT_TRUE(log.ContainsError(u"打开影片失败")) << log.Dump();
}

TEST_F(MovieTest, InputEndsItOnlyWhereTheSwitchesAllow)
{
    const struct
    {
        bool key, mouse;
        bool (*press)(FlowObject &);
        bool ends;
    } cases[] = {
        {true, false, [](FlowObject &m) { return m.Proc_KeyDown(70); }, true},
        {false, true, [](FlowObject &m) { return m.Proc_KeyDown(70); }, false},
        {false, true, [](FlowObject &m) { return m.Proc_MouseLeftDown(1, 1, 0); }, true},
        {false, true, [](FlowObject &m) { return m.Proc_MouseRightDown(1, 1, 0); }, true},
        {true, false, [](FlowObject &m) { return m.Proc_MouseLeftDown(1, 1, 0); }, false},
    };
    for (const auto &c : cases)
    {
        hgl::TheoraMovie movie(archive.get(), u"clip", c.key, c.mouse);
        movie.DrawObject();
        EXPECT_EQ(c.press(movie), c.ends);
        EXPECT_EQ(movie.ObjectState, c.ends ? FlowObject::fosReturn : FlowObject::fosOK);
    }
}

TEST_F(MovieTest, FollowsItsSoundAndEndsWithIt)
{
    hgl::test::ScopedEnv silent("ALSOFT_DRIVERS", "null");
    ASSERT_TRUE(hgl::InitOpenAL());
    dir.WriteFile("short.ogv", RedToGreen(4));
    const auto tone = mediawriter::Tone(440, 0.4, 22050, 1, 0.3);
    dir.WriteFile("short.ogg", mediawriter::VorbisFile(tone, 1, 22050));
    {
        hgl::TheoraMovie movie(archive.get(), u"short", false, false); // its engine clock stands still
        EXPECT_TRUE(DrawUntil(movie, IsGreen));
        EXPECT_TRUE(RunUntilOver(movie));
    }
    hgl::CloseOpenAL();
}

TEST_F(MovieTest, ASoundOutlastingThePicturesEndsTheMovie)
{
    hgl::test::ScopedEnv silent("ALSOFT_DRIVERS", "null");
    ASSERT_TRUE(hgl::InitOpenAL());
    dir.WriteFile("long.ogv", RedToGreen(2)); // 0.2 s of pictures
    dir.WriteFile("long.ogg", mediawriter::VorbisFile(mediawriter::Tone(440, 0.8, 22050, 1, 0.3), 1, 22050));
    {
        hgl::TheoraMovie movie(archive.get(), u"long", false, false); // its engine clock stands still
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(DrawUntil(movie, IsGreen)); // the last picture
        EXPECT_TRUE(RunUntilOver(movie));
        const double played = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_GE(played, 0.7) << "the movie ended before its sound";
    }
    hgl::CloseOpenAL();
}
} // namespace
