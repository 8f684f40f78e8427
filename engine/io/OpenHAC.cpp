#include "io/HAC.h"

#include "core/Log.h"
#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/HAC3.h"
#include "io/HacMapping.h"

#include <cstring>
#include <memory>

namespace hgl
{
namespace
{
// "HAC-3" and a control-Z, then two bytes nobody interprets.
constexpr uint8 kHac3Magic[6] = {0x48, 0x41, 0x43, 0x2D, 0x33, 0x1A};
constexpr int kHac3HeadSize = 8;
} // namespace

HAC *OpenHAC(const u16char *path)
{
    std::unique_ptr<HAC> hac;
    if (!path || !*path || IsDirectory(path))
        hac = std::make_unique<HacMapping>(path);
    else
    {
        auto fs = std::make_unique<FileStream>();
        if (!fs->Open(path, fomOpenRead))
        {
            PutError(u"打开HAC-3包裹文件<%s>失败！", path);
            return nullptr;
        }
        uint8 head[kHac3HeadSize];
        if (!fs->ReadFully(head, kHac3HeadSize) || std::memcmp(head, kHac3Magic, sizeof(kHac3Magic)) != 0)
        {
            PutError(u"无法支持或已损坏的HAC文件<%s>", path);
            return nullptr;
        }
        auto hac3 = std::make_unique<HAC3>(fs.release());
        if (!hac3->IsValid())
        {
            PutError(u"无法支持或已损坏的HAC文件<%s>", path);
            return nullptr;
        }
        PutInfo(u"打开HAC包<%s>完成！", path);
        hac = std::move(hac3);
    }
    // Without its loader thread an archive still serves every direct read; only
    // queued requests wait for it, so a failed start is not the mount's failure.
    (void)hac->StartLoader(tpNormal);
    return hac.release();
}
} // namespace hgl
