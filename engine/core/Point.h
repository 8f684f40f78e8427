#pragma once
// The float 2D point.

namespace hgl
{
class Point2f
{
  public:
    float x = 0, y = 0;

    Point2f() = default;
    Point2f(float vx, float vy) : x(vx), y(vy) {}

    // Turns the point about (cx, cy) by degrees; with y pointing down, as on the
    // screen, a positive angle turns clockwise. Computed in double, stored as float.
    void Rotate(double cx, double cy, double degrees);

    bool operator==(const Point2f &) const = default;
};
} // namespace hgl
