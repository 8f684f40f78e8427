// The in-game screen on the demo story, driven frame by frame on a test clock.
#include "GameUnitFixture.h"

#include "game/core/GameRecord.h"
#include "game/core/SaveFolder.h"
#include "game/core/SaveHeader.h"
#include "io/FileHelpers.h"
#include "game/core/SaveRecord.h"
#include "io/TDF.h"
#include "platform/window/KeyCode.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
const std::u16string kFirst = u"【小雪】早上好。这里是演示故事。";
const std::u16string kSecond = u"【小遥】我在左上角的框里说话。";
const std::u16string kThird = u"【小雪】下雪了，要一起出去走走吗？";
// Lines of the first chapter before its choice (seven of them the friends' talk).
constexpr int kLinesToChoice = 22;
const std::u16string kYes = u"【小雪】太好了！";
const std::u16string kNo = u"【小雪】那下次吧。";
const std::u16string kChapter2 = u"【小雪】谢谢你陪我看雪。";

// Scripts of the tests' own, beside the demo story.
const struct
{
    const char16_t *name, *text;
} kScripts[] = {
    {u"CALLER", u"func main()\n{\n    EXT_CALL(\"CALLEE\");\n    MES(\"back\");\n}\n"},
    {u"CALLEE", u"func main()\n{\n    MES(\"inside\");\n}\n"},
    {u"END10", u"func main()\n{\n    GAME_END(10);\n}\n"},
    {u"END7", u"func main()\n{\n    GAME_END(7);\n}\n"},
    {u"PLAIN", u"func main()\n{\n}\n"},
    {u"BADCALL", u"func main()\n{\n    EXT_CALL(\"NOPE\");\n    MES(\"after\");\n}\n"},
    {u"LOCKED", u"func main()\n{\n    MES(\"locked%LC\");\n    MES(\"free\");\n}\n"},
    {u"TIMED", u"func main()\n{\n    SET_SAVPNT();\n    WAIT(5);\n    MES(\"after\");\n}\n"},
};
} // namespace

class StoryTest : public GameUnitTest
{
  protected:
    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddScripts(demo);
        for (const auto &s : kScripts)
            demo.AddLocal(u"Script\\" + std::u16string(s.name) + u".CPP", hgl::demo::TextFile(s.text));
    }

    // Clicks through the first chapter up to its choice.
    void ToChoice()
    {
        Start();
        for (int i = 0; i < kLinesToChoice; ++i)
            Click();
        ASSERT_EQ(unit->GetState(), avg::gsChoice);
    }
};

TEST_F(StoryTest, PlaysTheDemoStoryToItsEnd)
{
    for (int autosave : {1, 0})
    {
        SCOPED_TRACE(autosave);
        avg::config::graphics_config.AutoSave = hgl::uint8(autosave);
        hgl::FileDelete(avg::SaveFileName(u"0").c_str());
        ToChoice();
        EXPECT_TRUE(avg::SaveFileExists(u"1")); // saved as the choice opened
        ASSERT_EQ(Choice().GetOptions().size(), 3u);
        Click(); // beside the options: the choice stays
        EXPECT_EQ(unit->GetState(), avg::gsChoice);

        float top, height;
        avg::MinimalChoiceStage::OptionRow(0, top, height);
        unit->Proc_MouseLeftDown(0, int(top + height / 2), 0);
        unit->UpdateObject();
        EXPECT_EQ(Text(), kYes);
        EXPECT_TRUE(avg::IsSelectSeen(u"一起去"));

        Click(); // the story calls its second chapter
        EXPECT_EQ(unit->GetScript(), hgl::String(u"MAIN01"));
        EXPECT_EQ(unit->GetCallDepth(), 1);
        EXPECT_EQ(Text(), kChapter2);
        EXPECT_EQ(avg::GetSystemFlag(u"HEXTRA"), 1);
        EXPECT_EQ(avg::SaveFileExists(u"0"), autosave != 0);
        EXPECT_TRUE(static_cast<avg::MinimalEffectStage *>(unit->GetEffectStage())->IsRunning(avg::weRain));

        Click(); // GAME_END(7): the credits over the game
        EXPECT_EQ(unit->ObjectState.Get(), hgl::FlowObject::fosPush);
        EXPECT_EQ(MarkerName(unit->NextObject.Get()), "credits");
        EXPECT_EQ(unit->GetState(), avg::gsLeaving);
    }
}

