#include "PlugInTestSupport.h"

#include "core/Log.h"
#include "io/LogFile.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <regex>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace hgl;
using namespace svc_test;
using hgl::test::TempDir;
using U16Lines = std::vector<std::u16string>;

namespace
{
// "title|text" of every message box the log has shown.
U16Lines &ShownBoxes()
{
    static U16Lines boxes;
    return boxes;
}

// A log written into a temp folder: message boxes are recorded instead of shown,
// and the log and its plug-in are closed afterwards.
class LogFileTest : public ::testing::Test
{
  protected:
    TempDir dir{"svclog"};
    U16Lines &boxes = ShownBoxes();

    void SetUp() override
    {
        boxes.clear();
        old_box = SetLogMessageBoxHandler(RecordBox);
    }

    void TearDown() override
    {
        CloseLog();
        ReleaseAllPlugIn();
        ClearInfoStrings();
        SetLogMessageBoxHandler(old_box);
    }

    std::string Bytes(const std::string &name) const { return dir.ReadFile(name); }

    // The file's text after the byte-order mark.
    std::u16string Text(const std::string &name) const
    {
        const std::string b = Bytes(name);
        EXPECT_GE(b.size(), 2u);
        EXPECT_EQ(b.substr(0, 2), std::string("\xFF\xFE", 2));
        if (b.size() < 2) return std::u16string();
        std::u16string s((b.size() - 2) / 2, u'\0');
        std::memcpy(s.data(), b.data() + 2, s.size() * 2);
        return s;
    }

    // The file as UTF-16 lines (split at CR LF), after checking that it ends with a line end.
    U16Lines Lines(const std::string &name) const
    {
        const std::u16string text = Text(name);
        EXPECT_EQ(Bytes(name).size() % 2, 0u);
        EXPECT_EQ(text.substr(text.size() >= 2 ? text.size() - 2 : 0), u"\r\n");
        U16Lines lines;
        size_t start = 0;
        for (size_t pos; (pos = text.find(u"\r\n", start)) != std::u16string::npos; start = pos + 2)
            lines.push_back(text.substr(start, pos - start));
        return lines;
    }

  private:
    static void RecordBox(const u16char *text, const u16char *title)
    {
        ShownBoxes().push_back(std::u16string(title) + u"|" + text);
    }

    LogMessageBoxFunc old_box = nullptr;
};

bool IsHeader(const std::u16string &line)
{
    static const std::regex header(
        "创建日志,时间:[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日 [0-9]{1,2}点[0-9]{1,2}分");
    return std::regex_match(hgl::test::ToU8(line), header);
}

const U16Lines Banner = {
    u"这个软件使用了《HGL 视觉小说引擎》进行开发",
    u"这个软件所使用的版本是：v1.0",
    u"",
};

// UTF-16LE bytes of a text, as the log stores it.
std::string LE(const std::u16string &text)
{
    std::string out;
    for (char16_t c : text)
    {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

std::u16string HeaderAt(time_t when)
{
    struct tm t;
    localtime_r(&when, &t);
    const std::string h = "创建日志,时间:" + std::to_string(t.tm_year + 1900) + "年" +
                          std::to_string(t.tm_mon + 1) + "月" + std::to_string(t.tm_mday) + "日 " +
                          std::to_string(t.tm_hour) + "点" + std::to_string(t.tm_min) + "分";
    return hgl::test::ToU16(h);
}
} // namespace

TEST_F(LogFileTest, WholeFileByteForByte)
{
    // Nothing happens while no log is open, boxes included.
    PutInfo(u"before");
    PutError(u"before");
    PutMessageBox(u"before");
    PutNewLine();
    PutInfoMultiByte(936, "before");
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(GetLogInterface(), nullptr);

    SetInfoString(infoKitRoot, u"x"); // the banner reads only the constant identity strings
    const time_t before = time(nullptr);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"游戏", 936, true), nullptr);
    const time_t after = time(nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("游戏.Loginfo"));
    ASSERT_NE(GetLogInterface(), nullptr);

    LogWriteLine(u"hello world", 5);
    LogWriteText(u"text");
    LogNewLine();
    LogWriteMultiByte(936, "abcdef", 3);
    LogWriteMultiByteText(936, "\xd6\xd0\xce\xc4"); // 中文
    LogMessageBox(u"box only");
    LogMessageBoxMultiByte(936, "\xd6\xd0"); // 中
    LogError(u"an error");
    LogErrorMultiByte(936, "\xb4\xed\xce\xf3"); // 错误
    LogErrorMultiByte(65001, "多字节错误");
    PutInfo(u"第%d行:<%s>", 1, u"文字");
    PutError(u"e%02d", 3);
    PutMessageBox(u"m%u", 5u);
    PutNewLine();
    PutInfoMultiByte(65001, "UTF-8 文字 %d", 7);
    PutInfoMultiByte(936, "%s-%d", "ab", 3);
    CloseLog();
    EXPECT_EQ(GetLogInterface(), nullptr);

    // Closed again: nothing reaches the file or a box, though error boxes were on.
    PutInfo(u"after");
    PutError(u"after");
    PutMessageBox(u"after");
    LogError(u"after");
    LogErrorMultiByte(936, "x");

    EXPECT_EQ(boxes, (U16Lines{u"Warning|box only", u"Warning|中", u"Warning|an error", u"Warning|错误",
                               u"Warning|多字节错误", u"Warning|e03", u"Warning|m5"}));

