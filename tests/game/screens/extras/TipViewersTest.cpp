// The tip and object viewers: the tip text's split and columns, the sliding
// picture with its shadow, closing on any key, and the object viewer on black.
#include "ExtrasTestKit.h"

#include "game/screens/extras/TipLayout.h"
#include "game/screens/extras/ViewObject.h"
#include "game/screens/extras/ViewTips.h"
#include "graphics/font/TileFont.h"

#include <cmath>

namespace
{
const hgl::test::RGBA kBackground{40, 80, 120, 255}, kPattern{200, 200, 200, 255};
const hgl::test::RGBA kViewer{250, 240, 10, 255}, kEntry{10, 200, 60, 255}, kObject{220, 30, 200, 255};

struct Split
{
    const char16_t *text, *title, *body;
};
} // namespace

TEST(TipSplit, AtTheFirstFullWidthColonElseAtTheFirstColon)
{
    const Split cases[] = {
        {u"标题：正文，续", u"标题", u"正文，续"},
        {u"a:b：c", u"a:b", u"c"},   // the full-width colon wins wherever it stands
        {u"a：b：c", u"a", u"b：c"}, // the first of them
        {u"Title:body:more", u"Title", u"body:more"},
        {u"no colon at all", u"", u"no colon at all"},
        {u"：", u"", u""},
        {u"end:", u"end", u""},
        {u"", u"", u""},
    };
    for (const Split &c : cases)
    {
        hgl::String title(u"stale"), body(u"stale");
        avg::tips::SplitTipText(hgl::String(c.text), title, body);
        EXPECT_EQ(title.ToStdString(), std::u16string(c.title)) << hgl::String(c.text).ToUTF8();
        EXPECT_EQ(body.ToStdString(), std::u16string(c.body)) << hgl::String(c.text).ToUTF8();
    }
}

TEST(TipColumns, CommasStartColumnsFurtherLeftAndAreNotDrawn)
{
    struct Placed
    {
        char16_t ch;
        float x;
        int y;
    };
    std::vector<Placed> placed;
    avg::tips::WalkColumns(
        hgl::String(u"ab，c,d"), 100.0f, 20, 30, 40.0f, true,
        [](hgl::u16char ch) { return ch == u'a' ? 10 : 20; },
        [&](hgl::u16char ch, float x, int y) {
            placed.push_back({ch, x, y});
        });
    const std::vector<Placed> expected = {{u'a', 95, 20}, {u'b', 90, 50}, {u'c', 50, 20}, {u'd', 10, 20}};
    ASSERT_EQ(placed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(placed[i].ch, expected[i].ch);
        EXPECT_FLOAT_EQ(placed[i].x, expected[i].x);
        EXPECT_EQ(placed[i].y, expected[i].y);
    }

    // A title column draws its commas.
    placed.clear();
    avg::tips::WalkColumns(
        hgl::String(u"x,y"), 100.0f, 0, 10, 40.0f, false, [](hgl::u16char) { return 0; },
        [&](hgl::u16char ch, float x, int y) {
            placed.push_back({ch, x, y});
        });
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[2].y, 20);
    EXPECT_FLOAT_EQ(placed[2].x, 100);
}

class TipViewersTest : public ExtrasTest
{
  protected:
    ViewTips *tips = nullptr;

    void SetUp() override
    {
        ExtrasTest::SetUp();
        AddPicture(u"WordUnit\\BackGround.HGP", 16, 12, kBackground);
        AddPicture(u"WordUnit\\DiWen.HGP", 16, 12, kPattern);
        AddPicture(u"WordUnit\\tip.HGP", 200, 300, kViewer);
        // A picture taller than its first layer stands for a bigger one.
        AddLayered(u"WordUnit\\half.HGP", 200, 300, {{u"", 200, 150, kViewer}});
        AddLayered(u"WordUnit\\entry.HGP", 16, 16,
                   {{u"Normal", 16, 16, {90, 90, 90, 255}}, {u"Select", 16, 16, kEntry}});
        AddPicture(u"WordUnit\\thing.HGP", 40, 30, kObject);
        Prepare();
    }

    void OpenTips(const char16_t *text, const char16_t *picture = u"WordUnit\\tip.HGP")
    {
        tips = new ViewTips(u"WordUnit\\BackGround.HGP", picture, text, u"WordUnit\\entry.HGP");
        Run(tips);
    }
};

