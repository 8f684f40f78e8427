// The effects' particle work on a test clock with the random numbers seeded 5489,
// without a canvas; the manager through a compiled script.
#include "core/Random.h"
#include "graphics/draw/Painter.h"
#include "game/stage/effect/EffectManage.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "support/GLTestContext.h"
#include "support/LogCapture.h"

#include "graphics/ColorType.h"
#include "graphics/texture/ImageBlock.h"
#include "graphics/texture/Texture.h"

#include <gtest/gtest.h>

namespace
{
constexpr float kW = 1024, kH = 768;
hgl::uint64 now_ns = 0;
hgl::uint64 TestClock()
{
    return now_ns;
}
void AdvanceMs(int ms)
{
    now_ns += hgl::uint64(ms) * 1000000u;
}

class EffectTest : public ::testing::Test
{
  protected:
    hgl::test::LogCapture log; // the textures are missing here
    hgl::DevilEngine engine;
    std::unique_ptr<EffectManage> effects;

    void SetUp() override
    {
        now_ns = 1000000000u;
        hgl::SetClockSource(&TestClock);
        hgl::InitRandomSeed(5489);
        effects = std::make_unique<EffectManage>(&engine, kW, kH);
    }
    void TearDown() override
    {
        effects.reset();
        hgl::SetClockSource(nullptr);
    }
    void Run(const char16_t *body)
    {
        engine.Clear();
        ASSERT_TRUE(engine.LoadScript(std::u16string(u"func main() { ") + body + u" }"));
        ASSERT_TRUE(engine.RunFunc(u"main"));
    }
};

TEST_F(EffectTest, ScriptStartsAndStopsOnce)
{
    Run(u"StartSnow(); StartSnow(); StartButterFly(20); VIB_DOKA();");
    hgl::WeatherEffect::Snow *snow = effects->GetSnow();
    ASSERT_NE(snow, nullptr);
    EXPECT_NE(effects->GetButterFly(), nullptr);
    Run(u"StartSnow();");
    EXPECT_EQ(effects->GetSnow(), snow);
    Run(u"EndSnow(); EndSnow(); EndBubble(); EndBubble();");
    EXPECT_EQ(effects->GetSnow(), nullptr);
    EXPECT_EQ(effects->GetButterFly(), nullptr);
}

TEST_F(EffectTest, SnowStartsAboveTheScreenAndRespawnsAtTheTop)
{
    effects->StartSnow();
    hgl::WeatherEffect::Snow &snow = *effects->GetSnow();
    EXPECT_EQ(snow.GetLive(), 0);
    effects->Step(); // the first frame moves nothing and spawns the whole set
    ASSERT_EQ(snow.GetLive(), 20);
    for (int i = 0; i < 20; ++i)
    {
        EXPECT_GE(snow.GetParticle(i).y, -kH / 2);
        EXPECT_LE(snow.GetParticle(i).y, 0);
        EXPECT_GE(snow.GetParticle(i).x, 0);
        EXPECT_LE(snow.GetParticle(i).x, kW);
    }
    bool respawned = false;
    for (int frame = 0; frame < 2000 && !respawned; ++frame)
    {
        effects->Step();
        for (int i = 0; i < 20; ++i)
            respawned |= snow.GetParticle(i).y == 0;
    }
    EXPECT_TRUE(respawned);
}

TEST_F(EffectTest, SpawnRates)
{
    effects->StartPetals();
    effects->StartRain(true);
    effects->StartSun();
    effects->Step();
    EXPECT_EQ(effects->GetPetals()->GetLive(), 1); // 15 / 10 a frame
    EXPECT_EQ(effects->GetRain()->GetLive(), 2);   // 50 / 20 a frame
    EXPECT_EQ(effects->GetSun()->GetLive(), 20);
    effects->StopSun();
    effects->StopPetals();
    EXPECT_EQ(effects->GetSun(), nullptr);
    EXPECT_EQ(effects->GetPetals(), nullptr);
}

TEST_F(EffectTest, StoppedRainDrainsAndIsFreed)
{
    effects->StartRain(false);
    const hgl::EffectArea &area = effects->GetRain()->GetArea();
    EXPECT_FLOAT_EQ(area.left, kW * 0.85f);
    EXPECT_FLOAT_EQ(area.width, kW * 0.15f);
    for (int i = 0; i < 30; ++i)
        effects->Step();
    const hgl::WeatherEffect::Rain1 *rain = effects->GetRain();
    ASSERT_GT(rain->GetLive(), 0);
    effects->ClearEffects();
    EXPECT_EQ(effects->GetRain(), nullptr);
    ASSERT_EQ(effects->GetDraining(), 1);
    EXPECT_GT(rain->GetLive(), 0); // the drops in flight keep falling
    int frames = 0;
    for (; effects->GetDraining() == 1 && frames < 10000; ++frames)
        effects->Step();
    EXPECT_EQ(effects->GetDraining(), 0);
    EXPECT_LT(frames, 1000);
}

TEST_F(EffectTest, ButterFlyStepsAndLeaves)
{
    effects->StartButterFly(20);
    hgl::ObjectEffect::ButterFly &fly = *effects->GetButterFly();
    EXPECT_EQ(fly.GetStepMs(), 100);
    EXPECT_FLOAT_EQ(fly.GetLeader().x, -64);
    EXPECT_FLOAT_EQ(fly.GetLeader().y, kH / 2);
    effects->Step(); // the first step starts from where it is
    AdvanceMs(101);  // past its end: the next 50-pixel step begins
    effects->Step();
    AdvanceMs(50);
    effects->Step();
    EXPECT_FLOAT_EQ(fly.GetLeader().x, -64 + 25);
    AdvanceMs(50);
    effects->Step();
    EXPECT_FLOAT_EQ(fly.GetLeader().x, -64 + 50);
    for (int i = 0; i < 200 && fly.IsOn(); ++i)
    {
        AdvanceMs(i % 2 == 0 ? 50 : 51);
        effects->Step();
    }
    EXPECT_FALSE(fly.IsOn());
    EXPECT_EQ(fly.GetLive(), 0);
    effects->StartButterFly(0); // the one gone makes way; a zero step takes 1 ms
    EXPECT_TRUE(effects->GetButterFly()->IsOn());
    EXPECT_EQ(effects->GetButterFly()->GetStepMs(), 1);
}

TEST_F(EffectTest, StartStopCyclesFreeEverything)
{
    for (int i = 0; i < 200; ++i)
    {
        effects->StartRain(i % 2 == 0);
        effects->StartSnow();
        effects->StartSun();
        effects->StartPetals();
        effects->StartButterFly(i);
        effects->Step();
        effects->ClearEffects();
    }
    for (int i = 0; i < 1000 && effects->GetDraining() > 0; ++i)
        effects->Step();
    EXPECT_EQ(effects->GetDraining(), 0);
}

TEST(FlowerTest, OneBurstThenOff)
{
    hgl::InitRandomSeed(5489);
    hgl::WeatherEffect::Flower burst(nullptr, 5, 4.0f, 1.0f);
    burst.SetArea(100, 100, 100, 50);
    burst.Step();
    EXPECT_EQ(burst.GetLive(), 0); // made stopped
    burst.Start();
    burst.Step();
    ASSERT_EQ(burst.GetLive(), 5);
    EXPECT_FLOAT_EQ(burst.GetParticle(0).y, 150); // from the bottom of the area
    for (int i = 0; i < 1000 && burst.IsOn(); ++i)
        burst.Step();
    EXPECT_FALSE(burst.IsOn());
    EXPECT_EQ(burst.GetLive(), 0);
}

// A white flake over black adds 0.85 of its colour; the rain's lower end is a
// pale white and its upper end fades out.
TEST(EffectPixels, SnowGlowAndRainColours)
{
    hgl::test::GLTestContext gl(64, 64);
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    hgl::InitRandomSeed(5489);
    hgl::ImageBlock white;
    white.width = white.height = 16;
    white.color_type = hgl::ctRGBA;
    white.pixels.assign(16 * 16 * 4, 255);
    hgl::Texture2D texture;
    ASSERT_TRUE(texture.Load(white, 0, false));
    hgl::WeatherEffect::Snow snow(&texture, 1, 0.0f, 5.0f); // a flake falling straight down
    snow.SetArea(0, 0, 64, 64);
    const hgl::Particle &flake = snow.GetParticle(0);
    float cx = 0, cy = -1;
    for (int i = 0; i < 100 && cy < 20; ++i)
    {
        hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
        snow.Draw();
        cx = flake.x + (flake.quad[0].x + flake.quad[2].x) / 2;
        cy = flake.y + (flake.quad[0].y + flake.quad[2].y) / 2;
    }
    ASSERT_GE(cy, 20);
    ASSERT_LT(cy, 60);
    EXPECT_NEAR(gl.ReadPixel(int(cx), int(cy)).g, 217, 3);

    // The first drop starts half the area's top above it: here in the canvas.
    hgl::WeatherEffect::Rain1 rain(20, 40.0f, 0.0f, 0.0f, 0.0f);
    rain.SetArea(10, 100, 0, 64);
    rain.Draw();
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
    rain.Draw(); // draws the first drop only
    const hgl::Particle &drop = rain.GetParticle(0);
    ASSERT_LT(drop.ty, 62);
    // The line lies on the edge between two pixel columns.
    auto at = [&](int y)
    {
        const hgl::test::RGBA a = gl.ReadPixel(9, y), b = gl.ReadPixel(10, y);
        return a.r > b.r ? a : b;
    };
    const hgl::test::RGBA low = at(int(drop.ty) - 1), mid = at(int(drop.y + drop.ty) / 2),
                          high = at(int(drop.y) + 1);
    EXPECT_GT(low.r, 60);
    EXPECT_GT(mid.b, mid.r); // blue towards the top
    EXPECT_LT(high.r, low.r);
}

TEST_F(EffectTest, StopAllLeavesNothingToDraw)
{
    for (avg::WeatherEffect e : {avg::weSun, avg::weRain, avg::wePetals, avg::weSnow})
        effects->StartWeather(e);
    for (int i = 0; i < 30; ++i)
        effects->Step();
    ASSERT_GT(effects->GetSun()->GetLive(), 0);
    ASSERT_GT(effects->GetRain()->GetLive(), 0);
    ASSERT_GT(effects->GetPetals()->GetLive(), 0);
    ASSERT_GT(effects->GetSnow()->GetLive(), 0);

    effects->ClearEffects();
    for (int i = 0; i < 1000 && effects->GetDraining() > 0; ++i)
        effects->Step(); // the rain's last drops fall
    EXPECT_EQ(effects->GetSun(), nullptr);
    EXPECT_EQ(effects->GetRain(), nullptr);
    EXPECT_EQ(effects->GetPetals(), nullptr);
    EXPECT_EQ(effects->GetSnow(), nullptr);
    EXPECT_EQ(effects->GetDraining(), 0);
}
} // namespace
