// The effects' particle work on a test clock with the random numbers seeded 5489,
// without a canvas; the manager through a compiled script.
#include "core/Random.h"
#include "game/stage/effect/EffectManage.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "support/LogCapture.h"

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
} // namespace
