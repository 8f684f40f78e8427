#include "game/core/Archives.h"

#include "core/Log.h"
#include "io/Core.h"
#include "io/HAC.h"

#include <cstring>
#include <memory>

namespace avg
{
namespace
{
constexpr hgl::u16char kByteOrderMark = 0xFEFF;

std::unique_ptr<hgl::HAC> data_hac;
std::unique_ptr<hgl::HAC> local_hac;

std::unique_ptr<hgl::HAC> Mount(const hgl::u16char *name)
{
    const hgl::String start(hgl::GetInfoString(hgl::infoStartFolder));
    const hgl::String path = start.IsEmpty() ? hgl::String(name) : start + u"\\" + name;
    std::unique_ptr<hgl::HAC> hac(hgl::OpenHAC(path.c_str()));
    if (!hac) hgl::PutError(u"挂载资源包<%s>失败!", path.c_str());
    return hac;
}

hgl::u16char *EmptyText()
{
    return new hgl::u16char[2]{kByteOrderMark, 0};
}
} // namespace

bool OpenArchives()
{
    CloseArchives();
    data_hac = Mount(u"Data.hac");
    local_hac = Mount(u"Local.hac");
    if (data_hac && local_hac) return true;
    CloseArchives();
    return false;
}

void CloseArchives()
{
    data_hac.reset();
    local_hac.reset();
}

hgl::HAC *GetDataHAC()
{
    return data_hac.get();
}

hgl::HAC *GetLocalHAC()
{
    return local_hac.get();
}

int ReadLocalFile(const hgl::String &name, hgl::u16char **buffer)
{
    if (!buffer) return 0;
    void *bytes = nullptr;
    int size = 0;
    if (!local_hac || name.IsEmpty() || !local_hac->FileExist(name.c_str()) ||
        !local_hac->LoadFile(name.c_str(), &bytes, &size) || size < int(sizeof(hgl::u16char)))
    {
        delete[] static_cast<hgl::uint8 *>(bytes);
        hgl::PutError(u"读取文件<%s>失败!", name.c_str() ? name.c_str() : u"");
        *buffer = EmptyText();
        return 0;
    }
    // A trailing odd byte is not part of any unit.
    const int units = size / int(sizeof(hgl::u16char));
    hgl::u16char *text = new hgl::u16char[units + 1];
    std::memcpy(text, bytes, size_t(units) * sizeof(hgl::u16char));
    text[units] = 0;
    delete[] static_cast<hgl::uint8 *>(bytes);
    *buffer = text;
    return units;
}

int ReadScriptFile(const hgl::String &name, hgl::u16char **buffer)
{
    return ReadLocalFile(hgl::String(u"Script\\") + name, buffer);
}
} // namespace avg
