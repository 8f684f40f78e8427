#include "game/screens/extras/ViewHGP.h"

#include "game/core/GameResources.h"
#include "game/stage/StageDraw.h"
#include "game/stage/back/ScenePicture.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/Canvas.h"
#include "graphics/gl/ScreenShot.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <algorithm>

namespace
{
constexpr int kKeyEsc = 1, kKeyF1 = 2;
constexpr float kMarkerSide = 30.0f / 768.0f; // of the canvas height
constexpr float kMarkerGap = 10.0f;

// The picture stretched over (x, y, w, h), at that alpha.
void Stretch(hgl::HGP *picture, float x, float y, float w, float h, float alpha)
{
    if (!picture || picture->Width <= 0 || picture->Height <= 0) return;
    avg::stage_draw::Picture(picture, x, y, w / float(picture->Width), h / float(picture->Height), alpha);
}
} // namespace

ViewHGP::ViewHGP(const hgl::StringList &list, float left, float top, float width, float height, bool markers)
    : show_markers(markers)
{
    for (int i = 0; i < list.GetCount(); ++i)
        names.Add(list[i]);
    marker = avg::LoadHGP(u"DreamScene\\untitled.HGP");
    control->AddObject(marker);

    if (names.GetCount() > 0) current_path = PathOf(0);

    const float target[4] = {0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight())};
    const float start[4] = {left, top, width, height};
    for (int i = 0; i < 4; ++i)
    {
        rect[i] = start[i];
        steps[i] = kOpenStep * (target[i] - start[i]);
    }
    hgl::draw::SetClearColor(hgl::Color4f(0, 0, 0, 1));

    FlowObject::OnKeyDown.Bind<&ViewHGP::OnKeyDown>(this);
    FlowObject::OnMouseLeftDown.Bind<&ViewHGP::OnMouseLeftDown>(this);
    FlowObject::OnMouseRightDown.Bind<&ViewHGP::OnMouseRightDown>(this);
}

ViewHGP::~ViewHGP() = default;

hgl::String ViewHGP::PathOf(int i) const
{
    hgl::String path;
    avg::GetScenePicture(names[i] + u".HGP", &path);
    return path;
}

bool ViewHGP::OnKeyDown(int key)
{
    if (opening) return false;
    if (key == kKeyEsc)
        closing = true;
    else if (key == kKeyF1)
        hgl::SaveScreenShot(nullptr, -1, -1);
    return true;
}

bool ViewHGP::OnMouseRightDown(int, int, int)
{
    return OnKeyDown(kKeyEsc);
}

void ViewHGP::FinishSwitch()
{
    current_path = next_path;
    next_path = hgl::String();
    switching = false;
}

bool ViewHGP::OnMouseLeftDown(int, int, int)
{
    if (names.GetCount() == 0) return true;
    index = (index + 1) % names.GetCount();
    if (switching) FinishSwitch();
    next_path = PathOf(index);
    switching = true;
    switch_start = 0;
    return true;
}

void ViewHGP::DrawOpening(hgl::HGP *current)
{
    Stretch(current, rect[0], rect[1], rect[2], rect[3], 1.0f);
    for (int i = 0; i < 4; ++i)
        rect[i] += float(elapsed) * steps[i];
    opened_ms += int(elapsed);
    // The steps reach the canvas after exactly kOpenMs; rounding must not leave a
    // sliver of a frame more.
    if (opened_ms >= kOpenMs)
    {
        rect[0] = rect[1] = 0;
        rect[2] = float(hgl::GetCanvasWidth());
        rect[3] = float(hgl::GetCanvasHeight());
    }
    if (rect[0] <= 0) opening = false;
}

void ViewHGP::DrawShowing(hgl::HGP *current)
{
    const hgl::int64 now = hgl::int64(hgl::GetTime());
    float next_alpha = 0;
    if (switching)
    {
        if (switch_start == 0) switch_start = now;
        const hgl::int64 since = now - switch_start;
        if (since >= kSwitchMs)
        {
            FinishSwitch();
            current = avg::GetScenePictureAt(current_path);
        }
        else
            next_alpha = kSwitchAlphaStep * float(since);
    }

    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    Stretch(current, 0, 0, w, h, alpha);
    // A picture fading in fades out with the viewer too.
    if (switching) Stretch(avg::GetScenePictureAt(next_path), 0, 0, w, h, next_alpha * alpha);

    if (closing)
    {
        ++closed_frames;
        alpha = 1.0f - kCloseStep * float(closed_frames);
        if (closed_frames >= kCloseFrames) SetObjectState(fosReturn);
    }

    if (show_markers && marker && marker->Width > 0 && marker->Height > 0)
    {
        const float s = kMarkerSide * h;
        for (int i = 0; i < names.GetCount(); ++i)
            avg::stage_draw::Picture(marker, (s + kMarkerGap) * float(i) + kMarkerGap, kMarkerGap,
                                     s / float(marker->Width), s / float(marker->Height), 1.0f);
    }
}

void ViewHGP::Draw()
{
    const hgl::int64 now = hgl::int64(hgl::GetTime());
    const bool first = last_time == 0;
    elapsed = std::clamp<hgl::int64>(now - last_time, 0, kLongestFrameMs);
    last_time = now;
    if (first) return;

    hgl::HGP *current = avg::GetScenePictureAt(current_path);
    if (opening)
        DrawOpening(current);
    else
        DrawShowing(current);
}
