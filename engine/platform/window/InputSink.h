#pragma once
// Input as the engine sees it: engine key codes, UTF-16 characters, pointer
// positions in canvas coordinates, button flags, 1-based joystick buttons.
#include <cstdint>

namespace hgl::platform
{
// Flags that come with pointer events: the buttons held and the modifiers down.
enum MouseFlag : unsigned
{
    MouseFlagLeft = 1,
    MouseFlagRight = 2,
    MouseFlagShift = 4,
    MouseFlagCtrl = 8,
    MouseFlagMiddle = 16,
};

enum class MouseButton
{
    Left,
    Right,
    Middle,
};

class InputSink
{
  public:
    virtual ~InputSink() = default;

    virtual void OnMouseMove(int /*x*/, int /*y*/, unsigned /*flags*/) {}
    virtual void OnMouseDown(MouseButton, int /*x*/, int /*y*/, unsigned /*flags*/) {}
    virtual void OnMouseUp(MouseButton, int /*x*/, int /*y*/, unsigned /*flags*/) {}
    // delta: a multiple of 120, positive away from the user.
    virtual void OnMouseWheel(int /*delta*/, int /*x*/, int /*y*/, unsigned /*flags*/) {}
    virtual void OnKeyDown(int /*key*/) {}
    virtual void OnKeyRepeat(int /*key*/) {}
    virtual void OnKeyUp(int /*key*/) {}
    virtual void OnChar(char16_t /*ch*/) {}
    virtual void OnJoystickDown(int /*button*/) {}
    virtual void OnJoystickRepeat(int /*button*/) {}
    virtual void OnJoystickUp(int /*button*/) {}
    virtual void OnActive(bool /*active*/) {}
    virtual void OnCloseRequest() {}
};
} // namespace hgl::platform
