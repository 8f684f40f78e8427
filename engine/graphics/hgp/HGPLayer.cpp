#include "graphics/hgp/HGPLayer.h"

#include "graphics/texture/PictureFile.h"

namespace hgl
{
HGPLayer::HGPLayer()
{
    InitPrivate();
}

void HGPLayer::InitPrivate()
{
    Width.Bind<&HGPLayer::GetWidth>(this);
    Height.Bind<&HGPLayer::GetHeight>(this);
}

bool HGPLayer::Load(const HgpLayerData &data, unsigned int format, bool mipmap)
{
    Name = data.name;
    Left = data.left;
    Top = data.top;
    Color = data.color;
    return texture.Load(data.image, format, mipmap);
}

void HGPLayer::Draw(double x, double y, double scale_x, double scale_y)
{
    texture.Color = Color;
    texture.Draw(float(x), float(y), float(scale_x), float(scale_y));
}

void HGPLayer::DrawQuad(const Point2f corner[4])
{
    texture.Color = Color;
    texture.ApplyDrawQuad(corner);
}
} // namespace hgl
