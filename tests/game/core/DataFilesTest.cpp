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
