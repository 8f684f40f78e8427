#include "io/SpecialPath.h"

#include <cstring>
#include <string>

#include "core/Log.h"
#include "io/FileHelpers.h"
#include "platform/Env.h"
#include "platform/Path.h"
#include "platform/ProcessPath.h"

namespace hgl
{
namespace
{
bool Same(const u16char *a, const u16char *b)
{
    return std::u16string(a ? a : u"") == std::u16string(b ? b : u"");
}

// Stores a native path in a slot of `units` units; a path too long for it leaves
// the slot empty (a cut path would name another folder).
void Store(u16char *slot, int units, const std::string &native)
{
    const std::u16string s = platform::Utf8ToUtf16(native);
    if (s.size() + 1 > size_t(units))
    {
        slot[0] = 0;
        return;
    }
    std::memcpy(slot, s.c_str(), (s.size() + 1) * sizeof(u16char));
}

// The path block as `spCount` slots of `units` units each, laid out one after another.
class Slots
{
    u16char *base;
    int units;

  public:
    Slots(u16char *b, int u) : base(b), units(u) {}
    u16char *operator[](int index) const { return base + size_t(index) * size_t(units); }
    int Units() const { return units; }
    void Store(int index, const std::string &native) const { ::hgl::Store((*this)[index], units, native); }
};

void Fill(const Slots &b)
{
    for (int i = 0; i < spCount; ++i)
        b[i][0] = 0;

    b.Store(spStartFolder, platform::CurrentFolder());

    // The executable's folder keeps its trailing separator, so its text never
    // equals the start folder's even when both are the same place.
    std::u16string exe_folder;
    {
        const std::string exe = platform::ExecutablePath();
        const size_t slash = exe.rfind('/');
        if (slash != std::string::npos) exe_folder = platform::Utf8ToUtf16(exe.substr(0, slash + 1));
    }

    if (auto root = platform::GetEnv("OVGDK"))
        b.Store(spKitRoot, *root);
    else
        std::memcpy(b[spKitRoot], b[spStartFolder], size_t(b.Units()) * sizeof(u16char));

    FindFolder(b[spGUIFolder], b.Units(), b[spStartFolder], exe_folder.c_str(), b[spKitRoot], u"GUI");
    FindFolder(b[spPlugInsFolder], b.Units(), b[spStartFolder], exe_folder.c_str(), b[spKitRoot],
               u"Plug-Ins");

    const std::string data_home = platform::DataHome();
    b.Store(spWindowsFolder, std::string());
    b.Store(spSystemFolder, "/usr/lib");
    b.Store(spFontsFolder, data_home.empty() ? std::string() : data_home + "/fonts");
    b.Store(spTempFolder, platform::TempFolder());
    b.Store(spAppDataFolder, data_home);
    b.Store(spDocumentsFolder, platform::UserFolder("DOCUMENTS", "Documents"));
    b.Store(spPicturesFolder, platform::UserFolder("PICTURES", "Pictures"));
    b.Store(spMusicFolder, platform::UserFolder("MUSIC", "Music"));
    b.Store(spVideosFolder, platform::UserFolder("VIDEOS", "Videos"));
    b.Store(spStartMenuFolder, data_home.empty() ? std::string() : data_home + "/applications");
    b.Store(spDesktopFolder, platform::UserFolder("DESKTOP", "Desktop"));

    PutInfo(u"　　程序启动路径:%s", b[spStartFolder]);
    PutNewLine();
    PutInfo(u"　　操作系统路径:%s", b[spWindowsFolder]);
    PutInfo(u"操作系统字库路径:%s", b[spFontsFolder]);
    PutInfo(u"操作系统系统路径:%s", b[spSystemFolder]);
    PutNewLine();
    PutInfo(u"　　临时文件路径:%s", b[spTempFolder]);
    PutInfo(u"“我的数据”路径:%s", b[spAppDataFolder]);
    PutInfo(u"“我的文档”路径:%s", b[spDocumentsFolder]);
    PutInfo(u"“我的图片”路径:%s", b[spPicturesFolder]);
    PutInfo(u"“我的音乐”路径:%s", b[spMusicFolder]);
    PutInfo(u"“我的视频”路径:%s", b[spVideosFolder]);
    PutInfo(u"“开始菜单”路径:%s", b[spStartMenuFolder]);
    PutInfo(u"　　“桌面”路径:%s", b[spDesktopFolder]);
    PutNewLine();
    PutInfo(u"　　　OVGDK 路径:%s", b[spKitRoot]);
    PutInfo(u"　　 GUI资源路径:%s", b[spGUIFolder]);
    PutInfo(u"　　　　插件路径:%s", b[spPlugInsFolder]);
    PutNewLine();
}
} // namespace

bool FindFolder(u16char *out, int out_units, const u16char *start_folder, const u16char *exe_folder,
                const u16char *kit_root, const u16char *name)
{
    if (!out || out_units < 1) return false;
    if (MergePathToBuffer(out, out_units, start_folder, name) && IsDirectory(out)) return true;
    if (!Same(exe_folder, start_folder) && MergePathToBuffer(out, out_units, exe_folder, name) &&
        IsDirectory(out))
        return true;
    if (!Same(kit_root, exe_folder) && MergePathToBuffer(out, out_units, kit_root, name) && IsDirectory(out))
        return true;

    PutInfo(u"找不到<%s>目录!已在以下目录做过查找:<%s>", name, start_folder ? start_folder : u"");
    PutInfo(u"找不到<%s>目录!已在以下目录做过查找:<%s>", name, exe_folder ? exe_folder : u"");
    PutInfo(u"找不到<%s>目录!已在以下目录做过查找:<%s>", name, kit_root ? kit_root : u"");
    out[0] = 0;
    return false;
}

void InitSpecialPath(SpecialPathBlock *block)
{
    if (block) Fill(Slots(&block->path[0][0], HGL_SPECIAL_PATH_UNITS));
}

void InitSpecialPath(u16char (*block)[HGL_MAX_PATH])
{
    if (block) Fill(Slots(&block[0][0], HGL_MAX_PATH));
}
} // namespace hgl
