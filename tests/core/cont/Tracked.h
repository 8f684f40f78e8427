#pragma once
// Element types for container tests that record when they are made and destroyed.
#include <string>
#include <vector>

namespace cont_test
{
// "+id" on construction, "-id" on destruction, in order.
inline std::vector<std::string> &Events()
{
    static std::vector<std::string> events;
    return events;
}

inline int &LiveCount()
{
    static int live = 0;
    return live;
}

class Tracked
{
    static int &NextId()
    {
        static int next = 0;
        return next;
    }

public:
    int id;

    Tracked() : id(NextId()++) { Record('+'); }
    explicit Tracked(int i) : id(i) { Record('+'); }
    Tracked(const Tracked &) = delete;
    Tracked &operator=(const Tracked &) = delete;
    virtual ~Tracked() { Record('-'); }

    static void Reset()
    {
        Events().clear();
        NextId() = 0;
    }

private:
    void Record(char c)
    {
        Events().push_back(std::string(1, c) + std::to_string(id));
        LiveCount() += c == '+' ? 1 : -1;
    }
};

inline std::vector<std::string> Ev(std::initializer_list<const char *> list)
{
    std::vector<std::string> v;
    for (const char *s : list)
        v.push_back(s);
    return v;
}
} // namespace cont_test
