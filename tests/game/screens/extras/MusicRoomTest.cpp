// The music room on the test clock: the track rows, locked and heard tracks, the
// band while a track plays, the next track at the declared length, and the ways
// out, with the music requests it makes.
#include "../title/TitleFixture.h"

#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/widgets/MusicButton.h"
#include "graphics/font/TileFont.h"
#include "io/Time.h"

#include <algorithm>
#include <cmath>

namespace
{
const hgl::test::RGBA kBack{40, 40, 60, 255};
const hgl::test::RGBA kLocked{128, 128, 128, 255};
const hgl::test::RGBA kNormal{0, 160, 255, 255}, kActived{255, 160, 0, 255}, kClicked{0, 255, 0, 255};
const hgl::test::RGBA kBar{255, 0, 255, 255}, kBand{90, 30, 30, 255};

// The music player's clock as the room reads it: the seconds on the test clock
// since the music was started, until it is stopped. A track that is over goes on
// counting, so this stands for files shorter and longer than declared alike.
class MusicClock
{
    double started = -1;

  public:
    // Over the harness' silent audio, which goes on keeping the requests.
    void Install()
    {
        avg::AudioHooks hooks = avg::GetAudioHooks();
        const auto music = hooks.music;
        const auto stop = hooks.stop_music;
        hooks.music = [this, music](const hgl::String &name, bool loop)
        {
            if (music) music(name, loop);
            started = hgl::GetDoubleTime();
        };
        hooks.stop_music = [this, stop]
        {
            if (stop) stop();
            started = -1;
        };
        hooks.music_time = [this] { return started < 0 ? 0 : hgl::GetDoubleTime() - started; };
        avg::SetAudioHooks(hooks);
    }
};

std::u16string Track(const std::u16string &name, int minutes, int seconds, const std::u16string &title = u"t")
{
    return u"    SetMusic(\"" + name + u"\", " + hgl::String(minutes).ToStdString() + u", " +
           hgl::String(seconds).ToStdString() + u", \"" + title + u"\", \"" + name + u".HGP\");\n";
}

std::u16string Name(int i)
{
    return u"T" + hgl::String(i).ToStdString();
}

class MusicRoomTest : public TitleTest
{
  protected:
    MusicClock music_clock;
    NewMusicUnit *room = nullptr;

    // Many frames of seconds each: a small canvas keeps them quick.
    int Width() const override { return 400; }
    int Height() const override { return 300; }

    void SetUp() override
    {
        TitleTest::SetUp();
        AddSolidPicture(u"DreamMusic\\DreamMusic.HGP", 32, 24, kBack);
        AddData(u"DreamMusic\\00.HGP",
                screenkit::LayeredPicture(
                    8, 24, {{u"Normal", kLocked}, {u"Actived", kLocked}, {u"Clicked", kLocked}}));
        AddSolidTexture(u"DreamMusic\\RateBar.TEX", 4, 4, kBar);
        AddSolidTexture(u"DreamMusic\\StateBack.TEX", 4, 4, kBand);
        AddSolidTexture(u"DreamMusic\\xzFlag.TEX", 4, 4, {255, 255, 255, 255});
        AddSolidTexture(u"DreamMusic\\xz.TEX", 4, 4, {255, 255, 0, 255});
    }
    // A script of count tracks "T0".. with their pictures; lengths in seconds.
    void Tracks(int count, int seconds = 3)
    {
        std::u16string body;
        for (int i = 0; i < count; ++i)
        {
            body += Track(Name(i), seconds / 60, seconds % 60, u"Title " + Name(i));
            AddData(u"DreamMusic\\" + Name(i) + u".HGP",
                    screenkit::LayeredPicture(
                        8, 24, {{u"Normal", kNormal}, {u"Actived", kActived}, {u"Clicked", kClicked}}));
        }
        Script(body);
    }
    void Script(const std::u16string &body)
    {
        AddLocalText(u"Script\\Music.CPP", u"func main()\n{\n" + body + u"}\n");
    }
    void Begin()
    {
        TitleTest::Begin();
        music_clock.Install();
    }
    // The music played, one line each ("music T3", "music BGM33 loop").
    std::vector<std::string> Plays() const
    {
        std::vector<std::string> out;
        for (const auto &s : sounds)
            if (s.rfind("music ", 0) == 0 && s.rfind("music volume", 0) != 0) out.push_back(s);
        return out;
    }
    void Heard(std::initializer_list<int> tracks)
    {
        for (int i : tracks)
            avg::MarkBGMHeard(hgl::String(Name(i)));
    }
    // The title calls the room. Heard tracks are marked between Begin and this.
    void OpenRoom()
    {
        if (!title) Begin();
        room = new NewMusicUnit;
        Call(room);
        ASSERT_EQ(Active(), room);
    }
    void FadeIn()
    {
        for (int i = 0; i < 100 && room->IsBusy(); ++i)
            Step();
        ASSERT_FALSE(room->IsBusy());
    }
    bool ClickTrack(int i)
    {
        auto *t = room->GetTrack(i);
        if (!t) return false;
        LeftClick(int(t->Left + t->Width / 2), int(t->Top + t->Height / 2));
        return true;
    }
    hgl::test::RGBA TrackPixel(int i)
    {
        auto *t = room->GetTrack(i);
        return Pixel(int(t->Left + t->Width / 2), int(t->Top + t->Height / 2));
    }
};

class MusicRoomCanvasTest : public MusicRoomTest, public ::testing::WithParamInterface<screenkit::Canvas>
{
  protected:
    int Width() const override { return GetParam().w; }
    int Height() const override { return GetParam().h; }
};
} // namespace

