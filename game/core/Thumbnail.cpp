#include "game/core/Thumbnail.h"

#include "core/Log.h"
#include "graphics/ColorType.h"
#include "graphics/draw/Painter.h"
#include "graphics/texture/PictureFile.h"
#include "io/MemStream.h"
#include "platform/File.h"
#include "platform/window/PlatformWindow.h"

namespace avg
{
namespace
{
constexpr int kChannels = 3;
}

bool Thumbnail::Capture()
{
    hgl::platform::PlatformWindow *window = hgl::platform::CurrentWindow();
    if (!window) return false;
    const int cw = window->CanvasWidth(), ch = window->CanvasHeight();
    if (cw < kScaleDown || ch < kScaleDown) return false;
    std::vector<hgl::uint8> canvas;
    if (!hgl::draw::ReadCanvas(0, 0, cw, ch, hgl::draw::PixelLayout::RGB, 1, canvas)) return false;

    // Every kScaleDown-th pixel, rows turned to run from the top.
    width = cw / kScaleDown;
    height = ch / kScaleDown;
    rgb.resize(size_t(width) * height * kChannels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const hgl::uint8 *src =
                &canvas[(size_t(ch - 1 - y * kScaleDown) * cw + x * kScaleDown) * kChannels];
            hgl::uint8 *dst = &rgb[(size_t(y) * width + x) * kChannels];
            for (int c = 0; c < kChannels; ++c)
                dst[c] = src[c];
        }
    return true;
}

bool Thumbnail::Encode(hgl::MemStream &out) const
{
    if (IsEmpty()) return false;
    hgl::HgpFile file;
    file.width = width;
    file.height = height;
    hgl::HgpLayerData &layer = file.layers.emplace_back();
    layer.name = u"L0";
    layer.image.width = width;
    layer.image.height = height;
    layer.image.color_type = hgl::ctRGB;
    layer.image.pixels = rgb;
    return file.Write(&out, u"Zip");
}

bool Thumbnail::Write(const hgl::String &filename) const
{
    hgl::MemStream out;
    if (!Encode(out) || !hgl::platform::FileWriteWhole(filename.c_str(), out.GetData(), out.GetSize()))
    {
        hgl::PutError(u"写入存档图片<%s>失败", filename.c_str());
        return false;
    }
    return true;
}
} // namespace avg
