#include "game/stage/back/BackPic.h"

#include "game/core/Config.h"
#include "game/stage/StageDraw.h"
#include "game/stage/back/ScenePicture.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <algorithm>
#include <cmath>

namespace draw = avg::stage_draw;

namespace
{
constexpr int kBlindSpacing = 32;
constexpr float kBlindStep = 4;
constexpr float kBlindReach = 2.5f;
constexpr float kBlindOutStart = 1.25f;
constexpr int kBars = 8;
constexpr int kFanTurn = 720;
constexpr float kStripHeight = 10;
constexpr hgl::uint64 kZoomStepMs = 125;
constexpr hgl::uint64 kZoomMs = 2000;
constexpr double kZoomRate = 0.0005;
constexpr float kZoomJitter = 0.01f;
constexpr hgl::uint64 kMoveMs = 1000;

enum Kind
{
    kPlain = 0,
    kClock = 1,
    kFan = 2,
    kBandDown = 3,
    kBandUp = 4,
    kBlindsLeft = 5,
    kBlindsRight = 6,
    kBarsLeft = 7,
    kBarsTop = 8,
    kBarsRight = 9,
    kBarsBottom = 10,
    kCurtainOpen = 11,
    kCurtainClose = 12,
    kCrossFade = 13,
};

int FitMode()
{
    const auto &config = avg::config::graphics_config;
    if (!config.Not43ProcMode) return 0;
    const int h = config.ScreenHeight / 3, w = config.ScreenWidth / 4;
    return h > w ? 2 : h < w ? 1 : 0;
}

bool OpaqueName(const hgl::String &name)
{
    return name == u"BLACK" || name == u"WHITE";
}
} // namespace

BackPic::BackPic() : fit_mode(FitMode()), strip(float(hgl::GetCanvasWidth() / kBlindSpacing))
{
    blind_out = strip * kBlindOutStart;
}

void BackPic::SetPicture(const hgl::String &picture_name, hgl::HGP *picture, float left, float top,
                         float width, float height)
{
    name = picture_name;
    if (!picture) picture = avg::GetScenePictureByName(name, &path);
    if (!picture) avg::GetScenePictureByName(u"BLACK", &path);
    const float value[4] = {left, top, width, height};
    SetView(value);
}

void BackPic::SetPicture(const hgl::String &picture_name, float left, float top, float width, float height)
{
    blind_in = 0;
    blind_out = strip * kBlindOutStart;
    SetPicture(picture_name, nullptr, left, top, width, height);
}

void BackPic::StartZoom(float x, float y, float width, float height)
{
    if (moving)
    {
        move_start[0] = view[0];
        move_start[1] = view[1];
        target_xy[0] = x - view[0];
        target_xy[1] = y - view[1];
        move_started = 0;
        return;
    }
    zoom_started = std::max<hgl::uint64>(hgl::GetTime(), 1); // 0 means no zoom
    target_xy[0] = x;
    target_xy[1] = y;
    target_wh[0] = width;
    target_wh[1] = height;
}

void BackPic::CopyFrom(const BackPic &other)
{
    name = other.name;
    path = other.path;
    SetView(other.view);
    alpha = other.alpha;
}

void BackPic::SetView(const float value[4])
{
    for (int i = 0; i < 4; ++i)
        view[i] = value[i];
}

void BackPic::StepZoom(hgl::uint64 now)
{
    const hgl::uint64 elapsed = now - zoom_started;
    if (elapsed >= kZoomMs)
    {
        zoom_started = 0;
        strip_on = false;
        return;
    }
    const double t = double(elapsed) * kZoomRate;
    view[0] = float(t * target_xy[0]);
    view[1] = float(t * target_xy[1]);
    view[2] = float(1 - t * (1 - target_wh[0]));
    view[3] = float(1 - t * (1 - target_wh[1]));
    strip_on = (elapsed / kZoomStepMs) % 2 == 0;
    if (!strip_on) view[1] += kZoomJitter;
}

void BackPic::StepMove(hgl::uint64 now)
{
    if (move_started == 0) move_started = std::max<hgl::uint64>(now, 1); // 0 means not yet
    const hgl::uint64 elapsed = now - move_started;
    const float part = elapsed < kMoveMs ? float(double(elapsed) / kMoveMs) : 1.0f;
    view[0] = move_start[0] + part * target_xy[0];
    view[1] = move_start[1] + part * target_xy[1];
    if (elapsed >= kMoveMs) moving = false;
}

void BackPic::Scales(const hgl::HGP &picture, float &sx, float &sy) const
{
    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    const float shown_w = picture.Width * view[2], shown_h = picture.Height * view[3];
    sx = w / shown_w;
    sy = h / shown_h;
    const bool whole = view[0] == 0 && view[1] == 0 && view[2] == 1 && view[3] == 1;
    if (!whole && !moving) return; // the part is stretched over the canvas
    if (fit_mode == 1)
        sy = sx;
    else if (fit_mode == 2)
        sx = sy;
    else
    {
        const int quarter = int(shown_w) / 4, third = int(shown_h) / 3;
        if (third > quarter)
            sy = sx;
        else if (third < quarter)
            sx = sy;
    }
}

