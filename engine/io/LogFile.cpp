#include "io/LogFile.h"

#include "core/Format.h"
#include "core/Log.h"
#include "core/StrFunc.h"
#include "io/Core.h"
#include "platform/CodePage.h"
#include "platform/Env.h"
#include "platform/Path.h"
#include "platform/ProcessPath.h"

#include <bit>
#include <cerrno>
#include <cstring>
#include <new>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hgl
{
static_assert(std::endian::native == std::endian::little,
              "the log file is written straight from UTF-16 memory");

namespace
{
constexpr int InitialConvertCapacity = 1025;
constexpr int LastFileNumber = 65535;

// Every entry holds this lock, so lines from several threads never mix and the
// conversion buffer is never swapped under another thread. Recursive: entries call
// each other (an error line is a line and a message box).
std::recursive_mutex &Lock()
{
    static std::recursive_mutex *lock = new std::recursive_mutex;
    return *lock;
}

struct LogState
{
    int fd = -1;
    bool console = false; // standard output is a terminal
    bool error_box = false;
    u16char *convert = nullptr; // capacity + 1 units
    int capacity = 0;
    std::u16string file_name;
};

LogState state;

void DefaultMessageBox(const u16char *text, const u16char *title)
{
    const std::string line = "[" + platform::UTF16ToUTF8(title) + "] " + platform::UTF16ToUTF8(text) + "\n";
    [[maybe_unused]] ssize_t r = write(STDERR_FILENO, line.data(), line.size());
}

LogMessageBoxFunc message_box = DefaultMessageBox;

void WriteAll(int fd, const void *data, size_t size)
{
    const char *p = static_cast<const char *>(data);
    while (size > 0)
    {
        const ssize_t n = write(fd, p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return; // write failures are ignored
        p += n;
        size -= size_t(n);
    }
}

// Converts an 8-bit text into the conversion buffer; the number of units, or -1.
int Convert(uint code_page, const char *text, int length)
{
    if (!text) // a null text is an empty line, as for UTF-16 texts
    {
        text = "";
        length = 0;
    }
    if (length < 0) length = int(std::strlen(text));
    if (length == 0)
    {
        if (state.convert) state.convert[0] = 0;
        return state.convert ? 0 : -1;
    }

    const int units = platform::MultiByteToUTF16(code_page, text, length, nullptr, 0);
    if (units <= 0) return -1;

    if (units > state.capacity || !state.convert)
    {
        const int capacity = (units + 1023) / 1024 * 1024;
        u16char *grown = new (std::nothrow) u16char[size_t(capacity) + 1];
        if (!grown) return -1;
        delete[] state.convert;
        state.convert = grown;
        state.capacity = capacity;
    }

    const int done = platform::MultiByteToUTF16(code_page, text, length, state.convert, state.capacity);
    if (done <= 0) return -1;

    state.convert[done] = 0;
    return done;
}

// Tries base.Loginfo, then base.1.Loginfo ... A name held by another log (a running
// instance) is skipped; an error that every further name would meet too ends the search.
int OpenLogFile(const std::string &base, std::u16string &opened)
{
    for (int n = 0; n <= LastFileNumber; n++)
    {
        const std::string name = n == 0 ? base + ".Loginfo" : base + "." + std::to_string(n) + ".Loginfo";

        // Never truncated before the lock is ours: the file may be another instance's log.
        const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
        if (fd < 0)
        {
            const int err = errno;
            if (err == EISDIR || err == ETXTBSY || err == EINTR) continue;
            // A name taken by a file we may not write (left by another user) is
            // passed over like a held one; a folder we cannot create in ends the search.
            struct stat st;
            if ((err == EACCES || err == EPERM) && lstat(name.c_str(), &st) == 0) continue;
            return -1;
        }

        if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        {
            const int err = errno;
            close(fd);
            if (err == EWOULDBLOCK || err == EINTR) continue;
            return -1;
        }

        if (ftruncate(fd, 0) != 0)
        {
            close(fd);
            return -1;
        }

        opened = platform::UTF8ToUTF16(name);
        return fd;
    }

    return -1;
}

// The front end's sink while the log is open: every line goes through the table.
// A sink that was installed before (a test's capture) keeps receiving the lines too,
// so opening the log does not blind it.
class LogFileSink : public LogSink
{
  public:
    const LogInterface *table = nullptr;
    LogSink *previous = nullptr;

    void Write(LogLevel level, const u16char *text, int length) override
    {
        if (!table) return;

        if (previous) previous->Write(level, text, length);

        switch (level)
        {
        case LogLevel::Info:
            table->WriteLine(text, length);
            break;
        case LogLevel::Error:
            table->Error(text);
            break;
        case LogLevel::MessageBox:
            table->MessageBox(text);
            break;
        case LogLevel::NewLine:
            table->NewLine();
            break;
        }
    }
};

LogFileSink sink;
LogInterface *global_interface = nullptr;

const LogInterface Table = {
    LogOpen,
    LogClose,
    LogNewLine,
    LogWriteLine,
    LogWriteText,
    LogWriteMultiByte,
    LogWriteMultiByteText,
    LogMessageBox,
    LogMessageBoxMultiByte,
    LogError,
    LogErrorMultiByte,
};

std::u16string ToU16(const std::string &s)
{
    return platform::UTF8ToUTF16(s);
}

bool FolderWritable(const std::string &folder)
{
    return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

bool MakeFolders(const std::string &path)
{
    for (size_t pos = 1; pos <= path.size(); pos++)
    {
        if (pos != path.size() && path[pos] != '/') continue;
        const std::string part = path.substr(0, pos);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }

    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
} // namespace

// ---- the eleven entries ------------------------------------------------------------

bool LogOpen(const u16char *folder, const u16char *name, uint code_page, bool error_box)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    platform::CodePageInfo info;
    if (!platform::GetCodePageInfo(platform::ResolveCodePage(code_page), info)) return false;

    if (state.fd >= 0) LogClose();

    const std::string folder8 = (folder && *folder) ? platform::ToNativePath(folder) : std::string();
    std::string base = folder8;
    if (!base.empty() && base.back() != '/') base += '/';
    base += platform::UTF16ToUTF8(name ? name : u"");

    std::u16string opened;
    const int fd = OpenLogFile(base, opened);

    if (fd < 0)
    {
        const std::u16string text =
            Format(u"创建日志文件<%s><%s>失败", folder ? folder : u"", name ? name : u"");
        LogMessageBox(text.c_str());
        return false;
    }

    state.fd = fd;
    state.file_name = opened;
    state.console = isatty(STDOUT_FILENO) == 1;

    static const unsigned char bom[2] = {0xFF, 0xFE};
    WriteAll(fd, bom, sizeof(bom));

    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    const std::u16string header = Format(u"创建日志,时间:%d年%d月%d日 %d点%d分", local.tm_year + 1900,
                                         local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    LogWriteText(header.c_str());
    LogNewLine();

    delete[] state.convert;
    state.capacity = InitialConvertCapacity;
    state.convert = new u16char[size_t(state.capacity) + 1];
    state.convert[0] = 0;
    state.error_box = error_box;
    return true;
}

void LogClose()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    if (state.fd < 0) return;

    LogNewLine();
    LogWriteText(u"关闭日志!");

    close(state.fd); // also gives up the lock on the file
    state.fd = -1;
    state.console = false;
    state.error_box = false; // an entry called after closing shows no box
    state.file_name.clear();
    delete[] state.convert;
    state.convert = nullptr;
    state.capacity = 0;
}

void LogNewLine()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    static const u16char crlf[2] = {u'\r', u'\n'};
    if (state.fd >= 0) WriteAll(state.fd, crlf, sizeof(crlf));
}

void LogWriteLine(const u16char *text, int length)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    if (state.fd < 0) return;

    if (!text)
        length = 0;
    else if (length < 0)
        length = StrLen(text);

    // The text and its line end in one write, so a line is never split.
    std::u16string line(text ? text : u"", size_t(length));
    line += u"\r\n";
    WriteAll(state.fd, line.data(), line.size() * sizeof(u16char));

    if (state.console)
    {
        std::string echo = platform::UTF16ToUTF8(text ? text : u"", text ? StrLen(text) : 0);
        echo += '\n';
        WriteAll(STDOUT_FILENO, echo.data(), echo.size());
    }
}

void LogWriteText(const u16char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    LogWriteLine(text, StrLen(text));
}

void LogWriteMultiByte(uint code_page, const char *text, int length)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    if (state.fd < 0) return;

    const int units = Convert(code_page, text, length);
    if (units >= 0) LogWriteLine(state.convert, units);
}

