#include "io/PlugIn.h"

#include "core/Log.h"
#include "core/ObjectList.h"
#include "core/StrFunc.h"
#include "io/Core.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <sys/stat.h>
#include <vector>

namespace hgl
{
namespace
{
// Lives for the whole process (never destroyed), so that caches destroyed at exit
// can still unregister and nothing depends on the order of static destruction.
struct PlugInManager
{
    ObjectList<PlugIn> list;
    PlugIn *slots[4] = {nullptr, nullptr, nullptr, nullptr};
    std::vector<PlugInReleaseListener *> listeners;
};

PlugInManager &Manager()
{
    static PlugInManager *manager = new PlugInManager;
    return *manager;
}

const u16char *Text(const String &s)
{
    const u16char *p = s.c_str();
    return p ? p : u"";
}

void NotifyRelease(PlugIn *plugin)
{
    // Copied: a listener may unregister itself while it is told.
    const std::vector<PlugInReleaseListener *> listeners = Manager().listeners;
    for (PlugInReleaseListener *l : listeners)
        l->OnPlugInRelease(plugin);
}

void ClearSlotOf(PlugIn *plugin)
{
    for (PlugIn *&slot : Manager().slots)
        if (slot == plugin) slot = nullptr;
}

bool NativeFileExists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The library file of a plug-in: the Plug-Ins folder, '/', the name and the suffix.
// Without a known Plug-Ins folder the current folder's "Plug-Ins" is tried, then the
// current folder itself.
String PlugInFileName(const String &name)
{
    String file;
    const u16char *folder = GetInfoString(infoPlugInsFolder);

    if (folder && *folder)
    {
        file = folder;
        const int len = StrLen(folder);
        if (folder[len - 1] != u'/' && folder[len - 1] != u'\\') file += u"/";
    }
    else
    {
        const std::string probe = "Plug-Ins/" + name.ToUTF8() + platform::UTF16ToUTF8(PlugInSuffix);
        if (NativeFileExists(probe)) file = u"Plug-Ins/";
    }

    file += name;
    file += PlugInSuffix;
    return file;
}
} // namespace

// ---- PlugIn ------------------------------------------------------------------------

PlugIn::~PlugIn()
{
    if (announce_release) PutInfo(u"释放插件<%s>:<%s>完成", Text(name), Text(filename));
}

// ---- ExternalModule ----------------------------------------------------------------

bool ExternalModule::Load(const String &file_name)
{
    Free();

    platform::ModuleError error;
    handle = platform::ModuleOpen(Text(file_name), &error);

    if (!handle)
    {
        PutError(u"加载模块<%s>失败！Windows 回报错误码: %d,%s", Text(file_name), error.code,
                 error.text.c_str());
        return false;
    }

    return true;
}

void ExternalModule::Free()
{
    if (handle)
    {
        platform::ModuleClose(handle);
        handle = nullptr;
    }
}

void *ExternalModule::GetFunc(const char *func_name)
{
    if (!handle)
    {
        const std::u16string name16 = platform::UTF8ToUTF16(func_name ? func_name : "");
        PutError(u"在取得函数<%s>前没有加载外部模块！", name16.c_str());
        return nullptr;
    }

    void *func = platform::ModuleSymbol(handle, func_name);

    if (!func)
    {
        // The message is an 8-bit format in code page 936, as the name is an 8-bit text.
        static const std::string format = []
        {
            std::string gbk;
            platform::UTF16ToMultiByte(platform::CodePageGBK, u"没有找到函数<%s>！", -1, gbk);
            return gbk;
        }();
        PutInfoMultiByte(platform::CodePageGBK, format.c_str(), func_name ? func_name : "");
    }

    return func;
}

void *ExternalModule::FindFunc(const char *func_name)
{
    return handle ? platform::ModuleSymbol(handle, func_name) : nullptr;
}

// ---- ExternalPlugIn ----------------------------------------------------------------

ExternalPlugIn::ExternalPlugIn(const String &plugin_name)
{
    name = plugin_name;
    filename = PlugInFileName(plugin_name);
    announce_release = false;

    if (!module.Load(filename))
    {
        PutInfo(u"加载插件<%s>:<%s>失败!", Text(name), Text(filename));
        return;
    }

    announce_release = true;

    bool complete = false;

    do
    {
        auto get_version = reinterpret_cast<GetPlugInVersionFunc>(module.GetFunc(PlugInExportVersion));
        if (!get_version) break;
        version = get_version();

        auto get_intro = reinterpret_cast<GetPlugInIntroFunc>(module.GetFunc(PlugInExportIntro));
        if (!get_intro) break;
        intro = get_intro();

        get_interface = reinterpret_cast<GetPlugInInterfaceFunc>(module.GetFunc(PlugInExportInterface));

        if (auto set_interface =
                reinterpret_cast<SetPlugInInterfaceFunc>(module.FindFunc(PlugInExportSetInterface)))
            set_interface(GetPlugInInterfaceByNameCallback, GetPlugInInterfaceByTypeCallback);

        complete = true;
    } while (false);

    if (!complete)
    {
        PutInfo(u"插件<%s>:<%s>不正确!", Text(name), Text(filename));
        return;
    }

    PutInfo(u"加载插件<%s>:<%s>完成", Text(name), Text(filename));

    loaded = true;

    if (auto init = reinterpret_cast<InitPlugInFunc>(module.FindFunc(PlugInExportInit))) init();
}

ExternalPlugIn::~ExternalPlugIn()
{
    // Only a plug-in that was completely loaded (and so started) is told to close.
    if (loaded)
        if (auto close = reinterpret_cast<ClosePlugInFunc>(module.FindFunc(PlugInExportClose))) close();

    module.Free();
}

// ---- manager -----------------------------------------------------------------------

PlugIn *LoadPlugIn(const String &name, int type)
{
    PlugInManager &m = Manager();

    for (int i = m.list.GetCount() - 1; i >= 0; i--)
    {
        PlugIn *p = m.list[i];
        if (p && p->GetName().Comp(name) == 0)
        {
            p->AddRef();
            return p;
        }
    }

    ExternalPlugIn *plugin = new ExternalPlugIn(name);

    if (plugin->GetVersion() == 0 && !plugin->GetIntro() && !plugin->GetInterfaceEntry())
    {
        delete plugin;
        return nullptr;
    }

    m.list.Add(plugin);

    if (type >= 1 && type <= 4) m.slots[type - 1] = plugin;

    plugin->SetType(type);
    return plugin;
}

void ReleasePlugIn(PlugIn *plugin)
{
    if (!plugin) return;

    PlugInManager &m = Manager();
    const int index = m.list.Find(plugin);

    if (plugin->Release() > 0) return;

    ClearSlotOf(plugin);
    NotifyRelease(plugin);

    if (index >= 0)
        m.list.Delete(index);
    else
        delete plugin;
}

void RegisterPlugInType(PlugIn *plugin, int type)
{
    if (!plugin) return;

    PlugInManager &m = Manager();

    if (type >= 1 && type <= 4) m.slots[type - 1] = plugin;

    plugin->SetType(type);

    if (m.list.Find(plugin) < 0) m.list.Add(plugin);
}

void ClearPlugInRegistry()
{
    for (PlugIn *&slot : Manager().slots)
        slot = nullptr;
}

void ReleaseAllPlugIn()
{
    PlugInManager &m = Manager();

    while (m.list.GetCount() > 0)
    {
        const int last = m.list.GetCount() - 1;
        PlugIn *plugin = m.list[last];
        ClearSlotOf(plugin);
        NotifyRelease(plugin);
        m.list.Delete(last);
    }

    // Remembered failures go too: a later start tries the plug-ins afresh.
    NotifyRelease(nullptr);
}

PlugIn *GetPlugInByType(int type)
{
    return (type >= 1 && type <= 4) ? Manager().slots[type - 1] : nullptr;
}

int GetPlugInCount()
{
    return Manager().list.GetCount();
}

void AddPlugInReleaseListener(PlugInReleaseListener *listener)
{
    if (listener) Manager().listeners.push_back(listener);
}

void RemovePlugInReleaseListener(PlugInReleaseListener *listener)
{
    auto &l = Manager().listeners;
    l.erase(std::remove(l.begin(), l.end(), listener), l.end());
}

extern "C" bool GetPlugInInterfaceByNameCallback(const u16char *name, int version, void *record)
{
    // The reference taken here stays with the asking plug-in until shut-down.
    PlugIn *plugin = LoadPlugIn(String(name), 0);
    return plugin && plugin->GetInterface(version, record);
}

extern "C" bool GetPlugInInterfaceByTypeCallback(int type, int version, void *record)
{
    PlugIn *plugin = GetPlugInByType(type);
    return plugin && plugin->GetInterfaceEntry() && plugin->GetInterface(version, record);
}

namespace plugin_detail
{
PlugIn *LoadInterface(const String &kind, int version, const String &name, void *record)
{
    String full = kind;
    full += u".";
    full += name;

    PlugIn *plugin = LoadPlugIn(full, 0);

    if (plugin)
    {
        if (plugin->GetVersion() >= uint32(version))
        {
            if (plugin->GetInterface(version, record)) return plugin;

            PutError(u"获取插件<%s>接口<ver:%d>失败!", Text(name), version);
        }
        else
            PutError(u"插件<%s>的版本太低！", Text(name));

        ReleasePlugIn(plugin);
    }

    PutError(u"加载插件<%s>失败!", Text(name));
    return nullptr;
}
} // namespace plugin_detail
} // namespace hgl
