#include "tools/mkdemo/DemoExtras.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace hgl::demo
{
namespace
{
constexpr int kSceneW = 256, kSceneH = 192;
constexpr int kCharW = 163, kCharH = 45;  // a quarter of 652 x 181 on the 1600 x 1200 design
constexpr int kThumbW = 75, kThumbH = 55; // 300 x 220
constexpr int kEntryW = 32, kEntryH = 90; // 64 x 180
constexpr int kTabW = 100, kTabH = 30;
constexpr int kViewerW = 200, kViewerH = 300; // drawn 1000 design pixels high
constexpr int kObjectW = 160, kObjectH = 120;
constexpr int kCharacters = 10, kTabs = 4;

const Rgba kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255}, kClear{0, 0, 0, 0};

std::string Ascii(const std::u16string &s)
{
    std::string out;
    for (char16_t c : s)
        out += c < 0x80 ? char(c) : '?';
    return out;
}

Rgba Shade(int i, int of)
{
    return {uint8_t(80 + 150 * i / of), uint8_t(200 - 100 * i / of), uint8_t(140 + 90 * (of - i) / of), 255};
}

DemoCanvas Card(const std::string &label, int w, int h, Rgba colour)
{
    DemoCanvas c(w, h);
    c.Gradient(colour, {uint8_t(colour.r / 2), uint8_t(colour.g / 2), uint8_t(colour.b / 2), 255});
    c.Frame(2, kWhite);
    c.Label(label, kBlack);
    return c;
}

class Pictures
{
    std::vector<DemoPicture> &list;

  public:
    explicit Pictures(std::vector<DemoPicture> &l) : list(l) {}

    void Put(DemoPicture p)
    {
        std::erase_if(list, [&](const DemoPicture &q) { return q.path == p.path; });
        list.push_back(std::move(p));
    }

    // One layer per name, the same label in a colour of its own for each.
    void Layered(const std::u16string &path, const std::string &label, int w, int h,
                 std::initializer_list<const char *> names, Rgba base)
    {
        DemoPicture p{path, false, w, h, {}};
        int i = 0;
        for (const char *name : names)
        {
            const Rgba c{uint8_t(std::min(255, base.r + 40 * i)), uint8_t(std::max(0, base.g - 30 * i)),
                         base.b, 255};
            p.layers.push_back({name, 1.0f, Card(label, w, h, c)});
            ++i;
        }
        Put(std::move(p));
    }
    void One(const std::u16string &path, const std::string &label, int w, int h, Rgba colour)
    {
        Layered(path, label, w, h, {""}, colour);
    }
    void Texture(const std::u16string &path, DemoCanvas canvas)
    {
        DemoPicture p{path, true, canvas.Width(), canvas.Height(), {}};
        p.layers.push_back({"", 1.0f, std::move(canvas)});
        Put(std::move(p));
    }
    void Painted(const std::u16string &path, DemoCanvas canvas)
    {
        DemoPicture p{path, false, canvas.Width(), canvas.Height(), {}};
        p.layers.push_back({"", 1.0f, std::move(canvas)});
        Put(std::move(p));
    }
};

// The album's focus frame: each quarter of the texture is one corner piece, an
// L of the colour in the corner it stands for.
DemoCanvas Corners(Rgba colour)
{
    constexpr int n = 64, half = n / 2, bar = 5;
    DemoCanvas c(n, n);
    c.Fill(kClear);
    c.Rect(0, 0, half, bar, colour); // top-left
    c.Rect(0, 0, bar, half, colour);
    c.Rect(half, 0, half, bar, colour); // top-right
    c.Rect(n - bar, 0, bar, half, colour);
    c.Rect(0, n - bar, half, bar, colour); // bottom-left
    c.Rect(0, half, bar, half, colour);
    c.Rect(half, n - bar, half, bar, colour); // bottom-right
    c.Rect(n - bar, half, bar, half, colour);
    return c;
}

// The frame around a CG thumbnail: a border with a clear middle.
DemoCanvas CGFrame()
{
    constexpr int w = 80, h = 60, border = 4;
    DemoCanvas c(w, h);
    c.Fill({230, 200, 150, 255});
    c.Rect(border, border, w - 2 * border, h - 2 * border, kClear);
    return c;
}

// A small cloud: one per extra picture of a CG entry.
DemoCanvas Cloud()
{
    constexpr int w = 32, h = 16;
    DemoCanvas c(w, h);
    c.Fill(kClear);
    c.Rect(4, 6, 24, 8, kWhite);
    c.Rect(8, 2, 10, 6, kWhite);
    c.Rect(16, 4, 8, 4, kWhite);
    return c;
}

// The "not seen yet" picture.
DemoCanvas Unfound()
{
    DemoCanvas c(kThumbW, kThumbH);
    c.Fill({70, 70, 80, 255});
    c.Frame(2, {150, 150, 160, 255});
    c.Label("?", {200, 200, 210, 255});
    return c;
}

// The three glossary entry families the scripts use.
const char16_t *const kTipEntries[] = {u"T01", u"T02", u"T03", u"T04", u"T05", u"T91"};
const char16_t *const kObjectEntries[] = {u"O01", u"O02"};

const char kAlbumCharacters[kCharacters][3] = {"DX", "MY", "DY", "QW", "BC", "XR", "XY", "BJ", "QT", "QG"};

std::u16string Number(int n, int digits)
{
    const std::string text = std::to_string(n);
    std::u16string s(text.begin(), text.end());
    while (int(s.size()) < digits)
        s = u"0" + s;
    return s;
}

std::u16string WithCRLF(const std::u16string &text)
{
    std::u16string out;
    for (char16_t c : text)
    {
        if (c == u'\n') out += u'\r';
        out += c;
    }
    return out;
}

// The album scripts: every page shows the story's two CGs (seen once the story
// has shown them) and CGs the demo story never shows; the QW page declares 18,
// of which the last two make no entry.
std::u16string AlbumScript(int character)
{
    std::u16string s = u"// " + std::u16string(kAlbumCharacters[character], kAlbumCharacters[character] + 2) +
                       u"\nfunc main()\n{\n    SetBG(\"CGPage.HGP\");\n    SetZCG(\"C000\", 0);\n";
    s += u"    SetCG(\"C001\", 0);\n    SetZCG(\"C002\", 0);\n    SetZCG(\"bg01\", 0);\n";
    s += u"    SetCG(\"c002\", 0);\n";
    const int unseen = character == 3 ? 16 : 1 + character % 3;
    for (int i = 1; i <= unseen; ++i)
    {
        s += u"    SetCG(\"C1" + Number(character, 1) + Number(i, 2) + u"\", " + Number(i, 1) + u");\n";
        if (i % 5 == 0) s += u"    SetZCG(\"C1" + Number(character, 1) + Number(i, 2) + u"b\", 0);\n";
    }
    return s + u"}\n";
}

// Tab 1: the first column holds labels (the third row's is hidden), a '9' two
// places before the dot makes an entry inert, texts split at "：" or ':', commas
// start new columns.
const char16_t kTips1[] = uR"S(func main()
{
    SetTips("", "WordUnit\\T01.HGP", "WordUnit\\V01.HGP", "标签：第一列只是标签");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V01.HGP", "初雪：冬天的第一场雪，落在城市里，很安静。");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V02.HGP", "Umbrella:a red one,old");
    SetTips("", "WordUnit\\T91.HGP", "WordUnit\\V02.HGP", "锁住：带九的条目不能打开");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V03.HGP", "没有冒号的说明");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V03.HGP", "小雪：故事的主人公，喜欢下雪的日子。");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V01.HGP", "雪人：用雪堆成，的人形");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V02.HGP", "路灯：夜里亮着");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V03.HGP", "车站：小雪每天等车的地方");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V01.HGP", "围巾：红色，很暖和");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V02.HGP", "咖啡：热的");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V03.HGP", "信：没有寄出");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V01.HGP", "钟楼：正午敲响");
    SetTips("", "WordUnit\\T01.HGP", "WordUnit\\V01.HGP", "标签：第二行的标签");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V02.HGP", "星空：雪后的夜晚，星星很多。");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V03.HGP", "脚印：雪地上的，一行");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V01.HGP", "手套：少了一只");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V02.HGP", "窗户：结了霜");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V03.HGP", "公园：白色的");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V01.HGP", "长椅：落满了雪");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V02.HGP", "月亮：很圆");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V03.HGP", "桥：河上的旧桥");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V01.HGP", "书店：街角");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V02.HGP", "猫：黑色的");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V03.HGP", "雪橇：孩子们的");
    SetTips("", "WordUnit\\T04.HGP", "WordUnit\\V01.HGP", "灯笼：红色");
    SetTips("", "WordUnit\\T01.HGP", "WordUnit\\V01.HGP", "标签：第三行的标签看不见");
    SetTips("", "WordUnit\\T05.HGP", "WordUnit\\V02.HGP", "梦：很长的梦");
}
)S";

