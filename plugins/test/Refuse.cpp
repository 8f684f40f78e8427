// "Compress.Refuse": a plug-in that refuses every interface request.
#include "TestEvents.h"

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    return 3;
}
HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    return u"拒绝接口的测试插件";
}

HGL_PLUGIN_EXPORT bool GetPlugInInterface(int, void *record)
{
    // Scribbling before refusing proves the engine throws the record away.
    if (record) static_cast<char *>(record)[0] = 1;
    return false;
}

HGL_TEST_UNLOAD_EVENT("Compress.Refuse")
