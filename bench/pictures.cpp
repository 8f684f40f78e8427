// Pictures and text on the headless canvas (Mesa's software renderer):
//  - a 1024 x 768 picture of four layers loaded from a HAC-3 archive, texture upload
//    included (raw and Zip-packed image blocks);
//  - MakeupText of a 200-character Chinese paragraph, widths cached;
//  - 2,000 cached glyphs drawn (glFinish included).
#include "graphics/font/TileFont.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/PictureFile.h"
#include "io/HAC.h"
#include "io/MemStream.h"
#include "support/GLTestContext.h"
#include "tools/hacpack/HacWriter.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;
using namespace hgl;

constexpr int PictureWidth = 1024, PictureHeight = 768, Layers = 4;

// A picture with gradients and a little texture, so that packing does real work.
std::vector<uint8_t> PictureFileBytes(const String &method)
{
    HgpFile hgp;
    hgp.width = PictureWidth;
    hgp.height = PictureHeight;
    for (int l = 0; l < Layers; l++)
    {
        HgpLayerData layer;
        layer.image.width = PictureWidth;
        layer.image.height = PictureHeight;
        layer.image.color_type = 4;
        layer.image.pixels.resize(size_t(PictureWidth) * PictureHeight * 4);
        for (int y = 0; y < PictureHeight; y++)
            for (int x = 0; x < PictureWidth; x++)
            {
                uint8_t *p = &layer.image.pixels[(size_t(y) * PictureWidth + x) * 4];
                p[0] = uint8_t(x / 4 + l * 30);
                p[1] = uint8_t(y / 3);
                p[2] = uint8_t((x * y) >> 8);
                p[3] = 255;
            }
        hgp.layers.push_back(std::move(layer));
    }
    MemStream ms;
    hgp.Write(&ms, method);
    return std::vector<uint8_t>(ms.GetData(), ms.GetData() + ms.GetSize());
}

struct Archive
{
    fs::path file;
    std::unique_ptr<HAC> hac;

    Archive()
    {
        file = fs::temp_directory_path() / ("hgl_bench_pictures_" + std::to_string(getpid()) + ".hac");
        hacpack::HacWriter w;
        w.root.Add(u"raw.hgp", PictureFileBytes(String()));
        w.root.Add(u"zip.hgp", PictureFileBytes(String(u"Zip")));
        w.WriteFile(file.string());
        hac.reset(OpenHAC(String::FromUTF8(file.string()).c_str()));
    }
    ~Archive()
    {
        hac.reset();
        fs::remove(file);
    }
};

void LoadPicture(benchmark::State &state, const u16char *name, bool mipmap = false)
{
    test::GLTestContext gl(64, 64);
    Archive archive;
    if (!gl.Ok() || !archive.hac)
    {
        state.SkipWithError("no GL context or archive");
        return;
    }
    for (auto _ : state)
    {
        HGP pic(archive.hac.get(), name, 0, mipmap);
        glFinish();
        if (pic.LayerCount != Layers) state.SkipWithError("picture did not load");
    }
}

void BM_LoadHgpRaw(benchmark::State &state)
{
    LoadPicture(state, u"raw.hgp");
}
void BM_LoadHgpZip(benchmark::State &state)
{
    LoadPicture(state, u"zip.hgp");
}
// As the picture caches load: with mip-maps.
void BM_LoadHgpRawMipmap(benchmark::State &state)
{
    LoadPicture(state, u"raw.hgp", true);
}

const Font Chs{u"黑体", 0, 16, false, false};
const Font Eng{u"Tahoma", 0, 16, false, false};

std::u16string Paragraph()
{
    const std::u16string base = u"春天来了，山上的雪慢慢化了。小河里的水“哗哗”地流着，"
                                u"岸边的柳树发出了嫩芽（远远看去一片淡绿）。孩子们在草地上放风筝、捉迷藏，"
                                u"笑声传得很远很远……";
    std::u16string text;
    while (text.size() < 200)
        text += base;
    return text.substr(0, 200);
}

void BM_MakeupText(benchmark::State &state)
{
    TileFont font(Chs, Eng, 512);
    const std::u16string text = Paragraph();
    Makeup m;
    font.MakeupText(m, text.c_str(), 600, TileFont::AlignLeft);
    for (auto _ : state)
    {
        font.MakeupText(m, text.c_str(), 600, TileFont::AlignLeft);
        benchmark::DoNotOptimize(m.EndRect.Left);
    }
}

void BM_DrawCachedGlyphs(benchmark::State &state)
{
    test::GLTestContext gl(1024, 768);
    if (!gl.Ok())
    {
        state.SkipWithError("no GL context");
        return;
    }
    TileFont font(Chs, Eng, 512);
    const std::u16string line = Paragraph().substr(0, 50);
    font.DrawString(0, 0, line.c_str());
    glFinish();
    for (auto _ : state)
    {
        for (int row = 0; row < 40; row++) // 40 lines of 50 glyphs
            font.DrawString(0, float(row * 18), line.c_str());
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
} // namespace

BENCHMARK(BM_LoadHgpRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHgpZip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHgpRawMipmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MakeupText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawCachedGlyphs)->Unit(benchmark::kMillisecond);
