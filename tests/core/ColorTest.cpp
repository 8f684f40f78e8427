#include "core/Color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace hgl;

namespace
{
// The CSS/SVG colour keywords with their values, listed by value.
const std::pair<const char *, unsigned> kKeywords[] = {
    {"black", 0x000000}, {"navy", 0x000080}, {"darkblue", 0x00008B}, {"mediumblue", 0x0000CD},
    {"blue", 0x0000FF}, {"darkgreen", 0x006400}, {"green", 0x008000}, {"teal", 0x008080},
    {"darkcyan", 0x008B8B}, {"deepskyblue", 0x00BFFF}, {"darkturquoise", 0x00CED1},
    {"mediumspringgreen", 0x00FA9A}, {"lime", 0x00FF00}, {"springgreen", 0x00FF7F}, {"aqua", 0x00FFFF},
    {"cyan", 0x00FFFF}, {"midnightblue", 0x191970}, {"dodgerblue", 0x1E90FF}, {"lightseagreen", 0x20B2AA},
    {"forestgreen", 0x228B22}, {"seagreen", 0x2E8B57}, {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F}, {"limegreen", 0x32CD32}, {"mediumseagreen", 0x3CB371},
    {"turquoise", 0x40E0D0}, {"royalblue", 0x4169E1}, {"steelblue", 0x4682B4}, {"darkslateblue", 0x483D8B},
    {"mediumturquoise", 0x48D1CC}, {"indigo", 0x4B0082}, {"darkolivegreen", 0x556B2F},
    {"cadetblue", 0x5F9EA0}, {"cornflowerblue", 0x6495ED}, {"mediumaquamarine", 0x66CDAA},
    {"dimgray", 0x696969}, {"dimgrey", 0x696969}, {"slateblue", 0x6A5ACD}, {"olivedrab", 0x6B8E23},
    {"slategray", 0x708090}, {"slategrey", 0x708090}, {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899}, {"mediumslateblue", 0x7B68EE}, {"lawngreen", 0x7CFC00},
    {"chartreuse", 0x7FFF00}, {"aquamarine", 0x7FFFD4}, {"maroon", 0x800000}, {"purple", 0x800080},
    {"olive", 0x808000}, {"gray", 0x808080}, {"grey", 0x808080}, {"skyblue", 0x87CEEB},
    {"lightskyblue", 0x87CEFA}, {"blueviolet", 0x8A2BE2}, {"darkred", 0x8B0000}, {"darkmagenta", 0x8B008B},
    {"saddlebrown", 0x8B4513}, {"darkseagreen", 0x8FBC8F}, {"lightgreen", 0x90EE90},
    {"mediumpurple", 0x9370DB}, {"darkviolet", 0x9400D3}, {"palegreen", 0x98FB98}, {"darkorchid", 0x9932CC},
    {"yellowgreen", 0x9ACD32}, {"sienna", 0xA0522D}, {"brown", 0xA52A2A}, {"darkgray", 0xA9A9A9},
    {"darkgrey", 0xA9A9A9}, {"lightblue", 0xADD8E6}, {"greenyellow", 0xADFF2F}, {"paleturquoise", 0xAFEEEE},
    {"lightsteelblue", 0xB0C4DE}, {"powderblue", 0xB0E0E6}, {"firebrick", 0xB22222},
    {"darkgoldenrod", 0xB8860B}, {"mediumorchid", 0xBA55D3}, {"rosybrown", 0xBC8F8F}, {"darkkhaki", 0xBDB76B},
    {"silver", 0xC0C0C0}, {"mediumvioletred", 0xC71585}, {"indianred", 0xCD5C5C}, {"peru", 0xCD853F},
    {"chocolate", 0xD2691E}, {"tan", 0xD2B48C}, {"lightgray", 0xD3D3D3}, {"lightgrey", 0xD3D3D3},
    {"thistle", 0xD8BFD8}, {"orchid", 0xDA70D6}, {"goldenrod", 0xDAA520}, {"palevioletred", 0xDB7093},
    {"crimson", 0xDC143C}, {"gainsboro", 0xDCDCDC}, {"plum", 0xDDA0DD}, {"burlywood", 0xDEB887},
    {"lightcyan", 0xE0FFFF}, {"lavender", 0xE6E6FA}, {"darksalmon", 0xE9967A}, {"violet", 0xEE82EE},
    {"palegoldenrod", 0xEEE8AA}, {"lightcoral", 0xF08080}, {"khaki", 0xF0E68C}, {"aliceblue", 0xF0F8FF},
    {"honeydew", 0xF0FFF0}, {"azure", 0xF0FFFF}, {"sandybrown", 0xF4A460}, {"wheat", 0xF5DEB3},
    {"beige", 0xF5F5DC}, {"whitesmoke", 0xF5F5F5}, {"mintcream", 0xF5FFFA}, {"ghostwhite", 0xF8F8FF},
    {"salmon", 0xFA8072}, {"antiquewhite", 0xFAEBD7}, {"linen", 0xFAF0E6}, {"lightgoldenrodyellow", 0xFAFAD2},
    {"oldlace", 0xFDF5E6}, {"red", 0xFF0000}, {"fuchsia", 0xFF00FF}, {"magenta", 0xFF00FF},
    {"deeppink", 0xFF1493}, {"orangered", 0xFF4500}, {"tomato", 0xFF6347}, {"hotpink", 0xFF69B4},
    {"coral", 0xFF7F50}, {"darkorange", 0xFF8C00}, {"lightsalmon", 0xFFA07A}, {"orange", 0xFFA500},
    {"lightpink", 0xFFB6C1}, {"pink", 0xFFC0CB}, {"gold", 0xFFD700}, {"peachpuff", 0xFFDAB9},
    {"navajowhite", 0xFFDEAD}, {"moccasin", 0xFFE4B5}, {"bisque", 0xFFE4C4}, {"mistyrose", 0xFFE4E1},
    {"blanchedalmond", 0xFFEBCD}, {"papayawhip", 0xFFEFD5}, {"lavenderblush", 0xFFF0F5},
    {"seashell", 0xFFF5EE}, {"cornsilk", 0xFFF8DC}, {"lemonchiffon", 0xFFFACD}, {"floralwhite", 0xFFFAF0},
    {"snow", 0xFFFAFA}, {"yellow", 0xFFFF00}, {"lightyellow", 0xFFFFE0}, {"ivory", 0xFFFFF0},
    {"white", 0xFFFFFF},
};

void ExpectColor(const Color4f &c, float r, float g, float b, float a)
{
    EXPECT_FLOAT_EQ(r, c.r);
    EXPECT_FLOAT_EQ(g, c.g);
    EXPECT_FLOAT_EQ(b, c.b);
    EXPECT_FLOAT_EQ(a, c.a);
}
} // namespace

