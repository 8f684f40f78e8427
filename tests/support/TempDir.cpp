#include "support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace hgl::test
{
namespace
{
std::string Native(const std::string &name)
{
    std::string s = name;
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}
} // namespace

TempDir::TempDir(const char *prefix)
{
    const char *base = std::getenv("TMPDIR");
    std::string templ = (base && *base) ? base : "/tmp";
    if (templ.size() > 1 && templ.back() == '/') templ.pop_back();
    templ += "/";
    templ += prefix ? prefix : "hgl";
    templ += "-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back(0);
    if (mkdtemp(buf.data())) path = buf.data();
}

TempDir::~TempDir()
{
    if (path.empty()) return;
    std::error_code ec;
    // Make read-only leftovers removable first.
    for (auto it = fs::recursive_directory_iterator(path, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ec2;
        if (it->is_directory(ec2) && !it->is_symlink(ec2))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec2);
    }
    fs::remove_all(path, ec);
}

std::u16string TempDir::Path16() const { return ToU16(path); }

std::string TempDir::File(const std::string &name) const { return path + "/" + Native(name); }

std::u16string TempDir::File16(const std::string &name) const { return ToU16(File(name)); }

bool TempDir::WriteFile(const std::string &name, const std::string &bytes) const
{
    const fs::path p = File(name);
    std::error_code ec;
    if (p.has_parent_path()) fs::create_directories(p.parent_path(), ec);
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(f);
}

bool TempDir::WriteFile(const std::string &name, const std::vector<uint8_t> &bytes) const
{
    return WriteFile(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempDir::ReadFile(const std::string &name) const
{
    std::ifstream f(File(name), std::ios::binary);
    if (!f) return {};
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

bool TempDir::MakeDir(const std::string &name) const
{
    std::error_code ec;
    fs::create_directories(File(name), ec);
    return !ec;
}

bool TempDir::Exists(const std::string &name) const
{
    std::error_code ec;
    return fs::exists(fs::symlink_status(File(name), ec));
}

std::vector<std::string> TempDir::List(const std::string &sub) const
{
    std::vector<std::string> out;
    std::error_code ec;
    for (auto it = fs::directory_iterator(sub.empty() ? path : File(sub), ec);
         !ec && it != fs::directory_iterator(); it.increment(ec))
        out.push_back(it->path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::u16string ToU16(const std::string &s)
{
    std::u16string out;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else { out.push_back(0xFFFD); ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (!ok) { out.push_back(0xFFFD); ++i; continue; }
        i += size_t(extra) + 1;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else
            out.push_back(char16_t(cp));
    }
    return out;
}

std::string ToU8(const std::u16string &s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000)
            cp = 0xFFFD;
        if (cp < 0x80) out.push_back(char(cp));
        else if (cp < 0x800) {
            out.push_back(char(0xC0 | (cp >> 6)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(char(0xE0 | (cp >> 12)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (cp >> 18)));
            out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(char(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
} // namespace hgl::test
