// The book's drawing: the right page's picture through the window of the open
// book, the titles, the page number and the slot markers, the 3D page turn, and
// the fade from and to black.
#include "game/screens/record/RecordUnit1.h"

#include "game/core/GameResources.h"
#include "game/screens/record/RecordButton.h"
#include "game/screens/widgets/BitmapButton.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/draw/Painter.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "gui/Label.h"

#include <algorithm>

namespace avg
{
namespace
{
// The right page's picture window, in the 1024 x 768 design.
constexpr float kPictureLeft = 22, kPictureTop = 70, kPictureRight = 67; // from the centre / the right edge
constexpr float kPageNumberTop = 710;
constexpr float kMarkerAbove = 154; // from the bottom
constexpr float kMarkerCell = 0.33f;
constexpr float kNewestCellU = 0.66f, kAutoCellU = 0, kChoiceCellU = 0.33f;
constexpr float kMarkerScale = 1.25f; // of the text font's height, over a fifth of the atlas
constexpr int kMarkerRows = 5;
// Markers stand left of the centre: 89 for position 0, 59 further for each next.
constexpr float kMarkerFirst = 89, kMarkerStep = 59, kChoiceMarker = 148;
// The page turn: a 45 degree view of the book 2.4 away, the half page 1.25 wide
// and 2 high.
constexpr double kFovY = 45, kNear = 0.1, kFar = 10, kDistance = 2.4;
constexpr float kHalfPage = 1.25f;
constexpr double kRightAngle = 90;
} // namespace

void RecordUnit1::Draw()
{
    DrawPage();
    DrawFade();
    if (fade < kBlackBelow)
        screen_draw::FlatRect(0, 0, float(hgl::GetCanvasWidth()), float(hgl::GetCanvasHeight()),
                              hgl::Color4f(0, 0, 0, 1));
    KeepFocus();
}

void RecordUnit1::DrawPage()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    if (turn_angle > kTurnEnd)
    {
        turn_direction = tdNone;
        turn_angle = 0;
        ShowTurnedPage(true);
        ResetLabels();
    }

    hgl::draw::Clear(hgl::Color4f(0, 0, 0, 1));
    hgl::draw::SetBlend(hgl::BlendMode::Normal);

    if (current_thumbnail)
    {
        current_thumbnail->SetAlpha(fade);
        const float l = W / 2 + kPictureLeft * xs, t = kPictureTop * ys, r = W - kPictureRight * xs,
                    b = H / 2;
        const hgl::Point2f corner[4] = {{l, t}, {r, t}, {r, b}, {l, b}};
        current_thumbnail->DrawQuad(corner);
    }
    if (background && background->Width > 0 && background->Height > 0)
    {
        background->Color.a = fade;
        background->Draw(0, 0, W / float(background->Width), H / float(background->Height));
    }
    if (title)
    {
        title->Color.a = fade;
        title->Draw(0, H / 2, xs, ys);
        title->Draw(W - float(title->Width) * xs, H / 2, xs, ys);
    }
    if (page_numbers) page_numbers->DrawLayer(page_end / kPageSlots - 1, 0, kPageNumberTop * ys, xs, ys);

    if (turn_direction == tdNone)
        DrawMarkers();
    else
        DrawTurn();
}

void RecordUnit1::DrawMarkers()
{
    // An atlas too small to hold a row of markers shows none.
    if (!markers || markers->Height < kMarkerRows || !TextFont) return;
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float s = kMarkerScale * float(TextFont->CharHeight) / float(markers->Height / kMarkerRows);
    const float y = H - kMarkerAbove * ys;
    markers->Color.a = fade;
    const int first = page_end - kPageSlots;
    if (newest_slot >= first && newest_slot < page_end)
    {
        const float p = float(newest_slot - first);
        markers->DrawRegion(W / 2 - (kMarkerStep * p + kMarkerFirst) * xs, y, kNewestCellU, 0, kMarkerCell,
                            kMarkerCell, s, s);
    }
    if (first != 0) return;
    markers->DrawRegion(W / 2 - kMarkerFirst * xs, y, kAutoCellU, 0, kMarkerCell, kMarkerCell, s, s);
    markers->DrawRegion(W / 2 - kChoiceMarker * xs, y, kChoiceCellU, 0, kMarkerCell, kMarkerCell, s, s);
}

void RecordUnit1::DrawTurn()
{
    const int W = hgl::GetCanvasWidth(), H = hgl::GetCanvasHeight();
    if (background && H > 0)
    {
        hgl::draw::BeginPerspective(kFovY, double(W) / double(H), kNear, kFar);
        hgl::draw::Translate3D(0, 0, -kDistance);
        const bool forward = turn_direction == tdForward;
        hgl::draw::Rotate3D(turn_angle, 0, forward ? 1 : -1, 0);
        // Up to 90 degrees the half that turns shows its own side of the picture;
        // past it, the other half of the picture, as the next page does.
        const bool first_half = forward == (turn_angle <= kRightAngle);
        const float outer_u = first_half ? 0.0f : 1.0f;
        const float outer_x = forward ? -kHalfPage : kHalfPage;
        const hgl::Point2f vertex[4] = {{outer_x, 1}, {0, 1}, {0, -1}, {outer_x, -1}};
        const hgl::Point2f uv[4] = {{outer_u, 0}, {0.5f, 0}, {0.5f, 1}, {outer_u, 1}};
        background->Color.a = fade;
        background->DrawQuad(vertex, uv);
        hgl::draw::EndPerspective();
    }
    turn_angle += kTurnStep;
}

void RecordUnit1::DrawFade()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    bool stepped = false;
    if (!closing && fade < 1.0f)
    {
        screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - fade));
        fade = std::min(1.0f, fade + kFadeStep);
        stepped = true;
    }
    else if (closing && fade > 0)
    {
        screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - fade));
        fade = std::max(0.0f, fade - kFadeStep);
        stepped = true;
    }
    if (stepped)
    {
        TZButton::SetSharedAlpha(fade);
        for (RecordButton *button : buttons)
            button->Theme.SetAlpha(fade);
    }
    if (!closing || fade > 0) return;
    if (!load_chosen)
    {
        // Not over a hand-over to the loaded game.
        if (object_state == fosOK) ObjectState = fosReturn;
        return;
    }
    RecordButton *button = chosen_button;
    load_chosen = false; // handed over once
    if (button && ChooseRecord(button, int(hgl::StrToUInt(button->GetName().c_str())))) return;
    // Refused: the screen comes back instead of staying black.
    closing = false;
}
} // namespace avg
