#include "core/Color.h"

namespace hgl
{
const NamedColor NamedColorTable[NamedColorCount] = {
    {0, 0, 0, u""},                 // 0
    {240, 248, 255, u"艾利斯兰"},   // 1 aliceblue
    {250, 235, 215, u"古董白"},     // 2 antiquewhite
    {0, 255, 255, u"浅绿色"},       // 3 aqua
    {127, 255, 212, u"碧绿色"},     // 4 aquamarine
    {240, 255, 255, u"天蓝色"},     // 5 azure
    {245, 245, 220, u"米色"},       // 6 beige
    {255, 228, 196, u"桔黄色"},     // 7 bisque
    {0, 0, 0, u"黑色"},             // 8 black
    {255, 235, 205, u"白杏色"},     // 9 blanchedalmond
    {0, 0, 255, u"蓝色"},           // 10 blue
    {138, 43, 226, u"紫罗兰色"},    // 11 blueviolet
    {165, 42, 42, u"褐色"},         // 12 brown
    {222, 184, 135, u"实木色"},     // 13 burlywood
    {95, 158, 160, u"军兰色"},      // 14 cadetblue
    {127, 255, 0, u"黄绿色"},       // 15 chartreuse
    {210, 105, 30, u"巧克力色"},    // 16 chocolate
    {255, 127, 80, u"珊瑚色"},      // 17 coral
    {100, 149, 237, u"菊花兰"},     // 18 cornflowerblue
    {255, 248, 220, u"米绸色"},     // 19 cornsilk
    {220, 20, 60, u"暗深红"},       // 20 crimson
    {0, 255, 255, u"青色"},         // 21 cyan
    {0, 0, 139, u"暗蓝色"},         // 22 darkblue
    {0, 139, 139, u"暗青色"},       // 23 darkcyan
    {184, 134, 11, u"暗金黄"},      // 24 darkgoldenrod
    {169, 169, 169, u"暗灰色"},     // 25 darkgray
    {0, 100, 0, u"暗绿色"},         // 26 darkgreen
    {169, 169, 169, u"暗白色"},     // 27 darkgrey
    {189, 183, 107, u"暗黄褐色"},   // 28 darkkhaki
    {139, 0, 139, u"暗洋红"},       // 29 darkmagenta
    {85, 107, 47, u"暗橄榄绿"},     // 30 darkolivegreen
    {255, 140, 0, u"暗桔黄"},       // 31 darkorange
    {153, 50, 204, u"暗紫色"},      // 32 darkorchid
    {139, 0, 0, u"暗红色"},         // 33 darkred
    {233, 150, 122, u"暗肉色"},     // 34 darksalmon
    {143, 188, 143, u"暗海兰"},     // 35 darkseagreen
    {72, 61, 139, u"暗灰兰"},       // 36 darkslateblue
    {47, 79, 79, u"墨绿色"},        // 37 darkslategray
    {47, 79, 79, u"暗灰绿"},        // 38 darkslategrey
    {0, 206, 209, u"暗宝石绿"},     // 39 darkturquoise
    {148, 0, 211, u"暗紫罗兰"},     // 40 darkviolet
    {255, 20, 147, u"深粉红"},      // 41 deeppink
    {0, 191, 255, u"深天蓝"},       // 42 deepskyblue
    {105, 105, 105, u"暗灰色"},     // 43 dimgray
    {105, 105, 105, u"暗灰白"},     // 44 dimgrey
    {30, 144, 255, u"闪兰色"},      // 45 dodgerblue
    {178, 34, 34, u"火砖色"},       // 46 firebrick
    {255, 250, 240, u"花白色"},     // 47 floralwhite
    {34, 139, 34, u"森林绿"},       // 48 forestgreen
    {255, 0, 255, u"紫红色"},       // 49 fuchsia
    {220, 220, 220, u"淡灰色"},     // 50 gainsboro
    {248, 248, 255, u"幽灵白"},     // 51 ghostwhite
    {255, 215, 0, u"金色"},         // 52 gold
    {218, 165, 32, u"金麒麟色"},    // 53 goldenrod
    {128, 128, 128, u"灰色"},       // 54 gray
    {0, 128, 0, u"绿色"},           // 55 green
    {173, 255, 47, u"蓝绿色"},      // 56 greenyellow
    {128, 128, 128, u"灰白色"},     // 57 grey
    {240, 255, 240, u"蜜色"},       // 58 honeydew
    {255, 105, 180, u"热粉红"},     // 59 hotpink
    {205, 92, 92, u"印第安红"},     // 60 indianred
    {75, 0, 130, u"靛青色"},        // 61 indigo
    {255, 255, 240, u"象牙白"},     // 62 ivory
    {240, 230, 140, u"黄褐色"},     // 63 khaki
    {230, 230, 250, u"淡紫色"},     // 64 lavender
    {255, 240, 245, u"淡紫红"},     // 65 lavenderblush
    {124, 252, 0, u"草绿色"},       // 66 lawngreen
    {255, 250, 205, u"柠檬绸"},     // 67 lemonchiffon
    {173, 216, 230, u"亮蓝色"},     // 68 lightblue
    {240, 128, 128, u"亮珊瑚色"},   // 69 lightcoral
    {224, 255, 255, u"亮青色"},     // 70 lightcyan
    {250, 250, 210, u"亮金黄"},     // 71 lightgoldenrodyellow
    {211, 211, 211, u"亮灰色"},     // 72 lightgray
    {144, 238, 144, u"亮绿色"},     // 73 lightgreen
    {211, 211, 211, u"亮灰白"},     // 74 lightgrey
    {255, 182, 193, u"亮粉红"},     // 75 lightpink
    {255, 160, 122, u"亮肉色"},     // 76 lightsalmon
    {32, 178, 170, u"亮海蓝"},      // 77 lightseagreen
    {135, 206, 250, u"亮天蓝"},     // 78 lightskyblue
    {119, 136, 153, u"亮蓝灰"},     // 79 lightslategray
    {119, 136, 153, u"亮蓝白"},     // 80 lightslategrey
    {176, 196, 222, u"亮钢兰"},     // 81 lightsteelblue
    {255, 255, 224, u"亮黄色"},     // 82 lightyellow
    {0, 255, 0, u"酸橙色"},         // 83 lime
    {50, 205, 50, u"橙绿色"},       // 84 limegreen
    {250, 240, 230, u"亚麻色"},     // 85 linen
    {255, 0, 255, u"红紫色"},       // 86 magenta
    {128, 0, 0, u"粟色"},           // 87 maroon
    {102, 205, 170, u"间绿色"},     // 88 mediumaquamarine
    {0, 0, 205, u"间兰色"},         // 89 mediumblue
    {186, 85, 211, u"间淡紫"},      // 90 mediumorchid
    {147, 112, 219, u"间紫色"},     // 91 mediumpurple
    {60, 179, 113, u"间海蓝"},      // 92 mediumseagreen
    {123, 104, 238, u"间暗蓝"},     // 93 mediumslateblue
    {0, 250, 154, u"间春绿"},       // 94 mediumspringgreen
    {72, 209, 204, u"间绿宝石"},    // 95 mediumturquoise
    {199, 21, 133, u"间紫罗兰"},    // 96 mediumvioletred
    {25, 25, 112, u"中灰蓝"},       // 97 midnightblue
    {245, 255, 250, u"薄荷色"},     // 98 mintcream
    {255, 228, 225, u"浅玫瑰"},     // 99 mistyrose
    {255, 228, 181, u"鹿皮色"},     // 100 moccasin
    {255, 222, 173, u"纳瓦白"},     // 101 navajowhite
    {0, 0, 128, u"海军色"},         // 102 navy
    {253, 245, 230, u"老花色"},     // 103 oldlace
    {128, 128, 0, u"橄榄色"},       // 104 olive
    {107, 142, 35, u"深绿褐色"},    // 105 olivedrab
    {255, 165, 0, u"橙色"},         // 106 orange
    {255, 69, 0, u"红橙色"},        // 107 orangered
    {218, 112, 214, u"淡紫色"},     // 108 orchid
    {238, 232, 170, u"苍麒麟色"},   // 109 palegoldenrod
    {152, 251, 152, u"苍绿色"},     // 110 palegreen
    {175, 238, 238, u"苍宝石绿"},   // 111 paleturquoise
    {219, 112, 147, u"苍紫罗兰色"}, // 112 palevioletred
    {255, 239, 213, u"番木色"},     // 113 papayawhip
    {255, 218, 185, u"桃色"},       // 114 peachpuff
    {205, 133, 63, u"秘鲁色"},      // 115 peru
    {255, 192, 203, u"粉红色"},     // 116 pink
    {221, 160, 221, u"洋李色"},     // 117 plum
    {176, 224, 230, u"粉蓝色"},     // 118 powderblue
    {128, 0, 128, u"紫色"},         // 119 purple
    {255, 0, 0, u"红色"},           // 120 red
    {188, 143, 143, u"褐玫瑰红"},   // 121 rosybrown
    {65, 105, 225, u"皇家蓝"},      // 122 royalblue
    {139, 69, 19, u"重褐色"},       // 123 saddlebrown
    {250, 128, 114, u"鲜肉色"},     // 124 salmon
    {244, 164, 96, u"沙褐色"},      // 125 sandybrown
    {46, 139, 87, u"海绿色"},       // 126 seagreen
    {255, 245, 238, u"海贝色"},     // 127 seashell
    {160, 82, 45, u"赭色"},         // 128 sienna
    {192, 192, 192, u"银色"},       // 129 silver
    {135, 206, 235, u"天蓝色"},     // 130 skyblue
    {106, 90, 205, u"石蓝色"},      // 131 slateblue
    {112, 128, 144, u"灰石色"},     // 132 slategray
    {112, 128, 144, u"白灰石色"},   // 133 slategrey
    {255, 250, 250, u"雪白色"},     // 134 snow
    {0, 255, 127, u"春绿色"},       // 135 springgreen
    {70, 130, 180, u"钢兰色"},      // 136 steelblue
    {210, 180, 140, u"茶色"},       // 137 tan
    {0, 128, 128, u"水鸭色"},       // 138 teal
    {216, 191, 216, u"蓟色"},       // 139 thistle
    {255, 99, 71, u"西红柿色"},     // 140 tomato
    {64, 224, 208, u"青绿色"},      // 141 turquoise
    {238, 130, 238, u"紫罗兰色"},   // 142 violet
    {245, 222, 179, u"浅黄色"},     // 143 wheat
    {255, 255, 255, u"白色"},       // 144 white
    {245, 245, 245, u"烟白色"},     // 145 whitesmoke
    {255, 255, 0, u"黄色"},         // 146 yellow
    {154, 205, 50, u"黄绿色"},      // 147 yellowgreen
};

namespace
{
// A number outside the table would read past it; such a number means "no colour".
const NamedColor &Row(int number)
{
    if (number < 0 || number >= NamedColorCount) number = 0;
    return NamedColorTable[number];
}

constexpr float ByteToUnit = 1.0f / 255.0f;

float Clamp01(float v)
{
    if (v < 0) return 0;
    if (v > 1) return 1;
    return v;
}

float Toward(float from, float to, float t)
{
    return from + (to - from) * t;
}
} // namespace

void Color3f::Use(int number)
{
    const NamedColor &row = Row(number);
    r = float(row.red) * ByteToUnit;
    g = float(row.green) * ByteToUnit;
    b = float(row.blue) * ByteToUnit;
}

void Color3f::Clamp()
{
    r = Clamp01(r);
    g = Clamp01(g);
    b = Clamp01(b);
}

void Color3f::To(float tr, float tg, float tb, float t)
{
    if (t == 0) return;
    if (t == 1)
    {
        r = tr;
        g = tg;
        b = tb;
        return;
    }
    r = Toward(r, tr, t);
    g = Toward(g, tg, t);
    b = Toward(b, tb, t);
}

void Color4f::Use(int number, float alpha)
{
    const NamedColor &row = Row(number);
    r = float(row.red) * ByteToUnit;
    g = float(row.green) * ByteToUnit;
    b = float(row.blue) * ByteToUnit;
    a = alpha;
}

void Color4f::Clamp()
{
    r = Clamp01(r);
    g = Clamp01(g);
    b = Clamp01(b);
    a = Clamp01(a);
}
} // namespace hgl
