#pragma once
// Base of objects that save themselves to a stream and load themselves back.
#include "core/Object.h"
#include "core/Stream.h"

namespace hgl
{
class DataObject : public Object
{
  public:
    ~DataObject() override = default;

    // The base forms know no data: both fail.
    virtual bool WriteToStream(Stream *) { return false; }
    virtual bool ReadFromStream(Stream *) { return false; }
};
} // namespace hgl
