// The message window's frame: the box fading in and out, the frames of the three
// ways of showing a line, the speaker's name, and the text revealed a little more
// in every drawn frame, with its shadows, inline pictures and end marker.
#include "game/stage/message/GameDialogBox.h"

#include "core/Log.h"
#include "core/Random.h"
#include "game/core/Config.h"
#include "game/core/GameResources.h"
#include "game/stage/StageDraw.h"
#include "game/stage/char/CharManage.h"
#include "game/stage/effect/WeatherEffect.h"
#include "game/stage/widgets/SamPic.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/BlendMode.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "io/Time.h"

#include <algorithm>
#include <cmath>

namespace avg
{
namespace
{
namespace draw = stage_draw;

constexpr hgl::u16char kSharp = u'＃', kYen = u'￥';
constexpr draw::Colour kGrey{0.5f, 0.5f, 0.5f};
// The petal burst over a finished novel page: 5 petals drifting right and up.
constexpr int kPetals = 5;
constexpr float kPetalSpeedX = 4.0f, kPetalSpeedY = 1.0f;
constexpr float kPetalAreaW = 100, kPetalAreaH = 50;
constexpr float kOutlineWidth = 5;
constexpr int kShakeRows = 11, kShakeColumns = 33; // offsets -5..5 and -16..16
constexpr float kFramesPerSecond = 60;
constexpr float kCentredStep = 1.0f / 3; // centred text: 20 characters a second
constexpr float kSlowestSpeed = 1;       // characters a second
// Steps of a third (or a sixtieth) of a character fall short of whole numbers in
// floats: a reveal this close to its end is complete.
constexpr float kRevealSlack = 1e-3f;
// Where centred text draws its outline, around the character.
constexpr float kOutline[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};

draw::Colour Of(const hgl::Color4f &c)
{
    return {c.r, c.g, c.b};
}
} // namespace

float GameDialogBox::WindowAlpha()
{
    const float configured = config::graphics_config.Alpha;
    if (configured > 0 && configured <= 1) return configured;
    // At 0 the text would never be revealed and the story would wait for ever.
    if (!(configured > 0) && !alpha_logged)
    {
        hgl::PutError(u"消息窗口的透明度<%f>不正确，按1.0处理", double(configured));
        alpha_logged = true;
    }
    return 1.0f;
}

bool GameDialogBox::AnyCharInTransition() const
{
    return chars && chars->IsMoving();
}

void GameDialogBox::Draw()
{
    if (draw_routine != drNone && !(text.IsEmpty() && page_text.IsEmpty()))
    {
        alpha = WindowAlpha();
        switch (draw_routine)
        {
        case drDialog:
            DrawBox();
            DrawText(TextFont);
            break;
        case drNovel:
            DrawBox();
            DrawText(NovelFont);
            break;
        case drLarge:
            // A shouted line has the box; a centred one has none.
            if (shout) DrawBox();
            DrawText(LargeTextFont);
            break;
        case drNone:
            break;
        }
    }
    no_char_in_transition = !AnyCharInTransition();
}

void GameDialogBox::DrawObject()
{
    Draw();
    if (running_petals) running_petals->Draw();
}

void GameDialogBox::DrawBox()
{
    if (!no_char_in_transition) return;
    if (!shown)
        box_alpha = std::max(0.0f, box_alpha - kFadeOut);
    else if (!skip_mode)
    {
        if (box_alpha >= alpha)
        {
            box_alpha = alpha;
            mode_changed = false;
        }
        else
            box_alpha = std::min(alpha, box_alpha + kFadeIn);
    }
    else
    {
        box_alpha = alpha;
        mode_changed = false;
        arrow->DrawFrames();
    }

    // Fading in or out, the box is only outlined.
    if (box_alpha < alpha / 2)
    {
        const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
        const float x = text_rect.Left - 36 * W / 1024, y = text_rect.Top - 88 * H / 768;
        const float w = text_rect.Width + 32, h = text_rect.Height + 86 * H / 768;
        draw::Outline(x + 16, y + 48, w - 32, h - 60, kOutlineWidth, draw::kBlack, box_alpha);
        return;
    }
    if (novel)
    {
        if (!page_text.IsEmpty())
            draw::MsgBoxRect(GetMsgBoxTexture(mbtMessage2), -4, -5, box_width + 8, box_height + 10,
                             Of(box_colour), box_alpha);
    }
    else if (!centred)
        DrawDialogBox(TextFont);
}

void GameDialogBox::DrawDialogBox(hgl::TileFont *font)
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float h = font ? float(font->CharHeight) : 0, g = font ? float(font->LineGap) : 0;
    const bool shaking = shake_ms != 0;
    const hgl::uint64 now = hgl::GetTime();
    if (shaking)
    {
        if (shake_deadline == 0) shake_deadline = now + hgl::uint64(std::max(0, shake_ms));
        const float dy = float(int(hgl::RandomU32() % kShakeRows) - kShakeRows / 2);
        const float dx = float(int(hgl::RandomU32() % kShakeColumns) - kShakeColumns / 2);
        draw::PushTranslate(dx, dy);
    }
    if (!text.IsEmpty())
    {
        if (face_pos < 0 || face_pos == CharIconManage::kPortrait)
        {
            draw::MsgBoxRect(GetMsgBoxTexture(mbtDlgFrame), -2 * g, H - 5 * h - 3 * g - 30 * H / 768,
                             W + 4 * g, 5 * h + 8 * g, Of(box_colour), box_alpha);
            if (face_pos == CharIconManage::kPortrait && chars) chars->DrawActiveIcon();
        }
        else
        {
            // The frame grows with the box's fade.
            const float r = box_alpha / alpha;
            const float x = face_pos == CharIconManage::kLeft ? 10 * W / 1024 : W - r * 300 * W / 1024;
            const float icon_alpha = chars ? chars->GetActiveIconAlpha() : 1.0f;
            draw::MsgBoxRect(icon_frame.get(), x, 10 * H / 768 + 0.2f * H - H / 30, r * 290 * W / 1024,
                             r * (h * float(face_rows + 1) + g * float(face_rows + 4)), Of(box_colour),
                             icon_alpha * box_alpha);
            if (chars) chars->DrawActiveIcon();
        }
    }
    if (box_alpha >= alpha && !speaker.IsEmpty() && face_pos < 0 && font)
    {
        const float y0 = H - 5 * h - g - 30 * H / 768 - h / 2;
        const float frame_width = DrawNameFrame(y0, H / 3);
        // Laid out again only when another speaker talks.
        if (speaker != last_name)
        {
            last_name = speaker;
            font->MakeupText(name_makeup, speaker.c_str(), int(frame_width), hgl::TileFont::AlignCenter);
        }
        name_x = int(H / 3);
        name_y = int(y0);
    }
    if (shaking)
    {
        draw::PopTranslate();
        if (now > shake_deadline) shake_ms = 0;
    }
}

