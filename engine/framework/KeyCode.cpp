#include "framework/KeyCode.h"

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
    {1, kbUp},  {2, kbDown},   {3, kbLeft},      {4, kbRight}, {6, kbEnter},
    {7, kbEsc}, {9, kbPageUp}, {10, kbPageDown}, {11, kbHome}, {12, kbEnd},
};
} // namespace

int JoystickButtonToKey(int button)
{
    for (const ButtonKey &entry : kJoystickKeys)
        if (entry.button == button) return entry.key;
    return kbNone;
}
} // namespace hgl
