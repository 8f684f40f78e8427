#pragma once
// The root classes of the engine's object model.
//
// _Object has no fields and a virtual destructor only; lists, maps and many other
// engine classes derive from it so that they can be held and deleted uniformly.
//
// Object is the base of everything that has an owner (the container that holds it,
// an object control in practice), can be enabled and can ask to be destroyed.
#include "core/String.h"
#include "core/Types.h"

namespace hgl
{
class _Object
{
  public:
    virtual ~_Object() = default;
};

class Object;

// What an object needs of the container that owns it. The containers live in higher
// layers; this is all the object knows of them.
class ObjectOwner
{
  public:
    // obj asked to be destroyed: remove it and delete it (at once or at a safe point).
    virtual void DestroyObject(Object *obj) = 0;
    // obj is being deleted by someone else: forget it without deleting it. Runs from
    // ~Object, when nothing of obj beyond Object is left.
    virtual void ForgetObject(Object *obj) = 0;

  protected:
    ~ObjectOwner() = default;
};

class Object : public _Object
{
  protected:
    ObjectOwner *owner = nullptr;
    uint32 class_flags = 0; // the object's kind bits, set by derived classes
    String name;
    bool enabled = true;
    bool destroy = false; // set once by Destroy

  public:
    Object() = default;
    Object(const Object &) = delete;
    Object &operator=(const Object &) = delete;
    // A child deleted while its owner still holds it takes itself out of the owner.
    ~Object() override;

    virtual void SetOwner(ObjectOwner *control) { owner = control; }
    virtual void SetEnabled(bool value) { enabled = value; }

    // Marks the object for destruction (once) and asks the owner to remove and delete
    // it. An object without owner is only marked.
    virtual void Destroy();

    ObjectOwner *GetOwner() const { return owner; }
    bool IsEnabled() const { return enabled; }
    bool IsDestroyed() const { return destroy; }
    uint32 GetClassFlags() const { return class_flags; }
    const String &GetName() const { return name; }
    void SetName(const String &value) { name = value; }
};
} // namespace hgl
