// Damaged inputs along the story's road: each one fails on its own, with a log
// line, and whatever worked before it keeps working.
#include "IntegrationUtil.h"

#include <unistd.h>

using namespace integration;
using hgl::test::LogCapture;
using hgl::test::TempDir;

namespace
{

// A stage with the chapter loaded and waiting at its second message.
void StageAtSecondMessage(hgl::HAC *hac, Stage &stage)
{
    std::u16string text;
    ASSERT_TRUE(LoadScriptText(hac, u"Script\\Chapter.CPP", ScriptSource::WholeFile, text));
    ASSERT_TRUE(stage.Bind());
    ASSERT_TRUE(stage.Load(text));
    stage.choice = 1;
    ASSERT_TRUE(stage.engine->Resume(u"main"));
    ASSERT_TRUE(stage.Update());
    ASSERT_EQ(stage.trace, kFirstPart);
}

} // namespace

TEST(CorruptInput, TruncatedArchiveIsRefusedAndTheMountedOneStaysUsable)
{
    UseBuildPlugIns();
    TempDir dir("integ");
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));

    LogCapture log;
    std::unique_ptr<hgl::HAC> good = OpenLocalHac(dir);
    ASSERT_TRUE(good) << log.Dump();

    // Cut at every length: the header, the bodies, the folder tree, the tree offset.
    for (size_t cut = 0; cut < bytes.size(); cut += (cut < 16 || cut + 16 > bytes.size()) ? 1 : 7)
    {
        SCOPED_TRACE(cut);
        log.Clear();
        ASSERT_TRUE(dir.WriteFile("Broken.hac", std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(cut))));
        std::unique_ptr<hgl::HAC> broken(hgl::OpenHAC(dir.File16("Broken.hac").c_str()));
        EXPECT_FALSE(broken);
        EXPECT_EQ(log.Errors(), (Trace{u"无法支持或已损坏的HAC文件<" + dir.File16("Broken.hac") + u">"})) << log.Dump();
    }

    // A folder that is not there mounts nothing.
    log.Clear();
    EXPECT_FALSE(std::unique_ptr<hgl::HAC>(hgl::OpenHAC(dir.File16("NoSuchFolder/").c_str())));
    EXPECT_FALSE(log.Errors().empty());

    // An archive whose compressed entry is damaged mounts; that entry alone fails.
    {
        hgl::hacpack::HacWriter w;
        w.root.Add(u"Script\\Chapter.CPP", U16LE(kChapterScript));
        auto &bad = w.root.Add(u"Script\\Staff.CPP", U16LE(kStaffScript), u"Zip");
        bad.precompressed = true;
        bad.stored = {'n', 'o', 't', ' ', 'd', 'e', 'f', 'l', 'a', 't', 'e'};
        std::vector<uint8_t> damaged;
        ASSERT_TRUE(w.Build(damaged));
        ASSERT_TRUE(dir.WriteFile("Damaged.hac", damaged));
        log.Clear();
        std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("Damaged.hac").c_str()));
        ASSERT_TRUE(hac) << log.Dump();
        log.Clear();
        std::u16string text;
        EXPECT_FALSE(LoadScriptText(hac.get(), u"Script\\Staff.CPP", ScriptSource::WholeFile, text));
        EXPECT_FALSE(LoadScriptText(hac.get(), u"Script\\Staff.CPP", ScriptSource::StringList, text));
        EXPECT_EQ(log.Errors(), (Trace{u"解压文件<script\\staff.cpp>失败，使用的是<Zip>压缩算法！",
                                       u"解压文件<script\\staff.cpp>失败，使用的是<Zip>压缩算法！"}));
        int state = 0;
        EXPECT_TRUE(QueueLoadBytes(hac.get(), u"Script", u"staff.cpp", &state).empty());
        EXPECT_EQ(state, hgl::HAC::lsReadFailed);
        Stage stage;
        StageAtSecondMessage(hac.get(), stage);
    }

    // The mounted archive's file cut short on the disk while the game runs: the
    // reads that now pass its end fail with a message, nothing is half-read.
    {
        ASSERT_TRUE(dir.WriteFile("Shrinking.hac", bytes));
        std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(dir.File16("Shrinking.hac").c_str()));
        ASSERT_TRUE(hac);
        ASSERT_EQ(truncate(dir.File("Shrinking.hac").c_str(), 16), 0);
        log.Clear();
        std::u16string text;
        EXPECT_FALSE(LoadScriptText(hac.get(), u"Script\\Chapter.CPP", ScriptSource::WholeFile, text));
        EXPECT_FALSE(LoadScriptText(hac.get(), u"Script\\Staff.CPP", ScriptSource::WholeFile, text));
        int state = 0;
        EXPECT_TRUE(QueueLoadBytes(hac.get(), u"Script", u"chapter.cpp", &state).empty());
        EXPECT_EQ(state, hgl::HAC::lsReadFailed);
        EXPECT_EQ(log.Errors(), (Trace{u"读取HAC文件数据<chapter.cpp>失败！", u"读取HAC文件数据<staff.cpp>失败！",
                                       u"读取HAC文件数据<chapter.cpp>失败！"}));
        // The game's lists read from it report the failure as well.
        log.Clear();
        hgl::StringList lines;
        EXPECT_FALSE(lines.LoadFromHAC(hac.get(), u"Script\\Chapter.CPP", 0));
        hgl::PList system;
        EXPECT_FALSE(system.LoadFromHAC(hac.get(), u"System.List"));
        EXPECT_EQ(log.Errors().size(), 2u) << log.Dump();
    }

    // The archive mounted before still serves the story, the compressed entry included.
    std::u16string text;
    ASSERT_TRUE(LoadScriptText(good.get(), u"Script\\Staff.CPP", ScriptSource::WholeFile, text));
    StaffScreen staff;
    ASSERT_TRUE(staff.Build(text));
    EXPECT_EQ(staff.lines.size(), 3u);
    Stage stage;
    StageAtSecondMessage(good.get(), stage);
}

