#include "support/LogCapture.h"
#include "platform/CodePage.h"

namespace hgl::test
{
LogCapture::LogCapture()
{
    previous_ = hgl::SetLogSink(this);
}

LogCapture::~LogCapture()
{
    hgl::SetLogSink(previous_);
}

void LogCapture::Write(hgl::LogLevel level, const hgl::u16char *text, int length)
{
    std::lock_guard<std::mutex> guard(lock_);
    entries_.push_back({level, std::u16string(text, length > 0 ? static_cast<size_t>(length) : 0)});
}

std::vector<LogCapture::Entry> LogCapture::Entries() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return entries_;
}

std::vector<std::u16string> LogCapture::Lines() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<std::u16string> lines;
    for (const Entry &e : entries_)
        lines.push_back(e.text);
    return lines;
}

std::vector<std::u16string> LogCapture::Infos() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<std::u16string> lines;
    for (const Entry &e : entries_)
        if (e.level == hgl::LogLevel::Info) lines.push_back(e.text);
    return lines;
}

std::vector<std::u16string> LogCapture::Errors() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::vector<std::u16string> lines;
    for (const Entry &e : entries_)
        if (e.level == hgl::LogLevel::Error) lines.push_back(e.text);
    return lines;
}

size_t LogCapture::Count() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return entries_.size();
}

void LogCapture::Clear()
{
    std::lock_guard<std::mutex> guard(lock_);
    entries_.clear();
}

bool LogCapture::Contains(std::u16string_view line) const
{
    return CountOf(line) > 0;
}

bool LogCapture::ContainsInfo(std::u16string_view line) const
{
    std::lock_guard<std::mutex> guard(lock_);
    for (const Entry &e : entries_)
        if (e.level == hgl::LogLevel::Info && e.text == line) return true;
    return false;
}

bool LogCapture::ContainsError(std::u16string_view line) const
{
    std::lock_guard<std::mutex> guard(lock_);
    for (const Entry &e : entries_)
        if (e.level == hgl::LogLevel::Error && e.text == line) return true;
    return false;
}

bool LogCapture::ContainsPart(std::u16string_view part) const
{
    std::lock_guard<std::mutex> guard(lock_);
    for (const Entry &e : entries_)
        if (e.text.find(part) != std::u16string::npos) return true;
    return false;
}

size_t LogCapture::CountOf(std::u16string_view line) const
{
    std::lock_guard<std::mutex> guard(lock_);
    size_t n = 0;
    for (const Entry &e : entries_)
        if (e.text == line) ++n;
    return n;
}

std::string LogCapture::Dump() const
{
    std::lock_guard<std::mutex> guard(lock_);
    std::string out;
    for (const Entry &e : entries_)
    {
        switch (e.level)
        {
        case hgl::LogLevel::Info:
            out += "[I] ";
            break;
        case hgl::LogLevel::Error:
            out += "[E] ";
            break;
        case hgl::LogLevel::MessageBox:
            out += "[M] ";
            break;
        case hgl::LogLevel::NewLine:
            out += "[N] ";
            break;
        }
        out += hgl::platform::UTF16ToUTF8(e.text);
        out += '\n';
    }
    return out;
}

std::string U8(std::u16string_view text)
{
    return hgl::platform::UTF16ToUTF8(text.data(), static_cast<int>(text.size()));
}
} // namespace hgl::test
