// The log file seen from outside: every table entry's bytes in the file, the
// front end's limits, empty and cut texts, and the closed state.
#include "PlugInTestSupport.h"

#include "core/Log.h"
#include "io/LogFile.h"

#include <regex>

using namespace hgl;
using namespace svc_test;
using hgl::test::TempDir;

namespace
{
class LogFileEdgeTest : public LogFileFixture
{
protected:
    LogFileEdgeTest() : LogFileFixture("svclogedge") {}
};
} // namespace

TEST_F(LogFileEdgeTest, EveryEntryAsItLandsInTheFile)
{
    // Nothing happens while no log is open, boxes included.
    PutInfo(u"before");
    PutError(u"before");
    PutMessageBox(u"before");
    PutNewLine();
    PutInfoMultiByte(936, "before");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(GetLogInterface(), nullptr);

    SetInfoString(5, u"x");   // the banner reads only the constant identity strings
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"game", 936, true), nullptr);
    ASSERT_NE(GetLogInterface(), nullptr);

    LogWriteLine(u"hello world", 5);
    LogWriteText(u"text");
    LogNewLine();
    LogWriteMultiByte(936, "abcdef", 3);
    LogWriteMultiByteText(936, "\xd6\xd0\xce\xc4");        // 中文
    LogMessageBox(u"box only");
    LogMessageBoxMultiByte(936, "\xd6\xd0");               // 中
    LogError(u"an error");
    LogErrorMultiByte(936, "\xb4\xed\xce\xf3");            // 错误
    PutInfo(u"%s=%d", u"n", -7);
    PutError(u"e%02d", 3);
    PutMessageBox(u"m%u", 5u);
    PutNewLine();
    PutInfoMultiByte(936, "%s-%d", "ab", 3);
    CloseLog();

    const std::u16string t = Text("game.Loginfo");
    // Header and banner.
    const std::u16string head = u"创建日志,时间:";
    ASSERT_EQ(t.rfind(head, 0), 0u);
    const size_t eol = t.find(u"\r\n");
    ASSERT_NE(eol, std::u16string::npos);
    const std::string header = hgl::test::ToU8(t.substr(0, eol));
    EXPECT_TRUE(std::regex_match(header, std::regex("创建日志,时间:[1-9][0-9]*年[1-9][0-9]?月[1-9][0-9]?日 "
                                                     "(0|[1-9][0-9]?)点(0|[1-9][0-9]?)分")))
        << header;

    std::u16string expect = t.substr(0, eol) + u"\r\n\r\n";
    expect += u"这个软件使用了《" + std::u16string(GetInfoString(1)) + u"》进行开发\r\n";
    expect += u"这个软件所使用的版本是：v" + std::u16string(GetInfoString(3)) + u"\r\n\r\n";
    expect += u"hello\r\n";
    expect += u"text\r\n";
    expect += u"\r\n";
    expect += u"abc\r\n";
    expect += u"中文\r\n";
    expect += u"an error\r\n";
    expect += u"错误\r\n";
    expect += u"n=-7\r\n";
    expect += u"e03\r\n";
    expect += u"\r\n";
    expect += u"ab-3\r\n";
    expect += u"\r\n关闭日志!\r\n";
    EXPECT_EQ(hgl::test::ToU8(t), hgl::test::ToU8(expect));
    EXPECT_EQ(t.find(u'\0'), std::u16string::npos) << "no NUL anywhere, not before CR LF either";

    EXPECT_EQ(boxes, (std::vector<std::u16string>{u"Warning|box only", u"Warning|中", u"Warning|an error",
                                                  u"Warning|错误", u"Warning|e03", u"Warning|m5"}));

    // Closed again: nothing reaches the file or a box.
    boxes.clear();
    PutInfo(u"after");
    PutError(u"after");
    PutMessageBox(u"after");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text("game.Loginfo"), t);
    EXPECT_EQ(GetLogInterface(), nullptr);
}

TEST_F(LogFileEdgeTest, FrontEndLimits)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"long", 936, false), nullptr);

    // 1024 units of buffer: 1023 units and the terminator.
    const std::u16string wide(3000, u'字');
    PutInfo(u"%s", wide.c_str());
    // 1024 bytes of buffer for the 8-bit form.
    const std::string narrow(3000, 'a');
    PutInfoMultiByte(936, "%s", narrow.c_str());
    // The entries themselves take any length.
    LogWriteLine(wide.c_str(), int(wide.size()));
    CloseLog();

    const std::u16string t = Text("long.Loginfo");
    EXPECT_NE(t.find(u"\r\n" + wide.substr(0, 1023) + u"\r\n"), std::u16string::npos);
    EXPECT_NE(t.find(u"\r\n" + std::u16string(1023, u'a') + u"\r\n"), std::u16string::npos);
    EXPECT_NE(t.find(u"\r\n" + wide + u"\r\n"), std::u16string::npos);
}

TEST_F(LogFileEdgeTest, NullAndEmptyTextsAreEmptyLines)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"empty", 936, false), nullptr);
    LogWriteText(nullptr);
    LogWriteLine(nullptr, 5);
    LogWriteLine(u"abc", 0);
    LogWriteMultiByte(936, "abc", 0);
    LogWriteMultiByteText(936, nullptr);
    LogWriteMultiByteText(936, "");
    LogError(nullptr);
    PutInfo(u"");
    PutInfoMultiByte(936, "");
    LogMessageBox(nullptr);
    CloseLog();
    const std::u16string t = Text("empty.Loginfo");
    const std::u16string tail = u"\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n关闭日志!\r\n";
    ASSERT_GE(t.size(), tail.size());
    EXPECT_EQ(hgl::test::ToU8(t.substr(t.size() - tail.size())), hgl::test::ToU8(tail));
}

TEST_F(LogFileEdgeTest, AnEightBitTextCutInsideACharacterStillWrites)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"cut", 936, false), nullptr);
    // 1,022 bytes of 'a' and then a two-byte character: the 1,024-byte buffer cuts
    // between its two bytes.
    const std::string text = std::string(1022, 'a') + "\xd6\xd0";
    PutInfoMultiByte(936, "%s", text.c_str());
    LogWriteMultiByte(936, "ab\xd6", 3);
    LogErrorMultiByte(936, "cd\xd6");
    CloseLog();
    const std::u16string t = Text("cut.Loginfo");
    EXPECT_NE(t.find(u"\r\n" + std::u16string(1022, u'a')), std::u16string::npos) << hgl::test::ToU8(t).substr(0, 300);
    EXPECT_NE(t.find(u"\r\nab"), std::u16string::npos);
    EXPECT_NE(t.find(u"\r\ncd"), std::u16string::npos);
}
