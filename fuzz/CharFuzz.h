#pragma once
// What the character fuzz targets share: a start folder in /tmp with folder-mapped
// archives holding one two-pose character picture "ABCD" (also as icon and
// portrait), a three-frame mood "m" and a view-offset row for "AB", a headless
// canvas of 1024 x 768, and the game's resources opened on it.
#include "FuzzKit.h"

#include "game/core/Archives.h"
#include "game/core/DataTables.h"
#include "game/core/GameResources.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/PictureFile.h"
#include "io/Core.h"
#include "io/MemStream.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace charfuzz
{
inline std::string root_folder;

inline void WriteFile(const std::string &path, const void *data, size_t size)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(data), std::streamsize(size));
}

inline void WritePicture(const std::string &path, int layers)
{
    hgl::HgpFile hgp;
    hgp.width = hgp.height = 4;
    for (int i = 0; i < layers; ++i)
    {
        hgl::ImageBlock image;
        image.width = image.height = 4;
        image.color_type = 4; // RGBA
        image.pixels.assign(4 * 4 * 4, uint8_t(40 * i));
        hgp.layers.push_back({u"", 0, 0, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    }
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    WriteFile(path, s.GetData(), size_t(s.GetSize()));
}

inline void WriteScript(const std::string &path, const std::u16string &text)
{
    const std::u16string with_mark = u"\xFEFF" + text;
    WriteFile(path, with_mark.data(), with_mark.size() * sizeof(char16_t));
}

// Aborts when the folder, the canvas or the resources cannot be made. The
// character table gets extra rows before the one for "AB".
inline void Prepare(int extra_rows = 0)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_char");
    const std::string data = root_folder + "/Data.hac/", local = root_folder + "/Local.hac/Script/";
    WritePicture(data + "Character/ABCD.HGP", 6);
    WritePicture(data + "CharacterIcon/ABCD.HGP", 6);
    WritePicture(data + "CharacterDlg/ABCD.HGP", 1);
    WritePicture(data + "MoodRes/m.hgp", 3);
    WriteScript(local + "Define.CPP", u"func main()\n{\n    SetCharView(\"AB\", 1.0, 0.0, 0.5);\n}\n");
    WriteScript(local + "Chapter.CPP", u"func main()\n{\n}\n");
    WriteScript(local + "test.CPP", u"func main()\n{\n    SetImageSize(0.2, 1.0);\n}\n");
    std::u16string rows;
    for (int i = 0; i < extra_rows; ++i)
        rows +=
            u"    SetChar(\"Z" + std::u16string(1, char16_t(u'A' + i % 26)) + u"\", \"row\", 0, 0, \"\");\n";
    WriteScript(local + "Character.CPP",
                u"func main()\n{\n" + rows + u"    SetChar(\"AB\", \"AB(x)\", 0, 0, \"\");\n}\n");
    std::filesystem::create_directory(root_folder + "/Save");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());

    fuzzkit::OpenCanvas(1024, 768);
    if (!avg::OpenArchives() || !avg::LoadDataTables() || !avg::InitGameResources()) std::abort();
}
} // namespace charfuzz
