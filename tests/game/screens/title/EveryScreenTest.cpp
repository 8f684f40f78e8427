// Every screen of the game opened over the demo's content, and every screen its
// buttons open in turn: none may find a file of the demo missing.
#include "game/screenkit/ScreenHarness.h"

#include "game/core/GameRecord.h"
#include "game/core/GameUnit.h"
#include "game/screens/extras/AlbumNewCG.h"
#include "game/screens/extras/AlbumNewUnit.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/extras/WordUnit.h"
#include "game/screens/menu/NewMenuUnit.h"
#include "game/screens/menu/OptionUnit.h"
#include "game/screens/record/LoadRecordUnit.h"
#include "game/screens/record/SaveRecordUnit.h"
#include "game/screens/stage/HistoryUnit.h"
#include "game/screens/stage/MsgBoxMenu.h"
#include "game/screens/title/EndStaff.h"
#include "game/screens/title/NewStartMenu.h"
#include "game/screens/title/SceneUnit.h"
#include "game/screens/title/WantExit.h"
#include "game/screens/title/health.h"
#include "game/screens/widgets/CHint.h"
#include "game/screens/widgets/HGPSelect.h"
#include "gui/Button.h"
#include "tools/mkdemo/DemoContent.h"

#include <functional>
#include <set>

namespace
{
using Maker = std::function<hgl::FlowObject *()>;
using GameMaker = std::function<hgl::FlowObject *(avg::GameUnit *)>; // null without a game

class EveryScreenTest : public ScreenTest
{
  protected:
    std::set<std::string> seen; // every screen that was active at some frame

    // Many screens, many frames: a small canvas keeps them quick.
    int Width() const override { return 320; }
    int Height() const override { return 240; }

    // The demo's sounds and movies too.
    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddMedia(demo);
        ScreenTest::AddContent(demo);
    }

    void Click(int index)
    {
        std::vector<hgl::gui::Button *> buttons;
        if (Active()) Buttons(*Active()->Control, buttons);
        if (index >= int(buttons.size())) return;
        hgl::gui::Button *b = buttons[size_t(index)];
        LeftClick(int(b->GetOriginX() + b->Left + b->Width / 2),
                  int(b->GetOriginY() + b->Top + b->Height / 2));
    }

    void Run(int frames)
    {
        for (int i = 0; i < frames && flow && flow->IsRunning(); ++i)
        {
            Step();
            if (Active()) seen.insert(screenkit::TypeName(Active(), typeid(*Active())));
        }
    }

    static void Buttons(const hgl::ObjectControl &control, std::vector<hgl::gui::Button *> &out)
    {
        const auto &all = control.GetObjectList();
        for (int i = 0; i < all.GetCount(); ++i)
            if (auto *b = dynamic_cast<hgl::gui::Button *>(all[i]))
            {
                if (b->IsVisible()) out.push_back(b);
            }
            else if (auto *inner = dynamic_cast<hgl::ObjectControl *>(all[i]))
                Buttons(*inner, out);
    }

    // The screen with the game below it (or alone), then, in a fresh copy each time,
    // the screen each of its first buttons opens (after the buttons `first` were
    // clicked, as a glossary's tab).
    void Crawl(const GameMaker &make, bool with_game, int limit = 10, const std::vector<int> &first = {})
    {
        for (int i = -1; i < limit; ++i)
        {
            flow.reset();
            avg::GameUnit *below = nullptr;
            if (with_game)
            {
                below = avg::NewGame(wiring);
                Open(below);
                Run(60);
            }
            Open(make(below));
            Run(70);
            for (int f : first)
            {
                Click(f);
                Run(60);
            }
            if (i < 0 || !flow->IsRunning() || !Active()) continue;
            std::vector<hgl::gui::Button *> buttons;
            Buttons(*Active()->Control, buttons);
            if (i >= int(buttons.size())) break;
            hgl::gui::Button *b = buttons[size_t(i)];
            LeftClick(int(b->GetOriginX() + b->Left + b->Width / 2),
                      int(b->GetOriginY() + b->Top + b->Height / 2));
            Run(120);
        }
        flow.reset();
    }
    void Crawl(const Maker &make, int limit = 10, const std::vector<int> &first = {})
    {
        Crawl([&](avg::GameUnit *) { return make(); }, false, limit, first);
    }
};
} // namespace