TEST_F(TipViewersTest, OneCommaGivesTwoBodyColumnsBesideTheTitle)
{
    OpenTips(u"标题：正文一，正文二");
    EXPECT_EQ(tips->GetTitle().ToStdString(), u"标题");
    EXPECT_EQ(tips->GetBody().ToStdString(), u"正文一，正文二");

    const float sx = 1024.0f / 1600, sy = 768.0f / 1200;
    std::vector<float> centres;
    std::vector<int> tops;
    hgl::TileFont *body = tips->GetBodyFont();
    ASSERT_NE(body, nullptr);
    avg::tips::WalkColumns(
        tips->GetBody(), ViewTips::kBodyX * sx, int(ViewTips::kTextTop * sy),
        body->CharHeight + body->LineGap, ViewTips::kColumnShift * sx, true,
        [body](hgl::u16char ch) { return body->GetCharWidth(ch); },
        [&](hgl::u16char ch, float x, int y)
        {
            centres.push_back(x + float(body->GetCharWidth(ch)) / 2);
            tops.push_back(y);
        });
    ASSERT_EQ(centres.size(), 6u);
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_FLOAT_EQ(centres[i], 1342 * sx);
        EXPECT_FLOAT_EQ(centres[3 + i], 1278 * sx);
        EXPECT_EQ(tops[i], tops[3 + i]);
    }
    EXPECT_EQ(tops[0], 185);

    // On the canvas: ink in the three columns at the text's top, none between them.
    Frames(101);
    Checkpoint("final");
    auto dark = [&](int x0, int x1, int y0, int y1)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += Pixel(x, y).r < 100 ? 1 : 0;
        return n;
    };
    const int title_x = int(1476 * sx), first = int(1342 * sx), second = int(1278 * sx);
    EXPECT_GT(dark(title_x - 10, title_x + 10, 186, 210), 5);
    EXPECT_GT(dark(first - 10, first + 10, 186, 210), 5);
    EXPECT_GT(dark(second - 10, second + 10, 186, 210), 5);
    EXPECT_EQ(dark(second + 15, first - 15, 186, 400), 0);
    EXPECT_EQ(dark(second - 60, second - 25, 186, 400), 0); // no third column
}

TEST_F(TipViewersTest, TheColonFallbackAndATextWithoutOne)
{
    OpenTips(u"Snow:white");
    EXPECT_EQ(tips->GetTitle().ToStdString(), u"Snow");
    EXPECT_EQ(tips->GetBody().ToStdString(), u"white");
    tips->SetObjectState(hgl::FlowObject::fosReturn);
    Frame();
    EXPECT_TRUE(CallerBack());

    OpenTips(u"plain");
    EXPECT_TRUE(tips->GetTitle().IsEmpty());
    EXPECT_EQ(tips->GetBody().ToStdString(), u"plain");
}

TEST_F(TipViewersTest, ThePictureSlidesToItsPlaceInAHundredFrames)
{
    OpenTips(u"a：b");
    const float left = tips->GetPictureLeft();
    // c = 30 for the body font on a 768-high canvas; k = 1.
    EXPECT_FLOAT_EQ(tips->GetPictureScale(), 0.64f);
    EXPECT_FLOAT_EQ(tips->GetPictureTop(), 768 - 640);
    EXPECT_NEAR(left, (512 + 60 - 200 * 640 / 300.0) / 2, 1e-3);
    const float p = 200 * 0.64f * 0.3f;
    EXPECT_NEAR(tips->GetPictureX(), left - p, 1e-3);
    Frames(50);
    EXPECT_NEAR(tips->GetPictureX(), left - p / 2, 1e-3);
    Frames(49);
    EXPECT_LT(tips->GetPictureX(), left);
    Frame();
    EXPECT_FLOAT_EQ(tips->GetPictureX(), left);
    EXPECT_FLOAT_EQ(tips->GetAppear(), 1);
    Frames(5);
    EXPECT_FLOAT_EQ(tips->GetPictureX(), left);
}

