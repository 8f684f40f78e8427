// The save picture on a headless canvas: the game screen, never a screen over it.
#include "GameUnitFixture.h"
#include "graphics/draw/Painter.h"

#include "support/GLTestContext.h"

#include "framework/FlowControl.h"
#include "game/core/SaveFolder.h"
#include "graphics/texture/PictureFile.h"
#include "io/FileStream.h"
#include "platform/window/KeyCode.h"

namespace
{
constexpr int kCanvasW = 160, kCanvasH = 120;
constexpr int kScale = 4;
const hgl::test::RGBA kMenuColour{255, 0, 255, 255};

// The in-game menu stand-in covers the whole canvas.
class MenuScreen : public MarkerScreen
{
  public:
    MenuScreen() : MarkerScreen("menu") {}
    void Draw() override { hgl::draw::Clear(hgl::Color4f(1, 0, 1, 1)); }
};

hgl::test::RGBA ThumbnailPixel(const hgl::String &slot, int x, int y)
{
    hgl::FileStream in(avg::SavePath(slot + u".hgp").c_str(), 2);
    hgl::HgpFile file;
    if (!file.Read(&in, u"thumbnail") || file.layers.size() != 1) return {};
    const hgl::ImageBlock &image = file.layers[0].image;
    if (image.width != kCanvasW / kScale || image.height != kCanvasH / kScale) return {};
    const hgl::uint8 *p = &image.pixels[(size_t(y) * image.width + x) * 3];
    return {p[0], p[1], p[2], 255};
}
} // namespace

class ThumbnailTest : public GameUnitTest
{
  protected:
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};

    void AddContent(hgl::demo::DemoContent &demo) override
    {
        std::string error;
        ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
    }
};

TEST_F(ThumbnailTest, ShowsTheGameScreenNotTheMenu)
{
    ASSERT_TRUE(gl.Ok()) << gl.Error();
    wiring.screens.menu = [](avg::GameUnit &) { return new MenuScreen; };

    auto *game = new avg::GameUnit(wiring);
    ASSERT_TRUE(game->GotoScript(u"MAIN00"));
    hgl::FlowControl flow(game);
    flow.RunFrame();
    const hgl::test::RGBA seen = gl.ReadPixel(10 * kScale, 10 * kScale);
    ASSERT_NE(seen, kMenuColour);
    ASSERT_NE(seen, (hgl::test::RGBA{0, 0, 0, 255})) << "the background is drawn";

    // A save made while the game is the top screen takes this frame's picture.
    ASSERT_TRUE(game->SaveGame(u"2"));
    flow.RunFrame();
    EXPECT_EQ(ThumbnailPixel(u"2", 10, 10), seen);

    // The menu opens over the game; a save made from it still shows the game.
    flow.Proc_KeyDown(hgl::key::Esc);
    flow.RunFrame();
    flow.RunFrame();
    ASSERT_EQ(gl.ReadPixel(10 * kScale, 10 * kScale), kMenuColour);
    ASSERT_TRUE(game->SaveGame(u"3"));
    EXPECT_EQ(ThumbnailPixel(u"3", 10, 10), seen);
}
