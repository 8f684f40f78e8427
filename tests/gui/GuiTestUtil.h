#pragma once
// Helpers of the widget tests: closures that count, a widget that counts its draws
// and paints its rectangle, and a GL canvas with the drawing translation the
// controls move by.
#include "core/BoundMethod.h"
#include "framework/GUIObject.h"
#include "support/GLTestContext.h"

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

// A GL canvas for the widgets to draw on.
class GuiCanvas : public GLTestContext
{
  public:
    GuiCanvas(int w, int h) : GLTestContext(w, h) {}
    void Clear(); // to transparent black
    bool Inked(int x, int y) { return ReadPixel(x, y).a != 0; }
};
} // namespace hgl::test
