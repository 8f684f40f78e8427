// The shared resources on the demo content, in a headless GL context.
#include "GameCoreFixture.h"
#include "graphics/draw/Painter.h"

#include "support/GLTestContext.h"

#include "game/core/GameResources.h"
#include "graphics/font/TileFont.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "tools/mkdemo/DemoContent.h"

#include <memory>

namespace
{
constexpr int kCanvasW = 200, kCanvasH = 150;
const hgl::test::RGBA kClear{255, 0, 255, 255};
} // namespace

class ResourcesTest : public GameCoreTest
{
  protected:
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};

    void SetUp() override
    {
        GameCoreTest::SetUp();
        ASSERT_TRUE(gl.Ok()) << gl.Error();
        hgl::demo::DemoContent demo;
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
        ASSERT_TRUE(avg::OpenArchives());
    }

    void TearDown() override
    {
        avg::FreeSharedResources();
        avg::FreeGameResources();
        GameCoreTest::TearDown();
    }
};

TEST_F(ResourcesTest, SharedResourcesFromTheDemo)
{
    hgl::test::LogCapture log;
    ASSERT_TRUE(avg::LoadSharedResources()) << log.Dump();
    // Heights relative to the canvas height of 150.
    const struct
    {
        hgl::TileFont *font;
        int height;
    } fonts[] = {{avg::TextFont, 6}, {avg::LabelFont, 6}, {avg::LargeTextFont, 8}, {avg::NovelFont, 7}};
    for (const auto &f : fonts)
    {
        ASSERT_NE(f.font, nullptr);
        EXPECT_EQ(f.font->CharHeight, f.height);
    }
    for (int i = 0; i < avg::mbtCount; ++i)
        ASSERT_NE(avg::GetMsgBoxTexture(i), nullptr) << i;
    EXPECT_EQ(avg::GetMsgBoxTexture(avg::mbtCount), nullptr);
    for (int i = 0; i < avg::ipCount; ++i)
        EXPECT_FALSE(avg::GetInlinePicture(i)->IsEmpty()) << i;
    EXPECT_EQ(log.Errors(), std::vector<std::u16string>{}) << log.Dump();

    // The message-box quad leaves 4 units free on each side.
    hgl::draw::Clear(hgl::Color4f(1, 0, 1, 1));
    avg::DrawMsgBoxRect(avg::GetMsgBoxTexture(avg::mbtMessage1), 0, 0, 40, 20, hgl::Color4f(1, 1, 1, 1), 1);
    EXPECT_EQ(gl.ReadPixel(2, 10), kClear);
    EXPECT_NE(gl.ReadPixel(6, 10), kClear);
    EXPECT_NE(gl.ReadPixel(33, 10), kClear);
    EXPECT_EQ(gl.ReadPixel(37, 10), kClear);
    EXPECT_EQ(gl.ReadPixel(20, 22), kClear);
    // At alpha 0 nothing shows.
    hgl::draw::Clear(hgl::Color4f(1, 0, 1, 1));
    avg::DrawMsgBoxRect(avg::GetMsgBoxTexture(avg::mbtMessage1), 0, 0, 40, 20, hgl::Color4f(1, 1, 1, 1), 0);
    EXPECT_EQ(gl.ReadPixel(20, 10), kClear);
}

TEST_F(ResourcesTest, LoadersAndCharacterImages)
{
    hgl::test::LogCapture log;
    std::unique_ptr<hgl::HGP> picture(avg::LoadHGP(u"BG\\bg01.HGP"));
    EXPECT_EQ(picture->Width, 256);
    picture.reset(avg::LoadHGP(u"BG\\missing.HGP"));
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->IsEmpty());
    std::unique_ptr<hgl::Texture2D> texture(avg::LoadTexture2D(u"StartMenu\\ball.TEX", 0));
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->Width, 32);
    EXPECT_EQ(avg::LoadTexture2D(u"missing.TEX", 0), nullptr);

    ASSERT_TRUE(avg::InitGameResources());
    ASSERT_NE(avg::GetScenePictureCache(), nullptr);
    hgl::u16char size = 0;
    hgl::HGPSame *same = nullptr;
    hgl::HGPSameLayer *layers[3] = {};
    EXPECT_FALSE(avg::data::GetCharacterImage(u"XYAB0", size, same, layers));   // too short
    EXPECT_FALSE(avg::data::GetCharacterImage(u"QQQQ00L", size, same, layers)); // no such picture
    EXPECT_EQ(same, nullptr);
    ASSERT_TRUE(avg::data::GetCharacterImage(u"xyab00M", size, same, layers));
    EXPECT_EQ(size, u'M');
    ASSERT_NE(same, nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(layers[i], same->GetLayer(i));
    ASSERT_TRUE(avg::data::GetCharacterImage(u"XYAB01S", size, same, layers)); // a group the picture lacks
    EXPECT_EQ(layers[0], nullptr);
}
