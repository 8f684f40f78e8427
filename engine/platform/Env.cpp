#include "platform/Env.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace hgl::platform
{
std::optional<std::string> GetEnv(const char *name)
{
    if (!name) return std::nullopt;
    const char *v = std::getenv(name);
    if (!v || !*v) return std::nullopt;
    return std::string(v);
}

std::string TempFolder()
{
    if (auto v = GetEnv("TMPDIR")) return *v;
    if (auto v = GetEnv("TEMP")) return *v;
    return "/tmp";
}

std::string HomeFolder()
{
    if (auto v = GetEnv("HOME")) return *v;
    struct passwd pw, *res = nullptr;
    char buf[4096];
    if (getpwuid_r(getuid(), &pw, buf, sizeof(buf), &res) == 0 && res && res->pw_dir) return res->pw_dir;
    return {};
}

std::string DataHome()
{
    if (auto v = GetEnv("XDG_DATA_HOME")) return *v;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.local/share";
}

std::string ConfigHome()
{
    if (auto v = GetEnv("XDG_CONFIG_HOME")) return *v;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "/.config";
}

namespace
{
// One value of user-dirs.dirs: XDG_<KEY>_DIR="$HOME/Folder" or an absolute path.
std::string FromUserDirsFile(const std::string &var)
{
    const std::string config = ConfigHome();
    if (config.empty()) return {};
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    while (std::getline(in, line))
    {
        size_t i = line.find_first_not_of(" \t");
        if (i == std::string::npos || line[i] == '#') continue;
        if (line.compare(i, var.size(), var) != 0) continue;
        i += var.size();
        if (i >= line.size() || line[i] != '=') continue;
        std::string value = line.substr(i + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
        {
            const std::string home = HomeFolder();
            if (home.empty()) return {};
            value = home + value.substr(5);
        }
        else if (value.empty() || value[0] != '/')
            continue;
        return value;
    }
    return {};
}
} // namespace

std::string UserFolder(const char *key, const char *fallback)
{
    const std::string var = std::string("XDG_") + key + "_DIR";
    if (auto v = GetEnv(var.c_str())) return *v;
    std::string v = FromUserDirsFile(var);
    if (!v.empty()) return v;
    const std::string home = HomeFolder();
    if (home.empty() || !fallback) return {};
    return home + "/" + fallback;
}
} // namespace hgl::platform
