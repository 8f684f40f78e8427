#include "framework/JoystickKey.h"

#include "platform/window/KeyCode.h"

namespace hgl
{
namespace
{
struct ButtonKey
{
    int button;
    int key;
};

constexpr ButtonKey kJoystickKeys[] = {
    {1, key::Up},  {2, key::Down},   {3, key::Left},      {4, key::Right}, {6, key::Enter},
    {7, key::Esc}, {9, key::PageUp}, {10, key::PageDown}, {11, key::Home}, {12, key::End},
};
} // namespace

int JoystickButtonToKey(int button)
{
    for (const ButtonKey &entry : kJoystickKeys)
        if (entry.button == button) return entry.key;
    return key::None;
}
} // namespace hgl