TEST_P(MusicRoomCanvasTest, RowsOf13And12ThenTheRest)
{
    Tracks(30);
    OpenRoom();
    ASSERT_EQ(room->GetCount(), NewMusicUnit::kMaxTracks);
    EXPECT_TRUE(log.ContainsError(u"音乐鉴赏最多28首，<T28>被忽略!")) << log.Dump();
    EXPECT_TRUE(log.ContainsError(u"音乐鉴赏最多28首，<T29>被忽略!"));

    const float W = float(Width()), sx = W / 1600, sy = Height() / 1200.0f;
    const float w = 64 * sx, g = 24 * sx;
    struct Row
    {
        int first, last, size;
        float top;
    };
    for (const Row r : {Row{0, 12, 13, 368}, Row{13, 24, 12, 650}, Row{25, 27, 11, 923}})
    {
        const float left = (W - r.size * w - (r.size - 1) * g) / 2;
        for (int i = r.first; i <= r.last; ++i)
        {
            const auto *t = room->GetTrack(i);
            EXPECT_NEAR(t->Left, left + (i - r.first) * (w + g), 1e-3) << i;
            EXPECT_NEAR(t->Top, r.top * sy, 1e-3) << i;
            EXPECT_NEAR(t->Width, w, 1e-4);
            EXPECT_NEAR(t->Height, 190 * sy, 1e-4);
            EXPECT_EQ(t->Index, i);
        }
    }
    // The first track has the focus, and the marker under it.
    EXPECT_EQ(room->GetFocusIndex(), 0);
    EXPECT_TRUE(room->GetTrack(0)->HasFocus());
    FadeIn();
    Step();
    Checkpoint("rows");
}

INSTANTIATE_TEST_SUITE_P(Canvases, MusicRoomCanvasTest, ::testing::ValuesIn(screenkit::kCanvases),
                         screenkit::CanvasName);

TEST_F(MusicRoomTest, OnlyHeardTracksPlayAndTheyPlayOnce)
{
    Tracks(4, 125);
    Begin();
    Heard({1, 3});
    OpenRoom();
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop music"})); // entering stops the music
    FadeIn();
    Step();
    EXPECT_TRUE(stagekit::Near(TrackPixel(0), kLocked));
    EXPECT_TRUE(stagekit::Near(TrackPixel(1), kNormal));
    EXPECT_FALSE(room->GetTrack(0)->OnClick.IsBound());

    sounds.clear();
    ASSERT_TRUE(ClickTrack(0));
    ASSERT_TRUE(ClickTrack(2));
    Step();
    EXPECT_TRUE(sounds.empty());
    EXPECT_FALSE(room->IsPlaying());

    ASSERT_TRUE(ClickTrack(3));
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop music", "music T3"}));
    EXPECT_TRUE(room->IsPlaying());
    EXPECT_EQ(room->GetPlayingIndex(), 3);
    EXPECT_EQ(room->GetTitle().ToStdString(), u"Title T3");
    EXPECT_EQ(room->GetTotal(), 125);
    Step();
    EXPECT_TRUE(stagekit::Near(TrackPixel(3), kClicked)); // selected
    EXPECT_TRUE(stagekit::Near(TrackPixel(1), kNormal));

    // Another heard track takes over, and the first is no longer selected.
    ASSERT_TRUE(ClickTrack(1));
    Step();
    EXPECT_TRUE(room->GetTrack(1)->Selected);
    EXPECT_FALSE(room->GetTrack(3)->Selected);
    EXPECT_EQ(Plays(), (std::vector<std::string>{"music T3", "music T1"}));
}

