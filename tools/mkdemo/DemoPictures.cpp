#include "tools/mkdemo/DemoPictures.h"

#include "tools/mkdemo/DemoExtras.h"

#include "tools/hacpack/HacWriter.h"

#include <algorithm>
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

// The option pages' flag and the quick menu's pointer: an arrow pointing right.
DemoCanvas Pointer()
{
    constexpr int n = 32;
    DemoCanvas c(n, n);
    c.Fill({0, 0, 0, 0});
    for (int x = 4; x < n - 4; ++x)
    {
        const int half = (n - 4 - x) / 2;
        c.Rect(x, n / 2 - half, 1, 2 * half, {250, 210, 60, 255});
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

void AddTitle(PictureList &l)
{
    l.Picture(u"StartMenu\\BackGround.HGP", kSceneW, kSceneH, {"Back", "Front"});
    l.Picture(u"StartMenu\\WordTZE.HGP", kSceneW, kButtonH, {"", "", ""});
    l.Picture(u"StartMenu\\SecondTitle.HGP", kSceneW, kButtonH);
    for (const char16_t *b :
         {u"EnterDream", u"BackDream", u"ReDream", u"ExitDream", u"Movie", u"WordList", u"Music", u"People"})
        l.Picture(u"StartMenu\\" + std::u16string(b) + u".HGP", kButtonW, kButtonH, kButtonStates);
    l.Texture(u"StartMenu\\ball.TEX", 32, 32);
    l.Picture(u"StartMenu\\ExitBack.HGP", kSceneW, kSceneH / 2);
    l.Picture(u"StartMenu\\ExitYes.HGP", kButtonW, kButtonH, kButtonStates);
    l.Picture(u"StartMenu\\ExitNo.HGP", kButtonW, kButtonH, kButtonStates);
    l.Picture(u"StartMenu\\jkgg.HGP", kSceneW, kSceneH);
}

void AddStage(PictureList &l)
{
    for (const char16_t *t :
         {u"h", u"DlgFrame", u"message1", u"message2", u"flower", u"SAKURA", u"IconDlg", u"NameFrame"})
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

void AddMenus(PictureList &l)
{
    for (const char16_t *t : {u"ReadFlag", u"SelectButtonBack"})
        l.Texture(u"option\\" + std::u16string(t) + u".TEX", kButtonW, kButtonH);
    l.Picture(u"option\\Frame.HGP", kSceneW, kButtonH, kMenuStates);
    for (const char16_t *o : {u"All", u"Already", u"open", u"close", u"null", u"small", u"normal", u"big",
                              u"slow", u"fast", u"veryfast"})
        l.Picture(u"option\\" + std::u16string(o) + u".HGP", kSmallW, 24, {"", ""});
    l.Numbered(u"option\\animation.HGP", 32, 32, 4);
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
    l.Painting(u"HisBack.TEX", BacklogFrame());
    for (const char16_t *m : {u"ExitGame", u"ReturnGame", u"Option", u"Save", u"Load", u"History"})
        l.Picture(u"MenuRes\\" + std::u16string(m) + u".HGP", kButtonW, kButtonH, kMenuStates);
    l.Texture(u"MenuRes\\Flag.TEX", 32, 32);
    for (const char16_t *t : {u"Save", u"Load", u"save1", u"small", u"button1", u"button2"})
        l.Texture(std::u16string(t) + u".TEX", kButtonW, kButtonH);
    l.Numbered(u"page.HGP", 32, 32, kPageCount);
    l.Painting(u"shake.TEX", Marker());
    l.Painting(u"option\\EZFlag.TEX", Pointer());
    l.Painting(u"MessageBox\\MsgFrame.TEX", MessageFrame());
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
    l.Picture(u"DreamChar\\CharImageTex.HGP", kSmallW, kSmallH);
    l.Picture(u"DreamChar\\unfind.HGP", kSmallW, kSmallH);
    l.Picture(u"WordUnit\\BackGround.HGP", kSceneW, kSceneH);
    l.Picture(u"WordUnit\\DiWen.HGP", kSceneW, kSceneH);
    l.Picture(u"DreamScene\\untitled.HGP", kSmallW, kSmallH);
    l.Painting(u"system\\k.TEX", ScrollBall());
}
} // namespace

std::vector<DemoPicture> MakeDemoPictures()
{
    PictureList l;
    AddTitle(l);
    AddStage(l);
    AddMenus(l);
    AddExtras(l);
    std::vector<DemoPicture> all = l.Take();
    AddAlbumAndGlossaryPictures(all);
    return all;
}
} // namespace hgl::demo
