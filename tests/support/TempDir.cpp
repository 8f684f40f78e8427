#include "support/TempDir.h"

#include "platform/Path.h"

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
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
    {
        std::error_code ec2;
        if (it->is_directory(ec2) && !it->is_symlink(ec2))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec2);
    }
    fs::remove_all(path, ec);
}

std::u16string TempDir::Path16() const
{
    return ToU16(path);
}

std::string TempDir::File(const std::string &name) const
{
    return path + "/" + Native(name);
}

std::u16string TempDir::File16(const std::string &name) const
{
    return ToU16(File(name));
}

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
    return platform::Utf8ToUtf16(s);
}

std::string ToU8(const std::u16string &s)
{
    return platform::Utf16ToUtf8(s.data(), int(s.size()));
}
} // namespace hgl::test
