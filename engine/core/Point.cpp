#include "core/Point.h"

#include "core/MathFunc.h"

namespace hgl
{
void Point2f::Rotate(double cx, double cy, double degrees)
{
    const double angle = degrees * 3.141592653589793 * (1.0 / 180.0);
    double s, c;
    SinCos(angle, &s, &c);

    const double dx = double(x) - cx;
    const double dy = double(y) - cy;

    x = float(dx * c - dy * s + cx);
    y = float(dx * s + dy * c + cy);
}
} // namespace hgl
