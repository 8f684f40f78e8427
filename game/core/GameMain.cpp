#include "game/core/GameMain.h"

#include "core/Log.h"
#include "game/core/Archives.h"
#include "game/core/Config.h"
#include "game/core/DataTables.h"
#include "game/core/GameAudio.h"
#include "game/core/GameLoop.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/core/SaveFolder.h"
#include "app/WinOpenGLApplication.h"
#include "graphics/font/TileFont.h"
#include "gui/GUI.h"
#include "io/Core.h"
#include "io/PList.h"
#include "io/SystemInitInfo.h"
#include "sonvex/OpenAL.h"

#include <memory>

namespace avg
{
namespace
{
hgl::StringList arguments;

void ReadArguments(int argc, char **argv)
{
    arguments.Clear();
    for (int i = 0; i < argc; ++i)
        if (argv && argv[i]) arguments.Add(hgl::String::FromUTF8(argv[i]));
}

void FillInitInfo(hgl::SystemInitInfo &sii, hgl::PList &names)
{
    names.Get(u"GameName", sii.info.ProjectName);
    names.Get(u"EnglishGameName", sii.info.ProjectEnglishName);
    sii.ReservedFlag = false;
    const config::GraphicsConfig &g = config::graphics_config;
    sii.graphics.Mode.Width = sii.graphics.WindowWidth = g.ScreenWidth;
    sii.graphics.Mode.Height = sii.graphics.WindowHeight = g.ScreenHeight;
    sii.graphics.DefaultFont.Name = g.MsgChsFont;
    sii.graphics.EnglishFont.Name = g.MsgEngFont;
    sii.graphics.CreateDefaultFont = true;
    sii.graphics.gui.Use = false;
}

// The application's default tile font, made through the font hook; it holds GL
// textures, so it goes while the window's context is still there.
void DeleteDefaultFont()
{
    delete static_cast<hgl::TileFont *>(hgl::GetGlobalPointer(hgl::gpTileFont));
    hgl::SetGlobalPointer(hgl::gpTileFont, nullptr);
}

// Everything the start-up made after the application, released in reverse order
// however far the start-up came.
struct GameSession
{
    bool archives = false, resources = false, shared = false, record = false;

    ~GameSession()
    {
        if (record)
        {
            SaveGameRecord();
            config::SaveConfig();
        }
        FreeGameAudio();
        if (shared) FreeSharedResources();
        DeleteDefaultFont();
        hgl::gui::CloseGUI();
        ClearDataTables();
        if (resources) FreeGameResources();
        GetGameRecord().Clear();
        if (archives) CloseArchives();
    }
};

// The application reaches the font and audio set-up through hooks, since those
// layers stand above it; the game, standing above all of them, installs them.
void InstallStartUpHooks()
{
    hgl::InstallFontStartUpHooks();
    hgl::gui::InstallGUIStartUp();
    hgl::StartUpHooks hooks = hgl::GetStartUpHooks();
    hooks.InitOpenAL = [](const hgl::u16char *library, const hgl::u16char *device, bool list_devices)
    { return hgl::InitOpenAL(library, device, list_devices); };
    hgl::SetStartUpHooks(hooks);
}

int Fail(const hgl::u16char *what)
{
    hgl::PutError(u"游戏启动失败:%s", what);
    return 1;
}
int StartAndRun(hgl::WinOpenGLApplication &app, hgl::SystemInitInfo &sii,
                const FirstScreenMaker &first_screen, const InitInfoHook &hook)
{
    GameSession session;
    session.archives = OpenArchives();
    if (!session.archives) return Fail(u"Data.hac/Local.hac");
    MakeSaveFolder();
    config::LoadConfig();
    hgl::PList names;
    names.LoadFromHAC(GetLocalHAC(), u"System.List");
    FillInitInfo(sii, names);
    if (hook) hook(sii);
    if (!app.Init(&sii)) return Fail(u"Init");

    session.resources = InitGameResources();
    session.shared = LoadSharedResources();
    if (!session.resources || !session.shared) return Fail(u"resources");
    LoadDataTables();
    LoadGameRecord();
    session.record = true;

    hgl::FlowObject *first = first_screen ? first_screen() : nullptr;
    if (!first) return Fail(u"first screen");
    app.flow->ClearTo(first);
    const int result = RunGameLoop(app);
    // The screens go first: they may still use the archives, the audio and the
    // shared resources that the session releases.
    delete app.flow;
    app.flow = nullptr;
    return result;
}
} // namespace

const hgl::StringList &GetArguments()
{
    return arguments;
}

int GameMain(int argc, char **argv, const FirstScreenMaker &first_screen, const InitInfoHook &hook)
{
    ReadArguments(argc, argv);
    InstallStartUpHooks();
    hgl::SystemInitInfo sii;
    auto app = std::make_unique<hgl::WinOpenGLApplication>();
    const int result = StartAndRun(*app, sii, first_screen, hook);
    app.reset();
    hgl::CloseOpenAL();
    return result;
}
} // namespace avg
