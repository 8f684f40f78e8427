#pragma once
// Clips drawing to a canvas rectangle (top-left coordinates) until the end of the
// scope. Scopes nest: an inner one clips to its overlap with the outer one, and
// the outer clip comes back when the inner scope ends; after the outermost one the
// scissor test is off again, so that later drawing is not clipped.
namespace hgl::gui
{
class ClipScope
{
  public:
    ClipScope(float l, float t, float w, float h);
    ~ClipScope();
    ClipScope(const ClipScope &) = delete;
    ClipScope &operator=(const ClipScope &) = delete;
};
} // namespace hgl::gui
