#include "game/screens/widgets/TZCGButton.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"

namespace hgl::gui
{
namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kFrameX = 15, kFrameY = 12; // the frame's overhang, design pixels
constexpr float kFrameRise = 0.6f;          // of the overhang, above the button
constexpr float kDimFrameBelow = 0.3f;      // a fainter button dims its frame more
constexpr float kDimFrameFactor = 0.6f;
constexpr float kCloudW = 40, kCloudH = 20; // design pixels
constexpr int kCloudsPerRow = 4;
} // namespace

TZCGButton::TZCGButton(float l, float t, float w, float h, const u16char *thumbnail_name)
    : Button(l, t, w, h), frame(avg::LoadHGP(u"DreamChar\\CharImageTex.HGP")),
      cloud(avg::LoadTexture2D(u"DreamChar\\Cloudy.TEX", 0)), thumbnail(avg::LoadHGP(thumbnail_name))
{
    OnDraw.Bind<&TZCGButton::DrawEntry>(this);
}

TZCGButton::~TZCGButton() = default;

void TZCGButton::DrawEntry(Button *, int)
{
    const float cw = float(GetCanvasWidth()), ch = float(GetCanvasHeight());
    const float fx = kFrameX * cw / kDesignW, fy = kFrameY * ch / kDesignH;
    const float a = alpha;

    frame->SetAlpha(a >= kDimFrameBelow ? a : kDimFrameFactor * a);
    avg::screen_draw::PictureTo(frame.get(), -fx, -kFrameRise * fy, width + 2 * fx, height + 2 * fy);
    thumbnail->SetAlpha(a);
    avg::screen_draw::PictureTo(thumbnail.get(), 0, 0, width, height);

    if (!cloud) return;
    cloud->Color.a = a;
    const float tw = kCloudW * cw / kDesignW, th = kCloudH * ch / kDesignH;
    const Point2f uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int i = 0; i < Strings.GetCount(); ++i)
    {
        const float x = float(i % kCloudsPerRow) * tw, y = height - float(i / kCloudsPerRow + 1) * th;
        const Point2f corner[4] = {{x, y}, {x + tw, y}, {x + tw, y + th}, {x, y + th}};
        avg::screen_draw::TexQuad(cloud.get(), corner, uv);
    }
}
} // namespace hgl::gui
