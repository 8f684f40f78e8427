#include "platform/Path.h"

#include "platform/Dir.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace hgl::platform
{
std::string Utf16ToUtf8(const u16char *text, int len)
{
    std::string out;
    if (!text) return out;
    if (len < 0)
    {
        len = 0;
        while (text[len])
            ++len;
    }
    out.reserve(size_t(len));
    for (int i = 0; i < len; ++i)
    {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < len && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
            ++i;
        }
        else if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD;
        if (cp < 0x80)
            out.push_back(char(cp));
        else if (cp < 0x800)
        {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
        else if (cp < 0x10000)
        {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
        else
        {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(const char *text, size_t len)
{
    std::u16string out;
    if (!text) return out;
    const auto *s = reinterpret_cast<const unsigned char *>(text);
    size_t i = 0;
    while (i < len)
    {
        const unsigned char c = s[i];
        if (c < 0x80)
        {
            out.push_back(c);
            ++i;
            continue;
        }
        int extra;
        char32_t cp, min;
        if ((c & 0xE0) == 0xC0)
        {
            extra = 1;
            cp = c & 0x1F;
            min = 0x80;
        }
        else if ((c & 0xF0) == 0xE0)
        {
            extra = 2;
            cp = c & 0x0F;
            min = 0x800;
        }
        else if ((c & 0xF8) == 0xF0)
        {
            extra = 3;
            cp = c & 0x07;
            min = 0x10000;
        }
        else
        {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        int k = 1;
        for (; k <= extra; ++k)
        {
            if (i + size_t(k) >= len || (s[i + size_t(k)] & 0xC0) != 0x80) break;
            cp = (cp << 6) | (s[i + size_t(k)] & 0x3F);
        }
        if (k <= extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
        {
            out.push_back(0xFFFD);
            i += size_t(k); // skip the lead and the continuation bytes seen
            continue;
        }
        i += size_t(extra) + 1;
        if (cp >= 0x10000)
        {
            cp -= 0x10000;
            out.push_back(u16char(0xD800 + (cp >> 10)));
            out.push_back(u16char(0xDC00 + (cp & 0x3FF)));
        }
        else
            out.push_back(u16char(cp));
    }
    return out;
}

std::string ToNativePath(const u16char *path, int len)
{
    std::string s = Utf16ToUtf8(path, len);
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

void SplitNativePath(const std::string &native, std::string &folder, std::string &name)
{
    size_t end = native.size();
    while (end > 1 && native[end - 1] == '/')
        --end;
    const std::string trimmed = native.substr(0, end);
    const size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos)
    {
        folder.clear();
        name = trimmed;
    }
    else if (slash == 0)
    {
        folder.assign(1, '/');
        name = trimmed.substr(1);
    }
    else
    {
        folder = trimmed.substr(0, slash);
        name = trimmed.substr(slash + 1);
    }
}

bool CaseSensitivePaths()
{
    static const bool on = []
    {
        const char *v = std::getenv("HGL_CASE_SENSITIVE");
        return v && std::strcmp(v, "1") == 0;
    }();
    return on;
}

namespace
{
std::string Fold(const std::string &s)
{
    std::string r = s;
    for (char &c : r)
        c = FoldAscii(c);
    return r;
}

// Listings of folders, keyed by the native folder path, checked against the
// folder's change time and inode so that outside changes are noticed too.
struct Listing
{
    dev_t dev = 0;
    ino_t ino = 0;
    struct timespec mtime
    {
    };
    std::unordered_map<std::string, std::string> by_folded; // folded -> first name in sorted order
};

class FolderCache
{
    std::mutex lock;
    std::unordered_map<std::string, Listing> folders;
    static constexpr size_t kMaxFolders = 512;

  public:
    // The entry of folder `dir` equal to `name` ignoring ASCII case, or "".
    std::string Find(const std::string &dir, const std::string &name)
    {
        const std::string key = dir.empty() ? "." : dir;
        struct stat st;
        if (stat(key.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return {};

        std::lock_guard<std::mutex> guard(lock);
        auto it = folders.find(key);
        if (it == folders.end() || it->second.dev != st.st_dev || it->second.ino != st.st_ino ||
            it->second.mtime.tv_sec != st.st_mtim.tv_sec || it->second.mtime.tv_nsec != st.st_mtim.tv_nsec)
        {
            Listing l;
            l.dev = st.st_dev;
            l.ino = st.st_ino;
            l.mtime = st.st_mtim;
            std::vector<std::string> names;
            if (!ReadFolderNames(key, names)) return {};
            for (const std::string &n : names)
                l.by_folded.emplace(Fold(n), n);
            if (folders.size() >= kMaxFolders) folders.clear();
            it = folders.insert_or_assign(key, std::move(l)).first;
        }
        auto hit = it->second.by_folded.find(Fold(name));
        return hit == it->second.by_folded.end() ? std::string() : hit->second;
    }

    void Forget(const std::string &dir)
    {
        std::lock_guard<std::mutex> guard(lock);
        folders.erase(dir.empty() ? "." : dir);
    }

    void ForgetAll()
    {
        std::lock_guard<std::mutex> guard(lock);
        folders.clear();
    }
};

FolderCache &Cache()
{
    static FolderCache cache;
    return cache;
}

bool Exists(const std::string &p)
{
    struct stat st;
    return lstat(p.c_str(), &st) == 0;
}
} // namespace

void ForgetFolder(const std::string &native_folder)
{
    std::string f = native_folder;
    while (f.size() > 1 && f.back() == '/')
        f.pop_back();
    Cache().Forget(f);
}

void ForgetAllFolders()
{
    Cache().ForgetAll();
}

std::string ResolvePath(const std::string &native)
{
    if (native.empty() || CaseSensitivePaths()) return native;
    struct stat st;
    if (lstat(native.c_str(), &st) == 0) return native;
    if (errno != ENOENT && errno != ENOTDIR) return native;

    const bool absolute = native[0] == '/';
    const bool trailing = native.size() > 1 && native.back() == '/';
    std::string result = absolute ? "/" : "";
    bool found = true; // every component so far exists
    size_t pos = 0;
    while (pos < native.size())
    {
        size_t next = native.find('/', pos);
        if (next == std::string::npos) next = native.size();
        const std::string comp = native.substr(pos, next - pos);
        pos = next + 1;
        if (comp.empty()) continue;

        const std::string folder = result.empty() ? std::string() : (result == "/" ? "/" : result);
        std::string joined = result.empty() ? comp : (result == "/" ? "/" + comp : result + "/" + comp);
        if (found && comp != "." && comp != ".." && !Exists(joined))
        {
            const std::string match = Cache().Find(folder, comp);
            if (!match.empty())
                joined = result.empty() ? match : (result == "/" ? "/" + match : result + "/" + match);
            else
                found = false;
        }
        result = std::move(joined);
    }
    if (trailing && (result.empty() || result.back() != '/')) result += '/';
    return result;
}
} // namespace hgl::platform