namespace
{
class EveryScreenFileTest : public EveryScreenTest
{
  protected:
    // What a played story leaves: the extras open, seen pictures, a heard track, a save.
    void SetUp() override
    {
        EveryScreenTest::SetUp();
        if (HasFatalFailure()) return;
        Prepare();
        avg::SetSystemFlag(NewStartMenu::kExtrasFlag, 1);
        avg::MarkEvent(u"C001");
        avg::MarkEvent(u"c002");
        avg::MarkBGMHeard(u"BGM01");
        avg::GameUnit *g = avg::NewGame(wiring);
        Open(g);
        Run(60);
        ASSERT_TRUE(g->SaveGame(u"3"));
        Run(2);
        flow.reset();
    }

    void Expect(std::initializer_list<const char *> screens)
    {
        for (const char *screen : screens)
            EXPECT_TRUE(seen.count(screen)) << screen;
        for (const char16_t *missing :
             {u"打开图片文件失败", u"打开贴图文件失败", u"读取文件<", u"打开影片失败", u"没有查到所需的文件",
              u"要取得的资源没有找到", u"不存在或是空的"})
            EXPECT_FALSE(log.ContainsPart(missing)) << hgl::test::U8(missing) << "\n" << log.Dump();
    }
};
} // namespace

TEST_F(EveryScreenFileTest, TheTitleAndItsScreens)
{
    Crawl([this] { return new NewStartMenu(false, wiring); }, 4);
    // the notice, then the logo movie
    Open(new health(wiring));
    Run(400);
    flow.reset();
    Crawl([] { return new WantExit; }, 2);
    Crawl([this] { return new EndStaff(wiring); }, 0);
    Crawl([this] { return new avg::LoadRecordUnit(wiring); }, 8);
    Expect({"NewStartMenu", "health", "TheoraMovie", "WantExit", "EndStaff", "LoadRecordUnit", "HGPSelect"});
}

TEST_F(EveryScreenFileTest, TheExtras)
{
    Crawl([this] { return new SceneUnit(wiring); }, 2);
    Crawl([] { return new WordUnit; }, 8);
    // the objects' tab and the scene's
    Crawl([] { return new WordUnit; }, 8, {2});
    Crawl([] { return new WordUnit; }, 6, {3});
    Crawl([] { return new NewMusicUnit; }, 3);
    Expect({"SceneUnit", "TheoraMovie", "WordUnit", "ViewTips", "ViewObject", "ViewHGP", "NewMusicUnit"});
}

TEST_F(EveryScreenFileTest, TheAlbum)
{
    Crawl([] { return new AlbumNewUnit; }, 10);
    for (const hgl::u16char *script : AlbumNewUnit::kScripts)
        Crawl([script] { return new AlbumNewCG(script, false); }, 3);
    Expect({"AlbumNewUnit", "AlbumNewCG", "ViewHGP"});
}

TEST_F(EveryScreenFileTest, TheScreensOverAGame)
{
    Crawl([] { return new CHint(u"SystemSelect\\SaveSucceed.HGP"); }, 0);
    for (const hgl::u16char *question :
         {u"SystemSelect\\IsLoad.HGP", u"SystemSelect\\IsCover.HGP", u"SystemSelect\\Frame.HGP",
          u"option\\GotoAutoPass.HGP", u"option\\GotoAutoPlay.HGP"})
        Crawl([question]
              { return new HGPSelect(question, u"SystemSelect\\s2.HGP", u"SystemSelect\\f2.HGP", 0); },
              0);
    Crawl([this](avg::GameUnit *g) { return new avg::menu::NewMenuUnit(wiring, g, g->GetMessageStage()); },
          true, 6);
    Crawl([](avg::GameUnit *g) { return new avg::OptionUnit(g, g->GetMessageStage()); }, true, 8);
    Crawl([](avg::GameUnit *g) { return new avg::SaveRecordUnit(g); }, true, 5);
    Crawl([](avg::GameUnit *g) { return new HistoryUnit(g->GetMessageStage()); }, true, 0);
    Crawl([](avg::GameUnit *g) { return new MsgBoxMenu(260, 0, 40, 12, g); }, true, 2);
    Expect({"CHint", "HGPSelect", "GameUnit", "NewMenuUnit", "OptionUnit", "SaveRecordUnit", "HistoryUnit",
            "MsgBoxMenu"});
}
