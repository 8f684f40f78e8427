#pragma once
// RGB and RGBA float colours, and the table of named colours they can be set from.
#include "core/Types.h"

namespace hgl
{
// One row of the named colour table: 0-255 components and the Chinese name.
struct NamedColor
{
    int32 red, green, blue;
    u16char name[9]; // up to 8 units and a terminator
};

constexpr int NamedColorCount = 148;

// Row 0 is black with an empty name; rows 1-147 are the CSS/SVG colour keywords in
// alphabetical order of their English keywords. Looked up by number only: the
// names are not unique.
extern const NamedColor NamedColorTable[NamedColorCount];

class Color3f
{
  public:
    float r = 0, g = 0, b = 0;

    Color3f() = default;
    Color3f(float vr, float vg, float vb) : r(vr), g(vg), b(vb) {}

    // From table row number (0-147; any other number gives row 0).
    void Use(int number);

    // Each component limited to 0-1.
    void Clamp();

    // Moves toward (tr, tg, tb) by the factor t: t 0 leaves the colour, t 1 gives the
    // target exactly, anything else c + (target - c) * t without clamping.
    void To(float tr, float tg, float tb, float t);

    bool operator==(const Color3f &) const = default;
};

class Color4f
{
  public:
    float r = 0, g = 0, b = 0, a = 1; // opaque black by default

    Color4f() = default;
    Color4f(float vr, float vg, float vb, float va) : r(vr), g(vg), b(vb), a(va) {}

    // From table row number (0-147; any other number gives row 0), with the given alpha.
    void Use(int number, float alpha);

    // Each component limited to 0-1.
    void Clamp();

    bool operator==(const Color4f &) const = default;
};
} // namespace hgl

// The table is also known by its bare name.
using hgl::NamedColor;
using hgl::NamedColorTable;
