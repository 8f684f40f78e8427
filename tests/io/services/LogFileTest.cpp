#include "PlugInTestSupport.h"

#include "core/Log.h"
#include "io/LogFile.h"
#include "platform/CodePage.h"
#include "support/Unprivileged.h"

#include <cstdio>
#include <ctime>
#include <regex>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace hgl;
using namespace svc_test;
using hgl::test::TempDir;
using U16Lines = std::vector<std::u16string>;

namespace
{
class LogFileTest : public LogFileFixture
{
protected:
    LogFileTest() : LogFileFixture("svclog") {}

    std::string Bytes(const std::string &name) const { return dir.ReadFile(name); }

    // The file as UTF-16 lines (split at CR LF), after checking the byte-order mark
    // and that it ends with a line end.
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
};

bool IsHeader(const std::u16string &line)
{
    static const std::regex header("创建日志,时间:[0-9]{4}年[0-9]{1,2}月[0-9]{1,2}日 [0-9]{1,2}点[0-9]{1,2}分");
    return std::regex_match(hgl::test::ToU8(line), header);
}

const U16Lines Banner = {
    u"这个软件使用了《HGL 视觉小说引擎》进行开发",
    u"这个软件所使用的版本是：v1.0",
    u"",
};
} // namespace

TEST_F(LogFileTest, FileLayout)
{
    PutInfo(u"打开之前 %d", 1);                       // no log yet: lost

    LogPlugIn *plugin = InitLog(dir.Path16().c_str(), u"游戏", 936, false);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("游戏.Loginfo"));
    EXPECT_EQ(GetPlugInByType(1), plugin);
    EXPECT_EQ(S(plugin->GetName()), u"UNICODE格式文本日志输出");
    EXPECT_EQ(S(plugin->GetFileName()), u"LogPlugIn");
    EXPECT_EQ(plugin->GetVersion(), 0u);
    EXPECT_EQ(plugin->GetIntro(), nullptr);
    ASSERT_NE(GetLogInterface(), nullptr);

    PutInfo(u"第%d行:<%s>", 1, u"文字");
    PutError(u"出错了");
    PutNewLine();
    PutMessageBox(u"只有对话框");
    PutInfoMultiByte(65001, "UTF-8 文字 %d", 7);
    CloseLog();
    EXPECT_EQ(GetLogInterface(), nullptr);
    PutInfo(u"关闭之后");                              // lost too

    // The header line sits right after the byte-order mark.
    const std::string bytes = Bytes("游戏.Loginfo");
    ASSERT_GT(bytes.size(), 4u);
    const std::string header_start("\xFF\xFE\x1B\x52\xFA\x5E", 6);   // FF FE, then "创建" in UTF-16LE
    EXPECT_EQ(bytes.substr(0, 6), header_start);

    const U16Lines lines = Lines("游戏.Loginfo");
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(IsHeader(lines[0])) << hgl::test::ToU8(lines[0]);
    U16Lines rest(lines.begin() + 1, lines.end());
    U16Lines expected = {u""};
    expected.insert(expected.end(), Banner.begin(), Banner.end());
    expected.insert(expected.end(), {u"第1行:<文字>", u"出错了", u"", u"UTF-8 文字 7", u"", u"关闭日志!"});
    EXPECT_EQ(rest, expected);

    // Without the error-box flag only PutMessageBox shows a box.
    EXPECT_EQ(boxes, (U16Lines{u"Warning|只有对话框"}));
}

namespace
{
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
    const std::string h = "创建日志,时间:" + std::to_string(t.tm_year + 1900) + "年" + std::to_string(t.tm_mon + 1) +
                          "月" + std::to_string(t.tm_mday) + "日 " + std::to_string(t.tm_hour) + "点" +
                          std::to_string(t.tm_min) + "分";
    return hgl::test::ToU16(h);
}
} // namespace

