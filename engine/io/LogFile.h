#pragma once
// The engine's log file: a UTF-16LE text with byte-order mark beside the program,
// echoed to the console when standard output is a terminal. It is a built-in
// plug-in (type 1) whose eleven-entry table other plug-ins can obtain (interface
// version 2); while it is open it is the sink of the log front end (core/Log.h).
// Every entry takes one lock, so worker threads can log.
#include "core/Types.h"
#include "io/PlugIn.h"

#include <string>

namespace hgl
{
// The table served to plug-ins (interface version 2), entries in this order.
struct LogInterface
{
    bool (*Open)(const u16char *folder, const u16char *name, uint code_page, bool error_box); // 0
    void (*Close)();                                                                          // 1
    void (*NewLine)();                                                                        // 2
    void (*WriteLine)(const u16char *text, int length);                                       // 3
    void (*WriteText)(const u16char *text);                                                   // 4
    void (*WriteMultiByte)(uint code_page, const char *text, int length);                     // 5
    void (*WriteMultiByteText)(uint code_page, const char *text);                             // 6
    void (*MessageBox)(const u16char *text);                                                  // 7
    void (*MessageBoxMultiByte)(uint code_page, const char *text);                            // 8
    void (*Error)(const u16char *text);                                                       // 9
    void (*ErrorMultiByte)(uint code_page, const char *text);                                 // 10
};

constexpr int LogInterfaceVersion = 2;

// The entries themselves.
bool LogOpen(const u16char *folder, const u16char *name, uint code_page, bool error_box);
void LogClose();
void LogNewLine();
void LogWriteLine(const u16char *text, int length);
void LogWriteText(const u16char *text);
void LogWriteMultiByte(uint code_page, const char *text, int length);
void LogWriteMultiByteText(uint code_page, const char *text);
void LogMessageBox(const u16char *text);
void LogMessageBoxMultiByte(uint code_page, const char *text);
void LogError(const u16char *text);
void LogErrorMultiByte(uint code_page, const char *text);

// Serves only version 2: copies the table into the caller's record.
bool LogGetPlugInInterface(int version, void *table);

// The built-in log plug-in: type 1, name "UNICODE格式文本日志输出", file name "LogPlugIn".
class LogPlugIn : public PlugIn
{
  public:
    LogPlugIn();
    ~LogPlugIn() override = default;
};

// Opens the log as folder/name.Loginfo (or the first free numbered name) and
// installs it as the front end's sink. Null when no file could be made.
LogPlugIn *InitLog(const u16char *folder, const u16char *name, uint code_page, bool error_box);
// The log beside the program, named after it, code page 936, error boxes on. When
// the program's folder is not writable: $XDG_STATE_HOME/<program>/ (default
// ~/.local/state/<program>/).
LogPlugIn *InitDefaultLog();
namespace log_detail
{
// InitDefaultLog for a program at exe (a native path).
LogPlugIn *InitDefaultLogAt(const std::string &exe);
} // namespace log_detail

// Writes the closing lines, closes the file and removes the sink. The plug-in itself
// stays with the plug-in manager until it is released.
void CloseLog();
// The kit's two banner lines and an empty line.
void PutLogBanner();

// The table in use while the log is open, else null.
const LogInterface *GetLogInterface();
// The file open now (native path), empty while closed.
std::u16string GetLogFileName();
// Units the 8-bit conversion buffer holds (plus a terminator); 0 while closed.
int GetLogConvertCapacity();

// How message boxes are shown. There is no message box service here by default:
// the text goes to standard error. A GUI layer can install a real one.
using LogMessageBoxFunc = void (*)(const u16char *text, const u16char *title);
LogMessageBoxFunc SetLogMessageBoxHandler(LogMessageBoxFunc handler); // returns the previous one
} // namespace hgl
