// The title's floating balls on the test clock with the random numbers seeded.
#include "TitleFixture.h"
#include "graphics/draw/Painter.h"

#include "game/screens/title/VamUnit.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace
{
constexpr int kBalls = 50;
const hgl::test::RGBA kBallColour{255, 255, 255, 255};
const hgl::test::RGBA kGround{0, 0, 80, 255};

class BallsTest : public TitleTest
{
  protected:
    void SetUp() override
    {
        TitleTest::SetUp();
        AddSolidTexture(u"StartMenu\\ball.TEX", 8, 8, kBallColour);
        Prepare();
    }
    // One title frame: the clock moves on, then the balls are drawn.
    void Update(VamUnitManage &balls, int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        balls.Update();
    }
};

struct Snapshot
{
    float x, y, alpha;
    bool fading_in;
};

Snapshot Take(const VamUnit &b)
{
    return {b.GetX(), b.GetY(), b.GetAlpha(), b.IsFadingIn()};
}
} // namespace

TEST_F(BallsTest, RebirthValuesStayInTheirRanges)
{
    VamUnitManage balls(kBalls);
    ASSERT_EQ(balls.GetCount(), kBalls);
    EXPECT_TRUE(balls.GetBall(0)->HasTexture()); // each ball its own texture
    EXPECT_EQ(balls.GetBall(kBalls), nullptr);
    EXPECT_EQ(balls.GetBall(-1), nullptr);

    const float w = float(Width()), h = float(Height());
    float min_x = 1e9f, max_x = -1e9f, min_y = 1e9f, max_y = -1e9f, min_a = 2, max_a = -1;
    std::set<float> sizes;
    std::set<int> speeds;
    int fading_in = 0, total = 0;
    for (int round = 0; round < 400; ++round)
    {
        balls.ResetAll();
        for (int i = 0; i < kBalls; ++i)
        {
            const VamUnit &b = *balls.GetBall(i);
            ++total;
            min_x = std::min(min_x, b.GetX());
            max_x = std::max(max_x, b.GetX());
            EXPECT_EQ(b.GetX(), std::floor(b.GetX())); // a whole pixel
            min_y = std::min(min_y, b.GetY());
            max_y = std::max(max_y, b.GetY());
            // Two pixels apart, counted from 1.01 H.
            const float step = (b.GetY() - 1.01f * h) / 2;
            EXPECT_NEAR(step, std::round(step), 1e-3) << b.GetY();
            min_a = std::min(min_a, b.GetAlpha());
            max_a = std::max(max_a, b.GetAlpha());
            sizes.insert(b.GetSize());
            speeds.insert(int(std::lround((b.GetSpeed() - 0.8f) / 0.02f)));
            EXPECT_NEAR(b.GetSpeed(), 0.8f + 0.02f * float(std::lround((b.GetSpeed() - 0.8f) / 0.02f)), 1e-5);
            fading_in += b.IsFadingIn();
        }
    }
    // Reborn anywhere from half outside the left edge to half outside the right.
    EXPECT_EQ(min_x, -3.0f);
    EXPECT_EQ(max_x, w);
    EXPECT_NEAR(min_y, 1.01f * h, 1e-3);
    EXPECT_GE(max_y, 1.79f * h);
    EXPECT_LE(max_y, 1.8f * h + 1e-3f);
    EXPECT_NEAR(min_a, 0.10f, 1e-5);
    EXPECT_NEAR(max_a, 0.89f, 1e-5);
    EXPECT_EQ(sizes, (std::set<float>{3, 4, 5}));
    EXPECT_EQ(speeds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_GT(fading_in, total / 3); // both directions come up
    EXPECT_LT(fading_in, total * 2 / 3);
}

TEST_F(BallsTest, OnlyAFadedOutBallInTheUpperHalfIsReborn)
{
    VamUnitManage balls(1);
    VamUnit &ball = *balls.GetBall(0);
    const float h = float(Height());
    int reborn = 0, high_and_fading_in = 0;
    for (int frame = 0; frame < 40000 && reborn < 6; ++frame)
    {
        const Snapshot before = Take(ball);
        Update(balls);
        const Snapshot after = Take(ball);
        if (after.y > before.y) // reborn below the screen
        {
            ++reborn;
            EXPECT_FALSE(before.fading_in) << frame;
            EXPECT_LT(before.y, h * 0.5f + 1) << frame;
            EXPECT_LE(before.alpha, 0.01f + VamUnit::kPulseStep + 1e-4f) << frame;
            EXPECT_GE(after.y, 1.01f * h - 1e-3f);
            continue;
        }
        // It rose by H x speed / 1600 and pulsed by 0.005.
        EXPECT_NEAR(before.y - after.y, h * ball.GetSpeed() / 1600, 1e-3) << frame;
        if (after.fading_in == before.fading_in)
        {
            EXPECT_NEAR(std::fabs(after.alpha - before.alpha), VamUnit::kPulseStep, 1e-4) << frame;
        }
        if (before.fading_in && before.y < h * 0.5f) ++high_and_fading_in;
    }
    EXPECT_EQ(reborn, 6);
    EXPECT_GT(high_and_fading_in, 0); // the case was met, and the ball went on
}

TEST_F(BallsTest, LongFramesMoveNoBall)
{
    VamUnitManage balls(kBalls);
    Update(balls); // the construction's clock reading is the previous frame
    struct Case
    {
        int ms;
        bool moves;
    };
    // The title hidden under a called screen comes back after a long gap; a frame
    // of exactly 100 ms still counts.
    for (const Case c : {Case{16, true}, Case{100, true}, Case{101, false}, Case{5000, false}, Case{1, true}})
    {
        std::vector<Snapshot> before;
        for (int i = 0; i < kBalls; ++i)
            before.push_back(Take(*balls.GetBall(i)));
        Update(balls, c.ms);
        int moved = 0;
        for (int i = 0; i < kBalls; ++i)
            moved += Take(*balls.GetBall(i)).y != before[size_t(i)].y;
        EXPECT_EQ(moved, c.moves ? kBalls : 0) << c.ms << " ms";
    }
}

TEST_F(BallsTest, ABallDrawsItsSquare)
{
    VamUnitManage balls(1);
    VamUnit &ball = *balls.GetBall(0);
    ball.Reset(5, 0.8f, 100);
    // Let it rise into view; it is not reborn before the upper half.
    const float h = float(Height());
    for (int i = 0; i < 20000 && !(ball.GetY() < h - 30 && ball.GetAlpha() >= 0.9f); ++i)
        Update(balls);
    ASSERT_LT(ball.GetY(), h - 30);
    ASSERT_GE(ball.GetAlpha(), 0.9f);

    hgl::draw::Clear(hgl::Color4f(kGround.r / 255.0f, kGround.g / 255.0f, kGround.b / 255.0f, 1));
    const int cx = 100, cy = int(std::lround(ball.GetY()));
    Update(balls); // drawn where it was, then moved on
    EXPECT_GT(Pixel(cx, cy).r, 220) << testing::PrintToString(Pixel(cx, cy));
    EXPECT_GT(Pixel(cx - 3, cy - 3).r, 220);
    EXPECT_GT(Pixel(cx + 3, cy + 3).r, 220);
    for (const auto &[dx, dy] : {std::pair{-8, 0}, std::pair{8, 0}, std::pair{0, -8}, std::pair{0, 8}})
        EXPECT_TRUE(stagekit::Near(Pixel(cx + dx, cy + dy), kGround)) << dx << "," << dy;
}
