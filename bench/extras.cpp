// The extras on the headless canvas (Mesa's software renderer):
//  - loading a glossary tab of 52 entries with the archive warm (target under 30 ms);
//  - the C++ heap allocations per frame of the picture viewer, the tip and object
//    viewers (glyph tiles warm), the character album, a CG page of 16 entries and
//    the glossary (target 0; the renderer's own C allocations are not counted).
#include "bench/support/HeapCount.h"
#include "framework/FlowControl.h"
#include "game/core/Archives.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/extras/AlbumNewUnit.h"
#include "game/screens/extras/ViewHGP.h"
#include "game/screens/extras/ViewObject.h"
#include "game/screens/extras/ViewTips.h"
#include "game/screens/extras/WordUnit.h"
#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/Core.h"
#include "io/MemStream.h"
#include "io/StringList.h"
#include "io/Time.h"
#include "support/GLTestContext.h"
#include "support/TestClock.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <string>

namespace
{
namespace fs = std::filesystem;
constexpr int kCanvasW = 1024, kCanvasH = 768;
constexpr int kTabEntries = 52;

// Installed with the content, for the rest of the run.
hgl::test::TestClock &BenchClock()
{
    static hgl::test::TestClock clock(1000000000ull);
    return clock;
}

class Caller : public hgl::FlowObject
{
};

// A start folder with the extras' pictures and scripts, the archives mounted.
struct Content
{
    hgl::test::GLTestContext gl{kCanvasW, kCanvasH};
    fs::path root = fs::temp_directory_path() / ("hgl_bench_extras_" + std::to_string(::getpid()));

    void Write(const std::string &name, const void *data, size_t size)
    {
        const fs::path p = root / name;
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary).write(static_cast<const char *>(data), std::streamsize(size));
    }

    void Picture(const std::string &name, int w, int h, std::initializer_list<const char16_t *> layers)
    {
        hgl::HgpFile hgp;
        hgp.width = w;
        hgp.height = h;
        uint8_t shade = 60;
        for (const char16_t *layer : layers)
        {
            hgl::HgpLayerData l;
            l.name = layer;
            l.image.width = w;
            l.image.height = h;
            l.image.color_type = hgl::ctRGBA;
            l.image.pixels.assign(size_t(w) * h * 4, shade += 40);
            hgp.layers.push_back(std::move(l));
        }
        hgl::MemStream s;
        hgp.Write(&s, hgl::String());
        Write("Data.hac/" + name, s.GetData(), size_t(s.GetSize()));
    }

    void Texture(const std::string &name)
    {
        hgl::TexFile tex;
        tex.image.width = tex.image.height = 16;
        tex.image.color_type = hgl::ctRGBA;
        tex.image.pixels.assign(16 * 16 * 4, 180);
        hgl::MemStream s;
        tex.Write(&s, hgl::String());
        Write("Data.hac/" + name, s.GetData(), size_t(s.GetSize()));
    }

    void Script(const std::string &name, const std::u16string &text)
    {
        std::string bytes = "\xFF\xFE";
        for (char16_t c : text)
        {
            bytes += char(c & 0xFF);
            bytes += char(c >> 8);
        }
        Write("Local.hac/" + name, bytes.data(), bytes.size());
    }

