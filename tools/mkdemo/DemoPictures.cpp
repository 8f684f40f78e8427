#include "tools/mkdemo/DemoPictures.h"

#include "tools/mkdemo/DemoExtras.h"

#include "tools/hacpack/HacWriter.h"

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

void AddMenus(PictureList &l)
{
    for (const char16_t *t : {u"ReadFlag", u"SelectButtonBack", u"EZFlag"})
        l.Texture(u"option\\" + std::u16string(t) + u".TEX", kButtonW, kButtonH);
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
    for (const char16_t *m : {u"ExitGame", u"ReturnGame", u"Option", u"Save", u"Load", u"History"})
        l.Picture(u"MenuRes\\" + std::u16string(m) + u".HGP", kButtonW, kButtonH, kMenuStates);
    l.Texture(u"MenuRes\\Flag.TEX", 32, 32);
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
    l.Picture(u"DreamChar\\CharImageTex.HGP", kSmallW, kSmallH);
    l.Picture(u"DreamChar\\unfind.HGP", kSmallW, kSmallH);
    l.Picture(u"WordUnit\\BackGround.HGP", kSceneW, kSceneH);
    l.Picture(u"WordUnit\\DiWen.HGP", kSceneW, kSceneH);
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
    std::vector<DemoPicture> all = l.Take();
    AddAlbumAndGlossaryPictures(all);
    return all;
}
} // namespace hgl::demo
