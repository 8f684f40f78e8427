#include "game/stage/char/CharPic.h"

#include "core/Point.h"
#include "core/Random.h"
#include "core/StrFunc.h"
#include "game/core/DataTables.h"
#include "game/core/GameResources.h"
#include "game/core/UpperName.h"
#include "game/stage/char/CharName.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <algorithm>
#include <cmath>

namespace avg
{
namespace
{
constexpr float kFadePerMs = 0.002f;
constexpr float kZoomStep = 0.25f;
constexpr float kDarkGrey = 183.0f / 255.0f;
constexpr float kOpacitySteps = 255.0f;
constexpr int kMouthWrap = 30, kMouthRestart = 5, kMouthSpread = 11;
constexpr float kBaseTop = 300.0f, kAnchorPart = 0.2f, kAnchorHeight = 700.0f;
using namespace char_name;
constexpr int kPoseAt = 4, kLayersPerPose = 3;

float Steps255(float opacity)
{
    return std::clamp(std::floor(opacity * kOpacitySteps) / kOpacitySteps, 0.0f, 1.0f);
}

struct Rect
{
    float left, top, w, h;
};

// The layer of the pose's mouth frame: a missing mouth layer shows the pose's
// first, a picture of one layer always its only one, a pose outside the picture
// nothing (-1).
int LayerIndex(const hgl::HGPSame *picture, const hgl::String &name, int frame)
{
    if (picture->LayerCount == 1) return 0;
    const long long first = (long long)hgl::StrToInt(name.c_str() + kPoseAt) * kLayersPerPose;
    if (first < 0 || first >= picture->LayerCount) return -1;
    return first + frame < picture->LayerCount ? int(first + frame) : int(first);
}

void DrawLayer(hgl::HGPSame *picture, int index, const Rect &r, float grey, float opacity, bool facing,
               bool upside_down)
{
    hgl::HGPSameLayer *layer = picture->GetLayer(index);
    if (!layer) return;
    layer->Color = hgl::Color4f(grey, grey, grey, Steps255(opacity));
    if (upside_down)
    {
        const float H = float(hgl::GetCanvasHeight());
        const hgl::Point2f corner[4] = {{r.left + r.w, H - r.top},
                                        {r.left, H - r.top},
                                        {r.left, H - r.top - r.h},
                                        {r.left + r.w, H - r.top - r.h}};
        picture->DrawLayerQuad(index, corner);
        return;
    }
    const double s = double(r.h) / picture->Height;
    if (facing)
        picture->DrawLayer(index, r.left, r.top, s, s);
    else
        picture->DrawLayer(index, r.left + r.w, r.top, -s, s);
}

// The picture of a file found at loading; a picture the cache let go of is read again.
bool Lookup(const hgl::String &file, hgl::HGPSame *&picture)
{
    hgl::HGPSameBufferHAC *cache = GetCharacterPictureCache();
    picture = nullptr;
    return !file.IsEmpty() && cache && cache->Get(file, picture) && picture && picture->Height > 0;
}
} // namespace

void CharPic::Load(const hgl::String &picture_name)
{
    if (picture_name.IsEmpty())
    {
        Reset();
        return;
    }
    name = picture_name;
    talking = fading_out = zoom_in = zoom_out = false;
    visible = true;
    const hgl::String new_family = Head(name, kFamilyLength);
    if (!family.IsEmpty() && new_family.Comp(family) == 0 && !shown.IsEmpty())
    {
        cross_fading = true;
        cross_timer = 0; // a second change of pose cross-fades again
        previous = shown;
        previous_file = file;
    }
    else
        fade_timer = 0;
    family = new_family;
    code = UpperName(Head(name, kCodeLength));

    hgl::u16char size = 0;
    hgl::HGPSame *picture = nullptr;
    hgl::HGPSameLayer *layers[kLayersPerPose] = {};
    if (avg::data::GetCharacterImage(name, size, picture, layers))
    {
        shown = name;
        file = hgl::String(u"Character\\") + UpperName(Head(name, kFileLength)) + u".HGP";
    }
    zoom_timer = 0;
    mouth = 0;
    view_row = GetCharViewOffset(code, size, anchor_y, anchor_x, scale);
    anchor_y = 1.0f;
    anchor_x = 0.0f;
}

void CharPic::StepMouth(hgl::uint64 now)
{
    if (!talking) return;
    if (now >= voice_end)
    {
        talking = false;
        voice_end = 0;
        return;
    }
    if (++mouth >= kMouthWrap) mouth = kMouthRestart + int(hgl::RandomU32() % kMouthSpread);
}

void CharPic::StepZoom(hgl::uint64 now)
{
    if (!zoom_in && !zoom_out) return;
    if (zoom_timer == 0)
    {
        zoom_timer = now;
        zoom_base = scale;
    }
    const hgl::uint64 elapsed = now - zoom_timer;
    const float sign = zoom_in ? 1.0f : -1.0f;
    if (elapsed < hgl::uint64(kZoomMs))
    {
        scale = zoom_base + sign * float(elapsed) * 0.001f * kZoomStep;
        return;
    }
    scale = zoom_base + sign * kZoomStep;
    zoom_in = zoom_out = false;
    zoom_timer = 0;
    zoom_base = 0;
}

float CharPic::FadeOpacity(hgl::uint64 now, float alpha, bool skip)
{
    if (fade_timer == 0) fade_timer = now;
    const hgl::uint64 elapsed = now - fade_timer;
    const bool running = !skip && elapsed < hgl::uint64(kFadeMs);
    if (fading_out)
    {
        if (running) return 1.0f - kFadePerMs * float(elapsed);
        visible = false;
        return 0.0f;
    }
    return running ? kFadePerMs * float(elapsed) : alpha;
}

bool CharPic::IsFading(hgl::uint64 now) const
{
    const auto within = [now](hgl::uint64 t) { return t == 0 || now - t < hgl::uint64(kFadeMs); };
    return (fading_out && visible) || within(fade_timer) || (cross_fading && within(cross_timer));
}

void CharPic::Draw(float alpha, float x, bool skip)
{
    hgl::HGPSame *picture = nullptr;
    if (view_row < 0 || !Lookup(file, picture)) return;
    const hgl::uint64 now = hgl::GetTime();
    StepMouth(now);
    StepZoom(now);
    const float sx = float(hgl::GetCanvasWidth()) / kDesignW, sy = float(hgl::GetCanvasHeight()) / kDesignH;
    const float ph = float(picture->Height);
    Rect r;
    r.w = float(picture->Width) * scale * sy;
    r.h = ph * scale * sy;
    r.left = (x - r.w * 0.5f) - anchor_x * r.w * 0.5f + offset_x * sx;
    r.top = (kBaseTop + offset_y) * scale * sy - kAnchorPart * anchor_y * (ph + kAnchorHeight) * scale * sy;

    float opacity = FadeOpacity(now, alpha, skip);
    const float grey = dark ? kDarkGrey : 1.0f;
    if (cross_fading)
    {
        if (cross_timer == 0) cross_timer = now;
        const hgl::uint64 elapsed = now - cross_timer;
        hgl::HGPSame *before = nullptr;
        if (skip || elapsed >= hgl::uint64(kFadeMs))
            cross_fading = false;
        else
        {
            if (Lookup(previous_file, before))
                DrawLayer(before, LayerIndex(before, previous, 0), r, grey, 1.0f, facing, upside_down);
            opacity = kFadePerMs * float(elapsed);
        }
    }
    DrawLayer(picture, LayerIndex(picture, shown, MouthFrame()), r, grey, opacity, facing, upside_down);
}
} // namespace avg
