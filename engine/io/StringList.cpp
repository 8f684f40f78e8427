#include "io/StringList.h"

#include "io/FileStream.h"
#include "io/HAC.h"
#include "core/Stream.h"
#include "core/Log.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace hgl
{
void DecodeUTF8(const unsigned char *s, int n, std::u16string &out)
{
    out.clear();
    out.reserve(size_t(n));
    int i = 0;
    while (i < n)
    {
        const unsigned b = s[i];
        if (b < 0x80)
        {
            out.push_back(u16char(b));
            ++i;
            continue;
        }
        int len;
        uint32 cp, min;
        if (b >= 0xC2 && b <= 0xDF)
            len = 2, cp = b & 0x1F, min = 0x80;
        else if (b >= 0xE0 && b <= 0xEF)
            len = 3, cp = b & 0x0F, min = 0x800;
        else if (b >= 0xF0 && b <= 0xF4)
            len = 4, cp = b & 0x07, min = 0x10000;
        else
        {
            // A stray continuation byte or a lead byte no valid sequence has.
            out.push_back(u16char(0xFFFD));
            ++i;
            continue;
        }
        int k = 1;
        for (; k < len && i + k < n && (s[i + k] & 0xC0) == 0x80; ++k)
            cp = (cp << 6) | (s[i + k] & 0x3F);
        if (k < len || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        {
            // Cut or malformed: one replacement, then resume after the bytes taken.
            out.push_back(u16char(0xFFFD));
            i += k;
            continue;
        }
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out.push_back(u16char(0xD800 + (cp >> 10)));
            out.push_back(u16char(0xDC00 + (cp & 0x3FF)));
        }
        else
            out.push_back(u16char(cp));
        i += len;
    }
}

void StringList::InitPrivate()
{
    Count.Bind<&StringList::GetCount>(this);
}

StringList::StringList()
{
    InitPrivate();
}

StringList::~StringList()
{
    Clear();
}

int StringList::Add(const String &s)
{
    return items.Add(new String(s));
}

int StringList::AddText(const u16char *text)
{
    return Add(String(text));
}

int StringList::AddText(const u16char *text, int length)
{
    return Add(String(text, length));
}

int StringList::AddText(const char *text, uint codePage)
{
    return Add(String(codePage, text, -1));
}

int StringList::AddText(const char *text, int length, uint codePage)
{
    return Add(String(codePage, text, length));
}

void StringList::Clear()
{
    items.Clear();
}

int StringList::Find(const String &s) const
{
    for (int i = items.GetCount() - 1; i >= 0; --i)
        if (items[i]->Comp(s) == 0) return i;
    return -1;
}

// A NUL ends the text; a CR or an LF ends a line, and an LF right after a CR
// belongs to the same break. Text after the last break is the last line.
void StringList::SplitUTF16(const u16char *t, int n)
{
    int start = 0, i = 0;
    for (; i < n && t[i]; ++i)
    {
        if (t[i] != u'\r' && t[i] != u'\n') continue;
        AddText(t + start, i - start);
        if (t[i] == u'\r' && i + 1 < n && t[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (i > start) AddText(t + start, i - start);
}

void StringList::SplitBytes(const char *t, int n, uint codePage, bool utf8)
{
    std::u16string line;
    auto add = [&](int from, int to)
    {
        if (utf8)
        {
            DecodeUTF8(reinterpret_cast<const unsigned char *>(t + from), to - from, line);
            AddText(line.c_str(), int(line.size()));
        }
        else if (to > from)
            AddText(t + from, to - from, codePage);
        else
            Add(String());
    };
    int start = 0, i = 0;
    for (; i < n && t[i]; ++i)
    {
        if (t[i] != '\r' && t[i] != '\n') continue;
        add(start, i);
        if (t[i] == '\r' && i + 1 < n && t[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (i > start) add(start, i);
}

bool StringList::LoadFromStream(Stream *stream, uint codePage)
{
    Clear();
    if (!stream) return false;
    const int64 size = stream->Size;
    unsigned char mark[4] = {0, 0, 0, 0};
    int got = stream->Read(mark, 4);
    if (got < 0) got = 0;
    if (size >= 0 && got < (size < 4 ? int(size) : 4))
        return false; // the stream could not deliver what it claims to hold

    enum
    {
        Bytes,
        LE,
        BE,
        UTF8
    } kind = Bytes;
    int start = 0;
    if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE)
        kind = LE, start = 2;
    else if (got >= 2 && mark[0] == 0xFE && mark[1] == 0xFF)
        kind = BE, start = 2;
    else if (got >= 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF)
        kind = UTF8, start = 3;

    // The text runs from the mark's end to the stream's size; a stream that cannot
    // tell its size is read to its end.
    std::vector<char> text;
    stream->Position = start;
    if (size >= 0)
    {
        int64 len = size - start;
        if (len <= 0) return true;
        if (len > INT_MAX - 2) len = INT_MAX - 2;
        text.resize(size_t(len));
        int have = 0;
        while (have < int(len))
        {
            const int r = stream->Read(text.data() + have, int(len) - have);
            if (r <= 0) break;
            have += r;
        }
        if (have < int(len)) return false; // a short read is a failure, never a shorter text
    }
    else
    {
        char chunk[65536];
        int r;
        while ((r = stream->Read(chunk, sizeof(chunk))) > 0 && text.size() < size_t(INT_MAX - 2 - r))
            text.insert(text.end(), chunk, chunk + r);
    }

    if (kind == LE || kind == BE)
    {
        const int units = int(text.size() / 2); // an odd trailing byte is ignored
        std::vector<u16char> u(size_t(units) + 1);
        for (int k = 0; k < units; ++k)
        {
            const unsigned char lo = text[2 * k], hi = text[2 * k + 1];
            u[k] = kind == LE ? u16char(lo | hi << 8) : u16char(hi | lo << 8);
        }
        SplitUTF16(u.data(), units);
    }
    else
        SplitBytes(text.data(), int(text.size()), codePage, kind == UTF8);
    return true;
}

bool StringList::LoadFromFile(const u16char *name, uint codePage)
{
    FileStream fs;
    if (!name || !fs.Open(name, fomOpenRead)) return false;
    const bool ok = LoadFromStream(&fs, codePage);
    fs.Close();
    if (!ok) PutError(u"读取文本文件<%s>失败！", name);
    return ok;
}

bool StringList::LoadFromHAC(HAC *archive, const u16char *path, uint codePage)
{
    if (!archive || !path) return false;
    Stream *s = archive->LoadFileStream(path, false);
    if (!s) return false;
    const bool ok = LoadFromStream(s, codePage);
    delete s;
    if (!ok) PutError(u"读取文本文件<%s>失败！", path);
    return ok;
}

bool StringList::WriteToStream(Stream *stream)
{
    if (!stream) return false;
    const int32 count = items.GetCount();
    if (!stream->WriteValue(count)) return false;
    for (int i = 0; i < count; ++i)
        if (!stream->WriteString(*items[i])) return false;
    return true;
}

bool StringList::ReadFromStream(Stream *stream)
{
    if (!stream) return false;
    int32 count;
    if (!stream->ReadValue(count)) return false;
    for (int32 i = 0; i < count; ++i)
    {
        String s;
        if (stream->ReadString(s) < 0) return false;
        Add(s);
    }
    return true;
}
} // namespace hgl
