#include "io/BaseApplication.h"

#include "core/Log.h"
#include "io/Core.h"
#include "io/SystemInitInfo.h"

namespace hgl
{
namespace
{
StartUpHooks hooks;
} // namespace

StartUpHooks SetStartUpHooks(const StartUpHooks &h)
{
    const StartUpHooks old = hooks;
    hooks = h;
    return old;
}

const StartUpHooks &GetStartUpHooks()
{
    return hooks;
}

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

    if (!sii->CheckSingleInstance())
        return false;

    if (!InitDisplay(*sii))
    {
        PutError(u"初始化显示模式失败");
        return false;
    }

    if (hooks.InitOpenGLCaps)
        hooks.InitOpenGLCaps(*sii);

    if (!InitInput(*sii))
        return false;

    if (hooks.SetDefaultFont)
        hooks.SetDefaultFont(sii->graphics.DefaultFont);

    if (sii->graphics.gui.Use || sii->graphics.CreateDefaultFont)
    {
        if (hooks.CreateTileFont)
            SetGlobalPointer(gpTileFont, hooks.CreateTileFont(sii->graphics.DefaultFont, sii->graphics.EnglishFont,
                                                     sii->graphics.TileFontSize));
    }
    else
        PutInfo(u"不创建缺省字体！");

    if (sii->graphics.gui.Use)
    {
        if (hooks.InitGUI)
            hooks.InitGUI(sii->graphics.gui.Theme);
    }
    else
        PutInfo(u"不使用GUI系统！");

    if (hooks.InitOpenAL)
        hooks.InitOpenAL(nullptr, sii->audio.DeviceName.c_str(), sii->audio.ListDevices);

    FrameMode = sii->FrameMode;

    PutInfo(u"初始化游戏工程成功!");
    return true;
}
} // namespace hgl
