#include "tools/mkdemo/DemoPictures.h"

#include "tools/mkdemo/DemoExtras.h"

#include "tools/hacpack/HacWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
constexpr int kQuestionW = 600, kQuestionH = 200; // on the 1600 x 1200 design
constexpr int kHintW = 400, kHintH = 120;
constexpr int kAnswerSize = 64;
constexpr int kPageCount = 10;
constexpr int kMouthFrames = 3;
constexpr int kPoses = 2, kMoodFrames = 10;
constexpr int kTrackW = 32, kTrackH = 96;
constexpr int kMusicTracks = 16; // as many as "Script\Music.CPP" declares
const Rgba kMouthColours[kMouthFrames] = {{160, 0, 0, 255}, {0, 140, 0, 255}, {0, 0, 170, 255}};
// The open book of the save screens, its two pages in colours of their own.
const Rgba kBookLeft{230, 200, 150, 255}, kBookRight{150, 200, 230, 255};
constexpr int kMarkerAtlas = 48;
const Rgba kMarkerColours[3] = {{255, 160, 0, 255}, {0, 200, 120, 255}, {255, 60, 160, 255}};

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
    void Add(DemoPicture p) { list.push_back(std::move(p)); }

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

    // A question of a yes/no dialog: its name in the upper part, where the
    // answer buttons do not cover it.
    void Question(const std::u16string &path, int w, int h)
    {
        const std::string name = ShortName(path) + "?";
        DemoCanvas c(w, h);
        const Rgba colour = ColourOf(name, 0);
        c.Gradient(colour, Darker(colour));
        c.Frame(kFrameThickness, {255, 255, 255, 255});
        int scale = 1;
        while (DemoCanvas::TextWidth(scale + 1, name) <= w - 16 && 7 * (scale + 1) <= h * 2 / 5)
            ++scale;
        c.Text((w - DemoCanvas::TextWidth(scale, name)) / 2, h / 12, scale, name, {0, 0, 0, 255});
        DemoPicture p{path, false, w, h, {}};
        p.layers.push_back({"", 1.0f, std::move(c)});
        list.push_back(std::move(p));
    }

    // One painted layer as it is.
    void Painting(const std::u16string &path, bool texture, DemoCanvas c)
    {
        DemoPicture p{path, texture, c.Width(), c.Height(), {}};
        p.layers.push_back({"", 1.0f, std::move(c)});
        list.push_back(std::move(p));
    }

    // A texture painted by the caller.
    void Painting(const std::u16string &path, DemoCanvas canvas) { Painting(path, true, std::move(canvas)); }

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

// The scroll bar's ball: a rounded cap, a middle to stretch and a second cap, in
// the bands the bar takes them from, clear above and below.
DemoCanvas ScrollBall()
{
    constexpr int w = 16, h = 256;
    const int bands[] = {27, 85, 171, 229}; // 0.10546875, 0.33203125, 0.66796875, 0.89453125 of 256
    DemoCanvas c(w, h);
    c.Fill({0, 0, 0, 0});
    const Rgba body{210, 225, 255, 255}, edge{90, 120, 190, 255};
    auto row = [&](int y, int inset)
    {
        c.Rect(inset, y, w - 2 * inset, 1, edge);
        c.Rect(inset + 1, y, w - 2 * inset - 2, 1, body);
    };
    for (int y = bands[0]; y < bands[1]; ++y) // the top cap rounds off upwards
        row(y, std::max(0, (bands[0] + 6 - y) / 2));
    for (int y = bands[1]; y < bands[2]; ++y)
        row(y, 0);
    for (int y = bands[2]; y < bands[3]; ++y) // and the bottom cap downwards
        row(y, std::max(0, (y - (bands[3] - 7)) / 2));
    return c;
}

