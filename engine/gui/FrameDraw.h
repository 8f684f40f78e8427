#pragma once
// Plain rectangles for the widgets' own frames, in the current drawing space,
// untextured and alpha-blended.
#include "core/Color.h"
#include "gui/WidgetSupport.h"

namespace hgl::gui
{
void FillRect(float l, float t, float w, float h, const Color4f &color);
// A one-pixel line just inside the rectangle's edges.
void OutlineRect(float l, float t, float w, float h, const Color4f &color);
} // namespace hgl::gui
