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

void BaseApplication::InitOpenGL(SystemInitInfo &sii)
{
    if (hooks.InitOpenGLCaps) hooks.InitOpenGLCaps(sii);
}

void BaseApplication::InitFontAndGUI(SystemInitInfo &sii)
{
    if (hooks.SetDefaultFont) hooks.SetDefaultFont(sii.graphics.DefaultFont);

    if (sii.graphics.gui.Use || sii.graphics.CreateDefaultFont)
    {
        if (hooks.CreateTileFont)
            SetGlobalPointer(gpTileFont,
                             hooks.CreateTileFont(sii.graphics.DefaultFont, sii.graphics.EnglishFont,
                                                  sii.graphics.TileFontSize));
        else
            PutInfo(u"字体系统尚未安装，不创建缺省字体");
    }
    else
        PutInfo(u"不创建缺省字体！");

    if (sii.graphics.gui.Use)
    {
        if (hooks.InitGUI)
            hooks.InitGUI(sii.graphics.gui.Theme);
        else
            PutInfo(u"GUI系统尚未安装，跳过GUI初始化");
    }
    else
        PutInfo(u"不使用GUI系统！");
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

    if (hooks.InitOpenAL)
        hooks.InitOpenAL(nullptr, sii->audio.DeviceName.c_str(), sii->audio.ListDevices);
    else
        PutInfo(u"音频系统尚未安装，跳过音频初始化");

    FrameMode = sii->FrameMode;

    PutInfo(u"初始化游戏工程成功!");
    return true;
}
} // namespace hgl
