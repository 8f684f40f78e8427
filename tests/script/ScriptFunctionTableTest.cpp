// Binding from a table: every row is tried in order, each refused row is logged by
// its declaration, and the rows after a refused one are still bound.
#include "script/ScriptFunctionTable.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>

using namespace hgl;

namespace
{
class Host
{
  public:
    std::u16string seen;
    int count = 0;

    bool Bind(DevilVM &vm, bool with_bad_rows);

  private:
    void Say(const u16char *text) { seen += text; }
    void Count() { ++count; }
    int Twice(int n) { return n * 2; }
};

bool Host::Bind(DevilVM &vm, bool with_bad_rows)
{
    static constexpr ScriptFunction<Host> kGood[] = {
        {u"void Say(string)", hgl::Bind<&Host::Say>},
        {u"void Count()", hgl::Bind<&Host::Count>},
        {u"int Twice(int)", hgl::Bind<&Host::Twice>},
    };
    static constexpr ScriptFunction<Host> kMixed[] = {
        {u"void Say(string)", hgl::Bind<&Host::Say>},
        {u"void Count(int)", hgl::Bind<&Host::Count>}, // parameters disagree
        {u"void Broken(", hgl::Bind<&Host::Count>},    // malformed: the engine says nothing
        {u"int Twice(int)", hgl::Bind<&Host::Twice>},
        {u"void Say(string)", hgl::Bind<&Host::Say>}, // duplicate
    };
    return with_bad_rows ? MapFunctions(vm, this, kMixed) : MapFunctions(vm, this, kGood);
}

int plain_calls = 0;
void Plain(int n)
{
    plain_calls += n;
}
} // namespace

TEST(ScriptFunctionTable, BindsEveryRowAndTheScriptCallsThem)
{
    DevilEngine e;
    Host host;
    hgl::test::LogCapture log;
    ASSERT_TRUE(host.Bind(e, false));
    EXPECT_TRUE(log.Errors().empty()) << log.Dump();
    ASSERT_TRUE(e.LoadScript(u"func main() { Say(\"a\"); Count(); Say(\"b\"); Count(); }"));
    ASSERT_TRUE(e.Resume(u"main"));
    EXPECT_EQ(host.seen, u"ab");
    EXPECT_EQ(host.count, 2);
}

TEST(ScriptFunctionTable, LogsEachRefusedRowAndBindsTheRest)
{
    DevilEngine e;
    Host host;
    hgl::test::LogCapture log;
    EXPECT_FALSE(host.Bind(e, true));
    EXPECT_EQ(log.CountOf(u"映射函数<void Count(int)>失败"), 1u) << log.Dump();
    EXPECT_EQ(log.CountOf(u"映射函数<void Broken(>失败"), 1u) << log.Dump();
    EXPECT_EQ(log.CountOf(u"映射函数<void Say(string)>失败"), 1u) << log.Dump();
    EXPECT_EQ(log.CountOf(u"映射函数<int Twice(int)>失败"), 0u) << log.Dump();
    EXPECT_NE(e.GetFuncMap(u"Say"), nullptr);
    EXPECT_NE(e.GetFuncMap(u"Twice"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"Count"), nullptr);
    EXPECT_EQ(e.GetFuncMap(u"Broken"), nullptr);
}

TEST(ScriptFunctionTable, PlainFunctions)
{
    static constexpr ScriptFunction<void> kPlain[] = {
        {u"void Plain(int)", hgl::Bind<&Plain>},
        {u"void Plain2(float)", hgl::Bind<&Plain>},
    };
    DevilEngine e;
    hgl::test::LogCapture log;
    plain_calls = 0;
    EXPECT_FALSE(MapFunctions(e, kPlain));
    EXPECT_EQ(log.CountOf(u"映射函数<void Plain2(float)>失败"), 1u) << log.Dump();
    ASSERT_TRUE(e.LoadScript(u"func main() { Plain(3); Plain(4); }"));
    ASSERT_TRUE(e.Resume(u"main"));
    EXPECT_EQ(plain_calls, 7);
}
