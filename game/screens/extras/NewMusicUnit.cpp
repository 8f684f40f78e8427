#include "game/screens/extras/NewMusicUnit.h"

#include "core/Format.h"
#include "core/Log.h"
#include "game/core/DataScript.h"
#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/core/GameResources.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/ScreenDraw.h"
#include "graphics/font/TileFont.h"
#include "graphics/gl/Canvas.h"
#include "graphics/hgp/HGP.h"
#include "graphics/texture/Texture.h"
#include "script/DevilEngine.h"
#include "script/ScriptFunctionTable.h"

#include <climits>
#include <cmath>

namespace
{
// Laid out on a 1600 x 1200 design canvas.
constexpr float kDesignW = 1600, kDesignH = 1200;
constexpr float kTrackW = 64, kTrackH = 190, kTrackGap = 24;
// The rows: the track that starts each, how many it holds, and its top.
struct Row
{
    int first, size;
    float top;
};
constexpr Row kRows[] = {{0, 13, 368}, {13, 12, 650}, {25, 11, 923}};
constexpr float kBandTop = 142, kBandBottom = 270, kBandCap = 128;
constexpr float kMarkerHalf = 30, kMarkerBelow = 38;
constexpr float kTimeX = 1140, kTextY = 180, kTitleX = 220;
constexpr float kDiscX = 110, kDiscY = 206, kDiscRadius = 48;
constexpr float kBarX = 200, kBarMargin = 400, kBarH = 8;
constexpr int kEsc = 1;
constexpr int kTimeUnits = 32;
// Longer than anyone listens: keeps the seconds an int.
constexpr double kLongestSeconds = 1e9;
const hgl::u16char *const kScript = u"Script\\Music.CPP";
const hgl::u16char *const kTitleMusic = u"BGM33";
const hgl::u16char *const kLocked = u"00.HGP";

int ClampToInt(long long value)
{
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
}

void DrawText(hgl::TileFont *font, float x, float y, const hgl::u16char *text)
{
    if (!font || !text) return;
    font->Color = hgl::Color4f(1, 1, 1, 1);
    font->DrawString(x, y, text);
}
} // namespace

float NewMusicUnit::disc_angle = 0;

NewMusicUnit::NewMusicUnit()
{
    avg::bgm::StopBGM();
    background = avg::LoadHGP(u"DreamMusic\\DreamMusic.HGP");
    control->AddObject(background);
    band.reset(avg::LoadTexture2D(u"DreamMusic\\StateBack.TEX", 0));
    rate_bar.reset(avg::LoadTexture2D(u"DreamMusic\\RateBar.TEX", 0));
    disc.reset(avg::LoadTexture2D(u"DreamMusic\\xzFlag.TEX", 0));
    marker.reset(avg::LoadTexture2D(u"DreamMusic\\xz.TEX", 0));
    tracks.reserve(kMaxTracks);

    static constexpr hgl::ScriptFunction<NewMusicUnit> kFunctions[] = {
        {u"void SetMusic(string,int,int,string,string)", hgl::Bind<&NewMusicUnit::SetMusic>},
    };
    avg::RunDataScript(kScript, [this](hgl::DevilEngine &engine)
                       { return hgl::MapFunctions(engine, this, kFunctions); });
    title.Clear();
    playing = false;
    OnMouseRightDown.Bind<&NewMusicUnit::OnRightDown>(this);
    OnKeyDown.Bind<&NewMusicUnit::OnKey>(this);
    busy = true;
}

NewMusicUnit::~NewMusicUnit()
{
    avg::bgm::StopBGM();
    avg::bgm::PlayBGM(kTitleMusic, true);
}

