// What a save keeps of the story's state, heard and seen after loading it.
#include "game/unit/GameUnitFixture.h"

#include "mediawriter/MediaWriter.h"
#include "sonvex/OpenAL.h"
#include "support/ScopedEnv.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace
{
constexpr double kMusicSeconds = 0.25;

double Now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
} // namespace

// The in-game screen with sound on a silent OpenAL device, which plays in real time.
class SaveRecordTest : public GameUnitTest
{
  protected:
    hgl::test::ScopedEnv silent{"ALSOFT_DRIVERS", "null"};

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddScripts(demo);
        demo.AddLocal(
            u"Script\\MUSIC.CPP",
            hgl::demo::TextFile(u"func main()\n{\n    BGM_PLAY(\"LOOP\", 1);\n    MES(\"x\");\n}\n"));
        demo.AddData(u"BGM\\LOOP.ogg",
                     mediawriter::VorbisFile(mediawriter::Tone(440, kMusicSeconds, 22050, 1, 0.3), 1, 22050));
    }
    void SetUp() override
    {
        GameUnitTest::SetUp();
        ASSERT_TRUE(hgl::InitOpenAL());
    }
    void TearDown() override
    {
        GameUnitTest::TearDown(); // the players go first
        hgl::CloseOpenAL();
    }
};

TEST_F(SaveRecordTest, LoopedMusicLoopsAgainAfterLoading)
{
    Start(u"MUSIC");
    ASSERT_EQ(Text(), u"x");
    ASSERT_TRUE(unit->SaveGame(u"m", false));
    avg::bgm::StopBGM();

    unit = std::make_unique<avg::GameUnit>();
    ASSERT_TRUE(unit->LoadGame(u"m"));
    const double start = Now();
    // Well past its length the music still plays, its time wrapped into one length
    // and moving on; music played once would stand at its end.
    std::vector<double> times;
    for (double at : {0.45, 0.52, 0.59, 0.66})
    {
        while (Now() - start < at)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        times.push_back(avg::bgm::GetBGMPlayTime());
    }
    for (double t : times)
        EXPECT_LE(t, kMusicSeconds + 1e-3);
    EXPECT_NE(*std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()))
        << "the music stopped at " << times.back() << " s";
}
