#pragma once
// Real sound for the audio tests: OpenAL Soft writes what it mixes to a wave file
// (its "wave" backend, set up through a config file named by ALSOFT_CONF), and the
// tests read the file back and measure it. The backend mixes in real time, so the
// sounds used are short.
#include "io/HAC.h"
#include "mediawriter/MediaWriter.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace audio_test
{
constexpr int MixRate = 44100;

// Interleaved stereo frames of the device's output.
struct Recording
{
    std::vector<int16_t> samples;
    int channels = 0;
    int rate = 0;

    size_t Frames() const { return channels ? samples.size() / size_t(channels) : 0; }
    int16_t Left(size_t frame) const { return samples[frame * size_t(channels)]; }

    // [first, last) frames louder than threshold, or {0, 0} when silent throughout.
    std::pair<size_t, size_t> Sounding(int threshold = 64) const;
    double Seconds(size_t frames) const { return double(frames) / rate; }
    double Rms(size_t first, size_t last) const;
    // Rising zero crossings of the left channel per second.
    double Frequency(size_t first, size_t last) const;
    // Longest run of frames within [first, last) quieter than threshold.
    size_t LongestQuiet(size_t first, size_t last, int threshold) const;
};

// Reads a RIFF WAVE file (PCM or WAVE_FORMAT_EXTENSIBLE, 16-bit).
bool ReadWave(const std::string &path, Recording &out);

// Sets the plug-in folder and the wave backend up once per process; returns the
// wave file's path.
const std::string &WaveFile();

// A folder mapped as an archive, holding the test's sound files.
class SoundFolder
{
    hgl::test::TempDir dir{"snd"};
    std::unique_ptr<hgl::HAC> archive;

  public:
    SoundFolder();
    hgl::HAC *Archive() { return archive.get(); }
    void Add(const std::string &name, const mediawriter::Bytes &bytes) { dir.WriteFile(name, bytes); }
};

// Opens OpenAL on the wave backend for the life of the object; Finish closes it and
// reads what was mixed.
class WaveCapture
{
  public:
    WaveCapture();
    ~WaveCapture();
    Recording Finish();
};

// Waits (bounded) until pred holds; false on time-out.
bool WaitUntil(const std::function<bool()> &pred, double seconds);

inline double Now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// An Ogg Vorbis tone at 22050 Hz, mono.
inline mediawriter::Bytes VorbisTone(double frequency, double seconds, double amplitude = 0.5)
{
    return mediawriter::VorbisFile(mediawriter::Tone(frequency, seconds, 22050, 1, amplitude), 1, 22050);
}
} // namespace audio_test
