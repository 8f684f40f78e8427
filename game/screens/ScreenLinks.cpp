#include "game/screens/ScreenLinks.h"

#include "core/Log.h"

namespace avg
{
void LogMissingScreen(const hgl::u16char *what)
{
    hgl::PutError(u"画面<%s>不存在，不能打开", what);
}
} // namespace avg
