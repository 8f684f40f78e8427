// Fonts found by name and rendered, measured text and the layout of MakeupText:
// no GL context is needed for any of it.
#include "core/StrFunc.h"
#include "graphics/font/FontSource.h"
#include "graphics/font/TileFont.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace hgl;

namespace
{
constexpr int H = 20; // character height of the test font

const Font Chs{u"黑体", 0, H, false, false};
const Font Eng{u"Tahoma", 0, H, true, false};

bool HasInk(FontSource &source, u16char ch)
{
    std::vector<uint8> cell(H * H);
    source.Render(ch, cell.data(), H, H, H);
    for (uint8 v : cell)
        if (v > 0) return true;
    return false;
}

// The lines of a makeup as texts, top to bottom.
std::vector<std::u16string> Lines(const Makeup &m, const std::u16string &text)
{
    std::map<float, std::u16string> by_top;
    for (int i = 0; i < m.Count; i++)
        by_top[m.CharRect[i].Top] += text[size_t(i)];
    std::vector<std::u16string> out;
    for (auto &[top, line] : by_top)
        out.push_back(line);
    return out;
}
} // namespace

TEST(Font, FacesByNameRenderWithFallback)
{
    FontSource chinese(Chs, true);
    FontSource english(Eng, false);
    ASSERT_TRUE(chinese.IsValid());
    EXPECT_TRUE(HasInk(chinese, u'中'));
    EXPECT_TRUE(HasInk(english, u'A'));
    EXPECT_TRUE(HasInk(english, u'黑')) << "the English face lacks it; a fallback face has it";
    EXPECT_FALSE(HasInk(english, u' '));
}

TEST(Font, WidthsAreAdvances)
{
    TileFont font(Chs, Eng, 16);
    FontSource english(Eng, false);
    EXPECT_EQ(font.GetStringWidth(u"ABC"),
              float(english.GetAdvance(u'A') + english.GetAdvance(u'B') + english.GetAdvance(u'C')));
    EXPECT_GT(font.GetCharWidth(u'W'), font.GetCharWidth(u'i'));
    EXPECT_EQ(font.GetCharWidth(u'中'), H);
    EXPECT_EQ(font.GetCharWidth(u'，'), H);
    EXPECT_EQ(font.GetStringWidth(u"中文字", 2), float(2 * H));
    EXPECT_EQ(font.CharHeight, H);
    EXPECT_EQ(font.LineGap, 2);
    EXPECT_EQ(TileFont(Font{u"黑体", 0, 4, false, false}, Eng, 4).LineGap, 1);
}

TEST(Font, MakeupBreaksByThePunctuationRules)
{
    TileFont font(Chs, Eng, 16);
    struct Case
    {
        std::u16string text;
        int chars_wide;
        std::vector<std::u16string> lines;
    };
    const Case cases[] = {
        {u"一二三四五六七八", 4, {u"一二三四", u"五六七八"}},
        {u"一二三四，五六", 4, {u"一二三", u"四，五六"}}, // no line starts with "，"
        {u"一二三「四五」", 4, {u"一二三", u"「四五」"}}, // no line ends with "「"
        {u"一二\n三四五六七", 4, {u"一二\n", u"三四五六", u"七"}},
        {u"，，，，，，", 4, {u"，，，，，，"}}, // nothing to move back: the marks hang
        {u"一二三四五", 0, {u"一二三四五"}},     // no width: no wrapping
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        Makeup m;
        ASSERT_TRUE(font.MakeupText(m, cases[i].text.c_str(), cases[i].chars_wide * H, TileFont::AlignLeft));
        ASSERT_EQ(m.Count, int(cases[i].text.size()));
        EXPECT_EQ(Lines(m, cases[i].text), cases[i].lines) << "case " << i;
    }
}

TEST(Font, MakeupAlignmentLineStepAndClosingRect)
{
    TileFont font(Chs, Eng, 16);
    font.Color = Color4f(1, 0, 0, 0.5f);
    const int width = 10 * H;
    struct Case
    {
        int alignment;
        float first_left;
    };
    for (const Case &c : {Case{TileFont::AlignLeft, 0}, Case{TileFont::AlignCenter, 4 * H},
                          Case{TileFont::AlignRight, 8 * H}, Case{7, 0}})
    {
        Makeup m;
        font.MakeupText(m, u"一二三四五六七八九十甲乙", width, c.alignment);
        ASSERT_EQ(m.Count, 12);
        EXPECT_EQ(m.CharRect[10].Left, c.first_left) << c.alignment; // the second line holds two
        EXPECT_EQ(m.CharRect[10].Top, float(H + font.LineGap));
        EXPECT_EQ(m.EndRect.Left, c.first_left + 2 * H);
        EXPECT_EQ(m.EndRect.Top, m.CharRect[11].Top);
        EXPECT_EQ(m.CharColor[11], Color4f(1, 0, 0, 0.5f));
    }
    Makeup empty;
    EXPECT_TRUE(font.MakeupText(empty, u"", width, TileFont::AlignLeft));
    EXPECT_EQ(empty.Count, 0);
    EXPECT_FALSE(font.MakeupText(empty, nullptr, width, TileFont::AlignLeft));
}

TEST(Font, ParagraphKeepsTheRulesAtEveryWidth)
{
    TileFont font(Chs, Eng, 64);
    const std::u16string text =
        u"「你好，」她说：“今天（星期三）的天气很好。”我们去公园吧！好啊……走吧——"
        u"《红楼梦》里说【不可】如此；（注意）「对」『是』〈的〉、。？！Hello, world (test).";
    const std::u16string no_start = u"，。、；：？！）」』】〕〉》”’…—～,.;:?!)]}%";
    const std::u16string no_end = u"（「『【〔〈《“‘([{";
    for (int chars = 2; chars <= 12; chars++)
    {
        Makeup m;
        font.MakeupText(m, text.c_str(), chars * H, TileFont::AlignLeft);
        const auto lines = Lines(m, text);
        for (size_t i = 0; i < lines.size(); i++)
        {
            if (i > 0 && lines[i - 1].size() > 1)
            {
                EXPECT_EQ(no_start.find(lines[i].front()), std::u16string::npos) << chars << " line " << i;
            }
            if (i + 1 < lines.size() && lines[i].size() > 1)
            {
                EXPECT_EQ(no_end.find(lines[i].back()), std::u16string::npos) << chars << " line " << i;
            }
        }
    }
}

TEST(Font, StartUpBuildsTheDefaultTileFont)
{
    const Font old = GetDefaultFont();
    SetDefaultFont(Font{u"宋体", 0, 12, false, false});
    EXPECT_EQ(GetDefaultFont().Name.Comp(u"宋体"), 0);
    std::unique_ptr<TileFont> font(CreateTileFont(Chs, Eng, 7));
    EXPECT_EQ(font->Capacity, 7);
    EXPECT_EQ(font->CharHeight, H);
    SetDefaultFont(old);
}
