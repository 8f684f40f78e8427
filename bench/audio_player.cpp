// CPU time of a streaming player's thread while a looped Ogg Vorbis track plays
// (44.1 kHz stereo, OpenAL Soft's null backend, which mixes in real time). The goal
// is under 1 % of one core; the counter "thread_cpu_percent" reports it.
#include "io/Core.h"
#include "io/HAC.h"
#include "mediawriter/MediaWriter.h"
#include "sonvex/AudioPlayer.h"
#include "sonvex/OpenAL.h"

#include <benchmark/benchmark.h>

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#ifndef HGL_PLUGIN_DIR_U
#define HGL_PLUGIN_DIR_U u"Plug-Ins"
#endif

namespace
{
constexpr int Rate = 44100;
constexpr double TrackSeconds = 3.0;
constexpr double MeasureSeconds = 4.0; // more than one pass, so the loop is included

// A player that lets the benchmark read its thread's CPU clock.
class MeasuredPlayer : public hgl::AudioPlayer
{
  public:
    std::atomic<bool> running{false};
    pthread_t thread{};

    using AudioPlayer::AudioPlayer;

    bool Execute() override
    {
        thread = pthread_self();
        running = true;
        return AudioPlayer::Execute();
    }

    double CpuSeconds() const
    {
        clockid_t clock;
        timespec ts{};
        if (!running || pthread_getcpuclockid(thread, &clock) != 0 || clock_gettime(clock, &ts) != 0)
            return -1;
        return double(ts.tv_sec) + ts.tv_nsec * 1e-9;
    }
};

void PlayerThreadCpu(benchmark::State &state)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "hgl_bench_audio";
    std::filesystem::create_directories(dir);
    mediawriter::WriteFile(
        (dir / "track.ogg").string(),
        mediawriter::VorbisFile(mediawriter::Tone(440, TrackSeconds, Rate, 2, 0.3), 2, Rate));

    setenv("ALSOFT_DRIVERS", "null", 1);
    hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
    if (!hgl::InitOpenAL())
    {
        state.SkipWithError("OpenAL could not be opened");
        return;
    }
    std::unique_ptr<hgl::HAC> archive(hgl::OpenHAC(dir.u16string().c_str()));

    double percent = 0;
    for (auto _ : state)
    {
        MeasuredPlayer player(archive.get(), u"track.ogg");
        player.Play(true);
        while (!player.running)
            std::this_thread::yield();
        const double before = player.CpuSeconds();
        std::this_thread::sleep_for(std::chrono::duration<double>(MeasureSeconds));
        const double used = player.CpuSeconds() - before;
        percent = 100.0 * used / MeasureSeconds;
        state.SetIterationTime(used);
        player.Stop();
    }
    state.counters["thread_cpu_percent"] = percent;

    archive.reset();
    hgl::CloseOpenAL();
    std::filesystem::remove_all(dir);
}
BENCHMARK(PlayerThreadCpu)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
