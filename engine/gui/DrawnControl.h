#pragma once
// hgl::gui::DrawnControl: the object control of the drawing layers, which moves
// the drawing origin to its Left/Top while it and its children draw.
#include "framework/ObjectControl.h"
#include "graphics/gl/RenderState.h"

namespace hgl::gui
{
class DrawnControl : public ObjectControl
{
  public:
    using ObjectControl::ObjectControl;

  protected:
    void PushOrigin(float x, float y) override { PushTranslation(x, y); }
    void PopOrigin() override { PopTranslation(); }
};
} // namespace hgl::gui
