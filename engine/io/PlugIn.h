#pragma once
// Plug-ins: shared libraries loaded by name from the "Plug-Ins" folder, counted
// references, four registry slots by plug-in type, and the generic look-up of a
// plug-in's function record by kind, name and interface version with its cache.
#include "core/IndexData.h"
#include "core/String.h"
#include "io/PlugInABI.h"
#include "platform/Module.h"

namespace hgl
{
// The file-name suffix of plug-in libraries ("Compress.Zip" is "Compress.Zip.so").
constexpr const u16char *PlugInSuffix = u".so";
constexpr const u16char *kPlugInSuffix = PlugInSuffix;

// A loaded plug-in; the base of external and built-in ones.
class PlugIn
{
  protected:
    int ref_count = 1;
    uint32 version = 0;             // "GetPlugInVersion", 0 when not obtained
    const u16char *intro = nullptr; // "GetPlugInIntro", owned by the plug-in
    int type = 0;                   // 0 no registry slot, 1..4 a slot (1 = the log)
    String name;                    // the name it was loaded by
    String filename;                // the library path, or a label
    GetPlugInInterfaceFunc get_interface = nullptr;
    bool announce_release = true; // a library that never loaded has nothing to release

  public:
    PlugIn() = default;
    virtual ~PlugIn(); // logs "释放插件<%s>:<%s>完成"
    PlugIn(const PlugIn &) = delete;
    PlugIn &operator=(const PlugIn &) = delete;

    virtual void AddRef() { ++ref_count; }
    virtual int Release() { return --ref_count; }

    int GetRefCount() const { return ref_count; }
    uint32 GetVersion() const { return version; }
    const u16char *GetIntro() const { return intro; }
    int GetType() const { return type; }
    void SetType(int t) { type = t; }
    const String &GetName() const { return name; }
    const String &GetFileName() const { return filename; }
    GetPlugInInterfaceFunc GetInterfaceEntry() const { return get_interface; }

    // Asks the plug-in to fill record for an interface version; false without the entry.
    bool GetInterface(int ver, void *record) const { return get_interface && get_interface(ver, record); }
};

// A loaded library.
class ExternalModule
{
    platform::ModuleHandle handle = nullptr;

  public:
    ExternalModule() = default;
    virtual ~ExternalModule() { Free(); }
    ExternalModule(const ExternalModule &) = delete;
    ExternalModule &operator=(const ExternalModule &) = delete;

    bool IsLoaded() const { return handle != nullptr; }

    // Frees any loaded library, then loads file_name; failures are logged.
    bool Load(const String &file_name);
    void Free();

    // An export's address; a missing export (or no library) is logged.
    void *GetFunc(const char *func_name);
    // An export's address or null, silently.
    void *FindFunc(const char *func_name);
};

// A plug-in living in a library of its own.
class ExternalPlugIn : public PlugIn
{
    ExternalModule module;
    bool loaded = false; // completely loaded and started: only then "ClosePlugIn" runs

  public:
    explicit ExternalPlugIn(const String &plugin_name);
    ~ExternalPlugIn() override;
};

// Loads (or reuses, adding a reference) the plug-in of this exact name. Null when the
// library cannot be loaded or holds nothing usable.
PlugIn *LoadPlugIn(const String &name, int type = 0);
// Drops one reference; at 0 the plug-in leaves its registry slot and is deleted.
void ReleasePlugIn(PlugIn *plugin);
// Puts a plug-in (typically a built-in one) into registry slot type (1..4) and the list.
void RegisterPlugInType(PlugIn *plugin, int type);
// Empties the four registry slots.
void ClearPlugInRegistry();
// Deletes every loaded plug-in, last loaded first, whatever its count.
void ReleaseAllPlugIn();
// The plug-in in registry slot type, or null.
PlugIn *GetPlugInByType(int type);
// Number of plug-ins loaded.
int GetPlugInCount();

// The two callbacks handed to plug-ins through "SetPlugInInterface".
extern "C" bool GetPlugInInterfaceByNameCallback(const u16char *name, int version, void *record);
extern "C" bool GetPlugInInterfaceByTypeCallback(int type, int version, void *record);

// Interface caches hear about every plug-in about to be deleted (null: all of them),
// so that none of their entries keeps pointing into an unloaded library.
class PlugInReleaseListener
{
  public:
    virtual ~PlugInReleaseListener() = default;
    virtual void OnPlugInRelease(PlugIn *plugin) = 0;
};

void AddPlugInReleaseListener(PlugInReleaseListener *listener);
void RemovePlugInReleaseListener(PlugInReleaseListener *listener);

// The process-wide cache of one kind of interface record (T), keyed by short name
// ("Lzma" for "Compress.Lzma"). Entries hold the record (null for a failed look-up)
// and the plug-in that filled it; they are dropped when that plug-in goes.
template <typename T>
class PlugInInterfaceCache : public _IndexObject<String, T, PlugInFlagData<String, T *>>,
                             public PlugInReleaseListener
{
    using Base = _IndexObject<String, T, PlugInFlagData<String, T *>>;

  public:
    PlugInInterfaceCache() { AddPlugInReleaseListener(this); }
    ~PlugInInterfaceCache() override { RemovePlugInReleaseListener(this); }

    void OnPlugInRelease(PlugIn *plugin) override
    {
        if (!plugin)
        {
            Base::Clear();
            return;
        }

        for (int i = this->GetCount() - 1; i >= 0; i--)
            if (this->GetItem(i)->plug_in == plugin) Base::DeleteAt(i);
    }
};

namespace plugin_detail
{
// The non-template part of the look-up: loads "<kind>.<name>", checks the version,
// has the plug-in fill record (size bytes, zeroed here). On success returns the
// plug-in (holding one reference); on failure logs, frees nothing of the caller's
// and returns null.
PlugIn *LoadInterface(const String &kind, int version, const String &name, void *record);
} // namespace plugin_detail

// The generic look-up: the cached record for name, or a fresh load of the plug-in
// "<kind>.<name>" asked for interface version. Failures are logged once and then
// remembered (null, silently).
//
// Any map of these entries will do; a plain one is not told when plug-ins are
// released, so it must not be used after ReleaseAllPlugIn (or after releasing a
// plug-in it holds). Long-lived caches are PlugInInterfaceCache.
template <typename T>
T *GetPlugInInterfaceByName(_IndexData<String, T *, PlugInFlagData<String, T *>> &cache, const String &kind,
                            int version, const String &name)
{
    T *record = nullptr;
    if (cache.Get(name, record)) return record;

    record = new T{};
    PlugIn *plugin = plugin_detail::LoadInterface(kind, version, name, record);

    if (!plugin)
    {
        delete record;
        record = nullptr;
    }

    auto *entry = cache.Add(name, record);
    entry->plug_in = plugin;
    return record;
}
} // namespace hgl
