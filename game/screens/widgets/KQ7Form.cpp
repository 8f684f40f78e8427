#include "game/screens/widgets/KQ7Form.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/texture/Texture.h"

namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kBand = 24, kSide = 128; // design pixels
// The picture's bands: the top band ends at v0, the sides at u1, the side ends at v1.
constexpr float kV0 = 0.09375f, kU1 = 0.23046875f, kV1 = 0.8125f;
} // namespace

KQ7Form::KQ7Form(int left, int top, int width, int height, const hgl::u16char *frame_name, bool framed)
    : hgl::gui::Form(float(left), float(top), float(width), float(height), hgl::String())
{
    if (!framed) return;
    frame.reset(avg::LoadTexture2D(frame_name ? frame_name : u"", 0));
    OnDraw.Bind<&KQ7Form::DrawFrame>(this);
}

KQ7Form::KQ7Form(int left, int top, int width, int height)
    : hgl::gui::Form(float(left), float(top), float(width), float(height), hgl::String())
{
    OnDraw.Bind<&KQ7Form::NoFrame>(this);
}

KQ7Form::~KQ7Form() = default;

float KQ7Form::BandHeight()
{
    return kBand * float(hgl::GetCanvasHeight()) / kDesignH;
}

float KQ7Form::SideWidth()
{
    return kSide * float(hgl::GetCanvasWidth()) / kDesignW;
}

void KQ7Form::DrawFrame(hgl::gui::Form *)
{
    using hgl::Point2f;
    const float W = width, H = height;
    const float band = BandHeight(), side = SideWidth();
    const float h = H - 2 * band; // the inner height
    auto quad = [this](const Point2f uv[4], const Point2f corner[4])
    { avg::screen_draw::TexQuad(frame.get(), corner, uv); };

    const Point2f top_uv[4] = {{0, 0}, {1, 0}, {1, kV0}, {0, kV0}};
    const Point2f top_xy[4] = {{0, 0}, {W, 0}, {W, band}, {0, band}};
    quad(top_uv, top_xy);

    const Point2f bottom_uv[4] = {{1, kV0}, {0, kV0}, {0, 0}, {1, 0}};
    const Point2f bottom_xy[4] = {{0, H - band}, {W, H - band}, {W, H}, {0, H}};
    quad(bottom_uv, bottom_xy);

    const Point2f left_uv[4] = {{0, kV0}, {kU1, kV0}, {kU1, kV1}, {0, kV1}};
    const Point2f left_xy[4] = {{0, band}, {side, band}, {side, band + h}, {0, band + h}};
    quad(left_uv, left_xy);

    const Point2f right_uv[4] = {{kU1, kV1}, {0, kV1}, {0, kV0}, {kU1, kV0}};
    const Point2f right_xy[4] = {{W - side, band}, {W, band}, {W, band + h}, {W - side, band + h}};
    quad(right_uv, right_xy);

    const Point2f centre_uv[4] = {{0.5f, kV0}, {1, kV0}, {1, 1}, {0.5f, 1}};
    const Point2f centre_xy[4] = {{side, band}, {W - side, band}, {W - side, band + h}, {side, band + h}};
    quad(centre_uv, centre_xy);
}
