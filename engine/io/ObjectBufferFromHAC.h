#pragma once
// hgl::ObjectBufferFromHAC<T>: an object cache that makes a missing object from the
// file of that name inside an archive. T's constructor takes (archive, name, format,
// mip-map flag) and loads itself. The archive is not owned.
//
// The archive type is a parameter only so that a test can stand in for hgl::HAC.
#include "core/Log.h"
#include "core/ObjectBuffer.h"
#include "io/HAC.h"

namespace hgl
{
template <typename T, typename ArchiveType = HAC> class ObjectBufferFromHAC : public ObjectBuffer<T>
{
    ArchiveType *hac;

    ArchiveType *GetArchive() const { return hac; }
    void InitPrivate() { Archive.template Bind<&ObjectBufferFromHAC::GetArchive>(this); }

  public:
    Property<ArchiveType *> Archive; // read only: the archive objects are made from

    ObjectBufferFromHAC(ArchiveType *archive, int size) : ObjectBuffer<T>(size), hac(archive)
    {
        InitPrivate();
    }

    // The archive is left alone; the cached objects go with the ObjectBuffer part.
    ~ObjectBufferFromHAC() override = default;

    // False without an archive (silently) or when the archive lacks the file.
    bool Create(const String &name, T *&value) override
    {
        if (!hac) return false;
        const u16char *text = name.c_str() ? name.c_str() : u"";
        if (!hac->FileExist(text))
        {
            PutInfo(u"要取得的资源没有找到:%s", text);
            return false;
        }
        value = new T(hac, text, 0, true);
        return true;
    }
};

class HGP;
class HGPSame;
using HGPBufferHAC = ObjectBufferFromHAC<HGP>;
using HGPSameBufferHAC = ObjectBufferFromHAC<HGPSame>;
} // namespace hgl
