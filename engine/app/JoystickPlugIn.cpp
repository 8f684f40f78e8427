#include "app/JoystickPlugIn.h"

#include "core/Log.h"
#include "platform/window/PlatformWindow.h"

namespace hgl
{
namespace
{
constexpr uint32 JoystickPlugInVersion = 1;
}

JoystickPlugIn::JoystickPlugIn(platform::PlatformWindow *w) : window(w)
{
    name = u"Joystick";
    filename = u"(built-in)";
    intro = u"Joystick buttons through the window system";
    version = JoystickPlugInVersion;
    if (window) window->EnableJoystick(true);
    PutInfo(u"启动插件<%s>", name.c_str());
}

JoystickPlugIn::~JoystickPlugIn()
{
    if (window) window->EnableJoystick(false);
}
} // namespace hgl
