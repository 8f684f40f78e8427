#pragma once
// The key a joystick button stands for when nothing takes the button itself.
namespace hgl
{
// 1 Up, 2 Down, 3 Left, 4 Right, 6 Enter, 7 Esc, 9 PageUp, 10 PageDown, 11 Home,
// 12 End (key codes of platform/window/KeyCode.h); key::None for any other button.
int JoystickButtonToKey(int button);
} // namespace hgl
