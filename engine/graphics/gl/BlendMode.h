#pragma once
// The engine's blend table: how a drawing is combined with what is already there.

namespace hgl
{
struct BlendMode
{
    static constexpr int Normal = 1;   // source alpha over the destination
    static constexpr int Opaque = 2;   // the source replaces the destination
    static constexpr int Add = 3;      // source added
    static constexpr int Glow = 4;     // source added by its alpha (particles)
    static constexpr int Multiply = 5; // destination times source colour
    static constexpr int Shadow = 6;   // darkens by the source alpha (drop shadows)
    static constexpr int Dim = 7;      // darkens by the source colour
    static constexpr int Invert = 8;   // the inverted source (blending off, logic op)

    // Switches blending to a mode of the table; another number is refused with a log line.
    static bool Set(int mode);
};
} // namespace hgl
