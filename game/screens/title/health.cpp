#include "game/screens/title/health.h"

#include "game/core/GameResources.h"
#include "game/screens/title/MovieFactory.h"
#include "game/stage/StageDraw.h"
#include "graphics/gl/Canvas.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

health::health(const avg::GameWiring &w) : wiring(w), picture(avg::LoadHGP(u"StartMenu\\jkgg.HGP"))
{
    control->AddObject(picture);
}

health::~health() = default;

void health::Draw()
{
    const hgl::uint32 now = hgl::uint32(hgl::GetTime());
    const hgl::uint32 delta = now - last_time;
    last_time = now;
    // The first frame has nothing to be timed against.
    if (timing && delta > 0) elapsed += delta < kLongestFrameMs ? delta : kLongestFrameMs;
    timing = true;

    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    if (picture->Width > 0 && picture->Height > 0)
        picture->Draw(0, 0, w / float(picture->Width), h / float(picture->Height));

    hgl::draw::NoTexture();
    hgl::draw::SetBlend(hgl::BlendMode::Normal);
    avg::stage_draw::Quad(0, 0, w, h, avg::stage_draw::kBlack, overlay);

    if (elapsed > kFadeInAfterMs && fading_in)
    {
        if (overlay <= 0)
            fading_in = false;
        else
            overlay -= kFadeStep;
    }
    if (elapsed > kFadeOutAfterMs && !fading_in && overlay < 1) overlay += kFadeStep;

    if (!fading_in && elapsed > kFadeOutAfterMs && overlay >= 1 && !movie_started)
    {
        movie_started = true;
        SetNextObject(avg::MakeMovie(wiring, {u"Video\\logo.ogv", u"Video\\logo.ogg", false, false}));
        SetObjectState(fosReplace);
    }
}
