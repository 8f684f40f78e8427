#include "GameCoreFixture.h"

#include "game/core/SaveHeader.h"
#include "io/TDF.h"
#include "io/Time.h"
#include "script/DevilEngine.h"
#include "tools/mkdemo/DemoContent.h"

#include <memory>

namespace
{
const std::u16string kChapterScript = u"func main()\r\n{\r\n"
                                      u"    SetChapter(\"main00\", \"第一章 雪\");\r\n"
                                      u"    SetChapter(\"MAIN01\", \"第二章\");\r\n}\r\n";
const std::u16string kDefineScript = u"func main()\r\n{\r\n"
                                     u"    SetCharView(\"xy\", 0.9, 0.25, 0.5);\r\n"
                                     u"    SetCharView(\"QW\", 1.2, 0.5, 0.75);\r\n}\r\n";
} // namespace

TEST_F(GameCoreTest, ArchivesAndLocalFiles)
{
    hgl::test::LogCapture log;
    EXPECT_FALSE(avg::OpenArchives()); // nothing there yet
    EXPECT_EQ(avg::GetDataHAC(), nullptr);
    ASSERT_TRUE(dir.MakeDir("Data.hac"));
    ASSERT_TRUE(dir.WriteFile("Local.hac/Script/Chapter.CPP", Utf16File(kChapterScript)));
    ASSERT_TRUE(dir.WriteFile("Local.hac/odd.txt", std::string("\xFF\xFE"
                                                               "A\0B",
                                                               5)));
    ASSERT_TRUE(avg::OpenArchives()) << log.Dump();
    ASSERT_NE(avg::GetDataHAC(), nullptr);

    hgl::u16char *text = nullptr;
    int units = avg::ReadScriptFile(u"Chapter.CPP", &text);
    std::unique_ptr<hgl::u16char[]> hold(text);
    EXPECT_EQ(units, int(kChapterScript.size()) + 1);
    EXPECT_EQ(text[0], 0xFEFF);
    EXPECT_EQ(std::u16string(text + 1), kChapterScript);

    units = avg::ReadLocalFile(u"odd.txt", &text); // the odd byte is dropped
    hold.reset(text);
    EXPECT_EQ(units, 2);
    EXPECT_EQ(std::u16string(text), u"\uFEFFA");

    // A missing script through the data screens' pattern: an empty text, refused.
    for (auto read : {&avg::ReadLocalFile, &avg::ReadScriptFile})
    {
        units = read(u"Missing.CPP", &text);
        hold.reset(text);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(units, 0);
        EXPECT_EQ(text[0], 0xFEFF);
        std::unique_ptr<hgl::DevilEngine> engine(hgl::NewDevilEngine());
        EXPECT_FALSE(engine->LoadScript(text + 1, units - 1));
    }
    EXPECT_TRUE(log.ContainsError(u"读取文件<Script\\Missing.CPP>失败!")) << log.Dump();
}

