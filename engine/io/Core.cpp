#include "io/Core.h"

#include "core/Random.h"
#include "core/StrFunc.h"
#include "io/LogFile.h"
#include "io/PlugIn.h"
#include "io/SpecialPath.h"
#include "platform/CodePage.h"
#include "platform/ProcessPath.h"

#include <cfenv>
#include <memory>

namespace hgl
{
namespace
{
const u16char *const IdentityStrings[4] = {
    u"HGL 视觉小说引擎",
    u"HGL Visual Novel Engine",
    u"1.0",
    u"HGL",
};

u16char *info_strings[17] = {};        // 5..16 used
void *global_pointers[6] = {};         // 1..5 used
} // namespace

const u16char *GetInfoString(int index)
{
    if (index >= 1 && index <= 4)
        return IdentityStrings[index - 1];
    if (index >= 5 && index <= 16)
        return info_strings[index];
    return nullptr;
}

void SetInfoString(int index, const u16char *text)
{
    if (index < 5 || index > 16)
        return;

    // An empty text is kept as an empty copy (a folder that was not found reads as
    // ""); only a null text clears the slot.
    u16char *copy = nullptr;
    if (text)
    {
        const int length = StrLen(text);
        copy = new u16char[size_t(length) + 1];
        for (int i = 0; i < length; i++)
            copy[i] = text[i];
        copy[length] = 0;
    }

    delete[] info_strings[index];
    info_strings[index] = copy;
}

void ClearInfoStrings()
{
    for (int i = 5; i <= 16; i++)
    {
        delete[] info_strings[i];
        info_strings[i] = nullptr;
    }
}

void InitCore(SpecialPathBlock *paths, bool open_log)
{
    InitRandom();
    fedisableexcept(FE_ALL_EXCEPT);
    ClearPlugInRegistry();

    if (open_log)
        InitDefaultLog();

    std::unique_ptr<SpecialPathBlock> own;
    if (!paths)
    {
        own = std::make_unique<SpecialPathBlock>();
        paths = own.get();
    }

    InitSpecialPath(paths);

    const SpecialPathBlock &p = *paths;
    ClearInfoStrings();
    SetInfoString(5, p[spKitRoot]);
    SetInfoString(8, p[spStartFolder]);
    SetInfoString(7, p[spGUIFolder]);
    SetInfoString(6, p[spPlugInsFolder]);
    SetInfoString(16, platform::UTF8ToUTF16(platform::ExecutablePath()).c_str());

    ClearGlobalPointers();

    SetInfoString(9, p[spWindowsFolder]);
    SetInfoString(12, p[spAppDataFolder]);
    SetInfoString(15, p[spStartMenuFolder]);
    SetInfoString(10, p[spDesktopFolder]);
    SetInfoString(11, p[spTempFolder]);
    SetInfoString(13, p[spDocumentsFolder]);
    SetInfoString(14, p[spPicturesFolder]);
}

void CloseCore()
{
    CloseLog();
    ReleaseAllPlugIn();
    ClearInfoStrings();
}

void *GetGlobalPointer(int index)
{
    return (index >= 1 && index <= 5) ? global_pointers[index] : nullptr;
}

void SetGlobalPointer(int index, void *pointer)
{
    if (index >= 1 && index <= 5)
        global_pointers[index] = pointer;
}

void ClearGlobalPointers()
{
    for (void *&p : global_pointers)
        p = nullptr;
}
} // namespace hgl
