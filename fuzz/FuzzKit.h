#pragma once
// What the fuzz targets (and the benchmarks built like them) that need a start
// folder or a canvas share: a folder of their own in /tmp, gone when the program
// ends, and a headless canvas with the 2D projection set. Both abort when they
// cannot be made: a run without them would test nothing.
#include "graphics/gl/Canvas.h"
#include "platform/window/HeadlessWindow.h"

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
} // namespace fuzzkit
