#pragma once
// The stage harness with generated character pictures:
// "ABCD" has two poses of three mouth layers in distinct colours (each layer's
// top-left quarter white, to tell mirrored from upside-down), "ABCE" is of the
// same family, "YYAA"/"XYAA" a speaker and its alias.
#include "game/stagekit/StageHarness.h"

#include "game/core/GameResources.h"
#include "game/stage/char/CharManage.h"
#include "graphics/ColorType.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"

#include <vector>

namespace charkit
{
using hgl::test::RGBA;
// Pose 0 then pose 1, mouth frames 0..2 each.
const RGBA kLayerColours[6] = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                               {255, 255, 0, 255}, {0, 255, 255, 255}, {255, 0, 255, 255}};
constexpr RGBA kWhite{255, 255, 255, 255};

inline std::vector<uint8_t> Picture(int w, int h, const std::vector<RGBA> &layers)
{
    hgl::HgpFile hgp;
    hgp.width = w;
    hgp.height = h;
    for (const RGBA &c : layers)
    {
        hgl::ImageBlock image;
        image.width = w;
        image.height = h;
        image.color_type = hgl::ctRGBA;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
            {
                const RGBA p = (x < w / 2 && y < h / 2) ? kWhite : c;
                image.pixels.insert(image.pixels.end(), {p.r, p.g, p.b, p.a});
            }
        hgp.layers.push_back({u"", 0, 0, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    }
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    return std::vector<uint8_t>(s.GetData(), s.GetData() + s.GetSize());
}

inline bool Near(RGBA a, RGBA b, int tolerance = 3)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

const char16_t kDefine[] = u"func main()\n{\n"
                           u"    SetCharView(\"AB\", 1.0, 0.0, 0.5);\n"
                           u"    SetCharView(\"YY\", 1.0, 0.0, 0.5);\n"
                           u"    SetCharView(\"XY\", 1.0, 0.0, 0.5);\n}\n";
const char16_t kCharacter[] = u"func main()\n{\n"
                              u"    SetChar(\"AB\", \"阿贝(AB)\", 0, 0, \"\");\n"
                              u"    SetChar(\"AB\", \"第二行\", 0, 0, \"\");\n}\n";
const char16_t kImageSize[] = u"func main()\n{\n    SetImageSize(0.2, 1.0);\n}\n";
} // namespace charkit

class CharTest : public StageTest
{
  protected:
    void AddContent(hgl::demo::DemoContent &demo) override
    {
        StageTest::AddContent(demo);
        const std::pair<const char16_t *, const char16_t *> replaced[] = {
            {u"Script\\Define.CPP", charkit::kDefine},
            {u"Script\\Character.CPP", charkit::kCharacter},
            {u"Script\\test.CPP", charkit::kImageSize}};
        for (auto &f : demo.local)
            for (auto &[path, text] : replaced)
                if (f.path == path) f.data = hgl::demo::TextFile(text);
        demo.AddLocal(u"Script\\EMPTY.CPP", hgl::demo::TextFile(u"func main()\n{\n}\n"));
        using charkit::kLayerColours;
        const std::vector<charkit::RGBA> poses(std::begin(kLayerColours), std::end(kLayerColours));
        for (const char16_t *file : {u"ABCD", u"ABCE", u"YYAA", u"XYAA"})
            demo.AddData(u"Character\\" + std::u16string(file) + u".HGP", charkit::Picture(8, 16, poses));
        for (const char16_t *folder : {u"CharacterIcon\\", u"CharacterDlg\\"})
            demo.AddData(folder + std::u16string(u"ABCD.HGP"), charkit::Picture(8, 8, poses));
        std::vector<charkit::RGBA> mood(10, kLayerColours[0]);
        demo.AddData(u"MoodRes\\m.hgp", charkit::Picture(4, 4, mood));
    }

    // Makes the screen on the script (one that does nothing by default).
    void Begin(const char16_t *script = u"EMPTY") { Start(script); }

    avg::CharManage &Chars() { return *static_cast<avg::CharManage *>(unit->GetCharStage()); }

    // The clock moves on, then the characters draw.
    void Frame(int ms = stagekit::kFrameMs)
    {
        Advance(ms);
        Chars().Draw();
    }

    hgl::HGPSame *Picture(const char16_t *file)
    {
        hgl::HGPSame *p = nullptr;
        avg::GetCharacterPictureCache()->Get(hgl::String(u"Character\\") + file + u".HGP", p);
        return p;
    }
    // The opacity the last draw gave a layer of the picture.
    float Opacity(int layer, const char16_t *file = u"ABCD")
    {
        return Picture(file)->GetLayer(layer)->Color.a;
    }
};
