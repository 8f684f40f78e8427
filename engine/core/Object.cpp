#include "core/Object.h"

namespace hgl
{
Object::~Object()
{
    if (owner) owner->ForgetObject(this);
}

void Object::Destroy()
{
    if (destroy) return;
    destroy = true;
    if (owner) owner->DestroyObject(this);
}
} // namespace hgl
