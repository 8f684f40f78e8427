#pragma once
// Screenshots of the canvas as 24-bit BMP files.
#include "core/String.h"

namespace hgl
{
// Saves the last drawn canvas. A null or empty name takes one from the date and
// time; a relative name lands in the "ScreenShot" folder of the start folder. A
// width or height of 0 or less takes the canvas size; another size scales the
// picture. False, with a log line, when there is no canvas or the file cannot be written.
bool SaveScreenShot(const u16char *name = nullptr, int width = -1, int height = -1);

// The name a screenshot taken now gets by default ("20261207-153045-123.bmp").
String DefaultScreenShotName();
} // namespace hgl
