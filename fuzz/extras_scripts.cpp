// Bytes as the script functions of an album page or a glossary tab, with
// arbitrary arguments, followed by frames and input on a headless canvas: long
// names, names without '.', ';' and colons in picture names, huge and negative
// numbers. The page never holds more than 16 entries, the glossary one entry per
// declaring call, and nothing crashes while the screens and their viewers run.
#include "FuzzKit.h"

#include "core/String.h"
#include "graphics/draw/Painter.h"
#include "framework/FlowControl.h"
#include "game/core/Archives.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/extras/WordUnit.h"
#include "graphics/ColorType.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/PictureFile.h"
#include "io/Core.h"
#include "io/MemStream.h"
#include "io/Time.h"
#include "platform/window/HeadlessWindow.h"
#include "tests/support/TestClock.h"

#include <GL/glew.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
constexpr int kW = 320, kH = 240;
constexpr int kMostCalls = 80, kMostEvents = 200;

std::string root_folder;
hgl::platform::HeadlessWindow *window = nullptr;
// Installed at start-up, for the rest of the run.
hgl::test::TestClock &FuzzClock()
{
    static hgl::test::TestClock clock(1000000000ull);
    return clock;
}

void WriteFile(const std::string &name, const void *data, size_t size)
{
    const std::filesystem::path p = root_folder + "/" + name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(data), std::streamsize(size));
}

void WritePicture(const std::string &name, uint8_t shade)
{
    hgl::HgpFile hgp;
    hgp.width = hgp.height = 2;
    hgl::ImageBlock image;
    image.width = image.height = 2;
    image.color_type = hgl::ctRGBA;
    image.pixels.assign(16, shade);
    hgp.layers.push_back({u"Select", 0, 0, hgl::Color4f(1, 1, 1, 1), std::move(image)});
    hgl::MemStream s;
    hgp.Write(&s, hgl::String());
    WriteFile("Data.hac/" + name, s.GetData(), size_t(s.GetSize()));
}

class Reader : public fuzzkit::ByteReader
{
  public:
    using ByteReader::ByteReader;

    // A string literal of the script: letters that matter to the screens' rules.
    std::u16string Text()
    {
        static const char16_t kAlphabet[] = u"Cc019.;:：,，\\ NXabdesvx";
        const int first = Byte();
        const int length = first & 0x80 ? (first & 0x7F) * 4 : first & 0x1F;
        std::u16string out = u"\"";
        for (int i = 0; i < length; ++i)
        {
            const char16_t c = kAlphabet[Byte() % (sizeof(kAlphabet) / sizeof(char16_t) - 1)];
            out += c == u'\\' ? u"\\\\" : std::u16string(1, c);
        }
        return out + u"\"";
    }
    std::u16string Number() { return hgl::String(Int()).ToStdString(); }
};

class Caller : public hgl::FlowObject
{
};

void WriteScript(const std::string &name, const std::u16string &text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text)
    {
        bytes += char(c & 0xFF);
        bytes += char(c >> 8);
    }
    WriteFile("Local.hac/" + name, bytes.data(), bytes.size());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_extras");
    for (const char *p :
         {"DreamChar/unfind.HGP", "DreamChar/page.HGP", "DreamChar/CharImageTex.HGP", "event_small/C001.HGP",
          "Event/C001.HGP", "BG/BLACK.HGP", "DreamScene/untitled.HGP", "WordUnit/BackGround.HGP",
          "WordUnit/DiWen.HGP", "WordUnit/b.HGP", "WordUnit/WordButton0.HGP"})
        WritePicture(p, uint8_t(std::string(p).size() * 7));
    std::filesystem::create_directories(root_folder + "/Local.hac/Script");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());

    window = new hgl::platform::HeadlessWindow;
    hgl::platform::WindowOptions options;
    options.width = kW;
    options.height = kH;
    options.title = "fuzz";
    if (!window->Create(options)) std::abort();
    window->BeginFrame();
    hgl::SetOrtho2D(kW, kH);
    FuzzClock();
    if (!avg::OpenArchives() || !avg::InitGameResources()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Reader r(data, size);
    const int mode = r.Byte();
    const bool album = !(mode & 1);
    for (const char16_t *cg : {u"C001", u"c0", u"9.", u"C"})
        if (r.Byte() & 1) avg::MarkEvent(cg);

    std::u16string script = u"func main()\n{\n";
    int entries = 0;
    for (int i = 0; i < kMostCalls && r.More(); ++i)
    {
        const int op = r.Byte();
        if (op == 0xFF) break; // the rest is input
        if (album)
        {
            switch (op % 3)
            {
            case 0:
                script += u"    SetBG(" + r.Text() + u");\n";
                break;
            case 1:
                script += u"    SetCG(" + r.Text() + u", " + r.Number() + u");\n";
                break;
            default:
                script += u"    SetZCG(" + r.Text() + u", " + r.Number() + u");\n";
            }
            continue;
        }
        switch (op % 4)
        {
        case 0:
            script +=
                u"    SetTips(" + r.Text() + u", " + r.Text() + u", " + r.Text() + u", " + r.Text() + u");\n";
            ++entries;
            break;
        case 1:
            script += u"    SetObject(" + r.Text() + u", " + r.Text() + u", " + r.Text() + u");\n";
            ++entries;
            break;
        case 2:
            script += u"    SetSceneB(" + r.Text() + u", " + r.Text() + u");\n";
            ++entries;
            break;
        default:
            script += u"    SetSceneBZ(" + r.Text() + u");\n";
        }
    }
    script += u"}\n";

    hgl::FlowObject *screen = nullptr;
    if (album)
    {
        WriteScript("QW.CPP", script);
        auto *page = new AlbumNewCG(u"QW.CPP", mode & 2);
        if (page->GetEntryCount() > AlbumNewCG::kPerPage) __builtin_trap();
        screen = page;
    }
    else
    {
        WriteScript("Script/Tips.CPP", script);
        auto *word = new WordUnit;
        if (word->GetEntryCount() != entries) __builtin_trap();
        screen = word;
    }

    {
        hgl::FlowControl flow(new Caller);
        flow.CallTo(screen);
        flow.ProcState();
        for (int i = 0; i < kMostEvents && r.More() && flow.IsRunning(); ++i)
        {
            const int event = r.Byte();
            const int x = r.Byte() * kW / 256, y = r.Byte() * kH / 256;
            switch (event % 6)
            {
            case 0:
                flow.Proc_MouseMove(x, y, 0);
                flow.Proc_MouseLeftDown(x, y, 0);
                flow.Proc_MouseLeftUp(x, y, 0);
                break;
            case 1:
                flow.Proc_KeyDown(1);
                break;
            case 2:
                flow.Proc_MouseRightDown(x, y, 0);
                break;
            case 3:
                flow.Proc_KeyDown(83 + event % 4);
                break;
            default:
                break;
            }
            for (int f = event % 8; f >= 0 && flow.IsRunning(); --f)
            {
                FuzzClock().AdvanceNs((event & 0x80 ? 150 : 16) * 1000000ull);
                hgl::draw::Clear(hgl::Color4f(0, 0, 0, 0));
                flow.RunFrame(true);
            }
        }
    }
    avg::GetGameRecord().Clear();
    return 0;
}
