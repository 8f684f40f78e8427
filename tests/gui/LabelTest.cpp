#include "graphics/font/TileFont.h"
#include "gui/Label.h"
#include "gui/RichTextLabel.h"
#include "io/Font.h"

#include "support/LogCapture.h"

#include <gtest/gtest.h>
#include <memory>

using namespace hgl;
using namespace hgl::gui;

namespace
{
constexpr int CharHeight = 16;

std::unique_ptr<TileFont> MakeFont()
{
    const Font chs(u"WenQuanYi Micro Hei", 0, CharHeight, false, false);
    const Font eng(u"WenQuanYi Micro Hei", 0, CharHeight, false, false);
    return std::unique_ptr<TileFont>(CreateTileFont(chs, eng, 64));
}
} // namespace

TEST(Label, SizesToItsTextUnlessFixed)
{
    auto font = MakeFont();
    ASSERT_TRUE(font);
    Label label(5, 6);
    label.Font = font.get();
    label.Text = String(u"Hello 世界");
    EXPECT_FLOAT_EQ(label.Width, font->GetStringWidth(u"Hello 世界"));
    EXPECT_FLOAT_EQ(label.Height, float(font->CharHeight));

    label.FixedSize = true;
    label.SetText(u"A much longer text than before");
    EXPECT_FLOAT_EQ(label.Width, font->GetStringWidth(u"Hello 世界"));
    label.FixedSize = false;
    EXPECT_FLOAT_EQ(label.Width, font->GetStringWidth(u"A much longer text than before"));
}

TEST(Label, WithoutAFontKeepsItsSizeAndLogsOnce)
{
    test::LogCapture log;
    Label label(0, 0, u"无字体");
    label.SetText(u"还是无字体");
    label.Draw();
    EXPECT_FLOAT_EQ(label.Width, 0);
    EXPECT_EQ(log.Errors().size(), 1u) << log.Dump();
}

TEST(Label, ClickOnPressOverIt)
{
    Label label(10, 10);
    label.SetSize(50, 20);
    EXPECT_FALSE(label.Proc_MouseLeftDown(20, 20, 0)); // no click closure: not taken
    int clicks = 0;
    label.OnClick.Bind(&clicks, [](void *c, Label *) { ++*static_cast<int *>(c); });
    EXPECT_FALSE(label.Proc_MouseLeftDown(5, 5, 0));
    EXPECT_TRUE(label.Proc_MouseLeftDown(20, 20, 0));
    EXPECT_EQ(clicks, 1);
}

TEST(RichTextLabel, HeightFollowsTheLayout)
{
    auto font = MakeFont();
    ASSERT_TRUE(font);
    RichTextLabel label(0, 0, float(CharHeight) * 3, 0);
    label.Font = font.get();
    label.Text = String(u"一二三四五六七"); // three full-width characters a line: three lines
    EXPECT_FLOAT_EQ(label.Height, float(3 * font->CharHeight + 2 * font->LineGap));
    EXPECT_EQ(label.GetMakeup().Count, 7);

    RichTextLabel fixed(0, 0, 200, 40);
    fixed.Font = font.get();
    fixed.SetText(u"一二三");
    EXPECT_FLOAT_EQ(fixed.Height, 40);
}
