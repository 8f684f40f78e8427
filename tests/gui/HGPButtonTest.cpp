#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "gui/HGPButton.h"
#include "io/FileStream.h"
#include "io/OpenHAC.h"

#include "GuiTestUtil.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <memory>

using namespace hgl;
using namespace hgl::gui;

namespace
{
constexpr int PicW = 8, PicH = 6;
const test::RGBA Red{255, 0, 0, 255}, Green{0, 255, 0, 255}, Blue{0, 0, 255, 255}, White{255, 255, 255, 255};

// Writes an 8 x 6 picture whose layers are filled with one colour each.
bool WritePicture(const std::u16string &path,
                  const std::vector<std::pair<const u16char *, test::RGBA>> &layers)
{
    HgpFile file;
    file.width = PicW;
    file.height = PicH;
    for (const auto &[name, c] : layers)
    {
        HgpLayerData &layer = file.layers.emplace_back();
        layer.name = name;
        layer.image.width = PicW;
        layer.image.height = PicH;
        layer.image.color_type = 4; // RGBA
        for (int i = 0; i < PicW * PicH; i++)
            layer.image.pixels.insert(layer.image.pixels.end(), {c.r, c.g, c.b, c.a});
    }
    FileStream out;
    return out.Create(path.c_str()) && file.Write(&out, String());
}

test::RGBA DrawnAt(test::GuiCanvas &canvas, Button &button, int state)
{
    canvas.Clear();
    button.OnDraw(&button, state);
    return canvas.ReadPixel(2, 2);
}
} // namespace

TEST(HGPButton, StateLayersPictureSizeAndMissingPicture)
{
    test::GuiCanvas canvas(32, 32);
    ASSERT_TRUE(canvas.Ok()) << canvas.Error();
    test::TempDir dir("hgpbutton");
    ASSERT_TRUE(WritePicture(dir.File16("named.hgp"),
                             {{u"Push", White}, {u"Normal", Red}, {u"Select", Blue}, {u"Disable", Green}}));
    ASSERT_TRUE(WritePicture(dir.File16("plain.hgp"), {{u"a", Red}, {u"b", Green}}));
    std::unique_ptr<HAC> archive(OpenHAC(dir.Path16().c_str()));
    ASSERT_TRUE(archive);

    HGPButton named(0, 0, 0, -1, archive.get(), u"named.hgp");
    EXPECT_FLOAT_EQ(named.Width, PicW);
    EXPECT_FLOAT_EQ(named.Height, PicH);
    const test::RGBA by_state[] = {Red, Green, Blue, White};
    for (int state = bsNormal; state <= bsPress; state++)
        EXPECT_EQ(DrawnAt(canvas, named, state), by_state[state]) << "state " << state;

    // Without a "Normal" layer the states take layers 0, 1, ...; a state without a
    // layer shows the normal one. A borrowed picture outlives the button.
    auto picture = std::make_unique<HGP>(archive.get(), u"plain.hgp", 0, true);
    {
        HGPButton plain(0, 0, 16, 12, picture.get());
        EXPECT_EQ(plain.GetStateLayer(bsDisable), picture->GetLayer(1));
        EXPECT_EQ(DrawnAt(canvas, plain, bsDisable), Green);
        EXPECT_EQ(DrawnAt(canvas, plain, bsPress), Red);
    }
    EXPECT_EQ(picture->LayerCount, 2);

    test::LogCapture log;
    HGPButton missing(0, 0, 10, 10, archive.get(), u"absent.hgp");
    const size_t lines = log.Errors().size();
    EXPECT_GE(lines, 1u);
    EXPECT_EQ(DrawnAt(canvas, missing, bsNormal), (test::RGBA{0, 0, 0, 0}));
    EXPECT_EQ(log.Errors().size(), lines);
}