float GameDialogBox::DrawNameFrame(float y0, float x)
{
    hgl::TileFont *font = TextFont;
    const float h = font ? float(font->CharHeight) : 0, g = font ? float(font->LineGap) : 0;
    const float length = 4 * h + 4 * g;
    const float top = y0 - 56 * h / 68 - g;
    const float width = length * 512 / 432, height = 128 * h / 68 + 2 * g;
    const float cap = height * 77 / 128;
    draw::TextureQuad(name_frame.get(), x, top, width, height, kNameCapU, 1, draw::kWhite, 1);
    draw::TextureQuad(name_frame.get(), x - cap, top, cap, height, 0, kNameCapU, draw::kWhite, 1);
    return width;
}

void GameDialogBox::DrawText(hgl::TileFont *font)
{
    if (AnyCharInTransition()) return;
    if (!(centred || box_alpha >= alpha) || mode_changed) return;
    const hgl::String &shown_text = novel ? page_text : text;
    if (shown_text.IsEmpty() || !font) return;
    const float H = float(hgl::GetCanvasHeight());
    const int origin_x = int(text_rect.Left), origin_y = int(text_rect.Top - 30 * H / 768);

    // A line added to the page is revealed from just before its start. While
    // skipping it is shown whole at once, like any other.
    if (novel && novel_chars != 0)
    {
        if (!skip_mode)
            shown_count.value =
                std::clamp(shown_count.max - float(novel_chars) - 1, shown_count.min, shown_count.max);
        novel_chars = 0;
    }

    const int laid = std::min(makeup.Count.Get(), shown_text.GetLength());
    const hgl::u16char *chs = shown_text.c_str();
    const int n = int(shown_count.value);
    for (int i = 0; i < n && i < laid; ++i)
        DrawGlyph(font, float(origin_x), float(origin_y), makeup.CharRect[i], 1.0f, chs[i]);

    if (face_pos < 0 && !speaker.IsEmpty())
    {
        const int count = std::min(name_makeup.Count.Get(), speaker.GetLength());
        for (int i = 0; i < count; ++i)
            DrawGlyph(TextFont, float(name_x), float(name_y), name_makeup.CharRect[i], 1.0f,
                      speaker.GetChar(i));
    }

    if (!shown_count.AtMax)
    {
        const float step = centred ? kCentredStep : std::max(text_speed, kSlowestSpeed) / kFramesPerSecond;
        shown_count.value = std::clamp(shown_count.value + step, shown_count.min, shown_count.max);
        if (shown_count.max - shown_count.value < kRevealSlack) shown_count.value = shown_count.max;
        if (!novel && chars) chars->talking = true;
        if (n < laid)
            DrawGlyph(font, float(origin_x), float(origin_y), makeup.CharRect[n],
                      std::min(1.0f, shown_count.value - float(n)), chs[n]);
    }
    if (shown_count.AtMax)
    {
        text_done = true;
        if (!centred)
        {
            if (chars) chars->talking = false;
            DrawEndMarker(font, origin_x, origin_y);
        }
    }
}