// Tab 2: the first column opens its tip like the others.
const char16_t kTips2[] = uR"S(func main()
{
    SetTips("", "WordUnit\\T01.HGP", "WordUnit\\V01.HGP", "第一列：在这一页也能打开");
    SetTips("", "WordUnit\\T02.HGP", "WordUnit\\V02.HGP", "Snow:white,cold,quiet");
    SetTips("", "WordUnit\\T91.HGP", "WordUnit\\V03.HGP", "锁住：这里也打不开");
}
)S";

// Tab 3: objects, and a tip beside them.
const char16_t kTips3[] = uR"S(func main()
{
    SetObject("WordUnit\\O01.HGP", "WordUnit\\OBJ01.HGP", "一把红色的伞。小雪在车站忘记了它，后来又找了回来。");
    SetObject("WordUnit\\O02.HGP", "WordUnit\\OBJ02.HGP", "A letter that was never sent; it is still in the drawer.");
    SetTips("", "WordUnit\\T03.HGP", "WordUnit\\V02.HGP", "物品：这一页的说明");
}
)S";

// Tab 4: a scene of three pictures, and an object.
const char16_t kTips4[] = uR"S(func main()
{
    SetSceneB("WordUnit\\S01.HGP", "雪景");
    SetSceneBZ("c001");
    SetSceneBZ("c002");
    SetSceneBZ("bg01");
    SetObject("WordUnit\\O01.HGP", "WordUnit\\OBJ01.HGP", "又是那把伞。");
}
)S";
} // namespace

