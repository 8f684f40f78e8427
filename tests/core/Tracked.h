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
    static inline int next_id = 0;

    void Record(char c)
    {
        Events().push_back(c + std::to_string(id));
        LiveCount() += c == '+' ? 1 : -1;
    }

  public:
    int id;

    Tracked() : id(next_id++) { Record('+'); }
    explicit Tracked(int i) : id(i) { Record('+'); }
    Tracked(const Tracked &) = delete;
    Tracked &operator=(const Tracked &) = delete;
    virtual ~Tracked() { Record('-'); }

    static void Reset()
    {
        Events().clear();
        next_id = 0;
    }
};

inline std::vector<std::string> Ev(std::initializer_list<const char *> list)
{
    return {list.begin(), list.end()};
}
} // namespace cont_test