TEST_F(StoryTest, MessagesWaitForClickAutoAndSkip)
{
    Start();
    EXPECT_EQ(unit->GetState(), avg::gsMessage);
    EXPECT_EQ(Text(), kFirst);
    unit->UpdateObject();
    EXPECT_EQ(Text(), kFirst); // nothing moves without the player

    // Right click hides the window; any click shows it again without advancing.
    unit->Proc_MouseRightDown(1, 1, 0);
    EXPECT_EQ(unit->GetState(), avg::gsHidden);
    EXPECT_FALSE(Message().IsShown());
    Click();
    EXPECT_EQ(unit->GetState(), avg::gsMessage);
    EXPECT_EQ(Text(), kFirst);

    // Auto mode: after the message's wait and "End Wait Time".
    unit->AutoMode = true;
    unit->UpdateObject();
    Advance(avg::config::graphics_config.EndWaitTime - 1);
    unit->UpdateObject();
    EXPECT_EQ(Text(), kFirst);
    Advance(1);
    unit->UpdateObject();
    EXPECT_EQ(Text(), kSecond);
    unit->AutoMode = false;

    // Leaving writes the read index: the first line is read, the second not.
    unit.reset();
    Start();
    unit->SkipOn();
    unit->UpdateObject(); // the read line passes
    unit->UpdateObject(); // the unread one stops the skip
    EXPECT_EQ(Text(), kSecond);
    EXPECT_FALSE(unit->IsSkipping());
    // Skipping everything passes unread lines too, up to the choice.
    unit->SkipReadOnly = false;
    unit->SkipOn();
    for (int i = 0; i < kLinesToChoice - 1; ++i)
        unit->UpdateObject();
    EXPECT_EQ(unit->GetState(), avg::gsChoice);
}

TEST_F(StoryTest, ScriptCallsReturnAndTheStoryEnds)
{
    Start(u"CALLER");
    EXPECT_EQ(Text(), u"inside");
    EXPECT_EQ(unit->GetCallDepth(), 1);
    Click();
    EXPECT_EQ(Text(), u"back");
    EXPECT_EQ(unit->GetCallDepth(), 0);
    EXPECT_EQ(unit->GetScript(), hgl::String(u"CALLER"));

    // A call of a script that is not there comes straight back.
    {
        hgl::test::LogCapture log;
        Start(u"BADCALL");
        EXPECT_TRUE(log.ContainsError(u"加载脚本<NOPE>失败")) << log.Dump();
        EXPECT_EQ(Text(), u"after");
        EXPECT_EQ(unit->GetCallDepth(), 0);
    }

    const struct
    {
        const char16_t *script;
        const char *next;
        hgl::FlowObject::FlowObjectState how;
    } ends[] = {
        {u"END10", "title", hgl::FlowObject::fosReplace},
        {u"END7", "credits", hgl::FlowObject::fosPush},
        {u"PLAIN", "title", hgl::FlowObject::fosClear},
    };
    for (const auto &e : ends)
    {
        SCOPED_TRACE(e.next);
        hgl::test::LogCapture log;
        Start(e.script);
        unit->UpdateObject();
        EXPECT_EQ(unit->ObjectState.Get(), e.how);
        EXPECT_EQ(MarkerName(unit->NextObject.Get()), e.next);
    }
}

TEST_F(StoryTest, AFixedMessageCannotBeHiddenAndAClickEndsAutoContinue)
{
    Start(u"LOCKED");
    EXPECT_EQ(unit->GetState(), avg::gsMessageFixed);
    EXPECT_FALSE(unit->Proc_MouseRightDown(1, 1, 0));
    EXPECT_EQ(unit->GetState(), avg::gsMessageFixed);
    unit->AutoContinue = true;
    Click();
    EXPECT_FALSE(unit->AutoContinue);
    EXPECT_EQ(Text(), u"free");
}

