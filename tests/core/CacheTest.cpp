// FinUseData, ObjectBuffer and ObjectBufferFromHAC: order of use, eviction,
// release of values and the cache's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "core/FinUseData.h"
#include "core/ObjectBuffer.h"
#include "io/ObjectBufferFromHAC.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

using hgl::FinUseData;
using hgl::String;
using hgl::test::LogCapture;

namespace
{
// A cache whose count can be put out of step with its chain.
struct Recording : FinUseData<String, int>
{
    explicit Recording(int size) : FinUseData<String, int>(size) {}
    void BreakCount() { count++; }
};

using U = std::vector<std::u16string>;
} // namespace

TEST(FinUseData, CapacityAndMessages)
{
    LogCapture log;
    FinUseData<String, int> zero(0), negative(-5);
    EXPECT_EQ(int(zero.Capacity), 3);
    EXPECT_EQ(int(negative.Capacity), 3);
    Recording c(5);
    c.SetCapacity(0);
    c.Capacity = -1;
    EXPECT_EQ(int(c.Capacity), 5);
    EXPECT_EQ(log.Infos(), (U{u"FinUseData缓冲区大小被设置<=0", u"FinUseData缓冲区大小被设置<=0",
                              u"FinUseData缓冲区大小被设置<=0，此次设置无效！",
                              u"FinUseData缓冲区大小被设置<=0，此次设置无效！"}));

    // A count that disagrees with the chain is reported and the cache reset.
    c.Add(u"a", 1), c.Add(u"b", 2);
    c.BreakCount();
    c.Clear();
    EXPECT_TRUE(log.ContainsInfo(u"FinUseData Count=3,Clear=2")) << log.Dump();
    EXPECT_EQ(int(c.Count), 0);
}

namespace
{
// A picture stand-in: records how it was made and when it is deleted.
std::vector<std::string> pic_events;
using S = std::vector<std::string>;

struct Pic
{
    std::string name;
    const void *archive = nullptr;
    Pic(const void *hac, const char *how, const hgl::u16char *file, hgl::uint format, bool mipmap)
        : name(String(file).ToUTF8()), archive(hac)
    {
        pic_events.push_back(how + name + " " + std::to_string(format) + (mipmap ? " mip" : ""));
    }
    Pic(const hgl::u16char *file, hgl::uint format, bool mipmap) : Pic(nullptr, "file ", file, format, mipmap)
    {
    }
    Pic(hgl::HAC *hac, const hgl::u16char *file, hgl::uint format, bool mipmap)
        : Pic(hac, "hac ", file, format, mipmap)
    {
    }
    virtual ~Pic() { pic_events.push_back("delete " + name); }
};
} // namespace
