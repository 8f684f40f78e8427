// "Compress.NoIface": a plug-in that exports no interface function.
#include "TestEvents.h"

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    return 3;
}
HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    return u"没有接口的测试插件";
}

HGL_TEST_UNLOAD_EVENT("Compress.NoIface")
