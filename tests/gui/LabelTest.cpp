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
    const Font face(u"WenQuanYi Micro Hei", 0, CharHeight, false, false);
    return std::unique_ptr<TileFont>(CreateTileFont(face, face, 64));
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
    label.SetText(u"A longer text");
    EXPECT_FLOAT_EQ(label.Width, font->GetStringWidth(u"Hello 世界"));
    label.FixedSize = false;
    EXPECT_FLOAT_EQ(label.Width, font->GetStringWidth(u"A longer text"));
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

TEST(RichTextLabel, HeightFollowsTheLayout)
{
    auto font = MakeFont();
    ASSERT_TRUE(font);
    RichTextLabel label(0, 0, float(CharHeight) * 3, 0);
    label.Font = font.get();
    label.Text = String(u"一二三四五六七"); // three full-width characters a line: three lines
    EXPECT_FLOAT_EQ(label.Height, float(3 * font->CharHeight + 2 * font->LineGap));
    EXPECT_EQ(label.GetMakeup().Count, 7);
}
