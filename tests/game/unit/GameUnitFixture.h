#pragma once
// An in-game screen on the demo story: a fresh start folder with the demo's
// scripts (and, when asked, its pictures), a test clock, and a wiring of the
// minimal stage with marker screens for the title, credits and menu.
#include "../core/GameCoreFixture.h"

#include "framework/FlowObject.h"
#include "game/core/GameAudio.h"
#include "game/core/GameUnit.h"
#include "game/core/GameWiring.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "support/stage/MinimalStage.h"
#include "tools/mkdemo/DemoContent.h"

#include <memory>
#include <string>

// A screen that only says what it stands for.
class MarkerScreen : public hgl::FlowObject
{
  public:
    explicit MarkerScreen(std::string n) : name(std::move(n)) {}
    std::string name;
};

inline std::string MarkerName(hgl::FlowObject *obj)
{
    auto *marker = dynamic_cast<MarkerScreen *>(obj);
    return marker ? marker->name : std::string();
}

class GameUnitTest : public GameCoreTest
{
  protected:
    static inline hgl::uint64 now_ns = 0;
    static hgl::uint64 TestClock() { return now_ns; }

    avg::GameWiring wiring = MarkerWiring();
    std::unique_ptr<avg::GameUnit> unit;

    static avg::GameWiring MarkerWiring()
    {
        avg::GameWiring w;
        w.stage = avg::MinimalStageFactory();
        w.screens.title = [](bool first, const avg::GameWiring &)
        { return new MarkerScreen(first ? "first title" : "title"); };
        w.screens.credits = [](const avg::GameWiring &) { return new MarkerScreen("credits"); };
        w.screens.menu = [](avg::GameUnit &) { return new MarkerScreen("menu"); };
        return w;
    }

    // Extra story scripts, name -> text, written beside the demo's.
    virtual void AddContent(hgl::demo::DemoContent &demo) { hgl::demo::AddScripts(demo); }

    void SetUp() override
    {
        GameCoreTest::SetUp();
        now_ns = 0;
        hgl::SetClockSource(&TestClock);
        hgl::demo::DemoContent demo;
        AddContent(demo);
        std::string error;
        ASSERT_TRUE(dir.MakeDir("Data.hac"));
        ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
        ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
        ASSERT_TRUE(avg::OpenArchives());
        ASSERT_TRUE(avg::LoadDataTables());
    }

    void TearDown() override
    {
        unit.reset();
        avg::FreeGameAudio(); // the players go before the decoder plug-ins
        hgl::SetClockSource(nullptr);
        GameCoreTest::TearDown();
    }

    static void Advance(int ms) { now_ns += hgl::uint64(ms) * 1000000u; }

    void Start(const char16_t *script = u"MAIN00")
    {
        unit = std::make_unique<avg::GameUnit>(wiring);
        ASSERT_TRUE(unit->GotoScript(script));
        unit->UpdateObject();
    }

    avg::MinimalMessageStage &Message()
    {
        return *static_cast<avg::MinimalMessageStage *>(unit->GetMessageStage());
    }
    avg::MinimalChoiceStage &Choice()
    {
        return *static_cast<avg::MinimalChoiceStage *>(unit->GetChoiceStage());
    }
    std::u16string Text() { return Message().GetText().ToStdString(); }

    // A left click, then the frame that acts on it.
    void Click()
    {
        unit->Proc_MouseLeftDown(1, 1, 0);
        unit->UpdateObject();
    }
};
