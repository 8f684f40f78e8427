#pragma once
// Sets (or unsets) one environment variable for the life of the object and puts
// the old value back afterwards.
#include <cstdlib>
#include <optional>
#include <string>

namespace hgl::test
{
class ScopedEnv
{
    std::string name;
    std::optional<std::string> old;

  public:
    ScopedEnv(const char *n, const char *value) : name(n)
    {
        if (const char *v = std::getenv(n)) old = v;
        if (value)
            setenv(n, value, 1);
        else
            unsetenv(n);
    }
    ~ScopedEnv()
    {
        if (old)
            setenv(name.c_str(), old->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;
};
} // namespace hgl::test
