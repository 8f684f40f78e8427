#include "game/screens/widgets/CHint.h"

#include "game/core/GameResources.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <algorithm>

namespace
{
constexpr float kDesignW = 1600, kDesignH = 1200;
}

CHint::CHint(const hgl::u16char *picture_name) : picture(avg::LoadHGP(picture_name ? picture_name : u""))
{
    control->AddObject(picture);
}

void CHint::Draw()
{
    const hgl::uint64 now = hgl::GetTime();
    const hgl::uint64 delta = now - last_time;
    last_time = now;
    if (!started)
    {
        started = true;
        return;
    }
    elapsed += std::min<hgl::int64>(hgl::int64(delta), kLongestFrameMs);
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float w = float(picture->Width) * W / kDesignW, h = float(picture->Height) * H / kDesignH;
    avg::screen_draw::PictureTo(picture, (W - w) / 2, (H - h) / 2, w, h);
    if (elapsed > kShowMs) SetObjectState(fosReturn);
}
