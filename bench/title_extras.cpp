// Frames of the title's balls and exit confirmation and of the music room while a
// track plays, with the heap allocations a frame makes once the first frames
// have filled what they fill (the goal is none). The balls' goal: 50 of them in
// under 20 us a frame, their sums alone (no texture, so no GL).
#include "bench/support/HeapCount.h"
#include "../fuzz/ScreenFuzz.h"

#include "game/core/GameAudio.h"
#include "game/core/GameRecord.h"
#include "game/screens/extras/NewMusicUnit.h"
#include "game/screens/title/VamUnit.h"
#include "game/screens/title/WantExit.h"
#include "game/screens/widgets/MusicButton.h"
#include "game/screens/widgets/TZHGPButton.h"
#include "io/Time.h"
#include "tests/support/TestClock.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
constexpr hgl::uint64 kFrameNs = 16000000;

// Installed with the first setup, for the rest of the run.
hgl::test::TestClock &BenchClock()
{
    static hgl::test::TestClock clock(10000 * 1000000ull);
    return clock;
}

void Setup()
{
    static bool prepared = false;
    if (prepared) return;
    screenfuzz::Prepare();
    BenchClock();
    prepared = true;
}

// Silent music whose clock runs one second a second of the bench clock.
double music_started = 0;

void SilentMusic()
{
    avg::AudioHooks hooks;
    hooks.music = [](const hgl::String &, bool) { music_started = hgl::GetDoubleTime(); };
    hooks.stop_music = [] {};
    hooks.music_time = [] { return hgl::GetDoubleTime() - music_started; };
    avg::SetAudioHooks(hooks);
}

void Report(benchmark::State &state, long before, long frames)
{
    state.counters["allocations_per_frame"] = double(hgl::bench::HeapAllocations() - before) / double(frames);
}

void BM_FiftyBalls(benchmark::State &state)
{
    Setup();
    VamUnitManage balls(50);
    long frames = 0;
    const long before = hgl::bench::HeapAllocations();
    for (auto _ : state)
    {
        BenchClock().AdvanceNs(kFrameNs);
        balls.Update();
        ++frames;
    }
    Report(state, before, frames);
}
BENCHMARK(BM_FiftyBalls)->Unit(benchmark::kMicrosecond);

// The dialog's own drawing and its buttons', as the object control draws them.
void BM_ExitConfirmationFrame(benchmark::State &state)
{
    Setup();
    WantExit dialog;
    for (int i = 0; i < 40; ++i)
        dialog.DrawObject();
    long frames = 0;
    const long before = hgl::bench::HeapAllocations();
    for (auto _ : state)
    {
        dialog.Draw();
        dialog.GetYesButton()->DrawObject();
        dialog.GetNoButton()->DrawObject();
        ++frames;
    }
    Report(state, before, frames);
}
BENCHMARK(BM_ExitConfirmationFrame)->Unit(benchmark::kMicrosecond);

// The same through the screen's whole frame: the object control's walk over its
// children is counted too.
void BM_ExitConfirmationWholeFrame(benchmark::State &state)
{
    Setup();
    WantExit dialog;
    for (int i = 0; i < 40; ++i)
        dialog.DrawObject();
    long frames = 0;
    const long before = hgl::bench::HeapAllocations();
    for (auto _ : state)
    {
        dialog.DrawObject();
        ++frames;
    }
    Report(state, before, frames);
}
BENCHMARK(BM_ExitConfirmationWholeFrame)->Unit(benchmark::kMicrosecond);

void PlayingRoom(NewMusicUnit &room)
{
    for (int i = 0; i < 28; ++i)
    {
        const hgl::String name = hgl::String(u"T") + hgl::String(i);
        avg::MarkBGMHeard(name);
        room.SetMusic(name.c_str(), 3, 0, u"Track 雪", u"t.HGP");
    }
    for (int i = 0; i < 60; ++i)
        room.DrawObject();
    hgl::gui::MusicButton *track = room.GetTrack(3);
    track->OnClick(track);
    // Long enough for every digit of the time line to have been drawn once.
    for (int i = 0; i < 800; ++i)
    {
        BenchClock().AdvanceNs(kFrameNs);
        room.DrawObject();
    }
}

void BM_MusicRoomPlayingFrame(benchmark::State &state)
{
    Setup();
    SilentMusic();
    {
        NewMusicUnit room;
        PlayingRoom(room);
        long frames = 0, own = 0, tracks = 0;
        for (auto _ : state)
        {
            BenchClock().AdvanceNs(kFrameNs);
            const long at = hgl::bench::HeapAllocations();
            room.Draw();
            const long drawn = hgl::bench::HeapAllocations();
            for (int i = 0; i < room.GetCount(); ++i)
                room.GetTrack(i)->DrawObject();
            own += drawn - at;
            tracks += hgl::bench::HeapAllocations() - drawn;
            ++frames;
        }
        // The room's own drawing (band, time line, title, disc, bar, next-track
        // check), and its 28 track buttons.
        state.counters["allocations_per_frame"] = double(own) / double(frames);
        state.counters["track_button_allocations_per_frame"] = double(tracks) / double(frames);
        state.SetLabel(room.IsPlaying() ? "playing" : "stopped");
    }
    avg::SetAudioHooks({});
}
BENCHMARK(BM_MusicRoomPlayingFrame)->Unit(benchmark::kMicrosecond);
} // namespace
