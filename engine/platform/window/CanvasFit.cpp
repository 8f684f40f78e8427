#include "platform/window/CanvasFit.h"

#include <cmath>
#include <cstdint>

namespace hgl::platform
{
FitRect FitCanvas(int canvas_width, int canvas_height, int target_width, int target_height)
{
    if (canvas_width <= 0 || canvas_height <= 0 || target_width <= 0 || target_height <= 0) return {};

    FitRect fit;
    // Compare canvas_w/canvas_h with target_w/target_h without rounding.
    if (int64_t(target_width) * canvas_height <= int64_t(target_height) * canvas_width)
    {
        fit.width = target_width;
        fit.height = int(int64_t(target_width) * canvas_height / canvas_width);
    }
    else
    {
        fit.height = target_height;
        fit.width = int(int64_t(target_height) * canvas_width / canvas_height);
    }
    fit.x = (target_width - fit.width) / 2;
    fit.y = (target_height - fit.height) / 2;
    return fit;
}

void TargetToCanvas(const FitRect &fit, int canvas_width, int canvas_height, double tx, double ty, int &cx,
                    int &cy)
{
    if (fit.width <= 0 || fit.height <= 0)
    {
        cx = int(std::floor(tx));
        cy = int(std::floor(ty));
        return;
    }
    cx = int(std::floor((tx - fit.x) * canvas_width / fit.width));
    cy = int(std::floor((ty - fit.y) * canvas_height / fit.height));
}
} // namespace hgl::platform