TEST_F(TipViewersTest, TheShadowDarkensWhatLiesBelowIt)
{
    OpenTips(u"a：b");
    Frames(101);
    const int right = int(std::ceil(tips->GetPictureLeft() + 200 * 0.64f));
    const int y = 250; // over the pattern, inside the picture's height
    EXPECT_TRUE(stagekit::Near(Pixel(right - 3, y), kViewer));
    // The shadow lies 10 pixels right of the picture and 5 below it.
    const hgl::test::RGBA shaded{140, 140, 140, 255}; // 200 x 0.7
    EXPECT_TRUE(stagekit::Near(Pixel(right + 8, y), shaded, 4));
    EXPECT_TRUE(stagekit::Near(Pixel(right + 14, y), kPattern));
    const int bottom = int(tips->GetPictureTop() + 300 * 0.64f), x = right - 40;
    EXPECT_TRUE(stagekit::Near(Pixel(x, bottom + 3), shaded, 4));
    EXPECT_TRUE(stagekit::Near(Pixel(x, bottom + 7), kPattern));
    // The entry's "Select" layer at (50 sx, 250 sy), 1.4 sy times its size.
    EXPECT_TRUE(stagekit::Near(Pixel(40, 165), kEntry));
    // Above the pattern the background shows.
    EXPECT_TRUE(stagekit::Near(Pixel(600, 20), kBackground));
}

TEST_F(TipViewersTest, APictureTallerThanItsFirstLayerIsScaledUp)
{
    OpenTips(u"a：b", u"WordUnit\\half.HGP");
    EXPECT_FLOAT_EQ(tips->GetPictureScale(), 1.28f);
    EXPECT_FLOAT_EQ(tips->GetPictureTop(), 768 - 1280);
}

TEST_F(TipViewersTest, AMissingPictureIsDrawnAsNothing)
{
    OpenTips(u"a：b", u"WordUnit\\none.HGP");
    EXPECT_FLOAT_EQ(tips->GetPictureScale(), 0.64f); // k = 1 without a first layer
    Frames(3);
    EXPECT_TRUE(stagekit::Near(Pixel(600, 20), kBackground));
}

TEST_F(TipViewersTest, AnyKeyOrARightClickClosesAtOnce)
{
    for (int way = 0; way < 3; ++way)
    {
        OpenTips(u"a：b");
        Frames(10);
        if (way == 0) flow->Proc_KeyDown(54);
        if (way == 1) flow->Proc_KeyDown(1);
        if (way == 2) flow->Proc_MouseRightDown(5, 5, 0);
        Frame();
        EXPECT_TRUE(CallerBack()) << way;
    }

    auto *object = new ViewObject(u"WordUnit\\BackGround.HGP", u"WordUnit\\thing.HGP", u"desc");
    Run(object);
    Frame();
    flow->Proc_KeyDown(70);
    Frame();
    EXPECT_TRUE(CallerBack());
}

TEST_F(TipViewersTest, TheObjectViewerIsBlackOutsideItsPictureAndText)
{
    auto *object = new ViewObject(u"WordUnit\\BackGround.HGP", u"WordUnit\\thing.HGP", u"一把红色的伞。");
    Run(object);
    hgl::TileFont *font = object->GetFont();
    ASSERT_NE(font, nullptr);
    const int c = font->CharHeight, g = font->LineGap;
    EXPECT_EQ(c, 30);
    EXPECT_EQ(object->GetMakeup().x, 3 * c);
    EXPECT_EQ(object->GetMakeup().y, int(768 - 3.5 * (c + g)));
    EXPECT_EQ(object->GetLineWidth(), 1024 - 6 * c);
    EXPECT_EQ(object->GetMakeup().Count, 7);

    Frame();
    Checkpoint("object");
    const float a = 768 - 4.0f * (c + g), w = 4 * a / 3;
    const int x0 = int(std::ceil((1024 - w) / 2)), x1 = int((1024 + w) / 2);
    EXPECT_TRUE(stagekit::Near(Pixel(x0 + 2, c + 2), kObject));
    EXPECT_TRUE(stagekit::Near(Pixel(x1 - 2, int(a) - 2), kObject));
    for (auto [x, y] : {std::pair{2, 2}, {x0 - 3, 300}, {x1 + 3, 300}, {512, c - 3}, {1020, 760}, {5, 700}})
        EXPECT_TRUE(stagekit::Near(Pixel(x, y), {0, 0, 0, 255})) << x << "," << y;
    // The description in white below the picture.
    int white = 0;
    for (int y = object->GetMakeup().y; y < object->GetMakeup().y + c; ++y)
        for (int x = 3 * c; x < 3 * c + 7 * c; ++x)
            white += Pixel(x, y).r > 200 ? 1 : 0;
    EXPECT_GT(white, 20);
}