TEST_F(MusicRoomTest, TheTimeLineReadsMinutesAndSeconds)
{
    struct Case
    {
        int elapsed, total;
        const char16_t *text;
    };
    for (const Case c :
         {Case{0, 0, u"00:00 / 00:00"}, Case{65, 180, u"01:05 / 03:00"}, Case{59, 61, u"00:59 / 01:01"},
          Case{6000, 7200, u"100:00 / 120:00"}, Case{5, -90, u"00:05 / -1:-30"}})
    {
        hgl::u16char text[32];
        NewMusicUnit::FormatTime(text, 32, c.elapsed, c.total);
        EXPECT_EQ(std::u16string(text), c.text);
    }
}

TEST_F(MusicRoomTest, TheNextHeardTrackFollowsTenFramesAfterTheDeclaredLength)
{
    Tracks(6, 2);
    Begin();
    Heard({1, 2, 5});
    OpenRoom();
    FadeIn();
    ASSERT_TRUE(ClickTrack(2));
    sounds.clear();
    // 2 seconds of 16-ms frames, then ten more.
    int frames = 0, at_length = -1;
    while (Plays().empty() && frames < 1000)
    {
        Step();
        ++frames;
        if (at_length < 0)
        {
            if (avg::bgm::GetBGMPlayTime() >= 2.0) at_length = frames;
        }
    }
    ASSERT_GT(at_length, 0);
    EXPECT_EQ(frames - at_length, NewMusicUnit::kNextDelay - 1);
    // The unheard tracks 3 and 4 are passed over.
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop music", "music T5"}));
    EXPECT_EQ(room->GetPlayingIndex(), 5);
    EXPECT_TRUE(room->GetTrack(5)->Selected);

    // From the last it goes round to the first heard one.
    sounds.clear();
    for (int i = 0; i < 200 && Plays().empty(); ++i)
        Step();
    EXPECT_EQ(Plays(), (std::vector<std::string>{"music T1"}));
}

TEST_F(MusicRoomTest, ASingleHeardTrackPlaysAgain)
{
    Tracks(3, 1);
    Begin();
    Heard({1});
    OpenRoom();
    FadeIn();
    ASSERT_TRUE(ClickTrack(1));
    for (int i = 0; i < 200 && Plays().size() < 3; ++i)
        Step();
    EXPECT_EQ(Plays(), (std::vector<std::string>{"music T1", "music T1", "music T1"}));
    EXPECT_TRUE(room->IsPlaying());
}

TEST_F(MusicRoomTest, ALengthOfZeroOrLessHasNoBarAndNoNextTrack)
{
    Script(Track(u"T0", 0, 0) + Track(u"T1", -1, 30) + Track(u"T2", 0, 4));
    for (int i = 0; i < 3; ++i)
        AddData(u"DreamMusic\\" + Name(i) + u".HGP",
                screenkit::LayeredPicture(
                    8, 24, {{u"Normal", kNormal}, {u"Actived", kActived}, {u"Clicked", kClicked}}));
    Begin();
    Heard({0, 1, 2});
    OpenRoom();
    EXPECT_EQ(room->GetLength(0), 0);
    EXPECT_EQ(room->GetLength(1), -30);
    FadeIn();
    const float sx = Width() / 1600.0f;
    // One pixel into the 8-design-pixel bar.
    const int bar_y =
        int(float(avg::TextFont->CharHeight) + 180 * Height() / 1200.0f + 2 * float(avg::TextFont->LineGap)) +
        1;
    for (int track : {0, 1})
    {
        ASSERT_TRUE(ClickTrack(track));
        sounds.clear();
        Steps(600); // ten seconds
        EXPECT_TRUE(Plays().empty()) << track;
        EXPECT_TRUE(room->IsPlaying());
        EXPECT_FALSE(stagekit::Near(Pixel(int(202 * sx), bar_y), kBar)) << track;
    }
    // A positive length grows its bar: half of (W - 400 sx) after half the length.
    ASSERT_TRUE(ClickTrack(2));
    Steps(126); // a little over 2 of 4 seconds
    const float half = 200 * sx + (Width() - 400 * sx) / 2;
    EXPECT_TRUE(stagekit::Near(Pixel(int(202 * sx), bar_y), kBar))
        << testing::PrintToString(Pixel(int(202 * sx), bar_y));
    EXPECT_TRUE(stagekit::Near(Pixel(int(half) - 3, bar_y), kBar));
    EXPECT_FALSE(stagekit::Near(Pixel(int(half) + 3, bar_y), kBar));
    Checkpoint("playing");
}

