#pragma once
// What the fuzz targets (and the benchmarks built like them) that need a start
// folder or a canvas share: a folder of their own in /tmp, gone when the program
// ends, and a headless canvas with the 2D projection set. Both abort when they
// cannot be made: a run without them would test nothing.
#include "graphics/gl/Canvas.h"
#include "platform/window/HeadlessWindow.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace fuzzkit
{
// "/tmp/<name>_" and six random characters, made new; removed at exit.
inline std::string MakeStartFolder(const char *name)
{
    static std::string folder;
    std::string pattern = std::string("/tmp/") + name + "_XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    folder = pattern;
    std::atexit(
        []
        {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        });
    return folder;
}

// A headless canvas of that size, current on this thread until the program ends.
inline void OpenCanvas(int width, int height, const char *title = "fuzz")
{
    static hgl::platform::HeadlessWindow window;
    hgl::platform::WindowOptions options;
    options.width = width;
    options.height = height;
    options.title = title;
    if (!window.Create(options)) std::abort();
    window.BeginFrame();
    hgl::SetOrtho2D(width, height);
}

// The fuzz bytes read one after another; past the end every read gives zeros.
class ByteReader
{
    const uint8_t *data;
    size_t size, at = 0;

  public:
    ByteReader(const uint8_t *d, size_t s) : data(d), size(s) {}
    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    // Four bytes, the lowest first.
    uint32_t U32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(Byte()) << (8 * i);
        return v;
    }
    int Int() { return int(U32()); }
};
} // namespace fuzzkit
