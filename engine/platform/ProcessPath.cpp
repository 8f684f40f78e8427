#include "platform/ProcessPath.h"

#include <unistd.h>

#include <cerrno>
#include <vector>

namespace hgl::platform
{
std::string ExecutablePath()
{
    std::vector<char> buf(4096);
    for (;;)
    {
        const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return {};
        if (size_t(n) < buf.size()) return std::string(buf.data(), size_t(n));
        if (buf.size() >= (1u << 20)) return {};
        buf.resize(buf.size() * 2);
    }
}

std::string CurrentFolder()
{
    std::vector<char> buf(4096);
    for (;;)
    {
        if (getcwd(buf.data(), buf.size()))
        {
            std::string s(buf.data());
            if (s == "/") s.clear();
            return s;
        }
        if (errno != ERANGE || buf.size() >= (1u << 20)) return {};
        buf.resize(buf.size() * 2);
    }
}
} // namespace hgl::platform
