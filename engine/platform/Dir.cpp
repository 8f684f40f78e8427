#include "platform/Dir.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/Path.h"

namespace hgl::platform
{
bool ReadFolderNames(const std::string &native_folder, std::vector<std::string> &names)
{
    names.clear();
    DIR *d = opendir(native_folder.c_str());
    if (!d) return false;
    while (dirent *e = readdir(d))
    {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        names.emplace_back(e->d_name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return true;
}

bool ReadFolder(const u16char *folder, std::vector<DirEntry> &out)
{
    out.clear();
    std::string dir;
    if (folder && *folder) dir = ResolvePath(folder);
    if (dir.empty()) dir.assign(1, '.');
    std::vector<std::string> names;
    if (!ReadFolderNames(dir, names)) return false;
    const std::string prefix = dir.back() == '/' ? dir : dir + "/";
    out.reserve(names.size());
    for (const std::string &n : names)
    {
        DirEntry e;
        e.name = Utf8ToUtf16(n);
        const std::string full = prefix + n;
        struct stat st;
        if (lstat(full.c_str(), &st) == 0) e.is_link = S_ISLNK(st.st_mode);
        if (stat(full.c_str(), &st) == 0)
        {
            e.is_folder = S_ISDIR(st.st_mode);
            e.size = e.is_folder ? 0 : uint64(st.st_size);
            e.read_only = access(full.c_str(), W_OK) != 0;
        }
        out.push_back(std::move(e));
    }
    return true;
}

namespace
{
bool Match(const u16char *p, const u16char *n)
{
    // Iterative wildcard match with one back-track point: linear in practice,
    // never exponential on patterns like "*a*a*a*b".
    const u16char *star = nullptr, *resume = nullptr;
    while (*n)
    {
        if (*p == u'*')
        {
            star = p++;
            resume = n;
        }
        else if (*p == u'?' || (*p && FoldAscii(*p) == FoldAscii(*n)))
        {
            ++p;
            ++n;
        }
        else if (star)
        {
            p = star + 1;
            n = ++resume;
        }
        else
            return false;
    }
    while (*p == u'*')
        ++p;
    return *p == 0;
}
} // namespace

bool MatchPattern(const u16char *pattern, const u16char *name)
{
    if (!pattern || !name) return false;
    // "*.*" means "every name" on the content's platform, dot or not; likewise a
    // pattern ending in ".*" also matches the name without any extension.
    if (pattern[0] == u'*' && pattern[1] == u'.' && pattern[2] == u'*' && pattern[3] == 0) return true;
    if (Match(pattern, name)) return true;
    size_t len = 0;
    while (pattern[len])
        ++len;
    if (len >= 2 && pattern[len - 2] == u'.' && pattern[len - 1] == u'*')
    {
        bool has_dot = false;
        for (const u16char *c = name; *c; ++c)
            has_dot |= (*c == u'.');
        if (!has_dot)
        {
            std::u16string shorter(pattern, len - 2);
            return Match(shorter.c_str(), name);
        }
    }
    return false;
}
} // namespace hgl::platform
