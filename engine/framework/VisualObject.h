#pragma once
// An object that is updated and drawn once a frame by its owner. A hidden object is
// neither drawn nor offered input.
#include "core/Object.h"
#include "core/Property.h"

namespace hgl
{
class VisualObject : public Object
{
    void InitPrivate();

  protected:
    float alpha = 1.0f;
    bool visible = true;

    float GetAlpha() const { return alpha; }
    bool GetVisible() const { return visible; }
    bool GetEnabled() const { return enabled; }

  public:
    Property<float> Alpha;
    Property<bool> Visible;
    Property<bool> Enabled;

    VisualObject();
    ~VisualObject() override = default;

    virtual void SetAlpha(float value) { alpha = value; }
    virtual void SetVisible(bool value) { visible = value; }
    bool IsVisible() const { return visible; }

    // The object's own work once a frame; nothing by default.
    virtual void Update() {}
    // The object's own drawing; nothing by default.
    virtual void Draw() {}

    // What the owner calls each frame. An object with children runs its own step and
    // then theirs; a plain object only its own.
    virtual void UpdateObject() { Update(); }
    virtual void DrawObject() { Draw(); }
};
} // namespace hgl
