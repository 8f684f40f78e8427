#pragma once
// The engine log front end. Every part of the engine reports through PutInfo and
// PutError with UTF-16 printf formats (see core/Format.h: %s takes UTF-16 text).
// Each call becomes one line, cut to LOG_LINE_MAX units, and is handed to the
// installed sink. Until a sink is installed (the file log does that when it is
// opened) lines are dropped.
//
// The sink is switched under a lock that is also held while a line is written,
// so once SetLogSink returns no thread is still inside the old sink and it may
// be destroyed. A sink may itself log (the lock is recursive), but must not
// switch sinks from another thread while it waits for that thread.
#include "core/Types.h"
#include <cstdarg>

namespace hgl
{
enum class LogLevel
{
    Info,       // PutInfo, PutInfoMultiByte
    Error,      // PutError: the file log also shows a message box when asked to
    MessageBox, // PutMessageBox: a message box only, no line in the file
    NewLine,    // PutNewLine: an empty line in the file only (text is empty)
};

// Longest line the front end delivers, in UTF-16 units (the format buffer holds
// this plus a terminator). Longer texts are cut.
constexpr int LOG_LINE_MAX = 1023;

class LogSink
{
  public:
    virtual ~LogSink() = default;
    // text is terminated; length is its number of units (never above LOG_LINE_MAX).
    virtual void Write(LogLevel level, const u16char *text, int length) = 0;
};

// Installs a sink (null: drop lines again) and returns the one it replaces.
LogSink *SetLogSink(LogSink *sink);
LogSink *GetLogSink();

void PutInfo(const u16char *format, ...);
void PutError(const u16char *format, ...);
void PutMessageBox(const u16char *format, ...);
void PutNewLine();
// An 8-bit printf format and arguments, formatted into 1,024 bytes, then
// converted from the given code page (0: the ANSI code page) and written as info.
void PutInfoMultiByte(uint codePage, const char *format, ...);

void VPutLog(LogLevel level, const u16char *format, va_list args);
// Writes an already formatted text as one line (length -1: measured).
void PutLogText(LogLevel level, const u16char *text, int length = -1);
} // namespace hgl
