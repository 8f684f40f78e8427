#include "GameCoreFixture.h"

#include "game/core/SaveFolder.h"
#include "io/TDF.h"

using avg::config::audio_config;
using avg::config::graphics_config;

TEST_F(GameCoreTest, ConfigStartValuesWithoutFile)
{
    graphics_config.TextSpeed = 99;
    EXPECT_TRUE(avg::config::LoadConfig());
    EXPECT_EQ(graphics_config.Speed, 1);
    EXPECT_EQ(graphics_config.AutoSave, 1);
    EXPECT_EQ(graphics_config.TextSpeed, 40);
    EXPECT_EQ(graphics_config.EndWaitTime, 1000);
    EXPECT_EQ(graphics_config.Alpha, 1.0f);
    EXPECT_EQ(graphics_config.AutoContinue, 0);
    EXPECT_EQ(graphics_config.Not43ProcMode, 0);
    EXPECT_EQ(graphics_config.ScreenWidth, 1024);
    EXPECT_EQ(graphics_config.ScreenHeight, 768);
    EXPECT_EQ(graphics_config.MovieQuantity, 1);
    EXPECT_EQ(graphics_config.MsgChsFont, u"黑体");
    EXPECT_EQ(graphics_config.MsgEngFont, u"Tahoma");
    EXPECT_EQ(audio_config.BGM, 20);
    EXPECT_EQ(audio_config.SE, 20);
    EXPECT_EQ(audio_config.Voice, 1000);
    EXPECT_FLOAT_EQ(avg::config::VolumeGain(audio_config.BGM), 0.02f);
}

TEST_F(GameCoreTest, ConfigRoundTripThroughTheFile)
{
    graphics_config.Speed = 0;
    graphics_config.AutoSave = 0;
    graphics_config.TextSpeed = 70;
    graphics_config.EndWaitTime = 7000;
    graphics_config.Alpha = 0.5f;
    graphics_config.AutoContinue = 1;
    graphics_config.Not43ProcMode = 1;
    graphics_config.ScreenWidth = 800;
    graphics_config.ScreenHeight = 600;
    graphics_config.MovieQuantity = 2;
    graphics_config.MsgChsFont = u"文泉驿微米黑";
    graphics_config.MsgEngFont = u"DejaVu Sans";
    audio_config = {80, 40, 0};
    ASSERT_TRUE(avg::config::SaveConfig());
    EXPECT_EQ(dir.List("Save"), (std::vector<std::string>{"Config.TDF"})); // no temporary left

    const std::string written = dir.ReadFile("Save/Config.TDF");

    hgl::TDFNode file;
    ASSERT_TRUE(file.LoadFromFile(avg::SavePath(u"Config.TDF").c_str()));
    EXPECT_EQ(file.GetName(), u"Config");
    for (const char16_t *key : {u"speed", u"AutoSave", u"Text Speed", u"End Wait Time", u"Alpha",
                                u"Auto Continue", u"Not 4:3 ProcMode", u"Screen Width", u"Screen Height",
                                u"movie_quantity", u"Msg Chs Font", u"Msg Eng Font"})
        EXPECT_NE(file.FindChild(u"Graphics")->FindChild(key), nullptr) << hgl::test::U8(key);
    for (const char16_t *key : {u"BGM", u"SE", u"Voice"})
        EXPECT_NE(file.FindChild(u"Audio")->FindChild(key), nullptr) << hgl::test::U8(key);

    // Every field comes back: saving what was loaded writes the same bytes.
    avg::config::ResetConfig();
    ASSERT_TRUE(avg::config::LoadConfig());
    EXPECT_EQ(graphics_config.MsgChsFont, u"文泉驿微米黑");
    EXPECT_EQ(graphics_config.Alpha, 0.5f);
    ASSERT_TRUE(avg::config::SaveConfig());
    EXPECT_EQ(dir.ReadFile("Save/Config.TDF"), written);
    EXPECT_FALSE(audio_config.VoiceOn());
}