// The message window's frame: the upper half is the posts' wood, the lower half
// the bar the posts stand on.
DemoCanvas MessageFrame()
{
    constexpr int w = 64, h = 64;
    DemoCanvas c(w, h);
    c.Fill({0, 0, 0, 0});
    c.Rect(0, 0, w, h / 2, {150, 110, 70, 255});
    c.Rect(w / 4, 0, w / 2, h / 2, {190, 150, 100, 255});
    c.Rect(0, h / 2, w, h / 2, {110, 80, 50, 255});
    c.Rect(0, h / 2, w, 3, {220, 190, 140, 255});
    return c;
}

// The focus marker of the save strips: an arrow pointing down.
DemoCanvas Marker()
{
    constexpr int n = 32;
    DemoCanvas c(n, n);
    c.Fill({0, 0, 0, 0});
    for (int y = 4; y < n - 4; ++y)
    {
        const int half = (n - 4 - y) / 2;
        c.Rect(n / 2 - half, y, 2 * half, 1, {230, 60, 60, 255});
    }
    return c;
}

// The backlog's page: a light frame (top band, left side) around a dark,
// half-clear centre taken from the right half of the picture.
DemoCanvas BacklogFrame()
{
    constexpr int w = 256, h = 256;
    const int band = 24, side = 59, side_end = 208; // 0.09375, 0.23046875 and 0.8125 of 256
    DemoCanvas c(w, h);
    c.Fill({20, 30, 60, 225});
    c.Rect(0, 0, w, band, {120, 150, 200, 255});
    c.Rect(0, band - 3, w, 3, {220, 230, 255, 255});
    c.Rect(0, band, side, side_end - band, {120, 150, 200, 255});
    c.Rect(side - 3, band, 3, side_end - band, {220, 230, 255, 255});
    return c;
}

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

// A light panel with a brighter rim: the message window tints its panels to a
// quarter, so they show as dark glass.
DemoCanvas Panel(int w, int h, Rgba fill, int rim)
{
    DemoCanvas c(w, h);
    c.Fill(fill);
    c.Frame(rim, {255, 255, 255, 255});
    return c;
}

// A flower of five petals round a yellow heart, on a clear ground.
void Flower(DemoCanvas &c, int x, int y, int size, Rgba petal)
{
    const int p = size / 3;
    c.Rect(x + p, y, p, p, petal);
    c.Rect(x, y + p, p, p, petal);
    c.Rect(x + 2 * p, y + p, p, p, petal);
    c.Rect(x + p / 2, y + 2 * p, p, p, petal);
    c.Rect(x + 3 * p / 2, y + 2 * p, p, p, petal);
    c.Rect(x + p, y + p, p, p, {255, 220, 80, 255});
}

void AddMessageBox(PictureList &l)
{
    constexpr int kNameW = 512, kNameH = 128, kNameCap = 77; // the cap ends at u = 77/512
    constexpr int kPetal = 32, kPetalFrames = 8;
    constexpr Rgba kGlass{235, 235, 245, 215};
    for (const char16_t *t : {u"h", u"message1"})
        l.Texture(u"MessageBox\\" + std::u16string(t) + u".TEX", kSceneW, kSmallH);
    l.Painting(u"MessageBox\\DlgFrame.TEX", Panel(kSceneW, kSmallH, kGlass, 2));
    l.Painting(u"MessageBox\\message2.TEX", Panel(kSceneW, kSceneH, {225, 230, 245, 200}, 3));
    l.Painting(u"MessageBox\\IconDlg.TEX", Panel(kSmallW * 2, kSmallH * 2, kGlass, 3));
    DemoCanvas name(kNameW, kNameH);
    name.Fill({250, 235, 242, 235});
    name.Rect(0, 0, kNameCap, kNameH, {240, 150, 180, 235});
    name.Frame(4, {255, 255, 255, 255});
    l.Painting(u"MessageBox\\NameFrame.TEX", std::move(name));
    DemoCanvas flower(kPetal, kPetal);
    flower.Fill({0, 0, 0, 0});
    Flower(flower, 1, 1, kPetal - 2, {250, 150, 190, 255});
    l.Painting(u"MessageBox\\flower.TEX", std::move(flower));
    // Eight petal frames stacked, each a little more turned.
    DemoCanvas sakura(kPetal, kPetal * kPetalFrames);
    sakura.Fill({0, 0, 0, 0});
    for (int i = 0; i < kPetalFrames; ++i)
    {
        const int w = kPetal / 2 + (i % 4) * 3, h = kPetal - 6 - (i % 4) * 3;
        sakura.Rect((kPetal - w) / 2, i * kPetal + (kPetal - h) / 2, w, h, {255, 180, 205, 255});
    }
    l.Painting(u"MessageBox\\SAKURA.TEX", std::move(sakura));
}