TEST_F(MusicRoomTest, EscStopsTheTrackThenLeaves)
{
    for (const bool right_click : {false, true})
    {
        Tracks(2);
        Begin();
        Heard({0});
        OpenRoom();
        EXPECT_FALSE(Key(1)); // fading in
        Step();
        EXPECT_FALSE(Key(1));
        FadeIn();
        ASSERT_TRUE(ClickTrack(0));
        Step();
        sounds.clear();
        const auto escape = [&] { return right_click ? (RightClick(5, 5), true) : Key(1); };
        const bool first = escape();
        EXPECT_FALSE(first && !right_click); // the first only stops the track
        EXPECT_EQ(sounds, (std::vector<std::string>{"stop music"}));
        EXPECT_FALSE(room->IsPlaying());
        EXPECT_FALSE(room->GetTrack(0)->Selected);
        Steps(5);
        EXPECT_EQ(Active(), room);
        escape(); // the second leaves
        int frames = 0;
        while (Active() == room && frames < 200)
        {
            Step();
            ++frames;
        }
        EXPECT_NEAR(frames, 51, 2);
        EXPECT_EQ(Active(), title);
        EXPECT_EQ(sounds, (std::vector<std::string>{"stop music", "stop music", "music BGM33 loop"}));
        title = nullptr;
    }
}

TEST_F(MusicRoomTest, LeavingPlaysTheTitleMusicEvenWhenNothingPlayed)
{
    Tracks(2);
    OpenRoom();
    FadeIn();
    EXPECT_TRUE(Key(1));
    Steps(60);
    EXPECT_EQ(Active(), title);
    EXPECT_EQ(sounds, (std::vector<std::string>{"stop music", "stop music", "music BGM33 loop"}));
}

TEST_F(MusicRoomTest, TheDiscTurnsOnFromWhereItStopped)
{
    Tracks(2);
    Begin();
    Heard({0});
    OpenRoom();
    FadeIn();
    const float before = NewMusicUnit::GetDiscAngle();
    Steps(5); // not playing: the disc stands
    EXPECT_FLOAT_EQ(NewMusicUnit::GetDiscAngle(), before);
    ASSERT_TRUE(ClickTrack(0));
    Steps(20);
    const float turned = NewMusicUnit::GetDiscAngle();
    // The angle is kept for the whole run, so earlier tests may have turned it far.
    const float tolerance = 1e-5f * std::max(1.0f, std::fabs(before)) * 20;
    EXPECT_NEAR(turned, before - 20 * NewMusicUnit::kDiscStep, tolerance);
    Key(1);
    Key(1);
    Steps(60);
    ASSERT_EQ(Active(), title);

    OpenRoom(); // the same run: the angle is where it was
    EXPECT_FLOAT_EQ(NewMusicUnit::GetDiscAngle(), turned);
    FadeIn();
    ASSERT_TRUE(ClickTrack(0));
    Step();
    EXPECT_NEAR(NewMusicUnit::GetDiscAngle(), turned - NewMusicUnit::kDiscStep, tolerance);
}

TEST_F(MusicRoomTest, TheFocusMarkerFollowsTheFocus)
{
    Tracks(3);
    Begin();
    Heard({0, 1, 2});
    OpenRoom();
    FadeIn();
    EXPECT_EQ(room->GetFocusIndex(), 0);
    EXPECT_TRUE(Key(86)); // Right
    EXPECT_EQ(room->GetFocusIndex(), 1);
    EXPECT_TRUE(Key(86));
    EXPECT_EQ(room->GetFocusIndex(), 2);
    Step();
    EXPECT_TRUE(stagekit::Near(TrackPixel(2), kActived));
    EXPECT_TRUE(stagekit::Near(TrackPixel(1), kNormal));
    // The marker sits 38 design pixels under the focused track.
    const auto *t = room->GetTrack(2);
    const int mx = int(t->Left + t->Width / 2), my = int(t->Top + t->Height + 38 * Height() / 1200.0f);
    EXPECT_TRUE(stagekit::Near(Pixel(mx, my), {255, 255, 0, 255})) << testing::PrintToString(Pixel(mx, my));
    EXPECT_TRUE(Key(54)); // Enter plays the focused track
    EXPECT_EQ(Plays().back(), "music T2");
}

TEST_F(MusicRoomTest, TitlesAndNamesOfAnyLength)
{
    const std::u16string long_title(200, u'曲');
    Script(Track(u"T0", 0, 5, long_title));
    AddData(u"DreamMusic\\T0.HGP",
            screenkit::LayeredPicture(
                8, 24, {{u"Normal", kNormal}, {u"Actived", kActived}, {u"Clicked", kClicked}}));
    Begin();
    Heard({0});
    OpenRoom();
    FadeIn();
    ASSERT_TRUE(ClickTrack(0));
    EXPECT_EQ(room->GetTitle().ToStdString(), long_title);
    Steps(3);
    EXPECT_TRUE(room->IsPlaying());
}
