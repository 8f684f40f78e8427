#pragma once
// OpenGL switches the screens flip many times a frame, cached so that a switch
// already in the asked state costs no GL call. The cache follows the current
// context: made current elsewhere, it forgets what it knew and asks GL again.
// GL enums and names are passed as unsigned int so that this header needs no GL header.

namespace hgl
{
// Both also end a colour logic op.
void EnableBlend(unsigned int src_factor, unsigned int dst_factor);
void DisableBlend();

// Colour logic operation (used by the inverting blend mode); off by default.
void EnableLogicOp(unsigned int op);
void DisableLogicOp();

// Unbinds and disables the textures of every unit, then selects unit 0.
void UnbindAllTextures();

// glPushMatrix / glPopMatrix of the given matrix mode, which stays selected.
void PushMatrix(unsigned int matrix_mode);
void PopMatrix(unsigned int matrix_mode);

// Moves the drawing origin of later draws by (x, y), and back (see graphics/draw/Painter.h).
void PushTranslation(float x, float y);
void PopTranslation();

void EnableDepthTest();
void DisableDepthTest();
void EnableDepthMask();
void DisableDepthMask();

void SetLineWidth(float width);
void EnableLineSmooth();
void DisableLineSmooth();
void DisableLineStipple();

// Only the rectangle (left, top, width, height) in top-left canvas coordinates is drawn.
void EnableScissor(int left, int top, int width, int height);
void DisableScissor();

// Forgets every cached state, e.g. after code outside the cache changed GL state.
void ResetRenderState();
} // namespace hgl