void AddStage(PictureList &l)
{
    AddMessageBox(l);
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
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kSmallW, 24,
                  {"", "", ""}); // normal, summary, page
    l.Numbered(u"option\\animation.HGP", 32, 32, 4);
    // The options screen's seven items.
    for (const char16_t *o :
         {u"quickmode", u"autosave", u"sounds", u"music", u"voice", u"wordspeed", u"autospeed"})
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kButtonW, kButtonH, kButtonStates);
    for (const char16_t *o : {u"AutoPass", u"AutoPlay"})
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kButtonW, kButtonH, kButtonStates);
    // Questions are laid out on a 1600 x 1200 design, their answers below them.
    for (const char16_t *o : {u"GotoAutoPass", u"GotoAutoPlay"})
        l.Question(u"option\\" + std::u16string(o) + u".HGP", kQuestionW, kQuestionH);
    for (const char16_t *s : {u"Frame", u"IsCover", u"IsLoad"})
        l.Question(u"SystemSelect\\" + std::u16string(s) + u".HGP", kQuestionW, kQuestionH);
    l.Picture(u"SystemSelect\\SaveSucceed.HGP", kHintW, kHintH);
    for (const char16_t *s : {u"yes", u"no", u"s2", u"f2"})
        l.Picture(u"SystemSelect\\" + std::u16string(s) + u".HGP", kAnswerSize, kAnswerSize, kButtonStates);
    l.Painting(u"HisBack.TEX", true, BacklogFrame());
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
    l.Painting(u"shake.TEX", Marker());
    l.Painting(u"MessageBox\\MsgFrame.TEX", MessageFrame());
}

// The save and load screens: the open book with the window its right page shows
// the slot's picture through, the titles, the marker atlas, the page numbers and
// the page buttons' two-half sheets.
void AddRecords(PictureList &l)
{
    DemoPicture book{u"save1.TEX", true, kSceneW, kSceneH, {}};
    DemoCanvas c(kSceneW, kSceneH);
    c.Gradient(kBookLeft, Darker(kBookLeft));
    c.Rect(kSceneW / 2, 0, kSceneW / 2, kSceneH, kBookRight);
    c.Rect(kSceneW / 2 - 1, 0, 2, kSceneH, {60, 40, 20, 255}); // the spine
    // The picture window: (W/2 + 22, 70) to (W - 67, H/2) of the 1024 x 768 design.
    const int wl = kSceneW / 2 + 22 * kSceneW / 1024 + 1, wt = 70 * kSceneH / 768 + 1;
    const int wr = kSceneW - 67 * kSceneW / 1024 - 1, wb = kSceneH / 2 - 1;
    c.Rect(wl - kFrameThickness, wt - kFrameThickness, wr - wl + 2 * kFrameThickness,
           wb - wt + 2 * kFrameThickness, {60, 40, 20, 255});
    c.Rect(wl, wt, wr - wl, wb - wt, {0, 0, 0, 0});
    c.Text(8, kSceneH - 12, 1, "SAVE1", {0, 0, 0, 255});
    book.layers.push_back({"", 1.0f, std::move(c)});
    l.Add(std::move(book));

    l.Texture(u"Save.TEX", kSmallW, kButtonH);
    l.Texture(u"Load.TEX", kSmallW, kButtonH);

    // Markers in cells of a third: automatic save, choice save, newest.
    DemoPicture atlas{u"small.TEX", true, kMarkerAtlas, kMarkerAtlas, {}};
    DemoCanvas a(kMarkerAtlas, kMarkerAtlas);
    a.Fill({0, 0, 0, 0});
    const int cell = kMarkerAtlas / 3;
    const char *const marks[3] = {"A", "C", "N"};
    for (int i = 0; i < 3; ++i)
    {
        a.Rect(i * cell + 1, 1, cell - 2, cell - 2, kMarkerColours[i]);
        a.Text(i * cell + 5, 4, 1, marks[i], {0, 0, 0, 255});
    }
    atlas.layers.push_back({"", 1.0f, std::move(a)});
    l.Add(std::move(atlas));

    l.Numbered(u"page.HGP", 32, 32, kPageCount);

    // The next page shows the left half, the previous page the right half.
    for (int focused = 0; focused < 2; ++focused)
    {
        DemoPicture sheet{focused ? u"button2.TEX" : u"button1.TEX", true, kButtonW, kButtonH, {}};
        DemoCanvas s(kButtonW, kButtonH);
        const Rgba left = ColourOf("next", focused), right = ColourOf("previous", focused);
        s.Rect(0, 0, kButtonW / 2, kButtonH, focused ? left : Darker(left));
        s.Rect(kButtonW / 2, 0, kButtonW / 2, kButtonH, focused ? right : Darker(right));
        s.Text(8, kButtonH / 2 - 3, 1, "NEXT", {0, 0, 0, 255});
        s.Text(kButtonW / 2 + 8, kButtonH / 2 - 3, 1, "BACK", {0, 0, 0, 255});
        sheet.layers.push_back({"", 1.0f, std::move(s)});
        l.Add(std::move(sheet));
    }
}

