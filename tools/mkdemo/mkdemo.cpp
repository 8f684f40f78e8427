// mkdemo <folder> [--folders]
// Generates the demo game into a folder: the loose trees "Data" and "Local" and
// the archives "Data.hac" and "Local.hac" packed from them. With --folders the
// trees are written as the folders "Data.hac" and "Local.hac" themselves, which
// the game mounts just the same, and nothing is packed. "manifest.txt" beside
// them lists the colours of the pictures' regions, for checking screenshots.
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include "core/String.h"
#include "io/Core.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char **argv)
{
    std::string folder;
    bool folders = false;
    bool bad = false;
    for (int i = 1; i < argc; ++i)
    {
        if (std::strcmp(argv[i], "--folders") == 0)
            folders = true;
        else if (argv[i][0] == '-' || !folder.empty())
            bad = true;
        else
            folder = argv[i];
    }
    if (bad || folder.empty())
    {
        std::fprintf(stderr, "usage: mkdemo <folder> [--folders]\n");
        return 2;
    }

    using namespace hgl::demo;
    // The pictures are compressed through the build's plug-ins beside this program.
    std::error_code ec;
    const auto plugins = std::filesystem::canonical("/proc/self/exe", ec).parent_path() / "Plug-Ins";
    if (!ec && std::filesystem::is_directory(plugins, ec))
        hgl::SetInfoString(hgl::infoPlugInsFolder, hgl::String::FromUTF8(plugins.string()).c_str());

    DemoContent content;
    std::string error;
    if (!MakeDemoContent(content, &error))
    {
        std::fprintf(stderr, "mkdemo: %s\n", error.c_str());
        return 1;
    }
    const std::string data_tree = folder + (folders ? "/Data.hac" : "/Data");
    const std::string local_tree = folder + (folders ? "/Local.hac" : "/Local");
    bool ok = WriteTree(content.data, data_tree, &error) && WriteTree(content.local, local_tree, &error);
    if (ok && !folders)
        ok = PackArchive(content.data, folder + "/Data.hac", &error) &&
             PackArchive(content.local, folder + "/Local.hac", &error);
    if (ok)
    {
        std::ofstream manifest(folder + "/manifest.txt", std::ios::binary | std::ios::trunc);
        manifest << MakeManifest();
        if (!manifest.flush())
        {
            ok = false;
            error = "cannot write " + folder + "/manifest.txt";
        }
    }
    if (!ok)
    {
        std::fprintf(stderr, "mkdemo: %s\n", error.c_str());
        return 1;
    }
    std::printf("mkdemo: %zu data files, %zu local files in %s\n", content.data.size(), content.local.size(),
                folder.c_str());
    return 0;
}