    // No terminator unit anywhere, not before a CR LF either.
    const std::string crlf("\x0D\x00\x0A\x00", 4);
    std::string body = crlf; // the empty line after the header
    for (const char16_t *line :
         {u"这个软件使用了《HGL 视觉小说引擎》进行开发", u"这个软件所使用的版本是：v1.0", u"", u"hello",
          u"text", u"", u"abc", u"中文", u"an error", u"错误", u"多字节错误", u"第1行:<文字>", u"e03", u"",
          u"UTF-8 文字 7", u"ab-3", u"", u"关闭日志!"})
        body += LE(line) + crlf;

    const std::string bytes = Bytes("游戏.Loginfo");
    const std::string bom("\xFF\xFE", 2);
    const std::string first = bom + LE(HeaderAt(before)) + crlf + body;
    const std::string second = bom + LE(HeaderAt(after)) + crlf + body;
    EXPECT_TRUE(bytes == first || bytes == second) << hgl::test::ToU8(Text("游戏.Loginfo"));
}

TEST_F(LogFileTest, HeldFilesAreSkippedNeverWiped)
{
    // game.Loginfo is held as a running instance would hold it (the lock belongs to
    // the open file, so one taken here counts as another instance's).
    ASSERT_TRUE(dir.WriteFile("game.Loginfo", std::string("running instance")));
    const int running = open(dir.File("game.Loginfo").c_str(), O_WRONLY);
    ASSERT_EQ(flock(running, LOCK_EX | LOCK_NB), 0);

    // A stale file of an earlier run that nobody holds is reused and emptied.
    ASSERT_TRUE(dir.WriteFile("game.1.Loginfo", std::string(5000, 'x')));
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"game", 936, false), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("game.1.Loginfo"));
    PutInfo(u"第二个实例");
    CloseLog();

    // A third log while both are held goes to the next number.
    const int second = open(dir.File("game.1.Loginfo").c_str(), O_WRONLY);
    ASSERT_EQ(flock(second, LOCK_EX | LOCK_NB), 0);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"game", 936, false), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("game.2.Loginfo"));
    CloseLog();
    close(second);
    close(running);

    EXPECT_EQ(Bytes("game.Loginfo"), "running instance");
    const U16Lines lines = Lines("game.1.Loginfo");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_TRUE(IsHeader(lines[0]));
    EXPECT_EQ(lines[lines.size() - 3], u"第二个实例");
}

TEST_F(LogFileTest, ThreadsNeverMixLines)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"threads", 936, false), nullptr);
    constexpr int Threads = 8, Each = 200;
    std::vector<std::thread> pool;
    for (int t = 0; t < Threads; t++)
        pool.emplace_back(
            [t]
            {
                for (int i = 0; i < Each; i++)
                {
                    if (i % 3 == 0)
                        GetLogInterface()->WriteMultiByteText(65001, ("多字节 " + std::to_string(t)).c_str());
                    else
                        PutInfo(u"线程%d 行%d", t, i);
                }
            });
    for (auto &th : pool)
        th.join();
    CloseLog();

    const U16Lines lines = Lines("threads.Loginfo");
    const std::regex line_re("线程[0-7] 行[0-9]+|多字节 [0-7]");
    int matched = 0;
    for (const auto &l : lines)
        if (std::regex_match(hgl::test::ToU8(l), line_re)) ++matched;
    EXPECT_EQ(matched, Threads * Each);
    EXPECT_EQ(lines.size(), size_t(Threads * Each) + 1 + 1 + Banner.size() + 2);
}

TEST_F(LogFileTest, LongEmptyAndCutTexts)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"texts", 936, false), nullptr);

    // The front end formats into 1024 units (1023 and the terminator), or 1024 bytes
    // for the 8-bit form; the entries themselves take any length.
    const std::u16string wide(3000, u'字');
    PutInfo(u"%s", wide.c_str());
    PutInfoMultiByte(936, "%s", std::string(3000, 'd').c_str());
    LogWriteLine(wide.c_str(), int(wide.size()));

    // 1,022 bytes and then a two-byte character: the 1,024-byte buffer cuts between
    // its two bytes. Still written, as are texts ending in half a character.
    PutInfoMultiByte(936, "%s", (std::string(1022, 'e') + "\xd6\xd0").c_str());
    LogWriteMultiByte(936, "ab\xd6", 3);
    LogErrorMultiByte(936, "cd\xd6");

    // Null and empty texts are empty lines (a message box never writes).
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
    EXPECT_EQ(GetLogConvertCapacity(), 0);

    const U16Lines lines = Lines("texts.Loginfo");
    ASSERT_EQ(lines.size(), 2 + Banner.size() + 6 + 9 + 2);
    const U16Lines body(lines.begin() + 2 + Banner.size(), lines.end());
    EXPECT_EQ(U16Lines(body.begin(), body.begin() + 3),
              (U16Lines{wide.substr(0, 1023), std::u16string(1023, u'd'), wide}));
    EXPECT_EQ(body[3].rfind(std::u16string(1022, u'e'), 0), 0u);
    EXPECT_EQ(body[4].rfind(u"ab", 0), 0u);
    EXPECT_EQ(body[5].rfind(u"cd", 0), 0u);
    U16Lines ending(10, u""); // nine entries, then the closing pair
    ending.push_back(u"关闭日志!");
    EXPECT_EQ(U16Lines(body.begin() + 6, body.end()), ending);
}
