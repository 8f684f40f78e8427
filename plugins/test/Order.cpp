// "Test.Order": records the order of the engine's calls, and hands back the two
// engine callbacks it received (interface version 1) so that tests can call them.
#include "TestEvents.h"

namespace
{
hgl::PlugInInterfaceByNameCallback by_name = nullptr;
hgl::PlugInInterfaceByTypeCallback by_type = nullptr;
} // namespace

struct TestOrderInterface
{
    hgl::PlugInInterfaceByNameCallback ByName;
    hgl::PlugInInterfaceByTypeCallback ByType;
};

HGL_PLUGIN_EXPORT hgl::uint32 GetPlugInVersion()
{
    TestEvent("Test.Order", "Version");
    return 1;
}

HGL_PLUGIN_EXPORT const hgl::u16char *GetPlugInIntro()
{
    TestEvent("Test.Order", "Intro");
    return u"调用次序测试插件";
}

HGL_PLUGIN_EXPORT bool GetPlugInInterface(int version, void *record)
{
    if (version != 1 || !record) return false;
    auto *toi = static_cast<TestOrderInterface *>(record);
    toi->ByName = by_name;
    toi->ByType = by_type;
    return true;
}

HGL_PLUGIN_EXPORT void SetPlugInInterface(hgl::PlugInInterfaceByNameCallback name_cb,
                                          hgl::PlugInInterfaceByTypeCallback type_cb)
{
    TestEvent("Test.Order", "Set");
    by_name = name_cb;
    by_type = type_cb;
}

HGL_PLUGIN_EXPORT void InitPlugIn()
{
    TestEvent("Test.Order", "Init");
}
HGL_PLUGIN_EXPORT void ClosePlugIn()
{
    TestEvent("Test.Order", "Close");
}

HGL_TEST_UNLOAD_EVENT("Test.Order")
