// The characters' frame on the headless canvas: six speaking sprites, three icons
// and six moods, with the heap allocations a frame makes after the first counted
// (the goal is none); and one icon set against a 200-row character table (the
// goal is under 2 ms).
#include "bench/support/HeapCount.h"
#include "../fuzz/CharFuzz.h"

#include "game/core/GameRecord.h"
#include "game/stage/char/CharManage.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace
{
constexpr int kTableRows = 200;
constexpr hgl::uint64 kLongVoiceMs = 1000000000;

void Setup()
{
    static bool prepared = false;
    if (prepared) return;
    charfuzz::Prepare(kTableRows);
    // Slow moods stay on screen for the whole run.
    avg::SetSystemFlag(u"HMOODSPEED", 1000000);
    prepared = true;
}

void BM_SpeakingFrame(benchmark::State &state)
{
    Setup();
    avg::CharManage chars(nullptr, nullptr);
    const char16_t *slots[avg::CharManage::kSlots] = {u"ABCD00L", u"ABCD01L", u"ABCD00L",
                                                      u"ABCD01L", u"ABCD00L", u"ABCD01L"};
    for (int s = 0; s < avg::CharManage::kSlots; ++s)
    {
        chars.Show(s, slots[s]);
        chars.GetMoods()->SetMood(s, u"m", 0, 0);
    }
    chars.GetIcons()->PutIcon(0, u"ABCDA");
    chars.GetIcons()->PutIcon(2, u"ABCDB");
    chars.PutPortrait(u"ABCDA", 0, 600);
    chars.StartVoice(u"ALL", {u"voice", kLongVoiceMs});
    chars.Draw(); // the first frame may fill caches
    long frames = 0;
    const long before = hgl::bench::HeapAllocations();
    for (auto _ : state)
    {
        chars.Draw();
        chars.DrawActiveIcon();
        ++frames;
    }
    state.counters["allocations_per_frame"] = double(hgl::bench::HeapAllocations() - before) / double(frames);
}
BENCHMARK(BM_SpeakingFrame);

void BM_IconSet(benchmark::State &state)
{
    Setup();
    avg::CharIconManage icons(nullptr);
    for (auto _ : state)
        icons.PutIcon(0, u"ABCDA");
    state.SetLabel(icons.GetIcon(0)->GetDisplayName().ToUTF8());
}
BENCHMARK(BM_IconSet)->Unit(benchmark::kMillisecond);
} // namespace
