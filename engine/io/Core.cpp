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

u16char *info_strings[infoExecutablePath + 1] = {}; // infoKitRoot.. used
void *global_pointers[gpFlowObject + 1] = {};       // gpStartUpInfo.. used
} // namespace

const u16char *GetInfoString(int index)
{
    if (index >= infoKitName && index <= infoKitAuthor) return IdentityStrings[index - infoKitName];
    if (index >= infoKitRoot && index <= infoExecutablePath) return info_strings[index];
    return nullptr;
}

void SetInfoString(int index, const u16char *text)
{
    if (index < infoKitRoot || index > infoExecutablePath) return;

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
    for (int i = infoKitRoot; i <= infoExecutablePath; i++)
    {
        delete[] info_strings[i];
        info_strings[i] = nullptr;
    }
}

namespace
{
// Steps before the special folders: random seed, floating-point exceptions masked,
// plug-in registry cleared, the default log.
void StartCore(bool open_log)
{
    InitRandom();
    fedisableexcept(FE_ALL_EXCEPT);
    ClearPlugInRegistry();

    if (open_log) InitDefaultLog();
}

// Steps after them: the info strings from the path block, the global pointers cleared.
void PublishPaths(const SpecialPathBlock &p)
{
    ClearInfoStrings();
    SetInfoString(infoKitRoot, p[spKitRoot]);
    SetInfoString(infoStartFolder, p[spStartFolder]);
    SetInfoString(infoGUIFolder, p[spGUIFolder]);
    SetInfoString(infoPlugInsFolder, p[spPlugInsFolder]);
    SetInfoString(infoExecutablePath, platform::UTF8ToUTF16(platform::ExecutablePath()).c_str());

    ClearGlobalPointers();

    SetInfoString(infoSystemFolder, p[spWindowsFolder]);
    SetInfoString(infoAppDataFolder, p[spAppDataFolder]);
    SetInfoString(infoStartMenuFolder, p[spStartMenuFolder]);
    SetInfoString(infoDesktopFolder, p[spDesktopFolder]);
    SetInfoString(infoTempFolder, p[spTempFolder]);
    SetInfoString(infoDocumentsFolder, p[spDocumentsFolder]);
    SetInfoString(infoPicturesFolder, p[spPicturesFolder]);
}
} // namespace

void InitCore(SpecialPathBlock *paths, bool open_log)
{
    StartCore(open_log);

    std::unique_ptr<SpecialPathBlock> own;
    if (!paths)
    {
        own = std::make_unique<SpecialPathBlock>();
        paths = own.get();
    }

    InitSpecialPath(paths);
    PublishPaths(*paths);
}

void InitCore(u16char (*paths)[HGL_MAX_PATH], bool open_log)
{
    if (!paths)
    {
        InitCore(static_cast<SpecialPathBlock *>(nullptr), open_log);
        return;
    }

    StartCore(open_log);
    InitSpecialPath(paths);

    // The info strings are published from what the caller's block holds, so both agree.
    auto block = std::make_unique<SpecialPathBlock>();
    for (int i = 0; i < spCount; i++)
    {
        int n = 0;
        for (; n < HGL_MAX_PATH - 1 && paths[i][n]; n++)
            block->path[i][n] = paths[i][n];
        block->path[i][n] = 0;
    }
    PublishPaths(*block);
}

void CloseCore()
{
    CloseLog();
    ReleaseAllPlugIn();
    ClearInfoStrings();
}

void *GetGlobalPointer(int index)
{
    return (index >= gpStartUpInfo && index <= gpFlowObject) ? global_pointers[index] : nullptr;
}

void SetGlobalPointer(int index, void *pointer)
{
    if (index >= gpStartUpInfo && index <= gpFlowObject) global_pointers[index] = pointer;
}

void ClearGlobalPointers()
{
    for (void *&p : global_pointers)
        p = nullptr;
}
} // namespace hgl
