#pragma once
// PNG pictures in and out of the engine's image block, through libpng. Pictures
// with alpha come in as RGBA, others as RGB, rows top to bottom.
#include "graphics/texture/ImageBlock.h"

#include <string>

namespace hgl::hgptool
{
// False (with the reason in error) when the file is missing or not a PNG.
bool ReadPng(const std::string &path, ImageBlock &image, std::string &error);
// RGB and RGBA blocks only.
bool WritePng(const std::string &path, const ImageBlock &image, std::string &error);
} // namespace hgl::hgptool
