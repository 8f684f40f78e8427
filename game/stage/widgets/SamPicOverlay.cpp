#include "game/stage/widgets/SamPicOverlay.h"

#include "graphics/gl/Canvas.h"

void SamPicOverlay::Start(const hgl::String &picture)
{
    avg::ScreenOverlay::Start(picture);
    loaded = false;
}

void SamPicOverlay::Draw()
{
    const int w = hgl::GetCanvasWidth(), h = hgl::GetCanvasHeight();
    if (!IsOn() || w <= 0 || h <= 0) return;
    if (!loaded)
    {
        pic.SetImage(GetName(), 0, 0, float(w), float(h));
        loaded = true;
    }
    if (mode == Pulse)
        pic.DrawPulse();
    else if (!pic.DrawFrames())
        Stop();
}