void GameDialogBox::DrawEndMarker(hgl::TileFont *font, int origin_x, int origin_y)
{
    const float W = float(hgl::GetCanvasWidth());
    const float s = float(font->CharHeight);
    float x = float(int(float(origin_x) + makeup.EndRect.Left + s / 2));
    float y = float(int(float(origin_y) + makeup.EndRect.Top));
    // No room left on the row: the marker starts the next one.
    if (x + s > W)
    {
        x = text_rect.Left;
        y += s;
    }
    if (face_pos < 0) draw::TextureQuad(GetMsgBoxTexture(mbtFlower), x, y, s, s, 0, 1, draw::kWhite, 1);
    if (novel && !skip_mode && !pending_petals && petal_allowed)
    {
        pending_petals = std::make_unique<hgl::WeatherEffect::Flower>(GetMsgBoxTexture(mbtSakura), kPetals,
                                                                      kPetalSpeedX, kPetalSpeedY);
        pending_petals->SetArea(x + s / 2, y + s / 2 - kPetalAreaH, kPetalAreaW, kPetalAreaH);
        petal_allowed = false;
    }
}

void GameDialogBox::DrawGlyph(hgl::TileFont *font, float x, float y, const hgl::RectScope2<float> &rect,
                              float glyph_alpha, hgl::u16char ch)
{
    if (ch == kSharp || ch == kYen)
    {
        hgl::HGP *picture = GetInlinePicture(ch == kSharp ? ipSharp : ipYen);
        if (!picture || picture->Height.Get() <= 0) return;
        const float scale = rect.Height / float(picture->Height.Get());
        draw::Blend(hgl::BlendMode::Shadow);
        draw::Picture(picture, x + rect.Left + 1, y + rect.Top + 1, scale, scale, glyph_alpha);
        draw::Blend(hgl::BlendMode::Normal);
        draw::Picture(picture, x + rect.Left, y + rect.Top, scale, scale, glyph_alpha);
        return;
    }
    if (!font || rect.Width <= 0 || rect.Height <= 0) return;
    const draw::Colour shadow = dark_text ? kGrey : draw::kBlack;
    const draw::Colour fore = dark_text ? draw::kBlack : draw::kWhite;
    if (centred)
    {
        for (const auto &offset : kOutline)
            draw::Glyph(font, x + rect.Left + offset[0], y + rect.Top + offset[1], ch, shadow, glyph_alpha);
        draw::Glyph(font, x + rect.Left, y + rect.Top, ch, fore, glyph_alpha);
        return;
    }
    const float gx = std::trunc(x + rect.Left), gy = std::trunc(y + rect.Top);
    draw::Glyph(font, gx + 1, gy + 1, ch, shadow, glyph_alpha);
    draw::Glyph(font, gx, gy, ch, fore, glyph_alpha);
}
} // namespace avg
