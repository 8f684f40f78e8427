#include "io/PList.h"

#include "io/MemStream.h"
#include "platform/File.h"
#include "io/StringList.h"

namespace hgl
{
bool PList::ParseLine(const String &line)
{
    const int len = line.Length;
    if (len < 2) return false;
    const u16char *s = line.c_str();

    int sep = -1;
    for (u16char want : {u16char(u'\t'), u16char(u' '), u16char(u'=')})
    {
        for (int i = 0; i < len; ++i)
            if (s[i] == want)
            {
                sep = i;
                break;
            }
        if (sep >= 0) break;
    }
    if (sep < 0) return false;

    int v = sep + 1;
    while (v < len && (s[v] == u'\t' || s[v] == u'=' || s[v] == u' '))
        ++v;

    // Set, not Add: lines come last to first, so the first line of a key wins.
    Set(String(s, sep), String(s + v, len - v));
    return true;
}

void PList::LoadFromStringList(StringList &lines)
{
    for (int i = lines.Count - 1; i >= 0; --i)
        ParseLine(lines[i]);
}

bool PList::LoadFromFile(const u16char *name)
{
    StringList lines;
    if (!lines.LoadFromFile(name, 0)) return false;
    LoadFromStringList(lines);
    return true;
}

bool PList::LoadFromHAC(HAC *archive, const u16char *path)
{
    StringList lines;
    if (!lines.LoadFromHAC(archive, path, 0)) return false;
    LoadFromStringList(lines);
    return true;
}

bool PList::GetPair(int index, String &key, String &value) const
{
    const auto *entry = GetItem(index);
    if (!entry) return false;
    key = entry->key;
    value = entry->value;
    return true;
}

bool PList::SaveToFile(const u16char *name)
{
    if (!name || !*name) return false;
    // Built in memory first, so a failed write never costs the file it replaces.
    MemStream out;
    static const unsigned char mark[2] = {0xFF, 0xFE};
    bool ok = out.WriteFully(mark, 2);
    const u16char tab = u'\t', lf = u'\n';
    for (int i = GetCount() - 1; ok && i >= 0; --i)
    {
        String key, value;
        GetPair(i, key, value);
        ok = out.WriteFully(key.c_str(), key.Length * 2) && out.WriteFully(&tab, 2) &&
             out.WriteFully(value.c_str(), value.Length * 2) && out.WriteFully(&lf, 2);
    }
    return ok && platform::FileWriteWhole(name, out.GetData(), out.GetSize());
}
} // namespace hgl
