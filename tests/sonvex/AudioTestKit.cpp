#include "AudioTestKit.h"

#include "io/Core.h"
#include "sonvex/OpenAL.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace audio_test
{
namespace
{
uint32_t Get32(const char *p)
{
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return uint32_t(u[0]) | u[1] << 8 | u[2] << 16 | uint32_t(u[3]) << 24;
}
int Get16(const char *p)
{
    return int(Get32(p) & 0xFFFF);
}
} // namespace

bool ReadWave(const std::string &path, Recording &out)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 4, "WAVE")) return false;

    for (size_t at = 12; at + 8 <= bytes.size();)
    {
        const char *chunk = bytes.data() + at;
        size_t size = Get32(chunk + 4);
        if (!std::memcmp(chunk, "fmt ", 4) && at + 8 + 16 <= bytes.size())
        {
            out.channels = Get16(chunk + 10);
            out.rate = int(Get32(chunk + 12));
            if (Get16(chunk + 22) != 16) return false;
        }
        else if (!std::memcmp(chunk, "data", 4))
        {
            // The writer fills the size in when it closes; take what is there.
            size = std::min(size ? size : bytes.size(), bytes.size() - at - 8);
            out.samples.resize(size / 2);
            std::memcpy(out.samples.data(), chunk + 8, out.samples.size() * 2);
            return out.channels > 0;
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

std::pair<size_t, size_t> Recording::Sounding(int threshold) const
{
    size_t first = Frames(), last = 0;
    for (size_t i = 0; i < Frames(); i++)
        if (std::abs(Left(i)) > threshold)
        {
            first = std::min(first, i);
            last = i + 1;
        }
    return first < last ? std::make_pair(first, last) : std::make_pair(size_t(0), size_t(0));
}

double Recording::Rms(size_t first, size_t last) const
{
    double sum = 0;
    for (size_t i = first; i < last; i++)
        sum += double(Left(i)) * Left(i);
    return last > first ? std::sqrt(sum / double(last - first)) : 0;
}

double Recording::Frequency(size_t first, size_t last) const
{
    int crossings = 0;
    for (size_t i = first + 1; i < last; i++)
        if (Left(i - 1) < 0 && Left(i) >= 0) crossings++;
    return last > first ? crossings / Seconds(last - first) : 0;
}

size_t Recording::LongestQuiet(size_t first, size_t last, int threshold) const
{
    size_t longest = 0, run = 0;
    for (size_t i = first; i < last; i++)
    {
        run = std::abs(Left(i)) < threshold ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

const std::string &WaveFile()
{
    static hgl::test::TempDir dir("alsoft");
    static const std::string wave = []
    {
        const std::string file = dir.File("mix.wav");
        dir.WriteFile("alsoft.conf", "[general]\ndrivers=wave\nfrequency=" + std::to_string(MixRate) +
                                         "\nchannels=stereo\nsample-type=int16\n[wave]\nfile=" + file + "\n");
        setenv("ALSOFT_CONF", dir.File("alsoft.conf").c_str(), 1);
        unsetenv("ALSOFT_DRIVERS");
        hgl::SetInfoString(6, HGL_PLUGIN_DIR_U);
        return file;
    }();
    return wave;
}

SoundFolder::SoundFolder() : archive(hgl::OpenHAC(dir.Path16().c_str()))
{
    WaveFile();
}

WaveCapture::WaveCapture()
{
    WaveFile();
    EXPECT_TRUE(hgl::InitOpenAL(nullptr, nullptr, false));
}

WaveCapture::~WaveCapture()
{
    hgl::CloseOpenAL();
}

Recording WaveCapture::Finish()
{
    hgl::CloseOpenAL();
    Recording r;
    EXPECT_TRUE(ReadWave(WaveFile(), r));
    EXPECT_EQ(r.rate, MixRate);
    return r;
}

bool WaitUntil(const std::function<bool()> &pred, double seconds)
{
    const double end = Now() + seconds;
    while (!pred())
    {
        if (Now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
} // namespace audio_test
