#include "game/screens/ScreenLinks.h"

#include "core/Log.h"

namespace avg
{
namespace
{
ScreenLinks &Links()
{
    static ScreenLinks links;
    return links;
}
} // namespace

void SetScreenLinks(const ScreenLinks &links)
{
    Links() = links;
}

const ScreenLinks &GetScreenLinks()
{
    return Links();
}

void LogMissingScreen(const hgl::u16char *what)
{
    hgl::PutError(u"画面<%s>不存在，不能打开", what);
}
} // namespace avg
