#pragma once
// What the fuzz targets of the data screens (and the screens' benchmarks) share:
// a start folder in /tmp with folder-mapped archives holding the screens'
// pictures (and no data scripts, so each screen starts empty and the caller adds
// its entries; no ball texture, so the balls do their sums alone), a headless
// canvas of 640 x 480, the shared fonts, and a reader of the fuzz bytes.
#include "FuzzKit.h"

#include "game/core/Archives.h"
#include "game/core/GameResources.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/PictureFile.h"
#include "io/Core.h"
#include "io/MemStream.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace screenfuzz
{
constexpr int kCanvasW = 640, kCanvasH = 480;
inline std::string root_folder;

inline void WriteBytes(const std::string &path, const hgl::MemStream &s)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(s.GetData()), std::streamsize(s.GetSize()));
}

inline hgl::ImageBlock Solid(int w, int h, uint8_t shade)
{
    hgl::ImageBlock image;
    image.width = w;
    image.height = h;
    image.color_type = 4; // RGBA
    image.pixels.assign(size_t(w * h * 4), shade);
    return image;
}

// A picture with one layer per name (an empty name: one unnamed layer).
inline void WritePicture(const std::string &path, std::initializer_list<const char16_t *> names)
{
    hgl::HgpFile hgp;
    hgp.width = hgp.height = 4;
    uint8_t shade = 60;
    for (const char16_t *name : names)
        hgp.layers.push_back({name, 0, 0, hgl::Color4f(1, 1, 1, 1), Solid(4, 4, shade += 40)});
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    WriteBytes(path, s);
}

inline void WriteTexture(const std::string &path)
{
    hgl::TexFile tex;
    tex.image = Solid(4, 4, 200);
    hgl::MemStream s;
    tex.Write(&s, hgl::String());
    WriteBytes(path, s);
}

// Aborts when the folder, the canvas or the resources cannot be made.
inline void Prepare()
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_screen");
    const std::string data = root_folder + "/Data.hac/";
    WritePicture(data + "Video/BackGround.HGP", {u""});
    WritePicture(data + "Video/e.HGP", {u"Normal", u"Disable", u"Select", u"Push"});
    WritePicture(data + "StartMenu/ExitBack.HGP", {u""});
    WritePicture(data + "StartMenu/ExitYes.HGP", {u"Normal", u"Disable", u"Select", u"Push"});
    WritePicture(data + "StartMenu/ExitNo.HGP", {u"Normal", u"Disable", u"Select", u"Push"});
    WritePicture(data + "DreamMusic/DreamMusic.HGP", {u""});
    WritePicture(data + "DreamMusic/00.HGP", {u"Normal", u"Actived", u"Clicked"});
    WritePicture(data + "DreamMusic/t.HGP", {u"Normal", u"Actived", u"Clicked"});
    for (const char *t : {"StateBack", "RateBar", "xzFlag", "xz"})
        WriteTexture(data + "DreamMusic/" + t + ".TEX");
    std::filesystem::create_directories(root_folder + "/Local.hac");
    std::filesystem::create_directory(root_folder + "/Save");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());

    fuzzkit::OpenCanvas(kCanvasW, kCanvasH);
    if (!avg::OpenArchives() || !avg::InitGameResources() || !avg::LoadSharedResources()) std::abort();
}

// The fuzz bytes as the values of calls; past the end every read gives zeros.
class Reader : public fuzzkit::ByteReader
{
  public:
    using ByteReader::ByteReader;
    // Any bit pattern: negative, huge, infinite and not-a-number values too.
    float Float()
    {
        const uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    double Double()
    {
        const uint64_t bits = uint64_t(U32()) | uint64_t(U32()) << 32;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // A name of any length: a length (two bytes), then that many UTF-16 units,
    // the zero unit left out (the script hands over zero-terminated text).
    std::u16string Name()
    {
        const int length = Byte() | Byte() << 8;
        std::u16string s;
        for (int i = 0; i < length && More(); ++i)
        {
            const char16_t c = char16_t(Byte() | Byte() << 8);
            s += c ? c : u'?';
        }
        return s;
    }
};

inline bool Finite(float a, float b, float c, float d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}
} // namespace screenfuzz