TEST_F(GameCoreTest, ConfigMissingAndRefusedKeysKeepStartValues)
{
    // Written by hand: one section only, one good key, two refused ones.
    hgl::TDFNode root;
    root.SetName(u"Config");
    hgl::TDFNode *g = root.AddChild(u"Graphics");
    g->SetInt32(u"Text Speed", 10);
    g->SetInt32(u"Screen Width", -5);
    g->SetInt8(u"End Wait Time", 3); // too short for an int
    ASSERT_TRUE(root.SaveToFile(avg::SavePath(u"Config.TDF").c_str()));

    hgl::test::LogCapture log;
    EXPECT_TRUE(avg::config::LoadConfig());
    EXPECT_EQ(graphics_config.TextSpeed, 10);
    EXPECT_EQ(graphics_config.ScreenWidth, 1024);
    EXPECT_EQ(graphics_config.EndWaitTime, 1000);
    EXPECT_EQ(audio_config.Voice, 1000);
    EXPECT_TRUE(log.ContainsError(u"配置项<Graphics:Screen Width>无效，使用缺省值")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"配置项<Graphics:End Wait Time>无效，使用缺省值")) << log.Dump();
}

TEST_F(GameCoreTest, ConfigDamagedFileGivesStartValues)
{
    for (const std::string &bytes :
         {std::string("\x06\x00\x00\x00", 4), std::string(), std::string("garbage!")})
    {
        ASSERT_TRUE(dir.WriteFile("Save/Config.TDF", bytes));
        graphics_config.TextSpeed = 5;
        hgl::test::LogCapture log;
        EXPECT_FALSE(avg::config::LoadConfig());
        EXPECT_EQ(graphics_config.TextSpeed, 40);
        EXPECT_TRUE(log.ContainsPart(u"已损坏")) << log.Dump();
    }
}

TEST_F(GameCoreTest, ConfigSettingsAtTheirLimitsReadBackAsWritten)
{
    using avg::config::kMaxVolume;
    // Lowest, then highest value each setting takes.
    const auto set = [](bool high)
    {
        graphics_config.Speed = high ? 255 : 0;
        graphics_config.AutoSave = high ? 255 : 0;
        graphics_config.TextSpeed = high ? 10000 : 0;
        graphics_config.EndWaitTime = high ? 600000 : 0;
        graphics_config.Alpha = high ? 1.0f : 0.0f;
        graphics_config.AutoContinue = high ? 255 : 0;
        graphics_config.Not43ProcMode = high ? 255 : 0;
        graphics_config.ScreenWidth = high ? 16384 : 64;
        graphics_config.ScreenHeight = high ? 16384 : 64;
        graphics_config.MovieQuantity = high ? 99 : 0;
        audio_config = high ? avg::config::AudioConfig{kMaxVolume, kMaxVolume, kMaxVolume}
                            : avg::config::AudioConfig{0, 0, 0};
    };
    for (bool high : {false, true})
    {
        SCOPED_TRACE(high ? "highest" : "lowest");
        set(high);
        ASSERT_TRUE(avg::config::SaveConfig());
        avg::config::ResetConfig();
        hgl::test::LogCapture log;
        ASSERT_TRUE(avg::config::LoadConfig());
        EXPECT_TRUE(log.Errors().empty()) << log.Dump();
        const avg::config::GraphicsConfig read_g = graphics_config;
        const avg::config::AudioConfig read_a = audio_config;
        set(high);
        EXPECT_EQ(read_g.Speed, graphics_config.Speed);
        EXPECT_EQ(read_g.AutoSave, graphics_config.AutoSave);
        EXPECT_EQ(read_g.TextSpeed, graphics_config.TextSpeed);
        EXPECT_EQ(read_g.EndWaitTime, graphics_config.EndWaitTime);
        EXPECT_EQ(read_g.Alpha, graphics_config.Alpha);
        EXPECT_EQ(read_g.AutoContinue, graphics_config.AutoContinue);
        EXPECT_EQ(read_g.Not43ProcMode, graphics_config.Not43ProcMode);
        EXPECT_EQ(read_g.ScreenWidth, graphics_config.ScreenWidth);
        EXPECT_EQ(read_g.ScreenHeight, graphics_config.ScreenHeight);
        EXPECT_EQ(read_g.MovieQuantity, graphics_config.MovieQuantity);
        EXPECT_EQ(read_a.BGM, audio_config.BGM);
        EXPECT_EQ(read_a.SE, audio_config.SE);
        EXPECT_EQ(read_a.Voice, audio_config.Voice);
    }
}
