// Native variables of the narrow widths as script conditions read them: signed
// ones keep their sign, unsigned ones their full range.
#include "ScriptHost.h"

using namespace script_test;

TEST(DevilValue, NarrowNativeVariablesKeepTheirSignInConditions)
{
    const struct
    {
        const char16_t *cond;
        int16 s16;
        uint16 u16;
        bool taken;
    } cases[] = {
        {u"S16 < A", -1, 0, true}, // A = 0: signed against signed
        {u"S16 > A", -1, 0, false},          {u"S16 == -1", -1, 0, true},  {u"S16 > -2", -1, 0, true},
        {u"S16 <= -32768", -32768, 0, true}, {u"S16 > A", 32767, 0, true}, {u"W16 == 65535", 0, 65535, true},
        {u"W16 > A", 0, 65535, true},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(hgl::test::U8(c.cond));
        ScriptHost host;
        hgl::test::LogCapture log;
        int16 s16 = c.s16;
        uint16 w16 = c.u16;
        ASSERT_TRUE(host.engine.MapProperty(u"int16 S16", &s16));
        ASSERT_TRUE(host.engine.MapProperty(u"uint16 W16", &w16));
        ASSERT_TRUE(host.Load(u"func main(){ if (" + std::u16string(c.cond) + u") X(); }"));
        const Trace ran = host.RunAll(u"main");
        EXPECT_EQ(std::count(ran.begin(), ran.end(), u"X"), c.taken ? 1 : 0);
        EXPECT_TRUE(log.Lines().empty()) << log.Dump();
    }
}
