#pragma once
// The demo's album and glossary: the character buttons, CG frames and thumbnails,
// the tabs, entries, viewer and object pictures, and the ten album scripts and
// four tips scripts that use them.
#include "tools/mkdemo/DemoContent.h"
#include "tools/mkdemo/DemoPictures.h"

#include <vector>

namespace hgl::demo
{
// Adds the pictures, taking the place of any picture of the same path.
void AddAlbumAndGlossaryPictures(std::vector<DemoPicture> &pictures);
// Adds the album scripts (root of "Local.hac") and the tips scripts ("Script\").
void AddAlbumAndGlossaryScripts(DemoContent &content);
} // namespace hgl::demo
