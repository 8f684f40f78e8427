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
#include "io/PList.h"
#include "io/SystemInitInfo.h"

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
        ClearDataTables();
        if (resources) FreeGameResources();
        GetGameRecord().Clear();
        if (archives) CloseArchives();
    }
};

int Fail(const hgl::u16char *what)
{
    hgl::PutError(u"游戏启动失败:%s", what);
    return 1;
}
int StartAndRun(hgl::WinOpenGLApplication &app, hgl::SystemInitInfo &sii, const GameWiring &wiring,
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

    hgl::FlowObject *first = first_screen ? first_screen(wiring) : nullptr;
    if (!first) return Fail(u"first screen");
    app.GetFlow()->ClearTo(first);
    const int result = RunGameLoop(app);
    // The screens go first: they may still use the archives, the audio and the
    // shared resources that the session releases.
    app.CloseFlow();
    return result;
}
} // namespace

const hgl::StringList &GetArguments()
{
    return arguments;
}

int GameMain(int argc, char **argv, const GameWiring &wiring, const FirstScreenMaker &first_screen,
             const InitInfoHook &hook)
{
    ReadArguments(argc, argv);
    hgl::SystemInitInfo sii;
    hgl::WinOpenGLApplication app;
    return StartAndRun(app, sii, wiring, first_screen, hook);
}
} // namespace avg
