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

// Stores a native path in a slot; a path too long for it leaves the slot empty.
void Store(u16char *slot, const std::string &native)
{
    const std::u16string s = platform::Utf8ToUtf16(native);
    if (s.size() + 1 > size_t(HGL_SPECIAL_PATH_UNITS)) {
        slot[0] = 0;
        return;
    }
    std::memcpy(slot, s.c_str(), (s.size() + 1) * sizeof(u16char));
}
} // namespace

bool FindFolder(u16char *out, int out_units, const u16char *start_folder, const u16char *exe_folder,
                const u16char *kit_root, const u16char *name)
{
    if (!out || out_units < 1) return false;
    if (MergePathToBuffer(out, out_units, start_folder, name) && IsDirectory(out)) return true;
    if (!Same(exe_folder, start_folder) && MergePathToBuffer(out, out_units, exe_folder, name) && IsDirectory(out))
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
    if (!block) return;
    for (int i = 0; i < spCount; ++i) block->path[i][0] = 0;

    Store(block->path[spStartFolder], platform::CurrentFolder());

    // The executable's folder keeps its trailing separator, so its text never
    // equals the start folder's even when both are the same place.
    u16char exe_folder[HGL_SPECIAL_PATH_UNITS];
    {
        std::string exe = platform::ExecutablePath();
        const size_t slash = exe.rfind('/');
        exe = slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
        Store(exe_folder, exe);
    }

    if (auto root = platform::GetEnv("OVGDK"))
        Store(block->path[spKitRoot], *root);
    else
        std::memcpy(block->path[spKitRoot], block->path[spStartFolder], sizeof(block->path[spStartFolder]));

    FindFolder(block->path[spGUIFolder], HGL_SPECIAL_PATH_UNITS, block->path[spStartFolder], exe_folder,
               block->path[spKitRoot], u"GUI");
    FindFolder(block->path[spPlugInsFolder], HGL_SPECIAL_PATH_UNITS, block->path[spStartFolder], exe_folder,
               block->path[spKitRoot], u"Plug-Ins");

    const std::string data_home = platform::DataHome();
    Store(block->path[spWindowsFolder], std::string());
    Store(block->path[spSystemFolder], "/usr/lib");
    Store(block->path[spFontsFolder], data_home.empty() ? std::string() : data_home + "/fonts");
    Store(block->path[spTempFolder], platform::TempFolder());
    Store(block->path[spAppDataFolder], data_home);
    Store(block->path[spDocumentsFolder], platform::UserFolder("DOCUMENTS", "Documents"));
    Store(block->path[spPicturesFolder], platform::UserFolder("PICTURES", "Pictures"));
    Store(block->path[spMusicFolder], platform::UserFolder("MUSIC", "Music"));
    Store(block->path[spVideosFolder], platform::UserFolder("VIDEOS", "Videos"));
    Store(block->path[spStartMenuFolder], data_home.empty() ? std::string() : data_home + "/applications");
    Store(block->path[spDesktopFolder], platform::UserFolder("DESKTOP", "Desktop"));

    const SpecialPathBlock &b = *block;
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
} // namespace hgl
