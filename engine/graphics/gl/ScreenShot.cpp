#include "graphics/gl/ScreenShot.h"

#include "core/Log.h"
#include "graphics/draw/Painter.h"
#include "io/Core.h"
#include "io/FileHelpers.h"
#include "platform/File.h"
#include "platform/window/PlatformWindow.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace hgl
{
namespace
{
constexpr const u16char *ScreenShotFolder = u"ScreenShot";
constexpr int BytesPerPixel = 3;
constexpr int RowAlignment = 4; // BMP rows, and GL's pack alignment to match
constexpr uint32 FileHeaderSize = 14;
constexpr uint32 InfoHeaderSize = 40;
constexpr int32 PixelsPerMetre = 2835; // 72 dpi
constexpr int MaxSide = 16384;         // bounds the memory a scaled shot can ask for

size_t RowBytes(int width)
{
    return (size_t(width) * BytesPerPixel + RowAlignment - 1) / RowAlignment * RowAlignment;
}

template <typename T> void Put(std::vector<uint8> &out, T value)
{
    for (size_t i = 0; i < sizeof(T); i++)
        out.push_back(uint8((uint64(value) >> (8 * i)) & 0xFF));
}

// A BMP file of bottom-up BGR rows already padded to four bytes.
std::vector<uint8> MakeBMP(int width, int height, const std::vector<uint8> &rows)
{
    std::vector<uint8> file;
    file.reserve(FileHeaderSize + InfoHeaderSize + rows.size());
    file.push_back('B');
    file.push_back('M');
    Put<uint32>(file, uint32(FileHeaderSize + InfoHeaderSize + rows.size()));
    Put<uint32>(file, 0);
    Put<uint32>(file, FileHeaderSize + InfoHeaderSize);
    Put<uint32>(file, InfoHeaderSize);
    Put<int32>(file, width);
    Put<int32>(file, height); // positive: rows bottom-up
    Put<uint16>(file, 1);     // planes
    Put<uint16>(file, BytesPerPixel * 8);
    Put<uint32>(file, 0); // uncompressed
    Put<uint32>(file, uint32(rows.size()));
    Put<int32>(file, PixelsPerMetre);
    Put<int32>(file, PixelsPerMetre);
    Put<uint32>(file, 0);
    Put<uint32>(file, 0);
    file.insert(file.end(), rows.begin(), rows.end());
    return file;
}

bool ReadCanvas(platform::PlatformWindow &window, int width, int height, std::vector<uint8> &rows)
{
    const int cw = window.CanvasWidth(), ch = window.CanvasHeight();
    std::vector<uint8> canvas;
    if (!draw::ReadCanvas(0, 0, cw, ch, draw::PixelLayout::BGR, RowAlignment, canvas)) return false;
    if (width == cw && height == ch)
    {
        rows.swap(canvas);
        return true;
    }
    rows.assign(RowBytes(width) * size_t(height), 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, RowAlignment);
    return gluScaleImage(GL_BGR, cw, ch, GL_UNSIGNED_BYTE, canvas.data(), width, height, GL_UNSIGNED_BYTE,
                         rows.data()) == 0;
}

bool IsAbsolute(const String &name)
{
    return name.GetLength() > 0 && (name.GetChar(0) == u'/' || name.GetChar(0) == u'\\');
}

// Where a screenshot of this name goes; the folder is made when missing.
String ScreenShotPath(const String &name)
{
    if (IsAbsolute(name)) return name;
    const u16char *start = GetInfoString(infoStartFolder);
    std::unique_ptr<u16char[]> folder(MergePath(start ? start : u"", ScreenShotFolder));
    MakePath(folder.get());
    std::unique_ptr<u16char[]> path(MergePath(folder.get(), name.c_str()));
    return String(path.get());
}
} // namespace

String DefaultScreenShotName()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const int ms = int(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[64];
    std::snprintf(text, sizeof(text), "%04d%02d%02d-%02d%02d%02d-%03d.bmp", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
    return String::FromUTF8(text);
}

bool SaveScreenShot(const u16char *name, int width, int height)
{
    platform::PlatformWindow *window = platform::CurrentWindow();
    if (!window || !window->Canvas().IsValid())
    {
        PutError(u"保存截图失败：没有可读取的画面");
        return false;
    }
    if (width <= 0) width = window->CanvasWidth();
    if (height <= 0) height = window->CanvasHeight();
    if (width > MaxSide || height > MaxSide)
    {
        PutError(u"保存截图失败：尺寸<%dx%d>过大", width, height);
        return false;
    }

    const String path = ScreenShotPath(name && *name ? String(name) : DefaultScreenShotName());
    std::vector<uint8> rows;
    if (!ReadCanvas(*window, width, height, rows))
    {
        PutError(u"保存截图<%s>失败：无法缩放画面", path.c_str());
        return false;
    }
    const std::vector<uint8> file = MakeBMP(width, height, rows);
    int error = 0;
    if (!platform::FileWriteWhole(path.c_str(), file.data(), int64(file.size()), &error))
    {
        PutError(u"保存截图<%s>失败：%s", path.c_str(), String::FromUTF8(platform::ErrorText(error)).c_str());
        return false;
    }
    PutInfo(u"保存截图<%s>成功", path.c_str());
    return true;
}
} // namespace hgl