void LogWriteMultiByteText(uint code_page, const char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    LogWriteMultiByte(code_page, text, text ? int(std::strlen(text)) : 0);
}

void LogMessageBox(const u16char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    if (message_box) message_box(text ? text : u"", u"Warning");
}

void LogMessageBoxMultiByte(uint code_page, const char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    std::u16string converted;
    if (platform::MultiByteToUTF16(code_page, text, -1, converted)) LogMessageBox(converted.c_str());
}

void LogError(const u16char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    LogWriteText(text);
    if (state.error_box) LogMessageBox(text);
}

void LogErrorMultiByte(uint code_page, const char *text)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());

    if (state.fd < 0) return;

    const int units = Convert(code_page, text, -1);
    if (units < 0) return;

    LogWriteLine(state.convert, units);
    if (state.error_box) LogMessageBox(state.convert);
}

bool LogGetPlugInInterface(int version, void *table)
{
    if (version != LogInterfaceVersion || !table) return false;

    *static_cast<LogInterface *>(table) = Table;
    return true;
}

// ---- the plug-in and the front end's hook-up ---------------------------------------

LogPlugIn::LogPlugIn()
{
    name = u"UNICODE格式文本日志输出";
    filename = u"LogPlugIn";
    type = 1;
    get_interface = LogGetPlugInInterface;
}

