// Bytes as the file a data screen runs ("Local.hac" mapped from a folder in /tmp):
// whatever the file holds, the runner either runs "main" to its end within its
// budget or refuses with a log line; it never crashes or hangs, and a file too
// short to hold one character never runs.
#include "FuzzKit.h"

#include "game/core/Archives.h"
#include "game/core/DataScript.h"
#include "io/Core.h"
#include "script/DevilEngine.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
std::string root_folder;
int entries = 0;

// The natives the data screens register, in their declaration forms.
void SetMovie(const hgl::u16char *, const hgl::u16char *, const hgl::u16char *, int, int, int, int)
{
    ++entries;
}
void SetMusic(const hgl::u16char *, int, int, const hgl::u16char *, const hgl::u16char *)
{
    ++entries;
}
void SAY(const hgl::u16char *)
{
    ++entries;
}
void SetCharView(const hgl::u16char *, float, float, float)
{
    ++entries;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    root_folder = fuzzkit::MakeStartFolder("hgl_fuzz_data_script");
    std::filesystem::create_directories(root_folder + "/Data.hac");
    std::filesystem::create_directories(root_folder + "/Local.hac/Script");
    hgl::SetInfoString(8, hgl::String::FromUTF8(root_folder).c_str());
    if (!avg::OpenArchives()) std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        std::ofstream out(root_folder + "/Local.hac/Script/Data.CPP", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), std::streamsize(size));
    }
    entries = 0;
    const bool ran = avg::RunDataScript(
        u"Script\\Data.CPP",
        [](hgl::DevilEngine &e)
        {
            return e.MapFunc(u"void SetMovie(string,string,string,int,int,int,int)", &SetMovie) &&
                   e.MapFunc(u"void SetMusic(string,int,int,string,string)", &SetMusic) &&
                   e.MapFunc(u"void SAY(string)", &SAY) &&
                   e.MapFunc(u"void SetCharView(string,float,float,float)", &SetCharView);
        });
    if (size < 2 && (ran || entries != 0)) __builtin_trap();
    return 0;
}
