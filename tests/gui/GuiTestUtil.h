#pragma once
// Helpers of the widget tests: closures that count, a widget that counts its draws
// and paints its rectangle, and the drawing translation the controls move by.
#include "core/BoundMethod.h"
#include "framework/GUIObject.h"
#include "framework/TranslateHooks.h"

namespace hgl::test
{
// Binds a closure that adds one to counter on each call.
template <typename... A> void CountInto(BoundMethod<void(A...)> &closure, int &counter)
{
    closure.Bind(&counter, [](void *c, A...) { ++*static_cast<int *>(c); });
}

// Paints its rectangle in opaque red and counts how often it was drawn.
class Probe : public GUIObject
{
  public:
    int draws = 0;

    Probe(float l, float t, float w, float h) : GUIObject(l, t, w, h) { focusable = false; }
    void Draw() override;
};

// Installs a model-view push with translation as the drawing translation while it
// lives (needs a current GL context).
class GLTranslate
{
    TranslateHooks previous;

  public:
    GLTranslate();
    ~GLTranslate();
};
} // namespace hgl::test
