#include "core/Property.h"

#include "core/String.h"

namespace hgl
{
PropertyString::PropertyString()
{
    Length.Bind<&PropertyString::GetLength>(this);
}

int PropertyString::GetLength() const
{
    return target ? target->GetLength() : 0;
}

PropertyString &PropertyString::operator=(const String &value)
{
    if (target) *target = value;
    if (change_notice) change_notice();
    return *this;
}

PropertyString &PropertyString::operator=(const PropertyString &source)
{
    // Read first: source may share this property's target.
    const String value = source.target ? *source.target : String();
    return *this = value;
}

PropertyString &PropertyString::operator=(const u16char *text)
{
    if (target) *target = String(text);
    if (change_notice) change_notice();
    return *this;
}
} // namespace hgl
