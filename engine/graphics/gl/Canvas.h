#pragma once
// The 2D canvas every screen lays itself out on, and the two projections the
// screens switch between.

namespace hgl
{
// The canvas size in pixels of the window whose context is current (0 without one).
int GetCanvasWidth();
int GetCanvasHeight();

// 2D: x to the right and y downwards from the top-left corner, width x height units
// over the whole canvas; depth test off, model-view identity.
void SetOrtho2D(int width, int height);

// Clears colour and depth to opaque black: the start of every drawn frame.
void ClearCanvas();

// 3D: a perspective projection (field of view in degrees) with depth test on and an
// identity model-view.
void SetPerspective3D(double fovy, double aspect, double near_plane, double far_plane);
} // namespace hgl
