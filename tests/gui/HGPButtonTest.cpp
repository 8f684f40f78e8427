#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "gui/HGPButton.h"
#include "io/FileStream.h"
#include "io/OpenHAC.h"

#include "support/GLTestContext.h"
#include "GuiTestUtil.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <memory>

using namespace hgl;
using namespace hgl::gui;

namespace
{
constexpr int PicW = 8, PicH = 6;
const test::RGBA Red{255, 0, 0, 255}, Green{0, 255, 0, 255}, Blue{0, 0, 255, 255}, White{255, 255, 255, 255};

HgpLayerData SolidLayer(const u16char *name, const test::RGBA &c)
{
    HgpLayerData layer;
    layer.name = name;
    layer.image.width = PicW;
    layer.image.height = PicH;
    layer.image.color_type = 4; // RGBA
    for (int i = 0; i < PicW * PicH; i++)
        layer.image.pixels.insert(layer.image.pixels.end(), {c.r, c.g, c.b, c.a});
    return layer;
}

bool WritePicture(const std::u16string &path, std::vector<HgpLayerData> layers)
{
    HgpFile file;
    file.width = PicW;
    file.height = PicH;
    file.layers = std::move(layers);
    FileStream out;
    return out.Create(path.c_str()) && file.Write(&out, String());
}

struct PictureRig
{
    test::GLTestContext gl{32, 32};
    test::GLTranslate translate;
    test::TempDir dir{"hgpbutton"};
    std::unique_ptr<HAC> archive;

    PictureRig()
    {
        EXPECT_TRUE(WritePicture(dir.File16("named.hgp"),
                                 {SolidLayer(u"Push", White), SolidLayer(u"Normal", Red),
                                  SolidLayer(u"Select", Blue), SolidLayer(u"Disable", Green)}));
        EXPECT_TRUE(WritePicture(dir.File16("plain.hgp"), {SolidLayer(u"a", Red), SolidLayer(u"b", Green)}));
        archive.reset(OpenHAC(dir.Path16().c_str()));
    }
    test::RGBA DrawnAt(Button &button, int state)
    {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        button.OnDraw(&button, state);
        return gl.ReadPixel(2, 2);
    }
};
} // namespace

TEST(HGPButton, StateLayersAndPictureSize)
{
    PictureRig rig;
    ASSERT_TRUE(rig.gl.Ok()) << rig.gl.Error();
    ASSERT_TRUE(rig.archive);

    HGPButton named(0, 0, 0, -1, rig.archive.get(), u"named.hgp");
    EXPECT_FLOAT_EQ(named.Width, PicW);
    EXPECT_FLOAT_EQ(named.Height, PicH);
    const test::RGBA by_state[] = {Red, Green, Blue, White};
    for (int state = bsNormal; state <= bsPress; state++)
        EXPECT_EQ(rig.DrawnAt(named, state), by_state[state]) << "state " << state;

    // Without a "Normal" layer the states take layers 0, 1, ...; a state without a
    // layer shows the normal one. A borrowed picture outlives the button.
    auto picture = std::make_unique<HGP>(rig.archive.get(), u"plain.hgp", 0, true);
    {
        HGPButton plain(0, 0, 16, 12, picture.get());
        EXPECT_FLOAT_EQ(plain.Width, 16);
        EXPECT_EQ(plain.GetStateLayer(bsDisable), picture->GetLayer(1));
        EXPECT_EQ(plain.GetStateLayer(bsPress), nullptr);
        EXPECT_EQ(rig.DrawnAt(plain, bsDisable), Green);
        EXPECT_EQ(rig.DrawnAt(plain, bsPress), Red);
    }
    EXPECT_EQ(picture->LayerCount, 2);
}

TEST(HGPButton, MissingPictureDrawsNothingAndStillClicks)
{
    PictureRig rig;
    ASSERT_TRUE(rig.gl.Ok()) << rig.gl.Error();
    test::LogCapture log;
    HGPButton button(0, 0, 10, 10, rig.archive.get(), u"absent.hgp");
    const size_t lines = log.Errors().size();
    EXPECT_GE(lines, 1u);
    EXPECT_EQ(rig.DrawnAt(button, bsNormal), (test::RGBA{0, 0, 0, 0}));
    EXPECT_EQ(log.Errors().size(), lines);

    int clicks = 0;
    test::CountInto(button.OnClick, clicks);
    button.Proc_MouseLeftDown(5, 5, 0);
    button.Proc_MouseLeftUp(5, 5, 0);
    EXPECT_EQ(clicks, 1);
}
