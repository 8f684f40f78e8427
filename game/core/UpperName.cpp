#include "game/core/UpperName.h"

#include <string>

namespace avg
{
hgl::String UpperName(const hgl::String &name)
{
    std::u16string text = name.ToStdString();
    for (char16_t &c : text)
        if (c >= u'a' && c <= u'z') c = char16_t(c - u'a' + u'A');
    return hgl::String(text);
}
} // namespace avg
