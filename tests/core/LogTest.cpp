#include "core/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using hgl::LogLevel;
using hgl::test::LogCapture;

TEST(Log, CaptureRecordsLevelsAndRestoresThePreviousSink)
{
    LogCapture outer;
    hgl::PutInfo(u"加载插件<%s>:<%s>失败!", u"Wav", u"Plug-Ins/Wav.so");
    {
        LogCapture inner;
        EXPECT_EQ(hgl::GetLogSink(), &inner);
        hgl::PutError(u"无效的代码页<%d>", 12345);
        hgl::PutMessageBox(u"box");
        hgl::PutNewLine();
        hgl::PutInfoMultiByte(936, "%s<%d>", "\xD6\xD0\xCE\xC4", 7);
        auto entries = inner.Entries();
        ASSERT_EQ(entries.size(), 4u);
        EXPECT_EQ(entries[0].level, LogLevel::Error);
        EXPECT_EQ(entries[1].level, LogLevel::MessageBox);
        EXPECT_EQ(entries[2].level, LogLevel::NewLine);
        EXPECT_EQ(entries[2].text, u"");
        EXPECT_EQ(entries[3].level, LogLevel::Info);
        EXPECT_TRUE(inner.ContainsError(u"无效的代码页<12345>"));
        EXPECT_FALSE(inner.ContainsInfo(u"无效的代码页<12345>"));
        EXPECT_TRUE(inner.ContainsInfo(u"中文<7>"));
        EXPECT_TRUE(inner.ContainsPart(u"代码页")) << inner.Dump();
        EXPECT_FALSE(inner.Contains(u"无效的代码页"));   // Contains wants the whole line
    }
    EXPECT_EQ(hgl::GetLogSink(), &outer);
    EXPECT_EQ(outer.Lines(), (std::vector<std::u16string>{u"加载插件<Wav>:<Plug-Ins/Wav.so>失败!"}));
    EXPECT_TRUE(outer.Errors().empty());
}

TEST(Log, LongLinesAreCut)
{
    LogCapture log;
    std::u16string big(3000, u'长');
    hgl::PutInfo(u"%s", big.c_str());
    hgl::PutLogText(LogLevel::Error, big.c_str());
    hgl::PutLogText(LogLevel::Info, u"abcdef", 3);
    hgl::PutLogText(LogLevel::Info, nullptr);
    const hgl::u16char unterminated[2] = {u'o', u'k'};
    hgl::PutLogText(LogLevel::Info, unterminated, 2);
    auto lines = log.Lines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], big.substr(0, hgl::LOG_LINE_MAX));
    EXPECT_EQ(lines[1], big.substr(0, hgl::LOG_LINE_MAX));
    EXPECT_EQ(lines[2], u"abc");
    EXPECT_EQ(lines[3], u"");
    EXPECT_EQ(lines[4], u"ok");
}

namespace
{
// Checks that every line it gets is terminated at length, as the sink contract says.
class CheckingSink : public hgl::LogSink
{
public:
    std::atomic<int> lines{0};
    std::atomic<int> bad{0};
    void Write(LogLevel, const hgl::u16char *text, int length) override
    {
        if (text[length] != 0) ++bad;
        ++lines;
    }
};
} // namespace
