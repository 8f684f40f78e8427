#pragma once
// Floating-point set-up and the few math primitives the engine calls directly.

namespace hgl
{
// Masks all floating-point exceptions, so that an invalid operation yields a NaN or
// infinity instead of a trap. Run once at engine start-up.
void InitFPU();

// Sine and cosine of angle (radians) in one call.
void SinCos(double angle, double *sin_out, double *cos_out);

// The full-circle angle of (x, y) in radians, -pi to pi.
double Atan2(double y, double x);

double Sqrt(double value);
} // namespace hgl
