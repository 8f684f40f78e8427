#pragma once
// The root classes of the engine's object model.
//
// _Object has no fields and a virtual destructor only; lists, maps and many other
// engine classes derive from it so that they can be held and deleted uniformly.
//
// Object is the base of everything that has an owner (the object control that holds
// it), can be enabled and can ask to be destroyed.
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class _Object
{
public:
    virtual ~_Object() = default;
};

class ObjectControl;

class Object : public _Object
{
public:
    // How a Destroy request reaches the owner: the object control's layer installs this,
    // the owner then removes and deletes the object (possibly later, at a safe point).
    using DestroyRequest = void (*)(ObjectControl *owner, Object *obj);

    static void SetDestroyRequest(DestroyRequest handler);
    static DestroyRequest GetDestroyRequest();

protected:
    ObjectControl *owner = nullptr;
    uint32 class_flags = 0;  // the object's kind bits, set by derived classes
    String name;
    bool enabled = true;
    bool destroy = false;    // set once by Destroy

public:
    Object() = default;
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;
    ~Object() override = default;

    virtual void SetOwner(ObjectControl *control) { owner = control; }
    virtual void SetEnabled(bool value) { enabled = value; }

    // Marks the object for destruction (once) and asks the owner to remove and delete it.
    // An object without owner, or before any owner layer is present, is only marked.
    virtual void Destroy();

    ObjectControl *GetOwner() const { return owner; }
    bool IsEnabled() const { return enabled; }
    bool IsDestroyed() const { return destroy; }
    uint32 GetClassFlags() const { return class_flags; }
    const String &GetName() const { return name; }
    void SetName(const String &value) { name = value; }
};
} // namespace hgl