void AddAlbumAndGlossaryPictures(std::vector<DemoPicture> &list)
{
    Pictures p(list);
    // The album.
    p.One(u"DreamChar\\Background.HGP", "ALBUM", kSceneW, kSceneH, {60, 70, 120, 255});
    p.One(u"DreamChar\\CGPage.HGP", "CG PAGE", kSceneW, kSceneH, {40, 90, 110, 255});
    for (int i = 0; i < kCharacters; ++i)
        p.Layered(u"DreamChar\\Char0" + Number(i, 1) + u".HGP", std::string("CHAR ") + kAlbumCharacters[i],
                  kCharW, kCharH, {"Normal", "Disable", "Select", "Push"}, Shade(i, kCharacters));
    p.Texture(u"DreamChar\\Select.TEX", Corners({250, 220, 90, 255}));
    p.Texture(u"DreamChar\\SelectChar.TEX", Corners({120, 230, 250, 255}));
    p.Texture(u"DreamChar\\Cloudy.TEX", Cloud());
    p.Painted(u"DreamChar\\CharImageTex.HGP", CGFrame());
    p.Painted(u"DreamChar\\unfind.HGP", Unfound());
    for (const char16_t *cg : {u"C001", u"C002"})
        p.One(u"event_small\\" + std::u16string(cg) + u".HGP", Ascii(cg) + " SMALL", kThumbW, kThumbH,
              {200, 150, 90, 255});

    // The glossary.
    for (int i = 0; i < kTabs; ++i)
        p.Layered(u"WordUnit\\WordButton" + Number(i, 1) + u".HGP", "TAB " + std::to_string(i + 1), kTabW,
                  kTabH, {"Normal", "Actived", "Clicked"}, Shade(i, kTabs));
    int n = 0;
    for (const char16_t *e : kTipEntries)
        p.Layered(u"WordUnit\\" + std::u16string(e) + u".HGP", Ascii(e), kEntryW, kEntryH,
                  {"Normal", "Disable", "Select", "Push"}, Shade(n++, 6));
    for (const char16_t *e : kObjectEntries)
        p.Layered(u"WordUnit\\" + std::u16string(e) + u".HGP", Ascii(e), kEntryW, kEntryH,
                  {"Normal", "Disable", "Select", "Push"}, {200, 120, 60, 255});
    p.Layered(u"WordUnit\\S01.HGP", "S01", kEntryW, kEntryH, {"Normal", "Disable", "Select", "Push"},
              {90, 160, 220, 255});
    for (int i = 1; i <= 3; ++i)
        p.One(u"WordUnit\\V0" + Number(i, 1) + u".HGP", "V0" + std::to_string(i), kViewerW, kViewerH,
              Shade(i, 3));
    for (int i = 1; i <= 2; ++i)
        p.One(u"WordUnit\\OBJ0" + Number(i, 1) + u".HGP", "OBJECT " + std::to_string(i), kObjectW, kObjectH,
              {220, 90, 90, 255});
}

void AddAlbumAndGlossaryScripts(DemoContent &content)
{
    auto put = [&content](const std::u16string &path, const std::u16string &text)
    {
        std::erase_if(content.local, [&](const DemoFile &f) { return f.path == path; });
        content.AddLocal(path, TextFile(WithCRLF(text)));
    };
    for (int i = 0; i < kCharacters; ++i)
        put(std::u16string(kAlbumCharacters[i], kAlbumCharacters[i] + 2) + u".CPP", AlbumScript(i));
    put(u"Script\\Tips.CPP", kTips1);
    put(u"Script\\Tips2.CPP", kTips2);
    put(u"Script\\Tips3.CPP", kTips3);
    put(u"Script\\Tips4.CPP", kTips4);
}
} // namespace hgl::demo
