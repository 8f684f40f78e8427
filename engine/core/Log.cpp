#include "core/Log.h"
#include "core/Format.h"
#include "platform/CodePage.h"

#include <cstdio>
#include <mutex>
#include <string>

namespace hgl
{
namespace
{
std::recursive_mutex &SinkLock()
{
    static std::recursive_mutex lock;
    return lock;
}

LogSink *g_sink = nullptr;

void Deliver(LogLevel level, const u16char *text, int length)
{
    std::lock_guard<std::recursive_mutex> guard(SinkLock());
    if (g_sink) g_sink->Write(level, text, length);
}
} // namespace

LogSink *SetLogSink(LogSink *sink)
{
    std::lock_guard<std::recursive_mutex> guard(SinkLock());
    LogSink *old = g_sink;
    g_sink = sink;
    return old;
}

LogSink *GetLogSink()
{
    std::lock_guard<std::recursive_mutex> guard(SinkLock());
    return g_sink;
}

void VPutLog(LogLevel level, const u16char *format, va_list args)
{
    u16char line[LOG_LINE_MAX + 1];
    int n = VSPrintf(line, LOG_LINE_MAX + 1, format, args);
    if (n > LOG_LINE_MAX) n = LOG_LINE_MAX;
    Deliver(level, line, n);
}

void PutLogText(LogLevel level, const u16char *text, int length)
{
    // Copied so that the sink always gets a terminated line, even from a
    // caller's buffer that has no terminator after length units.
    u16char line[LOG_LINE_MAX + 1];
    int n = 0;
    if (text)
        while ((length < 0 || n < length) && n < LOG_LINE_MAX && text[n])
            line[n] = text[n], ++n;
    line[n] = 0;
    Deliver(level, line, n);
}

void PutInfo(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    VPutLog(LogLevel::Info, format, ap);
    va_end(ap);
}

void PutError(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    VPutLog(LogLevel::Error, format, ap);
    va_end(ap);
}

void PutMessageBox(const u16char *format, ...)
{
    va_list ap;
    va_start(ap, format);
    VPutLog(LogLevel::MessageBox, format, ap);
    va_end(ap);
}

void PutNewLine()
{
    Deliver(LogLevel::NewLine, u"", 0);
}

void PutInfoMultiByte(uint codePage, const char *format, ...)
{
    if (!format) return;
    char bytes[1024];
    va_list ap;
    va_start(ap, format);
    int n = std::vsnprintf(bytes, sizeof(bytes), format, ap);
    va_end(ap);
    if (n < 0) return;
    if (n >= static_cast<int>(sizeof(bytes))) n = static_cast<int>(sizeof(bytes)) - 1;
    std::u16string text;
    platform::MultiByteToUTF16(codePage, bytes, n, text);
    PutLogText(LogLevel::Info, text.c_str(), static_cast<int>(text.size()));
}
} // namespace hgl
