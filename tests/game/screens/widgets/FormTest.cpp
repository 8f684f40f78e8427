// The framed form and the sheet button, probed on the canvas.
#include "../../screenkit/ScreenHarness.h"
#include "graphics/draw/Painter.h"

#include "game/screens/widgets/BitmapButton.h"
#include "game/screens/widgets/KQ7Form.h"

namespace
{
using hgl::test::RGBA;
constexpr RGBA kBand{255, 0, 0, 255}, kSide{0, 255, 0, 255}, kCentre{0, 0, 255, 255},
    kRest{128, 128, 128, 255};
constexpr RGBA kBack{0, 0, 0, 255};

// A frame picture painted by its parts: the top band, the left side, the right
// half below the band (the centre), and the rest.
RGBA FramePart(float u, float v)
{
    if (v < 0.09375f) return kBand;
    if (u < 0.23046875f && v < 0.8125f) return kSide;
    if (u >= 0.5f) return kCentre;
    return kRest;
}

void ClearCanvas()
{
    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
}
} // namespace

class FormTest : public ScreenCanvasTest
{
  protected:
    void SetUp() override
    {
        ScreenCanvasTest::SetUp();
        AddData(u"frame.TEX", screenkit::PaintedTexture(256, 256, FramePart));
        // The sheets: a left and a right half of their own colours.
        AddData(u"normal.TEX",
                screenkit::PaintedTexture(64, 32,
                                          [](float u, float) {
                                              return u < 0.5f ? RGBA{255, 0, 0, 255} : RGBA{0, 255, 0, 255};
                                          }));
        AddData(u"focus.TEX",
                screenkit::PaintedTexture(64, 32,
                                          [](float u, float) {
                                              return u < 0.5f ? RGBA{0, 0, 255, 255} : RGBA{255, 255, 0, 255};
                                          }));
        Prepare();
        ClearCanvas();
    }
};

TEST_P(FormTest, TheFrameShowsItsBandsSidesAndCentre)
{
    const float W = float(Width()), H = float(Height());
    const float band = 24 * H / 1200, side = 128 * W / 1600;
    const int l = int(W / 8), t = int(H / 8), w = int(W * 3 / 4), h = int(H * 3 / 4);
    KQ7Form form(l, t, w, h, u"frame.TEX", true);
    form.DrawObject();
    Checkpoint("frame");
    const int mid_y = t + h / 2, mid_x = l + w / 2;
    const struct
    {
        const char *where;
        int x, y;
        RGBA colour;
    } probes[] = {
        {"top band", mid_x, t + int(band / 2), kBand},
        {"bottom band", mid_x, t + h - int(band / 2) - 1, kBand},
        {"left side", l + int(side / 2), mid_y, kSide},
        {"right side", l + w - int(side / 2) - 1, mid_y, kSide},
        {"centre", mid_x, mid_y, kCentre},
        {"outside", l - 3, mid_y, kBack},
        {"below", mid_x, t + h + 3, kBack},
    };
    for (const auto &p : probes)
        EXPECT_TRUE(stagekit::Near(Pixel(p.x, p.y), p.colour, 8))
            << p.where << " " << ::testing::PrintToString(Pixel(p.x, p.y));
    // The frame scales with the canvas: the band ends where the design says.
    EXPECT_TRUE(stagekit::Near(Pixel(mid_x, t + int(band) + 2), kCentre, 8));
}

TEST_P(FormTest, AtTwoBandsHighTheBandsMeetAndNothingElseShows)
{
    const float H = float(Height());
    const int h = int(48 * H / 1200);
    KQ7Form form(10, 10, 300, h, u"frame.TEX", true);
    form.DrawObject();
    for (int y = 11; y < 10 + h - 1; ++y)
        EXPECT_TRUE(stagekit::Near(Pixel(150, y), kBand, 8)) << y;
}

TEST_P(FormTest, AFramelessFormDrawsNothingButItsChildren)
{
    KQ7Form form(10, 10, 300, 200);
    auto *button = new BitmapButton(20, 20, 2, 1, 2, 1, u"normal.TEX", u"focus.TEX");
    form.AddObject(button);
    form.DrawObject();
    EXPECT_EQ(form.GetFrameTexture(), nullptr);
    EXPECT_TRUE(stagekit::Near(Pixel(250, 150), kBack));
    EXPECT_FALSE(stagekit::Near(Pixel(10 + 20 + 3, 10 + 20 + 3), kBack)); // the child drew
}

TEST_P(FormTest, TheSheetButtonShowsItsHalfAndItsFocusSheet)
{
    const float sx = float(Width()) / 1024, sy = float(Height()) / 768;
    const struct
    {
        float cell_x;
        RGBA normal, focused;
    } cases[] = {
        {2, {191, 0, 0, 255}, {0, 0, 255, 255}},   // the left half; the normal sheet at alpha 0.75
        {1, {0, 191, 0, 255}, {255, 255, 0, 255}}, // the right half
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.cell_x);
        ClearCanvas();
        BitmapButton b(100, 100, c.cell_x, 1, 2, 1, u"normal.TEX", u"focus.TEX");
        EXPECT_FLOAT_EQ(b.Width, 32 * sx);
        EXPECT_FLOAT_EQ(b.Height, 32 * sx); // both from the width's scale
        b.DrawObject();
        const int x = 100 + int(32 * 0.62f * sx / 2), y = 100 + int(32 * 0.65f * sy / 2);
        EXPECT_TRUE(stagekit::Near(Pixel(x, y), c.normal, 6)) << ::testing::PrintToString(Pixel(x, y));
        // 62 % of the width and 65 % of the height (at 4:3) show; the rest stays clear.
        EXPECT_TRUE(stagekit::Near(Pixel(100 + int(32 * sx) - 2, y), kBack));
        b.SetFocus(true);
        b.DrawObject();
        EXPECT_TRUE(stagekit::Near(Pixel(x, y), c.focused, 6)) << ::testing::PrintToString(Pixel(x, y));
        // Pressed and disabled show the normal sheet again.
        b.SetFocus(false);
        b.SetEnabled(false);
        ClearCanvas();
        b.DrawObject();
        EXPECT_TRUE(stagekit::Near(Pixel(x, y), c.normal, 6));
    }
}

INSTANTIATE_TEST_SUITE_P(Canvases, FormTest, ::testing::ValuesIn(screenkit::kCanvases),
                         screenkit::CanvasName);
