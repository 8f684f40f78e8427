// The demo's sounds and movies: sine tones of distinct pitches, so a test can tell
// which file played, and short Theora clips whose frames show their own name and
// frame number.
#include "tools/mkdemo/DemoCanvas.h"
#include "tools/mkdemo/DemoContent.h"

#include "mediawriter/MediaWriter.h"

#include <cstring>
#include <string>

namespace hgl::demo
{
namespace
{
constexpr int kRate = 22050;
constexpr int kChannels = 1;
constexpr double kAmplitude = 0.5;
constexpr int kSystemSounds = 24;
constexpr double kSystemBase = 200.0; // system sound n beeps at 200 + 20 n Hz
constexpr double kSystemStep = 20.0;
constexpr double kBeepSeconds = 0.2;
constexpr int kLastTrack = 14; // "BGM02" .. "BGM14" besides the story's and the title's music
constexpr double kTrackBase = 300.0, kTrackStep = 25.0, kTrackSeconds = 1.0;
constexpr int kMovieW = 160, kMovieH = 120, kMovieFps = 10, kMovieFrames = 10;

std::vector<uint8_t> ToneFile(double frequency, double seconds)
{
    return mediawriter::VorbisFile(mediawriter::Tone(frequency, seconds, kRate, kChannels, kAmplitude),
                                   kChannels, kRate);
}

std::vector<uint8_t> Clip(const std::string &name, Rgba colour)
{
    return mediawriter::TheoraFile(
        kMovieW, kMovieH, kMovieFps, kMovieFrames,
        [&](int index, uint8_t *rgba)
        {
            DemoCanvas c(kMovieW, kMovieH);
            c.Gradient(colour, {uint8_t(colour.r / 3), uint8_t(colour.g / 3), uint8_t(colour.b / 3), 255});
            c.Rect(index * kMovieW / kMovieFrames, kMovieH - 12, kMovieW / kMovieFrames, 12,
                   {255, 255, 255, 255});
            c.Label(name + " " + std::to_string(index + 1), {0, 0, 0, 255});
            std::memcpy(rgba, c.Pixels().data(), c.Pixels().size());
        });
}

std::u16string SystemSoundName(int n)
{
    const char16_t digits[] = {char16_t(u'0' + n / 10), char16_t(u'0' + n % 10), 0};
    return u"se_system\\sysse" + std::u16string(digits) + u".ogg";
}
} // namespace

void AddMedia(DemoContent &content)
{
    content.AddData(u"BGM\\BGM01.ogg", ToneFile(440.0, 2.0));
    content.AddData(u"BGM\\BGM33.ogg", ToneFile(550.0, 1.5));
    content.AddData(u"BGM\\BGM25.ogg", ToneFile(660.0, 3.0));
    // The rest of the music room's tracks: short, each a pitch of its own.
    for (int n = 2; n <= kLastTrack; ++n)
    {
        const char16_t number[] = {char16_t(u'0' + n / 10), char16_t(u'0' + n % 10), 0};
        content.AddData(u"BGM\\BGM" + std::u16string(number) + u".ogg",
                        ToneFile(kTrackBase + kTrackStep * n, kTrackSeconds));
    }
    for (int n = 0; n < kSystemSounds; ++n)
        content.AddData(SystemSoundName(n), ToneFile(kSystemBase + kSystemStep * n, kBeepSeconds));
    content.AddData(u"SE\\se01.ogg", ToneFile(880.0, 0.3));
    content.AddData(u"Voice\\xy_001.ogg", ToneFile(330.0, 0.9));
    content.AddData(u"Voice\\xy_002.ogg", ToneFile(370.0, 2.7));
    content.AddData(u"Voice\\yy_001.ogg", ToneFile(415.0, 1.5));
    content.AddData(u"Voice\\qg_001.ogg", ToneFile(494.0, 1.2));
    // The friends' further lines, a pitch each: 小雪 low, 小遥 middle, 青歌 high.
    const struct
    {
        const char16_t *name;
        double hz, seconds;
    } voices[] = {{u"xy_003", 349.0, 1.2}, {u"xy_004", 392.0, 1.6}, {u"yy_002", 466.0, 1.4},
                  {u"yy_003", 494.0, 1.8}, {u"yy_004", 523.0, 1.1}, {u"qg_002", 622.0, 1.3},
                  {u"qg_003", 659.0, 1.7}};
    for (const auto &v : voices)
        content.AddData(u"Voice\\" + std::u16string(v.name) + u".ogg", ToneFile(v.hz, v.seconds));

    content.AddData(u"Video\\logo.ogv", Clip("LOGO", {80, 160, 240, 255}));
    content.AddData(u"Video\\logo.ogg", ToneFile(523.0, 1.0));
    content.AddData(u"Video\\1\\normal\\m01.ogv", Clip("M01 NORMAL", {240, 160, 80, 255}));
    content.AddData(u"Video\\1\\wide\\m01.ogv", Clip("M01 WIDE", {160, 240, 80, 255}));
    content.AddData(u"Video\\m01.ogg", ToneFile(587.0, 1.0));
    // The second entry has no sound of its own: it plays silent.
    content.AddData(u"Video\\1\\normal\\m02.ogv", Clip("M02 NORMAL", {240, 80, 160, 255}));
    content.AddData(u"Video\\1\\wide\\m02.ogv", Clip("M02 WIDE", {80, 240, 160, 255}));
}
} // namespace hgl::demo
