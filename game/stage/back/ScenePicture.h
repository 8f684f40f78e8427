#pragma once
// Scene pictures (backgrounds and event pictures) by the short names the story
// scripts use. They live in the shared scene picture cache; a path found here can
// be asked of the cache again each frame, which reloads a picture that was evicted.
#include "core/String.h"

namespace hgl
{
class HGP;
}

namespace avg
{
// The picture of the bare name (with its extension), from "BG\" for names
// beginning with b or w, "Event\" for c, else "BGI\"; when missing, "BG\BLACK.HGP";
// null when that is missing too or there is no cache. path, when given, gets the
// archive path that yielded the picture (empty for null).
hgl::HGP *GetScenePicture(const hgl::String &name, hgl::String *path = nullptr);

// A script picture name: up to its first '.', marked seen when it is an event
// picture, an 'N' and then an 'X' variant mark at index 7 or later cut off, ".HGP"
// appended, then GetScenePicture.
hgl::HGP *GetScenePictureByName(const hgl::String &name, hgl::String *path = nullptr);

// The cached picture at an archive path GetScenePicture gave; null for an empty
// path or without a cache.
hgl::HGP *GetScenePictureAt(const hgl::String &path);
} // namespace avg
