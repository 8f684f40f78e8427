// "Test.NoIntro": has its version but lacks the required intro export; the load is
// incomplete, yet the plug-in is kept because its version was obtained.
#include "TestEvents.h"

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    return 7;
}
HGL_PLUGIN_EXPORT void InitPlugIn()
{
    TestEvent("Test.NoIntro", "Init");
}
HGL_PLUGIN_EXPORT void ClosePlugIn()
{
    TestEvent("Test.NoIntro", "Close");
}

HGL_TEST_UNLOAD_EVENT("Test.NoIntro")
