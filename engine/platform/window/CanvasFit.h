#pragma once
// Where a canvas of a fixed logical size lands inside a framebuffer of another size:
// scaled as large as fits with its aspect ratio kept, centred, with bars around.

namespace hgl::platform
{
struct FitRect
{
    int x = 0; // from the left of the target
    int y = 0; // from the top of the target
    int width = 0;
    int height = 0;

    bool operator==(const FitRect &) const = default;
};

// The canvas rectangle inside the target; an empty canvas or target gives an empty rectangle.
FitRect FitCanvas(int canvas_width, int canvas_height, int target_width, int target_height);

// A point of the target (window pixels, top-left origin) in canvas coordinates.
// Points on the bars map outside the canvas.
void TargetToCanvas(const FitRect &fit, int canvas_width, int canvas_height, double tx, double ty, int &cx,
                    int &cy);
} // namespace hgl::platform
