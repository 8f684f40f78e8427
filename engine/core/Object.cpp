#include "core/Object.h"

namespace hgl
{
namespace
{
Object::DestroyRequest destroy_request = nullptr;
}

void Object::SetDestroyRequest(DestroyRequest handler) { destroy_request = handler; }
Object::DestroyRequest Object::GetDestroyRequest() { return destroy_request; }

void Object::Destroy()
{
    if (destroy)
        return;
    destroy = true;
    if (owner && destroy_request)
        destroy_request(owner, this);
}
} // namespace hgl