void BackPic::Draw()
{
    const hgl::uint64 now = hgl::GetTime();
    if (zoom_started) StepZoom(now);
    if (moving) StepMove(now);
    hgl::HGP *picture = avg::GetScenePictureAt(path);
    if (!picture || view[2] == 0 || view[3] == 0 || picture->Width <= 0 || picture->Height <= 0) return;

    float sx, sy;
    Scales(*picture, sx, sy);
    const float x = -view[0] * picture->Width * sx, y = -view[1] * picture->Height * sy;
    if (kind == kPlain || kind == kCrossFade)
        draw::Picture(picture, x, y, sx, sy, alpha);
    else if (alpha * 2 >= 1)
        draw::Picture(picture, x, y, sx, sy, OpaqueName(name) ? 1.0f : alpha);

    const float w = float(hgl::GetCanvasWidth()), h = float(hgl::GetCanvasHeight());
    if (strip_on) draw::Quad(0, 0, w, kStripHeight, draw::kBlack);
    DrawWipe(w, h);
}

void BackPic::DrawFan(float w, float h, float from, float to) const
{
    draw::Fan(w / 2, h / 2, std::sqrt(w * w / 4 + h * h / 4), from, to, draw::kBlack);
}

void BackPic::DrawBlinds(float w, float h, float width, bool from_right) const
{
    const int count = int(w) / kBlindSpacing;
    for (int i = 0; i < count; ++i)
    {
        const float strip_w = kBlindStep * width - kBlindStep * i;
        if (strip_w <= 0) break;
        const float x = from_right ? w - kBlindSpacing * (i + 1) : float(kBlindSpacing * i);
        draw::Quad(x, 0, strip_w, h, draw::kBlack);
    }
}

// Bars covering from their near edge (left or top) in the first half and withdrawing
// towards their far edge in the second, or the other way round; the withdrawing
// black has a soft inner edge.
void BackPic::DrawBars(float w, float h, bool vertical, bool from_far_edge) const
{
    const float p = alpha;
    const bool first = p * 2 < 1;
    const float size = (vertical ? w : h) / kBars;
    const float cover = (first ? 2 * p : 2 - 2 * p) * size;
    const bool at_far = first == from_far_edge;
    const float soft = first ? 1 : 2 - 2 * p;
    // Corners: top-left, top-right, bottom-right, bottom-left; the inner edge is soft.
    float corner[4];
    if (vertical)
    {
        const float left = at_far ? soft : 1, right = at_far ? 1 : soft;
        corner[0] = corner[3] = left;
        corner[1] = corner[2] = right;
    }
    else
    {
        const float top = at_far ? soft : 1, bottom = at_far ? 1 : soft;
        corner[0] = corner[1] = top;
        corner[2] = corner[3] = bottom;
    }
    for (int i = 0; i < kBars; ++i)
    {
        const float start = size * i + (at_far ? size - cover : 0);
        if (vertical)
            draw::Quad(start, 0, cover, h, draw::kBlack, corner);
        else
            draw::Quad(0, start, w, cover, draw::kBlack, corner);
    }
}

void BackPic::DrawWipe(float w, float h)
{
    const float p = alpha;
    const bool first = p * 2 < 1;
    if (p * 2 >= 2) return;
    switch (kind)
    {
    case kClock:
        if (first)
            DrawFan(w, h, 0, -(p * kFanTurn));
        else
            DrawFan(w, h, kFanTurn - p * kFanTurn, 0);
        break;
    case kFan:
        if (first)
            DrawFan(w, h, 0, p * kFanTurn);
        else
            DrawFan(w, h, (p * 2 - 1) * (kFanTurn / 2), kFanTurn / 2);
        break;
    case kBandDown:
        if (first)
            draw::Quad(0, 0, w, h * 4 * p, draw::kBlack, 2 * p);
        else
            draw::Quad(0, h * (2 * p - 1), w, h - h * (2 * p - 1), draw::kBlack, (1.25f - p) * 1.5f);
        break;
    case kBandUp:
        if (first)
            draw::Quad(0, h * (1 - 4 * p), w, h - h * (1 - 4 * p), draw::kBlack, 2 * p);
        else
            draw::Quad(0, 0, w, h * (2 - 2 * p), draw::kBlack, (1.25f - p) * 1.5f);
        break;
    case kBlindsLeft:
    case kBlindsRight:
        DrawBlinds(w, h, first ? blind_in : blind_out, kind == kBlindsRight);
        if (first)
            blind_in = p * kBlindReach * strip;
        else
            blind_out = (1 - p) * kBlindReach * strip;
        break;
    case kBarsLeft:
    case kBarsTop:
    case kBarsRight:
    case kBarsBottom:
        DrawBars(w, h, kind == kBarsLeft || kind == kBarsRight, kind == kBarsRight || kind == kBarsBottom);
        break;
    case kCurtainOpen:
        if (!first)
        {
            draw::Quad(0, 0, w, h / 2 * (2 - 2 * p), draw::kBlack);
            const float lower = h / 2 + h / 2 * (2 * p - 1);
            draw::Quad(0, lower, w, h - lower, draw::kBlack);
        }
        break;
    case kCurtainClose:
        if (first)
        {
            draw::Quad(0, 0, w, h / 2 * 2 * p, draw::kBlack);
            const float lower = h / 2 + h / 2 * (1 - 2 * p);
            draw::Quad(0, lower, w, h - lower, draw::kBlack);
        }
        break;
    default:
        break;
    }
}