TEST_F(LogFileTest, WholeFileByteForByte)
{
    const time_t before = time(nullptr);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"bytes", 936, true), nullptr);
    const time_t after = time(nullptr);
    PutInfo(u"一行%d", 1);
    GetLogInterface()->WriteMultiByteText(936, "\xD6\xD0");     // "中" in GBK
    PutNewLine();
    CloseLog();

    // Entries called after closing write nothing and show no box, even though the
    // log had error boxes on.
    LogError(u"关闭以后");
    LogErrorMultiByte(936, "x");
    EXPECT_TRUE(boxes.empty());

    const std::string crlf("\x0D\x00\x0A\x00", 4);
    std::string body = crlf;                                     // the empty line after the header
    body += LE(u"这个软件使用了《HGL 视觉小说引擎》进行开发") + crlf;
    body += LE(u"这个软件所使用的版本是：v1.0") + crlf + crlf;
    body += LE(u"一行1") + crlf + LE(u"中") + crlf + crlf;
    body += crlf + LE(u"关闭日志!") + crlf;

    const std::string bytes = Bytes("bytes.Loginfo");
    const std::string bom("\xFF\xFE", 2);
    const std::string first = bom + LE(HeaderAt(before)) + crlf + body;
    const std::string second = bom + LE(HeaderAt(after)) + crlf + body;
    EXPECT_TRUE(bytes == first || bytes == second) << hgl::test::ToU8(Lines("bytes.Loginfo")[0]);
}

TEST_F(LogFileTest, ErrorsShowBoxesWhenAsked)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"box", 65001, true), nullptr);
    PutError(u"错误<%d>", 5);
    GetLogInterface()->ErrorMultiByte(65001, "多字节错误");
    GetLogInterface()->MessageBoxMultiByte(936, "\xB2\xE2\xCA\xD4");    // "测试" in GBK
    CloseLog();

    EXPECT_EQ(boxes, (U16Lines{u"Warning|错误<5>", u"Warning|多字节错误", u"Warning|测试"}));

    // The multi-byte error line ends in CR LF with no terminator unit before it.
    const std::string bytes = Bytes("box.Loginfo");
    const std::u16string line = u"多字节错误\r\n";
    const std::string encoded(reinterpret_cast<const char *>(line.data()), line.size() * 2);
    EXPECT_NE(bytes.find(encoded), std::string::npos);
    EXPECT_EQ(bytes.find(std::string("\0\0\r\0", 4)), std::string::npos);
}

TEST_F(LogFileTest, PlugInTable)
{
    LogInterface table{};
    EXPECT_FALSE(LogGetPlugInInterface(1, &table));
    EXPECT_FALSE(LogGetPlugInInterface(3, &table));
    EXPECT_EQ(table.Open, nullptr);                     // untouched
    EXPECT_FALSE(LogGetPlugInInterface(2, nullptr));
    ASSERT_TRUE(LogGetPlugInInterface(2, &table));
    EXPECT_EQ(table.Open, &LogOpen);
    EXPECT_EQ(table.WriteText, &LogWriteText);
    EXPECT_EQ(table.ErrorMultiByte, &LogErrorMultiByte);

    // A plug-in reaches the open log through the type callback (slot 1, version 2).
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"table", 936, false), nullptr);
    LogInterface via{};
    EXPECT_FALSE(GetPlugInInterfaceByTypeCallback(1, 3, &via));
    ASSERT_TRUE(GetPlugInInterfaceByTypeCallback(1, 2, &via));
    via.WriteLine(u"abcdef", 3);
    via.WriteText(u"整行");
    via.WriteMultiByte(936, "\xD6\xD0\xCE\xC4xyz", 5);   // "中文x" in GBK, length in bytes
    CloseLog();

    const U16Lines lines = Lines("table.Loginfo");
    ASSERT_GE(lines.size(), 3u);
    const U16Lines tail(lines.end() - 5, lines.end());
    EXPECT_EQ(tail, (U16Lines{u"abc", u"整行", u"中文x", u"", u"关闭日志!"}));
}

