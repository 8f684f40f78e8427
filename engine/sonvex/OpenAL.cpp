#include "sonvex/OpenAL.h"

#include "core/Log.h"
#include "core/String.h"
#include "platform/CodePage.h"
#include "platform/Module.h"
#include "sonvex/backend/OpenALApi.h"

#include <atomic>
#include <string>

namespace hgl
{
namespace
{
struct OpenALState
{
    platform::ModuleHandle library = nullptr;
    openal::Api api;
    ALCdevice *device = nullptr;
    ALCcontext *context = nullptr;
    std::atomic<const openal::Api *> ready{nullptr};
};

OpenALState &State()
{
    static OpenALState state;
    return state;
}

std::u16string U16(const char *utf8)
{
    return platform::UTF8ToUTF16(utf8 ? utf8 : "");
}

platform::ModuleHandle LoadLibrary(const u16char *library)
{
    const std::string name = library && *library ? platform::UTF16ToUTF8(library) : OpenALDefaultLibrary;
    platform::ModuleError error;
    platform::ModuleHandle handle = name.find('/') != std::string::npos
                                        ? platform::ModuleOpen(name.c_str(), &error)
                                        : platform::ModuleOpenSystem(name.c_str(), &error);
    if (!handle) PutError(u"加载OpenAL库<%s>失败: %s", U16(name.c_str()).c_str(), error.text.c_str());
    return handle;
}

bool ResolveEntries(OpenALState &s)
{
    bool all = true;
#define X(name, type)                                                                                        \
    s.api.name = reinterpret_cast<type>(platform::ModuleSymbol(s.library, #name));                           \
    if (!s.api.name)                                                                                         \
    {                                                                                                        \
        PutError(u"OpenAL库中没有找到函数<%s>", U16(#name).c_str());                                         \
        all = false;                                                                                         \
    }
    HGL_OPENAL_ENTRIES
#undef X
    return all;
}

// A list of names, each ended by a NUL, the whole ended by a second NUL.
void LogDeviceList(const openal::Api &al)
{
    const bool all = al.alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT");
    const ALCchar *list = al.alcGetString(nullptr, all ? ALC_ALL_DEVICES_SPECIFIER : ALC_DEVICE_SPECIFIER);
    PutInfo(u"音频设备列表:");
    for (const ALCchar *p = list; p && *p; p += std::char_traits<char>::length(p) + 1)
        PutInfo(u"\t%s", U16(p).c_str());
}

bool OpenDevice(OpenALState &s, const u16char *device)
{
    const openal::Api &al = s.api;
    const std::string name = device && *device ? platform::UTF16ToUTF8(device) : std::string();
    s.device = al.alcOpenDevice(name.empty() ? nullptr : name.c_str());
    if (!s.device)
    {
        PutError(u"打开音频设备<%s>失败", name.empty() ? u"缺省设备" : device);
        return false;
    }

    s.context = al.alcCreateContext(s.device, nullptr);
    if (!s.context || !al.alcMakeContextCurrent(s.context))
    {
        PutError(u"创建OpenAL环境失败");
        return false;
    }

    PutInfo(u"打开音频设备<%s>成功, OpenAL %s %s",
            U16(al.alcGetString(s.device, ALC_DEVICE_SPECIFIER)).c_str(),
            U16(al.alGetString(AL_VERSION)).c_str(), U16(al.alGetString(AL_RENDERER)).c_str());
    return true;
}
} // namespace

namespace openal
{
const Api *Get()
{
    return State().ready.load(std::memory_order_acquire);
}
} // namespace openal

bool InitOpenAL(const u16char *library, const u16char *device, bool list_devices)
{
    CloseOpenAL();
    OpenALState &s = State();

    s.library = LoadLibrary(library);
    if (!s.library) return false;

    if (!ResolveEntries(s))
    {
        CloseOpenAL();
        return false;
    }

    if (list_devices) LogDeviceList(s.api);

    if (!OpenDevice(s, device))
    {
        CloseOpenAL();
        PutError(u"初始化OpenAL失败, 不播放声音");
        return false;
    }

    s.ready.store(&s.api, std::memory_order_release);
    return true;
}

void CloseOpenAL()
{
    OpenALState &s = State();
    s.ready.store(nullptr, std::memory_order_release);

    if (s.context)
    {
        s.api.alcMakeContextCurrent(nullptr);
        s.api.alcDestroyContext(s.context);
        s.context = nullptr;
    }
    if (s.device)
    {
        s.api.alcCloseDevice(s.device);
        s.device = nullptr;
    }
    if (s.library)
    {
        platform::ModuleClose(s.library);
        s.library = nullptr;
    }
    s.api = openal::Api{};
}

bool IsOpenALReady()
{
    return openal::Get() != nullptr;
}
} // namespace hgl
