#include "tools/hgptool/PngFile.h"

#include "graphics/ColorType.h"

#include <png.h>

#include <cstring>

namespace hgl::hgptool
{
bool ReadPng(const std::string &path, ImageBlock &image, std::string &error)
{
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
    {
        error = path + ": " + png.message;
        return false;
    }
    const bool alpha = (png.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    if (png.width < 1 || png.height < 1 || png.width > uint32(ImageBlock::MaxSide) ||
        png.height > uint32(ImageBlock::MaxSide))
    {
        png_image_free(&png);
        error = path + ": picture larger than " + std::to_string(ImageBlock::MaxSide) + " a side";
        return false;
    }
    png.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    image = ImageBlock();
    image.width = int(png.width);
    image.height = int(png.height);
    image.color_type = alpha ? ctRGBA : ctRGB;
    image.pixels.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr))
    {
        error = path + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

bool WritePng(const std::string &path, const ImageBlock &image, std::string &error)
{
    if (!image.Valid() || (image.color_type != ctRGB && image.color_type != ctRGBA))
    {
        error = path + ": only RGB and RGBA pictures are written";
        return false;
    }
    png_image png;
    std::memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;
    png.width = uint32(image.width);
    png.height = uint32(image.height);
    png.format = image.color_type == ctRGBA ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.pixels.data(), 0, nullptr))
    {
        error = path + ": " + png.message;
        return false;
    }
    return true;
}
} // namespace hgl::hgptool
