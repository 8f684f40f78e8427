// hgptool: pictures for the engine from PNG files.
//
//   hgptool tex <picture.png> <out.tex> [--format N] [--mipmap]
//   hgptool hgp <out.hgp> [--size WxH] LAYER...
//       LAYER = --layer <picture.png> [--name NAME] [--at X,Y] [--color R,G,B,A]
//   hgptool list <file>
//
// Common options: --method Zip|none (how image blocks are stored; Zip by default)
// and --plugins DIR (where the compression plug-ins are; else "Plug-Ins" beside
// this program, else the current folder's). An HGP picture is as large as its
// layers reach unless --size says otherwise; layer colours default to opaque white.
#include "tools/hgptool/PngFile.h"

#include "graphics/ColorType.h"
#include "graphics/texture/PictureFile.h"
#include "io/Compress.h"
#include "io/Core.h"
#include "io/FileStream.h"
#include "io/TDF.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace
{
using namespace hgl;
using Args = std::vector<std::string>;

const char Usage[] =
    "usage: hgptool tex <picture.png> <out.tex> [--format N] [--mipmap]\n"
    "       hgptool hgp <out.hgp> [--size WxH] --layer <picture.png> [--name NAME] [--at X,Y]\n"
    "               [--color R,G,B,A] [--layer ...]\n"
    "       hgptool list <file>\n"
    "options: --method Zip|none, --plugins DIR\n";

struct Options
{
    String method{u"Zip"};
    std::string plugins;
};

int Fail(const std::string &message)
{
    std::fprintf(stderr, "hgptool: %s\n", message.c_str());
    return 1;
}

// Numbers separated by commas (or an 'x'), as many as wanted.
bool ParseNumbers(const std::string &text, size_t wanted, std::vector<double> &out)
{
    out.clear();
    const char *p = text.c_str();
    while (*p)
    {
        char *end = nullptr;
        out.push_back(std::strtod(p, &end));
        if (end == p) return false;
        p = end;
        if (*p == ',' || *p == 'x') p++;
    }
    return out.size() == wanted;
}

std::u16string U16(const std::string &s)
{
    String t = String::FromUTF8(s);
    return std::u16string(t.c_str() ? t.c_str() : u"");
}

// Takes the common options out of the arguments.
bool TakeOptions(Args &args, Options &opt)
{
    Args rest;
    for (size_t i = 0; i < args.size(); i++)
    {
        if (args[i] == "--method" && i + 1 < args.size())
            opt.method = args[++i] == "none" ? String() : String::FromUTF8(args[i]);
        else if (args[i] == "--plugins" && i + 1 < args.size())
            opt.plugins = args[++i];
        else
            rest.push_back(args[i]);
    }
    args = rest;
    return true;
}

// Points the engine at the compression plug-ins: --plugins, else "Plug-Ins" beside
// this program, else the current folder's.
void FindPlugIns(Options &opt)
{
    std::error_code ec;
    if (opt.plugins.empty())
    {
        const auto beside = std::filesystem::canonical("/proc/self/exe", ec).parent_path() / "Plug-Ins";
        if (!ec && std::filesystem::is_directory(beside, ec)) opt.plugins = beside.string();
    }
    if (!opt.plugins.empty()) SetInfoString(infoPlugInsFolder, U16(opt.plugins).c_str());
}

bool UseMethod(const Options &opt)
{
    return opt.method.Length == 0 || GetCompressInterface(opt.method) != nullptr;
}

bool WriteOut(const std::string &path, const std::function<bool(Stream *)> &write)
{
    FileStream fs;
    return fs.Create(U16(path).c_str()) && write(&fs);
}

int MakeTex(Args args, const Options &opt)
{
    TexFile tex;
    std::string in, out, error;
    for (size_t i = 0; i < args.size(); i++)
    {
        if (args[i] == "--format" && i + 1 < args.size())
            tex.image.format = uint32(std::strtoul(args[++i].c_str(), nullptr, 0));
        else if (args[i] == "--mipmap")
            tex.mipmap = true;
        else if (in.empty())
            in = args[i];
        else if (out.empty())
            out = args[i];
        else
            return Fail(std::string("unexpected argument ") + args[i]);
    }
    if (in.empty() || out.empty()) return Fail("tex needs a picture and an output file");
    const uint32 format = tex.image.format;
    if (!hgptool::ReadPng(in, tex.image, error)) return Fail(error);
    tex.image.format = format;
    if (!WriteOut(out, [&](Stream *s) { return tex.Write(s, opt.method); }))
        return Fail("cannot write " + out);
    return 0;
}

int MakeHgp(Args args, const Options &opt)
{
    HgpFile hgp;
    std::string out, error;
    std::vector<double> n;
    int width = 0, height = 0;
    for (size_t i = 0; i < args.size(); i++)
    {
        const bool has_value = i + 1 < args.size();
        HgpLayerData *layer = hgp.layers.empty() ? nullptr : &hgp.layers.back();
        if (args[i] == "--layer" && has_value)
        {
            hgp.layers.emplace_back();
            if (!hgptool::ReadPng(args[++i], hgp.layers.back().image, error)) return Fail(error);
        }
        else if (args[i] == "--size" && has_value && ParseNumbers(args[++i], 2, n))
            width = int(n[0]), height = int(n[1]);
        else if (layer && args[i] == "--name" && has_value)
            layer->name = String::FromUTF8(args[++i]);
        else if (layer && args[i] == "--at" && has_value && ParseNumbers(args[++i], 2, n))
            layer->left = int(n[0]), layer->top = int(n[1]);
        else if (layer && args[i] == "--color" && has_value && ParseNumbers(args[++i], 4, n))
            layer->color = Color4f(float(n[0]), float(n[1]), float(n[2]), float(n[3]));
        else if (out.empty() && args[i][0] != '-')
            out = args[i];
        else
            return Fail("bad argument " + args[i]);
    }
    if (out.empty() || hgp.layers.empty()) return Fail("hgp needs an output file and at least one --layer");
    for (const HgpLayerData &layer : hgp.layers)
    {
        hgp.width = std::max(hgp.width, layer.left + layer.image.width);
        hgp.height = std::max(hgp.height, layer.top + layer.image.height);
    }
    hgp.width = width > 0 ? width : hgp.width;
    hgp.height = height > 0 ? height : hgp.height;
    if (!WriteOut(out, [&](Stream *s) { return hgp.Write(s, opt.method); }))
        return Fail("cannot write " + out + " (a layer outside the picture, or too many layers?)");
    return 0;
}

const char *ColorName(int color_type)
{
    static const char *names[] = {"none", "L", "LA", "RGB", "RGBA", "A", "BGR", "BGRA"};
    return color_type >= 0 && color_type <= ColorTypeMax ? names[color_type] : "?";
}

void PrintImage(const ImageBlock &img)
{
    std::printf("%dx%d %s format 0x%X", img.width, img.height, ColorName(img.color_type),
                unsigned(img.format));
}

// The first compression method a block of the tree names that no plug-in provides;
// empty when every block can be unpacked.
String MissingMethod(TDFNode *node, int depth = 0)
{
    String method;
    if (depth > TDFNode::MaxDepth) return method;
    if (node->GetString(TDFCompressKey, method) && GetCompressInterface(method) == nullptr) return method;
    for (int i = 0; i < node->GetChildCount(); i++)
    {
        method = MissingMethod(node->GetChild(i), depth + 1);
        if (method.Length != 0) return method;
    }
    return String();
}

// A file that failed to read: damaged, unless it only needs a plug-in that is not there.
int ReadFailure(TDFNode &root, const std::string &file, const std::string &damaged)
{
    const String method = MissingMethod(&root);
    if (method.Length == 0) return Fail(file + ": " + damaged);
    return Fail(file + ": needs the " + method.ToUTF8() + " compression plug-in, which was not found");
}

int ListFile(const Args &args)
{
    if (args.size() != 1) return Fail("list needs one file");
    const std::u16string path = U16(args[0]);
    TDFNode root(path.c_str());
    FileStream fs(path.c_str(), 2);
    if (root.GetName().Comp(u"TEX") == 0)
    {
        TexFile tex;
        if (!tex.Read(&fs, path.c_str())) return ReadFailure(root, args[0], "damaged TEX file");
        std::printf("TEX ");
        PrintImage(tex.image);
        std::printf(" mipmap %s\n", tex.mipmap ? "yes" : "no");
        return 0;
    }
    HgpFile hgp;
    if (!hgp.Read(&fs, path.c_str())) return ReadFailure(root, args[0], "not a TEX or HGP file, or damaged");
    std::printf("HGP %dx%d, %d layers\n", hgp.width, hgp.height, int(hgp.layers.size()));
    for (size_t i = 0; i < hgp.layers.size(); i++)
    {
        const HgpLayerData &l = hgp.layers[i];
        std::printf("  L%d \"%s\" at %d,%d ", int(i), l.name.ToUTF8().c_str(), l.left, l.top);
        PrintImage(l.image);
        std::printf(" color %g,%g,%g,%g\n", l.color.r, l.color.g, l.color.b, l.color.a);
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    Args args(argv + 1, argv + argc);
    Options opt;
    if (args.empty() || !TakeOptions(args, opt))
    {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    FindPlugIns(opt);
    if (command == "list") return ListFile(args);
    if (command != "tex" && command != "hgp")
    {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (!UseMethod(opt)) return Fail("compression method not available: " + opt.method.ToUTF8());
    return command == "tex" ? MakeTex(args, opt) : MakeHgp(args, opt);
}