TEST_F(LogFileTest, ConversionBufferGrowsInStepsOf1024)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"grow", 936, false), nullptr);
    EXPECT_EQ(GetLogConvertCapacity(), 1025);

    const std::string exact(1025, 'a');
    GetLogInterface()->WriteMultiByteText(936, exact.c_str());
    EXPECT_EQ(GetLogConvertCapacity(), 1025);

    const std::string more(1026, 'b');
    GetLogInterface()->WriteMultiByteText(936, more.c_str());
    EXPECT_EQ(GetLogConvertCapacity(), 2048);

    const std::string short_again(10, 'c');
    GetLogInterface()->WriteMultiByteText(936, short_again.c_str());
    EXPECT_EQ(GetLogConvertCapacity(), 2048);
    CloseLog();
    EXPECT_EQ(GetLogConvertCapacity(), 0);

    const U16Lines lines = Lines("grow.Loginfo");
    const U16Lines tail(lines.end() - 5, lines.end());
    EXPECT_EQ(tail[0], std::u16string(1025, u'a'));
    EXPECT_EQ(tail[1], std::u16string(1026, u'b'));
    EXPECT_EQ(tail[2], u"cccccccccc");
}

TEST_F(LogFileTest, HeldFilesAreSkippedNeverWiped)
{
    // A child process holds game.Loginfo as a running instance would.
    ASSERT_TRUE(dir.WriteFile("game.Loginfo", std::string("running instance")));
    int ready[2], done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        const int fd = open(dir.File("game.Loginfo").c_str(), O_WRONLY);
        const bool locked = fd >= 0 && flock(fd, LOCK_EX) == 0;
        char c = locked ? 'y' : 'n';
        [[maybe_unused]] ssize_t w = write(ready[1], &c, 1);
        [[maybe_unused]] ssize_t r = read(done[0], &c, 1);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, 'y');

    // A stale file of an earlier run that nobody holds is reused and emptied.
    ASSERT_TRUE(dir.WriteFile("game.1.Loginfo", std::string(5000, 'x')));

    ASSERT_NE(InitLog(dir.Path16().c_str(), u"game", 936, false), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("game.1.Loginfo"));
    PutInfo(u"第二个实例");

    // A third log while both are held goes to the next number.
    CloseLog();
    const int hold = open(dir.File("game.1.Loginfo").c_str(), O_WRONLY);
    ASSERT_EQ(flock(hold, LOCK_EX | LOCK_NB), 0);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"game", 936, false), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("game.2.Loginfo"));
    CloseLog();
    close(hold);

    c = 'x';
    ASSERT_EQ(write(done[1], &c, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]); close(ready[1]); close(done[0]); close(done[1]);

    EXPECT_EQ(Bytes("game.Loginfo"), "running instance");
    const U16Lines lines = Lines("game.1.Loginfo");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_TRUE(IsHeader(lines[0]));
    EXPECT_EQ(lines[lines.size() - 3], u"第二个实例");
}

TEST_F(LogFileTest, AFileWeMayNotWriteIsPassedOver)
{
    // Left by another user: the name is taken, the next number is used. File
    // permissions do not bind the superuser, so as root the log is opened by a
    // child that runs as nobody, in a folder of its own; the file stays root's.
    ASSERT_TRUE(dir.WriteFile("other.Loginfo", std::string("someone else's")));
    ASSERT_EQ(chmod(dir.File("other.Loginfo").c_str(), 0444), 0);
    ASSERT_TRUE(hgl::test::GiveToNobody(dir.Path()));
    std::string why;
    const auto outcome = hgl::test::RunUnprivileged(
        [&] {
            if (InitLog(dir.Path16().c_str(), u"other", 936, false) == nullptr) return false;
            EXPECT_EQ(GetLogFileName(), dir.File16("other.1.Loginfo"));
            CloseLog();
            return true;
        },
        &why, {dir.Path()});
    if (outcome == hgl::test::ChildOutcome::Unavailable) GTEST_SKIP() << why;
    EXPECT_EQ(outcome, hgl::test::ChildOutcome::Passed) << why;
    EXPECT_EQ(Bytes("other.Loginfo"), "someone else's");
    EXPECT_TRUE(dir.Exists("other.1.Loginfo"));
}

TEST_F(LogFileTest, NoFileNoLog)
{
    const int before = GetPlugInCount();
    const std::u16string missing = dir.File16("no/such/folder");
    EXPECT_EQ(InitLog(missing.c_str(), u"x", 936, true), nullptr);
    EXPECT_EQ(GetLogInterface(), nullptr);
    EXPECT_EQ(GetPlugInCount(), before);
    EXPECT_EQ(boxes, (U16Lines{u"Warning|创建日志文件<" + missing + u"><x>失败"}));

    // An unusable code page is refused before any file is made.
    EXPECT_EQ(InitLog(dir.Path16().c_str(), u"cp", 12345, false), nullptr);
    EXPECT_FALSE(dir.Exists("cp.Loginfo"));
}

