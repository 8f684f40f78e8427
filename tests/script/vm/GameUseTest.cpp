// The engine as the game's screens use it: a data screen that runs a file's script
// to the end; the in-game screen whose messages pause the script, whose frame update
// resumes it, whose choices jump from inside a native and whose saves keep the run
// state; and the message window's compile hook collecting messages while loading.
#include "core/BoundMethod.h"
#include "core/Log.h"
#include "io/MemStream.h"
#include "script/DevilEngine.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using hgl::u16char;
using Trace = std::vector<std::u16string>;

namespace
{
// A file's text as read from the archive: a byte-order mark first.
std::u16string File(const std::u16string &body) { return u"\uFEFF" + body; }

// The credits screen: every SAY adds a line while the script runs.
struct StaffScreen
{
    Trace lines;
    void SAY(const u16char *text) { lines.push_back(text); }

    bool Build(const std::u16string &file)
    {
        hgl::DevilEngine *engine = static_cast<hgl::DevilEngine *>(hgl::NewDevilEngine());
        if (!engine) return false;
        bool ok = engine->MapMemberFunc(u"void SAY(string)", this, &StaffScreen::SAY);
        ok = ok && engine->LoadScript(file.c_str() + 1, int(file.size()) - 1);
        ok = ok && engine->Resume(u"ALL");
        delete engine;
        return ok;
    }
};

const std::u16string kStory =
    u"func main()\n"
    u"{\n"
    u"    SetCG(\"bg01\", 2);\n"
    u"    BG_FadeToPart(1, 0.5, 0, 0, 1.5);\n"
    u"    MES(\"一\");\n"
    u"    CaseGoto(1, \"second\");\n"
    u"    CaseGoto(2, \"nowhere\");\n"
    u"    MES(\"二\");\n"
    u"    goto end;\n"
    u"second:\n"
    u"    MES(\"三\");\n"
    u"end:\n"
    u"    SetChar(\"a\", \"b\", 1, 2, \"c\");\n"
    u"}\n";

// The in-game screen: its managers share one engine.
struct Stage
{
    std::unique_ptr<hgl::DevilEngine> engine{static_cast<hgl::DevilEngine *>(hgl::NewDevilEngine())};
    int choice = 0;
    Trace trace;

    void SetCG(const u16char *name, int part) { trace.push_back(std::u16string(u"cg ") + name + u" " + char16_t(u'0' + part)); }
    void BG_FadeToPart(int part, float a, float b, float c, float d)
    {
        trace.push_back(part == 1 && a == 0.5f && b == 0 && c == 0 && d == 1.5f ? u"fade" : u"fade?");
    }
    void MES(const u16char *text) { trace.push_back(text); engine->Pause(); }
    void CaseGoto(int value, const u16char *label)
    {
        if (value != choice) return;
        if (engine->GotoLabel(label)) engine->Resume(nullptr);
        else hgl::PutError(u"跳转失败：<%d:%s>", value, label);
    }
    void SetChar(const u16char *a, const u16char *b, int x, int y, const u16char *c)
    {
        trace.push_back(std::u16string(u"char ") + a + b + char16_t(u'0' + x) + char16_t(u'0' + y) + c);
    }
    // The frame update: a waiting script goes on.
    bool Update() { return engine->Resume(nullptr); }

    bool Load()
    {
        bool ok = engine->MapMemberFunc(u"void SetCG(string,int)", this, &Stage::SetCG);
        ok = ok && engine->MapMemberFunc(u"void BG_FadeToPart(int,float,float,float,float)", this, &Stage::BG_FadeToPart);
        ok = ok && engine->MapMemberFunc(u"void MES(string)", this, &Stage::MES);
        ok = ok && engine->MapMemberFunc(u"void CaseGoto(int,string)", this, &Stage::CaseGoto);
        ok = ok && engine->MapMemberFunc(u"void SetChar(string,string,int,int,string);", this, &Stage::SetChar);
        const std::u16string file = File(kStory);
        return ok && engine->LoadScript(file.c_str() + 1, int(file.size()) - 1);
    }
};

// The message window's hook: message calls run once while the script compiles.
struct MessageWindow
{
    Trace index;
    bool collect = false;
    hgl::DevilEngine *engine = nullptr;

    bool CompileHook(const u16char *name)
    {
        const std::u16string_view n(name);
        return n.starts_with(u"MES") || n.starts_with(u"ShowMessage");
    }
    void MES(const u16char *text) { collect ? index.push_back(text) : engine->Pause(); }
    void Other(const u16char *) {}
};
} // namespace