TEST_F(GameCoreTest, DataTablesFromTheirScripts)
{
    ASSERT_TRUE(dir.MakeDir("Data.hac"));
    ASSERT_TRUE(dir.WriteFile("Local.hac/Script/Chapter.CPP", Utf16File(kChapterScript)));
    ASSERT_TRUE(dir.WriteFile("Local.hac/Script/Define.CPP", Utf16File(kDefineScript)));
    ASSERT_TRUE(avg::OpenArchives());
    ASSERT_TRUE(avg::LoadDataTables());

    hgl::String name;
    EXPECT_TRUE(avg::data::GetChapterName(u"Main00", name));
    EXPECT_EQ(name, u"第一章 雪");
    EXPECT_TRUE(avg::data::GetChapterName(u"main01", name));
    EXPECT_EQ(name, u"第二章");
    EXPECT_FALSE(avg::data::GetChapterName(u"MAIN02", name));
    EXPECT_TRUE(name.IsEmpty());

    const struct
    {
        const char16_t *code;
        char16_t size;
        int row;
        float scale;
    } cases[] = {{u"XY", u'S', 0, 0.75f}, {u"xy", u'l', 0, 1.0f},  {u"XY", u'M', 0, 0.9f},
                 {u"QW", u'x', 1, 1.2f},  {u"QW", u'Q', 1, -1.0f}, {u"ZZ", u'L', -1, -1.0f}};
    for (const auto &c : cases)
    {
        float ay = -1, ax = -1, scale = -1;
        EXPECT_EQ(avg::GetCharViewOffset(c.code, c.size, ay, ax, scale), c.row);
        EXPECT_FLOAT_EQ(scale, c.scale);
        EXPECT_FLOAT_EQ(ay, c.row == 0 ? 0.25f : c.row == 1 ? 0.5f : -1.0f);
        EXPECT_FLOAT_EQ(ax, c.row == 0 ? 0.5f : c.row == 1 ? 0.75f : -1.0f);
    }

    // A missing or broken data script fails the load and is logged.
    ASSERT_TRUE(dir.WriteFile("Local.hac/Script/Define.CPP", Utf16File(u"func main() { SetCharView(1); ")));
    hgl::test::LogCapture log;
    EXPECT_FALSE(avg::LoadDataTables());
    EXPECT_TRUE(avg::data::GetChapterName(u"MAIN00", name));
    EXPECT_TRUE(log.ContainsError(u"运行数据脚本<Script\\Define.CPP>失败!")) << log.Dump();
}

TEST_F(GameCoreTest, SaveHeaders)
{
    hgl::String script;
    hgl::Date date;
    hgl::Time time;
    hgl::int64 played = -1;
    EXPECT_FALSE(avg::SaveFileExists(u"3"));
    EXPECT_FALSE(avg::ReadSaveHeader(u"3", script, date, time, played));

    ASSERT_TRUE(dir.WriteFile("Save/4.save", "not a tree"));
    EXPECT_TRUE(avg::SaveFileExists(u"4"));
    EXPECT_FALSE(avg::ReadSaveHeader(u"4", script, date, time, played));

    hgl::TDFNode root;
    root.SetName(u"Save");
    root.SetString(u"脚本", u"MAIN01");
    ASSERT_TRUE(root.SaveToFile(avg::SaveFileName(u"5").c_str()));
    ASSERT_TRUE(avg::ReadSaveHeader(u"5", script, date, time, played));
    EXPECT_EQ(script, u"MAIN01");
    EXPECT_EQ(date.Year, 0);
    EXPECT_EQ(time.Hour + time.Minute + time.Second, 0);
    EXPECT_EQ(played, 0);

    hgl::TDFNode *when = root.AddChild(u"存档时间");
    hgl::Date d(2026, 12, 7);
    hgl::Time t(((3 * 60 + 25) * 60 + 9) * 1000);
    when->SetObject(u"Date", &d);
    when->SetObject(u"Time", &t);
    root.SetInt64(u"游戏时间", 123456789012LL);
    ASSERT_TRUE(root.SaveToFile(avg::SaveFileName(u"5").c_str()));
    ASSERT_TRUE(avg::ReadSaveHeader(u"5", script, date, time, played));
    EXPECT_TRUE(date == d);
    EXPECT_TRUE(time == t);
    EXPECT_EQ(played, 123456789012LL);

    root.SetName(u"Game"); // a tree, but not a save
    ASSERT_TRUE(root.SaveToFile(avg::SaveFileName(u"5").c_str()));
    EXPECT_FALSE(avg::ReadSaveHeader(u"5", script, date, time, played));
}

