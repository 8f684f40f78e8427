// hacpack <folder> <archive> [--method NAME] [--plugins DIR]
// Packs every file below a folder into a HAC-3 archive that the engine mounts.
// With --method each file is compressed through the engine's compression plug-in
// of that name (kept stored when that does not make it smaller). The plug-ins are
// looked for in DIR, else in the "Plug-Ins" folder beside this program, else in
// the current folder's.
#include "tools/hacpack/EngineCompressor.h"
#include "tools/hacpack/HacWriter.h"

#include "io/Compress.h"
#include "io/Core.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char **argv)
{
    std::string folder, archive, method, plugins;
    bool bad = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--method") == 0 && i + 1 < argc)
            method = argv[++i];
        else if (std::strcmp(argv[i], "--plugins") == 0 && i + 1 < argc)
            plugins = argv[++i];
        else if (argv[i][0] == '-' && argv[i][1] == '-')
            bad = true;
        else if (folder.empty())
            folder = argv[i];
        else if (archive.empty())
            archive = argv[i];
        else
            bad = true;
    }
    if (bad || folder.empty() || archive.empty())
    {
        std::fprintf(stderr, "usage: hacpack <folder> <archive> [--method NAME] [--plugins DIR]\n");
        return 2;
    }

    using namespace hgl::hacpack;
    HacWriter writer;
    if (!method.empty())
    {
        std::error_code ec;
        if (plugins.empty())
        {
            const auto beside = std::filesystem::canonical("/proc/self/exe", ec).parent_path() / "Plug-Ins";
            if (!ec && std::filesystem::is_directory(beside, ec)) plugins = beside.string();
        }
        if (!plugins.empty()) hgl::SetInfoString(hgl::infoPlugInsFolder, Utf8ToUtf16(plugins).c_str());
        const hgl::String name = hgl::String::FromUTF8(method);
        if (hgl::CompressAlgorithmIndex(name) == 0 || !hgl::GetCompressInterface(name))
        {
            std::fprintf(stderr, "hacpack: compression method not available: %s\n", method.c_str());
            return 1;
        }
        writer.SetCompressor(EngineCompressor());
    }
    std::string error;
    if (!writer.AddDiskFolder(folder, Utf8ToUtf16(method), &error) || !writer.WriteFile(archive, &error))
    {
        std::fprintf(stderr, "hacpack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
