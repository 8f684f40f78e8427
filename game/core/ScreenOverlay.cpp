#include "game/core/ScreenOverlay.h"

#include "game/core/GameResources.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <cmath>
#include <numbers>

namespace avg
{
ScreenOverlay::ScreenOverlay(Mode m) : mode(m) {}

ScreenOverlay::~ScreenOverlay() = default;

void ScreenOverlay::Start(const hgl::String &name_)
{
    name = name_;
    picture.reset();
    started = hgl::GetTime();
    on = true;
}

void ScreenOverlay::Stop()
{
    on = false;
    name.Clear();
    picture.reset();
}

void ScreenOverlay::Draw()
{
    const int w = hgl::GetCanvasWidth(), h = hgl::GetCanvasHeight();
    if (!on || w <= 0 || h <= 0) return;
    if (!picture) picture.reset(LoadHGP(name));
    if (picture->IsEmpty() || picture->Width <= 0 || picture->Height <= 0) return;
    const double sx = double(w) / picture->Width, sy = double(h) / picture->Height;
    const hgl::uint64 elapsed = hgl::GetTime() - started;
    if (mode == Pulse)
    {
        const double phase = double(elapsed % kPulsePeriodMs) / kPulsePeriodMs;
        picture->SetAlpha(float(0.5 - 0.5 * std::cos(2 * std::numbers::pi * phase)));
        picture->Draw(0, 0, sx, sy);
        return;
    }
    const int frame = int(elapsed / kFrameMs);
    if (frame >= picture->LayerCount)
    {
        Stop();
        return;
    }
    picture->DrawLayer(frame, 0, 0, sx, sy);
}
} // namespace avg
