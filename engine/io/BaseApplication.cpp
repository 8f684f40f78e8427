#include "io/BaseApplication.h"

#include "core/Log.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"

namespace hgl
{
BaseApplication::BaseApplication(bool open_log)
{
    InitCore(&paths, open_log);
    SetGlobalPointer(gpApplication, this);
}

BaseApplication::~BaseApplication()
{
    CloseCore();
}

bool BaseApplication::Init(SystemInitInfo *sii)
{
    if (!sii)
    {
        PutError(u"sii为空!");
        return false;
    }

    sii->Check();
    SetGlobalPointer(gpStartUpInfo, sii);
    ProjectName = sii->info.ProjectName;
    ProjectEnglishName = sii->info.ProjectEnglishName;

    if (!sii->CheckSingleInstance()) return false;

    if (sii->CloseScreenSaver) CloseScreenSaver();

    if (!InitDisplay(*sii))
    {
        PutError(u"初始化显示模式失败");
        return false;
    }

    InitOpenGL(*sii);

    if (!InitInput(*sii)) return false;

    InitFontAndGUI(*sii);

    InitAudio(*sii);

    FrameMode = sii->FrameMode;

    PutInfo(u"初始化游戏工程成功!");
    return true;
}
} // namespace hgl
