#include "game/core/GameValue.h"

#include "core/StrFunc.h"
#include "game/core/GameRecord.h"

namespace
{
bool IsFlagName(const hgl::u16char *name)
{
    return name[0] == u'H' || name[0] == u'h';
}

bool IsNumberText(const hgl::u16char *text)
{
    return text[0] == u'-' || (text[0] >= u'0' && text[0] <= u'9');
}
} // namespace

int GameValue::RGET(const hgl::u16char *name)
{
    if (!name || !*name) return 0;
    if (hgl::StrCmp(name, u"ON") == 0) return 1;
    if (hgl::StrCmp(name, u"OFF") == 0) return 0;
    if (IsFlagName(name)) return avg::GetSystemFlag(name);
    int value = 0;
    Get(name, value);
    return value;
}

void GameValue::RSET(const hgl::u16char *name, const hgl::u16char *text)
{
    if (!name || !*name) return;
    const hgl::u16char *source = text ? text : u"";
    const int value = IsNumberText(source) ? hgl::StrToInt(source) : RGET(source);
    if (IsFlagName(name))
        avg::SetSystemFlag(name, value);
    else
        Set(name, value);
}
