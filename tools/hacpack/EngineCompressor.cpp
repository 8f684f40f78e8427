#include "EngineCompressor.h"

#include <climits>

#include "io/Compress.h"

namespace hgl::hacpack
{
namespace
{
// Room for what a method may add to data it cannot shrink.
constexpr size_t kPackSlack = 1024;
} // namespace

HacCompressor EngineCompressor()
{
    return [](const std::u16string &method, const std::vector<uint8_t> &in, std::vector<uint8_t> &out)
    {
        if (in.empty() || in.size() > size_t(INT_MAX) / 2) return false;
        out.resize(in.size() + in.size() / 2 + kPackSlack);
        const int n = hgl::Compress(hgl::String(method.c_str(), int(method.size())), in.data(),
                                    int(in.size()), out.data(), int(out.size()));
        if (n < 1) return false;
        out.resize(size_t(n));
        return true;
    };
}
} // namespace hgl::hacpack