void NewMusicUnit::SetMusic(const hgl::u16char *name, int minutes, int seconds,
                            const hgl::u16char *track_title, const hgl::u16char *picture)
{
    const hgl::String music = name ? name : u"";
    const int n = int(tracks.size());
    if (n >= kMaxTracks)
    {
        hgl::PutError(u"音乐鉴赏最多%d首，<%s>被忽略!", kMaxTracks, music.c_str());
        return;
    }
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float sx = W / kDesignW, sy = H / kDesignH;
    const float w = kTrackW * sx, g = kTrackGap * sx;
    for (const Row &row : kRows)
        if (n == row.first)
        {
            next_left = (W - float(row.size) * w - float(row.size - 1) * g) / 2;
            next_top = row.top * sy;
        }

    const bool heard = avg::IsBGMHeard(music);
    const hgl::String shown = heard ? hgl::String(picture ? picture : u"") : hgl::String(kLocked);
    auto *button = new hgl::gui::MusicButton(next_left, next_top, w, kTrackH * sy, shown.c_str(), true);
    next_left += w + g;

    button->Index = n;
    if (heard) button->OnClick.Bind<&NewMusicUnit::OnTrackClick>(this);
    button->Music = music;
    button->Title = track_title ? track_title : u"";
    if (n == 0)
    {
        button->SetFocus(true);
        OnTrackFocus(button, true);
    }
    button->OnFocusChange.Bind<&NewMusicUnit::OnTrackFocus>(this);
    tracks.push_back({button, ClampToInt(static_cast<long long>(minutes) * 60 + seconds), heard});
    control->AddObject(button);
}

hgl::gui::MusicButton *NewMusicUnit::GetTrack(int index) const
{
    return index >= 0 && index < GetCount() ? tracks[size_t(index)].button : nullptr;
}

int NewMusicUnit::GetLength(int index) const
{
    return index >= 0 && index < GetCount() ? tracks[size_t(index)].length : 0;
}

bool NewMusicUnit::IsHeard(int index) const
{
    return index >= 0 && index < GetCount() && tracks[size_t(index)].heard;
}

void NewMusicUnit::OnTrackClick(hgl::gui::Button *button)
{
    if (button) Play(button->Index);
}

void NewMusicUnit::Play(int index)
{
    if (index < 0 || index >= GetCount()) return;
    const Track &track = tracks[size_t(index)];
    playing_index = index;
    avg::bgm::StopBGM();
    for (Track &t : tracks)
        t.button->Selected = false;
    track.button->Selected = true;
    avg::bgm::PlayBGM(track.button->Music, false);
    title = track.button->Title;
    total = track.length;
    playing = true;
    countdown = kNextDelay;
}

void NewMusicUnit::OnTrackFocus(hgl::EventObject *object, bool focus)
{
    auto *button = dynamic_cast<hgl::gui::MusicButton *>(object);
    if (!focus || !button || button->Index == focus_index) return;
    focus_left = button->Left;
    focus_top = button->Top;
    focus_width = button->Width;
    focus_height = button->Height;
    focus_index = button->Index;
}

bool NewMusicUnit::OnKey(int key)
{
    if (busy || key != kEsc) return false;
    if (playing)
    {
        // Only the track stops; the room stays open.
        avg::bgm::StopBGM();
        for (Track &t : tracks)
            t.button->Selected = false;
        playing = false;
        return false;
    }
    leaving = true;
    return true;
}

bool NewMusicUnit::OnRightDown(int, int, int)
{
    return OnKey(kEsc);
}

int NewMusicUnit::FormatTime(hgl::u16char *buffer, int size, int elapsed, int total_seconds)
{
    return hgl::SPrintfN(buffer, size, u"%02d:%02d / %02d:%02d", elapsed / 60, elapsed % 60,
                         total_seconds / 60, total_seconds % 60);
}

void NewMusicUnit::SetClicks(bool on)
{
    for (Track &t : tracks)
    {
        if (on && t.heard)
            t.button->OnClick.Bind<&NewMusicUnit::OnTrackClick>(this);
        else
            t.button->OnClick.Unbind();
    }
}

void NewMusicUnit::DrawBand()
{
    if (!band) return;
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float sx = W / kDesignW, sy = H / kDesignH;
    const float top = kBandTop * sy, bottom = kBandBottom * sy, cap = kBandCap * sx;
    band->Color.a = fade;
    // The two caps, and the band's middle column stretched between them.
    const float xs[3][2] = {{0, cap}, {W - cap, W}, {cap, W - cap}};
    const float us[3][2] = {{0, 0.5f}, {0.5f, 1}, {0.5f, 0.5f}};
    for (int i = 0; i < 3; ++i)
    {
        const hgl::Point2f corner[4] = {
            {xs[i][0], top}, {xs[i][1], top}, {xs[i][1], bottom}, {xs[i][0], bottom}};
        const hgl::Point2f uv[4] = {{us[i][0], 0}, {us[i][1], 0}, {us[i][1], 1}, {us[i][0], 1}};
        avg::screen_draw::TexQuad(band.get(), corner, uv);
    }
}

