// The data screens' script runner: one function of a "Local.hac" script on an
// engine of its own, with or without a byte-order mark, and what it refuses.
#include "GameCoreFixture.h"

#include "game/core/DataScript.h"
#include "script/DevilEngine.h"

#include <string>
#include <vector>

namespace
{
std::vector<std::u16string> said;
void Say(const hgl::u16char *text)
{
    said.push_back(text);
}

bool BindSay(hgl::DevilEngine &engine)
{
    return engine.MapFunc(u"void SAY(string)", &Say);
}

// The text as UTF-16LE bytes, with the byte-order mark when asked.
std::string Bytes(const std::u16string &text, bool mark)
{
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text)
    {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}
} // namespace

class DataScriptTest : public GameCoreTest
{
  protected:
    hgl::test::LogCapture log;

    void SetUp() override
    {
        GameCoreTest::SetUp();
        said.clear();
        ASSERT_TRUE(dir.MakeDir("Data.hac"));
        ASSERT_TRUE(dir.MakeDir("Local.hac"));
    }

    void Write(const std::string &name, const std::string &bytes)
    {
        ASSERT_TRUE(dir.WriteFile("Local.hac/" + name, bytes));
    }
};

TEST_F(DataScriptTest, RunsTheFunctionWithOrWithoutAByteOrderMark)
{
    // Without a mark the first character is part of the script: "f" of "func".
    const std::u16string script =
        u"func main()\r\n{\r\n    SAY(\"一\");\r\n}\r\nfunc ALL()\r\n{\r\n    SAY(\"二\");\r\n}\r\n";
    Write("marked.CPP", Bytes(script, true));
    Write("plain.CPP", Bytes(script, false));
    ASSERT_TRUE(avg::OpenArchives());

    EXPECT_TRUE(avg::RunDataScript(u"marked.CPP", BindSay)) << log.Dump();
    EXPECT_TRUE(avg::RunDataScript(u"plain.CPP", BindSay)) << log.Dump();
    EXPECT_TRUE(avg::RunDataScript(u"plain.CPP", BindSay, u"ALL")) << log.Dump();
    EXPECT_EQ(said, (std::vector<std::u16string>{u"一", u"一", u"二"}));
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();
}

TEST_F(DataScriptTest, RefusesWhatCannotRunWithALogLine)
{
    Write("empty.CPP", "");
    Write("mark-only.CPP", "\xFF\xFE");
    Write("broken.CPP", Bytes(u"func main( {", true));
    Write("good.CPP", Bytes(u"func main() { SAY(\"x\"); }", true));
    ASSERT_TRUE(avg::OpenArchives());

    const struct
    {
        const char16_t *name;
        std::function<bool(hgl::DevilEngine &)> bind;
        const char16_t *error;
    } cases[] = {
        {u"missing.CPP", BindSay, u"数据脚本<missing.CPP>不存在或是空的，不运行!"},
        {u"empty.CPP", BindSay, u"数据脚本<empty.CPP>不存在或是空的，不运行!"},
        {u"mark-only.CPP", BindSay, u"运行数据脚本<mark-only.CPP>失败!"},
        {u"broken.CPP", BindSay, u"运行数据脚本<broken.CPP>失败!"},
        {u"good.CPP", [](hgl::DevilEngine &) { return false; }, u"数据脚本<good.CPP>的函数映射失败!"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::test::U8(c.name));
        log.Clear();
        EXPECT_FALSE(avg::RunDataScript(c.name, c.bind));
        EXPECT_TRUE(log.ContainsError(c.error)) << log.Dump();
    }
    EXPECT_TRUE(said.empty());
}
