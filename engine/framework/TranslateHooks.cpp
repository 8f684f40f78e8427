#include "framework/TranslateHooks.h"

namespace hgl
{
namespace
{
TranslateHooks current;
}

TranslateHooks SetTranslateHooks(const TranslateHooks &hooks)
{
    const TranslateHooks old = current;
    current = hooks;
    return old;
}

const TranslateHooks &GetTranslateHooks()
{
    return current;
}
} // namespace hgl
