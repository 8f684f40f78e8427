#pragma once
// Points the engine at this build's plug-ins, wherever the test program runs from
// (the programs that use it are given HGL_PLUGIN_DIR_U by the build).
#include "io/Core.h"

namespace hgl::test
{
inline void UseBuildPlugIns()
{
    hgl::SetInfoString(hgl::infoPlugInsFolder, HGL_PLUGIN_DIR_U);
}
} // namespace hgl::test