TEST_F(StoryTest, TimedWaitAndInvalidStates)
{
    Start(u"TIMED");
    EXPECT_TRUE(avg::SaveFileExists(u"LastGame"));
    EXPECT_EQ(unit->GetState(), avg::gsTimedWait);
    Advance(499);
    unit->UpdateObject();
    EXPECT_EQ(unit->GetState(), avg::gsTimedWait);
    Advance(1);
    unit->UpdateObject();
    EXPECT_EQ(Text(), u"after");

    hgl::test::LogCapture log;
    for (int bad : {0, 10, -1})
        EXPECT_FALSE(unit->SetState(bad));
    EXPECT_EQ(unit->GetState(), avg::gsMessage);
    EXPECT_TRUE(log.Contains(u"不正常的游戏状态10")) << log.Dump();
}

TEST_F(StoryTest, SavesRoundTripMidMessageAndMidChoice)
{
    Start();
    Click();
    Advance(1234);
    unit->UpdateObject();
    ASSERT_TRUE(unit->SaveGame(u"5", false));
    const hgl::int64 played = unit->GetPlayTime();
    ToChoice();
    ASSERT_TRUE(unit->SaveGame(u"6", false));

    unit = std::make_unique<avg::GameUnit>(wiring);
    ASSERT_TRUE(unit->LoadGame(u"5"));
    EXPECT_EQ(unit->GetState(), avg::gsMessage);
    EXPECT_EQ(Text(), kSecond);
    EXPECT_EQ(unit->GetPlayTime(), played);
    Click();
    EXPECT_EQ(Text(), kThird);

    ASSERT_TRUE(hgl::FileDelete(avg::SaveFileName(u"1").c_str()));
    unit = std::make_unique<avg::GameUnit>(wiring);
    ASSERT_TRUE(unit->LoadGame(u"6"));
    EXPECT_EQ(unit->GetState(), avg::gsChoice);
    EXPECT_FALSE(avg::SaveFileExists(u"1")); // reopening the choice saves nothing
    EXPECT_TRUE(unit->SaveAtChoice);
    Click();
    EXPECT_EQ(unit->GetState(), avg::gsChoice);
    unit->Proc_KeyDown(hgl::key::Down); // the second option is hidden until the story's end
    unit->Proc_KeyDown(hgl::key::Down);
    unit->Proc_KeyDown(hgl::key::Enter);
    unit->UpdateObject();
    EXPECT_EQ(Text(), kNo);

    hgl::String script;
    hgl::Date date;
    hgl::Time time;
    hgl::int64 play = 0;
    ASSERT_TRUE(avg::ReadSaveHeader(u"5", script, date, time, play));
    EXPECT_EQ(script, hgl::String(u"MAIN00"));
    EXPECT_EQ(play, played);
    EXPECT_GT(date.Year.Get(), 2000);
}

TEST_F(StoryTest, DamagedSavesFailAndGoBackToTheTitle)
{
    Start();
    ASSERT_TRUE(unit->SaveGame(u"good", false));
    std::string whole;
    {
        whole = dir.ReadFile("Save/good.save");
    }
    for (const std::string &bytes : {std::string(), std::string("garbage, not a tree"),
                                     whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 1)})
    {
        SCOPED_TRACE(bytes.size());
        ASSERT_TRUE(dir.WriteFile("Save/bad.save", bytes));
        hgl::String script;
        hgl::Date date;
        hgl::Time time;
        hgl::int64 play = 0;
        EXPECT_FALSE(avg::ReadSaveHeader(u"bad", script, date, time, play));
        hgl::test::LogCapture log;
        unit = std::make_unique<avg::GameUnit>(wiring);
        EXPECT_FALSE(unit->LoadGame(u"bad"));
        unit->UpdateObject();
        EXPECT_EQ(unit->ObjectState.Get(), hgl::FlowObject::fosClear);
        EXPECT_EQ(MarkerName(unit->NextObject.Get()), "title");
    }
}

TEST_F(StoryTest, ASaveKilledMidWriteLeavesAWholeFile)
{
    constexpr int kRounds = 8;
    constexpr int kValues = 500; // a save big enough for the kill to land inside a write
    Start();
    for (int i = 0; i < kValues; ++i)
        unit->GetValues().Set(hgl::String(i), i);
    ASSERT_TRUE(unit->SaveGame(u"k", false));
    for (int round = 0; round < kRounds; ++round)
    {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            close(ready[0]);
            for (int i = 0;; ++i)
            {
                // Each save differs in size from the one before it.
                unit->GetValues().Set(u"grow" + hgl::String(i), i);
                unit->SaveGame(u"k", false);
                const char done = 1;
                if (write(ready[1], &done, 1) != 1) _exit(1);
            }
        }
        close(ready[1]);
        char done;
        for (int i = 0; i <= round % 4; ++i)
            ASSERT_EQ(read(ready[0], &done, 1), 1);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        close(ready[0]);

        hgl::TDFNode root;
        avg::SaveRecord record;
        ASSERT_TRUE(root.LoadFromFile(avg::SaveFileName(u"k").c_str()) && record.Read(root)) << round;
        EXPECT_GE(record.variables.size(), size_t(kValues)) << round;
    }
}