TEST_F(GameCoreTest, DemoContentFillsTheTables)
{
    hgl::demo::DemoContent demo;
    std::string error;
    ASSERT_TRUE(hgl::demo::MakeDemoContent(demo, &error)) << error;
    ASSERT_TRUE(hgl::demo::WriteTree(demo.data, dir.File("Data.hac"), &error)) << error;
    ASSERT_TRUE(hgl::demo::PackArchive(demo.local, dir.File("Local.hac"), &error)) << error;
    ASSERT_TRUE(dir.MakeDir("Data.hac"));
    hgl::test::LogCapture log;
    ASSERT_TRUE(avg::OpenArchives());
    ASSERT_TRUE(avg::LoadDataTables()) << log.Dump();
    hgl::String name;
    EXPECT_TRUE(avg::data::GetChapterName(u"main00", name));
    EXPECT_EQ(name, u"第一章 初雪");
    float ay = 0, ax = 0, scale = 0;
    EXPECT_EQ(avg::GetCharViewOffset(u"XY", u'M', ay, ax, scale), 0);
    EXPECT_EQ(log.Errors(), std::vector<std::u16string>{}) << log.Dump();
}

namespace
{
std::vector<std::u16string> story;
hgl::DevilEngine *story_engine = nullptr;

void Note(const char16_t *what, const hgl::u16char *arg = u"")
{
    story.push_back(std::u16string(what) + u" " + arg);
}

// The natives the demo story calls, each noting its call; the choice takes its
// first answer.
void BindStory(hgl::DevilEngine &e)
{
    e.MapFunc(
        u"void BGM_PLAY(string,int)", +[](const hgl::u16char *s, int) { Note(u"BGM_PLAY", s); });
    e.MapFunc(
        u"void BGM_STOP()", +[] { Note(u"BGM_STOP"); });
    e.MapFunc(
        u"void SE_PLAY(int,string,int)", +[](int, const hgl::u16char *s, int) { Note(u"SE_PLAY", s); });
    e.MapFunc(
        u"void BG_SET(string)", +[](const hgl::u16char *s) { Note(u"BG_SET", s); });
    e.MapFunc(
        u"void MSPEED(int)", +[](int) { Note(u"MSPEED"); });
    e.MapFunc(
        u"void CHR_SET0(string)", +[](const hgl::u16char *s) { Note(u"CHR_SET0", s); });
    e.MapFunc(
        u"void CHR_ERSA()", +[] { Note(u"CHR_ERSA"); });
    e.MapFunc(
        u"void ShowMessage(string,string,string)", +[](const hgl::u16char *face, const hgl::u16char *,
                                                       const hgl::u16char *) { Note(u"ShowMessage", face); });
    e.MapFunc(
        u"void MES(string)", +[](const hgl::u16char *s) { Note(u"MES", s); });
    e.MapFunc(
        u"void MESC(string)", +[](const hgl::u16char *s) { Note(u"MESC", s); });
    e.MapFunc(
        u"void StartSnow()", +[] { Note(u"StartSnow"); });
    e.MapFunc(
        u"void EndSnow()", +[] { Note(u"EndSnow"); });
    e.MapFunc(
        u"void StartButterFly(int)", +[](int) { Note(u"StartButterFly"); });
    e.MapFunc(
        u"void SELECT(string,int)", +[](const hgl::u16char *s, int) { Note(u"SELECT", s); });
    e.MapFunc(
        u"void SELDT(string)", +[](const hgl::u16char *s) { Note(u"SELDT", s); });
    e.MapFunc(
        u"void SELDT_Switch(string,string,string,string)",
        +[](const hgl::u16char *s, const hgl::u16char *, const hgl::u16char *, const hgl::u16char *)
        { Note(u"SELDT_Switch", s); });
    e.MapFunc(
        u"void SWITCH(string,int)", +[](const hgl::u16char *s, int) { Note(u"SWITCH", s); });
    e.MapFunc(
        u"void CaseGoto(int,string)",
        +[](int n, const hgl::u16char *label)
        {
            if (n == 0) story_engine->GotoLabel(label);
        });
    e.MapFunc(
        u"void RSET(string,string)", +[](const hgl::u16char *s, const hgl::u16char *) { Note(u"RSET", s); });
    e.MapFunc(
        u"void EXT_CALL(string)", +[](const hgl::u16char *s) { Note(u"EXT_CALL", s); });
    e.MapFunc(
        u"void GAME_END(int)", +[](int) { Note(u"GAME_END"); });
}
} // namespace

