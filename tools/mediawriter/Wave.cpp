#include "mediawriter/MediaWriter.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

namespace mediawriter
{
namespace
{
constexpr size_t FmtChunkSize = 16;

void Put16(Bytes &out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(Bytes &out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void PutTag(Bytes &out, const char *tag)
{
    for (int i = 0; i < 4; i++)
        out.push_back(uint8_t(tag[i]));
}
} // namespace

std::vector<int16_t> Tone(double frequency, double seconds, int rate, int channels, double amplitude)
{
    const size_t frames = size_t(std::lround(seconds * rate));
    std::vector<int16_t> out;
    out.reserve(frames * size_t(channels));

    for (size_t i = 0; i < frames; i++)
    {
        const double v =
            amplitude * 32767.0 * std::sin(2.0 * std::numbers::pi * frequency * double(i) / rate);
        for (int c = 0; c < channels; c++)
            out.push_back(int16_t(std::lround(v)));
    }

    return out;
}

Bytes WavFile(const void *data, size_t bytes, int channels, int rate, int bits, int format_tag)
{
    const uint32_t block = uint32_t(channels * ((bits + 7) / 8));
    Bytes out;
    out.reserve(44 + bytes + 1);

    PutTag(out, "RIFF");
    Put32(out, uint32_t(4 + 8 + FmtChunkSize + 8 + bytes + (bytes & 1)));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, FmtChunkSize);
    Put16(out, uint32_t(format_tag));
    Put16(out, uint32_t(channels));
    Put32(out, uint32_t(rate));
    Put32(out, uint32_t(rate) * block);
    Put16(out, block);
    Put16(out, uint32_t(bits));
    PutTag(out, "data");
    Put32(out, uint32_t(bytes));

    const uint8_t *p = static_cast<const uint8_t *>(data);
    out.insert(out.end(), p, p + bytes);
    if (bytes & 1) out.push_back(0); // chunks are padded to an even length

    return out;
}

Bytes WavFile(const std::vector<int16_t> &samples, int channels, int rate)
{
    return WavFile(samples.data(), samples.size() * sizeof(int16_t), channels, rate, 16);
}

bool WriteFile(const std::string &path, const Bytes &bytes)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;

    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
} // namespace mediawriter
