#include "io/HAC.h"

#include "core/Log.h"
#include "io/FileHelpers.h"
#include "io/FileStream.h"
#include "io/HAC3.h"
#include "io/HacMapping.h"

#include <cstring>

namespace hgl
{
HAC *OpenHAC(const u16char *path)
{
    HAC *hac = nullptr;
    if (!path || !*path || IsDirectory(path))
        hac = new HacMapping(path);
    else
    {
        auto *fs = new FileStream;
        if (!fs->Open(path, 2))
        {
            PutError(u"打开HAC-3包裹文件<%s>失败！", path);
            delete fs;
            return nullptr;
        }
        static const uint8 magic[6] = {0x48, 0x41, 0x43, 0x2D, 0x33, 0x1A};
        uint8 head[8];
        if (!fs->ReadFully(head, 8) || std::memcmp(head, magic, 6) != 0)
        {
            PutError(u"无法支持或已损坏的HAC文件<%s>", path);
            delete fs;
            return nullptr;
        }
        auto *hac3 = new HAC3(fs);
        if (!hac3->IsValid())
        {
            PutError(u"无法支持或已损坏的HAC文件<%s>", path);
            delete hac3;
            return nullptr;
        }
        PutInfo(u"打开HAC包<%s>完成！", path);
        hac = hac3;
    }
    hac->StartLoader(3);
    return hac;
}
} // namespace hgl
