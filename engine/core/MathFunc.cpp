#include "core/MathFunc.h"

#include <cfenv>
#include <cmath>

namespace hgl
{
void InitFPU()
{
#if defined(__GLIBC__)
    fedisableexcept(FE_ALL_EXCEPT);
#endif
}

void SinCos(double angle, double *sin_out, double *cos_out)
{
    const double s = std::sin(angle);
    const double c = std::cos(angle);
    if (sin_out) *sin_out = s;
    if (cos_out) *cos_out = c;
}

double Atan2(double y, double x)
{
    return std::atan2(y, x);
}

double Sqrt(double value)
{
    return std::sqrt(value);
}
} // namespace hgl
