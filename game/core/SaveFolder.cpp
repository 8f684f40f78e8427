#include "game/core/SaveFolder.h"

#include "core/Log.h"
#include "io/Core.h"
#include "io/FileHelpers.h"

namespace avg
{
namespace
{
}

hgl::String GetSaveFolder()
{
    // Without a recorded start folder the path stays relative rather than
    // turning into the root's "Save" folder.
    const hgl::String start(hgl::GetInfoString(hgl::infoStartFolder));
    return start.IsEmpty() ? hgl::String(u"Save\\") : start + u"\\Save\\";
}

hgl::String SavePath(const hgl::String &name)
{
    return GetSaveFolder() + name;
}

bool MakeSaveFolder()
{
    const hgl::String folder = GetSaveFolder();
    if (hgl::MakePath(folder.c_str())) return true;
    hgl::PutError(u"创建存档目录<%s>失败!", folder.c_str());
    return false;
}
} // namespace avg
