#pragma once
// The picture of a save slot: the game screen as it was drawn, a quarter of the
// canvas on each side, written as "<slot>.hgp" (one RGB layer "L0").
#include "core/String.h"
#include "core/Types.h"

#include <vector>

namespace hgl
{
class MemStream;
}

namespace avg
{
class Thumbnail
{
    int width = 0, height = 0;
    std::vector<hgl::uint8> rgb; // rows from the top

  public:
    static constexpr int kScaleDown = 4;

    // Copies the frame just drawn; false without a canvas.
    bool Capture();
    bool IsEmpty() const { return rgb.empty(); }
    int Width() const { return width; }
    int Height() const { return height; }
    const std::vector<hgl::uint8> &Pixels() const { return rgb; }

    // The picture as an HGP file; false when there is none.
    bool Encode(hgl::MemStream &out) const;
    // Writes the picture to a temporary file renamed over the target.
    bool Write(const hgl::String &filename) const;
};
} // namespace avg