void NewMusicUnit::DrawPlaying()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float sx = W / kDesignW, sy = H / kDesignH;
    const double played = avg::bgm::GetBGMPlayTime();
    const int elapsed = played > 0 ? int(played < kLongestSeconds ? played : kLongestSeconds) : 0;

    hgl::u16char text[kTimeUnits];
    FormatTime(text, kTimeUnits, elapsed, total);
    DrawText(avg::TextFont, kTimeX * sx, kTextY * sy, text);
    const int text_height = avg::TextFont ? int(avg::TextFont->CharHeight) : 0;
    const int label_height = avg::LabelFont ? int(avg::LabelFont->CharHeight) : 0;
    DrawText(avg::LabelFont, kTitleX * sx, kTextY * sy + float(text_height - label_height), title.c_str());

    if (disc)
    {
        const float cx = kDiscX * sx, cy = kDiscY * sy, r = kDiscRadius * sx;
        const float s = std::sin(disc_angle), c = std::cos(disc_angle);
        const hgl::Point2f corner[4] = {{cx - r * s, cy - r * c},
                                        {cx + r * c, cy - r * s},
                                        {cx + r * s, cy + r * c},
                                        {cx - r * c, cy + r * s}};
        disc->Color.a = 1;
        disc->DrawQuad(corner);
    }
    disc_angle -= kDiscStep;

    // A length of 0 or less is no length: no bar, and no next track by itself.
    if (total <= 0) return;
    if (elapsed >= total && --countdown <= 0)
    {
        const int count = GetCount();
        for (int k = 1; k <= count; ++k)
        {
            const int next = (playing_index + k) % count;
            if (tracks[size_t(next)].heard)
            {
                Play(next);
                break;
            }
        }
    }
    if (rate_bar)
    {
        const int gap = avg::TextFont ? int(avg::TextFont->LineGap) : 0;
        const float left = kBarX * sx, top = float(text_height) + kTextY * sy + 2.0f * float(gap);
        const float width = float(elapsed) * (W - kBarMargin * sx) / float(total);
        const hgl::Point2f corner[4] = {
            {left, top}, {left + width, top}, {left + width, top + kBarH * sy}, {left, top + kBarH * sy}};
        rate_bar->Color.a = fade;
        rate_bar->DrawQuad(corner);
    }
}

void NewMusicUnit::Draw()
{
    const float W = float(hgl::GetCanvasWidth()), H = float(hgl::GetCanvasHeight());
    const float sx = W / kDesignW, sy = H / kDesignH;
    if (fade > 0)
        avg::screen_draw::PictureTo(background, 0, 0, W, H);
    else
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1));

    if (focus_index >= 0 && marker)
    {
        const float cx = focus_left + focus_width / 2, cy = focus_top + focus_height + kMarkerBelow * sy;
        const float half = kMarkerHalf * sx;
        const hgl::Point2f corner[4] = {
            {cx - half, cy - half}, {cx + half, cy - half}, {cx + half, cy + half}, {cx - half, cy + half}};
        marker->Color.a = 1;
        marker->DrawQuad(corner);
    }
    DrawBand();
    if (playing) DrawPlaying();

    if (!leaving)
    {
        if (fade >= 1)
        {
            busy = false;
            SetClicks(true);
            return;
        }
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - fade));
        fade += kFadeStep;
    }
    else
    {
        if (fade <= 0)
        {
            SetObjectState(fosReturn);
            busy = false;
            return;
        }
        avg::screen_draw::FlatRect(0, 0, W, H, hgl::Color4f(0, 0, 0, 1 - fade));
        fade -= kFadeStep;
    }
    busy = true;
    for (Track &t : tracks)
        t.button->SetAlpha(fade);
    SetClicks(false);
}