TEST(DevilGameUse, DataScreenRunsItsScriptToTheEnd)
{
    StaffScreen screen;
    ASSERT_TRUE(screen.Build(File(u"func ALL(){ SAY(\"制作\"); SAY(\"感谢\"); }")));
    EXPECT_EQ(screen.lines, (Trace{u"制作", u"感谢"}));

    // An empty file reaches the engine as no text at all.
    StaffScreen empty;
    EXPECT_FALSE(empty.Build(File(u"")));
    EXPECT_TRUE(empty.lines.empty());
}

TEST(DevilGameUse, StoryPausesJumpsSavesAndRestores)
{
    hgl::test::LogCapture log;
    Stage stage;
    ASSERT_TRUE(stage.Load()) << log.Dump();
    EXPECT_EQ(stage.engine->GetRunState(), 2);

    // Started by name with an empty stack; the first message waits.
    ASSERT_TRUE(stage.engine->Resume(u"main"));
    EXPECT_EQ(stage.trace, (Trace{u"cg bg01 2", u"fade", u"一"}));
    EXPECT_EQ(stage.engine->GetRunState(), 1);

    // The player chose 1: the choice jumps from inside its native and the run goes on
    // there without a nested run.
    stage.choice = 1;
    stage.trace.clear();
    ASSERT_TRUE(stage.Update());
    EXPECT_EQ(stage.trace, (Trace{u"三"}));

    // Saved while the message waits: "main", next command 8 (after MES at 7).
    hgl::MemStream saved;
    ASSERT_TRUE(stage.engine->SaveState(&saved));
    const std::vector<hgl::uint8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    EXPECT_EQ(bytes, (std::vector<hgl::uint8>{1, 0, 0, 0, 4, 0, 0, 0, 'm', 0, 'a', 0, 'i', 0, 'n', 0, 8, 0, 0, 0}));

    // Loaded into a fresh screen: the story finishes there.
    Stage again;
    ASSERT_TRUE(again.Load());
    saved.SetPosition(0);
    ASSERT_TRUE(again.engine->LoadState(&saved));
    ASSERT_TRUE(again.Update());
    EXPECT_EQ(again.trace, (Trace{u"char ab12c"}));
    EXPECT_EQ(again.engine->GetStackDepth(), 0);
    EXPECT_FALSE(again.Update());
    EXPECT_TRUE(log.ContainsInfo(u"不知道从那里开始运行"));

    // Choice 2 names a label the script lacks: the game logs its own line and the
    // story carries on after the choice.
    log.Clear();
    Stage third;
    ASSERT_TRUE(third.Load());
    third.choice = 2;
    ASSERT_TRUE(third.engine->Resume(u"main"));
    third.trace.clear();
    ASSERT_TRUE(third.Update());
    EXPECT_EQ(third.trace, (Trace{u"二"}));
    EXPECT_EQ(log.Lines(), (Trace{u"没有在函数<main>内找到跳转标识<nowhere>", u"跳转失败：<2:nowhere>"}));
    third.trace.clear();
    ASSERT_TRUE(third.Update());
    EXPECT_EQ(third.trace, (Trace{u"char ab12c"}));
}

TEST(DevilGameUse, MessageWindowCollectsMessagesWhileLoading)
{
    std::unique_ptr<hgl::DevilVM> vm(hgl::NewDevilEngine());
    MessageWindow window;
    window.engine = static_cast<hgl::DevilEngine *>(vm.get());
    EXPECT_FALSE(vm->GetCompileHook().IsBound());        // a new engine has none
    vm->SetCompileHook(hgl::DevilVM::CompileHook::Make<&MessageWindow::CompileHook>(&window));
    ASSERT_TRUE(vm->MapMemberFunc(u"void MES(string)", &window, &MessageWindow::MES));
    ASSERT_TRUE(vm->MapMemberFunc(u"void MESC(string)", &window, &MessageWindow::MES));
    ASSERT_TRUE(vm->MapMemberFunc(u"void ShowMessageL(string)", &window, &MessageWindow::MES));
    ASSERT_TRUE(vm->MapMemberFunc(u"void Other(string)", &window, &MessageWindow::Other));

    window.collect = true;
    ASSERT_TRUE(vm->LoadScript(u"func main(){ MES(\"a\"); Other(\"x\"); MESC(\"b\"); ShowMessageL(\"c\"); }"));
    window.collect = false;
    EXPECT_EQ(window.index, (Trace{u"a", u"b", u"c"}));
    // Loading ran nothing else and left the engine as it was.
    EXPECT_EQ(vm->GetRunState(), 2);
    std::u16string name;
    int index = -1;
    EXPECT_FALSE(vm->GetCurrentPosition(name, index));

    // At run time the same calls pause as usual.
    ASSERT_TRUE(vm->Resume(u"main"));
    EXPECT_EQ(vm->GetRunState(), 1);
    ASSERT_TRUE(vm->GetCurrentPosition(name, index));
    EXPECT_EQ(name, u"main");
    EXPECT_EQ(index, 1);
}
