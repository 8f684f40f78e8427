#pragma once
// The built-in "Joystick" plug-in: while it lives, the window reads the first
// joystick's buttons at every poll and they reach the screens as joystick events.
#include "io/PlugIn.h"

namespace hgl
{
namespace platform
{
class PlatformWindow;
}

class JoystickPlugIn : public PlugIn
{
    platform::PlatformWindow *window;

  public:
    explicit JoystickPlugIn(platform::PlatformWindow *window);
    ~JoystickPlugIn() override; // stops the polling
};
} // namespace hgl