TEST_F(LogFileTest, DefaultLogPlace)
{
    // Named after the program, without its extension; a dot in a folder is not one.
    ASSERT_TRUE(dir.MakeDir("my.game"));
    ASSERT_NE(log_detail::InitDefaultLogAt(dir.File("my.game/avg")), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("my.game/avg.Loginfo"));
    CloseLog();
    ASSERT_NE(log_detail::InitDefaultLogAt(dir.File("my.game/avg.bin")), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("my.game/avg.Loginfo"));
    CloseLog();

    // A folder that cannot take the log sends it to the state folder.
    hgl::test::ScopedEnv state("XDG_STATE_HOME", dir.File("state").c_str());
    ASSERT_NE(log_detail::InitDefaultLogAt(dir.File("gone/avg.bin")), nullptr);
    EXPECT_EQ(GetLogFileName(), dir.File16("state/avg/avg.Loginfo"));
    CloseLog();
    EXPECT_TRUE(IsHeader(Lines("state/avg/avg.Loginfo")[0]));

    // The real program's log lies beside it.
    ASSERT_NE(InitDefaultLog(), nullptr);
    const std::u16string name = GetLogFileName();
    CloseLog();
    const std::string native = hgl::test::ToU8(name);
    EXPECT_TRUE(std::regex_match(native, std::regex(".*/test_io_services(\\.[0-9]+)?\\.Loginfo"))) << native;
    std::remove(native.c_str());
}

TEST_F(LogFileTest, ThreadsNeverMixLines)
{
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"threads", 936, false), nullptr);
    constexpr int Threads = 8, Each = 200;
    std::vector<std::thread> pool;
    for (int t = 0; t < Threads; t++)
        pool.emplace_back([t] {
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
        if (std::regex_match(hgl::test::ToU8(l), line_re))
            ++matched;
    EXPECT_EQ(matched, Threads * Each);
    EXPECT_EQ(lines.size(), size_t(Threads * Each) + 1 + 1 + Banner.size() + 2);
}

TEST_F(LogFileTest, ConsoleEchoOnlyOnATerminal)
{
    // Not a terminal (a file): nothing is echoed.
    fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    ASSERT_GE(saved, 0);
    const int plain = open(dir.File("stdout.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(plain, 0);
    dup2(plain, STDOUT_FILENO);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"quiet", 936, false), nullptr);
    PutInfo(u"不显示");
    CloseLog();
    dup2(saved, STDOUT_FILENO);
    close(plain);
    EXPECT_EQ(dir.ReadFile("stdout.txt"), "");

    // A terminal gets every line in UTF-8, ended by a single LF; empty lines are file-only.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios raw{};
    ASSERT_EQ(tcgetattr(slave, &raw), 0);
    cfmakeraw(&raw);
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &raw), 0);

    dup2(slave, STDOUT_FILENO);
    ASSERT_NE(InitLog(dir.Path16().c_str(), u"echo", 936, false), nullptr);
    PutInfo(u"显示<%d>", 1);
    CloseLog();
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(slave);

    std::string echoed;
    char buf[4096];
    for (ssize_t n; (n = read(master, buf, sizeof(buf))) > 0;)
    {
        echoed.append(buf, size_t(n));
        if (echoed.find("关闭日志!\n") != std::string::npos)
            break;
    }
    close(master);

    const size_t banner = echoed.find("这个软件使用了《HGL 视觉小说引擎》进行开发\n这个软件所使用的版本是：v1.0\n");
    EXPECT_NE(banner, std::string::npos) << echoed;
    EXPECT_NE(echoed.find("\n显示<1>\n关闭日志!\n"), std::string::npos) << echoed;
    EXPECT_EQ(echoed.find("\r"), std::string::npos);
    EXPECT_EQ(echoed.find("\n\n"), std::string::npos);
}