TEST_F(StoryTest, TheMenuOpensOverAChoiceAndReturns)
{
    ToChoice();
    EXPECT_TRUE(unit->IsBlocked());
    Choice().SetAlpha(0.5f);
    EXPECT_TRUE(unit->Proc_KeyDown(hgl::key::Esc));
    EXPECT_EQ(unit->ObjectState.Get(), hgl::FlowObject::fosPush);
    EXPECT_EQ(MarkerName(unit->NextObject.Get()), "menu");
    EXPECT_FALSE(unit->IsTop());
    EXPECT_FALSE(unit->Proc_MouseMiddleDown(1, 1, 0)); // the menu is over it

    unit->ObjectState = hgl::FlowObject::fosOK; // as the flow control leaves it
    unit->ProcReturn(nullptr);
    EXPECT_TRUE(unit->IsTop());
    EXPECT_EQ(Choice().Alpha.Get(), 1.0f);
    EXPECT_EQ(unit->GetState(), avg::gsChoice);
}

// A message window whose reveal and auto-play wait the test sets, for the screen's
// own timing around them.
class PacedWindow : public avg::MinimalMessageStage
{
  public:
    using MinimalMessageStage::MinimalMessageStage;
    bool revealed = false;
    int wait_ms = 0;
    bool IsTextComplete() const override { return revealed; }
    int WaitMs() const override { return wait_ms; }
};

class PacedStoryTest : public GameUnitTest
{
  protected:
    void AddContent(hgl::demo::DemoContent &demo) override
    {
        hgl::demo::AddScripts(demo);
        demo.AddLocal(u"Script\\THREE.CPP",
                      hgl::demo::TextFile(u"func main()\n{\n    MES(\"one\");\n    MES(\"two\");\n"
                                          u"    MES(\"three\");\n}\n"));
        demo.AddLocal(u"Script\\WAIT50.CPP",
                      hgl::demo::TextFile(u"func main()\n{\n    WAIT(50);\n    MES(\"after\");\n}\n"));
    }
    void SetUp() override
    {
        GameUnitTest::SetUp();
        wiring.stage.message = [](avg::GameUnit &u) { return new PacedWindow(u); };
    }
    PacedWindow &Window() { return *static_cast<PacedWindow *>(unit->GetMessageStage()); }
};

TEST_F(PacedStoryTest, SkippingCutsATimedWaitShort)
{
    Start(u"WAIT50");
    EXPECT_EQ(unit->GetState(), avg::gsTimedWait);
    unit->SkipOn();
    unit->UpdateObject(); // the same instant: no time has passed
    EXPECT_EQ(Text(), u"after");
}

TEST_F(PacedStoryTest, InAutoModeEachMessageWaitsItsOwnRevealAndTheEndWait)
{
    const int end_wait = avg::config::graphics_config.EndWaitTime;
    Start(u"THREE");
    unit->AutoMode = true;
    const struct
    {
        const char16_t *text;
        int wait_ms;
    } lines[] = {{u"one", 300}, {u"two", 700}};
    for (const auto &line : lines)
    {
        SCOPED_TRACE(hgl::test::U8(line.text));
        ASSERT_EQ(Text(), line.text);
        Window().revealed = false;
        Window().wait_ms = line.wait_ms;
        Advance(5000);
        unit->UpdateObject();
        EXPECT_EQ(Text(), line.text); // not yet revealed: no wait runs
        Window().revealed = true;
        unit->UpdateObject(); // revealed now: the wait starts here
        EXPECT_EQ(Text(), line.text);
        Advance(line.wait_ms + end_wait - 1);
        unit->UpdateObject();
        EXPECT_EQ(Text(), line.text);
        Advance(1);
        unit->UpdateObject();
    }
    EXPECT_EQ(Text(), u"three");
}
