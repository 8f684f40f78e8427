#include "core/Log.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using hgl::LogLevel;
using hgl::test::LogCapture;

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

TEST(Log, SinkSwitchingWhileOtherThreadsWrite)
{
    CheckingSink a, b;
    std::atomic<bool> stop{false};
    std::vector<std::thread> writers;
    for (int t = 0; t < 3; ++t)
        writers.emplace_back(
            [&stop, t]
            {
                while (!stop)
                    hgl::PutInfo(u"thread %d", t);
            });
    for (int i = 0; i < 2000; ++i)
        hgl::SetLogSink(i % 2 ? &a : &b);
    hgl::SetLogSink(nullptr); // after this returns neither sink is in use
    const int seen = a.lines + b.lines;
    stop = true;
    for (auto &w : writers)
        w.join();
    EXPECT_EQ(a.lines + b.lines, seen);
    EXPECT_EQ(a.bad + b.bad, 0);
}
