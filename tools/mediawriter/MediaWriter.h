#pragma once
// Makes small media files in memory: PCM tones, RIFF WAVE files, Ogg Vorbis sound and
// Ogg Theora clips. Tests, benchmarks and the demo-content generator use it to build
// real input for the audio and movie decoders.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mediawriter
{
using Bytes = std::vector<uint8_t>;

// A sine tone as interleaved signed 16-bit samples (every channel the same);
// amplitude is a fraction of full scale.
std::vector<int16_t> Tone(double frequency, double seconds, int rate, int channels, double amplitude);

// WAVE format tags.
constexpr int WaveFormatPCM = 1;
constexpr int WaveFormatFloat = 3;

// A RIFF WAVE file holding the given sample bytes as they are. The format tag and the
// bits per sample are written as given, so that files a decoder must refuse can be
// made too.
Bytes WavFile(const void *data, size_t bytes, int channels, int rate, int bits,
              int format_tag = WaveFormatPCM);
// The common case: 16-bit PCM samples.
Bytes WavFile(const std::vector<int16_t> &samples, int channels, int rate);

// An Ogg Vorbis file of the samples (VBR quality -0.1 .. 1.0).
Bytes VorbisFile(const std::vector<int16_t> &samples, int channels, int rate, float quality = 0.4f);

// Fills one frame: width x height RGBA pixels, rows top first.
using FrameSource = std::function<void(int index, uint8_t *rgba)>;

// An Ogg Theora clip of frame_count frames at fps frames a second (4:2:0, BT.601).
// quality 0..63.
Bytes TheoraFile(int width, int height, int fps, int frame_count, const FrameSource &frames,
                 int quality = 48);

// Writes the bytes to a file; false when it cannot be written completely.
bool WriteFile(const std::string &path, const Bytes &bytes);
} // namespace mediawriter