TEST_F(GameCoreTest, DemoStoryRunsThroughBothScripts)
{
    hgl::demo::DemoContent demo;
    std::string error;
    hgl::demo::AddScripts(demo);
    ASSERT_TRUE(hgl::demo::WriteTree(demo.local, dir.File("Local.hac"), &error)) << error;
    ASSERT_TRUE(dir.MakeDir("Data.hac"));
    ASSERT_TRUE(avg::OpenArchives());
    story.clear();
    hgl::test::LogCapture log;
    for (const char16_t *script : {u"Script\\MAIN00.CPP", u"Script\\MAIN01.CPP"})
    {
        std::unique_ptr<hgl::DevilEngine> engine(hgl::NewDevilEngine());
        story_engine = engine.get();
        BindStory(*engine);
        hgl::u16char *text = nullptr;
        const int units = avg::ReadLocalFile(script, &text);
        std::unique_ptr<hgl::u16char[]> hold(text);
        ASSERT_TRUE(engine->LoadScript(text + 1, units - 1)) << log.Dump();
        ASSERT_TRUE(engine->Resume(u"main")) << log.Dump();
    }
    EXPECT_EQ(story, (std::vector<std::u16string>{
                         u"BGM_PLAY BGM01",
                         u"BG_SET bg01",
                         u"MSPEED ",
                         u"CHR_SET0 XYAB00L",
                         u"RSET HMOODSPEED",
                         u"ShowMessage XYABA",
                         u"ShowMessage ",
                         u"ShowMessage XYABAR",
                         u"ShowMessage YYABA",
                         u"ShowMessage XYABA",
                         u"ShowMessage QGABA",
                         u"ShowMessage YYABA",
                         u"ShowMessage QGABA",
                         u"ShowMessage XYABA",
                         u"ShowMessage YYABA",
                         u"SE_PLAY se01",
                         u"StartSnow ",
                         u"StartButterFly ",
                         u"MES 雪一直下着，城市变得很安静。这是一段小说模式的文字，一行写不下。",
                         u"MES 街上的行人越来越少，路灯一盏接一盏地亮了起来，照着飘落的雪花。",
                         u"MES 小雪把围巾又绕了一圈，回头看了看远处的钟楼，钟声刚好响起来。%N",
                         u"MES 【小雪】“今天会下一整夜吧。”她轻轻地说，像是在对自己说话。",
                         u"MES 青歌从后面追了上来，气喘吁吁地停在两个人的身边，笑个不停。",
                         u"MES 三个人沿着河边慢慢地走着，谁也没有再说话，只听见踩雪的声音。%K%P",
                         u"MES 这一行放不下了，所以新的一页从这里开始：十二行是一页的极限。",
                         u"MES 翻过一页，故事继续。这里有两个小图：＃和￥。",
                         u"MSPEED ",
                         u"ShowMessage ",
                         u"ShowMessage ",
                         u"MSPEED ",
                         u"MESC —— 第一章 ——",
                         u"SELECT S1",
                         u"SELDT 一起去",
                         u"SELDT_Switch 叫上小遥",
                         u"SELDT 下次吧",
                         u"SWITCH S1",
                         u"MES 【小雪】太好了！",
                         u"RSET HEXTRA",
                         u"EXT_CALL MAIN01",
                         u"BG_SET bgwide",
                         u"BG_SET c001",
                         u"ShowMessage XYABA",
                         u"EndSnow ",
                         u"CHR_ERSA ",
                         u"BGM_STOP ",
                         u"GAME_END "}));
}
