#pragma once
// One layer of a layered picture: its own texture, its place inside the picture,
// a name and a colour whose alpha is the layer's transparency (alpha <= 0: the
// picture leaves the layer out, though the layer itself still draws when asked).
#include "core/Color.h"
#include "core/Point.h"
#include "core/Property.h"
#include "core/String.h"
#include "graphics/texture/Texture.h"

namespace hgl
{
struct HgpLayerData;

class HGPLayer
{
    Texture2D texture;

    int GetWidth() const { return texture.Width; }
    int GetHeight() const { return texture.Height; }
    void InitPrivate();

  public:
    String Name;
    int Left = 0, Top = 0; // inside the picture
    Color4f Color{1, 1, 1, 1};

    Property<int> Width;  // read only
    Property<int> Height; // read only

    HGPLayer();
    virtual ~HGPLayer() = default;
    HGPLayer(const HGPLayer &) = delete;
    HGPLayer &operator=(const HGPLayer &) = delete;

    bool Load(const HgpLayerData &data, unsigned int format, bool mipmap);
    bool IsVisible() const { return Color.a > 0; }
    void SetBlendMode(int mode) { texture.BlendMode = mode; }
    Texture2D &GetTexture() { return texture; }

    // Draws the layer at (x, y) in its colour, whatever its alpha; nothing at scale 0.
    void Draw(double x, double y, double scale_x = 1, double scale_y = 1);
    // Draws the layer onto four corners (top-left, top-right, bottom-right, bottom-left).
    void DrawQuad(const Point2f corner[4]);
};

// The layer of a picture of the HGPSame kind; it draws the same way.
class HGPSameLayer : public HGPLayer
{
};
} // namespace hgl
