#include "tools/mkdemo/DemoPictures.h"

#include "tools/hacpack/HacWriter.h"

#include <cstdlib>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace hgl::demo
{
namespace
{
// Picture sizes: backgrounds at the layout canvas' 4:3, widgets small. The game
// scales every layer to its place, so small pictures keep the demo light.
constexpr int kSceneW = 256, kSceneH = 192;
constexpr int kButtonW = 128, kButtonH = 40;
constexpr int kSmallW = 64, kSmallH = 64;
constexpr int kFrameThickness = 2;
constexpr int kPageCount = 10;
constexpr int kMouthFrames = 3;
constexpr int kPoses = 2, kMoodFrames = 10;
const Rgba kMouthColours[kMouthFrames] = {{160, 0, 0, 255}, {0, 140, 0, 255}, {0, 0, 170, 255}};

const std::initializer_list<const char *> kButtonStates = {"Normal", "Disable", "Select", "Push"};
const std::initializer_list<const char *> kMenuStates = {"Normal", "Select"};
const std::initializer_list<const char *> kGalleryStates = {"Normal", "Actived", "Clicked"};

// A colour of its own for each name, bright enough for black labels.
Rgba ColourOf(const std::string &name, int variant)
{
    unsigned h = 2166136261u;
    for (char c : name)
        h = (h ^ uint8_t(c)) * 16777619u;
    h += unsigned(variant) * 0x9E3779B9u;
    return {uint8_t(96 + h % 160), uint8_t(96 + (h >> 8) % 160), uint8_t(96 + (h >> 16) % 160), 255};
}

Rgba Darker(Rgba c)
{
    return {uint8_t(c.r / 2), uint8_t(c.g / 2), uint8_t(c.b / 2), c.a};
}

std::string ShortName(const std::u16string &path)
{
    const std::string s = hacpack::Utf16ToUtf8(path);
    const size_t slash = s.find_last_of('\\');
    const size_t dot = s.find_last_of('.');
    return s.substr(slash == std::string::npos ? 0 : slash + 1,
                    dot == std::string::npos ? std::string::npos
                                             : dot - (slash == std::string::npos ? 0 : slash + 1));
}

DemoCanvas Painted(const std::string &label, int w, int h, Rgba colour)
{
    DemoCanvas c(w, h);
    c.Gradient(colour, Darker(colour));
    c.Frame(kFrameThickness, {255, 255, 255, 255});
    c.Label(label, {0, 0, 0, 255});
    return c;
}

class PictureList
{
    std::vector<DemoPicture> list;

  public:
    std::vector<DemoPicture> Take() { return std::move(list); }

    void Texture(const std::u16string &path, int w = kSmallW, int h = kSmallH)
    {
        const std::string name = ShortName(path);
        DemoPicture p{path, true, w, h, {}};
        p.layers.push_back({"", 1.0f, Painted(name, w, h, ColourOf(name, 0))});
        list.push_back(std::move(p));
    }

    // One layer per name, each in a colour of its own and labelled with the
    // picture's and the layer's name.
    void Picture(const std::u16string &path, int w, int h, std::initializer_list<const char *> layer_names)
    {
        const std::string name = ShortName(path);
        DemoPicture p{path, false, w, h, {}};
        int variant = 0;
        for (const char *layer : layer_names)
        {
            const std::string label = *layer ? name + ":" + layer : name;
            p.layers.push_back({layer, 1.0f, Painted(label, w, h, ColourOf(name, variant++))});
        }
        list.push_back(std::move(p));
    }

    void Picture(const std::u16string &path, int w = kSmallW, int h = kSmallH) { Picture(path, w, h, {""}); }

    // A picture made by the caller.
    void Add(DemoPicture picture) { list.push_back(std::move(picture)); }

    // A texture painted by the caller.
    void Painting(const std::u16string &path, DemoCanvas canvas)
    {
        DemoPicture p{path, true, canvas.Width(), canvas.Height(), {}};
        p.layers.push_back({"", 1.0f, std::move(canvas)});
        list.push_back(std::move(p));
    }

    void Solid(const std::u16string &path, int w, int h, Rgba colour)
    {
        DemoPicture p{path, false, w, h, {}};
        DemoCanvas c(w, h);
        c.Fill(colour);
        p.layers.push_back({"", 1.0f, std::move(c)});
        list.push_back(std::move(p));
    }

    // Numbered unnamed layers (page numbers, animation frames).
    void Numbered(const std::u16string &path, int w, int h, int count)
    {
        const std::string name = ShortName(path);
        DemoPicture p{path, false, w, h, {}};
        for (int i = 0; i < count; ++i)
            p.layers.push_back(
                {"", 1.0f, Painted(name + " " + std::to_string(i + 1), w, h, ColourOf(name, i))});
        list.push_back(std::move(p));
    }

    // A standing figure on a clear ground, one layer per mouth frame.
    void Figure(const std::u16string &path, int w, int h)
    {
        const std::string name = ShortName(path);
        DemoPicture p{path, false, w, h, {}};
        for (int i = 0; i < kMouthFrames; ++i)
        {
            DemoCanvas c(w, h);
            const Rgba body = ColourOf(name, 0);
            c.Rect(w / 4, h / 4, w / 2, h * 3 / 4, body);                      // body
            c.Rect(w * 3 / 8, h / 16, w / 4, h / 5, ColourOf(name, 1));        // head
            c.Rect(w / 2 - w / 16, h / 5, w / 8, 2 + i * 3, {160, 0, 0, 255}); // mouth, wider each frame
            c.Text(w / 4 + 2, h / 2, 1, name + " " + std::to_string(i), {0, 0, 0, 255});
            p.layers.push_back({"", 1.0f, std::move(c)});
        }
        list.push_back(std::move(p));
    }

    // A figure in several poses, three mouth layers each; every layer in colours
    // of its own, so that a pose change and each mouth frame show.
    void Poses(const std::u16string &path, int w, int h, int poses)
    {
        const std::string name = ShortName(path);
        DemoPicture p{path, false, w, h, {}};
        for (int pose = 0; pose < poses; ++pose)
            for (int i = 0; i < kMouthFrames; ++i)
            {
                DemoCanvas c(w, h);
                c.Rect(w / 4, h / 4, w / 2, h * 3 / 4, ColourOf(name, pose * 2));
                c.Rect(w * 3 / 8, h / 16, w / 4, h / 5, ColourOf(name, pose * 2 + 1));
                c.Rect(w / 2 - w / 16, h / 5, w / 8, 2 + i * 3, kMouthColours[i]);
                c.Text(w / 4 + 2, h / 2, 1, name + " " + std::to_string(pose) + "/" + std::to_string(i),
                       {0, 0, 0, 255});
                p.layers.push_back({"", 1.0f, std::move(c)});
            }
        list.push_back(std::move(p));
    }
};

// A name written downwards, one glyph under the other, centred across the canvas.
void VerticalText(DemoCanvas &c, int top, int scale, const std::string &text, Rgba colour)
{
    const int x = (c.Width() - DemoCanvas::TextWidth(scale, "W")) / 2;
    for (size_t i = 0; i < text.size(); ++i)
        c.Text(x, top + int(i) * 9 * scale, scale, std::string(1, text[i]), colour);
}

// A tall button of the title or an item of the in-game menu: one layer per state,
// each in a colour of its own, the name written downwards.
DemoPicture TallButton(const std::u16string &path, int w, int h, std::initializer_list<const char *> states)
{
    const std::string name = ShortName(path);
    DemoPicture p{path, false, w, h, {}};
    int variant = 0;
    for (const char *state : states)
    {
        DemoCanvas c(w, h);
        const Rgba colour = ColourOf(name, variant++);
        c.Gradient(colour, Darker(colour));
        c.Frame(kFrameThickness, {255, 255, 255, 255});
        int scale = 1;
        while (DemoCanvas::TextWidth(scale + 1, "W") <= w - 6 && int(name.size()) * 9 * (scale + 1) <= h - 8)
            ++scale;
        VerticalText(c, 4, scale, name, {0, 0, 0, 255});
        c.Text(3, h - 10, 1, std::string(1, state[0]), {255, 255, 255, 255});
        p.layers.push_back({state, 1.0f, std::move(c)});
    }
    return p;
}

// The title: a sky behind the balls and snowy hills before them, a logo of three
// parts shown one after another, a subtitle, and the eight tall buttons of the two
// sets, sized for the title's 3200 x 2400 button grid.
void AddTitle(PictureList &l)
{
    constexpr int kTitleButtonW = 120, kTitleButtonH = 560;
    {
        DemoPicture p{u"StartMenu\\BackGround.HGP", false, kSceneW, kSceneH, {}};
        DemoCanvas back(kSceneW, kSceneH);
        back.Gradient({40, 60, 130, 255}, {150, 170, 220, 255});
        back.Text(8, 8, 2, "BACKGROUND:BACK", {255, 255, 255, 255});
        DemoCanvas front(kSceneW, kSceneH);
        front.Fill({0, 0, 0, 0});
        const int hills = kSceneH * 3 / 4;
        front.Rect(0, hills, kSceneW, kSceneH - hills, {235, 240, 250, 255});
        for (int x = 0; x < kSceneW; x += 32) // a row of hill tops
            front.Rect(x + 4, hills - 6, 24, 6, {235, 240, 250, 255});
        front.Text(8, kSceneH - 14, 1, "FRONT", {60, 70, 110, 255});
        p.layers.push_back({"Back", 1.0f, std::move(back)});
        p.layers.push_back({"Front", 1.0f, std::move(front)});
        l.Add(std::move(p));
    }
    {
        // Three layers of one size, each painting its own third.
        constexpr int w = 64, h = 198;
        const char *const parts[] = {"T", "Z", "E"};
        const Rgba colours[] = {{250, 200, 80, 255}, {240, 120, 160, 255}, {120, 220, 200, 255}};
        DemoPicture p{u"StartMenu\\WordTZE.HGP", false, w, h, {}};
        for (int i = 0; i < 3; ++i)
        {
            DemoCanvas c(w, h);
            c.Fill({0, 0, 0, 0});
            c.Rect(4, i * h / 3 + 4, w - 8, h / 3 - 8, colours[i]);
            c.Text(w / 2 - 15, i * h / 3 + h / 6 - 17, 5, parts[i], {40, 30, 60, 255});
            p.layers.push_back({"", 1.0f, std::move(c)});
        }
        l.Add(std::move(p));
    }
    {
        constexpr int w = 24, h = 144;
        DemoPicture p{u"StartMenu\\SecondTitle.HGP", false, w, h, {}};
        DemoCanvas c(w, h);
        c.Fill({0, 0, 0, 0});
        c.Rect(2, 2, w - 4, h - 4, {200, 230, 255, 220});
        VerticalText(c, 8, 2, "DEMO", {40, 60, 130, 255});
        p.layers.push_back({"", 1.0f, std::move(c)});
        l.Add(std::move(p));
    }
    for (const char16_t *b :
         {u"EnterDream", u"BackDream", u"ReDream", u"ExitDream", u"Movie", u"WordList", u"Music", u"People"})
        l.Add(TallButton(u"StartMenu\\" + std::u16string(b) + u".HGP", kTitleButtonW, kTitleButtonH,
                         kButtonStates));
    {
        // A soft round light.
        constexpr int n = 32;
        DemoCanvas ball(n, n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
            {
                const float dx = (x + 0.5f - n / 2.0f) / (n / 2.0f), dy = (y + 0.5f - n / 2.0f) / (n / 2.0f);
                const float d = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
                ball.Rect(x, y, 1, 1, {255, 255, 240, uint8_t(255 * (1 - d) * (1 - d))});
            }
        l.Painting(u"StartMenu\\ball.TEX", std::move(ball));
    }
    l.Picture(u"StartMenu\\ExitBack.HGP", kSceneW, kSceneH / 2);
    l.Picture(u"StartMenu\\ExitYes.HGP", kButtonW, kButtonH, kButtonStates);
    l.Picture(u"StartMenu\\ExitNo.HGP", kButtonW, kButtonH, kButtonStates);
    l.Picture(u"StartMenu\\jkgg.HGP", kSceneW, kSceneH);
}

void AddStage(PictureList &l)
{
    for (const char16_t *t : {u"h", u"DlgFrame", u"message1", u"message2", u"flower", u"SAKURA", u"IconDlg",
                              u"NameFrame", u"MsgFrame"})
        l.Texture(u"MessageBox\\" + std::u16string(t) + u".TEX", kSceneW, kSmallH);
    l.Picture(u"MessageBox\\sharp.HGP", 16, 16);
    l.Picture(u"MessageBox\\yen.HGP", 16, 16);
    l.Numbered(u"arrow.HGP", kSmallW, 32, 3);
    // Backgrounds each in a colour of its own, one of them 16:9, and the plain black
    // that stands in for missing ones.
    for (const char16_t *b : {u"BG\\bg01.HGP", u"BG\\bg02.HGP", u"BG\\bg03.HGP", u"BGI\\sky.HGP",
                              u"Event\\c001.HGP", u"Event\\c002.HGP"})
        l.Picture(b, kSceneW, kSceneH);
    l.Picture(u"BG\\bgwide.HGP", kSceneW, kSceneW * 9 / 16);
    l.Solid(u"BG\\BLACK.HGP", kSceneW, kSceneH, {0, 0, 0, 255});
    l.Picture(u"event_small\\C001.HGP", kSmallW, kSmallH * 3 / 4);
    l.Figure(u"Character\\XYAB.HGP", 128, 256);
    l.Figure(u"CharacterIcon\\XYAB.HGP", kSmallW, kSmallH);
    l.Figure(u"CharacterDlg\\XYAB.HGP", kSmallW, kSmallH);
    l.Texture(u"Charactersmall\\x.TEX", kSmallW, kSmallH);
    // XYAC is the second picture of XYAB's family; YY speaks for XY too.
    for (const char16_t *c : {u"XYAC", u"YYAB", u"QGAB"})
        l.Poses(u"Character\\" + std::u16string(c) + u".HGP", 128, 256, kPoses);
    for (const char16_t *c : {u"YYAB", u"QGAB"})
    {
        l.Figure(u"CharacterIcon\\" + std::u16string(c) + u".HGP", kSmallW, kSmallH);
        l.Figure(u"CharacterDlg\\" + std::u16string(c) + u".HGP", kSmallW, kSmallH);
    }
    l.Numbered(u"MoodRes\\ase.hgp", 32, 32, kMoodFrames);
    for (const char16_t *e : {u"snow", u"d", u"sun", u"SAKURA1", u"t", u"t1"})
        l.Texture(u"Effect\\" + std::u16string(e) + u".TEX", 32, 32);
    l.Picture(u"red.HGP", kSceneW, kSceneH);
    l.Numbered(u"p.HGP", kSceneW, kSceneH, 3);
    l.Numbered(u"p1.HGP", kSceneW, kSceneH, 3);
}

// A triangle pointing right, filling the canvas' height, on a clear ground.
DemoCanvas Pointer(int size, Rgba c)
{
    DemoCanvas canvas(size, size);
    canvas.Fill({0, 0, 0, 0});
    for (int y = 0; y < size; ++y)
    {
        const int reach = size - std::abs(2 * y + 1 - size);
        canvas.Rect(0, y, reach, 1, c);
    }
    return canvas;
}

// The choice menu's pieces: the highlight bar, whose top quarter gives the lines
// above and below the option and whose right part below gives its fill; the pointer
// beside it; the mark of an option picked before.
void AddChoice(PictureList &l)
{
    constexpr int kBar = 64;
    DemoCanvas bar(kBar, kBar);
    bar.Fill({255, 236, 200, 170});
    bar.Rect(0, 0, kBar, kBar / 4, {255, 150, 40, 255});
    l.Painting(u"option\\SelectButtonBack.TEX", std::move(bar));
    l.Painting(u"option\\EZFlag.TEX", Pointer(32, {255, 120, 30, 255}));
    DemoCanvas mark(32, 32);
    mark.Fill({0, 0, 0, 0});
    mark.Rect(8, 8, 16, 16, {40, 170, 60, 255});
    mark.Rect(12, 12, 8, 8, {255, 255, 255, 255});
    l.Painting(u"option\\ReadFlag.TEX", std::move(mark));
}

void AddMenus(PictureList &l)
{
    AddChoice(l);
    l.Picture(u"option\\Frame.HGP", kSceneW, kButtonH, kMenuStates);
    for (const char16_t *o : {u"All", u"Already", u"open", u"close", u"null", u"small", u"normal", u"big",
                              u"slow", u"fast", u"veryfast"})
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kSmallW, 24, {"", ""});
    l.Numbered(u"option\\animation.HGP", 32, 32, 4);
    for (const char16_t *o : {u"AutoPass", u"AutoPlay", u"GotoAutoPass", u"GotoAutoPlay"})
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kButtonW, kButtonH, kButtonStates);
    l.Texture(u"HisBack.TEX", kSceneW, kSceneH);
    for (const char16_t *s : {u"Frame", u"IsCover", u"IsLoad", u"SaveSucceed", u"f2", u"s2"})
        l.Picture(u"SystemSelect\\" + std::u16string(s) + u".HGP", kSceneW, kSceneH / 2);
    l.Picture(u"SystemSelect\\yes.HGP", kButtonW, kButtonH, kButtonStates);
    l.Picture(u"SystemSelect\\no.HGP", kButtonW, kButtonH, kButtonStates);
    // The in-game menu's items, as tall as the menu's 64 x 300 slots, and the
    // bracket arm: a gold bar along the texture's width.
    for (const char16_t *m : {u"ExitGame", u"ReturnGame", u"Option", u"Save", u"Load", u"History"})
        l.Add(TallButton(u"MenuRes\\" + std::u16string(m) + u".HGP", 32, 150, kMenuStates));
    {
        DemoCanvas flag(32, 8);
        flag.Fill({255, 215, 80, 255});
        flag.Rect(0, 0, 32, 2, {255, 250, 200, 255});
        l.Painting(u"MenuRes\\Flag.TEX", std::move(flag));
    }
    for (const char16_t *t : {u"Save", u"Load", u"save1", u"small", u"button1", u"button2", u"shake"})
        l.Texture(std::u16string(t) + u".TEX", kButtonW, kButtonH);
    l.Numbered(u"page.HGP", 32, 32, kPageCount);
}

void AddExtras(PictureList &l)
{
    l.Picture(u"Video\\BackGround.HGP", kSceneW, kSceneH);
    l.Picture(u"Video\\m01.HGP", kButtonW, kButtonW * 3 / 4, kGalleryStates);
    l.Picture(u"DreamMusic\\DreamMusic.HGP", kSceneW, kSceneH);
    for (const char16_t *t : {u"StateBack", u"RateBar", u"xzFlag", u"xz"})
        l.Texture(u"DreamMusic\\" + std::u16string(t) + u".TEX", kButtonW, 16);
    l.Picture(u"DreamMusic\\00.HGP", kButtonW, kButtonH, kGalleryStates);
    l.Picture(u"DreamMusic\\m01.HGP", kButtonW, kButtonH, kGalleryStates);
    l.Picture(u"DreamChar\\Background.HGP", kSceneW, kSceneH);
    for (const char16_t *t : {u"Select", u"SelectChar", u"Cloudy"})
        l.Texture(u"DreamChar\\" + std::u16string(t) + u".TEX", kSmallW, kSmallH);
    for (int i = 1; i <= 4; ++i)
        l.Picture(u"DreamChar\\Char" + std::u16string(1, char16_t(u'0' + i)) + u".HGP", kSmallW, kSmallH * 2);
    l.Picture(u"DreamChar\\CharImageTex.HGP", kSmallW, kSmallH);
    l.Picture(u"DreamChar\\unfind.HGP", kSmallW, kSmallH);
    l.Picture(u"WordUnit\\BackGround.HGP", kSceneW, kSceneH);
    l.Picture(u"WordUnit\\DiWen.HGP", kSceneW, kSceneH);
    for (int i = 1; i <= 4; ++i)
        l.Picture(u"WordUnit\\WordButton" + std::u16string(1, char16_t(u'0' + i)) + u".HGP", kButtonW,
                  kButtonH, kButtonStates);
    l.Picture(u"DreamScene\\untitled.HGP", kSmallW, kSmallH);
    l.Texture(u"system\\k.TEX", 16, kSmallH);
}
} // namespace

std::vector<DemoPicture> MakeDemoPictures()
{
    PictureList l;
    AddTitle(l);
    AddStage(l);
    AddMenus(l);
    AddExtras(l);
    return l.Take();
}
} // namespace hgl::demo