void AddExtras(PictureList &l)
{
    l.Picture(u"Video\\BackGround.HGP", kSceneW, kSceneH);
    // The movie gallery's entries are picture buttons.
    for (const char16_t *m : {u"m01", u"m02"})
        l.Picture(u"Video\\" + std::u16string(m) + u".HGP", kButtonW, kButtonW * 3 / 4, kButtonStates);
    l.Picture(u"DreamMusic\\DreamMusic.HGP", kSceneW, kSceneH);
    for (const char16_t *t : {u"StateBack", u"RateBar", u"xzFlag", u"xz"})
        l.Texture(u"DreamMusic\\" + std::u16string(t) + u".TEX", kButtonW, 16);
    // The music room's tracks stand tall: 64 x 190 on its 1600 x 1200 design.
    l.Picture(u"DreamMusic\\00.HGP", kTrackW, kTrackH, kGalleryStates);
    for (int i = 1; i <= kMusicTracks; ++i)
    {
        const char16_t number[] = {char16_t(u'0' + i / 10), char16_t(u'0' + i % 10), 0};
        l.Picture(u"DreamMusic\\m" + std::u16string(number) + u".HGP", kTrackW, kTrackH, kGalleryStates);
    }
    l.Picture(u"DreamChar\\Background.HGP", kSceneW, kSceneH);
    for (const char16_t *t : {u"Select", u"SelectChar", u"Cloudy"})
        l.Texture(u"DreamChar\\" + std::u16string(t) + u".TEX", kSmallW, kSmallH);
    l.Picture(u"DreamChar\\CharImageTex.HGP", kSmallW, kSmallH);
    l.Picture(u"DreamChar\\unfind.HGP", kSmallW, kSmallH);
    l.Picture(u"WordUnit\\BackGround.HGP", kSceneW, kSceneH);
    l.Picture(u"WordUnit\\DiWen.HGP", kSceneW, kSceneH);
    l.Picture(u"DreamScene\\untitled.HGP", kSmallW, kSmallH);
    l.Painting(u"system\\k.TEX", true, ScrollBall());
}
} // namespace

std::vector<DemoPicture> MakeDemoPictures()
{
    PictureList l;
    AddTitle(l);
    AddStage(l);
    AddMenus(l);
    AddRecords(l);
    AddExtras(l);
    std::vector<DemoPicture> all = l.Take();
    AddAlbumAndGlossaryPictures(all);
    return all;
}
} // namespace hgl::demo