TEST(Color, TableHoldsTheKeywordsInAlphabeticalOrder)
{
    std::vector<std::pair<std::string, unsigned>> sorted(std::begin(kKeywords), std::end(kKeywords));
    ASSERT_EQ(147u, sorted.size());
    std::sort(sorted.begin(), sorted.end());

    EXPECT_EQ(0, NamedColorTable[0].red + NamedColorTable[0].green + NamedColorTable[0].blue);
    EXPECT_EQ(u'\0', NamedColorTable[0].name[0]);
    EXPECT_EQ(&hgl::NamedColorTable[120], &::NamedColorTable[120]);  // known by its bare name too

    for (int i = 1; i < NamedColorCount; ++i)
    {
        const auto &[keyword, rgb] = sorted[size_t(i - 1)];
        const NamedColor &row = NamedColorTable[i];
        EXPECT_EQ(int(rgb >> 16), row.red) << i << " " << keyword;
        EXPECT_EQ(int((rgb >> 8) & 0xFF), row.green) << i << " " << keyword;
        EXPECT_EQ(int(rgb & 0xFF), row.blue) << i << " " << keyword;
        // Every name is set, terminated and at most 8 units.
        EXPECT_NE(u'\0', row.name[0]) << i;
        EXPECT_EQ(u'\0', row.name[8]) << i;
    }

    const std::pair<int, const char16_t *> names[] = {{1, u"艾利斯兰"}, {8, u"黑色"},   {54, u"灰色"},
                                                      {120, u"红色"},   {144, u"白色"}, {147, u"黄绿色"},
                                                      {112, u"苍紫罗兰色"}};
    for (const auto &[i, name] : names)
        EXPECT_EQ(std::u16string(name), NamedColorTable[i].name) << i;
}

TEST(Color, UseClampAndBlend)
{
    Color4f c;
    ExpectColor(c, 0, 0, 0, 1);
    c.Use(120, 0.5f);
    ExpectColor(c, 1, 0, 0, 0.5f);
    c.Use(1, 0.25f);
    EXPECT_EQ(240 * (1.0f / 255), c.r);
    EXPECT_EQ(248 * (1.0f / 255), c.g);
    EXPECT_EQ(1.0f, c.b);

    // A number outside the table gives black and keeps the alpha asked for.
    c.Use(148, 0.75f);
    ExpectColor(c, 0, 0, 0, 0.75f);
    c.Use(-1, 0.5f);
    ExpectColor(c, 0, 0, 0, 0.5f);
    Color3f c3(1, 1, 1);
    c3.Use(100000);
    EXPECT_EQ(Color3f(0, 0, 0), c3);

    Color4f k(-0.5f, 0.5f, 1.5f, 2);
    k.Clamp();
    ExpectColor(k, 0, 0.5f, 1, 1);
    Color3f m(-1, 0.25f, 7);
    m.Clamp();
    EXPECT_EQ(Color3f(0, 0.25f, 1), m);

    // To(target, t): t = 1 gives the target exactly, where c + (target - c) * 1 might
    // not; t outside 0..1 extrapolates.
    const struct
    {
        Color3f from, target;
        float t;
        Color3f expect;
    } blends[] = {
        {Color3f(0, 0, 0), Color3f(1, 1, 1), 0.25f, Color3f(0.25f, 0.25f, 0.25f)},
        {Color3f(0, 0, 0), Color3f(1, 1, 1), 0, Color3f(0, 0, 0)},
        {Color3f(0.1f, 0.7f, 0.3f), Color3f(0.3f, 1e-8f, 1e8f), 1, Color3f(0.3f, 1e-8f, 1e8f)},
        {Color3f(0.5f, 0.5f, 0.5f), Color3f(1, 1, 1), 2, Color3f(1.5f, 1.5f, 1.5f)},
        {Color3f(0.5f, 0.5f, 0.5f), Color3f(1, 0, 1), -1, Color3f(0, 1, 0)},
    };
    for (const auto &b : blends)
    {
        Color3f x = b.from;
        x.To(b.target.r, b.target.g, b.target.b, b.t);
        EXPECT_EQ(b.expect, x) << b.t;
    }

    static_assert(std::is_trivially_copyable_v<Color4f> && std::is_trivially_copyable_v<Color3f>);
}
