#include "gui/GUI.h"

#include "core/Log.h"
#include "io/Core.h"
#include "io/FileHelpers.h"
#include "io/OpenHAC.h"
#include "io/SystemInitInfo.h"

#include <memory>

namespace hgl::gui
{
namespace
{

std::unique_ptr<HAC> theme_archive;
} // namespace

bool InitGUI(const String &theme)
{
    const auto *sii = static_cast<const SystemInitInfo *>(GetGlobalPointer(gpStartUpInfo));
    if (!sii || !sii->graphics.gui.Use)
    {
        PutInfo(u"不使用GUI系统！");
        return true;
    }
    if (theme.IsEmpty())
    {
        PutError(u"GUI主题包的名称为空!");
        return false;
    }

    std::unique_ptr<u16char[]> path(MergePath(GetInfoString(infoGUIFolder), theme.c_str()));
    std::unique_ptr<HAC> archive(OpenHAC(path.get()));
    if (!archive)
    {
        PutError(u"打开GUI主题包<%s>失败!", path.get());
        return false;
    }
    theme_archive = std::move(archive);
    return true;
}

void CloseGUI()
{
    theme_archive.reset();
}

HAC *GetThemeArchive()
{
    return theme_archive.get();
}
} // namespace hgl::gui
