#pragma once
// hgl::ObjectBuffer<T>: a most-recently-used cache of objects keyed by file name.
// A missing object is made from the file of that name (T's constructor takes the
// name, a format and a mip-map flag, and loads itself); objects leaving the cache
// are deleted.
#include "core/FinUseData.h"
#include "core/String.h"

namespace hgl
{
template <typename T> class ObjectBuffer : public FinUseData<String, T *>
{
    using Base = FinUseData<String, T *>;

  public:
    explicit ObjectBuffer(int size) : Base(size) {}

    // Clear here, while this class's Release is still the one the virtual table reaches.
    ~ObjectBuffer() override { this->Clear(); }

    bool Create(const String &name, T *&value) override
    {
        const u16char *text = name.c_str();
        value = new T(text ? text : u"", 0, true);
        return true;
    }

    void Release(const String &, T *&value) override
    {
        delete value;
        value = nullptr;
    }
};

class HGP;
class HGPSame;
using HGPBuffer = ObjectBuffer<HGP>;
} // namespace hgl