    Content()
    {
        for (const char *p : {"Event/C001.HGP", "Event/C002.HGP", "Event/C003.HGP", "BG/BLACK.HGP"})
            Picture(p, 256, 192, {u""});
        for (const char *p : {"DreamScene/untitled.HGP", "DreamChar/unfind.HGP", "DreamChar/CharImageTex.HGP",
                              "event_small/C001.HGP"})
            Picture(p, 64, 48, {u""});
        Picture("DreamChar/Background.HGP", 256, 192, {u""});
        Picture("DreamChar/page.HGP", 256, 192, {u""});
        for (int i = 0; i < 10; ++i)
            Picture("DreamChar/Char0" + std::to_string(i) + ".HGP", 128, 40, {u"Normal", u"Select"});
        for (const char *t : {"DreamChar/Select.TEX", "DreamChar/SelectChar.TEX", "DreamChar/Cloudy.TEX"})
            Texture(t);
        Picture("WordUnit/BackGround.HGP", 256, 192, {u""});
        Picture("WordUnit/DiWen.HGP", 256, 192, {u""});
        Picture("WordUnit/v.HGP", 128, 192, {u""});
        Picture("WordUnit/b.HGP", 32, 90, {u"Normal", u"Select"});
        for (int i = 0; i < 4; ++i)
            Picture("WordUnit/WordButton" + std::to_string(i) + ".HGP", 100, 30,
                    {u"Normal", u"Actived", u"Clicked"});

        std::u16string tips = u"func main()\n{\n";
        for (int i = 0; i < kTabEntries; ++i)
            tips += u"    SetTips(\"\", \"WordUnit\\\\b.HGP\", \"WordUnit\\\\v.HGP\", \"标题：正文，续\");\n";
        Script("Script/Tips.CPP", tips + u"}\n");
        std::u16string album = u"func main()\n{\n    SetBG(\"page.HGP\");\n";
        for (int i = 0; i < 16; ++i)
            album += u"    SetCG(\"C001\", 0);\n    SetZCG(\"C002\", 0);\n";
        Script("QW.CPP", album + u"}\n");

        hgl::SetInfoString(8, hgl::String::FromUTF8(root.string()).c_str());
        BenchClock();
        if (!avg::OpenArchives() || !avg::InitGameResources()) std::abort();
        avg::MarkEvent(u"C001");
    }
    ~Content()
    {
        avg::FreeGameResources();
        avg::CloseArchives();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Content &TheContent()
{
    static Content content;
    return content;
}

void BM_GlossaryTabLoad(benchmark::State &state)
{
    TheContent();
    WordUnit word;
    word.LoadTab(0); // the archive's files warm
    if (word.GetEntryCount() != kTabEntries) state.SkipWithError("the tab did not load");
    for (auto _ : state)
        word.LoadTab(0);
}
BENCHMARK(BM_GlossaryTabLoad)->Unit(benchmark::kMillisecond);

// Frames of a screen over a caller; act runs between frames (input, not counted).
void CountFrames(benchmark::State &state, hgl::FlowObject *screen, int warm,
                 const std::function<void(hgl::FlowControl &, long)> &act = {}, bool strict = true)
{
    hgl::FlowControl flow(new Caller);
    flow.PushTo(screen);
    flow.ProcState();
    auto frame = [&]
    {
        BenchClock().AdvanceNs(16000000ull);
        flow.RunFrame(true);
    };
    for (int i = 0; i < warm; ++i)
        frame();
    long counted = 0, frames = 0;
    for (auto _ : state)
    {
        if (act) act(flow, frames);
        const long before = hgl::bench::HeapAllocations();
        frame();
        counted += hgl::bench::HeapAllocations() - before;
        ++frames;
    }
    const double per_frame = double(counted) / double(frames);
    state.counters["allocs_per_frame"] = per_frame;
    if (strict && per_frame > 0) state.SkipWithError("heap allocation while drawing");
}

void BM_ViewHGPFrames(benchmark::State &state)
{
    TheContent();
    hgl::StringList names;
    for (const char16_t *n : {u"C001", u"C002", u"C003"})
        names.AddText(n);
    // A cross-fade always running: a click every 40 frames.
    CountFrames(state, new ViewHGP(names, 100, 100, 64, 48, true), 60,
                [](hgl::FlowControl &flow, long frame)
                {
                    if (frame % 40 == 0) flow.Proc_MouseLeftDown(1, 1, 0);
                });
}
BENCHMARK(BM_ViewHGPFrames)->Iterations(200);

void BM_ViewTipsFrames(benchmark::State &state)
{
    TheContent();
    CountFrames(state,
                new ViewTips(u"WordUnit\\BackGround.HGP", u"WordUnit\\v.HGP",
                             u"标题：雪是冬天的天空，落下的白色结晶。", u"WordUnit\\b.HGP"),
                2);
}
BENCHMARK(BM_ViewTipsFrames)->Iterations(200);

void BM_ViewObjectFrames(benchmark::State &state)
{
    TheContent();
    CountFrames(state, new ViewObject(u"WordUnit\\BackGround.HGP", u"WordUnit\\v.HGP", u"一把红色的伞。"), 2);
}
BENCHMARK(BM_ViewObjectFrames)->Iterations(200);

void BM_AlbumFrames(benchmark::State &state)
{
    TheContent();
    CountFrames(state, new AlbumNewUnit, 2);
}
BENCHMARK(BM_AlbumFrames)->Iterations(200);

void BM_AlbumPageFrames(benchmark::State &state)
{
    TheContent();
    CountFrames(state, new AlbumNewCG(u"QW.CPP", false), 2);
}
BENCHMARK(BM_AlbumPageFrames)->Iterations(200);

void BM_GlossaryFrames(benchmark::State &state)
{
    TheContent();
    // Counted, not held to 0: the tab buttons name their layer afresh in each draw.
    CountFrames(state, new WordUnit, 2, {}, false);
}
BENCHMARK(BM_GlossaryFrames)->Iterations(200);
} // namespace