TEST(CorruptInput, MalformedScriptFailsAndThePausedStoryGoesOn)
{
    UseBuildPlugIns();
    TempDir dir("integ");
    std::vector<uint8_t> bytes;
    ASSERT_NO_FATAL_FAILURE(WriteLocalHac(dir, bytes));
    LogCapture log;
    std::unique_ptr<hgl::HAC> hac = OpenLocalHac(dir);
    ASSERT_TRUE(hac);

    Stage stage;
    StageAtSecondMessage(hac.get(), stage);

    // Each broken text is refused with a logged reason; none of them disturbs the
    // story that waits at its message.
    struct Case
    {
        std::u16string text;
        Trace lines;
    };
    const Case broken[] = {
        {u"func Broken3() { MES(\"x\"); again: again: }",
         {u"添加跳转标识符<again>失败，这个标识符重复了！", u"冒号后面的字段无法解析!", u"解晰函数<Broken3>失败!"}},
        {u"func Broken4() { if ( }", {u"if解析错误", u"解晰函数<Broken4>失败!"}},
        {u"func main() { MES(\"重复\"); }", {u"脚本函数名称重复: main"}},
    };
    for (const Case &c : broken)
    {
        SCOPED_TRACE(hgl::test::U8(c.text));
        log.Clear();
        EXPECT_FALSE(stage.Load(c.text));
        EXPECT_EQ(log.Lines(), c.lines) << log.Dump();
        EXPECT_EQ(stage.engine->GetRunState(), 1);
        EXPECT_EQ(stage.engine->GetScriptFuncCount(), 1);     // only "main"
    }

    // What the compiler passes over is not an error: a call of a function nobody
    // bound is left out (logged), text that is not a function ends the load.
    log.Clear();
    EXPECT_TRUE(stage.Load(u"func Loose() { Unknown(1); MES(1, 2, 3); }"));
    EXPECT_TRUE(log.ContainsInfo(u"脚本调用函数没有找到相应的真实函数映射与脚本函数<Unknown>")) << log.Dump();
    for (const std::u16string text : {u"\"", u"{}", u"}}}} func main"})
        EXPECT_TRUE(stage.Load(text)) << hgl::test::U8(text);
    {
        const std::u16string garbage{char16_t(0x8F6C), char16_t(0), char16_t(0xD800), char16_t(0xFFFF)};
        EXPECT_TRUE(stage.Load(garbage));
    }
    EXPECT_EQ(stage.engine->GetRunState(), 1);

    log.Clear();
    stage.trace.clear();
    ASSERT_TRUE(stage.Update());
    ASSERT_TRUE(stage.Update());
    EXPECT_EQ(stage.trace, kSecondPart);
    EXPECT_EQ(stage.engine->GetStackDepth(), 0);
    EXPECT_EQ(log.Errors(), (Trace{})) << log.Dump();
}
