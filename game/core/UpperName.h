#pragma once
// Names the game compares without regard to letter case (script, event, music and
// choice names) are kept with ASCII letters upper-cased.
#include "core/String.h"

namespace avg
{
hgl::String UpperName(const hgl::String &name);
} // namespace avg
