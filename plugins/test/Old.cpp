// "Compress.Old": a compression plug-in of an interface version older than asked for.
#include "TestEvents.h"

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    return 2;
}
HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    return u"版本太低的测试插件";
}

HGL_PLUGIN_EXPORT bool GetPlugInInterface(int, void *)
{
    TestEvent("Compress.Old", "GetPlugInInterface");
    return true;
}

HGL_PLUGIN_EXPORT void ClosePlugIn()
{
    TestEvent("Compress.Old", "Close");
}

HGL_TEST_UNLOAD_EVENT("Compress.Old")