LogPlugIn *InitLog(const u16char *folder, const u16char *name, uint code_page, bool error_box)
{
    if (global_interface) CloseLog();

    LogPlugIn *plugin = new LogPlugIn;
    RegisterPlugInType(plugin, 1);

    LogInterface *table = new LogInterface{};
    plugin->GetInterface(LogInterfaceVersion, table);
    global_interface = table;

    if (!table->Open(folder, name, code_page, error_box))
    {
        ReleasePlugIn(plugin);
        delete table;
        global_interface = nullptr;
        return nullptr;
    }

    sink.table = table;
    sink.previous = SetLogSink(&sink);
    if (sink.previous == &sink) // a capture put our stale sink back when it went
        sink.previous = nullptr;
    PutLogBanner();
    return plugin;
}

namespace log_detail
{
LogPlugIn *InitDefaultLogAt(const std::string &exe)
{
    // The program's full path without its extension; a dot in a folder name is
    // not an extension.
    const size_t slash = exe.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : exe.substr(0, slash == 0 ? 1 : slash);
    std::string name = slash == std::string::npos ? exe : exe.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    if (name.empty()) name = "hgl";

    if (!FolderWritable(folder))
    {
        std::string state_home;
        if (auto xdg = platform::GetEnv("XDG_STATE_HOME"); xdg && (*xdg)[0] == '/')
            state_home = *xdg;
        else if (const std::string home = platform::HomeFolder(); !home.empty())
            state_home = home + "/.local/state";

        if (!state_home.empty() && MakeFolders(state_home + "/" + name)) folder = state_home + "/" + name;
    }

    return InitLog(ToU16(folder).c_str(), ToU16(name).c_str(), platform::CodePageGBK, true);
}
} // namespace log_detail

LogPlugIn *InitDefaultLog()
{
    return log_detail::InitDefaultLogAt(platform::ExecutablePath());
}

void CloseLog()
{
    if (!global_interface) return;

    global_interface->Close();

    // Another sink installed over ours (a test's capture) stays where it is.
    if (GetLogSink() == &sink) SetLogSink(sink.previous);
    sink.table = nullptr;
    sink.previous = nullptr;

    delete global_interface;
    global_interface = nullptr;
}

void PutLogBanner()
{
    PutInfo(u"这个软件使用了《%s》进行开发", GetInfoString(infoKitName));
    PutInfo(u"这个软件所使用的版本是：v%s", GetInfoString(infoKitVersion));
    PutNewLine();
}

const LogInterface *GetLogInterface()
{
    return global_interface;
}

std::u16string GetLogFileName()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return state.file_name;
}

int GetLogConvertCapacity()
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    return state.capacity;
}

LogMessageBoxFunc SetLogMessageBoxHandler(LogMessageBoxFunc handler)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    LogMessageBoxFunc old = message_box;
    message_box = handler;
    return old;
}
} // namespace hgl
