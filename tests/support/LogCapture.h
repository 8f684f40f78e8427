#pragma once
// A log sink for tests: while it lives it receives every log line (instead of
// the sink that was installed before, which it restores when it goes away).
//
//   hgl::test::LogCapture log;
//   ... code under test ...
//   EXPECT_TRUE(log.Contains(u"无效的代码页<12345>"));      // an exact line
//   EXPECT_TRUE(log.ContainsError(u"无效的代码页<12345>"));  // exact line, error level
//   EXPECT_TRUE(log.ContainsPart(u"代码页"));                // part of a line
//   EXPECT_EQ(log.Lines(), (std::vector<std::u16string>{u"..."}));
//
// gtest prints std::u16string values; Dump() gives everything as UTF-8 for a
// failure message: EXPECT_TRUE(log.Contains(u"x")) << log.Dump();
#include "core/Log.h"

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace hgl::test
{
class LogCapture : public hgl::LogSink
{
  public:
    struct Entry
    {
        hgl::LogLevel level;
        std::u16string text;
    };

    LogCapture();           // installs itself
    ~LogCapture() override; // puts the previous sink back
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    void Write(hgl::LogLevel level, const hgl::u16char *text, int length) override;

    std::vector<Entry> Entries() const;
    std::vector<std::u16string> Lines() const;  // every level, in order
    std::vector<std::u16string> Infos() const;  // LogLevel::Info only
    std::vector<std::u16string> Errors() const; // LogLevel::Error only
    size_t Count() const;
    void Clear();

    bool Contains(std::u16string_view line) const; // some line equals it
    bool ContainsInfo(std::u16string_view line) const;
    bool ContainsError(std::u16string_view line) const;
    bool ContainsPart(std::u16string_view part) const; // some line contains it
    size_t CountOf(std::u16string_view line) const;    // lines equal to it

    std::string Dump() const; // one line per entry, "[I] ..." / "[E] ...", UTF-8

  private:
    mutable std::mutex lock_;
    std::vector<Entry> entries_;
    hgl::LogSink *previous_;
};

// UTF-8 form of a UTF-16 text, for messages in tests.
std::string U8(std::u16string_view text);
} // namespace hgl::test
