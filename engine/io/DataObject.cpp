#include "io/DataObject.h"

namespace hgl
{
bool Stream::ReadObject(DataObject *obj)
{
    return obj ? obj->ReadFromStream(this) : false;
}

bool Stream::WriteObject(DataObject *obj)
{
    return obj ? obj->WriteToStream(this) : false;
}
} // namespace hgl
