// "Test.NoVersion": lacks the required version export, but has start and close
// functions, which must then never be called.
#include "TestEvents.h"

HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    return u"没有版本的测试插件";
}
HGL_PLUGIN_EXPORT void InitPlugIn()
{
    TestEvent("Test.NoVersion", "Init");
}
HGL_PLUGIN_EXPORT void ClosePlugIn()
{
    TestEvent("Test.NoVersion", "Close");
}

HGL_TEST_UNLOAD_EVENT("Test.NoVersion")
